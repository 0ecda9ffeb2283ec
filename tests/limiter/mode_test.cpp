// The mode's tag in the reserved bytes: only an intact tag reads as true
// peak, and writing a mode leaves the other reserved bytes as they were.
#include <gtest/gtest.h>

#include <cstring>

#include "limiter/LimiterMode.h"
#include "limiter/ModeParameter.h"

namespace {

LimiterParams blockWithReserved(uint8_t fill) {
    LimiterParams p{};
    std::memset(p.reserved, fill, sizeof p.reserved);
    return p;
}

TEST(LimiterMode, OnlyAnIntactTagReadsAsTruePeak) {
    LimiterParams tagged{};
    setModeInParams(tagged, LimiterMode::TruePeak);
    EXPECT_EQ(modeOfParams(tagged), LimiterMode::TruePeak);

    const uint8_t fills[] = {0x00, 0x01, 0x5A, 0xFF};
    for (uint8_t fill : fills) {
        EXPECT_EQ(modeOfParams(blockWithReserved(fill)), LimiterMode::ZeroLatency) << int(fill);
    }
    // Any one byte of the tag changed: not a tag.
    for (int i = 0; i < kModeTagSize; ++i) {
        LimiterParams damaged = tagged;
        damaged.reserved[kModeTagOffset + i] ^= 0x10;
        EXPECT_EQ(modeOfParams(damaged), LimiterMode::ZeroLatency) << i;
    }
}

TEST(LimiterMode, WritingAModeKeepsTheOtherReservedBytes) {
    struct Case {
        uint8_t fill;
        LimiterMode first, second;
        bool tagBytesKept;  // whether bytes 24..31 end as they began
    };
    const Case cases[] = {
        {0x00, LimiterMode::ZeroLatency, LimiterMode::ZeroLatency, true},
        {0xA7, LimiterMode::ZeroLatency, LimiterMode::ZeroLatency, true},
        {0x00, LimiterMode::TruePeak, LimiterMode::ZeroLatency, true},
        {0xA7, LimiterMode::TruePeak, LimiterMode::ZeroLatency, false},
    };
    for (const Case& c : cases) {
        const LimiterParams before = blockWithReserved(c.fill);
        LimiterParams p = before;
        setModeInParams(p, c.first);
        EXPECT_EQ(modeOfParams(p), c.first);
        setModeInParams(p, c.second);
        EXPECT_EQ(modeOfParams(p), c.second);
        EXPECT_EQ(std::memcmp(p.reserved, before.reserved, kModeTagOffset), 0);
        EXPECT_EQ(std::memcmp(p.reserved + kModeTagOffset, before.reserved + kModeTagOffset,
                              kModeTagSize) == 0,
                  c.tagBytesKept)
            << int(c.fill);
    }
}

TEST(LimiterMode, LatencyIsShortAndScalesWithTheRate) {
    EXPECT_EQ(modeLatencyFrames(LimiterMode::ZeroLatency, 44100.0f), 0);
    EXPECT_LE(modeLatencyFrames(LimiterMode::TruePeak, 44100.0f), 64);
    EXPECT_LE(modeLatencyFrames(LimiterMode::TruePeak, 48000.0f), 64);
    EXPECT_GT(modeLatencyFrames(LimiterMode::TruePeak, 96000.0f),
              modeLatencyFrames(LimiterMode::TruePeak, 48000.0f));
}

}  // namespace

// The menu names each mode with the lookahead it costs at the engine's rate.
TEST(ModeParameter, MenuTextsTellTheLookaheadAtTheRate) {
    const struct {
        LimiterMode mode;
        float rate;
        const char* text;
    } cases[] = {
        {LimiterMode::ZeroLatency, 44100.0f, "Zero latency (sample peaks)"},
        {LimiterMode::TruePeak, 44100.0f, "True peak, lookahead 1.5 ms"},
        {LimiterMode::TruePeak, 48000.0f, "True peak, lookahead 1.3 ms"},
        {LimiterMode::TruePeak, 192000.0f, "True peak, lookahead 1.3 ms"},
        {LimiterMode::TruePeak, 0.0f, "True peak, lookahead"},  // no rate yet: no number
    };
    for (const auto& c : cases) {
        char text[64];
        formatModeMenuText(c.mode, c.rate, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.rate;
    }
}
