#pragma once
// The three rulers of the knob adjust window, drawn into an off-screen
// bitmap: ticks, labels and a value box per ruler, hatching outside the
// range. The current value sits in the middle row; values grow upward.
#include <windows.h>

#include <cstdint>

#include "toolkit/knob/AdjustScale.h"

struct RulerLayout {
    int32_t width, height;  // client size of the window
    int32_t third;          // width of a ruler, left edge of ruler 2
    int32_t twoThirds;      // left edge of ruler 3
    int32_t innerRight;     // third - 1
    int32_t graphHeight;    // height of the rulers' image
    int32_t graphMid;       // its middle row
};

RulerLayout ruler_layout(int32_t clientWidth, int32_t clientHeight);
// The ruler (1 to 3) under client x.
int32_t ruler_column(const RulerLayout* layout, int32_t x);
// Redraws the rulers for the working value into graph (layout.width x
// layout.graphHeight, compatible with window's device context).
void draw_rulers(HWND window, HBITMAP graph, const RulerLayout* layout, const AdjustScale* scale);
