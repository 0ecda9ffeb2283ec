#include "measure/KWeighting.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The shelf's analogue prototype: centre frequency, gain and quality, and
// the share of the gain that lies at the shelf's midpoint.
constexpr double kShelfHertz = 1681.974450955533;
constexpr double kShelfGainDecibels = 3.999843853973347;
constexpr double kShelfQuality = 0.7071752369554196;
constexpr double kShelfMidpointExponent = 0.4996667741545416;

// The high-pass's prototype.
constexpr double kHighPassHertz = 38.13547087602444;
constexpr double kHighPassQuality = 0.5003270373238773;

constexpr double kTableRate = 48000.0;  // the rate of the published coefficients

}  // namespace

KWeightingFilters kWeightingFilters(double sampleRate) {
    KWeightingFilters f;
    // At rates too low to hold the shelf (below about 3.4 kHz) the whole
    // band lies below it: it passes unchanged.
    if (kShelfHertz >= sampleRate / 2.0) {
        f.shelf = {1.0, 0.0, 0.0, 0.0, 0.0};
    } else {
        const double k = std::tan(kPi * kShelfHertz / sampleRate);
        const double high = std::pow(10.0, kShelfGainDecibels / 20.0);
        const double mid = std::pow(high, kShelfMidpointExponent);
        const double a0 = 1.0 + k / kShelfQuality + k * k;
        f.shelf.b0 = (high + mid * k / kShelfQuality + k * k) / a0;
        f.shelf.b1 = 2.0 * (k * k - high) / a0;
        f.shelf.b2 = (high - mid * k / kShelfQuality + k * k) / a0;
        f.shelf.a1 = 2.0 * (k * k - 1.0) / a0;
        f.shelf.a2 = (1.0 - k / kShelfQuality + k * k) / a0;
    }
    {
        // The published table's numerator is 1, -2, 1: a passband gain of
        // a0 at 48 kHz, which the -0.691 offset allows for. Other rates keep
        // that gain, so that a tone reads the same at any rate.
        auto a0At = [](double rate) {
            const double k = std::tan(kPi * kHighPassHertz / rate);
            return 1.0 + k / kHighPassQuality + k * k;
        };
        const double k = std::tan(kPi * kHighPassHertz / sampleRate);
        const double a0 = a0At(sampleRate);
        const double gain = a0At(kTableRate) / a0;
        f.highPass.b0 = gain;
        f.highPass.b1 = -2.0 * gain;
        f.highPass.b2 = gain;
        f.highPass.a1 = 2.0 * (k * k - 1.0) / a0;
        f.highPass.a2 = (1.0 - k / kHighPassQuality + k * k) / a0;
    }
    return f;
}
