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

bool seekFile(std::FILE* file, uint64_t offset);
// The size of an open file, or false when it cannot be told.
bool fileSize(std::FILE* file, uint64_t& size);

// Moves `from` over `to`, replacing a file already there.
bool replaceFile(const std::string& from, const std::string& to, std::string& error);

// Creates or replaces `path` with `size` bytes. On failure answers false and
// sets `error` to "cannot create/write <what> '<path>'...".
bool writeFileBytes(const std::string& path, const void* data, size_t size, const char* what,
                    std::string& error);
