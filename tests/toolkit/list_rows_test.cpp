// The row arithmetic both lists share: rows that fit, how far a list may
// scroll, and selection moves that keep the selection in view.
#include <gtest/gtest.h>

#include "toolkit/ListRows.h"

namespace {

TEST(ListRows, RowsThatFitAndTheLastFirstRow) {
    const struct { int64_t span; int32_t height, rows; } fits[] = {
        {100, 10, 10}, {105, 10, 10}, {9, 10, 0}, {-5, 10, 0}, {100, 0, 0}, {100, -3, 0},
        {int64_t{1} << 40, 1, INT32_MAX}};
    for (const auto& f : fits) EXPECT_EQ(list_rows_in(f.span, f.height), f.rows) << f.span;

    const struct { int32_t count, visible, last; } ends[] = {
        {100, 10, 91}, {5, 10, 1}, {0, 10, 1}, {10, 0, 10}, {INT32_MIN, INT32_MAX, 1}};
    for (const auto& e : ends)
        EXPECT_EQ(list_last_first_row(e.count, e.visible), e.last) << e.count << " " << e.visible;
}

TEST(ListRows, SelectionMovesKeepTheSelectionInView) {
    const struct {
        int32_t row, first;
        int64_t delta;
        int32_t count, visible;
        int32_t rowAfter, firstAfter, moved;
    } moves[] = {
        {1, 1, 1, 100, 10, 2, 1, 1},
        {10, 1, 1, 100, 10, 11, 2, 1},      // off the last line: scrolls one row
        {100, 91, 1, 100, 10, 100, 91, 0},  // at the end: nothing
        {1, 1, -1, 100, 10, 1, 1, 0},
        {0, 1, 1, 100, 10, 1, 1, 1},        // from no selection down to row 1
        {0, 50, 1, 100, 10, 1, 1, 1},       // which is brought into view
        {0, 1, -1, 100, 10, 1, 1, 1},
        {5, 1, 101, 100, 10, 100, 91, 1},   // End
        {100, 91, -101, 100, 10, 1, 1, 1},  // Home
        {20, 15, -9, 100, 10, 11, 11, 1},   // Page Up past the top line
        {3, 1, INT64_MAX, 100, 10, 100, 91, 1},
        {3, 1, 5, 100, 0, 8, 8, 1},         // no whole row shown: the row alone
        {1, 1, 1, 0, 10, 0, 1, 1},          // an empty list keeps no selection
        {0, 1, 1, 0, 10, 0, 1, 0},
    };
    for (const auto& m : moves) {
        int32_t row = m.row, first = m.first;
        EXPECT_EQ(list_move_selection(&row, &first, m.delta, m.count, m.visible), m.moved)
            << m.row << " by " << m.delta;
        EXPECT_EQ(row, m.rowAfter) << m.row << " by " << m.delta;
        EXPECT_EQ(first, m.firstAfter) << m.row << " by " << m.delta;
    }
}

}  // namespace
