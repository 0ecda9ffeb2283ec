// The host program's portable parts: its command line, the settings it
// writes into the parameter block, its output files and the demo signal.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include "host/DemoSignal.h"
#include "host/HostOptions.h"
#include "host/OutputPaths.h"
#include "host/SettingsReport.h"
#include "host/files/FileBytes.h"
#include "host/hosting/ChunkFile.h"
#include "host/pictures/BmpFile.h"
#include "host/wav/WavFile.h"
#include "tests/host/HostTestData.h"

namespace {

bool parse(std::vector<std::string> args, HostOptions& o, std::string& error) {
    o = HostOptions();
    error.clear();
    return parseHostOptions(args, o, error);
}

TEST(HostOptions, ReadsEveryOptionInBothSpellings) {
    HostOptions o;
    std::string error;
    ASSERT_TRUE(parse({"in.wav", "-o", "out.wav", "--plugin=x.dll", "--chunk", "a.bin", "--save-chunk=b.bin",
                       "--screenshot", "e.bmp", "--plot", "p.bmp", "--plot-size=480x4000", "--compression", "8", "--gain=-24", "--velocity", "1",
                       "--limit", "0.25", "--mute", "--process", "--block=64", "-q"},
                      o, error))
        << error;
    EXPECT_EQ(o.input, "in.wav");
    EXPECT_EQ(o.output, "out.wav");
    EXPECT_EQ(o.plugin, "x.dll");
    EXPECT_EQ(o.chunkIn, "a.bin");
    EXPECT_EQ(o.chunkOut, "b.bin");
    EXPECT_EQ(o.screenshot, "e.bmp");
    EXPECT_EQ(o.plot, "p.bmp");
    EXPECT_EQ(o.plotWidth, 480);
    EXPECT_EQ(o.plotHeight, 4000);
    EXPECT_EQ(*o.settings[kCompressionSetting], 8.0);
    EXPECT_EQ(*o.settings[kGainSetting], -24.0);
    EXPECT_EQ(*o.settings[kVelocitySetting], 1.0);
    EXPECT_EQ(*o.settings[kLimitSetting], 0.25);
    EXPECT_TRUE(o.mute && o.accumulate && o.quiet);
    EXPECT_EQ(o.blockSize, 64);
    EXPECT_TRUE(o.changesSettings());

    // "--" ends the options: a file may start with a dash.
    ASSERT_TRUE(parse({"--", "-odd.wav"}, o, error));
    EXPECT_EQ(o.input, "-odd.wav");
}

TEST(HostOptions, WhatTheProgramDoesFollowsFromTheActionsGiven) {
    HostOptions o;
    std::string error;
    ASSERT_TRUE(parse({}, o, error));
    EXPECT_TRUE(o.renders());  // no arguments: the demo
    EXPECT_FALSE(o.changesSettings());
    ASSERT_TRUE(parse({"--screenshot", "e.bmp"}, o, error));
    EXPECT_FALSE(o.renders());
    ASSERT_TRUE(parse({"--save-chunk", "c.bin", "--gain", "3"}, o, error));
    EXPECT_FALSE(o.renders());
    ASSERT_TRUE(parse({"--screenshot", "e.bmp", "--demo"}, o, error));
    EXPECT_TRUE(o.renders());
    ASSERT_TRUE(parse({"--screenshot", "e.bmp", "x.wav"}, o, error));
    EXPECT_TRUE(o.renders());
    ASSERT_TRUE(parse({"--save-preset", "p.fxp"}, o, error));
    EXPECT_FALSE(o.renders());
    ASSERT_TRUE(parse({"--preset=p.fxp"}, o, error));
    EXPECT_TRUE(o.renders() && o.changesSettings());
    ASSERT_TRUE(parse({"--plot", "p.bmp"}, o, error));  // a picture of the demo's render
    EXPECT_TRUE(o.renders());
}

TEST(HostOptions, BadCommandLinesGetOneLineErrors) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--gain"}, "option --gain needs a value"},
        {{"-o"}, "option -o needs a value"},
        {{"--output="}, "needs a non-empty value"},
        {{"--gain", "24.5"}, "bad value for --gain: '24.5' (expected -24 to 24 dB)"},
        {{"--gain", "loud"}, "bad value for --gain: 'loud'"},
        {{"--gain", "3dB"}, "bad value for --gain"},
        {{"--gain", "nan"}, "bad value for --gain"},
        {{"--compression", "0.5"}, "expected 1 to 8"},
        {{"--compression", "9"}, "expected 1 to 8"},
        {{"--velocity", "0"}, "expected 1 to 100"},
        {{"--velocity", "101"}, "expected 1 to 100"},
        {{"--limit", "0.2"}, "expected 0.25 to 1"},
        {{"--limit", "1.01"}, "expected 0.25 to 1"},
        {{"--block", "0"}, "bad value for --block"},
        {{"--block", "65537"}, "bad value for --block"},
        {{"--block", "2.5"}, "bad value for --block"},
        // Plain decimal numbers only, whole ones for a count.
        {{"--gain", "0x10"}, "bad value for --gain: '0x10'"},
        {{"--gain", "1e1"}, "bad value for --gain"},
        {{"--gain", "inf"}, "bad value for --gain"},
        {{"--gain", " 6"}, "bad value for --gain"},
        {{"--gain", "."}, "bad value for --gain"},
        {{"--gain", "-"}, "bad value for --gain"},
        {{"--gain", "1.2.3"}, "bad value for --gain"},
        {{"--block", "1e3"}, "bad value for --block: '1e3' (expected a whole number from 1 to 65536)"},
        {{"--block", " 256"}, "bad value for --block"},
        {{"--block", "256 "}, "bad value for --block"},
        {{"--block", "+256"}, "bad value for --block"},
        {{"--block", "256.0"}, "bad value for --block"},
        {{"--mute=yes"}, "option --mute takes no value"},
        {{"--list-params=1"}, "option --list-params takes no value"},
        {{"--param", "4=0.5"}, "bad value for --param: '4=0.5' (expected INDEX=FRACTION, an index from 0 to 3"},
        {{"--param", "1.0=0.5"}, "bad value for --param"},
        {{"--param", "1"}, "bad value for --param"},
        {{"--param", "1=1.5"}, "bad value for --param"},
        {{"a.wav", "b.wav"}, "more than one input file"},
        {{""}, "bad input file name"},
        {{"-"}, "bad input file name"},
        {{"-o", "x.wav", "--save-chunk", "c.bin"}, "-o names the rendered audio, but nothing is rendered"},
        {{"--edit", "--output=x.wav"}, "-o names the rendered audio"},
        {{"--chunk", "a.bin", "--preset", "p.fxp"}, "--chunk and --preset both give the settings: give one of them"},
        {{"--save-chunk", "c.bin", "--plot", "p.bmp"}, "--plot pictures the render, but nothing is rendered"},
        {{"--plot-size", "479x240"}, "bad value for --plot-size: '479x240' (expected WIDTHxHEIGHT, 480 to 8000 by 240"},
        {{"--plot-size", "1000x4001"}, "bad value for --plot-size"},
        {{"--plot-size", "1000"}, "bad value for --plot-size"},
        {{"--plot-size", "1000x"}, "bad value for --plot-size"},
        {{"--plot-size", "1000X400"}, "bad value for --plot-size"},
        {{"--plot-size", "+1000x400"}, "bad value for --plot-size"},
    };
    for (const auto& c : cases) {
        HostOptions o;
        std::string error;
        EXPECT_FALSE(parse(c.args, o, error)) << c.message;
        EXPECT_NE(error.find(c.message), std::string::npos) << "got: " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(HostOptions, RangeEndsAreAccepted) {
    HostOptions o;
    std::string error;
    EXPECT_TRUE(parse({"--compression", "1", "--gain", "24", "--velocity", "100", "--limit", "1", "--block", "65536"},
                      o, error))
        << error;
    EXPECT_TRUE(parse({"--compression", "8", "--gain", "-24", "--velocity", "1", "--limit", "0.25", "--block", "1"},
                      o, error))
        << error;
    EXPECT_TRUE(parse({"--gain", "+.5", "--limit", "1.", "--block", "0064"}, o, error)) << error;
    EXPECT_EQ(*o.settings[kGainSetting], 0.5);
    EXPECT_EQ(o.blockSize, 64);

    // Parameters in the order given; listing them is an action of its own.
    ASSERT_TRUE(parse({"--param", "3=-0", "--param=0=1", "--param", "1=.625", "--list-params"}, o, error)) << error;
    ASSERT_EQ(o.parameters.size(), 3u);
    EXPECT_EQ(o.parameters[0].index, 3);
    EXPECT_EQ(o.parameters[0].fraction, 0.0f);
    EXPECT_FALSE(std::signbit(o.parameters[0].fraction)) << "-0 is taken as 0";
    EXPECT_EQ(o.parameters[1].index, 0);
    EXPECT_EQ(o.parameters[1].fraction, 1.0f);
    EXPECT_EQ(o.parameters[2].fraction, 0.625f);
    EXPECT_FALSE(o.renders());
}

TEST(Settings, OptionsGoIntoBothChannelsAndLeaveTheRestAlone) {
    LimiterParams p = freshBlock();
    for (int i = 0; i < 32; ++i) p.reserved[i] = static_cast<uint8_t>(i + 1);
    p.channel[1].velocity = 42.0f;
    HostOptions o;
    o.settings[kGainSetting] = 6.0;
    o.settings[kLimitSetting] = 0.5;
    applySettings(o, p);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(p.channel[c].gain, 1.9952624f);  // what the gain knob at +6 dB stores
        EXPECT_FLOAT_EQ(p.channel[c].limit, 0.5f);
        EXPECT_FLOAT_EQ(p.channel[c].compression, 1.0f);
    }
    EXPECT_FLOAT_EQ(p.channel[0].velocity, 5.0f);
    EXPECT_FLOAT_EQ(p.channel[1].velocity, 42.0f);  // not given: kept per channel
    for (int i = 0; i < 32; ++i) EXPECT_EQ(p.reserved[i], i + 1);

    o = HostOptions();
    o.settings[kGainSetting] = -24.0;
    o.settings[kCompressionSetting] = 8.0;
    o.settings[kVelocitySetting] = 100.0;
    applySettings(o, p);
    EXPECT_NEAR(p.channel[1].gain, 0.0631, 1e-4);
    EXPECT_FLOAT_EQ(p.channel[1].compression, 8.0f);
    EXPECT_FLOAT_EQ(p.channel[1].velocity, 100.0f);
}

