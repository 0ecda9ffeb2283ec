// The knob adjust window under Wine: rulers dragged with the mouse in both
// directions, the inverse-mode button and its preference, moving, closing,
// one window at a time, leaks, and a screenshot.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <vector>

#include "LeakCheck.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "toolkit/ControlData.h"
#include "toolkit/Notify.h"
#include "toolkit/knob/KnobAdjustWindow.h"
#include "toolkit/knob/KnobStyle.h"

namespace {

constexpr uint16_t kCloseCommand = 105;
constexpr uint16_t kKnobId = 7;

// Stands in for a knob: records the commands the adjust window sends it.
struct KnobLog {
    std::vector<float> values;  // command 4
    int closes = 0;             // the close command
};
KnobLog g_knob;

LRESULT CALLBACK knobProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && wParam == kCommandSetValue)
        g_knob.values.push_back(bits_float(static_cast<uint32_t>(lParam)));
    if (message == WM_COMMAND && wParam == kCloseCommand) ++g_knob.closes;
    return DefWindowProcA(window, message, wParam, lParam);
}

struct OwnerLog {
    std::vector<float> values;
    int32_t code = 0;
};

int32_t __cdecl ownerCallback(void* user, int32_t code, uint32_t value) {
    auto* log = static_cast<OwnerLog*>(user);
    log->values.push_back(bits_float(value));
    log->code = code;
    return 0;
}

class AdjustWindowTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        WNDCLASSA wc = {};
        wc.lpfnWndProc = knobProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QcAdjustTestKnob";
        RegisterClassA(&wc);
        knob_ = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 32, 32, host_, nullptr,
                                wc.hInstance, nullptr);
        g_knob = KnobLog{};
        notify_ = {host_, ownerCallback, kNotifyByCallback, &owner_};
        value_ = range(1, 8, 2);
    }
    void TearDown() override {
        if (toolkit().adjustWindow != nullptr) DestroyWindow(toolkit().adjustWindow);
        DestroyWindow(knob_);
        ToolkitWindowTest::TearDown();
    }
    static KnobValue range(float min, float max, float current) {
        KnobValue v = {};
        v.min = min;
        v.max = max;
        v.current = current;
        return v;
    }
    HWND open(uint32_t style = 0, int32_t x = 100, int32_t y = 100) {
        return open_knob_adjust_window(host_, knob_, style, x, y, kCloseCommand, &notify_, kKnobId,
                                       &value_);
    }
    static void mouse(HWND w, UINT message, int32_t x, int32_t y) {
        SendMessageA(w, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(static_cast<int16_t>(x), static_cast<int16_t>(y)));
    }
    static void drag(HWND w, int32_t x, int32_t y, int32_t dx, int32_t dy) {
        mouse(w, WM_LBUTTONDOWN, x, y);
        mouse(w, WM_MOUSEMOVE, x + dx, y + dy);
        mouse(w, WM_LBUTTONUP, x + dx, y + dy);
    }
    static RECT frame(HWND w) {
        RECT r = {};
        GetWindowRect(w, &r);
        return r;
    }

    HWND knob_ = nullptr;
    NotifyTarget notify_ = {};
    OwnerLog owner_;
    KnobValue value_ = {};
};

TEST_F(AdjustWindowTest, OpensWithCaptureRulersAndButton) {
    HWND w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(toolkit().adjustWindow, w);
    EXPECT_EQ(GetCapture(), w);
    RECT client = {};
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 231);
    EXPECT_EQ(client.bottom, 320);
    EXPECT_EQ(frame(w).left, 100);
    EXPECT_EQ(frame(w).top, 100);
    HWND button = GetDlgItem(w, 100);
    ASSERT_NE(button, nullptr);
    RECT b = {};
    GetWindowRect(button, &b);
    MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&b), 2);
    EXPECT_EQ(b.left, 231 - 30);
    EXPECT_EQ(b.top, 320 - 18);
    UpdateWindow(w);
    EXPECT_TRUE(save_screenshot("knob_adjust_window", capture_window(w)));
}

TEST_F(AdjustWindowTest, StaysOnTheScreen) {
    HWND w = open(0, 1270, 1010);
    ASSERT_NE(w, nullptr);
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const RECT r = frame(w);
    EXPECT_LE(r.right, area.right);
    EXPECT_LE(r.bottom, area.bottom);
    EXPECT_GE(r.left, area.left);
    EXPECT_GE(r.top, area.top);
}

