#pragma once
// The first pass over a block, one channel at a time: each input sample
// through the waveshaper and the input gain, rounded to float (y). Nothing in
// it depends on an earlier sample, so the compiler vectorises it.
#include <cstdint>

// y[i] from in[i] with one drive and gain for the whole stretch.
void shapeSamples(const float* in, float* y, int32_t count, double drive, double gain);

// The same with a drive and gain per sample (the first samples of a ramp).
void shapeRampedSamples(const float* in, float* y, int32_t count, const float* drive,
                        const float* gain);
