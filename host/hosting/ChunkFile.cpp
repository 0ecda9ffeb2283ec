#include "host/hosting/ChunkFile.h"
#include "host/files/FileBytes.h"

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
