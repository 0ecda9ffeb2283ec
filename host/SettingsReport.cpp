#include "host/SettingsReport.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/HostOptions.h"

namespace {

struct Field {
    const char* name;
    float ChannelParams::*member;
    float fallback;  // what the plug-in drives for a non-finite value
    SettingRange range;
    const char* format;
    bool decibels;   // stored linear, told and ranged in dB
};

const Field kFields[] = {
    {"compression", &ChannelParams::compression, kDefaultCompression, kCompressionRange, "%.2f", false},
    {"gain", &ChannelParams::gain, kDefaultGain, kGainDbRange, "%+.2f dB", true},
    {"velocity", &ChannelParams::velocity, kDefaultVelocity, kVelocityRange, "%.1f", false},
    {"limit", &ChannelParams::limit, kDefaultLimit, kLimitRange, "%.3f", false},
};

// A stored gain's decibels lie a rounding away from the value given.
constexpr double kDecibelSlack = 1e-4;

const char* nonFiniteName(float v) { return std::isnan(v) ? "NaN" : v > 0 ? "+inf" : "-inf"; }

std::string show(const Field& f, float v) {
    char text[64];
    if (f.decibels && v <= 0)
        std::snprintf(text, sizeof text, v == 0 ? "-inf dB" : "%.3f (linear)", static_cast<double>(v));
    else
        std::snprintf(text, sizeof text, f.format, f.decibels ? 20.0 * std::log10(v) : static_cast<double>(v));
    return f.name + std::string(" ") + text;
}

bool inRange(const Field& f, float v) {
    if (!std::isfinite(v) || (f.decibels && v <= 0)) return false;
    const double x = f.decibels ? 20.0 * std::log10(v) : v;
    const double slack = f.decibels ? kDecibelSlack : 0.0;
    return x >= f.range.low - slack && x <= f.range.high + slack;
}

std::string describeChannel(const ChannelParams& c) {
    std::string s;
    for (const Field& f : kFields) {
        const float v = c.*f.member;
        if (!s.empty()) s += ", ";
        s += std::isfinite(v) ? show(f, v) : show(f, f.fallback) + " (default for " + nonFiniteName(v) + ")";
    }
    return s;
}

bool channelsDiffer(const LimiterParams& p) {
    return std::memcmp(&p.channel[0], &p.channel[1], sizeof p.channel[0]) != 0;
}

}  // namespace

std::string describeSettings(const LimiterParams& p) {
    if (!channelsDiffer(p)) return describeChannel(p.channel[0]);
    return "L " + describeChannel(p.channel[0]) + "; R " + describeChannel(p.channel[1]);
}

std::string settingsOutsideRanges(const LimiterParams& p) {
    const bool differ = channelsDiffer(p);
    std::string s;
    for (int c = 0; c < (differ ? 2 : 1); ++c) {
        for (const Field& f : kFields) {
            const float v = p.channel[c].*f.member;
            if (inRange(f, v)) continue;
            if (!s.empty()) s += ", ";
            if (differ) s += c == 0 ? "L " : "R ";
            if (!std::isfinite(v)) {
                s += f.name + std::string(" ") + nonFiniteName(v) + " (the plug-in uses its default)";
                continue;
            }
            s += show(f, v) + " (editor: " + f.range.text;
            if (f.member == &ChannelParams::limit && v > 1) s += "; the output can go above 0 dBFS";
            s += ")";
        }
    }
    return s.empty() ? s : "settings outside the editor's ranges: " + s;
}
