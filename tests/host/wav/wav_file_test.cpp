// WAV reading and writing: round trips through every format the host reads,
// and files that are damaged or not what they claim to be.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/wav/WavFile.h"
#include "host/wav/WavWriter.h"
#include "tests/host/wav/WavBuilder.h"

namespace {

WavReadResult parse(const std::vector<uint8_t>& bytes, WavAudio& audio) {
    return parseWav(bytes.data(), bytes.size(), audio);
}

WavAudio stereoRamp(size_t frames) {
    WavAudio a;
    a.sampleRate = 48000;
    a.channels = 2;
    for (size_t i = 0; i < frames; ++i) {
        a.samples.push_back(static_cast<float>(std::sin(i * 0.01)) * 0.9f);
        a.samples.push_back(-0.5f + static_cast<float>(i % 100) / 100.0f);
    }
    return a;
}

std::string errorOf(const std::vector<uint8_t>& bytes) {
    WavAudio a;
    const WavReadResult r = parse(bytes, a);
    EXPECT_FALSE(r.ok);
    return r.error;
}

TEST(WavRoundTrip, EveryWrittenFormatReadsBackWithinItsResolutionInRiffAndRf64) {
    const struct {
        WavSampleFormat format;
        double step;
    } cases[] = {
        {WavSampleFormat::Pcm8, 1.0 / 128},       {WavSampleFormat::Pcm16, 1.0 / 32768},
        {WavSampleFormat::Pcm24, 1.0 / 8388608},  {WavSampleFormat::Pcm32, 1e-7},
        {WavSampleFormat::Float32, 0.0},          {WavSampleFormat::Float64, 0.0},
    };
    for (int channels : {1, 2}) {
      for (WavContainer container : {WavContainer::Auto, WavContainer::Rf64}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(wavFormatName(c.format)) + ", channels " + std::to_string(channels) +
                         (container == WavContainer::Rf64 ? ", RF64" : ""));
            WavAudio in = stereoRamp(301);  // odd: 8-bit mono needs a pad byte
            if (channels == 1) {
                for (size_t i = 0; i < 301; ++i) in.samples[i] = in.samples[2 * i];
                in.samples.resize(301);
                in.channels = 1;
            }
            std::vector<uint8_t> bytes;
            std::string error;
            ASSERT_TRUE(encodeWav(in, c.format, bytes, error, container)) << error;
            EXPECT_EQ(bytes.size() % 2, 0u);
            EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), container == WavContainer::Rf64 ? "RF64" : "RIFF");
            WavAudio out;
            const WavReadResult r = parse(bytes, out);
            ASSERT_TRUE(r.ok) << r.error;
            EXPECT_TRUE(r.warning.empty()) << r.warning;
            EXPECT_EQ(out.sourceFormat, c.format);
            EXPECT_EQ(out.sampleRate, 48000u);
            EXPECT_EQ(out.channels, channels);
            ASSERT_EQ(out.samples.size(), in.samples.size());
            for (size_t i = 0; i < in.samples.size(); ++i)
                ASSERT_NEAR(out.samples[i], in.samples[i], c.step / 2 + 1e-9) << "sample " << i;
        }
      }
    }
}

TEST(WavRoundTrip, IntegerFormatsClipAtFullScaleAndFloatKeepsOvershoot) {
    WavAudio in;
    in.sampleRate = 44100;
    in.channels = 1;
    in.samples = {2.5f, -3.0f, 1.0f, -1.0f, NAN};
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(encodeWav(in, WavSampleFormat::Pcm16, bytes, error));
    WavAudio out;
    ASSERT_TRUE(parse(bytes, out).ok);
    EXPECT_FLOAT_EQ(out.samples[0], 32767.0f / 32768.0f);
    EXPECT_FLOAT_EQ(out.samples[1], -1.0f);
    EXPECT_FLOAT_EQ(out.samples[2], 32767.0f / 32768.0f);
    EXPECT_FLOAT_EQ(out.samples[3], -1.0f);
    EXPECT_FLOAT_EQ(out.samples[4], 0.0f);

    ASSERT_TRUE(encodeWav(in, WavSampleFormat::Float32, bytes, error));
    ASSERT_TRUE(parse(bytes, out).ok);
    EXPECT_FLOAT_EQ(out.samples[0], 2.5f);
    EXPECT_FLOAT_EQ(out.samples[1], -3.0f);
}

