// A fixed multi-block session checked sample for sample against the plain
// reference model, and summarised in one digest that the native and the
// Windows build must both reproduce: the output is the same to the bit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "limiter/LimiterEngine.h"
#include "tests/limiter/ReferenceLimiter.h"

namespace {

// Only integer arithmetic and exact float conversions, so both builds
// generate the same input bits (no libm calls whose last bit may differ).
class SignalSource {
public:
    explicit SignalSource(uint32_t seed) : state_(seed) {}
    float next() {
        state_ = state_ * 1664525u + 1013904223u;
        const float noise = static_cast<float>(static_cast<int32_t>(state_) >> 8) * (1.0f / 8388608.0f);
        phase_ = (phase_ + 37) % 400;
        const float triangle = static_cast<float>(phase_ < 200 ? phase_ - 100 : 300 - phase_) / 100.0f;
        ++n_;
        const bool burst = (n_ / 3000) % 4 == 3;  // every fourth stretch is far too loud
        return (burst ? 2.75f : 0.3f) * triangle + 0.05f * noise;
    }

private:
    uint32_t state_;
    int phase_ = 0;
    int n_ = 0;
};

struct Step {
    int frames;
    bool adding;
    int change;  // 0 none, else one of the parameter changes below, before the block
};

void applyChange(int change, LimiterParams& p) {
    ChannelParams& a = p.channel[0];
    ChannelParams& b = p.channel[1];
    switch (change) {
        case 1: a.gain = b.gain = 3.98107171f; break;        // +12 dB
        case 2: a.compression = 8.0f; b.compression = 4.0f; break;
        case 3: a.limit = 0.5f; b.limit = 0.70794576f; break;
        case 4: a.velocity = 100.0f; b.velocity = 1.0f; break;
        case 5: a.gain = 0.0630957f; b.gain = 15.8489323f; break;  // -24 / +24 dB
        case 6: a = {1.0f, 1.0f, 5.0f, 1.0f}; b = {2.5f, 0.5f, 50.0f, 0.25f}; break;
        default: break;
    }
}

const Step kSession[] = {
    {512, false, 0}, {1, false, 1}, {47, true, 0},   {48, false, 2}, {49, true, 3},
    {4096, false, 0}, {3, true, 4}, {1000, false, 0}, {64, true, 5}, {4096, false, 0},
    {2, false, 6},   {17, true, 0}, {4096, true, 1},  {333, false, 0}, {48, false, -1},
    {2048, true, 3}, {1, true, 0},  {4095, false, 2}, {16, true, 0},  {1024, false, 0},
};

uint64_t fnv1a(uint64_t hash, const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 1099511628211ull;
    }
    return hash;
}

// Change this only with a deliberate change of the processing arithmetic.
constexpr uint64_t kGoldenDigest = 0xdd669f8e85651af9ull;

TEST(Golden, SessionMatchesReferenceBitForBitAndDigest) {
    LimiterEngine* engine = createEngine();
    ASSERT_NE(engine, nullptr);
    configureEngine(&engine, 44100.0f, 2);
    LimiterParams params;
    getParams(engine, &params);
    ReferenceChannel reference[2];
    for (int c = 0; c < 2; ++c) reference[c].configure(params.channel[c]);

    SignalSource left(1), right(2), prefill(3);
    uint64_t digest = 14695981039346656037ull;
    int block = 0;
    for (const Step& step : kSession) {
        if (step.change > 0) {
            applyChange(step.change, params);
            setParams(engine, &params);
            for (int c = 0; c < 2; ++c) reference[c].setParams(params.channel[c]);
        } else if (step.change < 0) {  // the host's resume
            resetEngine(&engine);
            for (ReferenceChannel& r : reference) r.reset();
        }
        const int n = step.frames;
        std::vector<float> in[2], out[2], expected[2];
        for (int c = 0; c < 2; ++c) {
            in[c].resize(n);
            out[c].resize(n);
            for (int i = 0; i < n; ++i) {
                in[c][i] = c == 0 ? left.next() : right.next();
                out[c][i] = step.adding ? prefill.next() * 0.1f : 0.0f;
            }
            expected[c] = out[c];
            reference[c].process(in[c].data(), expected[c].data(), n, step.adding);
        }
        if (step.adding) {
            processBlockAdd(&engine, in[0].data(), in[1].data(), out[0].data(), out[1].data(), n);
        } else {
            processBlockReplace(&engine, in[0].data(), in[1].data(), out[0].data(), out[1].data(), n);
        }
        for (int c = 0; c < 2; ++c) {
            for (int i = 0; i < n; ++i) {
                ASSERT_EQ(std::memcmp(&out[c][i], &expected[c][i], sizeof(float)), 0)
                    << "block " << block << " channel " << c << " sample " << i << ": "
                    << out[c][i] << " vs " << expected[c][i];
            }
            ASSERT_EQ(engine->channelState[c].envelopeGain, reference[c].envelope()) << block;
            ASSERT_EQ(engine->channelState[c].lastLevel, reference[c].level()) << block;
            digest = fnv1a(digest, out[c].data(), sizeof(float) * n);
        }
        ++block;
    }
    digest = fnv1a(digest, engine->channelState, sizeof engine->channelState);
    destroyEngine(&engine);
    EXPECT_EQ(digest, kGoldenDigest) << std::hex << "digest 0x" << digest;
}

}  // namespace
