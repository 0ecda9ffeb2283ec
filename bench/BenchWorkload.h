#pragma once
// The work both benchmark programs time: stereo blocks through the engine,
// steady or ramping, in either store form, and the two floors it is compared
// with. Every block takes the next stretch of a long signal, as a host's
// stream does: a block replayed over and over would let the processor's
// branch predictor learn its samples by heart, which no real audio allows.
#include <cstdint>
#include <vector>

#include "limiter/LimiterEngine.h"
#include "limiter/Magnitude.h"
#include "limiter/UnmeasuredProcessing.h"

// About one and a half seconds of stereo at 44.1 kHz: quiet noise with
// regular overshoots, so that the clamp path is taken too. A scale of 1e-39
// makes every sample a denormal.
class BenchSignal {
public:
    static constexpr int kLength = 1 << 16;
    explicit BenchSignal(float scale = 1.0f) : left_(kLength), right_(kLength) {
        uint32_t seed = 7;
        for (int i = 0; i < kLength; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const float level = (i % 97) < 5 ? 1.6f : 0.4f;
            left_[i] = scale * level * (static_cast<float>(seed >> 8) / 8388608.0f - 1.0f);
            right_[i] = -0.8f * left_[i];
        }
    }
    const float* channel(int c) const { return c == 0 ? left_.data() : right_.data(); }

private:
    std::vector<float> left_, right_;
};

// Where the next block starts: blocks follow each other through the signal
// and wrap around at its end.
class StreamPosition {
public:
    explicit StreamPosition(int frames) : frames_(frames) {}
    int next() {
        const int start = position_;
        position_ += frames_;
        if (position_ + frames_ > BenchSignal::kLength) position_ = 0;
        return start;
    }

private:
    int frames_;
    int position_ = 0;
};

// How much of the gain measurement runs: none (the same blocks without it,
// to show what it costs), what the meter needs, or also the count of limited
// frames that a host switches on by reading.
enum class Measured { No, Meter, Counted };

class EngineWorkload {
public:
    EngineWorkload(int frames, bool adding, bool ramping, Measured measured = Measured::Meter,
                   float signalScale = 1.0f)
        : frames_(frames), adding_(adding), ramping_(ramping),
          measured_(measured != Measured::No), signal_(signalScale), position_(frames),
          out1_(frames), out2_(frames) {
        engine_ = createEngine();
        configureEngine(&engine_, 44100.0f, 2);
        getParams(engine_, &params_);
        GainReading reading;
        if (measured == Measured::Counted) readGainReduction(engine_, kHostReader, &reading);
    }
    ~EngineWorkload() { destroyEngine(&engine_); }
    EngineWorkload(const EngineWorkload&) = delete;
    EngineWorkload& operator=(const EngineWorkload&) = delete;

    void runBlock() {
        if (ramping_) {
            toggle_ = !toggle_;
            params_.channel[0].gain = params_.channel[1].gain = toggle_ ? 2.0f : 1.0f;
            setParams(engine_, &params_);
        }
        const int start = position_.next();
        const float* in1 = signal_.channel(0) + start;
        const float* in2 = signal_.channel(1) + start;
        const auto block = adding_ ? (measured_ ? processBlockAdd : processBlockAddUnmeasured)
                                   : (measured_ ? processBlockReplace : processBlockReplaceUnmeasured);
        block(&engine_, in1, in2, out1_.data(), out2_.data(), frames_);
    }
    float sink() const { return out1_[frames_ / 2] + out2_[frames_ - 1]; }

private:
    int frames_;
    bool adding_, ramping_, measured_, toggle_ = false;
    BenchSignal signal_;
    StreamPosition position_;
    std::vector<float> out1_, out2_;
    LimiterEngine* engine_ = nullptr;
    LimiterParams params_{};
};

// What any per-sample peak limiter with this envelope must pay, at the
// default settings: the envelope recurrence alone, on shaped samples, their
// magnitudes and their reciprocals prepared beforehand (no shaping, no ramp,
// no locking), each output rounded to float as it is stored.
class FloorData {
public:
    FloorData() {
        const BenchSignal signal;
        for (int c = 0; c < 2; ++c) {
            y_[c].resize(BenchSignal::kLength);
            magnitude_[c].resize(BenchSignal::kLength);
            reciprocal_[c].resize(BenchSignal::kLength);
            for (int i = 0; i < BenchSignal::kLength; ++i) {
                const float y = signal.channel(c)[i];
                y_[c][i] = y;
                magnitude_[c][i] = magnitude(y);
                reciprocal_[c][i] = 1.0 / static_cast<double>(y);
            }
        }
    }
    const float* y(int c) const { return y_[c].data(); }
    const float* magnitudes(int c) const { return magnitude_[c].data(); }
    const double* reciprocal(int c) const { return reciprocal_[c].data(); }

private:
    std::vector<float> y_[2], magnitude_[2];
    std::vector<double> reciprocal_[2];
};

