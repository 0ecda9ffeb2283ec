#include "toolkit/ValueText.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Writes value by the format "%", optional "+", optional "0<width>", "."
// and the decimals, "f". Returns snprintf's answer.
int writeValue(double value, char* buffer, std::size_t capacity, uint8_t decimals, uint8_t width,
               bool plus) {
    // At most 1 + 1 + 4 + 1 + 3 + 1 characters.
    char format[16];
    std::size_t n = 0;
    format[n++] = '%';
    if (plus) format[n++] = '+';
    if (width > 0) n += std::snprintf(format + n, sizeof format - n, "0%u", unsigned{width});
    std::snprintf(format + n, sizeof format - n, ".%uf", unsigned{decimals});
    return std::snprintf(buffer, capacity, format, value);
}

// A text of a number either side of zero that rounds to zero ("-0.000",
// "+0.000").
bool signedZero(const char* text) {
    if (text[0] != '-' && text[0] != '+') return false;
    for (const char* p = text + 1; *p != '\0'; ++p)
        if (*p != '0' && *p != '.') return false;
    return true;
}

}  // namespace

uint8_t format_value(float value, char* buffer, std::size_t capacity, uint8_t decimals,
                     uint8_t width, int32_t plusSign) {
    if (buffer == nullptr || capacity == 0) return 0;
    int written = writeValue(value, buffer, capacity, decimals, width, plusSign == 1 && value != 0.0f);
    // Zero has no sign, also when it is -0 or a number that rounds to zero
    // (judged on the whole text only).
    if (written > 0 && static_cast<std::size_t>(written) < capacity && signedZero(buffer))
        written = writeValue(0.0, buffer, capacity, decimals, width, false);
    if (written < 0) {
        buffer[0] = '\0';
        return 0;
    }
    const std::size_t length = std::strlen(buffer);
    return static_cast<uint8_t>(length < 255 ? length : 255);
}

std::string control_value_text(float value, int32_t decimals, int32_t decibels, int32_t plusSign) {
    if (decibels) value = static_cast<float>(factor_to_decibels(value));
    char text[kValueTextCapacity];
    format_value(value, text, sizeof text, static_cast<uint8_t>(decimals & 0xFF), 0, plusSign);
    return text;
}

namespace {

constexpr int kMaxExtraIntegerDigits = 52;
constexpr int kMaxFractionDigits = 52;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double parse_value(const char* text) {
    if (text == nullptr) return 0.0;

    // Up to and including the first digit: any '-' on the way negates.
    bool negative = false;
    const char* p = text;
    while (*p != '\0' && !isDigit(*p)) {
        if (*p == '-') negative = true;
        ++p;
    }
    if (*p == '\0') return 0.0;

    double value = *p - '0';
    ++p;
    for (int extra = 0; extra < kMaxExtraIntegerDigits && isDigit(*p); ++extra, ++p)
        value = value * 10.0 + (*p - '0');

    if (*p == '.' || *p == ',') {
        ++p;
        double scale = 1.0;
        for (int k = 0; k < kMaxFractionDigits && isDigit(*p); ++k, ++p) {
            scale *= 10.0;
            value += (*p - '0') / scale;
        }
    }
    return negative ? -value : value;
}

int64_t round_half_down64(double x) {
    if (std::isnan(x)) return 0;
    const double base = std::floor(x);
    const double rounded = (x - base > 0.5) ? base + 1.0 : base;
    if (rounded >= 9223372036854775808.0) return INT64_MAX;  // 2^63
    if (rounded <= -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(rounded);
}

double decibels_to_factor(double decibels) {
    return std::pow(10.0, decibels * static_cast<double>(0.05f));
}

double factor_to_decibels(double factor) { return 20.0 * std::log10(factor); }

int32_t round_half_down(double x) {
    const int64_t rounded = round_half_down64(x);
    if (rounded >= INT32_MAX) return INT32_MAX;
    if (rounded <= INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(rounded);
}
