#include "toolkit/knob/AdjustScale.h"

#include <cmath>

#include "toolkit/ValueText.h"

namespace {

// The quietest level a decibel ruler shows: silence (0) has no logarithm.
constexpr double kDecibelFloor = -200.0;

double decibels(float linear) {
    const double db = factor_to_decibels(linear);
    return std::isfinite(db) && db > kDecibelFloor ? db : kDecibelFloor;
}

float clampTo(float v, float lo, float hi) { return v > hi ? hi : (v < lo ? lo : v); }

int32_t decade(float span) {
    if (!(span > 0.0f) || !std::isfinite(span)) return 0;
    const double a = std::log10(static_cast<double>(span));
    return static_cast<int32_t>(a >= 0.0 ? std::ceil(a) : std::floor(a));
}

void fitAxis(int32_t* p, int32_t size, int32_t low, int32_t high) {
    if (*p + size > high) *p = high - size;
    if (*p < low) *p = low;
}

}  // namespace

AdjustScale adjust_scale(float current, float min, float max, int32_t decibels_) {
    AdjustScale s = {};
    s.value = current;
    s.lo = min;
    s.hi = max;
    if (s.lo > s.hi) {
        const float t = s.lo;
        s.lo = s.hi;
        s.hi = t;
    }
    s.knobMin = s.lo;
    s.knobMax = s.hi;
    if (decibels_) {
        const double value = decibels(s.value), lo = decibels(s.lo), hi = decibels(s.hi);
        s.value = static_cast<float>(std::trunc(value));
        s.lo = static_cast<float>(std::ceil(lo)) + 0.0f;  // ceil(-0.4) is -0
        s.hi = static_cast<float>(std::floor(hi));
        // Whole decibels would leave a narrow range without any travel.
        if (!(s.hi > s.lo)) {
            s.value = static_cast<float>(value);
            s.lo = static_cast<float>(lo);
            s.hi = static_cast<float>(hi);
        }
    }
    if (!std::isfinite(s.value)) s.value = s.lo;
    // + 0.0f: a value cut to -0 is 0.
    s.value = clampTo(s.value, s.lo, s.hi) + 0.0f;
    s.origin = s.value;
    s.span = s.hi - s.lo;

    const int32_t d = decade(s.span);
    const float unit = static_cast<float>(std::pow(10.0, d));
    s.steps[0] = unit * 0.001f;
    s.steps[1] = unit * 0.00001f;
    s.steps[2] = unit * 0.0000001f;
    const int32_t digits = 6 - d;
    s.digits = digits < 1 ? 1 : (digits > 5 ? 5 : digits);
    return s;
}

int32_t adjust_drag(AdjustScale* scale, int32_t column, int32_t n) {
    if (column < 1 || column > 3 || n == 0) return 0;
    scale->rows[column - 1] += n;
    double v = scale->origin;
    for (int32_t k = 0; k < 3; ++k) v += static_cast<double>(scale->rows[k]) * scale->steps[k];
    // At an end the next drag starts from there, so that it leaves at once.
    if (!(v > scale->lo && v < scale->hi)) {
        v = !(v > scale->lo) ? scale->lo : scale->hi;
        scale->origin = static_cast<float>(v);
        for (int64_t& rows : scale->rows) rows = 0;
    }
    const float value = static_cast<float>(v) + 0.0f;
    if (value == scale->value) return 0;
    scale->value = value;
    return 1;
}

float adjust_knob_value(const AdjustScale* scale, int32_t decibels_) {
    const float v = decibels_ ? static_cast<float>(decibels_to_factor(scale->value))
                              : scale->value;
    return clampTo(v, scale->knobMin, scale->knobMax);
}

void fit_inside(int32_t* x, int32_t* y, int32_t width, int32_t height, int32_t left,
                int32_t top, int32_t right, int32_t bottom) {
    fitAxis(x, width, left, right);
    fitAxis(y, height, top, bottom);
}
