#include "limiter/BufferRouting.h"

void routeAudioBlock(LimiterEngine** slot, float sampleRate, float** inputs, float** outputs,
                     int32_t frames, StoreForm form) {
    if (!inputs || !outputs) return;
    const float* in1 = inputs[0];
    float* out1 = outputs[0];
    if (!in1 || !out1 || frames < 1) return;
    const float* in2 = inputs[1];
    float* out2 = outputs[1];
    if (!out2 || out2 == out1) {
        in2 = nullptr;  // channel 2 has nowhere of its own to go
    } else if (!in2) {
        in2 = in1;  // a mono source feeds both channels
    }
    if (!(sampleRate > 100.0f)) return;
    if (form == StoreForm::Add) {
        processBlockAdd(slot, in1, in2, out1, out2, frames);
    } else {
        processBlockReplace(slot, in1, in2, out1, out2, frames);
    }
}
