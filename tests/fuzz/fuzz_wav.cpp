// The host reads WAV files it is given: any bytes must give either audio of
// a consistent shape or a one-line error, never a crash or an over-read;
// read in blocks of any size they give the same samples as in one read.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/wav/WavFile.h"
#include "host/wav/WavReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t block = 1 + data[0] % 97;  // the first byte picks the block size
    std::vector<uint8_t> bytes(data + 1, data + size);  // exactly sized
    WavAudio audio;
    const WavReadResult result = parseWav(bytes.data(), bytes.size(), audio);
    if (!result.ok) {
        if (result.error.empty() || result.error.find('\n') != std::string::npos) __builtin_trap();
        return 0;
    }
    if (audio.channels != 1 && audio.channels != 2) __builtin_trap();
    if (audio.samples.size() % static_cast<size_t>(audio.channels) != 0) __builtin_trap();

    WavReader reader;
    if (!reader.openMemory(bytes.data(), bytes.size()).ok || reader.frames() != audio.frames()) __builtin_trap();
    std::vector<float> samples(block * static_cast<size_t>(audio.channels));
    std::string error;
    for (size_t done = 0; done < audio.frames(); done += block) {
        const size_t n = audio.frames() - done < block ? audio.frames() - done : block;
        if (!reader.read(samples.data(), n, error)) __builtin_trap();
        if (std::memcmp(samples.data(), &audio.samples[done * audio.channels], n * audio.channels * sizeof(float)) != 0)
            __builtin_trap();
    }
    std::vector<uint8_t> out;
    encodeWav(audio, WavSampleFormat::Float32, out, error);
    return 0;
}
