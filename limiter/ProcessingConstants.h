#pragma once
// Constants of the audio path, each taken in single precision and used in
// double: the output must come out the same to the bit in every build.

// A parameter change is ramped in over this many samples of the next block.
constexpr int kRampLength = 48;

// Added to every input sample, and the least value of 1 - |x|.
const double kTiny = static_cast<double>(1e-30f);

// Largest magnitude the limiter lets through.
const double kCeiling = static_cast<double>(0.99999f);

// One forty-eighth: the ramp's step is the change times this.
const double kRampStep = static_cast<double>(0.020833334f);
