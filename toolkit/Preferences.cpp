#include "toolkit/Preferences.h"

#include "toolkit/Settings.h"
#include "toolkit/timedialog/TimeArithmetic.h"

void reset_preferences(ToolkitModule& module) {
    module.knob_mouse_mode = 1;
    module.S_capture = 1;
    module.S_settopos = 0;
    module.A_imode = 0;
}

namespace {

void loadSwitch(const ToolkitModule& module, const char* name, int32_t& member) {
    if (read_setting_into(module.keyPath, name, &member, sizeof member) && member != 0) member = 1;
}

}  // namespace

void load_preferences(ToolkitModule& module) {
    read_setting_into(module.keyPath, "Rot_Mode", &module.knob_mouse_mode,
                      sizeof module.knob_mouse_mode);
    loadSwitch(module, "S_capture", module.S_capture);
    loadSwitch(module, "S_settopos", module.S_settopos);
    loadSwitch(module, "A_imode", module.A_imode);
    read_setting_into(module.keyPath, "Dial_tCtx", &module.Dial_tCtx, sizeof module.Dial_tCtx);
    // The stored context comes from outside: a field out of range (an
    // index, a divisor) takes its default before the dialog uses it.
    sanitize_time_context(module.Dial_tCtx);
}

void save_preferences(const ToolkitModule& module) {
    write_setting(module.keyPath, "Rot_Mode", &module.knob_mouse_mode, sizeof module.knob_mouse_mode);
    write_setting(module.keyPath, "S_capture", &module.S_capture, sizeof module.S_capture);
    write_setting(module.keyPath, "S_settopos", &module.S_settopos, sizeof module.S_settopos);
    write_setting(module.keyPath, "A_imode", &module.A_imode, sizeof module.A_imode);
    write_setting(module.keyPath, "Dial_tCtx", &module.Dial_tCtx, sizeof module.Dial_tCtx);
}
