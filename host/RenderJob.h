#pragma once
// One render as the program runs it: the input (a WAV file streamed from
// disk, or the demo signal) checked before the plug-in is loaded, then
// rendered block by block into a WAV file written under a temporary name,
// with progress, the peaks and the output's name printed on the way.
#include <memory>
#include <string>
#include <vector>

#include "host/HostOptions.h"
#include "host/hosting/PluginHost.h"
#include "host/wav/WavFile.h"
#include "host/wav/WavReader.h"
#include "host/wav/WavWriter.h"

class RenderJob {
public:
    // Opens the input and checks that the output can be written; loads
    // nothing. Warnings about the input are added to `warnings`.
    bool prepare(const HostOptions& options, const std::string& outputPath, std::string& error,
                 std::vector<std::string>& warnings);
    // The "input:" line's text.
    std::string describeInput() const;
    // Renders, printing progress and peaks; the output appears under its
    // name only when complete. Warnings are added to `warnings`.
    bool run(PluginHost& host, const HostOptions& options, std::string& error, std::vector<std::string>& warnings);

private:
    std::string inputName_, outputPath_;
    WavReader reader_;        // the input file, or
    WavAudio demo_;           // the demo signal
    bool fromFile_ = false;
    WavShape shape_;
    uint64_t frames_ = 0;
    size_t demoRead_ = 0;
};

// Removes the output of a render in progress; for the crash handler.
void abandonRenderOutput();
