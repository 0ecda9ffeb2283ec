#pragma once
// Builds WAV file images chunk by chunk, including broken ones.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "host/files/FileBytes.h"

class WavBuilder {
public:
    WavBuilder& riff(const char* form = "WAVE") {
        bytes_.insert(bytes_.end(), {'R', 'I', 'F', 'F', 0, 0, 0, 0});
        bytes_.insert(bytes_.end(), form, form + 4);
        return *this;
    }
    // A chunk with its declared size; `pad` adds the byte after an odd body.
    WavBuilder& chunk(const char* id, const std::vector<uint8_t>& body, bool pad = true) {
        return chunkDeclaring(id, static_cast<uint32_t>(body.size()), body, pad);
    }
    WavBuilder& chunkDeclaring(const char* id, uint32_t declared, const std::vector<uint8_t>& body,
                               bool pad = true) {
        bytes_.insert(bytes_.end(), id, id + 4);
        put32(bytes_, declared);
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        if (pad && (body.size() & 1)) bytes_.push_back(0);
        return *this;
    }
    // Plain fmt body.
    static std::vector<uint8_t> fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                                    uint16_t blockAlign = 0) {
        if (!blockAlign) blockAlign = static_cast<uint16_t>(channels * bits / 8);
        std::vector<uint8_t> b;
        put16(b, tag);
        put16(b, channels);
        put32(b, rate);
        put32(b, rate * blockAlign);
        put16(b, blockAlign);
        put16(b, bits);
        return b;
    }
    // WAVE_FORMAT_EXTENSIBLE body whose sub-format GUID starts with `subTag`.
    static std::vector<uint8_t> fmtExtensible(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits,
                                              uint16_t validBits, bool goodGuid = true) {
        std::vector<uint8_t> b = fmt(0xFFFE, channels, rate, bits);
        put16(b, 22);
        put16(b, validBits);
        put32(b, channels == 2 ? 3 : 4);  // channel mask
        put16(b, subTag);
        const uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        b.insert(b.end(), tail, tail + 14);
        if (!goodGuid) b.back() ^= 0xFF;
        return b;
    }
    static std::vector<uint8_t> pcm16(const std::vector<int16_t>& samples) {
        std::vector<uint8_t> b;
        for (int16_t s : samples) put16(b, static_cast<uint16_t>(s));
        return b;
    }
    static std::vector<uint8_t> float32(const std::vector<float>& samples) {
        std::vector<uint8_t> b;
        for (float s : samples) {
            uint32_t v;
            std::memcpy(&v, &s, 4);
            put32(b, v);
        }
        return b;
    }
    // Fills in the RIFF size from the bytes so far.
    std::vector<uint8_t> build() const {
        std::vector<uint8_t> b = bytes_;
        if (b.size() >= 8) {
            const uint32_t size = static_cast<uint32_t>(b.size() - 8);
            for (int i = 0; i < 4; ++i) b[4 + i] = static_cast<uint8_t>(size >> (8 * i));
        }
        return b;
    }

private:
    std::vector<uint8_t> bytes_;
};
