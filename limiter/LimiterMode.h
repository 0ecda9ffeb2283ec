#pragma once
// The limiter's two ways of working. Zero latency, the default, clamps sample
// peaks at once; true peak delays the signal by a short lookahead, keeps the
// output's true peak (between samples) under the ceiling with a smooth gain,
// and links both channels to one gain.
//
// The mode travels in the 64-byte parameter block, so a song or preset keeps
// it: as an 8-byte tag at the end of the reserved bytes. No block written
// before the mode existed holds the tag (its magic and check), so every such
// block, and any other content there, reads as zero latency. Portable.
#include <cstdint>

#include "limiter/LimiterParams.h"

enum class LimiterMode : uint8_t {
    ZeroLatency = 0,
    TruePeak = 1,
};
constexpr int32_t kLimiterModeCount = 2;

// Where the tag sits in LimiterParams::reserved, and its size.
constexpr int32_t kModeTagOffset = 24;
constexpr int32_t kModeTagSize = 8;

// The mode a block asks for: true peak only behind an intact tag.
LimiterMode modeOfParams(const LimiterParams& params);
// Writes the mode into the block. True peak writes the tag; zero latency
// clears a tag that is there and leaves any other reserved content alone.
// The reserved bytes outside the tag are never touched.
void setModeInParams(LimiterParams& params, LimiterMode mode);

// Frames by which the mode delays the signal at a sample rate: 0 for zero
// latency; for true peak about 1.3 ms (64 frames at 44.1 and 48 kHz, scaled
// with the rate), the same at every block size.
int32_t modeLatencyFrames(LimiterMode mode, float sampleRate);
