// qclamper-host: renders audio through the Q-Clamper plug-in, saves and
// loads its settings, and photographs its editor. See --help.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "host/HostOptions.h"
#include "host/OutputPaths.h"
#include "host/RenderJob.h"
#include "host/SettingsReport.h"
#include "host/hosting/ChunkFile.h"
#include "host/hosting/EditorCapture.h"
#include "host/hosting/EditorSession.h"
#include "host/hosting/PluginHost.h"
#include "host/hosting/PresetFile.h"
#include "host/pictures/BmpFile.h"
#include "platform/ProgramFolder.h"
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

// The plug-in loaded, for the crash report; kept in plain memory, as a
// crash may leave the heap unusable.
HMODULE crashPlugin = nullptr;
char crashPluginPath[2 * MAX_PATH];

// A crash ends the program with one line naming the plug-in, not a debugger,
// and leaves no unfinished output behind.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
    abandonRenderOutput();
    const EXCEPTION_RECORD& e = *info->ExceptionRecord;
    char what[64];
    std::snprintf(what, sizeof what, "exception 0x%08lX at %p", static_cast<unsigned long>(e.ExceptionCode),
                  e.ExceptionAddress);
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(e.ExceptionAddress), &module);
    char moduleName[2 * MAX_PATH] = "an unknown module";
    if (module) GetModuleFileNameA(module, moduleName, sizeof moduleName);
    if (crashPlugin && module == crashPlugin)
        std::fprintf(stderr, "%s: error: the plug-in '%s' crashed (%s)\n", kProgram, crashPluginPath, what);
    else if (crashPlugin)
        std::fprintf(stderr, "%s: error: crashed in '%s' (%s) with the plug-in '%s' loaded\n", kProgram, moduleName,
                     what, crashPluginPath);
    else
        std::fprintf(stderr, "%s: error: crashed in '%s' (%s)\n", kProgram, moduleName, what);
    std::fflush(stderr);
    ExitProcess(3);
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

// One line per parameter: index, name, display, label and fraction (as
// --param takes it back).
void listParameters(PluginHost& host) {
    for (int32_t i = 0; i < host.parameterCount(); ++i) {
        std::printf("param %d:  %-8s  %-8s %-2s  (fraction %.9g)\n", i,
                    host.parameterText(effGetParamName, i).c_str(),
                    host.parameterText(effGetParamDisplay, i).c_str(),
                    host.parameterText(effGetParamLabel, i).c_str(),
                    static_cast<double>(host.getParameter(i)));
    }
}

// The files the run reads and writes, checked against each other.
std::string findClash(const HostOptions& options, const std::string& outputPath, const std::string& pluginPath) {
    std::vector<NamedFile> inputs = {{"--plugin", pluginPath}}, outputs;
    if (!options.input.empty()) inputs.push_back({"the input", options.input});
    if (!options.chunkIn.empty()) inputs.push_back({"--chunk", options.chunkIn});
    if (!options.presetIn.empty()) inputs.push_back({"--preset", options.presetIn});
    if (options.renders()) outputs.push_back({options.output.empty() ? "the output" : "-o", outputPath});
    if (!options.chunkOut.empty()) outputs.push_back({"--save-chunk", options.chunkOut});
    if (!options.presetOut.empty()) outputs.push_back({"--save-preset", options.presetOut});
    if (!options.screenshot.empty()) outputs.push_back({"--screenshot", options.screenshot});
    if (!options.plot.empty()) outputs.push_back({"--plot", options.plot});
    return findOutputClash(inputs, outputs);
}

