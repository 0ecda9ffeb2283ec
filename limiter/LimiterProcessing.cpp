// The audio path: a waveshaper that lifts low levels, a peak limiter whose
// gain drops at once and recovers by a fixed factor per sample, and an output
// ceiling. Each channel has its own coefficients and envelope.
//
// Precision is part of the result: samples and coefficients are float32, the
// arithmetic between them is double, and the shaped sample, the stored output
// and the state kept between blocks are rounded to float32 where noted.
//
// A block runs in stretches of a few hundred frames, each in three passes:
// shaping (per channel, vectorised), the envelope (both channels in one
// serial loop) and the store (per channel, vectorised). Both channels' inputs
// of a stretch are read before any of its outputs is written, so a host may
// pass one buffer as one channel's input and the other's output.
//
// Each block also tells what the envelope did (limiter/GainMeter.h); the
// benchmark's unmeasured forms leave that out.
#include <cstdint>
#include <cstring>

#include "limiter/EngineEntry.h"
#include "limiter/EnvelopePass.h"
#include "limiter/GainMeter.h"
#include "limiter/LimiterEngine.h"
#include "limiter/ParameterRamp.h"
#include "limiter/ProcessingConstants.h"
#include "limiter/ShapingPass.h"
#include "limiter/StorePass.h"
#include "limiter/UnmeasuredProcessing.h"

namespace {

// Frames per stretch: the shaped and limited samples of both channels stay
// in the first-level cache (12 bytes a sample).
constexpr int32_t kStretch = 256;

// The two store forms: the adding form rounds once, after the addition.
struct AddingStore {
    static constexpr bool kSilenceWhenMuted = false;
    static void store(const double* o, float* out, int32_t n, double limit) {
        storeAdding(o, out, n, limit);
    }
    static void storeRamped(const double* o, float* out, int32_t n, const float* limit) {
        storeAddingRamped(o, out, n, limit);
    }
};

struct ReplacingStore {
    static constexpr bool kSilenceWhenMuted = true;
    static void store(const double* o, float* out, int32_t n, double limit) {
        storeReplacing(o, out, n, limit);
    }
    static void storeRamped(const double* o, float* out, int32_t n, const float* limit) {
        storeReplacingRamped(o, out, n, limit);
    }
};

// One channel through one block.
struct ChannelRun {
    const float* in;
    float* out;
    double drive, gain, limit;
    const ParameterRamp* ramp;  // null when the block does not ramp
    EnvelopeChannel envelope;

    ChannelRun(const ChannelState& s, const float* input, float* output, const ParameterRamp* r)
        : in(input), out(output), drive(s.drive), gain(s.gain), limit(s.limit), ramp(r),
          envelope{s.envelopeGain, s.lastLevel, {1.0, s.recoveryInverse}, s.recoveryFactor,
                   kUnmeasured} {}

    // How many of the block's samples [start, start + n) the ramp covers.
    int32_t rampedIn(int32_t start, int32_t n) const {
        if (!ramp || start >= ramp->frames) return 0;
        return ramp->frames - start < n ? ramp->frames - start : n;
    }

    void shape(float* y, int32_t start, int32_t n) const {
        const int32_t r = rampedIn(start, n);
        if (r > 0) shapeRampedSamples(in + start, y, r, ramp->drive + start, ramp->gain + start);
        shapeSamples(in + start + r, y + r, n - r, drive, gain);
    }

    template <class Store>
    void store(const double* o, int32_t start, int32_t n) const {
        const int32_t r = rampedIn(start, n);
        if (r > 0) Store::storeRamped(o, out + start, r, ramp->limit + start);
        Store::store(o + r, out + start + r, n - r, limit);
    }

    void saveState(ChannelState& s) const {
        s.lastLevel = envelope.level;
        s.envelopeGain = static_cast<float>(envelope.gain);
    }