TEST(WavRoundTrip, FloatFileHasFactChunkAndConsistentSizes) {
    const WavAudio in = stereoRamp(10);
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(encodeWav(in, WavSampleFormat::Float32, bytes, error));
    ASSERT_EQ(bytes.size(), 12u + 26 + 12 + 8 + 80);
    const auto le32 = [&](size_t at) {
        return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<uint32_t>(bytes[at + 3]) << 24);
    };
    EXPECT_EQ(le32(4), bytes.size() - 8);
    EXPECT_EQ(std::string(bytes.begin() + 38, bytes.begin() + 42), "fact");
    EXPECT_EQ(le32(46), 10u);
    EXPECT_EQ(std::string(bytes.begin() + 50, bytes.begin() + 54), "data");
    EXPECT_EQ(le32(54), 80u);
}

TEST(WavRoundTrip, FilesOnDisk) {
    const WavAudio in = stereoRamp(1000);
    const std::string path = "wav_file_test_roundtrip.wav";
    std::string error;
    ASSERT_TRUE(writeWavFile(path, in, error)) << error;
    WavAudio out;
    const WavReadResult r = readWavFile(path, out);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(out.samples, in.samples);
    std::remove(path.c_str());

    EXPECT_FALSE(writeWavFile("no-such-directory/x.wav", in, error));
    EXPECT_NE(error.find("no-such-directory/x.wav"), std::string::npos) << error;
    const WavReadResult missing = readWavFile("no-such-file.wav", out);
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.error.find("cannot open 'no-such-file.wav'"), std::string::npos) << missing.error;
    const WavReadResult folder = readWavFile(".", out);
    EXPECT_NE(folder.error.find("cannot open '.': it is a folder, not a file"), std::string::npos) << folder.error;
}

TEST(WavWriting, ACommitReplacesTheFileAndTellsTheFramesWritten) {
    // Fewer frames than announced; an older file under the name. (That an
    // unfinished file never takes the name is the program test's.)
    const std::string path = "wav_file_test_target.wav";
    const WavAudio audio = stereoRamp(100), older = stereoRamp(7);
    std::string error;
    ASSERT_TRUE(writeWavFile(path, older, error)) << error;
    WavWriter writer;
    ASSERT_TRUE(writer.open(path, {WavSampleFormat::Float32, 2, 48000}, 100, WavContainer::Auto, error)) << error;
    ASSERT_TRUE(writer.write(audio.samples.data(), 60, error)) << error;
    ASSERT_TRUE(writer.commit(error)) << error;
    WavAudio back;
    const WavReadResult r = readWavFile(path, back);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warning.empty()) << r.warning;
    EXPECT_EQ(back.samples, std::vector<float>(audio.samples.begin(), audio.samples.begin() + 120));
    std::remove(path.c_str());
    EXPECT_EQ(std::fopen(OutputFile::temporaryPathFor(path).c_str(), "rb"), nullptr);

    EXPECT_FALSE(writer.open(".", {WavSampleFormat::Float32, 2, 48000}, 1, WavContainer::Auto, error));
    EXPECT_EQ(error, "cannot create '.': it is a folder, not a file");
}

TEST(WavReading, BlocksOfAnySizeGiveTheSameSamplesAsOneRead) {
    // 120 kB of data: reads cross the reader's 64 KiB slices.
    WavAudio in = stereoRamp(20000);
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(encodeWav(in, WavSampleFormat::Pcm24, bytes, error));
    WavAudio whole;
    ASSERT_TRUE(parse(bytes, whole).ok);
    for (size_t block : {size_t{7}, size_t{20000}}) {
        SCOPED_TRACE(block);
        WavReader reader;
        ASSERT_TRUE(reader.openMemory(bytes.data(), bytes.size()).ok);
        std::vector<float> samples(whole.samples.size());
        for (size_t done = 0; done < 20000; done += block) {
            const size_t n = std::min(block, 20000 - done);
            ASSERT_TRUE(reader.read(&samples[done * 2], n, error)) << error;
        }
        EXPECT_EQ(samples, whole.samples);
        EXPECT_EQ(reader.framesLeft(), 0u);
        EXPECT_FALSE(reader.read(samples.data(), 1, error));
    }
}

