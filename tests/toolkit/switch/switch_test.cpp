// The two-state button under Wine, driven with the messages a user's mouse
// and keyboard produce: modes, auto-repeat, capture, focus mark, disabled
// look, commands, clean-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GdiObjectCounter.h"
#include "OwnerDestroys.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "toolkit/CircleMask.h"
#include "toolkit/ControlData.h"
#include "toolkit/Notify.h"
#include "toolkit/switch/Switch.h"
#include "toolkit/switch/SwitchRecord.h"

namespace {

const COLORREF kOff = RGB(200, 0, 0);
const COLORREF kOn = RGB(0, 160, 0);
const COLORREF kGrey = RGB(0, 0, 200);
constexpr uint16_t kId = 7;

HBITMAP solidFace(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP face = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, face);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return face;
}

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class SwitchTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        off_ = solidFace(24, 16, kOff);
        on_ = solidFace(24, 16, kOn);
        grey_ = solidFace(24, 16, kGrey);
    }
    void TearDown() override {
        ReleaseCapture();
        ToolkitWindowTest::TearDown();
        DeleteObject(off_);
        DeleteObject(on_);
        DeleteObject(grey_);
    }

    HWND make(uint32_t style, HBITMAP disabledFace = nullptr) {
        return create_switch(host_, kId, 10, 10, style, off_, on_, disabledFace, logReport, this);
    }
    static int32_t __cdecl logReport(void* user, int32_t code, uint32_t value) {
        SwitchTest* self = static_cast<SwitchTest*>(user);
        EXPECT_EQ(code, kId);
        self->reports_.push_back(bits_float(value));
        if (self->onReport_) self->onReport_();
        return 0;
    }
    static SwitchRecord* record(HWND window) {
        return static_cast<SwitchRecord*>(get_control_data(window));
    }
    static float value(HWND window) { return send_control_command(window, kCommandGetValue, 0); }
    static COLORREF pixel(HWND window, int x, int y) {
        HDC dc = GetDC(window);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(window, dc);
        return colour;
    }

    // Mouse: down at (x, y), up at (upX, upY); keys: down and up.
    static void click(HWND w, int x = 5, int y = 5) { clickAndRelease(w, x, y, x, y); }
    static void clickAndRelease(HWND w, int x, int y, int upX, int upY) {
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
        SendMessageA(w, WM_LBUTTONUP, 0, at(upX, upY));
    }
    static void key(HWND w, WPARAM k) {
        SendMessageA(w, WM_KEYDOWN, k, 0x00390001);
        SendMessageA(w, WM_KEYUP, k, static_cast<LPARAM>(0xC0390001u));
    }
    // Runs the message loop (real timers) until done() or the time is up.
    static void pumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (!done() && GetTickCount() - start < milliseconds) {
            pumpMessages();
            Sleep(2);
        }
    }

    HBITMAP off_ = nullptr, on_ = nullptr, grey_ = nullptr;
    std::vector<float> reports_;
    std::function<void()> onReport_;
    OwnerDestroys destroys_;
};

// Each row: a style, user actions, the reports and the final value.
//   c click inside, o press inside and release outside, s Space, e Enter,
//   r Space held (the keyboard repeats its key-down), 0 / h command 4 with
//   0.0 / 0.5, x commands with a notification code in the high word,
//   d / n disable / enable
struct ModeCase {
    const char* name;
    uint32_t style;
    const char* actions;
    std::vector<float> reports;
    float finalValue;
};

