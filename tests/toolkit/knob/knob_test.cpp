// The rotary knob under Wine, driven by the messages a user's mouse and
// keyboard produce: drags in both modes, angular snapping, wheel and keys,
// commands, menus and edit gestures, springs, destruction during modal
// calls, painting and leaks.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "LeakCheck.h"
#include "ModalScript.h"
#include "OwnerDestroys.h"
#include "Screenshot.h"
#include "ToolkitTestWindows.h"
#include "toolkit/ControlData.h"
#include "toolkit/Notify.h"
#include "toolkit/knob/Knob.h"

namespace {

constexpr float kDegree = 0.017453292f;
constexpr uint16_t kId = 9;

struct Reports {
    std::vector<float> values;
    int32_t lastCode = 0;
    OwnerDestroys destroys;
};

int32_t __cdecl report(void* user, int32_t code, uint32_t value) {
    auto* r = static_cast<Reports*>(user);
    r->values.push_back(bits_float(value));
    r->lastCode = code;
    r->destroys.onReport();
    return 0;
}

class KnobTest : public ToolkitWindowTest {
protected:
    void SetUp() override {
        ToolkitWindowTest::SetUp();
        face_ = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(509));
        toolkit().knob_mouse_mode = 1;
        g_modal = ModalScript{};
    }
    void TearDown() override {
        for (HWND k : knobs_) DestroyWindow(k);
        DeleteObject(face_);
        ToolkitWindowTest::TearDown();
    }
    HWND knob(uint32_t style, float min, float max, float def, float step, uint16_t from = 240,
              uint16_t to = 300, int32_t x = 20) {
        HWND k = create_knob(host_, kId, x, 20, style, face_, 17, 17, from, to, min, max, def, step,
                             report, &reports_);
        knobs_.push_back(k);
        return k;
    }
    static float value(HWND k) { return send_control_command(k, kCommandGetValue, 0); }
    static KnobRecord* record(HWND k) { return static_cast<KnobRecord*>(get_control_data(k)); }
    static void mouse(HWND k, UINT message, int32_t x, int32_t y, WPARAM keys = MK_LBUTTON) {
        SendMessageA(k, message, keys, MAKELPARAM(x, y));
    }
    static void key(HWND k, WPARAM vk) { SendMessageA(k, WM_KEYDOWN, vk, 1); }
    static void wheel(HWND k, int16_t delta) {
        SendMessageA(k, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(30, 30));
    }
    HBITMAP face_ = nullptr;
    Reports reports_;
    std::vector<HWND> knobs_;
};

TEST_F(KnobTest, CreationAndClass) {
    HWND k = knob(0x11000A0, -24, 24, 0, 0.05f);
    ASSERT_NE(k, nullptr);
    char name[64];
    GetClassNameA(k, name, sizeof name);
    EXPECT_STREQ(name, "C_RA2ZAZ_Rotatif_00\xA9KSomar");
    RECT r;
    GetClientRect(k, &r);
    EXPECT_EQ(r.right, 32);
    EXPECT_EQ(r.bottom, 32);
    EXPECT_EQ(GetDlgCtrlID(k), kId);
    EXPECT_EQ(value(k), 0.0f);
    EXPECT_EQ(record(k)->pointer.length, 32 / 3 + 2);
    EXPECT_EQ(record(k)->pointer.brushIndex, 10);
    EXPECT_NEAR(record(k)->angle, 90 * kDegree, 1e-5);
    // No creation block, no knob.
    EXPECT_EQ(CreateWindowExA(0, "C_RA2ZAZ_Rotatif_00\xA9KSomar", "", WS_CHILD, 0, 0, 9, 9, host_,
                              nullptr, GetModuleHandleA(nullptr), nullptr),
              nullptr);
}

