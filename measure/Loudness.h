#pragma once
// Loudness of a programme as broadcast loudness meters measure it: the
// integrated loudness (LUFS) over 400 ms blocks every 100 ms, gated at
// -70 LUFS and then 10 LU below the loudness of the blocks kept, and the
// loudness range (LU) over 3 s blocks every 100 ms, gated at -70 LUFS and
// 20 LU below their loudness, from the 10th to the 95th percentile.
// Streaming in constant memory: the gates need every block's loudness, so
// the blocks are kept as fine histograms (counts and summed power per
// 0.01 LU), never as lists.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "measure/KWeighting.h"

// Blocks by loudness above the absolute gate: count and summed mean square
// per bin. Louder than the top bin goes into the top bin.
class LoudnessHistogram {
public:
    static constexpr double kGate = -70.0;      // LUFS: quieter blocks do not count
    static constexpr double kBinWidth = 0.01;   // LU
    static constexpr double kTop = 50.0;        // LUFS

    LoudnessHistogram();
    // A block's mean square of the weighted channels' sum.
    void add(double power);
    uint64_t blocks() const;  // above the absolute gate
    // Loudness of the blocks above the absolute gate and above the mean of
    // those less `relativeGate` LU, as the mean of their power; -inf when
    // none is left.
    double gatedLoudness(double relativeGate) const;
    // From the `low` to the `high` percentile of the blocks kept by both
    // gates, in LU; 0 when none is left.
    double range(double relativeGate, double low, double high) const;

private:
    size_t firstBinAbove(double relativeGate) const;

    std::vector<uint64_t> counts_;
    std::vector<double> power_;
};

// Loudness of a block of mean square `power`.
double loudnessOf(double power);

struct LoudnessResult {
    bool longEnough;   // at least one 400 ms block
    bool rangeLongEnough;  // at least one 3 s block
    double integrated; // LUFS; -inf when every block lay below the gate
    double range;      // LU
};

class LoudnessMeter {
public:
    LoudnessMeter(int channels, double sampleRate);
    // Interleaved frames of `channels` samples; non-finite ones count as 0.
    void add(const float* interleaved, size_t frames);
    LoudnessResult result() const;

private:
    void endSubBlock();

    static constexpr int kSubBlocksPerBlock = 4;       // 400 ms
    static constexpr int kSubBlocksPerShortTerm = 30;  // 3 s

    int channels_;
    double sampleRate_;
    KWeightingFilters filters_;
    BiquadState shelf_[2], highPass_[2];
    // Sub-block k holds frames from floor(k * rate / 10) on, so that blocks
    // keep 100 ms steps at any rate.
    uint64_t subBlock_ = 0, frame_ = 0, subBlockEnd_ = 0;
    double sum_ = 0.0;
    double ringSum_[kSubBlocksPerShortTerm] = {};
    uint64_t ringFrames_[kSubBlocksPerShortTerm] = {};
    LoudnessHistogram blocks_, shortTerm_;
};

// "-23.0 LUFS integrated, range 4.2 LU"; or why there is no number.
std::string describeLoudness(const LoudnessResult& r);
