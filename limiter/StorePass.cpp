#include "limiter/StorePass.h"

void storeReplacing(const double* __restrict o, float* __restrict out, int32_t count,
                    double limit) {
    for (int32_t i = 0; i < count; ++i) out[i] = static_cast<float>(o[i] * limit);
}

void storeAdding(const double* __restrict o, float* __restrict out, int32_t count, double limit) {
    for (int32_t i = 0; i < count; ++i) {
        out[i] = static_cast<float>(static_cast<double>(out[i]) + o[i] * limit);
    }
}

void storeReplacingRamped(const double* __restrict o, float* __restrict out, int32_t count,
                          const float* __restrict limit) {
    for (int32_t i = 0; i < count; ++i) {
        out[i] = static_cast<float>(o[i] * static_cast<double>(limit[i]));
    }
}

void storeAddingRamped(const double* __restrict o, float* __restrict out, int32_t count,
                       const float* __restrict limit) {
    for (int32_t i = 0; i < count; ++i) {
        const double ceiling = limit[i];
        out[i] = static_cast<float>(static_cast<double>(out[i]) + o[i] * ceiling);
    }
}
