#pragma once
// The 3D list's panels: their stacking order and sideways offsets, where
// every cell lies, what a point hits, and which rows are shown and
// selected. Coordinates are the control's client pixels. Any numbers a
// creator passes are taken without overflow. Portable: no Windows headers.
#include <cstdint>

constexpr int32_t kMaxPanels = 16;

// One place of the stack: a panel's number (1 to panelCount) and its offset
// to the right of the row column.
struct PanelSlot {
    int32_t xOffset;
    int32_t panel;
};

// The 3D list's layout, rows and stack, in the order of its record.
struct PanelList {
    int32_t rowCount;        // rows of the list, numbered from 1
    int32_t rowHeaderWidth;  // the row column at the left
    int32_t headerHeight;
    int32_t panelWidth;
    int32_t rowHeight;
    int32_t panelCount;      // at most kMaxPanels after panels_setup
    int32_t panelStep;       // each panel further back lies this much higher
    int32_t visibleRows;
    int32_t firstRow;
    int32_t selectedRow;     // 0: none
    PanelSlot stack[kMaxPanels];  // back (place 0) to front (panelCount - 1)
};

struct PanelBox {
    int32_t left, top, right, bottom;
};

// Completes a creation block for a control of width x height: at most 16
// panels (none when fewer than 1), as many rows as fit under the front
// panel's header, row 1 first and selected (no selection in a list without
// rows), panels in their default positions.
void panels_setup(PanelList* list, int32_t width, int32_t height);

// Spreads the panels evenly from the row column to the right edge of a
// control width pixels wide: panel 1 in front at the right, the
// highest-numbered panel at the back with offset 0.
void panels_default_positions(PanelList* list, int32_t width);

// The front panel's number; 0 without panels.
int32_t panels_front(const PanelList* list);

// Brings panel (a number) to the front with its own offset; the panels that
// were in front of it move one place back. Returns 1 when the order changed.
int32_t panels_bring_to_front(PanelList* list, int32_t panel);

// Rectangles of stack place n (0 back, panelCount - 1 front): its header,
// its i-th shown row, and the whole panel down to its last shown row. The
// row column's i-th row lines up with the back panel's.
PanelBox panels_header_box(const PanelList* list, int32_t n);
PanelBox panels_row_box(const PanelList* list, int32_t n, int32_t i);
PanelBox panels_panel_box(const PanelList* list, int32_t n);
PanelBox panels_row_column_box(const PanelList* list, int32_t i);

enum PanelPart : int32_t { kPanelNothing, kPanelHeader, kPanelRow };

struct PanelHit {
    int32_t part;   // PanelPart
    int32_t panel;  // 0 when nothing was hit
    int32_t row;    // 0 on a header, and on a shown row past the list's end
};

// What (x, y) hits, the front panel first, edges included (a shared edge
// belongs to the upper cell).
PanelHit panels_hit(const PanelList* list, int32_t x, int32_t y);

// Selects a row given from outside: ignored (result 0) unless it is, cut to
// a whole number, a row of the list other than the selected one. A row out
// of view becomes the first shown; the view never passes the list's end.
int32_t panels_select_row(PanelList* list, float row);

// The point a keyboard "click" on the selected row of the front panel goes
// to, one pixel inside the row. 0 without panels or without a shown selection.
int32_t panels_selected_row_point(const PanelList* list, int32_t* x, int32_t* y);

// A position for something size pixels long that wants to be at wanted,
// kept inside [low, high]; low wins when the room is too small.
int32_t bounded_position(int64_t wanted, int32_t size, int32_t low, int32_t high);
