#pragma once
// The limiter's mode as the host, the editor and the host program choose and
// read it: the fifth host parameter, after the four settings, with two values
// that a host sees named. Each mode's texts are described once, in kModes.
// Portable: no Windows headers.
//
// The mode lives in the engine's parameter block (limiter/LimiterMode.h), so
// the chunk carries it; changing it takes the engine's lock and makes the
// next block take the block afresh, as a whole new block would.
#include <cstddef>
#include <cstdint>

#include "limiter/LimiterEngine.h"
#include "limiter/LimiterMode.h"
#include "limiter/LimiterSettings.h"

// The host parameters: the four settings, then the mode.
constexpr int32_t kModeParameter = kSettingCount;
constexpr int32_t kParameterCount = kSettingCount + 1;
extern const char kModeParameterName[];  // "Mode"

struct ModeInfo {
    LimiterMode mode;
    const char* word;        // the host program's option and report: "zero", "true-peak"
    const char* display;     // the host parameter's display, at most 8 characters
    const char* panelText;   // the panel's indicator
    const char* menuText;    // the editor's menu; a mode that delays adds its lookahead
    float fraction;          // the host parameter's value
};

extern const ModeInfo kModes[kLimiterModeCount];

const ModeInfo& modeInfo(LimiterMode mode);
// The mode at a host parameter's value: below one half zero latency, from
// one half on true peak. Answers false for NaN, which changes nothing.
bool modeAtFraction(float fraction, LimiterMode* mode);
// The menu's text for a mode at a sample rate, e.g. "True peak, lookahead
// 1.3 ms"; cut to fit `size` bytes.
void formatModeMenuText(LimiterMode mode, float sampleRate, char* text, size_t size);

// The mode the engine's block asks for; zero latency without an engine.
LimiterMode engineMode(LimiterEngine* engine);
// Writes the mode into the engine's block, under its lock; answers whether
// it changed. A change made for the host (`byHost`) is shown by the editor
// at its next idle call, as a host's setting is.
bool setEngineMode(LimiterEngine* engine, LimiterMode mode, bool byHost);
// The frames by which the engine's mode delays the signal at its rate.
int32_t engineLatencyFrames(LimiterEngine* engine);
