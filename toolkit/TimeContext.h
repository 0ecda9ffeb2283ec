#pragma once
// The time entry dialog's context, kept by the toolkit as a preference and
// stored byte for byte as the registry value "Dial_tCtx".
#include <cstddef>
#include <cstdint>

struct TimeContext {
    int16_t notes[5];           // note table indices, ended by -1 when shorter
    uint16_t unused1;
    int32_t replaceMode;        // 1: a picked note replaces the list; 0: appended
    float tempo;                // quarter-note beats per minute
    uint16_t focusField;        // id of the field focused when the dialog opens
    uint16_t unused2;
    int32_t sampleRate;         // Hz
    int32_t ticksPerQuarter;    // 1 to 99999
    int32_t signatureNumerator; // 1 to 64
    int32_t signatureDenominator; // 16, 8, 4, 2 or 1
    float framesPerSecond;
};
static_assert(sizeof(TimeContext) == 44, "TimeContext is stored as 44 bytes");
static_assert(offsetof(TimeContext, tempo) == 16 && offsetof(TimeContext, sampleRate) == 24 &&
                  offsetof(TimeContext, framesPerSecond) == 40,
              "TimeContext field offsets are part of the stored format");

constexpr TimeContext kDefaultTimeContext = {
    {2, -1, -1, -1, -1}, 0, 1, 120.0f, 10, 0, 44100, 96, 4, 4, 25.0f};
