#pragma once
// The last pass over a block, one channel at a time: the limited sample times
// the output ceiling, written over the host's output or added to it, rounded
// to float once. Vectorised by the compiler like the shaping pass.
#include <cstdint>

void storeReplacing(const double* o, float* out, int32_t count, double limit);
void storeAdding(const double* o, float* out, int32_t count, double limit);

// The same with a ceiling per sample (the first samples of a ramp).
void storeReplacingRamped(const double* o, float* out, int32_t count, const float* limit);
void storeAddingRamped(const double* o, float* out, int32_t count, const float* limit);
