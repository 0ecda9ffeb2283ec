// Where a popup goes when the point asked for would put it off the screen.
#include <gtest/gtest.h>

#include "toolkit/PopupPlacement.h"

namespace {

TEST(PopupPlacement, FitInside) {
    struct Case { int32_t x, y, ex, ey; } cases[] = {
        {100, 100, 100, 100},    // fits
        {1200, 900, 1040, 684},  // beyond the right and bottom edges
        {-50, -20, 0, 0},        // beyond the left and top edges
    };
    for (const auto& c : cases) {
        int32_t x = c.x, y = c.y;
        fit_inside(&x, &y, 240, 340, 0, 0, 1280, 1024);
        EXPECT_EQ(x, c.ex);
        EXPECT_EQ(y, c.ey);
    }
    int32_t x = 500, y = 500;
    fit_inside(&x, &y, 2000, 2000, 0, 0, 1280, 1024);  // too large: top-left corner
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

}  // namespace
