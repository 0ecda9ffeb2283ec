#pragma once
// Small data the host program's portable tests share: a parameter block at
// the plug-in's defaults, a file of counted bytes, the peaks of audio held
// in memory.
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "host/wav/WavFile.h"
#include "limiter/LimiterParams.h"
#include "measure/PeakLevels.h"

inline LimiterParams freshBlock() {
    LimiterParams p;
    std::memset(&p, 0, sizeof p);
    for (ChannelParams& c : p.channel) c = ChannelParams{1.0f, 1.0f, 5.0f, 1.0f};
    return p;
}

// A file of `n` bytes counting up from 0.
inline void writeBytes(const char* path, size_t n) {
    std::FILE* f = std::fopen(path, "wb");
    for (size_t i = 0; i < n; ++i) std::fputc(static_cast<int>(i), f);
    std::fclose(f);
}

inline std::vector<double> channelPeaks(const WavAudio& audio) {
    PeakMeter meter(audio.channels);
    meter.add(audio.samples.data(), audio.frames());
    return meter.peaks();
}
