#pragma once
// The controls inside the editor window and how they edit the engine: four
// knobs (compression, gain, velocity, limit) and the mute button. The editor
// always writes both channels and shows channel 1, and tells the host each
// knob change as automation of the knob's parameter.
#include <windows.h>

#include <cstdint>

#include "limiter/LimiterEngine.h"
#include "limiter/LimiterMode.h"

class PluginBase;

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
    // The effect whose host hears of knob changes (null: none does), and
    // the parameter of the gesture the host was told of and not yet told
    // the end (-1: none).
    PluginBase* effect;
    int32_t touchedParameter;
};

// All fields zero, then the engine and the effect.
void setupControls(EditorControls* controls, LimiterEngine* engine, PluginBase* effect = nullptr);
int32_t createControls(EditorControls* controls, HWND parent);
int32_t destroyControls(EditorControls* controls);
// Moves the controls to the engine's settings without notifying back; a
// setting outside a knob's range shows the knob at the nearest end.
int32_t refreshControls(EditorControls* controls);
// Tells the host the end of a gesture whose mouse capture or arrow key has
// gone (at the editor's idle call; destroyControls ends any).
void endFinishedGesture(EditorControls* controls);

// The user chose a mode (the panel's menu): the engine takes it and the host
// hears it as a gesture of the mode parameter.
void chooseMode(EditorControls* controls, LimiterMode mode);

// The control callbacks; value carries float bits.
int32_t __cdecl onKnobChanged(void* user, int32_t code, uint32_t value);
int32_t __cdecl onMuteChanged(void* user, int32_t code, uint32_t value);
