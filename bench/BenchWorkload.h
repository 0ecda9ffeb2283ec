#pragma once
// The work both benchmark programs time: stereo blocks through the engine,
// steady or ramping, in either store form, and the floor it is compared
// with: the bare per-sample envelope recurrence on two channels.
#include <cmath>
#include <cstdint>
#include <vector>

#include "limiter/LimiterEngine.h"

class EngineWorkload {
public:
    EngineWorkload(int frames, bool adding, bool ramping)
        : frames_(frames), adding_(adding), ramping_(ramping), in1_(frames), in2_(frames),
          out1_(frames), out2_(frames) {
        uint32_t seed = 7;
        for (int i = 0; i < frames; ++i) {
            seed = seed * 1664525u + 1013904223u;
            // Quiet with regular overshoots, so the clamp path is taken too.
            const float level = (i % 97) < 5 ? 1.6f : 0.4f;
            in1_[i] = level * (static_cast<float>(seed >> 8) / 8388608.0f - 1.0f);
            in2_[i] = -0.8f * in1_[i];
        }
        engine_ = createEngine();
        configureEngine(&engine_, 44100.0f, 2);
        getParams(engine_, &params_);
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
        if (adding_) {
            processBlockAdd(&engine_, in1_.data(), in2_.data(), out1_.data(), out2_.data(), frames_);
        } else {
            processBlockReplace(&engine_, in1_.data(), in2_.data(), out1_.data(), out2_.data(), frames_);
        }
    }
    float sink() const { return out1_[frames_ / 2] + out2_[frames_ - 1]; }

private:
    int frames_;
    bool adding_, ramping_, toggle_ = false;
    std::vector<float> in1_, in2_, out1_, out2_;
    LimiterEngine* engine_ = nullptr;
    LimiterParams params_{};
};

// Steps 4 to 11 of the sample loop only (no shaping, no ramp, no locking):
// what any per-sample peak limiter with this envelope must pay.
class FloorWorkload {
public:
    explicit FloorWorkload(int frames) : frames_(frames), y_(2 * frames), out_(2 * frames) {
        uint32_t seed = 11;
        for (int i = 0; i < 2 * frames; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const float level = ((i / 2) % 97) < 5 ? 1.6f : 0.4f;
            y_[i] = level * (static_cast<float>(seed >> 8) / 8388608.0f - 1.0f);
        }
    }
    void runBlock() {
        const double rf = 1.0005, rinv = 1.0 / 1.0005, ceiling = 0.99999, limit = 1.0;
        for (int c = 0; c < 2; ++c) {
            double g = gain_[c];
            float level = level_[c];
            const float* y = &y_[c * frames_];
            float* out = &out_[c * frames_];
            for (int i = 0; i < frames_; ++i) {
                const float m = std::fabs(y[i]);
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
            gain_[c] = g;
            level_[c] = level;
        }
    }
    float sink() const { return out_[frames_ / 2]; }

private:
    int frames_;
    std::vector<float> y_, out_;
    double gain_[2] = {1.0, 1.0};
    float level_[2] = {1e-30f, 1e-30f};
};
