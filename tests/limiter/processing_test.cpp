// The audio path: shaping, limiting, recovery, ramps, the two store forms,
// mute, and what non-finite input or settings do.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "limiter/LimiterEngine.h"
#include "tests/limiter/ReferenceLimiter.h"

namespace {

const double kDrive = static_cast<double>(static_cast<float>(1.0 - static_cast<double>(0.99999f)));
const double kRecovery = 5.0 * static_cast<double>(0.0001f) + 1.0;
const float kInf = std::numeric_limits<float>::infinity();

struct Processing : ::testing::Test {
    LimiterEngine* engine = createEngine();
    Processing() { configureEngine(&engine, 44100.0f, 2); }
    ~Processing() override { destroyEngine(&engine); }

    std::vector<float> replace(const std::vector<float>& in) {
        std::vector<float> out(in.size(), 123.0f), out2(in.size());
        processBlockReplace(&engine, in.data(), in.data(), out.data(), out2.data(),
                            static_cast<int32_t>(in.size()));
        return out;
    }
    void setChannelGain(float gain) {
        LimiterParams p;
        getParams(engine, &p);
        p.channel[0].gain = p.channel[1].gain = gain;
        setParams(engine, &p);
    }
};

TEST_F(Processing, QuietConstantIsShapedButNotLimited) {
    const std::vector<float> out = replace(std::vector<float>(256, 0.5f));
    const float expected = static_cast<float>(0.5 * (1.0 + 0.5 * kDrive));
    EXPECT_FLOAT_EQ(out[0], expected);  // the first sample may carry a rounding of 1/r * r
    for (size_t i = 1; i < out.size(); ++i) ASSERT_EQ(out[i], expected) << i;
    EXPECT_NEAR(expected, 0.5000025f, 1e-7f);
    EXPECT_EQ(engine->channelState[0].envelopeGain, 1.0f);
    EXPECT_EQ(engine->channelState[0].lastLevel, expected);
}

TEST_F(Processing, FullScaleInputIsHeldJustBelowFullScale) {
    const std::vector<float> out = replace(std::vector<float>(100, 1.0f));
    for (float o : out) ASSERT_EQ(o, 0.99999f);
    EXPECT_EQ(engine->channelState[0].envelopeGain, 1.0f);
}

TEST_F(Processing, OvershootDropsTheGainAtOnceAndItRecoversPerSample) {
    replace(std::vector<float>(10, 0.5f));
    std::vector<float> out = replace(std::vector<float>(20, 2.0f));
    for (float o : out) ASSERT_EQ(o, 0.99999f);
    EXPECT_EQ(engine->channelState[0].envelopeGain, 0.5f);

    // Back at 0.5 the envelope grows by the recovery factor each sample.
    const int n = 2000;
    out = replace(std::vector<float>(n, 0.5f));
    const double y = static_cast<float>(0.5 * (1.0 + 0.5 * kDrive));
    double g = 0.5;
    for (int i = 0; i < n; ++i) {
        g *= static_cast<double>(static_cast<float>(kRecovery));
        if (g > 1.0) g = 1.0;
        ASSERT_NEAR(out[i], y * g, 2e-7) << i;
    }
    // 1.0005^1387 is about 2: by the end the gain is capped again.
    EXPECT_EQ(engine->channelState[0].envelopeGain, 1.0f);
    EXPECT_EQ(out[n - 1], static_cast<float>(y));
}

TEST_F(Processing, GainChangeRampsOverTheFirst48Samples) {
    const float x = 0.01f;
    replace(std::vector<float>(8, x));  // audio is running: a change ramps
    setChannelGain(2.0f);
    const std::vector<float> out = replace(std::vector<float>(100, x));
    const double shape = 1.0 + (1.0 - x) * kDrive;
    for (int k = 0; k < 48; ++k) {
        ASSERT_NEAR(out[k], x * (1.0 + (k + 1) / 48.0) * shape, 1e-7) << k;
    }
    for (int k = 48; k < 100; ++k) ASSERT_NEAR(out[k], x * 2.0 * shape, 1e-7) << k;
    EXPECT_EQ(engine->coefficientsValid, 1);
}

TEST_F(Processing, RampIsNotCarriedIntoTheNextBlock) {
    const float x = 0.01f;
    replace(std::vector<float>(8, x));  // audio is running: a change ramps
    setChannelGain(2.0f);
    const double shape = 1.0 + (1.0 - x) * kDrive;
    std::vector<float> out = replace(std::vector<float>(10, x));
    for (int k = 0; k < 10; ++k) ASSERT_NEAR(out[k], x * (1.0 + (k + 1) / 48.0) * shape, 1e-7);
    out = replace(std::vector<float>(10, x));
    for (int k = 0; k < 10; ++k) ASSERT_NEAR(out[k], x * 2.0 * shape, 1e-7);
}

TEST_F(Processing, AddingFormAddsIntoTheOutputAndRoundsOnce) {
    std::vector<float> in(64, 0.25f), out(64, 0.125f), out2(64, -1.0f);
    processBlockAdd(&engine, in.data(), in.data(), out.data(), out2.data(), 64);
    const double o = static_cast<float>(0.25 * (1.0 + 0.75 * kDrive));
    for (int i = 1; i < 64; ++i) {
        ASSERT_EQ(out[i], static_cast<float>(0.125 + o));
        ASSERT_EQ(out2[i], static_cast<float>(-1.0 + o));
    }
}

TEST_F(Processing, LimitScalesTheOutputAfterTheLimiter) {
    LimiterParams p;
    getParams(engine, &p);
    p.channel[0].limit = 0.5f;
    setParams(engine, &p);
    replace(std::vector<float>(48, 2.0f));  // ramp block
    const std::vector<float> out = replace(std::vector<float>(10, 2.0f));
    for (float o : out) ASSERT_EQ(o, static_cast<float>(static_cast<double>(0.99999f) * 0.5));
}

TEST_F(Processing, MuteFreezesTheEngine) {
    replace(std::vector<float>(50, 0.8f));
    const ChannelState before[2] = {engine->channelState[0], engine->channelState[1]};
    setChannelGain(4.0f);  // made while muted: ramped in after unmuting
    setMute(engine, 1);

    std::vector<float> in(32, 2.0f), out1(32, 0.3f), out2(32, 0.4f);
    processBlockAdd(&engine, in.data(), in.data(), out1.data(), out2.data(), 32);
    EXPECT_EQ(out1, std::vector<float>(32, 0.3f));
    EXPECT_EQ(out2, std::vector<float>(32, 0.4f));
    processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 32);
    EXPECT_EQ(out1, std::vector<float>(32, 0.0f));  // the replacing form writes silence
    EXPECT_EQ(out2, std::vector<float>(32, 0.0f));
    EXPECT_EQ(std::memcmp(before, engine->channelState, sizeof before), 0);
    EXPECT_EQ(engine->coefficientsValid, 0);
    EXPECT_EQ(engine->busy, 0);

