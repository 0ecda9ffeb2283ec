// The 3D list's window procedure: a switch over the messages, each handed
// to a small handler. What every toolkit control shares (record life,
// focus, paint entry, close, mouse activation, Tab and Escape) is
// value_control_message's. Every handler that calls the owner stops when
// the owner destroyed the list (the call answers false).
#include <windowsx.h>

#include "toolkit/ControlData.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/ListRows.h"
#include "toolkit/WindowClasses.h"
#include "toolkit/list3d/List3DParts.h"

namespace {

constexpr WPARAM kCtrlC = 3, kCtrlX = 24, kCtrlV = 22;

List3DRecord* recordOf(void* record) { return static_cast<List3DRecord*>(record); }

void setUpDrag(HWND window, List3DRecord* r) {
    r->drag = BoundedDrag{};
    r->drag.window = window;
    r->drag.minLeft = r->list.rowHeaderWidth;
    r->drag.minTop = r->list.panelCount >= 1 ? panels_header_box(&r->list, r->list.panelCount - 1).top : 0;
    r->drag.maxRight = r->width;
    r->drag.maxBottom = r->height;
}

int32_t onCreated(HWND window, void* record) {
    List3DRecord* r = recordOf(record);
    r->window = window;
    r->focused = 0;
    r->redrawing = r->redrawAgain = 0;
    r->wheelPending = 0;
    r->cell = List3DCell{};
    r->image = r->background = nullptr;
    r->menu = nullptr;
    panels_setup(&r->list, r->width, r->height);
    setUpDrag(window, r);
    if (!list3d_make_images(window, r)) return 1;
    r->cell.id = r->id;
    r->cell.window = window;
    r->menu = build_list_menu();
    // A list its owner destroys while it first draws is simply gone.
    list3d_redraw(window, r);
    return 0;
}

void onDestroying(HWND, void* record) {
    List3DRecord* r = recordOf(record);
    bounded_drag_cancel(&r->drag);
    list3d_free_images(r);
    if (r->menu != nullptr) DestroyMenu(r->menu);
    r->menu = nullptr;
}

}  // namespace

const ValueControlClass kList3DClass = {
    sizeof(List3DRecord),
    onCreated,
    onDestroying,
    list3d_paint,
    [](void* r) -> int32_t* { return &recordOf(r)->focused; },
    nullptr,
    nullptr,
    nullptr,
    [](void* r) { return recordOf(r)->owner; },
    kCommandsExactWParam,
};

