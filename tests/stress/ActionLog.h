#pragma once
// What each thread of the stress program did last: every thread keeps a ring
// of its recent actions, and a failure prints them all, oldest first, in the
// order they happened across threads.
#include <windows.h>

#include <cstdint>

class ActionRing {
public:
    // `name` tags the lines; the ring holds the last `capacity` actions
    // (at most kMaxCapacity).
    ActionRing(const char* name, int capacity);
    // printf-style; safe to call from the ring's own thread only.
    void log(const char* format, ...) __attribute__((format(printf, 2, 3)));

    static constexpr int kMaxCapacity = 64;
    static constexpr int kLineSize = 160;

private:
    friend void print_recent_actions(HANDLE out);
    struct Line {
        volatile uint32_t order;  // 0: empty
        uint32_t milliseconds;
        char text[kLineSize];
    };
    const char* name_;
    int capacity_;
    uint32_t written_ = 0;
    Line lines_[kMaxCapacity];
};

extern ActionRing g_uiActions;
extern ActionRing g_audioActions;
extern ActionRing g_chunkActions;

// Milliseconds since the program started.
uint32_t stress_clock();
// The recent actions of every ring, oldest first; written with WriteFile so
// that a crash handler can call it.
void print_recent_actions(HANDLE out);
