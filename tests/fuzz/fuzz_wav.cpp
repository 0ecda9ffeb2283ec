// The host reads WAV files it is given: any bytes must give either audio of
// a consistent shape or a one-line error, never a crash or an over-read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/WavFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);  // exactly sized
    WavAudio audio;
    const WavReadResult result = parseWav(bytes.data(), bytes.size(), audio);
    if (result.ok) {
        if (audio.channels != 1 && audio.channels != 2) __builtin_trap();
        if (audio.samples.size() % static_cast<size_t>(audio.channels) != 0) __builtin_trap();
        std::vector<uint8_t> out;
        std::string error;
        encodeWav(audio, WavSampleFormat::Float32, out, error);
    } else if (result.error.empty() || result.error.find('\n') != std::string::npos) {
        __builtin_trap();
    }
    return 0;
}
