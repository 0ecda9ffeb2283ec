#pragma once
// The effect record as a host reads it: byte offsets and widths written down
// from the host's side of the interface, for the 32-bit and the 64-bit
// target, instead of taken from the plug-in's own struct. A field the struct
// puts in the wrong place or gives the wrong width shows up here.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace record_view {

constexpr bool kWide = sizeof(void*) == 8;

struct Field {
    std::size_t at32, at64;
    bool pointerSized;  // pointers and the reserved words; every other field is 4 bytes
    constexpr std::size_t at() const { return kWide ? at64 : at32; }
    constexpr std::size_t width() const { return pointerSized ? sizeof(void*) : 4; }
};

constexpr Field kMagic{0, 0, false};
constexpr Field kDispatcher{4, 8, true};
constexpr Field kProcess{8, 16, true};
constexpr Field kSetParameter{12, 24, true};
constexpr Field kGetParameter{16, 32, true};
constexpr Field kNumPrograms{20, 40, false};
constexpr Field kNumParams{24, 44, false};
constexpr Field kNumInputs{28, 48, false};
constexpr Field kNumOutputs{32, 52, false};
constexpr Field kFlags{36, 56, false};
constexpr Field kResvd1{40, 64, true};
constexpr Field kResvd2{44, 72, true};
constexpr Field kInitialDelay{48, 80, false};
constexpr Field kRealQualities{52, 84, false};
constexpr Field kOffQualities{56, 88, false};
constexpr Field kIoRatio{60, 92, false};
constexpr Field kObject{64, 96, true};
constexpr Field kUser{68, 104, true};
constexpr Field kUniqueID{72, 112, false};
constexpr Field kVersion{76, 116, false};
constexpr Field kProcessReplacing{80, 120, true};
constexpr Field kProcessDouble{84, 128, true};  // read by later hosts; must stay null
constexpr std::size_t kRecordSize = kWide ? 192 : 144;

// The five entry functions a host calls.
constexpr Field kEntryFunctions[] = {kDispatcher, kProcess, kSetParameter, kGetParameter,
                                     kProcessReplacing};

// A field of a record image, little-endian.
inline uint64_t get(const uint8_t* bytes, Field f) {
    uint64_t v = 0;
    for (std::size_t i = 0; i < f.width(); ++i) v |= uint64_t{bytes[f.at() + i]} << (8 * i);
    return v;
}

inline void put(std::vector<uint8_t>& bytes, Field f, uint64_t v) {
    for (std::size_t i = 0; i < f.width(); ++i) bytes[f.at() + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A function pointer of a record image, as the host calls it.
template <typename Function>
Function function(const uint8_t* bytes, Field f) {
    return reinterpret_cast<Function>(static_cast<uintptr_t>(get(bytes, f)));
}

}  // namespace record_view
