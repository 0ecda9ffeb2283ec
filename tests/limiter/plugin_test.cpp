// The limiter effect object driven through its record, the way a host does,
// with the plug-in code linked into this program (so that the engine count
// and the editor's fields can be checked too).
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "editor/EditorBitmaps.h"
#include "editor/LimiterEditor.h"
#include "limiter/LimiterPlugin.h"
#include "limiter/LimiterSettings.h"
#include "limiter/ModeParameter.h"
#include "plugin/ModuleInstance.h"
#include "tests/support/TestHost.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/WindowClasses.h"
#include "toolkit/knob/KnobValue.h"

extern "C" AEffect* QC_CDECL pluginMain(audioMasterCallback hostCallback);

namespace {

bool toolkitClassRegistered() {
    WNDCLASSA info;
    return GetClassInfoA(moduleInstance(), kRotatifClassName, &info) != 0;
}

LimiterPlugin* objectOf(const HostedEffect& fx) {
    return static_cast<LimiterPlugin*>(static_cast<PluginBase*>(fx.record()->object));
}

std::vector<unsigned char> chunkOf(HostedEffect& fx) {
    void* data = nullptr;
    const int32_t size = fx.dispatch(effGetChunk, 0, 0, &data);
    EXPECT_EQ(size, 64);
    const auto* bytes = static_cast<const unsigned char*>(data);
    return std::vector<unsigned char>(bytes, bytes + 64);
}

struct Stereo {
    explicit Stereo(int frames, float in = 0.5f, float out = 9.0f)
        : in1(frames, in), in2(frames, in), out1(frames, out), out2(frames, out) {}
    float* inputs[2];
    float* outputs[2];
    std::vector<float> in1, in2, out1, out2;
    float** ins() { inputs[0] = in1.data(); inputs[1] = in2.data(); return inputs; }
    float** outs() { outputs[0] = out1.data(); outputs[1] = out2.data(); return outputs; }
};

TEST(LimiterEntry, HostAnsweringVersionZeroGetsNothing) {
    TestHost host;
    host.versionAnswer = 0;
    EXPECT_EQ(pluginMain(TestHost::callback()), nullptr);
    EXPECT_EQ(host.countOf(audioMasterVersion), 1);
    EXPECT_EQ(LimiterPlugin::instanceCount, 0);
    EXPECT_FALSE(toolkitClassRegistered());
    EXPECT_EQ(pluginMain(nullptr), nullptr);
}

TEST(LimiterEntry, RecordDescribesTheLimiter) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    ASSERT_TRUE(fx);
    const AEffect* e = fx.record();
    EXPECT_EQ(e->magic, kEffectMagic);
    EXPECT_EQ(e->flags, 0x39);
    EXPECT_EQ(e->uniqueID, 0x4B530002);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->numPrograms, 1);
    EXPECT_EQ(e->numParams, 5);
    EXPECT_TRUE(toolkitClassRegistered());
}

TEST(LimiterEntry, TwoInstancesShareTheToolkitAndOnlyTheLastStopsIt) {
    TestHost host;
    auto* first = new HostedEffect(pluginMain(TestHost::callback()));
    HostedEffect second(pluginMain(TestHost::callback()));
    EXPECT_EQ(LimiterPlugin::instanceCount, 2);
    const HBITMAP panel = g_editorBitmaps.background;
    EXPECT_NE(panel, nullptr);
    first->close();
    delete first;
    EXPECT_TRUE(toolkitClassRegistered());
    EXPECT_EQ(LimiterPlugin::instanceCount, 1);
    EXPECT_EQ(g_editorBitmaps.background, panel);  // loaded once, still shared
    BITMAP info;
    EXPECT_EQ(GetObjectA(panel, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(second.close(), 1);
    EXPECT_FALSE(toolkitClassRegistered());
    EXPECT_EQ(LimiterPlugin::instanceCount, 0);
    EXPECT_EQ(g_editorBitmaps.background, nullptr);
    EXPECT_EQ(GetObjectA(panel, sizeof info, &info), 0);  // deleted with the last instance
}

TEST(LimiterChunk, FreshChunkIsTheDefaultBlock) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    const std::vector<unsigned char> chunk = chunkOf(fx);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(chunk[i], 0);
    const float expected[8] = {1.0f, 1.0f, 5.0f, 1.0f, 1.0f, 1.0f, 5.0f, 1.0f};
    EXPECT_EQ(std::memcmp(chunk.data() + 32, expected, 32), 0);
}

TEST(LimiterChunk, OnlyA64ByteBlockIsTakenWithItsReservedBytes) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    const std::vector<unsigned char> before = chunkOf(fx);
    std::vector<unsigned char> block(65, 0x41);
    EXPECT_EQ(fx.dispatch(effSetChunk, 0, 63, block.data()), 64);
    EXPECT_EQ(fx.dispatch(effSetChunk, 0, 65, block.data()), 64);
    EXPECT_EQ(fx.dispatch(effSetChunk, 0, 64, nullptr), 64);  // nothing to read
    EXPECT_EQ(chunkOf(fx), before);

    LimiterParams params;
    std::memcpy(&params, before.data(), 64);
    for (int i = 0; i < 32; ++i) params.reserved[i] = static_cast<uint8_t>(0xA0 + i);
    params.channel[1].gain = 0.5f;
    EXPECT_EQ(fx.dispatch(effSetChunk, 1, 64, &params), 64);
    const std::vector<unsigned char> after = chunkOf(fx);
    EXPECT_EQ(std::memcmp(after.data(), &params, 64), 0);
}

