#pragma once
// The limiter's 64-byte parameter block. It is the plug-in's whole persistent
// state and, byte for byte, the chunk a host stores in songs and presets.
#include <cstddef>
#include <cstdint>

// Ranges, defaults and units: limiter/LimiterSettings.h.
struct ChannelParams {
    float compression;  // shaping amount
    float gain;         // linear input gain (the editor edits decibels)
    float velocity;     // release speed of the gain envelope
    float limit;        // linear output ceiling
};

struct LimiterParams {
    uint8_t reserved[32];  // read by nobody, carried through every copy
    ChannelParams channel[2];
};

static_assert(sizeof(ChannelParams) == 16, "ChannelParams is four float32");
static_assert(sizeof(LimiterParams) == 64, "the chunk is 64 bytes");
static_assert(offsetof(LimiterParams, channel) == 32, "channel 1 starts at byte 32");
