#pragma once
// What a turn of the mouse wheel scrolls or steps, for every control.
// Wheels report turns in parts of a notch (high-resolution wheels and
// touchpads in small parts); the part of a step not yet taken waits for the
// next turn. Portable: no Windows headers.
#include <cstdint>

// One notch, as the system counts it.
constexpr int32_t kWheelNotch = 120;
// Rows (2D list) or line steps (value grid) a notch scrolls.
constexpr int32_t kWheelLinesPerNotch = 3;
// Value steps a notch turns a knob or moves a slider.
constexpr int32_t kWheelValueStepsPerNotch = 5;

// The whole steps a turn of delta gives at stepsPerNotch steps a notch, in
// the direction of delta. What falls short of a step is kept in *pending (in
// steps x kWheelNotch) for the next turn the same way; a turn the other way
// starts afresh.
int32_t wheel_steps(int32_t* pending, int32_t delta, int32_t stepsPerNotch);
