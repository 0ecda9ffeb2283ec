#pragma once
// What the value grid's files share.
#include <windows.h>

#include "toolkit/ControlData.h"
#include "toolkit/ValueControl.h"
#include "toolkit/grid/ValueGrid.h"

extern const ValueControlClass kValueGridClass;

inline ValueGridRecord* grid_of(HWND window) {
    return static_cast<ValueGridRecord*>(get_control_data(window));
}

// Prepares dc to draw in logical coordinates through the view.
void grid_map(HDC dc, const ZoomView* view);
// Paints the background and every visible item into dc.
void grid_paint(HWND window, HDC dc, void* record);
// Draws one item at once when it is visible. These and the calls below
// answer 0 when a callback destroyed the grid: its record is gone then.
int32_t grid_redraw_item(HWND window, ValueGridRecord* grid, ValueItem* item);
// Limits v to the item's range, stores it, tells the item's callback and
// redraws the item.
int32_t grid_set_item_value(HWND window, ValueGridRecord* grid, ValueItem* item, float v);
// The two focus rectangles around a dragged item (drawn by inverting, so a
// second call takes them away).
void grid_drag_outline(HWND window, const ValueGridRecord* grid, HDC dc);

// Opens the edit dialog of the item's type at the client point.
int32_t grid_edit_item(HWND window, ValueItem* item, int32_t x, int32_t y);

// Scroll bars, scrolling and zoom.
void grid_update_scroll_bars(HWND window, const ZoomView* view);
void grid_scroll_to(HWND window, ZoomView* view, int64_t x, int64_t y);
// A scroll-bar message; a thumb back where the press went down keeps the view.
void grid_on_scroll(HWND window, ValueGridRecord* grid, int bar, int32_t request, uint16_t position);
void grid_on_size(HWND window, ZoomView* view);
void grid_zoom(HWND window, ValueGridRecord* grid, int32_t direction);
// A wheel message (WM_MOUSEWHEEL, WM_MOUSEHWHEEL); 0 when it is not the
// grid's (Ctrl held) and goes to default processing.
int32_t grid_on_wheel(HWND window, ValueGridRecord* grid, UINT message, WPARAM wParam);
SIZE grid_client_size(HWND window);
