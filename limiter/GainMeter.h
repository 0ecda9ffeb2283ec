#pragma once
// How the engine hands its gain reduction to readers on other threads
// without a lock: the audio thread is the only writer of a sequence-counted
// record (odd while it writes), a reader copies the record and keeps the copy
// only when the count was even and unchanged around it. Every payload word is
// read and written with atomic operations.
//
// Two readers, each with its own window: the editor's meter and the host's
// query. Frame counts are running totals, so each reader's share is exact.
// The lowest gain and the peak are kept per reader since its last reading:
// a reader marks the record it took, and the next block that finds the mark
// on the latest record starts that reader's window afresh. (When a block was
// published between a reading and its mark, the window runs on and that
// block counts again in the next reading: a peak is never missed.)
//
// The audio thread publishes under the engine's lock, so blocks that run on
// different threads still write one after the other. Small blocks are
// gathered first and published once kPublishFrames frames have run (about
// 6 ms at 44.1 kHz, far below what a meter shows): publishing every 16-frame
// block would cost more than the measurement itself. A host that reads its
// own reading after every block asks for every block to be published.
#include <cstdint>

#include "limiter/GainReading.h"

enum GainReader : int32_t { kEditorReader = 0, kHostReader = 1, kGainReaderCount = 2 };

// One channel's part of a processed block.
struct BlockGain {
    float lowestGain;  // 1 when it did not limit
    float peak;
    uint32_t limitedFrames;
};

// The block a muted or silent channel reports.
constexpr BlockGain kNoReduction = {1.0f, 0.0f, 0};

// The deepest reduction a reading tells: an envelope gain of zero (or one
// flushed to zero) would otherwise read minus infinity.
constexpr float kDeepestReductionDecibels = -200.0f;

struct GainMeter {
    // Published: the sequence, then the payload words. Only the audio thread
    // writes them, in place while the sequence is odd.
    uint32_t sequence;
    uint32_t frames[2];                        // 64-bit total, low word first
    uint32_t limited[2][2];                    // per channel, 64-bit totals
    uint32_t lowestGain[kGainReaderCount][2];  // float bits, per reader's window
    uint32_t peak[kGainReaderCount][2];        // float bits, per reader's window
    // Written by each reader: the sequence of the record it last took.
    uint32_t taken[kGainReaderCount];

    // The audio thread's own: the blocks gathered since the last publishing.
    uint32_t pendingFrames;
    BlockGain pending[2];

    // Each reader's own: what it took last.
    struct Mark {
        uint32_t sequence;
        uint64_t frames;
        uint64_t limited[2];
    } mark[kGainReaderCount];
};

// Before first use (the record may start as zero bytes).
void initGainMeter(GainMeter* meter);
constexpr uint32_t kPublishFrames = 256;

// Audio thread: publishes what was gathered.
void publishGathered(GainMeter* meter);

// Audio thread: counts a block of `frames` frames with each channel's part,
// published at once when `everyBlock`, else once enough frames have run. The
// comparisons are written so that a NaN part leaves what was gathered as it
// was.
inline void gatherBlockGain(GainMeter* meter, int32_t frames, const BlockGain channel[2],
                            bool everyBlock) {
    meter->pendingFrames += static_cast<uint32_t>(frames);
    for (int c = 0; c < 2; ++c) {
        BlockGain& p = meter->pending[c];
        const BlockGain& b = channel[c];
        p.lowestGain = b.lowestGain < p.lowestGain ? b.lowestGain : p.lowestGain;
        p.peak = b.peak > p.peak ? b.peak : p.peak;
        p.limitedFrames += b.limitedFrames;
    }
    if (everyBlock || meter->pendingFrames >= kPublishFrames) publishGathered(meter);
}
// Reader thread: fills `reading` with everything since this reader's previous
// reading (nothing processed meanwhile reads as 0 frames and no reduction).
// Answers false, leaving `reading` unfilled, only when the writer held the
// record through every attempt. One thread at a time per reader.
bool takeGainReading(GainMeter* meter, GainReader reader, GainReading* reading);
// An envelope gain in decibels: 0 for 1 (or a rounding below), more, or NaN;
// never below
// kDeepestReductionDecibels.
float reductionDecibels(float gain);
