// What a control does with the value edit dialog: its value as text in,
// a number out.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "toolkit/ValueEditDialog.h"
#include "toolkit/ValueText.h"

int32_t edit_control_value(HWND parent, int32_t x, int32_t y, float current, int32_t digits,
                           int32_t decibels, float* answer) {
    return edit_control_value_in(parent, x, y, kValueEditWidth, current, digits, decibels, answer);
}

int32_t edit_control_value_in(HWND parent, int32_t x, int32_t y, int32_t width, float current,
                              int32_t digits, int32_t decibels, float* answer) {
    const double shown = decibels ? factor_to_decibels(current) : current;
    // The low byte of the decimals field, as every other text of the control.
    const uint8_t decimals = static_cast<uint8_t>(digits & 0xFF);
    char text[kValueTextCapacity];
    format_value(static_cast<float>(shown), text, sizeof text, decimals, 0, 0);

    char* typed = edit_value_text(parent, kValueEditStyle, x, y, width, kValueEditHeight, text);
    if (typed == nullptr) return 0;
    const bool given = typed[0] != '\0';
    float value = current;
    // The text as shown stands for the value itself: its rounded digits (and
    // the decibel round trip) would move it.
    if (given && std::strcmp(typed, text) != 0) {
        double typedValue = parse_value(typed);
        if (decibels) typedValue = decibels_to_factor(typedValue);
        value = static_cast<float>(typedValue);
    }
    std::free(typed);
    if (!given) return 0;
    if (answer != nullptr) *answer = value;
    return 1;
}
