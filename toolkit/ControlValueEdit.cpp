// What a control does with the value edit dialog: its value as text in,
// a number out.
#include <cstdlib>
#include <string>

#include "toolkit/ValueEditDialog.h"
#include "toolkit/ValueText.h"

int32_t edit_control_value(HWND parent, int32_t x, int32_t y, float current, int32_t digits,
                           int32_t decibels, float* answer) {
    return edit_control_value_in(parent, x, y, kValueEditWidth, current, digits, decibels, answer);
}

int32_t edit_control_value_in(HWND parent, int32_t x, int32_t y, int32_t width, float current,
                              int32_t digits, int32_t decibels, float* answer) {
    const std::string text = control_value_text(current, digits, decibels, 0);
    char* typed = edit_value_text(parent, kValueEditStyle, x, y, width, kValueEditHeight, text.c_str());
    if (typed == nullptr) return 0;
    const bool given = typed[0] != '\0';
    float value = current;
    // The text as shown stands for the value itself: its rounded digits (and
    // the decibel round trip) would move it.
    if (given && text != typed) {
        double typedValue = parse_value(typed);
        if (decibels) typedValue = decibels_to_factor(typedValue);
        value = static_cast<float>(typedValue);
    }
    std::free(typed);
    if (!given) return 0;
    if (answer != nullptr) *answer = value;
    return 1;
}
