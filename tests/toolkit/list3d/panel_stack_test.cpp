// The 3D list's panels: default positions, the limit of 16, reordering,
// what a point hits, selecting a row from outside, where Enter clicks and
// how far a dragged outline may go.
#include <gtest/gtest.h>

#include <cmath>

#include "ThreePanels.h"
#include "toolkit/list3d/PanelStack.h"

namespace {

PanelList threePanels(int32_t rowCount = 12) {
    PanelList list = three_panel_layout(rowCount);
    panels_setup(&list, 300, 200);
    return list;
}

TEST(PanelStack, SetupLimitsAndDefaultPositions) {
    const PanelList list = threePanels();
    EXPECT_EQ(list.visibleRows, 16);
    EXPECT_EQ(list.firstRow, 1);
    EXPECT_EQ(list.selectedRow, 1);
    const PanelSlot expected[] = {{0, 3}, {40, 2}, {80, 1}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.stack[i].xOffset, expected[i].xOffset) << i;
        EXPECT_EQ(list.stack[i].panel, expected[i].panel) << i;
    }
    EXPECT_EQ(panels_front(&list), 1);

    const struct { int32_t panels, rows, height, shownPanels, visibleRows, selected; } cases[] = {
        {20, 5, 400, 16, 23, 1},  // 16 panels, and the rows under the 16th: (400 - 15 x 10 - 20) / 10
        {1, 5, 200, 1, 18, 1},
        {0, 5, 200, 0, 18, 1},    // no panels: the row column alone
        {-4, 5, 200, 0, 18, 1},
        {3, 0, 200, 3, 16, 0},    // no rows: no selection
        {3, 5, 30, 3, 0, 1},      // too low for a row
    };
    for (const auto& c : cases) {
        PanelList l = threePanels(c.rows);
        l.panelCount = c.panels;
        panels_setup(&l, 300, c.height);
        EXPECT_EQ(l.panelCount, c.shownPanels) << c.panels;
        EXPECT_EQ(l.visibleRows, c.visibleRows) << c.panels << " " << c.height;
        EXPECT_EQ(l.selectedRow, c.selected) << c.rows;
        EXPECT_EQ(panels_front(&l), c.shownPanels >= 1 ? 1 : 0);
    }
    // Sixteen places, each panel once.
    PanelList many = threePanels();
    many.panelCount = 20;
    panels_setup(&many, 300, 400);
    int seen = 0;
    for (int i = 0; i < kMaxPanels; ++i) seen |= 1 << (many.stack[i].panel - 1);
    EXPECT_EQ(seen, 0xFFFF);
}

TEST(PanelStack, BringingToTheFrontKeepsEachPanelsOffset) {
    PanelList list = threePanels();
    EXPECT_EQ(panels_bring_to_front(&list, 2), 1);
    const PanelSlot order[] = {{0, 3}, {80, 1}, {40, 2}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list.stack[i].panel, order[i].panel) << i;
        EXPECT_EQ(list.stack[i].xOffset, order[i].xOffset) << i;
    }
    for (int32_t panel : {2, 0, 4, -1}) EXPECT_EQ(panels_bring_to_front(&list, panel), 0) << panel;
    panels_default_positions(&list, 300);
    EXPECT_EQ(panels_front(&list), 1);

    PanelList single = threePanels();
    single.panelCount = 1;
    panels_setup(&single, 300, 200);
    EXPECT_EQ(single.stack[0].xOffset, 0);
    EXPECT_EQ(panels_bring_to_front(&single, 1), 0);
}

