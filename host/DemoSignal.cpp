#include "host/DemoSignal.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kBeat = 0.5;  // seconds: 120 beats per minute

// Frequencies of an A minor, F, C, G progression, one chord per two beats.
constexpr double kChords[4][3] = {
    {220.00, 261.63, 329.63},
    {174.61, 220.00, 261.63},
    {130.81, 164.81, 196.00},
    {196.00, 246.94, 293.66},
};

// A tone with a few harmonics, so the waveform is not a plain sine.
double tone(double frequency, double t) {
    const double w = 2 * kPi * frequency * t;
    return std::sin(w) + 0.35 * std::sin(2 * w) + 0.15 * std::sin(3 * w);
}

// Level multiplier: moderate, then bursts about 10 dB past full scale.
double drive(double t) {
    if ((t >= 2.0 && t < 3.0) || (t >= 4.5 && t < 5.0)) return 3.2;
    return 1.0;
}

}  // namespace

WavAudio makeDemoSignal() {
    WavAudio audio;
    audio.sampleRate = kDemoSampleRate;
    audio.channels = 2;
    const size_t frames = static_cast<size_t>(kDemoSeconds * kDemoSampleRate);
    audio.samples.resize(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / kDemoSampleRate;
        const int beat = static_cast<int>(t / kBeat);
        const double sinceBeat = t - beat * kBeat;
        const double (&chord)[3] = kChords[(beat / 2) % 4];
        const double noteEnvelope = std::exp(-3.0 * sinceBeat) * std::fmin(1.0, sinceBeat * 200.0);
        // The thump: a falling sine under every beat.
        const double thump = 0.5 * std::exp(-18.0 * sinceBeat) *
                             std::sin(2 * kPi * (55.0 + 60.0 * std::exp(-30.0 * sinceBeat)) * sinceBeat);
        // Left leans on the lower notes, right on the upper ones.
        const double left = 0.16 * (1.2 * tone(chord[0], t) + tone(chord[1], t) + 0.8 * tone(chord[2], t));
        const double right = 0.16 * (0.8 * tone(chord[0], t) + tone(chord[1], t) + 1.2 * tone(chord[2], t * 1.001));
        const double g = drive(t);
        audio.samples[2 * i] = static_cast<float>(g * (noteEnvelope * left + thump));
        audio.samples[2 * i + 1] = static_cast<float>(g * (noteEnvelope * right + thump));
    }
    return audio;
}
