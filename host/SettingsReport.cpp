#include "host/SettingsReport.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/HostOptions.h"

namespace {

const char* nonFiniteName(float v) { return std::isnan(v) ? "NaN" : v > 0 ? "+inf" : "-inf"; }

// A setting as the editor's options take it (gain in signed decibels), with
// the decimals of the parameter display; a gain without a level as "-inf dB",
// or as its linear factor when that lies below zero.
std::string number(int32_t i, float v) {
    const SettingInfo& s = kSettings[i];
    char text[64];
    if (knobInDecibels(s) && v < 0)
        std::snprintf(text, sizeof text, "%.*f (linear)", kSettingDecimals, static_cast<double>(v));
    else
        std::snprintf(text, sizeof text, knobInDecibels(s) ? "%+.*f dB" : "%.*f", kSettingDecimals,
                      static_cast<double>(knobValueOf(s, v)));
    return text;
}

std::string show(int32_t i, float v) { return kSettings[i].word + std::string(" ") + number(i, v); }

// Each field as the plug-in applies it, and why when that is not the
// stored value.
std::string describeChannel(const ChannelParams& c) {
    std::string text;
    for (int32_t i = 0; i < kSettingCount; ++i) {
        const float v = c.*kSettings[i].field;
        const float applied = appliedValue(kSettings[i], v);
        if (!text.empty()) text += ", ";
        text += show(i, applied);
        if (!std::isfinite(v)) {
            text += std::string(" (default for ") + nonFiniteName(v) + ")";
        } else if (applied != v) {
            text += " (bounded from " + number(i, v) + ")";
        }
    }
    return text;
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
        for (int32_t i = 0; i < kSettingCount; ++i) {
            const SettingInfo& f = kSettings[i];
            const float v = p.channel[c].*f.field;
            if (storedInKnobRange(f, v)) continue;
            if (!s.empty()) s += ", ";
            if (differ) s += c == 0 ? "L " : "R ";
            if (!std::isfinite(v)) {
                s += f.word + std::string(" ") + nonFiniteName(v) + " (the plug-in uses its default)";
                continue;
            }
            s += show(i, v) + " (editor: " + settingRangeText(f);
            if (i == kLimitSetting && v > 1) s += "; the output can go above 0 dBFS";
            s += ")";
        }
    }
    return s.empty() ? s : "settings outside the editor's ranges: " + s;
}
