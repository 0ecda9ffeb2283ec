#pragma once
// What the floating-point state guard of the plug-in's entry points costs a
// 16-frame block: for a host thread already in the defined state, for one
// with flush-to-zero and denormals-are-zero set, and what denormal input
// costs with and without the guard.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/BenchReport.h"
#include "bench/BenchWorkload.h"
#include "platform/DefinedFloatState.h"

inline volatile float g_floatStateSink;

// A host's thread state for the length of a scope.
class HostFloatState {
public:
    explicit HostFloatState(uint32_t mxcsr) {
#ifdef QC_X86_FLOAT_STATE
        saved_ = _mm_getcsr();
        _mm_setcsr(mxcsr);
#else
        (void)mxcsr;
#endif
    }
    ~HostFloatState() {
#ifdef QC_X86_FLOAT_STATE
        _mm_setcsr(saved_);
#endif
    }

private:
    uint32_t saved_ = 0;
};

// Flush-to-zero and denormals-are-zero on top of the defined state.
constexpr uint32_t kFlushingMxcsr = kDefinedMxcsr | 0x8040;

// A replacing block as the plug-in's entry point runs it, with or without the
// guard.
class GuardedWorkload {
public:
    GuardedWorkload(int frames, bool guarded, float signalScale)
        : work_(frames, false, false, Measured::Meter, signalScale), guarded_(guarded) {}
    void runBlock() {
        if (!guarded_) return work_.runBlock();
        DefinedFloatState state(FloatUnits::Sse);
        work_.runBlock();
    }
    float sink() const { return work_.sink(); }

private:
    EngineWorkload work_;
    bool guarded_;
};

// Times `a` and `b` alternately in the host state `mxcsr`, 256 blocks at a
// time, and keeps the quickest turn of each: a busy machine slows some turns
// of both alike and none below what the work costs.
inline void timeGuardPair(BenchResults& results, const char* name, uint32_t mxcsr,
                          float signalScale) {
    using Clock = std::chrono::steady_clock;
    constexpr int kFrames = 16, kBlocks = 256, kTurns = 1000;
    GuardedWorkload work[2] = {{kFrames, false, signalScale}, {kFrames, true, signalScale}};
    double best[2] = {1e30, 1e30};
    HostFloatState host(mxcsr);
    for (int turn = 0; turn < kTurns; ++turn) {
        for (int w = 0; w < 2; ++w) {
            const auto start = Clock::now();
            for (int i = 0; i < kBlocks; ++i) work[w].runBlock();
            const double ns = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
            best[w] = std::min(best[w], ns / (kBlocks * kFrames));
        }
    }
    g_floatStateSink = work[0].sink() + work[1].sink();
    results[std::string(name) + "_a"] = best[0];
    results[std::string(name) + "_b"] = best[1];
}

inline void timeFloatStateGuard(BenchResults& results) {
    // Unguarded and guarded, the host already in the defined state.
    timeGuardPair(results, "defined", kDefinedMxcsr, 1.0f);
    // Unguarded in the defined state, guarded for a flushing host.
    timeGuardPair(results, "flushing", kFlushingMxcsr, 1.0f);
    // Denormal input for a flushing host: unguarded (flushed), guarded (kept).
    timeGuardPair(results, "denormal", kFlushingMxcsr, 1e-39f);
}

inline double percentOver(BenchResults& results, const char* name) {
    const double a = results[std::string(name) + "_a"], b = results[std::string(name) + "_b"];
    return a > 0 ? (b / a - 1.0) * 100.0 : 0.0;
}

inline void printFloatStateReport(BenchResults& results, const char* build) {
    std::printf("\n%-40s %10s %10s\n", "16-frame block, ns/frame", "unguarded", "guarded");
    for (const char* name : {"defined", "flushing", "denormal"})
        std::printf("%-40s %10.2f %10.2f\n", name, results[std::string(name) + "_a"],
                    results[std::string(name) + "_b"]);
    std::printf("summary %s float state: guard16 %+.1f%% flushing-host16 %+.1f%% denormal16 %+.1f%%\n",
                build, percentOver(results, "defined"), percentOver(results, "flushing"),
                percentOver(results, "denormal"));
}
