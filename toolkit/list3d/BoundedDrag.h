#pragma once
// Drags a rectangle's outline across a window, kept inside limits: a
// dash-dot outline drawn with XOR on the window follows the mouse while the
// window holds the capture, and the caller takes the final place when the
// button is released.
#include <windows.h>

#include <cstdint>

struct BoundedDrag {
    HWND window;
    int32_t active;
    int32_t outlineShown;
    int32_t left, top;          // the outline now
    int32_t grabX, grabY;       // the grab point inside the outline
    int32_t startLeft, startTop;  // the outline at the start, and after the drag at its end
    int32_t width, height;
    int32_t minLeft, minTop, maxRight, maxBottom;  // the outline stays inside
};

// Starts dragging the width x height outline at (left, top), grabbed at the
// client point (x, y); captures the mouse.
void bounded_drag_begin(BoundedDrag* drag, int32_t left, int32_t top, int32_t width,
                        int32_t height, int32_t x, int32_t y);
// The mouse is at (x, y): the outline moves there, pushed back inside the limits.
void bounded_drag_track(BoundedDrag* drag, int32_t x, int32_t y);
// Ends the drag where the outline is (startLeft and startTop take it), takes
// the outline away and gives the mouse back. 0 when no drag was going on.
int32_t bounded_drag_end(BoundedDrag* drag);
// Ends the drag without a result (the capture went elsewhere, the window goes).
void bounded_drag_cancel(BoundedDrag* drag);
// Draws the outline again after the window painted over it.
void bounded_drag_repaint(const BoundedDrag* drag, HDC dc);
