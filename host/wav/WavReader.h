#pragma once
// A WAV file read a block at a time, so that a file of any length needs only
// a block's memory: the header is parsed on opening, the samples decoded as
// they are asked for.
//
// Reads RIFF/WAVE and RF64 (or BW64) files with integer PCM (8, 16, 24 or
// 32 bits) or IEEE float (32 or 64 bits), plain or WAVE_FORMAT_EXTENSIBLE,
// mono or stereo. Chunks are walked by their sizes (odd sizes carry a pad
// byte); unknown chunks are skipped. A data chunk that claims more bytes
// than the file holds is read as far as it goes, in whole frames, with a
// warning. Every failure is a one-line message, never an exception.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/wav/WavFormat.h"

struct WavReadResult {
    bool ok = false;
    std::string error;    // one line, set when !ok
    std::string warning;  // one line or empty; set on success with a damaged file
};

// Bytes at 64-bit offsets: a file, or a file image in memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t size() const = 0;
    // Reads exactly `count` bytes at `offset`.
    virtual bool read(uint64_t offset, uint8_t* bytes, size_t count) = 0;
};

class WavReader {
public:
    // The file stays open until close() or destruction.
    WavReadResult openFile(const std::string& path);
    // The bytes must outlive the reader.
    WavReadResult openMemory(const uint8_t* bytes, size_t size);
    void close();

    const WavShape& shape() const { return shape_; }
    uint64_t frames() const { return frames_; }  // whole frames present
    uint64_t framesLeft() const { return frames_ - framesRead_; }
    bool rf64() const { return rf64_; }

    // Decodes the next `frames` frames, at most framesLeft(), interleaved.
    bool read(float* interleaved, size_t frames, std::string& error);

private:
    WavReadResult parseHeader();
    std::string prefix() const;      // "'path': " before a message about a file
    std::string cannotRead() const;  // the message for a failed read

    std::unique_ptr<ByteSource> source_;
    std::string name_;  // "'path'", or empty for bytes in memory
    WavShape shape_;
    bool rf64_ = false;
    uint64_t dataOffset_ = 0;
    uint64_t frames_ = 0;
    uint64_t framesRead_ = 0;
    std::vector<uint8_t> raw_;
};
