#include "limiter/ShapingPass.h"

#include <cstring>

#include "limiter/Magnitude.h"
#include "limiter/ProcessingConstants.h"

namespace {

// x = input + tiny, with a non-finite input taken as silence (fed through,
// it would set the envelope to 1/inf = 0 and silence the channel until the
// next reset); t = 1 - |x|, at least tiny; y = x * gain * (1 + drive * t).
// Written without branches (the finite test is a mask on the bits, the
// least value a select) so that the loops around it vectorise.
inline float shape(float input, double drive, double gain) {
    uint32_t bits;
    std::memcpy(&bits, &input, sizeof bits);
    const uint32_t keep = (bits & 0x7F800000u) != 0x7F800000u ? 0xFFFFFFFFu : 0u;
    bits &= keep;
    float finite;
    std::memcpy(&finite, &bits, sizeof finite);
    const double x = static_cast<double>(finite) + kTiny;
    double t = 1.0 - magnitude(x);
    t = t < kTiny ? kTiny : t;
    return static_cast<float>(x * gain * (1.0 + drive * t));
}

}  // namespace

void shapeSamples(const float* __restrict in, float* __restrict y, int32_t count, double drive,
                  double gain) {
    for (int32_t i = 0; i < count; ++i) y[i] = shape(in[i], drive, gain);
}

void shapeRampedSamples(const float* __restrict in, float* __restrict y, int32_t count,
                        const float* __restrict drive, const float* __restrict gain) {
    for (int32_t i = 0; i < count; ++i) y[i] = shape(in[i], drive[i], gain[i]);
}
