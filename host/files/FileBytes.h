#pragma once
// Files as the host program uses them: opened with a one-line error in the
// user's terms, read and written at 64-bit offsets, written whole or renamed
// into place. Portable (the Windows build uses the 64-bit CRT calls).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Appends little-endian integers to a file image.
inline void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
inline void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
inline void put64(std::vector<uint8_t>& out, uint64_t v) {
    put32(out, static_cast<uint32_t>(v));
    put32(out, static_cast<uint32_t>(v >> 32));
}

// Reads little-endian integers from a file image.
inline uint32_t get16(const uint8_t* p) { return static_cast<uint32_t>(p[0] | (p[1] << 8)); }
inline uint32_t get32(const uint8_t* p) { return get16(p) | (get16(p + 2) << 16); }
inline uint64_t get64(const uint8_t* p) { return get32(p) | (static_cast<uint64_t>(get32(p + 4)) << 32); }

bool isFolder(const std::string& path);
// A device such as NUL: written to directly, never renamed or removed.
bool isDevice(const std::string& path);

// Opens `path` with the stdio `mode`. On failure answers null and sets
// `error` to "cannot open <what>'<path>': <reason>" ("create" for writing),
// where a folder is called a folder rather than "Permission denied".
std::FILE* openFile(const std::string& path, const char* mode, const char* what, std::string& error);

// Reads up to `capacity` bytes from the start of `path` into `bytes`: a
// caller that takes small files asks for one byte more than it takes, and
// tells a longer file without reading to the end of an endless one (a
// device). `what` as for openFile.
bool readFileStart(const std::string& path, const char* what, uint8_t* bytes, size_t capacity, size_t& got,
                   std::string& error);

bool seekFile(std::FILE* file, uint64_t offset);
// The size of an open file, or false when it cannot be told.
bool fileSize(std::FILE* file, uint64_t& size);

// Moves `from` over `to`, replacing a file already there.
bool replaceFile(const std::string& from, const std::string& to, std::string& error);

// Whether two paths lead to the same file, whether or not it exists yet: the
// same full path, or the same name in the same folder however that folder
// was spelled (relative, through another drive letter, `dir/..`). Names
// compare as the system compares them (without case on Windows).
bool sameFile(const std::string& a, const std::string& b);

// A file written under a temporary name beside the requested one and renamed
// to it only when every byte has reached the file: a write that fails or is
// cut short never leaves a partial file under the requested name, nor
// replaces a file that was there. A device (NUL) is written directly.
// Messages name the requested path.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile() { abandon(); }
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // The temporary name used for `path`.
    static std::string temporaryPathFor(const std::string& path);

    // Creates the temporary file. `what` names the kind of file in messages
    // ("chunk file ", or ""); `buffer` sizes the stdio buffer (0: default).
    bool open(const std::string& path, const char* what, std::string& error, size_t buffer = 0);
    bool write(const void* data, size_t size, std::string& error);
    // Rewrites bytes already written (a header completed at the end); not
    // for a device.
    bool writeAt(uint64_t offset, const void* data, size_t size, std::string& error);
    bool isOpen() const { return file_ != nullptr; }
    bool isDevice() const { return isOpen() && temporary_.empty(); }
    // Flushes and checks that every byte was written before closing (a
    // runtime may report a close as successful when its last flush failed),
    // then renames the file to the requested name.
    bool commit(std::string& error);
    // Closes and removes the temporary file; the requested name is untouched.
    void abandon();

private:
    std::string failure(const char* verb, int err) const;
    // The reason a write failed, given what the file should hold by then.
    int writeFailureReason(int err, uint64_t asked) const;

    std::FILE* file_ = nullptr;
    std::string path_, temporary_, what_;  // temporary_ is empty for a device
    uint64_t position_ = 0, end_ = 0;      // where the next byte goes; the bytes handed over
};

// Creates or replaces `path` with `size` bytes through an OutputFile.
bool writeFileBytes(const std::string& path, const void* data, size_t size, const char* what,
                    std::string& error);
