#pragma once
// The two byte-block routines that all toolkit code uses for records and
// settings: a copy that tolerates identical or overlapping blocks, and a fill
// with zero. Both do nothing for a count of 0.
#include <cstddef>
#include <cstring>

inline void copy_bytes(void* destination, const void* source, std::size_t count) {
    if (count == 0 || destination == source || destination == nullptr || source == nullptr) return;
    std::memmove(destination, source, count);
}

inline void zero_bytes(void* destination, std::size_t count) {
    if (count == 0 || destination == nullptr) return;
    std::memset(destination, 0, count);
}
