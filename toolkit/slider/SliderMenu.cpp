#include <cmath>
#include <string>

#include "toolkit/ToolkitModule.h"
#include "toolkit/ValueText.h"
#include "toolkit/slider/SliderParts.h"

namespace {

// A number of the menu, in decibels on a decibel slider, with its sign.
std::string number(const SliderRecord* s, float v, int32_t decimals) {
    if (slider_in_decibels(s)) v = static_cast<float>(factor_to_decibels(v));
    char text[kValueTextCapacity];
    format_value(v, text, sizeof text, static_cast<uint8_t>(decimals), 0, 1);
    return text;
}

// The default and the ends are written with these decimals.
int32_t referenceDecimals(const SliderRecord* s) { return slider_in_decibels(s) ? 1 : 6; }

std::string unit(const SliderRecord* s) { return slider_in_decibels(s) ? " db" : ""; }

std::string currentLine(const SliderRecord* s) {
    return "Current value : " + number(s, s->value.current, s->value.decimals) + unit(s);
}

void check(HMENU menu, UINT id, bool checked) {
    CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

HMENU slider_build_menu(const SliderRecord* s) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    const int32_t d = referenceDecimals(s);
    const std::string reset =
        "Default value (" + number(s, s->value.defaultValue, d) + unit(s) + ")\tDBLCLICK";
    const std::string min = "Value Min (" + number(s, s->value.min, d) + ")" + unit(s);
    const std::string max = "Value Max (" + number(s, s->value.max, d) + ")" + unit(s);
    AppendMenuA(menu, MF_STRING, kSliderToggleCapture, "Mouse Captured");
    AppendMenuA(menu, MF_STRING, kSliderToggleDirect, "Direct mouse position");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_DISABLED, kSliderCurrentValueLine, currentLine(s).c_str());
    AppendMenuA(menu, MF_STRING, kSliderReset, reset.c_str());
    AppendMenuA(menu, MF_STRING, kSliderEdit, "Edit Value\tINS");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kSliderSetMin, min.c_str());
    AppendMenuA(menu, MF_STRING, kSliderSetMax, max.c_str());
    return menu;
}

int32_t slider_show_menu(HWND window, int32_t x, int32_t y) {
    SliderRecord* s = static_cast<SliderRecord*>(hold_control_record(window));
    if (s == nullptr) return 0;
    HMENU menu = s->menu;
    check(menu, kSliderToggleCapture, toolkit().S_capture == 1);
    check(menu, kSliderToggleDirect, toolkit().S_settopos == 1);
    ModifyMenuA(menu, kSliderCurrentValueLine, MF_BYCOMMAND | MF_STRING | MF_DISABLED,
                kSliderCurrentValueLine, currentLine(s).c_str());
    const float v = s->value.current;
    check(menu, kSliderReset, v == s->value.defaultValue);
    check(menu, kSliderSetMin, v == s->value.min);
    check(menu, kSliderSetMax, v == s->value.max);
    for (uint16_t i = 0; i < s->presetCount && i < kSliderPresetCapacity; ++i)
        check(menu, kSliderFirstPreset + i, v == s->presets[i]);

    track_control_menu(window, s, &s->menu, x, y);
    return release_control_record(s);
}
