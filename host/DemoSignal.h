#pragma once
// The built-in demo signal: stereo, 44100 Hz, a few seconds of chords with
// note envelopes and a low thump on each beat, at a moderate level with two
// passages driven far past full scale, so the limiter has work to show.
#include "host/wav/WavFile.h"

constexpr uint32_t kDemoSampleRate = 44100;
constexpr double kDemoSeconds = 6.0;

WavAudio makeDemoSignal();