TEST_F(KnobTest, LinearDragsInBothModes) {
    struct Case { int32_t mode; int32_t dx, dy; float expected; } cases[] = {
        {0, 0, 10, -1.0f},  // normal: down lowers one step per pixel
        {1, 0, 10, 1.0f},   // inverse: down raises
        {0, 10, 2, 1.0f},   // sideways: right raises in both modes
        {1, -10, 2, -1.0f},
        {4, 0, 10, -1.0f},  // only bit 0 means inverse
    };
    for (const auto& c : cases) {
        toolkit().knob_mouse_mode = c.mode;
        HWND k = knob(0x1000000, -24, 24, 0, 0.1f);
        reports_.values.clear();
        mouse(k, WM_LBUTTONDOWN, 16, 16);
        EXPECT_EQ(GetCapture(), k);
        EXPECT_EQ(record(k)->dragging, 1);
        mouse(k, WM_MOUSEMOVE, 16 + c.dx / 2, 16 + c.dy / 2);
        mouse(k, WM_MOUSEMOVE, 16 + c.dx, 16 + c.dy);
        EXPECT_NEAR(value(k), c.expected, 1e-5) << c.mode << " " << c.dx << " " << c.dy;
        EXPECT_EQ(reports_.values.size(), 2u);  // notified on each move
        mouse(k, WM_LBUTTONUP, 16 + c.dx, 16 + c.dy, 0);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(reports_.values.size(), 3u);  // and on release
        EXPECT_EQ(reports_.lastCode & 0xFFFF, kId);
    }
}

TEST_F(KnobTest, WithoutNotifyDragOnlyTheReleaseReports) {
    HWND k = knob(0, 0, 10, 5, 1);
    key(k, VK_RIGHT);
    wheel(k, 120);
    mouse(k, WM_LBUTTONDOWN, 16, 16);
    mouse(k, WM_MOUSEMOVE, 16, 10);
    EXPECT_TRUE(reports_.values.empty());
    mouse(k, WM_LBUTTONUP, 16, 10, 0);
    ASSERT_EQ(reports_.values.size(), 1u);
    EXPECT_EQ(reports_.values[0], value(k));
}

TEST_F(KnobTest, WheelAndKeys) {
    toolkit().knob_mouse_mode = 0;
    HWND k = knob(0x1000000, 0, 100, 50, 1);
    wheel(k, 120);
    EXPECT_EQ(value(k), 55.0f);  // up in mode 0
    toolkit().knob_mouse_mode = 1;
    wheel(k, 120);
    EXPECT_EQ(value(k), 50.0f);  // down in mode 1
    const struct { WPARAM vk; float expected; } keys[] = {
        {VK_RIGHT, 51}, {VK_LEFT, 50}, {VK_UP, 60}, {VK_DOWN, 50}, {'A', 50}, {VK_HOME, 50}};
    for (const auto& c : keys) {
        key(k, c.vk);
        EXPECT_EQ(value(k), c.expected) << c.vk;
    }
    // A held key's release reports the value once more, as a drag's does;
    // one that moved nothing reports nothing.
    reports_.values.clear();
    key(k, VK_RIGHT);
    key(k, VK_RIGHT);
    for (int i = 0; i < 2; ++i) SendMessageA(k, WM_KEYUP, VK_RIGHT, 0xC0000001);
    EXPECT_EQ(reports_.values, (std::vector<float>{51, 52, 52}));
    key(k, VK_LEFT);
    key(k, VK_LEFT);
    // A disabled knob ignores keys and the wheel; an enabled one at its end
    // stays there and reports nothing.
    send_control_command(k, kCommandDisable, 0);
    const size_t reported = reports_.values.size();
    key(k, VK_UP);
    wheel(k, -120);
    EXPECT_EQ(value(k), 50.0f);
    send_control_command(k, kCommandEnable, 0);
    send_control_command(k, kCommandSetValue, float_bits(100.0f));
    key(k, VK_UP);
    EXPECT_EQ(reports_.values.size(), reported);

    // Logarithmic: one Right from 10 gives 11, one Up from 10 gives 10 x 1.1^10.
    HWND log = knob(KNOB_LOG, 1, 100, 10, 1.1f);
    key(log, VK_RIGHT);
    EXPECT_FLOAT_EQ(value(log), 11.0f);
    send_control_command(log, kCommandSetValue, float_bits(10.0f));
    key(log, VK_UP);
    EXPECT_NEAR(value(log), 25.937f, 1e-3);
}

