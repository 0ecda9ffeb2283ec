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

void startWindow(GainMeter* meter, int reader) {
    for (int c = 0; c < 2; ++c) {
        meter->windowLowest[reader][c] = 1.0f;
        meter->windowPeak[reader][c] = 0.0f;
    }
}

}  // namespace

void initGainMeter(GainMeter* meter) {
    std::memset(meter, 0, sizeof *meter);
    for (int r = 0; r < kGainReaderCount; ++r) {
        startWindow(meter, r);
        for (int c = 0; c < 2; ++c) {
            meter->lowestGain[r][c] = bitsOf(1.0f);
        }
    }
}

void publishBlockGain(GainMeter* meter, int32_t frames, const BlockGain channel[2]) {
    const uint32_t sequence = __atomic_load_n(&meter->sequence, __ATOMIC_RELAXED);
    meter->framesTotal += static_cast<uint32_t>(frames);
    for (int c = 0; c < 2; ++c) meter->limitedTotal[c] += channel[c].limitedFrames;
    for (int r = 0; r < kGainReaderCount; ++r) {
        if (__atomic_load_n(&meter->taken[r], __ATOMIC_ACQUIRE) == sequence) startWindow(meter, r);
        for (int c = 0; c < 2; ++c) {
            // Written so that a NaN part leaves the window as it was.
            float& lowest = meter->windowLowest[r][c];
            if (channel[c].lowestGain < lowest) lowest = channel[c].lowestGain;
            float& peak = meter->windowPeak[r][c];
            if (channel[c].peak > peak) peak = channel[c].peak;
        }
    }

    __atomic_store_n(&meter->sequence, sequence + 1, __ATOMIC_RELAXED);
    put64(meter->frames, meter->framesTotal);
    for (int c = 0; c < 2; ++c) put64(meter->limited[c], meter->limitedTotal[c]);
    for (int r = 0; r < kGainReaderCount; ++r) {
        for (int c = 0; c < 2; ++c) {
            put(&meter->lowestGain[r][c], bitsOf(meter->windowLowest[r][c]));
            put(&meter->peak[r][c], bitsOf(meter->windowPeak[r][c]));
        }
    }
    __atomic_store_n(&meter->sequence, sequence + 2, __ATOMIC_RELEASE);
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
