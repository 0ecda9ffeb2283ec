#include "host/RenderJob.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>

#include "host/DemoSignal.h"
#include "host/RenderReport.h"
#include "host/hosting/Render.h"
#include "host/pictures/PlotPicture.h"
#include "measure/PeakLevels.h"

namespace {

WavWriter* activeOutput = nullptr;  // the output of the render in progress
volatile LONG interrupted = 0;

// Ctrl+C or Ctrl+Break during a render: stop after the block in progress,
// so that the temporary file is removed. A closing console window gives
// the main thread a moment to do the same before the process ends.
BOOL WINAPI onConsoleControl(DWORD event) {
    InterlockedExchange(&interrupted, 1);
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) Sleep(3000);
    return TRUE;
}

// Prints "rendering: N%" at each tenth for inputs over a minute.
std::function<void(double)> progressReport(const HostOptions& options, double seconds) {
    if (options.quiet || seconds <= 60.0) return {};
    return [reported = 0](double done) mutable {
        const int tenth = static_cast<int>(done * 10.0);
        if (tenth > reported && tenth < 10) {
            reported = tenth;
            std::printf("  rendering: %d%%\n", tenth * 10);
            std::fflush(stdout);
        }
    };
}

}  // namespace

void abandonRenderOutput() {
    if (activeOutput) activeOutput->abandon();
}

bool RenderJob::prepare(const HostOptions& options, const std::string& outputPath, std::string& error,
                        std::vector<std::string>& warnings) {
    outputPath_ = outputPath;
    fromFile_ = !options.input.empty();
    if (fromFile_) {
        const WavReadResult r = reader_.openFile(options.input);
        if (!r.ok) {
            error = r.error;
            return false;
        }
        if (!r.warning.empty()) warnings.push_back("'" + options.input + "': " + r.warning);
        inputName_ = options.input;
        shape_ = reader_.shape();
        frames_ = reader_.frames();
        if (frames_ == 0) warnings.push_back("'" + options.input + "' holds no audio: the output will be empty");
    } else {
        demo_ = makeDemoSignal();
        inputName_ = "built-in demo signal";
        shape_ = demo_.shape();
        frames_ = demo_.frames();
    }
    if (shape_.sampleRate < kMinimumSampleRate) {
        error = "sample rate " + std::to_string(shape_.sampleRate) + " Hz is too low: the limiter needs more than 100 Hz";
        return false;
    }
    // The output can be written: a header for it exists and the file can
    // be created (and is removed again until the render).
    WavShape out = shape_;
    out.format = WavSampleFormat::Float32;
    WavWriter probe;
    if (!probe.open(outputPath_, out, frames_, WavContainer::Auto, error)) return false;
    OutputFile plotProbe;
    return options.plot.empty() || plotProbe.open(options.plot, "plot ", error);
}

std::string RenderJob::describeInput() const {
    char text[160];
    std::snprintf(text, sizeof text, "%s%s, %d channel%s, %lu Hz, %.2f s",
                  fromFile_ ? wavFormatName(shape_.format) : "generated", reader_.rf64() ? " (RF64)" : "",
                  shape_.channels, shape_.channels == 1 ? "" : "s", static_cast<unsigned long>(shape_.sampleRate),
                  static_cast<double>(frames_) / shape_.sampleRate);
    return inputName_ + ": " + text;
}

bool RenderJob::run(PluginHost& host, const HostOptions& options, std::string& error,
                    std::vector<std::string>& warnings) {
    WavShape outShape = shape_;
    outShape.format = WavSampleFormat::Float32;
    WavWriter output;
    if (!output.open(outputPath_, outShape, frames_, WavContainer::Auto, error)) return false;
    activeOutput = &output;
    InterlockedExchange(&interrupted, 0);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);

    const PlotLayout layout = plotLayout(options.plotWidth, options.plotHeight);
    RenderReport report(shape_.channels, shape_.sampleRate, options.plot.empty() ? 0 : layout.columns(), frames_);
    size_t nonFinite = 0;
    const size_t channels = static_cast<size_t>(shape_.channels);
    RenderStream stream;
    stream.sampleRate = shape_.sampleRate;
    stream.channels = shape_.channels;
    stream.frames = frames_;
    stream.read = [&](float* interleaved, size_t frames, std::string& e) {
        if (fromFile_) {
            if (!reader_.read(interleaved, frames, e)) return false;
        } else {
            std::memcpy(interleaved, &demo_.samples[demoRead_], frames * channels * sizeof(float));
            demoRead_ += frames * channels;
        }
        nonFinite += zeroNonFinite(interleaved, frames * channels);
        report.addInput(interleaved, frames);
        return true;
    };
    stream.write = [&](const float* interleaved, size_t frames, std::string& e) {
        if (interrupted) {
            e = "interrupted";
            return false;
        }
        report.addOutput(interleaved, frames);
        return output.write(interleaved, frames, e);
    };
    RenderSettings render;
    render.blockSize = options.blockSize;
    render.accumulate = options.accumulate;
    render.mute = options.mute;
    render.progress = progressReport(options, static_cast<double>(frames_) / shape_.sampleRate);
    render.gainReading = [&](uint64_t first, size_t frames, const GainReading* reading) {
        report.addReading(first, frames, reading);
    };

    bool ok = renderStream(host, stream, render, error);
    reader_.close();  // the output may replace the input
    if (ok) {
        for (const std::string& line : report.lines(options.mute)) std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        if (nonFinite) warnings.push_back(std::to_string(nonFinite) + " non-finite input samples set to 0");
        ok = output.commit(error);
    }
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    activeOutput = nullptr;
    if (!ok) {
        output.abandon();
        if (error == "interrupted") error = "interrupted: '" + outputPath_ + "' was not written";
        return false;
    }
    std::printf("output:   %s (32-bit float%s)\n", outputPath_.c_str(), output.rf64() ? ", RF64" : "");
    if (!options.plot.empty()) {
        RgbImage picture;
        // An empty input gets empty axes over a second.
        const double seconds = frames_ ? static_cast<double>(report.plot()->span()) / shape_.sampleRate : 0.0;
        const char* noReduction = !frames_         ? "The input holds no audio"
                                  : options.mute ? "Muted: the plug-in was not run"
                                                 : "The plug-in does not report gain reduction";
        if (!drawRenderPlot(*report.plot(), layout, seconds, inputName_, noReduction, picture, error) ||
            !writeBmpFile(options.plot, picture, error, "plot "))
            return false;
        std::printf("plot:     %s (%d x %d)\n", options.plot.c_str(), picture.width, picture.height);
    }
    return true;
}
