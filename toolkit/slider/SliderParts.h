#pragma once
// What the slider's files share: its class description, painting, the set
// and notify rules, editing and its context menu.
#include <windows.h>

#include "toolkit/ValueControl.h"
#include "toolkit/slider/Slider.h"

extern const ValueControlClass kSliderClass;

inline bool slider_horizontal(const SliderRecord* s) {
    return (s->value.valueFlags & SLIDER_HORIZONTAL) != 0;
}
inline bool slider_in_decibels(const SliderRecord* s) { return (s->look.style & SLIDER_DB) != 0; }

// Paints the whole slider into dc.
void slider_paint(HWND window, HDC dc, void* record);
// Paints it at once through a window device context.
void slider_repaint(HWND window);

// Recomputes the thumb from the value and repaints when it moved.
void slider_follow_value(SliderRecord* slider);
// Takes v when it lies inside the range and differs from the value; no
// notification. Returns 1 when the value changed.
int32_t slider_set_silently(SliderRecord* slider, float v);
// Reports the current value to the owner. Answers 0 when the owner's
// callback destroyed the slider: its record must not be touched then.
int32_t slider_notify(SliderRecord* slider);

// Runs the edit dialogs the style asks for, in turn. Answers 0 when the
// slider was destroyed while one ran.
int32_t slider_edit(HWND window);

// The context menu, built once at creation; null when it cannot be built.
HMENU slider_build_menu(const SliderRecord* slider);
// Updates the checks and the value line and tracks the menu at the client
// point; the choice arrives later as WM_COMMAND to the slider. Answers 0
// when the slider was destroyed meanwhile.
int32_t slider_show_menu(HWND window, int32_t x, int32_t y);
