#include "host/WavFile.h"
#include "host/FileBytes.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

namespace {

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagFloat = 3;
constexpr uint16_t kTagExtensible = 0xFFFE;

// Bytes 2 to 15 of the KSDATAFORMAT_SUBTYPE_PCM / _IEEE_FLOAT GUIDs; the
// first two bytes are the plain format tag.
constexpr uint8_t kSubformatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                        0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint64_t le64(const uint8_t* p) {
    return static_cast<uint64_t>(le32(p)) | (static_cast<uint64_t>(le32(p + 4)) << 32);
}

void putId(std::vector<uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

int bytesPerSample(WavSampleFormat f) {
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

bool isFloat(WavSampleFormat f) {
    return f == WavSampleFormat::Float32 || f == WavSampleFormat::Float64;
}

WavReadResult fail(const std::string& message) {
    WavReadResult r;
    r.error = message;
    return r;
}

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

float decode(const uint8_t* p, WavSampleFormat f) {
    switch (f) {
    case WavSampleFormat::Pcm8: return static_cast<float>((p[0] - 128) / 128.0);
    case WavSampleFormat::Pcm16: return static_cast<float>(static_cast<int16_t>(le16(p)) / 32768.0);
    case WavSampleFormat::Pcm24: {
        int32_t v = static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
        if (v & 0x800000) v -= 0x1000000;
        return static_cast<float>(v / 8388608.0);
    }
    case WavSampleFormat::Pcm32: return static_cast<float>(static_cast<int32_t>(le32(p)) / 2147483648.0);
    case WavSampleFormat::Float32: {
        const uint32_t bits = le32(p);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    case WavSampleFormat::Float64: {
        const uint64_t bits = le64(p);
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return static_cast<float>(v);
    }
    }
    return 0.0f;
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
    case WavSampleFormat::Pcm8:
        out.push_back(static_cast<uint8_t>(quantise(x, 8) + 128));
        break;
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
        put32(out, static_cast<uint32_t>(bits));
        put32(out, static_cast<uint32_t>(bits >> 32));
        break;
    }
    }
}

struct FmtInfo {
    WavSampleFormat format;
    int channels;
    uint32_t sampleRate;
    uint32_t blockAlign;
};

// Checks a fmt chunk's body; answers an error message or "".
std::string parseFmt(const uint8_t* p, uint32_t size, FmtInfo& info) {
    if (size < 16) return "malformed fmt chunk (" + std::to_string(size) + " bytes, at least 16 expected)";
    uint16_t tag = le16(p);
    const uint16_t channels = le16(p + 2);
    const uint32_t rate = le32(p + 4);
    const uint16_t blockAlign = le16(p + 12);
    const uint16_t bits = le16(p + 14);
    if (tag == kTagExtensible) {
        if (size < 40 || le16(p + 16) < 22) return "malformed WAVE_FORMAT_EXTENSIBLE fmt chunk";
        const uint8_t* guid = p + 24;
        if (std::memcmp(guid + 2, kSubformatTail, sizeof kSubformatTail) != 0)
            return "unsupported WAVE_FORMAT_EXTENSIBLE sub-format";
        tag = le16(guid);
    }
    if (!formatFor(tag, bits, info.format)) {
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
    const uint32_t expected = channels * static_cast<uint32_t>(bytesPerSample(info.format));
    if (blockAlign != expected)
        return "inconsistent fmt chunk: block align " + std::to_string(blockAlign) + ", expected " +
               std::to_string(expected);
    info.channels = channels;
    info.sampleRate = rate;
    info.blockAlign = expected;
    return "";
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

WavReadResult parseWav(const uint8_t* bytes, size_t size, WavAudio& audio) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return fail("not a WAV file (no RIFF/WAVE header)");

    // Walk the chunks to the end of the file. The RIFF size is not trusted:
    // writers that were cut off never filled it in.
    bool haveFmt = false;
    FmtInfo fmt{};
    const uint8_t* data = nullptr;
    uint64_t dataClaimed = 0;
    size_t dataAvailable = 0;
    size_t pos = 12;
    while (size - pos >= 8) {
        const uint8_t* header = bytes + pos;
        const uint32_t chunkSize = le32(header + 4);
        const size_t bodyStart = pos + 8;
        const size_t available = size - bodyStart;
        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFmt) {
            if (chunkSize > available) return fail("truncated fmt chunk");
            const std::string problem = parseFmt(bytes + bodyStart, chunkSize, fmt);
            if (!problem.empty()) return fail(problem);
            haveFmt = true;
        } else if (std::memcmp(header, "data", 4) == 0 && !data) {
            data = bytes + bodyStart;
            dataClaimed = chunkSize;
            dataAvailable = chunkSize < available ? chunkSize : available;
        }
        if (chunkSize >= available) break;  // the last chunk, or cut off
        pos = bodyStart + chunkSize + (chunkSize & 1u);
        if (pos > size) break;
    }
    if (!haveFmt) return fail("not a usable WAV file: no fmt chunk");
    if (!data) return fail("not a usable WAV file: no data chunk");

    WavReadResult result;
    const size_t frames = dataAvailable / fmt.blockAlign;
    if (dataClaimed > dataAvailable) {
        result.warning = "data chunk is truncated (" + std::to_string(dataClaimed) +
                         " bytes declared, " + std::to_string(dataAvailable) + " present); reading " +
                         std::to_string(frames) + " whole frames";
    } else if (dataAvailable % fmt.blockAlign != 0) {
        result.warning = "data chunk ends in a partial frame; ignored";
    }

    try {
        audio.samples.assign(frames * static_cast<size_t>(fmt.channels), 0.0f);
    } catch (const std::bad_alloc&) {
        return fail("out of memory reading " + std::to_string(frames) + " frames");
    }
    const int step = bytesPerSample(fmt.format);
    const uint8_t* p = data;
    for (float& s : audio.samples) {
        s = decode(p, fmt.format);
        p += step;
    }
    audio.sampleRate = fmt.sampleRate;
    audio.channels = fmt.channels;
    audio.sourceFormat = fmt.format;
    result.ok = true;
    return result;
}

WavReadResult readWavFile(const std::string& path, WavAudio& audio) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return fail("cannot open '" + path + "': " + std::strerror(errno));
    std::vector<uint8_t> bytes;
    try {
        uint8_t buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
    } catch (const std::bad_alloc&) {
        std::fclose(file);
        return fail("'" + path + "' is too large to read");
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) return fail("cannot read '" + path + "'");
    WavReadResult r = parseWav(bytes.data(), bytes.size(), audio);
    if (!r.ok) r.error = "'" + path + "': " + r.error;
    return r;
}

bool encodeWav(const WavAudio& audio, WavSampleFormat format, std::vector<uint8_t>& out,
               std::string& error) {
    if (audio.channels != 1 && audio.channels != 2) {
        error = "cannot write " + std::to_string(audio.channels) + " channels (mono or stereo only)";
        return false;
    }
    const uint32_t step = static_cast<uint32_t>(bytesPerSample(format));
    const uint32_t blockAlign = step * static_cast<uint32_t>(audio.channels);
    const uint64_t frames = audio.frames();
    const uint64_t dataBytes = frames * blockAlign;
    const bool floating = isFloat(format);
    const uint64_t fmtBytes = floating ? 18 : 16;
    const uint64_t factBytes = floating ? 12 : 0;
    const uint64_t riffBytes = 4 + (8 + fmtBytes) + factBytes + 8 + dataBytes + (dataBytes & 1);
    if (riffBytes > 0xFFFFFFFFull) {
        error = "audio too long for a WAV file (" + std::to_string(frames) + " frames)";
        return false;
    }
    out.clear();
    out.reserve(static_cast<size_t>(riffBytes + 8));
    putId(out, "RIFF");
    put32(out, static_cast<uint32_t>(riffBytes));
    putId(out, "WAVE");
    putId(out, "fmt ");
    put32(out, static_cast<uint32_t>(fmtBytes));
    put16(out, floating ? kTagFloat : kTagPcm);
    put16(out, static_cast<uint32_t>(audio.channels));
    put32(out, audio.sampleRate);
    put32(out, audio.sampleRate * blockAlign);
    put16(out, blockAlign);
    put16(out, step * 8);
    if (floating) {
        put16(out, 0);  // cbSize
        putId(out, "fact");
        put32(out, 4);
        put32(out, static_cast<uint32_t>(frames));
    }
    putId(out, "data");
    put32(out, static_cast<uint32_t>(dataBytes));
    const size_t count = static_cast<size_t>(frames) * static_cast<size_t>(audio.channels);
    for (size_t i = 0; i < count; ++i) encodeSample(out, audio.samples[i], format);
    if (dataBytes & 1) out.push_back(0);
    return true;
}

bool writeWavFile(const std::string& path, const WavAudio& audio, std::string& error) {
    std::vector<uint8_t> bytes;
    try {
        if (!encodeWav(audio, WavSampleFormat::Float32, bytes, error)) return false;
    } catch (const std::bad_alloc&) {
        error = "out of memory writing '" + path + "'";
        return false;
    }
    return writeFileBytes(path, bytes.data(), bytes.size(), "", error);
}
