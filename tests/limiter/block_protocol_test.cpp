// What a block sees when it starts: the host's buffers as they were when the
// call began (however they alias), the current settings after any reset, and
// nothing at all for a count below one frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "limiter/LimiterEngine.h"
#include "tests/limiter/ReferenceLimiter.h"

namespace {

// Longer than the stretch the engine processes at a time (256 frames).
constexpr int kFrames = 600;

// Quiet with a burst, so that compression 8 both lifts and limits.
std::vector<float> signal(float scale, int phase) {
    std::vector<float> v(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        const int k = (i * 7 + phase) % 50;
        v[i] = scale * static_cast<float>(k - 25) / 25.0f * ((i / 40) % 3 == 2 ? 20.0f : 1.0f);
    }
    return v;
}

// An engine that has run at its defaults and just received new settings:
// its next block ramps to them.
LimiterEngine* engineAboutToRamp(const LimiterParams& params) {
    LimiterEngine* engine = createEngine();
    configureEngine(&engine, 44100.0f, 2);
    std::vector<float> in = signal(0.4f, 17), out1(kFrames), out2(kFrames);
    processBlockReplace(&engine, in.data(), in.data(), out1.data(), out2.data(), kFrames);
    setParams(engine, &params);
    return engine;
}

LimiterParams loudParams() {
    LimiterParams p{};
    p.channel[0] = {8.0f, 1.0f, 5.0f, 1.0f};
    p.channel[1] = {8.0f, 1.0f, 20.0f, 0.7f};
    return p;
}

void runBlock(bool adding, LimiterEngine** slot, const float* in1, const float* in2, float* out1,
              float* out2, int32_t frames) {
    if (adding) {
        processBlockAdd(slot, in1, in2, out1, out2, frames);
    } else {
        processBlockReplace(slot, in1, in2, out1, out2, frames);
    }
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), sizeof(float) * a.size()) == 0;
}

// Buffers a host may hand over, as indices into three buffers A, B, C.
struct Layout {
    const char* name;
    int in1, in2, out1, out2;
};

const Layout kAliasedLayouts[] = {
    {"mono duplicated, processed in place: in {A, A}, out {A, B}", 0, 0, 0, 1},
    {"swapped in place: in {A, B}, out {B, A}", 0, 1, 1, 0},
    {"channel 1 writes channel 2's input: in {A, B}, out {B, C}", 0, 1, 1, 2},
    {"channel 2 writes channel 1's input: in {A, B}, out {C, A}", 0, 1, 2, 0},
};

// Each channel limits the host's input as it was when the call began, exactly
// as it would from buffers of its own.
TEST(BlockProtocol, AliasedBuffersGiveTheResultOfSeparateOnes) {
    for (const Layout& layout : kAliasedLayouts) {
        for (bool adding : {false, true}) {
            SCOPED_TRACE(std::string(layout.name) + (adding ? ", adding" : ", replacing"));
            std::vector<float> host[3] = {signal(0.05f, 0), signal(0.03f, 11), signal(0.2f, 23)};
            LimiterEngine* separate = engineAboutToRamp(loudParams());
            LimiterEngine* aliased = engineAboutToRamp(loudParams());
            // Two blocks: the first ramps, the second runs steady.
            for (int block = 0; block < 2; ++block) {
                const std::vector<float> in1 = host[layout.in1], in2 = host[layout.in2];
                std::vector<float> expected1 = host[layout.out1], expected2 = host[layout.out2];
                runBlock(adding, &separate, in1.data(), in2.data(), expected1.data(),
                         expected2.data(), kFrames);
                runBlock(adding, &aliased, host[layout.in1].data(), host[layout.in2].data(),
                         host[layout.out1].data(), host[layout.out2].data(), kFrames);
                EXPECT_TRUE(sameBits(host[layout.out1], expected1)) << "channel 1, block " << block;
                EXPECT_TRUE(sameBits(host[layout.out2], expected2)) << "channel 2, block " << block;
            }
            destroyEngine(&separate);
            destroyEngine(&aliased);
        }
    }
}

// How an engine may come to its first block: created or reset, with settings
// loaded before or after, a muted block in between.
struct Start {
    const char* name;
    void (*prepare)(LimiterEngine** slot, const LimiterParams& loaded);
};

