#include "host/ChunkFile.h"
#include "host/FileBytes.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

bool readChunkFile(const std::string& path, LimiterParams& params, std::string& error) {
    std::FILE* file = openFile(path, "rb", "chunk file ", error);
    if (!file) return false;
    // One byte past a chunk tells a longer file, without reading to the end
    // of an endless one (a device).
    uint8_t bytes[sizeof(LimiterParams) + 1];
    const size_t got = std::fread(bytes, 1, sizeof bytes, file);
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) {
        error = "cannot read chunk file '" + path + "'";
        return false;
    }
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

void applySettings(const HostOptions& options, LimiterParams& params) {
    for (ChannelParams& c : params.channel) {
        if (options.compression) c.compression = static_cast<float>(*options.compression);
        if (options.gainDb) c.gain = static_cast<float>(std::pow(10.0, *options.gainDb * 0.05));
        if (options.velocity) c.velocity = static_cast<float>(*options.velocity);
        if (options.limit) c.limit = static_cast<float>(*options.limit);
    }
}
