#pragma once
// The limiter's work over a render, from the readings the plug-in gives
// after each processing call: per channel the deepest gain reduction and
// the share of frames it reduced by more than 0.1 dB.
#include <cstddef>
#include <cstdint>
#include <string>

#include "limiter/GainReading.h"

class GainReductionTally {
public:
    // One processing call's reading; null when the plug-in did not answer.
    // A reading is checked, not trusted: a reduction that is not finite or
    // above 0 counts as none, limited frames beyond its frames as all.
    void add(const GainReading* reading);
    // "L -6.3 dB deepest, limiting 12.4 % of the time  R ...", the mono form
    // without the channel names, or why there is nothing to tell.
    std::string describe(int channels) const;

    uint64_t frames() const { return frames_; }
    double deepest(int channel) const { return deepest_[channel]; }
    double limitedShare(int channel) const;

private:
    bool answered_ = false, unanswered_ = false;
    uint64_t frames_ = 0;
    uint64_t limited_[2] = {0, 0};
    double deepest_[2] = {0.0, 0.0};
};

// A reading's deepest reduction over both channels, in dB (0 or below).
double deepestOf(const GainReading& reading);
