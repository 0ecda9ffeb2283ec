#include "limiter/EnvelopePass.h"

#include <cmath>
#include <cstring>
#include <emmintrin.h>

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
template <EnvelopeNotes kNotes>
struct Running {
    double g;
    float level;
    double rise[2];
    double recovery;
    EnvelopeMeasure measure;

    explicit Running(const EnvelopeChannel& c)
        : g(c.gain), level(c.level), rise{c.riseFactor[0], c.riseFactor[1]},
          recovery(c.recoveryFactor), measure(c.measure) {
        noteDrop();  // the gain the stretch starts from
    }
    void storeInto(EnvelopeChannel& c) const {
        c.gain = g;
        c.level = level;
        c.measure = measure;
    }

    // One sample: a rising level first takes back the recovery (the factor is
    // picked from a table, not branched on: whether noise rises is a coin
    // toss for the branch predictor), the envelope recovers and is capped at
    // 1, and an output beyond the ceiling is clamped, re-deriving g from
    // this sample so that it maps y to full scale exactly. A measuring
    // envelope raises `peak` to |o| before the clamp (the reader caps it at
    // the ceiling); a NaN o makes it NaN, which the meter passes over.
    inline double step(float y, double& peak) {
        double o = unclamped(y);
        const double m = magnitude(o);
        if (__builtin_expect(m > kCeiling, 0)) o = overshoot(o, y);
        noteGain();
        if (kNotes != EnvelopeNotes::None) peak = peak > m ? peak : m;
        return o;
    }

    // The step up to the clamp test (the caller notes the gain after it).
    inline double unclamped(float y) {
        const float m = magnitude(y);
        g *= rise[m > level];
        g *= recovery;
        g = 1.0 < g ? 1.0 : g;
        level = m;
        return static_cast<double>(y) * g;
    }

    // Beside the chain: nothing here feeds back into g or o. Only a counting
    // envelope compares every gain; otherwise the lowest gain is noted where
    // g can drop, on an overshoot (between overshoots g only recovers or
    // holds, give or take a rounding of a rise taken back).
    inline void noteGain() {
        if (kNotes != EnvelopeNotes::Counted) return;
        measure.lowestGain = measure.lowestGain < g ? measure.lowestGain : g;
        measure.limitedFrames += g < kLimitingGain;
    }

    inline void noteDrop() {
        if (kNotes == EnvelopeNotes::Meter && g < measure.lowestGain) measure.lowestGain = g;
    }

    // The reciprocal is taken here, on the rare overshoot: one for every
    // sample in the shaping pass, vectorised, measured slower than this
    // division on the chain. An infinite y (a huge gain setting) would give
    // g = 0 for good, so the envelope is then kept as it was.
    inline double overshoot(double o, float y) {
        if (isFinite(y)) g = (o > 0.0 ? 1.0 : -1.0) / static_cast<double>(y);
        noteDrop();
        return o > 0.0 ? kCeiling : -kCeiling;
    }
};

}  // namespace

template <EnvelopeNotes kNotes>
void runEnvelope(EnvelopeChannel& channel, const float* __restrict y, double* __restrict o,
                 int32_t count) {
    Running<kNotes> a(channel);
    double peak = a.measure.peak;
    for (int32_t i = 0; i < count; ++i) o[i] = a.step(y[i], peak);
    a.measure.peak = peak;
    a.storeInto(channel);
}

namespace {

// A measured pair tests both channels' magnitudes against the ceiling in one
// packed compare and takes their peaks (before the clamp, which the reader
// caps at the ceiling) in one packed maximum on the same magnitudes: the
// measurement then costs about the instructions the packing saves. A NaN o
// makes its peak NaN, which the meter passes over. Its constants are loaded
// from memory: a 32-bit build would otherwise build them on every call.
alignas(16) const uint64_t kSignless[2] = {0x7FFFFFFFFFFFFFFFull, 0x7FFFFFFFFFFFFFFFull};
alignas(16) const double kCeilings[2] = {kCeiling, kCeiling};

template <EnvelopeNotes kNotes>
void runMeasuredPair(Running<kNotes>& a, Running<kNotes>& b, const float* __restrict y1,
                     const float* __restrict y2, double* __restrict o1, double* __restrict o2,
                     int32_t count) {
    const __m128d signless = _mm_castsi128_pd(_mm_load_si128(reinterpret_cast<const __m128i*>(kSignless)));
    const __m128d ceiling = _mm_load_pd(kCeilings);
    __m128d peaks = _mm_set_pd(b.measure.peak, a.measure.peak);
    for (int32_t i = 0; i < count; ++i) {
        double va = a.unclamped(y1[i]), vb = b.unclamped(y2[i]);
        const __m128d m = _mm_and_pd(_mm_set_pd(vb, va), signless);
        peaks = _mm_max_pd(peaks, m);
        const int over = _mm_movemask_pd(_mm_cmpgt_pd(m, ceiling));
        if (__builtin_expect(over != 0, 0)) {
            if (over & 1) va = a.overshoot(va, y1[i]);
            if (over & 2) vb = b.overshoot(vb, y2[i]);
        }
        a.noteGain();
        b.noteGain();
        o1[i] = va;
        o2[i] = vb;
    }
    a.measure.peak = _mm_cvtsd_f64(peaks);
    b.measure.peak = _mm_cvtsd_f64(_mm_unpackhi_pd(peaks, peaks));
}

}  // namespace

template <EnvelopeNotes kNotes>
void runEnvelopePair(EnvelopeChannel& first, EnvelopeChannel& second, const float* __restrict y1,
                     const float* __restrict y2, double* __restrict o1, double* __restrict o2,
                     int32_t count) {
    Running<kNotes> a(first), b(second);
    if constexpr (kNotes == EnvelopeNotes::None) {
        for (int32_t i = 0; i < count; ++i) {
            double unmeasured = 0.0;
            o1[i] = a.step(y1[i], unmeasured);
            o2[i] = b.step(y2[i], unmeasured);
        }
    } else {
        runMeasuredPair(a, b, y1, y2, o1, o2, count);
    }
    a.storeInto(first);
    b.storeInto(second);
}

#define QC_ENVELOPE_FORMS(notes)                                                              \
    template void runEnvelope<notes>(EnvelopeChannel&, const float*, double*, int32_t);         \
    template void runEnvelopePair<notes>(EnvelopeChannel&, EnvelopeChannel&, const float*,      \
                                         const float*, double*, double*, int32_t);
QC_ENVELOPE_FORMS(EnvelopeNotes::None)
QC_ENVELOPE_FORMS(EnvelopeNotes::Meter)
QC_ENVELOPE_FORMS(EnvelopeNotes::Counted)
