#include "host/wav/WavFile.h"
#include "host/wav/WavWriter.h"

#include <new>

namespace {

WavReadResult readAll(WavReader& reader, WavReadResult header, WavAudio& audio) {
    if (!header.ok) return header;
    const WavShape& shape = reader.shape();
    const uint64_t samples = reader.frames() * static_cast<uint64_t>(shape.channels);
    try {
        if (samples > audio.samples.max_size()) throw std::bad_alloc();
        audio.samples.assign(static_cast<size_t>(samples), 0.0f);
    } catch (const std::bad_alloc&) {
        header.ok = false;
        header.error = "out of memory reading " + std::to_string(reader.frames()) + " frames";
        return header;
    }
    if (!reader.read(audio.samples.data(), static_cast<size_t>(reader.frames()), header.error)) {
        header.ok = false;
        return header;
    }
    audio.sampleRate = shape.sampleRate;
    audio.channels = shape.channels;
    audio.sourceFormat = shape.format;
    return header;
}

}  // namespace

WavReadResult parseWav(const uint8_t* bytes, size_t size, WavAudio& audio) {
    WavReader reader;
    return readAll(reader, reader.openMemory(bytes, size), audio);
}

WavReadResult readWavFile(const std::string& path, WavAudio& audio) {
    WavReader reader;
    return readAll(reader, reader.openFile(path), audio);
}

bool encodeWav(const WavAudio& audio, WavSampleFormat format, std::vector<uint8_t>& out, std::string& error,
               WavContainer container) {
    WavShape shape = audio.shape();
    shape.format = format;
    WavHeader header;
    if (!buildWavHeader(shape, audio.frames(), container, header, error)) return false;
    out = header.bytes;
    out.reserve(static_cast<size_t>(out.size() + header.dataBytes + 1));
    encodeWavSamples(audio.samples.data(), audio.frames() * static_cast<size_t>(audio.channels), format, out);
    if (header.dataBytes & 1) out.push_back(0);
    return true;
}

bool writeWavFile(const std::string& path, const WavAudio& audio, std::string& error) {
    WavShape shape = audio.shape();
    shape.format = WavSampleFormat::Float32;
    WavWriter writer;
    return writer.open(path, shape, audio.frames(), WavContainer::Auto, error) &&
           writer.write(audio.samples.data(), audio.frames(), error) && writer.commit(error);
}
