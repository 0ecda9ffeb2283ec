#include "toolkit/grid/ValueGrid.h"

#include <windowsx.h>

#include <cstdlib>
#include <cstring>

#include "toolkit/ControlData.h"
#include "toolkit/WindowClasses.h"
#include "toolkit/grid/GridParts.h"

namespace {

void freeParts(ValueGridRecord* g) {
    std::free(g->view);
    std::free(g->items.items);
    g->view = nullptr;
    g->items.items = nullptr;
    g->items.count = 0;
}

int32_t onCreate(HWND window, void* record) {
    ValueGridRecord* g = static_cast<ValueGridRecord*>(record);
    // Without its callback a grid has nothing to show and nobody to ask.
    if (g->callback == nullptr) return 1;
    g->focused = 0;
    g->context = ValueGridContext{};
    g->context.window = window;
    g->context.id = g->id;
    g->view = static_cast<ZoomView*>(std::malloc(sizeof(ZoomView)));
    g->items = {static_cast<ValueItem*>(std::calloc(1, kItemBlockBytes)), 0, kItemBlockBytes,
                static_cast<int32_t>(sizeof(ValueItem)), 0};
    if (g->view == nullptr || g->items.items == nullptr) {
        freeParts(g);
        return 1;
    }
    zoom_view_init(g->view, window, g->extentWidth, g->extentHeight);
    g->zoom = 100.0f;
    g->dragging = 0;
    g->dragItem = nullptr;
    g->zoomEnabled = 1;
    g->panEnabled = 1;
    grid_update_scroll_bars(window, g->view);

    void* held = hold_control_record(window);
    const int32_t accepted = g->callback(&g->context, kGridCreated);
    // A callback that destroyed the grid has freed it already.
    if (!release_control_record(held)) return 1;
    if (accepted == 0) {
        freeParts(g);
        return 1;
    }
    return 0;
}

void onDestroying(HWND, void* record) { freeParts(static_cast<ValueGridRecord*>(record)); }

}  // namespace

const ValueControlClass kValueGridClass = {
    sizeof(ValueGridRecord), onCreate, onDestroying, grid_paint, nullptr, nullptr, nullptr, nullptr,
    nullptr,                 kCommandsExactWParam,
};

