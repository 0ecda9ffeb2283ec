#include <cmath>
#include <cstdio>
#include <string>

#include "toolkit/ControlData.h"
#include "toolkit/ToolkitModule.h"
#include "toolkit/ValueText.h"
#include "toolkit/knob/KnobGesture.h"
#include "toolkit/knob/KnobParts.h"

namespace {

bool inDecibels(const KnobRecord* k) { return (k->look.style & KNOB_DB) != 0; }

// A number of the menu: decibels of the stored value on a decibel knob.
std::string number(const KnobRecord* k, float v, int32_t decimals) {
    if (inDecibels(k)) v = static_cast<float>(factor_to_decibels(v));
    char text[kValueTextCapacity];
    format_value(v, text, sizeof text, static_cast<uint8_t>(decimals), 0, 1);
    return text;
}

// Decimals of the current value, and of the default and the ends.
int32_t valueDecimals(const KnobRecord* k) { return inDecibels(k) ? 3 : k->value.digits; }
int32_t rangeDecimals(const KnobRecord* k) { return inDecibels(k) ? 1 : 6; }

std::string unit(const KnobRecord* k) { return inDecibels(k) ? " db" : ""; }

std::string currentLine(const KnobRecord* k) {
    return "Current value : " + number(k, k->value.current, valueDecimals(k)) + unit(k);
}

void check(HMENU menu, UINT id, bool checked) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

HMENU knob_build_menu(const KnobRecord* k) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    AppendMenuA(menu, MF_STRING, kKnobToggleInverse, "Inverse Mousemove Mode");
    AppendMenuA(menu, MF_STRING, kKnobToggleAngular, "Angular Mousemove Mode");
    if (k->look.style & KNOB_NO_EDIT) return menu;

    const int32_t d = rangeDecimals(k);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, kKnobCurrentValueLine, currentLine(k).c_str());
    const std::string reset =
        "Default value (" + number(k, k->value.defaultValue, d) + unit(k) + ")\tDBLCLICK";
    AppendMenuA(menu, MF_STRING, kKnobReset, reset.c_str());
    AppendMenuA(menu, MF_STRING, kKnobEdit, "Edit Value\tINS [CTRL+CLICK]");
    AppendMenuA(menu, MF_STRING, kKnobAdjust, "Adjust Value\t[SHIFT+CLICK]");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    const std::string min = "Value Min (" + number(k, k->value.min, d) + ")" + unit(k);
    const std::string max = "Value Max (" + number(k, k->value.max, d) + ")" + unit(k);
    AppendMenuA(menu, MF_STRING, kKnobSetMin, min.c_str());
    AppendMenuA(menu, MF_STRING, kKnobSetMax, max.c_str());
    return menu;
}

int32_t knob_show_menu(HWND window, int32_t x, int32_t y) {
    KnobRecord* k = static_cast<KnobRecord*>(hold_control_record(window));
    if (k == nullptr) return 0;
    HMENU menu = k->menu;
    const int32_t mode = toolkit().knob_mouse_mode;
    const bool angular = (mode & kKnobAngularMode) != 0;
    EnableMenuItem(menu, kKnobToggleInverse, MF_BYCOMMAND | (angular ? MF_GRAYED : MF_ENABLED));
    check(menu, kKnobToggleInverse, knob_inverse(mode));
    check(menu, kKnobToggleAngular, angular);
    if (!(k->look.style & KNOB_NO_EDIT)) {
        ModifyMenuA(menu, kKnobCurrentValueLine, MF_BYCOMMAND | MF_STRING | MF_GRAYED,
                    kKnobCurrentValueLine, currentLine(k).c_str());
        check(menu, kKnobReset, k->value.current == k->value.defaultValue);
        check(menu, kKnobSetMin, k->value.current == k->value.min);
        check(menu, kKnobSetMax, k->value.current == k->value.max);
    }
    for (uint16_t i = 0; i < k->presetCount && i < kKnobPresetCapacity; ++i)
        check(menu, kKnobFirstPreset + i, k->value.current == k->presets[i]);

    track_control_menu(window, k, &k->menu, x, y);
    return release_control_record(k);
}
