// Loading, rendering and the editor capture of the host program, in
// process, against the fake effect: what the host asks of an effect, in
// which order, and what it makes of the answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "host/hosting/EditorCapture.h"
#include "host/hosting/PluginHost.h"
#include "host/hosting/Render.h"
#include "tests/host/FakeEffectState.h"
#include "tests/host/HostTestSupport.h"

namespace {

class PluginHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Our own reference keeps the fake's recorded state alive across the
        // host's loads and unloads.
        module = LoadLibraryA(fakePath().c_str());
        ASSERT_NE(module, nullptr);
        const FakeStateProc proc =
            reinterpret_cast<FakeStateProc>(reinterpret_cast<void*>(GetProcAddress(module, "fake_state")));
        ASSERT_NE(proc, nullptr);
        state = proc();
        std::memset(state, 0, sizeof *state);
    }
    void TearDown() override {
        if (module) FreeLibrary(module);
    }
    static std::string fakePath() { return besideTest("FakeEffect.dll"); }

    void loadFake(PluginHost& host) {
        std::string error;
        ASSERT_TRUE(host.load(fakePath(), error)) << error;
    }

    HMODULE module = nullptr;
    FakeEffectState* state = nullptr;
};

WavAudio makeAudio(int channels, size_t frames, uint32_t rate = 48000) {
    WavAudio a;
    a.sampleRate = rate;
    a.channels = channels;
    for (size_t i = 0; i < frames * channels; ++i) a.samples.push_back(0.4f * std::sin(0.05f * i) + (i % 3) * 0.1f);
    return a;
}

TEST_F(PluginHostTest, LoadFailuresAreReportedAndLeaveNothingLoaded) {
    PluginHost host;
    std::string error;
    EXPECT_FALSE(host.load(besideTest("NoSuchPlugin.dll"), error));
    EXPECT_NE(error.find("cannot load plug-in"), std::string::npos) << error;
    EXPECT_FALSE(host.load(besideTest("FakeNoEntry.dll"), error));
    EXPECT_NE(error.find("exports no 'main'"), std::string::npos) << error;

    _putenv("QC_FAKE_EFFECT_DECLINE=1");
    EXPECT_FALSE(host.load(fakePath(), error));
    EXPECT_NE(error.find("declined to start"), std::string::npos) << error;
    _putenv("QC_FAKE_EFFECT_DECLINE=");

    _putenv("QC_FAKE_EFFECT_BAD_RECORD=1");
    EXPECT_FALSE(host.load(fakePath(), error));
    EXPECT_NE(error.find("not an effect record"), std::string::npos) << error;
    _putenv("QC_FAKE_EFFECT_BAD_RECORD=");
    EXPECT_EQ(host.effect(), nullptr);
    EXPECT_EQ(state->opened, 0);
    EXPECT_EQ(state->closed, 0);  // a record without the magic is never driven
}

TEST_F(PluginHostTest, OpensOnLoadAndClosesOnceOnDestruction) {
    {
        PluginHost host;
        loadFake(host);
        EXPECT_EQ(state->created, 1);
        EXPECT_EQ(state->opened, 1);
        EXPECT_EQ(state->closed, 0);
        std::string error;
        ASSERT_TRUE(host.load(fakePath(), error));  // a second load closes the first effect
        EXPECT_EQ(state->closed, 1);
    }
    EXPECT_EQ(state->closed, 2);
}

TEST_F(PluginHostTest, ChunksTravelWholeAndAreCheckedAfterSetting) {
    PluginHost host;
    loadFake(host);
    LimiterParams p;
    std::string error;
    ASSERT_TRUE(host.getChunk(p, error)) << error;
    EXPECT_EQ(p.channel[1].velocity, 5.0f);
    for (int i = 0; i < 32; ++i) p.reserved[i] = static_cast<uint8_t>(0xA0 + i);
    p.channel[0].gain = 2.0f;
    p.channel[1].limit = 0.5f;
    ASSERT_TRUE(host.setChunk(p, error)) << error;
    LimiterParams back;
    ASSERT_TRUE(host.getChunk(back, error));
    EXPECT_EQ(std::memcmp(&back, &p, sizeof p), 0);
}

TEST_F(PluginHostTest, RendersInHostSizedBlocksAfterSampleRateAndSwitchOn) {
    PluginHost host;
    loadFake(host);
    LimiterParams p;
    std::string error;
    ASSERT_TRUE(host.getChunk(p, error));
    p.channel[0].gain = 2.0f;
    p.channel[1].gain = 0.5f;
    p.channel[0].limit = 0.6f;
    ASSERT_TRUE(host.setChunk(p, error));

    const WavAudio in = makeAudio(2, 1050);
    WavAudio out;
    RenderSettings settings;
    settings.blockSize = 100;
    double lastProgress = 0;
    int progressCalls = 0;
    settings.progress = [&](double done) {
        EXPECT_GT(done, lastProgress);
        lastProgress = done;
        ++progressCalls;
    };
    ASSERT_TRUE(renderAudio(host, in, out, settings, error)) << error;
    EXPECT_FLOAT_EQ(state->sampleRate, 48000.0f);
    EXPECT_EQ(state->blockSize, 100);
    EXPECT_EQ(state->resumedWithRate, 1);
    EXPECT_EQ(state->callsWhileOff, 0);
    EXPECT_EQ(state->mainsOn, 0);  // switched off after the last block
    EXPECT_EQ(state->largestBlock, 100);
    EXPECT_EQ(state->framesProcessed, 1050);
    EXPECT_EQ(state->replacingCalls, 11);
    EXPECT_EQ(state->processCalls, 0);
    EXPECT_EQ(progressCalls, 11);
    EXPECT_EQ(lastProgress, 1.0);

    ASSERT_EQ(out.samples.size(), in.samples.size());
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.sampleRate, 48000u);
    for (size_t i = 0; i < in.frames(); ++i) {
        ASSERT_FLOAT_EQ(out.samples[2 * i], std::fmax(-0.6f, std::fmin(0.6f, in.samples[2 * i] * 2.0f))) << i;
        ASSERT_FLOAT_EQ(out.samples[2 * i + 1], in.samples[2 * i + 1] * 0.5f) << i;
    }
}