TEST(PanelStack, HitTest) {
    PanelList list = threePanels();
    const struct { int32_t x, y; PanelHit hit; } cases[] = {
        {150, 25, {kPanelHeader, 1, 0}},
        {150, 40, {kPanelHeader, 1, 0}},  // the header's bottom edge is the header's
        {150, 41, {kPanelRow, 1, 1}},
        {150, 50, {kPanelRow, 1, 1}},     // a shared edge belongs to the upper row
        {150, 51, {kPanelRow, 1, 2}},
        {100, 45, {kPanelRow, 1, 1}},     // left and right edges included
        {300, 45, {kPanelRow, 1, 1}},
        {150, 165, {kPanelRow, 1, 0}},    // a shown row past row 12
        {150, 201, {kPanelNothing, 0, 0}},  // below the last row
        {70, 15, {kPanelHeader, 2, 0}},   // the middle panel, left of the front one
        {30, 5, {kPanelHeader, 3, 0}},
        {10, 50, {kPanelNothing, 0, 0}},  // the row column
    };
    for (const auto& c : cases) {
        const PanelHit hit = panels_hit(&list, c.x, c.y);
        EXPECT_EQ(hit.part, c.hit.part) << c.x << "," << c.y;
        EXPECT_EQ(hit.panel, c.hit.panel) << c.x << "," << c.y;
        EXPECT_EQ(hit.row, c.hit.row) << c.x << "," << c.y;
    }
    list.firstRow = 5;
    EXPECT_EQ(panels_hit(&list, 150, 41).row, 5);
    // Cell rectangles line up: the row column with the back panel.
    EXPECT_EQ(panels_row_column_box(&list, 2).top, panels_row_box(&list, 0, 2).top);
    const PanelBox front = panels_panel_box(&list, 2);
    EXPECT_EQ(front.left, 100);
    EXPECT_EQ(front.top, 20);
    EXPECT_EQ(front.right, 300);
    EXPECT_EQ(front.bottom, 200);
}

TEST(PanelStack, SelectingARowFromOutside) {
    const struct { int32_t rows; float row; int32_t selected, first, changed; } cases[] = {
        {100, 50, 50, 50, 1},   // out of view: becomes the first shown
        {100, 95, 95, 85, 1},   // but the view stops at the end (16 rows shown)
        {100, 5, 5, 1, 1},      // in view: no scrolling
        {100, 2.7f, 2, 1, 1},   // cut to a whole row
        {100, 1, 1, 1, 0},      // already selected
        {100, 0, 1, 1, 0},
        {100, 101, 1, 1, 0},
        {100, NAN, 1, 1, 0},
        {100, INFINITY, 1, 1, 0},
        {100, -3e9f, 1, 1, 0},
        {5, 3, 3, 1, 1},        // fewer rows than shown: the view stays at row 1
    };
    for (const auto& c : cases) {
        PanelList list = threePanels(c.rows);
        EXPECT_EQ(panels_select_row(&list, c.row), c.changed) << c.row;
        EXPECT_EQ(list.selectedRow, c.selected) << c.row;
        EXPECT_EQ(list.firstRow, c.first) << c.row;
    }
}

TEST(PanelStack, EnterPointAndOutlineBounds) {
    PanelList list = threePanels(40);
    int32_t x = 0, y = 0;
    ASSERT_EQ(panels_selected_row_point(&list, &x, &y), 1);
    EXPECT_EQ(x, 101);
    EXPECT_EQ(y, 41);
    list.selectedRow = 4;
    list.firstRow = 2;
    ASSERT_EQ(panels_selected_row_point(&list, &x, &y), 1);
    EXPECT_EQ(y, 61);
    // No click without a shown selection or without panels.
    for (int32_t selected : {0, 1, 18}) {
        list.selectedRow = selected;
        EXPECT_EQ(panels_selected_row_point(&list, &x, &y), 0) << selected;
    }
    list.selectedRow = 4;
    list.panelCount = 0;
    EXPECT_EQ(panels_selected_row_point(&list, &x, &y), 0);

    const struct { int64_t wanted; int32_t size, low, high, position; } bounds[] = {
        {50, 200, 20, 300, 50}, {10, 200, 20, 300, 20}, {150, 200, 20, 300, 100},
        {50, 400, 20, 300, 20},  // too wide: the low limit wins
        {int64_t{1} << 40, 10, INT32_MIN, INT32_MAX, INT32_MAX - 10}};
    for (const auto& b : bounds)
        EXPECT_EQ(bounded_position(b.wanted, b.size, b.low, b.high), b.position) << b.wanted;
}

}  // namespace