TEST_F(KnobTest, AngularDragSnapsInTheDeadZone) {
    toolkit().knob_mouse_mode = 2;
    // Mouse angles in degrees and the values they give: inside the travel
    // the value follows; in the dead zone it snaps to the nearer end, the
    // boundary being the middle of the dead zone. The editor's travels wrap
    // around 0 degrees.
    struct Move { float degrees, expected; };
    const struct Travel {
        uint16_t from, to;
        float min, max;
        std::vector<Move> moves;
    } travels[] = {
        {240, 300, 0, 1, {{280, 1}, {260, 0}, {90, 0.5f}, {0, 0.8f}}},
        {90, 225, 1, 8, {{160, 8}, {150, 1}, {0, 3.8f}}},         // compression
        {240, 90, 0.25f, 1, {{0, 1}, {330, 0.25f}, {180, 0.55f}}}, // limit
    };
    for (const auto& t : travels) {
        HWND k = knob(0x1000000, t.min, t.max, t.min, 0.01f, t.from, t.to);
        mouse(k, WM_LBUTTONDOWN, 17, 17);
        for (const auto& m : t.moves) {
            const float a = m.degrees * kDegree;
            mouse(k, WM_MOUSEMOVE, 17 + std::lround(12 * std::cos(a)), 17 - std::lround(12 * std::sin(a)));
            EXPECT_NEAR(value(k), m.expected, 1e-4) << t.from << " to " << t.to << " at " << m.degrees;
            EXPECT_LT(record(k)->angle, kTwoPi);
        }
        // On the pivot nothing changes and the last point stays.
        const int32_t lastX = record(k)->lastX;
        const float held = value(k);
        mouse(k, WM_MOUSEMOVE, 17, 17);
        EXPECT_EQ(value(k), held);
        EXPECT_EQ(record(k)->lastX, lastX);
        mouse(k, WM_LBUTTONUP, 17, 17, 0);
    }
}

TEST_F(KnobTest, CommandsAndPresets) {
    HWND k = knob(0, 1, 8, 2, 0.5f);
    const struct { float v; float expected; } sets[] = {
        {9, 2}, {8, 8}, {0.5f, 8}, {NAN, 8}, {3, 3}};
    for (const auto& s : sets) {
        send_control_command(k, kCommandSetValue, float_bits(s.v));
        EXPECT_EQ(value(k), s.expected) << s.v;
    }
    EXPECT_TRUE(reports_.values.empty());  // command 4 is silent
    send_control_command(k, kKnobSetMin, 0);
    EXPECT_EQ(value(k), 1.0f);
    send_control_command(k, kKnobSetMax, 0);
    EXPECT_EQ(value(k), 8.0f);
    SendMessageA(k, WM_LBUTTONDBLCLK, 0, MAKELPARAM(16, 16));
    EXPECT_EQ(value(k), 2.0f);
    EXPECT_EQ(reports_.values, (std::vector<float>{1, 8, 2}));
    // Commands carrying an edit notification code are not commands.
    SendMessageA(k, WM_COMMAND, MAKEWPARAM(kCommandSetValue, EN_CHANGE), float_bits(5.0f));
    EXPECT_EQ(value(k), 2.0f);

    record(k)->presetCount = 2;
    record(k)->presets[1] = 6.5f;
    send_control_command(k, kKnobFirstPreset + 1, 0);
    EXPECT_EQ(value(k), 6.5f);
    send_control_command(k, kKnobFirstPreset + 2, 0);  // beyond the presets
    EXPECT_EQ(value(k), 6.5f);

    // The mouse-mode toggles.
    toolkit().knob_mouse_mode = 0;
    send_control_command(k, kKnobToggleInverse, 0);
    EXPECT_EQ(toolkit().knob_mouse_mode, 1);
    send_control_command(k, kKnobToggleAngular, 0);
    EXPECT_EQ(toolkit().knob_mouse_mode, 3);
    send_control_command(k, kKnobToggleInverse, 0);  // only modes 0 and 1 toggle
    EXPECT_EQ(toolkit().knob_mouse_mode, 3);
    send_control_command(k, kKnobToggleAngular, 0);
    EXPECT_EQ(toolkit().knob_mouse_mode, 1);
}

