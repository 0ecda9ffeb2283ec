// The editor's gain-reduction meter: what it shows while the limiter works,
// that it comes to rest and stops painting, that many updates leave no GDI
// object behind, and the host's own query beside it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EditorFixture.h"
#include "editor/GainMeterView.h"
#include "editor/MeterModel.h"
#include "limiter/GainMeter.h"
#include "tests/toolkit/GdiObjectCounter.h"
#include "tests/toolkit/Screenshot.h"

namespace {

constexpr uint32_t kBarPixel = 0xF0A830;
constexpr uint32_t kMarkPixel = 0xECECE6;

struct Meter : EditorFixture {
    uint32_t clock = 1000;
    void SetUp() override {
        fx.dispatch(effEditOpen, 0, 0, parent.handle);
        pumpMessages();
        ASSERT_NE(editor()->gainMeter, nullptr);
    }
    void TearDown() override { fx.dispatch(effEditClose); }

    // `blocks` blocks of a 1 kHz sine: `left` and `right` are amplitudes.
    void play(float left, float right, int blocks, int frames = 512) {
        std::vector<float> l(frames), r(frames), o1(frames), o2(frames);
        float* ins[2] = {l.data(), r.data()};
        float* outs[2] = {o1.data(), o2.data()};
        for (int b = 0; b < blocks; ++b) {
            for (int i = 0; i < frames; ++i) {
                const float s = static_cast<float>(std::sin(6283.185 * (b * frames + i) / 44100.0));
                l[i] = left * s;
                r[i] = right * s;
            }
            fx.processReplacing(ins, outs, frames);
        }
    }
    // An update `ms` after the previous one, painted at once.
    void update(uint32_t ms) {
        clock += ms;
        pollGainMeter(editor()->gainMeter, clock);
        UpdateWindow(editor()->gainMeter);
    }
    // Pixels from 0 dB to the end of the bar or mark in a channel's row.
    int shownPixels(const RgbImage& panel, int channel) {
        const int y = kGainMeterY + channel * (kGainMeterBarHeight + kGainMeterGap) + 2;
        int end = 0;
        for (int x = 0; x < kGainMeterLength; ++x) {
            const uint32_t p = panel.pixel(kGainMeterX + x, y);
            if (p == kBarPixel || p == kMarkPixel) end = x + 1;
        }
        return end;
    }
};

TEST_F(Meter, ShowsTheReductionWhileLimitingThenRestsAndStopsPainting) {
    // A sine driven 6 dB into the ceiling on the left, one below it on the
    // right; then 12 dB into it. Read at the host's idle call.
    const struct { float left, depth; } loud[] = {{2.0f, 6.0f}, {4.0f, 12.0f}};
    RgbImage shown;
    for (const auto& c : loud) {
        play(c.left, 0.5f, 20);
        fx.dispatch(effEditIdle);
        pumpMessages();
        shown = capture_client(editor()->window);
        EXPECT_NEAR(shownPixels(shown, 0), meterPixel(c.depth, kGainMeterLength), 2) << c.depth;
        EXPECT_EQ(shownPixels(shown, 1), 0);
    }
    EXPECT_TRUE(save_screenshot("editor_meter", shown));

    // Silence: it falls to rest within the hold and the fall, then the
    // updates paint no more.
    for (int i = 0; i < 12; ++i) update(250);
    pumpMessages();
    EXPECT_EQ(shownPixels(capture_client(editor()->window), 0), 0);
    const int32_t paints = gainMeterPaintCount(editor()->gainMeter);
    for (int i = 0; i < 50; ++i) update(250);
    pumpMessages();
    EXPECT_EQ(gainMeterPaintCount(editor()->gainMeter), paints);
    EXPECT_FALSE(GetUpdateRect(editor()->gainMeter, nullptr, FALSE));
}

TEST_F(Meter, TenThousandUpdatesLeaveNoGdiObjectBehind) {
    update(40);
    const int32_t before = live_gdi_objects();
    const int32_t paintsBefore = gainMeterPaintCount(editor()->gainMeter);
    // Muted every other block: the readings swing between none and 12 dB.
    for (int i = 0; i < 10000; ++i) {
        setMute(engine(), i % 2);
        play(4.0f, 0.0f, 1, static_cast<int>(kPublishFrames));  // each block published
        update(300);
    }
    EXPECT_GT(gainMeterPaintCount(editor()->gainMeter) - paintsBefore, 5000);
    if (before < 0) GTEST_SKIP() << "GDI objects cannot be counted here";
    EXPECT_EQ(live_gdi_objects(), before);
}

// The host's reader is its own: the editor's readings take nothing from it.
TEST_F(Meter, HostQueryReadsBesideTheEditor) {
    play(2.0f, 0.5f, 4);
    fx.dispatch(effEditIdle);
    GainReading reading{};
    EXPECT_EQ(fx.dispatch(kVendorSpecificOpcode, kGainReadingQuery, 0, &reading), 1);
    EXPECT_EQ(reading.frames, 4u * 512u);
    EXPECT_NEAR(reading.channel[0].reductionDecibels, -6.0f, 0.5f);
    EXPECT_EQ(reading.channel[1].reductionDecibels, 0.0f);
    EXPECT_EQ(fx.dispatch(kVendorSpecificOpcode, kGainReadingQuery + 1, 0, &reading), 0);
    EXPECT_EQ(fx.dispatch(kVendorSpecificOpcode, kGainReadingQuery, 0, nullptr), 0);
}

}  // namespace