TEST(Settings, TheLineTellsWhatThePluginUsesAndTheWarningWhatTheEditorCannotSet) {
    const float fullGain = decibelsToGain(24.0f);  // as --gain 24 stores it
    const struct {
        ChannelParams left, right;
        const char* line;
        const char* warning;  // "" when every field is in range
    } cases[] = {
        {{1, 1, 5, 1}, {1, 1, 5, 1}, "compression 1.000, gain +0.000 dB, velocity 5.000, limit 1.000", ""},
        {{8, fullGain, 100, 0.25f}, {8, fullGain, 100, 0.25f}, "compression 8.000, gain +24.000 dB, velocity 100.000, limit 0.250", ""},
        {{1, NAN, 5, 1}, {1, NAN, 5, 1}, "gain +0.000 dB (default for NaN)",
         "settings outside the editor's ranges: gain NaN (the plug-in uses its default)"},
        {{INFINITY, -INFINITY, 5, 1}, {INFINITY, -INFINITY, 5, 1},
         "compression 1.000 (default for +inf), gain +0.000 dB (default for -inf)", "compression +inf"},
        {{1, 0, -50, 2}, {1, 0, -50, 2}, "compression 1.000, gain -inf dB, velocity -50.000, limit 2.000",
         "settings outside the editor's ranges: gain -inf dB (editor: -24 to 24 dB), velocity -50.000 (editor: 1 to "
         "100), limit 2.000 (editor: 0.25 to 1; the output can go above 0 dBFS)"},
        {{1, -0.5f, 5, 1}, {1, -0.5f, 5, 1}, "gain -inf dB (bounded from -0.500 (linear))", "gain -0.500 (linear)"},
        // The ceiling the plug-in applies never leaves 0 to 4.
        {{1, 1, 5, 10}, {1, 1, 5, -100}, "L compression 1.000, gain +0.000 dB, velocity 5.000, limit 4.000 (bounded from "
         "10.000); R compression 1.000, gain +0.000 dB, velocity 5.000, limit 0.000 (bounded from -100.000)",
         "L limit 10.000 (editor: 0.25 to 1; the output can go above 0 dBFS), R limit -100.000 (editor: 0.25 to 1)"},
        {{0.5f, 1, 5, 1}, {1, 1, 5, 0.2f},
         "L compression 0.500, gain +0.000 dB, velocity 5.000, limit 1.000; R compression 1.000, gain +0.000 dB, "
         "velocity 5.000, limit 0.200",
         "settings outside the editor's ranges: L compression 0.500 (editor: 1 to 8), R limit 0.200 (editor: 0.25 to 1)"},
    };
    for (const auto& c : cases) {
        LimiterParams p;
        std::memset(&p, 0, sizeof p);
        p.channel[0] = c.left;
        p.channel[1] = c.right;
        EXPECT_NE(describeSettings(p).find(c.line), std::string::npos) << describeSettings(p);
        const std::string warning = settingsOutsideRanges(p);
        if (*c.warning == '\0')
            EXPECT_EQ(warning, "");
        else
            EXPECT_NE(warning.find(c.warning), std::string::npos) << warning;
    }
}

