#include "host/HostOptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kUsageHead[] =
    "Usage: qclamper-host [options] [INPUT.wav]\n"
    "\n"
    "Loads Q-Clamper.dll like any effect host and renders INPUT.wav through it into\n"
    "a 32-bit float WAV at the file's sample rate. Without INPUT it renders a\n"
    "built-in demo signal (a few seconds of stereo tones with bursts past full\n"
    "scale), unless only --edit, --save-chunk, --save-preset, --screenshot or\n"
    "--list-params was asked for.\n"
    "Input: 8/16/24/32-bit PCM or 32/64-bit float WAV or RF64, mono or stereo, of\n"
    "any length: it is read, rendered and written a block at a time; an output\n"
    "above 4 GiB is RF64. Every file it writes (audio, chunk, preset, screenshot)\n"
    "goes to FILE.partial first, renamed when complete; two outputs may not name\n"
    "one file.\n"
    "\n"
    "Files:\n"
    "  -o, --output PATH      output WAV (default: INPUT-clamped.wav beside the input;\n"
    "                         for the demo, qclamper-demo.wav beside this program)\n"
    "      --plugin PATH      the plug-in (default: Q-Clamper.dll beside this program)\n"
    "      --chunk FILE       load the settings from a 64-byte chunk file\n"
    "      --save-chunk FILE  save the settings, after all options, as a 64-byte chunk\n"
    "      --preset FILE      load the settings and the program's name from a VST preset\n"
    "                         (.fxp) of Q-Clamper, as a host's Load preset does; not\n"
    "                         with --chunk\n"
    "      --save-preset FILE save the settings, after all options, and the program's\n"
    "                         name as a VST preset (.fxp) that any host loads\n"
    "      --screenshot FILE  open the editor in a window and save it as a 24-bit BMP\n"
    "      --plot FILE        save a picture of the render as a 24-bit BMP: input and\n"
    "                         output peak levels and the gain reduction against time\n"
    "      --plot-size WxH    the picture's size in pixels (default 1000x400)\n"
    "      --demo             render the demo signal as well as the actions above\n"
    "      --edit             open the editor in a window to set the limiter by hand;\n"
    "                         closing the window goes on with those settings (render,\n"
    "                         --save-chunk); needs a desktop\n"
    "\n"
    "Settings, in the editor's units; each overrides the chunk or preset, both\n"
    "channels alike:\n";

// " (release speed)", " (output ceiling, linear)": the role, and how a value
// given in decibels is stored or that a value shown in decibels is given as
// the factor.
std::string optionNote(const SettingInfo& s) {
    std::string note = s.role;
    const char* form = knobInDecibels(s)          ? "stored as the linear factor 10^(DB/20)"
                       : factorShownInDecibels(s) ? "linear"
                                                  : "";
    if (!note.empty() && *form != '\0') note += ", ";
    note += form;
    return note.empty() ? note : " (" + note + ")";
}

const char kUsageTail[] =
    "      --mute             the plug-in's mute switch is not part of its chunk and\n"
    "                         not reachable by a host, so this host mutes itself: the\n"
    "                         plug-in is not run and the output is silence\n"
    "\n"
    "Host parameters (the settings as a host automates them):\n"
    "      --param I=F        set parameter I through the plug-in's setParameter to\n"
    "                         the fraction F (0 to 1) of its knob's travel, after the\n"
    "                         settings above; may be given more than once\n"
    "      --list-params      list each parameter's index, name, display, label and\n"
    "                         fraction for the settings, after --param and --edit\n"
    "\n"
    "Processing:\n"
    "      --block N          frames per call, 1 to 65536 (default 512)\n"
    "      --process          use the accumulating process() instead of\n"
    "                         processReplacing() (outputs cleared before each call)\n"
    "  -q, --quiet            no progress report\n"
    "  -h, --help             this text\n"
    "      --version          the version of this program and of Q-Clamper\n"
    "\n"
    "Prints the input's and the output's sample peaks, true peaks (dBTP, 4x\n"
    "oversampled) and loudness (integrated LUFS and loudness range in LU), and the\n"
    "deepest gain reduction and the share of time limiting, as the plug-in reports.\n"
    "Exit status: 0 on success; 1 on an error, told in one line; 3 when the plug-in\n"
    "crashes, told in one line that names it. Either way no unfinished file is left\n"
    "behind; files completed before the failure stay.\n";

