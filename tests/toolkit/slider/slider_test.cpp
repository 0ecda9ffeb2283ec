// The slider under Wine, driven by the messages a user's mouse and keyboard
// produce: keys and wheel, drags with and without capture and direct
// position, commands, menus and their preferences, the edit dialogs,
// destruction during modal calls and callbacks, painting and leaks. The
// arithmetic of each gesture, reversed sliders included, is tested natively.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "GdiObjectCounter.h"
#include "ModalScript.h"
#include "OwnerDestroys.h"
#include "SampleContent.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "toolkit/ControlData.h"
#include "toolkit/Notify.h"
#include "toolkit/slider/Slider.h"

namespace {

constexpr uint16_t kId = 7;
constexpr uint32_t kH = SLIDER_HORIZONTAL;

struct Reports {
    std::vector<float> values;
    OwnerDestroys destroys;
};

int32_t __cdecl report(void* user, int32_t code, uint32_t value) {
    auto* r = static_cast<Reports*>(user);
    EXPECT_EQ(code & 0xFFFF, kId);
    r->values.push_back(bits_float(value));
    r->destroys.onReport();
    return 0;
}

class SliderTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        SetWindowPos(host_, nullptr, 0, 0, 320, 240, SWP_NOZORDER | SWP_NOACTIVATE);
        toolkit().S_capture = 1;
        toolkit().S_settopos = 0;
        g_modal = ModalScript{};
    }
    void TearDown() override {
        destroyAll();
        ToolkitWindowTest::TearDown();
    }
    void destroyAll() {
        for (HWND s : sliders_) DestroyWindow(s);
        sliders_.clear();
    }
    HWND slider(uint32_t style, float min, float max, float def, float step, int32_t x = 10) {
        HWND s = create_stock_slider(host_, kId, x, 10, style, min, max, def, step, report, &reports_);
        sliders_.push_back(s);
        return s;
    }
    static float value(HWND s) { return send_control_command(s, kCommandGetValue, 0); }
    static SliderRecord* record(HWND s) { return static_cast<SliderRecord*>(get_control_data(s)); }
    static float thumb(HWND s) { return record(s)->thumbPosition; }
    static void mouse(HWND s, UINT message, int32_t x, int32_t y, WPARAM keys = MK_LBUTTON) {
        SendMessageA(s, message, keys, MAKELPARAM(x, y));
    }
    static void key(HWND s, WPARAM vk) { SendMessageA(s, WM_KEYDOWN, vk, 1); }
    static void wheel(HWND s, int16_t delta) {
        SendMessageA(s, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(5, 5));
    }
    Reports reports_;
    std::vector<HWND> sliders_;
};

