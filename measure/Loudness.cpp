#include "measure/Loudness.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr size_t kBins =
    static_cast<size_t>((LoudnessHistogram::kTop - LoudnessHistogram::kGate) / LoudnessHistogram::kBinWidth);

// Relative gates and percentiles.
constexpr double kIntegratedGate = 10.0;  // LU below the loudness of the blocks above -70 LUFS
constexpr double kRangeGate = 20.0;
constexpr double kRangeLow = 0.10, kRangeHigh = 0.95;

double binLoudness(size_t bin) {
    return LoudnessHistogram::kGate + (static_cast<double>(bin) + 0.5) * LoudnessHistogram::kBinWidth;
}

}  // namespace

double loudnessOf(double power) { return -0.691 + 10.0 * std::log10(power); }

LoudnessHistogram::LoudnessHistogram() : counts_(kBins, 0), power_(kBins, 0.0) {}

void LoudnessHistogram::add(double power) {
    const double l = loudnessOf(power);
    if (!(l > kGate)) return;
    const double bin = std::floor((l - kGate) / kBinWidth);
    const size_t b = bin >= static_cast<double>(kBins) ? kBins - 1 : static_cast<size_t>(bin);
    ++counts_[b];
    power_[b] += power;
}

uint64_t LoudnessHistogram::blocks() const {
    uint64_t n = 0;
    for (uint64_t c : counts_) n += c;
    return n;
}

// The relative gate's bin: blocks from there up count. A block in the
// gate's own bin counts when the bin's middle lies above the gate, an
// uncertainty of half a bin at the gate only.
size_t LoudnessHistogram::firstBinAbove(double relativeGate) const {
    double power = 0.0;
    uint64_t n = 0;
    for (size_t b = 0; b < kBins; ++b) {
        power += power_[b];
        n += counts_[b];
    }
    if (n == 0) return kBins;
    const double gate = loudnessOf(power / static_cast<double>(n)) - relativeGate;
    size_t first = 0;
    while (first < kBins && !(binLoudness(first) > gate)) ++first;
    return first;
}

double LoudnessHistogram::gatedLoudness(double relativeGate) const {
    double power = 0.0;
    uint64_t n = 0;
    for (size_t b = firstBinAbove(relativeGate); b < kBins; ++b) {
        power += power_[b];
        n += counts_[b];
    }
    return n ? loudnessOf(power / static_cast<double>(n)) : -INFINITY;
}

double LoudnessHistogram::range(double relativeGate, double low, double high) const {
    const size_t first = firstBinAbove(relativeGate);
    uint64_t n = 0;
    for (size_t b = first; b < kBins; ++b) n += counts_[b];
    if (n == 0) return 0.0;
    // The value at rank round((n - 1) * p) of the blocks in order.
    auto percentile = [&](double p) {
        const uint64_t rank = static_cast<uint64_t>(std::floor(static_cast<double>(n - 1) * p + 0.5));
        uint64_t below = 0;
        for (size_t b = first; b < kBins; ++b) {
            below += counts_[b];
            if (below > rank) return binLoudness(b);
        }
        return binLoudness(kBins - 1);
    };
    return percentile(high) - percentile(low);
}

LoudnessMeter::LoudnessMeter(int channels, double sampleRate)
    : channels_(channels < 1 ? 1 : channels > 2 ? 2 : channels),
      sampleRate_(sampleRate),
      filters_(kWeightingFilters(sampleRate)) {
    subBlockEnd_ = static_cast<uint64_t>(std::floor(sampleRate_ / 10.0));
}

void LoudnessMeter::add(const float* interleaved, size_t frames) {
    for (size_t i = 0; i < frames; ++i) {
        // Every channel weighs 1: left and right, or a mono file's one.
        for (int c = 0; c < channels_; ++c) {
            const double x = interleaved[i * channels_ + c];
            const double y = highPass_[c].step(filters_.highPass, shelf_[c].step(filters_.shelf, std::isfinite(x) ? x : 0.0));
            sum_ += y * y;
        }
        if (++frame_ == subBlockEnd_) endSubBlock();
    }
}

void LoudnessMeter::endSubBlock() {
    const int slot = static_cast<int>(subBlock_ % kSubBlocksPerShortTerm);
    const uint64_t start = static_cast<uint64_t>(std::floor(static_cast<double>(subBlock_) * sampleRate_ / 10.0));
    ringSum_[slot] = sum_;
    ringFrames_[slot] = frame_ - start;
    sum_ = 0.0;
    ++subBlock_;
    subBlockEnd_ = static_cast<uint64_t>(std::floor(static_cast<double>(subBlock_ + 1) * sampleRate_ / 10.0));
    // The blocks ending here: the last 4 and the last 30 sub-blocks.
    auto blockPower = [&](int subBlocks) {
        double sum = 0.0;
        uint64_t n = 0;
        for (int k = 0; k < subBlocks; ++k) {
            const int s = static_cast<int>((subBlock_ - 1 - k) % kSubBlocksPerShortTerm);
            sum += ringSum_[s];
            n += ringFrames_[s];
        }
        return n ? sum / static_cast<double>(n) : 0.0;
    };
    if (subBlock_ >= kSubBlocksPerBlock) blocks_.add(blockPower(kSubBlocksPerBlock));
    if (subBlock_ >= kSubBlocksPerShortTerm) shortTerm_.add(blockPower(kSubBlocksPerShortTerm));
}

LoudnessResult LoudnessMeter::result() const {
    LoudnessResult r;
    r.longEnough = subBlock_ >= kSubBlocksPerBlock;
    r.rangeLongEnough = subBlock_ >= kSubBlocksPerShortTerm;
    r.integrated = blocks_.gatedLoudness(kIntegratedGate);
    r.range = shortTerm_.range(kRangeGate, kRangeLow, kRangeHigh);
    return r;
}

std::string describeLoudness(const LoudnessResult& r) {
    if (!r.longEnough) return "not measured: shorter than one 400 ms block";
    if (!std::isfinite(r.integrated)) return "silent (every 400 ms block below -70 LUFS)";
    char text[96];
    if (r.rangeLongEnough)
        std::snprintf(text, sizeof text, "%.1f LUFS integrated, range %.1f LU", r.integrated, r.range);
    else
        std::snprintf(text, sizeof text, "%.1f LUFS integrated, range not measured (shorter than 3 s)",
                      r.integrated);
    return text;
}