TEST(WavReading, Rf64TakesItsSizesFromTheDs64Chunk) {
    // ds64 with one table entry; data declared 0xFFFFFFFF, a chunk after it.
    std::vector<uint8_t> ds64;
    put64(ds64, 0);  // RIFF size: not trusted anyway
    put64(ds64, 8);  // data bytes
    put64(ds64, 2);  // frames
    put32(ds64, 1);
    ds64.insert(ds64.end(), {'b', 'i', 'g', ' '});
    put64(ds64, 5);
    std::vector<uint8_t> bytes = WavBuilder()
                                     .riff()
                                     .chunk("ds64", ds64)
                                     .chunk("fmt ", WavBuilder::fmt(1, 2, 44100, 16))
                                     .chunkDeclaring("data", 0xFFFFFFFF, WavBuilder::pcm16({16384, -16384, 1, 2}))
                                     .chunk("LIST", {'I', 'N', 'F', 'O'})
                                     .build();
    std::memcpy(bytes.data(), "RF64\xFF\xFF\xFF\xFF", 8);
    WavReader reader;
    const WavReadResult r = reader.openMemory(bytes.data(), bytes.size());
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warning.empty()) << r.warning;
    EXPECT_TRUE(reader.rf64());
    EXPECT_EQ(reader.frames(), 2u);
}

// Reads the little-endian fields of a header built for the cases below.
struct HeaderFields {
    explicit HeaderFields(const WavHeader& h) : b(h.bytes), fmt(h.rf64 ? 48 : 12) {}
    const std::vector<uint8_t>& b;
    size_t fmt;
    std::string id(size_t at) const { return std::string(b.begin() + at, b.begin() + at + 4); }
    uint32_t u32(size_t at) const { return get32(&b[at]); }
    uint64_t u64(size_t at) const { return get64(&b[at]); }
};

