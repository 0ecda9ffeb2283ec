#pragma once
// The gain-reduction meter on the panel: a small child window with a bar for
// the left and the right channel, growing from 0 dB at its left end, and a
// peak mark on each. The scale printed under it is the panel artwork's.
//
// It reads the engine (its own reader, limiter/GainMeter.h) when the host's
// idle call polls it and, when no poll came for a while, from its own timer.
// It repaints itself only when a bar's end or a mark moves by a pixel, and
// draws off-screen before it copies.
#include <windows.h>

#include <cstdint>

struct LimiterEngine;

extern const char kGainMeterClassName[];

// Panel position and size (the artwork draws its well and scale around it).
constexpr int kGainMeterX = 22;
constexpr int kGainMeterY = 40;
constexpr int kGainMeterLength = 144;  // pixels from 0 dB to the deepest mark
constexpr int kGainMeterBarHeight = 6;
constexpr int kGainMeterGap = 2;       // between the left and the right bar
constexpr int kGainMeterHeight = 2 * kGainMeterBarHeight + kGainMeterGap;

// Without polls for this long, the timer reads instead.
constexpr uint32_t kGainMeterQuietMs = 100;
constexpr uint32_t kGainMeterTimerMs = 40;

void registerGainMeterClass(HINSTANCE instance);
void unregisterGainMeterClass(HINSTANCE instance);
// `engine` may be null: the meter then stays at rest.
HWND createGainMeter(HWND parent, LimiterEngine* engine);
// On the meter's thread: reads what the engine did since the last reading
// and moves the bars, `now` on the GetTickCount clock.
void pollGainMeter(HWND meter, uint32_t now);
// How often the meter has painted since it was created.
int32_t gainMeterPaintCount(HWND meter);
