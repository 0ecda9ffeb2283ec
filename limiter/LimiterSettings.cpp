#include "limiter/LimiterSettings.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "toolkit/ValueText.h"
#include "toolkit/knob/KnobStyle.h"
#include "toolkit/knob/KnobValue.h"

namespace {
constexpr float kUnbounded = std::numeric_limits<float>::infinity();
}  // namespace

// The ceiling is applied from silence (0) to +12 dBFS (4): a corrupted
// preset can neither blast nor invert the output.
const SettingInfo kSettings[kSettingCount] = {
    {"compression", "Compress", "", 1.0f, 8.0f, 1.0f, 0.02f, SettingScale::Plain, false,
     &ChannelParams::compression, -kUnbounded, kUnbounded},
    {"gain", "Gain", "dB", -24.0f, 24.0f, 0.0f, 0.05f, SettingScale::Plain, true,
     &ChannelParams::gain, -kUnbounded, kUnbounded},
    {"velocity", "Velocity", "%", 1.0f, 100.0f, 5.0f, 0.1f, SettingScale::Plain, false,
     &ChannelParams::velocity, -kUnbounded, kUnbounded},
    {"limit", "Limit", "dB", 0.25f, 1.0f, 1.0f, 0.005f, SettingScale::ShownInDecibels, false,
     &ChannelParams::limit, 0.0f, 4.0f},
};

namespace {

// The knob's value model over the setting's range, holding `current`.
KnobValue knobModel(const SettingInfo& s, float current) {
    KnobValue v = {};
    v.min = s.min;
    v.max = s.max;
    v.defaultValue = s.defaultValue;
    v.step = s.step;
    v.digits = kKnobDigits;
    v.valueFlags = s.scale == SettingScale::Logarithmic ? KNOB_LOG : 0;
    v.current = current;
    return v;
}

}  // namespace

float decibelsToGain(float decibels) { return static_cast<float>(decibels_to_factor(decibels)); }

float gainToDecibels(float gain) { return static_cast<float>(factor_to_decibels(gain)); }

float storedOf(const SettingInfo& s, float knobValue) {
    return s.storedAsGain ? decibelsToGain(knobValue) : knobValue;
}

float knobValueOf(const SettingInfo& s, float stored) {
    return s.storedAsGain ? gainToDecibels(stored) : stored;
}

float appliedValue(const SettingInfo& s, float stored) {
    if (!std::isfinite(stored)) return storedOf(s, s.defaultValue);
    if (stored < s.lowestApplied) return s.lowestApplied;
    return stored > s.highestApplied ? s.highestApplied : stored;
}

ChannelParams defaultChannelParams() {
    ChannelParams c = {};
    for (const SettingInfo& s : kSettings) c.*s.field = storedOf(s, s.defaultValue);
    return c;
}

bool inKnobRange(const SettingInfo& s, float knobValue) {
    return knobValue >= s.min && knobValue <= s.max;
}

// A gain of zero or below has no decibels: it sits at the bottom.
float knobPositionOf(const SettingInfo& s, float stored) {
    const float v = knobValueOf(s, appliedValue(s, stored));
    if (std::isnan(v) || v <= s.min) return s.min;
    return v >= s.max ? s.max : v;
}

float fractionOfKnobValue(const SettingInfo& s, float knobValue) {
    const KnobValue model = knobModel(s, knobValue);
    return knob_value_fraction(&model);
}

float knobValueAtFraction(const SettingInfo& s, float fraction) {
    KnobValue model = knobModel(s, s.defaultValue);
    knob_value_at_fraction(&model, fraction);
    return model.current;
}

void formatSettingDisplay(const SettingInfo& s, float stored, char* text) {
    float shown = knobValueOf(s, appliedValue(s, stored));
    if (s.scale == SettingScale::ShownInDecibels) shown = gainToDecibels(shown);
    char full[kValueTextCapacity];
    for (int32_t decimals = kKnobDigits; decimals >= 0; --decimals) {
        format_value(shown, full, sizeof full, static_cast<uint8_t>(decimals), 0, 1);
        if (std::strlen(full) < kSettingTextSize) {
            std::memcpy(text, full, std::strlen(full) + 1);
            return;
        }
    }
    // Far outside any knob's range: the magnitude is what matters.
    std::snprintf(text, kSettingTextSize, "%+.1e", static_cast<double>(shown));
}
