#include "limiter/ParameterRamp.h"

namespace {

// Entry k is the previous value plus the step added k + 1 times in double,
// rounded to float. An unchanged value needs no additions: adding a zero
// step gives it back exactly (a -0 would come back as +0, so a zero is
// ramped like any change).
void fillRamp(float* table, float previous, float next, int32_t count) {
    if (previous == next && previous != 0.0f) {
        for (int32_t k = 0; k < count; ++k) table[k] = next;
        return;
    }
    const double step = (static_cast<double>(next) - static_cast<double>(previous)) * kRampStep;
    double value = previous;
    for (int32_t k = 0; k < count; ++k) {
        value += step;
        table[k] = static_cast<float>(value);
    }
}

}  // namespace

void buildRamp(ParameterRamp& ramp, const RampedCoefficients& previous,
               const RampedCoefficients& next, int32_t blockFrames) {
    ramp.frames = blockFrames < kRampLength ? blockFrames : kRampLength;
    fillRamp(ramp.drive, previous.drive, next.drive, ramp.frames);
    fillRamp(ramp.gain, previous.gain, next.gain, ramp.frames);
    fillRamp(ramp.limit, previous.limit, next.limit, ramp.frames);
}
