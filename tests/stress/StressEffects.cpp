#include "StressEffects.h"

#include "tests/support/ImportHook.h"

EffectSlot g_slots[kEffectSlots];

namespace {

// The editor rectangle as the effect hands it over.
struct EditorRect {
    int16_t top, left, bottom, right;
};

class ExclusiveHold {
public:
    explicit ExclusiveHold(EffectSlot& slot) : lock_(&slot.lock) { AcquireSRWLockExclusive(lock_); }
    ~ExclusiveHold() { ReleaseSRWLockExclusive(lock_); }
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;

private:
    SRWLOCK* lock_;
};

}  // namespace

bool load_effect(EffectSlot& slot, const std::string& path, void* shellStub, std::string& error) {
    ExclusiveHold hold(slot);
    if (!slot.host.load(path, error)) return false;
    // The panel's link opens no browser during a stress run.
    replaceImport(GetModuleHandleA(path.c_str()), "shell32.dll", "ShellExecuteA", shellStub);
    slot.sampleRate = 44100.0f;
    slot.host.dispatch(effSetSampleRate, 0, 0, nullptr, slot.sampleRate);
    slot.host.dispatch(effSetBlockSize, 0, 512);
    slot.host.dispatch(effMainsChanged, 0, 1);
    return true;
}

void close_effect(EffectSlot& slot, bool editorFirst) {
    if (editorFirst) close_editor(slot);
    ExclusiveHold hold(slot);
    slot.host.dispatch(effMainsChanged, 0, 0);
    slot.host.unload();
    slot.editorOpen = false;
}

void open_editor(EffectSlot& slot) {
    EditorRect* rect = nullptr;
    slot.host.dispatch(effEditGetRect, 0, 0, &rect);
    if (rect != nullptr)
        SetWindowPos(slot.frame, nullptr, 0, 0, rect->right - rect->left, rect->bottom - rect->top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    slot.host.dispatch(effEditOpen, 0, 0, slot.frame);
    slot.editorOpen = slot.host.effect() != nullptr;
}

void close_editor(EffectSlot& slot) {
    if (!slot.editorOpen) return;
    slot.editorOpen = false;
    slot.host.dispatch(effEditClose);
}

void reconfigure_effect(EffectSlot& slot, float rate, int32_t blockSize) {
    ExclusiveHold hold(slot);
    slot.host.dispatch(effMainsChanged, 0, 0);
    slot.sampleRate = rate;
    slot.host.dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    slot.host.dispatch(effSetBlockSize, 0, blockSize);
    slot.host.dispatch(effMainsChanged, 0, 1);
}
