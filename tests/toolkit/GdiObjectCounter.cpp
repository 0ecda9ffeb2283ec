#include "GdiObjectCounter.h"

#include <windows.h>

#include <cstring>

namespace {

// Where the PEB keeps GdiSharedHandleTable. The table's entries are alike
// on both targets (their object field is 64 bits wide in either).
constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kTypeOffset = 14;
constexpr std::size_t kEntryCount = 0x10000;

const unsigned char* wineHandleTable() {
    const unsigned char* peb = nullptr;
#if defined(_WIN64)
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
#else
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
#endif
    const unsigned char* table = nullptr;
    std::memcpy(&table, peb + kPebGdiTableOffset, sizeof table);
    return table;
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
