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
#include "plugin/ValueText.h"
#include "toolkit/knob/KnobValue.h"

// The host parameters' order, and the index into kSettings.
enum SettingIndex : int32_t {
    kCompressionSetting = 0,
    kGainSetting = 1,
    kVelocitySetting = 2,
    kLimitSetting = 3,
    kSettingCount = 4,
};

enum class SettingScale : uint8_t {
    Plain,        // a linear travel
    Logarithmic,  // a logarithmic travel
};

// What a setting's number means, said once for every reader: the host
// parameter's label, the knob's text, the host program's options.
enum class SettingUnit : uint8_t {
    Number,           // a plain number
    Percent,          // a plain number of per cent
    Decibels,         // the knob's value is decibels, the stored field 10^(dB * 0.05)
    FactorInDecibels, // the knob's value is the stored factor, shown as 20 log10 of it
};

struct SettingInfo {
    const char* word;           // "compression": the host program's option and report
    const char* role;           // what the host program's usage says it does, or ""
    const char* parameterName;  // the host parameter's name, at most 8 characters
    SettingUnit unit;
    float min, max, defaultValue, step;
    SettingScale scale;
    float ChannelParams::*field;
    // The span of stored values the engine applies; a field outside it is
    // applied at the nearest end, so that no stored value, however far out,
    // drives the output to full scale or past the highest ceiling.
    float lowestApplied, highestApplied;
};

extern const SettingInfo kSettings[kSettingCount];

// Host texts (names, labels, displays) are kValueTextSize bytes: 8
// characters and the terminator. Values are written with the knob's
// decimals, fewer only where 8 characters cannot hold them.
constexpr int32_t kSettingDecimals = kKnobDigits;

// The toolkit's one conversion between decibels and a linear factor
// (toolkit/ValueText.h), rounded to float32. A factor of zero or below has
// no level: -inf decibels.
float decibelsToGain(float decibels);
float gainToDecibels(float gain);

// The host parameter's label: "dB", "%" or "".
const char* unitLabel(const SettingInfo& setting);
// Whether the knob's value (and the host program's option) is in decibels.
bool knobInDecibels(const SettingInfo& setting);
// Whether the knob's value is a factor shown in decibels.
bool factorShownInDecibels(const SettingInfo& setting);

float storedOf(const SettingInfo& setting, float knobValue);
// The knob's form of a stored field, not limited to the range.
float knobValueOf(const SettingInfo& setting, float stored);
// What the engine drives for a stored field: a field that is not a finite
// number drives the default, one outside the applied span its nearest end.
float appliedValue(const SettingInfo& setting, float stored);
// The block a fresh engine holds, one channel of it.
ChannelParams defaultChannelParams();

// Whether a stored field lies inside its knob's range: between what the
// knob stores at its two ends, so a gain set at +24 dB is inside to the bit.
bool storedInKnobRange(const SettingInfo& setting, float stored);
// Where a stored field sits on its knob: what the engine applies, at the
// nearest end of the knob's range when outside it.
float knobPositionOf(const SettingInfo& setting, float stored);
// The knob's value model over the setting's range, holding `current`.
KnobValue settingKnobModel(const SettingInfo& setting, float current);
// Fractions of the knob's travel (0 at min, 1 at max), on its scale.
float fractionOfKnobValue(const SettingInfo& setting, float knobValue);
// The knob's value at a fraction. A fraction that maps to within a few float
// steps of one of the knob's steps (the values its keys reach from the
// default) gives that step exactly, so that a knob's value recorded as a
// fraction comes back to the bit; values between steps stay as they map.
float knobValueAtFraction(const SettingInfo& setting, float fraction);

// The value the engine applies, as the knob's menu writes its current
// value: decimals as the knob shows them, a sign, decibels for a factor
// shown in decibels; fewer decimals when 8 characters cannot hold them.
void formatSettingDisplay(const SettingInfo& setting, float stored, char* text);
