// The meter's scale and ballistics, away from any window.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editor/MeterModel.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(MeterScale, DepthsLandOnTheirPixels) {
    const struct { float depth; int pixel; } cases[] = {
        {0.0f, 0}, {-3.0f, 0}, {kNaN, 0}, {1.0f, 29}, {6.0f, 72}, {24.0f, 144}, {200.0f, 144},
    };
    for (const auto& c : cases) EXPECT_EQ(meterPixel(c.depth, 144), c.pixel) << c.depth;
    // Every printed mark has room for its number: finer near 0 dB, yet apart.
    for (size_t i = 1; i < sizeof kMeterScaleMarks / sizeof kMeterScaleMarks[0]; ++i) {
        const int gap = meterPixel(static_cast<float>(kMeterScaleMarks[i]), 144) -
                        meterPixel(static_cast<float>(kMeterScaleMarks[i - 1]), 144);
        EXPECT_GE(gap, 9) << kMeterScaleMarks[i];
    }
}

// Steps in turn on one channel: the reading, the time since the last step,
// and where the bar and the mark must be after it.
TEST(MeterBallistics, AttackHoldFallAndRest) {
    const struct { const char* what; float reduction, seconds, depth, held; } steps[] = {
        {"instant attack", -12.0f, 0.02f, 12.0f, 12.0f},
        {"a deeper reading takes over at once", -18.0f, 0.02f, 18.0f, 18.0f},
        {"the bar falls at 20 dB/s, the mark holds", 0.0f, 0.1f, 16.0f, 18.0f},
        {"the mark stays for a second", 0.0f, 0.2f, 12.0f, 18.0f},
        {"", 0.0f, 0.2f, 8.0f, 18.0f},
        {"", 0.0f, 0.2f, 4.0f, 18.0f},
        {"", 0.0f, 0.2f, 0.0f, 18.0f},
        {"the hold is over: the mark falls", 0.0f, 0.2f, 0.0f, 14.0f},
        {"a long pause falls by one step only", 0.0f, 30.0f, 0.0f, 9.0f},
        {"NaN reads as no reduction", kNaN, 0.25f, 0.0f, 4.0f},
        {"at rest", 0.0f, 0.25f, 0.0f, 0.0f},
        {"beyond the scale fills it", -200.0f, 0.02f, 24.0f, 24.0f},
    };
    MeterChannel channel[2] = {kMeterAtRest, kMeterAtRest};
    EXPECT_TRUE(meterAtRest(channel));
    for (const auto& s : steps) {
        advanceMeter(channel[0], s.reduction, s.seconds);
        EXPECT_NEAR(channel[0].depth, s.depth, 1e-4f) << s.what;
        EXPECT_NEAR(channel[0].held, s.held, 1e-4f) << s.what;
    }
    EXPECT_FALSE(meterAtRest(channel));
    const MeterPixels p = meterPixels(channel, 144);
    EXPECT_EQ(p.bar[0], 144);
    EXPECT_EQ(p.mark[1], 0);
}

}  // namespace
