// qclamper-host: renders audio through the Q-Clamper plug-in, saves and
// loads its settings, and photographs its editor. See --help.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "host/AudioReport.h"
#include "host/ChunkFile.h"
#include "host/DemoSignal.h"
#include "host/EditorCapture.h"
#include "host/EditorSession.h"
#include "host/HostOptions.h"
#include "host/PluginHost.h"
#include "host/Render.h"
#include "host/WavFile.h"
#include "resources/resource_ids.h"

namespace {

const char kProgram[] = "qclamper-host";
const char kPluginFile[] = "Q-Clamper.dll";
const char kDemoOutputFile[] = "qclamper-demo.wav";

int fail(const std::string& message) {
    std::fprintf(stderr, "%s: error: %s\n", kProgram, message.c_str());
    return 1;
}

void warn(const std::string& message) { std::fprintf(stderr, "%s: warning: %s\n", kProgram, message.c_str()); }

// A crash inside the plug-in ends the program with one line, not a debugger.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
    std::fprintf(stderr, "%s: error: crashed (exception 0x%08lX at %p)\n", kProgram,
                 static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode),
                 info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ExitProcess(3);
}

std::string programDirectory() {
    char path[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string dir(path, n < sizeof path ? n : 0);
    const size_t slash = dir.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
}

// INPUT.wav -> INPUT-clamped.wav, beside the input.
std::string defaultOutputFor(const std::string& input) {
    const size_t slash = input.find_last_of("\\/");
    const size_t dot = input.find_last_of('.');
    const std::string stem = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                 ? input.substr(0, dot)
                                 : input;
    return stem + "-clamped.wav";
}

std::string describeSettings(const LimiterParams& p) {
    const ChannelParams& c = p.channel[0];
    char text[160];
    std::snprintf(text, sizeof text, "compression %.2f, gain %+.2f dB, velocity %.1f, limit %.3f", c.compression,
                  c.gain > 0 ? 20.0 * std::log10(c.gain) : -INFINITY, c.velocity, c.limit);
    std::string s = text;
    if (std::memcmp(&p.channel[0], &p.channel[1], sizeof p.channel[0]) != 0) s += " (channel 2 differs)";
    return s;
}

// Replaces NaN and infinite samples by 0: a host does not feed them to an effect.
size_t sanitise(WavAudio& audio) {
    size_t n = 0;
    for (float& s : audio.samples)
        if (!std::isfinite(s)) {
            s = 0.0f;
            ++n;
        }
    return n;
}

int run(const HostOptions& options) {
    // Everything that can fail on the user's files is checked before the
    // plug-in is loaded.
    WavAudio input;
    std::string inputName;
    if (options.renders()) {
        if (!options.input.empty()) {
            const WavReadResult r = readWavFile(options.input, input);
            if (!r.ok) return fail(r.error);
            if (!r.warning.empty()) warn("'" + options.input + "': " + r.warning);
            inputName = options.input;
        } else {
            input = makeDemoSignal();
            inputName = "built-in demo signal";
        }
        if (input.sampleRate < kMinimumSampleRate)
            return fail("sample rate " + std::to_string(input.sampleRate) +
                        " Hz is too low: the limiter needs more than 100 Hz");
        if (const size_t bad = sanitise(input)) warn(std::to_string(bad) + " non-finite input samples set to 0");
    }
    LimiterParams loaded;
    if (!options.chunkIn.empty()) {
        std::string error;
        if (!readChunkFile(options.chunkIn, loaded, error)) return fail(error);
    }

    const std::string pluginPath = options.plugin.empty() ? programDirectory() + "\\" + kPluginFile : options.plugin;
    PluginHost host;
    std::string error;
    if (!host.load(pluginPath, error)) return fail(error);

    LimiterParams settings;
    const bool haveSettings = host.getChunk(settings, error);
    if (options.changesSettings()) {
        if (!haveSettings) return fail(error);
        if (!options.chunkIn.empty()) settings = loaded;
        applySettings(options, settings);
        if (!host.setChunk(settings, error)) return fail(error);
    }
    if (options.edit) {
        if (!runEditorSession(host, error)) return fail(error);
        host.getChunk(settings, error);
    }

    if (options.renders()) {
        const std::string outputPath = !options.output.empty() ? options.output
                                       : options.input.empty() ? programDirectory() + "\\" + kDemoOutputFile
                                                               : defaultOutputFor(options.input);
        const double seconds = static_cast<double>(input.frames()) / input.sampleRate;
        const std::string format = options.input.empty() ? "generated" : wavFormatName(input.sourceFormat);
        std::printf("input:    %s: %s, %d channel%s, %u Hz, %.2f s\n", inputName.c_str(), format.c_str(),
                    input.channels, input.channels == 1 ? "" : "s", input.sampleRate, seconds);
        if (haveSettings) std::printf("settings: %s%s\n", describeSettings(settings).c_str(), options.mute ? ", muted" : "");
        std::printf("  in  peak: %s\n", describePeaks(channelPeaks(input)).c_str());
        std::fflush(stdout);

        RenderSettings render;
        render.blockSize = options.blockSize;
        render.accumulate = options.accumulate;
        render.mute = options.mute;
        // Long files (over a minute) report every tenth.
        int reported = 0;
        if (!options.quiet && seconds > 60.0) {
            render.progress = [&reported](double done) {
                const int tenth = static_cast<int>(done * 10.0);
                if (tenth > reported && tenth < 10) {
                    reported = tenth;
                    std::printf("  rendering: %d%%\n", tenth * 10);
                    std::fflush(stdout);
                }
            };
        }
        WavAudio output;
        if (!renderAudio(host, input, output, render, error)) return fail(error);
        std::printf("  out peak: %s\n", describePeaks(channelPeaks(output)).c_str());
        if (!writeWavFile(outputPath, output, error)) return fail(error);
        std::printf("output:   %s (32-bit float)\n", outputPath.c_str());
    }

    if (!options.chunkOut.empty()) {
        if (!host.getChunk(settings, error)) return fail(error);
        if (!writeChunkFile(options.chunkOut, settings, error)) return fail(error);
        std::printf("chunk:    %s (64 bytes: %s)\n", options.chunkOut.c_str(), describeSettings(settings).c_str());
    }

    if (!options.screenshot.empty()) {
        RgbImage image;
        const EditorCaptureResult shot = captureEditor(host, image);
        if (!shot.warning.empty()) warn(shot.warning);
        if (!shot.ok) return fail(shot.error);
        if (!writeBmpFile(options.screenshot, image, error)) return fail(error);
        std::printf("editor:   %s (%d x %d)\n", options.screenshot.c_str(), image.width, image.height);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SetUnhandledExceptionFilter(reportCrash);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
    HostOptions options;
    std::string error;
    if (!parseHostOptions(args, options, error)) return fail(error);
    if (options.help) {
        std::fputs(hostUsage(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", kProgram, QC_VERSION_STRING);
        return 0;
    }
    try {
        return run(options);
    } catch (const std::bad_alloc&) {
        return fail("out of memory");
    } catch (const std::exception& e) {
        return fail(e.what());
    }
}
