#pragma once
// |v| for the sample loops. The compiler's builtin, not the C library's fabs:
// the 32-bit MinGW headers implement fabs as x87 inline assembly, which
// stops the shaping loop from vectorising and sends every magnitude through
// memory.
inline double magnitude(double v) { return __builtin_fabs(v); }
inline float magnitude(float v) { return __builtin_fabsf(v); }
