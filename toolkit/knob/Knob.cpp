#include "toolkit/knob/Knob.h"

#include <cstdlib>
#include <initializer_list>

#include "platform/DefinedFloatState.h"
#include "toolkit/ByteBlock.h"
#include "toolkit/CircleMask.h"
#include "toolkit/ControlData.h"
#include "toolkit/DraggedControl.h"
#include "toolkit/Notify.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/ValueEditDialog.h"
#include "toolkit/WheelSteps.h"
#include "toolkit/WindowClasses.h"
#include "toolkit/knob/KnobAdjustWindow.h"
#include "toolkit/knob/KnobGesture.h"
#include "toolkit/knob/KnobParts.h"
#include "toolkit/timedialog/TimeEntryDialog.h"

namespace {

KnobRecord* recordOf(void* record) { return static_cast<KnobRecord*>(record); }

int32_t onCreate(HWND window, void* record) {
    KnobRecord* k = recordOf(record);
    k->value.current = k->value.defaultValue;
    k->sweep = knob_value_setup(&k->value, LOWORD(k->look.angles), HIWORD(k->look.angles));
    k->window = window;
    k->enabled = 1;
    k->focused = 0;
    k->dragging = 0;
    k->adjustWindow = nullptr;
    k->angle = knob_value_angle(&k->value);
    k->trail = step_trail_at(k->value.current);
    k->wheelPending = 0;
    k->keyMoved = 0;
    k->mask = k->look.shape == kShapeCircular ? circle_mask(window, k->look.width) : nullptr;
    k->gapMid = knob_dial(k->value.thetaMin, k->value.thetaMax, k->sweep).gapMid;
    if (k->presetCount > kKnobPresetCapacity) k->presetCount = kKnobPresetCapacity;
    k->menu = knob_build_menu(k);
    return 0;
}

void onDestroying(HWND, void* record) {
    KnobRecord* k = recordOf(record);
    if (k->adjustWindow != nullptr && IsWindow(k->adjustWindow)) DestroyWindow(k->adjustWindow);
    k->adjustWindow = nullptr;
    if (k->menu != nullptr) DestroyMenu(k->menu);
    k->menu = nullptr;
}

}  // namespace

const ValueControlClass kKnobClass =
    dragged_control_class<KnobRecord, knob_set_silently>(onCreate, onDestroying, knob_paint);

void knob_follow_value(KnobRecord* k) {
    const float angle = knob_value_angle(&k->value);
    if (angle == k->angle) return;
    k->angle = angle;
    knob_repaint(k->window);
}

int32_t knob_set_silently(KnobRecord* k, float v) {
    // NaN fails both comparisons and is refused with the values outside.
    if (!(v >= k->value.min && v <= k->value.max) || v == k->value.current) return 0;
    k->value.current = v;
    knob_follow_value(k);
    return 1;
}

int32_t knob_notify(KnobRecord* k) {
    return notify_from_control(k, &k->notify, k->id, float_bits(k->value.current));
}