namespace {

bool moveSelection(HWND window, List3DRecord* r, int64_t delta) {
    PanelList& l = r->list;
    if (!list_move_selection(&l.selectedRow, &l.firstRow, delta, l.rowCount, l.visibleRows))
        return true;
    return list3d_redraw(window, r);
}

// Home and End: further than the list is long.
int64_t wholeList(const List3DRecord* r) { return int64_t{r->list.rowCount} + 1; }
int64_t page(const List3DRecord* r) { return r->list.visibleRows > 2 ? r->list.visibleRows - 1 : 1; }

bool bringToFront(HWND window, List3DRecord* r, int32_t panel) {
    return !panels_bring_to_front(&r->list, panel) || list3d_redraw(window, r);
}

bool defaultPositions(HWND window, List3DRecord* r) {
    panels_default_positions(&r->list, r->width);
    return list3d_redraw(window, r);
}

void startPanelDrag(List3DRecord* r, int32_t x, int32_t y) {
    const PanelBox header = panels_header_box(&r->list, r->list.panelCount - 1);
    bounded_drag_begin(&r->drag, header.left, header.top, r->list.panelWidth,
                       clamp_to_int32(int64_t{r->height} - header.top), x, y);
}

// A click, by the mouse or by Enter: the panel hit comes to the front; a
// header starts a drag, the selected row tells the owner, any other point
// selects its row (none off the rows).
bool clickAt(HWND window, List3DRecord* r, int32_t x, int32_t y) {
    const PanelHit hit = panels_hit(&r->list, x, y);
    const bool reordered = hit.panel != 0 && panels_bring_to_front(&r->list, hit.panel);
    if (hit.part == kPanelHeader) {
        if (reordered && !list3d_redraw(window, r)) return false;
        startPanelDrag(r, x, y);
        return true;
    }
    if (hit.row >= 1 && hit.row == r->list.selectedRow) {
        int32_t answer = 0;
        if (!list3d_tell(window, r, kList3DClickSelected, &answer)) return false;
        return !(reordered || answer == 1) || list3d_redraw(window, r);
    }
    r->list.selectedRow = hit.row;
    return list3d_redraw(window, r);
}

void onLeftButtonDown(HWND window, List3DRecord* r, LPARAM lParam) {
    if (r->drag.active) return;
    clickAt(window, r, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void onLeftButtonUp(HWND window, List3DRecord* r) {
    if (!bounded_drag_end(&r->drag)) return;
    const int32_t front = r->list.panelCount - 1;
    r->list.stack[front].xOffset =
        clamp_to_int32(int64_t{r->drag.startLeft} - r->list.rowHeaderWidth);
    list3d_redraw(window, r);
}

void onRightButtonDown(HWND window, List3DRecord* r, LPARAM lParam) {
    if (r->drag.active) return;
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const PanelHit hit = panels_hit(&r->list, x, y);
    bool redraw = hit.panel != 0 && panels_bring_to_front(&r->list, hit.panel);
    if (hit.row >= 1 && hit.row != r->list.selectedRow) {
        r->list.selectedRow = hit.row;
        redraw = true;
    }
    if (redraw && !list3d_redraw(window, r)) return;
    track_list_menu(window, &r->menu, x, y);
}

void onKeyDown(HWND window, List3DRecord* r, WPARAM key) {
    if (r->drag.active) return;
    const int32_t front = panels_front(&r->list);
    int32_t x = 0, y = 0;
    switch (key) {
        case VK_BACK: defaultPositions(window, r); break;
        case VK_RETURN:
        case VK_SPACE:
            if (panels_selected_row_point(&r->list, &x, &y)) clickAt(window, r, x, y);
            break;
        case VK_PRIOR: moveSelection(window, r, -page(r)); break;
        case VK_NEXT: moveSelection(window, r, page(r)); break;
        case VK_HOME: moveSelection(window, r, -wholeList(r)); break;
        case VK_END: moveSelection(window, r, wholeList(r)); break;
        case VK_UP: moveSelection(window, r, -1); break;
        case VK_DOWN: moveSelection(window, r, 1); break;
        case VK_LEFT:
            if (front >= 1 && front < r->list.panelCount) bringToFront(window, r, front + 1);
            break;
        case VK_RIGHT:
            if (front > 1) bringToFront(window, r, front - 1);
            break;
    }
}

// A row a notch; the selection stays.
void onMouseWheel(HWND window, List3DRecord* r, WPARAM wParam) {
    if (r->drag.active) return;
    PanelList& l = r->list;
    const int32_t first =
        list_wheel_first_row(&r->wheelPending, wParam, 1, l.firstRow, l.rowCount, l.visibleRows);
    if (first == l.firstRow) return;
    l.firstRow = first;
    list3d_redraw(window, r);
}

// Characters typed with Ctrl held: copy, cut and paste, or code 0.
void onChar(HWND window, List3DRecord* r, WPARAM character) {
    if (GetKeyState(VK_CONTROL) >= 0) return;
    const int32_t code = character == kCtrlC   ? kList3DCopy
                         : character == kCtrlX ? kList3DCut
                         : character == kCtrlV ? kList3DPaste
                                               : kList3DOtherChar;
    list3d_tell(window, r, code, nullptr);
}

LRESULT onCommand(HWND window, List3DRecord* r, WPARAM wParam, LPARAM lParam) {
    switch (wParam) {
        case 1: case 2: case 3: case 4: return 0;
        case kListSelectRow:
            if (panels_select_row(&r->list, bits_float(static_cast<uint32_t>(lParam))))
                list3d_redraw(window, r);
            return 0;
        case kListRowDown: moveSelection(window, r, 1); return 0;
        case kListRowUp: moveSelection(window, r, -1); return 0;
        case kListDefaultPanels: defaultPositions(window, r); return 0;
        case kListFirstRow: moveSelection(window, r, -wholeList(r)); return 0;
        case kListLastRow: moveSelection(window, r, wholeList(r)); return 0;
    }
    // Any other command goes on to the owner, numbered as it came.
    int32_t answer = 0;
    list3d_tell(window, r, static_cast<int32_t>(wParam), &answer);
    return answer;
}

}  // namespace

LRESULT CALLBACK list3d_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    List3DRecord* r = message == WM_CREATE ? nullptr : recordOf(get_control_data(window));
    if (r != nullptr) {
        switch (message) {
            case WM_LBUTTONDOWN: onLeftButtonDown(window, r, lParam); return 0;
            case WM_LBUTTONUP: onLeftButtonUp(window, r); return 0;
            case WM_MOUSEMOVE:
                bounded_drag_track(&r->drag, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                return 0;
            case WM_CAPTURECHANGED:
                // A drag whose capture was taken away leaves the panel where it was.
                if (reinterpret_cast<HWND>(lParam) != window) bounded_drag_cancel(&r->drag);
                return 0;
            case WM_RBUTTONDOWN: onRightButtonDown(window, r, lParam); return 0;
            case WM_KEYDOWN:
                if (wParam == VK_TAB || wParam == VK_ESCAPE) break;
                onKeyDown(window, r, wParam);
                return 0;
            case WM_CHAR: onChar(window, r, wParam); return 0;
            case WM_MOUSEWHEEL:
                if (!list_takes_wheel(wParam)) break;
                onMouseWheel(window, r, wParam);
                return 0;
            case WM_COMMAND: return onCommand(window, r, wParam, lParam);
        }
    }
    LRESULT result = 0;
    if (value_control_message(&kList3DClass, window, message, wParam, lParam, &result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND create_list3d(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                   const PanelList* layout, List3DCallback callback, void* user) {
    if (layout == nullptr) return nullptr;
    List3DRecord block = {};
    block.owner = parent;
    block.x = x;
    block.y = y;
    block.width = width;
    block.height = height;
    block.id = id;
    block.list = *layout;
    block.callback = callback;
    block.user = user;
    return create_control_window(k3DListClassName, parent, id, x, y, width, height, WS_TABSTOP,
                                 &block);
}
