#pragma once
// A second, deliberately plain model of the limiter, written straight from
// the processing steps and kept apart from the engine: one sample at a time,
// no templates, no tables. The golden tests compare the engine against it
// bit for bit. It models finite input and parameters only.
#include <cmath>
#include <cstdint>
#include <vector>

#include "limiter/LimiterParams.h"

class ReferenceChannel {
public:
    // Coefficients as the engine derives them from one ChannelParams group.
    void setParams(const ChannelParams& p) {
        pending_ = p;
        stale_ = true;
    }
    void reset() {
        level_ = 1e-30f;
        envelope_ = 1.0f;
        stale_ = true;
    }
    // Like configuring an engine: reset, then derive without a ramp.
    void configure(const ChannelParams& p) {
        pending_ = p;
        level_ = 1e-30f;
        envelope_ = 1.0f;
        derive();
        stale_ = false;
    }

    void process(const float* in, float* out, int frames, bool adding) {
        float previousDrive = drive_, previousGain = gain_, previousLimit = limit_;
        bool ramps = stale_;
        if (stale_) {
            derive();
            stale_ = false;
        }
        double g = envelope_;
        float level = level_;
        for (int i = 0; i < frames; ++i) {
            double drive = drive_, gain = gain_, limit = limit_;
            if (ramps && i < 48) {
                drive = rampEntry(previousDrive, drive_, i);
                gain = rampEntry(previousGain, gain_, i);
                limit = rampEntry(previousLimit, limit_, i);
            }
            double x = (double)in[i] + (double)1e-30f;
            double t = 1.0 - std::fabs(x);
            if (t < (double)1e-30f) t = (double)1e-30f;
            float y = (float)(x * gain * (1.0 + drive * t));
            float m = std::fabs(y);
            if (m > level) g = g * (double)recoveryInverse_;
            g = g * (double)recoveryFactor_;
            if (g > 1.0) g = 1.0;
            double o = (double)y * g;
            if (o > (double)0.99999f) {
                o = (double)0.99999f;
                g = 1.0 / (double)y;
            } else if (o < -(double)0.99999f) {
                o = -(double)0.99999f;
                g = -1.0 / (double)y;
            }
            if (adding) {
                out[i] = (float)((double)out[i] + o * limit);
            } else {
                out[i] = (float)(o * limit);
            }
            level = m;
        }
        level_ = level;
        envelope_ = (float)g;
    }

    float envelope() const { return envelope_; }
    float level() const { return level_; }

private:
    void derive() {
        drive_ = (float)((double)pending_.compression - (double)0.99999f);
        gain_ = pending_.gain;
        double r = (double)pending_.velocity * (double)0.0001f + 1.0;
        recoveryFactor_ = (float)r;
        recoveryInverse_ = (float)(1.0 / r);
        limit_ = pending_.limit;
    }
    // Entry k of a 48-step ramp: the step added k + 1 times in double.
    static double rampEntry(float from, float to, int k) {
        double step = ((double)to - (double)from) * (double)0.020833334f;
        double value = from;
        for (int j = 0; j <= k; ++j) value += step;
        return (float)value;
    }

    ChannelParams pending_{1.0f, 1.0f, 5.0f, 1.0f};
    bool stale_ = true;
    float drive_ = 0, gain_ = 0, limit_ = 0, recoveryFactor_ = 0, recoveryInverse_ = 0;
    float level_ = 0, envelope_ = 0;
};