TEST_F(SwitchTest, ModesReportTheirPresses) {
    const uint32_t repeating = SWITCH_MOMENTARY | SWITCH_AUTO_REPEAT;
    const ModeCase cases[] = {
        {"toggle twice", SWITCH_TOGGLE, "cc", {1.0f, 0.0f}, 0.0f},
        {"toggle by keys", SWITCH_TOGGLE, "ser", {1.0f, 0.0f, 1.0f}, 1.0f},
        {"toggle set by command", SWITCH_TOGGLE, "h", {}, 1.0f},
        {"toggle after command", SWITCH_TOGGLE, "hc", {0.0f}, 0.0f},
        {"notification codes are no commands", SWITCH_TOGGLE, "xc", {1.0f}, 1.0f},
        {"disabled", SWITCH_TOGGLE, "dcsero", {}, 0.0f},
        {"enabled again", SWITCH_TOGGLE, "dnc", {1.0f}, 1.0f},
        {"momentary released outside", SWITCH_MOMENTARY, "o", {}, 0.0f},
        {"momentary released inside", SWITCH_MOMENTARY, "c", {1.0f}, 0.0f},
        {"momentary by keys", SWITCH_MOMENTARY, "ser", {1.0f, 1.0f, 1.0f}, 0.0f},
        {"repeating released outside", repeating, "o", {1.0f}, 0.0f},
        {"repeating released inside", repeating, "c", {1.0f}, 0.0f},
        {"set-only twice", SWITCH_SET_ONLY, "cs", {1.0f}, 1.0f},
        {"set-only after reset", SWITCH_SET_ONLY, "cc0c", {1.0f, 1.0f}, 1.0f},
        {"indicator", 0x0000, "csoe", {}, 0.0f},
        {"indicator 0x4000", SWITCH_INDICATOR_NO_FOCUS, "csoe", {}, 0.0f},
        {"indicator with another bit", SWITCH_INDICATOR_NO_FOCUS | 1, "csoeh", {}, 1.0f},
        {"auto-repeat bit alone", SWITCH_AUTO_REPEAT, "cs", {}, 0.0f},
    };
    for (const ModeCase& c : cases) {
        reports_.clear();
        HWND w = make(c.style);
        ASSERT_NE(w, nullptr) << c.name;
        for (const char* a = c.actions; *a; ++a) {
            switch (*a) {
                case 'c': click(w); break;
                case 'o': clickAndRelease(w, 5, 5, 30, -4); break;
                case 's': key(w, VK_SPACE); break;
                case 'e': key(w, VK_RETURN); break;
                case 'r':
                    for (LPARAM down : {0x00390001, 0x40390001, 0x40390001})
                        SendMessageA(w, WM_KEYDOWN, VK_SPACE, down);
                    SendMessageA(w, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
                    break;
                case '0': send_control_command(w, kCommandSetValue, float_bits(0.0f)); break;
                case 'h': send_control_command(w, kCommandSetValue, float_bits(0.5f)); break;
                case 'x':
                    SendMessageA(w, WM_COMMAND, MAKEWPARAM(kCommandSetValue, EN_CHANGE), float_bits(1.0f));
                    SendMessageA(w, WM_COMMAND, MAKEWPARAM(kCommandSetValue, 1), float_bits(1.0f));
                    SendMessageA(w, WM_COMMAND, MAKEWPARAM(kCommandDisable, 1), 0);
                    break;
                case 'd': send_control_command(w, kCommandDisable, 0); break;
                case 'n': send_control_command(w, kCommandEnable, 0); break;
            }
        }
        EXPECT_EQ(reports_, c.reports) << c.name;
        EXPECT_EQ(float_bits(value(w)), float_bits(c.finalValue)) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        DestroyWindow(w);
    }
}

// Centre and corner pixels by value, focus and enabled state.
TEST_F(SwitchTest, FacesShowValueFocusAndDisabledState) {
    const COLORREF mark = toolkit().palette[kColourFocus];
    const COLORREF white = RGB(255, 255, 255);
    const struct {
        const char* name;
        uint32_t style;
        bool disabledFace;
        float value;
        bool focus, disabled;
        COLORREF centre, corner;
    } cases[] = {
        {"off", SWITCH_TOGGLE, false, 0.0f, false, false, kOff, kOff},
        {"on", SWITCH_TOGGLE, false, 1.0f, false, false, kOn, kOn},
        {"focused", SWITCH_MOMENTARY, false, 1.0f, true, false, kOn, mark},
        {"bare indicator focused", SWITCH_INDICATOR_NO_FOCUS, false, 0.0f, true, false, kOff, kOff},
        {"indicator with a bit focused", SWITCH_INDICATOR_NO_FOCUS | 0x100, false, 0.0f, true, false,
         kOff, mark},
        {"disabled face", SWITCH_TOGGLE, true, 1.0f, true, true, kGrey, kGrey},
        {"disabled cross", SWITCH_TOGGLE, false, 0.0f, true, true, white, kOff},
    };
    for (const auto& c : cases) {
        HWND w = make(c.style, c.disabledFace ? grey_ : nullptr);
        ASSERT_NE(w, nullptr);
        send_control_command(w, kCommandSetValue, float_bits(c.value));
        SetFocus(c.focus ? w : host_);
        if (c.disabled) send_control_command(w, kCommandDisable, 0);
        UpdateWindow(w);
        EXPECT_EQ(pixel(w, 12, 8), c.centre) << c.name;
        EXPECT_EQ(pixel(w, 1, 1), c.corner) << c.name;  // inside the focus corner
        // The top edge shows the face, also beside the cross.
        EXPECT_EQ(pixel(w, 12, 1), c.disabled && !c.disabledFace ? kOff : c.centre) << c.name;
        DestroyWindow(w);
    }
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SwitchTest, MomentaryHoldsTheCaptureAndGivesItBack) {
    HWND w = make(SWITCH_MOMENTARY);
    ASSERT_NE(w, nullptr);
    SetCapture(host_);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(GetFocus(), w);
    EXPECT_EQ(value(w), 1.0f);
    EXPECT_EQ(pixel(w, 12, 8), kOn);
    // A second press while held (a key with the mouse down) changes nothing.
    SendMessageA(w, WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(w, WM_LBUTTONUP, 0, at(3, 3));
    EXPECT_EQ(GetCapture(), host_);
    EXPECT_EQ(value(w), 0.0f);
    EXPECT_EQ(pixel(w, 12, 8), kOff);
    EXPECT_EQ(reports_, std::vector<float>{1.0f});
    DestroyWindow(w);
}

TEST_F(SwitchTest, PressEndsWithoutReportWhenCutShort) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, host_, nullptr, nullptr, nullptr);
    const struct {
        const char* name;
        std::function<void(HWND)> cut;
        HWND captureAfter;
    } cases[] = {
        {"disabled", [](HWND w) { send_control_command(w, kCommandDisable, 0); }, nullptr},
        {"capture taken", [other](HWND) { SetCapture(other); }, other},
        {"destroyed", [](HWND w) { DestroyWindow(w); }, nullptr},
    };
    for (const auto& c : cases) {
        reports_.clear();
        HWND w = make(SWITCH_MOMENTARY | SWITCH_AUTO_REPEAT);
        ASSERT_NE(w, nullptr);
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
        ASSERT_EQ(GetCapture(), w);
        c.cut(w);
        EXPECT_EQ(GetCapture(), c.captureAfter) << c.name;
        if (IsWindow(w)) {
            EXPECT_EQ(record(w)->pressed, 0) << c.name;
            EXPECT_EQ(record(w)->timerId, 0u) << c.name;
            EXPECT_EQ(value(w), 0.0f) << c.name;
            SendMessageA(w, WM_LBUTTONUP, 0, at(3, 3));  // a late release reports nothing
        }
        // No repeat tick reaches anyone afterwards.
        Sleep(120);
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE)) << c.name;
        pumpMessages();
        EXPECT_EQ(reports_, std::vector<float>{1.0f}) << c.name;  // the press only
        ReleaseCapture();
        DestroyWindow(w);
    }
    DestroyWindow(other);
}

