// qclamper-host: renders audio through the Q-Clamper plug-in, saves and
// loads its settings, and photographs its editor. See --help.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "host/BmpFile.h"
#include "host/ChunkFile.h"
#include "host/EditorCapture.h"
#include "host/EditorSession.h"
#include "host/HostOptions.h"
#include "host/PluginHost.h"
#include "host/RenderJob.h"
#include "host/SettingsReport.h"
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

// A crash inside the plug-in ends the program with one line, not a debugger,
// and leaves no unfinished output behind.
LONG WINAPI reportCrash(EXCEPTION_POINTERS* info) {
    abandonRenderOutput();
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

int run(const HostOptions& options) {
    // Everything that can fail on the user's files is checked before the
    // plug-in is loaded.
    std::string error;
    RenderJob job;
    if (options.renders()) {
        const std::string outputPath = !options.output.empty() ? options.output
                                       : options.input.empty() ? programDirectory() + "\\" + kDemoOutputFile
                                                               : defaultOutputFor(options.input);
        std::vector<std::string> warnings;
        const bool prepared = job.prepare(options, outputPath, error, warnings);
        for (const std::string& w : warnings) warn(w);
        if (!prepared) return fail(error);
    }
    LimiterParams loaded;
    if (!options.chunkIn.empty() && !readChunkFile(options.chunkIn, loaded, error)) return fail(error);

    const std::string pluginPath = options.plugin.empty() ? programDirectory() + "\\" + kPluginFile : options.plugin;
    PluginHost host;
    if (!host.load(pluginPath, error)) return fail(error);

    LimiterParams settings;
    const bool haveSettings = host.getChunk(settings, error);
    if (options.changesSettings()) {
        if (!haveSettings) return fail(error);
        if (!options.chunkIn.empty()) settings = loaded;
        applySettings(options, settings);
        if (!host.setChunk(settings, error)) return fail(error);
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
    if (haveSettings && (options.renders() || !options.chunkOut.empty())) {
        const std::string outside = settingsOutsideRanges(settings);
        if (!outside.empty()) warn(outside);
    }

    if (options.renders()) {
        std::printf("input:    %s\n", job.describeInput().c_str());
        if (haveSettings) std::printf("settings: %s%s\n", describeSettings(settings).c_str(), options.mute ? ", muted" : "");
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
