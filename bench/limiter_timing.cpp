// A plain timing program for the Windows build (no benchmark library there):
// nanoseconds per stereo frame for each block size, form and ramp mode, and
// the ratio to the two floors.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchReport.h"
#include "bench/BenchWorkload.h"
#include "bench/FloatStateTiming.h"

namespace {

volatile float g_sink;

// Runs blocks for about a twentieth of a second and answers ns per stereo frame.
template <class Work>
double nsPerFrame(Work& work, int frames) {
    using Clock = std::chrono::steady_clock;
    for (int i = 0; i < 20; ++i) work.runBlock();  // warm up
    long long blocks = 0;
    const auto start = Clock::now();
    auto now = start;
    do {
        for (int i = 0; i < 64; ++i) work.runBlock();
        blocks += 64;
        now = Clock::now();
    } while (now - start < std::chrono::milliseconds(50));
    g_sink = work.sink();
    const double ns = std::chrono::duration<double, std::nano>(now - start).count();
    return ns / (static_cast<double>(blocks) * frames);
}

}  // namespace

int main() {
    BenchResults results;
    for (int frames : kBenchSizes) {
        InterleavedFloor floor(frames);
        results[benchKey("floor", frames)] = nsPerFrame(floor, frames);
        SequentialFloor oldFloor(frames);
        results[benchKey("sequential_floor", frames)] = nsPerFrame(oldFloor, frames);
        for (bool adding : {false, true}) {
            const std::string form = adding ? "add" : "replace";
            EngineWorkload ramping(frames, adding, true);
            results[benchKey((form + "_ramping").c_str(), frames)] = nsPerFrame(ramping, frames);
            // The steady engine without the measurement, with the meter's and
            // with the counting one, in turns, the best of each: a
            // neighbour's load on a shared machine then falls on all alike.
            const Measured kinds[] = {Measured::Meter, Measured::No, Measured::Counted};
            const char* const suffixes[] = {"_steady", "_steady_unmeasured", "_steady_counted"};
            double best[3] = {1e30, 1e30, 1e30};
            for (int turn = 0; turn < 5; ++turn) {
                for (int k = 0; k < 3; ++k) {
                    EngineWorkload work(frames, adding, false, kinds[k]);
                    best[k] = std::min(best[k], nsPerFrame(work, frames));
                }
            }
            for (int k = 0; k < 3; ++k) results[benchKey((form + suffixes[k]).c_str(), frames)] = best[k];
        }
    }
    const char* build = sizeof(void*) == 8 ? "windows64" : "windows";
    printBenchReport(results, build);
    BenchResults guard;
    timeFloatStateGuard(guard);
    printFloatStateReport(guard, build);
    return 0;
}
