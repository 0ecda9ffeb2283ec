// The render report's measurements against signals whose figures the
// loudness standards fix, the gain reduction told from the plug-in's
// readings, and constant memory over an hour of input.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "host/RenderReport.h"
#include "measure/Loudness.h"
#include "measure/TruePeak.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <unistd.h>

#include <fstream>
#endif

namespace {

constexpr double kPi = 3.14159265358979323846;

// The stated tolerances: loudness within 0.05 LU of the standard's
// figure, loudness range within 0.1 LU, true peak within 0.05 dB.
constexpr double kLoudnessTolerance = 0.05;
constexpr double kRangeTolerance = 0.1;
constexpr double kTruePeakTolerance = 0.05;

// A stereo signal as a function of time, for `seconds`: (left, right).
struct Signal {
    double seconds;
    std::function<void(double t, double rate, uint64_t n, double& left, double& right)> at;
};

double dbfs(double db) { return std::pow(10.0, db / 20.0); }

// A 1 kHz sine of the given peak levels per part: {seconds, dBFS} pairs.
Signal sineParts(std::vector<std::pair<double, double>> parts, bool rightToo = true) {
    double total = 0;
    for (auto& p : parts) {
        total += p.first;
        p.first = total;      // where the part ends
        p.second = dbfs(p.second);
    }
    return {total, [parts, rightToo](double t, double, uint64_t, double& l, double& r) {
                size_t part = 0;
                while (part + 1 < parts.size() && t >= parts[part].first) ++part;
                l = parts[part].second * std::sin(2 * kPi * 1000.0 * t);
                r = rightToo ? l : 0.0;
            }};
}

// Hands the signal over in uneven blocks of interleaved stereo, as a render
// streams it.
void forEachBlock(const Signal& s, double rate, const std::function<void(const float*, size_t)>& take) {
    const uint64_t frames = static_cast<uint64_t>(s.seconds * rate);
    static float block[2 * 1009];  // not allocated: the memory test measures the meters
    for (uint64_t done = 0; done < frames;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(1009, frames - done));
        for (size_t i = 0; i < n; ++i) {
            double l, r;
            s.at(static_cast<double>(done + i) / rate, rate, done + i, l, r);
            block[2 * i] = static_cast<float>(l);
            block[2 * i + 1] = static_cast<float>(r);
        }
        take(block, n);
        done += n;
    }
}

TEST(RenderReport, SignalsReadTheLoudnessAndTruePeakTheStandardsGiveThem) {
    const double nan = NAN;
    const struct {
        const char* name;
        Signal signal;
        double lufs, range, truePeak;  // NaN: not checked
        const char* text;              // part of the loudness line
        bool everyRate = true;         // the range's percentiles once at 48 kHz
    } cases[] = {
        // Both channels' K-weighted powers add: -3.01 dB per channel of a
        // sine's mean square, +3.01 dB for two, and the -0.691 offset
        // cancels the filter's gain at 1 kHz.
        {"1 kHz at -20 dBFS on both channels", sineParts({{10, -20}}), -20.0, 0.0, -20.0, "-20.0 LUFS integrated, range 0.0 LU"},
        {"1 kHz at -20 dBFS on the left only", sineParts({{10, -20}}, false), -23.0, 0.0, nan, "-23.0 LUFS"},
        // Gating: a long near-silence below -70 LUFS, and a quiet part
        // more than 10 LU under the rest, leave the loud part's loudness.
        {"loud then three times as long near-silence", sineParts({{20, -20}, {40, -80}}), -20.0, nan, nan, "-20.0 LUFS"},
        {"loud then quieter by 16 dB", sineParts({{20, -20}, {20, -36}}), -20.0, nan, nan, nullptr},
        // The loudness range's own test signals: two levels 20 s each.
        {"-20 then -30 dBFS", sineParts({{20, -20}, {20, -30}}), nan, 10.0, nan, "range 10.0 LU", false},
        {"-20 then -15 dBFS", sineParts({{20, -20}, {20, -15}}), nan, 5.0, nan, nullptr, false},
        {"-40 then -20 dBFS", sineParts({{20, -40}, {20, -20}}), nan, 20.0, nan, nullptr, false},
        // A quarter of the rate at 45 degrees: every sample at 0.707 of the
        // peak the waveform reaches between them, +3.01 dB.
        {"fs/4 sine at 45 degrees",
         {1.0, [](double, double, uint64_t n, double& l, double& r) { l = r = 0.5 * std::sin(kPi / 2 * n + kPi / 4); }},
         nan, nan, -6.02, nullptr},
        {"shorter than one 400 ms block", sineParts({{0.39, -20}}), nan, nan, nan,
         "not measured: shorter than one 400 ms block"},
        {"shorter than 3 s", sineParts({{2, -20}}), -20.0, nan, nan, "range not measured (shorter than 3 s)"},
        {"silence", sineParts({{1, -200}}), nan, nan, nan, "silent (every 400 ms block below -70 LUFS)"},
    };
    for (double rate : {44100.0, 48000.0, 96000.0}) {
        for (const auto& c : cases) {
            if (!c.everyRate && rate != 48000.0) continue;
            SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(static_cast<int>(rate)) + " Hz");
            LoudnessMeter meter(2, rate);
            TruePeakMeter peaks(2);
            forEachBlock(c.signal, rate, [&](const float* block, size_t n) {
                meter.add(block, n);
                if (!std::isnan(c.truePeak)) peaks.add(block, n);
            });
            const LoudnessResult got = meter.result();
            if (c.text) {
                EXPECT_NE(describeLoudness(got).find(c.text), std::string::npos) << describeLoudness(got);
            }
            if (!std::isnan(c.lufs)) {
                EXPECT_NEAR(got.integrated, c.lufs, kLoudnessTolerance);
            }
            if (!std::isnan(c.range)) {
                EXPECT_NEAR(got.range, c.range, kRangeTolerance);
            }
            if (!std::isnan(c.truePeak)) {
                EXPECT_NEAR(20 * std::log10(peaks.peaks()[0]), c.truePeak, kTruePeakTolerance);
            }
        }
    }
}

