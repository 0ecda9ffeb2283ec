#include "editor/EditorControls.h"

#include <cstring>
#include <initializer_list>

#include "editor/EditorBitmaps.h"
#include "limiter/EngineSettings.h"
#include "limiter/ModeParameter.h"
#include "platform/DefinedFloatState.h"
#include "plugin/PluginBase.h"
#include "toolkit/ControlTypes.h"
#include "toolkit/Notify.h"
#include "toolkit/knob/Knob.h"
#include "toolkit/switch/Switch.h"

namespace {

// The host may close the editor, or the effect and the editor with it, from
// inside any call the controls make to it. Each such call runs inside a
// HostCall on the editor's thread, where the controls are also destroyed:
// destroyControls marks the calls for its controls, and their caller then
// touches nothing of the controls again.
struct HostCall {
    explicit HostCall(const EditorControls* c) : controls(c), outer(innermost) { innermost = this; }
    ~HostCall() { innermost = outer; }
    HostCall(const HostCall&) = delete;
    HostCall& operator=(const HostCall&) = delete;

    const EditorControls* controls;
    HostCall* outer;
    bool controlsGone = false;
    static thread_local HostCall* innermost;
};
thread_local HostCall* HostCall::innermost = nullptr;

}  // namespace

void setupControls(EditorControls* controls, LimiterEngine* engine, PluginBase* effect) {
    std::memset(controls, 0, sizeof *controls);
    controls->engine = engine;
    controls->effect = effect;
    controls->touchedParameter = -1;
}

namespace {

// Where each knob sits and which setting it edits; ranges, defaults, steps
// and scales come from the setting.
struct EditorKnob {
    HWND EditorControls::*handle;
    uint16_t id;
    int32_t x;
    uint16_t angleMin, angleMax;
    SettingIndex setting;
};

const EditorKnob kKnobs[] = {
    {&EditorControls::compressionKnob, kCompressionKnobId, 210, 90, 225, kCompressionSetting},
    {&EditorControls::gainKnob, kGainKnobId, 290, 240, 300, kGainSetting},
    {&EditorControls::velocityKnob, kVelocityKnobId, 370, 240, 300, kVelocitySetting},
    {&EditorControls::limitKnob, kLimitKnobId, 455, 240, 90, kLimitSetting},
};

constexpr int32_t kKnobTop = 30;
constexpr int32_t kPivot = 17;
// Notify while dragging; pointer outlined in palette 0 and filled in 10.
constexpr uint32_t kKnobStyle = KNOB_NOTIFY_DRAG | 0xA0;

// A factor shown in decibels is also edited in decibels; any other value as
// it is shown.
uint32_t styleFor(const SettingInfo& s) {
    uint32_t style = kKnobStyle;
    style |= factorShownInDecibels(s) ? KNOB_DB : KNOB_EDIT_VALUE;
    if (s.scale == SettingScale::Logarithmic) style |= KNOB_LOG;
    return style;
}

HWND createKnob(EditorControls* controls, HWND parent, const EditorKnob& k) {
    const SettingInfo& s = kSettings[k.setting];
    return create_knob(parent, k.id, k.x, kKnobTop, styleFor(s), g_editorBitmaps.knobFace, kPivot,
                       kPivot, k.angleMin, k.angleMax, s.min, s.max, s.defaultValue, s.step,
                       onKnobChanged, controls);
}

const EditorKnob* knobWithId(int32_t id) {
    for (const EditorKnob& k : kKnobs)
        if (k.id == id) return &k;
    return nullptr;
}

// The mouse capture or an arrow key (repeating on a knob) holds a gesture
// open. The key counts while held now or when the message being handled
// came, whichever the system has caught up with.
bool gestureHeld() {
    if (GetCapture() != nullptr) return true;
    for (int key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})
        if (GetKeyState(key) < 0 || GetAsyncKeyState(key) < 0) return true;
    return false;
}

void endGesture(EditorControls* controls) {
    if (controls->touchedParameter < 0) return;
    const int32_t parameter = controls->touchedParameter;
    controls->touchedParameter = -1;
    controls->effect->endEdit(parameter);
}

