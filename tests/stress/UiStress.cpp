#include "UiStress.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "ActionLog.h"
#include "ChunkStress.h"
#include "Failure.h"
#include "GdiObjectCounter.h"
#include "Random.h"
#include "StressEffects.h"
#include "UserInput.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMilliseconds = 10;
// Menus and dialogs that neither Escape, EndMenu nor WM_CLOSE end in this
// time are a hang of their own.
constexpr uint32_t kUnwindLimitMs = 10000;
// The system keeps the device contexts it hands out (three objects each) in
// a cache that grows to the most ever in use at once, over the first minute
// or so of menus, dialogs and drags: the largest count of that time is the
// baseline, and a later count may exceed it by a few entries more.
constexpr uint32_t kGdiWarmUpMs = 60000;
constexpr int kGdiSlack = 12;
const char kFrameClass[] = "QcStressFrame";
const char kDriverClass[] = "QcStressDriver";

struct UiState {
    explicit UiState(const UiStressOptions& o, UiStressSummary& s) : options(o), summary(s), rng(o.seed ^ 0x01ull) {}
    const UiStressOptions& options;
    UiStressSummary& summary;
    Random rng;
    UserInput input;
    HWND driver = nullptr;
    // Our own reference: the module never unloads while one of its loops runs.
    HMODULE moduleHold = nullptr;
    bool timerFromMainLoop = false, inTick = false, quitting = false;
    uint32_t endAt = 0, nextCheckpoint = 0, unwindingSince = 0;
    int baselineWindows = -1, baselineGdi = -1;
    uint64_t ticks = 0;
};

UiState* g_ui = nullptr;

// ---- what is on the screen

std::string classOf(HWND window) {
    char name[128] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A short name for the log.
std::string nameOf(HWND window) {
    const std::string c = classOf(window);
    if (c == "#32768") return "menu";
    if (c == "#32770") return "dialog";
    if (c.find("QCLAMPER_HWND") != std::string::npos) return "panel";
    if (c.find("Rotatif") != std::string::npos) return "knob";
    if (c.find("I2p") != std::string::npos) return "button";
    const size_t at = c.find("C_RA2ZAZ_");
    if (at != std::string::npos) return c.substr(at + 9, c.find('_', at + 9) - at - 9);
    return c;
}

bool isHostWindow(HWND window) {
    if (window == g_ui->driver) return true;
    for (const EffectSlot& slot : g_slots)
        if (window == slot.frame) return true;
    return false;
}

BOOL CALLBACK addPopup(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && !isHostWindow(window))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

BOOL CALLBACK addWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Visible top-level windows of this thread that are not the host's: menus,
// dialogs, the adjust window.
std::vector<HWND> popups() {
    std::vector<HWND> list;
    EnumThreadWindows(GetCurrentThreadId(), addPopup, reinterpret_cast<LPARAM>(&list));
    return list;
}

std::vector<HWND> childrenOf(HWND parent) {
    std::vector<HWND> list;
    EnumChildWindows(parent, addWindow, reinterpret_cast<LPARAM>(&list));
    return list;
}

// The open editors' panels and controls.
std::vector<HWND> editorWindows() {
    std::vector<HWND> list;
    for (const EffectSlot& slot : g_slots) {
        if (!slot.editorOpen) continue;
        for (HWND w : childrenOf(slot.frame)) list.push_back(w);
    }
    return list;
}

// Every window of this thread, children included.
int windowCount() {
    std::vector<HWND> top;
    EnumThreadWindows(GetCurrentThreadId(), addWindow, reinterpret_cast<LPARAM>(&top));
    int count = static_cast<int>(top.size());
    for (HWND w : top) count += static_cast<int>(childrenOf(w).size());
    return count;
}

// ---- the host's part

void loadEffect(EffectSlot& slot);

HINSTANCE WINAPI shellStub(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT) {
    ++g_ui->summary.shellCalls;
    g_uiActions.log("the shell opens %s (%s)", file ? file : "(null)", verb ? verb : "(null)");
    // Half the time the shell takes a while and pumps messages meanwhile, as
    // it may while it starts a browser: the host's timer runs inside.
    if (g_ui->rng.chance(0.5)) {
        const DWORD until = GetTickCount() + 150;
        while (GetTickCount() < until) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_QUIT) {
                    PostQuitMessage(static_cast<int>(msg.wParam));
                    return reinterpret_cast<HINSTANCE>(33);
                }
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(5);
        }
    }
    return reinterpret_cast<HINSTANCE>(33);
}

