#pragma once
// Where the toolkit's popups (adjust window, time entry dialog) open: at the
// point asked for, moved just enough to lie wholly on the work area of the
// screen that holds that point.
#include <cstdint>

// Moves the top-left corner (*x, *y) of a width x height window (outer
// size) by the least amount that keeps it on the work area; a window larger
// than the area goes to the area's top-left corner.
void keep_on_work_area(int32_t* x, int32_t* y, int32_t width, int32_t height);