TEST(LimiterChunk, EditorChangesReachTheNextChunk) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    LimiterEditor* editor = static_cast<LimiterEditor*>(objectOf(fx)->editor);
    setupControls(&editor->controls, objectOf(fx)->engine);
    onKnobChanged(&editor->controls, kGainKnobId, float_bits(6.0f));
    const std::vector<unsigned char> chunk = chunkOf(fx);
    LimiterParams params;
    std::memcpy(&params, chunk.data(), 64);
    EXPECT_EQ(params.channel[0].gain, 1.9952624f);
    EXPECT_EQ(params.channel[1].gain, 1.9952624f);
}

TEST(LimiterRate, SampleRateConfiguresOnlyAbove100Hz) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    LimiterEngine* engine = objectOf(fx)->engine;

    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(engine->sampleRate, 48000.0f);
    engine->channelState[0].envelopeGain = 0.5f;
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);  // the same rate: no reset
    EXPECT_EQ(engine->channelState[0].envelopeGain, 0.5f);

    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 50.0f);
    EXPECT_EQ(objectOf(fx)->sampleRate, 50.0f);
    EXPECT_EQ(engine->sampleRate, 48000.0f);
    Stereo audio(64);
    fx.process(audio.ins(), audio.outs(), 64);
    fx.processReplacing(audio.ins(), audio.outs(), 64);
    EXPECT_EQ(audio.out1, std::vector<float>(64, 9.0f));
    EXPECT_EQ(audio.out2, std::vector<float>(64, 9.0f));

    fx.dispatch(effMainsChanged, 0, 1);  // resume at 50 Hz does not reset either
    EXPECT_EQ(engine->channelState[0].envelopeGain, 0.5f);

    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 100.0f);
    fx.processReplacing(audio.ins(), audio.outs(), 64);
    EXPECT_EQ(audio.out1[0], 9.0f);
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 100.001f);
    fx.processReplacing(audio.ins(), audio.outs(), 64);
    EXPECT_NE(audio.out1[0], 9.0f);
    EXPECT_EQ(engine->sampleRate, 100.001f);

    // Resume resets the running state, and the next block starts at the
    // current settings: a gain set before the resume does not ramp in.
    LimiterParams params;
    getParams(engine, &params);
    params.channel[0].gain = params.channel[1].gain = 0.5f;
    fx.dispatch(effSetChunk, 0, 64, &params);
    fx.dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(engine->channelState[0].envelopeGain, 1.0f);
    Stereo steady(64, 0.1f);
    fx.processReplacing(steady.ins(), steady.outs(), 64);
    EXPECT_EQ(steady.out1[0], steady.out1[63]);
    EXPECT_LT(steady.out1[0], 0.1f);
}

TEST(LimiterAudio, BothFormsWithTheHostsBufferLayouts) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    Stereo audio(128, 0.5f, 0.25f);
    audio.in2.assign(128, -0.5f);
    fx.process(audio.ins(), audio.outs(), 128);
    EXPECT_NEAR(audio.out1[100], 0.75f, 1e-4f);
    EXPECT_NEAR(audio.out2[100], -0.25f, 1e-4f);

    fx.processReplacing(audio.ins(), audio.outs(), 128);
    EXPECT_NEAR(audio.out1[100], 0.5f, 1e-4f);

    // A mono input feeds both channels; a shared output takes channel 1 only.
    float* monoIn[2] = {audio.in1.data(), nullptr};
    audio.out2.assign(128, 0.0f);
    fx.processReplacing(monoIn, audio.outs(), 128);
    EXPECT_EQ(audio.out1, audio.out2);
    float* sharedOut[2] = {audio.out1.data(), audio.out1.data()};
    fx.processReplacing(audio.ins(), sharedOut, 128);
    EXPECT_NEAR(audio.out1[100], 0.5f, 1e-4f);
}

