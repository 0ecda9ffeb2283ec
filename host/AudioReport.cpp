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
        // Rounded first, so that a peak a hair below full scale reads +0.00, not -0.00.
        double db = std::round(20.0 * std::log10(peak) * 100.0) / 100.0;
        if (db == 0.0) db = 0.0;
        std::snprintf(text, sizeof text, "%.4f (%+.2f dBFS)", peak, db);
    }
    else if (peak > 0)
        std::snprintf(text, sizeof text, "inf (non-finite samples)");
    else
        std::snprintf(text, sizeof text, "0.0000 (-inf dBFS)");
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
