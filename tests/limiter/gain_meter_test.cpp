// What the engine tells of its gain reduction: the readings a table of
// signals must give, each reader's own window, mute, and readers on another
// thread while blocks run.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "limiter/GainMeter.h"
#include "limiter/LimiterEngine.h"
#include "limiter/UnmeasuredProcessing.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct Metered : ::testing::Test {
    LimiterEngine* engine = createEngine();
    Metered() { configureEngine(&engine, 44100.0f, 2); }
    ~Metered() override { destroyEngine(&engine); }

    void setGainDecibels(float decibels) {
        LimiterParams p;
        getParams(engine, &p);
        p.channel[0].gain = p.channel[1].gain = std::pow(10.0f, decibels / 20.0f);
        setParams(engine, &p);
    }
    // Plays `blocks` blocks of 512 frames: a 1 kHz sine of `amplitude` on the
    // left (or `constant` when that is not zero), the right at a tenth.
    void play(float amplitude, float constant, int blocks) {
        std::vector<float> l(512), r(512), o1(512), o2(512);
        for (int b = 0; b < blocks; ++b) {
            for (int i = 0; i < 512; ++i) {
                const double t = (b * 512 + i) / 44100.0;
                l[i] = constant != 0.0f ? constant
                                        : amplitude * static_cast<float>(std::sin(6283.185 * t));
                r[i] = l[i] * 0.1f;
            }
            processBlockReplace(&engine, l.data(), r.data(), o1.data(), o2.data(), 512);
        }
    }
    GainReading read(GainReader reader = kEditorReader) {
        GainReading reading{};
        EXPECT_EQ(readGainReduction(engine, reader, &reading), 1);
        return reading;
    }
};

void expectFinite(const GainReading& g) {
    for (const GainReadingChannel& c : g.channel) {
        EXPECT_TRUE(std::isfinite(c.reductionDecibels));
        EXPECT_TRUE(std::isfinite(c.outputPeak));
        EXPECT_LE(c.reductionDecibels, 0.0f);
        EXPECT_GE(c.reductionDecibels, kDeepestReductionDecibels);
    }
}

TEST_F(Metered, SignalsReadTheirReduction) {
    struct Case {
        const char* name;
        float gainDecibels, amplitude, constant;
        float reductionLow, reductionHigh;  // left channel, dB
        float peakLow, peakHigh;            // left output peak
        bool limitsMostFrames;
    };
    const Case cases[] = {
        {"silence", 0, 0, 0, 0, 0, 0, 1e-6f, false},
        {"quiet sine", 0, 0.5f, 0, 0, 0, 0.49f, 0.51f, false},
        {"sine 6 dB into the ceiling", 0, 2.0f, 0, -6.5f, -5.5f, 0.99f, 1.0f, true},
        {"full-scale sine at +12 dB gain", 12, 1.0f, 0, -12.5f, -11.5f, 0.99f, 1.0f, true},
        {"huge constant", 0, 0, 1e30f, kDeepestReductionDecibels, kDeepestReductionDecibels, 0.99f, 1.0f, true},
        {"infinite input", 0, 0, kInf, kDeepestReductionDecibels, 0, 0, 1.0f, false},
        {"NaN input", 0, 0, kNaN, 0, 0, 0, 1e-6f, false},
        {"+24 dB on a full-scale sine", 24, 1.0f, 0, -24.5f, -23.5f, 0.99f, 1.0f, true},
    };
    // First as the meter reads (the lowest gain taken where it drops), then
    // counting limited frames, which the host's first reading switches on.
    for (bool counting : {false, true})
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SCOPED_TRACE(counting ? "counting" : "meter only");
        if (counting) read(kHostReader);
        resetEngine(&engine);
        setGainDecibels(c.gainDecibels);
        play(c.amplitude, c.constant, 4);
        read();  // the settling blocks
        play(c.amplitude, c.constant, 8);
        const GainReading g = read();
        expectFinite(g);
        EXPECT_EQ(g.frames, 8u * 512u);
        const GainReadingChannel& left = g.channel[0];
        EXPECT_GE(left.reductionDecibels, std::fmin(c.reductionLow, c.reductionHigh));
        EXPECT_LE(left.reductionDecibels, std::fmax(c.reductionLow, c.reductionHigh));
        EXPECT_GE(left.outputPeak, c.peakLow);
        EXPECT_LE(left.outputPeak, c.peakHigh);
        EXPECT_EQ(left.limitedFrames > g.frames / 2, counting && c.limitsMostFrames);
        // The right channel runs at a tenth: never deeper than the left.
        EXPECT_GE(g.channel[1].reductionDecibels, left.reductionDecibels);
    }
}

TEST_F(Metered, EachReaderReadsEverythingSinceItsOwnLastReading) {
    EXPECT_EQ(read().frames, 0u);  // nothing processed yet
    play(2.0f, 0, 3);
    EXPECT_EQ(read(kEditorReader).frames, 3u * 512u);
    resetEngine(&engine);  // the envelope starts afresh: no reduction left
    play(0.1f, 0, 2);
    const GainReading editor = read(kEditorReader);
    EXPECT_EQ(editor.frames, 2u * 512u);
    EXPECT_EQ(editor.channel[0].reductionDecibels, 0.0f);  // the loud blocks were read
    const GainReading host = read(kHostReader);
    EXPECT_EQ(host.frames, 5u * 512u);
    EXPECT_LT(host.channel[0].reductionDecibels, -5.0f);
    const GainReading again = read(kHostReader);
    EXPECT_EQ(again.frames, 0u);
    EXPECT_EQ(again.channel[0].reductionDecibels, 0.0f);
    EXPECT_EQ(again.channel[0].outputPeak, 0.0f);
    EXPECT_EQ(readGainReduction(nullptr, kHostReader, nullptr), 0);
}

