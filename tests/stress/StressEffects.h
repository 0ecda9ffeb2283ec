#pragma once
// The effects the stress program hosts: a few instances of the plug-in, each
// loaded through the project's own host code. The audio and chunk threads
// call an effect only while they hold its lock shared; the UI thread holds it
// exclusively while it loads or closes the effect or changes its sample rate,
// as a host stops calling an effect before it closes or reconfigures it.
#include <windows.h>

#include <string>

#include "host/hosting/PluginHost.h"

constexpr int kEffectSlots = 2;

struct EffectSlot {
    PluginHost host;
    SRWLOCK lock = SRWLOCK_INIT;
    HWND frame = nullptr;     // the host window the editor opens in
    bool editorOpen = false;  // UI thread only
    // The rate the effect runs at; written under the exclusive lock. At 100 Hz
    // or less the effect leaves the host's buffers untouched.
    float sampleRate = 0.0f;
};

extern EffectSlot g_slots[kEffectSlots];

// Runs f(effect) under the slot's shared lock when an effect is loaded and
// the UI thread is not changing it; answers whether it ran.
template <typename F>
bool with_effect(EffectSlot& slot, F f) {
    if (!TryAcquireSRWLockShared(&slot.lock)) return false;
    AEffect* effect = slot.host.effect();
    if (effect != nullptr) f(effect);
    ReleaseSRWLockShared(&slot.lock);
    return effect != nullptr;
}

// UI thread. Loads the plug-in into the slot and starts it as a host does
// (rate, block size, resume); its shell calls go to `shellStub`.
bool load_effect(EffectSlot& slot, const std::string& path, void* shellStub, std::string& error);
// UI thread. Stops and closes the slot's effect; the editor is closed first
// unless `editorFirst` is false (effClose alone).
void close_effect(EffectSlot& slot, bool editorFirst);
// UI thread. Opens or closes the slot's editor in its frame.
void open_editor(EffectSlot& slot);
void close_editor(EffectSlot& slot);
// UI thread. Suspends, sets a rate and block size, resumes.
void reconfigure_effect(EffectSlot& slot, float rate, int32_t blockSize);
