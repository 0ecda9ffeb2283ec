#include "host/pictures/PlotColumns.h"

#include <algorithm>
#include <cmath>

PlotColumns::PlotColumns(int columns, uint64_t expectedFrames)
    : columns_(static_cast<size_t>(columns > 0 ? columns : 1)),
      span_(std::max<uint64_t>(expectedFrames, columns_.size())) {}

uint64_t PlotColumns::columnStart(size_t c) const {
    // Column c starts at ceil(c * span / columns), split to stay in 64 bits.
    const uint64_t n = columns_.size();
    const uint64_t whole = span_ / n * c, rest = span_ % n * c;
    return whole + (rest + n - 1) / n;
}

size_t PlotColumns::columnOf(uint64_t frame) const {
    // The last column whose start is at or before the frame.
    size_t c = static_cast<size_t>(static_cast<double>(frame) / static_cast<double>(span_) * columns_.size());
    c = std::min(c, columns_.size() - 1);
    while (c > 0 && columnStart(c) > frame) --c;
    while (c + 1 < columns_.size() && columnStart(c + 1) <= frame) ++c;
    return c;
}

void PlotColumns::cover(uint64_t lastFrame) {
    while (lastFrame >= span_) {
        const size_t n = columns_.size();
        std::vector<PlotColumn> folded(n);
        for (size_t c = 0; c < n; ++c) {
            PlotColumn& to = folded[c / 2];
            const PlotColumn& from = columns_[c];
            to.inputPeak = std::max(to.inputPeak, from.inputPeak);
            to.outputPeak = std::max(to.outputPeak, from.outputPeak);
            to.reduction = to.reduction > 0.0f ? from.reduction : std::min(to.reduction, from.reduction);
        }
        columns_.swap(folded);
        span_ *= 2;
    }
}

void PlotColumns::addPeaks(uint64_t firstFrame, const float* interleaved, size_t frames, int channels,
                           float PlotColumn::*peak) {
    if (frames == 0 || channels < 1) return;
    cover(firstFrame + frames - 1);
    size_t i = 0;
    for (size_t c = columnOf(firstFrame); i < frames; ++c) {
        const uint64_t end = c + 1 < columns_.size() ? columnStart(c + 1) : span_;
        const size_t until = static_cast<size_t>(std::min<uint64_t>(frames, end - firstFrame));
        float highest = columns_[c].*peak < 0.0f ? 0.0f : columns_[c].*peak;
        for (; i < until; ++i)
            for (int ch = 0; ch < channels; ++ch) {
                const float v = std::fabs(interleaved[i * channels + ch]);
                if (!(v <= highest)) highest = std::isnan(v) ? INFINITY : v;
            }
        columns_[c].*peak = highest;
    }
}

void PlotColumns::addInput(uint64_t firstFrame, const float* interleaved, size_t frames, int channels) {
    addPeaks(firstFrame, interleaved, frames, channels, &PlotColumn::inputPeak);
}

void PlotColumns::addOutput(uint64_t firstFrame, const float* interleaved, size_t frames, int channels) {
    addPeaks(firstFrame, interleaved, frames, channels, &PlotColumn::outputPeak);
}

void PlotColumns::addReduction(uint64_t firstFrame, size_t frames, double decibels) {
    if (frames == 0) return;
    const uint64_t last = firstFrame + frames - 1;
    cover(last);
    const float db = static_cast<float>(std::min(decibels, 0.0));
    for (size_t c = columnOf(firstFrame), end = columnOf(last); c <= end; ++c)
        columns_[c].reduction = columns_[c].reduction > 0.0f ? db : std::min(columns_[c].reduction, db);
}
