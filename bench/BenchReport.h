#pragma once
// The table both benchmark programs end with: nanoseconds per stereo frame
// for every block size, store form and ramp mode, the ratio to each floor,
// and one summary line a reader or a script takes in at a glance.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

// Keys: "floor/<frames>", "sequential_floor/<frames>",
// "<replace|add>_<steady|ramping>/<frames>" and, without the gain
// measurement or with its count of limited frames,
// "<replace|add>_steady_<unmeasured|counted>/<frames>"; values in ns per
// stereo frame.
using BenchResults = std::map<std::string, double>;

inline const int kBenchSizes[] = {16, 64, 512, 4096};

inline std::string benchKey(const char* what, int frames) {
    return std::string(what) + "/" + std::to_string(frames);
}

// Engine over the interleaved floor, the worse of the two store forms.
inline double worstRatio(BenchResults& results, const char* mode, int frames) {
    const double floor = results[benchKey("floor", frames)];
    const std::string steadyOrRamping(mode);
    const double replace = results[benchKey(("replace_" + steadyOrRamping).c_str(), frames)];
    const double add = results[benchKey(("add_" + steadyOrRamping).c_str(), frames)];
    return floor > 0 ? std::max(replace, add) / floor : 0.0;
}

// What the gain measurement adds, in per cent of the engine without it: the
// worse of the two store forms, steady.
inline double measurementCost(BenchResults& results, int frames, const char* kind = "") {
    double worst = -100.0;
    for (const char* form : {"replace_steady", "add_steady"}) {
        const double with = results[benchKey((std::string(form) + kind).c_str(), frames)];
        const double without = results[benchKey((std::string(form) + "_unmeasured").c_str(), frames)];
        if (without > 0) worst = std::max(worst, 100.0 * (with / without - 1.0));
    }
    return worst;
}

inline void printBenchReport(BenchResults& results, const char* build) {
    std::printf("\n%-24s %10s %10s %12s\n", "stereo block", "ns/frame", "x floor", "x old floor");
    for (int frames : kBenchSizes) {
        const double floor = results[benchKey("floor", frames)];
        const double oldFloor = results[benchKey("sequential_floor", frames)];
        for (const char* what : {"floor", "sequential_floor", "replace_steady", "replace_ramping",
                                 "add_steady", "add_ramping", "replace_steady_unmeasured",
                                 "add_steady_unmeasured", "replace_steady_counted",
                                 "add_steady_counted"}) {
            const double ns = results[benchKey(what, frames)];
            std::printf("%-24s %10.2f %10.2f %12.2f\n", benchKey(what, frames).c_str(), ns,
                        floor > 0 ? ns / floor : 0.0, oldFloor > 0 ? ns / oldFloor : 0.0);
        }
    }
    std::printf("summary %s: steady512 %.2f steady4096 %.2f steady16 %.2f ramping16 %.2f\n", build,
                worstRatio(results, "steady", 512), worstRatio(results, "steady", 4096),
                worstRatio(results, "steady", 16), worstRatio(results, "ramping", 16));
    std::printf("measurement %s: steady512 %+.1f%% steady4096 %+.1f%% steady16 %+.1f%% "
                "counted512 %+.1f%% counted16 %+.1f%%\n",
                build, measurementCost(results, 512), measurementCost(results, 4096),
                measurementCost(results, 16), measurementCost(results, 512, "_counted"),
                measurementCost(results, 16, "_counted"));
}