int run(const HostOptions& options) {
    // Everything that can fail on the user's files is checked before the
    // plug-in is loaded.
    const std::string outputPath = !options.output.empty() ? options.output
                                   : options.input.empty() ? besideProgram(kDemoOutputFile)
                                                           : defaultOutputFor(options.input);
    const std::string pluginPath = options.plugin.empty() ? besideProgram(kPluginFile) : options.plugin;
    std::string error = findClash(options, outputPath, pluginPath);
    if (!error.empty()) return fail(error);
    RenderJob job;
    if (options.renders()) {
        std::vector<std::string> warnings;
        const bool prepared = job.prepare(options, outputPath, error, warnings);
        for (const std::string& w : warnings) warn(w);
        if (!prepared) return fail(error);
    }
    LimiterParams loaded;
    if (!options.chunkIn.empty() && !readChunkFile(options.chunkIn, loaded, error)) return fail(error);
    Preset preset;
    if (!options.presetIn.empty()) {
        if (!readPresetFile(options.presetIn, preset, error)) return fail(error);
        loaded = preset.chunk;
    }

    PluginHost host;
    if (!host.load(pluginPath, error)) return fail(error);
    crashPlugin = host.module();
    lstrcpynA(crashPluginPath, pluginPath.c_str(), sizeof crashPluginPath);

    if (!options.presetIn.empty()) {
        error = presetOwnerMismatch(options.presetIn, preset, host.effect()->uniqueID);
        if (!error.empty()) return fail(error);
    }

    LimiterParams settings;
    const bool haveSettings = host.getChunk(settings, error);
    if (options.changesSettings()) {
        if (!haveSettings) return fail(error);
        const bool fromFile = !options.chunkIn.empty() || !options.presetIn.empty();
        if (fromFile) settings = loaded;
        applySettings(options, settings);
        // As a host loads a preset: its chunk as one program's, then its name.
        if (!host.setChunk(settings, error, !options.presetIn.empty())) return fail(error);
        if (!options.presetIn.empty()) host.setProgramName(preset.name);
    }
    for (const ParameterSetting& p : options.parameters) {
        if (p.index >= host.parameterCount())
            return fail("no parameter " + std::to_string(p.index) + " (the plug-in has " +
                        std::to_string(host.parameterCount()) + ")");
    }
    for (const ParameterSetting& p : options.parameters) host.setParameter(p.index, p.fraction);
    if (options.edit && !runEditorSession(host, error)) return fail(error);
    if (haveSettings && (options.edit || !options.parameters.empty())) host.getChunk(settings, error);
    if (options.listParameters) listParameters(host);

    // Values the options would refuse can come from a chunk file or the
    // plug-in itself: rendered as they are, but not without a word.
    if (haveSettings && (options.renders() || !options.chunkOut.empty() || !options.presetOut.empty())) {
        const std::string outside = settingsOutsideRanges(settings);
        if (!outside.empty()) warn(outside);
    }

    if (options.renders()) {
        std::printf("input:    %s\n", job.describeInput().c_str());
        if (haveSettings) std::printf("settings: %s%s\n", describeSettings(settings).c_str(), options.mute ? ", muted" : "");
        if (!options.presetIn.empty()) std::printf("preset:   \"%s\" from %s\n", preset.name.c_str(), options.presetIn.c_str());
        std::fflush(stdout);
        std::vector<std::string> warnings;
        const bool rendered = job.run(host, options, error, warnings);
        for (const std::string& w : warnings) warn(w);
        if (!rendered) return fail(error);
    }

    if (!options.chunkOut.empty()) {
        if (!host.getChunk(settings, error)) return fail(error);
        if (!writeChunkFile(options.chunkOut, settings, error)) return fail(error);
        std::printf("chunk:    %s (64 bytes: %s)\n", options.chunkOut.c_str(), describeSettings(settings).c_str());
    }

    if (!options.presetOut.empty()) {
        Preset saved;
        if (!host.getChunk(saved.chunk, error, true)) return fail(error);
        saved.pluginId = host.effect()->uniqueID;
        saved.pluginVersion = host.effect()->version;
        saved.name = host.programName();
        if (!writePresetFile(options.presetOut, saved, error)) return fail(error);
        std::printf("preset:   %s (\"%s\": %s)\n", options.presetOut.c_str(), saved.name.c_str(),
                    describeSettings(saved.chunk).c_str());
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
