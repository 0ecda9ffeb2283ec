#pragma once
// The arithmetic of the knob adjust window: the working range and the three
// ruler resolutions derived from a knob's range, the value drag, and where
// the window fits on the screen. Portable: no Windows headers.
#include <cstdint>

struct AdjustScale {
    float value;  // working value (decibels when the knob shows decibels)
    float lo, hi; // lo <= hi
    float span;
    float steps[3];  // value per pixel row: coarse, fine, extra fine
    int32_t digits;  // decimals of the labels and value boxes, 1 to 5
    float knobMin, knobMax;  // the knob's own range, which every value sent keeps
    // The working value is origin plus rows of each ruler, so that drags
    // that cancel out return it exactly.
    float origin;
    int64_t rows[3];
};

// The rulers for a knob at `current` in [min, max]. With decibels the
// values become whole decibels: the working value cut toward zero, the ends
// rounded inward (so that the rulers hold no value the knob refuses),
// unless that leaves no span, as in a range inside one decibel: those keep
// their exact decibel values. Steps come from the decade of the span
// (1/1000, 1/100000 and 1/10000000 of it rounded up to a power of ten); an
// empty span counts as the decade of 1.
AdjustScale adjust_scale(float current, float min, float max, int32_t decibels);

// Moves the working value by n rows of ruler column (1 to 3), within
// [lo, hi]. Returns 1 when the value changed.
int32_t adjust_drag(AdjustScale* scale, int32_t column, int32_t n);

// The value a knob stores for the working value: inside the knob's range.
float adjust_knob_value(const AdjustScale* scale, int32_t decibels);

// Moves a width x height rectangle at (*x, *y) by the least amount that puts
// it inside the area [left, right) x [top, bottom); when it is larger than
// the area its top-left corner goes to the area's.
void fit_inside(int32_t* x, int32_t* y, int32_t width, int32_t height, int32_t left,
                int32_t top, int32_t right, int32_t bottom);
