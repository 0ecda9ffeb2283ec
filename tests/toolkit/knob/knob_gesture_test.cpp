// How mouse and angle map onto the knob: drag steps in both
// modes, angular targets with the dead zone split in its middle, and the
// pointer polygon.
#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/knob/KnobGesture.h"
#include "toolkit/knob/KnobValue.h"

namespace {

constexpr float kDegree = 0.017453292f;

TEST(KnobGesture, DragSteps) {
    struct Drag { int32_t dx, dy; bool inverse; int32_t steps; } drags[] = {
        {0, 5, false, -5},  // down lowers in normal mode
        {0, 5, true, 5},    // and raises in inverse mode
        {0, -3, false, 3},
        {4, 1, false, 4},   // mostly sideways: right raises in both modes
        {4, 1, true, 4},
        {-2, 2, true, -2},  // a tie counts as sideways
    };
    for (const auto& d : drags)
        EXPECT_EQ(knob_drag_steps(d.dx, d.dy, d.inverse), d.steps) << d.dx << "," << d.dy;

    // One rule for the mode word: only bit 0 means inverse.
    EXPECT_FALSE(knob_inverse(4));
    EXPECT_TRUE(knob_inverse(3));
}

TEST(KnobGesture, AngularTargets) {
    // 240 to 300 degrees: the dead zone runs from 300 to 240 counter-
    // clockwise through 270, its middle.
    const KnobDial dial = knob_dial(240 * kDegree, 300 * kDegree, 300 * kDegree);
    struct Case { float degrees; float expected; } cases[] = {
        {90, 90},    // inside the travel: the mouse's own angle
        {180, 180},
        {280, 300},  // just past the maximum: snaps to max
        {260, 240},  // just before the minimum: snaps to min
        {271, 300},  // the boundary is the middle of the dead zone
        {269, 240},
        {0, 0},      // straight to the right: angle 0, not a full turn
    };
    for (const auto& c : cases) {
        float target = -1.0f;
        const float a = c.degrees * kDegree;
        ASSERT_EQ(knob_angular_target(&dial, 10 * std::cos(a), 10 * std::sin(a), &target), 1);
        EXPECT_NEAR(target / kDegree, c.expected, 0.01) << c.degrees;
        EXPECT_LT(target, kTwoPi);
    }
    float target = 1.5f;
    EXPECT_EQ(knob_angular_target(&dial, 0, 0, &target), 0);  // on the pivot
    EXPECT_EQ(target, 1.5f);
}

TEST(KnobGesture, PointerPolygon) {
    KnobPoint p[4];
    // Pointing up from (17, 17): length 12, width 2.
    knob_pointer_polygon(90 * kDegree, 12, 2, 17, 17, false, p);
    EXPECT_EQ(p[0].x, 16);
    EXPECT_EQ(p[0].y, 17);
    EXPECT_EQ(p[1].x, 18);
    EXPECT_EQ(p[2].x, 18);
    EXPECT_EQ(p[2].y, 5);
    EXPECT_EQ(p[3].x, 16);
    EXPECT_EQ(p[3].y, 5);
    // Pointing right, short: an outer tick from 0.7 R to R.
    knob_pointer_polygon(0.0f, 10, 2, 20, 20, true, p);
    EXPECT_EQ(p[0].x, 27);
    EXPECT_EQ(p[0].y, 19);
    EXPECT_EQ(p[2].x, 30);
    EXPECT_EQ(p[2].y, 21);
}

}  // namespace
