// Painting of the value grid: the owner's background in device coordinates,
// then its items in logical coordinates through the zoom mapping.
#include "toolkit/ToolkitModule.h"
#include "toolkit/grid/GridParts.h"

namespace {

LogicalRect rectOf(const ValueItem* item) {
    return {item->left, item->top, item->right, item->bottom};
}

// Calls callback with the grid's context; answers 0 when the call destroyed
// the grid (its record is freed then).
int32_t call(HWND window, ValueGridCallback callback, int32_t code) {
    ValueGridRecord* g = grid_of(window);
    if (callback == nullptr || g == nullptr) return g != nullptr;
    void* held = hold_control_record(window);
    callback(&g->context, code);
    return release_control_record(held);
}

void describeItem(ValueGridRecord* g, ValueItem* item, HDC dc) {
    ValueGridContext& c = g->context;
    c.itemIndex = static_cast<int32_t>(item - g->items.items) + 1;
    c.itemId = item->itemId;
    c.itemUser = item->itemUser;
    c.dc = dc;
    c.left = item->left;
    c.top = item->top;
    c.right = item->right;
    c.bottom = item->bottom;
    c.value = &item->value;
}

ValueGridCallback drawerOf(const ValueGridRecord* g, const ValueItem* item) {
    return item->itemCallback != nullptr ? item->itemCallback : g->callback;
}

bool visible(HWND window, const ValueGridRecord* g, const ValueItem* item) {
    const SIZE client = grid_client_size(window);
    return logical_rects_touch(rectOf(item), zoom_view_visible(g->view, client.cx, client.cy));
}

}  // namespace

void grid_map(HDC dc, const ZoomView* view) {
    // The same device = logical x zoom / 100 as every other computation.
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 100, 100, nullptr);
    SetViewportExtEx(dc, view->zoom, view->zoom, nullptr);
    SetViewportOrgEx(dc, -view->scrollX, -view->scrollY, nullptr);
    SetWindowOrgEx(dc, 0, 0, nullptr);
}

void grid_drag_outline(HWND, const ValueGridRecord* g, HDC dc) {
    const ValueItem* item = g->dragItem;
    if (item == nullptr) return;
    SetROP2(dc, R2_XORPEN);
    RECT inner = {item->left - 2, item->top - 2, item->right + 3, item->bottom + 3};
    RECT outer = {inner.left - 2, inner.top - 2, inner.right + 2, inner.bottom + 2};
    DrawFocusRect(dc, &inner);
    DrawFocusRect(dc, &outer);
}

void grid_paint(HWND window, HDC dc, void* record) {
    ValueGridRecord* g = static_cast<ValueGridRecord*>(record);
    RECT client;
    GetClientRect(window, &client);
    g->context.itemIndex = 0;
    g->context.dc = dc;
    g->context.left = client.left;
    g->context.top = client.top;
    g->context.right = client.right;
    g->context.bottom = client.bottom;
    SetMapMode(dc, MM_TEXT);
    if (toolkit().notificationsEnabled && !call(window, g->callback, kGridPaintBackground)) return;

    grid_map(dc, g->view);
    const LogicalRect shown = zoom_view_visible(g->view, client.right, client.bottom);
    for (int32_t i = 0; i < g->items.count; ++i) {
        ValueItem* item = &g->items.items[i];
        if (!logical_rects_touch(rectOf(item), shown)) continue;
        describeItem(g, item, dc);
        if (!call(window, drawerOf(g, item), kGridDrawItem)) return;
    }
    // A repaint during a drag keeps the outline, which the release inverts away.
    if (g->dragging) grid_drag_outline(window, g, dc);
}

int32_t grid_redraw_item(HWND window, ValueGridRecord* g, ValueItem* item) {
    if (!visible(window, g, item)) return 1;
    HDC dc = GetDC(window);
    grid_map(dc, g->view);
    const ValueGridContext saved = g->context;
    describeItem(g, item, dc);
    const int32_t alive = call(window, drawerOf(g, item), kGridDrawItem);
    if (alive) g->context = saved;
    ReleaseDC(window, dc);
    return alive;
}

int32_t grid_set_item_value(HWND window, ValueGridRecord* g, ValueItem* item, float v) {
    item->value = grid_item_limited(v, item->min, item->max, item->value);
    if (item->itemCallback != nullptr) {
        describeItem(g, item, nullptr);
        if (!call(window, item->itemCallback, kGridItemChanged)) return 0;
    }
    return grid_redraw_item(window, g, item);
}