TEST(LimiterPrograms, OneNamedProgram) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    char text[64];
    std::memset(text, 'x', sizeof text);
    fx.dispatch(effGetProgramName, 0, 0, text);
    EXPECT_STREQ(text, "Program 1");

    fx.dispatch(effSetProgramName, 0, 0, const_cast<char*>("Loud Drums"));
    fx.dispatch(effGetProgramName, 0, 0, text);
    EXPECT_STREQ(text, "Loud Drums");
    fx.dispatch(effSetProgramName, 0, 0, const_cast<char*>("A name far longer than an entry holds"));
    fx.dispatch(effGetProgramName, 0, 0, text);
    EXPECT_STREQ(text, "A name far longer than ");  // 23 characters kept
}

// The four host parameters, in their order, with the knob that edits each.
struct ParameterRow {
    const char* name;
    const char* label;
    const char* minText;
    const char* defaultText;
    const char* maxText;
    int32_t knobId;
    float ChannelParams::*field;
};
const ParameterRow kParameters[] = {
    {"Compress", "", "+1.000", "+1.000", "+8.000", kCompressionKnobId, &ChannelParams::compression},
    {"Gain", "dB", "-24.000", "0.000", "+24.000", kGainKnobId, &ChannelParams::gain},
    {"Velocity", "%", "+1.000", "+5.000", "+100.000", kVelocityKnobId, &ChannelParams::velocity},
    {"Limit", "dB", "-12.041", "0.000", "0.000", kLimitKnobId, &ChannelParams::limit},
};

std::string parameterText(HostedEffect& fx, int32_t opcode, int32_t index) {
    char text[64];
    std::memset(text, 'x', sizeof text);
    fx.dispatch(opcode, index, 0, text);
    EXPECT_LE(std::strlen(text), 8u) << text;
    return text;
}

LimiterParams paramsOf(HostedEffect& fx) {
    LimiterParams p;
    std::memcpy(&p, chunkOf(fx).data(), 64);
    return p;
}
bool sameBits(const LimiterParams& a, const LimiterParams& b) { return std::memcmp(&a, &b, 64) == 0; }

TEST(LimiterParameters, NamedLabelledAndShownAsTheirKnobsShowThem) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    for (int32_t i = 0; i < 4; ++i) {
        const ParameterRow& row = kParameters[i];
        EXPECT_EQ(parameterText(fx, effGetParamName, i), row.name);
        EXPECT_EQ(parameterText(fx, effGetParamLabel, i), row.label);
        EXPECT_EQ(parameterText(fx, effGetParamDisplay, i), row.defaultText) << i;
        fx.setParameter(i, 0.0f);
        EXPECT_EQ(parameterText(fx, effGetParamDisplay, i), row.minText) << i;
        EXPECT_EQ(fx.getParameter(i), 0.0f);
        fx.setParameter(i, 1.0f);
        EXPECT_EQ(parameterText(fx, effGetParamDisplay, i), row.maxText) << i;
        EXPECT_EQ(fx.getParameter(i), 1.0f);
    }
}

