#include "measure/TruePeak.h"

#include <cmath>
#include <cstdio>

#include "measure/PeakLevels.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kHalf = TruePeakMeter::kTaps / 2;
constexpr int kPhases = TruePeakMeter::kOversampling - 1;  // phase 0 is the sample itself
constexpr double kKaiserBeta = 7.0;

double besselI0(double x) {
    double sum = 1.0, term = 1.0;
    for (int k = 1; k < 40; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

// Taps of the phase `fraction` of a sample past the window's middle: tap j
// weighs the sample j - kHalf + 1 after it. Each phase passes DC at unity.
struct Interpolator {
    double taps[kPhases][TruePeakMeter::kTaps];
    Interpolator() {
        for (int p = 0; p < kPhases; ++p) {
            const double fraction = static_cast<double>(p + 1) / TruePeakMeter::kOversampling;
            double sum = 0.0;
            for (int j = 0; j < TruePeakMeter::kTaps; ++j) {
                const double t = (j - kHalf + 1) - fraction;  // distance from the point interpolated
                const double sinc = std::sin(kPi * t) / (kPi * t);
                const double r = t / kHalf;
                const double window = r * r < 1.0 ? besselI0(kKaiserBeta * std::sqrt(1.0 - r * r)) / besselI0(kKaiserBeta) : 0.0;
                taps[p][j] = sinc * window;
                sum += taps[p][j];
            }
            for (double& tap : taps[p]) tap /= sum;
        }
    }
};

const Interpolator& interpolator() {
    static const Interpolator table;
    return table;
}

}  // namespace

TruePeakMeter::TruePeakMeter(int channels)
    : channels_(channels > 0 ? channels : 0),
      peaks_(static_cast<size_t>(channels_), 0.0),
      history_(static_cast<size_t>(channels_) * 2 * kTaps, 0.0) {}

void TruePeakMeter::add(const float* interleaved, size_t frames) {
    const Interpolator& f = interpolator();
    for (size_t i = 0; i < frames; ++i) {
        if (seen_ < static_cast<size_t>(kTaps)) ++seen_;
        for (int c = 0; c < channels_; ++c) {
            const double x = interleaved[i * channels_ + c];
            double& peak = peaks_[c];
            if (!std::isfinite(x)) peak = INFINITY;
            else if (std::fabs(x) > peak) peak = std::fabs(x);
            double* h = &history_[static_cast<size_t>(c) * 2 * kTaps];
            h[position_] = h[position_ + kTaps] = std::isfinite(x) ? x : 0.0;
            // Only between samples the file holds: the window needs kTaps
            // of them (the first and last few points between samples are
            // not estimated, rather than measured against made-up silence).
            if (seen_ < static_cast<size_t>(kTaps)) continue;
            const double* window = h + position_ + 1;  // oldest first
            for (int p = 0; p < kPhases; ++p) {
                double y = 0.0;
                for (int j = 0; j < kTaps; ++j) y += f.taps[p][j] * window[j];
                if (std::fabs(y) > peak) peak = std::fabs(y);
            }
        }
        position_ = (position_ + 1) % kTaps;
    }
}

std::string describeTruePeaks(const std::vector<double>& peaks) {
    std::string text;
    const char* names[2] = {"L ", "R "};
    for (size_t c = 0; c < peaks.size() && c < 2; ++c) {
        char one[48];
        if (peaks[c] > 0 && std::isfinite(peaks[c])) std::snprintf(one, sizeof one, "%+.2f dBTP", levelDecibels(peaks[c]));
        else std::snprintf(one, sizeof one, peaks[c] > 0 ? "inf dBTP" : "-inf dBTP");
        if (c) text += "  ";
        text += (peaks.size() == 1 ? "" : names[c]) + std::string(one);
    }
    return text;
}