TEST_F(SwitchTest, AutoRepeatSpeedsUpAndPausesOutside) {
    HWND w = make(SWITCH_MOMENTARY | SWITCH_AUTO_REPEAT);
    ASSERT_NE(w, nullptr);
    // Each report with the tick t it came on (-1: the press itself).
    std::vector<int> ticks;
    onReport_ = [&] { ticks.push_back(static_cast<int>(record(w)->repeatTicks) - 1); };
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
    ASSERT_EQ(ticks, std::vector<int>{-1});
    pumpUntil([&] { return record(w)->repeatTicks > 44; }, 5000);

    std::vector<int> expected = {-1, 8, 12, 16, 20};
    for (int t = 22; t <= 40; t += 2) expected.push_back(t);
    for (int t = 41; t <= 44; ++t) expected.push_back(t);
    ASSERT_GE(ticks.size(), expected.size());
    EXPECT_EQ(std::vector<int>(ticks.begin(), ticks.begin() + expected.size()), expected);

    // Outside the button the ticks stop, and so do the reports.
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, at(-6, 4));
    pumpMessages();
    const uint32_t pausedAt = record(w)->repeatTicks;
    const size_t reportsAt = ticks.size();
    pumpUntil([] { return false; }, 300);
    EXPECT_EQ(record(w)->repeatTicks, pausedAt);
    EXPECT_EQ(ticks.size(), reportsAt);

    // Back inside they go on from where they stopped, one report a tick.
    SendMessageA(w, WM_MOUSEMOVE, MK_LBUTTON, at(20, 10));
    pumpUntil([&] { return record(w)->repeatTicks >= pausedAt + 3; }, 2000);
    ASSERT_GE(ticks.size(), reportsAt + 3);
    EXPECT_EQ(ticks[reportsAt], static_cast<int>(pausedAt));

    // Release: no report of its own, and the timer is gone.
    SendMessageA(w, WM_LBUTTONUP, 0, at(20, 10));
    const size_t released = ticks.size();
    pumpUntil([] { return false; }, 200);
    EXPECT_EQ(ticks.size(), released);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(value(w), 0.0f);
    DestroyWindow(w);
}