namespace {

bool notifiesWhileMoving(const KnobRecord* k) { return (k->notify.flags & KNOB_NOTIFY_DRAG) != 0; }

// Answers 1 when the value moved.
int32_t stepBy(KnobRecord* k, int32_t n) {
    if (!knob_value_step(&k->value, n, &k->trail)) return 0;
    knob_follow_value(k);
    if (notifiesWhileMoving(k)) knob_notify(k);
    return 1;
}

// The knob's pivot on the screen, where its dialogs open.
POINT screenCentre(const KnobRecord* k) {
    POINT centre = {k->look.extra1, k->look.extra2};
    ClientToScreen(k->window, &centre);
    return centre;
}

// Runs one edit dialog. Answers 0 when the knob was destroyed while the
// dialog ran.
int32_t editWith(HWND window, uint32_t bit) {
    KnobRecord* k = static_cast<KnobRecord*>(hold_control_record(window));
    if (k == nullptr) return 0;
    const POINT at = screenCentre(k);
    float answer = 0.0f;
    bool answered;
    if (bit == KNOB_EDIT_TIME) {
        answer = open_time_entry_dialog(k->owner, kValueEditStyle, at.x, at.y, k->value.current);
        answered = answer != kTimeCancelMarker;
    } else {
        answered = edit_control_value(k->owner, at.x, at.y, k->value.current, k->value.digits,
                                      bit == KNOB_DB, &answer) != 0;
    }
    if (!release_control_record(k)) return 0;
    if (!answered) return 1;
    knob_set_silently(k, answer);
    return knob_notify(k);
}

void editGesture(HWND window, KnobRecord* k) {
    if (!k->enabled || (k->look.style & KNOB_NO_EDIT)) return;
    const uint32_t style = k->look.style;
    for (uint32_t bit : {KNOB_DB, KNOB_EDIT_VALUE, KNOB_EDIT_TIME}) {
        if ((style & bit) && !editWith(window, bit)) return;
    }
}

void openAdjustWindow(KnobRecord* k) {
    if (!k->enabled || (k->look.style & KNOB_NO_EDIT)) return;
    const POINT at = screenCentre(k);
    k->adjustWindow = open_knob_adjust_window(k->owner, k->window, k->look.style, at.x - 2,
                                              at.y - 2, kKnobAdjustClosed, &k->notify, k->id,
                                              &k->value);
}

void reset(KnobRecord* k) {
    if (!k->enabled) return;
    knob_set_silently(k, k->value.defaultValue);
    knob_notify(k);
}

// The knob's own commands; answers 0 for ids that are not among them.
int32_t onKnobCommand(HWND window, KnobRecord* k, uint32_t id) {
    switch (id) {
        case kKnobToggleInverse: {
            int32_t& mode = toolkit().knob_mouse_mode;
            if (mode == 0 || mode == 1) mode = 1 - mode;
            return 1;
        }
        case kKnobToggleAngular: {
            int32_t& mode = toolkit().knob_mouse_mode;
            mode = (mode & kKnobAngularMode) ? (mode & kKnobInverseMode) : (mode | kKnobAngularMode);
            return 1;
        }
        case kKnobReset: reset(k); return 1;
        case kKnobSetMin: knob_set_silently(k, k->value.min); knob_notify(k); return 1;
        case kKnobSetMax: knob_set_silently(k, k->value.max); knob_notify(k); return 1;
        case kKnobEdit: editGesture(window, k); return 1;
        case kKnobAdjust: openAdjustWindow(k); return 1;
        case kKnobAdjustClosed: k->adjustWindow = nullptr; return 1;
    }
    if (id >= kKnobFirstPreset && id < kKnobFirstPreset + uint32_t{k->presetCount}) {
        knob_set_silently(k, k->presets[id - kKnobFirstPreset]);
        knob_notify(k);
        return 1;
    }
    return 0;
}

void startDrag(HWND window, KnobRecord* k, int32_t x, int32_t y) {
    SetFocus(window);
    if (k->dragging || !k->enabled) return;
    SetCapture(window);
    k->lastX = x;
    k->lastY = y;
    k->dragging = 1;
    knob_repaint(window);
}

// Answers 0 when the owner destroyed the knob on a report.
int32_t endDrag(HWND window, KnobRecord* k) {
    if (!k->dragging) return 1;
    k->dragging = 0;
    if (GetCapture() == window) ReleaseCapture();
    knob_repaint(window);
    if (!knob_notify(k) || !(k->look.style & KNOB_SPRING)) return 1;
    knob_set_silently(k, k->value.defaultValue);
    return knob_notify(k);
}

// Disabling ends every gesture: a drag ends as when its capture is taken
// away, and the adjust window closes.
void onDisable(HWND window, KnobRecord* k) {
    if (!endDrag(window, k)) return;
    if (k->adjustWindow != nullptr && IsWindow(k->adjustWindow))
        SendMessageA(k->adjustWindow, WM_CLOSE, 0, 0);
}

void angularDrag(KnobRecord* k, int32_t x, int32_t y) {
    const KnobDial dial = {k->value.thetaMin, k->value.thetaMax, k->sweep, k->gapMid};
    float target = 0.0f;
    if (!knob_angular_target(&dial, static_cast<float>(x - k->look.extra1),
                             static_cast<float>(k->look.extra2 - y), &target))
        return;  // on the pivot: no direction, and the last point stays
    k->lastX = x;
    k->lastY = y;
    if (target != k->angle && knob_value_at_angle(&k->value, target)) {
        k->angle = target;
        knob_repaint(k->window);
    }
    if (notifiesWhileMoving(k)) knob_notify(k);
}

int16_t xOf(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int16_t yOf(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

void onLeftButtonDown(HWND window, KnobRecord* k, WPARAM wParam, LPARAM lParam) {
    if (wParam & MK_CONTROL)
        editGesture(window, k);
    else if (wParam & MK_SHIFT)
        openAdjustWindow(k);
    else
        startDrag(window, k, xOf(lParam), yOf(lParam));
}

void onRightButtonDown(HWND window, KnobRecord* k, WPARAM wParam, LPARAM lParam) {
    if (!k->enabled || k->dragging) return;
    if (wParam & MK_SHIFT)
        openAdjustWindow(k);
    else
        knob_show_menu(window, xOf(lParam), yOf(lParam));
}

void onMiddleButtonDown(HWND window, KnobRecord* k, WPARAM wParam) {
    if (wParam & MK_SHIFT)
        openAdjustWindow(k);
    else
        editGesture(window, k);
}

// Forward raises in normal mode and lowers in inverse mode.
void onMouseWheel(KnobRecord* k, WPARAM wParam) {
    if (!k->enabled) return;
    const int32_t delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const bool inverse = knob_inverse(toolkit().knob_mouse_mode);
    stepBy(k, wheel_steps(&k->wheelPending, inverse ? -delta : delta, kWheelValueStepsPerNotch));
}

void onMouseMove(KnobRecord* k, LPARAM lParam) {
    const int32_t x = xOf(lParam), y = yOf(lParam);
    if (!k->dragging) {
        k->lastX = x;
        k->lastY = y;
        return;
    }
    const int32_t mode = toolkit().knob_mouse_mode;
    if (mode & kKnobAngularMode) {
        angularDrag(k, x, y);
        return;
    }
    const int32_t n = knob_drag_steps(x - k->lastX, y - k->lastY, knob_inverse(mode));
    k->lastX = x;
    k->lastY = y;
    stepBy(k, n);
}

void onKeyDown(HWND window, KnobRecord* k, WPARAM key) {
    if (!k->enabled || k->dragging) return;
    if (key == VK_INSERT) {
        editGesture(window, k);
        return;
    }
    if (k->look.style & KNOB_SPRING) return;
    int32_t n = 0;
    switch (key) {
        case VK_LEFT: n = -1; break;
        case VK_RIGHT: n = 1; break;
        case VK_UP: n = 10; break;
        case VK_DOWN: n = -10; break;
    }
    if (n != 0 && stepBy(k, n)) k->keyMoved = 1;
}

// A held arrow key is one gesture, with its repeats: its release reports the
// value once more, as a drag's release does.
void onKeyUp(KnobRecord* k, WPARAM key) {
    if (!k->keyMoved || key < VK_LEFT || key > VK_DOWN) return;
    k->keyMoved = 0;
    knob_notify(k);
}

const DraggedControlHandlers kHandlers = {
    &kKnobClass,
    [](HWND window, void* record) { endDrag(window, recordOf(record)); },
    [](HWND window, void* record) { onDisable(window, recordOf(record)); },
    [](HWND window, void* record, WPARAM key) { onKeyDown(window, recordOf(record), key); },
    [](HWND window, void* record, uint32_t id) { return onKnobCommand(window, recordOf(record), id); },
};

int32_t knobMessage(HWND window, void* record, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT*) {
    KnobRecord* k = recordOf(record);
    switch (message) {
        // Every click is followed by default processing, as is a middle
        // click during a drag.
        case WM_LBUTTONDOWN: onLeftButtonDown(window, k, wParam, lParam); return 0;
        case WM_MBUTTONDOWN:
            if (k->dragging) return 0;
            onMiddleButtonDown(window, k, wParam);
            return 1;
        case WM_LBUTTONUP: endDrag(window, k); return 1;
        case WM_LBUTTONDBLCLK: reset(k); return 1;
        case WM_RBUTTONDOWN: onRightButtonDown(window, k, wParam, lParam); return 1;
        case WM_MOUSEWHEEL: onMouseWheel(k, wParam); return 1;
        case WM_MOUSEMOVE: onMouseMove(k, lParam); return 1;
        case WM_KEYUP:
            onKeyUp(k, wParam);
            return 0;  // the default handling follows
        case WM_KILLFOCUS:
            k->keyMoved = 0;  // the release goes elsewhere
            return 0;
    }
    return dragged_control_message(&kHandlers, window, record, message, wParam, lParam);
}

}  // namespace

// The knob's steps and drags are computed in the defined floating-point
// state, whatever state the thread's owner left.
LRESULT CALLBACK knob_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DefinedFloatState state;
    return run_value_control(&kKnobClass, knobMessage, window, message, wParam, lParam);
}

HWND create_knob_window(HWND parent, uint16_t id, int32_t x, int32_t y,
                        const ControlDescriptor* look, const NotifyTarget* notify,
                        const KnobPointer* pointer, const KnobValue* value) {
    KnobRecord* k = static_cast<KnobRecord*>(std::calloc(1, sizeof(KnobRecord)));
    if (k == nullptr || look == nullptr || notify == nullptr || pointer == nullptr || value == nullptr) {
        std::free(k);
        return nullptr;
    }
    k->owner = parent;
    k->x = x;
    k->y = y;
    k->id = id;
    k->look = *look;
    k->notify = *notify;
    k->pointer = *pointer;
    k->value = *value;
    if (k->look.width == 0) bitmap_size(k->look.face1, &k->look.width, &k->look.height);
    HWND window = create_control_window(kRotatifClassName, parent, id, x, y, k->look.width,
                                        k->look.height, WS_TABSTOP, k);
    std::free(k);
    return window;
}

HWND create_knob(HWND parent, uint16_t id, int32_t x, int32_t y, uint32_t style, HBITMAP bitmap,
                 int32_t centreX, int32_t centreY, uint16_t angleMin, uint16_t angleMax, float min,
                 float max, float defaultValue, float step, ControlCallback callback, void* user) {
    ControlDescriptor look = {};
    bitmap_size(bitmap, &look.width, &look.height);
    look.face1 = bitmap;
    look.angles = static_cast<uint32_t>(angleMin) | (static_cast<uint32_t>(angleMax) << 16);
    look.shape = kShapeCircular;
    look.style = style;
    look.extra1 = centreX;
    look.extra2 = centreY;

    NotifyTarget notify = {parent, callback, style | (callback != nullptr ? kNotifyByCallback : 0),
                           user};
    KnobPointer pointer = {look.width / 3 + 2, 2, static_cast<uint16_t>(style & KNOB_PEN_MASK),
                           static_cast<uint16_t>((style & KNOB_BRUSH_MASK) >> 4)};
    KnobValue value = {};
    value.min = min;
    value.max = max;
    value.defaultValue = defaultValue;
    value.step = step;
    value.digits = kKnobDigits;
    value.valueFlags = style;
    return create_knob_window(parent, id, x, y, &look, &notify, &pointer, &value);
}
