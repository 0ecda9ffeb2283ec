// Value texts, rounding and module-path splitting: portable, run natively
// under the sanitizers and under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "toolkit/ModulePath.h"
#include "toolkit/ValueText.h"

namespace {

std::string formatted(float value, uint8_t decimals, uint8_t width, int32_t plusSign,
                      std::size_t capacity = kValueTextCapacity) {
    std::vector<char> buffer(capacity, '#');
    const uint8_t length = format_value(value, buffer.data(), capacity, decimals, width, plusSign);
    EXPECT_EQ(length, std::min<std::size_t>(std::strlen(buffer.data()), 255));
    return buffer.data();
}

TEST(FormatValue, SignOnlyForNonZeroValues) {
    EXPECT_EQ(formatted(-1.5f, 1, 0, 1), "-1.5");
    EXPECT_EQ(formatted(0.0f, 1, 0, 1), "0.0");
    // Zero never shows a sign: neither -0 nor a value either side of 0
    // that rounds to zero (the residue of steps that cancel, a decibel just
    // below or above 0).
    EXPECT_EQ(formatted(-0.0f, 1, 0, 1), "0.0");
    EXPECT_EQ(formatted(-7.45e-9f, 3, 0, 1), "0.000");
    EXPECT_EQ(formatted(7.45e-9f, 3, 0, 1), "0.000");
    EXPECT_EQ(formatted(0.0004f, 3, 6, 1), "00.000");
    EXPECT_EQ(formatted(0.0006f, 3, 0, 1), "+0.001");
    EXPECT_EQ(formatted(-0.00004f, 4, 0, 0), "0.0000");
    EXPECT_EQ(formatted(-0.0004f, 3, 6, 0), "00.000");
    EXPECT_EQ(formatted(-0.0006f, 3, 0, 0), "-0.001");
    EXPECT_EQ(formatted(2.0f, 1, 0, 1), "+2.0");
    EXPECT_EQ(formatted(2.0f, 1, 0, 0), "2.0");
    // Only the value 1 asks for the sign.
    EXPECT_EQ(formatted(2.0f, 1, 0, 2), "2.0");
}

TEST(FormatValue, DecimalsAndZeroPaddedWidth) {
    EXPECT_EQ(formatted(-6.0206f, 3, 0, 0), "-6.021");
    EXPECT_EQ(formatted(2.5f, 0, 0, 0), "2");  // "%.0f": ties to even
    EXPECT_EQ(formatted(3.14159f, 3, 6, 1), "+3.142");
    EXPECT_EQ(formatted(1.5f, 2, 8, 0), "00001.50");
    EXPECT_EQ(formatted(-1.5f, 2, 8, 0), "-0001.50");
}

TEST(FormatValue, NeverWritesPastTheBuffer) {
    // The longest texts fit the documented capacity...
    EXPECT_EQ(formatted(-3.4e38f, 255, 0, 0).size(), 1u + 39u + 1u + 255u);
    EXPECT_EQ(formatted(1.0f, 0, 255, 1).size(), 255u);
    // ...and a small buffer gets a cut text, the reported length matching it.
    char small[8];
    std::memset(small, '#', sizeof small);
    const uint8_t length = format_value(123456789.0f, small, 6, 2, 0, 0);
    EXPECT_STREQ(small, "12345");
    EXPECT_EQ(length, 5);
    EXPECT_EQ(small[6], '#');
    EXPECT_EQ(format_value(1.0f, nullptr, 10, 1, 0, 0), 0);
}

TEST(ParseValue, FreeText) {
    EXPECT_EQ(parse_value(""), 0.0);
    EXPECT_EQ(parse_value(nullptr), 0.0);
    EXPECT_EQ(parse_value("abc -"), 0.0);
    EXPECT_EQ(parse_value("--3"), -3.0);
    EXPECT_EQ(parse_value("7-"), 7.0);
    EXPECT_EQ(parse_value("0,25"), 0.25);
    EXPECT_EQ(parse_value("gain -12,5 db"), -12.5);
    EXPECT_EQ(parse_value("1e3"), 1.0);
    EXPECT_EQ(parse_value("+4.75"), 4.75);
    EXPECT_EQ(parse_value("- x 2."), -2.0);
    EXPECT_EQ(parse_value("3.5.7"), 3.5);
    EXPECT_DOUBLE_EQ(parse_value("-6.021 db"), -6.021);
}

TEST(ParseValue, DigitCaps) {
    // 53 integer digits are read; a 54th digit ends the number, and no
    // fraction follows it.
    const std::string ones53(53, '1');
    const double value53 = parse_value(ones53.c_str());
    EXPECT_EQ(parse_value((ones53 + "9.5").c_str()), value53);
    EXPECT_DOUBLE_EQ(value53, 1.111111111111111e52);
    // The point after exactly 53 digits still starts a fraction.
    EXPECT_GT(parse_value((std::string(52, '0') + "1.5").c_str()), 1.4);
    // At most 52 fraction digits: a trailing 53rd digit changes nothing.
    const std::string zeros52 = "0." + std::string(51, '0') + "1";
    EXPECT_EQ(parse_value((zeros52 + "9").c_str()), parse_value(zeros52.c_str()));
    EXPECT_GT(parse_value(zeros52.c_str()), 0.0);
}

// Random texts from a small alphabet heavy in digits, signs and separators:
// never crashes, never reads past the text (the texts lie in exactly-sized
// heap blocks, so AddressSanitizer sees any overread), and agrees with a
// straightforward re-reading of the rule.
TEST(ParseValue, RandomTexts) {
    std::mt19937 random(20240601);
    const char alphabet[] = "0123456789000000-.,+e x";
    for (int round = 0; round < 20000; ++round) {
        const std::size_t length = random() % 130;
        std::vector<char> text(length + 1);
        for (std::size_t i = 0; i < length; ++i) text[i] = alphabet[random() % (sizeof alphabet - 1)];
        text[length] = '\0';
        std::vector<char> exact(text.begin(), text.end());

        const double value = parse_value(exact.data());

        std::size_t i = 0;
        bool negative = false;
        while (i < length && !(text[i] >= '0' && text[i] <= '9')) negative |= text[i++] == '-';
        if (i == length) {
            ASSERT_EQ(value, 0.0) << text.data();
            continue;
        }
        std::size_t digits = 0;
        while (i + digits < length && digits < 53 && text[i + digits] >= '0' && text[i + digits] <= '9')
            ++digits;
        const double whole = std::stod(std::string(&text[i], digits));
        ASSERT_TRUE(negative ? value <= 0.0 : value >= 0.0) << text.data();
        ASSERT_GE(std::abs(value), whole * (1 - 1e-12)) << text.data();
        ASSERT_LT(std::abs(value), whole + 1.0 + 1e-9 + whole * 1e-12) << text.data();
    }
}

TEST(RoundHalfDown, HalvesGoDown) {
    EXPECT_EQ(round_half_down(0.5), 0);
    EXPECT_EQ(round_half_down(-0.5), -1);
    EXPECT_EQ(round_half_down(2.5), 2);
    EXPECT_EQ(round_half_down(2.51), 3);
    EXPECT_EQ(round_half_down(-2.5), -3);
    EXPECT_EQ(round_half_down(-2.49), -2);
    EXPECT_EQ(round_half_down(7.0), 7);
    EXPECT_EQ(round_half_down(1e12), INT32_MAX);
    EXPECT_EQ(round_half_down(-1e12), INT32_MIN);
    EXPECT_EQ(round_half_down(std::nan("")), 0);
    // The 64-bit form goes on where the 32-bit one saturates.
    EXPECT_EQ(round_half_down64(4999999999.5), 4999999999);
    EXPECT_EQ(round_half_down64(-4999999999.5), -5000000000);
    EXPECT_EQ(round_half_down64(1e300), INT64_MAX);
    EXPECT_EQ(round_half_down64(-1e300), INT64_MIN);
    EXPECT_EQ(round_half_down64(std::nan("")), 0);
}

std::string directoryOf(const char* path) {
    std::vector<char> buffer(path, path + std::strlen(path) + 1);
    cut_to_module_directory(buffer.data());
    return buffer.data();
}

TEST(ModuleDirectory, CutsFileNameWithExtension) {
    EXPECT_EQ(directoryOf("C:\\Program Files\\VST\\qclamper.dll"), "C:\\Program Files\\VST");
    EXPECT_EQ(directoryOf("C:\\VST\\plug.in\\x.dll"), "C:\\VST\\plug.in");
    EXPECT_EQ(directoryOf("\\\\server\\share\\a.dll"), "\\\\server\\share");
    EXPECT_EQ(directoryOf("C:/VST/a.dll"), "C:/VST/");
    EXPECT_EQ(directoryOf("a.dll"), "");
    // The root stays the root.
    EXPECT_EQ(directoryOf("C:\\qclamper.dll"), "C:\\");
}

TEST(ModuleDirectory, KeepsPathWithoutExtension) {
    EXPECT_EQ(directoryOf("C:\\VST\\qclamper"), "C:\\VST\\qclamper");
    EXPECT_EQ(directoryOf("C:\\VST.d\\qclamper"), "C:\\VST.d\\qclamper");
    EXPECT_EQ(directoryOf(""), "");
}

}  // namespace
