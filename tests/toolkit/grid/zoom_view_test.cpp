// The value grid's arithmetic: zoom steps, one mapping between logical units
// and device pixels, scroll requests and their limits, hit rectangles, and
// what drags do to item values.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "toolkit/grid/GridItemValue.h"
#include "toolkit/grid/ZoomView.h"

namespace {

TEST(ZoomView, OneMappingForExtentsOffsetsAndPoints) {
    // 10 units at 70 % are 7 pixels, whichever way the view got there.
    ZoomView direct, roundabout;
    zoom_view_init(&direct, nullptr, 10, 333);
    zoom_view_init(&roundabout, nullptr, 10, 333);
    zoom_view_set_zoom(&direct, 70, 1, 1);
    zoom_view_set_zoom(&roundabout, 200, 1, 1);
    zoom_view_set_zoom(&roundabout, 70, 1, 1);
    EXPECT_EQ(direct.zoomedWidth, 7);
    EXPECT_EQ(roundabout.zoomedWidth, 7);
    EXPECT_EQ(direct.zoomedHeight, zoom_to_device(333, 70));
    EXPECT_EQ(zoom_to_device(333, 70), 233);
    EXPECT_FLOAT_EQ(direct.unitScale, 0.7f);

    struct Point { int32_t zoom, scroll, x, logical; } points[] = {
        {100, 0, 25, 25}, {200, 10, 30, 20}, {50, 10, 5, 30}, {70, 0, 7, 10},
        {200, 0, -3, -2},  // left of the window rounds down
    };
    for (const auto& p : points) {
        ZoomView v;
        zoom_view_init(&v, nullptr, 1000, 1000);
        zoom_view_set_zoom(&v, p.zoom, 100, 100);
        v.scrollX = v.scrollY = p.scroll;
        EXPECT_EQ(zoom_view_logical_x(&v, p.x), p.logical) << p.zoom << " " << p.x;
        EXPECT_EQ(zoom_view_logical_y(&v, p.x), p.logical) << p.zoom << " " << p.x;
    }
    EXPECT_EQ(zoom_to_device(2000000000, 200), 2147483647);  // saturates
}

TEST(ZoomView, ScrollRequestsStayWithinTheSurface) {
    // 1000 units at 200 %: 2000 pixels, seen through 300.
    struct Case { int32_t offset, request, thumb, expected; } cases[] = {
        {0, kScrollLineUp, 0, 0},      {100, kScrollPageUp, 0, 0},
        {100, kScrollBottom, 0, 1700}, {100, kScrollThumbTrack, 5000, 1700},
        {100, 8, 0, 100},  // end of scrolling: stays
    };
    for (const auto& c : cases)
        EXPECT_EQ(zoom_view_scrolled(c.offset, c.request, c.thumb, 300, 2000, 200), c.expected)
            << c.offset << " " << c.request;
    // A surface smaller than the window does not scroll.
    EXPECT_EQ(zoom_view_scrolled(0, kScrollBottom, 0, 300, 200, 100), 0);
}

TEST(ZoomView, TheThumbWhereTheBarShowsItLeavesTheView) {
    // 1000 units through windows of several widths at every zoom: the bar
    // shows each offset in logical units, rounded down.
    for (int32_t zoom = kZoomMin; zoom <= kZoomMax; zoom += kZoomStep) {
        for (int32_t client : {184, 301, 999, 2000}) {
            const int32_t zoomed = zoom_to_device(1000, zoom);
            const int32_t largest = zoom_view_max_scroll(zoomed, client);
            const int32_t farEnd = zoom_to_logical(largest, zoom);
            EXPECT_EQ(zoom_view_scrolled(0, kScrollThumbTrack, farEnd, client, zoomed, zoom), largest)
                << zoom << " " << client;
            for (int32_t offset = 0; offset <= largest; ++offset) {
                const int32_t shown = zoom_to_logical(offset, zoom);
                ASSERT_EQ(zoom_view_scrolled(offset, kScrollThumbPosition, shown, client, zoomed, zoom),
                          offset) << zoom << " " << client;
                // Dragged there from elsewhere: an offset the bar shows alike.
                const int32_t dragged = zoom_view_scrolled(0, kScrollThumbTrack, shown, client, zoomed, zoom);
                ASSERT_EQ(zoom_to_logical(dragged, zoom), shown) << zoom << " " << client << " " << offset;
            }
        }
    }
}

TEST(ZoomView, ZoomKeepsTheCornerPointWithinTheNewLimits) {
    ZoomView v;
    zoom_view_init(&v, nullptr, 1000, 500);
    v.scrollX = 300;
    v.scrollY = 200;
    EXPECT_EQ(zoom_view_set_zoom(&v, 200, 300, 200), 1);
    EXPECT_EQ(v.scrollX, 600);
    EXPECT_EQ(v.scrollY, 400);
    EXPECT_EQ(zoom_view_set_zoom(&v, 50, 300, 200), 1);
    EXPECT_EQ(v.scrollX, 150);  // logical 300 at half size ...
    EXPECT_EQ(v.scrollY, 50);   // ... but only 250 - 200 pixels are left below
    EXPECT_EQ(zoom_view_set_zoom(&v, 50, 300, 200), 0);
    EXPECT_EQ(zoom_view_set_zoom(&v, 10, 300, 200), 0);  // below the limit is the limit
}

TEST(ZoomView, VisibleRectangleAndHits) {
    ZoomView v;
    zoom_view_init(&v, nullptr, 1000, 1000);
    zoom_view_set_zoom(&v, 200, 100, 100);
    v.scrollX = 100;
    v.scrollY = 40;
    const LogicalRect shown = zoom_view_visible(&v, 100, 50);
    EXPECT_EQ(shown.left, 50);
    EXPECT_EQ(shown.top, 20);
    EXPECT_GE(shown.right, 100);
    EXPECT_GE(shown.bottom, 45);
    EXPECT_TRUE(logical_rects_touch({0, 0, 50, 20}, shown));  // an edge is enough
    EXPECT_FALSE(logical_rects_touch({0, 0, 49, 20}, shown));
    EXPECT_TRUE(logical_rect_holds({10, 10, 20, 20}, 15, 15));
    EXPECT_FALSE(logical_rect_holds({10, 10, 20, 20}, 10, 15));  // the edge is outside
}

TEST(GridItemValue, DragsAndLimits) {
    struct Case { int32_t type; float value, k; int32_t dy; float expected; } drags[] = {
        {kItemLinear, 5, 0.5f, -3, 6.5f},  // up raises
        {kItemTime, 5, 2, 2, 1},
        {kItemFactor, 1, 2, -3, 8},        // multiplied by k per pixel upward
        {kItemFactor, 8, 2, 1, 4},
        {kItemToggle, 1, 2, -3, 1},
        {kItemInert, 1, 2, -3, 1},
        {kItemFactor, 2, 0, 1, 2},         // 0 to a negative power: kept
        {kItemLinear, 1, NAN, 1, 1},
        // Beyond a float's range: as far as a float goes, which the item's
        // limit turns into its maximum (or minimum).
        {kItemFactor, 3e38f, 10, -10, FLT_MAX},
        {kItemFactor, 1, 10, -40, FLT_MAX},   // a fast drag: 10^40 in one move
        {kItemFactor, -1, 10, -40, -FLT_MAX},
        {kItemFactor, 1, 10, 400, 0},         // and the other way: down to 0
        {kItemLinear, -3e38f, 1e38f, 10, -FLT_MAX},
    };
    for (const auto& d : drags)
        EXPECT_EQ(grid_item_dragged(d.type, d.value, d.k, d.dy), d.expected) << d.type << " " << d.value;

    struct Limit { float v, min, max, current, expected; } limits[] = {
        {64, 0.1f, 10, 1, 10}, {-1, 0, 5, 1, 0}, {3, 5, 0, 1, 3}, {9, 5, 0, 1, 5}, {NAN, 0, 5, 2, 2},
    };
    for (const auto& l : limits)
        EXPECT_EQ(grid_item_limited(l.v, l.min, l.max, l.current), l.expected) << l.v;
    EXPECT_EQ(grid_item_toggled(0.0f), 1.0f);
    EXPECT_EQ(grid_item_toggled(0.5f), 1.0f);
    EXPECT_EQ(grid_item_toggled(1.0f), 0.0f);
}

}  // namespace
