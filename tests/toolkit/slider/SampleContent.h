#pragma once
// Sample sliders on the toolkit's stock track and thumb, for tests and the
// control gallery. They post their notifications to parent.
#include <windows.h>

#include <cstdint>

// 0 to 10, starting at 2.5, steps of 0.1; Insert or Ctrl+click edits the
// value; 128 x 17.
HWND create_sample_horizontal_slider(HWND parent, uint16_t id, int32_t x, int32_t y);
// A level from 0.25 to 1 shown in decibels, starting at 0.5, reporting while
// it moves; 17 x 128.
HWND create_sample_vertical_slider(HWND parent, uint16_t id, int32_t x, int32_t y);
