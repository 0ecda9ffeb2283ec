#pragma once
// Numbers as text, the way every toolkit control shows and reads values.
// Portable: no Windows headers.
#include <cstddef>
#include <cstdint>
#include <string>

// Capacity that holds every text format_value can produce (a sign, 39
// integer digits of the largest float, the point, 255 decimals, the zero).
constexpr std::size_t kValueTextCapacity = 320;

// Writes value with `decimals` decimals into buffer, zero-padded to `width`
// characters when width > 0, with a '+' before non-zero values when plusSign
// is 1. Zero never shows a sign: -0, and a value either side of zero that
// rounds to zero at these decimals, are written as 0. The text never exceeds
// capacity - 1 characters (it is cut short when the buffer is smaller than
// the text). Returns the length of the text in the buffer as an unsigned
// byte: 255 for a longer text, never the length cut to its low eight bits.
uint8_t format_value(float value, char* buffer, std::size_t capacity, uint8_t decimals,
                     uint8_t width, int32_t plusSign);

// A control's value as its menu (plusSign 1) and its edit field (0) write
// it: 20 log10 of it when decibels is non-zero, with the decimals in the low
// byte of `decimals` (the byte every text of a control uses).
std::string control_value_text(float value, int32_t decimals, int32_t decibels, int32_t plusSign);

// Reads a number from free text; never fails. The first decimal digit starts
// the number, a '-' anywhere before it makes it negative, '.' or ',' starts a
// fraction; everything after the number (exponents included) is ignored. At
// most 53 integer digits and 52 fraction digits are read. An empty or null
// text, or one without a digit, gives 0.0.
double parse_value(const char* text);

// The one conversion between decibels and a linear factor, for every
// control (and the limiter) that shows a factor in decibels: 10^(dB * 0.05)
// with 0.05 taken as a float32, and 20 log10(factor), both in double.
double decibels_to_factor(double decibels);
double factor_to_decibels(double factor);

// floor(x) + 1 when the fraction above floor(x) exceeds 0.5, else floor(x):
// 2.5 -> 2, 2.51 -> 3, -0.5 -> -1. NaN gives 0; values beyond the int32 range
// saturate.
int32_t round_half_down(double x);
// The same in 64 bits, for counts that outgrow 32 (samples of long
// durations); values beyond the int64 range saturate.
int64_t round_half_down64(double x);
