// What turns of the mouse wheel scroll: whole notches, the parts of a notch
// high-resolution wheels report, and a wheel turned back.
#include <gtest/gtest.h>

#include "toolkit/WheelSteps.h"
#include "WheelParts.h"

namespace {

TEST(WheelSteps, PartsOfANotchAddUpAndATurnBackStartsAfresh) {
    // One wheel turned on and on: each turn with what the turns before left.
    const struct { int32_t delta, perNotch, steps, pending; } turns[] = {
        {120, 3, 3, 0},
        {-120, 3, -3, 0},
        {40, 3, 1, 0},       // a third of a notch is a row
        {20, 3, 0, 60},      // half a row waits ...
        {20, 3, 1, 0},       // ... for the next turn the same way
        {30, 1, 0, 30},
        {-30, 1, 0, -30},    // turned back: what waited is dropped
        {-90, 1, -1, 0},
        {-32768, 3, -819, -24},
        {360, 1, 3, 0},
        {0, 3, 0, 0},
    };
    int32_t pending = 0;
    for (const auto& t : turns) {
        EXPECT_EQ(wheel_steps(&pending, t.delta, t.perNotch), t.steps) << t.delta;
        EXPECT_EQ(pending, t.pending) << t.delta;
    }
}

// The knob's and the slider's arithmetic: five steps a notch, in parts.
TEST(WheelSteps, ValueControlsTakeFiveStepsANotchInAnyParts) {
    for (const WheelTurn& t : wheel_turns()) {
        int32_t pending = 0;
        for (size_t i = 0; i < t.parts.size(); ++i)
            EXPECT_EQ(wheel_steps(&pending, t.parts[i], kWheelValueStepsPerNotch), t.steps[i])
                << t.what << " part " << i;
    }
}

}  // namespace
