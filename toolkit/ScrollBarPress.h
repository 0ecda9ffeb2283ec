#pragma once
// A press on a window's own scroll bar, from the button going down until the
// bar's tracking loop ends. While the bar tracks its thumb it reports the
// position it computes from the thumb's pixels, which need not be the
// position the window set: a thumb released (or dragged back) where it was
// pressed must leave the view where it was, so the press remembers the
// pointer and the view.
#include <windows.h>

#include <cstdint>

struct ScrollBarPress {
    int32_t active;   // 1 while the bar's tracking loop runs
    int32_t bar;      // SB_HORZ or SB_VERT
    int32_t pointer;  // the pointer along that bar at the press, screen pixels
    int32_t view;     // the view on that bar's axis then (a first row, an offset)
};

// WM_NCLBUTTONDOWN or WM_NCLBUTTONDBLCLK (a second click on a thumb that
// did not move): a press on one of window's scroll bars runs the bar's
// tracking loop with *press (a field of window's record) filled from the
// view on each axis, and answers 1 with the result; 0 for other messages
// and presses elsewhere.
int32_t run_scroll_bar_press(HWND window, ScrollBarPress* press, UINT message, WPARAM hitTest,
                             LPARAM point, int32_t viewX, int32_t viewY, LRESULT* result);

// The view a scroll request on bar leads to: the view at the press for a
// thumb request while the pointer is back where the press went down,
// otherwise computed.
int32_t scroll_bar_press_view(const ScrollBarPress* press, int bar, int request, int32_t computed);
