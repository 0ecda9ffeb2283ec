#include "limiter/EngineSettings.h"

#include <cmath>
#include <cstring>

namespace {

bool validIndex(int32_t index) { return index >= 0 && index < kSettingCount; }

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Channel 1's setting as its knob shows it. The caller holds the lock.
struct Reading {
    float knobValue;
    float fraction;
};

Reading readSetting(const LimiterEngine* engine, int32_t index) {
    const SettingInfo& s = kSettings[index];
    const float stored = engine->params.channel[0].*s.field;
    const SettingMemory& m = engine->settingMemory[index];
    if (m.known && sameBits(m.stored, stored)) return {m.knobValue, m.fraction};
    const float position = knobPositionOf(s, stored);
    return {position, fractionOfKnobValue(s, position)};
}

Reading readSettingLocked(LimiterEngine* engine, int32_t index) {
    lockEnter(&engine->lock);
    const Reading reading = readSetting(engine, index);
    lockLeave(&engine->lock);
    return reading;
}

// Writes both channels and remembers what set them; answers whether a field
// changed. Only a change makes the next block derive its coefficients and
// ramp: hosts that send every block's automation value again cost nothing.
// The caller holds the lock.
bool writeSetting(LimiterEngine* engine, int32_t index, float stored, float knobValue,
                  float fraction) {
    float ChannelParams::*field = kSettings[index].field;
    bool changed = false;
    for (ChannelParams& c : engine->params.channel) {
        changed = changed || !sameBits(c.*field, stored);
        c.*field = stored;
    }
    if (changed) engine->coefficientsValid = 0;
    engine->settingMemory[index] = {1, stored, knobValue, fraction};
    return changed;
}

}  // namespace

void setSettingFraction(LimiterEngine* engine, int32_t index, float fraction) {
    if (!engine || !validIndex(index) || std::isnan(fraction)) return;
    const SettingInfo& s = kSettings[index];
    // -0 and below are the knob's start, read back as +0.
    fraction = !(fraction > 0.0f) ? 0.0f : fraction > 1.0f ? 1.0f : fraction;
    lockEnter(&engine->lock);
    const Reading now = readSetting(engine, index);
    float knobValue, stored;
    if (fraction == now.fraction) {
        // What was read, written back: a host reading and writing its
        // parameters never changes a stored value, inside the knob's range
        // or outside it.
        knobValue = now.knobValue;
        stored = engine->params.channel[0].*s.field;
    } else {
        knobValue = knobValueAtFraction(s, fraction);
        stored = storedOf(s, knobValue);
    }
    if (writeSetting(engine, index, stored, knobValue, fraction)) engine->hostChangedSettings = 1;
    lockLeave(&engine->lock);
}

float settingFraction(LimiterEngine* engine, int32_t index) {
    if (!engine || !validIndex(index)) return 0.0f;
    return readSettingLocked(engine, index).fraction;
}

float setSettingKnobValue(LimiterEngine* engine, int32_t index, float knobValue) {
    if (!engine || !validIndex(index)) return 0.0f;
    const SettingInfo& s = kSettings[index];
    if (!(knobValue >= s.min && knobValue <= s.max)) return readSettingLocked(engine, index).fraction;
    const float fraction = fractionOfKnobValue(s, knobValue);
    lockEnter(&engine->lock);
    writeSetting(engine, index, storedOf(s, knobValue), knobValue, fraction);
    lockLeave(&engine->lock);
    return fraction;
}

float settingKnobPosition(LimiterEngine* engine, int32_t index) {
    if (!engine || !validIndex(index)) return 0.0f;
    return readSettingLocked(engine, index).knobValue;
}

void settingDisplay(LimiterEngine* engine, int32_t index, char* text) {
    if (!engine || !validIndex(index)) {
        text[0] = '\0';
        return;
    }
    lockEnter(&engine->lock);
    const float stored = engine->params.channel[0].*kSettings[index].field;
    lockLeave(&engine->lock);
    formatSettingDisplay(kSettings[index], stored, text);
}

int32_t takeHostSettingChange(LimiterEngine* engine) {
    if (!engine) return 0;
    lockEnter(&engine->lock);
    const int32_t changed = engine->hostChangedSettings;
    engine->hostChangedSettings = 0;
    lockLeave(&engine->lock);
    return changed;
}
