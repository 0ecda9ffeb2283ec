#pragma once
// Where the host's audio calls enter: picks the buffers each channel reads
// and writes and calls the engine's block operation.
#include <cstdint>

#include "limiter/LimiterEngine.h"

enum class StoreForm { Add, Replace };

// inputs/outputs are the host's arrays of two channel buffers. Nothing happens
// for a missing first input or output, fewer than one frame, or a sample rate
// of 100 Hz or less.
void routeAudioBlock(LimiterEngine** slot, float sampleRate, float** inputs, float** outputs,
                     int32_t frames, StoreForm form);
