// The engine accepts any 64-byte block (a host may load any chunk) and any
// samples: it must never crash, never hand the host a sample beyond its
// highest ceiling and, with a finite ceiling, never a non-finite sample; and
// whatever the chunk and the audio before, silent input must come out silent
// (below 1e-20), never as DC.
// Where the plain reference model applies (finite settings and samples,
// nothing overflowing float), the engine must agree with it bit for bit over
// a block at the defaults, one that ramps to the fuzzed settings and one that
// runs steady.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "limiter/LimiterEngine.h"
#include "limiter/LimiterSettings.h"
#include "tests/limiter/ReferenceLimiter.h"

namespace {

bool finite(float v) { return std::isfinite(v); }

const SettingInfo& kCeiling = kSettings[kLimitSetting];

constexpr int32_t kSilentFrames = 300;

// The highest ceiling times full scale, with room for the last bit.
const float kLoudest = kCeiling.highestApplied * 1.000001f;

// The reference has no guards for non-finite values or a shrinking envelope.
// A ramp's drive and gain lie between the defaults and the fuzzed values, so
// both bound the shaped samples.
bool referenceApplies(const LimiterParams& params, const std::vector<float>& in) {
    double largestInput = 0.0;
    for (float s : in) {
        if (!finite(s)) return false;
        largestInput = std::fmax(largestInput, std::fabs(static_cast<double>(s)));
    }
    for (const ChannelParams& p : params.channel) {
        if (!finite(p.compression) || !finite(p.gain) || !finite(p.velocity) || !finite(p.limit)) {
            return false;
        }
        // The reference applies any value; the engine bounds some.
        for (const SettingInfo& s : kSettings)
            if (p.*s.field < s.lowestApplied || p.*s.field > s.highestApplied) return false;
        if (static_cast<double>(p.velocity) * static_cast<double>(0.0001f) + 1.0 < 1.0) return false;
        const double drive = std::fmax(std::fabs(static_cast<double>(p.compression)), 1.0) + 1.0;
        const double gain = std::fmax(std::fabs(static_cast<double>(p.gain)), 1.0);
        if ((largestInput + 1.0) * gain * (drive + 1.0) > 1e38) return false;
    }
    return true;
}

void runBlock(LimiterEngine** engine, bool adding, bool stereo, const float* in, float* out1,
              float* out2, int32_t frames) {
    const float* in2 = stereo ? in : nullptr;
    if (adding) {
        processBlockAdd(engine, in, in2, out1, out2, frames);
    } else {
        processBlockReplace(engine, in, in2, out1, out2, frames);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < sizeof(LimiterParams) + 2) return 0;
    LimiterEngine* engine = createEngine();
    if (!engine) return 0;
    configureEngine(&engine, 44100.0f, 2);
    LimiterParams defaults, params;
    getParams(engine, &defaults);
    std::memcpy(&params, data, sizeof params);
    const uint8_t mode = data[sizeof params];
    const bool adding = mode & 1, stereo = !(mode & 2);
    data += sizeof params + 1;
    size -= sizeof params + 1;

    const size_t frames = size / sizeof(float);
    std::vector<float> in(frames), out1(frames, 0.5f), out2(frames, -0.25f);
    if (frames) std::memcpy(in.data(), data, frames * sizeof(float));
    const bool compare = referenceApplies(params, in);
    ReferenceChannel reference[2];
    std::vector<float> expected[2] = {out1, out2};
    for (int c = 0; c < 2; ++c) reference[c].configure(defaults.channel[c]);

    // Three blocks: at the defaults, ramping to the fuzzed settings, steady.
    const int32_t third = static_cast<int32_t>(frames / 3);
    const int32_t starts[4] = {0, third, 2 * third, static_cast<int32_t>(frames)};
    for (int block = 0; block < 3; ++block) {
        if (block == 1) {
            setParams(engine, &params);
            // Before any audio has run there is nothing to ramp from.
            for (int c = 0; c < 2; ++c) {
                if (third > 0) {
                    reference[c].setParams(params.channel[c]);
                } else {
                    reference[c].configure(params.channel[c]);
                }
            }
        }
        const int32_t start = starts[block], n = starts[block + 1] - start;
        runBlock(&engine, adding, stereo, in.data() + start, out1.data() + start, out2.data() + start, n);
        for (int c = 0; compare && n > 0 && c < (stereo ? 2 : 1); ++c) {
            reference[c].process(in.data() + start, expected[c].data() + start, n, adding);
        }
    }
    if (compare && frames > 0) {
        if (std::memcmp(out1.data(), expected[0].data(), frames * sizeof(float)) != 0) __builtin_trap();
        if (std::memcmp(out2.data(), expected[1].data(), frames * sizeof(float)) != 0) __builtin_trap();
    }
    const bool finiteCeilings = finite(params.channel[0].limit) && finite(params.channel[1].limit);
    if (finiteCeilings) {
        for (size_t i = 0; i < frames; ++i) {
            if (!finite(out1[i]) || (stereo && !finite(out2[i]))) __builtin_trap();
        }
    }
    // What the block added (or wrote) stays within the highest ceiling.
    const float before[2] = {adding ? 0.5f : 0.0f, adding ? -0.25f : 0.0f};
    for (size_t i = 0; i < frames; ++i) {
        if (std::fabs(out1[i] - before[0]) > kLoudest) __builtin_trap();
        if (stereo && std::fabs(out2[i] - before[1]) > kLoudest) __builtin_trap();
    }
    // Then silence: two blocks, the first one ramping when nothing ran yet.
    const std::vector<float> silence(kSilentFrames, 0.0f);
    std::vector<float> quiet1(kSilentFrames, 0.0f), quiet2(kSilentFrames, 0.0f);
    for (int block = 0; block < 2; ++block) {
        runBlock(&engine, adding, stereo, silence.data(), quiet1.data(), quiet2.data(), kSilentFrames);
        for (int32_t i = 0; i < kSilentFrames; ++i) {
            if (!(std::fabs(quiet1[i]) < 1e-20f) || !(std::fabs(quiet2[i]) < 1e-20f)) __builtin_trap();
        }
    }
    destroyEngine(&engine);
    return 0;
}
