// The slider's arithmetic: track ends and scales, value <-> thumb position,
// the set rule, and every gesture moving the thumb the same way on a
// reversed slider as on a normal one.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toolkit/slider/SliderTrack.h"

namespace {

// A 128-pixel track with a 20-pixel thumb and margins 3 and 5.
SliderValue makeSlider(bool horizontal, float min, float max, float def, float step = 1.0f,
                       uint32_t flags = 0) {
    SliderValue v = {};
    v.min = min;
    v.max = max;
    v.defaultValue = def;
    v.step = step;
    v.valueFlags = flags;
    slider_value_setup(&v, {horizontal, 128, 20, 3, 5});
    return v;
}

TEST(SliderTrack, SetupPlacesTheTrackEnds) {
    struct Case {
        bool horizontal; float min, max, def;
        float posMin, posMax, pixelsPerUnit, current;
    } cases[] = {
        {true, 0, 10, 5, 3, 103, 10, 5},
        {false, 0, 10, 5, 105, 5, -10, 5},
        {true, 10, 0, 5, 3, 103, -10, 5},   // reversed
        {true, 0, 10, 42, 3, 103, 10, 10},  // a default outside the range is brought in
        {true, 4, 4, 4, 3, 103, 0, 4},      // no extent: no scale, no division by zero
        {true, NAN, INFINITY, 1, 3, 103, 0, 0},
    };
    for (const auto& c : cases) {
        const SliderValue v = makeSlider(c.horizontal, c.min, c.max, c.def, 1, SLIDER_LOG);
        EXPECT_EQ(v.positionMin, c.posMin) << c.min << " " << c.max;
        EXPECT_EQ(v.positionMax, c.posMax);
        EXPECT_EQ(v.pixelsPerUnit, c.pixelsPerUnit);
        EXPECT_EQ(v.current, c.current);
        EXPECT_EQ(v.defaultValue, c.current);
        EXPECT_TRUE(std::isfinite(v.unitsPerPixel));
        // The orientation follows the track; the unsupported log scale is gone.
        EXPECT_EQ(v.valueFlags, c.horizontal ? SLIDER_HORIZONTAL : 0u);
    }
}

TEST(SliderTrack, PositionsValuesAndStepsStayOnTheTrack) {
    SliderValue h = makeSlider(true, 10, 0, 5);  // reversed: the range is still 0 to 10
    struct Case { float value, position; } toPosition[] = {
        {10, 3}, {0, 103}, {7.5f, 28}, {99, 3}, {-5, 103}, {NAN, 3}};
    for (const auto& c : toPosition) EXPECT_EQ(slider_position_of(&h, c.value), c.position) << c.value;
    for (float p : {-500.0f, 28.0f, 500.0f}) EXPECT_EQ(slider_position_of(&h, slider_value_at(&h, p)),
                                                     p < 3 ? 3 : p > 103 ? 103 : p) << p;
    EXPECT_EQ(slider_pixel(NAN), 0);
    EXPECT_EQ(slider_pixel(1e30f), std::numeric_limits<int32_t>::max());

    // The set rule refuses what lies outside; steps stop at the ends.
    for (float refused : {11.0f, -1.0f, NAN, 5.0f}) EXPECT_EQ(slider_set(&h, refused), 0) << refused;
    EXPECT_EQ(slider_set(&h, 0), 1);
    h.step = NAN;
    EXPECT_EQ(slider_step(&h, 1), 0);
    h.step = 1e30f;
    EXPECT_EQ(slider_step(&h, -1), 1);
    EXPECT_EQ(h.current, 10.0f);
}

TEST(SliderTrack, StepsThatCancelReturnExactly) {
    for (bool reversed : {false, true}) {
        SliderValue v = makeSlider(true, reversed ? 24 : -24, reversed ? -24 : 24, 0, 0.05f);
        StepTrail trail = step_trail_at(v.current);
        for (int32_t n : {10, 1, -1, -10}) slider_step(&v, n, &trail);
        EXPECT_EQ(v.current, 0.0f) << reversed;
        EXPECT_FALSE(std::signbit(v.current)) << reversed;
    }
}

// Which way the thumb moves on the screen for n steps: +1 right or down.
int thumbMoves(bool horizontal, bool reversed, int32_t n) {
    SliderValue v = makeSlider(horizontal, reversed ? 100 : 0, reversed ? 0 : 100, 50);
    const float before = slider_position_of(&v, v.current);
    slider_step(&v, n);
    const float after = slider_position_of(&v, v.current);
    return after > before ? 1 : after < before ? -1 : 0;
}

TEST(SliderTrack, EveryGestureMovesTheThumbTheSameWayOnAReversedSlider) {
    struct Gesture { const char* name; bool horizontal; int32_t steps; int screen; } gestures[] = {
        {"drag right", true, slider_drag_steps(4, 0, true), 1},
        {"drag down", false, slider_drag_steps(0, 4, false), 1},
        {"drag up", false, slider_drag_steps(7, -4, false), -1},
        {"Left", true, slider_arrow_steps(kArrowLeft, true), -1},
        {"Up", true, slider_arrow_steps(kArrowUp, true), 1},
        {"Up", false, slider_arrow_steps(kArrowUp, false), -1},
        {"Down", false, slider_arrow_steps(kArrowDown, false), 1},
        {"Left", false, slider_arrow_steps(kArrowLeft, false), -1},
        {"Right", false, slider_arrow_steps(kArrowRight, false), 1},
    };
    for (const auto& g : gestures) {
        EXPECT_EQ(thumbMoves(g.horizontal, false, g.steps), g.screen) << g.name << g.horizontal;
        EXPECT_EQ(thumbMoves(g.horizontal, true, g.steps), g.screen) << g.name << g.horizontal;
    }
}

}  // namespace
