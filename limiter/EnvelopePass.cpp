#include "limiter/EnvelopePass.h"

#include <cmath>
#include <cstring>

#include "limiter/GainReading.h"
#include "limiter/Magnitude.h"
#include "limiter/ProcessingConstants.h"

namespace {

// Exponent bits all set: infinity or NaN (a bit test: some C libraries make
// std::isfinite a function call).
inline bool isFinite(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 0x7F800000u) != 0x7F800000u;
}

// An envelope gain below this counts as limiting.
const double kLimitingGain = std::pow(10.0, static_cast<double>(kLimitingThresholdDecibels) / 20.0);

// The registers one channel's envelope runs in.
template <bool kMeasured>
struct Running {
    double g;
    float level;
    double rise[2];
    double recovery;
    EnvelopeMeasure measure;

    explicit Running(const EnvelopeChannel& c)
        : g(c.gain), level(c.level), rise{c.riseFactor[0], c.riseFactor[1]},
          recovery(c.recoveryFactor), measure(c.measure) {}
    void storeInto(EnvelopeChannel& c) const {
        c.gain = g;
        c.level = level;
        c.measure = measure;
    }

    // One sample: a rising level first takes back the recovery (the factor is
    // picked from a table, not branched on: whether noise rises is a coin
    // toss for the branch predictor), the envelope recovers and is capped at
    // 1, and an output beyond the ceiling is clamped, re-deriving g from
    // this sample so that it maps y to full scale exactly.
    inline double step(float y) {
        const float m = magnitude(y);
        g *= rise[m > level];
        g *= recovery;
        g = 1.0 < g ? 1.0 : g;
        double o = static_cast<double>(y) * g;
        if (__builtin_expect(magnitude(o) > kCeiling, 0)) o = overshoot(o, y);
        level = m;
        if (kMeasured) note(o);
        return o;
    }

    // Beside the chain: nothing here feeds back into g or o. Each running
    // value is its own operand's destination (one minsd, one maxsd); a NaN
    // o makes the block's peak NaN, which the meter passes over.
    inline void note(double o) {
        measure.lowestGain = measure.lowestGain < g ? measure.lowestGain : g;
        measure.limitedFrames += g < kLimitingGain;
        const double a = magnitude(o);
        measure.peak = measure.peak > a ? measure.peak : a;
    }

    // The reciprocal is taken here, on the rare overshoot: one for every
    // sample in the shaping pass, vectorised, measured slower than this
    // division on the chain. An infinite y (a huge gain setting) would give
    // g = 0 for good, so the envelope is then kept as it was.
    inline double overshoot(double o, float y) {
        if (o > 0.0) {
            if (isFinite(y)) g = 1.0 / static_cast<double>(y);
            return kCeiling;
        }
        if (isFinite(y)) g = -1.0 / static_cast<double>(y);
        return -kCeiling;
    }
};

}  // namespace

template <bool kMeasured>
void runEnvelope(EnvelopeChannel& channel, const float* __restrict y, double* __restrict o,
                 int32_t count) {
    Running<kMeasured> a(channel);
    for (int32_t i = 0; i < count; ++i) o[i] = a.step(y[i]);
    a.storeInto(channel);
}

template <bool kMeasured>
void runEnvelopePair(EnvelopeChannel& first, EnvelopeChannel& second, const float* __restrict y1,
                     const float* __restrict y2, double* __restrict o1, double* __restrict o2,
                     int32_t count) {
    Running<kMeasured> a(first), b(second);
    for (int32_t i = 0; i < count; ++i) {
        o1[i] = a.step(y1[i]);
        o2[i] = b.step(y2[i]);
    }
    a.storeInto(first);
    b.storeInto(second);
}

template void runEnvelope<true>(EnvelopeChannel&, const float*, double*, int32_t);
template void runEnvelope<false>(EnvelopeChannel&, const float*, double*, int32_t);
template void runEnvelopePair<true>(EnvelopeChannel&, EnvelopeChannel&, const float*,
                                    const float*, double*, double*, int32_t);
template void runEnvelopePair<false>(EnvelopeChannel&, EnvelopeChannel&, const float*,
                                     const float*, double*, double*, int32_t);