    setMute(engine, 0);
    const std::vector<float> out = replace(std::vector<float>(49, 0.01f));
    EXPECT_LT(out[0], 0.011f * 1.1f);  // first ramp entry, not the new gain of 4
    EXPECT_NEAR(out[48], 0.04f, 1e-6f);
}

TEST_F(Processing, ReplacingFormWhileMutedLeavesChannel2AloneWhenItWouldNotRun) {
    setMute(engine, 1);
    std::vector<float> in(8, 0.5f), out1(8, 0.3f), out2(8, 0.4f);
    processBlockReplace(&engine, in.data(), nullptr, out1.data(), out2.data(), 8);
    EXPECT_EQ(out1, std::vector<float>(8, 0.0f));
    EXPECT_EQ(out2, std::vector<float>(8, 0.4f));
}

TEST_F(Processing, OneChannelEngineNeverTouchesChannel2) {
    configureEngine(&engine, 44100.0f, 1);
    std::vector<float> in(16, 0.5f), out1(16, 0.0f), out2(16, 7.0f);
    processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 16);
    EXPECT_NE(out1[5], 0.0f);
    EXPECT_EQ(out2, std::vector<float>(16, 7.0f));
}

// One non-finite sample must not silence a channel until the next reset.
TEST_F(Processing, NonFiniteInputIsSilenceAndTheChannelCarriesOn) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> in(64, 0.5f);
    in[3] = inf;
    in[7] = -inf;
    in[11] = nan;
    const std::vector<float> out = replace(in);
    const float steady = static_cast<float>(0.5 * (1.0 + 0.5 * kDrive));
    for (int i : {3, 7, 11}) EXPECT_LT(std::fabs(out[i]), 1e-6f) << i;
    for (int i = 20; i < 64; ++i) ASSERT_EQ(out[i], steady) << i;
    EXPECT_EQ(engine->channelState[0].envelopeGain, 1.0f);
}