TEST_F(SwitchTest, StockSwitchModesAndPostedReports) {
    const struct {
        uint32_t flags;
        uint32_t style;
    } cases[] = {
        {0, SWITCH_TOGGLE},
        {0x1000, SWITCH_MOMENTARY},
        {0x8000, SWITCH_SET_ONLY},
        {0x9000, SWITCH_SET_ONLY},
        {0x20000 | 0x4000, SWITCH_TOGGLE},  // other flags are not taken over
    };
    for (const auto& c : cases) {
        HWND w = create_stock_switch(host_, kId, 40, 10, c.flags);
        ASSERT_NE(w, nullptr);
        const SwitchRecord* r = record(w);
        EXPECT_EQ(r->descriptor.style, c.style) << std::hex << c.flags;
        EXPECT_EQ(r->descriptor.face1, toolkit().stockBitmaps[0]);
        EXPECT_EQ(r->descriptor.face2, toolkit().stockBitmaps[1]);
        EXPECT_EQ(r->descriptor.disabledFace, nullptr);
        EXPECT_EQ(r->target.flags, 0u);
        RECT client;
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, 24);
        EXPECT_EQ(client.bottom, 16);

        // The press is posted to the parent: id and the value's bits.
        pumpMessages();
        click(w);
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, host_, WM_COMMAND, WM_COMMAND, PM_REMOVE)) << std::hex << c.flags;
        EXPECT_EQ(msg.wParam, kId);
        EXPECT_EQ(static_cast<uint32_t>(msg.lParam), float_bits(1.0f));
        DestroyWindow(w);
    }
}

