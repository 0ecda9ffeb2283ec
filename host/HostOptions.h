#pragma once
// The host program's command line: what to render, with which settings, and
// what else to do. Portable, so that it is tested natively too.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "limiter/LimiterParams.h"
#include "limiter/LimiterSettings.h"

// --plot-size: default, smallest and largest width and height in pixels.
constexpr int kPlotSizeDefault[2] = {1000, 400};
constexpr int kPlotSizeLeast[2] = {480, 240};
constexpr int kPlotSizeMost[2] = {8000, 4000};

// A host parameter set with --param: fraction of its knob's travel.
struct ParameterSetting {
    int32_t index;
    float fraction;
};

struct HostOptions {
    std::string input;        // WAV to render; empty: the demo signal
    std::string output;       // empty: the program chooses
    std::string plugin;       // empty: Q-Clamper.dll beside the program
    std::string chunkIn;      // 64-byte chunk to load
    std::string chunkOut;     // where to save the chunk
    std::string presetIn;     // .fxp preset to load
    std::string presetOut;    // where to save the settings as a .fxp preset
    std::string screenshot;   // BMP of the editor window
    std::string plot;         // BMP picture of the render
    int plotWidth = kPlotSizeDefault[0];
    int plotHeight = kPlotSizeDefault[1];
    bool demo = false;        // --demo given
    bool edit = false;        // open the editor for the user before anything else
    bool help = false;
    bool version = false;
    bool mute = false;
    bool accumulate = false;  // process() instead of processReplacing()
    bool quiet = false;
    int blockSize = 512;

    // Settings in the editor's units (gain in decibels), by SettingIndex;
    // each one given overrides the chunk.
    std::optional<double> settings[kSettingCount];
    // Set through the plug-in's parameters after the settings, in order.
    std::vector<ParameterSetting> parameters;
    bool listParameters = false;

    // Audio is rendered for an input file, for --demo, and when nothing else
    // was asked for (the program run without arguments renders the demo).
    bool renders() const {
        return !input.empty() || demo ||
               (chunkOut.empty() && presetOut.empty() && screenshot.empty() && !edit && !listParameters);
    }
    bool changesSettings() const {
        for (const std::optional<double>& s : settings)
            if (s) return true;
        return !chunkIn.empty() || !presetIn.empty();
    }
};

// Parses argv[1..]. On failure answers false with a one-line message.
bool parseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

// The --help text.
const char* hostUsage();

// A setting's range in the editor's units: "-24 to 24 dB".
std::string settingRangeText(const SettingInfo& setting);

// Writes the settings given in `options` into both channels of `params`;
// fields not given, and the 32 reserved bytes, stay as they are. Gain is
// given in decibels and stored as the knob stores it (LimiterSettings.h).
void applySettings(const HostOptions& options, LimiterParams& params);