TEST_F(PluginHostTest, AccumulatingFormGivesTheSameOutputAsReplacing) {
    PluginHost host;
    loadFake(host);
    const WavAudio in = makeAudio(2, 777);
    WavAudio replaced, added;
    RenderSettings settings;
    settings.blockSize = 64;
    std::string error;
    ASSERT_TRUE(renderAudio(host, in, replaced, settings, error)) << error;
    settings.accumulate = true;
    ASSERT_TRUE(renderAudio(host, in, added, settings, error)) << error;
    EXPECT_GT(state->processCalls, 0);
    EXPECT_EQ(added.samples, replaced.samples);  // outputs cleared before each call
    EXPECT_EQ(added.samples, in.samples);        // the fake's defaults pass audio unchanged
}

TEST_F(PluginHostTest, AStreamThatFailsStopsTheRenderWithItsMessageAndTheEffectSwitchedOff) {
    for (bool failRead : {true, false}) {
        PluginHost host;
        loadFake(host);
        state->framesProcessed = 0;
        int calls = 0;  // the third read or write fails
        const auto third = [&](std::string& error, bool failing, const char* message) {
            error = message;
            return !(failing && ++calls == 3);
        };
        RenderStream stream;
        stream.sampleRate = 44100;
        stream.channels = 2;
        stream.frames = 1000;
        stream.read = [&](float* in, size_t n, std::string& e) {
            std::fill(in, in + 2 * n, 0.25f);
            return third(e, failRead, "the disk went away");
        };
        stream.write = [&](const float*, size_t, std::string& e) { return third(e, !failRead, "the disk is full"); };
        RenderSettings settings;
        settings.blockSize = 100;
        std::string error;
        EXPECT_FALSE(renderStream(host, stream, settings, error));
        EXPECT_EQ(error, failRead ? "the disk went away" : "the disk is full");
        EXPECT_EQ(state->framesProcessed, failRead ? 200 : 300);
        EXPECT_EQ(state->mainsOn, 0);
    }
}

TEST_F(PluginHostTest, MonoFeedsBothInputsAndKeepsChannelOne) {
    PluginHost host;
    loadFake(host);
    const WavAudio in = makeAudio(1, 300, 22050);
    WavAudio out;
    RenderSettings settings;
    std::string error;
    ASSERT_TRUE(renderAudio(host, in, out, settings, error)) << error;
    EXPECT_EQ(state->sameInputBuffers, 1);
    EXPECT_EQ(out.channels, 1);
    EXPECT_EQ(out.samples, in.samples);
}

TEST_F(PluginHostTest, MuteWritesSilenceWithoutRunningTheEffect) {
    PluginHost host;
    loadFake(host);
    const WavAudio in = makeAudio(2, 500);
    WavAudio out;
    RenderSettings settings;
    settings.mute = true;
    std::string error;
    ASSERT_TRUE(renderAudio(host, in, out, settings, error)) << error;
    EXPECT_EQ(state->framesProcessed, 0);
    EXPECT_EQ(out.samples, std::vector<float>(in.samples.size(), 0.0f));
}

TEST_F(PluginHostTest, RefusesRatesTheLimiterDoesNotRunAt) {
    PluginHost host;
    loadFake(host);
    const WavAudio in = makeAudio(2, 10, 100);
    WavAudio out;
    std::string error;
    EXPECT_FALSE(renderAudio(host, in, out, RenderSettings(), error));
    EXPECT_NE(error.find("100 Hz"), std::string::npos) << error;
    EXPECT_EQ(state->framesProcessed, 0);
}

TEST_F(PluginHostTest, EditorIsOpenedInAWindowOfItsSizeAndPhotographed) {
    PluginHost host;
    loadFake(host);
    RgbImage image;
    const EditorCaptureResult r = captureEditor(host, image);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warning.empty()) << r.warning;
    ASSERT_EQ(image.width, kFakeEditorWidth);
    ASSERT_EQ(image.height, kFakeEditorHeight);
    EXPECT_EQ(image.pixel(5, 5), 0xFF0000u);  // the fake's corner mark: the image is not flipped
    EXPECT_EQ(image.pixel(100, 50), 0x3366CCu);
    EXPECT_EQ(image.pixel(kFakeEditorWidth - 1, kFakeEditorHeight - 1), 0x3366CCu);
    EXPECT_EQ(state->editorOpened, 1);
    EXPECT_EQ(state->editorClosed, 1);
    EXPECT_GT(state->editorIdles, 0);
}

TEST_F(PluginHostTest, AnEditorThatStaysAfterCloseIsReported) {
    PluginHost host;
    loadFake(host);
    state->keepEditorWindow = 1;
    RgbImage image;
    const EditorCaptureResult r = captureEditor(host, image);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_NE(r.warning.find("left 1 window"), std::string::npos) << r.warning;
}

}  // namespace
