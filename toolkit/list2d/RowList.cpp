#include "toolkit/list2d/RowList.h"

#include "toolkit/ListRows.h"

namespace {

int32_t viewRows(const RowList* list) { return list->visibleRows < 1 ? 1 : list->visibleRows; }

int32_t lastFirstRow(const RowList* list) {
    return list_last_first_row(list->rowCount, list->visibleRows);
}

int32_t keepInRange(int64_t first, const RowList* list) {
    const int64_t last = lastFirstRow(list);
    return static_cast<int32_t>(first < 1 ? 1 : first > last ? last : first);
}

}  // namespace

void rows_setup(RowList* list, int32_t clientHeight) {
    list->visibleRows = list_rows_in(clientHeight, list->rowHeight);
    list->firstRow = 1;
    list->selFirst = list->selLast = list->rowCount >= 1 ? 1 : 0;
}

int32_t rows_resize(RowList* list, int32_t clientHeight) {
    list->visibleRows = list_rows_in(clientHeight, list->rowHeight);
    const int32_t first = keepInRange(list->firstRow, list);
    const int32_t changed = first != list->firstRow;
    list->firstRow = first;
    return changed;
}

int32_t rows_scroll_position(const RowList* list) {
    if (list->rowCount < 2) return 0;
    const int64_t position = (int64_t{list->firstRow} - 1) * kRowScrollRange / (list->rowCount - 1);
    return static_cast<int32_t>(position < 0 ? 0 : position > kRowScrollRange ? kRowScrollRange : position);
}

int32_t rows_scroll_target(const RowList* list, int32_t request, int32_t thumb) {
    const int64_t first = list->firstRow, page = viewRows(list);
    switch (request) {
        case kScrollLineUp: return keepInRange(first - 1, list);
        case kScrollLineDown: return keepInRange(first + 1, list);
        case kScrollPageUp: return keepInRange(first - page, list);
        case kScrollPageDown: return keepInRange(first + page, list);
        case kScrollThumbPosition:
        case kScrollThumbTrack: {
            if (list->rowCount < 1) return 1;
            // Rounded up where the bar's position rounds down, so that the
            // position the bar shows for a row leads back to that row (or,
            // in a list longer than the bar, to a row the bar shows alike).
            const int64_t span = int64_t{thumb} * (list->rowCount - 1);
            return keepInRange((span + kRowScrollRange - 1) / kRowScrollRange + 1, list);
        }
        case kScrollTop: return 1;
        case kScrollBottom: return lastFirstRow(list);
    }
    return list->firstRow;
}

int32_t rows_row_at(const RowList* list, int32_t y) {
    if (y < 0 || list->rowHeight < 1 || list->visibleRows < 1) return 0;
    if (int64_t{y} > int64_t{list->visibleRows} * list->rowHeight) return 0;
    const int64_t i = y == 0 ? 0 : (int64_t{y} - 1) / list->rowHeight;
    const int64_t row = int64_t{list->firstRow} + i;
    return row <= list->rowCount ? static_cast<int32_t>(row) : 0;
}

int32_t rows_is_selected(const RowList* list, int32_t row) {
    return list->selFirst >= 1 && row >= list->selFirst && row <= list->selLast ? 1 : 0;
}

int32_t rows_click(RowList* list, int32_t row, bool extend) {
    if (!extend || list->selFirst < 1) {
        if (extend && row < 1) return kClickNothing;
        list->selFirst = list->selLast = row;
        return kClickChanged | kClickNotify;
    }
    if (row < 1) return kClickNothing;
    if (row < list->selFirst) {
        list->selFirst = row;
        return kClickChanged | kClickNotify;
    }
    list->selLast = row;
    return kClickChanged;
}

int32_t rows_move(RowList* list, int64_t delta) {
    if (!list_move_selection(&list->selFirst, &list->firstRow, delta, list->rowCount,
                             list->visibleRows))
        return 0;
    list->selLast = list->selFirst;
    return 1;
}

int32_t rows_page(const RowList* list) { return list->visibleRows > 2 ? list->visibleRows - 1 : 1; }
