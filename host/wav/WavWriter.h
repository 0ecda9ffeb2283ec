#pragma once
// A WAV file written a block at a time under a temporary name beside the
// requested one, and renamed to it only when complete: a render that fails
// or is cut short never leaves a truncated file under the requested name,
// nor replaces a file that was there.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/files/FileBytes.h"
#include "host/wav/WavFormat.h"

class WavWriter {
public:
    // Creates the temporary file with a header for `frames` frames; the
    // container (RIFF or RF64) follows from that count. Messages name `path`.
    bool open(const std::string& path, const WavShape& shape, uint64_t frames, WavContainer container,
              std::string& error);
    bool write(const float* interleaved, size_t frames, std::string& error);
    // Completes the header for the frames written and renames the file to
    // the requested name.
    bool commit(std::string& error);
    // Closes and removes the temporary file; the requested name is untouched.
    void abandon() { file_.abandon(); }

    bool rf64() const { return header_.rf64; }

private:
    bool finishFile(std::string& error);

    OutputFile file_;
    std::string path_;
    WavShape shape_;
    WavContainer container_ = WavContainer::Auto;
    WavHeader header_;
    uint64_t written_ = 0;
    std::vector<uint8_t> bytes_;
};
