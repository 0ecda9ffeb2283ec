// The 2D list's window procedure: a switch over the messages, each handed
// to a small handler; the row arithmetic is RowList's. What every toolkit
// control shares (record life, paint entry, close, mouse activation, Tab
// and Escape) is value_control_message's. Without the toolkit's
// notifications the list neither paints nor changes its selection.
#include "toolkit/list2d/List2D.h"

#include <windowsx.h>

#include "toolkit/ControlData.h"
#include "toolkit/ListRows.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/WheelSteps.h"
#include "toolkit/WindowClasses.h"

namespace {

List2DRecord* recordOf(void* record) { return static_cast<List2DRecord*>(record); }

bool notifying() { return toolkit().notificationsEnabled != 0; }

bool call(HWND window, List2DRecord* r, int32_t code) {
    return call_list_owner(window, r->callback, r->user, code, &r->cell, nullptr);
}

void paintRows(HWND window, HDC dc, void* record) {
    List2DRecord* r = recordOf(record);
    if (!notifying()) return;
    r->cell.dc = dc;
    // One row more than fits whole: the last one may show in part.
    for (int32_t i = 0; i <= r->rows.visibleRows; ++i) {
        r->cell.row = r->rows.firstRow + i;
        r->cell.top = clamp_to_int32(int64_t{i} * r->rows.rowHeight);
        r->cell.selected = rows_is_selected(&r->rows, r->cell.row);
        if (!call(window, r, kList2DDrawRow)) return;
    }
    call(window, r, kList2DDrawn);
}

int32_t clientHeight(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    return client.bottom - client.top;
}

void readWindowRectangle(HWND window, List2DRecord* r) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    r->left = frame.left;
    r->top = frame.top;
    r->width = frame.right - frame.left;
    r->height = frame.bottom - frame.top;
}

void showScrollPosition(HWND window, const List2DRecord* r) {
    SetScrollPos(window, SB_VERT, rows_scroll_position(&r->rows), TRUE);
}

int32_t onCreated(HWND window, void* record) {
    List2DRecord* r = recordOf(record);
    r->window = window;
    r->focused = 0;
    r->wheelPending = 0;
    r->thumbPress = ScrollBarPress{};
    r->cell = List2DCell{};
    r->cell.id = r->id;
    r->cell.window = window;
    readWindowRectangle(window, r);
    // Whole rows of the client area: a frame takes its share of the window.
    rows_setup(&r->rows, clientHeight(window));
    SetScrollRange(window, SB_VERT, 0, kRowScrollRange, FALSE);
    r->menu = build_list_menu();
    // A 2D list has no panels.
    EnableMenuItem(r->menu, kListDefaultPanels, MF_BYCOMMAND | MF_GRAYED);
    return 0;
}

void onDestroying(HWND, void* record) {
    List2DRecord* r = recordOf(record);
    if (r->menu != nullptr) DestroyMenu(r->menu);
    r->menu = nullptr;
}

}  // namespace

const ValueControlClass kList2DClass = {
    sizeof(List2DRecord),
    onCreated,
    onDestroying,
    paintRows,
    nullptr,  // the focus changes nothing the list shows
    nullptr,
    nullptr,
    nullptr,
    [](void* r) { return recordOf(r)->owner; },
    kCommandsExactWParam,
};

