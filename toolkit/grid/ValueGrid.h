#pragma once
// The value grid: a scrollable, zoomable surface in logical coordinates on
// which the owner places value items, small rectangles holding one float
// each. The owner draws the background and the items through callbacks; the
// grid maps, scrolls, pans and zooms, and lets the user drag, click or edit
// the items' values. Window class "C_RA2ZAZ_Vgrid_00\xA9KSomar".
#include <windows.h>

#include <cstdint>

#include "toolkit/ScrollBarPress.h"
#include "toolkit/grid/GridItemValue.h"
#include "toolkit/grid/ZoomView.h"

// What the callbacks are handed.
struct ValueGridContext {
    HWND window;
    int32_t itemIndex;  // 1-based; 0 outside item calls
    int32_t itemId;
    int32_t id;         // the grid's id
    void* itemUser;
    HDC dc;
    // The client rectangle for code 2, the item's logical rectangle for
    // codes 3 and 4.
    int32_t left, top, right, bottom;
    float* value;       // the item's value
};
#if !defined(_WIN64)  // pointers and handles widen on the 64-bit target
static_assert(sizeof(ValueGridContext) == 44, "ValueGridContext is eleven 32-bit words");
#endif

// Callback codes.
enum ValueGridCode : int32_t {
    kGridCreated = 1,         // grid callback at creation; 0 makes creation fail
    kGridPaintBackground = 2, // grid callback, device coordinates
    kGridDrawItem = 3,        // the item's callback, else the grid's; logical coordinates
    kGridItemChanged = 4,     // the item's callback only, before the item is redrawn
};

typedef int32_t(__cdecl* ValueGridCallback)(ValueGridContext* context, int32_t code);

struct ValueItem {
    int32_t itemId;
    int32_t type;  // ValueItemType
    int32_t left, top, right, bottom;  // logical
    float value, min, max;
    float leftSensitivity;   // per pixel of a drag with the left button
    float rightSensitivity;  // ... with the right button
    void* itemUser;
    ValueGridCallback itemCallback;  // null: the grid callback draws the item
};

// The items, one after another in a fixed heap block.
constexpr int32_t kItemBlockBytes = 8192;
struct ItemArray {
    ValueItem* items;
    int32_t count;
    int32_t capacityBytes;
    int32_t elementSize;
    int32_t current;  // the item last pressed, 0 for none
};
constexpr int32_t kValueGridItemCapacity = kItemBlockBytes / static_cast<int32_t>(sizeof(ValueItem));

// The grid's record, and also its creation block (owner, placement, id,
// callback and the extents are read from it).
struct ValueGridRecord {
    HWND owner;
    int32_t x, y, width, height;
    uint16_t id;
    ValueGridCallback callback;
    int32_t focused;
    ValueGridContext context;
    ZoomView* view;
    int32_t extentWidth, extentHeight;
    ItemArray items;
    float zoom;          // percent
    int32_t dragging;
    int32_t dragButton;  // 1 left, 0 right
    ValueItem* dragItem;
    int32_t lastX, lastY;
    int32_t zoomEnabled;  // Ctrl+click zooms
    int32_t panEnabled;   // dragging empty space pans
    ScrollBarPress thumbPress;  // private
};

// A grid of width x height at (x, y) showing a surface of extentWidth x
// extentHeight logical units; windowStyle adds window styles (WS_HSCROLL,
// WS_VSCROLL, WS_BORDER). The callback (required) places the items at code 1
// with value_grid_add_item. Null when creation failed.
HWND create_value_grid(HWND parent, uint16_t id, int32_t x, int32_t y, int32_t width,
                       int32_t height, uint32_t windowStyle, int32_t extentWidth,
                       int32_t extentHeight, ValueGridCallback callback);

// Appends a copy of item; returns its 1-based index, 0 when the grid has no
// room left (or is not a grid). The owner repaints the grid when it adds
// items after creation.
int32_t value_grid_add_item(HWND grid, const ValueItem* item);
// Item `index` (1-based) in place, null beyond the count.
ValueItem* value_grid_item(HWND grid, int32_t index);

LRESULT CALLBACK value_grid_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
