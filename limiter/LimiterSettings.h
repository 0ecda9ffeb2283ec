#pragma once
// The limiter's four settings, each described once: the editor's knobs, the
// host parameters and the host program take their names, units, ranges,
// defaults and steps from this table. Portable: no Windows headers.
//
// A setting has two forms: the knob's value (what the user sets and reads,
// gain in decibels) and the stored field of the 64-byte block (gain as a
// linear factor). Ranges, defaults and steps are in the knob's form.
#include <cstddef>
#include <cstdint>

#include "limiter/LimiterParams.h"

// The host parameters' order, and the index into kSettings.
enum SettingIndex : int32_t {
    kCompressionSetting = 0,
    kGainSetting = 1,
    kVelocitySetting = 2,
    kLimitSetting = 3,
    kSettingCount = 4,
};

enum class SettingScale : uint8_t {
    Plain,            // a linear travel over the value as it is shown
    Logarithmic,      // a logarithmic travel
    ShownInDecibels,  // a linear travel over a factor shown as 20 log10 of it
};

struct SettingInfo {
    const char* word;           // "compression": the host program's option and report
    const char* parameterName;  // the host parameter's name, at most 8 characters
    const char* unit;           // the host parameter's label
    float min, max, defaultValue, step;
    SettingScale scale;
    bool storedAsGain;          // the knob's value is decibels, the field 10^(dB * 0.05)
    float ChannelParams::*field;
    // The span of stored values the engine applies; a field outside it is
    // applied at the nearest end. Only the ceiling is bounded: it alone
    // scales the output past full scale.
    float lowestApplied, highestApplied;
};

extern const SettingInfo kSettings[kSettingCount];

// Host texts (names, labels, displays): 8 characters and the terminator.
constexpr std::size_t kSettingTextSize = 9;

// The toolkit's one conversion between decibels and a linear factor
// (toolkit/ValueText.h), rounded to float32.
float decibelsToGain(float decibels);
float gainToDecibels(float gain);

float storedOf(const SettingInfo& setting, float knobValue);
// The knob's form of a stored field, not limited to the range.
float knobValueOf(const SettingInfo& setting, float stored);
// What the engine drives for a stored field: a field that is not a finite
// number drives the default, one outside the applied span its nearest end.
float appliedValue(const SettingInfo& setting, float stored);
// The block a fresh engine holds, one channel of it.
ChannelParams defaultChannelParams();

// Whether a knob value lies inside the knob's range.
bool inKnobRange(const SettingInfo& setting, float knobValue);
// Where a stored field sits on its knob: what the engine applies, at the
// nearest end of the knob's range when outside it.
float knobPositionOf(const SettingInfo& setting, float stored);
// Fractions of the knob's travel (0 at min, 1 at max), on its scale.
float fractionOfKnobValue(const SettingInfo& setting, float knobValue);
float knobValueAtFraction(const SettingInfo& setting, float fraction);

// The value the engine applies, as the knob's menu writes its current
// value: decimals as the knob shows them, a sign, decibels for a factor
// shown in decibels; fewer decimals when 8 characters cannot hold them.
void formatSettingDisplay(const SettingInfo& setting, float stored, char* text);
