#include "limiter/ModeParameter.h"

#include <cmath>
#include <cstdio>

const char kModeParameterName[] = "Mode";

const ModeInfo kModes[kLimiterModeCount] = {
    {LimiterMode::ZeroLatency, "zero", "Zero lat", "ZERO LAT", "Zero latency (sample peaks)", 0.0f},
    {LimiterMode::TruePeak, "true-peak", "TruePeak", "TRUE PEAK", "True peak, lookahead", 1.0f},
};

const ModeInfo& modeInfo(LimiterMode mode) {
    for (const ModeInfo& m : kModes)
        if (m.mode == mode) return m;
    return kModes[0];
}

bool modeAtFraction(float fraction, LimiterMode* mode) {
    if (std::isnan(fraction)) return false;
    *mode = fraction < 0.5f ? LimiterMode::ZeroLatency : LimiterMode::TruePeak;
    return true;
}

void formatModeMenuText(LimiterMode mode, float sampleRate, char* text, size_t size) {
    const ModeInfo& m = modeInfo(mode);
    const int32_t frames = modeLatencyFrames(mode, sampleRate);
    if (frames == 0 || !(sampleRate > 0.0f)) {
        std::snprintf(text, size, "%s", m.menuText);
        return;
    }
    const double milliseconds = frames * 1000.0 / sampleRate;
    std::snprintf(text, size, "%s %.1f ms", m.menuText, milliseconds);
}

LimiterMode engineMode(LimiterEngine* engine) {
    if (!engine) return LimiterMode::ZeroLatency;
    lockEnter(&engine->lock);
    const LimiterMode mode = modeOfParams(engine->params);
    lockLeave(&engine->lock);
    return mode;
}

bool setEngineMode(LimiterEngine* engine, LimiterMode mode, bool byHost) {
    if (!engine) return false;
    lockEnter(&engine->lock);
    const bool changed = modeOfParams(engine->params) != mode;
    if (changed) {
        setModeInParams(engine->params, mode);
        engine->coefficientsValid = 0;
        if (byHost) engine->hostChangedSettings = 1;
    }
    lockLeave(&engine->lock);
    return changed;
}

int32_t engineLatencyFrames(LimiterEngine* engine) {
    if (!engine) return 0;
    lockEnter(&engine->lock);
    const LimiterMode mode = modeOfParams(engine->params);
    const float rate = engine->sampleRate;
    lockLeave(&engine->lock);
    return modeLatencyFrames(mode, rate);
}
