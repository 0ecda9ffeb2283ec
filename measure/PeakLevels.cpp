#include "measure/PeakLevels.h"

#include <cmath>
#include <cstdio>

void PeakMeter::add(const float* interleaved, size_t frames) {
    const size_t channels = peaks_.size();
    for (size_t i = 0; i < frames * channels; ++i) {
        const double v = interleaved[i];
        const double magnitude = std::isfinite(v) ? std::fabs(v) : INFINITY;
        double& p = peaks_[i % channels];
        if (magnitude > p) p = magnitude;
    }
}

double levelDecibels(double linear) { return linear > 0.0 ? 20.0 * std::log10(linear) : -INFINITY; }

size_t zeroNonFinite(float* samples, size_t count) {
    size_t n = 0;
    for (size_t i = 0; i < count; ++i)
        if (!std::isfinite(samples[i])) {
            samples[i] = 0.0f;
            ++n;
        }
    return n;
}

std::string describePeak(double peak) {
    char text[64];
    if (peak > 0 && std::isfinite(peak)) {
        // Five decimals: a limited peak of 0.99999 must not read as full scale.
        std::snprintf(text, sizeof text, "%.5f (%+.2f dBFS)", peak, levelDecibels(peak));
    }
    else if (peak > 0)
        std::snprintf(text, sizeof text, "inf (non-finite samples)");
    else
        std::snprintf(text, sizeof text, "0.00000 (-inf dBFS)");
    return text;
}

std::string describePeaks(const std::vector<double>& peaks) {
    if (peaks.size() == 1) return describePeak(peaks[0]);
    std::string text;
    const char* names[2] = {"L ", "R "};
    for (size_t c = 0; c < peaks.size() && c < 2; ++c) {
        if (c) text += "  ";
        text += names[c] + describePeak(peaks[c]);
    }
    return text;
}
