#include "limiter/EnvelopePass.h"

#include <cstring>

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

// The registers one channel's envelope runs in.
struct Running {
    double g;
    float level;
    double rise[2];
    double recovery;

    explicit Running(const EnvelopeChannel& c)
        : g(c.gain), level(c.level), rise{c.riseFactor[0], c.riseFactor[1]},
          recovery(c.recoveryFactor) {}
    void storeInto(EnvelopeChannel& c) const {
        c.gain = g;
        c.level = level;
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
        return o;
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

void runEnvelope(EnvelopeChannel& channel, const float* __restrict y, double* __restrict o,
                 int32_t count) {
    Running a(channel);
    for (int32_t i = 0; i < count; ++i) o[i] = a.step(y[i]);
    a.storeInto(channel);
}

void runEnvelopePair(EnvelopeChannel& first, EnvelopeChannel& second, const float* __restrict y1,
                     const float* __restrict y2, double* __restrict o1, double* __restrict o2,
                     int32_t count) {
    Running a(first), b(second);
    for (int32_t i = 0; i < count; ++i) {
        o1[i] = a.step(y1[i]);
        o2[i] = b.step(y2[i]);
    }
    a.storeInto(first);
    b.storeInto(second);
}
