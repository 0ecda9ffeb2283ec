// parse_value reads free text typed by the user: it must never crash or read
// past the terminator, and format_value must fit any value in its capacity.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "toolkit/ValueText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An exactly sized copy, so reading one byte past the zero is caught.
    std::vector<char> text(data, data + size);
    text.push_back('\0');
    const double value = parse_value(text.data());
    (void)round_half_down(value);

    if (size >= 6) {
        float f;
        std::memcpy(&f, data, sizeof f);
        char buffer[kValueTextCapacity];
        const uint8_t decimals = data[4];
        const uint8_t width = data[5];
        const uint8_t length = format_value(f, buffer, sizeof buffer, decimals, width, data[4] & 1);
        if (length < 255 && std::strlen(buffer) != length) __builtin_trap();
        // And into a buffer far too small: cut short, never overrun.
        std::vector<char> tiny(1 + data[5] % 8);
        format_value(f, tiny.data(), tiny.size(), decimals, width, 0);
        if (std::memchr(tiny.data(), '\0', tiny.size()) == nullptr) __builtin_trap();
    }
    return 0;
}
