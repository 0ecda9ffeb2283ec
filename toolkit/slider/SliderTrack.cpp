#include "toolkit/slider/SliderTrack.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

float lower(const SliderValue* value) { return value->min < value->max ? value->min : value->max; }
float upper(const SliderValue* value) { return value->min < value->max ? value->max : value->min; }

// v brought into the range; NaN keeps the current value.
float clampToRange(const SliderValue* value, double v) {
    if (std::isnan(v)) return value->current;
    if (v <= lower(value)) return lower(value);
    if (v >= upper(value)) return upper(value);
    return static_cast<float>(v);
}

// A scale a float can hold; 0 for none.
float scaleOf(double ratio) { return std::fabs(ratio) <= FLT_MAX ? static_cast<float>(ratio) : 0.0f; }

int32_t store(SliderValue* value, float v) {
    if (v == value->current) return 0;
    value->current = v;
    return 1;
}

}  // namespace

void slider_value_setup(SliderValue* value, const SliderTravel& travel) {
    if (!std::isfinite(value->min)) value->min = 0.0f;
    if (!std::isfinite(value->max)) value->max = value->min;
    value->valueFlags &= ~SLIDER_LOG;
    if (travel.horizontal)
        value->valueFlags |= SLIDER_HORIZONTAL;
    else
        value->valueFlags &= ~SLIDER_HORIZONTAL;

    const double free = static_cast<double>(travel.trackLength) - travel.thumbLength;
    if (travel.horizontal) {
        value->positionMin = static_cast<float>(travel.marginAtMin);
        value->positionMax = static_cast<float>(free - travel.marginAtMax);
    } else {
        value->positionMin = static_cast<float>(free - travel.marginAtMin);
        value->positionMax = static_cast<float>(travel.marginAtMax);
    }

    const double span = static_cast<double>(value->max) - value->min;
    const double pixels = static_cast<double>(value->positionMax) - value->positionMin;
    // A range without extent has no scale: the thumb stays at the minimum end.
    value->pixelsPerUnit = span != 0.0 ? scaleOf(pixels / span) : 0.0f;
    value->unitsPerPixel = span != 0.0 && pixels != 0.0 ? scaleOf(span / pixels) : 0.0f;

    value->current = value->min;
    value->defaultValue = clampToRange(value, value->defaultValue);
    value->current = value->defaultValue;
}

float slider_position_of(const SliderValue* value, float v) {
    const double p = value->positionMin + (static_cast<double>(v) - value->min) * value->pixelsPerUnit;
    const float a = value->positionMin, b = value->positionMax;
    if (std::isnan(p)) return a;
    if (p <= (a < b ? a : b)) return a < b ? a : b;
    if (p >= (a < b ? b : a)) return a < b ? b : a;
    return static_cast<float>(p);
}

float slider_value_at(const SliderValue* value, float p) {
    const double v = (static_cast<double>(p) - value->positionMin) * value->unitsPerPixel + value->min;
    return clampToRange(value, v);
}

int32_t slider_pixel(float position) {
    if (std::isnan(position)) return 0;
    if (position >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
    if (position <= -2147483648.0f) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(position);
}

int32_t slider_set(SliderValue* value, float v) {
    // NaN fails both comparisons and is refused with the values outside.
    if (!(v >= lower(value) && v <= upper(value))) return 0;
    return store(value, v);
}

int32_t slider_step(SliderValue* value, int32_t n, StepTrail* trail) {
    if (n == 0) return 0;
    const StepStart start = step_trail_start(trail, value->current, n);
    // Toward the maximum end is toward max, which lies below min on a
    // reversed slider.
    const double towardMax = value->min <= value->max ? 1.0 : -1.0;
    const int32_t changed =
        store(value, clampToRange(value, start.origin + towardMax * start.steps * value->step));
    step_trail_arrive(trail, value->current,
                      value->current == lower(value) || value->current == upper(value));
    return changed;
}

int32_t slider_arrow_steps(int32_t arrow, bool horizontal) {
    switch (arrow) {
        case kArrowUp: return 10;
        case kArrowDown: return -10;
        // The vertical slider's maximum end is at the top: Left raises it.
        case kArrowLeft: return horizontal ? -1 : 1;
        case kArrowRight: return horizontal ? 1 : -1;
    }
    return 0;
}

int32_t slider_drag_steps(int32_t dx, int32_t dy, bool horizontal) {
    return horizontal ? dx : static_cast<int32_t>(-int64_t{dy});
}
