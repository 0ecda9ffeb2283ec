#pragma once
// What the host program tells of a render: the input's and the output's
// sample peaks, true peaks and loudness, and the plug-in's gain reduction,
// gathered while the audio streams through, in constant memory; and, for
// --plot, the columns of the render's picture.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/pictures/PlotColumns.h"
#include "measure/GainReport.h"
#include "measure/Loudness.h"
#include "measure/PeakLevels.h"
#include "measure/TruePeak.h"

class RenderReport {
public:
    // `plotColumns` 0: no picture.
    RenderReport(int channels, double sampleRate, int plotColumns, uint64_t expectedFrames);

    // Frames as the plug-in gets them and as it gives them back.
    void addInput(const float* interleaved, size_t frames);
    void addOutput(const float* interleaved, size_t frames);
    // The plug-in's reading for the frames of one processing call.
    void addReading(uint64_t firstFrame, size_t frames, const GainReading* reading);

    // The summary's lines, indented; `muted` when the plug-in was not run.
    std::vector<std::string> lines(bool muted) const;
    const PlotColumns* plot() const { return plot_.get(); }
    const GainReductionTally& gainReduction() const { return gain_; }

private:
    struct Side {
        Side(int channels, double sampleRate) : peaks(channels), truePeaks(channels), loudness(channels, sampleRate) {}
        PeakMeter peaks;
        TruePeakMeter truePeaks;
        LoudnessMeter loudness;
        uint64_t frames = 0;
    };

    using PlotAdd = void (PlotColumns::*)(uint64_t, const float*, size_t, int);
    void add(Side& side, const float* interleaved, size_t frames, PlotAdd plotAdd);

    int channels_;
    Side in_, out_;
    GainReductionTally gain_;
    std::unique_ptr<PlotColumns> plot_;
};
