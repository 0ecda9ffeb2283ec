#include "host/AudioReport.h"

#include <cmath>
#include <cstdio>

std::vector<double> channelPeaks(const WavAudio& audio) {
    std::vector<double> peaks(static_cast<size_t>(audio.channels > 0 ? audio.channels : 0), 0.0);
    if (peaks.empty()) return peaks;
    for (size_t i = 0; i < audio.samples.size(); ++i) {
        const double v = audio.samples[i];
        const double magnitude = std::isfinite(v) ? std::fabs(v) : INFINITY;
        double& p = peaks[i % peaks.size()];
        if (magnitude > p) p = magnitude;
    }
    return peaks;
}

std::string describePeak(double peak) {
    char text[64];
    if (peak > 0 && std::isfinite(peak)) {
        // Five decimals: a limited peak of 0.99999 must not read as full scale.
        std::snprintf(text, sizeof text, "%.5f (%+.2f dBFS)", peak, 20.0 * std::log10(peak));
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
