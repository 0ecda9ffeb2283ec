// The fixed-width value texts, row by row. Runs in every build.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "plugin/ValueText.h"
#include "tests/plugin/ValueTextCases.h"

namespace {

class ValueText : public ::testing::TestWithParam<TextCase> {};

void formatCase(const TextCase& c, char* text) {
    const float value = static_cast<float>(c.argument);
    switch (c.op) {
    case TextOp::Float: formatFloatText(value, text); break;
    case TextOp::Decibels: formatDecibelsText(value, text); break;
    case TextOp::Hertz: formatHertzText(value, c.sampleRate, text); break;
    case TextOp::Milliseconds: formatMillisecondsText(value, c.sampleRate, text); break;
    case TextOp::Integer: formatIntegerText(static_cast<int32_t>(c.argument), text); break;
    }
}

TEST_P(ValueText, WritesExpectedTextAndNothingBeyondIt) {
    const TextCase& c = GetParam();
    char buffer[16];
    std::memset(buffer, 0x7F, sizeof buffer);
    formatCase(c, buffer);
    EXPECT_STREQ(buffer, c.expected);
    // Eight characters and the terminator at most; the rest is untouched.
    for (int i = kValueTextSize; i < static_cast<int>(sizeof buffer); ++i)
        EXPECT_EQ(buffer[i], 0x7F) << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Table, ValueText, ::testing::ValuesIn(kTextCases));

TEST(ValueTextWidth, FloatTextsAreAlwaysEightCharacters) {
    // A sweep across magnitudes and signs: never more, never fewer.
    char text[16];
    for (double magnitude = 1e-9; magnitude < 1e9; magnitude *= 3.7) {
        for (double sign : {1.0, -1.0}) {
            formatFloatText(static_cast<float>(sign * magnitude), text);
            EXPECT_EQ(std::strlen(text), 8u) << sign * magnitude << " -> \"" << text << "\"";
        }
    }
}

TEST(ValueTextWidth, FloatDigitsAreTruncatedNeverRounded) {
    // The float32 just below a decimal boundary keeps its lower digits.
    struct Row { float value; const char* expected; };
    const Row rows[] = {
        {std::nextafter(1.0f, 0.0f), "0.999999"},
        {std::nextafter(10.0f, 0.0f), "9.999999"},
        {-std::nextafter(1.0f, 0.0f), "-0.99999"},
        {std::nextafter(2000000.0f, 0.0f), "1999999."},
        {std::nextafter(0.001f, 0.0f), "0.000999"},
    };
    char text[16];
    for (const Row& r : rows) {
        formatFloatText(r.value, text);
        EXPECT_STREQ(text, r.expected) << r.value;
    }
}

}  // namespace