void loadEffect(EffectSlot& slot) {
    std::string error;
    if (!load_effect(slot, g_ui->options.plugin, reinterpret_cast<void*>(shellStub), error))
        fail_stress("load", "%s", error.c_str());
    ++g_ui->summary.effectLoads;
}

void openEditor(EffectSlot& slot) {
    open_editor(slot);
    ++g_ui->summary.editorOpens;
}

int slotIndex(const EffectSlot& slot) { return static_cast<int>(&slot - g_slots); }

void toggleEditor(EffectSlot& slot, const char* when) {
    g_uiActions.log("slot %d: %s the editor%s", slotIndex(slot), slot.editorOpen ? "close" : "open", when);
    if (slot.editorOpen)
        close_editor(slot);
    else
        openEditor(slot);
}

void reopenEffect(EffectSlot& slot, const char* when) {
    Random& rng = g_ui->rng;
    const bool editorFirst = rng.chance(0.5);
    g_uiActions.log("slot %d: close the effect (%s) and load it again%s", slotIndex(slot),
                    editorFirst ? "editor first" : "effClose alone", when);
    close_effect(slot, editorFirst);
    loadEffect(slot);
    if (rng.chance(0.7)) openEditor(slot);
}

void reconfigure(EffectSlot& slot) {
    static const float rates[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f, 8000.0f, 192000.0f,
                                  100.0f,   50.0f,    0.0f,     1e6f};
    static const int32_t blocks[] = {1, 64, 512, 4096, 8192, 0};
    const float rate = g_ui->rng.pick(rates);
    const int32_t block = g_ui->rng.pick(blocks);
    g_uiActions.log("slot %d: suspend, rate %g, block size %d, resume", slotIndex(slot), rate, block);
    reconfigure_effect(slot, rate, block);
}

void chunkFromUi(EffectSlot& slot) {
    unsigned char bytes[64];
    char description[200];
    random_chunk(g_ui->rng, bytes, description, sizeof description);
    g_uiActions.log("slot %d: set chunk on the UI thread, %s", slotIndex(slot), description);
    slot.host.dispatch(effSetChunk, 0, 64, bytes);
}

void programName(EffectSlot& slot) {
    static const char* const names[] = {"", "Loud", "A name far longer than any entry of a program holds"};
    const char* name = g_ui->rng.pick(names);
    g_uiActions.log("slot %d: program name \"%s\"", slotIndex(slot), name);
    char back[256];
    slot.host.dispatch(effSetProgramName, 0, 0, const_cast<char*>(name));
    slot.host.dispatch(effGetProgramName, 0, 0, back);
}

// The slot whose editor a menu or dialog belongs to (through its owner
// window, or the window that tracks the menu); `otherwise` when none does.
EffectSlot& slotOwning(HWND popup, EffectSlot& otherwise) {
    HWND owner = GetWindow(popup, GW_OWNER);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (owner == nullptr && GetGUIThreadInfo(GetCurrentThreadId(), &info)) owner = info.hwndMenuOwner;
    const HWND root = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
    for (EffectSlot& slot : g_slots)
        if (slot.frame == root) return slot;
    return otherwise;
}

