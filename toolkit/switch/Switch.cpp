// The button's window procedure: a switch over the messages, each handed to
// a small handler; what every value control shares (record life, focus,
// paint entry, close, Tab and Escape, commands) is value_control_message's.
#include "toolkit/switch/Switch.h"

#include <windowsx.h>

#include "toolkit/CircleMask.h"
#include "toolkit/ControlData.h"
#include "toolkit/Drawing.h"
#include "toolkit/Notify.h"
#include "toolkit/ValueControl.h"
#include "toolkit/switch/SwitchRecord.h"

namespace {

constexpr WPARAM kEnterKey = 13;
constexpr WPARAM kSpaceKey = 32;
// lParam bit of a key-down that the keyboard repeats while the key is held.
constexpr LPARAM kKeyWasDown = 1 << 30;

SwitchRecord* recordOf(void* record) { return static_cast<SwitchRecord*>(record); }
uint32_t modeOf(const SwitchRecord* r) { return r->descriptor.style & SWITCH_MODE_MASK; }
bool autoRepeats(const SwitchRecord* r) {
    return modeOf(r) == SWITCH_MOMENTARY && (r->descriptor.style & SWITCH_AUTO_REPEAT) != 0;
}

// The one place the button is painted.
void paintSwitch(HWND, HDC dc, void* record) {
    const SwitchRecord* r = recordOf(record);
    const ControlDescriptor& d = r->descriptor;
    HBITMAP face = r->value == 0.0f ? d.face1 : d.face2;
    if (d.shape == kShapeCircular)
        blit_through_circle(dc, face, r->mask, 0, 0, d.width, d.height);
    else
        blit_bitmap(dc, face, 0, 0, d.width, d.height);

    if (!r->enabled) {
        if (d.disabledFace != nullptr)
            blit_bitmap(dc, d.disabledFace, 0, 0, d.width, d.height);
        else
            draw_disabled_cross(dc, 0, 0, d.width, d.height);
    } else if (r->focused) {
        draw_focus_corner(dc, 0, 0);
    }
}

int32_t switchCreated(HWND window, void* record) {
    SwitchRecord* r = recordOf(record);
    ControlDescriptor& d = r->descriptor;
    if (d.width == 0) bitmap_size(d.face1, &d.width, &d.height);
    r->enabled = 1;
    r->focused = 0;
    r->value = 0.0f;
    r->pressed = 0;
    r->previousCapture = nullptr;
    r->repeatTicks = 0;
    r->timerId = 0;
    r->repeatPaused = 1;
    r->mask = d.shape == kShapeCircular ? circle_mask(window, d.width) : nullptr;
    return 0;
}

// Ends a press without reporting it: the repeat timer stops and the capture
// goes back to whoever had it before.
void endPress(HWND window, SwitchRecord* r) {
    r->pressed = 0;
    r->repeatPaused = 1;
    if (r->timerId != 0) KillTimer(window, r->timerId);
    r->timerId = 0;
    HWND previous = r->previousCapture;
    r->previousCapture = nullptr;
    if (GetCapture() == window) ReleaseCapture();
    if (previous != nullptr && IsWindow(previous)) SetCapture(previous);
}

// A window going away mid-press leaves neither a timer nor the capture.
void switchDestroying(HWND window, void* record) {
    SwitchRecord* r = recordOf(record);
    if (r->pressed) endPress(window, r);
}

void repaint(HWND window);

void setSwitchValue(HWND window, void* record, float value) {
    SwitchRecord* r = recordOf(record);
    const float stored = value != 0.0f ? 1.0f : 0.0f;
    if (stored == r->value) return;
    r->value = stored;
    repaint(window);
}

const ValueControlClass kSwitchClass = {
    sizeof(SwitchRecord),
    switchCreated,
    switchDestroying,
    paintSwitch,
    // An indicator of style 0x4000 exactly shows no focus mark.
    [](void* r) -> int32_t* {
        return recordOf(r)->descriptor.style == SWITCH_INDICATOR_NO_FOCUS ? nullptr
                                                                           : &recordOf(r)->focused;
    },
    [](void* r) -> int32_t* { return &recordOf(r)->enabled; },
    [](void* r) -> const float* { return &recordOf(r)->value; },
    setSwitchValue,
    [](void* r) { return recordOf(r)->owner; },
    kCommandsExactWParam,
};

void repaint(HWND window) { repaint_control(&kSwitchClass, window); }

// Reports the button's value. The owner may destroy the button from its
// callback: false then, and the record must not be touched again.
bool report(SwitchRecord* r) {
    return notify_from_control(r, &r->target, r->id, float_bits(r->value)) != 0;
}

// A press cut short (disabled, capture taken away): no report.
void cancelPress(HWND window, SwitchRecord* r) {
    if (!r->pressed) return;
    endPress(window, r);
    r->value = 0.0f;
    repaint(window);
}

void pressMomentary(HWND window, SwitchRecord* r) {
    SetFocus(window);
    r->value = 1.0f;
    r->pressed = 1;
    HWND previous = SetCapture(window);
    r->previousCapture = previous != window ? previous : nullptr;
    if (!autoRepeats(r)) return;
    r->repeatPaused = 0;
    r->repeatTicks = 0;
    r->timerId = SetTimer(window, kSwitchRepeatTimer, kSwitchRepeatPeriodMs, nullptr);
}

void press(HWND window, SwitchRecord* r) {
    if (!r->enabled) return;
    switch (modeOf(r)) {
        case SWITCH_MOMENTARY:
            if (r->pressed) return;  // held by mouse and key at once
            pressMomentary(window, r);
            if (autoRepeats(r) && !report(r)) return;
            break;
        case SWITCH_TOGGLE:
            SetFocus(window);
            r->value = r->value == 0.0f ? 1.0f : 0.0f;
            if (!report(r)) return;
            break;
        case SWITCH_SET_ONLY:
            SetFocus(window);
            if (r->value != 0.0f) return;
            r->value = 1.0f;
            if (!report(r)) return;
            break;
        default:
            return;  // an indicator
    }
    repaint(window);
}

void release(HWND window, SwitchRecord* r, bool inside) {
    if (modeOf(r) != SWITCH_MOMENTARY || !r->enabled || !r->pressed) return;
    SetFocus(window);
    endPress(window, r);
    if (!autoRepeats(r) && inside && !report(r)) return;
    r->value = 0.0f;
    repaint(window);
}

void onLeftButtonDown(HWND window, SwitchRecord* r) { press(window, r); }

void onLeftButtonUp(HWND window, SwitchRecord* r, LPARAM lParam) {
    release(window, r, point_in_client(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) != 0);
}

void onMouseMove(HWND window, SwitchRecord* r, LPARAM lParam) {
    if (r->enabled && r->pressed && autoRepeats(r))
        r->repeatPaused = point_in_client(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) ? 0 : 1;
}

// Enter and Space press; a key the keyboard repeats while held is no new
// press. Other keys are left to the shared handling (Tab, Escape).
bool onKeyDown(HWND window, SwitchRecord* r, WPARAM key, LPARAM lParam) {
    if (key != kEnterKey && key != kSpaceKey) return false;
    if ((lParam & kKeyWasDown) == 0) press(window, r);
    return true;
}

bool onKeyUp(HWND window, SwitchRecord* r, WPARAM key) {
    if (key != kEnterKey && key != kSpaceKey) return false;
    release(window, r, true);
    return true;
}

bool onTimer(SwitchRecord* r, WPARAM timer) {
    if (timer != kSwitchRepeatTimer || !r->pressed || r->repeatPaused) return false;
    const uint32_t t = r->repeatTicks;
    r->repeatTicks = t + 1;
    if (switch_repeat_reports(t)) report(r);
    return true;
}

// Another window took the capture: the press cannot end by a release here,
// and the capture stays where it went.
void onCaptureChanged(HWND window, SwitchRecord* r, LPARAM newCapture) {
    if (!r->pressed || reinterpret_cast<HWND>(newCapture) == window) return;
    r->previousCapture = nullptr;
    cancelPress(window, r);
}

// Disabling a held button ends its press; the shared handling then takes
// the command.
void onCommand(HWND window, SwitchRecord* r, WPARAM wParam) {
    if (control_command_of(&kSwitchClass, wParam) == kCommandDisable) cancelPress(window, r);
}

int32_t switchMessage(HWND window, void* record, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT*) {
    SwitchRecord* r = recordOf(record);
    switch (message) {
        case WM_LBUTTONDOWN: onLeftButtonDown(window, r); return 1;
        case WM_LBUTTONUP: onLeftButtonUp(window, r, lParam); return 1;
        case WM_MOUSEMOVE: onMouseMove(window, r, lParam); return 1;
        case WM_KEYDOWN: return onKeyDown(window, r, wParam, lParam);
        case WM_KEYUP: return onKeyUp(window, r, wParam);
        case WM_TIMER: return onTimer(r, wParam);
        case WM_CAPTURECHANGED: onCaptureChanged(window, r, lParam); return 0;
        case WM_COMMAND: onCommand(window, r, wParam); return 0;
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK switch_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return run_value_control(&kSwitchClass, switchMessage, window, message, wParam, lParam);
}
