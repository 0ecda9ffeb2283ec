#include "toolkit/list3d/PanelStack.h"

#include "toolkit/ListRows.h"

namespace {

int32_t panelsAbove(const PanelList* list) { return list->panelCount > 1 ? list->panelCount - 1 : 0; }

int64_t placeTop(const PanelList* list, int32_t n) { return int64_t{n} * list->panelStep; }

int64_t placeLeft(const PanelList* list, int32_t n) {
    return int64_t{list->rowHeaderWidth} + list->stack[n].xOffset;
}

int64_t rowsTop(const PanelList* list, int32_t n) { return placeTop(list, n) + list->headerHeight; }

PanelBox box(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return {clamp_to_int32(left), clamp_to_int32(top), clamp_to_int32(right), clamp_to_int32(bottom)};
}

bool inside(int64_t v, int64_t low, int64_t high) { return v >= low && v <= high; }

int32_t placeOf(const PanelList* list, int32_t panel) {
    for (int32_t n = 0; n < list->panelCount; ++n)
        if (list->stack[n].panel == panel) return n;
    return -1;
}

}  // namespace

void panels_setup(PanelList* list, int32_t width, int32_t height) {
    if (list->panelCount < 0) list->panelCount = 0;
    if (list->panelCount > kMaxPanels) list->panelCount = kMaxPanels;
    const int64_t rowsSpan =
        int64_t{height} - int64_t{panelsAbove(list)} * list->panelStep - list->headerHeight;
    list->visibleRows = list_rows_in(rowsSpan, list->rowHeight);
    list->firstRow = 1;
    list->selectedRow = list->rowCount >= 1 ? 1 : 0;
    panels_default_positions(list, width);
}

void panels_default_positions(PanelList* list, int32_t width) {
    int64_t spread = int64_t{width} - list->panelWidth - list->rowHeaderWidth;
    if (list->panelCount > 1) spread /= list->panelCount - 1;
    for (int32_t i = 0; i < list->panelCount; ++i)
        list->stack[i] = {clamp_to_int32(i * spread), list->panelCount - i};
}

int32_t panels_front(const PanelList* list) {
    return list->panelCount >= 1 ? list->stack[list->panelCount - 1].panel : 0;
}

int32_t panels_bring_to_front(PanelList* list, int32_t panel) {
    const int32_t front = list->panelCount - 1;
    const int32_t n = placeOf(list, panel);
    if (list->panelCount < 2 || n < 0 || n == front) return 0;
    const PanelSlot moving = list->stack[n];
    for (int32_t i = n; i < front; ++i) list->stack[i] = list->stack[i + 1];
    list->stack[front] = moving;
    return 1;
}

PanelBox panels_header_box(const PanelList* list, int32_t n) {
    const int64_t left = placeLeft(list, n), top = placeTop(list, n);
    return box(left, top, left + list->panelWidth, top + list->headerHeight);
}

PanelBox panels_row_box(const PanelList* list, int32_t n, int32_t i) {
    const int64_t left = placeLeft(list, n);
    const int64_t top = rowsTop(list, n) + int64_t{i} * list->rowHeight;
    return box(left, top, left + list->panelWidth, top + list->rowHeight);
}

PanelBox panels_panel_box(const PanelList* list, int32_t n) {
    const int64_t left = placeLeft(list, n);
    const int64_t bottom = rowsTop(list, n) + int64_t{list->visibleRows} * list->rowHeight;
    return box(left, placeTop(list, n), left + list->panelWidth, bottom);
}

PanelBox panels_row_column_box(const PanelList* list, int32_t i) {
    const int64_t top = int64_t{list->headerHeight} + int64_t{i} * list->rowHeight;
    return box(0, top, list->rowHeaderWidth, top + list->rowHeight);
}

PanelHit panels_hit(const PanelList* list, int32_t x, int32_t y) {
    for (int32_t n = list->panelCount - 1; n >= 0; --n) {
        const int64_t left = placeLeft(list, n);
        if (!inside(x, left, left + list->panelWidth)) continue;
        const int64_t top = placeTop(list, n), rows = rowsTop(list, n);
        if (inside(y, top, rows)) return {kPanelHeader, list->stack[n].panel, 0};
        if (list->rowHeight < 1 || list->visibleRows < 1) continue;
        if (!inside(y, rows, rows + int64_t{list->visibleRows} * list->rowHeight)) continue;
        // Row i spans [rows + i h, rows + (i + 1) h]; a shared edge is the upper row's.
        const int64_t into = y - rows;
        const int64_t i = into == 0 ? 0 : (into - 1) / list->rowHeight;
        const int64_t row = int64_t{list->firstRow} + i;
        return {kPanelRow, list->stack[n].panel, row <= list->rowCount ? static_cast<int32_t>(row) : 0};
    }
    return {kPanelNothing, 0, 0};
}

int32_t panels_select_row(PanelList* list, float row) {
    // NaN fails the comparisons and is refused with the rows outside.
    if (!(row >= 1.0f && row < static_cast<float>(list->rowCount) + 1.0f)) return 0;
    const int32_t whole = static_cast<int32_t>(row);
    if (whole < 1 || whole > list->rowCount || whole == list->selectedRow) return 0;
    list->selectedRow = whole;
    const int64_t shown = int64_t{list->visibleRows};
    if (whole < list->firstRow || whole >= list->firstRow + shown) list->firstRow = whole;
    const int32_t last = list_last_first_row(list->rowCount, list->visibleRows);
    if (list->firstRow > last) list->firstRow = last;
    return 1;
}

int32_t panels_selected_row_point(const PanelList* list, int32_t* x, int32_t* y) {
    const int64_t i = int64_t{list->selectedRow} - list->firstRow;
    if (list->panelCount < 1 || list->selectedRow < 1 || i < 0 || i >= list->visibleRows) return 0;
    const PanelBox row = panels_row_box(list, list->panelCount - 1, static_cast<int32_t>(i));
    *x = clamp_to_int32(int64_t{row.left} + 1);
    *y = clamp_to_int32(int64_t{row.top} + 1);
    return 1;
}

int32_t bounded_position(int64_t wanted, int32_t size, int32_t low, int32_t high) {
    const int64_t highest = int64_t{high} - size;
    if (wanted > highest) wanted = highest;
    if (wanted < low) wanted = low;
    return clamp_to_int32(wanted);
}
