#include "host/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

bool writeFileBytes(const std::string& path, const void* data, size_t size, const char* what,
                    std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = std::string("cannot create ") + what + "'" + path + "': " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = std::string("cannot write ") + what + "'" + path + "'";
        return false;
    }
    return true;
}
