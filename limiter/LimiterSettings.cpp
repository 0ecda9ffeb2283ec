#include "limiter/LimiterSettings.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "toolkit/ValueText.h"
#include "toolkit/knob/KnobStyle.h"

namespace {
constexpr float kUnbounded = std::numeric_limits<float>::infinity();
}  // namespace

// The ceiling is applied from silence (0) to +12 dBFS (4): a corrupted
// preset can neither blast nor invert the output. Gain and compression are
// applied from 0 to 64 (the knobs reach 15.85 and 8): neither inverts, and
// the tiny offset every input sample carries stays far below hearing (a
// silent input comes out below 1e-25) instead of becoming DC at full scale.
const SettingInfo kSettings[kSettingCount] = {
    {"compression", "", "Compress", SettingUnit::Number, 1.0f, 8.0f, 1.0f, 0.02f,
     SettingScale::Plain, &ChannelParams::compression, 0.0f, 64.0f},
    {"gain", "", "Gain", SettingUnit::Decibels, -24.0f, 24.0f, 0.0f, 0.05f, SettingScale::Plain,
     &ChannelParams::gain, 0.0f, 64.0f},
    {"velocity", "release speed", "Velocity", SettingUnit::Percent, 1.0f, 100.0f, 5.0f, 0.1f,
     SettingScale::Plain, &ChannelParams::velocity, -kUnbounded, kUnbounded},
    {"limit", "output ceiling", "Limit", SettingUnit::FactorInDecibels, 0.25f, 1.0f, 1.0f, 0.005f,
     SettingScale::Plain, &ChannelParams::limit, 0.0f, 4.0f},
};

const char* unitLabel(const SettingInfo& s) {
    switch (s.unit) {
        case SettingUnit::Percent: return "%";
        case SettingUnit::Decibels:
        case SettingUnit::FactorInDecibels: return "dB";
        case SettingUnit::Number: break;
    }
    return "";
}

bool knobInDecibels(const SettingInfo& s) { return s.unit == SettingUnit::Decibels; }

bool factorShownInDecibels(const SettingInfo& s) { return s.unit == SettingUnit::FactorInDecibels; }

KnobValue settingKnobModel(const SettingInfo& s, float current) {
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

float decibelsToGain(float decibels) { return static_cast<float>(decibels_to_factor(decibels)); }

float gainToDecibels(float gain) {
    if (gain <= 0.0f) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(factor_to_decibels(gain));
}

float storedOf(const SettingInfo& s, float knobValue) {
    return knobInDecibels(s) ? decibelsToGain(knobValue) : knobValue;
}

float knobValueOf(const SettingInfo& s, float stored) {
    return knobInDecibels(s) ? gainToDecibels(stored) : stored;
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

bool storedInKnobRange(const SettingInfo& s, float stored) {
    return stored >= storedOf(s, s.min) && stored <= storedOf(s, s.max);
}

// A gain of zero or below has no decibels: it sits at the bottom.
float knobPositionOf(const SettingInfo& s, float stored) {
    const float v = knobValueOf(s, appliedValue(s, stored));
    if (!(v > s.min)) return s.min;
    return v >= s.max ? s.max : v;
}

float fractionOfKnobValue(const SettingInfo& s, float knobValue) {
    const KnobValue model = settingKnobModel(s, knobValue);
    return knob_value_fraction(&model);
}

namespace {

// How far, in float steps of the range's larger end, a value that a fraction
// maps to may lie from a knob step and still be taken as that step: a float
// fraction carries the step's value to within about two.
constexpr float kStepSnapUlps = 4.0f;

// The knob's step nearest `value`, as its keys reach it from the default.
float nearestKnobStep(const SettingInfo& s, float value) {
    const long steps = std::lround((static_cast<double>(value) - s.defaultValue) / s.step);
    KnobValue model = settingKnobModel(s, s.defaultValue);
    knob_value_step(&model, static_cast<int32_t>(steps));
    return model.current;
}

}  // namespace

float knobValueAtFraction(const SettingInfo& s, float fraction) {
    KnobValue model = settingKnobModel(s, s.defaultValue);
    knob_value_at_fraction(&model, fraction);
    const float value = model.current;
    const float step = nearestKnobStep(s, value);
    const float end = std::fmax(std::fabs(s.min), std::fabs(s.max));
    const float tolerance = kStepSnapUlps * (std::nextafter(end, kUnbounded) - end);
    return std::fabs(value - step) <= tolerance ? step : value;
}

void formatSettingDisplay(const SettingInfo& s, float stored, char* text) {
    float shown = knobValueOf(s, appliedValue(s, stored));
    if (factorShownInDecibels(s)) shown = gainToDecibels(shown);
    char full[kValueTextCapacity];
    for (int32_t decimals = kSettingDecimals; decimals >= 0; --decimals) {
        format_value(shown, full, sizeof full, static_cast<uint8_t>(decimals), 0, 1);
        if (std::strlen(full) < kValueTextSize) {
            std::memcpy(text, full, std::strlen(full) + 1);
            return;
        }
    }
    // Far outside any knob's range: the magnitude is what matters.
    std::snprintf(text, kValueTextSize, "%+.1e", static_cast<double>(shown));
}
