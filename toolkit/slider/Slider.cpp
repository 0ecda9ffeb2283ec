#include "toolkit/slider/Slider.h"

#include <windowsx.h>

#include "toolkit/CircleMask.h"
#include "toolkit/ControlData.h"
#include "toolkit/DraggedControl.h"
#include "toolkit/Notify.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/WheelSteps.h"
#include "toolkit/slider/SliderParts.h"

namespace {

SliderRecord* recordOf(void* record) { return static_cast<SliderRecord*>(record); }

int32_t onCreate(HWND window, void* record) {
    SliderRecord* s = recordOf(record);
    if (s->look.width == 0) bitmap_size(s->look.face1, &s->look.width, &s->look.height);
    // The style's orientation is the one the track and the steps follow.
    const bool horizontal = (s->look.style & SLIDER_HORIZONTAL) != 0;
    const SliderTravel travel = {horizontal,
                                 horizontal ? s->look.width : s->look.height,
                                 horizontal ? s->thumb.width : s->thumb.height,
                                 LOWORD(s->look.angles), HIWORD(s->look.angles)};
    slider_value_setup(&s->value, travel);
    s->window = window;
    s->enabled = 1;
    s->focused = 0;
    s->dragging = 0;
    s->thumbPosition = slider_position_of(&s->value, s->value.current);
    s->trail = step_trail_at(s->value.current);
    s->wheelPending = 0;
    if (slider_in_decibels(s)) s->value.decimals = 1;
    s->thumbMask = s->look.shape == kShapeCircular && s->thumb.bitmap != nullptr
                       ? circle_mask(window, s->thumb.width)
                       : nullptr;
    if (s->presetCount > kSliderPresetCapacity) s->presetCount = kSliderPresetCapacity;
    s->menu = slider_build_menu(s);
    return 0;
}

void onDestroying(HWND, void* record) {
    SliderRecord* s = recordOf(record);
    if (s->menu != nullptr) DestroyMenu(s->menu);
    s->menu = nullptr;
}

}  // namespace

const ValueControlClass kSliderClass =
    dragged_control_class<SliderRecord, slider_set_silently>(onCreate, onDestroying, slider_paint);

void slider_follow_value(SliderRecord* s) {
    const float position = slider_position_of(&s->value, s->value.current);
    if (position == s->thumbPosition) return;
    s->thumbPosition = position;
    slider_repaint(s->window);
}

int32_t slider_set_silently(SliderRecord* s, float v) {
    if (!slider_set(&s->value, v)) return 0;
    slider_follow_value(s);
    return 1;
}

int32_t slider_notify(SliderRecord* s) {
    return notify_from_control(s, &s->notify, s->id, float_bits(s->value.current));
}

