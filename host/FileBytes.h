#pragma once
// Building file images in memory and writing them at once, with a one-line
// error for the user.
#include <cstddef>
#include <cstdint>
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

// Creates or replaces `path` with `size` bytes. On failure answers false and
// sets `error` to "cannot create/write <what> '<path>'...".
bool writeFileBytes(const std::string& path, const void* data, size_t size, const char* what,
                    std::string& error);
