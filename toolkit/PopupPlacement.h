#pragma once
// Where the toolkit's popups (adjust window, time entry dialog) open: at the
// point asked for, moved just enough to lie wholly on the work area of the
// screen that holds that point. The header is portable; fit_inside is
// built natively too.
#include <cstdint>

// Moves a width x height rectangle at (*x, *y) by the least amount that puts
// it inside the area [left, right) x [top, bottom); when it is larger than
// the area its top-left corner goes to the area's.
void fit_inside(int32_t* x, int32_t* y, int32_t width, int32_t height, int32_t left,
                int32_t top, int32_t right, int32_t bottom);

// Moves the top-left corner (*x, *y) of a width x height window (outer
// size) by the least amount that keeps it on the work area; a window larger
// than the area goes to the area's top-left corner.
void keep_on_work_area(int32_t* x, int32_t* y, int32_t width, int32_t height);
