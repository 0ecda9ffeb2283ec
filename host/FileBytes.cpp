#include "host/FileBytes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#endif

bool isFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isDevice(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");  // changes nothing, creates nothing
    if (!file) return false;
    struct stat st;
    const bool device = fstat(fileno(file), &st) == 0 && S_ISCHR(st.st_mode);
    std::fclose(file);
    return device;
}

std::FILE* openFile(const std::string& path, const char* mode, const char* what, std::string& error) {
    const std::string verb = mode[0] == 'r' ? "cannot open " : "cannot create ";
    // Checked first: some systems open a folder for reading and fail later.
    if (isFolder(path)) {
        error = verb + what + "'" + path + "': it is a folder, not a file";
        return nullptr;
    }
    std::FILE* file = std::fopen(path.c_str(), mode);
    if (!file) error = verb + what + "'" + path + "': " + std::strerror(errno);
    return file;
}

bool seekFile(std::FILE* file, uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

bool fileSize(std::FILE* file, uint64_t& size) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) return false;
    const __int64 end = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0) return false;
    const off_t end = ftello(file);
#endif
    if (end < 0) return false;
    size = static_cast<uint64_t>(end);
    return true;
}

bool replaceFile(const std::string& from, const std::string& to, std::string& error) {
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    const bool moved = MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    const char* reason = "the file is in use or write-protected";
#else
    const bool moved = std::rename(from.c_str(), to.c_str()) == 0;
    const char* reason = std::strerror(errno);
#endif
    if (!moved) error = "cannot replace '" + to + "': " + (isFolder(to) ? "it is a folder" : reason);
    return moved;
}

bool writeFileBytes(const std::string& path, const void* data, size_t size, const char* what,
                    std::string& error) {
    std::FILE* file = openFile(path, "wb", what, error);
    if (!file) return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        error = std::string("cannot write ") + what + "'" + path + "'";
        return false;
    }
    return true;
}
