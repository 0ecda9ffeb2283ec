#pragma once
// How a block call reaches the engine and how the engine's last user knows it
// is last. The owner's slot is read by the audio thread and cleared by the
// owner's release on another thread, so both go through atomic operations.
// Every block call counts itself in `callsInside` before it touches the lock
// and out after its last touch of the record; whoever frees the engine first
// waits until no other call is inside, so a block that was already waiting
// for the lock never wakes up in freed memory.
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <sched.h>
#endif

struct LimiterEngine;

inline LimiterEngine* engineInSlot(LimiterEngine* const* slot) {
    return __atomic_load_n(slot, __ATOMIC_ACQUIRE);
}

inline void clearSlot(LimiterEngine** slot) { __atomic_store_n(slot, nullptr, __ATOMIC_RELEASE); }

inline void enterEngineCall(int32_t* callsInside) {
    __atomic_fetch_add(callsInside, 1, __ATOMIC_SEQ_CST);
}

inline void leaveEngineCall(int32_t* callsInside) {
    __atomic_fetch_sub(callsInside, 1, __ATOMIC_RELEASE);
}

// Only the engine's destroyer waits, and only for calls that are between
// their first and last touch of the record: a few lock operations.
inline void waitUntilNoCallInside(const int32_t* callsInside) {
    while (__atomic_load_n(callsInside, __ATOMIC_ACQUIRE) != 0) {
#ifdef _WIN32
        SwitchToThread();
#else
        sched_yield();
#endif
    }
}
