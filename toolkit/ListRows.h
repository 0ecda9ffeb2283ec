#pragma once
// Row arithmetic that both lists share. Rows are numbered from 1 and a
// selection of 0 means none. The first shown row stays inside
// [1, list_last_first_row], so a list never scrolls past its end. Any
// numbers a creator passes are taken without overflow. Portable: no Windows
// headers.
#include <cstdint>

// Whole rows of rowHeight pixels in span pixels; 0 when either is below 1.
int32_t list_rows_in(int64_t span, int32_t rowHeight);

// The last first row that still fills the view: rowCount - visibleRows + 1,
// at least 1.
int32_t list_last_first_row(int32_t rowCount, int32_t visibleRows);

// The first row delta rows further down (up when negative), inside
// [1, list_last_first_row].
int32_t list_scrolled_first_row(int32_t firstRow, int64_t delta, int32_t rowCount,
                                int32_t visibleRows);

// The first row that shows row with the least scrolling: firstRow when the
// row is among the visibleRows shown (or is 0), the row itself when it lies
// above, else the one that puts it on the last line. At least 1.
int32_t list_first_row_showing(int32_t firstRow, int32_t row, int32_t visibleRows);

// Moves the selection *row by delta rows (down when positive) inside
// [1, rowCount] and scrolls *firstRow to show it. A list without rows keeps
// no selection. Returns 1 when the selection moved.
int32_t list_move_selection(int32_t* row, int32_t* firstRow, int64_t delta, int32_t rowCount,
                            int32_t visibleRows);

// Saturates a wide intermediate into 32 bits.
inline int32_t clamp_to_int32(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}
