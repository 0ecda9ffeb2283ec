#include "host/ChunkFile.h"
#include "host/FileBytes.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

bool readChunkFile(const std::string& path, LimiterParams& params, std::string& error) {
    std::FILE* file = openFile(path, "rb", "chunk file ", error);
    if (!file) return false;
    uint8_t bytes[sizeof(LimiterParams)];
    const size_t got = std::fread(bytes, 1, sizeof bytes, file);
    // Count whatever follows, for the message.
    size_t total = got;
    uint8_t rest[4096];
    for (size_t n; (n = std::fread(rest, 1, sizeof rest, file)) > 0;) total += n;
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) {
        error = "cannot read chunk file '" + path + "'";
        return false;
    }
    if (total != sizeof(LimiterParams)) {
        error = "chunk file '" + path + "' holds " + std::to_string(total) +
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
