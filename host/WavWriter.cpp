#include "host/WavWriter.h"
#include "host/FileBytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
constexpr size_t kWriteBuffer = 256 * 1024;
}

std::string WavWriter::temporaryPathFor(const std::string& path) { return path + ".partial"; }

bool WavWriter::open(const std::string& path, const WavShape& shape, uint64_t frames, WavContainer container,
                     std::string& error) {
    abandon();
    if (!buildWavHeader(shape, frames, container, header_, error)) return false;
    // The user asked for `path`: messages name it, not the temporary file.
    if (isFolder(path)) {
        error = "cannot create '" + path + "': it is a folder, not a file";
        return false;
    }
    const bool device = isDevice(path);  // NUL: nothing there to protect
    file_ = std::fopen(device ? path.c_str() : temporaryPathFor(path).c_str(), "wb");
    if (!file_) {
        error = "cannot create '" + path + "': " + std::strerror(errno);
        return false;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kWriteBuffer);
    path_ = path;
    temporary_ = device ? "" : temporaryPathFor(path);
    shape_ = shape;
    // The container chosen for the announced length stays: the header's
    // size cannot change once data follows it.
    container_ = header_.rf64 ? WavContainer::Rf64 : WavContainer::Auto;
    written_ = 0;
    if (std::fwrite(header_.bytes.data(), 1, header_.bytes.size(), file_) != header_.bytes.size()) {
        error = "cannot write '" + path_ + "'";
        abandon();
        return false;
    }
    return true;
}

bool WavWriter::write(const float* interleaved, size_t frames, std::string& error) {
    if (!file_) {
        error = "no output file open";
        return false;
    }
    bytes_.clear();
    encodeWavSamples(interleaved, frames * static_cast<size_t>(shape_.channels), shape_.format, bytes_);
    if (std::fwrite(bytes_.data(), 1, bytes_.size(), file_) != bytes_.size()) {
        error = "cannot write '" + path_ + "' (is the disk full?)";
        return false;
    }
    written_ += frames;
    return true;
}

bool WavWriter::finishFile(std::string& error) {
    WavHeader final;
    if (!buildWavHeader(shape_, written_, container_, final, error)) return false;
    if (final.bytes.size() != header_.bytes.size()) {
        error = "'" + path_ + "': more audio than announced for a plain WAV header";
        return false;
    }
    if (final.dataBytes & 1) std::fputc(0, file_);  // the pad byte after odd data
    if (temporary_.empty()) return true;               // a device: nothing to go back to
    return seekFile(file_, 0) && std::fwrite(final.bytes.data(), 1, final.bytes.size(), file_) == final.bytes.size();
}

bool WavWriter::commit(std::string& error) {
    if (!file_) {
        error = "no output file open";
        return false;
    }
    std::string reason;
    const bool finished = finishFile(reason);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!finished || !closed) {
        error = !reason.empty() ? reason : "cannot write '" + path_ + "' (is the disk full?)";
        abandon();
        return false;
    }
    if (!temporary_.empty() && !replaceFile(temporary_, path_, error)) {
        abandon();
        return false;
    }
    temporary_.clear();
    return true;
}

void WavWriter::abandon() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    if (!temporary_.empty()) std::remove(temporary_.c_str());
    temporary_.clear();
}
