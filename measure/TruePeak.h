#pragma once
// True peak: the largest magnitude of the signal between its samples, as a
// converter would reconstruct it, estimated by 4x oversampling through a
// polyphase FIR interpolator (windowed sinc). The samples themselves count
// too, so a true peak never reads below the sample peak.
#include <cstddef>
#include <string>
#include <vector>

class TruePeakMeter {
public:
    static constexpr int kOversampling = 4;
    static constexpr int kTaps = 16;  // per phase: 8 samples either side

    explicit TruePeakMeter(int channels);
    // Interleaved frames; a non-finite sample makes the peak infinite and
    // counts as 0 for the interpolation.
    void add(const float* interleaved, size_t frames);
    // Per channel, linear.
    const std::vector<double>& peaks() const { return peaks_; }

private:
    int channels_;
    std::vector<double> peaks_;
    // The last kTaps samples of each channel, twice over so that a window
    // is always contiguous.
    std::vector<double> history_;
    size_t position_ = 0;
    size_t seen_ = 0;  // up to kTaps
};

// "L -0.52 dBTP  R -1.03 dBTP", or "-0.52 dBTP" for mono.
std::string describeTruePeaks(const std::vector<double>& peaks);
