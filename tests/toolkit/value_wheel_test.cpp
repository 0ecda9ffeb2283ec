// The wheel on the knob and the slider under Wine, through the system's
// input queue: every table turn of wheel_turns() moves each control by its
// steps in its own direction, and a part that gives no step notifies nothing.
#include <gtest/gtest.h>

#include <windows.h>


#include "ToolkitTestWindows.h"
#include "WheelParts.h"
#include "toolkit/Notify.h"
#include "toolkit/ValueControl.h"
#include "toolkit/knob/Knob.h"
#include "toolkit/slider/Slider.h"

namespace {

int32_t __cdecl countReport(void* user, int32_t, uint32_t) {
    ++*static_cast<int*>(user);
    return 0;
}

// Turns the wheel by delta with the pointer over window and the focus on it,
// and delivers what that queued.
void turnWheel(HWND window, int32_t delta) {
    RECT frame;
    GetWindowRect(window, &frame);
    SetCursorPos(frame.left + 5, frame.top + 5);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = static_cast<DWORD>(delta);
    SendInput(1, &input, sizeof input);
    for (int quiet = 0; quiet < 3; Sleep(1)) {
        MSG msg;
        quiet = PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) ? 0 : quiet + 1;
        if (quiet == 0) DispatchMessageA(&msg);
    }
}

using ValueWheel = ToolkitWindowTest;

TEST_F(ValueWheel, PartsOfANotchAddUpOnKnobsAndSliders) {
    SetForegroundWindow(host_);
    HBITMAP face = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(509));
    int reports = 0;
    // forward: the value's way for a wheel turned forward.
    const struct { const char* what; bool knob; int32_t mode; uint32_t style; int forward; } controls[] = {
        {"knob", true, 0, 0, 1},
        {"inverse knob", true, 1, 0, -1},
        {"vertical slider", false, 0, 0, 1},
        {"horizontal slider", false, 0, SLIDER_HORIZONTAL, -1},
    };
    for (const auto& c : controls) {
        toolkit().knob_mouse_mode = c.mode;
        for (const WheelTurn& t : wheel_turns()) {
            HWND w = c.knob ? create_knob(host_, 1, 10, 10, KNOB_NOTIFY_DRAG, face, 17, 17, 240, 300,
                                          0, 100, 50, 1, countReport, &reports)
                            : create_stock_slider(host_, 1, 10, 10, c.style | SLIDER_NOTIFY_DRAG, 0,
                                                  100, 50, 1, countReport, &reports);
            ASSERT_NE(w, nullptr);
            SetFocus(w);
            float expected = 50;
            for (size_t i = 0; i < t.parts.size(); ++i) {
                reports = 0;
                turnWheel(w, t.parts[i]);
                expected += static_cast<float>(c.forward * t.steps[i]);
                EXPECT_EQ(send_control_command(w, kCommandGetValue, 0), expected)
                    << c.what << ", " << t.what << " part " << i;
                EXPECT_EQ(reports, t.steps[i] != 0 ? 1 : 0) << c.what << ", " << t.what << " part " << i;
            }
            DestroyWindow(w);
        }
    }
    DeleteObject(face);
}

}  // namespace
