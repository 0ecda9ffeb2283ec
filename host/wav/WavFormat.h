#pragma once
// What a WAV file's header says and how its samples are coded: the sample
// formats, the fmt chunk, and the header written in front of the data.
//
// Headers are plain RIFF while the file stays within the 32-bit sizes
// (4 GiB) and RF64 beyond, as broadcast tools write it: "RF64" in place of
// "RIFF", a ds64 chunk with the 64-bit sizes right after "WAVE", and the
// RIFF and data sizes set to 0xFFFFFFFF.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class WavSampleFormat { Pcm8, Pcm16, Pcm24, Pcm32, Float32, Float64 };

// Name of a format for messages, e.g. "16-bit PCM".
const char* wavFormatName(WavSampleFormat format);
int wavBytesPerSample(WavSampleFormat format);

struct WavShape {
    WavSampleFormat format = WavSampleFormat::Float32;
    int channels = 0;  // 1 or 2
    uint32_t sampleRate = 0;

    uint32_t blockAlign() const { return static_cast<uint32_t>(channels * wavBytesPerSample(format)); }
};

enum class WavContainer { Auto, Rf64 };  // Auto: RF64 only when RIFF cannot hold the data

struct WavHeader {
    std::vector<uint8_t> bytes;  // everything before the first data byte
    bool rf64 = false;
    uint64_t dataBytes = 0;      // without the pad byte after odd data
};

// The header for `frames` frames of `shape`. Fails with a one-line message
// for what a WAV header cannot describe: other than 1 or 2 channels, a rate
// of 0, or a byte rate (rate x block size) beyond the 32-bit field.
bool buildWavHeader(const WavShape& shape, uint64_t frames, WavContainer container, WavHeader& header,
                    std::string& error);

// Checks a fmt chunk's body; answers an error message or "".
std::string parseWavFmt(const uint8_t* body, uint32_t size, WavShape& shape);

// One sample from its bytes, and `count` samples to their bytes (appended).
// Integer formats round to the nearest step and clip to full scale; NaN
// writes as 0.
float decodeWavSample(const uint8_t* p, WavSampleFormat format);
void encodeWavSamples(const float* samples, size_t count, WavSampleFormat format, std::vector<uint8_t>& out);
