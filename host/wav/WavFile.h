#pragma once
// Whole WAV files in memory: for short audio (the demo signal, tests) and as
// the simplest use of the streaming reader and writer. Portable (no Windows
// calls), so that it is tested natively under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/wav/WavFormat.h"
#include "host/wav/WavReader.h"

struct WavAudio {
    uint32_t sampleRate = 0;
    int channels = 0;             // 1 or 2
    std::vector<float> samples;   // interleaved, frames() * channels values
    WavSampleFormat sourceFormat = WavSampleFormat::Float32;  // as read

    size_t frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    WavShape shape() const { return WavShape{sourceFormat, channels, sampleRate}; }
};

// Parses a whole WAV file held in memory.
WavReadResult parseWav(const uint8_t* bytes, size_t size, WavAudio& audio);
// Reads and parses a file.
WavReadResult readWavFile(const std::string& path, WavAudio& audio);

// Encodes audio as a WAV file image in `format`; fails with a message for
// what a WAV header cannot describe (see buildWavHeader).
bool encodeWav(const WavAudio& audio, WavSampleFormat format, std::vector<uint8_t>& out, std::string& error,
               WavContainer container = WavContainer::Auto);
// Writes the audio as 32-bit float, through a temporary file.
bool writeWavFile(const std::string& path, const WavAudio& audio, std::string& error);
