#pragma once
// The audio thread of the stress program: blocks of random sizes, content
// (silent, quiet, loud, huge, infinite, NaN, denormal), buffer layouts and
// processing forms, each output checked.
#include <windows.h>

#include <atomic>
#include <cstdint>

struct AudioStressState {
    uint64_t seed;
    std::atomic<bool> stop{false};
    std::atomic<uint64_t> blocks{0};
    // Outputs stay finite always; when the bound is positive, no output
    // sample lies further than that from what the host's buffer held before
    // the block (nothing, for a replacing block).
    float outputBound = 0.0f;
};

DWORD WINAPI audio_stress_thread(void* state);
