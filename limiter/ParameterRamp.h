#pragma once
// drive, gain and limit for the first samples of a block that follows a
// parameter change, moving from the previous values to the new ones over 48
// samples. Only the entries the block uses are computed.
#include <cstdint>

#include "limiter/ProcessingConstants.h"

struct RampedCoefficients {
    float drive, gain, limit;
};

struct ParameterRamp {
    int32_t frames;  // entries computed: the block's first min(frames, 48) samples
    float drive[kRampLength];
    float gain[kRampLength];
    float limit[kRampLength];
};

void buildRamp(ParameterRamp& ramp, const RampedCoefficients& previous,
               const RampedCoefficients& next, int32_t blockFrames);
