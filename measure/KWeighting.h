#pragma once
// The K-weighting of loudness measurement: a high shelf of about +4 dB
// above 1.5 kHz (the head's effect) followed by a high-pass near 38 Hz (the
// revised low-frequency B curve). Both are derived from their analogue
// prototypes with the bilinear transform, so that any sample rate gets its
// own coefficients; at 48 kHz they are the published table's.

// A second-order section, a0 normalised to 1.
struct Biquad {
    double b0, b1, b2, a1, a2;
};

struct KWeightingFilters {
    Biquad shelf;
    Biquad highPass;
};

KWeightingFilters kWeightingFilters(double sampleRate);

// One channel's running state through a Biquad (transposed direct form II).
class BiquadState {
public:
    double step(const Biquad& f, double x) {
        const double y = f.b0 * x + s1_;
        s1_ = f.b1 * x - f.a1 * y + s2_;
        s2_ = f.b2 * x - f.a2 * y;
        return y;
    }

private:
    double s1_ = 0.0, s2_ = 0.0;
};
