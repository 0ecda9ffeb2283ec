#pragma once
// The serial heart of a block: the gain envelope, sample after sample. It
// reads the shaped samples y and leaves the limited samples o (before the
// output ceiling) for the store pass. Both channels of a stereo block run in
// one loop, so that one channel's dependent chain overlaps the other's.
//
// Measured, the loop also keeps beside the chain the lowest gain it applied
// and the largest |o| (and, for a host that asks, how many samples it held
// below the limiting threshold). The benchmark runs it unmeasured as well,
// to show what the measurement costs.
#include <cstdint>

// What the envelope did, gathered over the stretches of one block.
struct EnvelopeMeasure {
    double lowestGain;       // 1 when it never reduced
    double peak;             // largest |o| before the clamp to the ceiling; NaN after a NaN
    uint32_t limitedFrames;  // samples whose gain lay below the threshold
};

struct EnvelopeChannel {
    double gain;            // g, kept in double for the length of the block
    float level;            // |y| of the previous sample
    double riseFactor[2];   // applied to g: 1 if |y| did not rise, else 1 / recovery
    double recoveryFactor;  // applied to g every sample
    EnvelopeMeasure measure;
};

// The measure a block starts from.
constexpr EnvelopeMeasure kUnmeasured = {1.0, 0.0, 0};

// What the loop notes beside the chain: nothing (the benchmark's baseline),
// what the meter shows (the lowest gain, taken where g drops, and the peak),
// or also every gain against the limiting threshold, for a host that asked
// for the share of limited frames.
enum class EnvelopeNotes { None, Meter, Counted };

template <EnvelopeNotes kNotes>
void runEnvelope(EnvelopeChannel& channel, const float* y, double* o, int32_t count);
template <EnvelopeNotes kNotes>
void runEnvelopePair(EnvelopeChannel& first, EnvelopeChannel& second, const float* y1,
                     const float* y2, double* o1, double* o2, int32_t count);