TEST_F(Processing, ShapedSamplesBeyondFloatRangeStillLimitAndRecover) {
    LimiterParams p;
    getParams(engine, &p);
    p.channel[0].gain = 3e38f;  // 2.0 x 3e38 overflows float32 to infinity
    p.channel[0].velocity = 100.0f;
    setParams(engine, &p);
    replace(std::vector<float>(48, 2.0f));  // the ramp towards the huge gain
    std::vector<float> out = replace(std::vector<float>(64, 2.0f));
    for (float o : out) ASSERT_EQ(o, 0.99999f);
    EXPECT_GT(engine->channelState[0].envelopeGain, 0.0f);

    // Back to unity gain the envelope climbs out of its deep reduction.
    p.channel[0].gain = 1.0f;
    setParams(engine, &p);
    replace(std::vector<float>(20000, 0.5f));
    out = replace(std::vector<float>(16, 0.5f));
    EXPECT_EQ(out[15], static_cast<float>(0.5 * (1.0 + 0.5 * kDrive)));
}

TEST_F(Processing, NonFiniteOrImpossibleSettingsFallBackToDefaults) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    LimiterParams p;
    getParams(engine, &p);
    p.channel[0] = {nan, inf, -inf, nan};
    p.channel[1] = {1.0f, 1.0f, -20000.0f, 1.0f};  // would decay the envelope to zero
    setParams(engine, &p);
    std::vector<float> in(200, 0.5f), out1(200), out2(200);
    processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), 200);
    const float steady = static_cast<float>(0.5 * (1.0 + 0.5 * kDrive));
    EXPECT_EQ(out1[199], steady);
    EXPECT_EQ(out2[199], steady);
    EXPECT_EQ(engine->channelState[0].recoveryFactor, static_cast<float>(kRecovery));
    EXPECT_EQ(engine->channelState[1].recoveryFactor, 1.0f);
    EXPECT_EQ(engine->channelState[1].recoveryInverse, 1.0f);
    // The stored block keeps exactly what was given.
    LimiterParams back;
    getParams(engine, &back);
    EXPECT_EQ(std::memcmp(&p, &back, sizeof p), 0);
}

