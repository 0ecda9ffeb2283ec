#pragma once
// The host program's command line: what to render, with which settings, and
// what else to do. Portable, so that it is tested natively too.
#include <optional>
#include <string>
#include <vector>

// The editor's range of a setting, in its units; the options take no value
// outside it.
struct SettingRange {
    double low, high;
    const char* text;
};
constexpr SettingRange kCompressionRange{1, 8, "1 to 8"};
constexpr SettingRange kGainDbRange{-24, 24, "-24 to 24 dB"};
constexpr SettingRange kVelocityRange{1, 100, "1 to 100"};
constexpr SettingRange kLimitRange{0.25, 1, "0.25 to 1"};

struct HostOptions {
    std::string input;        // WAV to render; empty: the demo signal
    std::string output;       // empty: the program chooses
    std::string plugin;       // empty: Q-Clamper.dll beside the program
    std::string chunkIn;      // 64-byte chunk to load
    std::string chunkOut;     // where to save the chunk
    std::string screenshot;   // BMP of the editor window
    bool demo = false;        // --demo given
    bool edit = false;        // open the editor for the user before anything else
    bool help = false;
    bool version = false;
    bool mute = false;
    bool accumulate = false;  // process() instead of processReplacing()
    bool quiet = false;
    int blockSize = 512;

    // Settings in the editor's units; each one given overrides the chunk.
    std::optional<double> compression;  // 1 to 8
    std::optional<double> gainDb;       // -24 to 24
    std::optional<double> velocity;     // 1 to 100
    std::optional<double> limit;        // 0.25 to 1

    // Audio is rendered for an input file, for --demo, and when nothing else
    // was asked for (the program run without arguments renders the demo).
    bool renders() const {
        return !input.empty() || demo || (chunkOut.empty() && screenshot.empty() && !edit);
    }
    bool changesSettings() const {
        return !chunkIn.empty() || compression || gainDb || velocity || limit;
    }
};

// Parses argv[1..]. On failure answers false with a one-line message.
bool parseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

// The --help text.
const char* hostUsage();