namespace {

bool tellSelection(HWND window, List2DRecord* r) {
    r->cell.row = r->rows.selFirst;
    r->cell.selected = r->rows.selFirst >= 1 ? 1 : 0;
    return call(window, r, kList2DSelection);
}

void moveSelection(HWND window, List2DRecord* r, int64_t delta) {
    if (!notifying()) return;
    const int32_t first = r->rows.firstRow;
    if (!rows_move(&r->rows, delta)) return;
    if (r->rows.firstRow != first) showScrollPosition(window, r);
    InvalidateRect(window, nullptr, FALSE);
    tellSelection(window, r);
}

// Home and End: further than the list is long.
int64_t wholeList(const List2DRecord* r) { return int64_t{r->rows.rowCount} + 1; }

void onKeyDown(HWND window, List2DRecord* r, WPARAM key) {
    switch (key) {
        case VK_PRIOR: moveSelection(window, r, -rows_page(&r->rows)); break;
        case VK_NEXT: moveSelection(window, r, rows_page(&r->rows)); break;
        case VK_HOME: moveSelection(window, r, -wholeList(r)); break;
        case VK_END: moveSelection(window, r, wholeList(r)); break;
        case VK_UP: moveSelection(window, r, -1); break;
        case VK_DOWN: moveSelection(window, r, 1); break;
    }
}

// Shows rows from first on; the selection stays.
void scrollTo(HWND window, List2DRecord* r, int32_t first) {
    const int32_t old = r->rows.firstRow;
    if (first == old) return;
    r->rows.firstRow = first;
    showScrollPosition(window, r);
    // The rows still shown move; the owner draws the ones uncovered.
    const int64_t shift = (int64_t{old} - first) * r->rows.rowHeight;
    if (shift > -r->height && shift < r->height)
        ScrollWindowEx(window, 0, static_cast<int>(shift), nullptr, nullptr, nullptr, nullptr,
                       SW_INVALIDATE);
    else
        InvalidateRect(window, nullptr, FALSE);
}

void onVerticalScroll(HWND window, List2DRecord* r, WPARAM wParam) {
    const int request = LOWORD(wParam);
    scrollTo(window, r,
             scroll_bar_press_view(&r->thumbPress, SB_VERT, request,
                                   rows_scroll_target(&r->rows, request, HIWORD(wParam))));
}

// Three rows a notch, as the bar would.
void onMouseWheel(HWND window, List2DRecord* r, WPARAM wParam) {
    const RowList& l = r->rows;
    scrollTo(window, r, list_wheel_first_row(&r->wheelPending, wParam, kWheelLinesPerNotch,
                                             l.firstRow, l.rowCount, l.visibleRows));
}

void onLeftButtonDown(HWND window, List2DRecord* r, WPARAM keys, LPARAM lParam) {
    if (!notifying()) return;
    const int32_t row = rows_row_at(&r->rows, GET_Y_LPARAM(lParam));
    const int32_t done = rows_click(&r->rows, row, (keys & (MK_SHIFT | MK_CONTROL)) != 0);
    if (done & kClickChanged) InvalidateRect(window, nullptr, FALSE);
    if (done & kClickNotify) tellSelection(window, r);
}

// The row under the mouse is selected unless it already is; then the menu.
void onRightButtonDown(HWND window, List2DRecord* r, LPARAM lParam) {
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const int32_t row = rows_row_at(&r->rows, y);
    if (notifying() && row >= 1 && !rows_is_selected(&r->rows, row)) {
        rows_click(&r->rows, row, false);
        InvalidateRect(window, nullptr, FALSE);
        if (!tellSelection(window, r)) return;
    }
    track_list_menu(window, &r->menu, x, y);
}

void onCommand(HWND window, List2DRecord* r, WPARAM command) {
    switch (command) {
        case kListRowDown: moveSelection(window, r, 1); break;
        case kListRowUp: moveSelection(window, r, -1); break;
        case kListFirstRow: moveSelection(window, r, -wholeList(r)); break;
        case kListLastRow: moveSelection(window, r, wholeList(r)); break;
    }
}

void onSize(HWND window, List2DRecord* r, LPARAM lParam) {
    readWindowRectangle(window, r);
    if (rows_resize(&r->rows, HIWORD(lParam))) {
        showScrollPosition(window, r);
        InvalidateRect(window, nullptr, FALSE);
    }
}

}  // namespace

LRESULT CALLBACK list2d_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    List2DRecord* r = message == WM_CREATE ? nullptr : recordOf(get_control_data(window));
    if (r != nullptr) {
        switch (message) {
            case WM_LBUTTONDOWN: onLeftButtonDown(window, r, wParam, lParam); return 0;
            case WM_RBUTTONDOWN: onRightButtonDown(window, r, lParam); return 0;
            case WM_KEYDOWN:
                if (wParam == VK_TAB || wParam == VK_ESCAPE) break;
                onKeyDown(window, r, wParam);
                return 0;
            case WM_VSCROLL: onVerticalScroll(window, r, wParam); return 0;
            case WM_NCLBUTTONDOWN:
            case WM_NCLBUTTONDBLCLK: {
                LRESULT result = 0;
                if (run_scroll_bar_press(window, &r->thumbPress, message, wParam, lParam, 0,
                                         r->rows.firstRow, &result))
                    return result;
                break;
            }
            case WM_MOUSEWHEEL:
                if (!list_takes_wheel(wParam)) break;
                onMouseWheel(window, r, wParam);
                return 0;
            case WM_COMMAND: onCommand(window, r, wParam); return 0;
            case WM_SIZE: onSize(window, r, lParam); return 0;
            case WM_SETFOCUS: r->focused = 1; return 0;
            case WM_KILLFOCUS: r->focused = 0; return 0;
        }
    }
    LRESULT result = 0;
    if (value_control_message(&kList2DClass, window, message, wParam, lParam, &result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND create_list2d(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                   int32_t rowCount, int32_t rowHeight, List2DCallback callback, void* user) {
    List2DRecord block = {};
    block.owner = parent;
    block.width = width;
    block.height = height;
    block.id = id;
    block.rows.rowCount = rowCount;
    block.rows.rowHeight = rowHeight;
    block.callback = callback;
    block.user = user;
    return create_control_window(k2DListClassName, parent, id, x, y, width, height,
                                 WS_TABSTOP | WS_VSCROLL, &block);
}
