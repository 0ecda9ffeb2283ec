#pragma once
// Renders audio through a loaded effect in host-sized blocks, the way a
// host's audio thread would: the sample rate and block size first, the
// effect switched on (effMainsChanged 1), the blocks, then switched off.
#include <functional>
#include <string>

#include "host/PluginHost.h"
#include "host/WavFile.h"

struct RenderSettings {
    int blockSize = 512;
    bool accumulate = false;  // process() into cleared outputs instead of processReplacing()
    bool mute = false;        // do not run the effect; the output is silence
    // Called with the share done so far (0 to 1) after each block; may be empty.
    std::function<void(double)> progress;
};

// Lowest sample rate the limiter runs at: it stops at 100 Hz and below.
constexpr double kMinimumSampleRate = 101.0;

// Renders `input` (mono or stereo) into `output` (same length, channels and
// rate). A mono input feeds both effect inputs and keeps channel 1's output.
bool renderAudio(PluginHost& host, const WavAudio& input, WavAudio& output, const RenderSettings& settings,
                 std::string& error);