TEST_F(AdjustWindowTest, RulersDragInBothDirections) {
    // Range 1 to 8 starting at 2: 0.01, 0.0001 and 0.000001 per row.
    struct Case { int32_t imode, x, dx, dy; float expected; } cases[] = {
        {0, 20, 0, 10, 2.1f},        // coarse: down raises
        {0, 20, 0, -10, 1.9f},
        {0, 100, 0, 10, 2.001f},     // fine
        {0, 180, 0, 10, 2.00001f},   // extra fine
        {0, 20, 30, 4, 2.3f},        // mostly sideways: right raises
        {1, 20, 0, 10, 1.9f},        // inverse: down lowers
        {1, 20, 0, -10, 2.1f},
        {0, 20, 0, 1000, 8.0f},      // held at the range's end
    };
    for (const auto& c : cases) {
        toolkit().A_imode = c.imode;
        g_knob.values.clear();
        owner_.values.clear();
        HWND w = open();
        ASSERT_NE(w, nullptr);
        drag(w, c.x, 150, c.dx, c.dy);
        ASSERT_EQ(g_knob.values.size(), 1u) << c.x << " " << c.dy;
        EXPECT_FLOAT_EQ(g_knob.values[0], c.expected) << c.imode << " " << c.x << " " << c.dy;
        ASSERT_EQ(owner_.values.size(), 1u);
        EXPECT_EQ(owner_.values[0], g_knob.values[0]);
        EXPECT_EQ(owner_.code & 0xFFFF, kKnobId);
        DestroyWindow(w);
    }
}

TEST_F(AdjustWindowTest, DecibelKnobGetsLinearValues) {
    value_ = range(0.25f, 1.0f, 0.5f);
    HWND w = open(KNOB_DB);
    ASSERT_NE(w, nullptr);
    drag(w, 20, 150, 0, 10);  // -6 dB + 10 rows of 0.1 dB
    ASSERT_EQ(g_knob.values.size(), 1u);
    EXPECT_NEAR(g_knob.values[0], std::pow(10.0, -5.0 / 20), 1e-6);
}

TEST_F(AdjustWindowTest, CheckButtonTogglesInverseModeAndItsPreference) {
    toolkit().A_imode = 0;
    HWND w = open();
    ASSERT_NE(w, nullptr);
    HWND button = GetDlgItem(w, 100);
    mouse(w, WM_LBUTTONDOWN, 231 - 20, 320 - 10);
    mouse(w, WM_LBUTTONUP, 231 - 20, 320 - 10);
    pumpMessages();
    EXPECT_EQ(toolkit().A_imode, 1);
    EXPECT_EQ(send_control_command(button, kCommandGetValue, 0), 1.0f);
    drag(w, 20, 150, 0, 10);  // the next drag runs the other way
    ASSERT_EQ(g_knob.values.size(), 1u);
    EXPECT_FLOAT_EQ(g_knob.values[0], 1.9f);
    DestroyWindow(w);

    // A new window shows the mode; the preference reaches the registry.
    w = open();
    EXPECT_EQ(send_control_command(GetDlgItem(w, 100), kCommandGetValue, 0), 1.0f);
    DestroyWindow(w);
    terminate_toolkit();
    int32_t stored = -1;
    DWORD size = sizeof stored;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, kKey, &key), ERROR_SUCCESS);
    RegQueryValueExA(key, "A_imode", nullptr, nullptr, reinterpret_cast<BYTE*>(&stored), &size);
    RegCloseKey(key);
    EXPECT_EQ(stored, 1);
    ASSERT_EQ(init_toolkit(GetModuleHandleA(nullptr), kApp), 1);
    EXPECT_EQ(toolkit().A_imode, 1);
}

TEST_F(AdjustWindowTest, MovesByTheTitleAndBottomStrips) {
    HWND w = open();
    ASSERT_NE(w, nullptr);
    drag(w, 50, 5, 30, 20);  // title strip
    EXPECT_EQ(frame(w).left, 130);
    EXPECT_EQ(frame(w).top, 120);
    drag(w, 50, 310, -10, -40);  // bottom strip
    EXPECT_EQ(frame(w).left, 120);
    EXPECT_EQ(frame(w).top, 80);
    EXPECT_TRUE(g_knob.values.empty());  // moving is not adjusting
    EXPECT_EQ(GetCapture(), w);          // the window keeps the capture
}

