#include "host/wav/WavWriter.h"

namespace {
constexpr size_t kWriteBuffer = 256 * 1024;
}

bool WavWriter::open(const std::string& path, const WavShape& shape, uint64_t frames, WavContainer container,
                     std::string& error) {
    abandon();
    if (!buildWavHeader(shape, frames, container, header_, error)) return false;
    if (!file_.open(path, "", error, kWriteBuffer)) return false;
    path_ = path;
    shape_ = shape;
    // The container chosen for the announced length stays: the header's
    // size cannot change once data follows it.
    container_ = header_.rf64 ? WavContainer::Rf64 : WavContainer::Auto;
    written_ = 0;
    if (!file_.write(header_.bytes.data(), header_.bytes.size(), error)) {
        abandon();
        return false;
    }
    return true;
}

bool WavWriter::write(const float* interleaved, size_t frames, std::string& error) {
    if (!file_.isOpen()) {
        error = "no output file open";
        return false;
    }
    bytes_.clear();
    encodeWavSamples(interleaved, frames * static_cast<size_t>(shape_.channels), shape_.format, bytes_);
    if (!file_.write(bytes_.data(), bytes_.size(), error)) return false;
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
    const uint8_t pad = 0;  // after odd data
    if ((final.dataBytes & 1) && !file_.write(&pad, 1, error)) return false;
    // A device takes the header announced at the start: nothing to go back to.
    return file_.isDevice() || file_.writeAt(0, final.bytes.data(), final.bytes.size(), error);
}

bool WavWriter::commit(std::string& error) {
    if (!file_.isOpen()) {
        error = "no output file open";
        return false;
    }
    if (!finishFile(error) || !file_.commit(error)) {
        abandon();
        return false;
    }
    return true;
}