// Each knob stepped from its minimum to its maximum, as the arrow keys do
// (from the run's origin): the host reads the knob's fraction, and setting
// what it read changes no bit. A second instance loads the same block as a
// chunk (nothing remembers how it was set) and answers the same; a third
// sets the fraction from its defaults and reads it back.
TEST(LimiterParameters, EveryKnobStepRoundTrips) {
    TestHost host;
    HostedEffect knobbed(pluginMain(TestHost::callback()));
    HostedEffect loaded(pluginMain(TestHost::callback()));
    HostedEffect fresh(pluginMain(TestHost::callback()));
    EditorControls controls;
    setupControls(&controls, objectOf(knobbed)->engine);
    LimiterParams defaults = paramsOf(fresh);
    for (int32_t i = 0; i < kSettingCount; ++i) {
        const ParameterRow& row = kParameters[i];
        const SettingInfo& s = kSettings[i];
        // Every value the knob's keys reach from its default.
        const long below = std::lround((s.defaultValue - s.min) / s.step);
        const long above = std::lround((s.max - s.defaultValue) / s.step);
        float previous = -1.0f;
        int steps = 0;
        for (long k = -below; k <= above; ++k) {
            KnobValue knob = settingKnobModel(s, s.defaultValue);
            knob_value_step(&knob, static_cast<int32_t>(k));
            onKnobChanged(&controls, row.knobId, float_bits(knob.current));
            LimiterParams set = paramsOf(knobbed);
            const float fraction = knobbed.getParameter(i);
            ASSERT_GT(fraction, previous) << i << " at " << knob.current;
            knobbed.setParameter(i, fraction);
            ASSERT_TRUE(sameBits(set, paramsOf(knobbed))) << i << " at " << knob.current;

            loaded.dispatch(effSetChunk, 0, 64, &set);
            const float loadedFraction = loaded.getParameter(i);
            EXPECT_NEAR(loadedFraction, fraction, 1e-7f);
            loaded.setParameter(i, loadedFraction);
            ASSERT_TRUE(sameBits(set, paramsOf(loaded))) << i << " at " << knob.current;

            // Automation replayed into a fresh instance lands on the step.
            fresh.dispatch(effSetChunk, 0, 64, &defaults);
            fresh.setParameter(i, fraction);
            ASSERT_EQ(fresh.getParameter(i), fraction) << i << " at " << knob.current;
            EXPECT_EQ(paramsOf(fresh).channel[0].*row.field, set.channel[0].*row.field)
                << i << " at " << knob.current;
            previous = fraction;
            ++steps;
        }
        EXPECT_GT(steps, 150);
    }
}

TEST(LimiterParameters, EndsNanBadIndicesAndTheBoundedCeiling) {
    TestHost host;
    HostedEffect fx(pluginMain(TestHost::callback()));
    LimiterEngine* engine = objectOf(fx)->engine;
    fx.setParameter(1, 1.5f);
    EXPECT_EQ(paramsOf(fx).channel[1].gain, decibelsToGain(24.0f));
    fx.setParameter(1, -3.0f);
    EXPECT_EQ(paramsOf(fx).channel[1].gain, decibelsToGain(-24.0f));
    const LimiterParams before = paramsOf(fx);
    for (int32_t index : {-1, 5, 1000}) {
        fx.setParameter(index, 0.5f);
        EXPECT_EQ(fx.getParameter(index), 0.0f);
        for (int32_t opcode : {effGetParamName, effGetParamLabel, effGetParamDisplay})
            EXPECT_EQ(parameterText(fx, opcode, index), "");
    }
    fx.setParameter(2, NAN);
    EXPECT_TRUE(sameBits(before, paramsOf(fx)));

    // A chunk's values outside the knobs' ranges: read at the nearest end,
    // shown as the engine applies them; its channels stay as they are until
    // a parameter sets both. A ceiling outside 0 to 4 is applied at the
    // nearest end, while the chunk keeps the bytes it was given.
    const struct {
        ChannelParams left;
        float limitRight;
        float gainFraction, limitFraction;
        const char* gainText;
        const char* limitText;
        float appliedLimit;
    } cases[] = {
        {{1, 20.0f, 5, 2.0f}, 2.0f, 1.0f, 1.0f, "+26.021", "+6.021", 2.0f},
        {{1, 0.01f, 5, 1e30f}, 0.5f, 0.0f, 1.0f, "-40.000", "+12.041", 4.0f},
        {{1, 0.0f, 5, -100.0f}, 1.0f, 0.0f, 0.0f, "-inf", "-inf", 0.0f},
        {{1, -0.5f, 5, 1.0f}, 1.0f, 0.0f, 1.0f, "-inf", "0.000", 1.0f},  // a gain below zero has no level
        {{1, NAN, 5, NAN}, 1.0f, 0.5f, 1.0f, "0.000", "0.000", 1.0f},
    };
    // Eight characters at most, the decimals given up first.
    for (const auto& shown : {std::make_pair(12345.678f, "+12345.7"), std::make_pair(-1e30f, "-1.0e+30")}) {
        LimiterParams chunk = before;
        chunk.channel[0].velocity = shown.first;
        fx.dispatch(effSetChunk, 0, 64, &chunk);
        EXPECT_EQ(parameterText(fx, effGetParamDisplay, 2), shown.second);
    }
    for (const auto& c : cases) {
        LimiterParams chunk = before;
        chunk.channel[0] = c.left;
        chunk.channel[1] = c.left;
        chunk.channel[1].limit = c.limitRight;
        fx.dispatch(effSetChunk, 0, 64, &chunk);
        EXPECT_EQ(fx.getParameter(1), c.gainFraction);
        EXPECT_EQ(fx.getParameter(3), c.limitFraction);
        EXPECT_EQ(parameterText(fx, effGetParamDisplay, 1), c.gainText);
        EXPECT_EQ(parameterText(fx, effGetParamDisplay, 3), c.limitText);
        Stereo audio(64);
        fx.processReplacing(audio.ins(), audio.outs(), 64);
        EXPECT_EQ(engine->channelState[0].limit, c.appliedLimit);
        EXPECT_TRUE(sameBits(chunk, paramsOf(fx)));
        fx.setParameter(1, 0.75f);  // sets gain on both channels, the limits stay
        const LimiterParams after = paramsOf(fx);
        EXPECT_EQ(after.channel[1].gain, decibelsToGain(12.0f));
        EXPECT_EQ(std::memcmp(&after.channel[1].limit, &c.limitRight, 4), 0);
    }
}