namespace {

// The first item that takes input and holds the client point strictly.
ValueItem* hitTest(const ValueGridRecord* g, int32_t x, int32_t y) {
    const int32_t lx = zoom_view_logical_x(g->view, x), ly = zoom_view_logical_y(g->view, y);
    for (int32_t i = 0; i < g->items.count; ++i) {
        ValueItem* item = &g->items.items[i];
        if (item->type != kItemInert &&
            logical_rect_holds({item->left, item->top, item->right, item->bottom}, lx, ly))
            return item;
    }
    return nullptr;
}

void toggleOutline(HWND window, const ValueGridRecord* g) {
    HDC dc = GetDC(window);
    grid_map(dc, g->view);
    grid_drag_outline(window, g, dc);
    ReleaseDC(window, dc);
}

void startItemDrag(HWND window, ValueGridRecord* g, ValueItem* item, bool left, int32_t x,
                   int32_t y) {
    g->dragItem = item;
    g->dragButton = left ? 1 : 0;
    g->lastX = x;
    g->lastY = y;
    g->dragging = 1;
    g->items.current = static_cast<int32_t>(item - g->items.items) + 1;
    toggleOutline(window, g);
    SetCapture(window);
}

// Ends an item drag or a pan without touching any value.
void stopDragging(HWND window, ValueGridRecord* g) {
    if (g->dragging) {
        g->dragging = 0;
        toggleOutline(window, g);
    }
    g->view->panning = 0;
    if (GetCapture() == window) ReleaseCapture();
}

void onControlClick(HWND window, ValueGridRecord* g, bool left, int32_t x, int32_t y) {
    if (!left) {
        grid_zoom(window, g, 1);
        return;
    }
    ValueItem* item = hitTest(g, x, y);
    if (item != nullptr)
        grid_edit_item(window, item, x, y);
    else
        grid_zoom(window, g, -1);
}

// Answers 0 when the press goes to default processing.
int32_t onButtonDown(HWND window, ValueGridRecord* g, bool left, WPARAM wParam, LPARAM lParam) {
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    if (g->dragging) return 1;
    if (g->view->panning) return 0;
    if (wParam & MK_CONTROL) {
        onControlClick(window, g, left, x, y);
        return 1;
    }
    if (ValueItem* item = hitTest(g, x, y)) {
        startItemDrag(window, g, item, left, x, y);
    } else if (g->panEnabled) {
        g->view->panning = 1;
        g->view->panX = x;
        g->view->panY = y;
        SetCapture(window);
    }
    return 1;
}

void onButtonUp(HWND window, ValueGridRecord* g, LPARAM lParam) {
    ValueItem* item = g->dragging ? g->dragItem : nullptr;
    stopDragging(window, g);
    // A toggle flips when the button comes up over it.
    if (item != nullptr && item->type == kItemToggle && hitTest(g, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) == item)
        grid_set_item_value(window, g, item, grid_item_toggled(item->value));
}

void onMouseMove(HWND window, ValueGridRecord* g, LPARAM lParam) {
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    ZoomView* v = g->view;
    if (v->panning) {
        // The surface follows the pointer.
        const int32_t dx = x - v->panX, dy = y - v->panY;
        v->panX = x;
        v->panY = y;
        grid_scroll_to(window, v, int64_t{v->scrollX} - dx, int64_t{v->scrollY} - dy);
        return;
    }
    if (!g->dragging) return;
    const int32_t dy = y - g->lastY;
    g->lastX = x;
    g->lastY = y;
    ValueItem* item = g->dragItem;
    if (item->type == kItemToggle || dy == 0) return;
    const float k = g->dragButton ? item->leftSensitivity : item->rightSensitivity;
    grid_set_item_value(window, g, item, grid_item_dragged(item->type, item->value, k, dy));
}

int32_t gridMessage(HWND window, void* record, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT* result) {
    ValueGridRecord* g = static_cast<ValueGridRecord*>(record);
    if (g->view == nullptr) return 0;
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: g->focused = message == WM_SETFOCUS ? 1 : 0; return 1;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: return onButtonDown(window, g, message == WM_LBUTTONDOWN, wParam, lParam);
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: onButtonUp(window, g, lParam); return 1;
        case WM_MOUSEMOVE: onMouseMove(window, g, lParam); return 1;
        case WM_CAPTURECHANGED:
            // A drag or a pan whose capture was taken away ends there.
            if (reinterpret_cast<HWND>(lParam) != window) stopDragging(window, g);
            return 1;
        case WM_HSCROLL:
        case WM_VSCROLL:
            grid_on_scroll(window, g, message == WM_HSCROLL ? SB_HORZ : SB_VERT,
                           LOWORD(wParam), HIWORD(wParam));
            return 1;
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            return run_scroll_bar_press(window, &g->thumbPress, message, wParam, lParam,
                                        g->view->scrollX, g->view->scrollY, result);
        case WM_SIZE: grid_on_size(window, g->view); return 1;
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: return grid_on_wheel(window, g, message, wParam);
    }
    return 0;
}

ValueGridRecord* gridWindow(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, kVgridClassName) == 0 ? grid_of(window) : nullptr;
}

}  // namespace

LRESULT CALLBACK value_grid_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return run_value_control(&kValueGridClass, gridMessage, window, message, wParam, lParam);
}

int32_t value_grid_add_item(HWND grid, const ValueItem* item) {
    ValueGridRecord* g = gridWindow(grid);
    if (g == nullptr || item == nullptr || g->items.items == nullptr) return 0;
    ItemArray& a = g->items;
    if ((a.count + 1) * a.elementSize > a.capacityBytes) return 0;
    a.items[a.count] = *item;
    return ++a.count;
}

ValueItem* value_grid_item(HWND grid, int32_t index) {
    ValueGridRecord* g = gridWindow(grid);
    if (g == nullptr || g->items.items == nullptr || index < 1 || index > g->items.count) return nullptr;
    return &g->items.items[index - 1];
}

HWND create_value_grid(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width,
                       int32_t height, uint32_t windowStyle, int32_t extentWidth,
                       int32_t extentHeight, ValueGridCallback callback) {
    ValueGridRecord templ = {};
    templ.owner = parent;
    templ.x = x;
    templ.y = y;
    templ.width = width;
    templ.height = height;
    templ.id = id;
    templ.callback = callback;
    templ.extentWidth = extentWidth;
    templ.extentHeight = extentHeight;
    return create_control_window(kVgridClassName, parent, id, x, y, width, height,
                                 WS_TABSTOP | windowStyle, &templ);
}