// Gain and compression, like the ceiling, are applied within bounds that
// meet the field at their ends: a corrupted chunk never turns the offset
// every sample carries into DC, in either store form.
TEST_F(Processing, FarOutGainAndCompressionKeepSilenceSilent) {
    const struct {
        float compression, gain, limit;
    } chunks[] = {
        {1.0f, 1e30f, 1.0f},   {1.0f, 3.4e38f, 1.0f}, {1e30f, 1.0f, 1.0f},  {-1e30f, 1.0f, 1.0f},
        {-100.0f, 1e30f, 1.0f}, {1e30f, 1e30f, 1e30f}, {8.0f, 64.0f, 4.0f},
    };
    for (const auto& c : chunks) {
        LimiterParams p;
        getParams(engine, &p);
        p.channel[0] = p.channel[1] = {c.compression, c.gain, 5.0f, c.limit};
        setParams(engine, &p);
        const std::vector<float> silence(3000, 0.0f);
        std::vector<float> out1(3000, 0.0f), out2(3000, 0.0f);
        processBlockAdd(&engine, silence.data(), silence.data(), out1.data(), out2.data(), 3000);
        const std::vector<float> out = replace(silence);
        for (size_t i = 0; i < out.size(); ++i) {
            ASSERT_LT(std::fabs(out[i]), 1e-20f) << c.compression << " " << c.gain << " at " << i;
            ASSERT_LT(std::fabs(out1[i]), 1e-20f) << c.compression << " " << c.gain << " at " << i;
        }
    }
    for (SettingIndex i : {kCompressionSetting, kGainSetting, kLimitSetting}) {
        const SettingInfo& s = kSettings[i];
        EXPECT_EQ(appliedValue(s, s.highestApplied), s.highestApplied);
        EXPECT_EQ(appliedValue(s, std::nextafter(s.highestApplied, kInf)), s.highestApplied);
        EXPECT_EQ(appliedValue(s, -1e30f), s.lowestApplied);
        EXPECT_EQ(appliedValue(s, kInf), storedOf(s, s.defaultValue));
        EXPECT_EQ(appliedValue(s, storedOf(s, s.max)), storedOf(s, s.max)) << "the knob's range is applied as it is";
    }
}

TEST_F(Processing, OutputNeverExceedsTheCeilingForLoudNoise) {
    std::vector<float> in(4096);
    uint32_t seed = 12345;
    for (float& s : in) {
        seed = seed * 1664525u + 1013904223u;
        s = (static_cast<float>(seed >> 8) / 16777216.0f - 0.5f) * 20.0f;
    }
    setChannelGain(8.0f);
    const std::vector<float> out = replace(in);
    for (float o : out) ASSERT_LE(std::fabs(o), 0.99999f);
}

// Channel 1 alone (no second input) runs its own loop: bit for bit the
// reference, over blocks that ramp, cross stretches and end in between.
TEST(OneChannel, MatchesTheReferenceBitForBit) {
    LimiterEngine* engine = createEngine();
    configureEngine(&engine, 44100.0f, 2);
    LimiterParams params;
    getParams(engine, &params);
    ReferenceChannel reference;
    reference.configure(params.channel[0]);
    std::vector<float> warm(64, 0.3f), warmOut(64), expectedWarm(64);
    processBlockReplace(&engine, warm.data(), nullptr, warmOut.data(), nullptr, 64);
    reference.process(warm.data(), expectedWarm.data(), 64, false);  // audio is running: changes ramp
    const int sizes[] = {300, 1, 47, 49, 700, 16};
    uint32_t seed = 99;
    for (int block = 0; block < 6; ++block) {
        ChannelParams& p = params.channel[0];
        p = {1.0f + block, 0.5f + 0.75f * block, 5.0f + 20.0f * block, 1.0f - 0.1f * block};
        setParams(engine, &params);
        reference.setParams(p);
        const int n = sizes[block];
        std::vector<float> in(n), out(n, 0.25f), unused(n, 7.0f);
        for (float& s : in) {
            seed = seed * 1664525u + 1013904223u;
            s = (static_cast<float>(seed >> 8) / 8388608.0f - 1.0f) * (block % 2 ? 1.5f : 0.3f);
        }
        std::vector<float> expected = out;
        const bool adding = block % 2 == 1;
        reference.process(in.data(), expected.data(), n, adding);
        if (adding) {
            processBlockAdd(&engine, in.data(), nullptr, out.data(), unused.data(), n);
        } else {
            processBlockReplace(&engine, in.data(), nullptr, out.data(), unused.data(), n);
        }
        EXPECT_EQ(std::memcmp(out.data(), expected.data(), sizeof(float) * n), 0) << "block " << block;
        EXPECT_EQ(unused, std::vector<float>(n, 7.0f));
    }
    EXPECT_EQ(engine->channelState[0].envelopeGain, reference.envelope());
    destroyEngine(&engine);
}

}  // namespace
