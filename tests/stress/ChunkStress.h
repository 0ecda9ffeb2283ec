#pragma once
// The chunk thread of the stress program: random chunks (plausible settings,
// extreme values, random bytes, wrong sizes), chunk reads and parameter
// calls, on a thread other than the editor's, as a host loading a song does.
#include <windows.h>

#include <atomic>
#include <cstdint>

struct ChunkStressState {
    uint64_t seed;
    std::atomic<bool> stop{false};
    std::atomic<uint64_t> chunks{0};
};

DWORD WINAPI chunk_stress_thread(void* state);

// A random 64-byte chunk (also used by the UI thread).
class Random;
void random_chunk(Random& rng, unsigned char (&bytes)[64], char* description, int size);
