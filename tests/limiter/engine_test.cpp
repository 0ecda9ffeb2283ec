// The engine record: creation, configuration, the parameter block and mute.
#include <gtest/gtest.h>

#include <cstring>

#include "limiter/EngineSettings.h"
#include "limiter/LimiterEngine.h"

namespace {

struct EngineFixture : ::testing::Test {
    LimiterEngine* engine = createEngine();
    ~EngineFixture() override { destroyEngine(&engine); }
};

using Engine = EngineFixture;

TEST_F(Engine, FreshEngineHasDefaultBlockAndNoChannels) {
    ASSERT_NE(engine, nullptr);
    unsigned char block[64];
    std::memset(block, 0xCC, sizeof block);
    getParams(engine, block);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(block[i], 0) << "reserved byte " << i;
    const float expected[8] = {1.0f, 1.0f, 5.0f, 1.0f, 1.0f, 1.0f, 5.0f, 1.0f};
    EXPECT_EQ(std::memcmp(block + 32, expected, sizeof expected), 0);
    EXPECT_EQ(engine->sampleRate, 44100.0f);
    EXPECT_EQ(engine->channelCount, 0);
    EXPECT_EQ(engine->coefficientsValid, 0);
    EXPECT_EQ(engine->mute, 0);
    EXPECT_EQ(engine->channelState[0].envelopeGain, 0.0f);
}

TEST_F(Engine, ConfigureResetsAndDerivesOnlyWhenRateOrCountChanges) {
    // A fresh engine has count 0, so 44100 Hz / 2 channels is a change.
    ASSERT_EQ(configureEngine(&engine, 44100.0f, 2), 1);
    EXPECT_EQ(engine->coefficientsValid, 1);
    for (const ChannelState& s : engine->channelState) {
        EXPECT_EQ(s.lastLevel, 1e-30f);
        EXPECT_EQ(s.envelopeGain, 1.0f);
        EXPECT_EQ(s.drive, static_cast<float>(1.0 - static_cast<double>(0.99999f)));
        EXPECT_EQ(s.recoveryFactor, static_cast<float>(5.0 * static_cast<double>(0.0001f) + 1.0));
        EXPECT_EQ(s.recoveryInverse, static_cast<float>(1.0 / (5.0 * static_cast<double>(0.0001f) + 1.0)));
        EXPECT_EQ(s.gain, 1.0f);
        EXPECT_EQ(s.limit, 1.0f);
    }

    // Same rate and count: nothing moves, even stale coefficients stay stale.
    engine->channelState[0].envelopeGain = 0.25f;
    engine->channelState[0].lastLevel = 0.75f;
    engine->coefficientsValid = 0;
    EXPECT_EQ(configureEngine(&engine, 44100.0f, 2), 1);
    EXPECT_EQ(engine->channelState[0].envelopeGain, 0.25f);
    EXPECT_EQ(engine->channelState[0].lastLevel, 0.75f);
    EXPECT_EQ(engine->coefficientsValid, 0);

    // Another rate resets the running state and derives again.
    EXPECT_EQ(configureEngine(&engine, 48000.0f, 2), 1);
    EXPECT_EQ(engine->sampleRate, 48000.0f);
    EXPECT_EQ(engine->channelState[0].envelopeGain, 1.0f);
    EXPECT_EQ(engine->coefficientsValid, 1);

    // One channel: channel 2's state is left alone.
    engine->channelState[1].envelopeGain = 0.5f;
    EXPECT_EQ(configureEngine(&engine, 48000.0f, 1), 1);
    EXPECT_EQ(engine->channelCount, 1);
    EXPECT_EQ(engine->channelState[1].envelopeGain, 0.5f);
}

TEST(EngineSlot, EmptySlotOperationsDoNothing) {
    LimiterEngine* empty = nullptr;
    EXPECT_EQ(configureEngine(&empty, 44100.0f, 2), 0);
    resetEngine(&empty);
    suspendEngine(&empty);
    releaseEngine(&empty);
    destroyEngine(&empty);
    float buffer[4] = {0.5f, 0.5f, 0.5f, 0.5f};
    processBlockAdd(&empty, buffer, buffer, buffer, buffer, 4);
    processBlockReplace(&empty, buffer, buffer, buffer, buffer, 4);
    EXPECT_EQ(empty, nullptr);
    EXPECT_EQ(buffer[3], 0.5f);
}

TEST_F(Engine, SetParamsCarriesAll64BytesAndMakesCoefficientsStale) {
    configureEngine(&engine, 44100.0f, 2);
    unsigned char block[64];
    for (int i = 0; i < 64; ++i) block[i] = static_cast<unsigned char>(i * 7 + 3);
    setParams(engine, block);
    EXPECT_EQ(engine->coefficientsValid, 0);
    unsigned char back[64] = {};
    getParams(engine, back);
    EXPECT_EQ(std::memcmp(block, back, 64), 0);
}

TEST_F(Engine, ResetMakesCoefficientsStaleAndRestartsTheEnvelope) {
    configureEngine(&engine, 44100.0f, 2);
    engine->channelState[1].envelopeGain = 0.3f;
    resetEngine(&engine);
    EXPECT_EQ(engine->coefficientsValid, 0);
    EXPECT_EQ(engine->channelState[1].envelopeGain, 1.0f);
    EXPECT_EQ(engine->channelState[1].lastLevel, 1e-30f);
    EXPECT_EQ(resetChannels(engine), 1);
}

TEST_F(Engine, MuteReadsBackWhatWasStored) {
    setMute(engine, 1);
    EXPECT_EQ(getMute(engine), 1);
    setMute(engine, 0);
    EXPECT_EQ(getMute(engine), 0);
    setMute(engine, 7);
    EXPECT_EQ(getMute(engine), 7);
}

// Hosts pass any index; an effect without an engine passes none.
TEST_F(Engine, SettingsOfABadIndexOrNoEngineAnswerZeroAndChangeNothing) {
    unsigned char before[64], after[64];
    getParams(engine, before);
    for (LimiterEngine* e : {static_cast<LimiterEngine*>(nullptr), engine}) {
        const int32_t index = e ? kSettingCount : kGainSetting;
        char text[kValueTextSize] = "x";
        setSettingFraction(e, index, 0.5f);
        EXPECT_EQ(setSettingKnobValue(e, index, 6.0f), 0.0f);
        EXPECT_EQ(settingFraction(e, index), 0.0f);
        EXPECT_EQ(settingKnobPosition(e, index), 0.0f);
        settingDisplay(e, index, text);
        EXPECT_STREQ(text, "");
    }
    EXPECT_EQ(takeHostSettingChange(nullptr), 0);
    getParams(engine, after);
    EXPECT_EQ(std::memcmp(before, after, sizeof before), 0);
}

TEST(EngineRelease, IdleEngineIsFreedAtOnce) {
    const int32_t before = liveEngineCount();
    LimiterEngine* engine = createEngine();
    EXPECT_EQ(liveEngineCount(), before + 1);
    releaseEngine(&engine);
    EXPECT_EQ(engine, nullptr);
    EXPECT_EQ(liveEngineCount(), before);
}

}  // namespace