TEST_F(SwitchTest, RoundButtonKeepsTheBackgroundOutsideItsDisc) {
    HBITMAP disc = solidFace(24, 24, RGB(0, 0, 0));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, disc);
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    Ellipse(dc, 0, 0, 24, 24);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);

    SwitchRecord templ = {};
    templ.owner = host_;
    templ.descriptor = {24, 24, disc, disc, nullptr, 0, 0, kShapeCircular, SWITCH_TOGGLE, 0, 0};
    HWND w = CreateWindowExA(0, kI2pClassName, nullptr, WS_CHILD | WS_VISIBLE, 60, 40, 24, 24,
                             host_, nullptr, toolkit().instance, &templ);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(record(w)->mask, circle_mask(w, 24));
    UpdateWindow(w);
    // A known background under the next repaint.
    HDC wdc = GetDC(w);
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
    const RECT all = {0, 0, 24, 24};
    FillRect(wdc, &all, green);
    DeleteObject(green);
    ReleaseDC(w, wdc);
    send_control_command(w, kCommandSetValue, float_bits(1.0f));
    EXPECT_EQ(pixel(w, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(pixel(w, 12, 12), RGB(255, 255, 255));
    DestroyWindow(w);
    DeleteObject(disc);
}

TEST_F(SwitchTest, OwnerMayDestroyTheButtonFromItsCallback) {
    const uint32_t repeats = SWITCH_MOMENTARY | SWITCH_AUTO_REPEAT;
    const struct {
        const char* name;
        uint32_t style;
        std::function<void(HWND)> act;
    } paths[] = {
        {"toggle click", SWITCH_TOGGLE, [](HWND w) { click(w); }},
        {"auto-repeat tick", repeats, [this](HWND w) {
             destroys_.disarm();  // the press reports without destroying
             SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));
             destroys_.arm(w, sizeof(SwitchRecord));
             record(w)->repeatTicks = 8;
             SendMessageA(w, WM_TIMER, kSwitchRepeatTimer, 0);
         }},
    };
    onReport_ = [this] { destroys_.onReport(); };
    for (const auto& p : paths) {
        HWND w = make(p.style);
        ASSERT_NE(w, nullptr);
        destroys_.arm(w, sizeof(SwitchRecord));
        p.act(w);
        destroys_.expectClean(p.name);
    }
    onReport_ = nullptr;
    destroys_.disarm();
}

TEST_F(SwitchTest, NoLeaksOverManyButtons) {
    int windows = 0;
    auto countChildren = [this] {
        int n = 0;
        for (HWND c = GetWindow(host_, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) ++n;
        return n;
    };
    const std::vector<std::function<HWND()>> kinds = {
        [&] { return make(SWITCH_TOGGLE); },
        [&] { return make(SWITCH_SET_ONLY, grey_); },
        [&] { return make(SWITCH_INDICATOR_NO_FOCUS); },
        [&] { return make(SWITCH_MOMENTARY | SWITCH_AUTO_REPEAT); },
        [&] { return create_stock_switch(host_, kId, 0, 0, 0x1000); },
    };
    for (const auto& create : kinds) {
        DestroyWindow(create());  // first use of shared objects
        pumpMessages();
        windows = countChildren();
        const int32_t gdi = live_gdi_objects();
        for (int i = 0; i < 200; ++i) {
            HWND w = create();
            ASSERT_NE(w, nullptr);
            SetFocus(w);
            SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, at(3, 3));  // left held: timers, capture
            if (i % 2) send_control_command(w, kCommandDisable, 0);
            DestroyWindow(w);
        }
        Sleep(120);
        MSG msg;
        EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
        pumpMessages();
        EXPECT_EQ(live_gdi_objects(), gdi);
        EXPECT_EQ(countChildren(), windows);
        EXPECT_EQ(GetCapture(), nullptr);
    }
    reports_.clear();
}

TEST_F(SwitchTest, Screenshot) {
    std::vector<RgbImage> faces;
    HWND w = create_stock_switch(host_, kId, 10, 10, 0);
    ASSERT_NE(w, nullptr);
    SetFocus(host_);
    UpdateWindow(w);
    faces.push_back(capture_client(w));  // off
    send_control_command(w, kCommandSetValue, float_bits(1.0f));
    faces.push_back(capture_client(w));  // on
    SetFocus(w);
    UpdateWindow(w);
    faces.push_back(capture_client(w));  // on, focused
    send_control_command(w, kCommandSetValue, float_bits(0.0f));
    faces.push_back(capture_client(w));  // off, focused
    send_control_command(w, kCommandDisable, 0);
    UpdateWindow(w);
    faces.push_back(capture_client(w));  // disabled: the cross
    DestroyWindow(w);
    for (const RgbImage& face : faces) ASSERT_EQ(face.width, 24);
    EXPECT_TRUE(save_screenshot("switch_faces", side_by_side(faces, 4)));
}

}  // namespace
