#pragma once
// The slider's value block and the arithmetic between its value and the
// thumb's position along the track. Portable: no Windows headers.
//
// Every gesture is counted in steps toward the track's maximum end (right on
// a horizontal slider, top on a vertical one), so that keys, drags and the
// wheel move the thumb the same way on a reversed slider (minimum greater
// than maximum) as on a normal one.
#include <cstdint>

#include "toolkit/StepTrail.h"

// Style word and value flags: a horizontal slider (otherwise vertical).
constexpr uint32_t SLIDER_HORIZONTAL = 0x10000;
// Value flags: a logarithmic scale, which the slider does not offer; setup
// clears it.
constexpr uint32_t SLIDER_LOG = 0x10000000;

struct SliderValue {
    float min;           // value at the track's minimum end; may exceed max
    float max;
    float defaultValue;
    float step;
    int32_t decimals;    // low byte: decimals of the value's texts
    uint32_t valueFlags; // SLIDER_HORIZONTAL
    float current;
    float positionMin;   // thumb's leading edge at min and at max, pixels
    float positionMax;
    float pixelsPerUnit;
    float unitsPerPixel;
};
static_assert(sizeof(SliderValue) == 44, "SliderValue is eleven 32-bit fields");

// Where the thumb travels: the track's length and the thumb's length along
// it, and the margins kept free at the minimum and the maximum end.
struct SliderTravel {
    bool horizontal;
    int32_t trackLength;
    int32_t thumbLength;
    uint16_t marginAtMin;
    uint16_t marginAtMax;
};

// Sets the track ends and both scales, makes the range finite, and starts at
// the default (brought into the range). A range without extent (min equal to
// max) keeps the thumb at the minimum end.
void slider_value_setup(SliderValue* value, const SliderTravel& travel);

// The thumb's leading edge for value v: finite and between the track ends.
float slider_position_of(const SliderValue* value, float v);
// The value under track position p, limited to the range.
float slider_value_at(const SliderValue* value, float p);
// The thumb's pixel for a position (truncated; NaN gives 0).
int32_t slider_pixel(float position);

// Takes v when it lies in the range and differs from the value (values
// outside are refused, not clamped). 1 when the value changed.
int32_t slider_set(SliderValue* value, float v);
// Moves the value n steps toward the maximum end, limited to the range. 1
// when the value changed. The step is taken from the trail's origin when it
// continues the trail's run (a null trail runs from the value alone).
int32_t slider_step(SliderValue* value, int32_t n, StepTrail* trail = nullptr);

// Steps toward the maximum end of each gesture.
enum SliderArrow : int32_t { kArrowLeft = 37, kArrowUp = 38, kArrowRight = 39, kArrowDown = 40 };
int32_t slider_arrow_steps(int32_t arrow, bool horizontal);
// A drag by (dx, dy) pixels: the thumb follows the pointer, one step per pixel.
int32_t slider_drag_steps(int32_t dx, int32_t dy, bool horizontal);
