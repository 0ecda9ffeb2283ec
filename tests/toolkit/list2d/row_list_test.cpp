// The 2D list's rows: keys, the scroll bar and its thumb, clicks and ranges,
// resizing.
#include <gtest/gtest.h>

#include "toolkit/ListRows.h"
#include "toolkit/list2d/RowList.h"

namespace {

RowList hundredRows(int32_t rowCount = 100) {
    RowList list = {};
    list.rowCount = rowCount;
    list.rowHeight = 10;
    rows_setup(&list, 105);  // ten whole rows and a part
    return list;
}

TEST(RowList, KeysMoveASingleSelectionAndTheScrollBarFollows) {
    RowList list = hundredRows();
    EXPECT_EQ(list.visibleRows, 10);
    EXPECT_EQ(list.selFirst, 1);
    EXPECT_EQ(rows_move(&list, 101), 1);  // End
    EXPECT_EQ(list.selFirst, 100);
    EXPECT_EQ(list.selLast, 100);
    EXPECT_EQ(list.firstRow, 91);
    EXPECT_EQ(rows_scroll_position(&list), 909);
    EXPECT_EQ(rows_move(&list, -101), 1);  // Home
    EXPECT_EQ(list.firstRow, 1);
    EXPECT_EQ(rows_scroll_position(&list), 0);
    // A range collapses onto its moved first row.
    list.selFirst = 3;
    list.selLast = 7;
    EXPECT_EQ(rows_move(&list, 1), 1);
    EXPECT_EQ(list.selLast, 4);

    const struct { int32_t visible, page; } pages[] = {{10, 9}, {2, 1}, {1, 1}, {0, 1}};
    for (const auto& p : pages) {
        list.visibleRows = p.visible;
        EXPECT_EQ(rows_page(&list), p.page) << p.visible;
    }
    RowList empty = hundredRows(0);
    EXPECT_EQ(empty.selFirst, 0);
    EXPECT_EQ(rows_move(&empty, 1), 0);
    EXPECT_EQ(empty.selFirst, 0);
}

TEST(RowList, ScrollBarRequests) {
    RowList list = hundredRows(101);
    const struct { int32_t first, request, thumb, target; } cases[] = {
        {1, kScrollThumbTrack, 500, 51},
        {1, kScrollThumbPosition, 1000, 92},  // never past the end
        {1, kScrollLineUp, 0, 1},
        {1, kScrollLineDown, 0, 2},
        {1, kScrollPageDown, 0, 11},
        {50, kScrollPageUp, 0, 40},
        {90, kScrollPageDown, 0, 92},
        {50, kScrollTop, 0, 1},
        {50, kScrollBottom, 0, 92},           // the last row shows whole
        {50, 8, 0, 50},                       // the end of a scroll: no change
    };
    for (const auto& c : cases) {
        list.firstRow = c.first;
        EXPECT_EQ(rows_scroll_target(&list, c.request, c.thumb), c.target)
            << c.first << " " << c.request;
    }
    // The bar's position: 0 for lists of one row, the end for two rows.
    const struct { int32_t rows, first, position; } positions[] = {
        {101, 51, 500}, {1, 1, 0}, {0, 1, 0}, {2, 2, 1000}};
    for (const auto& p : positions) {
        RowList l = hundredRows(p.rows);
        l.firstRow = p.first;
        EXPECT_EQ(rows_scroll_position(&l), p.position) << p.rows;
    }
}

TEST(RowList, TheThumbWhereTheBarShowsItLeavesTheView) {
    // Lists shorter than the bar's 1000 steps come back to the very row;
    // longer ones to a row the bar shows at the same position.
    for (int32_t rowCount : {2, 3, 7, 100, 101, 998, 1000, 1001, 1002, 5000, 123457}) {
        RowList list = hundredRows(rowCount);
        const int32_t last = list_last_first_row(rowCount, list.visibleRows);
        for (int32_t first = 1; first <= last; ++first) {
            list.firstRow = first;
            const int32_t shown = rows_scroll_position(&list);
            const int32_t target = rows_scroll_target(&list, kScrollThumbPosition, shown);
            if (rowCount <= kRowScrollRange + 1) {
                ASSERT_EQ(target, first) << rowCount;
            }
            list.firstRow = target;
            ASSERT_EQ(rows_scroll_position(&list), shown) << rowCount << " " << first;
        }
    }
}

TEST(RowList, RowsUnderThePointAndClicks) {
    RowList list = hundredRows();
    list.firstRow = 5;
    const struct { int32_t y, row; } points[] = {
        {0, 5}, {10, 5}, {11, 6}, {100, 14}, {101, 0}, {-1, 0}};
    for (const auto& p : points) EXPECT_EQ(rows_row_at(&list, p.y), p.row) << p.y;
    RowList shortList = hundredRows(3);
    EXPECT_EQ(rows_row_at(&shortList, 35), 0);  // below the last row

    const struct {
        int32_t selFirst, selLast, row;
        bool extend;
        int32_t first, last, done;
    } clicks[] = {
        {5, 5, 8, false, 8, 8, kClickChanged | kClickNotify},
        {5, 5, 0, false, 0, 0, kClickChanged | kClickNotify},  // off the rows: nothing selected
        {5, 7, 3, true, 3, 7, kClickChanged | kClickNotify},   // extends upward and tells
        {5, 7, 9, true, 5, 9, kClickChanged},                  // downward, silently
        {5, 7, 6, true, 5, 6, kClickChanged},
        {5, 7, 0, true, 5, 7, kClickNothing},                  // off the rows: unchanged
        {0, 0, 4, true, 4, 4, kClickChanged | kClickNotify},   // no selection yet: that row
    };
    for (const auto& c : clicks) {
        list.selFirst = c.selFirst;
        list.selLast = c.selLast;
        EXPECT_EQ(rows_click(&list, c.row, c.extend), c.done) << c.row << " " << c.extend;
        EXPECT_EQ(list.selFirst, c.first) << c.row << " " << c.extend;
        EXPECT_EQ(list.selLast, c.last) << c.row << " " << c.extend;
        EXPECT_EQ(rows_is_selected(&list, c.last), c.last >= 1 ? 1 : 0);
    }
    EXPECT_EQ(rows_is_selected(&list, 0), 0);
}

TEST(RowList, GrowingPullsTheViewBackFromTheEnd) {
    RowList list = hundredRows();
    list.firstRow = 91;
    EXPECT_EQ(rows_resize(&list, 200), 1);
    EXPECT_EQ(list.visibleRows, 20);
    EXPECT_EQ(list.firstRow, 81);
    EXPECT_EQ(rows_resize(&list, 50), 0);
    EXPECT_EQ(list.firstRow, 81);
}

}  // namespace
