#include "toolkit/list3d/BoundedDrag.h"

#include "toolkit/ToolkitModule.h"
#include "toolkit/list3d/PanelStack.h"

namespace {

// Drawn with XOR: drawing it twice removes it.
void xorOutline(HDC dc, const BoundedDrag* drag) {
    const int oldMode = SetROP2(dc, R2_XORPEN);
    HGDIOBJ oldPen = SelectObject(dc, toolkit().dashDotPen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc, drag->left, drag->top, drag->left + drag->width, drag->top + drag->height);
    SetROP2(dc, oldMode);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

void toggleOutline(BoundedDrag* drag) {
    HDC dc = GetDC(drag->window);
    xorOutline(dc, drag);
    ReleaseDC(drag->window, dc);
    drag->outlineShown = !drag->outlineShown;
}

void hideOutline(BoundedDrag* drag) {
    if (drag->outlineShown) toggleOutline(drag);
}

// Stops the drag; the active flag goes first, for the capture change the
// release sends.
void stop(BoundedDrag* drag) {
    hideOutline(drag);
    drag->active = 0;
    if (GetCapture() == drag->window) ReleaseCapture();
}

}  // namespace

void bounded_drag_begin(BoundedDrag* drag, int32_t left, int32_t top, int32_t width,
                        int32_t height, int32_t x, int32_t y) {
    drag->left = drag->startLeft = left;
    drag->top = drag->startTop = top;
    drag->width = width;
    drag->height = height;
    drag->grabX = x - left;
    drag->grabY = y - top;
    drag->outlineShown = 0;
    drag->active = 1;
    SetCapture(drag->window);
}

void bounded_drag_track(BoundedDrag* drag, int32_t x, int32_t y) {
    if (!drag->active) return;
    const int32_t left =
        bounded_position(int64_t{x} - drag->grabX, drag->width, drag->minLeft, drag->maxRight);
    const int32_t top =
        bounded_position(int64_t{y} - drag->grabY, drag->height, drag->minTop, drag->maxBottom);
    if (drag->outlineShown && left == drag->left && top == drag->top) return;
    hideOutline(drag);
    drag->left = left;
    drag->top = top;
    toggleOutline(drag);
}

int32_t bounded_drag_end(BoundedDrag* drag) {
    if (!drag->active) return 0;
    stop(drag);
    drag->startLeft = drag->left;
    drag->startTop = drag->top;
    return 1;
}

void bounded_drag_cancel(BoundedDrag* drag) {
    if (!drag->active) return;
    stop(drag);
    drag->left = drag->startLeft;
    drag->top = drag->startTop;
}

void bounded_drag_repaint(const BoundedDrag* drag, HDC dc) {
    if (drag->outlineShown) xorOutline(dc, drag);
}
