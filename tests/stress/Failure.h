#pragma once
// How the stress program reports what it finds: one "FAILED" line naming the
// fault, the seed to run again, and the recent actions of every thread. A
// crash (an exception nobody handles, or a fault inside the plug-in or at a
// null address, which Wine may otherwise swallow) and a thread that stops
// moving (a hang) are reported the same way.
#include <windows.h>

#include <cstdint>

void start_failure_reports(uint64_t seed, const char* rerunHint);
// The plug-in module, whose faults are reported even when something would
// handle them; null when it is not loaded.
void watch_plugin_module(HMODULE module);

[[noreturn]] void fail_stress(const char* kind, const char* format, ...)
    __attribute__((format(printf, 2, 3)));

// Threads that must keep moving: each beats at least once per action.
enum StressThread { kUiThread, kAudioThread, kChunkThread, kThreadCount };
void beat(StressThread thread);
// Checks the beats from a thread of its own; a thread silent for longer than
// `seconds` is a hang.
void start_watchdog(int seconds);
// From here on no thread needs to move (the run is winding down).
void stop_watchdog();