void muteForOneBlock(LimiterEngine** slot) {
    std::vector<float> in = signal(0.5f, 3), out(kFrames);
    setMute(*slot, 1);
    processBlockReplace(slot, in.data(), in.data(), out.data(), out.data(), kFrames);
    setMute(*slot, 0);
}

void runAtDefaults(LimiterEngine** slot) {
    std::vector<float> in = signal(0.5f, 5), out1(kFrames), out2(kFrames);
    processBlockReplace(slot, in.data(), in.data(), out1.data(), out2.data(), kFrames);
}

const Start kStarts[] = {
    {"created, then a chunk", [](LimiterEngine** slot, const LimiterParams& p) { setParams(*slot, &p); }},
    {"a chunk, then resumed at the same rate",
     [](LimiterEngine** slot, const LimiterParams& p) {
         setParams(*slot, &p);
         resetEngine(slot);
     }},
    {"running, a chunk, resumed",
     [](LimiterEngine** slot, const LimiterParams& p) {
         runAtDefaults(slot);
         setParams(*slot, &p);
         resetEngine(slot);
     }},
    {"running, resumed, then a chunk",
     [](LimiterEngine** slot, const LimiterParams& p) {
         runAtDefaults(slot);
         resetEngine(slot);
         setParams(*slot, &p);
     }},
    {"a chunk, resumed, a muted block",
     [](LimiterEngine** slot, const LimiterParams& p) {
         setParams(*slot, &p);
         resetEngine(slot);
         muteForOneBlock(slot);
     }},
};

// After a reset there is no audio to smooth from: the first block runs at the
// current settings, the ceiling holds from its first sample, and only a change
// made after that block ramps.
TEST(BlockProtocol, FirstBlockAfterAResetStartsAtTheCurrentSettings) {
    LimiterParams loaded{};
    loaded.channel[0] = {3.0f, 1.5f, 5.0f, 0.5f};
    loaded.channel[1] = {1.0f, 2.0f, 50.0f, 0.25f};
    LimiterParams changed = loaded;
    changed.channel[0].gain = changed.channel[1].gain = 4.0f;
    for (const Start& start : kStarts) {
        SCOPED_TRACE(start.name);
        LimiterEngine* engine = createEngine();
        configureEngine(&engine, 44100.0f, 2);
        start.prepare(&engine, loaded);
        ReferenceChannel reference[2];
        for (int c = 0; c < 2; ++c) reference[c].configure(loaded.channel[c]);

        for (int block = 0; block < 2; ++block) {
            if (block == 1) {
                setParams(engine, &changed);
                for (int c = 0; c < 2; ++c) reference[c].setParams(changed.channel[c]);
            }
            const std::vector<float> in[2] = {signal(0.9f, block), signal(0.7f, 9 + block)};
            std::vector<float> out[2] = {std::vector<float>(kFrames), std::vector<float>(kFrames)};
            processBlockReplace(&engine, in[0].data(), in[1].data(), out[0].data(),
                                out[1].data(), kFrames);
            for (int c = 0; c < 2; ++c) {
                std::vector<float> expected(kFrames);
                reference[c].process(in[c].data(), expected.data(), kFrames, false);
                EXPECT_TRUE(sameBits(out[c], expected)) << "block " << block << " channel " << c;
            }
            float peak = 0.0f;
            for (float o : out[0]) peak = std::fmax(peak, std::fabs(o));
            if (block == 0) {
                EXPECT_LE(peak, 0.5f) << "channel 1's ceiling";
            }
        }
        destroyEngine(&engine);
    }
}

// A count below one frame is an empty call: the pending ramp is still there.
TEST(BlockProtocol, CountsBelowOneFrameChangeNothing) {
    LimiterEngine* engine = engineAboutToRamp(loudParams());
    const ChannelState before[2] = {engine->channelState[0], engine->channelState[1]};
    std::vector<float> in = signal(0.5f, 0), out(kFrames, 3.0f);
    for (int32_t frames : {0, -1, -48, INT32_MIN}) {
        processBlockReplace(&engine, in.data(), in.data(), out.data(), out.data(), frames);
        processBlockAdd(&engine, in.data(), in.data(), out.data(), out.data(), frames);
    }
    EXPECT_EQ(engine->coefficientsValid, 0);
    EXPECT_EQ(engine->busy, 0);
    EXPECT_EQ(std::memcmp(before, engine->channelState, sizeof before), 0);
    EXPECT_EQ(out, std::vector<float>(kFrames, 3.0f));
    destroyEngine(&engine);
}

}  // namespace