TEST_F(SliderTest, CreationAndGeometry) {
    HWND h = slider(kH, 0, 10, 2.5f, 0.1f);
    HWND v = slider(0, 0, 10, 2.5f, 0.1f, 200);
    RECT hr, vr;
    GetClientRect(h, &hr);
    GetClientRect(v, &vr);
    EXPECT_EQ(hr.right * 1000 + hr.bottom, 128017);
    EXPECT_EQ(vr.right * 1000 + vr.bottom, 17128);
    // The 20-pixel thumb travels 108 pixels: 2.5 of 10 is 27 from the left,
    // and 27 up from the bottom end (108) on the vertical one.
    EXPECT_EQ(thumb(h), 27.0f);
    EXPECT_EQ(thumb(v), 81.0f);
    EXPECT_EQ(record(h)->value.valueFlags, SLIDER_HORIZONTAL);
    EXPECT_EQ(record(h)->notify.flags, kNotifyByCallback);

    // A range without extent: the thumb rests at the start and nothing moves.
    HWND flat = slider(kH | SLIDER_NOTIFY_DRAG, 3, 3, 3, 1);
    EXPECT_EQ(thumb(flat), 0.0f);
    key(flat, VK_RIGHT);
    EXPECT_EQ(value(flat), 3.0f);
    EXPECT_TRUE(reports_.values.empty());
    // No creation block, no slider.
    EXPECT_EQ(CreateWindowExA(0, kSlideClassName, "", WS_CHILD, 0, 0, 9, 9, host_, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
}

TEST_F(SliderTest, KeysAndWheelStepAndReport) {
    struct Step { bool horizontal; WPARAM key; int16_t wheel; float expected; bool reports; } steps[] = {
        {true, VK_RIGHT, 0, 0.5f, true},  {true, VK_UP, 0, 5.5f, true},
        {true, 0, 120, 3.0f, true},       // a notch forward lowers a horizontal slider
        {true, 0, 12, 3.0f, false},       // less than a step per notch: nothing
        {false, VK_UP, 0, 5.0f, true},    {false, 0, 120, 7.5f, true},
        {false, VK_HOME, 0, 7.5f, false}, {false, VK_UP, 0, 10.0f, true},
        {false, VK_UP, 0, 10.0f, false},  // at the end: nothing, not even a report
    };
    HWND h = slider(kH | SLIDER_NOTIFY_DRAG, 0, 10, 0, 0.5f);
    HWND v = slider(SLIDER_NOTIFY_DRAG, 0, 10, 0, 0.5f, 200);
    for (const auto& s : steps) {
        HWND target = s.horizontal ? h : v;
        const size_t before = reports_.values.size();
        if (s.key != 0) key(target, s.key);
        if (s.wheel != 0) wheel(target, s.wheel);
        EXPECT_EQ(value(target), s.expected) << s.key << " " << s.wheel;
        EXPECT_EQ(reports_.values.size(), before + (s.reports ? 1 : 0)) << s.key << " " << s.wheel;
    }
    // A disabled slider ignores keys and the wheel; without the drag flag
    // steps change the value silently.
    send_control_command(h, kCommandDisable, 0);
    const size_t reported = reports_.values.size();
    key(h, VK_UP);
    wheel(h, -120);
    EXPECT_EQ(value(h), 3.0f);
    HWND quiet = slider(kH, 0, 10, 0, 1, 150);
    key(quiet, VK_RIGHT);
    EXPECT_EQ(value(quiet), 1.0f);
    EXPECT_EQ(reports_.values.size(), reported);

    // Without a callback the report is posted to the owner.
    HWND posting = create_stock_slider(host_, kId, 10, 60, kH | SLIDER_NOTIFY_DRAG, 0, 10, 0, 0.5f,
                                       nullptr, nullptr);
    sliders_.push_back(posting);
    pumpMessages();
    key(posting, VK_RIGHT);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, host_, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, kId);
    EXPECT_EQ(static_cast<uint32_t>(msg.lParam), float_bits(0.5f));
}

TEST_F(SliderTest, CommandsAndPresets) {
    HWND s = slider(kH, 1, 8, 2, 0.5f);
    for (float refused : {9.0f, 0.5f, NAN}) send_control_command(s, kCommandSetValue, float_bits(refused));
    EXPECT_EQ(value(s), 2.0f);
    send_control_command(s, kCommandSetValue, float_bits(3.0f));
    EXPECT_EQ(value(s), 3.0f);
    EXPECT_TRUE(reports_.values.empty());  // command 4 is silent
    record(s)->presetCount = 2;
    record(s)->presets[1] = 6.5f;
    for (uint32_t command : {101, 102, 100, 601, 602}) send_control_command(s, command, 0);
    mouse(s, WM_LBUTTONDBLCLK, 5, 5);
    send_control_command(s, kSliderFirstPreset + 1, 0);
    send_control_command(s, kCommandDisable, 0);  // reset only while enabled
    send_control_command(s, kSliderReset, 0);
    mouse(s, WM_LBUTTONDBLCLK, 5, 5);
    EXPECT_EQ(reports_.values, (std::vector<float>{1, 8, 2, 6.5f, 2, 6.5f}));
    // Commands carrying an edit notification code are not commands.
    SendMessageA(s, WM_COMMAND, MAKEWPARAM(kCommandSetValue, EN_CHANGE), float_bits(5.0f));
    EXPECT_EQ(value(s), 6.5f);
    // The two preferences toggle for every slider.
    send_control_command(s, kSliderToggleCapture, 0);
    send_control_command(s, kSliderToggleDirect, 0);
    EXPECT_EQ(toolkit().S_capture * 10 + toolkit().S_settopos, 1);
}

TEST_F(SliderTest, DragsWithAndWithoutCapture) {
    // Captured (the default): the drag goes on outside and stops at the end.
    HWND s = slider(kH | SLIDER_NOTIFY_DRAG, 0, 10, 5, 0.1f);
    mouse(s, WM_LBUTTONDOWN, 60, 8);
    EXPECT_EQ(GetCapture(), s);
    EXPECT_TRUE(reports_.values.empty());  // pressing reports nothing
    mouse(s, WM_MOUSEMOVE, 65, 8);
    EXPECT_FLOAT_EQ(value(s), 5.5f);
    mouse(s, WM_MOUSEMOVE, 300, 8);
    mouse(s, WM_LBUTTONUP, 300, 8, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(reports_.values, (std::vector<float>{5.5f, 10, 10}));  // two moves and the release

    // Not captured: leaving the control ends the drag with a report; coming
    // back with the button held starts a new one.
    toolkit().S_capture = 0;
    reports_.values.clear();
    mouse(s, WM_LBUTTONDOWN, 60, 8);
    mouse(s, WM_MOUSEMOVE, 55, 8);
    mouse(s, WM_MOUSEMOVE, 55, -2);
    EXPECT_EQ(record(s)->dragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(reports_.values, (std::vector<float>{9.5f, 9.5f}));
    mouse(s, WM_MOUSEMOVE, 128, 17);  // the far edges still count as inside
    EXPECT_EQ(record(s)->dragging, 1);
    mouse(s, WM_MOUSEMOVE, 118, 17);
    EXPECT_FLOAT_EQ(value(s), 8.5f);

    // A drag whose capture is taken away ends there, with its report; so
    // does one whose slider is disabled, and later moves change nothing.
    SetCapture(host_);
    EXPECT_EQ(record(s)->dragging, 0);
    EXPECT_FLOAT_EQ(reports_.values.back(), 8.5f);
    ReleaseCapture();
    toolkit().S_capture = 1;
    mouse(s, WM_LBUTTONDOWN, 60, 8);
    mouse(s, WM_MOUSEMOVE, 65, 8);
    send_control_command(s, kCommandDisable, 0);
    EXPECT_EQ(record(s)->dragging, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FLOAT_EQ(reports_.values.back(), 9.0f);
    mouse(s, WM_MOUSEMOVE, 90, 8);
    EXPECT_FLOAT_EQ(value(s), 9.0f);
}

TEST_F(SliderTest, DirectMousePositionPutsTheThumbAtThePointer) {
    toolkit().S_settopos = 1;
    HWND s = slider(kH | SLIDER_NOTIFY_DRAG, 0, 10, 0, 0.1f);
    HWND v = slider(0, 0, 10, 0, 0.1f, 200);
    mouse(v, WM_LBUTTONDOWN, 8, 27);  // the top is a vertical slider's maximum end
    EXPECT_NEAR(value(v), 7.5f, 1e-5);
    mouse(v, WM_LBUTTONUP, 8, 27, 0);
    reports_.values.clear();
    mouse(s, WM_LBUTTONDOWN, 54, 8);  // 54 of 108 pixels, not reported
    EXPECT_NEAR(value(s), 5.0f, 1e-5);
    EXPECT_TRUE(reports_.values.empty());
    mouse(s, WM_MOUSEMOVE, 27, 8);
    mouse(s, WM_MOUSEMOVE, 27, 9);  // unchanged, still reported
    mouse(s, WM_LBUTTONUP, 500, 9, 0);
    ASSERT_EQ(reports_.values.size(), 3u);
    for (float reported : reports_.values) EXPECT_NEAR(reported, 2.5f, 1e-5);
}

std::string menuText(HMENU menu, UINT id) {
    char text[128] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

TEST_F(SliderTest, MenuTextsAndState) {
    struct Case { uint32_t style; float min, max, def; const char* lines[4]; } cases[] = {
        {kH, 0, 10, 0.5f,
         {"Current value : +0.500", "Default value (+0.500000)\tDBLCLICK", "Value Min (0.000000)",
          "Value Max (+10.000000)"}},
        {SLIDER_DB, 0.25f, 1, 0.5f,
         {"Current value : -6.0 db", "Default value (-6.0 db)\tDBLCLICK", "Value Min (-12.0) db",
          "Value Max (0.0) db"}},
    };
    for (const auto& c : cases) {
        HMENU menu = record(slider(c.style, c.min, c.max, c.def, 0.01f))->menu;
        EXPECT_EQ(GetMenuItemCount(menu), 9);
        EXPECT_EQ(menuText(menu, 10) + menuText(menu, 12) + menuText(menu, 103),
                  "Mouse CapturedDirect mouse positionEdit Value\tINS");
        const UINT ids[] = {50, 100, 101, 102};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(menuText(menu, ids[i]), c.lines[i]);
    }

    // Shown: the checks and the value line follow the state.
    HWND s = sliders_.front();
    send_control_command(s, kCommandSetValue, float_bits(10.0f));
    run_modal([&] { mouse(s, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON); });
    EXPECT_TRUE(g_modal.sawMenu);
    HMENU menu = record(s)->menu;
    EXPECT_TRUE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, 12, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, 102, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, 100, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(menuText(menu, 50), "Current value : +10.000");
    // No menu while disabled.
    send_control_command(s, kCommandDisable, 0);
    g_modal = ModalScript{};
    run_modal([&] { mouse(s, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON); });
    EXPECT_FALSE(g_modal.sawMenu);
}

TEST_F(SliderTest, MenuAndEditTextShowTheSameDecimals) {
    HWND s = slider(kH | SLIDER_EDIT_VALUE, 0, 10, 5, 0.1f);
    record(s)->value.decimals = 0x102;  // only the low byte counts
    run_modal([&] { mouse(s, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON); });
    EXPECT_EQ(menuText(record(s)->menu, 50), "Current value : +5.00");
    g_modal = ModalScript{};
    run_modal([&] { key(s, VK_INSERT); });
    EXPECT_EQ(g_modal.editText, "5.00");
}

DWORD storedSetting(const char* key, const char* name) {
    DWORD data = 0xFFFF, size = sizeof data, type = 0;
    HKEY k = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, key, &k) != ERROR_SUCCESS) return 0xDEAD;
    RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    RegCloseKey(k);
    return type == REG_BINARY && size == 4 ? data : 0xBAD;
}

TEST_F(SliderTest, MenuChoicesReachTheRegistry) {
    HWND s = slider(kH, 0, 10, 5, 0.1f);
    for (int item : {1, 2}) {  // "Mouse Captured", then "Direct mouse position"
        g_modal = ModalScript{};
        g_modal.menuItem = item;
        run_modal([&] { mouse(s, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON); });
    }
    EXPECT_EQ(toolkit().S_capture * 10 + toolkit().S_settopos, 1);
    // Saved when the toolkit ends, read back when it starts again.
    destroyAll();
    terminate_toolkit();
    EXPECT_EQ(storedSetting(kKey, "S_capture"), 0u);
    EXPECT_EQ(storedSetting(kKey, "S_settopos"), 1u);
    ASSERT_EQ(init_toolkit(GetModuleHandleA(nullptr), kApp), 1);
    EXPECT_EQ(toolkit().S_capture * 10 + toolkit().S_settopos, 1);
}

TEST_F(SliderTest, EditValueThroughBothDialogs) {
    HWND db = slider(SLIDER_DB, 0.25f, 1, 0.5f, 0.005f);
    HWND plain = slider(kH | SLIDER_EDIT_VALUE, 1, 8, 2, 0.5f, 40);
    HWND time = slider(kH | SLIDER_EDIT_TIME, 0, 10, 0.5f, 0.1f, 70);
    struct Edit { HWND s; UINT how; WPARAM keys; const char* text; bool confirm; float expected; size_t reports; } edits[] = {
        // Decibels shown as -6.0; Enter on them keeps 0.5 exactly, and reports.
        {db, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, nullptr, true, 0.5f, 1},
        {plain, WM_KEYDOWN, 0, "3.25", true, 3.25f, 2},
        {plain, WM_MBUTTONDOWN, MK_MBUTTON, "12", true, 3.25f, 3},  // refused, still reported
        {plain, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, "5", false, 3.25f, 3},  // Escape
        {time, WM_KEYDOWN, 0, "4", true, 4.0f, 4},
        {time, WM_COMMAND, 0, "5", false, 4.0f, 4},
    };
    for (const auto& e : edits) {
        g_modal = ModalScript{};
        g_modal.typeText = e.text;
        g_modal.confirm = e.confirm;
        run_modal([&] {
            if (e.how == WM_KEYDOWN) key(e.s, VK_INSERT);
            else if (e.how == WM_COMMAND) send_control_command(e.s, kSliderEdit, 0);
            else mouse(e.s, e.how, 5, 5, e.keys);
        });
        EXPECT_EQ(e.s == time ? g_modal.sawTime : g_modal.sawEdit, true) << e.text;
        EXPECT_EQ(value(e.s), e.expected) << e.text;
        EXPECT_EQ(reports_.values.size(), e.reports) << e.text;
        if (e.s == db) {
            EXPECT_EQ(g_modal.editText, "-6.0");
        }
    }
    // A disabled slider opens nothing.
    send_control_command(time, kCommandDisable, 0);
    g_modal = ModalScript{};
    run_modal([&] { key(time, VK_INSERT); });
    EXPECT_FALSE(g_modal.sawTime);
}

TEST_F(SliderTest, DestroyedDuringModalCallsAndCallbacks) {
    for (uint32_t style : {SLIDER_EDIT_VALUE, SLIDER_DB, SLIDER_EDIT_TIME, 0u}) {
        HWND s = slider(kH | style, 0.25f, 1, 0.5f, 0.01f);
        g_modal = ModalScript{};
        g_modal.destroy = s;
        g_modal.confirm = true;
        // The menu for the style 0, the edit dialogs for the others.
        run_modal([&] {
            if (style == 0) mouse(s, WM_RBUTTONDOWN, 5, 5, MK_RBUTTON);
            else key(s, VK_INSERT);
        });
        EXPECT_FALSE(IsWindow(s)) << style;
        EXPECT_TRUE(reports_.values.empty()) << style;
    }
    // An owner that closes the slider on any report: nothing touches the
    // slider afterwards, and a second edit dialog never opens.
    const auto drag = [](HWND s) {
        mouse(s, WM_LBUTTONDOWN, 60, 8);
        mouse(s, WM_MOUSEMOVE, 70, 8);
    };
    const struct Path {
        const char* name;
        uint32_t style;
        int32_t direct;
        std::function<void(HWND)> act;
    } paths[] = {
        {"drag", SLIDER_NOTIFY_DRAG, 0, drag},
        {"direct drag", SLIDER_NOTIFY_DRAG, 1, drag},
        {"release", 0, 0, [&](HWND s) { drag(s); mouse(s, WM_LBUTTONUP, 70, 8, 0); }},
        {"disabled mid-drag", 0, 0, [&](HWND s) { drag(s); send_control_command(s, kCommandDisable, 0); }},
        {"key", SLIDER_NOTIFY_DRAG, 0, [](HWND s) { key(s, VK_RIGHT); }},
        {"wheel", SLIDER_NOTIFY_DRAG, 0, [](HWND s) { wheel(s, 120); }},
        {"menu choice", 0, 0, [](HWND s) { SendMessageA(s, WM_COMMAND, kSliderSetMax, 0); }},
        {"edit dialogs", SLIDER_EDIT_VALUE | SLIDER_EDIT_TIME, 0, [](HWND s) {
             g_modal = ModalScript{};
             g_modal.confirm = true;
             run_modal([&] { key(s, VK_INSERT); });
             EXPECT_FALSE(g_modal.sawTime);
         }},
    };
    for (const auto& p : paths) {
        toolkit().S_settopos = p.direct;
        HWND s = slider(kH | p.style, 0, 10, 5, 0.1f);
        reports_.destroys.arm(s, sizeof(SliderRecord));
        p.act(s);
        reports_.destroys.expectClean(p.name);
    }
    reports_.destroys.disarm();
}

// The stock thumb's red index runs down its middle (columns 9 and 10 of a
// horizontal thumb, rows 9 and 10 of a vertical one).
bool redAt(HWND s, int x, int y) {
    HDC dc = GetDC(s);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(s, dc);
    return GetRValue(c) > 0xC0 && GetGValue(c) < 0x60;
}

TEST_F(SliderTest, PaintsTheThumbWhereTheValueIs) {
    HWND h = create_sample_horizontal_slider(host_, kId, 10, 10);
    HWND v = create_sample_vertical_slider(host_, kId, 160, 10);
    sliders_ = {h, v};
    UpdateWindow(host_);
    EXPECT_TRUE(redAt(h, 27 + 9, 8));  // 2.5 of 0..10
    EXPECT_TRUE(redAt(v, 8, 72 + 9));  // 0.5 of 0.25..1: 36 pixels up from 108
    const RgbImage hImage = capture_client(h), vImage = capture_client(v);
    // A step repaints at once, without waiting for WM_PAINT.
    send_control_command(h, kCommandSetValue, float_bits(10.0f));
    EXPECT_TRUE(redAt(h, 108 + 9, 8));
    EXPECT_FALSE(redAt(h, 27 + 9, 8));
    // Disabled: the cross, no thumb.
    send_control_command(v, kCommandDisable, 0);
    UpdateWindow(v);
    EXPECT_FALSE(redAt(v, 8, 72 + 9));
    HDC dc = GetDC(v);
    EXPECT_EQ(GetPixel(dc, 8, 64), RGB(255, 255, 255));  // where the cross's white arms meet
    ReleaseDC(v, dc);
    EXPECT_TRUE(save_screenshot("slider_orientations",
                                side_by_side({hImage, capture_client(h), vImage, capture_client(v)}, 4)));

    // Without a thumb bitmap the thumb is a rectangle in palette colours.
    SliderRecord templ = {};
    templ.y = 60;
    templ.look.face1 = toolkit().stockBitmaps[10];
    templ.look.style = kH;
    templ.look.extra1 = 2;
    templ.thumb = {nullptr, 12, 13, 0, 13};
    templ.value.max = 10;
    HWND drawn = create_slider_window(host_, &templ);
    sliders_.push_back(drawn);
    dc = GetDC(drawn);
    EXPECT_EQ(GetPixel(dc, 3, 5), toolkit().palette[13]);  // filled, at the start of the track
    EXPECT_EQ(GetPixel(dc, 0, 5), toolkit().palette[0]);   // outlined in black
    ReleaseDC(drawn, dc);
}

TEST_F(SliderTest, NoLeaksOverManySliders) {
    DestroyWindow(create_sample_vertical_slider(host_, kId, 10, 10));
    pumpMessages();
    const int32_t gdi = live_gdi_objects();
    const int windows = thread_window_count();
    if (gdi < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    for (int i = 0; i < 200; ++i) {
        HWND s = i % 2 ? create_sample_vertical_slider(host_, kId, 10, 10)
                       : create_sample_horizontal_slider(host_, kId, 10, 10);
        ASSERT_NE(s, nullptr);
        mouse(s, WM_LBUTTONDOWN, 8, 8);
        mouse(s, WM_MOUSEMOVE, 12, 12);
        mouse(s, WM_LBUTTONUP, 12, 12, 0);
        DestroyWindow(s);
    }
    pumpMessages();
    EXPECT_EQ(live_gdi_objects(), gdi);
    EXPECT_EQ(thread_window_count(), windows);
}

}  // namespace
