// Any range, step, track, thumb, margins, position and gesture: the slider's
// arithmetic never crashes, keeps its value in the range and its thumb on
// the track.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "toolkit/WheelSteps.h"
#include "toolkit/slider/SliderTrack.h"

namespace {

void check(const SliderValue& v) {
    const float lower = v.min < v.max ? v.min : v.max, upper = v.min < v.max ? v.max : v.min;
    if (!(v.current >= lower && v.current <= upper)) __builtin_trap();
    const float p = slider_position_of(&v, v.current);
    const float a = v.positionMin < v.positionMax ? v.positionMin : v.positionMax;
    const float b = v.positionMin < v.positionMax ? v.positionMax : v.positionMin;
    if (!(p >= a && p <= b)) __builtin_trap();
    slider_pixel(p);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    struct Input {
        float min, max, defaultValue, step, position, set;
        int32_t trackLength, thumbLength;
        uint16_t marginAtMin, marginAtMax;
        int32_t steps;
        int16_t dx, dy, wheel, arrow;
        uint8_t horizontal;
    } in;
    if (size < sizeof in) return 0;
    std::memcpy(&in, data, sizeof in);

    SliderValue v = {};
    v.min = in.min;
    v.max = in.max;
    v.defaultValue = in.defaultValue;
    v.step = in.step;
    const bool horizontal = in.horizontal & 1;
    slider_value_setup(&v, {horizontal, in.trackLength, in.thumbLength, in.marginAtMin, in.marginAtMax});
    check(v);
    slider_step(&v, in.steps);
    check(v);
    slider_step(&v, slider_drag_steps(in.dx, in.dy, horizontal));
    int32_t wheelPending = 0;
    for (int turn = 0; turn < 2; ++turn)
        slider_step(&v, wheel_steps(&wheelPending, in.wheel, kWheelValueStepsPerNotch));
    slider_step(&v, slider_arrow_steps(in.arrow, horizontal));
    check(v);
    slider_set(&v, slider_value_at(&v, in.position));
    check(v);
    slider_set(&v, in.set);
    check(v);
    slider_pixel(in.position);
    return 0;
}