struct FloorEnvelope {
    double gain = 1.0;
    float level = 1e-30f;
};

// What both floors keep: where the stream is, its prepared samples, the
// outputs and each channel's envelope between blocks.
class FloorWorkload {
public:
    explicit FloorWorkload(int frames)
        : frames_(frames), position_(frames),
          out_{std::vector<float>(frames), std::vector<float>(frames)} {}
    float sink() const { return out_[0][frames_ / 2]; }

protected:
    int frames_;
    StreamPosition position_;
    FloorData data_;
    std::vector<float> out_[2];
    FloorEnvelope env_[2];
};

// The floor as the recurrence allows it: both channels in one loop, so that
// one channel's dependent chain (rise, recovery, cap at 1, overshoot) runs
// while the other's waits. The rise picks its factor from a table instead of
// branching on the noise.
class InterleavedFloor : public FloorWorkload {
public:
    using FloorWorkload::FloorWorkload;
    void runBlock() {
        const int start = position_.next();
        const double recovery = 1.0005, ceiling = 0.99999, limit = 1.0;
        const double rise[2] = {1.0, 1.0 / 1.0005};
        const float* y0 = data_.y(0) + start;
        const float* y1 = data_.y(1) + start;
        const float* m0 = data_.magnitudes(0) + start;
        const float* m1 = data_.magnitudes(1) + start;
        const double* r0 = data_.reciprocal(0) + start;
        const double* r1 = data_.reciprocal(1) + start;
        float* out0 = out_[0].data();
        float* out1 = out_[1].data();
        double g0 = env_[0].gain, g1 = env_[1].gain;
        float level0 = env_[0].level, level1 = env_[1].level;
        for (int i = 0; i < frames_; ++i) {
            g0 *= rise[m0[i] > level0];
            g1 *= rise[m1[i] > level1];
            g0 *= recovery;
            g1 *= recovery;
            g0 = 1.0 < g0 ? 1.0 : g0;
            g1 = 1.0 < g1 ? 1.0 : g1;
            double o0 = y0[i] * g0, o1 = y1[i] * g1;
            if (magnitude(o0) > ceiling) {
                o0 = o0 > 0.0 ? ceiling : -ceiling;
                g0 = o0 > 0.0 ? r0[i] : -r0[i];
            }
            if (magnitude(o1) > ceiling) {
                o1 = o1 > 0.0 ? ceiling : -ceiling;
                g1 = o1 > 0.0 ? r1[i] : -r1[i];
            }
            out0[i] = static_cast<float>(o0 * limit);
            out1[i] = static_cast<float>(o1 * limit);
            level0 = m0[i];
            level1 = m1[i];
        }
        env_[0] = {g0, level0};
        env_[1] = {g1, level1};
    }
};

// The first floor, kept as a second reference: the per-sample steps with
// their branches, one channel after the other, so that each channel's chain
// is paid in turn.
class SequentialFloor : public FloorWorkload {
public:
    using FloorWorkload::FloorWorkload;
    void runBlock() {
        const int start = position_.next();
        const double rf = 1.0005, rinv = 1.0 / 1.0005, ceiling = 0.99999, limit = 1.0;
        for (int c = 0; c < 2; ++c) {
            double g = env_[c].gain;
            float level = env_[c].level;
            const float* y = data_.y(c) + start;
            float* out = out_[c].data();
            for (int i = 0; i < frames_; ++i) {
                const float m = magnitude(y[i]);
                if (m > level) g *= rinv;
                g *= rf;
                if (g > 1.0) g = 1.0;
                double o = y[i] * g;
                if (o > ceiling) {
                    o = ceiling;
                    g = 1.0 / y[i];
                } else if (o < -ceiling) {
                    o = -ceiling;
                    g = -1.0 / y[i];
                }
                out[i] = static_cast<float>(o * limit);
                level = m;
            }
            env_[c] = {g, level};
        }
    }
};
