#include "host/wav/WavFormat.h"
#include "host/files/FileBytes.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;

// Bytes 2 to 15 of the KSDATAFORMAT_SUBTYPE_PCM / _IEEE_FLOAT GUIDs; the
// first two bytes are the plain format tag.
constexpr uint8_t kSubformatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

constexpr uint64_t kMax32 = 0xFFFFFFFFull;

// Byte by byte: GCC 12 warns falsely about a range insert into a new vector.
void putId(std::vector<uint8_t>& out, const char* id) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(id[i]));
}

bool isFloat(WavSampleFormat f) { return f == WavSampleFormat::Float32 || f == WavSampleFormat::Float64; }

// The sample format named by a format tag and a container size, if supported.
bool formatFor(uint16_t tag, uint16_t bits, WavSampleFormat& format) {
    if (tag == kTagPcm) {
        switch (bits) {
        case 8: format = WavSampleFormat::Pcm8; return true;
        case 16: format = WavSampleFormat::Pcm16; return true;
        case 24: format = WavSampleFormat::Pcm24; return true;
        case 32: format = WavSampleFormat::Pcm32; return true;
        default: return false;
        }
    }
    if (tag == kTagFloat) {
        if (bits == 32) { format = WavSampleFormat::Float32; return true; }
        if (bits == 64) { format = WavSampleFormat::Float64; return true; }
    }
    return false;
}

// Rounds to the nearest step of a signed integer format, clipping to its range.
int64_t quantise(float x, int bits) {
    const double scale = std::ldexp(1.0, bits - 1);
    if (!(x == x)) return 0;  // NaN
    double v = std::nearbyint(static_cast<double>(x) * scale);
    if (v > scale - 1) v = scale - 1;
    if (v < -scale) v = -scale;
    return static_cast<int64_t>(v);
}

void encodeSample(std::vector<uint8_t>& out, float x, WavSampleFormat f) {
    switch (f) {
    case WavSampleFormat::Pcm8: out.push_back(static_cast<uint8_t>(quantise(x, 8) + 128)); break;
    case WavSampleFormat::Pcm16: put16(out, static_cast<uint32_t>(quantise(x, 16)) & 0xFFFF); break;
    case WavSampleFormat::Pcm24: {
        const uint32_t v = static_cast<uint32_t>(quantise(x, 24));
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
        out.push_back(static_cast<uint8_t>(v >> 16));
        break;
    }
    case WavSampleFormat::Pcm32: put32(out, static_cast<uint32_t>(quantise(x, 32))); break;
    case WavSampleFormat::Float32: {
        uint32_t bits;
        std::memcpy(&bits, &x, sizeof bits);
        put32(out, bits);
        break;
    }
    case WavSampleFormat::Float64: {
        const double d = x;
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        put64(out, bits);
        break;
    }
    }
}

}  // namespace

const char* wavFormatName(WavSampleFormat format) {
    switch (format) {
    case WavSampleFormat::Pcm8: return "8-bit PCM";
    case WavSampleFormat::Pcm16: return "16-bit PCM";
    case WavSampleFormat::Pcm24: return "24-bit PCM";
    case WavSampleFormat::Pcm32: return "32-bit PCM";
    case WavSampleFormat::Float32: return "32-bit float";
    case WavSampleFormat::Float64: return "64-bit float";
    }
    return "?";
}

int wavBytesPerSample(WavSampleFormat f) {
    switch (f) {
    case WavSampleFormat::Pcm8: return 1;
    case WavSampleFormat::Pcm16: return 2;
    case WavSampleFormat::Pcm24: return 3;
    case WavSampleFormat::Pcm32: return 4;
    case WavSampleFormat::Float32: return 4;
    case WavSampleFormat::Float64: return 8;
    }
    return 0;
}

