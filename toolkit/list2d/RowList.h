#pragma once
// The 2D list's rows: what is shown, what is selected, where the scroll bar
// stands and what a click, a key or the scroll bar does to them. Any numbers
// a creator passes are taken without overflow. Portable: no Windows headers.
#include <cstdint>

#include "toolkit/ScrollRequest.h"

constexpr int32_t kRowScrollRange = 1000;  // the scroll bar runs from 0 to this

// The 2D list's rows, in the order of its record.
struct RowList {
    int32_t rowCount;     // numbered from 1
    int32_t rowHeight;
    int32_t visibleRows;  // whole rows in the client area
    int32_t firstRow;
    int32_t selFirst, selLast;  // the selected range; 0: none
};

// Completes a creation block for a client area clientHeight pixels high:
// row 1 first and selected (no selection in a list without rows).
void rows_setup(RowList* list, int32_t clientHeight);

// A new client height: the rows shown, and the first row pulled back when
// the view would pass the end. Returns 1 when the first row changed.
int32_t rows_resize(RowList* list, int32_t clientHeight);

// The scroll bar's position for the first row.
int32_t rows_scroll_position(const RowList* list);


// The first row a scroll-bar request asks for (thumb: the thumb's position),
// inside [1, list_last_first_row]; the first row itself for other requests.
// The thumb at the position the bar shows leaves the view as it is.
int32_t rows_scroll_target(const RowList* list, int32_t request, int32_t thumb);

// The row under client y among the whole rows shown; 0 below the list's
// last row or outside them. A shared edge belongs to the upper row.
int32_t rows_row_at(const RowList* list, int32_t y);

// 1 when row lies in the selected range.
int32_t rows_is_selected(const RowList* list, int32_t row);

// What a click did to the selection.
enum RowClick : int32_t {
    kClickNothing = 0,
    kClickChanged = 1,   // repaint
    kClickNotify = 2,    // tell the owner
};

// A click on row (0: no row). A plain click selects that row alone (no row:
// no selection). An extending click (Shift or Ctrl) on a row above the
// selection moves its top there and tells the owner; on any other row it
// moves its bottom there without telling; with no selection yet it selects
// that row alone; on no row it changes nothing. Returns RowClick bits.
int32_t rows_click(RowList* list, int32_t row, bool extend);

// Moves a single-row selection by delta rows (down when positive) and
// scrolls to show it. Returns 1 when it moved.
int32_t rows_move(RowList* list, int64_t delta);

// Rows a page key moves: one less than a view, at least 1.
int32_t rows_page(const RowList* list);
