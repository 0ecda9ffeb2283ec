// A plain timing program for the Windows build (no benchmark library there):
// nanoseconds per stereo frame for each block size, form and ramp mode, and
// the ratio to the bare envelope recurrence.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchWorkload.h"

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
    const int sizes[] = {16, 64, 512, 4096};
    const char* forms[] = {"replace", "add"};
    std::printf("%-28s %10s %10s\n", "block", "ns/frame", "x floor");
    for (int frames : sizes) {
        FloorWorkload floorWork(frames);
        const double floor = nsPerFrame(floorWork, frames);
        std::printf("%-28s %10.2f %10.2f\n", ("floor/" + std::to_string(frames)).c_str(), floor, 1.0);
        for (int form = 0; form < 2; ++form) {
            for (int ramping = 0; ramping < 2; ++ramping) {
                EngineWorkload work(frames, form == 1, ramping == 1);
                const double ns = nsPerFrame(work, frames);
                const std::string name = std::string(forms[form]) + (ramping ? "_ramping/" : "_steady/") +
                                         std::to_string(frames);
                std::printf("%-28s %10.2f %10.2f\n", name.c_str(), ns, ns / floor);
            }
        }
    }
    return 0;
}
