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

#include "limiter/EngineEntry.h"
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

// The coefficients of one channel for the samples of a block.
struct ChannelPlan {
    ChannelState* state;
    const RampTables* ramp;  // null when the block does not ramp
};

template <class Store>
inline void processChannelSample(Envelope& env, const ChannelPlan& plan, int32_t i, float input,
                                 float& output) {
    const ChannelState& s = *plan.state;
    const bool ramped = plan.ramp && i < kRampLength;
    processSample<Store>(env, input, output, ramped ? plan.ramp->drive[i] : s.drive,
                         ramped ? plan.ramp->gain[i] : s.gain, ramped ? plan.ramp->limit[i] : s.limit,
                         s.recoveryFactor, s.recoveryInverse);
}

// Both channels frame by frame, each frame's inputs read before its outputs
// are written: a host may pass one buffer as an input of one channel and the
// output of the other.
template <class Store>
void processChannels(const ChannelPlan* plans, int channels, const float* in1, const float* in2,
                     float* out1, float* out2, int32_t frames) {
    Envelope env[2] = {};
    for (int c = 0; c < channels; ++c) {
        env[c] = {static_cast<double>(plans[c].state->envelopeGain), plans[c].state->lastLevel};
    }
    for (int32_t i = 0; i < frames; ++i) {
        const float x1 = in1[i];
        const float x2 = channels == 2 ? in2[i] : 0.0f;
        processChannelSample<Store>(env[0], plans[0], i, x1, out1[i]);
        if (channels == 2) processChannelSample<Store>(env[1], plans[1], i, x2, out2[i]);
    }
    for (int c = 0; c < channels; ++c) {
        plans[c].state->lastLevel = env[c].level;
        plans[c].state->envelopeGain = static_cast<float>(env[c].gain);
    }
}

bool channel2Runs(const LimiterEngine* engine, const float* in2) {
    return engine->channelCount != 1 && in2 != nullptr;
}

// The block protocol. Everything the block needs from the engine's flags is
// decided under the lock: once the lock is left with busy clear, another
// thread may free the engine.
template <class Store>
void processBlock(LimiterEngine** slot, const float* in1, const float* in2, float* out1,
                  float* out2, int32_t frames) {
    if (!slot || frames < 1) return;
    // The block works on its own copy of the pointer: after a deferred
    // destruction it must not write into the owner's slot (see releaseEngine).
    LimiterEngine* engine = engineInSlot(slot);
    if (!engine) return;

    enterEngineCall(&engine->callsInside);
    lockEnter(&engine->lock);
    const bool stereo = channel2Runs(engine, in2);
    if (engine->busy == 1 || engine->mute == 1 || engine->deletePending == 1) {
        const bool silence = Store::kSilenceWhenMuted && engine->busy != 1 && engine->mute == 1;
        lockLeave(&engine->lock);
        leaveEngineCall(&engine->callsInside);
        // Muted, the replacing form writes silence: a host's output buffers
        // hold stale audio. The adding form simply adds nothing. A given-up
        // engine is left to whoever frees it.
        if (silence) {
            std::memset(out1, 0, sizeof(float) * frames);
            if (stereo) std::memset(out2, 0, sizeof(float) * frames);
        }
        return;
    }
    engine->busy = 1;
    // The coefficients the ramp starts from are copied only once this block
    // owns the engine: a re-entrant call must not read them while another
    // block is running. After a reset there is nothing to ramp from.
    Coefficients previous[2];
    const bool ramps = engine->coefficientsValid == 0 && engine->startsFresh == 0;
    if (ramps) {
        for (int c = 0; c < 2; ++c) {
            const ChannelState& s = engine->channelState[c];
            previous[c] = {s.drive, s.gain, s.limit};
        }
    }
    if (engine->coefficientsValid == 0) deriveCoefficients(engine);
    engine->startsFresh = 0;
    lockLeave(&engine->lock);

    RampTables ramp[2];
    ChannelPlan plans[2];
    const int channels = stereo ? 2 : 1;
    for (int c = 0; c < channels; ++c) {
        if (ramps) buildRamp(ramp[c], previous[c], engine->channelState[c]);
        plans[c] = {&engine->channelState[c], ramps ? &ramp[c] : nullptr};
    }
    processChannels<Store>(plans, channels, in1, in2, out1, out2, frames);

    // The engine stays busy until the block that frees it has done so: a
    // second audio thread taking the lock meanwhile must find it busy.
    lockEnter(&engine->lock);
    if (engine->deletePending == 1) {
        lockLeave(&engine->lock);
        leaveEngineCall(&engine->callsInside);
        waitUntilNoCallInside(&engine->callsInside);
        destroyEngine(&engine);
        return;
    }
    engine->busy = 0;
    lockLeave(&engine->lock);
    leaveEngineCall(&engine->callsInside);
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
