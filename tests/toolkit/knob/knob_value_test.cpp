// The knob's value model: value and angle on linear and logarithmic scales,
// stepping, the range's ends, and ranges that are backwards or empty.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "toolkit/knob/KnobStyle.h"
#include "toolkit/knob/KnobValue.h"

namespace {

constexpr float kDegree = 0.017453292f;

KnobValue knob(float min, float max, float def, float step, uint16_t angleMin, uint16_t angleMax,
               uint32_t flags = 0) {
    KnobValue v = {};
    v.min = min;
    v.max = max;
    v.defaultValue = def;
    v.step = step;
    v.digits = 3;
    v.valueFlags = flags;
    knob_value_setup(&v, angleMin, angleMax);
    return v;
}

float angleOf(KnobValue v, float current) {
    v.current = current;
    return knob_value_angle(&v);
}

TEST(KnobValue, SweepRunsClockwiseFromTheMinimum) {
    struct Case { uint16_t from, to; float degrees; } cases[] = {
        {240, 300, 300}, {90, 225, 225}, {240, 90, 150}, {0, 0, 360}, {600, 300, 300}};
    for (const auto& c : cases) {
        KnobValue v = knob(0, 1, 0, 0.01f, c.from, c.to);
        EXPECT_NEAR(knob_value_sweep(&v) / kDegree, c.degrees, 1e-3) << c.from << " " << c.to;
    }
}

TEST(KnobValue, AnglesOfValues) {
    const KnobValue linear = knob(0, 1, 0.25f, 0.01f, 240, 300);
    EXPECT_FLOAT_EQ(angleOf(linear, 0.0f), 240 * kDegree);
    EXPECT_NEAR(angleOf(linear, 1.0f), 300 * kDegree, 1e-5);  // -60 degrees plus a turn
    EXPECT_NEAR(angleOf(linear, 0.5f), 90 * kDegree, 1e-5);   // 12 o'clock
    EXPECT_EQ(linear.current, 0.25f);

    // Minimum at 12 o'clock, maximum reached clockwise at 225 degrees.
    const KnobValue quarter = knob(0, 1, 0, 0.01f, 90, 225);
    EXPECT_FLOAT_EQ(angleOf(quarter, 0.0f), 90 * kDegree);
    EXPECT_NEAR(angleOf(quarter, 1.0f), 225 * kDegree, 1e-5);

    // Logarithmic 1..100 over 300 degrees: 10 sits in the middle (90).
    const KnobValue log = knob(1, 100, 1, 1.1f, 240, 300, KNOB_LOG);
    EXPECT_NEAR(angleOf(log, 10.0f), 90 * kDegree, 1e-5);
    for (float a : {angleOf(linear, 1.0f), angleOf(log, 100.0f), angleOf(quarter, 0.3f)}) {
        EXPECT_GE(a, 0.0f);
        EXPECT_LT(a, kTwoPi);
    }
}

TEST(KnobValue, EndAnglesGiveTheRangeEndsExactly) {
    // Evaluated naively these give 100.00002 and 24.000002.
    struct Case { float min, max; uint16_t from, to; uint32_t flags; } cases[] = {
        {1, 100, 240, 300, KNOB_LOG}, {-24, 24, 343, 97, 0}, {0.25f, 1, 240, 300, 0},
        {1, 8, 225, 315, 0}, {0.001f, 1000, 10, 20, KNOB_LOG}};
    for (const auto& c : cases) {
        KnobValue v = knob(c.min, c.max, c.min, 1.0f, c.from, c.to, c.flags);
        knob_value_at_angle(&v, v.thetaMax);
        EXPECT_EQ(v.current, c.max) << c.min << ".." << c.max;
        knob_value_at_angle(&v, v.thetaMin);
        EXPECT_EQ(v.current, c.min) << c.min << ".." << c.max;
        // Every angle of the dial gives a value inside the range.
        for (int d = 0; d < 3600; ++d) {
            knob_value_at_angle(&v, d * 0.1f * kDegree);
            ASSERT_GE(v.current, c.min);
            ASSERT_LE(v.current, c.max);
        }
    }
}

TEST(KnobValue, ValueAtAngleReportsChanges) {
    KnobValue v = knob(0, 1, 0, 0.01f, 240, 300);
    EXPECT_EQ(knob_value_at_angle(&v, 90 * kDegree), 1);
    EXPECT_NEAR(v.current, 0.5f, 1e-6);
    EXPECT_EQ(knob_value_at_angle(&v, 90 * kDegree), 0);
    // Round trip value -> angle -> value.
    v.current = 0.3f;
    const float a = knob_value_angle(&v);
    v.current = 0.9f;
    knob_value_at_angle(&v, a);
    EXPECT_NEAR(v.current, 0.3f, 1e-6);
}

TEST(KnobValue, Stepping) {
    KnobValue linear = knob(0, 1, 1, 0.1f, 240, 300);
    EXPECT_EQ(knob_value_step(&linear, 1), 0);  // at max already
    EXPECT_EQ(linear.current, 1.0f);
    EXPECT_EQ(knob_value_step(&linear, -3), 1);
    EXPECT_NEAR(linear.current, 0.7f, 1e-6);
    EXPECT_EQ(knob_value_step(&linear, -100), 1);
    EXPECT_EQ(linear.current, 0.0f);  // past min lands on min exactly
    EXPECT_EQ(knob_value_step(&linear, 0), 0);

    KnobValue log = knob(1, 100, 10, 1.1f, 240, 300, KNOB_LOG);
    EXPECT_EQ(knob_value_step(&log, 1), 1);
    EXPECT_FLOAT_EQ(log.current, 11.0f);
    log.current = 10.0f;
    knob_value_step(&log, 10);
    EXPECT_NEAR(log.current, 25.937f, 1e-3);
    knob_value_step(&log, 1000);
    EXPECT_EQ(log.current, 100.0f);
}

TEST(KnobValue, StepsThatCancelReturnExactly) {
    // Each run of steps from the default: where it ends.
    const struct Case {
        const char* name;
        float min, max, def, step;
        uint32_t flags;
        std::vector<int32_t> steps;
        float expected;
    } cases[] = {
        {"gain Up, Down from 0 dB", -24, 24, 0, 0.05f, 0, {10, -10}, 0.0f},
        {"mixed steps", -24, 24, 0.05f, 0.05f, 0, {1, 10, -3, -7, -1}, 0.05f},
        {"logarithmic", 1, 100, 10, 1.1f, KNOB_LOG, {10, -1, -9}, 10.0f},
        {"held at max, back at once", 0, 1, 0.95f, 0.1f, 0, {5, -1}, 0.9f},
    };
    for (const auto& c : cases) {
        KnobValue v = knob(c.min, c.max, c.def, c.step, 240, 300, c.flags);
        StepTrail trail = step_trail_at(v.current);
        for (int32_t n : c.steps) knob_value_step(&v, n, &trail);
        EXPECT_EQ(v.current, c.expected) << c.name;
        EXPECT_FALSE(std::signbit(v.current)) << c.name;
    }
    // A value set by anything else begins a new run there.
    KnobValue v = knob(-24, 24, 0, 0.05f, 240, 300);
    StepTrail trail = step_trail_at(v.current);
    knob_value_step(&v, 10, &trail);
    v.current = 3.0f;
    knob_value_step(&v, 10, &trail);
    knob_value_step(&v, -10, &trail);
    EXPECT_EQ(v.current, 3.0f);
}

// Fractions of the travel: the ends exactly, the middle of a logarithmic
// range at its geometric middle, a fraction outside [0, 1] at the nearest
// end and NaN nowhere.
TEST(KnobValue, FractionsOfTheTravel) {
    const struct Case {
        float min, max;
        uint32_t flags;
        float value, fraction;
    } cases[] = {
        {-24, 24, 0, -24, 0}, {-24, 24, 0, 24, 1}, {-24, 24, 0, 6, 0.625f},
        {1, 100, KNOB_LOG, 1, 0}, {1, 100, KNOB_LOG, 100, 1}, {1, 100, KNOB_LOG, 10, 0.5f},
    };
    for (const auto& c : cases) {
        KnobValue v = knob(c.min, c.max, c.min, 1.1f, 240, 300, c.flags);
        v.current = c.value;
        EXPECT_NEAR(knob_value_fraction(&v), c.fraction, 1e-7) << c.value;
        v.current = c.min == c.value ? c.max : c.min;
        EXPECT_EQ(knob_value_at_fraction(&v, c.fraction), 1);
        EXPECT_NEAR(v.current, c.value, 1e-5) << c.fraction;
    }
    KnobValue v = knob(1, 100, 10, 1.1f, 240, 300, KNOB_LOG);
    EXPECT_EQ(knob_value_at_fraction(&v, NAN), 0);
    EXPECT_EQ(v.current, 10.0f);
    knob_value_at_fraction(&v, 7.0f);
    EXPECT_EQ(v.current, 100.0f);
    knob_value_at_fraction(&v, -0.5f);
    EXPECT_EQ(v.current, 1.0f);
    for (float outside : {0.5f, 200.0f, NAN}) {
        v.current = outside;
        EXPECT_EQ(knob_value_fraction(&v), outside > 1 ? 1.0f : 0.0f);
    }
}

TEST(KnobValue, BackwardsEmptyAndBrokenRanges) {
    // Backwards: the same range.
    KnobValue backwards = knob(8, 1, 2, 1, 240, 300);
    EXPECT_EQ(backwards.min, 1.0f);
    EXPECT_EQ(backwards.max, 8.0f);
    EXPECT_EQ(backwards.current, 2.0f);

    // Empty: one value, at the minimum angle; nothing moves it.
    KnobValue empty = knob(3, 3, 3, 1, 240, 300);
    EXPECT_FLOAT_EQ(knob_value_angle(&empty), 240 * kDegree);
    EXPECT_EQ(knob_value_step(&empty, 5), 0);
    EXPECT_EQ(knob_value_at_angle(&empty, 1.0f), 0);
    EXPECT_EQ(empty.current, 3.0f);

    // A default outside the range starts at the nearer end.
    EXPECT_EQ(knob(0, 1, 7, 0.1f, 240, 300).current, 1.0f);

    // A logarithmic flag on a range through zero runs linearly; a NaN step
    // or angle changes nothing; no angle is ever non-finite.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    KnobValue odd = knob(-1, 1, 0, nan, 240, 300, KNOB_LOG);
    EXPECT_NEAR(knob_value_angle(&odd), 90 * kDegree, 1e-5);
    EXPECT_EQ(knob_value_step(&odd, 1), 0);
    EXPECT_EQ(knob_value_at_angle(&odd, nan), 0);
    KnobValue wide = knob(-3e38f, 3e38f, 0, 1e38f, 240, 300);
    EXPECT_TRUE(std::isfinite(knob_value_angle(&wide)));
}

}  // namespace
