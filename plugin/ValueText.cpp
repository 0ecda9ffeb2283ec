#include "plugin/ValueText.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "toolkit/ValueText.h"

const char kHugeText[kValueTextSize] = " Huge!  ";
const char kMinusInfinityText[kValueTextSize] = "  -oo   ";
const char kNotANumberText[kValueTextSize] = "  NaN   ";

namespace {

// Dividing by ten is multiplying by the double nearest 0.1.
constexpr double kTenth = 0.1;

// The integer part of fmod(x, 10) as a character; x is finite, >= 0 and far
// below the int range.
char digitOf(double x) {
    return static_cast<char>('0' + static_cast<int>(std::fmod(x, 10.0)));
}

// Round to float32, overflowing to infinity instead of leaving the range.
float nearestFloat(double x) {
    if (x > static_cast<double>(FLT_MAX)) return INFINITY;
    if (x < -static_cast<double>(FLT_MAX)) return -INFINITY;
    return static_cast<float>(x);
}

void copyText(const char* fixed, char* text) { std::memcpy(text, fixed, kValueTextSize); }

}  // namespace

void formatFloatText(float value, char* text) {
    double v = value;
    if (std::isnan(v)) {
        copyText(kNotANumberText, text);
        return;
    }
    int count = 0;
    const bool negative = v < 0.0;
    if (negative) {
        v = -v;
        count = 1;
        if (v > 9999999.0) {
            copyText(kHugeText, text);
            return;
        }
    } else if (v > 99999999.0) {
        copyText(kHugeText, text);
        return;
    }

    const double whole = std::floor(v);
    // Seven digits after a minus, or eight without one, leave no room for the
    // point: write all the digits rather than lose the leading one.
    if (whole >= (negative ? 1000000.0 : 10000000.0)) {
        std::snprintf(text, kValueTextSize, negative ? "-%ld" : "%ld", static_cast<long>(whole));
        return;
    }

    // Integer part, built from the right end of a scratch string.
    char scratch[kValueTextSize + 1];
    char* p = scratch + sizeof scratch - 1;
    *p = '\0';
    *--p = '.';
    *--p = digitOf(whole);
    double x = whole * kTenth;
    count += 2;
    while (x >= 1.0 && count < kValueTextWidth) {
        *--p = digitOf(x);
        x *= kTenth;
        ++count;
    }
    if (negative) *--p = '-';
    const std::size_t head = std::strlen(p);
    std::memcpy(text, p, head + 1);
    if (count >= kValueTextWidth) return;

    // Fraction: the n digits after the point, truncated.
    const int n = kValueTextWidth - count;
    double m = std::fmod(v, 1.0) * std::pow(10.0, n);
    char* q = text + head;
    for (int i = n - 1; i >= 0; --i) {
        if (m <= 0.0) {
            q[i] = '0';
        } else {
            q[i] = digitOf(m);
            m *= kTenth;
        }
    }
    q[n] = '\0';
}

void formatIntegerText(int32_t value, char* text) {
    if (value >= 100000000 || value < -9999999) {
        copyText(kHugeText, text);
        return;
    }
    // In range the text is at most 8 characters, so nothing is cut.
    std::snprintf(text, kValueTextSize, "%7ld", static_cast<long>(value));
}

bool decibelsOfFactor(float factor, float* decibels) {
    if (!(factor > 0.0f)) return false;
    *decibels = nearestFloat(factor_to_decibels(factor));
    return true;
}

float hertzOfPeriod(float samples, float sampleRate) {
    if (samples == 0.0f) return 0.0f;
    return nearestFloat(static_cast<double>(sampleRate) / static_cast<double>(samples));
}

float millisecondsOfDuration(float samples, float sampleRate) {
    return nearestFloat(static_cast<double>(samples) * 1000.0 / static_cast<double>(sampleRate));
}

void formatDecibelsText(float factor, char* text) {
    float decibels;
    if (decibelsOfFactor(factor, &decibels)) {
        formatFloatText(decibels, text);
    } else {
        copyText(kMinusInfinityText, text);
    }
}

void formatHertzText(float samples, float sampleRate, char* text) {
    formatFloatText(hertzOfPeriod(samples, sampleRate), text);
}

void formatMillisecondsText(float samples, float sampleRate, char* text) {
    formatFloatText(millisecondsOfDuration(samples, sampleRate), text);
}
