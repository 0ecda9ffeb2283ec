// The host program end to end, run as a child process the way a user runs
// it: bad input, rendering WAV files with known peaks, chunks saved and
// loaded, and (once the plug-in is built) the real limiter and its editor.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "host/HostOptions.h"
#include "host/hosting/ChunkFile.h"
#include "host/hosting/ModuleMachine.h"
#include "host/hosting/PluginHost.h"
#include "host/hosting/PresetFile.h"
#include "host/wav/WavFile.h"
#include "host/wav/WavReader.h"
#include "host/wav/WavWriter.h"
#include "limiter/LimiterParams.h"
#include "resources/resource_ids.h"
#include "tests/host/HostTestData.h"
#include "tests/host/HostTestSupport.h"
#include "tests/host/wav/WavBuilder.h"

namespace {

std::string hostProgram() { return testDirectory() + "\\" QC_BIN_FROM_TESTS "\\qclamper-host.exe"; }
std::string fakePlugin() { return besideTest("FakeEffect.dll"); }

ProgramRun host(std::vector<std::string> args) { return runProgram(hostProgram(), args); }
ProgramRun hostWithFake(std::vector<std::string> args) {
    args.insert(args.begin(), {"--plugin", fakePlugin()});
    return host(args);
}

// A failed run: exit status 1 and exactly one line on stderr, the error.
void expectOneLineError(const ProgramRun& run, const std::string& message) {
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.err.rfind("qclamper-host: error: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(message), std::string::npos) << "got: " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
}

// Writes a stereo WAV whose left channel peaks at `left` and right at `right`.
void writeKnownPeaks(const std::string& path, WavSampleFormat format, float left, float right,
                     uint32_t rate = 44100, size_t frames = 4410) {
    WavAudio a;
    a.sampleRate = rate;
    a.channels = 2;
    for (size_t i = 0; i < frames; ++i) {
        const float s = static_cast<float>(std::sin(2 * 3.14159265358979 * 441.0 * i / rate));
        a.samples.push_back(left * s);
        a.samples.push_back(right * s);
    }
    // Make the peaks exact, whatever the sine's phase grid.
    a.samples[2 * 25] = left;
    a.samples[2 * 75 + 1] = -right;
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(encodeWav(a, format, bytes, error)) << error;
    writeFileBytes(path, std::string(bytes.begin(), bytes.end()));
}

WavAudio readOutput(const std::string& path) {
    WavAudio a;
    const WavReadResult r = readWavFile(path, a);
    EXPECT_TRUE(r.ok) << r.error;
    EXPECT_EQ(a.sourceFormat, WavSampleFormat::Float32);
    return a;
}

LimiterParams readChunk(const std::string& path) {
    LimiterParams p;
    std::memset(&p, 0, sizeof p);
    const std::string bytes = readFileBytes(path);
    EXPECT_EQ(bytes.size(), 64u);
    if (bytes.size() == 64) std::memcpy(&p, bytes.data(), 64);
    return p;
}

TEST(HostProgram, HelpAndBadCommandLines) {
    ProgramRun run = host({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind("Usage: qclamper-host", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("--mute"), std::string::npos);
    EXPECT_NE(run.out.find("3 when the plug-in\ncrashes"), std::string::npos) << run.out;
    EXPECT_TRUE(run.err.empty());
    run = host({"--version"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out.rfind(std::string("qclamper-host ") + QC_VERSION_STRING, 0), 0u) << run.out;

    expectOneLineError(host({"--loudness", "11"}), "unknown option '--loudness'");
    expectOneLineError(host({"--limit", "2"}), "bad value for --limit: '2' (expected 0.25 to 1)");
    expectOneLineError(hostWithFake({"--param", "2=0.5", "--list-params"}), "no parameter 2 (the plug-in has 1)");
}

TEST(HostProgram, BadFilesAndOptionsAreRejectedInTheUsersTermsWithoutWritingAnything) {
    writeFileBytes("program_test_text.wav", "this is not audio\n");
    const std::vector<uint8_t> adpcm = WavBuilder()
                                           .riff()
                                           .chunk("fmt ", WavBuilder::fmt(2, 2, 44100, 4, 2048))
                                           .chunk("data", std::vector<uint8_t>(2048, 0))
                                           .build();
    writeFileBytes("program_test_adpcm.wav", std::string(adpcm.begin(), adpcm.end()));
    // A rate whose byte rate as 32-bit float stereo no longer fits 32 bits.
    const std::vector<uint8_t> fast = WavBuilder()
                                          .riff()
                                          .chunk("fmt ", WavBuilder::fmt(1, 2, 536870912, 16))
                                          .chunk("data", std::vector<uint8_t>(400, 0))
                                          .build();
    writeFileBytes("program_test_fast.wav", std::string(fast.begin(), fast.end()));
    writeFileBytes("program_test_short.chunk", std::string(63, '\0'));
    writeKnownPeaks("program_test_in.wav", WavSampleFormat::Pcm16, 0.5f, 0.25f);
    // The fake effect as the other architecture's build would mark it.
    const uint16_t otherMachine = kHostMachine == kMachineX64 ? kMachineX86 : kMachineX64;
    std::string other = readFileBytes(fakePlugin());
    ASSERT_EQ(moduleMachineOf(reinterpret_cast<const uint8_t*>(other.data()), other.size()), kHostMachine);
    const uint32_t machineAt = static_cast<uint8_t>(other[0x3C]) + 256u * static_cast<uint8_t>(other[0x3D]) + 4;
    other[machineAt] = static_cast<char>(otherMachine & 0xFF);
    other[machineAt + 1] = static_cast<char>(otherMachine >> 8);
    writeFileBytes("program_test_other.dll", other);
    const std::string never = "program_test_never.wav", folder = testDirectory();
    DeleteFileA(never.c_str());

    const struct {
        std::vector<std::string> args;  // after --plugin FakeEffect.dll, before -o never
        std::string message;
    } cases[] = {
        {{"program_test_missing.wav"}, "cannot open 'program_test_missing.wav': No such file"},
        {{folder}, "cannot open '" + folder + "': it is a folder, not a file"},
        {{"program_test_text.wav"}, "not a WAV file"},
        {{"program_test_adpcm.wav"}, "unsupported sample encoding (format tag 0x0002)"},
        {{"program_test_fast.wav"},
         "sample rate 536870912 Hz is too high for a WAV file: stereo 32-bit float goes up to 536870911 Hz"},
        {{"program_test_in.wav", "--chunk", "program_test_short.chunk"}, "holds 63 bytes; a Q-Clamper chunk is exactly 64"},
        {{"program_test_in.wav", "--plugin", "NoSuchPlugin.dll"}, "cannot load plug-in 'NoSuchPlugin.dll': no such file"},
        {{"program_test_in.wav", "--plugin", "program_test_text.wav"},
         "cannot load plug-in 'program_test_text.wav': not a " + machineBits(kHostMachine) + " Windows DLL"},
        {{"program_test_in.wav", "--plugin", "program_test_other.dll"},
         "cannot load plug-in 'program_test_other.dll': it is a " + machineBits(otherMachine) +
             " DLL and this host is " + machineBits(kHostMachine) + ": load it with the " +
             machineBits(otherMachine) + " qclamper-host.exe"},
        {{"program_test_in.wav", "--plugin", folder}, "cannot load plug-in '" + folder + "': it is a folder, not a DLL"},
        {{"program_test_in.wav", "--plugin", besideTest("FakeNoEntry.dll")}, "exports no 'main'"},
        {{"program_test_in.wav", "--gain", "0x10"}, "bad value for --gain: '0x10' (expected -24 to 24 dB)"},
        {{"program_test_in.wav", "--block", "1e3"}, "bad value for --block: '1e3'"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", never});
        expectOneLineError(hostWithFake(args), c.message);
    }
    expectOneLineError(hostWithFake({"program_test_in.wav", "-o", "no-such-directory\\out.wav"}),
                       "cannot create 'no-such-directory\\out.wav': No such file");
    expectOneLineError(hostWithFake({"program_test_in.wav", "-o", folder}),
                       "cannot create '" + folder + "': it is a folder, not a file");
    EXPECT_FALSE(fileExists(never));
    EXPECT_FALSE(fileExists(never + ".partial"));
}

TEST(HostProgram, OutputsThatWouldMeetOrCannotBeWrittenAreErrorsAndLeaveNothingBehind) {
    writeKnownPeaks("program_test_in.wav", WavSampleFormat::Pcm16, 0.5f, 0.25f);
    const std::string out = "program_test_out.wav", blocked = "program_test_blocked.wav";
    DeleteFileA(out.c_str());
    CreateDirectoryA((blocked + ".partial").c_str(), nullptr);
    const struct {
        std::vector<std::string> args;  // after --plugin FakeEffect.dll program_test_in.wav
        std::string message;
    } cases[] = {
        {{"-o", out, "--save-chunk", out}, "-o '" + out + "' and --save-chunk '" + out + "' are the same file"},
        {{"-o", out, "--screenshot", ".\\PROGRAM_TEST_OUT.WAV"}, "are the same file"},
        {{"-o", out, "--save-chunk", QC_TEST_DIR_UNIX "/" + out}, "are the same file"},
        // Short enough to sit in the write buffer until the end.
        {{"-o", "/dev/full"}, "cannot write '/dev/full': No space left on device"},
        {{"-o", out, "--save-chunk", "/dev/full"}, "cannot write chunk file '/dev/full': No space left on device"},
        {{"-o", blocked}, "cannot create '" + blocked + ".partial' (the temporary file for '" + blocked + "')"},
        {{"-o", out, "--plot", out}, "-o '" + out + "' and --plot '" + out + "' are the same file"},
        // Checked before the render: no audio is written either.
        {{"-o", out, "--plot", blocked}, "(the temporary file for plot '" + blocked + "')"},
        {{"-o", out, "--plot", "/dev/full"}, "cannot write plot '/dev/full': No space left on device"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"program_test_in.wav"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        expectOneLineError(hostWithFake(args), c.message);
        EXPECT_FALSE(fileExists(out + ".partial"));
        EXPECT_FALSE(fileExists(blocked));
        DeleteFileA(out.c_str());  // the render before a failed chunk stays
    }
    RemoveDirectoryA((blocked + ".partial").c_str());
}

TEST(HostProgram, WarnsOfEmptyInputAndOfSettingsTheEditorCannotMake) {
    const std::vector<uint8_t> empty =
        WavBuilder().riff().chunk("fmt ", WavBuilder::fmt(1, 2, 44100, 16)).chunk("data", {}).build();
    writeFileBytes("program_test_empty.wav", std::string(empty.begin(), empty.end()));
    writeKnownPeaks("program_test_in.wav", WavSampleFormat::Pcm16, 0.5f, 0.25f);
    const auto chunkFile = [](const char* path, ChannelParams c) {
        LimiterParams p;
        std::memset(&p, 0, sizeof p);
        p.channel[0] = p.channel[1] = c;
        writeFileBytes(path, std::string(reinterpret_cast<const char*>(&p), sizeof p));
        return std::string(path);
    };
    const struct {
        std::vector<std::string> args;
        const char* settingsLine;  // on stdout
        const char* warning;       // the one line on stderr
    } cases[] = {
        {{"program_test_empty.wav"}, "settings: compression 1.000, gain +0.000 dB",
         "'program_test_empty.wav' holds no audio: the output will be empty"},
        {{"program_test_in.wav", "--chunk", chunkFile("program_test_nan.chunk", {1, NAN, 5, 1})},
         "settings: compression 1.000, gain +0.000 dB (default for NaN), velocity 5.000, limit 1.000",
         "settings outside the editor's ranges: gain NaN (the plug-in uses its default)"},
        {{"program_test_in.wav", "--chunk", chunkFile("program_test_wild.chunk", {1, 0, -50, 2})},
         "settings: compression 1.000, gain -inf dB, velocity -50.000, limit 2.000",
         "settings outside the editor's ranges: gain -inf dB (editor: -24 to 24 dB), velocity -50.000 (editor: 1 to 100), "
         "limit 2.000 (editor: 0.25 to 1; the output can go above 0 dBFS)"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", "program_test_warned.wav"});
        const ProgramRun run = hostWithFake(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find(c.settingsLine), std::string::npos) << run.out;
        EXPECT_EQ(run.err, std::string("qclamper-host: warning: ") + c.warning + "\n");
        EXPECT_TRUE(fileExists("program_test_warned.wav"));
    }
}

TEST(HostProgram, RendersAWavFileThroughThePluginWithKnownPeaks) {
    // The fake scales by the chunk's gain: +6.0206 dB doubles the signal.
    writeKnownPeaks("program_test_in.wav", WavSampleFormat::Pcm24, 0.5f, 0.25f);
    ProgramRun run = hostWithFake({"program_test_in.wav", "--gain", "6.0206", "--block", "333"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_NE(run.out.find("24-bit PCM, 2 channels, 44100 Hz, 0.10 s"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("in  peak: L 0.50000 (-6.02 dBFS)  R 0.25000 (-12.04 dBFS)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("out peak: L 1.00000 (+0.00 dBFS)  R 0.50000 (-6.02 dBFS)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("program_test_in-clamped.wav"), std::string::npos) << run.out;  // the default name
    const WavAudio out = readOutput("program_test_in-clamped.wav");
    EXPECT_EQ(out.sampleRate, 44100u);
    EXPECT_EQ(out.frames(), 4410u);
    const std::vector<double> peaks = channelPeaks(out);
    EXPECT_NEAR(peaks[0], 1.0, 1e-4);
    EXPECT_NEAR(peaks[1], 0.5, 1e-4);

    // The output may replace its own input: it is read to the end first.
    run = hostWithFake({"program_test_in.wav", "--gain", "6.0206", "-o", "program_test_in.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NEAR(channelPeaks(readOutput("program_test_in.wav"))[0], 1.0, 1e-4);
    // A device takes the output as it comes: the peaks without a file.
    run = hostWithFake({"program_test_in.wav", "-o", "NUL"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("output:   NUL (32-bit float)"), std::string::npos) << run.out;

    // --mute: silence of the same length; unix paths work under Wine too.
    run = hostWithFake({"program_test_in.wav", "--mute", "-o", QC_TEST_DIR_UNIX "/program_test_muted.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const WavAudio muted = readOutput("program_test_muted.wav");
    EXPECT_EQ(muted.frames(), 4410u);
    EXPECT_EQ(channelPeaks(muted)[0], 0.0);
}

// The size of a BMP file's picture, from its header.
std::pair<int, int> bmpSize(const std::string& bytes) {
    if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return {0, 0};
    const uint8_t* p = reinterpret_cast<const uint8_t*>(bytes.data());
    return {static_cast<int>(get32(p + 18)), static_cast<int>(get32(p + 22))};
}

// Pixels of the plot's gain reduction colour.
size_t reductionPixels(const std::string& bytes) {
    size_t n = 0;
    for (size_t i = 54; i + 2 < bytes.size(); i += 3)
        if (static_cast<uint8_t>(bytes[i]) == 0x5C && static_cast<uint8_t>(bytes[i + 1]) == 0x64 &&
            static_cast<uint8_t>(bytes[i + 2]) == 0xE0)
            ++n;
    return n;
}

TEST(HostProgram, ReportsLoudnessTruePeakAndTheGainReductionThePluginReadsAndPlotsTheRender) {
    // Two seconds of 441 Hz, 100 samples a period: doubled, the left
    // channel's peak of 0.5 meets the fake's limit of 0.5 at 1.0, a cut of
    // 6.02 dB, and lies more than 0.1 dB over it in 66 of each 100 samples.
    writeKnownPeaks("program_test_in.wav", WavSampleFormat::Float32, 0.5f, 0.25f, 44100, 88200);
    const std::vector<std::string> args = {"program_test_in.wav", "--gain", "6.0206", "--limit", "0.5",
                                           "-o", "program_test_out.wav", "--plot", "program_test_plot.bmp"};
    SetEnvironmentVariableA("QC_FAKE_EFFECT_GAIN_READING", "1");
    ProgramRun run = hostWithFake(args);
    SetEnvironmentVariableA("QC_FAKE_EFFECT_GAIN_READING", nullptr);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    for (const char* line : {
             "  in  true peak: L -6.02 dBTP  R -12.04 dBTP\n",
             "  out true peak: L -6.02 dBTP  R -6.02 dBTP\n",
             // A sine's mean square is half its peak's: -9.03 and -15.05
             // dB, summed and offset.
             "  in  loudness: -8.7 LUFS integrated, range not measured (shorter than 3 s)\n",
             "  gain reduction: L -6.0 dB deepest, limiting 66.0 % of the time  R 0.0 dB deepest, limiting 0.0 % of the time\n",
             "plot:     program_test_plot.bmp (1000 x 400)\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
    std::string plot = readFileBytes("program_test_plot.bmp");
    EXPECT_EQ(bmpSize(plot), std::make_pair(1000, 400));
    EXPECT_GT(reductionPixels(plot), 1000u);  // not only the legend's swatch

    // A plug-in that does not answer: told so, and the panel stays empty.
    std::vector<std::string> sized = args;
    sized.insert(sized.end(), {"--plot-size", "640x300"});
    run = hostWithFake(sized);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("  gain reduction: not reported by the plug-in\n"), std::string::npos) << run.out;
    plot = readFileBytes("program_test_plot.bmp");
    EXPECT_EQ(bmpSize(plot), std::make_pair(640, 300));
    EXPECT_LT(reductionPixels(plot), 100u);

    // Too short for a gating block.
    writeKnownPeaks("program_test_in.wav", WavSampleFormat::Pcm16, 0.5f, 0.25f);
    run = hostWithFake({"program_test_in.wav", "-o", "program_test_out.wav"});
    EXPECT_NE(run.out.find("  in  loudness: not measured: shorter than one 400 ms block\n"), std::string::npos)
        << run.out;
}

TEST(HostProgram, SavesAndLoadsChunks) {
    ProgramRun run = hostWithFake({"--gain", "-6", "--limit", "0.5", "--save-chunk", "program_test_a.chunk"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find("in  peak"), std::string::npos);  // nothing rendered
    LimiterParams a = readChunk("program_test_a.chunk");
    for (const ChannelParams& c : a.channel) {
        EXPECT_NEAR(c.gain, 0.501187, 1e-6);
        EXPECT_EQ(c.limit, 0.5f);
        EXPECT_EQ(c.velocity, 5.0f);
    }
    // Reserved bytes written into a chunk file survive the trip through the
    // plug-in; options given with --chunk override it.
    for (int i = 0; i < 32; ++i) a.reserved[i] = static_cast<uint8_t>(i * 7 + 1);
    writeFileBytes("program_test_a.chunk", std::string(reinterpret_cast<const char*>(&a), 64));
    run = hostWithFake({"--chunk", "program_test_a.chunk", "--velocity", "50", "--save-chunk", "program_test_b.chunk"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    LimiterParams b = readChunk("program_test_b.chunk");
    EXPECT_EQ(std::memcmp(b.reserved, a.reserved, 32), 0);
    EXPECT_EQ(b.channel[1].velocity, 50.0f);
    b.channel[0].velocity = b.channel[1].velocity = 5.0f;
    EXPECT_EQ(std::memcmp(&b, &a, 64), 0);
}

TEST(HostProgram, LongFilesReportProgressAndNonFiniteSamplesAreNotFedToThePlugin) {
    WavAudio a;
    a.sampleRate = 8000;
    a.channels = 1;
    a.samples.assign(61 * 8000, 0.25f);
    a.samples[10] = NAN;
    a.samples[11] = INFINITY;
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(encodeWav(a, WavSampleFormat::Float32, bytes, error));
    writeFileBytes("program_test_long.wav", std::string(bytes.begin(), bytes.end()));
    ProgramRun run = hostWithFake({"program_test_long.wav", "-o", "program_test_long_out.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("rendering: 50%"), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "qclamper-host: warning: 2 non-finite input samples set to 0\n");
    const WavAudio out = readOutput("program_test_long_out.wav");
    ASSERT_EQ(out.frames(), 61u * 8000);
    EXPECT_EQ(out.samples[10], 0.0f);
    EXPECT_EQ(channelPeaks(out)[0], 0.25);

    run = hostWithFake({"-q", "program_test_long.wav", "-o", "program_test_long_out.wav"});
    EXPECT_EQ(run.out.find("rendering"), std::string::npos) << run.out;
}

// Twelve minutes of stereo at 48 kHz: 138 MB of 16-bit input, 276 MB of
// float output. Noise whose level steps every second, in exact 16-bit steps
// so that the file holds what the generator gives.
constexpr uint64_t kLongFrames = 48000ull * 60 * 12;

void longSignal(uint64_t first, size_t frames, float* interleaved) {
    for (size_t i = 0; i < frames; ++i) {
        const uint64_t n = first + i;
        uint32_t x = static_cast<uint32_t>(n) * 0x9E3779B1u;
        x ^= x >> 15;
        x *= 0x85EBCA77u;
        x ^= x >> 13;
        const int level = static_cast<int>((n / 48000) % 4) + 1;
        interleaved[2 * i] = static_cast<float>(static_cast<int16_t>(x) / 4 * level) / 32768.0f;
        interleaved[2 * i + 1] = static_cast<float>(static_cast<int16_t>(x >> 16) / 4 * level) / 32768.0f;
    }
}

uint64_t fileSizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Removes the test's large files however it ends.
struct RemovedAtEnd {
    std::vector<std::string> paths;
    ~RemovedAtEnd() {
        for (const std::string& p : paths) DeleteFileA(p.c_str());
    }
};

TEST(HostProgram, LongRendersStreamInConstantMemoryAndOnlyACompleteFileTakesTheName) {
    const std::string input = "program_test_long16.wav", target = "program_test_long_out.wav";
    const RemovedAtEnd cleanup{{input, target, target + ".partial"}};
#ifdef QC_HAVE_PLUGIN
    const std::string plugin = testDirectory() + "\\" QC_BIN_FROM_TESTS "\\Q-Clamper.dll";  // a limiter with state
#else
    const std::string plugin = fakePlugin();
#endif
    std::string error;
    {
        WavWriter writer;
        ASSERT_TRUE(writer.open(input, {WavSampleFormat::Pcm16, 2, 48000}, kLongFrames, WavContainer::Auto, error));
        std::vector<float> block(2 * 65536);
        for (uint64_t done = 0; done < kLongFrames; done += 65536) {
            const size_t n = static_cast<size_t>(std::min<uint64_t>(65536, kLongFrames - done));
            longSignal(done, n, block.data());
            ASSERT_TRUE(writer.write(block.data(), n, error)) << error;
        }
        ASSERT_TRUE(writer.commit(error)) << error;
    }

    // Stopped part way: the file already under the name stays as it was.
    writeFileBytes(target, "an older render");
    ProgramRun run = runProgram(hostProgram(), {"--plugin", plugin, "--block", "1", input, "-o", target},
                                [&](HANDLE process) {
                                    if (fileSizeOf(target + ".partial") > (8u << 20)) TerminateProcess(process, 7);
                                });
    EXPECT_EQ(run.exitCode, 7) << run.err;
    EXPECT_EQ(readFileBytes(target), "an older render");

    run = runProgram(hostProgram(), {"--plugin", plugin, "--gain", "6", input, "-o", target, "--plot", "NUL"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("720.00 s"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("plot:     NUL (1000 x 400)"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("rendering: 90%"), std::string::npos) << run.out;
    EXPECT_FALSE(fileExists(target + ".partial"));
    const uint64_t outputBytes = fileSizeOf(target);
    EXPECT_EQ(outputBytes, 58 + kLongFrames * 8);  // RIFF, fmt, fact and data headers, then stereo floats
    EXPECT_GT(run.peakWorkingSet, 0u);
    EXPECT_LT(run.peakWorkingSet, 48u << 20) << "the output is " << (outputBytes >> 20) << " MiB";

    // Bit for bit the render of the same signal through the same plug-in
    // in this process, block by block.
    PluginHost host;
    ASSERT_TRUE(host.load(plugin, error)) << error;
    LimiterParams settings;
    ASSERT_TRUE(host.getChunk(settings, error)) << error;
    HostOptions options;
    options.settings[kGainSetting] = 6.0;
    applySettings(options, settings);
    ASSERT_TRUE(host.setChunk(settings, error)) << error;
    WavReader output;
    ASSERT_TRUE(output.openFile(target).ok);
    ASSERT_EQ(output.frames(), kLongFrames);
    // Driven here as any host drives an effect, not through the program's
    // render loop: 512-frame blocks, switched on once.
    AEffect* effect = host.effect();
    host.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    host.dispatch(effSetBlockSize, 0, 512);
    host.dispatch(effMainsChanged, 0, 1);
    std::vector<float> signal(2 * 512), expected(2 * 512), written(2 * 512), in1(512), in2(512), out1(512), out2(512);
    float* inputs[2] = {in1.data(), in2.data()};
    float* outputs[2] = {out1.data(), out2.data()};
    for (uint64_t done = 0; done < kLongFrames; done += 512) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(512, kLongFrames - done));
        longSignal(done, n, signal.data());
        for (size_t i = 0; i < n; ++i) {
            in1[i] = signal[2 * i];
            in2[i] = signal[2 * i + 1];
        }
        effect->processReplacing(effect, inputs, outputs, static_cast<int32_t>(n));
        for (size_t i = 0; i < n; ++i) {
            expected[2 * i] = out1[i];
            expected[2 * i + 1] = out2[i];
        }
        ASSERT_TRUE(output.read(written.data(), n, error)) << error;
        ASSERT_EQ(std::memcmp(written.data(), expected.data(), 8 * n), 0) << "the block from frame " << done;
    }
}

TEST(HostProgram, APluginThatCrashesEndsTheProgramWithOneLine) {
    writeKnownPeaks("program_test_in.wav", WavSampleFormat::Pcm16, 0.5f, 0.25f);
    SetEnvironmentVariableA("QC_FAKE_EFFECT_CRASH", "1");
    const ProgramRun run = hostWithFake({"program_test_in.wav", "-o", "program_test_crash.wav"});
    SetEnvironmentVariableA("QC_FAKE_EFFECT_CRASH", nullptr);
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err.rfind("qclamper-host: error: the plug-in '" + fakePlugin() + "' crashed (exception 0xC0000005", 0), 0u)
        << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_FALSE(fileExists("program_test_crash.wav"));
    EXPECT_FALSE(fileExists("program_test_crash.wav.partial"));
}

#ifdef QC_HAVE_PLUGIN

TEST(RealPlugin, RendersTheDemoSignalWithoutArguments) {
    const ProgramRun run = host({"-o", "program_test_demo.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("built-in demo signal"), std::string::npos) << run.out;
    const WavAudio out = readOutput("program_test_demo.wav");
    EXPECT_EQ(out.channels, 2);
    EXPECT_EQ(out.sampleRate, 44100u);
    EXPECT_EQ(out.frames(), 6u * 44100);
    for (double p : channelPeaks(out)) {
        EXPECT_LE(p, 1.0);
        EXPECT_GT(p, 0.5);
    }
}

TEST(RealPlugin, ASineDrivenSixDecibelsIntoTheCeilingReadsAboutSixDecibelsOfReduction) {
    writeKnownPeaks("program_test_sine.wav", WavSampleFormat::Float32, 0.5f, 0.5f, 48000, 96000);
    const ProgramRun run = host({"program_test_sine.wav", "--gain", "12", "--limit", "0.5", "-o", "program_test_sine_out.wav"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const size_t at = run.out.find("  gain reduction: ");
    ASSERT_NE(at, std::string::npos) << run.out;
    if (run.out.compare(at, 46, "  gain reduction: not reported by the plug-in\n") == 0)
        GTEST_SKIP() << "this build of the plug-in does not report its gain reduction";
    float left = 0, right = 0;
    ASSERT_EQ(std::sscanf(run.out.c_str() + at, "  gain reduction: L %f dB deepest, limiting %*f %% of the time  R %f", &left, &right), 2)
        << run.out;
    EXPECT_NEAR(left, -6.0, 0.5);
    EXPECT_NEAR(right, -6.0, 0.5);
}

TEST(RealPlugin, LimitsAWavFileToTheCeilingInBothForms) {
    // Bursts far past full scale, as 32-bit float; a ceiling of 0.5.
    writeKnownPeaks("program_test_hot.wav", WavSampleFormat::Float32, 3.0f, 2.0f, 48000, 48000);
    for (const char* form : {"--block=512", "--process"}) {
        SCOPED_TRACE(form);
        const ProgramRun run = host({"program_test_hot.wav", form, "--limit", "0.5", "-o", "program_test_hot_out.wav"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find("in  peak: L 3.00000 (+9.54 dBFS)  R 2.00000 (+6.02 dBFS)"), std::string::npos)
            << run.out;
        const WavAudio out = readOutput("program_test_hot_out.wav");
        ASSERT_EQ(out.frames(), 48000u);
        for (double p : channelPeaks(out)) {
            EXPECT_LE(p, 0.5 + 1e-6);
            EXPECT_GT(p, 0.4);
        }
    }
}

TEST(RealPlugin, ChunkRoundTrip) {
    ProgramRun run = host({"--compression", "4", "--gain", "6", "--velocity", "20", "--limit", "0.5",
                           "--save-chunk", "program_test_real_a.chunk"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    LimiterParams a = readChunk("program_test_real_a.chunk");
    for (int i = 0; i < 32; ++i) EXPECT_EQ(a.reserved[i], 0);
    for (const ChannelParams& c : a.channel) {
        EXPECT_EQ(c.compression, 4.0f);
        EXPECT_NEAR(c.gain, 1.995262, 1e-5);
        EXPECT_EQ(c.velocity, 20.0f);
        EXPECT_EQ(c.limit, 0.5f);
    }
    a.reserved[0] = 0x5A;
    a.reserved[31] = 0xA5;
    writeFileBytes("program_test_real_a.chunk", std::string(reinterpret_cast<const char*>(&a), 64));
    run = host({"--chunk", "program_test_real_a.chunk", "--save-chunk", "program_test_real_b.chunk"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readFileBytes("program_test_real_b.chunk"), readFileBytes("program_test_real_a.chunk"));

    // A fresh plug-in's own chunk: the defaults.
    run = host({"--save-chunk", "program_test_real_c.chunk"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const LimiterParams c = readChunk("program_test_real_c.chunk");
    for (const ChannelParams& ch : c.channel) {
        EXPECT_EQ(ch.compression, 1.0f);
        EXPECT_EQ(ch.gain, 1.0f);
        EXPECT_EQ(ch.velocity, 5.0f);
        EXPECT_EQ(ch.limit, 1.0f);
    }
}

TEST(RealPlugin, ListsAndSetsTheHostParameters) {
    ProgramRun run = host({"--gain", "6", "--limit", "0.5", "--param", "0=1", "--param", "2=0", "--list-params",
                           "--save-chunk", "program_test_params.chunk"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("param 0:  Compress  +8.000       (fraction 1)\n"
                           "param 1:  Gain      +6.000   dB  (fraction 0.625)\n"
                           "param 2:  Velocity  +1.000   %   (fraction 0)\n"
                           "param 3:  Limit     -6.021   dB  (fraction 0.333333343)\n"),
              std::string::npos)
        << run.out;
    EXPECT_EQ(run.out.find("output"), std::string::npos);  // listing alone renders nothing
    const LimiterParams p = readChunk("program_test_params.chunk");
    for (const ChannelParams& c : p.channel) {
        EXPECT_EQ(c.compression, 8.0f);
        EXPECT_EQ(c.gain, 1.9952624f);  // --gain 6 stores what the knob at +6 dB stores
        EXPECT_EQ(c.velocity, 1.0f);
        EXPECT_EQ(c.limit, 0.5f);
    }
    // A fraction read back from the list sets the same value again.
    run = host({"--param", "3=0.333333343", "--save-chunk", "program_test_params.chunk"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readChunk("program_test_params.chunk").channel[1].limit, 0.5f);
}

// The committed factory presets, by file name.
std::vector<std::string> factoryPresets() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(QC_PRESETS_DIR_UNIX "/*.fxp", &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(QC_PRESETS_DIR_UNIX "/" + std::string(found.cFileName));
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Each factory preset is one the plug-in saves again byte for byte (its ID,
// version, name and chunk), and renders the bits of the chunk it holds;
// options apply on top of a preset as they do on a chunk.
TEST(RealPlugin, PresetsRoundTripAndRenderTheirChunk) {
    const std::vector<std::string> presets = factoryPresets();
    ASSERT_GE(presets.size(), 5u);
    for (const std::string& path : presets) {
        SCOPED_TRACE(path);
        const std::string bytes = readFileBytes(path);
        ProgramRun run = host({"--preset", path, "--save-preset", "program_test_again.fxp"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readFileBytes("program_test_again.fxp"), bytes);
        Preset preset;
        std::string error;
        ASSERT_TRUE(decodePreset(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), preset, error));
        EXPECT_NE(path.find("/" + preset.name + ".fxp"), std::string::npos);
        writeFileBytes("program_test_preset.chunk", bytes.substr(kPresetHeaderSize));

        run = host({"--preset", path, "-o", "program_test_preset.wav"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_NE(run.out.find("preset:   \"" + preset.name + "\""), std::string::npos) << run.out;
        run = host({"--chunk", "program_test_preset.chunk", "-o", "program_test_chunk.wav"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(readFileBytes("program_test_preset.wav"), readFileBytes("program_test_chunk.wav"));
    }
    ProgramRun run = host({"--preset", presets[0], "--velocity", "50", "--save-chunk", "program_test_preset.chunk",
                           "--save-preset", "program_test_again.fxp"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readChunk("program_test_preset.chunk").channel[1].velocity, 50.0f);
    EXPECT_EQ(readFileBytes("program_test_again.fxp").substr(kPresetHeaderSize), readFileBytes("program_test_preset.chunk"));
}

// Big-endian 32-bit field of a preset file's image.
void setBig32(std::string& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

TEST(RealPlugin, BadPresetFilesAreRefusedBeforeAnythingIsWritten) {
    const std::string good = readFileBytes(factoryPresets().at(0));
    ASSERT_EQ(good.size(), kPresetFileSize);
    const auto changed = [&](size_t at, uint32_t v) {
        std::string bytes = good;
        setBig32(bytes, at, v);
        return bytes;
    };
    std::string bothSizes = good + std::string(8, '\0');
    setBig32(bothSizes, 4, static_cast<uint32_t>(bothSizes.size() - 8));
    setBig32(bothSizes, 56, 72);
    const struct {
        std::string bytes;
        std::string message;  // after "preset file 'F' "
    } cases[] = {
        {changed(16, 0x4E6F4566), "belongs to another plug-in (ID 'NoEf'; this one is 0x4B530002)"},
        {changed(0, 0x52494646), "is not a VST preset file (it does not start with 'CcnK')"},
        {"", "is not a VST preset file"},
        {changed(8, 0x4678436B), "holds a preset of parameter values ('FxCk'), not a preset of a plug-in's chunk ('FPCh')"},
        {changed(8, 0x46424368), "holds a bank ('FBCh')"},
        {changed(12, 2), "is of format version 2; version 1 is read"},
        {good.substr(0, 40), "is cut short: 40 bytes, less than a preset's header of 60"},
        {good.substr(0, 100), "is 100 bytes long, but its header gives 124 for the file and 124 for its header and chunk (is it cut short?)"},
        {good + "x", "is 125 bytes long, but its header gives 124 for the file and 124"},
        {changed(4, 200), "is 124 bytes long, but its header gives 208 for the file and 124"},
        {changed(56, 32), "is 124 bytes long, but its header gives 124 for the file and 92 for its header and chunk"},
        {bothSizes, "holds a chunk of 72 bytes; a Q-Clamper chunk is exactly 64"},
        {good + std::string(5000, '\0'), "is larger than any preset of Q-Clamper (124 bytes)"},
    };
    const std::string never = "program_test_never.wav", neverPreset = "program_test_never.fxp";
    for (const auto& c : cases) {
        writeFileBytes("program_test_bad.fxp", c.bytes);
        expectOneLineError(host({"--preset", "program_test_bad.fxp", "--demo", "-o", never, "--save-preset", neverPreset}),
                           "preset file 'program_test_bad.fxp' " + c.message);
        for (const std::string& f : {never, never + ".partial", neverPreset, neverPreset + ".partial"})
            EXPECT_FALSE(fileExists(f)) << f;
    }
}

// The gain knob (id 1) of the editor inside the host's frame window.
BOOL CALLBACK findGainKnob(HWND window, LPARAM found) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::strcmp(name, "C_RA2ZAZ_Rotatif_00\xA9KSomar") == 0 && GetDlgCtrlID(window) == 1) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

TEST(RealPlugin, EditModeGoesOnWithWhatThePersonSet) {
    ProgramRun run;
    std::thread program([&run] { run = host({"--edit", "--save-chunk", "program_test_edit.chunk"}); });
    HWND frame = nullptr, knob = nullptr;
    for (int i = 0; i < 500 && knob == nullptr; ++i) {
        Sleep(20);
        frame = FindWindowA("QClamperHostSession", "Q-Clamper");
        if (frame != nullptr) EnumChildWindows(frame, findGainKnob, reinterpret_cast<LPARAM>(&knob));
    }
    // The person turns the gain up by one Up-arrow press (10 steps of
    // 0.05 dB) and closes the window.
    EXPECT_NE(knob, nullptr);
    PostMessageA(knob, WM_KEYDOWN, VK_UP, 1);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    program.join();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const float gain = static_cast<float>(std::pow(10.0, 0.5 * static_cast<double>(0.05f)));
    const LimiterParams p = readChunk("program_test_edit.chunk");
    EXPECT_EQ(p.channel[0].gain, gain);
    EXPECT_EQ(p.channel[1].gain, gain);
    EXPECT_EQ(p.channel[0].compression, 1.0f);
}

TEST(RealPlugin, PhotographsTheEditor) {
    const ProgramRun run = host({"--screenshot", "program_test_editor.bmp"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    const std::string bmp = readFileBytes("program_test_editor.bmp");
    const size_t rowBytes = (549 * 3 + 3) & ~3u;
    ASSERT_EQ(bmp.size(), 54 + rowBytes * 93);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    int32_t width, height;
    std::memcpy(&width, &bmp[18], 4);
    std::memcpy(&height, &bmp[22], 4);
    EXPECT_EQ(width, 549);
    EXPECT_EQ(height, 93);
    // The panel artwork, not an empty window: many different colours.
    std::vector<bool> seen(1 << 12);
    int distinct = 0;
    for (size_t i = 54; i + 2 < bmp.size(); i += 3) {
        const unsigned key = ((static_cast<uint8_t>(bmp[i]) >> 4) << 8) | ((static_cast<uint8_t>(bmp[i + 1]) >> 4) << 4) |
                             (static_cast<uint8_t>(bmp[i + 2]) >> 4);
        if (!seen[key]) {
            seen[key] = true;
            ++distinct;
        }
    }
    EXPECT_GT(distinct, 8);
}

#endif

}  // namespace
