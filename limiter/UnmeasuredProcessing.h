#pragma once
// The block operations without the gain measurement: the same output to the
// bit, nothing published. They exist so the benchmark can show, side by side
// in one run, what the measurement costs.
#include <cstdint>

struct LimiterEngine;

void processBlockAddUnmeasured(LimiterEngine** slot, const float* in1, const float* in2,
                               float* out1, float* out2, int32_t frames);
void processBlockReplaceUnmeasured(LimiterEngine** slot, const float* in1, const float* in2,
                                   float* out1, float* out2, int32_t frames);
