#include "GdiObjectCounter.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr std::size_t kPebGdiTableOffset = 0x94;  // 32-bit PEB
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kTypeOffset = 14;
constexpr std::size_t kEntryCount = 0x10000;

const unsigned char* wineHandleTable() {
#if defined(_WIN64)
    return nullptr;
#else
    // fs:0x30 holds the PEB (32-bit layout).
    const unsigned char* peb = nullptr;
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
    const unsigned char* table = nullptr;
    std::memcpy(&table, peb + kPebGdiTableOffset, sizeof table);
    return table;
#endif
}

}  // namespace

int32_t live_gdi_objects() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int32_t>(reported);

    const unsigned char* table = wineHandleTable();
    if (table == nullptr) return -1;
    int32_t live = 0;
    for (std::size_t i = 0; i < kEntryCount; ++i)
        if (table[i * kEntrySize + kTypeOffset] != 0) ++live;
    return live;
}