TEST(RenderReport, GainReductionIsToldFromThePluginsCheckedReadings) {
    const GainReading sixDeep = {1000, {{-6.3f, 0.9f, 124}, {-2.0f, 0.9f, 50}}};
    const GainReading none = {1000, {{0.0f, 0.5f, 0}, {-0.04f, 0.5f, 0}}};
    const GainReading broken = {1000, {{NAN, 0.5f, 5000}, {3.0f, 0.5f, 0}}};
    const struct {
        std::vector<const GainReading*> readings;
        int channels;
        const char* text;
    } cases[] = {
        {{&sixDeep, &none}, 2,
         "L -6.3 dB deepest, limiting 6.2 % of the time  R -2.0 dB deepest, limiting 2.5 % of the time"},
        {{&sixDeep}, 1, "-6.3 dB deepest, limiting 12.4 % of the time"},
        {{&none}, 2, "L 0.0 dB deepest, limiting 0.0 % of the time  R 0.0 dB deepest, limiting 0.0 % of the time"},
        // Not finite or above 0 is no reduction; more limited frames than
        // frames is all of them.
        {{&broken}, 2, "L 0.0 dB deepest, limiting 100.0 % of the time  R 0.0 dB deepest, limiting 0.0 %"},
        {{nullptr, nullptr}, 2, "not reported by the plug-in"},
        {{&none, nullptr}, 1, "0.0 dB deepest, limiting 0.0 % of the time (the plug-in left some blocks without a reading)"},
        {{}, 2, "none: nothing was processed"},
    };
    for (const auto& c : cases) {
        GainReductionTally tally;
        for (const GainReading* r : c.readings) tally.add(r);
        EXPECT_EQ(tally.describe(c.channels).rfind(c.text, 0), 0u) << tally.describe(c.channels);
    }
    RenderReport report(2, 48000.0, 0, 0);
    EXPECT_EQ(report.lines(true).back(), "  gain reduction: none: muted, the plug-in was not run");
}

// The process's resident memory in bytes.
size_t residentBytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
#else
    std::ifstream statm("/proc/self/statm");
    size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
#endif
}

TEST(RenderReport, AnHourTakesTheMemoryOfAMinute) {
    // 500 Hz keeps the hour short; the meters' state and the histograms do
    // not depend on the rate or the length.
    constexpr double kRate = 500.0;
    const Signal noise{60.0, [](double, double, uint64_t n, double& l, double& r) {
                           uint32_t x = static_cast<uint32_t>(n) * 0x9E3779B1u;
                           x ^= x >> 15;
                           l = r = (static_cast<double>(x & 0xFFFF) / 32768.0 - 1.0) * (1 + n / 5000 % 8) / 8;
                       }};
    RenderReport report(2, kRate, 1000, static_cast<uint64_t>(3600 * kRate));
    auto aMinute = [&] {
        forEachBlock(noise, kRate, [&](const float* block, size_t n) {
            report.addInput(block, n);
            report.addOutput(block, n);
        });
    };
    aMinute();
    const size_t afterAMinute = residentBytes();
    for (int minute = 1; minute < 60; ++minute) aMinute();
    const size_t afterAnHour = residentBytes();
    EXPECT_LT(afterAnHour, afterAMinute + (256u << 10)) << afterAMinute << " then " << afterAnHour;
    EXPECT_EQ(report.plot()->span(), static_cast<uint64_t>(3600 * kRate));
    EXPECT_GT(report.plot()->columns().back().inputPeak, 0.0f);  // the hour ends in the last column
}

}  // namespace
