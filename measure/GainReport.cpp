#include "measure/GainReport.h"

#include <cmath>
#include <cstdio>

namespace {

double checkedReduction(float decibels) {
    return std::isfinite(decibels) && decibels < 0.0f ? static_cast<double>(decibels) : 0.0;
}

}  // namespace

double deepestOf(const GainReading& reading) {
    return std::fmin(checkedReduction(reading.channel[0].reductionDecibels),
                     checkedReduction(reading.channel[1].reductionDecibels));
}

void GainReductionTally::add(const GainReading* reading) {
    if (!reading) {
        unanswered_ = true;
        return;
    }
    answered_ = true;
    frames_ += reading->frames;
    for (int c = 0; c < 2; ++c) {
        const GainReadingChannel& r = reading->channel[c];
        limited_[c] += r.limitedFrames < reading->frames ? r.limitedFrames : reading->frames;
        deepest_[c] = std::fmin(deepest_[c], checkedReduction(r.reductionDecibels));
    }
}

double GainReductionTally::limitedShare(int channel) const {
    return frames_ ? static_cast<double>(limited_[channel]) / static_cast<double>(frames_) : 0.0;
}

std::string GainReductionTally::describe(int channels) const {
    if (!answered_) return unanswered_ ? "not reported by the plug-in" : "none: nothing was processed";
    std::string text;
    const char* names[2] = {"L ", "R "};
    for (int c = 0; c < channels && c < 2; ++c) {
        char one[80];
        const double shown = deepest_[c] > -0.05 ? 0.0 : deepest_[c];  // never "-0.0"
        std::snprintf(one, sizeof one, "%.1f dB deepest, limiting %.1f %% of the time", shown,
                      100.0 * limitedShare(c));
        if (c) text += "  ";
        text += (channels == 1 ? "" : names[c]) + std::string(one);
    }
    if (unanswered_) text += " (the plug-in left some blocks without a reading)";
    return text;
}
