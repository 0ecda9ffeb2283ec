#pragma once
// What a picture of a render shows, one column per time slice: the input's
// and the output's peak (over both channels) and the deepest gain
// reduction. A fixed number of columns spans the render, so any length
// takes the same memory. The length is told beforehand; a render that runs
// longer folds pairs of columns into one and doubles each one's span.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PlotColumn {
    float inputPeak = -1.0f;   // linear; below 0 while no frame has arrived
    float outputPeak = -1.0f;
    float reduction = 1.0f;    // dB, 0 or below; above 0 while no reading has arrived
};

class PlotColumns {
public:
    // `expectedFrames` 0: unknown, the span grows as frames arrive.
    PlotColumns(int columns, uint64_t expectedFrames);

    void addInput(uint64_t firstFrame, const float* interleaved, size_t frames, int channels);
    void addOutput(uint64_t firstFrame, const float* interleaved, size_t frames, int channels);
    // A reading that covers the frames given: each column they touch.
    void addReduction(uint64_t firstFrame, size_t frames, double decibels);

    const std::vector<PlotColumn>& columns() const { return columns_; }
    // Frames the columns span together (at least those seen).
    uint64_t span() const { return span_; }
    // The first frame of column `c`.
    uint64_t columnStart(size_t c) const;

private:
    void cover(uint64_t lastFrame);
    size_t columnOf(uint64_t frame) const;
    void addPeaks(uint64_t firstFrame, const float* interleaved, size_t frames, int channels, float PlotColumn::*peak);

    std::vector<PlotColumn> columns_;
    uint64_t span_;
};
