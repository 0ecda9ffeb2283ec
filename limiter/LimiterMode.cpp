#include "limiter/LimiterMode.h"

#include <cstring>

namespace {

constexpr uint8_t kMagic[4] = {'Q', 'C', 'm', 'd'};
// The mode's byte and its check: the mode's complement and a fixed pattern,
// so that no run of equal bytes and no stray text reads as a tag.
constexpr uint8_t kCheckPattern = 0x5A;

void tagFor(LimiterMode mode, uint8_t tag[kModeTagSize]) {
    const uint8_t m = static_cast<uint8_t>(mode);
    std::memcpy(tag, kMagic, sizeof kMagic);
    tag[4] = m;
    tag[5] = static_cast<uint8_t>(~m);
    tag[6] = static_cast<uint8_t>(m ^ kCheckPattern);
    tag[7] = static_cast<uint8_t>(tag[4] + tag[5] + tag[6] + 0x33);
}

bool holdsTag(const LimiterParams& params, LimiterMode mode) {
    uint8_t tag[kModeTagSize];
    tagFor(mode, tag);
    return std::memcmp(params.reserved + kModeTagOffset, tag, kModeTagSize) == 0;
}

}  // namespace

LimiterMode modeOfParams(const LimiterParams& params) {
    return holdsTag(params, LimiterMode::TruePeak) ? LimiterMode::TruePeak
                                                   : LimiterMode::ZeroLatency;
}

void setModeInParams(LimiterParams& params, LimiterMode mode) {
    uint8_t* bytes = params.reserved + kModeTagOffset;
    if (mode == LimiterMode::TruePeak) {
        tagFor(mode, bytes);
    } else if (holdsTag(params, LimiterMode::TruePeak)) {
        std::memset(bytes, 0, kModeTagSize);
    }
}

int32_t modeLatencyFrames(LimiterMode mode, float sampleRate) {
    if (mode != LimiterMode::TruePeak) return 0;
    // 64 frames up to 48 kHz, 1.33 ms above it.
    if (!(sampleRate > 48000.0f)) return 64;
    const double frames = static_cast<double>(sampleRate) * (64.0 / 48000.0);
    return frames > 4096.0 ? 4096 : static_cast<int32_t>(frames + 0.5);
}