TEST(OutputFiles, AFailedWriteIsAnErrorAndLeavesTheFileThereAlone) {
    RgbImage image;
    image.width = image.height = 1;
    image.bgr = {1, 2, 3};
    WavAudio audio;
    audio.sampleRate = 8000;
    audio.channels = 1;
    audio.samples.assign(100, 0.5f);
    const std::function<bool(const std::string&, std::string&)> writers[] = {
        [](const std::string& path, std::string& error) { return writeChunkFile(path, freshBlock(), error); },
        [&](const std::string& path, std::string& error) { return writeBmpFile(path, image, error); },
        [&](const std::string& path, std::string& error) { return writeWavFile(path, audio, error); },
    };
    const std::string old = "host_core_test.old", temporary = OutputFile::temporaryPathFor(old);
    for (const auto& write : writers) {
        std::string error;
        // A full device takes the bytes into the buffer and fails at the flush.
        EXPECT_FALSE(write("/dev/full", error));
        EXPECT_NE(error.find("'/dev/full': No space left on device"), std::string::npos) << error;

        // A folder where the temporary file goes is named; the file stays.
        writeBytes(old.c_str(), 3);
        std::filesystem::create_directory(temporary);
        EXPECT_FALSE(write(old, error));
        EXPECT_EQ(error.rfind("cannot create '" + temporary + "' (the temporary file for ", 0), 0u) << error;
        EXPECT_EQ(std::filesystem::file_size(old), 3u);
        std::filesystem::remove(temporary);

        EXPECT_TRUE(write(old, error)) << error;
        EXPECT_GT(std::filesystem::file_size(old), 3u);
        EXPECT_FALSE(std::filesystem::exists(temporary));
    }
    std::remove(old.c_str());
}

