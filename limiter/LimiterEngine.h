#pragma once
// The limiter's DSP engine: a plain record driven by free functions.
//
// Threads: the audio thread runs the block operations; the host's and the
// editor's threads read and write the parameter block and the mute switch.
// The lock guards params + coefficientsValid, mute, busy, deletePending and
// what the settings remember (limiter/EngineSettings.h), and is never held
// across the sample loops.
//
// A "slot" is the owner's LimiterEngine* variable passed by address; the
// slot-taking operations accept an empty slot.
#include <cstdint>

#include "limiter/EngineLock.h"
#include "limiter/GainMeter.h"
#include "limiter/LimiterParams.h"
#include "limiter/LimiterSettings.h"

struct ChannelState {
    float drive;            // compression - 0.99999
    float gain;             // linear input gain
    float recoveryFactor;   // 1 + velocity * 0.0001, applied per sample
    float recoveryInverse;  // 1 / recoveryFactor
    float limit;            // output ceiling
    float lastLevel;        // |shaped sample| at the end of the last block
    float envelopeGain;     // envelope at the end of the last block
};

// The knob value and fraction that last set a setting, while its stored
// field still holds what they set (see limiter/EngineSettings.h).
struct SettingMemory {
    int32_t known;
    float stored;
    float knobValue;
    float fraction;
};

struct LimiterEngine {
    EngineLock lock;
    int32_t coefficientsValid;
    int32_t busy;
    int32_t deletePending;
    int32_t mute;
    float sampleRate;
    int32_t channelCount;
    LimiterParams params;
    ChannelState channelState[2];
    // 1 from creation and every reset until a block runs: that block starts
    // at the current settings, since there is no audio to ramp from.
    int32_t startsFresh;
    // Block calls between their first and last touch of this record (see
    // EngineEntry.h); read and written only with atomic operations.
    int32_t callsInside;
    SettingMemory settingMemory[kSettingCount];
    // 1 when the host set a setting to a new value that the editor has not
    // shown yet.
    int32_t hostChangedSettings;
    // What the envelope did, for the editor's meter and the host's query.
    GainMeter gainMeter;
    // 1 once the host has read its gain reduction: from then on the envelope
    // also counts the frames it limits (the meter needs no count, and the
    // count is the measurement's dearest part). Atomic operations only.
    int32_t countsLimitedFrames;
};

LimiterEngine* createEngine();
void destroyEngine(LimiterEngine** slot);
// The owner gives the engine up and clears its slot. A block in progress
// frees it when it ends; blocks that are inside a call at that moment are
// waited for. The host's duty: no block call may start after the release has
// begun. A call that read the slot before the release but reaches the engine
// only after it was freed is outside what any engine can defend (VST hosts
// never call process during or after effClose).
void releaseEngine(LimiterEngine** slot);
int32_t configureEngine(LimiterEngine** slot, float sampleRate, int32_t channelCount);
void resetEngine(LimiterEngine** slot);
void suspendEngine(LimiterEngine** slot);
int32_t resetChannels(LimiterEngine* engine);
void deriveCoefficients(LimiterEngine* engine);
void getParams(LimiterEngine* engine, void* destination);
void setParams(LimiterEngine* engine, const void* source);
void setMute(LimiterEngine* engine, int32_t mute);
int32_t getMute(LimiterEngine* engine);

// Both block operations treat a count below one frame as an empty call.
// Adds the limited signal into the outputs.
void processBlockAdd(LimiterEngine** slot, const float* in1, const float* in2,
                     float* out1, float* out2, int32_t frames);
// Writes the limited signal over the outputs.
void processBlockReplace(LimiterEngine** slot, const float* in1, const float* in2,
                         float* out1, float* out2, int32_t frames);

// Everything the engine processed since this reader's previous reading
// (limiter/GainMeter.h); lock-free. Answers 1 when it filled `reading`, 0
// without an engine or a record. The host's reading counts limited frames
// from the block after its first one on: a host asks once before it starts.
int32_t readGainReduction(LimiterEngine* engine, GainReader reader, GainReading* reading);

// Number of engines created and not yet destroyed in this process; lets tests
// prove that a deferred destruction frees an engine exactly once.
int32_t liveEngineCount();
