#include "toolkit/knob/KnobValue.h"

#include <cmath>

#include "toolkit/knob/KnobStyle.h"

namespace {

// A logarithmic scale needs a positive range; anything else runs linearly.
bool isLogarithmic(const KnobValue* value) {
    return (value->valueFlags & KNOB_LOG) != 0 && value->min > 0.0f && value->max > 0.0f;
}

// The range is usable for arithmetic: ordered, finite and not empty.
bool hasSpan(const KnobValue* value) {
    const float span = value->max - value->min;
    return std::isfinite(span) && span > 0.0f;
}

float clampToRange(const KnobValue* value, float v) {
    if (std::isnan(v)) return value->current;
    if (v >= value->max) return value->max;
    if (v <= value->min) return value->min;
    return v;
}

int32_t store(KnobValue* value, float v) {
    v = clampToRange(value, v);
    if (v == value->current) return 0;
    value->current = v;
    return 1;
}

// Degrees name a position on the dial: whole turns add nothing.
float radians(uint16_t degrees) { return static_cast<float>(degrees % 360) * kRadiansPerDegree; }

}  // namespace

float knob_value_sweep(const KnobValue* value) {
    float sweep = value->thetaMin - value->thetaMax;
    if (value->thetaMin <= value->thetaMax) sweep += kTwoPi;
    return sweep;
}

float knob_value_setup(KnobValue* value, uint16_t angleMin, uint16_t angleMax) {
    // A range given backwards is the same range; a value outside the finite
    // numbers has no place on a dial.
    if (!std::isfinite(value->min)) value->min = 0.0f;
    if (!std::isfinite(value->max)) value->max = value->min;
    if (value->min > value->max) {
        const float lower = value->max;
        value->max = value->min;
        value->min = lower;
    }
    value->thetaMin = radians(angleMin);
    value->thetaMax = radians(angleMax);
    const float sweep = knob_value_sweep(value);

    value->scale = 0.0f;
    value->inverseScale = 0.0f;
    if (hasSpan(value)) {
        if (isLogarithmic(value)) {
            value->scale = static_cast<float>(
                std::pow(static_cast<double>(value->max) / value->min, 1.0 / sweep));
        } else {
            value->scale = sweep / (value->max - value->min);
            value->inverseScale = (value->max - value->min) / sweep;
        }
    }
    value->current = value->min;
    value->current = clampToRange(value, value->defaultValue);
    return sweep;
}

float knob_value_angle(const KnobValue* value) {
    float a = value->thetaMin;
    if (hasSpan(value)) {
        if (isLogarithmic(value)) {
            const double logScale = std::log(static_cast<double>(value->scale));
            if (logScale > 0.0)
                a = static_cast<float>(value->thetaMin -
                                       std::log(static_cast<double>(value->current) / value->min) /
                                           logScale);
        } else {
            a = value->thetaMin - (value->current - value->min) * value->scale;
        }
    }
    if (!std::isfinite(a)) a = value->thetaMin;
    if (a < 0.0f) a += kTwoPi;
    if (a >= kTwoPi || a < 0.0f) a = 0.0f;
    return a;
}

int32_t knob_value_at_angle(KnobValue* value, float angle) {
    if (!hasSpan(value) || !std::isfinite(angle)) return 0;
    const float offset =
        angle <= value->thetaMin ? value->thetaMin - angle : kTwoPi - angle + value->thetaMin;
    // The two ends are the range's ends exactly, whatever the rounding on
    // the way.
    if (offset <= 0.0f) return store(value, value->min);
    if (offset >= knob_value_sweep(value)) return store(value, value->max);
    float v;
    if (isLogarithmic(value))
        v = static_cast<float>(value->min * std::pow(static_cast<double>(value->scale), offset));
    else
        v = value->min + offset * value->inverseScale;
    return store(value, v);
}

int32_t knob_value_step(KnobValue* value, int32_t n, StepTrail* trail) {
    if (n == 0) return 0;
    const StepStart start = step_trail_start(trail, value->current, n);
    float v;
    if (isLogarithmic(value))
        v = static_cast<float>(start.origin * std::pow(static_cast<double>(value->step), start.steps));
    else
        v = static_cast<float>(start.origin + start.steps * value->step);
    const int32_t changed = store(value, v);
    step_trail_arrive(trail, value->current,
                      value->current == value->min || value->current == value->max);
    return changed;
}

// Both directions run in double and round once, so that every value of the
// knob's steps comes back from its fraction to the same float.
float knob_value_fraction(const KnobValue* value) {
    if (!hasSpan(value) || std::isnan(value->current) || value->current <= value->min) return 0.0f;
    if (value->current >= value->max) return 1.0f;
    const double min = value->min;
    if (isLogarithmic(value))
        return static_cast<float>(std::log(value->current / min) / std::log(value->max / min));
    return static_cast<float>((value->current - min) / (value->max - min));
}

int32_t knob_value_at_fraction(KnobValue* value, float fraction) {
    if (std::isnan(fraction)) return 0;
    if (!hasSpan(value) || fraction <= 0.0f) return store(value, value->min);
    if (fraction >= 1.0f) return store(value, value->max);
    const double min = value->min;
    if (isLogarithmic(value))
        return store(value, static_cast<float>(min * std::pow(value->max / min, static_cast<double>(fraction))));
    return store(value, static_cast<float>(min + fraction * (value->max - min)));
}
