#include "ChunkStress.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "ActionLog.h"
#include "Failure.h"
#include "Random.h"
#include "StressEffects.h"
#include "limiter/GainReading.h"
#include "limiter/LimiterParams.h"

namespace {

float extreme(Random& rng) {
    static const float values[] = {0.0f, -0.0f, 1e-40f, -1.0f, -100.0f, 1e30f, -1e30f, 3.4e38f,
                                   std::numeric_limits<float>::infinity(),
                                   -std::numeric_limits<float>::infinity(),
                                   std::numeric_limits<float>::quiet_NaN(), 1e-30f, 0.5f, 20.0f, 1000.0f};
    return rng.pick(values);
}

// Within the ranges the editor's knobs offer.
ChannelParams plausible(Random& rng) {
    return {static_cast<float>(1.0 + rng.unit() * 7.0), static_cast<float>(0.063 + rng.unit() * 15.8),
            static_cast<float>(1.0 + rng.unit() * 99.0), static_cast<float>(0.25 + rng.unit() * 0.75)};
}

}  // namespace

void random_chunk(Random& rng, unsigned char (&bytes)[64], char* description, int size) {
    LimiterParams p = {};
    const uint32_t kind = rng.below(4);
    if (kind == 3) {
        for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(rng.below(256));
        std::snprintf(description, size, "random bytes");
        return;
    }
    p.channel[0] = plausible(rng);
    p.channel[1] = kind == 1 ? plausible(rng) : p.channel[0];
    if (kind == 2) {
        float* fields = &p.channel[0].compression;
        fields[rng.below(8)] = extreme(rng);
        fields[rng.below(8)] = extreme(rng);
    }
    std::memcpy(bytes, &p, sizeof bytes);
    const ChannelParams& c = p.channel[0];
    std::snprintf(description, size, "%s: %g %g %g %g / %g %g %g %g",
                  kind == 0 ? "plausible" : kind == 1 ? "channels differ" : "extremes", c.compression, c.gain,
                  c.velocity, c.limit, p.channel[1].compression, p.channel[1].gain, p.channel[1].velocity,
                  p.channel[1].limit);
}

DWORD WINAPI chunk_stress_thread(void* argument) {
    auto* state = static_cast<ChunkStressState*>(argument);
    Random rng(state->seed ^ 0xC4C4ull);
    while (!state->stop) {
        beat(kChunkThread);
        Sleep(rng.below(6));
        const int slot = static_cast<int>(rng.below(kEffectSlots));
        const uint32_t what = rng.below(100);
        unsigned char bytes[64];
        char description[200];
        random_chunk(rng, bytes, description, sizeof description);
        if (what < 60) {
            g_chunkActions.log("slot %d: set chunk, %s", slot, description);
            with_effect(g_slots[slot], [&](AEffect* e) { e->dispatcher(e, effSetChunk, 0, 64, bytes, 0.0f); });
        } else if (what < 68) {
            static const int32_t sizes[] = {0, 1, 63, 65, -1, 64};
            const int32_t size = rng.pick(sizes);
            const bool null = rng.chance(0.5);
            g_chunkActions.log("slot %d: set chunk of %d bytes%s", slot, size, null ? " at no address" : "");
            with_effect(g_slots[slot], [&](AEffect* e) {
                e->dispatcher(e, effSetChunk, 0, size, null ? nullptr : bytes, 0.0f);
            });
        } else if (what < 85) {
            g_chunkActions.log("slot %d: get chunk", slot);
            with_effect(g_slots[slot], [&](AEffect* e) {
                void* data = nullptr;
                const int32_t size = e->dispatcher(e, effGetChunk, 0, 0, &data, 0.0f);
                if (size != 64 || data == nullptr)
                    fail_stress("chunk", "slot %d handed over %d bytes at %p", slot, size, data);
            });
        } else if (what < 94) {
            static const float values[] = {0.0f, 0.5f, 1.0f, -1.0f, 2.0f, std::numeric_limits<float>::quiet_NaN()};
            const int32_t index = rng.between(-1, 5);
            const float value = rng.chance(0.5) ? static_cast<float>(rng.unit()) : rng.pick(values);
            g_chunkActions.log("slot %d: parameter %d set %g, get", slot, index, value);
            with_effect(g_slots[slot], [&](AEffect* e) {
                e->setParameter(e, index, value);
                e->getParameter(e, index);
            });
        } else {
            // The host's gain-reduction query, while audio runs and the
            // editor's meter reads beside it: always a whole, finite record.
            g_chunkActions.log("slot %d: gain reading", slot);
            with_effect(g_slots[slot], [&](AEffect* e) {
                GainReading g{};
                if (e->dispatcher(e, kVendorSpecificOpcode, kGainReadingQuery, 0, &g, 0.0f) != 1) return;
                for (const GainReadingChannel& c : g.channel) {
                    if (!(c.reductionDecibels <= 0.0f && c.reductionDecibels >= -1000.0f) ||
                        !std::isfinite(c.outputPeak) || c.limitedFrames > g.frames)
                        fail_stress("gain reading", "slot %d read %g dB, peak %g, %u of %u frames", slot,
                                    c.reductionDecibels, c.outputPeak, c.limitedFrames, g.frames);
                }
            });
        }
        ++state->chunks;
    }
    return 0;
}