TEST_F(KnobTest, SpringReturnsToTheDefault) {
    HWND k = knob(KNOB_SPRING, 0, 10, 5, 1);
    key(k, VK_UP);  // arrows do nothing on a spring
    EXPECT_EQ(value(k), 5.0f);
    mouse(k, WM_LBUTTONDOWN, 16, 16);
    mouse(k, WM_MOUSEMOVE, 16, 13);
    mouse(k, WM_LBUTTONUP, 16, 13, 0);
    EXPECT_EQ(reports_.values, (std::vector<float>{2, 5}));  // up lowers in inverse mode
    EXPECT_EQ(value(k), 5.0f);
}

std::string menuText(HMENU menu, UINT id) {
    char text[128] = {};
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

TEST_F(KnobTest, MenuTexts) {
    HWND db = knob(KNOB_DB, 0.25f, 1, 0.5f, 0.005f);
    HMENU menu = record(db)->menu;
    EXPECT_EQ(GetMenuItemCount(menu), 10);
    EXPECT_EQ(menuText(menu, 50), "Current value : -6.021 db");
    EXPECT_EQ(menuText(menu, 100), "Default value (-6.0 db)\tDBLCLICK");
    EXPECT_EQ(menuText(menu, 101), "Value Min (-12.0) db");
    EXPECT_EQ(menuText(menu, 102), "Value Max (0.0) db");
    EXPECT_EQ(menuText(menu, 103), "Edit Value\tINS [CTRL+CLICK]");
    EXPECT_EQ(menuText(menu, 104), "Adjust Value\t[SHIFT+CLICK]");

    HWND plain = knob(0, 1, 8, 2, 0.5f);
    EXPECT_EQ(menuText(record(plain)->menu, 100), "Default value (+2.000000)\tDBLCLICK");
    EXPECT_EQ(menuText(record(plain)->menu, 50), "Current value : +2.000");

    HWND noEdit = knob(KNOB_NO_EDIT, 0, 1, 0, 0.1f);
    EXPECT_EQ(GetMenuItemCount(record(noEdit)->menu), 2);
    EXPECT_EQ(menuText(record(noEdit)->menu, 10), "Inverse Mousemove Mode");
    EXPECT_EQ(menuText(record(noEdit)->menu, 12), "Angular Mousemove Mode");
}

TEST_F(KnobTest, MenuShowsTheStateAndSurvivesTheKnob) {
    HWND k = knob(0, 1, 8, 8, 0.5f);
    toolkit().knob_mouse_mode = 3;
    run_modal([&] { mouse(k, WM_RBUTTONDOWN, 16, 16, MK_RBUTTON); });
    EXPECT_TRUE(g_modal.sawMenu);
    HMENU menu = record(k)->menu;
    EXPECT_TRUE(GetMenuState(menu, 12, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu, 10, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(menu, 102, MF_BYCOMMAND) & MF_CHECKED);  // at max
    EXPECT_FALSE(GetMenuState(menu, 101, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(menuText(menu, 50), "Current value : +8.000");

    // Destroyed while its menu is up: nothing touches the freed knob.
    g_modal = ModalScript{};
    g_modal.destroy = k;
    run_modal([&] { mouse(k, WM_RBUTTONDOWN, 16, 16, MK_RBUTTON); });
    EXPECT_FALSE(IsWindow(k));
}

TEST_F(KnobTest, EditGestures) {
    // Ctrl+click on a decibel knob edits decibels: the field starts at -6.021.
    HWND db = knob(KNOB_DB | KNOB_NOTIFY_DRAG, 0.25f, 1, 0.5f, 0.005f);
    g_modal.confirm = true;
    run_modal([&] { mouse(db, WM_LBUTTONDOWN, 16, 16, MK_LBUTTON | MK_CONTROL); });
    EXPECT_EQ(g_modal.editText, "-6.021");
    // Enter on the unchanged text keeps the value exactly and still reports.
    EXPECT_EQ(value(db), 0.5f);
    EXPECT_EQ(reports_.values, (std::vector<float>{0.5f}));

    // Insert on a plain knob; a typed value is taken; one outside the range
    // is refused but reported.
    HWND plain = knob(KNOB_EDIT_VALUE, 1, 8, 2, 0.5f);
    g_modal = ModalScript{};
    g_modal.confirm = true;
    g_modal.typeText = "3.25";
    run_modal([&] { key(plain, VK_INSERT); });
    EXPECT_EQ(value(plain), 3.25f);
    g_modal.typeText = "12";
    run_modal([&] { key(plain, VK_INSERT); });
    EXPECT_EQ(value(plain), 3.25f);
    EXPECT_EQ(reports_.values.back(), 3.25f);
    // Escape changes nothing and reports nothing.
    const size_t reported = reports_.values.size();
    g_modal = ModalScript{};
    run_modal([&] { key(plain, VK_INSERT); });
    EXPECT_TRUE(g_modal.sawEdit);
    EXPECT_EQ(reports_.values.size(), reported);

    // Time knobs open the time entry dialog.
    HWND time = knob(KNOB_EDIT_TIME, 0, 10, 0.5f, 0.1f);
    g_modal = ModalScript{};
    run_modal([&] { key(time, VK_INSERT); });
    EXPECT_TRUE(g_modal.sawTime);
    EXPECT_EQ(value(time), 0.5f);

    // No edit at all on a KNOB_NO_EDIT knob: no dialog, no adjust window.
    HWND none = knob(KNOB_NO_EDIT | KNOB_EDIT_VALUE, 0, 1, 0, 0.1f);
    g_modal = ModalScript{};
    run_modal([&] {
        key(none, VK_INSERT);
        mouse(none, WM_LBUTTONDOWN, 16, 16, MK_LBUTTON | MK_CONTROL);
        mouse(none, WM_LBUTTONDOWN, 16, 16, MK_LBUTTON | MK_SHIFT);
    });
    EXPECT_FALSE(g_modal.sawEdit);
    EXPECT_EQ(toolkit().adjustWindow, nullptr);
}

TEST_F(KnobTest, DestroyedWhileItsDialogsRun) {
    for (uint32_t style : {KNOB_EDIT_VALUE, KNOB_DB, KNOB_EDIT_TIME}) {
        HWND k = knob(style, 0.25f, 1, 0.5f, 0.01f);
        g_modal = ModalScript{};
        g_modal.destroy = k;
        g_modal.confirm = true;
        run_modal([&] { key(k, VK_INSERT); });
        EXPECT_FALSE(IsWindow(k)) << style;
        EXPECT_TRUE(reports_.values.empty()) << style;
    }
}

TEST_F(KnobTest, OwnerMayDestroyTheKnobFromAnyReport) {
    const auto drag = [](HWND k, int32_t x, int32_t y) {
        mouse(k, WM_LBUTTONDOWN, 17, 17);
        mouse(k, WM_MOUSEMOVE, x, y);
    };
    const struct Path {
        const char* name;
        uint32_t style;
        int32_t mode;
        std::function<void(HWND)> act;
    } paths[] = {
        {"linear drag", KNOB_NOTIFY_DRAG, 1, [&](HWND k) { drag(k, 17, 10); }},
        {"angular drag", KNOB_NOTIFY_DRAG, 2, [&](HWND k) { drag(k, 29, 17); }},
        {"spring released", KNOB_SPRING, 1,
         [&](HWND k) { drag(k, 17, 10); mouse(k, WM_LBUTTONUP, 17, 10, 0); }},
        {"spring losing the capture", KNOB_SPRING, 1, [&](HWND k) { drag(k, 17, 10); SetCapture(host_); }},
        {"spring disabled", KNOB_SPRING, 1,
         [&](HWND k) { drag(k, 17, 10); send_control_command(k, kCommandDisable, 0); }},
        {"key", KNOB_NOTIFY_DRAG, 1, [](HWND k) { key(k, VK_UP); }},
        {"wheel", KNOB_NOTIFY_DRAG, 1, [](HWND k) { wheel(k, 120); }},
        {"menu choice", 0, 1, [](HWND k) { SendMessageA(k, WM_COMMAND, kKnobSetMax, 0); }},
        {"edit dialogs", KNOB_EDIT_VALUE | KNOB_EDIT_TIME, 1, [](HWND k) {
             g_modal = ModalScript{};
             g_modal.confirm = true;
             g_modal.typeText = "0.75";
             run_modal([&] { key(k, VK_INSERT); });
         }},
        {"adjust window", 0, 1, [](HWND k) {
             mouse(k, WM_LBUTTONDOWN, 16, 16, MK_LBUTTON | MK_SHIFT);
             HWND adjust = record(k)->adjustWindow;
             SendMessageA(adjust, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 150));
             SendMessageA(adjust, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 160));
             EXPECT_FALSE(IsWindow(adjust));
         }},
    };
    for (const auto& p : paths) {
        toolkit().knob_mouse_mode = p.mode;
        HWND k = knob(p.style, 0, 1, 0.5f, 0.01f);
        reports_.destroys.arm(k, sizeof(KnobRecord));
        p.act(k);
        reports_.destroys.expectClean(p.name);
        ReleaseCapture();  // from the window that took it
    }
    reports_.destroys.disarm();
}

TEST_F(KnobTest, DisablingEndsTheDragAndClosesTheAdjustWindow) {
    HWND k = knob(KNOB_NOTIFY_DRAG, 0, 1, 0.5f, 0.01f);
    mouse(k, WM_LBUTTONDOWN, 16, 16);
    mouse(k, WM_MOUSEMOVE, 16, 10);
    send_control_command(k, kCommandDisable, 0);
    EXPECT_EQ(record(k)->dragging, 0);
    EXPECT_NE(GetCapture(), k);
    const float ended = value(k);
    EXPECT_EQ(reports_.values.back(), ended);  // reported as when the capture is lost
    const size_t reported = reports_.values.size();
    mouse(k, WM_MOUSEMOVE, 16, 4);
    EXPECT_EQ(value(k), ended);
    EXPECT_EQ(reports_.values.size(), reported);

    send_control_command(k, kCommandEnable, 0);
    mouse(k, WM_LBUTTONDOWN, 16, 16, MK_LBUTTON | MK_SHIFT);
    HWND adjust = record(k)->adjustWindow;
    ASSERT_NE(adjust, nullptr);
    send_control_command(k, kCommandDisable, 0);
    EXPECT_FALSE(IsWindow(adjust));
    EXPECT_EQ(record(k)->adjustWindow, nullptr);
}

TEST_F(KnobTest, AdjustWindowFromShiftClickAndMenu) {
    HWND k = knob(0, 1, 8, 2, 0.5f);
    mouse(k, WM_LBUTTONDOWN, 16, 16, MK_LBUTTON | MK_SHIFT);
    HWND adjust = record(k)->adjustWindow;
    ASSERT_NE(adjust, nullptr);
    EXPECT_EQ(toolkit().adjustWindow, adjust);
    SendMessageA(adjust, WM_CLOSE, 0, 0);
    EXPECT_EQ(record(k)->adjustWindow, nullptr);  // told by the window's close command
    send_control_command(k, kKnobAdjust, 0);
    adjust = record(k)->adjustWindow;
    ASSERT_NE(adjust, nullptr);
    DestroyWindow(k);  // takes its adjust window along
    EXPECT_FALSE(IsWindow(adjust));
    EXPECT_EQ(toolkit().adjustWindow, nullptr);
}

// The pointer lies along the angle of the value: dark pixels along it,
// the bright face on the other side of the pivot.
int darkest(HDC dc, int x, int y) {
    int least = 255;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) least = std::min<int>(least, GetRValue(GetPixel(dc, x + dx, y + dy)));
    return least;
}

void expectPointerAt(HWND k, float degrees) {
    HDC dc = GetDC(k);
    const float a = degrees * kDegree;
    const int along = darkest(dc, 17 + std::lround(8 * std::cos(a)), 17 - std::lround(8 * std::sin(a)));
    const int behind = darkest(dc, 17 - std::lround(7 * std::cos(a)), 17 + std::lround(7 * std::sin(a)));
    ReleaseDC(k, dc);
    EXPECT_LT(along, 0x60) << degrees;
    EXPECT_GT(behind, 0x80) << degrees;
}

TEST_F(KnobTest, PaintsPointerCrossAndKeepsTheBackgroundOutsideTheDisc) {
    // The editor's knobs at min, default and max.
    struct Case { uint16_t from, to; float min, max, def; uint32_t style; } cases[] = {
        {90, 225, 1, 8, 1, 0x11000A0}, {240, 300, -24, 24, 0, 0x11000A0},
        {240, 300, 1, 100, 5, 0x11000A0}, {240, 90, 0.25f, 1, 1, 0x14000A0}};
    for (const auto& c : cases) {
        HWND k = knob(c.style, c.min, c.max, c.def, 0.01f, c.from, c.to);
        UpdateWindow(k);
        const KnobRecord* r = record(k);
        expectPointerAt(k, r->angle / kDegree);
        send_control_command(k, kKnobSetMin, 0);
        expectPointerAt(k, c.from);
        send_control_command(k, kKnobSetMax, 0);
        expectPointerAt(k, c.to);
        DestroyWindow(k);
        knobs_.pop_back();
    }

    // Over a known background: the corners keep it, the disc shows the face.
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    HDC hostDc = GetDC(host_);
    RECT area = {0, 0, 200, 120};
    FillRect(hostDc, &area, green);
    ReleaseDC(host_, hostDc);
    DeleteObject(green);
    HWND k = knob(0x11000A0, 0, 1, 0.5f, 0.01f);
    HDC dc = GetDC(k);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 200, 0));
    EXPECT_EQ(GetPixel(dc, 30, 1), RGB(0, 200, 0));
    EXPECT_NE(GetPixel(dc, 10, 24), RGB(0, 200, 0));
    ReleaseDC(k, dc);
    const RgbImage enabled = capture_client(k);

    // Disabled: the cross, no pointer.
    send_control_command(k, kCommandDisable, 0);
    UpdateWindow(k);
    dc = GetDC(k);
    EXPECT_EQ(GetPixel(dc, 8, 8), RGB(255, 255, 255));  // on the cross's white arm
    ReleaseDC(k, dc);
    EXPECT_TRUE(save_screenshot("knob_faces", side_by_side({enabled, capture_client(k)}, 4)));
}

