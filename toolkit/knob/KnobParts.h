#pragma once
// What the knob's files share: its class description, painting, the set and
// notify rules, and its context menu.
#include <windows.h>

#include "toolkit/ValueControl.h"
#include "toolkit/knob/Knob.h"

extern const ValueControlClass kKnobClass;

// Paints the whole knob into dc.
void knob_paint(HWND window, HDC dc, void* record);
// Paints it at once through a window device context.
void knob_repaint(HWND window);

// Recomputes the angle from the value and repaints when it moved.
void knob_follow_value(KnobRecord* knob);
// Takes v when it lies inside the range and differs from the value; no
// notification. Returns 1 when the value changed.
int32_t knob_set_silently(KnobRecord* knob, float v);
// Reports the current value to the owner. Answers 0 when the owner
// destroyed the knob: nothing may follow then.
int32_t knob_notify(KnobRecord* knob);

// The context menu, built once at creation; null when it cannot be built.
HMENU knob_build_menu(const KnobRecord* knob);
// Updates the checks and the value line and tracks the menu at the client
// point; the choice arrives later as WM_COMMAND to the knob. The knob may be
// gone when this returns: answers 0 then.
int32_t knob_show_menu(HWND window, int32_t x, int32_t y);