// Now and then the host does something of its own; more often while a menu
// or dialog of the plug-in is up, to close what it belongs to under it.
void hostAction(const std::vector<HWND>& up) {
    Random& rng = g_ui->rng;
    EffectSlot& slot = g_slots[rng.below(kEffectSlots)];
    if (!up.empty() && rng.chance(0.03)) {
        HWND popup = up[rng.below(static_cast<uint32_t>(up.size()))];
        EffectSlot& owner = slotOwning(popup, slot);
        ++g_ui->summary.closesUnderPopup;
        const std::string when = " while its " + nameOf(popup) + " is up";
        if (owner.editorOpen && rng.chance(0.5))
            toggleEditor(owner, when.c_str());
        else
            reopenEffect(owner, when.c_str());
        return;
    }
    const double p = rng.unit();
    if (p < 0.006)
        toggleEditor(slot, "");
    else if (p < 0.008)
        reopenEffect(slot, "");
    else if (p < 0.010)
        reconfigure(slot);
    else if (p < 0.013)
        chunkFromUi(slot);
    else if (p < 0.015)
        programName(slot);
    else if (p < 0.018) {
        g_uiActions.log("slot %d: bring the host window forward", slotIndex(slot));
        SetForegroundWindow(slot.frame);
    }
}

// ---- the person's part

POINT pointIn(HWND window) {
    Random& rng = g_ui->rng;
    RECT r = {};
    GetWindowRect(window, &r);
    // Mostly inside; sometimes just beside it.
    const int margin = rng.chance(0.1) ? 30 : 0;
    return {rng.between(r.left - margin, r.right - 1 + margin), rng.between(r.top - margin, r.bottom - 1 + margin)};
}

const WORD kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,     VK_DOWN, VK_INSERT, VK_RETURN, VK_ESCAPE,     VK_TAB,
                      VK_SPACE, VK_BACK, VK_DELETE, VK_HOME, VK_END,    VK_PRIOR,  VK_NEXT,       '0',
                      '1',     '5',      '9',       'E',     VK_OEM_PERIOD, VK_OEM_MINUS, VK_F1};