// The mode as a chunk carries it and as the host's fifth parameter sets it.
// Chunks written before the mode existed, whatever their reserved bytes
// hold, load as zero latency; the host's fractions choose a mode at one
// half; the first 24 reserved bytes come back as they were, and a chunk
// loaded into another instance gives the same mode and the same bytes.
TEST(LimiterMode, ChunksAndTheModeParameterRoundTrip) {
    const struct {
        const char* what;
        uint8_t fill;                 // every reserved byte of the chunk loaded
        bool tagged;                  // with a true-peak tag over the last eight
        std::vector<float> fractions; // then set by the host, in turn
        LimiterMode mode;
        bool lastEightKept;           // bytes 24 to 31 as loaded
    } cases[] = {
        {"zero bytes", 0x00, false, {}, LimiterMode::ZeroLatency, true},
        {"other bytes", 0xA7, false, {}, LimiterMode::ZeroLatency, true},
        {"text", 'Q', false, {}, LimiterMode::ZeroLatency, true},
        {"tagged", 0x00, true, {}, LimiterMode::TruePeak, true},
        {"tagged over other bytes", 0xA7, true, {}, LimiterMode::TruePeak, true},
        {"set by the host", 0x00, false, {0.5f}, LimiterMode::TruePeak, false},
        {"set back", 0xA7, false, {1.0f, 0.49f}, LimiterMode::ZeroLatency, false},
        {"NaN changes nothing", 0x00, true, {NAN}, LimiterMode::TruePeak, true},
        {"out of range", 0x00, false, {7.0f, -1.0f}, LimiterMode::ZeroLatency, true},
    };
    TestHost host;
    for (const auto& c : cases) {
        HostedEffect fx(pluginMain(TestHost::callback()));
        HostedEffect other(pluginMain(TestHost::callback()));
        LimiterParams loaded = paramsOf(fx);
        std::memset(loaded.reserved, c.fill, sizeof loaded.reserved);
        if (c.tagged) setModeInParams(loaded, LimiterMode::TruePeak);
        fx.dispatch(effSetChunk, 0, 64, &loaded);
        for (float f : c.fractions) fx.setParameter(kModeParameter, f);

        const ModeInfo& m = modeInfo(c.mode);
        EXPECT_EQ(fx.getParameter(kModeParameter), m.fraction) << c.what;
        EXPECT_EQ(parameterText(fx, effGetParamDisplay, kModeParameter), m.display) << c.what;
        EXPECT_EQ(fx.record()->initialDelay, modeLatencyFrames(c.mode, 44100.0f)) << c.what;
        const LimiterParams saved = paramsOf(fx);
        EXPECT_EQ(modeOfParams(saved), c.mode) << c.what;
        EXPECT_EQ(std::memcmp(saved.reserved, loaded.reserved, kModeTagOffset), 0) << c.what;
        EXPECT_EQ(std::memcmp(saved.reserved + kModeTagOffset, loaded.reserved + kModeTagOffset,
                              kModeTagSize) == 0,
                  c.lastEightKept)
            << c.what;
        EXPECT_EQ(std::memcmp(saved.channel, loaded.channel, sizeof saved.channel), 0) << c.what;

        other.dispatch(effSetChunk, 0, 64, const_cast<LimiterParams*>(&saved));
        EXPECT_EQ(other.getParameter(kModeParameter), m.fraction) << c.what;
        EXPECT_TRUE(sameBits(paramsOf(other), saved)) << c.what;
    }
    HostedEffect fx(pluginMain(TestHost::callback()));
    EXPECT_EQ(parameterText(fx, effGetParamName, kModeParameter), "Mode");
    EXPECT_EQ(parameterText(fx, effGetParamLabel, kModeParameter), "");
}

