#include "host/ChunkFile.h"
#include "host/FileBytes.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

bool readChunkFile(const std::string& path, LimiterParams& params, std::string& error) {
    uint8_t bytes[sizeof(LimiterParams) + 1];
    size_t got = 0;
    if (!readFileStart(path, "chunk file ", bytes, sizeof bytes, got, error)) return false;
    if (got != sizeof(LimiterParams)) {
        error = "chunk file '" + path + "' holds " + (got > sizeof(LimiterParams) ? "more than 64" : std::to_string(got)) +
                " bytes; a Q-Clamper chunk is exactly 64";
        return false;
    }
    std::memcpy(&params, bytes, sizeof params);
    return true;
}

bool writeChunkFile(const std::string& path, const LimiterParams& params, std::string& error) {
    return writeFileBytes(path, &params, sizeof params, "chunk file ", error);
}

// A number given is first the knob's float, so an option stores what the
// knob set to the same value stores.
void applySettings(const HostOptions& options, LimiterParams& params) {
    for (int32_t i = 0; i < kSettingCount; ++i) {
        if (!options.settings[i]) continue;
        const SettingInfo& s = kSettings[i];
        const float stored = storedOf(s, static_cast<float>(*options.settings[i]));
        for (ChannelParams& c : params.channel) c.*s.field = stored;
    }
}
