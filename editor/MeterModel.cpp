#include "editor/MeterModel.h"

#include <cmath>

namespace {

// A reading as a depth the bar can show: finite, 0 to the deepest mark.
float shownDepth(float reduction) {
    const float depth = -reduction;
    if (!(depth > 0.0f)) return 0.0f;  // also NaN
    return depth < kMeterDepthDecibels ? depth : kMeterDepthDecibels;
}

float fallen(float depth, float seconds) {
    const float rest = depth - kMeterFallDecibelsPerSecond * seconds;
    return rest > 0.0f ? rest : 0.0f;
}

}  // namespace

int meterPixel(float depth, int length) {
    if (!(depth > 0.0f)) return 0;
    if (depth >= kMeterDepthDecibels) return length;
    const double share = std::sqrt(static_cast<double>(depth) / kMeterDepthDecibels);
    return static_cast<int>(std::floor(share * length + 0.5));
}

void advanceMeter(MeterChannel& channel, float reduction, float seconds) {
    if (!(seconds > 0.0f)) seconds = 0.0f;
    if (seconds > kMeterLongestStepSeconds) seconds = kMeterLongestStepSeconds;
    const float depth = shownDepth(reduction);
    const float falling = fallen(channel.depth, seconds);
    channel.depth = depth > falling ? depth : falling;
    if (depth >= channel.held) {
        channel.held = depth;
        channel.holdLeft = kMeterHoldSeconds;
        return;
    }
    if (channel.holdLeft > seconds) {
        channel.holdLeft -= seconds;
        return;
    }
    // The hold is over: the mark falls as the bar does, never below it.
    channel.holdLeft = 0.0f;
    const float mark = fallen(channel.held, seconds);
    channel.held = mark > channel.depth ? mark : channel.depth;
}

bool MeterPixels::operator==(const MeterPixels& other) const {
    return bar[0] == other.bar[0] && bar[1] == other.bar[1] && mark[0] == other.mark[0] &&
           mark[1] == other.mark[1];
}

MeterPixels meterPixels(const MeterChannel channel[2], int length) {
    MeterPixels p;
    for (int c = 0; c < 2; ++c) {
        p.bar[c] = meterPixel(channel[c].depth, length);
        p.mark[c] = meterPixel(channel[c].held, length);
    }
    return p;
}

bool meterAtRest(const MeterChannel channel[2]) {
    return channel[0].depth == 0.0f && channel[1].depth == 0.0f && channel[0].held == 0.0f &&
           channel[1].held == 0.0f;
}
