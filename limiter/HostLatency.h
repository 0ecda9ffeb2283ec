#pragma once
// What the host knows of the effect's latency. The record's initialDelay
// always holds the current mode's latency at the current rate: a host reads
// it when it resumes the effect. While the host runs the effect, a change is
// also told through its I/O-changed callback; a host that does not offer it
// answers 0 and takes the new latency at its next suspend and resume.
//
// The host may change the mode from its audio thread (automation), and a
// call into the host from there could wait for the host's own audio lock or
// break its real-time path. So a change is told at once only on another
// thread; one made on the thread that runs the audio blocks waits for the
// host's next dispatcher call from any other thread (its idle calls, for
// one) or is made moot by a suspend.
#include <windows.h>

#include <atomic>
#include <cstdint>

class PluginBase;

class HostLatency {
public:
    // Sets initialDelay to `frames`; a change while running is told to the
    // host now, or later as above.
    void update(PluginBase& effect, int32_t frames);
    // At the start of every audio block: notes the thread that runs them.
    void audioBlockStarts() { audioThread_.store(GetCurrentThreadId(), std::memory_order_relaxed); }
    // At a dispatcher call: tells the host a change still untold, unless
    // this is the audio blocks' thread.
    void dispatcherCalled(PluginBase& effect);
    // effMainsChanged: the host reads initialDelay as it resumes.
    void mainsChanged(bool running);

private:
    bool onAudioThread() const;
    std::atomic<DWORD> audioThread_{0};
    std::atomic<bool> running_{false};
    std::atomic<bool> untold_{false};
};
