#pragma once
// A sample value grid for tests and the control gallery: the toolkit's
// paper as background and a row of each kind of item (meters, a time, two
// switches, factors and a label), on a 400 x 300 surface with scroll bars.
#include <windows.h>

#include <cstdint>

HWND create_sample_grid(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width,
                        int32_t height);
