#include "limiter/GainMeter.h"

#include <cmath>
#include <cstring>

namespace {

// Payload words: each store releases the odd sequence written before it,
// each load acquires what comes after it (the second look at the sequence),
// so no fence is needed. On x86 all of them are plain moves.
inline void put(uint32_t* word, uint32_t value) { __atomic_store_n(word, value, __ATOMIC_RELEASE); }
inline uint32_t get(const uint32_t* word) { return __atomic_load_n(word, __ATOMIC_ACQUIRE); }

inline uint32_t bitsOf(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float floatOf(uint32_t bits) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void put64(uint32_t* words, uint64_t value) {
    put(&words[0], static_cast<uint32_t>(value));
    put(&words[1], static_cast<uint32_t>(value >> 32));
}

inline uint64_t get64(const uint32_t* words) {
    return get(&words[0]) | static_cast<uint64_t>(get(&words[1])) << 32;
}

inline uint32_t saturated(uint64_t count) {
    return count > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(count);
}

// A reader gives up after this many torn copies: the writer holds the record
// for a few dozen stores, so only a writer stopped mid-record gets here.
constexpr int kReadAttempts = 1000;

struct Snapshot {
    uint32_t sequence;
    uint64_t frames;
    uint64_t limited[2];
    float lowestGain[2];
    float peak[2];
};

bool readSnapshot(const GainMeter* meter, GainReader reader, Snapshot& s) {
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        s.sequence = __atomic_load_n(&meter->sequence, __ATOMIC_ACQUIRE);
        if (s.sequence & 1u) continue;
        s.frames = get64(meter->frames);
        for (int c = 0; c < 2; ++c) {
            s.limited[c] = get64(meter->limited[c]);
            s.lowestGain[c] = floatOf(get(&meter->lowestGain[reader][c]));
            s.peak[c] = floatOf(get(&meter->peak[reader][c]));
        }
        if (__atomic_load_n(&meter->sequence, __ATOMIC_RELAXED) == s.sequence) return true;
    }
    return false;
}

}  // namespace

void initGainMeter(GainMeter* meter) {
    std::memset(meter, 0, sizeof *meter);
    meter->pending[0] = meter->pending[1] = kNoReduction;
    for (int r = 0; r < kGainReaderCount; ++r) {
        for (int c = 0; c < 2; ++c) meter->lowestGain[r][c] = bitsOf(1.0f);
    }
}

// The words are updated where they stand: the writer reads back its own
// stores, so nothing is kept twice or copied. A reader's window starts afresh
// (gain 1, peak 0) when the reader took the record this publishing finds;
// the comparisons are written so that a NaN part leaves the window as it was.
void publishGathered(GainMeter* meter) {
    const BlockGain* channel = meter->pending;
    const uint32_t sequence = __atomic_load_n(&meter->sequence, __ATOMIC_RELAXED);
    __atomic_store_n(&meter->sequence, sequence + 1, __ATOMIC_RELAXED);
    put64(meter->frames, get64(meter->frames) + meter->pendingFrames);
    // Only a counting block changes the totals of limited frames.
    if ((channel[0].limitedFrames | channel[1].limitedFrames) != 0) {
        for (int c = 0; c < 2; ++c) {
            put64(meter->limited[c], get64(meter->limited[c]) + channel[c].limitedFrames);
        }
    }
    for (int r = 0; r < kGainReaderCount; ++r) {
        const bool fresh = __atomic_load_n(&meter->taken[r], __ATOMIC_ACQUIRE) == sequence;
        for (int c = 0; c < 2; ++c) {
            const float lowest = fresh ? 1.0f : floatOf(get(&meter->lowestGain[r][c]));
            const float peak = fresh ? 0.0f : floatOf(get(&meter->peak[r][c]));
            const BlockGain& b = channel[c];
            put(&meter->lowestGain[r][c], bitsOf(b.lowestGain < lowest ? b.lowestGain : lowest));
            put(&meter->peak[r][c], bitsOf(b.peak > peak ? b.peak : peak));
        }
    }
    __atomic_store_n(&meter->sequence, sequence + 2, __ATOMIC_RELEASE);
    meter->pendingFrames = 0;
    meter->pending[0] = meter->pending[1] = kNoReduction;
}

bool takeGainReading(GainMeter* meter, GainReader reader, GainReading* reading) {
    Snapshot s;
    if (!readSnapshot(meter, reader, s)) return false;
    GainMeter::Mark& mark = meter->mark[reader];
    *reading = GainReading{};
    if (s.sequence == mark.sequence) return true;  // nothing processed since
    reading->frames = saturated(s.frames - mark.frames);
    for (int c = 0; c < 2; ++c) {
        GainReadingChannel& out = reading->channel[c];
        out.reductionDecibels = reductionDecibels(s.lowestGain[c]);
        out.outputPeak = std::isfinite(s.peak[c]) ? s.peak[c] : 0.0f;
        out.limitedFrames = saturated(s.limited[c] - mark.limited[c]);
    }
    mark = {s.sequence, s.frames, {s.limited[0], s.limited[1]}};
    __atomic_store_n(&meter->taken[reader], s.sequence, __ATOMIC_RELEASE);
    return true;
}

// A recovering envelope that took back a rise lands a rounding below 1:
// not a reduction anyone could hear or see.
constexpr float kUnityGain = 1.0f - 1e-6f;

float reductionDecibels(float gain) {
    if (!(gain < kUnityGain)) return 0.0f;
    const double decibels = gain > 0.0f ? 20.0 * std::log10(static_cast<double>(gain)) : -1e300;
    return decibels > kDeepestReductionDecibels ? static_cast<float>(decibels)
                                                : kDeepestReductionDecibels;
}
