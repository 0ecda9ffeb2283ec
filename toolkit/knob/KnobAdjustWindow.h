#pragma once
// The knob adjust window: a modeless popup with three rulers of a knob's
// value at coarse, fine and extra fine resolution. It holds the mouse
// capture for its whole life.
#include <windows.h>

#include <cstdint>

#include "toolkit/ControlTypes.h"
#include "toolkit/knob/KnobValue.h"

// Opens the window at (x, y) in screen coordinates for the knob knobWindow,
// first closing any adjust window that is open. Every value change is sent
// to the knob as control command 4 and reported through notify with id;
// closeCommand reaches the knob when the window goes. Null when creation
// failed.
HWND open_knob_adjust_window(HWND owner, HWND knobWindow, uint32_t style, int32_t x, int32_t y,
                             uint16_t closeCommand, const NotifyTarget* notify, uint16_t id,
                             const KnobValue* knobValue);
