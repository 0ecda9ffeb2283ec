#pragma once
// One setting at a time, as the host parameters and the editor's knobs set
// and read it: both channels are written under the engine's lock, from any
// thread, and the next block ramps to the new value as after a whole block.
// Nothing here touches a window.
//
// A setting is read as a fraction of its knob's travel from channel 1's
// field. A float fraction cannot tell every stored value apart (near 0 dB
// many gains share one, and a field outside the knob's range reads as the
// nearest end), so the engine remembers the knob value and fraction that
// last set each field: reading gives back exactly what was set, and setting
// the fraction just read leaves the field's bits as they are, whatever they
// hold.
#include <cstdint>

#include "limiter/LimiterEngine.h"

// Sets setting `index` on both channels to the knob's value at `fraction` of
// its travel. A fraction outside [0, 1] is taken at the nearest end (-0 as
// 0); NaN, a bad index or a null engine change nothing.
void setSettingFraction(LimiterEngine* engine, int32_t index, float fraction);
// Channel 1's setting as a fraction of its knob's travel; a value outside
// the knob's range gives the nearest end. 0 for a bad index or a null engine.
float settingFraction(LimiterEngine* engine, int32_t index);
// Sets setting `index` on both channels from a knob's value; answers the
// fraction to report to the host. A value outside the knob's range, or NaN,
// changes nothing and answers the current fraction; a bad index or a null
// engine answers 0.
float setSettingKnobValue(LimiterEngine* engine, int32_t index, float knobValue);
// Where channel 1's setting sits on its knob (limiter/LimiterSettings.h); 0
// for a bad index or a null engine.
float settingKnobPosition(LimiterEngine* engine, int32_t index);
// The host parameter's display of channel 1's setting; empty for a bad index
// or a null engine.
void settingDisplay(LimiterEngine* engine, int32_t index, char* text);
// 1 when the host set a setting to a new value since the last call; 0 for a
// null engine.
int32_t takeHostSettingChange(LimiterEngine* engine);
