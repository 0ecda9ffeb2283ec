// The limiter's editor: its rectangle, its window and class, the panel it
// paints, its menu and links, and what knob and button changes do to the
// engine. Real windows under a real message loop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "editor/EditorBitmaps.h"
#include "editor/EditorLinks.h"
#include "editor/LimiterEditor.h"
#include "limiter/LimiterPlugin.h"
#include "plugin/ModuleInstance.h"
#include "resources/resource_ids.h"
#include "tests/support/ImportHook.h"
#include "tests/support/TestHost.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/WindowClasses.h"
#include "toolkit/ControlData.h"
#include "toolkit/knob/Knob.h"
#include "tests/toolkit/GdiObjectCounter.h"
#include "EditorFixture.h"

namespace {

bool editorClassRegistered() {
    WNDCLASSA info;
    return GetClassInfoA(moduleInstance(), kEditorClassName, &info) != 0;
}

bool toolkitClassRegistered() {
    WNDCLASSA info;
    return GetClassInfoA(moduleInstance(), kRotatifClassName, &info) != 0;
}

// Stand-ins for the toolkit controls: windows that log the commands they
// receive and can run a check while they are destroyed.
struct ProbeCommand {
    HWND window;
    WPARAM command;
    float value;
};
std::vector<ProbeCommand> g_probeCommands;
std::function<void()> g_onProbeDestroyed;

LRESULT CALLBACK probeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        g_probeCommands.push_back({window, wParam, bits_float(static_cast<uint32_t>(lParam))});
        return 0;
    }
    if (message == WM_DESTROY && g_onProbeDestroyed) g_onProbeDestroyed();
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND createProbe(HWND parent) {
    static const ATOM probeClass = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = probeProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QcEditorTestProbe";
        return RegisterClassA(&windowClass);
    }();
    EXPECT_NE(probeClass, 0);
    return CreateWindowExA(0, "QcEditorTestProbe", "", WS_CHILD, 0, 0, 4, 4, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Probes in place of the five controls of an open editor.
void plantProbes(EditorControls& controls) {
    g_probeCommands.clear();
    for (HWND* control : {&controls.muteButton, &controls.compressionKnob, &controls.gainKnob,
                          &controls.velocityKnob, &controls.limitKnob}) {
        *control = createProbe(controls.editorWindow);
        ASSERT_NE(*control, nullptr);
    }
}

using Editor = EditorFixture;

TEST_F(Editor, RectangleIsThePanelSizeOpenOrNot) {
    ERect* rect = nullptr;
    EXPECT_EQ(fx.dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 93);
    EXPECT_EQ(rect->right, 549);
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    ERect* again = nullptr;
    EXPECT_EQ(fx.dispatch(effEditGetRect, 0, 0, &again), 1);
    EXPECT_EQ(again, rect);
    fx.dispatch(effEditClose);

    // A host that adjusts the rectangle in place changes no later answer.
    rect->right = 100;
    rect->bottom = 50;
    EXPECT_EQ(fx.dispatch(effEditGetRect, 0, 0, &again), 1);
    EXPECT_EQ(again->bottom, 93);
    EXPECT_EQ(again->right, 549);
}

TEST_F(Editor, OpenCreatesAChildWindowOfThePanelSizeAndCloseDestroysIt) {
    EXPECT_EQ(fx.dispatch(effEditOpen, 0, 0, parent.handle), 1);
    HWND window = editor()->window;
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), parent.handle);
    EXPECT_EQ(editor()->isOpen, 1);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 549);
    EXPECT_EQ(client.bottom, 93);
    EXPECT_TRUE(IsMenu(editor()->popupMenu));
    EXPECT_EQ(editor()->controls.editorWindow, window);
    EXPECT_EQ(editor()->controls.engine, engine());

    fx.dispatch(effEditClose);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(editor()->window, nullptr);
    EXPECT_EQ(editor()->isOpen, 0);
}

TEST_F(Editor, ClassLivesWhileAnyEditorIsOpen) {
    HostedEffect other(pluginMain(TestHost::callback()));
    EXPECT_FALSE(editorClassRegistered());
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    other.dispatch(effEditOpen, 0, 0, parent.handle);
    EXPECT_EQ(LimiterEditor::openEditorCount, 2);
    fx.dispatch(effEditClose);
    EXPECT_TRUE(editorClassRegistered());
    other.dispatch(effEditClose);
    EXPECT_FALSE(editorClassRegistered());
    EXPECT_EQ(LimiterEditor::openEditorCount, 0);
}

