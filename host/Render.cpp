#include "host/Render.h"

#include <algorithm>
#include <vector>

bool renderAudio(PluginHost& host, const WavAudio& input, WavAudio& output, const RenderSettings& settings,
                 std::string& error) {
    if (input.channels != 1 && input.channels != 2) {
        error = "cannot render " + std::to_string(input.channels) + " channels";
        return false;
    }
    if (settings.blockSize < 1) {
        error = "bad block size " + std::to_string(settings.blockSize);
        return false;
    }
    output.sampleRate = input.sampleRate;
    output.channels = input.channels;
    output.sourceFormat = WavSampleFormat::Float32;
    output.samples.assign(input.samples.size(), 0.0f);
    if (settings.mute) {
        if (settings.progress) settings.progress(1.0);
        return true;
    }

    AEffect* effect = host.effect();
    if (!effect) {
        error = "no plug-in loaded";
        return false;
    }
    if (input.sampleRate < kMinimumSampleRate) {
        error = "sample rate " + std::to_string(input.sampleRate) + " Hz is too low: the limiter needs more than 100 Hz";
        return false;
    }
    AEffectProcessProc run = settings.accumulate ? effect->process : effect->processReplacing;
    if (!run || (!settings.accumulate && !(effect->flags & effFlagsCanReplacing))) {
        error = settings.accumulate ? "the plug-in has no process()"
                                    : "the plug-in cannot processReplacing(); try --process";
        return false;
    }
    if (effect->numInputs < 1 || effect->numOutputs < 1) {
        error = "the plug-in has no audio inputs or outputs";
        return false;
    }

    host.dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(input.sampleRate));
    host.dispatch(effSetBlockSize, 0, settings.blockSize);
    host.dispatch(effMainsChanged, 0, 1);

    const size_t block = static_cast<size_t>(settings.blockSize);
    const size_t channels = static_cast<size_t>(input.channels);
    const size_t frames = input.frames();
    // Two inputs and two outputs always: a mono file feeds the same buffer
    // to both inputs, and channel 2's output goes to a scratch buffer.
    std::vector<float> in1(block), in2(block), out1(block), out2(block);
    float* inputs[2] = {in1.data(), channels == 2 ? in2.data() : in1.data()};
    float* outputs[2] = {out1.data(), out2.data()};
    for (size_t done = 0; done < frames;) {
        const size_t n = std::min(block, frames - done);
        const float* src = &input.samples[done * channels];
        for (size_t i = 0; i < n; ++i) {
            in1[i] = src[i * channels];
            if (channels == 2) in2[i] = src[i * 2 + 1];
        }
        // Cleared for both forms: process() adds into them, and an effect
        // that leaves a block unwritten must not repeat the previous one.
        std::fill(out1.begin(), out1.begin() + n, 0.0f);
        std::fill(out2.begin(), out2.begin() + n, 0.0f);
        run(effect, inputs, outputs, static_cast<int32_t>(n));
        float* dst = &output.samples[done * channels];
        for (size_t i = 0; i < n; ++i) {
            dst[i * channels] = out1[i];
            if (channels == 2) dst[i * 2 + 1] = out2[i];
        }
        done += n;
        if (settings.progress) settings.progress(static_cast<double>(done) / frames);
    }
    host.dispatch(effMainsChanged, 0, 0);
    return true;
}
