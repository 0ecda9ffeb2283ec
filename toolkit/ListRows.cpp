#include "toolkit/ListRows.h"

namespace {

int64_t clampWide(int64_t v, int64_t low, int64_t high) { return v < low ? low : v > high ? high : v; }

// A view shows at least one row when it scrolls.
int64_t viewRows(int32_t visibleRows) { return visibleRows < 1 ? 1 : visibleRows; }

}  // namespace

int32_t list_rows_in(int64_t span, int32_t rowHeight) {
    if (span < 1 || rowHeight < 1) return 0;
    return clamp_to_int32(span / rowHeight);
}

int32_t list_last_first_row(int32_t rowCount, int32_t visibleRows) {
    const int64_t last = int64_t{rowCount} - viewRows(visibleRows) + 1;
    return static_cast<int32_t>(clampWide(last, 1, INT32_MAX));
}

int32_t list_scrolled_first_row(int32_t firstRow, int64_t delta, int32_t rowCount,
                                int32_t visibleRows) {
    const int64_t step = clampWide(delta, -int64_t{INT32_MAX} - 1, INT32_MAX);
    return static_cast<int32_t>(
        clampWide(int64_t{firstRow} + step, 1, list_last_first_row(rowCount, visibleRows)));
}

int32_t list_first_row_showing(int32_t firstRow, int32_t row, int32_t visibleRows) {
    int64_t first = firstRow < 1 ? 1 : firstRow;
    if (row >= 1) {
        if (row < first)
            first = row;
        else if (row >= first + viewRows(visibleRows))
            first = int64_t{row} - viewRows(visibleRows) + 1;
    }
    return static_cast<int32_t>(clampWide(first, 1, INT32_MAX));
}

int32_t list_move_selection(int32_t* row, int32_t* firstRow, int64_t delta, int32_t rowCount,
                            int32_t visibleRows) {
    if (rowCount < 1) {
        const int32_t had = *row;
        *row = 0;
        return had != 0;
    }
    const int32_t before = *row;
    // A selection at the end stays put rather than counting as a move.
    if ((delta > 0 && before == rowCount) || (delta < 0 && before == 1) || delta == 0) return 0;
    const int64_t step = clampWide(delta, -int64_t{INT32_MAX} - 1, INT32_MAX);
    *row = static_cast<int32_t>(clampWide(int64_t{before} + step, 1, rowCount));
    *firstRow = list_first_row_showing(*firstRow, *row, visibleRows);
    return *row != before;
}
