#pragma once
// Fixed-width texts for parameter displays: a number becomes exactly eight
// characters and a terminating zero (short integers: seven). The caller's
// buffer must hold kValueTextSize bytes; nothing checks its size.
//
// Digits are truncated, never rounded: the float32 nearest 0.7 reads
// "0.699999". These functions are portable; PluginBase offers them as
// virtual operations that a derived effect may replace.
#include <cstdint>

constexpr int kValueTextWidth = 8;
constexpr int kValueTextSize = kValueTextWidth + 1;

extern const char kHugeText[kValueTextSize];           // " Huge!  "
extern const char kMinusInfinityText[kValueTextSize];  // "  -oo   "
extern const char kNotANumberText[kValueTextSize];     // "  NaN   "

// Digits, a point and an optional leading minus, 8 characters:
//   123.456 -> "123.4560", -1.5 -> "-1.50000", 1234567 -> "1234567."
// Values above 99999999 or below -9999999 give " Huge!  ". Integer parts too
// long for a point (10000000 and up, -1000000 and down) are written as all
// their digits without the point: "12345678", "-1234567". Not a number
// gives "  NaN   ".
void formatFloatText(float value, char* text);

// "%7d", right-aligned in 7 characters; 8-digit values fill 8. Values of
// 100000000 and up, and below -9999999 (which would need 9), give " Huge!  ".
void formatIntegerText(int32_t value, char* text);

// The numbers behind the decibel, hertz and millisecond texts, computed in
// double precision and rounded to the nearest float32 (overflow to infinity).
//
// 20 * log10(factor); false (no level, "  -oo   ") for zero, negative or
// not-a-number factors.
bool decibelsOfFactor(float factor, float* decibels);
// sampleRate / samples; 0 for a period of 0 samples.
float hertzOfPeriod(float samples, float sampleRate);
// samples * 1000 / sampleRate; no guard for a zero rate (infinity or NaN).
float millisecondsOfDuration(float samples, float sampleRate);

// The three composite texts as PluginBase builds them by default.
void formatDecibelsText(float factor, char* text);
void formatHertzText(float samples, float sampleRate, char* text);
void formatMillisecondsText(float samples, float sampleRate, char* text);