TEST_F(Editor, UnpairedOpenAndCloseAreTolerated) {
    fx.dispatch(effEditClose);  // close before any open
    EXPECT_EQ(LimiterEditor::openEditorCount, 0);
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    HWND first = editor()->window;
    fx.dispatch(effEditOpen, 0, 0, parent.handle);  // again, without close
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindow(editor()->window));
    EXPECT_EQ(LimiterEditor::openEditorCount, 1);
    fx.dispatch(effEditClose);
    fx.dispatch(effEditClose);
    EXPECT_EQ(LimiterEditor::openEditorCount, 0);
    EXPECT_FALSE(editorClassRegistered());

    // No window could be made (a child needs a parent): open still answers 1,
    // but the editor does not count as open, so a chunk refreshes nothing.
    EXPECT_EQ(fx.dispatch(effEditOpen, 0, 0, nullptr), 1);
    EXPECT_EQ(editor()->window, nullptr);
    EXPECT_EQ(editor()->isOpen, 0);
    LimiterParams params;
    getParams(engine(), &params);
    EXPECT_EQ(fx.dispatch(effSetChunk, 0, 64, &params), 64);
    fx.dispatch(effEditClose);
    EXPECT_EQ(LimiterEditor::openEditorCount, 0);
}

TEST_F(Editor, ReopeningGivesAFreshWindowAndMenu) {
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    HWND window = editor()->window;
    HMENU menu = editor()->popupMenu;
    fx.dispatch(effEditClose);
    EXPECT_FALSE(IsMenu(menu));
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    EXPECT_TRUE(IsWindow(editor()->window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(IsMenu(editor()->popupMenu));
    fx.dispatch(effEditClose);
}

TEST_F(Editor, EffectClosedWithItsEditorOpenTakesTheWindowAlong) {
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    HWND window = editor()->window;
    // A control of the window, destroyed with it, still finds the engine,
    // the bitmaps and the toolkit: they go only after the window.
    const int32_t engines = liveEngineCount();
    ASSERT_NE(createProbe(window), nullptr);
    bool probeDestroyed = false, toolkitUp = false, bitmapsUp = false, engineUp = false;
    g_onProbeDestroyed = [&] {
        probeDestroyed = true;
        toolkitUp = toolkitClassRegistered();
        bitmapsUp = g_editorBitmaps.background != nullptr;
        engineUp = liveEngineCount() == engines;
    };
    fx.close();
    g_onProbeDestroyed = nullptr;
    EXPECT_TRUE(probeDestroyed);
    EXPECT_TRUE(toolkitUp);
    EXPECT_TRUE(bitmapsUp);
    EXPECT_TRUE(engineUp);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(LimiterEditor::openEditorCount, 0);
    EXPECT_FALSE(editorClassRegistered());
    EXPECT_FALSE(toolkitClassRegistered());
    EXPECT_EQ(liveEngineCount(), engines - 1);
}

TEST_F(Editor, ErasingPaintsThePanel) {
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    HDC screen = GetDC(nullptr);
    HDC target = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 549, 93);
    HGDIOBJ old = SelectObject(target, canvas);
    EXPECT_EQ(SendMessageA(editor()->window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target), 0), -1);

    // The same pixels as the panel bitmap drawn directly.
    HDC reference = CreateCompatibleDC(screen);
    HBITMAP panel = LoadBitmapA(moduleInstance(), MAKEINTRESOURCEA(QC_BMP_PANEL));
    ASSERT_NE(panel, nullptr);
    HGDIOBJ oldPanel = SelectObject(reference, panel);
    int differing = 0;
    for (int y = 0; y < 93; y += 7) {
        for (int x = 0; x < 549; x += 11) {
            if (GetPixel(target, x, y) != GetPixel(reference, x, y)) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
    SelectObject(reference, oldPanel);
    DeleteObject(panel);
    DeleteDC(reference);
    SelectObject(target, old);
    DeleteObject(canvas);
    DeleteDC(target);
    ReleaseDC(nullptr, screen);
    fx.dispatch(effEditClose);
}

TEST_F(Editor, ChunkWhileOpenOrClosedKeepsTheEditorWorking) {
    LimiterParams params;
    getParams(engine(), &params);
    params.channel[0].gain = 0.5f;
    fx.dispatch(effSetChunk, 0, 64, &params);  // closed: nothing to refresh
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    params.channel[0].compression = 3.0f;
    EXPECT_EQ(fx.dispatch(effSetChunk, 0, 64, &params), 64);
    fx.dispatch(effEditIdle);
    pumpMessages();
    LimiterParams back;
    getParams(engine(), &back);
    EXPECT_EQ(std::memcmp(&params, &back, 64), 0);  // a refresh never writes back
    fx.dispatch(effEditClose);
}

TEST_F(Editor, ChunkRefreshesTheControlsFromChannelOneInOrder) {
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    EditorControls& controls = editor()->controls;
    plantProbes(controls);
    LimiterParams params;
    getParams(engine(), &params);
    params.channel[0] = {3.0f, 0.5f, 20.0f, 0.5f};
    params.channel[1] = {7.0f, 2.0f, 90.0f, 0.3f};  // never shown
    setMute(engine(), 1);
    fx.dispatch(effSetChunk, 0, 64, &params);  // this thread: at once, no pumping
    const float gainDb = static_cast<float>(20.0 * std::log10(0.5));
    const std::vector<std::pair<HWND, float>> expected = {
        {controls.compressionKnob, 3.0f}, {controls.gainKnob, gainDb},
        {controls.velocityKnob, 20.0f},   {controls.limitKnob, 0.5f},
        {controls.muteButton, 1.0f}};
    ASSERT_EQ(g_probeCommands.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(g_probeCommands[i].window, expected[i].first) << "command " << i;
        EXPECT_EQ(g_probeCommands[i].command, 4u) << "command " << i;
        EXPECT_EQ(g_probeCommands[i].value, expected[i].second) << "command " << i;
    }
    EXPECT_NEAR(gainDb, -6.0206f, 1e-4f);

    // Not muted: the button is left alone.
    setMute(engine(), 0);
    g_probeCommands.clear();
    fx.dispatch(effSetChunk, 0, 64, &params);
    ASSERT_EQ(g_probeCommands.size(), 4u);
    EXPECT_NE(g_probeCommands.back().window, controls.muteButton);
    fx.dispatch(effEditClose);
}

// A host that loads a chunk, or calls the editor's idle after setting a
// parameter, on a worker thread while its window thread waits for the
// worker: the call must not wait for the window thread, and the controls are
// refreshed when that thread next pumps its messages.
struct WorkerCall {
    AEffect* effect;
    int32_t opcode;
    LimiterParams params;
    int32_t answer;
};

DWORD WINAPI callFromWorker(void* argument) {
    auto* call = static_cast<WorkerCall*>(argument);
    call->answer = call->effect->dispatcher(call->effect, call->opcode, 0, 64, &call->params, 0.0f);
    return 0;
}

TEST_F(Editor, CallsFromAnotherThreadNeverWaitForTheWindowThread) {
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    const HWND gainKnob = editor()->controls.gainKnob;
    // Also at the moment the window thread has just let go of the window
    // (still open, no window any more): nothing to refresh then. The idle
    // call comes during a drag, whose gesture it must not end.
    const struct { int32_t opcode; bool windowGone; int32_t answer; float gainShown; } calls[] = {
        {effSetChunk, false, 64, static_cast<float>(20.0 * std::log10(0.5))},
        {effSetChunk, true, 64, 0.0f},
        {effEditIdle, false, 0, 12.0f},
    };
    for (const auto& c : calls) {
        SCOPED_TRACE(c.opcode * 10 + c.windowGone);
        plantProbes(editor()->controls);
        const HWND window = editor()->window;
        if (c.windowGone) editor()->window = nullptr;
        WorkerCall call = {fx.record(), c.opcode, {}, -1};
        getParams(engine(), &call.params);
        call.params.channel[0].gain = 0.5f;
        call.params.channel[1].gain = 0.5f;
        if (c.opcode == effEditIdle) {
            SendMessageA(gainKnob, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
            SendMessageA(gainKnob, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(16, 136));
            fx.setParameter(kGainSetting, 0.75f);
            host.clear();
        }
        HANDLE worker = CreateThread(nullptr, 0, callFromWorker, &call, 0, nullptr);
        ASSERT_NE(worker, nullptr);
        // Wait without pumping, as the blocked window thread would.
        const DWORD waited = WaitForSingleObject(worker, 3000);
        const std::size_t commandsBeforePumping = g_probeCommands.size();
        while (MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
            pumpMessages();  // let a blocked worker finish either way
        CloseHandle(worker);
        editor()->window = window;
        EXPECT_EQ(waited, static_cast<DWORD>(WAIT_OBJECT_0)) << "the call waited for this thread";
        EXPECT_EQ(call.answer, c.answer);
        EXPECT_EQ(commandsBeforePumping, 0u);

        pumpMessages();
        if (c.opcode == effEditIdle) {
            EXPECT_EQ(host.countOf(audioMasterEndEdit), 0);
            SendMessageA(gainKnob, WM_LBUTTONUP, 0, MAKELPARAM(16, 136));
            EXPECT_EQ(host.countOf(audioMasterEndEdit), 1);
        }
        ASSERT_EQ(g_probeCommands.size(), c.windowGone ? 0u : 4u);
        if (c.windowGone) continue;
        EXPECT_EQ(g_probeCommands[1].window, editor()->controls.gainKnob);
        EXPECT_EQ(g_probeCommands[1].value, c.gainShown);
    }
    fx.dispatch(effEditClose);
}

TEST_F(Editor, ManyOpenCloseCyclesLeakNothing) {
    // The first cycle paints too, so that what the system creates once for
    // painting is there before counting.
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    pumpMessages();
    fx.dispatch(effEditClose);
    pumpMessages();
    const int32_t gdiBefore = live_gdi_objects();
    for (int i = 0; i < 200; ++i) {
        fx.dispatch(effEditOpen, 0, 0, parent.handle);
        pumpMessages();
        // The panel's menu and each knob's own go with the window.
        std::vector<HMENU> menus = {editor()->popupMenu};
        const EditorControls& c = editor()->controls;
        for (HWND knob : {c.compressionKnob, c.gainKnob, c.velocityKnob, c.limitKnob})
            menus.push_back(static_cast<const KnobRecord*>(get_control_data(knob))->menu);
        fx.dispatch(effEditClose);
        for (HMENU menu : menus) ASSERT_FALSE(IsMenu(menu)) << "cycle " << i;
    }
    pumpMessages();
    EXPECT_EQ(GetWindow(parent.handle, GW_CHILD), nullptr);
    if (gdiBefore >= 0) {
        EXPECT_LE(live_gdi_objects(), gdiBefore);
    }
}

TEST_F(Editor, MenuOffersTheWebPagesAndLinksKnowTheirCommands) {
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    HMENU menu = editor()->popupMenu;
    ASSERT_EQ(GetMenuItemCount(menu), 4);  // then a separator and the modes
    EXPECT_EQ(GetMenuItemID(menu, 0), 890u);
    char text[64] = {};
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "See KS's Web Pages...");
    EXPECT_FALSE(openLink(editor()->window, 892));
    EXPECT_EQ(SendMessageA(editor()->window, WM_COMMAND, 892, 0), 1);
    EXPECT_EQ(SendMessageA(editor()->window, WM_LBUTTONDOWN, 0, 0), 0);
    fx.dispatch(effEditClose);
}

// The host closes the editor while the panel's menu is up (a host timer, a
// message from another of its threads): the menu must outlive its loop.
enum class CloseInMenu { Editor, Effect, EditorThenReopen };

struct PanelMenuWatch {
    HMENU menu = nullptr;
    std::function<void()> closeHost;
    bool closed = false, validInsideLoop = false, validWhenLoopEnded = false;
} g_panelMenu;

using TrackPopupMenuFunction = BOOL(WINAPI*)(HMENU, UINT, int, int, int, HWND, const RECT*);
TrackPopupMenuFunction g_realTrackPopupMenu;

BOOL WINAPI watchTrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                                const RECT* rect) {
    const BOOL answer = g_realTrackPopupMenu(menu, flags, x, y, reserved, owner, rect);
    if (menu == g_panelMenu.menu) g_panelMenu.validWhenLoopEnded = IsMenu(menu) != 0;
    return answer;
}

void CALLBACK closeInsidePanelMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_panelMenu.closeHost();
    g_panelMenu.closed = true;
    g_panelMenu.validInsideLoop = IsMenu(g_panelMenu.menu) != 0;
    EndMenu();
}

TEST_F(Editor, ClosedFromInsideItsPanelMenuTheMenuLastsUntilItsLoopEnds) {
    g_realTrackPopupMenu = reinterpret_cast<TrackPopupMenuFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "TrackPopupMenu")));
    ASSERT_TRUE(replaceImport(GetModuleHandleA(nullptr), "user32.dll", "TrackPopupMenu",
                              reinterpret_cast<void*>(watchTrackPopupMenu)));
    for (const CloseInMenu how : {CloseInMenu::Editor, CloseInMenu::Effect, CloseInMenu::EditorThenReopen}) {
        SCOPED_TRACE(static_cast<int>(how));
        HostedEffect effect(pluginMain(TestHost::callback()));
        effect.dispatch(effEditOpen, 0, 0, parent.handle);
        const HWND window = editorOf(effect)->window;
        g_panelMenu = {editorOf(effect)->popupMenu, [&] {
                           if (how == CloseInMenu::Effect) {
                               effect.close();
                               return;
                           }
                           effect.dispatch(effEditClose);
                           if (how == CloseInMenu::EditorThenReopen)
                               effect.dispatch(effEditOpen, 0, 0, parent.handle);
                       }};
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, closeInsidePanelMenu);
        SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 50));
        KillTimer(nullptr, timer);
        ASSERT_TRUE(g_panelMenu.closed);
        EXPECT_TRUE(g_panelMenu.validInsideLoop);
        EXPECT_TRUE(g_panelMenu.validWhenLoopEnded);
        EXPECT_FALSE(IsMenu(g_panelMenu.menu));
        EXPECT_FALSE(IsWindow(window));
        if (how == CloseInMenu::EditorThenReopen) {
            // The new window has its own menu, which the old loop leaves alone.
            EXPECT_TRUE(IsMenu(editorOf(effect)->popupMenu));
            EXPECT_NE(editorOf(effect)->popupMenu, g_panelMenu.menu);
            effect.dispatch(effEditClose);
        }
    }
    // A menu left up to the user goes back into the editor afterwards.
    fx.dispatch(effEditOpen, 0, 0, parent.handle);
    g_panelMenu = {editor()->popupMenu, [] {}};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, closeInsidePanelMenu);
    SendMessageA(editor()->window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 50));
    KillTimer(nullptr, timer);
    EXPECT_EQ(editor()->popupMenu, g_panelMenu.menu);
    EXPECT_TRUE(IsMenu(editor()->popupMenu));
    fx.dispatch(effEditClose);
    EXPECT_FALSE(IsMenu(g_panelMenu.menu));
}

