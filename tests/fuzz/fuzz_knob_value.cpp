// Any range, step, scale, end angles and value: the knob's arithmetic never
// crashes, never gives a non-finite angle, and keeps every value it makes
// inside the range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "toolkit/knob/KnobValue.h"

namespace {

void check(const KnobValue& v) {
    const float angle = knob_value_angle(&v);
    if (!std::isfinite(angle) || angle < 0.0f || angle >= kTwoPi) __builtin_trap();
    if (v.min <= v.max && (v.current < v.min || v.current > v.max)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    struct Input {
        float min, max, defaultValue, step, angle;
        uint32_t flags;
        uint16_t angleMin, angleMax;
        int32_t steps;
    } in;
    if (size < sizeof in) return 0;
    std::memcpy(&in, data, sizeof in);

    KnobValue v = {};
    v.min = in.min;
    v.max = in.max;
    v.defaultValue = in.defaultValue;
    v.step = in.step;
    v.valueFlags = in.flags;
    knob_value_setup(&v, in.angleMin, in.angleMax);
    const bool finite = std::isfinite(in.min) && std::isfinite(in.max);
    if (finite) check(v);

    knob_value_step(&v, in.steps);
    if (finite) check(v);
    knob_value_at_angle(&v, in.angle);
    if (finite) check(v);
    // value -> angle -> value stays in the range.
    knob_value_at_angle(&v, knob_value_angle(&v));
    if (finite) check(v);
    return 0;
}
