#pragma once
// VST preset files (.fxp) of a plug-in that keeps its state as one opaque
// chunk: the 'CcnK' header, form 'FPCh', the plug-in's ID and version, one
// program's name and the chunk, every header field big-endian. Portable, so
// that it is tested natively too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "limiter/LimiterParams.h"

constexpr size_t kPresetNameSize = 28;     // 27 characters and the terminator
constexpr size_t kPresetHeaderSize = 60;   // everything before the chunk
constexpr size_t kPresetFileSize = kPresetHeaderSize + sizeof(LimiterParams);

struct Preset {
    int32_t pluginId = 0;
    int32_t pluginVersion = 0;
    std::string name;  // at most 27 characters are kept
    LimiterParams chunk = {};
};

// The file's bytes.
std::vector<uint8_t> encodePreset(const Preset& preset);
// Reads a preset of a 64-byte chunk from a whole file's bytes. On failure
// answers false with the reason, to follow "'FILE' ".
bool decodePreset(const uint8_t* bytes, size_t size, Preset& preset, std::string& reason);

// A file that is not a whole, well-formed preset is refused with one line
// that names it; whose plug-in it is, the caller checks (presetIsFor).
bool readPresetFile(const std::string& path, Preset& preset, std::string& error);
bool writePresetFile(const std::string& path, const Preset& preset, std::string& error);

// "" when the preset belongs to the plug-in of `pluginId`, else one line
// that names the file and both plug-ins.
std::string presetOwnerMismatch(const std::string& path, const Preset& preset, int32_t pluginId);

// A plug-in ID as a four-character code where it is printable ('NoEf'),
// otherwise in hexadecimal (0x4B530002).
std::string pluginIdText(int32_t id);
