#pragma once
// WAV files in and out, portable (no Windows calls), so that the parser can
// be tested natively under the sanitizers.
//
// Reading accepts RIFF/WAVE files with integer PCM (8, 16, 24 or 32 bits)
// or IEEE float (32 or 64 bits), plain or WAVE_FORMAT_EXTENSIBLE, mono or
// stereo. Chunks are walked by their sizes (odd sizes carry a pad byte);
// unknown chunks are skipped. A data chunk that claims more bytes than the
// file holds is read as far as it goes, in whole frames, with a warning.
// Every failure is a one-line message, never an exception.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class WavSampleFormat { Pcm8, Pcm16, Pcm24, Pcm32, Float32, Float64 };

struct WavAudio {
    uint32_t sampleRate = 0;
    int channels = 0;             // 1 or 2
    std::vector<float> samples;   // interleaved, frames() * channels values
    WavSampleFormat sourceFormat = WavSampleFormat::Float32;  // as read

    size_t frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
};

struct WavReadResult {
    bool ok = false;
    std::string error;    // one line, set when !ok
    std::string warning;  // one line or empty; set on success with a damaged file
};

// Parses a whole WAV file held in memory.
WavReadResult parseWav(const uint8_t* bytes, size_t size, WavAudio& audio);
// Reads and parses a file.
WavReadResult readWavFile(const std::string& path, WavAudio& audio);

// Encodes audio as a WAV file image. Integer formats round and clip to full
// scale. Fails (with a message) when the data would not fit the 32-bit
// sizes of a RIFF file, or for channel counts other than 1 and 2.
bool encodeWav(const WavAudio& audio, WavSampleFormat format, std::vector<uint8_t>& out,
               std::string& error);
// Encodes as 32-bit float and writes the file.
bool writeWavFile(const std::string& path, const WavAudio& audio, std::string& error);

// Name of a format for messages, e.g. "16-bit PCM".
const char* wavFormatName(WavSampleFormat format);
