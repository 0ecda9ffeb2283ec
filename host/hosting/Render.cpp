#include "host/hosting/Render.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The effect checked and started for the stream; null with `error` set when
// it cannot render.
AEffectProcessProc startEffect(PluginHost& host, const RenderStream& stream, const RenderSettings& settings,
                               std::string& error) {
    AEffect* effect = host.effect();
    if (!effect) {
        error = "no plug-in loaded";
        return nullptr;
    }
    if (stream.sampleRate < kMinimumSampleRate) {
        error = "sample rate " + std::to_string(stream.sampleRate) + " Hz is too low: the limiter needs more than 100 Hz";
        return nullptr;
    }
    AEffectProcessProc run = settings.accumulate ? effect->process : effect->processReplacing;
    if (!run || (!settings.accumulate && !(effect->flags & effFlagsCanReplacing))) {
        error = settings.accumulate ? "the plug-in has no process()"
                                    : "the plug-in cannot processReplacing(); try --process";
        return nullptr;
    }
    if (effect->numInputs < 1 || effect->numOutputs < 1) {
        error = "the plug-in has no audio inputs or outputs";
        return nullptr;
    }
    host.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(stream.sampleRate));
    host.dispatch(effSetBlockSize, 0, settings.blockSize);
    host.dispatch(effMainsChanged, 0, 1);
    return run;
}

}  // namespace

bool renderStream(PluginHost& host, const RenderStream& stream, const RenderSettings& settings, std::string& error) {
    if (stream.channels != 1 && stream.channels != 2) {
        error = "cannot render " + std::to_string(stream.channels) + " channels";
        return false;
    }
    if (settings.blockSize < 1) {
        error = "bad block size " + std::to_string(settings.blockSize);
        return false;
    }
    AEffectProcessProc run = nullptr;
    if (!settings.mute && !(run = startEffect(host, stream, settings, error))) return false;

    const size_t block = static_cast<size_t>(settings.blockSize);
    const size_t channels = static_cast<size_t>(stream.channels);
    // Two inputs and two outputs always: a mono stream feeds the same buffer
    // to both inputs, and channel 2's output goes to a scratch buffer.
    std::vector<float> in(block * channels), out(block * channels);
    std::vector<float> in1(block), in2(block), out1(block), out2(block);
    float* inputs[2] = {in1.data(), channels == 2 ? in2.data() : in1.data()};
    float* outputs[2] = {out1.data(), out2.data()};
    // A first question before any block: a plug-in may start counting what
    // the report needs only once it knows someone reads it.
    if (run && settings.gainReading) {
        GainReading none = {};
        host.dispatch(kVendorSpecificOpcode, kGainReadingQuery, 0, &none);
    }
    bool ok = true;
    for (uint64_t done = 0; ok && done < stream.frames;) {
        const size_t n = static_cast<size_t>(std::min<uint64_t>(block, stream.frames - done));
        if (!(ok = stream.read(in.data(), n, error))) break;
        if (run) {
            for (size_t i = 0; i < n; ++i) {
                in1[i] = in[i * channels];
                if (channels == 2) in2[i] = in[i * 2 + 1];
            }
            // Cleared for both forms: process() adds into them, and an effect
            // that leaves a block unwritten must not repeat the previous one.
            std::fill(out1.begin(), out1.begin() + n, 0.0f);
            std::fill(out2.begin(), out2.begin() + n, 0.0f);
            run(host.effect(), inputs, outputs, static_cast<int32_t>(n));
            if (settings.gainReading) {
                GainReading reading = {};
                const bool filled = host.dispatch(kVendorSpecificOpcode, kGainReadingQuery, 0, &reading) == 1;
                settings.gainReading(done, n, filled ? &reading : nullptr);
            }
            for (size_t i = 0; i < n; ++i) {
                out[i * channels] = out1[i];
                if (channels == 2) out[i * 2 + 1] = out2[i];
            }
        }  // muted: `out` stays silent
        if (!(ok = stream.write(out.data(), n, error))) break;
        done += n;
        if (settings.progress) settings.progress(static_cast<double>(done) / static_cast<double>(stream.frames));
    }
    if (run) host.dispatch(effMainsChanged, 0, 0);
    return ok;
}

bool renderAudio(PluginHost& host, const WavAudio& input, WavAudio& output, const RenderSettings& settings,
                 std::string& error) {
    output.sampleRate = input.sampleRate;
    output.channels = input.channels;
    output.sourceFormat = WavSampleFormat::Float32;
    output.samples.assign(input.samples.size(), 0.0f);
    const size_t channels = static_cast<size_t>(input.channels > 0 ? input.channels : 1);
    size_t readAt = 0, writtenAt = 0;
    RenderStream stream;
    stream.sampleRate = input.sampleRate;
    stream.channels = input.channels;
    stream.frames = input.frames();
    stream.read = [&](float* interleaved, size_t frames, std::string&) {
        std::memcpy(interleaved, &input.samples[readAt], frames * channels * sizeof(float));
        readAt += frames * channels;
        return true;
    };
    stream.write = [&](const float* interleaved, size_t frames, std::string&) {
        std::memcpy(&output.samples[writtenAt], interleaved, frames * channels * sizeof(float));
        writtenAt += frames * channels;
        return true;
    };
    return renderStream(host, stream, settings, error);
}
