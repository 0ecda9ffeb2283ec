#include "host/wav/WavReader.h"
#include "host/files/FileBytes.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t kSizeInDs64 = 0xFFFFFFFF;  // an RF64 size field: see the ds64 chunk
constexpr size_t kRawBytesPerSlice = 64 * 1024;

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, uint8_t* bytes, size_t count) override {
        if (offset > size_ || count > size_ - offset) return false;
        if (count) std::memcpy(bytes, bytes_ + offset, count);
        return true;
    }

private:
    const uint8_t* bytes_;
    size_t size_;
};

class FileSource : public ByteSource {
public:
    FileSource(std::FILE* file, uint64_t size) : file_(file), size_(size) {
        std::setvbuf(file_, nullptr, _IOFBF, kRawBytesPerSlice);
    }
    ~FileSource() override { std::fclose(file_); }
    uint64_t size() const override { return size_; }
    bool read(uint64_t offset, uint8_t* bytes, size_t count) override {
        if (offset != position_ && !seekFile(file_, offset)) return false;
        const size_t got = std::fread(bytes, 1, count, file_);
        position_ = offset + got;
        return got == count;
    }

private:
    std::FILE* file_;
    uint64_t size_;
    uint64_t position_ = ~0ull;  // unknown until the first seek
};

WavReadResult failure(const std::string& message) {
    WavReadResult r;
    r.error = message;
    return r;
}

}  // namespace

WavReadResult WavReader::openFile(const std::string& path) {
    close();
    std::string error;
    std::FILE* file = ::openFile(path, "rb", "", error);
    if (!file) return failure(error);
    uint64_t size = 0;
    if (!fileSize(file, size)) {
        std::fclose(file);
        return failure("cannot read '" + path + "'");
    }
    source_.reset(new FileSource(file, size));
    name_ = "'" + path + "'";
    return parseHeader();
}

WavReadResult WavReader::openMemory(const uint8_t* bytes, size_t size) {
    close();
    source_.reset(new MemorySource(bytes, size));
    return parseHeader();
}

void WavReader::close() {
    source_.reset();
    name_.clear();
    shape_ = WavShape();
    rf64_ = false;
    dataOffset_ = frames_ = framesRead_ = 0;
}

std::string WavReader::prefix() const { return name_.empty() ? name_ : name_ + ": "; }

std::string WavReader::cannotRead() const { return "cannot read " + (name_.empty() ? "the audio" : name_); }

WavReadResult WavReader::parseHeader() {
    const uint64_t size = source_->size();
    uint8_t riff[12];
    if (!source_->read(0, riff, sizeof riff) || std::memcmp(riff + 8, "WAVE", 4) != 0 ||
        (std::memcmp(riff, "RIFF", 4) != 0 && std::memcmp(riff, "RF64", 4) != 0 && std::memcmp(riff, "BW64", 4) != 0))
        return failure(prefix() + "not a WAV file (no RIFF/WAVE header)");
    rf64_ = std::memcmp(riff, "RIFF", 4) != 0;

    // Walk the chunks to the end of the file. The RIFF size is not trusted:
    // writers that were cut off never filled it in.
    bool haveFmt = false, haveDs64 = false, haveData = false, unsized = false;
    uint64_t ds64DataBytes = 0, dataClaimed = 0, dataAvailable = 0;
    uint64_t pos = 12;
    while (size - pos >= 8) {
        uint8_t header[8];
        if (!source_->read(pos, header, sizeof header)) return failure(cannotRead());
        uint64_t chunkSize = get32(header + 4);
        const uint64_t bodyStart = pos + 8;
        const uint64_t available = size - bodyStart;
        if (std::memcmp(header, "fmt ", 4) == 0 && !haveFmt) {
            if (chunkSize > available) return failure(prefix() + "truncated fmt chunk");
            uint8_t body[64];  // parseWavFmt reads at most the first 40 bytes
            if (!source_->read(bodyStart, body, std::min<uint64_t>(chunkSize, sizeof body)))
                return failure(cannotRead());
            const std::string problem = parseWavFmt(body, static_cast<uint32_t>(chunkSize), shape_);
            if (!problem.empty()) return failure(prefix() + problem);
            haveFmt = true;
        } else if (std::memcmp(header, "ds64", 4) == 0 && rf64_ && !haveDs64) {
            uint8_t body[28];  // RIFF size, data size, sample count, table length
            if (chunkSize < sizeof body || chunkSize > available || !source_->read(bodyStart, body, sizeof body))
                return failure(prefix() + "malformed ds64 chunk");
            ds64DataBytes = get64(body + 8);
            haveDs64 = true;
        } else if (std::memcmp(header, "data", 4) == 0 && !haveData) {
            if (rf64_ && chunkSize == kSizeInDs64) {
                if (!haveDs64) return failure(prefix() + "RF64 file without a ds64 chunk before its data");
                chunkSize = ds64DataBytes;
            } else if (chunkSize == kSizeInDs64) {
                // A writer that never filled the size in: the data runs to
                // the end of the file, which may hold more than 4 GiB.
                chunkSize = available;
                unsized = true;
            }
            haveData = true;
            dataOffset_ = bodyStart;
            dataClaimed = chunkSize;
            dataAvailable = std::min(chunkSize, available);
        }
        if (chunkSize >= available) break;  // the last chunk, or cut off
        pos = bodyStart + chunkSize + (chunkSize & 1u);
        if (pos > size) break;
    }
    if (!haveFmt) return failure(prefix() + "not a usable WAV file: no fmt chunk");
    if (!haveData) return failure(prefix() + "not a usable WAV file: no data chunk");

    WavReadResult result;
    const uint32_t blockAlign = shape_.blockAlign();
    frames_ = dataAvailable / blockAlign;
    if (unsized) {
        result.warning = "data chunk size not filled in (0xFFFFFFFF); reading " + std::to_string(frames_) +
                         " whole frames to the end of the file";
    } else if (dataClaimed > dataAvailable) {
        result.warning = "data chunk is truncated (" + std::to_string(dataClaimed) + " bytes declared, " +
                         std::to_string(dataAvailable) + " present); reading " + std::to_string(frames_) +
                         " whole frames";
    } else if (dataAvailable % blockAlign != 0) {
        result.warning = "data chunk ends in a partial frame; ignored";
    }
    result.ok = true;
    return result;
}

bool WavReader::read(float* interleaved, size_t frames, std::string& error) {
    if (!source_ || frames > framesLeft()) {
        error = "read past the end of the audio";
        return false;
    }
    const size_t blockAlign = shape_.blockAlign();
    const size_t step = static_cast<size_t>(wavBytesPerSample(shape_.format));
    const size_t framesPerSlice = std::max<size_t>(1, kRawBytesPerSlice / blockAlign);
    raw_.resize(std::min(frames, framesPerSlice) * blockAlign);
    while (frames > 0) {
        const size_t n = std::min(frames, framesPerSlice);
        if (!source_->read(dataOffset_ + framesRead_ * blockAlign, raw_.data(), n * blockAlign)) {
            error = cannotRead();
            return false;
        }
        const size_t samples = n * static_cast<size_t>(shape_.channels);
        for (size_t i = 0; i < samples; ++i) interleaved[i] = decodeWavSample(&raw_[i * step], shape_.format);
        interleaved += samples;
        framesRead_ += n;
        frames -= n;
    }
    return true;
}