TEST_F(AdjustWindowTest, ClosesOnOutsideClickRightButtonMiddleButtonAndEscape) {
    const struct { UINT message; WPARAM wParam; LPARAM lParam; } closers[] = {
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 40)},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 400)},
        {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50)},
        {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(50, 50)},
        {WM_KEYDOWN, VK_ESCAPE, 0x00010001},
        {WM_CANCELMODE, 0, 0},
    };
    int closes = 0;
    for (const auto& c : closers) {
        HWND w = open();
        ASSERT_NE(w, nullptr);
        SendMessageA(w, c.message, c.wParam, c.lParam);
        EXPECT_FALSE(IsWindow(w)) << c.message;
        EXPECT_EQ(GetCapture(), nullptr) << c.message;
        EXPECT_EQ(toolkit().adjustWindow, nullptr);
        EXPECT_EQ(g_knob.closes, ++closes) << c.message;
    }
}

TEST_F(AdjustWindowTest, ClosesWhenAnotherWindowTakesTheCapture) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, host_, nullptr, nullptr, nullptr);
    for (bool moving : {false, true}) {
        HWND w = open();
        ASSERT_NE(w, nullptr);
        if (moving) {
            mouse(w, WM_LBUTTONDOWN, 50, 5);
            mouse(w, WM_MOUSEMOVE, 80, 25);
        }
        SetCapture(other);
        EXPECT_FALSE(IsWindow(w)) << moving;
        EXPECT_EQ(GetCapture(), other) << moving;  // the capture stays where it went
        EXPECT_EQ(toolkit().adjustWindow, nullptr);
        EXPECT_EQ(g_knob.closes, moving ? 2 : 1);
        ReleaseCapture();
    }
    DestroyWindow(other);
}

TEST_F(AdjustWindowTest, RulersShowTicksLabelsHatchingAndTheValueBox) {
    // Range 1 to 8 at 2: ruler 1 moves 0.01 a row, and row r of the rulers
    // (client row r + 20) shows n = 241 - r hundredths above the minimum.
    HWND w = open();
    ASSERT_NE(w, nullptr);
    UpdateWindow(w);
    const COLORREF* palette = toolkit().palette;
    const auto at = [w](int x, int row) {
        HDC dc = GetDC(w);
        const COLORREF c = GetPixel(dc, x, row + 20);
        ReleaseDC(w, dc);
        return c;
    };
    const int third = 231 / 3, middle = 140;
    EXPECT_EQ(at(4, 41), palette[10]);           // n = 200: a labelled tick (3.0)
    EXPECT_EQ(at(4, 42), palette[14]);
    EXPECT_EQ(at(third - 3, 51), palette[11]);   // n = 190: a short tick
    EXPECT_EQ(at(third - 3, 52), palette[14]);
    EXPECT_EQ(at(30, 251), palette[13]);         // n = -10, below the minimum: hatched
    EXPECT_EQ(at(30, 250), palette[14]);
    for (int k = 0; k < 3; ++k) {
        // Each ruler's value box, with its text, across the middle.
        EXPECT_EQ(at(k * third + third - 6, middle + 7), palette[13]) << k;
        int ink = 0;
        for (int y = middle - 8; y < middle + 8; ++y)
            for (int x = k * third + 5; x < k * third + 40; ++x) ink += at(x, y) == palette[0];
        EXPECT_GT(ink, 20) << k;
    }
    // Ten rows up the coarse ruler: the scale follows the value.
    drag(w, 20, 150, 0, 10);
    EXPECT_EQ(at(4, 41), palette[14]);
    EXPECT_EQ(at(4, 51), palette[10]);
}

TEST_F(AdjustWindowTest, SecondWindowClosesTheFirst) {
    HWND first = open();
    HWND otherKnob = CreateWindowExA(0, "QcAdjustTestKnob", "", WS_CHILD, 0, 0, 32, 32, host_,
                                     nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND second = open_knob_adjust_window(host_, otherKnob, 0, 200, 200, kCloseCommand, &notify_,
                                          kKnobId, &value_);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(g_knob.closes, 1);  // the first window's knob was told
    EXPECT_TRUE(IsWindow(second));
    EXPECT_EQ(toolkit().adjustWindow, second);
    EXPECT_EQ(GetCapture(), second);
    // Quiet while the toolkit is closing: no close command then.
    toolkit().notificationsEnabled = 0;
    DestroyWindow(second);
    toolkit().notificationsEnabled = 1;
    EXPECT_EQ(g_knob.closes, 1);
    DestroyWindow(otherKnob);
}

TEST_F(AdjustWindowTest, NoLeaksOverManyWindows) {
    expect_no_leaks(200, [&](int i) {
        HWND w = open();
        ASSERT_NE(w, nullptr);
        drag(w, 20, 150, 0, 3);
        SendMessageA(w, i % 2 ? WM_CLOSE : WM_RBUTTONDOWN, 0, 0);
        ASSERT_FALSE(IsWindow(w));
    });
}

}  // namespace
