#pragma once
// The 3D list: up to 16 pages of one list (panels) stacked like cards, each
// a column of rows under a header, each one step higher than the panel in
// front of it and shifted sideways by its own offset. The owner draws every
// cell through a callback; the list stacks, clips, scrolls, selects, orders
// the panels, lets the front panel be dragged sideways by its header, and
// draws into an off-screen image that it copies to the window.
// Window class "C_RA2ZAZ_3DList_00\xA9KSomar"; commands in ListMenu.h.
#include <windows.h>

#include <cstdint>

#include "toolkit/ListCommon.h"
#include "toolkit/list3d/BoundedDrag.h"
#include "toolkit/list3d/PanelStack.h"

// The owner's drawing context and the subject of every call.
struct List3DCell {
    uint32_t id;  // the control id in the low 16 bits
    HWND window;
    int32_t row;    // 0: a panel's header
    int32_t panel;  // 0: the row column
    int32_t left, top, right, bottom;
    HDC dc;         // the off-screen image, clipped to the visible part of the panel
    int32_t depth;  // 1 the back panel ... panelCount the front panel; 0 the row column
    int32_t selectedRow;
};
#if !defined(_WIN64)  // pointers and handles widen on the 64-bit target
static_assert(sizeof(List3DCell) == 44, "List3DCell is eleven 32-bit words");
#endif

// Called with the caller removing the arguments.
typedef int32_t(__cdecl* List3DCallback)(void* user, int32_t code, List3DCell* cell);

enum List3DCode : int32_t {
    kList3DOtherChar = 0,      // a character typed with Ctrl other than C, X, V
    kList3DDrawCell = 1,       // draw the cell into cell.dc
    kList3DClickSelected = 2,  // a click on the selected row; answer 1 to have the list redrawn
    kList3DCopy = 3,           // Ctrl+C
    kList3DCut = 4,            // Ctrl+X
    kList3DPaste = 5,          // Ctrl+V
    kList3DDrawn = 6,          // after every redraw
};

// The record of each 3D list, and also its creation block.
struct List3DRecord {
    HWND owner;  // receives forwarded Tab and Escape
    HWND window;
    int32_t x, y;  // creation input only
    int32_t width, height;
    uint16_t id;
    int32_t focused;
    List3DCell cell;
    PanelList list;  // the creator fills rowCount to panelStep
    List3DCallback callback;
    void* user;
    BoundedDrag drag;
    HBITMAP image;       // the whole control, drawn off-screen; selected into cell.dc
    HBITMAP background;  // what lies behind the panels
    HMENU menu;
    HBITMAP backgroundSource;  // null: the background is what the screen shows at creation
    int32_t sourceX, sourceY;
    // Private: a redraw is running, and another was asked for meanwhile.
    int32_t redrawing;
    int32_t redrawAgain;
    // Private: the part of a wheel step not yet scrolled.
    int32_t wheelPending;
};

// A 3D list with the layout's rowCount, rowHeaderWidth, headerHeight,
// panelWidth, rowHeight, panelCount and panelStep, drawn by callback over
// what the parent shows under it. Null when creation failed.
HWND create_list3d(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width, int32_t height,
                   const PanelList* layout, List3DCallback callback, void* user);

LRESULT CALLBACK list3d_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