TEST(EditorCallbacks, KnobsWriteBothChannelsAndMuteFollowsTheButton) {
    LimiterEngine* engine = createEngine();
    EditorControls controls;
    setupControls(&controls, engine);
    onKnobChanged(&controls, kGainKnobId, float_bits(6.0f));
    LimiterParams p;
    getParams(engine, &p);
    EXPECT_EQ(p.channel[0].gain, 1.9952624f);
    EXPECT_EQ(p.channel[1].gain, 1.9952624f);
    onKnobChanged(&controls, kGainKnobId | 0x10000, float_bits(0.0f));
    getParams(engine, &p);
    EXPECT_EQ(p.channel[1].gain, 1.0f);
    onKnobChanged(&controls, kGainKnobId, float_bits(-24.0f));
    getParams(engine, &p);
    EXPECT_EQ(p.channel[0].gain, 0.063095734f);

    onKnobChanged(&controls, kCompressionKnobId, float_bits(4.5f));
    onKnobChanged(&controls, kVelocityKnobId, float_bits(50.0f));
    onKnobChanged(&controls, kLimitKnobId, float_bits(0.25f));
    getParams(engine, &p);
    for (const ChannelParams& c : p.channel) {
        EXPECT_EQ(c.compression, 4.5f);
        EXPECT_EQ(c.velocity, 50.0f);
        EXPECT_EQ(c.limit, 0.25f);
    }
    onKnobChanged(&controls, 9, float_bits(3.0f));  // no knob of that id: nothing changes
    LimiterParams same;
    getParams(engine, &same);
    EXPECT_EQ(std::memcmp(&p, &same, 64), 0);

    onMuteChanged(&controls, 0, float_bits(1.0f));
    EXPECT_EQ(getMute(engine), 1);
    onMuteChanged(&controls, 0, float_bits(0.5f));
    EXPECT_EQ(getMute(engine), 0);

    EXPECT_EQ(gainToDecibels(0.5f), static_cast<float>(20.0 * std::log10(0.5)));
    EXPECT_NEAR(gainToDecibels(0.5f), -6.0206f, 1e-4f);

    // Without an engine the callbacks and the refresh have nothing to touch.
    setupControls(&controls, nullptr);
    EXPECT_EQ(onKnobChanged(&controls, kGainKnobId, float_bits(1.0f)), 0);
    EXPECT_EQ(refreshControls(&controls), 0);
    destroyEngine(&engine);
}

}  // namespace
