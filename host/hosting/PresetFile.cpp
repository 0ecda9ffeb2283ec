#include "host/hosting/PresetFile.h"

#include <cstdio>
#include <cstring>

#include "host/files/FileBytes.h"

namespace {

// Four-character codes, as the format spells them.
constexpr uint32_t fourCc(const char (&c)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(c[0])) << 24 | static_cast<uint32_t>(static_cast<uint8_t>(c[1])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(c[2])) << 8 | static_cast<uint32_t>(static_cast<uint8_t>(c[3]));
}
constexpr uint32_t kContainer = fourCc("CcnK");
constexpr uint32_t kChunkPreset = fourCc("FPCh");
constexpr uint32_t kFormatVersion = 1;

// Field offsets of the header.
enum : size_t {
    kSizeAt = 4,         // bytes after this field
    kFormAt = 8,
    kVersionAt = 12,
    kPluginIdAt = 16,
    kPluginVersionAt = 20,
    kProgramsAt = 24,    // one program
    kNameAt = 28,
    kChunkSizeAt = 56,
};

void putBig32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t getBig32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

// 'FxCk' as a quoted code, or its hexadecimal value when not printable.
std::string codeText(uint32_t code) {
    std::string text = "'";
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>(code >> shift);
        if (c < 0x20 || c > 0x7E) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
            return hex;
        }
        text += c;
    }
    return text + "'";
}

// What other forms of the container hold.
const char* formMeaning(uint32_t form) {
    if (form == fourCc("FxCk")) return "a preset of parameter values";
    if (form == fourCc("FxBk") || form == fourCc("FBCh")) return "a bank";
    return "an unknown form";
}

}  // namespace

std::string pluginIdText(int32_t id) { return codeText(static_cast<uint32_t>(id)); }

std::vector<uint8_t> encodePreset(const Preset& preset) {
    std::vector<uint8_t> out;
    out.reserve(kPresetFileSize);
    putBig32(out, kContainer);
    putBig32(out, static_cast<uint32_t>(kPresetFileSize - kSizeAt - 4));
    putBig32(out, kChunkPreset);
    putBig32(out, kFormatVersion);
    putBig32(out, static_cast<uint32_t>(preset.pluginId));
    putBig32(out, static_cast<uint32_t>(preset.pluginVersion));
    putBig32(out, 1);
    char name[kPresetNameSize] = {};
    std::strncpy(name, preset.name.c_str(), kPresetNameSize - 1);
    out.insert(out.end(), name, name + kPresetNameSize);
    putBig32(out, sizeof preset.chunk);
    const uint8_t* chunk = reinterpret_cast<const uint8_t*>(&preset.chunk);
    out.insert(out.end(), chunk, chunk + sizeof preset.chunk);
    return out;
}

// The count of programs is not checked: hosts write the plug-in's count of
// parameters there as often as 1, and a chunk preset holds one program.
bool decodePreset(const uint8_t* bytes, size_t size, Preset& preset, std::string& reason) {
    if (size < 8 || getBig32(bytes) != kContainer) {
        reason = "is not a VST preset file (it does not start with 'CcnK')";
        return false;
    }
    if (size < kPresetHeaderSize) {
        reason = "is cut short: " + std::to_string(size) + " bytes, less than a preset's header of " +
                 std::to_string(kPresetHeaderSize);
        return false;
    }
    const uint32_t form = getBig32(bytes + kFormAt);
    if (form != kChunkPreset) {
        reason = "holds " + std::string(formMeaning(form)) + " (" + codeText(form) +
                 "), not a preset of a plug-in's chunk ('FPCh')";
        return false;
    }
    const uint32_t version = getBig32(bytes + kVersionAt);
    if (version != kFormatVersion) {
        reason = "is of format version " + std::to_string(version) + "; version 1 is read";
        return false;
    }
    const uint64_t declared = uint64_t{getBig32(bytes + kSizeAt)} + kSizeAt + 4;
    const uint64_t chunkEnd = uint64_t{getBig32(bytes + kChunkSizeAt)} + kPresetHeaderSize;
    if (declared != size || chunkEnd != size) {
        reason = "is " + std::to_string(size) + " bytes long, but its header gives " + std::to_string(declared) +
                 " for the file and " + std::to_string(chunkEnd) + " for its header and chunk" +
                 (size < declared || size < chunkEnd ? " (is it cut short?)" : "");
        return false;
    }
    if (size != kPresetFileSize) {
        reason = "holds a chunk of " + std::to_string(size - kPresetHeaderSize) + " bytes; a Q-Clamper chunk is exactly " +
                 std::to_string(sizeof(LimiterParams));
        return false;
    }
    preset.pluginId = static_cast<int32_t>(getBig32(bytes + kPluginIdAt));
    preset.pluginVersion = static_cast<int32_t>(getBig32(bytes + kPluginVersionAt));
    const char* name = reinterpret_cast<const char*>(bytes + kNameAt);
    preset.name.assign(name, strnlen(name, kPresetNameSize - 1));
    std::memcpy(&preset.chunk, bytes + kPresetHeaderSize, sizeof preset.chunk);
    return true;
}

bool readPresetFile(const std::string& path, Preset& preset, std::string& error) {
    // Room for other plug-ins' presets, to name what they are.
    uint8_t bytes[4096];
    size_t got = 0;
    if (!readFileStart(path, "preset file ", bytes, sizeof bytes, got, error)) return false;
    if (got == sizeof bytes) {
        error = "preset file '" + path + "' is larger than any preset of Q-Clamper (" +
                std::to_string(kPresetFileSize) + " bytes)";
        return false;
    }
    std::string reason;
    if (!decodePreset(bytes, got, preset, reason)) {
        error = "preset file '" + path + "' " + reason;
        return false;
    }
    return true;
}

bool writePresetFile(const std::string& path, const Preset& preset, std::string& error) {
    const std::vector<uint8_t> bytes = encodePreset(preset);
    return writeFileBytes(path, bytes.data(), bytes.size(), "preset file ", error);
}

std::string presetOwnerMismatch(const std::string& path, const Preset& preset, int32_t pluginId) {
    if (preset.pluginId == pluginId) return "";
    return "preset file '" + path + "' belongs to another plug-in (ID " + pluginIdText(preset.pluginId) +
           "; this one is " + pluginIdText(pluginId) + ")";
}
