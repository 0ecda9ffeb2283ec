#include "AudioStress.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "ActionLog.h"
#include "Failure.h"
#include "Random.h"
#include "StressEffects.h"

namespace {

constexpr int32_t kLongestBlock = 8192;
const float kInf = std::numeric_limits<float>::infinity();
const float kNaN = std::numeric_limits<float>::quiet_NaN();

enum Content { kSilent, kQuiet, kFullScale, kLoud, kHuge, kInfinite, kNaNs, kDenormal, kSprinkled, kContentCount };
const char* const kContentNames[kContentCount] = {"silent", "quiet", "full-scale", "loud", "huge",
                                                  "infinite", "NaN", "denormal", "sprinkled"};

enum Layout { kSeparate, kInPlace, kMonoInput, kSharedOutput, kNoSecondOutput, kLayoutCount };
const char* const kLayoutNames[kLayoutCount] = {"separate", "in-place", "mono-in", "shared-out", "one-out"};

float sample(Random& rng, Content content) {
    const float noise = static_cast<float>(rng.unit() * 2.0 - 1.0);
    switch (content) {
        case kSilent: return 0.0f;
        case kQuiet: return noise * 1e-3f;
        case kFullScale: return noise;
        case kLoud: return noise * 64.0f;
        case kHuge: return noise * 3e38f;
        case kInfinite: return rng.chance(0.5) ? kInf : -kInf;
        case kNaNs: return kNaN;
        case kDenormal: return noise * 1e-39f;
        case kSprinkled: {
            static const float odd[] = {kInf, -kInf, kNaN, 3e38f, -3e38f, 1e-40f, 0.0f, -0.0f};
            return rng.chance(0.05) ? rng.pick(odd) : noise;
        }
        default: return 0.0f;
    }
}

int32_t blockSize(Random& rng) {
    const uint32_t r = rng.below(100);
    if (r < 3) return -rng.between(0, 64);  // nothing to do
    if (r < 50) return rng.between(1, 64);
    if (r < 88) return rng.between(65, 1024);
    return rng.between(1025, kLongestBlock);
}

struct Buffers {
    std::vector<float> in1, in2, out1, out2, before1, before2;
    Buffers()
        : in1(kLongestBlock), in2(kLongestBlock), out1(kLongestBlock), out2(kLongestBlock),
          before1(kLongestBlock), before2(kLongestBlock) {}
};

// The first sample that is not finite, or further than the bound from what
// the buffer held; -1 when there is none. A sum onto a buffer that held
// something non-finite or near a float's limit owes nothing.
int32_t firstBadSample(const float* out, const float* before, int32_t n, float bound) {
    for (int32_t i = 0; i < n; ++i) {
        if (!(std::fabs(before[i]) <= 1e30f)) continue;
        if (!std::isfinite(out[i])) return i;
        if (bound > 0.0f && std::fabs(static_cast<double>(out[i]) - before[i]) > bound) return i;
    }
    return -1;
}

int32_t firstChanged(const float* out, const float* before, int32_t n) {
    for (int32_t i = 0; i < n; ++i)
        if (std::memcmp(&out[i], &before[i], sizeof(float)) != 0) return i;
    return -1;
}

// A running effect's outputs are finite (and within the bound); an effect
// at 100 Hz or less leaves them exactly as they were.
template <typename Describe>
void checkBlock(Buffers& b, float* const* outputs, int32_t n, bool running, bool adding, float bound, int slot,
                Describe describe) {
    // A replacing block owes nothing to what the buffer held.
    if (running && !adding) {
        std::memset(b.before1.data(), 0, sizeof(float) * n);
        std::memset(b.before2.data(), 0, sizeof(float) * n);
    }
    for (int c = 0; c < 2; ++c) {
        if (outputs[c] == nullptr) continue;
        const float* before = c ? b.before2.data() : b.before1.data();
        const int32_t bad = running ? firstBadSample(outputs[c], before, n, bound) : firstChanged(outputs[c], before, n);
        if (bad < 0) continue;
        char what[160];
        describe(what, sizeof what);
        fail_stress("output", "slot %d, output %d, sample %d of %d is %g where the buffer held %g (%s%s)", slot,
                    c + 1, bad, n, outputs[c][bad], before[bad], what,
                    running ? "" : "; the effect runs at 100 Hz or less and must leave it");
    }
}

}  // namespace

DWORD WINAPI audio_stress_thread(void* argument) {
    auto* state = static_cast<AudioStressState*>(argument);
    Random rng(state->seed ^ 0xA0D10ull);
    Buffers b;
    while (!state->stop) {
        beat(kAudioThread);
        const int slot = static_cast<int>(rng.below(kEffectSlots));
        const int32_t n = blockSize(rng);
        const Content content = static_cast<Content>(rng.below(kContentCount));
        const Layout layout = static_cast<Layout>(rng.below(kLayoutCount));
        const bool adding = rng.chance(0.3);
        const int32_t frames = n > 0 ? n : 1;
        for (int32_t i = 0; i < frames; ++i) {
            b.in1[i] = sample(rng, content);
            b.in2[i] = sample(rng, content);
            b.out1[i] = static_cast<float>(rng.unit() - 0.5);
            b.out2[i] = static_cast<float>(rng.unit() - 0.5);
        }
        float* inputs[2] = {b.in1.data(), b.in2.data()};
        float* outputs[2] = {b.out1.data(), b.out2.data()};
        switch (layout) {
            case kInPlace: outputs[0] = inputs[0]; outputs[1] = inputs[1]; break;
            case kMonoInput: inputs[1] = nullptr; break;
            case kSharedOutput: outputs[1] = outputs[0]; break;
            case kNoSecondOutput: outputs[1] = nullptr; break;
            default: break;
        }
        std::memcpy(b.before1.data(), outputs[0], sizeof(float) * frames);
        if (outputs[1] != nullptr) std::memcpy(b.before2.data(), outputs[1], sizeof(float) * frames);
        g_audioActions.log("slot %d: %s %d frames, %s, %s", slot, adding ? "process" : "processReplacing", n,
                           kContentNames[content], kLayoutNames[layout]);
        bool running = false;
        const bool ran = with_effect(g_slots[slot], [&](AEffect* effect) {
            running = g_slots[slot].sampleRate > 100.0f;
            if (adding)
                effect->process(effect, inputs, outputs, n);
            else
                effect->processReplacing(effect, inputs, outputs, n);
        });
        if (ran && n > 0) {
            checkBlock(b, outputs, n, running, adding, state->outputBound, slot,
                       [&](char* text, size_t size) {
                           std::snprintf(text, size, "%s %s input, %s", kContentNames[content],
                                         adding ? "process" : "processReplacing", kLayoutNames[layout]);
                       });
            ++state->blocks;
        }
        Sleep(rng.chance(0.7) ? 0 : 1);
    }
    return 0;
}