TEST(WavHeader, EveryFieldAgreesAndRatesBeyondTheByteRateFieldAreRefused) {
    const WavShape stereoFloat{WavSampleFormat::Float32, 2, 44100};
    const uint64_t lastRiffFrames = (0xFFFFFFFFull - 50) / 8;  // 50 bytes of header after the RIFF size
    const struct {
        WavShape shape;
        uint64_t frames;
        WavContainer container;
        const char* expected;  // "RIFF", "RF64" or a part of the error
    } cases[] = {
        {stereoFloat, 0, WavContainer::Auto, "RIFF"},
        {stereoFloat, lastRiffFrames, WavContainer::Auto, "RIFF"},
        {stereoFloat, lastRiffFrames + 1, WavContainer::Auto, "RF64"},
        {stereoFloat, 5000000000ull, WavContainer::Auto, "RF64"},  // more frames than the fact chunk holds
        {stereoFloat, 10, WavContainer::Rf64, "RF64"},
        {{WavSampleFormat::Pcm8, 1, 8000}, 3, WavContainer::Auto, "RIFF"},  // odd data: a pad byte
        {{WavSampleFormat::Float32, 2, 536870911}, 1, WavContainer::Auto, "RIFF"},
        {{WavSampleFormat::Float32, 2, 536870912}, 1, WavContainer::Auto, "stereo 32-bit float goes up to 536870911 Hz"},
        {{WavSampleFormat::Float32, 1, 1073741823}, 1, WavContainer::Auto, "RIFF"},
        {{WavSampleFormat::Float32, 1, 1073741824}, 1, WavContainer::Auto, "mono 32-bit float goes up to 1073741823 Hz"},
        {{WavSampleFormat::Pcm16, 2, 4294967295u}, 1, WavContainer::Auto, "too high for a WAV file"},
        {{WavSampleFormat::Float32, 2, 0}, 1, WavContainer::Auto, "sample rate of 0 Hz"},
        {{WavSampleFormat::Float32, 3, 44100}, 1, WavContainer::Auto, "cannot write 3 channels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.shape.sampleRate) + " Hz, " + std::to_string(c.frames) + " frames");
        WavHeader header;
        std::string error;
        const bool ok = buildWavHeader(c.shape, c.frames, c.container, header, error);
        if (std::string(c.expected) != "RIFF" && std::string(c.expected) != "RF64") {
            EXPECT_FALSE(ok);
            EXPECT_NE(error.find(c.expected), std::string::npos) << error;
            continue;
        }
        ASSERT_TRUE(ok) << error;
        const HeaderFields h(header);
        const uint32_t blockAlign = c.shape.blockAlign();
        const uint64_t data = c.frames * blockAlign;
        const uint64_t fileBytes = header.bytes.size() + data + (data & 1);
        EXPECT_EQ(h.id(0), c.expected);
        EXPECT_EQ(header.dataBytes, data);
        EXPECT_EQ(h.id(h.fmt), "fmt ");
        EXPECT_EQ(h.u32(h.fmt + 12), c.shape.sampleRate);
        EXPECT_EQ(h.u32(h.fmt + 16), c.shape.sampleRate * blockAlign);  // byte rate
        EXPECT_EQ(get16(&header.bytes[h.fmt + 20]), blockAlign);
        EXPECT_EQ(h.id(header.bytes.size() - 8), "data");
        if (header.rf64) {
            EXPECT_EQ(h.id(12), "ds64");
            EXPECT_EQ(h.u32(4), 0xFFFFFFFFu);
            EXPECT_EQ(h.u64(20), fileBytes - 8);
            EXPECT_EQ(h.u64(28), data);
            EXPECT_EQ(h.u64(36), c.frames);
            EXPECT_EQ(h.u32(header.bytes.size() - 4), 0xFFFFFFFFu);
        } else {
            EXPECT_EQ(h.u32(4), fileBytes - 8);
            EXPECT_EQ(h.u32(header.bytes.size() - 4), data);
        }
        if (c.shape.format == WavSampleFormat::Float32) {  // the fact chunk's frame count
            EXPECT_EQ(h.u32(header.bytes.size() - 12), std::min<uint64_t>(c.frames, 0xFFFFFFFFu));
        }
    }
}

TEST(WavReading, ChunksAreWalkedByTheirSizesWithOddPadding) {
    // An odd-sized unknown chunk (with its pad byte) before fmt, a LIST chunk
    // between fmt and data, and a chunk after data.
    const std::vector<uint8_t> bytes = WavBuilder()
                                           .riff()
                                           .chunk("junk", {1, 2, 3})
                                           .chunk("fmt ", WavBuilder::fmt(1, 2, 44100, 16))
                                           .chunk("LIST", {'I', 'N', 'F', 'O', 'x'})
                                           .chunk("data", WavBuilder::pcm16({16384, -16384, 32767, -32768}))
                                           .chunk("id3 ", {9, 9})
                                           .build();
    WavAudio a;
    const WavReadResult r = parse(bytes, a);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.warning.empty());
    ASSERT_EQ(a.frames(), 2u);
    EXPECT_FLOAT_EQ(a.samples[0], 0.5f);
    EXPECT_FLOAT_EQ(a.samples[1], -0.5f);
    EXPECT_FLOAT_EQ(a.samples[3], -1.0f);
}

TEST(WavReading, FmtAfterDataAndAWrongRiffSizeAreAccepted) {
    std::vector<uint8_t> bytes = WavBuilder()
                                     .riff()
                                     .chunk("data", WavBuilder::float32({0.25f, -2.0f}))
                                     .chunk("fmt ", WavBuilder::fmt(3, 1, 96000, 32))
                                     .build();
    bytes[4] = bytes[5] = bytes[6] = bytes[7] = 0;  // a writer that never filled it in
    WavAudio a;
    const WavReadResult r = parse(bytes, a);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(a.sampleRate, 96000u);
    EXPECT_EQ(a.samples, (std::vector<float>{0.25f, -2.0f}));
}

