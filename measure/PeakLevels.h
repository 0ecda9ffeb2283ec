#pragma once
// Peak levels of audio, for a render's report.
#include <cstddef>
#include <string>
#include <vector>

// The largest magnitude per channel of interleaved audio fed to it block by
// block; non-finite samples count as infinite.
class PeakMeter {
public:
    explicit PeakMeter(int channels) : peaks_(static_cast<size_t>(channels > 0 ? channels : 0), 0.0) {}
    void add(const float* interleaved, size_t frames);
    const std::vector<double>& peaks() const { return peaks_; }

private:
    std::vector<double> peaks_;
};

// A level in decibels of full scale; -inf for silence (0 or below).
double levelDecibels(double linear);
// "0.5000 (-6.02 dBFS)"; a zero peak reads "0.0000 (-inf dBFS)".
std::string describePeak(double peak);
// "L 0.5000 (-6.02 dBFS)  R ..." or "0.5000 (-6.02 dBFS)" for mono.
std::string describePeaks(const std::vector<double>& peaks);

// Sets NaN and infinite samples to 0 (a host does not feed them to an
// effect) and answers how many there were.
size_t zeroNonFinite(float* samples, size_t count);
