// The adjust window's arithmetic: ruler resolutions from a knob's range, the
// value drag, and keeping the window on the screen.
#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/knob/AdjustScale.h"

namespace {

TEST(AdjustScale, ResolutionFollowsTheDecadeOfTheSpan) {
    struct Case {
        float current, min, max;
        int32_t decibels;
        float lo, hi, coarse;
        int32_t digits;
    } cases[] = {
        {2, 1, 8, 0, 1, 8, 0.01f, 5},             // span 7: decade 1
        {0.5f, 0.25f, 1, 1, -12, 0, 0.1f, 4},     // 12 whole decibels: decade 2
        {0.1f, 0, 0.5f, 0, 0, 0.5f, 0.0001f, 5},  // span 0.5: decade -1, digits capped
        {50, 100, 0, 0, 0, 100, 0.1f, 4},         // backwards; a whole decade stays itself
        {1, 1, 1, 0, 1, 1, 0.001f, 5},            // empty: the decade of 1
    };
    for (const auto& c : cases) {
        const AdjustScale s = adjust_scale(c.current, c.min, c.max, c.decibels);
        EXPECT_EQ(s.lo, c.lo) << c.min << ".." << c.max;
        EXPECT_EQ(s.hi, c.hi) << c.min << ".." << c.max;
        EXPECT_FLOAT_EQ(s.steps[0], c.coarse) << c.min << ".." << c.max;
        EXPECT_FLOAT_EQ(s.steps[1], c.coarse * 0.01f) << c.min << ".." << c.max;
        EXPECT_FLOAT_EQ(s.steps[2], c.coarse * 0.0001f) << c.min << ".." << c.max;
        EXPECT_EQ(s.digits, c.digits) << c.min << ".." << c.max;
    }
}

TEST(AdjustScale, DecibelRulers) {
    // Whole decibels: 0.5 shows -6 dB; what the knob gets back is 10^(dB/20).
    AdjustScale s = adjust_scale(0.5f, 0.25f, 1.0f, 1);
    EXPECT_EQ(s.value, -6.0f);
    EXPECT_EQ(adjust_drag(&s, 1, 10), 1);
    EXPECT_FLOAT_EQ(s.value, -5.0f);
    EXPECT_NEAR(adjust_knob_value(&s, 1), std::pow(10.0, -0.25), 1e-6);

    // A range inside one decibel keeps exact decibels instead of collapsing.
    const AdjustScale narrow = adjust_scale(0.95f, 0.9f, 1.0f, 1);
    EXPECT_NEAR(narrow.lo, -0.9151f, 1e-3);
    EXPECT_EQ(narrow.hi, 0.0f);
    EXPECT_TRUE(std::isfinite(narrow.steps[0]) && narrow.steps[0] > 0.0f);

    // Silence has no logarithm: the ruler starts at a floor instead.
    const AdjustScale silent = adjust_scale(0.0f, 0.0f, 1.0f, 1);
    EXPECT_TRUE(std::isfinite(silent.lo) && std::isfinite(silent.value));
}

TEST(AdjustScale, EveryValueSentLiesInTheKnobsRange) {
    // Decibel ends rounded outward would reach below 1.5 (3 dB gives 1.41).
    struct Case { float min, max, current; } cases[] = {
        {1.5f, 4, 2}, {0.25f, 1, 0.5f}, {0.3f, 0.9f, 0.5f}, {0.001f, 2, 1}};
    for (const auto& c : cases) {
        AdjustScale s = adjust_scale(c.current, c.min, c.max, 1);
        for (int32_t n : {-100000, 1, 1, 100000, -1}) {
            adjust_drag(&s, 1, n);
            const float sent = adjust_knob_value(&s, 1);
            EXPECT_GE(sent, c.min) << c.min << ".." << c.max << " at " << s.value << " dB";
            EXPECT_LE(sent, c.max) << c.min << ".." << c.max << " at " << s.value << " dB";
        }
    }
    EXPECT_EQ(adjust_scale(2, 1.5f, 4, 1).lo, 4.0f);  // 3.52 dB rounded inward
}

TEST(AdjustScale, DragsThatCancelReturnExactlyAndZeroHasNoSign) {
    // A decibel knob a little below 1 shows 0 dB, not -0.
    AdjustScale s = adjust_scale(0.95f, 0.25f, 1, 1);
    EXPECT_EQ(s.value, 0.0f);
    EXPECT_FALSE(std::signbit(s.value));
    for (int32_t column : {1, 2, 3}) adjust_drag(&s, column, -7);
    for (int32_t column : {3, 1, 2}) adjust_drag(&s, column, 7);
    EXPECT_EQ(s.value, 0.0f);
    EXPECT_FALSE(std::signbit(s.value));
}

TEST(AdjustScale, DragStaysInTheRange) {
    AdjustScale s = adjust_scale(2, 1, 8, 0);
    EXPECT_EQ(adjust_drag(&s, 1, 100), 1);
    EXPECT_FLOAT_EQ(s.value, 3.0f);
    EXPECT_EQ(adjust_drag(&s, 2, -100), 1);
    EXPECT_FLOAT_EQ(s.value, 2.99f);
    EXPECT_EQ(adjust_drag(&s, 1, 100000), 1);
    EXPECT_EQ(s.value, 8.0f);
    EXPECT_EQ(adjust_drag(&s, 1, 1), 0);  // at the top already
    EXPECT_EQ(adjust_drag(&s, 0, 5), 0);  // no ruler
    EXPECT_EQ(adjust_drag(&s, 3, 0), 0);
}

TEST(AdjustScale, FitInside) {
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
