// The engine accepts any 64-byte block (a host may load any chunk) and any
// samples: it must never crash, and with a finite ceiling the replacing form
// must never hand the host a non-finite sample.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "limiter/LimiterEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(LimiterParams) + 2) return 0;
    LimiterEngine* engine = createEngine();
    if (!engine) return 0;
    configureEngine(&engine, 44100.0f, 2);
    LimiterParams params;
    std::memcpy(&params, data, sizeof params);
    setParams(engine, &params);
    data += sizeof params;
    size -= sizeof params;

    const size_t frames = size / sizeof(float);
    std::vector<float> in(frames), out1(frames), out2(frames);
    if (frames) std::memcpy(in.data(), data, frames * sizeof(float));
    // Two blocks: one that ramps, one that does not.
    const int32_t first = static_cast<int32_t>(frames / 2);
    processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), first);
    processBlockReplace(&engine, in.data() + first, in.data() + first, out1.data() + first,
                        out2.data() + first, static_cast<int32_t>(frames) - first);
    const bool finiteCeilings = std::isfinite(params.channel[0].limit) && std::isfinite(params.channel[1].limit);
    if (finiteCeilings) {
        for (size_t i = 0; i < frames; ++i) {
            if (!std::isfinite(out1[i]) || !std::isfinite(out2[i])) __builtin_trap();
        }
    }
    destroyEngine(&engine);
    return 0;
}
