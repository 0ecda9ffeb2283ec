#pragma once
// Renders audio through a loaded effect in host-sized blocks, the way a
// host's audio thread would: the sample rate and block size first, the
// effect switched on (effMainsChanged 1), the blocks, then switched off.
// The frames stream in and out a block at a time, so a render of any length
// needs a block's memory.
#include <cstdint>
#include <functional>
#include <string>

#include "host/hosting/PluginHost.h"
#include "host/wav/WavFile.h"
#include "limiter/GainReading.h"

struct RenderSettings {
    int blockSize = 512;
    bool accumulate = false;  // process() into cleared outputs instead of processReplacing()
    bool mute = false;        // do not run the effect; the output is silence
    // Called with the share done so far (0 to 1) after each block; may be empty.
    std::function<void(double)> progress;
    // When set, the plug-in is asked for its gain reading after each
    // processing call, and this is called with the frames the call
    // processed and the reading (null when the plug-in gave none).
    std::function<void(uint64_t firstFrame, size_t frames, const GainReading* reading)> gainReading;
};

// Where a render's frames come from and go to: interleaved, mono or stereo,
// exactly the number of frames asked for each time.
struct RenderStream {
    uint32_t sampleRate = 0;
    int channels = 0;
    uint64_t frames = 0;
    std::function<bool(float* interleaved, size_t frames, std::string& error)> read;
    std::function<bool(const float* interleaved, size_t frames, std::string& error)> write;
};

// Lowest sample rate the limiter runs at: it stops at 100 Hz and below.
constexpr double kMinimumSampleRate = 101.0;

// Renders the stream's frames into its writer (same length, channels and
// rate). A mono stream feeds both effect inputs and keeps channel 1's output.
bool renderStream(PluginHost& host, const RenderStream& stream, const RenderSettings& settings, std::string& error);

// The same for audio held in memory.
bool renderAudio(PluginHost& host, const WavAudio& input, WavAudio& output, const RenderSettings& settings,
                 std::string& error);