std::string buildUsage() {
    std::string usage = kUsageHead;
    for (const SettingInfo& s : kSettings) {
        const std::string option = std::string("--") + s.word + (knobInDecibels(s) ? " DB" : " X");
        char line[160];
        std::snprintf(line, sizeof line, "      %-18s %s%s\n", option.c_str(),
                      settingRangeText(s).c_str(), optionNote(s).c_str());
        usage += line;
    }
    return usage + kUsageTail;
}

// Plain decimal numbers only: an optional sign, digits, an optional
// fraction. No spaces, exponents, hexadecimal or words (strtod takes all).
bool isPlainDecimal(const std::string& text) {
    size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
    size_t digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') ++digits;
        else if (text[i] == '.' && !point) point = true;
        else return false;
    }
    return digits > 0;
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty() || !isPlainDecimal(text)) return false;
    value = std::strtod(text.c_str(), nullptr);
    return std::isfinite(value);
}

bool parseSetting(const std::string& name, const std::string& text, const SettingInfo& setting,
                  std::optional<double>& target, std::string& error) {
    double v;
    if (!parseNumber(text, v) || v < setting.min || v > setting.max) {
        error = "bad value for " + name + ": '" + text + "' (expected " + settingRangeText(setting) + ")";
        return false;
    }
    target = v;
    return true;
}

// INDEX=FRACTION: a whole index of a parameter, a plain fraction 0 to 1.
bool parseParameter(const std::string& text, std::vector<ParameterSetting>& target, std::string& error) {
    const size_t eq = text.find('=');
    double index = -1, fraction = -1;
    if (eq == std::string::npos || text.find_first_not_of("0123456789") < eq ||
        !parseNumber(text.substr(0, eq), index) || index >= kSettingCount ||
        !parseNumber(text.substr(eq + 1), fraction) || fraction < 0 || fraction > 1) {
        error = "bad value for --param: '" + text + "' (expected INDEX=FRACTION, an index from 0 to " +
                std::to_string(kSettingCount - 1) + " and a fraction from 0 to 1)";
        return false;
    }
    // "-0" is the number 0: the plug-in is never handed a fraction of -0.
    if (fraction == 0) fraction = 0;
    target.push_back({static_cast<int32_t>(index), static_cast<float>(fraction)});
    return true;
}

// WxH within the sizes a plot may have.
bool parsePlotSize(const std::string& text, HostOptions& o, std::string& error) {
    const size_t x = text.find('x');
    double size[2] = {0, 0};
    const std::string parts[2] = {text.substr(0, x), x == std::string::npos ? "" : text.substr(x + 1)};
    bool ok = x != std::string::npos;
    for (int i = 0; ok && i < 2; ++i)
        ok = parts[i].find_first_not_of("0123456789") == std::string::npos && parseNumber(parts[i], size[i]) &&
             size[i] >= kPlotSizeLeast[i] && size[i] <= kPlotSizeMost[i];
    if (!ok) {
        char expected[96];
        std::snprintf(expected, sizeof expected, "WIDTHxHEIGHT, %d to %d by %d to %d pixels", kPlotSizeLeast[0],
                      kPlotSizeMost[0], kPlotSizeLeast[1], kPlotSizeMost[1]);
        error = "bad value for --plot-size: '" + text + "' (expected " + expected + ")";
        return false;
    }
    o.plotWidth = static_cast<int>(size[0]);
    o.plotHeight = static_cast<int>(size[1]);
    return true;
}

// The option of each setting: "--compression".
const SettingInfo* settingOption(const std::string& name) {
    for (const SettingInfo& s : kSettings)
        if (name == std::string("--") + s.word) return &s;
    return nullptr;
}

}  // namespace

const char* hostUsage() {
    static const std::string usage = buildUsage();
    return usage.c_str();
}

