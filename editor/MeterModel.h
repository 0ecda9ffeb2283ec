#pragma once
// The gain-reduction meter's arithmetic, apart from any window: its scale
// (decibels of reduction to pixels along the bar) and its ballistics (instant
// attack, a held peak mark, a steady fall). Portable; tested natively.
#include <cstdint>

// Deepest reduction the bar shows; anything deeper fills it.
constexpr float kMeterDepthDecibels = 24.0f;
// Printed marks, in decibels of reduction: finer near 0 dB, where a limiter
// usually works.
constexpr int kMeterScaleMarks[] = {0, 1, 2, 3, 6, 9, 12, 18, 24};
constexpr float kMeterFallDecibelsPerSecond = 20.0f;
constexpr float kMeterHoldSeconds = 1.0f;
// Longest step one update advances the fall by: a late update after a long
// pause must not look like a jump.
constexpr float kMeterLongestStepSeconds = 0.25f;

// Pixels from the bar's 0 dB end to where `depth` decibels of reduction
// lie, on a square-root scale of `length` pixels for kMeterDepthDecibels.
int meterPixel(float depth, int length);

struct MeterChannel {
    float depth;      // decibels of reduction the bar shows, 0 at rest
    float held;       // the peak mark, decibels of reduction
    float holdLeft;   // seconds the mark still stays
};

constexpr MeterChannel kMeterAtRest = {0.0f, 0.0f, 0.0f};

// One update: `reduction` is the reading in decibels (0 or below, as the
// engine tells it), `seconds` the time since the previous update.
void advanceMeter(MeterChannel& channel, float reduction, float seconds);

// Where the bar's end and the peak mark are drawn; a repaint is needed only
// when these change.
struct MeterPixels {
    int bar[2];
    int mark[2];
    bool operator==(const MeterPixels& other) const;
};

MeterPixels meterPixels(const MeterChannel channel[2], int length);
bool meterAtRest(const MeterChannel channel[2]);
