#pragma once
// The value-text table, shared by the portable test and the test of the
// plug-in base's virtual text operations.
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>

enum class TextOp { Float, Decibels, Hertz, Milliseconds, Integer };

struct TextCase {
    TextOp op;
    double argument;  // a float32 for the float operations, an int32 for Integer
    const char* expected;
    float sampleRate = 44100.0f;
};

inline std::ostream& operator<<(std::ostream& out, const TextCase& c) {
    static const char* const names[] = {"formatFloat", "formatDecibels", "formatHertz",
                                        "formatMilliseconds", "formatInteger"};
    return out << names[static_cast<int>(c.op)] << "(" << c.argument << ") at " << c.sampleRate
               << " Hz -> \"" << c.expected << "\"";
}

inline const TextCase kTextCases[] = {
    // Each conversion at its usual values, at 44100 Hz.
    {TextOp::Float, 0.0, "0.000000"},
    {TextOp::Float, 1.0, "1.000000"},
    {TextOp::Float, -1.5, "-1.50000"},
    {TextOp::Float, 0.7, "0.699999"},  // truncated, not rounded
    {TextOp::Float, 123.456, "123.4560"},
    {TextOp::Float, 44100.0, "44100.00"},
    {TextOp::Float, 1234567.0, "1234567."},
    {TextOp::Float, -999999.0, "-999999."},
    {TextOp::Float, 100000000.0, " Huge!  "},
    {TextOp::Float, -10000000.0, " Huge!  "},
    {TextOp::Float, 0.0000001, "0.000000"},
    {TextOp::Decibels, 1.0, "0.000000"},
    {TextOp::Decibels, 0.5, "-6.02059"},
    {TextOp::Decibels, 2.0, "6.020599"},
    {TextOp::Decibels, 0.1, "-20.0000"},
    {TextOp::Decibels, 0.0, "  -oo   "},
    {TextOp::Decibels, -1.0, "  -oo   "},
    {TextOp::Hertz, 0.0, "0.000000"},
    {TextOp::Hertz, 100.0, "441.0000"},
    {TextOp::Hertz, 1.0, "44100.00"},
    {TextOp::Milliseconds, 441.0, "10.00000"},
    {TextOp::Milliseconds, 44100.0, "1000.000"},
    {TextOp::Milliseconds, 1.0, "0.022675"},
    {TextOp::Integer, 0, "      0"},
    {TextOp::Integer, 42, "     42"},
    {TextOp::Integer, 12345678, "12345678"},
    {TextOp::Integer, 99999999, "99999999"},
    {TextOp::Integer, 100000000, " Huge!  "},
    {TextOp::Integer, -1234567, "-1234567"},

    // Edges of the ranges and this implementation's choices.
    {TextOp::Float, 9999999.0, "9999999."},
    {TextOp::Float, -0.0, "0.000000"},
    {TextOp::Float, -0.0000001, "-0.00000"},
    // Integer parts that leave no room for the point keep all their digits.
    {TextOp::Float, 10000000.0, "10000000"},
    {TextOp::Float, 98765432.0, "98765432"},
    {TextOp::Float, -1000000.0, "-1000000"},
    {TextOp::Float, -9999999.0, "-9999999"},
    {TextOp::Float, std::numeric_limits<double>::quiet_NaN(), "  NaN   "},
    {TextOp::Float, INFINITY, " Huge!  "},
    {TextOp::Float, -INFINITY, " Huge!  "},
    {TextOp::Decibels, std::numeric_limits<double>::quiet_NaN(), "  -oo   "},
    {TextOp::Decibels, INFINITY, " Huge!  "},
    {TextOp::Hertz, 1e-40, " Huge!  "},  // the quotient overflows float32
    {TextOp::Hertz, -100.0, "-441.000"},
    {TextOp::Hertz, 0.0, "0.000000", 0.0f},
    {TextOp::Milliseconds, 441.0, " Huge!  ", 0.0f},  // no rate: infinite
    {TextOp::Milliseconds, 0.0, "  NaN   ", 0.0f},    // 0 / 0
    {TextOp::Integer, -9999999, "-9999999"},
    {TextOp::Integer, -10000000, " Huge!  "},  // would need 9 characters
    {TextOp::Integer, std::numeric_limits<int32_t>::min(), " Huge!  "},
    {TextOp::Integer, std::numeric_limits<int32_t>::max(), " Huge!  "},
    {TextOp::Integer, -5, "     -5"},
};
