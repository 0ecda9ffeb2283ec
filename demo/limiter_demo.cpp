// Pushes a generated stereo signal (sines with bursts far past full scale)
// through the limiter engine in blocks and reports what came out.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "limiter/BufferRouting.h"
#include "limiter/LimiterEngine.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 44100;
constexpr int kSeconds = 4;

// A 0.4-amplitude sine; every second, a quarter second of it at 2.5.
float demoSample(int i, double frequency) {
    const double t = static_cast<double>(i) / kRate;
    const bool burst = std::fmod(t, 1.0) >= 0.5 && std::fmod(t, 1.0) < 0.75;
    return static_cast<float>((burst ? 2.5 : 0.4) * std::sin(2 * kPi * frequency * t));
}

float peak(const std::vector<float>& v) {
    float p = 0;
    for (float s : v) p = std::max(p, std::fabs(s));
    return p;
}

double toDb(double linear) { return linear > 0 ? 20 * std::log10(linear) : -INFINITY; }

}  // namespace

int main() {
    const int frames = kRate * kSeconds;
    std::vector<float> left(frames), right(frames), outLeft(frames), outRight(frames);
    for (int i = 0; i < frames; ++i) {
        left[i] = demoSample(i, 440.0);
        right[i] = demoSample(i, 330.0);
    }

    LimiterEngine* engine = createEngine();
    if (!engine) {
        std::fprintf(stderr, "limiter_demo: out of memory\n");
        return 1;
    }
    configureEngine(&engine, static_cast<float>(kRate), 2);

    // Compression 4, velocity 20 from the start; the gain goes up 6 dB halfway.
    LimiterParams params;
    getParams(engine, &params);
    for (ChannelParams& c : params.channel) {
        c.compression = 4.0f;
        c.velocity = 20.0f;
    }
    setParams(engine, &params);

    float deepest[2] = {1.0f, 1.0f};
    const int blockSizes[] = {512, 64, 4096, 1, 1000};
    int done = 0;
    for (int b = 0; done < frames; ++b) {
        if (done >= frames / 2 && params.channel[0].gain == 1.0f) {
            for (ChannelParams& c : params.channel) c.gain = static_cast<float>(std::pow(10.0, 6 * 0.05));
            setParams(engine, &params);
        }
        const int n = std::min(blockSizes[b % 5], frames - done);
        float* inputs[2] = {&left[done], &right[done]};
        float* outputs[2] = {&outLeft[done], &outRight[done]};
        routeAudioBlock(&engine, static_cast<float>(kRate), inputs, outputs, n, StoreForm::Replace);
        for (int c = 0; c < 2; ++c) deepest[c] = std::min(deepest[c], engine->channelState[c].envelopeGain);
        done += n;
    }
    releaseEngine(&engine);

    std::printf("Q-Clamper engine demo: %d s of stereo at %d Hz, compression 4, velocity 20,\n",
                kSeconds, kRate);
    std::printf("gain 0 dB, then +6 dB from %d s\n", kSeconds / 2);
    const char* names[2] = {"left ", "right"};
    const std::vector<float>* ins[2] = {&left, &right};
    const std::vector<float>* outs[2] = {&outLeft, &outRight};
    for (int c = 0; c < 2; ++c) {
        std::printf("%s  input peak %.6f (%+.2f dB)  output peak %.6f (%+.2f dB)  deepest gain %.6f (%+.2f dB)\n",
                    names[c], peak(*ins[c]), toDb(peak(*ins[c])), peak(*outs[c]),
                    toDb(peak(*outs[c])), deepest[c], toDb(deepest[c]));
    }
    return 0;
}
