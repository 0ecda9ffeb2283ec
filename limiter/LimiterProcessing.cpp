// The audio path: a waveshaper that lifts low levels, a peak limiter whose
// gain drops at once and recovers by a fixed factor per sample, and an output
// ceiling. Each channel has its own coefficients and envelope.
//
// Precision is part of the result: samples and coefficients are float32, the
// arithmetic between them is double, and the shaped sample, the stored output
// and the state kept between blocks are rounded to float32 where noted.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "limiter/LimiterEngine.h"

namespace {

constexpr int kRampLength = 48;
const double kTiny = static_cast<double>(1e-30f);
const double kCeiling = static_cast<double>(0.99999f);
const double kRampStep = static_cast<double>(0.020833334f);  // one forty-eighth

struct Coefficients {
    float drive, gain, limit;
};

// drive, gain and limit for the first 48 samples of a block that follows a
// parameter change, moving from the previous values to the new ones.
struct RampTables {
    float drive[kRampLength];
    float gain[kRampLength];
    float limit[kRampLength];
};

void fillRamp(float* table, float previous, float next) {
    const double step = (static_cast<double>(next) - static_cast<double>(previous)) * kRampStep;
    double value = previous;
    for (int k = 0; k < kRampLength; ++k) {
        value += step;
        table[k] = static_cast<float>(value);
    }
}

void buildRamp(RampTables& ramp, const Coefficients& previous, const ChannelState& next) {
    fillRamp(ramp.drive, previous.drive, next.drive);
    fillRamp(ramp.gain, previous.gain, next.gain);
    fillRamp(ramp.limit, previous.limit, next.limit);
}

// The two store forms: the adding form rounds once, after the addition.
struct AddingStore {
    static constexpr bool kSilenceWhenMuted = false;
    static void store(float& out, double value, double limit) {
        out = static_cast<float>(static_cast<double>(out) + value * limit);
    }
};

struct ReplacingStore {
    static constexpr bool kSilenceWhenMuted = true;
    static void store(float& out, double value, double limit) {
        out = static_cast<float>(value * limit);
    }
};

// The running state of one channel while a block is processed.
struct Envelope {
    double gain;  // g, kept in double for the length of the block
    float level;  // |y| of the previous sample
};

// Exponent bits all set: infinity or NaN. A bit test, because some C
// libraries make std::isfinite a function call inside the sample loop.
inline bool isFinite(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return (bits & 0x7F800000u) != 0x7F800000u;
}

template <class Store>
inline void processSample(Envelope& env, float input, float& output, double drive,
                          double gain, double limit, double recoveryFactor,
                          double recoveryInverse) {
    // A non-finite sample is taken as silence: fed through, it would set the
    // envelope to 1/inf = 0 and silence the channel until the next reset.
    const double x = (isFinite(input) ? static_cast<double>(input) : 0.0) + kTiny;
    double t = 1.0 - std::fabs(x);
    if (t < kTiny) t = kTiny;
    const float y = static_cast<float>(x * gain * (1.0 + drive * t));
    const float m = std::fabs(y);
    double g = env.gain;
    if (m > env.level) g *= recoveryInverse;
    g *= recoveryFactor;
    if (g > 1.0) g = 1.0;
    double o = static_cast<double>(y) * g;
    // On an overshoot the gain is re-derived from this sample so that it maps
    // y to full scale. An infinite y (a huge gain setting) would give g = 0
    // for good, so the envelope is then kept as it was.
    if (o > kCeiling) {
        o = kCeiling;
        if (isFinite(y)) g = 1.0 / static_cast<double>(y);
    } else if (o < -kCeiling) {
        o = -kCeiling;
        if (isFinite(y)) g = -1.0 / static_cast<double>(y);
    }
    Store::store(output, o, limit);
    env.gain = g;
    env.level = m;
}

template <class Store>
void processChannel(ChannelState& state, const float* in, float* out, int32_t frames,
                    const RampTables* ramp) {
    Envelope env{static_cast<double>(state.envelopeGain), state.lastLevel};
    const double recoveryFactor = state.recoveryFactor;
    const double recoveryInverse = state.recoveryInverse;
    int32_t i = 0;
    if (ramp) {
        const int32_t rampFrames = frames < kRampLength ? frames : kRampLength;
        for (; i < rampFrames; ++i) {
            processSample<Store>(env, in[i], out[i], ramp->drive[i], ramp->gain[i],
                                 ramp->limit[i], recoveryFactor, recoveryInverse);
        }
    }
    const double drive = state.drive;
    const double gain = state.gain;
    const double limit = state.limit;
    for (; i < frames; ++i) {
        processSample<Store>(env, in[i], out[i], drive, gain, limit, recoveryFactor,
                             recoveryInverse);
    }
    state.lastLevel = env.level;
    state.envelopeGain = static_cast<float>(env.gain);
}

bool channel2Runs(const LimiterEngine* engine, const float* in2) {
    return engine->channelCount != 1 && in2 != nullptr;
}

template <class Store>
void processBlock(LimiterEngine** slot, const float* in1, const float* in2, float* out1,
                  float* out2, int32_t frames) {
    if (!slot || !*slot || frames == 0) return;
    // The block works on its own copy of the pointer: after a deferred
    // destruction it must not write into the owner's slot (see releaseEngine).
    LimiterEngine* engine = *slot;

    lockEnter(&engine->lock);
    if (engine->busy == 1 || engine->mute == 1) {
        const bool muted = engine->busy != 1;
        lockLeave(&engine->lock);
        // Muted, the replacing form writes silence: a host's output buffers
        // hold stale audio. The adding form simply adds nothing.
        if (muted && Store::kSilenceWhenMuted && frames > 0) {
            std::memset(out1, 0, sizeof(float) * frames);
            if (channel2Runs(engine, in2)) std::memset(out2, 0, sizeof(float) * frames);
        }
        return;
    }
    if (engine->deletePending == 1) {
        lockLeave(&engine->lock);
        if (*slot == engine) *slot = nullptr;
        destroyEngine(&engine);
        return;
    }
    engine->busy = 1;
    // The coefficients the ramp starts from are copied only once this block
    // owns the engine: a re-entrant call must not read them while another
    // block is running.
    Coefficients previous[2];
    const bool ramps = engine->coefficientsValid == 0;
    if (ramps) {
        for (int c = 0; c < 2; ++c) {
            const ChannelState& s = engine->channelState[c];
            previous[c] = {s.drive, s.gain, s.limit};
        }
        deriveCoefficients(engine);
    }
    lockLeave(&engine->lock);

    RampTables ramp;
    if (ramps) buildRamp(ramp, previous[0], engine->channelState[0]);
    processChannel<Store>(engine->channelState[0], in1, out1, frames, ramps ? &ramp : nullptr);
    if (channel2Runs(engine, in2)) {
        if (ramps) buildRamp(ramp, previous[1], engine->channelState[1]);
        processChannel<Store>(engine->channelState[1], in2, out2, frames,
                              ramps ? &ramp : nullptr);
    }

    lockEnter(&engine->lock);
    engine->busy = 0;
    if (engine->deletePending == 1) {
        lockLeave(&engine->lock);
        destroyEngine(&engine);
        return;
    }
    lockLeave(&engine->lock);
}

}  // namespace

void processBlockAdd(LimiterEngine** slot, const float* in1, const float* in2, float* out1,
                     float* out2, int32_t frames) {
    processBlock<AddingStore>(slot, in1, in2, out1, out2, frames);
}

void processBlockReplace(LimiterEngine** slot, const float* in1, const float* in2,
                         float* out1, float* out2, int32_t frames) {
    processBlock<ReplacingStore>(slot, in1, in2, out1, out2, frames);
}