bool buildWavHeader(const WavShape& shape, uint64_t frames, WavContainer container, WavHeader& header,
                    std::string& error) {
    if (shape.channels != 1 && shape.channels != 2) {
        error = "cannot write " + std::to_string(shape.channels) + " channels (mono or stereo only)";
        return false;
    }
    const uint32_t blockAlign = shape.blockAlign();
    const uint64_t byteRate = static_cast<uint64_t>(shape.sampleRate) * blockAlign;
    if (shape.sampleRate == 0) {
        error = "cannot write a sample rate of 0 Hz";
        return false;
    }
    if (byteRate > kMax32) {
        // The header's byte-rate field would wrap: refused, not written wrong.
        char text[200];
        std::snprintf(text, sizeof text,
                      "sample rate %lu Hz is too high for a WAV file: %s %s goes up to %lu Hz "
                      "(its bytes per second must fit 32 bits)",
                      static_cast<unsigned long>(shape.sampleRate), shape.channels == 1 ? "mono" : "stereo",
                      wavFormatName(shape.format), static_cast<unsigned long>(kMax32 / blockAlign));
        error = text;
        return false;
    }
    // The data size would overflow 64 bits only past 2^61 frames.
    if (frames > (UINT64_MAX - 256) / blockAlign) {
        error = "audio too long for a WAV file (" + std::to_string(frames) + " frames)";
        return false;
    }
    const bool floating = isFloat(shape.format);
    const uint64_t dataBytes = frames * blockAlign;
    const uint32_t fmtBytes = floating ? 18 : 16;
    const uint32_t factBytes = floating ? 12 : 0;
    const uint64_t riffPlain = 4 + (8 + fmtBytes) + factBytes + 8 + dataBytes + (dataBytes & 1);
    const bool rf64 = container == WavContainer::Rf64 || riffPlain > kMax32;
    const uint64_t riffBytes = riffPlain + (rf64 ? 8 + 28 : 0);

    std::vector<uint8_t>& out = header.bytes;
    out.clear();
    putId(out, rf64 ? "RF64" : "RIFF");
    put32(out, rf64 ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(riffBytes));
    putId(out, "WAVE");
    if (rf64) {
        putId(out, "ds64");
        put32(out, 28);
        put64(out, riffBytes);
        put64(out, dataBytes);
        put64(out, frames);  // the fact chunk's count
        put32(out, 0);       // no table of other large chunks
    }
    putId(out, "fmt ");
    put32(out, fmtBytes);
    put16(out, floating ? kTagFloat : kTagPcm);
    put16(out, static_cast<uint32_t>(shape.channels));
    put32(out, shape.sampleRate);
    put32(out, static_cast<uint32_t>(byteRate));
    put16(out, blockAlign);
    put16(out, static_cast<uint32_t>(wavBytesPerSample(shape.format) * 8));
    if (floating) {
        put16(out, 0);  // cbSize
        putId(out, "fact");
        put32(out, 4);
        put32(out, frames > kMax32 ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(frames));
    }
    putId(out, "data");
    put32(out, rf64 ? static_cast<uint32_t>(kMax32) : static_cast<uint32_t>(dataBytes));
    header.rf64 = rf64;
    header.dataBytes = dataBytes;
    return true;
}

std::string parseWavFmt(const uint8_t* p, uint32_t size, WavShape& shape) {
    if (size < 16) return "malformed fmt chunk (" + std::to_string(size) + " bytes, at least 16 expected)";
    uint16_t tag = static_cast<uint16_t>(get16(p));
    const uint32_t channels = get16(p + 2);
    const uint32_t rate = get32(p + 4);
    const uint32_t blockAlign = get16(p + 12);
    const uint16_t bits = static_cast<uint16_t>(get16(p + 14));
    if (tag == kTagExtensible) {
        if (size < 40 || get16(p + 16) < 22) return "malformed WAVE_FORMAT_EXTENSIBLE fmt chunk";
        const uint8_t* guid = p + 24;
        if (std::memcmp(guid + 2, kSubformatTail, sizeof kSubformatTail) != 0)
            return "unsupported WAVE_FORMAT_EXTENSIBLE sub-format";
        tag = static_cast<uint16_t>(get16(guid));
    }
    WavSampleFormat format;
    if (!formatFor(tag, bits, format)) {
        char text[160];
        if (tag == kTagPcm || tag == kTagFloat)
            std::snprintf(text, sizeof text, "unsupported sample format: %u-bit %s", bits,
                          tag == kTagPcm ? "PCM" : "float");
        else
            std::snprintf(text, sizeof text,
                          "unsupported sample encoding (format tag 0x%04X); only PCM and IEEE float are read",
                          tag);
        return text;
    }
    if (channels != 1 && channels != 2)
        return "unsupported channel count " + std::to_string(channels) + " (mono or stereo only)";
    if (rate == 0) return "bad sample rate 0 in fmt chunk";
    const uint32_t expected = channels * static_cast<uint32_t>(wavBytesPerSample(format));
    if (blockAlign != expected)
        return "inconsistent fmt chunk: block align " + std::to_string(blockAlign) + ", expected " +
               std::to_string(expected);
    shape.format = format;
    shape.channels = static_cast<int>(channels);
    shape.sampleRate = rate;
    return "";
}

float decodeWavSample(const uint8_t* p, WavSampleFormat f) {
    switch (f) {
    case WavSampleFormat::Pcm8: return static_cast<float>((p[0] - 128) / 128.0);
    case WavSampleFormat::Pcm16: return static_cast<float>(static_cast<int16_t>(static_cast<uint16_t>(get16(p))) / 32768.0);
    case WavSampleFormat::Pcm24: {
        int32_t v = static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
        if (v & 0x800000) v -= 0x1000000;
        return static_cast<float>(v / 8388608.0);
    }
    case WavSampleFormat::Pcm32: return static_cast<float>(static_cast<int32_t>(get32(p)) / 2147483648.0);
    case WavSampleFormat::Float32: {
        const uint32_t bits = get32(p);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    case WavSampleFormat::Float64: {
        const uint64_t bits = get64(p);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return static_cast<float>(v);
    }
    }
    return 0.0f;
}

void encodeWavSamples(const float* samples, size_t count, WavSampleFormat format, std::vector<uint8_t>& out) {
    for (size_t i = 0; i < count; ++i) encodeSample(out, samples[i], format);
}