TEST(WavReading, ExtensibleFormats) {
    // 24-bit PCM in a 3-byte container, and float.
    std::vector<uint8_t> pcm24 = {0x00, 0x00, 0x40, 0xFF, 0xFF, 0xFF};  // 0.5, -1 step
    WavAudio a;
    WavReadResult r = parse(WavBuilder()
                                .riff()
                                .chunk("fmt ", WavBuilder::fmtExtensible(1, 1, 44100, 24, 24))
                                .chunk("data", pcm24)
                                .build(),
                            a);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(a.sourceFormat, WavSampleFormat::Pcm24);
    EXPECT_FLOAT_EQ(a.samples[0], 0.5f);
    EXPECT_FLOAT_EQ(a.samples[1], -1.0f / 8388608.0f);

    r = parse(WavBuilder()
                  .riff()
                  .chunk("fmt ", WavBuilder::fmtExtensible(3, 2, 48000, 32, 32))
                  .chunk("data", WavBuilder::float32({1.5f, -0.25f}))
                  .build(),
              a);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(a.sourceFormat, WavSampleFormat::Float32);
    EXPECT_EQ(a.samples, (std::vector<float>{1.5f, -0.25f}));

    // 20 valid bits in a 24-bit container: still read as 24-bit.
    r = parse(WavBuilder()
                  .riff()
                  .chunk("fmt ", WavBuilder::fmtExtensible(1, 1, 44100, 24, 20))
                  .chunk("data", pcm24)
                  .build(),
              a);
    ASSERT_TRUE(r.ok) << r.error;

    EXPECT_NE(errorOf(WavBuilder()
                          .riff()
                          .chunk("fmt ", WavBuilder::fmtExtensible(1, 1, 44100, 16, 16, false))
                          .chunk("data", {0, 0})
                          .build())
                  .find("sub-format"),
              std::string::npos);
    // Declared extensible but too short for the extension.
    EXPECT_NE(errorOf(WavBuilder()
                          .riff()
                          .chunk("fmt ", WavBuilder::fmt(0xFFFE, 1, 44100, 16))
                          .chunk("data", {0, 0})
                          .build())
                  .find("malformed WAVE_FORMAT_EXTENSIBLE"),
              std::string::npos);
}

TEST(WavReading, TruncatedDataIsReadInWholeFramesWithAWarning) {
    // Claims 100 bytes of stereo 16-bit data; 10 are present: 2 whole frames.
    const std::vector<uint8_t> bytes =
        WavBuilder()
            .riff()
            .chunk("fmt ", WavBuilder::fmt(1, 2, 44100, 16))
            .chunkDeclaring("data", 100, WavBuilder::pcm16({1000, 2000, 3000, 4000, 5000}), false)
            .build();
    WavAudio a;
    const WavReadResult r = parse(bytes, a);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(a.frames(), 2u);
    EXPECT_NE(r.warning.find("truncated"), std::string::npos) << r.warning;

    // A size never filled in: to the end of the file, whatever follows.
    const WavReadResult unsized = parse(WavBuilder()
                                            .riff()
                                            .chunk("fmt ", WavBuilder::fmt(1, 2, 44100, 16))
                                            .chunkDeclaring("data", 0xFFFFFFFF, WavBuilder::pcm16({1, 2, 3, 4, 5, 6}))
                                            .build(),
                                        a);
    ASSERT_TRUE(unsized.ok);
    EXPECT_EQ(a.frames(), 3u);
    EXPECT_NE(unsized.warning.find("size not filled in"), std::string::npos) << unsized.warning;

    // Complete chunk but a partial last frame.
    const WavReadResult partial = parse(WavBuilder()
                                            .riff()
                                            .chunk("fmt ", WavBuilder::fmt(1, 2, 44100, 16))
                                            .chunk("data", WavBuilder::pcm16({1, 2, 3}))
                                            .build(),
                                        a);
    ASSERT_TRUE(partial.ok);
    EXPECT_EQ(a.frames(), 1u);
    EXPECT_NE(partial.warning.find("partial frame"), std::string::npos);

    // An empty data chunk is a valid, silent file.
    ASSERT_TRUE(parse(WavBuilder().riff().chunk("fmt ", WavBuilder::fmt(1, 1, 8000, 16)).chunk("data", {}).build(), a).ok);
    EXPECT_EQ(a.frames(), 0u);
}

std::vector<uint8_t> asRf64(std::vector<uint8_t> bytes) {
    std::memcpy(bytes.data(), "RF64", 4);
    return bytes;
}