TEST_F(Metered, MutedBlocksCountWithoutReductionInBothStoreForms) {
    setMute(engine, 1);
    std::vector<float> in(256, 5.0f), out(256);
    processBlockReplace(&engine, in.data(), in.data(), out.data(), out.data(), 256);
    processBlockAdd(&engine, in.data(), in.data(), out.data(), out.data(), 256);
    const GainReading g = read();
    EXPECT_EQ(g.frames, 512u);
    for (const GainReadingChannel& c : g.channel) {
        EXPECT_EQ(c.reductionDecibels, 0.0f);
        EXPECT_EQ(c.outputPeak, 0.0f);
        EXPECT_EQ(c.limitedFrames, 0u);
    }
}

TEST(GainMeterDecibels, GainsBecomeFiniteReductions) {
    const struct { float gain, decibels; } cases[] = {
        {1.0f, 0.0f}, {2.0f, 0.0f}, {kNaN, 0.0f}, {0.5f, -6.0206f}, {0.1f, -20.0f},
        {0.0f, kDeepestReductionDecibels}, {-1.0f, kDeepestReductionDecibels},
        {1e-45f, kDeepestReductionDecibels},
    };
    for (const auto& c : cases) EXPECT_NEAR(reductionDecibels(c.gain), c.decibels, 1e-3f) << c.gain;
}

// Blocks of 16 frames reach the meter gathered, at most kPublishFrames late;
// once the host reads, each block is published as it ends.
TEST_F(Metered, SmallBlocksAreGatheredUntilTheHostReads) {
    std::vector<float> in(16, 2.0f), o1(16), o2(16);
    uint32_t seen = 0;
    float deepest = 0.0f;
    for (int b = 1; b <= 40; ++b) {
        processBlockReplace(&engine, in.data(), in.data(), o1.data(), o2.data(), 16);
        const GainReading g = read();
        seen += g.frames;
        deepest = std::fmin(deepest, g.channel[0].reductionDecibels);
        EXPECT_LT(16u * b - seen, kPublishFrames) << b;
    }
    EXPECT_LT(deepest, -5.0f);
    uint32_t host = read(kHostReader).frames;
    for (int b = 1; b <= 3; ++b) {
        processBlockReplace(&engine, in.data(), in.data(), o1.data(), o2.data(), 16);
        host += read(kHostReader).frames;
        EXPECT_EQ(host, 16u * (40 + b)) << b;
    }
}

// Output is the same to the bit with and without the measurement.
TEST_F(Metered, UnmeasuredFormsGiveTheSameBits) {
    LimiterEngine* bare = createEngine();
    configureEngine(&bare, 44100.0f, 2);
    std::vector<float> in(700), a1(700), a2(700), b1(700, 1.0f), b2(700, 1.0f);
    for (int i = 0; i < 700; ++i) in[i] = 3.0f * static_cast<float>(std::sin(i * 0.05));
    processBlockReplace(&engine, in.data(), in.data(), a1.data(), a2.data(), 700);
    processBlockReplaceUnmeasured(&bare, in.data(), in.data(), b1.data(), b2.data(), 700);
    processBlockAdd(&engine, in.data(), in.data(), a1.data(), a2.data(), 700);
    processBlockAddUnmeasured(&bare, in.data(), in.data(), b1.data(), b2.data(), 700);
    for (int i = 0; i < 700; ++i) ASSERT_EQ(a1[i] + 1.0f, b1[i] + 1.0f) << i;
    GainReading none{};
    EXPECT_EQ(readGainReduction(bare, kEditorReader, &none), 1);
    EXPECT_EQ(none.frames, 0u);
    destroyEngine(&bare);
}

// Readers on another thread while blocks of every kind of content run: each
// reading is finite, and all readings together count every frame.
TEST_F(Metered, ReadersOnAnotherThreadSeeWholeFiniteRecords) {
    std::atomic<bool> done{false};
    uint64_t hostFrames = 0;
    std::thread reader([&] {
        while (!done.load()) {
            GainReading g{};
            if (readGainReduction(engine, kHostReader, &g) == 1) {
                expectFinite(g);
                hostFrames += g.frames;
            }
            readGainReduction(engine, kEditorReader, &g);
        }
    });
    const float contents[] = {0.0f, 0.5f, 3.0f, 1e30f, kInf, kNaN};
    std::vector<float> in(64), o1(64), o2(64);
    for (int b = 0; b < 3000; ++b) {
        for (float& s : in) s = contents[b % 6];
        if (b % 500 == 0) setMute(engine, (b / 500) % 2);
        processBlockReplace(&engine, in.data(), in.data(), o1.data(), o2.data(), 64);
    }
    done.store(true);
    reader.join();
    GainReading rest{};
    readGainReduction(engine, kHostReader, &rest);
    EXPECT_EQ(hostFrames + rest.frames, 3000u * 64u);
}

}  // namespace
