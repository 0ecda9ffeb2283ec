#pragma once
// The serial heart of a block: the gain envelope, sample after sample. It
// reads the shaped samples y and leaves the limited samples o (before the
// output ceiling) for the store pass. Both channels of a stereo block run in
// one loop, so that one channel's dependent chain overlaps the other's.
#include <cstdint>

struct EnvelopeChannel {
    double gain;            // g, kept in double for the length of the block
    float level;            // |y| of the previous sample
    double riseFactor[2];   // applied to g: 1 if |y| did not rise, else 1 / recovery
    double recoveryFactor;  // applied to g every sample
};

void runEnvelope(EnvelopeChannel& channel, const float* y, double* o, int32_t count);
void runEnvelopePair(EnvelopeChannel& first, EnvelopeChannel& second, const float* y1,
                     const float* y2, double* o1, double* o2, int32_t count);