TEST(OutputPaths, NoTwoOutputsAndNoTemporaryNameMeetAnotherFileHoweverSpelled) {
    std::filesystem::create_directory("host_core_test_dir");
    const std::string absolute = (std::filesystem::current_path() / "x.wav").string();
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    const struct {
        std::vector<NamedFile> inputs, outputs;
        std::string clash;  // "" when there is none
    } cases[] = {
        {{}, {{"-o", "x.wav"}, {"--save-chunk", "./x.wav"}}, "-o 'x.wav' and --save-chunk './x.wav' are the same file"},
        {{}, {{"-o", "x.wav"}, {"--screenshot", "host_core_test_dir/../x.wav"}}, "are the same file"},
        {{}, {{"--save-chunk", absolute}, {"--screenshot", "x.wav"}}, "are the same file"},
#ifdef _WIN32
        {{}, {{"-o", "x.wav"}, {"--save-chunk", "X.WAV"}}, "are the same file"},
        {{}, {{"-o", "x.wav"}, {"--save-chunk", "host_core_test_dir\\..\\x.wav"}}, "are the same file"},
#endif
        {{}, {{"-o", "x.wav"}, {"--save-chunk", "x.wav.partial"}},
         "--save-chunk 'x.wav.partial' is the temporary name of -o 'x.wav'"},
        {{{"--chunk", "./x.wav.partial"}}, {{"-o", "x.wav"}}, "--chunk './x.wav.partial' is the temporary name"},
        // An output may replace an input; devices take any number of outputs.
        {{{"the input", "x.wav"}}, {{"-o", "./x.wav"}}, ""},
        {{}, {{"-o", "x.wav"}, {"--save-chunk", "x.chunk"}, {"--screenshot", "host_core_test_dir/x.wav"}}, ""},
        {{}, {{"-o", device}, {"--save-chunk", device}}, ""},
    };
    for (const auto& c : cases) {
        const std::string clash = findOutputClash(c.inputs, c.outputs);
        if (c.clash.empty())
            EXPECT_EQ(clash, "");
        else
            EXPECT_NE(clash.find(c.clash), std::string::npos) << "got: " << clash << "\nexpected: " << c.clash;
    }
    std::filesystem::remove("host_core_test_dir");
}

TEST(DemoSignal, StereoMusicWithBurstsPastFullScale) {
    const WavAudio demo = makeDemoSignal();
    EXPECT_EQ(demo.channels, 2);
    EXPECT_EQ(demo.sampleRate, kDemoSampleRate);
    EXPECT_EQ(demo.frames(), static_cast<size_t>(kDemoSeconds * kDemoSampleRate));
    const std::vector<double> peaks = channelPeaks(demo);
    for (double p : peaks) {
        EXPECT_GT(p, 1.5);  // the bursts
        EXPECT_LT(p, 4.0);
    }
    // Outside the bursts it stays inside full scale, and the channels differ.
    double quietPeak = 0;
    bool differ = false;
    for (size_t i = 0; i < 2 * kDemoSampleRate; ++i) {
        quietPeak = std::fmax(quietPeak, std::fabs(demo.samples[2 * i]));
        differ = differ || demo.samples[2 * i] != demo.samples[2 * i + 1];
    }
    EXPECT_LT(quietPeak, 1.0);
    EXPECT_GT(quietPeak, 0.2);
    EXPECT_TRUE(differ);
    EXPECT_EQ(makeDemoSignal().samples, demo.samples);
}

}  // namespace