TEST_F(KnobTest, RepaintsAtOnceOnlyWhenTheAngleMoves) {
    HWND k = knob(0, 0, 1e9f, 0, 1);
    UpdateWindow(k);
    HDC dc = GetDC(k);
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    RECT all = {0, 0, 32, 32};
    FillRect(dc, &all, green);
    // One step of a billionth of the travel leaves the angle as it was: the
    // value changes, nothing is painted.
    key(k, VK_RIGHT);
    EXPECT_EQ(value(k), 1.0f);
    EXPECT_EQ(GetPixel(dc, 16, 16), RGB(0, 200, 0));
    // A step that turns the pointer paints at once, without WM_PAINT.
    send_control_command(k, kCommandSetValue, float_bits(5e8f));
    EXPECT_NE(GetPixel(dc, 16, 16), RGB(0, 200, 0));
    DeleteObject(green);
    ReleaseDC(k, dc);
}

TEST_F(KnobTest, NoLeaksOverManyKnobs) {
    expect_no_leaks(200, [&](int i) {
        HWND k = knob(0x11000A0 | (i % 2 ? KNOB_DB : 0), 0.25f, 1, 0.5f, 0.01f);
        ASSERT_NE(k, nullptr);
        mouse(k, WM_LBUTTONDOWN, 16, 16);
        mouse(k, WM_MOUSEMOVE, 16, 10);
        mouse(k, WM_LBUTTONUP, 16, 10, 0);
        DestroyWindow(k);
        knobs_.clear();
    });
}

}  // namespace