// initialDelay holds the mode's latency at the rate from before the first
// resume, and the host is not called while the effect is suspended. While
// it runs, a change reaches the host's I/O-changed callback at once, except
// on the thread that plays the audio blocks: from there it waits for the
// host's next call on another thread.
TEST(LimiterLatency, InitialDelayFollowsTheModeAndTheHostHearsOffTheAudioThread) {
    TestHost host;
    std::vector<DWORD> toldOn;
    host.onRequest = [&](const TestHost::Request& r) {
        if (r.opcode == audioMasterIOChanged) toldOn.push_back(GetCurrentThreadId());
    };
    HostedEffect fx(pluginMain(TestHost::callback()));
    const int32_t& delay = fx.record()->initialDelay;
    EXPECT_EQ(delay, 0);
    LimiterParams tagged = paramsOf(fx);
    setModeInParams(tagged, LimiterMode::TruePeak);
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    fx.dispatch(effSetChunk, 0, 64, &tagged);
    EXPECT_EQ(delay, modeLatencyFrames(LimiterMode::TruePeak, 96000.0f));
    fx.dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    EXPECT_EQ(delay, 64);
    fx.setParameter(kModeParameter, 0.0f);
    EXPECT_EQ(delay, 0);
    fx.setParameter(kModeParameter, 1.0f);
    EXPECT_TRUE(toldOn.empty());

    fx.dispatch(effMainsChanged, 0, 1);
    fx.setParameter(kModeParameter, 0.0f);
    EXPECT_EQ(delay, 0);
    EXPECT_EQ(toldOn, std::vector<DWORD>{GetCurrentThreadId()});
    fx.setParameter(kModeParameter, 0.0f);  // no change, nothing to tell
    EXPECT_EQ(toldOn.size(), 1u);

    Stereo audio(64);
    std::thread audioThread([&] {
        fx.processReplacing(audio.ins(), audio.outs(), 64);
        fx.setParameter(kModeParameter, 1.0f);
        char text[64];
        fx.dispatch(effGetParamDisplay, kModeParameter, 0, text);
    });
    audioThread.join();
    EXPECT_EQ(delay, 64);
    EXPECT_EQ(toldOn.size(), 1u);
    fx.dispatch(effEditIdle);
    EXPECT_EQ(toldOn, (std::vector<DWORD>{GetCurrentThreadId(), GetCurrentThreadId()}));

    // Untold at a suspend: the host reads it as it resumes.
    std::thread again([&] {
        fx.processReplacing(audio.ins(), audio.outs(), 64);
        fx.setParameter(kModeParameter, 0.0f);
    });
    again.join();
    fx.dispatch(effMainsChanged, 0, 0);
    fx.dispatch(effMainsChanged, 0, 1);
    fx.dispatch(effEditIdle);
    EXPECT_EQ(delay, 0);
    EXPECT_EQ(toldOn.size(), 2u);
}

// The host closes the effect while its audio thread is inside a block: the
// engine outlives the block and is freed exactly once, by the audio thread.
TEST(LimiterThreads, CloseWhileABlockIsRunning) {
    TestHost host;
    const int32_t baseline = liveEngineCount();
    const int frames = 1 << 22;
    Stereo audio(frames, 1.5f, 0.0f);
    for (int trial = 0; trial < 5; ++trial) {
        AEffect* effect = pluginMain(TestHost::callback());
        ASSERT_NE(effect, nullptr);
        LimiterEngine* engine = static_cast<LimiterPlugin*>(static_cast<PluginBase*>(effect->object))->engine;
        std::atomic<bool> done{false};
        std::thread audioThread([&] {
            effect->processReplacing(effect, audio.ins(), audio.outs(), frames);
            done = true;
        });
        for (;;) {
            lockEnter(&engine->lock);
            const bool busy = engine->busy == 1;
            lockLeave(&engine->lock);
            if (busy || done) break;
            Sleep(0);
        }
        EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
        audioThread.join();
        EXPECT_EQ(liveEngineCount(), baseline);
    }
}

}  // namespace