TEST(WavReading, FilesThatCannotBeReadSayWhy) {
    const auto fmtThenData = [](std::vector<uint8_t> fmt) {
        return WavBuilder().riff().chunk("fmt ", fmt).chunk("data", {0, 0, 0, 0, 0, 0}).build();
    };
    const struct {
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {{}, "not a WAV file"},
        {{'R', 'I', 'F', 'F'}, "not a WAV file"},
        {WavBuilder().riff("AVI ").chunk("fmt ", WavBuilder::fmt(1, 1, 8000, 16)).build(), "not a WAV file"},
        {WavBuilder().riff().chunk("data", {0, 0}).build(), "no fmt chunk"},
        {WavBuilder().riff().chunk("fmt ", WavBuilder::fmt(1, 1, 8000, 16)).build(), "no data chunk"},
        {fmtThenData(WavBuilder::fmt(2, 1, 8000, 4)), "format tag 0x0002"},
        {fmtThenData(WavBuilder::fmt(1, 1, 8000, 12, 2)), "12-bit PCM"},
        {fmtThenData(WavBuilder::fmt(3, 1, 8000, 16)), "16-bit float"},
        {fmtThenData(WavBuilder::fmt(1, 3, 8000, 16)), "channel count 3"},
        {fmtThenData(WavBuilder::fmt(1, 0, 8000, 16, 2)), "channel count 0"},
        {fmtThenData(WavBuilder::fmt(1, 1, 0, 16)), "sample rate 0"},
        {fmtThenData(WavBuilder::fmt(1, 2, 8000, 16, 2)), "block align 2, expected 4"},
        {fmtThenData(std::vector<uint8_t>(14, 1)), "malformed fmt chunk"},
        {WavBuilder().riff().chunkDeclaring("fmt ", 16, {1, 0, 1, 0}).build(), "truncated fmt chunk"},
        {asRf64(WavBuilder().riff().chunk("fmt ", WavBuilder::fmt(1, 1, 8000, 16)).chunkDeclaring("data", 0xFFFFFFFF, {0, 0}).build()),
         "RF64 file without a ds64 chunk"},
        {asRf64(WavBuilder().riff().chunk("ds64", std::vector<uint8_t>(20, 0)).build()), "malformed ds64 chunk"},
    };
    for (const auto& c : cases) {
        const std::string error = errorOf(c.bytes);
        EXPECT_NE(error.find(c.message), std::string::npos) << "got: " << error << "\nexpected: " << c.message;
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

TEST(WavReading, EveryPrefixAndEverySingleByteCorruptionIsHandled) {
    // Under the sanitizers this finds reads past the buffer; everywhere it
    // checks that a damaged file either fails or yields whole frames.
    const std::vector<uint8_t> good = WavBuilder()
                                          .riff()
                                          .chunk("junk", {7})
                                          .chunk("fmt ", WavBuilder::fmtExtensible(1, 2, 44100, 24, 24))
                                          .chunk("data", std::vector<uint8_t>(60, 0x11))
                                          .chunk("tail", {1, 2, 3, 4})
                                          .build();
    for (size_t n = 0; n <= good.size(); ++n) {
        std::vector<uint8_t> prefix(good.begin(), good.begin() + n);  // exact size: overreads show
        WavAudio a;
        const WavReadResult r = parseWav(prefix.data(), prefix.size(), a);
        if (r.ok) {
            EXPECT_EQ(a.samples.size() % 2, 0u);
        }
    }
    for (size_t at = 0; at < good.size(); ++at) {
        for (uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}, uint8_t{0x7F}}) {
            std::vector<uint8_t> bad = good;
            bad[at] = value;
            WavAudio a;
            const WavReadResult r = parseWav(bad.data(), bad.size(), a);
            if (r.ok) {
                EXPECT_TRUE(a.channels == 1 || a.channels == 2);
                EXPECT_EQ(a.samples.size() % a.channels, 0u);
            } else {
                EXPECT_FALSE(r.error.empty());
            }
        }
    }
}

TEST(WavWriting, RejectsWhatAWavFileCannotHold) {
    WavAudio a;
    a.sampleRate = 44100;
    a.channels = 3;
    a.samples.assign(6, 0.0f);
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(encodeWav(a, WavSampleFormat::Float32, bytes, error));
    EXPECT_NE(error.find("3 channels"), std::string::npos);
}

}  // namespace
