#pragma once
// The controls inside the editor window and how they edit the engine: four
// knobs (compression, gain, velocity, limit) and the mute button. The editor
// always writes both channels and shows channel 1.
#include <windows.h>

#include <cstdint>

#include "limiter/LimiterEngine.h"

// Knob ids; the low 16 bits of a knob's notification code.
enum EditorKnobId : int32_t {
    kGainKnobId = 1,
    kVelocityKnobId = 2,
    kLimitKnobId = 3,
    kCompressionKnobId = 4,
};

// Also the user pointer every control hands back to its callback.
struct EditorControls {
    HWND editorWindow;
    LimiterEngine* engine;
    HWND muteButton;
    HWND compressionKnob;
    HWND gainKnob;
    HWND velocityKnob;
    HWND limitKnob;
};

// All fields zero, then the engine.
void setupControls(EditorControls* controls, LimiterEngine* engine);
int32_t createControls(EditorControls* controls, HWND parent);
int32_t destroyControls(EditorControls* controls);
// Moves the controls to the engine's settings without notifying back.
int32_t refreshControls(EditorControls* controls);

// The control callbacks; value carries float bits.
int32_t __cdecl onKnobChanged(void* user, int32_t code, uint32_t value);
int32_t __cdecl onMuteChanged(void* user, int32_t code, uint32_t value);

// The decibel value a gain knob shows for a linear gain, and back.
float gainToDecibels(float linear);
float decibelsToGain(float decibels);
