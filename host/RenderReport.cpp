#include "host/RenderReport.h"

RenderReport::RenderReport(int channels, double sampleRate, int plotColumns, uint64_t expectedFrames)
    : channels_(channels), in_(channels, sampleRate), out_(channels, sampleRate) {
    if (plotColumns > 0) plot_ = std::make_unique<PlotColumns>(plotColumns, expectedFrames);
}

void RenderReport::add(Side& side, const float* interleaved, size_t frames, PlotAdd plotAdd) {
    side.peaks.add(interleaved, frames);
    side.truePeaks.add(interleaved, frames);
    side.loudness.add(interleaved, frames);
    if (plot_) (plot_.get()->*plotAdd)(side.frames, interleaved, frames, channels_);
    side.frames += frames;
}

void RenderReport::addInput(const float* interleaved, size_t frames) {
    add(in_, interleaved, frames, &PlotColumns::addInput);
}

void RenderReport::addOutput(const float* interleaved, size_t frames) {
    add(out_, interleaved, frames, &PlotColumns::addOutput);
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