const WORD kTyped[] = {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', VK_OEM_PERIOD, VK_OEM_MINUS, 'E', VK_BACK};

struct Modifiers {
    bool control, shift;
};

Modifiers randomModifiers() {
    const uint32_t r = g_ui->rng.below(10);
    return {r == 6 || r == 8, r == 7 || r == 8};
}

void pressModifiers(const Modifiers& m, bool down) {
    if (m.control) g_ui->input.key(VK_CONTROL, down);
    if (m.shift) g_ui->input.key(VK_SHIFT, down);
}

const char* modifierText(const Modifiers& m) {
    return m.control && m.shift ? " +ctrl+shift" : m.control ? " +ctrl" : m.shift ? " +shift" : "";
}

void queueGesture(const std::vector<HWND>& up) {
    Random& rng = g_ui->rng;
    UserInput& in = g_ui->input;
    HWND target = nullptr;
    if (!up.empty() && rng.chance(0.6)) {
        target = up[rng.below(static_cast<uint32_t>(up.size()))];
        const std::vector<HWND> inside = childrenOf(target);
        if (!inside.empty() && rng.chance(0.5)) target = inside[rng.below(static_cast<uint32_t>(inside.size()))];
    } else {
        // The panel as often as any control: its menu is the editor's own.
        std::vector<HWND> editors = editorWindows();
        if (rng.chance(0.2)) {
            std::vector<HWND> panels;
            for (HWND w : editors)
                if (GetParent(w) != nullptr && isHostWindow(GetParent(w))) panels.push_back(w);
            editors.swap(panels);
        }
        if (!editors.empty()) target = editors[rng.below(static_cast<uint32_t>(editors.size()))];
    }
    if (target == nullptr) target = g_slots[rng.below(kEffectSlots)].frame;
    const POINT at = pointIn(target);
    const Modifiers m = randomModifiers();
    const std::string name = nameOf(target);
    ++g_ui->summary.gestures;

    const uint32_t kind = rng.below(100);
    in.moveTo(at);
    if (kind < 45) {
        static const MouseButton buttons[] = {kLeftButton, kLeftButton, kLeftButton, kRightButton, kRightButton,
                                              kMiddleButton};
        static const char* const names[] = {"left", "left", "left", "right", "right", "middle"};
        const uint32_t b = rng.below(6);
        g_uiActions.log("%s click%s on %s at %ld,%ld", names[b], modifierText(m), name.c_str(), at.x, at.y);
        pressModifiers(m, true);
        in.click(buttons[b]);
        pressModifiers(m, false);
    } else if (kind < 52) {
        g_uiActions.log("double click on %s at %ld,%ld", name.c_str(), at.x, at.y);
        in.click(kLeftButton);
        in.click(kLeftButton);
    } else if (kind < 68) {
        const int moves = rng.between(1, 12);
        const MouseButton b = rng.chance(0.85) ? kLeftButton : kRightButton;
        g_uiActions.log("%s drag%s on %s from %ld,%ld, %d moves", b == kLeftButton ? "left" : "right",
                        modifierText(m), name.c_str(), at.x, at.y, moves);
        pressModifiers(m, true);
        in.button(b, true);
        POINT p = at;
        for (int i = 0; i < moves; ++i) {
            const int reach = rng.chance(0.2) ? 300 : 40;
            p.x += rng.between(-reach, reach);
            p.y += rng.between(-reach, reach);
            in.moveTo(p);
        }
        in.button(b, false);
        pressModifiers(m, false);
    } else if (kind < 78) {
        static const int deltas[] = {120, -120, 240, -240, 40, -40, 360, -600};
        const int delta = rng.pick(deltas);
        g_uiActions.log("wheel %d%s on %s at %ld,%ld", delta, modifierText(m), name.c_str(), at.x, at.y);
        pressModifiers(m, true);
        in.wheel(delta);
        pressModifiers(m, false);
    } else if (kind < 92) {
        const int count = rng.between(1, 5);
        g_uiActions.log("%d keys%s over %s", count, modifierText(m), name.c_str());
        pressModifiers(m, true);
        for (int i = 0; i < count; ++i) in.tap(rng.pick(kKeys));
        pressModifiers(m, false);
    } else {
        const int count = rng.between(1, 10);
        const uint32_t end = rng.below(10);
        g_uiActions.log("type %d characters then %s", count, end < 5 ? "Enter" : end < 8 ? "Escape" : "nothing");
        for (int i = 0; i < count; ++i) in.tap(rng.pick(kTyped));
        if (end < 5) in.tap(VK_RETURN);
        else if (end < 8) in.tap(VK_ESCAPE);
    }
}

// ---- counting what is left

void settle() {
    for (int round = 0; round < 10; ++round) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// With every effect closed and the module unloaded, counts the windows and
// GDI objects left; the first count is the baseline.
void countLeftovers() {
    UiState& ui = *g_ui;
    ui.input.releaseAll();
    for (EffectSlot& slot : g_slots) close_effect(slot, ui.rng.chance(0.5));
    FreeLibrary(ui.moduleHold);
    ui.moduleHold = nullptr;
    watch_plugin_module(nullptr);
    settle();
    const int windows = windowCount();
    const int32_t gdi = live_gdi_objects();
    ++ui.summary.checkpoints;
    ui.summary.windows = windows;
    ui.summary.gdiObjects = gdi;
    g_uiActions.log("checkpoint: every effect closed: %d windows, %d GDI objects", windows, gdi);
    for (const EffectSlot& slot : g_slots)
        if (!IsWindowEnabled(slot.frame))
            fail_stress("disabled", "the host window of slot %d is left disabled with no dialog up",
                        slotIndex(slot));
    if (ui.baselineWindows < 0) ui.baselineWindows = windows;
    if (windows > ui.baselineWindows)
        fail_stress("leak", "%d windows left with every effect closed, %d at the first count", windows,
                    ui.baselineWindows);
    if (gdi < 0) return;
    if (stress_clock() < kGdiWarmUpMs) {
        if (gdi > ui.baselineGdi) ui.baselineGdi = gdi;
    } else if (ui.baselineGdi >= 0 && gdi > ui.baselineGdi + kGdiSlack) {
        fail_stress("leak", "%d GDI objects left with every effect closed, at most %d in the first minute", gdi,
                    ui.baselineGdi);
    }
}

void loadAll() {
    UiState& ui = *g_ui;
    ui.moduleHold = LoadLibraryA(ui.options.plugin.c_str());
    if (ui.moduleHold == nullptr) fail_stress("load", "cannot load %s", ui.options.plugin.c_str());
    watch_plugin_module(ui.moduleHold);
    for (EffectSlot& slot : g_slots) {
        loadEffect(slot);
        if (ui.rng.chance(0.8)) openEditor(slot);
    }
}

// Ends the menus and dialogs that are up, as a person would first (Escape),
// then as the host must.
void unwind(uint32_t now) {
    UiState& ui = *g_ui;
    if (ui.unwindingSince == 0) {
        ui.unwindingSince = now;
        ui.input.releaseAll();
        g_uiActions.log("ending the menus and dialogs that are up");
    }
    const uint32_t waited = now - ui.unwindingSince;
    if (waited > kUnwindLimitMs)
        fail_stress("hang", "a menu or dialog loop did not end in %u s of Escape, EndMenu and WM_CLOSE",
                    kUnwindLimitMs / 1000);
    if (waited < 500) {
        if (ui.ticks % 5 == 0) {
            ui.input.tap(VK_ESCAPE);
            ui.input.send(2);
        }
        return;
    }
    EndMenu();
    for (HWND w : popups())
        if (classOf(w) != "#32768") PostMessageA(w, WM_CLOSE, 0, 0);
}

void onTick() {
    UiState& ui = *g_ui;
    if (ui.inTick || ui.quitting) return;
    ui.inTick = true;
    const bool nested = !ui.timerFromMainLoop;
    beat(kUiThread);
    ++ui.ticks;
    const uint32_t now = stress_clock();
    const bool finishing = now >= ui.endAt;
    if (finishing || now >= ui.nextCheckpoint) {
        if (nested) {
            unwind(now);
        } else if (finishing) {
            ui.quitting = true;
            PostQuitMessage(0);
        } else {
            countLeftovers();
            loadAll();
            ui.unwindingSince = 0;
            ui.nextCheckpoint = stress_clock() + ui.options.checkpointSeconds * 1000u;
        }
        ui.inTick = false;
        return;
    }
    const std::vector<HWND> up = popups();
    if (!up.empty()) ++ui.summary.popupTicks;
    // Every other two seconds the host gives no idle calls, as some hosts
    // never do: the editors' meters then read from their own timers.
    if (ui.ticks % 3 == 0 && (now / 2000u) % 2u == 0) {
        for (EffectSlot& slot : g_slots)
            if (slot.editorOpen) slot.host.dispatch(effEditIdle);
    }
    hostAction(up);
    if (ui.input.empty()) queueGesture(up);
    ui.input.send(ui.rng.between(1, 3));
    ui.inTick = false;
}

LRESULT CALLBACK driverProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kTickTimer) {
        onTick();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The host's windows stay until the end, whatever the input asks.
LRESULT CALLBACK frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

void createHostWindows() {
    WNDCLASSA wc = {};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = frameProcedure;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = driverProcedure;
    wc.lpszClassName = kDriverClass;
    RegisterClassA(&wc);
    for (int i = 0; i < kEffectSlots; ++i) {
        g_slots[i].frame = CreateWindowExA(0, kFrameClass, "Q-Clamper stress", WS_POPUP | WS_VISIBLE, 40,
                                           40 + i * 180, 549, 93, nullptr, nullptr, wc.hInstance, nullptr);
    }
    g_ui->driver = CreateWindowExA(0, kDriverClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(g_slots[0].frame);
}

}  // namespace

void run_ui_stress(const UiStressOptions& options, UiStressSummary& summary,
                   const std::function<void()>& stopOtherThreads) {
    UiState ui(options, summary);
    g_ui = &ui;
    createHostWindows();
    ui.endAt = stress_clock() + options.seconds * 1000u;
    ui.nextCheckpoint = stress_clock() + options.checkpointSeconds * 1000u;
    loadAll();
    SetTimer(ui.driver, kTickTimer, kTickMilliseconds, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ui.timerFromMainLoop = msg.hwnd == ui.driver && msg.message == WM_TIMER;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        ui.timerFromMainLoop = false;
    }
    KillTimer(ui.driver, kTickTimer);
    ui.inTick = true;  // no more ticks from the counting's own pumping
    stopOtherThreads();
    countLeftovers();
    for (EffectSlot& slot : g_slots) DestroyWindow(slot.frame);
    DestroyWindow(ui.driver);
    g_ui = nullptr;
}