// A drag or a held arrow key is one gesture for the host: begin edit, its
// changes, end edit with the notification that follows the release of the
// mouse capture or the key. A wheel notch, a typed value or a menu choice
// is a gesture of its own.
void reportToHost(EditorControls* controls, int32_t parameter, float fraction) {
    if (!controls->effect) return;
    HostCall call(controls);
    if (controls->touchedParameter != parameter) {
        endGesture(controls);
        if (call.controlsGone) return;
        controls->effect->beginEdit(parameter);
        if (call.controlsGone) return;
        controls->touchedParameter = parameter;
    }
    // The engine holds the knob's value already: setting the fraction that
    // it reports changes nothing there.
    controls->effect->setAndAutomateParameter(parameter, fraction);
    if (!call.controlsGone && !gestureHeld()) endGesture(controls);
}

}  // namespace

int32_t createControls(EditorControls* controls, HWND parent) {
    controls->editorWindow = parent;
    controls->muteButton = create_switch(parent, 0, 52, 70, SWITCH_TOGGLE, g_editorBitmaps.muteOff,
                                         g_editorBitmaps.muteOn, nullptr, onMuteChanged, controls);
    for (const EditorKnob& k : kKnobs) controls->*k.handle = createKnob(controls, parent, k);
    // Without an engine the controls have nothing to set: they show it.
    if (!controls->engine) {
        for (HWND control : {controls->muteButton, controls->compressionKnob, controls->gainKnob,
                             controls->velocityKnob, controls->limitKnob})
            send_control_command(control, kCommandDisable, 0);
    }
    return 1;
}

int32_t destroyControls(EditorControls* controls) {
    for (HostCall* call = HostCall::innermost; call != nullptr; call = call->outer)
        if (call->controls == controls) call->controlsGone = true;
    if (controls->effect) endGesture(controls);
    for (HWND control : {controls->compressionKnob, controls->gainKnob, controls->velocityKnob,
                         controls->limitKnob, controls->muteButton}) {
        if (control) DestroyWindow(control);
    }
    return 1;
}

int32_t refreshControls(EditorControls* controls) {
    // Without an engine there is nothing to show.
    if (!controls->engine) return 0;
    for (const EditorKnob& k : kKnobs) {
        const float position = settingKnobPosition(controls->engine, k.setting);
        send_control_command(controls->*k.handle, kCommandSetValue, float_bits(position));
    }
    // Only the button itself turns mute off, and a new button starts off.
    if (getMute(controls->engine) == 1) {
        send_control_command(controls->muteButton, kCommandSetValue, float_bits(1.0f));
    }
    return 1;
}

void endFinishedGesture(EditorControls* controls) {
    if (controls->effect && !gestureHeld()) endGesture(controls);
}

int32_t __cdecl onKnobChanged(void* user, int32_t code, uint32_t value) {
    auto* controls = static_cast<EditorControls*>(user);
    if (!controls || !controls->engine) return 0;
    const EditorKnob* knob = knobWithId(code & 0xFFFF);
    if (!knob) return 0;
    // The knob's message comes through the host's message loop, on a
    // thread in whatever floating-point state the host left it.
    DefinedFloatState state;
    const float fraction = setSettingKnobValue(controls->engine, knob->setting, bits_float(value));
    reportToHost(controls, knob->setting, fraction);
    return 0;
}

void chooseMode(EditorControls* controls, LimiterMode mode) {
    if (!controls->engine) return;
    DefinedFloatState state;
    setEngineMode(controls->engine, mode, false);
    reportToHost(controls, kModeParameter, modeInfo(mode).fraction);
}

int32_t __cdecl onMuteChanged(void* user, int32_t, uint32_t value) {
    auto* controls = static_cast<EditorControls*>(user);
    if (!controls || !controls->engine) return 0;
    setMute(controls->engine, bits_float(value) == 1.0f ? 1 : 0);
    return 0;
}
