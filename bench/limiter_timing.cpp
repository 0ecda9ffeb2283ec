// A plain timing program for the Windows build (no benchmark library there):
// nanoseconds per stereo frame for each block size, form and ramp mode, and
// the ratio to the two floors.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchReport.h"
#include "bench/BenchWorkload.h"
#include "bench/FloatStateTiming.h"

namespace {

volatile float g_sink;

// Runs blocks for about a fifth of a second and answers ns per stereo frame.
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
    } while (now - start < std::chrono::milliseconds(200));
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
            for (bool ramping : {false, true}) {
                EngineWorkload work(frames, adding, ramping);
                const std::string name =
                    std::string(adding ? "add" : "replace") + (ramping ? "_ramping" : "_steady");
                results[benchKey(name.c_str(), frames)] = nsPerFrame(work, frames);
            }
        }
    }
    const char* build = sizeof(void*) == 8 ? "windows64" : "windows";
    printBenchReport(results, build);
    BenchResults guard;
    timeFloatStateGuard(guard);
    printFloatStateReport(guard, build);
    return 0;
}
