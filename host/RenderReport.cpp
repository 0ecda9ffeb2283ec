#include "host/RenderReport.h"

RenderReport::RenderReport(int channels, double sampleRate, int plotColumns, uint64_t expectedFrames)
    : channels_(channels), in_(channels, sampleRate), out_(channels, sampleRate) {
    if (plotColumns > 0) plot_ = std::make_unique<PlotColumns>(plotColumns, expectedFrames);
}

void RenderReport::addInput(const float* interleaved, size_t frames) {
    in_.peaks.add(interleaved, frames);
    in_.truePeaks.add(interleaved, frames);
    in_.loudness.add(interleaved, frames);
    if (plot_) plot_->addInput(in_.frames, interleaved, frames, channels_);
    in_.frames += frames;
}

void RenderReport::addOutput(const float* interleaved, size_t frames) {
    out_.peaks.add(interleaved, frames);
    out_.truePeaks.add(interleaved, frames);
    out_.loudness.add(interleaved, frames);
    if (plot_) plot_->addOutput(out_.frames, interleaved, frames, channels_);
    out_.frames += frames;
}

void RenderReport::addReading(uint64_t firstFrame, size_t frames, const GainReading* reading) {
    gain_.add(reading);
    if (plot_ && reading) plot_->addReduction(firstFrame, frames, deepestOf(*reading));
}

std::vector<std::string> RenderReport::lines(bool muted) const {
    return {
        "  in  peak: " + describePeaks(in_.peaks.peaks()),
        "  out peak: " + describePeaks(out_.peaks.peaks()),
        "  in  true peak: " + describeTruePeaks(in_.truePeaks.peaks()),
        "  out true peak: " + describeTruePeaks(out_.truePeaks.peaks()),
        "  in  loudness: " + describeLoudness(in_.loudness.result()),
        "  out loudness: " + describeLoudness(out_.loudness.result()),
        "  gain reduction: " + (muted ? std::string("none: muted, the plug-in was not run") : gain_.describe(channels_)),
    };
}
