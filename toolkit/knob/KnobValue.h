#pragma once
// The knob's value record and the arithmetic between a value and the
// pointer's angle, on a linear or a logarithmic scale. Portable: no Windows
// headers.
//
// Angles are radians counter-clockwise from 3 o'clock (the screen's y axis
// points down); the travel runs clockwise from thetaMin to thetaMax.
#include <cstdint>

#include "toolkit/StepTrail.h"

constexpr float kTwoPi = 6.2831855f;
constexpr float kRadiansPerDegree = 0.017453292f;
// Decimals of the texts of a knob made by create_knob.
constexpr int32_t kKnobDigits = 3;

struct KnobValue {
    float min;
    float max;
    float defaultValue;
    float step;          // an increment (linear) or a factor (logarithmic)
    int32_t digits;      // decimals of the value's texts
    uint32_t valueFlags; // the knob style; only KNOB_LOG is read here
    float current;
    float thetaMin;
    float thetaMax;
    float scale;         // radians per unit (linear); per-radian factor (logarithmic)
    float inverseScale;  // units per radian (linear)
};
static_assert(sizeof(KnobValue) == 44, "KnobValue is eleven 32-bit fields");

// current = default; computes thetaMin, thetaMax, scale and inverseScale
// from the end angles in degrees. Returns the sweep (radians of travel).
float knob_value_setup(KnobValue* value, uint16_t angleMin, uint16_t angleMax);
// Radians of travel from thetaMin clockwise to thetaMax.
float knob_value_sweep(const KnobValue* value);
// The pointer angle of current, in [0, 2*pi).
float knob_value_angle(const KnobValue* value);
// Sets current to the value at angle; 1 when current changed, else 0.
int32_t knob_value_at_angle(KnobValue* value, float angle);
// Moves current by n steps, limited to [min, max]; 1 when it changed. The
// step is taken from the trail's origin when it continues the trail's run
// (a null trail runs from current alone).
int32_t knob_value_step(KnobValue* value, int32_t n, StepTrail* trail = nullptr);

// Where current lies along the travel, whatever the angles: 0 at min, 1 at
// max, in between on the knob's linear or logarithmic scale. A current
// outside the range gives the nearest end.
float knob_value_fraction(const KnobValue* value);
// Sets current to the value at a fraction of the travel; a fraction outside
// [0, 1] is taken at the nearest end, which is min or max exactly, and NaN
// changes nothing. 1 when current changed.
int32_t knob_value_at_fraction(KnobValue* value, float fraction);
