#include "editor/EditorControls.h"

#include <cmath>
#include <initializer_list>
#include <cstring>

#include "editor/EditorBitmaps.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/Notify.h"
#include "toolkit/knob/Knob.h"
#include "toolkit/switch/Switch.h"

void setupControls(EditorControls* controls, LimiterEngine* engine) {
    std::memset(controls, 0, sizeof *controls);
    controls->engine = engine;
}

namespace {

struct KnobSetting {
    uint16_t id;
    int32_t x;
    uint32_t style;
    uint16_t angleMin, angleMax;
    float min, max, defaultValue, step;
};

// Notify while dragging, edit the plain value (or decibels), pointer outlined
// in palette 0 and filled in palette 10.
constexpr uint32_t kPlainKnobStyle = 0x11000A0;
constexpr uint32_t kDecibelKnobStyle = 0x14000A0;
constexpr int32_t kKnobTop = 30;
constexpr int32_t kPivot = 17;

constexpr KnobSetting kCompression = {kCompressionKnobId, 210, kPlainKnobStyle, 90, 225, 1.0f, 8.0f, 1.0f, 0.02f};
constexpr KnobSetting kGain = {kGainKnobId, 290, kPlainKnobStyle, 240, 300, -24.0f, 24.0f, 0.0f, 0.05f};
constexpr KnobSetting kVelocity = {kVelocityKnobId, 370, kPlainKnobStyle, 240, 300, 1.0f, 100.0f, 5.0f, 0.1f};
constexpr KnobSetting kLimit = {kLimitKnobId, 455, kDecibelKnobStyle, 240, 90, 0.25f, 1.0f, 1.0f, 0.005f};

HWND createKnob(EditorControls* controls, HWND parent, const KnobSetting& k) {
    return create_knob(parent, k.id, k.x, kKnobTop, k.style, g_editorBitmaps.knobFace, kPivot,
                       kPivot, k.angleMin, k.angleMax, k.min, k.max, k.defaultValue, k.step,
                       onKnobChanged, controls);
}

}  // namespace

int32_t createControls(EditorControls* controls, HWND parent) {
    controls->editorWindow = parent;
    controls->muteButton = create_switch(parent, 0, 52, 70, SWITCH_TOGGLE, g_editorBitmaps.muteOff,
                                         g_editorBitmaps.muteOn, nullptr, onMuteChanged, controls);
    controls->compressionKnob = createKnob(controls, parent, kCompression);
    controls->gainKnob = createKnob(controls, parent, kGain);
    controls->velocityKnob = createKnob(controls, parent, kVelocity);
    controls->limitKnob = createKnob(controls, parent, kLimit);
    // Without an engine the controls have nothing to set: they show it.
    if (!controls->engine) {
        for (HWND control : {controls->muteButton, controls->compressionKnob, controls->gainKnob,
                             controls->velocityKnob, controls->limitKnob})
            send_control_command(control, kCommandDisable, 0);
    }
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
