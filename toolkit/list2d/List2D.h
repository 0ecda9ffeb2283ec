#pragma once
// The 2D list: a plain vertical list of equally high rows with a vertical
// scroll bar, each row drawn by the owner through a callback, with a
// selection of one row or a range of rows. The list keeps the scroll
// position, the selection and the keyboard and mouse handling.
// Window class "C_RA2ZAZ_2DList_00\xA9KSomar"; commands in ListCommon.h
// (6, 7, 1001, 1002; the others are ignored).
#include <windows.h>

#include <cstdint>

#include "toolkit/ListCommon.h"
#include "toolkit/ScrollBarPress.h"
#include "toolkit/list2d/RowList.h"

// The owner's drawing context and the subject of every call.
struct List2DCell {
    uint32_t id;  // the control id in the low 16 bits
    HWND window;
    int32_t row;
    int32_t top;  // y of the row in the client area
    HDC dc;
    int32_t selected;  // 1 when the row lies in the selection
};
#if !defined(_WIN64)  // pointers and handles widen on the 64-bit target
static_assert(sizeof(List2DCell) == 24, "List2DCell is six 32-bit words");
#endif

// Called with the caller removing the arguments.
typedef int32_t(__cdecl* List2DCallback)(void* user, int32_t code, List2DCell* cell);

enum List2DCode : int32_t {
    kList2DDrawRow = 1,    // draw cell.row at cell.top into cell.dc
    kList2DDrawn = 6,      // after all rows of a paint
    kList2DSelection = 7,  // the selection changed: cell.row is its first row (0: none)
};

// The record of each 2D list, and also its creation block.
struct List2DRecord {
    HWND owner;  // receives forwarded Tab and Escape
    HWND window;
    int32_t left, top;  // window rectangle on the screen
    int32_t width, height;
    uint16_t id;
    int32_t focused;
    List2DCell cell;
    RowList rows;  // the creator fills rowCount and rowHeight
    List2DCallback callback;
    void* user;
    HMENU menu;
    // Private: the part of a wheel step not yet scrolled; a press on the bar.
    int32_t wheelPending;
    ScrollBarPress thumbPress;
};

// A 2D list of rowCount rows of rowHeight pixels with a vertical scroll bar,
// drawn by callback. Null when creation failed.
HWND create_list2d(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                   int32_t rowCount, int32_t rowHeight, List2DCallback callback, void* user);

LRESULT CALLBACK list2d_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