    // The output peak is the largest |o| (which the clamp keeps within full
    // scale) at the block's highest ceiling: a ramped ceiling moves in a
    // straight line from where it was.
    BlockGain blockGain() const {
        const double ceiling = ramp && ramp->limit[0] > limit ? ramp->limit[0] : limit;
        const EnvelopeMeasure& m = envelope.measure;
        const double peak = m.peak > kCeiling ? kCeiling : m.peak;
        return {static_cast<float>(m.lowestGain), static_cast<float>(peak * ceiling),
                m.limitedFrames};
    }
};

template <class Store, EnvelopeNotes kNotes>
void processFrames(ChannelRun* runs, int channels, int32_t frames) {
    alignas(16) float y[2][kStretch];
    alignas(16) double o[2][kStretch];
    for (int32_t start = 0; start < frames; start += kStretch) {
        const int32_t n = frames - start < kStretch ? frames - start : kStretch;
        for (int c = 0; c < channels; ++c) runs[c].shape(y[c], start, n);
        if (channels == 2) {
            runEnvelopePair<kNotes>(runs[0].envelope, runs[1].envelope, y[0], y[1], o[0], o[1], n);
        } else {
            runEnvelope<kNotes>(runs[0].envelope, y[0], o[0], n);
        }
        for (int c = 0; c < channels; ++c) runs[c].store<Store>(o[c], start, n);
    }
}

bool channel2Runs(const LimiterEngine* engine, const float* in2) {
    return engine->channelCount != 1 && in2 != nullptr;
}

// A host that reads the gain after its blocks gets every block counted and
// published (see LimiterEngine::countsLimitedFrames).
bool hostReadsGain(LimiterEngine* engine) {
    return __atomic_load_n(&engine->countsLimitedFrames, __ATOMIC_RELAXED) != 0;
}

RampedCoefficients rampedCoefficients(const ChannelState& s) { return {s.drive, s.gain, s.limit}; }

// The block protocol. Everything the block needs from the engine's flags is
// decided under the lock: once the lock is left with busy clear, another
// thread may free the engine.
template <class Store, bool kMeasured>
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
        // A muted block is counted, without reduction, when no other block
        // owns the engine (the owner publishes under this lock too).
        if (kMeasured && engine->busy != 1 && engine->deletePending != 1) {
            const BlockGain none[2] = {kNoReduction, kNoReduction};
            gatherBlockGain(&engine->gainMeter, frames, none, hostReadsGain(engine));
        }
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
    const bool ramps = engine->coefficientsValid == 0 && engine->startsFresh == 0;
    RampedCoefficients previous[2];
    if (ramps) {
        for (int c = 0; c < 2; ++c) previous[c] = rampedCoefficients(engine->channelState[c]);
    }
    if (engine->coefficientsValid == 0) deriveCoefficients(engine);
    engine->startsFresh = 0;
    const bool counted = kMeasured && hostReadsGain(engine);
    lockLeave(&engine->lock);

    const int channels = stereo ? 2 : 1;
    ParameterRamp ramp[2];
    for (int c = 0; ramps && c < channels; ++c) {
        buildRamp(ramp[c], previous[c], rampedCoefficients(engine->channelState[c]), frames);
    }
    ChannelRun runs[2] = {
        ChannelRun(engine->channelState[0], in1, out1, ramps ? &ramp[0] : nullptr),
        ChannelRun(engine->channelState[1], in2, out2, ramps ? &ramp[1] : nullptr),
    };
    if (!kMeasured) {
        processFrames<Store, EnvelopeNotes::None>(runs, channels, frames);
    } else if (counted) {
        processFrames<Store, EnvelopeNotes::Counted>(runs, channels, frames);
    } else {
        processFrames<Store, EnvelopeNotes::Meter>(runs, channels, frames);
    }
    for (int c = 0; c < channels; ++c) runs[c].saveState(engine->channelState[c]);

    // The engine stays busy until the block that frees it has done so: a
    // second audio thread taking the lock meanwhile must find it busy.
    lockEnter(&engine->lock);
    if (kMeasured) {
        const BlockGain parts[2] = {runs[0].blockGain(),
                                    stereo ? runs[1].blockGain() : kNoReduction};
        gatherBlockGain(&engine->gainMeter, frames, parts, counted);
    }
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
    processBlock<AddingStore, true>(slot, in1, in2, out1, out2, frames);
}

void processBlockReplace(LimiterEngine** slot, const float* in1, const float* in2,
                         float* out1, float* out2, int32_t frames) {
    processBlock<ReplacingStore, true>(slot, in1, in2, out1, out2, frames);
}

void processBlockAddUnmeasured(LimiterEngine** slot, const float* in1, const float* in2,
                               float* out1, float* out2, int32_t frames) {
    processBlock<AddingStore, false>(slot, in1, in2, out1, out2, frames);
}

void processBlockReplaceUnmeasured(LimiterEngine** slot, const float* in1, const float* in2,
                                   float* out1, float* out2, int32_t frames) {
    processBlock<ReplacingStore, false>(slot, in1, in2, out1, out2, frames);
}
