#include "editor/EditorControls.h"

#include <cmath>
#include <initializer_list>
#include <cstring>

#include "toolkit/ControlTypes.h"
#include "toolkit/Notify.h"

void setupControls(EditorControls* controls, LimiterEngine* engine) {
    std::memset(controls, 0, sizeof *controls);
    controls->engine = engine;
}

// The knobs and the mute button are toolkit controls; they are created here,
// in the order button, compression, gain, velocity, limit, once the toolkit
// offers their classes. Until then the handles stay null, which every
// command and DestroyWindow below tolerates.
int32_t createControls(EditorControls* controls, HWND parent) {
    controls->editorWindow = parent;
    return 1;
}

int32_t destroyControls(EditorControls* controls) {
    for (HWND control : {controls->compressionKnob, controls->gainKnob, controls->velocityKnob,
                         controls->limitKnob, controls->muteButton}) {
        if (control) DestroyWindow(control);
    }
    return 1;
}

float gainToDecibels(float linear) {
    return static_cast<float>(20.0 * std::log10(static_cast<double>(linear)));
}

float decibelsToGain(float decibels) {
    return static_cast<float>(std::pow(10.0, static_cast<double>(decibels) * static_cast<double>(0.05f)));
}

int32_t refreshControls(EditorControls* controls) {
    // Without an engine there is nothing to show.
    if (!controls->engine) return 0;
    LimiterParams params;
    getParams(controls->engine, &params);
    const ChannelParams& c = params.channel[0];
    send_control_command(controls->compressionKnob, kCommandSetValue, float_bits(c.compression));
    send_control_command(controls->gainKnob, kCommandSetValue, float_bits(gainToDecibels(c.gain)));
    send_control_command(controls->velocityKnob, kCommandSetValue, float_bits(c.velocity));
    send_control_command(controls->limitKnob, kCommandSetValue, float_bits(c.limit));
    // Only the button itself turns mute off, and a new button starts off.
    if (getMute(controls->engine) == 1) {
        send_control_command(controls->muteButton, kCommandSetValue, float_bits(1.0f));
    }
    return 1;
}

int32_t __cdecl onKnobChanged(void* user, int32_t code, uint32_t value) {
    auto* controls = static_cast<EditorControls*>(user);
    if (!controls || !controls->engine) return 0;
    LimiterParams params;
    getParams(controls->engine, &params);
    const float v = bits_float(value);
    for (ChannelParams& c : params.channel) {
        switch (code & 0xFFFF) {
            case kGainKnobId: c.gain = decibelsToGain(v); break;
            case kVelocityKnobId: c.velocity = v; break;
            case kLimitKnobId: c.limit = v; break;
            case kCompressionKnobId: c.compression = v; break;
            default: break;
        }
    }
    setParams(controls->engine, &params);
    return 0;
}

int32_t __cdecl onMuteChanged(void* user, int32_t, uint32_t value) {
    auto* controls = static_cast<EditorControls*>(user);
    if (!controls || !controls->engine) return 0;
    setMute(controls->engine, bits_float(value) == 1.0f ? 1 : 0);
    return 0;
}
