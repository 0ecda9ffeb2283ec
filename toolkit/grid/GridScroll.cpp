// Scroll bars, scrolling, panning and zoom of the value grid. The scroll
// bars count logical units; the offsets are device pixels.
#include "toolkit/WheelSteps.h"
#include "toolkit/grid/GridParts.h"

namespace {

void setBar(HWND window, int bar, int32_t extent, int32_t zoomed, int32_t client, int32_t offset,
            int32_t zoom) {
    const int32_t largest = zoom_to_logical(zoom_view_max_scroll(zoomed, client), zoom);
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    // Bars stay in place when everything fits: hiding one would resize the
    // window and start over.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = extent;
    // The thumb's far end reaches the end of the surface at the largest offset.
    info.nPage = static_cast<UINT>(int64_t{extent} - largest + 1);
    info.nPos = zoom_to_logical(offset, zoom);
    SetScrollInfo(window, bar, &info, TRUE);
}

// The thumb position of a scroll message: 16 bits in the message, all 32
// from the bar while it is tracked.
int32_t thumbPosition(HWND window, int bar, uint16_t fromMessage) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(window, bar, &info) && (info.nTrackPos & 0xFFFF) == fromMessage)
        return info.nTrackPos;
    return fromMessage;
}

}  // namespace

SIZE grid_client_size(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

void grid_update_scroll_bars(HWND window, const ZoomView* v) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const SIZE c = grid_client_size(window);
    if (style & WS_HSCROLL)
        setBar(window, SB_HORZ, v->extentWidth, v->zoomedWidth, c.cx, v->scrollX, v->zoom);
    if (style & WS_VSCROLL)
        setBar(window, SB_VERT, v->extentHeight, v->zoomedHeight, c.cy, v->scrollY, v->zoom);
}

void grid_scroll_to(HWND window, ZoomView* v, int64_t x, int64_t y) {
    const SIZE c = grid_client_size(window);
    const int32_t nx = zoom_view_limit(x, v->zoomedWidth, c.cx);
    const int32_t ny = zoom_view_limit(y, v->zoomedHeight, c.cy);
    if (nx == v->scrollX && ny == v->scrollY) return;
    const int32_t dx = v->scrollX - nx, dy = v->scrollY - ny;
    v->scrollX = nx;
    v->scrollY = ny;
    grid_update_scroll_bars(window, v);
    ScrollWindowEx(window, dx, dy, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
}

void grid_on_scroll(HWND window, ValueGridRecord* g, int bar, int32_t request, uint16_t position) {
    ZoomView* v = g->view;
    const SIZE c = grid_client_size(window);
    const int32_t thumb = thumbPosition(window, bar, position);
    if (bar == SB_HORZ) {
        const int32_t x = zoom_view_scrolled(v->scrollX, request, thumb, c.cx, v->zoomedWidth, v->zoom);
        grid_scroll_to(window, v, scroll_bar_press_view(&g->thumbPress, bar, request, x), v->scrollY);
    } else {
        const int32_t y = zoom_view_scrolled(v->scrollY, request, thumb, c.cy, v->zoomedHeight, v->zoom);
        grid_scroll_to(window, v, v->scrollX, scroll_bar_press_view(&g->thumbPress, bar, request, y));
    }
}

void grid_on_size(HWND window, ZoomView* v) {
    // A larger window may show the surface's end: the offsets come back in.
    grid_scroll_to(window, v, v->scrollX, v->scrollY);
    grid_update_scroll_bars(window, v);
}

void grid_zoom(HWND window, ValueGridRecord* g, int32_t direction) {
    if (!g->zoomEnabled) return;
    const SIZE c = grid_client_size(window);
    if (!zoom_view_set_zoom(g->view, zoom_view_next(g->view->zoom, direction), c.cx, c.cy)) return;
    g->zoom = static_cast<float>(g->view->zoom);
    grid_update_scroll_bars(window, g->view);
    InvalidateRect(window, nullptr, TRUE);
}

int32_t grid_on_wheel(HWND window, ValueGridRecord* g, UINT message, WPARAM wParam) {
    const WORD keys = GET_KEYSTATE_WPARAM(wParam);
    // Ctrl+wheel means nothing to the grid (Ctrl+click zooms): the owner may have it.
    if (keys & MK_CONTROL) return 0;
    if (g->dragging) return 1;
    ZoomView* v = g->view;
    // A notch turned toward the user scrolls down, with Shift to the right;
    // a wheel tilted to the right scrolls to the right. Three line steps, as
    // the bars' arrows would.
    const bool tilted = message == WM_MOUSEHWHEEL;
    const bool horizontal = tilted || (keys & MK_SHIFT) != 0;
    const int32_t delta = GET_WHEEL_DELTA_WPARAM(wParam);
    const int32_t lines = wheel_steps(horizontal ? &v->wheelX : &v->wheelY, tilted ? delta : -delta,
                                      kWheelLinesPerNotch);
    const int64_t move = int64_t{lines} * kScrollLineStep;
    if (horizontal)
        grid_scroll_to(window, v, v->scrollX + move, v->scrollY);
    else
        grid_scroll_to(window, v, v->scrollX, v->scrollY + move);
    return 1;
}
