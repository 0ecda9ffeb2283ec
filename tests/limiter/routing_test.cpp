// Which buffers each channel reads and writes when the host's audio call
// arrives, and when nothing may happen at all.
#include <gtest/gtest.h>

#include <vector>

#include "limiter/BufferRouting.h"

namespace {

constexpr int kFrames = 32;
constexpr float kUntouched = 9.0f;

struct Routing : ::testing::Test {
    LimiterEngine* engine = createEngine();
    std::vector<float> in1 = std::vector<float>(kFrames, 0.5f);
    std::vector<float> in2 = std::vector<float>(kFrames, -0.25f);
    std::vector<float> out1 = std::vector<float>(kFrames, kUntouched);
    std::vector<float> out2 = std::vector<float>(kFrames, kUntouched);

    Routing() { configureEngine(&engine, 44100.0f, 2); }
    ~Routing() override { destroyEngine(&engine); }

    void run(float* i1, float* i2, float* o1, float* o2, int frames = kFrames,
             float rate = 44100.0f, StoreForm form = StoreForm::Replace) {
        float* inputs[2] = {i1, i2};
        float* outputs[2] = {o1, o2};
        routeAudioBlock(&engine, rate, inputs, outputs, frames, form);
    }
    static bool untouched(const std::vector<float>& v) {
        return v == std::vector<float>(kFrames, kUntouched);
    }
};

TEST_F(Routing, StereoBuffersMapOneToOne) {
    run(in1.data(), in2.data(), out1.data(), out2.data());
    EXPECT_NEAR(out1[10], 0.5f, 1e-4f);
    EXPECT_NEAR(out2[10], -0.25f, 1e-4f);
}

TEST_F(Routing, MissingFirstBufferOrNoFramesDoesNothing) {
    run(nullptr, in2.data(), out1.data(), out2.data());
    run(in1.data(), in2.data(), nullptr, out2.data());
    run(in1.data(), in2.data(), out1.data(), out2.data(), 0);
    run(in1.data(), in2.data(), out1.data(), out2.data(), -5);
    EXPECT_TRUE(untouched(out1));
    EXPECT_TRUE(untouched(out2));
}

TEST_F(Routing, SharedOrMissingSecondOutputProcessesChannel1Only) {
    const ChannelState channel2 = engine->channelState[1];
    run(in1.data(), in2.data(), out1.data(), out1.data());
    EXPECT_NEAR(out1[10], 0.5f, 1e-4f);
    run(in1.data(), in2.data(), out1.data(), nullptr);
    EXPECT_EQ(engine->channelState[1].lastLevel, channel2.lastLevel);
    EXPECT_TRUE(untouched(out2));
}

TEST_F(Routing, MissingSecondInputFeedsChannel2FromInput1) {
    run(in1.data(), nullptr, out1.data(), out2.data());
    EXPECT_EQ(out1, out2);
    EXPECT_NEAR(out2[10], 0.5f, 1e-4f);
}

TEST_F(Routing, SampleRateMustBeAbove100Hz) {
    for (StoreForm form : {StoreForm::Add, StoreForm::Replace}) {
        run(in1.data(), in2.data(), out1.data(), out2.data(), kFrames, 100.0f, form);
        run(in1.data(), in2.data(), out1.data(), out2.data(), kFrames, 50.0f, form);
        EXPECT_TRUE(untouched(out1));
        EXPECT_TRUE(untouched(out2));
    }
    run(in1.data(), in2.data(), out1.data(), out2.data(), kFrames, 100.001f);
    EXPECT_FALSE(untouched(out1));
}

TEST_F(Routing, AddingFormAddsToWhatTheHostHad) {
    run(in1.data(), in2.data(), out1.data(), out2.data(), kFrames, 44100.0f, StoreForm::Add);
    EXPECT_NEAR(out1[10], kUntouched + 0.5f, 1e-4f);
    EXPECT_NEAR(out2[10], kUntouched - 0.25f, 1e-4f);
}

}  // namespace
