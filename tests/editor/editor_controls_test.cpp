// The editor with its real controls, end to end: the knobs and the mute
// button where the panel expects them, what a user's drags, clicks and typed
// values do to the engine and the audio, and how a host's chunk moves them.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "editor/EditorLinks.h"
#include "editor/ModeIndicator.h"
#include "editor/PanelColours.h"
#include "limiter/ModeParameter.h"
#include "tests/support/ImportHook.h"
#include "toolkit/ControlData.h"
#include "toolkit/Notify.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/knob/Knob.h"

namespace {

constexpr float kDegree = 0.017453292f;

struct KnobRow {
    HWND EditorControls::*handle;
    int32_t x;
    float min, max;
    uint16_t from, to;
};
const KnobRow kKnobs[] = {
    {&EditorControls::compressionKnob, 210, 1, 8, 90, 225},
    {&EditorControls::gainKnob, 290, -24, 24, 240, 300},
    {&EditorControls::velocityKnob, 370, 1, 100, 240, 300},
    {&EditorControls::limitKnob, 455, 0.25f, 1, 240, 90},
};

struct EditorControlsTest : EditorFixture {
    void SetUp() override {
        fx.dispatch(effEditOpen, 0, 0, parent.handle);
        UpdateWindow(editor()->window);
        toolkit().knob_mouse_mode = 1;
    }
    void TearDown() override { fx.dispatch(effEditClose); }
    EditorControls& controls() { return editor()->controls; }
    static float value(HWND control) { return send_control_command(control, kCommandGetValue, 0); }
    static void click(HWND control, int32_t x, int32_t y, WPARAM keys = 0) {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    // The loudest output sample of a block of a steady 0.1 input.
    float outputPeak() {
        std::vector<float> in(256, 0.1f), left(256, 7.0f), right(256, 7.0f);
        float* inputs[2] = {in.data(), in.data()};
        float* outputs[2] = {left.data(), right.data()};
        fx.processReplacing(inputs, outputs, 256);
        float peak = 0.0f;
        for (float s : left) peak = std::max(peak, std::fabs(s));
        return peak;
    }
    LimiterParams chunk() {
        LimiterParams* p = nullptr;
        EXPECT_EQ(fx.dispatch(effGetChunk, 0, 0, &p), 64);
        return p != nullptr ? *p : LimiterParams{};
    }
};

POINT offsetIn(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    POINT p = {r.left, r.top};
    ScreenToClient(parent, &p);
    return p;
}

// The pointer is drawn along `degrees`: dark pixels 8 pixels out from the
// pivot, the bright face on the other side.
bool pointerAlong(HWND knob, float degrees) {
    HDC dc = GetDC(knob);
    const float a = degrees * kDegree;
    int along = 255, behind = 0;
    for (int d = -1; d <= 1; ++d)
        for (int e = -1; e <= 1; ++e) {
            along = std::min<int>(along, GetRValue(GetPixel(dc, 17 + std::lround(8 * std::cos(a)) + d,
                                                         17 - std::lround(8 * std::sin(a)) + e)));
            behind = std::max<int>(behind, GetRValue(GetPixel(dc, 17 - std::lround(7 * std::cos(a)) + d,
                                                            17 + std::lround(7 * std::sin(a)) + e)));
        }
    ReleaseDC(knob, dc);
    return along < 0x60 && behind > 0x80;
}

float degreesOf(const KnobRow& k, float v) {
    const float sweep = k.from > k.to ? k.from - k.to : k.from + 360 - k.to;
    return k.from - (v - k.min) / (k.max - k.min) * sweep;
}

TEST_F(EditorControlsTest, ControlsSitInThePanelWithTheirSettings) {
    const HWND editorWindow = editor()->window;
    for (const KnobRow& k : kKnobs) {
        HWND knob = controls().*k.handle;
        ASSERT_NE(knob, nullptr);
        const POINT at = offsetIn(knob, editorWindow);
        EXPECT_EQ(at.x, k.x);
        EXPECT_EQ(at.y, 30);
        const KnobRecord* r = static_cast<const KnobRecord*>(get_control_data(knob));
        EXPECT_EQ(r->value.min, k.min);
        EXPECT_EQ(r->value.max, k.max);
        EXPECT_TRUE(pointerAlong(knob, degreesOf(k, value(knob)))) << k.x;
    }
    const POINT button = offsetIn(controls().muteButton, editorWindow);
    EXPECT_EQ(button.x, 52);
    EXPECT_EQ(button.y, 70);
    RECT size;
    GetClientRect(controls().muteButton, &size);
    EXPECT_EQ(size.right, 19);
    EXPECT_EQ(size.bottom, 15);
    EXPECT_EQ(value(controls().muteButton), 0.0f);
}

TEST_F(EditorControlsTest, DraggingTheGainKnobSetsBothChannelsAndTheAudio) {
    const float before = outputPeak();
    HWND gain = controls().gainKnob;
    SendMessageA(gain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
    SendMessageA(gain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(16, 16 + 120));  // 120 steps of 0.05 dB
    // Notified while dragging: the engine has it before the button is up.
    EXPECT_EQ(chunk().channel[0].gain, 1.9952624f);
    SendMessageA(gain, WM_LBUTTONUP, 0, MAKELPARAM(16, 16 + 120));
    const LimiterParams p = chunk();
    EXPECT_EQ(value(gain), 6.0f);
    EXPECT_EQ(p.channel[0].gain, 1.9952624f);
    EXPECT_EQ(p.channel[1].gain, 1.9952624f);
    outputPeak();  // the block that ramps in
    EXPECT_GT(outputPeak(), before * 1.5f);
}

TEST_F(EditorControlsTest, MuteClicksSilenceAndRestore) {
    const float sounding = outputPeak();
    ASSERT_GT(sounding, 0.0f);
    click(controls().muteButton, 5, 5);
    EXPECT_EQ(getMute(engine()), 1);
    EXPECT_EQ(outputPeak(), 0.0f);
    click(controls().muteButton, 5, 5);
    EXPECT_EQ(getMute(engine()), 0);
    EXPECT_EQ(outputPeak(), sounding);
}

// A host's chunk moves the knobs at once, a value outside a knob's range to
// the nearest end, and lights the switch; following the host records
// nothing and writes nothing back.
TEST_F(EditorControlsTest, AHostsChunkMovesTheKnobsAndLightsTheSwitch) {
    const struct {
        ChannelParams stored;
        float shown[4];
    } chunks[] = {
        {{3.0f, 0.5f, 20.0f, 0.5f}, {3.0f, static_cast<float>(20.0 * std::log10(0.5)), 20.0f, 0.5f}},
        {{3.0f, 20.0f, 20.0f, 0.1f}, {3.0f, 24.0f, 20.0f, 0.25f}},  // +26 dB, -20 dB
    };
    setMute(engine(), 1);
    for (const auto& c : chunks) {
        LimiterParams p = chunk();
        p.channel[0] = p.channel[1] = c.stored;
        fx.dispatch(effSetChunk, 0, 64, &p);
        for (int i = 0; i < 4; ++i) {
            HWND knob = controls().*kKnobs[i].handle;
            EXPECT_EQ(value(knob), c.shown[i]) << i;
            EXPECT_TRUE(pointerAlong(knob, degreesOf(kKnobs[i], c.shown[i]))) << i;
        }
        const LimiterParams after = chunk();
        EXPECT_EQ(std::memcmp(&after, &p, 64), 0);
    }
    EXPECT_EQ(value(controls().muteButton), 1.0f);
    EXPECT_EQ(host.countOf(audioMasterAutomate), 0);
}

// A host's parameter change shows at the editor's next idle call.
TEST_F(EditorControlsTest, TheKnobsFollowTheHostAtTheNextIdleCall) {
    HWND gain = controls().gainKnob;
    fx.setParameter(kGainSetting, 0.75f);
    EXPECT_EQ(value(gain), 0.0f);
    fx.dispatch(effEditIdle);
    EXPECT_EQ(value(gain), 12.0f);
    EXPECT_TRUE(pointerAlong(gain, degreesOf(kKnobs[1], 12.0f)));
}

struct Heard {
    int32_t opcode, index;
    float fraction;
    bool operator==(const Heard& o) const { return opcode == o.opcode && index == o.index && fraction == o.fraction; }
};

std::vector<Heard> automationHeard(const TestHost& host) {
    std::vector<Heard> heard;
    for (const TestHost::Request& r : host.requests)
        if (r.opcode == audioMasterAutomate || r.opcode == audioMasterBeginEdit || r.opcode == audioMasterEndEdit)
            heard.push_back({r.opcode, r.index, r.opcode == audioMasterAutomate ? r.opt : 0.0f});
    return heard;
}

// A drag is one gesture between begin and end edit; a wheel notch one of its
// own. Each change reaches the host as the knob's fraction.
TEST_F(EditorControlsTest, KnobMovesReachTheHostAsAutomation) {
    host.clear();
    HWND gain = controls().gainKnob;
    SendMessageA(gain, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(16, 16));
    SendMessageA(gain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(16, 16 + 120));  // +6 dB
    SendMessageA(gain, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(16, 16 + 240));  // +12 dB
    SendMessageA(gain, WM_LBUTTONUP, 0, MAKELPARAM(16, 16 + 240));
    SendMessageA(controls().velocityKnob, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);  // 5 steps down
    const float velocity = fx.getParameter(kVelocitySetting);
    const std::vector<Heard> expected = {
        {audioMasterBeginEdit, 1, 0}, {audioMasterAutomate, 1, 0.625f}, {audioMasterAutomate, 1, 0.75f},
        {audioMasterAutomate, 1, 0.75f}, {audioMasterEndEdit, 1, 0},
        {audioMasterBeginEdit, 2, 0}, {audioMasterAutomate, 2, velocity}, {audioMasterEndEdit, 2, 0},
    };
    EXPECT_TRUE(automationHeard(host) == expected);
    EXPECT_EQ(value(controls().velocityKnob), 4.5f);
    EXPECT_EQ(fx.getParameter(kGainSetting), 0.75f);
}

// What the panel's mode items said while the menu was up.
struct ModeItemsShown {
    HMENU menu;
    int upPresses;  // Up wraps to the last item; the separator is passed over
    std::string text[2];
    bool checked[2];
} g_modeItems;

void CALLBACK readModeItemsThenPick(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (int i = 0; i < 2; ++i) {
        char text[64] = {};
        GetMenuStringA(g_modeItems.menu, 2 + i, text, sizeof text, MF_BYPOSITION);
        g_modeItems.text[i] = text;
        g_modeItems.checked[i] = (GetMenuState(g_modeItems.menu, 2 + i, MF_BYPOSITION) & MF_CHECKED) != 0;
    }
    for (int i = 0; i < g_modeItems.upPresses; ++i)
        PostMessageA(HostWindow::shared(), WM_KEYDOWN, VK_UP, 0x01480001);
    PostMessageA(HostWindow::shared(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
}

// The panel's menu offers both modes with their lookahead at the engine's
// rate, the current one checked. A choice sets the engine, reaches the host
// as a gesture of the mode parameter with its latency, and the lamp beside
// MUTE shows it; so does a host's change, at the next idle call.
TEST_F(EditorControlsTest, ThePanelMenuChoosesTheModeAndTheLampShowsIt) {
    const RECT& area = kModeIndicator.area;
    const auto lamp = [&] {
        UpdateWindow(editor()->window);
        HDC dc = GetDC(editor()->window);
        const COLORREF c = GetPixel(dc, area.left + kModeIndicator.lampSize / 2, (area.top + area.bottom) / 2);
        ReleaseDC(editor()->window, dc);
        return c;
    };
    EXPECT_EQ(lamp(), kPanelWell);
    const struct {
        int upPresses;
        LimiterMode chosen;
        bool checkedBefore[2];
        COLORREF lamp;
    } choices[] = {
        {1, LimiterMode::TruePeak, {true, false}, kPanelAccent},
        {2, LimiterMode::ZeroLatency, {false, true}, kPanelWell},
    };
    for (const auto& c : choices) {
        host.clear();
        g_modeItems = {editor()->popupMenu, c.upPresses, {}, {}};
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, readModeItemsThenPick);
        SendMessageA(editor()->window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 50));
        KillTimer(nullptr, timer);
        pumpMessages();  // the choice arrives as a posted command
        EXPECT_EQ(g_modeItems.text[0], "Zero latency (sample peaks)");
        EXPECT_EQ(g_modeItems.text[1], "True peak, lookahead 1.5 ms");  // 64 frames at 44.1 kHz
        EXPECT_EQ(g_modeItems.checked[0], c.checkedBefore[0]);
        EXPECT_EQ(g_modeItems.checked[1], c.checkedBefore[1]);
        EXPECT_EQ(engineMode(engine()), c.chosen);
        EXPECT_EQ(fx.record()->initialDelay, modeLatencyFrames(c.chosen, 44100.0f));
        const std::vector<Heard> expected = {{audioMasterBeginEdit, kModeParameter, 0},
                                             {audioMasterAutomate, kModeParameter, modeInfo(c.chosen).fraction},
                                             {audioMasterEndEdit, kModeParameter, 0}};
        EXPECT_TRUE(automationHeard(host) == expected);
        EXPECT_EQ(lamp(), c.lamp);
    }
    fx.setParameter(kModeParameter, 1.0f);
    fx.dispatch(effEditIdle);
    EXPECT_EQ(lamp(), kPanelAccent);
}

// An arrow key held on a knob, through the system's input queue, is one
// gesture with its repeats, whatever idle calls come between them; it ends
// when the key is released.
TEST_F(EditorControlsTest, AHeldArrowKeyIsOneGesture) {
    HWND gain = controls().gainKnob;
    SetForegroundWindow(parent.handle);
    SetFocus(gain);
    const auto press = [](DWORD flags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_RIGHT;
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
        Sleep(20);
        pumpMessages();
    };
    host.clear();
    for (int repeat = 0; repeat < 4; ++repeat) {
        press(0);
        fx.dispatch(effEditIdle);
    }
    press(KEYEVENTF_KEYUP);
    fx.dispatch(effEditIdle);
    const float fraction = fx.getParameter(kGainSetting);
    ASSERT_EQ(value(gain), 4 * kSettings[kGainSetting].step);
    std::vector<Heard> heard = automationHeard(host);
    ASSERT_EQ(heard.size(), 7u);
    EXPECT_TRUE(heard.front() == (Heard{audioMasterBeginEdit, kGainSetting, 0}));
    EXPECT_TRUE(heard.back() == (Heard{audioMasterEndEdit, kGainSetting, 0}));
    EXPECT_TRUE(heard[5] == (Heard{audioMasterAutomate, kGainSetting, fraction}));  // the release
}

void CALLBACK typeVelocity(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND dialog = toolkit().valueEditDialog;
    if (dialog == nullptr) return;
    HWND field = GetDlgItem(dialog, 10);
    SetWindowTextA(field, "42");
    PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
}

TEST_F(EditorControlsTest, CtrlClickTypingAValueSetsTheEngineAndTellsTheHost) {
    // What the display still has to say about earlier windows (focus and
    // activation) arrives first, not while the dialog is up.
    for (int i = 0; i < 10; ++i) {
        Sleep(10);
        pumpMessages();
    }
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, typeVelocity);
    host.clear();
    click(controls().velocityKnob, 16, 16, MK_CONTROL);
    KillTimer(nullptr, timer);
    EXPECT_EQ(value(controls().velocityKnob), 42.0f);
    const LimiterParams p = chunk();
    EXPECT_EQ(p.channel[0].velocity, 42.0f);
    EXPECT_EQ(p.channel[1].velocity, 42.0f);
    const std::vector<Heard> expected = {{audioMasterBeginEdit, 2, 0},
                                         {audioMasterAutomate, 2, fx.getParameter(kVelocitySetting)},
                                         {audioMasterEndEdit, 2, 0}};
    EXPECT_TRUE(automationHeard(host) == expected);
}

// What the editor asked the shell to open.
std::string g_verb, g_target;

HINSTANCE WINAPI recordShellExecute(HWND, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT) {
    g_verb = verb != nullptr ? verb : "";
    g_target = file != nullptr ? file : "";
    return reinterpret_cast<HINSTANCE>(33);
}

// Picks the first item of the menu being tracked, as the keyboard would.
void CALLBACK pickFirstItem(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    PostMessageA(HostWindow::shared(), WM_KEYDOWN, VK_DOWN, 0x01500001);
    PostMessageA(HostWindow::shared(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
}

TEST_F(EditorControlsTest, TheMenuOpensTheWebPages) {
    ASSERT_TRUE(replaceImport(GetModuleHandleA(nullptr), "shell32.dll", "ShellExecuteA",
                              reinterpret_cast<void*>(recordShellExecute)));
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, pickFirstItem);
    SendMessageA(editor()->window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 50));
    KillTimer(nullptr, timer);
    pumpMessages();  // the choice arrives as a posted command
    EXPECT_EQ(g_verb, "open");
    EXPECT_EQ(g_target, kMakerWebSite);
}

// The host closes the editor or the effect while a knob's edit dialog or
// menu is up (a host timer, a message from another of its threads). Nothing
// the user then does in it reaches the closed editor.
enum class HostCloses { Editor, LastEffect, OneOfTwoEffects };

std::function<void()> g_closeHost;
bool g_closedInside;

// Closes, then answers whatever is still up: types 42 and confirms the edit
// dialog, or picks "Value Max" in the knob's menu.
void CALLBACK closeThenAnswer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_closeHost();
    g_closedInside = true;
    if (HWND dialog = toolkit().valueEditDialog) {
        HWND field = GetDlgItem(dialog, 10);
        SetWindowTextA(field, "42");
        PostMessageA(field, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        return;
    }
    for (int i = 0; i < 7; ++i) PostMessageA(HostWindow::shared(), WM_KEYDOWN, VK_DOWN, 0x01500001);
    PostMessageA(HostWindow::shared(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
}

TEST_F(EditorFixture, ClosedWhileAKnobsPopupIsUpNothingReachesTheClosedEditor) {
    fx.close();  // each case owns its effects
    const struct {
        bool menu;
        HostCloses closes;
    } cases[] = {
        {false, HostCloses::Editor}, {false, HostCloses::LastEffect}, {false, HostCloses::OneOfTwoEffects},
        {true, HostCloses::Editor},  {true, HostCloses::LastEffect},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.menu * 10 + static_cast<int>(c.closes));
        HostedEffect effect(pluginMain(TestHost::callback()));
        HostedEffect other(c.closes == HostCloses::OneOfTwoEffects ? pluginMain(TestHost::callback())
                                                                  : nullptr);
        effect.dispatch(effEditOpen, 0, 0, parent.handle);
        const HWND knob = editorOf(effect)->controls.velocityKnob;
        LimiterEngine* engine = pluginOf(effect)->engine;
        g_closeHost = [&] {
            if (c.closes == HostCloses::Editor)
                effect.dispatch(effEditClose);
            else
                effect.close();
        };
        g_closedInside = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, closeThenAnswer);
        if (c.menu)
            SendMessageA(knob, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(16, 16));
        else
            EditorControlsTest::click(knob, 16, 16, MK_CONTROL);
        KillTimer(nullptr, timer);
        EXPECT_TRUE(g_closedInside);
        pumpMessages();
        EXPECT_FALSE(IsWindow(knob));
        EXPECT_EQ(toolkit().valueEditDialog, nullptr);
        if (c.closes == HostCloses::Editor) {
            LimiterParams p;
            getParams(engine, &p);
            EXPECT_EQ(p.channel[0].velocity, 5.0f);  // the answer went nowhere
            // The editor opens again whole.
            effect.dispatch(effEditOpen, 0, 0, parent.handle);
            EXPECT_EQ(EditorControlsTest::value(editorOf(effect)->controls.velocityKnob), 5.0f);
            effect.dispatch(effEditClose);
        }
    }
}

// A host that closes the effect from inside the editor's begin edit: the
// knob's report stops there, touching neither the freed editor nor the
// closed effect, and the host hears nothing more of it.
TEST_F(EditorFixture, AHostClosingTheEffectInsideAGestureHearsNoMore) {
    HostedEffect effect(pluginMain(TestHost::callback()));
    effect.dispatch(effEditOpen, 0, 0, parent.handle);
    const HWND knob = editorOf(effect)->controls.velocityKnob;
    std::size_t heardAtClose = 0;
    host.onRequest = [&](const TestHost::Request& r) {
        if (r.opcode != audioMasterBeginEdit || heardAtClose != 0) return;
        effect.close();
        heardAtClose = host.requests.size();
    };
    SendMessageA(knob, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    host.onRequest = nullptr;
    EXPECT_NE(heardAtClose, 0u);
    EXPECT_EQ(host.requests.size(), heardAtClose);
    EXPECT_FALSE(IsWindow(knob));
}

using EditorWithoutEngine = EditorFixture;

TEST_F(EditorWithoutEngine, ControlsAreThereButTakeNoInput) {
    EditorControls controls;
    setupControls(&controls, nullptr);
    createControls(&controls, parent.handle);
    for (HWND c : {controls.muteButton, controls.gainKnob, controls.limitKnob}) {
        ASSERT_NE(c, nullptr);
        const float before = EditorControlsTest::value(c);
        SendMessageA(c, WM_KEYDOWN, VK_UP, 1);
        EditorControlsTest::click(c, 5, 5);
        EXPECT_EQ(EditorControlsTest::value(c), before);
    }
    destroyControls(&controls);
}

}  // namespace