namespace {

bool notifiesWhileMoving(const SliderRecord* s) { return (s->notify.flags & SLIDER_NOTIFY_DRAG) != 0; }
bool mouseCaptured() { return toolkit().S_capture != 0; }
bool directPosition() { return toolkit().S_settopos != 0; }

void stepBy(SliderRecord* s, int32_t n) {
    if (!slider_step(&s->value, n, &s->trail)) return;
    slider_follow_value(s);
    if (notifiesWhileMoving(s)) slider_notify(s);
}

// Direct mouse position: the thumb's leading edge goes to the pointer.
// Returns whether the value changed.
int32_t followPointer(SliderRecord* s, int32_t x, int32_t y) {
    const float p = static_cast<float>(slider_horizontal(s) ? x : y);
    if (!slider_set(&s->value, slider_value_at(&s->value, p))) return 0;
    s->thumbPosition = slider_position_of(&s->value, s->value.current);
    return 1;
}

void setAndReport(SliderRecord* s, float v) {
    slider_set_silently(s, v);
    slider_notify(s);
}

void reset(SliderRecord* s) {
    if (!s->enabled) return;
    setAndReport(s, s->value.defaultValue);
}

// Edit gestures of a slider that takes input.
void edit(HWND window, const SliderRecord* s) {
    if (s->enabled && !s->dragging) slider_edit(window);
}

void startDrag(HWND window, SliderRecord* s, int32_t x, int32_t y) {
    SetFocus(window);
    if (s->dragging || !s->enabled) return;
    SetCapture(window);
    s->dragging = 1;
    s->lastX = x;
    s->lastY = y;
    if (directPosition()) followPointer(s, x, y);
    slider_repaint(window);
}

void endDrag(HWND window, SliderRecord* s) {
    if (!s->dragging) return;
    s->dragging = 0;
    if (GetCapture() == window) ReleaseCapture();
    slider_repaint(window);
    slider_notify(s);
}

// The slider's own commands; answers 0 for ids that are not among them.
int32_t onSliderCommand(HWND window, SliderRecord* s, uint32_t id) {
    switch (id) {
        case kSliderToggleCapture: toolkit().S_capture = toolkit().S_capture == 1 ? 0 : 1; return 1;
        case kSliderToggleDirect: toolkit().S_settopos = toolkit().S_settopos == 1 ? 0 : 1; return 1;
        case kSliderCurrentValueLine: return 1;
        case kSliderReset: reset(s); return 1;
        case kSliderSetMin: setAndReport(s, s->value.min); return 1;
        case kSliderSetMax: setAndReport(s, s->value.max); return 1;
        case kSliderEdit: edit(window, s); return 1;
    }
    if (id >= kSliderFirstPreset && id < kSliderFirstPreset + uint32_t{s->presetCount}) {
        setAndReport(s, s->presets[id - kSliderFirstPreset]);
        return 1;
    }
    return 0;
}

void onLeftButtonDown(HWND window, SliderRecord* s, WPARAM wParam, LPARAM lParam) {
    if (wParam & (MK_SHIFT | MK_CONTROL))
        edit(window, s);
    else
        startDrag(window, s, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void onRightButtonDown(HWND window, const SliderRecord* s, LPARAM lParam) {
    if (!s->enabled || s->dragging) return;
    // The menu takes the point as two unsigned words.
    slider_show_menu(window, LOWORD(lParam), HIWORD(lParam));
}

bool outside(const SliderRecord* s, int32_t x, int32_t y) {
    return x < 0 || x > s->look.width || y < 0 || y > s->look.height;
}

void onMouseMove(HWND window, SliderRecord* s, WPARAM wParam, LPARAM lParam) {
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const int32_t dx = x - s->lastX, dy = y - s->lastY;
    s->lastX = x;
    s->lastY = y;
    if (!s->dragging) {
        // Without capture a drag ends at the edge and starts again when the
        // pointer comes back with the button held.
        if (!mouseCaptured() && (wParam & MK_LBUTTON)) startDrag(window, s, x, y);
        return;
    }
    if (!mouseCaptured() && outside(s, x, y)) {
        endDrag(window, s);
    } else if (directPosition()) {
        if (followPointer(s, x, y)) slider_repaint(window);
        if (notifiesWhileMoving(s)) slider_notify(s);
    } else {
        stepBy(s, slider_drag_steps(dx, dy, slider_horizontal(s)));
    }
}

// Forward moves a horizontal thumb left and a vertical one up.
void onMouseWheel(SliderRecord* s, WPARAM wParam) {
    if (!s->enabled) return;
    const int32_t delta = GET_WHEEL_DELTA_WPARAM(wParam);
    stepBy(s, wheel_steps(&s->wheelPending, slider_horizontal(s) ? -delta : delta,
                          kWheelValueStepsPerNotch));
}

void onKeyDown(HWND window, SliderRecord* s, WPARAM key) {
    if (!s->enabled) return;
    if (key == VK_INSERT) {
        edit(window, s);
        return;
    }
    if (key >= VK_LEFT && key <= VK_DOWN)
        stepBy(s, slider_arrow_steps(static_cast<int32_t>(key), slider_horizontal(s)));
}

// Disabling ends a drag as when its capture is taken away.
void endDragOf(HWND window, void* record) { endDrag(window, recordOf(record)); }

const DraggedControlHandlers kHandlers = {
    &kSliderClass,
    endDragOf,
    endDragOf,
    [](HWND window, void* record, WPARAM key) { onKeyDown(window, recordOf(record), key); },
    [](HWND window, void* record, uint32_t id) { return onSliderCommand(window, recordOf(record), id); },
};

int32_t sliderMessage(HWND window, void* record, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT*) {
    SliderRecord* s = recordOf(record);
    switch (message) {
        case WM_LBUTTONDOWN: onLeftButtonDown(window, s, wParam, lParam); return 1;
        case WM_MBUTTONDOWN: edit(window, s); return 1;
        case WM_LBUTTONUP: endDrag(window, s); return 1;
        case WM_LBUTTONDBLCLK: reset(s); return 1;
        case WM_RBUTTONDOWN: onRightButtonDown(window, s, lParam); return 1;
        case WM_MOUSEMOVE: onMouseMove(window, s, wParam, lParam); return 1;
        case WM_MOUSEWHEEL: onMouseWheel(s, wParam); return 1;
    }
    return dragged_control_message(&kHandlers, window, record, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK slider_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return run_value_control(&kSliderClass, sliderMessage, window, message, wParam, lParam);
}
