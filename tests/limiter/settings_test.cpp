// One setting at a time as hosts and knobs set it: what a host reads it may
// write back unchanged, knobs' values outside their ranges are refused, and a
// fraction near a knob step lands on the step.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "limiter/EngineSettings.h"
#include "limiter/LimiterEngine.h"

namespace {

const float kNan = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

struct Settings : ::testing::Test {
    LimiterEngine* engine = createEngine();
    ~Settings() override { destroyEngine(&engine); }

    LimiterParams params() {
        LimiterParams p;
        getParams(engine, &p);
        return p;
    }
    void setBoth(float ChannelParams::*field, float value) {
        LimiterParams p = params();
        p.channel[0].*field = p.channel[1].*field = value;
        setParams(engine, &p);
    }
};

bool sameBits(const LimiterParams& a, const LimiterParams& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Fields a chunk may hold, inside and outside the knobs' ranges: each read
// and written back as a host does leaves every byte as it was.
TEST_F(Settings, AFractionReadAndWrittenBackChangesNothing) {
    const float fields[] = {0.0f, -0.5f, 2.0f, 0.1f, 1e30f, -1e30f, 100.0f, 0.3f, 7.3f, kNan, kInf};
    for (const SettingInfo& s : kSettings) {
        for (float field : fields) {
            setBoth(s.field, field);
            takeHostSettingChange(engine);
            const LimiterParams before = params();
            const int32_t index = static_cast<int32_t>(&s - kSettings);
            setSettingFraction(engine, index, settingFraction(engine, index));
            EXPECT_TRUE(sameBits(before, params())) << s.word << " " << field;
            EXPECT_EQ(takeHostSettingChange(engine), 0) << s.word << " " << field;
        }
    }
}

// A knob's value outside its range, or NaN, changes nothing and is not
// remembered; -0 and below are the start of the travel, read as +0.
TEST_F(Settings, KnobValuesOutsideTheRangeAreRefusedAndMinusZeroIsZero) {
    const LimiterParams before = params();
    for (float value : {kNan, 40.0f, -24.5f, kInf, -kInf}) {
        EXPECT_EQ(setSettingKnobValue(engine, kGainSetting, value), 0.5f) << value;
        EXPECT_TRUE(sameBits(before, params())) << value;
    }
    setSettingFraction(engine, kGainSetting, 1.0f);
    EXPECT_EQ(params().channel[0].gain, decibelsToGain(24.0f));
    for (int32_t index = 0; index < kSettingCount; ++index) {
        for (float fraction : {-0.0f, -1.0f}) {
            setSettingFraction(engine, index, 0.5f);
            setSettingFraction(engine, index, fraction);
            const float read = settingFraction(engine, index);
            EXPECT_EQ(std::signbit(read), false) << index << " " << fraction;
            EXPECT_EQ(read, 0.0f) << index;
        }
    }
}

// A fraction a few float steps off a knob step gives the step itself; one
// between steps gives what it maps to.
TEST(SettingSteps, FractionsNearAStepLandOnItAndOthersStayBetween) {
    for (const SettingInfo& s : kSettings) {
        KnobValue model = settingKnobModel(s, s.defaultValue);
        knob_value_step(&model, -7);
        const float step = model.current;
        const float fraction = fractionOfKnobValue(s, step);
        for (float nearby : {fraction, std::nextafter(fraction, 0.0f), std::nextafter(fraction, 1.0f)})
            EXPECT_EQ(knobValueAtFraction(s, nearby), step) << s.word;
        const float between = fractionOfKnobValue(s, step + 0.3f * s.step);
        KnobValue plain = settingKnobModel(s, s.defaultValue);
        knob_value_at_fraction(&plain, between);
        EXPECT_EQ(knobValueAtFraction(s, between), plain.current) << s.word;
        EXPECT_NE(plain.current, step) << s.word;
    }
}

}  // namespace
