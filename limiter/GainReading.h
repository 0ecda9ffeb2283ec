#pragma once
// What the limiter tells of its work, per channel, for whoever shows it: the
// editor's meter and the host program's render report. Portable and plain:
// the host program reads the same record through the plug-in's dispatcher.
#include <cstdint>

// A gain reduction deeper than this counts as limiting (the report's share
// of time).
constexpr float kLimitingThresholdDecibels = -0.1f;

struct GainReadingChannel {
    // The deepest gain the envelope applied, in decibels: 0 when it did not
    // limit, below 0 when it did. Always finite.
    float reductionDecibels;
    // The largest magnitude of an output sample. Always finite.
    float outputPeak;
    // Frames whose envelope gain lay below kLimitingThresholdDecibels.
    uint32_t limitedFrames;
};

// Everything processed since the reader's previous reading. Muted blocks
// count as frames without reduction.
struct GainReading {
    uint32_t frames;  // saturates at UINT32_MAX
    GainReadingChannel channel[2];
};

// A host program asks through the dispatcher's vendor-specific opcode
// (effVendorSpecific, 50) with index kGainReadingQuery and ptr to a
// GainReading; the plug-in answers 1 when it filled it in. This reader is
// the host's own: reading it takes nothing from the editor's meter.
constexpr int32_t kVendorSpecificOpcode = 50;
constexpr int32_t kGainReadingQuery = 0x51434752;  // 'QCGR'
