// Any layout a list's creator may pass, then any sequence of keys, clicks,
// scroll-bar requests, wheel turns, rows from outside and panel moves: the
// lists' arithmetic never overflows (the sanitizers watch), keeps the panel
// stack a set of distinct panels, keeps the view and the selection on the
// list, and a thumb where the bar shows it leaves the view.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "toolkit/ListRows.h"
#include "toolkit/WheelSteps.h"
#include "toolkit/list2d/RowList.h"
#include "toolkit/list3d/PanelStack.h"

namespace {

void require(bool condition) {
    if (!condition) __builtin_trap();
}

void checkView(int32_t firstRow, int32_t rowCount, int32_t visibleRows) {
    require(firstRow >= 1 && firstRow <= list_last_first_row(rowCount, visibleRows));
}

void checkSelection(int32_t row, int32_t rowCount) {
    require(row >= 0 && row <= (rowCount > 0 ? rowCount : 0));
}

void checkPanels(const PanelList& l) {
    require(l.panelCount >= 0 && l.panelCount <= kMaxPanels && l.visibleRows >= 0);
    uint32_t seen = 0;
    for (int32_t n = 0; n < l.panelCount; ++n) {
        const int32_t p = l.stack[n].panel;
        require(p >= 1 && p <= l.panelCount && !(seen & (1u << p)));
        seen |= 1u << p;
    }
    checkView(l.firstRow, l.rowCount, l.visibleRows);
    checkSelection(l.selectedRow, l.rowCount);
}

void checkRows(const RowList& l) {
    checkView(l.firstRow, l.rowCount, l.visibleRows);
    checkSelection(l.selFirst, l.rowCount);
    checkSelection(l.selLast, l.rowCount);
    const int32_t position = rows_scroll_position(&l);
    require(position >= 0 && position <= kRowScrollRange);
    // The thumb where the bar shows it leads to the same row, or in a list
    // longer than the bar to a row the bar shows alike.
    RowList back = l;
    back.firstRow = rows_scroll_target(&l, kScrollThumbPosition, position);
    require(back.firstRow == l.firstRow ||
            (int64_t{l.rowCount} - 1 > kRowScrollRange && rows_scroll_position(&back) == position));
}

struct Step {
    uint8_t op;
    int32_t a, b;
};

// Geometry a person could lay out: every measure small, panels wide.
bool plausible(const PanelList& l, int32_t width) {
    const int32_t measures[] = {l.rowHeaderWidth, l.headerHeight, l.panelWidth, l.rowHeight,
                                l.panelStep, l.firstRow, l.rowCount, width};
    for (int32_t m : measures)
        if (m < -100000 || m > 100000) return false;
    return l.panelWidth >= 1;
}

void panelStep(PanelList& l, const Step& s, int32_t width) {
    switch (s.op % 7) {
        case 0: list_move_selection(&l.selectedRow, &l.firstRow, s.a, l.rowCount, l.visibleRows); break;
        case 1: panels_bring_to_front(&l, s.a); break;
        case 2: {
            float row;
            std::memcpy(&row, &s.a, sizeof row);
            panels_select_row(&l, row);
            break;
        }
        case 3: {
            const PanelHit hit = panels_hit(&l, s.a, s.b);
            require(hit.row >= 0 && hit.row <= (l.rowCount > 0 ? l.rowCount : 0));
            if (hit.panel != 0) panels_bring_to_front(&l, hit.panel);
            if (hit.part == kPanelRow) l.selectedRow = hit.row;
            break;
        }
        case 4: panels_default_positions(&l, width); break;
        case 5: {
            int32_t x = 0, y = 0;
            if (panels_selected_row_point(&l, &x, &y) && plausible(l, width)) {
                const PanelHit hit = panels_hit(&l, x, y);
                require(hit.panel == panels_front(&l) && hit.row == l.selectedRow);
            }
            break;
        }
        case 6:
            for (int32_t n = 0; n < l.panelCount; ++n) {
                panels_header_box(&l, n);
                panels_panel_box(&l, n);
                panels_row_box(&l, n, s.a);
            }
            panels_row_column_box(&l, s.a);
            bounded_position(s.a, s.b, s.a, width);
            break;
    }
}

void rowStep(RowList& l, int32_t& wheelPending, const Step& s) {
    switch (s.op % 6) {
        case 0: rows_move(&l, s.a); break;
        case 1: l.firstRow = rows_scroll_target(&l, s.a & 7, s.b & 0xFFFF); break;
        case 2: rows_click(&l, rows_row_at(&l, s.a), (s.b & 1) != 0); break;
        case 3: rows_resize(&l, s.a); break;
        case 4: rows_page(&l); break;
        case 5:
            l.firstRow = list_scrolled_first_row(l.firstRow, wheel_steps(&wheelPending, s.a, s.b),
                                                 l.rowCount, l.visibleRows);
            require(wheelPending > -kWheelNotch && wheelPending < kWheelNotch);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    struct Layout {
        int32_t rowCount, rowHeaderWidth, headerHeight, panelWidth, rowHeight, panelCount, panelStep;
        int32_t width, height;
    } in;
    if (size < sizeof in) return 0;
    std::memcpy(&in, data, sizeof in);
    data += sizeof in;
    size -= sizeof in;

    PanelList panels = {};
    panels.rowCount = in.rowCount;
    panels.rowHeaderWidth = in.rowHeaderWidth;
    panels.headerHeight = in.headerHeight;
    panels.panelWidth = in.panelWidth;
    panels.rowHeight = in.rowHeight;
    panels.panelCount = in.panelCount;
    panels.panelStep = in.panelStep;
    panels_setup(&panels, in.width, in.height);
    checkPanels(panels);

    RowList rows = {};
    rows.rowCount = in.rowCount;
    rows.rowHeight = in.rowHeight;
    rows_setup(&rows, in.height);
    checkRows(rows);

    int32_t wheelPending = 0;
    Step s;
    constexpr size_t kStepSize = 1 + 2 * sizeof(int32_t);
    for (; size >= kStepSize; data += kStepSize, size -= kStepSize) {
        s.op = data[0];
        std::memcpy(&s.a, data + 1, sizeof s.a);
        std::memcpy(&s.b, data + 5, sizeof s.b);
        panelStep(panels, s, in.width);
        checkPanels(panels);
        rowStep(rows, wheelPending, s);
        checkRows(rows);
    }
    return 0;
}