std::string settingRangeText(const SettingInfo& setting) {
    char text[64];
    std::snprintf(text, sizeof text, "%g to %g%s", static_cast<double>(setting.min),
                  static_cast<double>(setting.max), knobInDecibels(setting) ? " dB" : "");
    return text;
}

bool parseHostOptions(const std::vector<std::string>& args, HostOptions& o, std::string& error) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (arg.empty() || arg == "-") {
                error = "bad input file name '" + arg + "'";
                return false;
            }
            if (!o.input.empty()) {
                error = "more than one input file ('" + o.input + "', '" + arg + "')";
                return false;
            }
            o.input = arg;
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // --name=value or --name value.
        std::string name = arg, value;
        bool inlineValue = false;
        const size_t eq = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        auto flag = [&](bool& target) {
            if (inlineValue) {
                error = "option " + name + " takes no value";
                return false;
            }
            target = true;
            return true;
        };
        auto take = [&](std::string& target) {
            if (!inlineValue) {
                if (i + 1 >= args.size()) {
                    error = "option " + name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            if (value.empty()) {
                error = "option " + name + " needs a non-empty value";
                return false;
            }
            target = value;
            return true;
        };
        std::string text;
        bool ok;
        if (name == "-h" || name == "--help") ok = flag(o.help);
        else if (name == "-q" || name == "--quiet") ok = flag(o.quiet);
        else if (name == "--demo") ok = flag(o.demo);
        else if (name == "--version") ok = flag(o.version);
        else if (name == "--edit") ok = flag(o.edit);
        else if (name == "--mute") ok = flag(o.mute);
        else if (name == "--process") ok = flag(o.accumulate);
        else if (name == "-o" || name == "--output") ok = take(o.output);
        else if (name == "--plugin") ok = take(o.plugin);
        else if (name == "--chunk") ok = take(o.chunkIn);
        else if (name == "--save-chunk") ok = take(o.chunkOut);
        else if (name == "--preset") ok = take(o.presetIn);
        else if (name == "--save-preset") ok = take(o.presetOut);
        else if (name == "--screenshot") ok = take(o.screenshot);
        else if (name == "--plot") ok = take(o.plot);
        else if (name == "--plot-size") ok = take(text) && parsePlotSize(text, o, error);
        else if (name == "--list-params") ok = flag(o.listParameters);
        else if (name == "--param") ok = take(text) && parseParameter(text, o.parameters, error);
        else if (const SettingInfo* setting = settingOption(name))
            ok = take(text) && parseSetting(name, text, *setting, o.settings[setting - kSettings], error);
        else if (name == "--block") {
            ok = take(text);
            if (ok) {
                double v;
                ok = text.find_first_not_of("0123456789") == std::string::npos && parseNumber(text, v) &&
                     v >= 1 && v <= 65536;
                if (ok) o.blockSize = static_cast<int>(v);
                else error = "bad value for --block: '" + text + "' (expected a whole number from 1 to 65536)";
            }
        } else {
            error = "unknown option '" + arg + "' (see --help)";
            return false;
        }
        if (!ok) return false;
    }
    // Both would give the whole block: one would silently lose.
    if (!o.chunkIn.empty() && !o.presetIn.empty()) {
        error = "--chunk and --preset both give the settings: give one of them";
        return false;
    }
    // Ignoring it would leave the user waiting for audio that never comes.
    if (!o.output.empty() && !o.renders() && !o.help && !o.version) {
        error = "-o names the rendered audio, but nothing is rendered: give an input file or --demo";
        return false;
    }
    if (!o.plot.empty() && !o.renders() && !o.help && !o.version) {
        error = "--plot pictures the render, but nothing is rendered: give an input file or --demo";
        return false;
    }
    return true;
}

// A number given is first the knob's float, so an option stores what the
// knob set to the same value stores.
void applySettings(const HostOptions& options, LimiterParams& params) {
    for (int32_t i = 0; i < kSettingCount; ++i) {
        if (!options.settings[i]) continue;
        const SettingInfo& s = kSettings[i];
        const float stored = storedOf(s, static_cast<float>(*options.settings[i]));
        for (ChannelParams& c : params.channel) c.*s.field = stored;
    }
}
