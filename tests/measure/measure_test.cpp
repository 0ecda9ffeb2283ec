// The measurements' parts: sample peaks and their texts, and the
// K-weighting's derived filters.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "measure/KWeighting.h"
#include "measure/PeakLevels.h"

namespace {

TEST(Peaks, PerChannelWithDecibelsAndNonFiniteSamples) {
    float samples[4] = {0.25f, -0.5f, -1.0f, 0.125f};
    PeakMeter meter(2);
    meter.add(samples, 2);
    const std::vector<double> peaks = meter.peaks();
    ASSERT_EQ(peaks.size(), 2u);
    EXPECT_EQ(peaks[0], 1.0);
    EXPECT_EQ(peaks[1], 0.5);
    EXPECT_EQ(describePeaks(peaks), "L 1.00000 (+0.00 dBFS)  R 0.50000 (-6.02 dBFS)");
    EXPECT_EQ(describePeak(0.0), "0.00000 (-inf dBFS)");
    EXPECT_EQ(describePeak(0.99999), "0.99999 (-0.00 dBFS)");
    samples[3] = NAN;
    meter.add(samples, 2);
    EXPECT_TRUE(std::isinf(meter.peaks()[1]));
    EXPECT_EQ(describePeaks({2.0}), "2.00000 (+6.02 dBFS)");
}

TEST(KWeighting, DerivedCoefficientsAreThePublishedOnesAt48kHz) {
    const KWeightingFilters f = kWeightingFilters(48000.0);
    const double shelf[5] = {1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241,
                             0.73248077421585};
    const double got[5] = {f.shelf.b0, f.shelf.b1, f.shelf.b2, f.shelf.a1, f.shelf.a2};
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(got[i], shelf[i], 1e-12) << i;
    EXPECT_EQ(f.highPass.b0, 1.0);
    EXPECT_EQ(f.highPass.b1, -2.0);
    EXPECT_EQ(f.highPass.b2, 1.0);
    EXPECT_NEAR(f.highPass.a1, -1.99004745483398, 1e-12);
    EXPECT_NEAR(f.highPass.a2, 0.99007225036621, 1e-12);
}

}  // namespace
