// Google Benchmark: nanoseconds per stereo frame for the engine's block
// operations, and the ratio to the bare envelope recurrence.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "bench/BenchWorkload.h"

namespace {

void setFrameRate(benchmark::State& state, int frames) {
    state.counters["ns/frame"] = benchmark::Counter(
        static_cast<double>(frames), benchmark::Counter::kIsIterationInvariantRate |
                                         benchmark::Counter::kInvert);
}

void BM_Engine(benchmark::State& state, bool adding, bool ramping) {
    const int frames = static_cast<int>(state.range(0));
    EngineWorkload work(frames, adding, ramping);
    for (auto _ : state) {
        work.runBlock();
        benchmark::DoNotOptimize(work.sink());
    }
    setFrameRate(state, frames);
}

void BM_Floor(benchmark::State& state) {
    const int frames = static_cast<int>(state.range(0));
    FloorWorkload work(frames);
    for (auto _ : state) {
        work.runBlock();
        benchmark::DoNotOptimize(work.sink());
    }
    setFrameRate(state, frames);
}

#define SIZES ->Arg(16)->Arg(64)->Arg(512)->Arg(4096)
BENCHMARK(BM_Floor) SIZES;
BENCHMARK_CAPTURE(BM_Engine, replace_steady, false, false) SIZES;
BENCHMARK_CAPTURE(BM_Engine, replace_ramping, false, true) SIZES;
BENCHMARK_CAPTURE(BM_Engine, add_steady, true, false) SIZES;
BENCHMARK_CAPTURE(BM_Engine, add_ramping, true, true) SIZES;

// Collects ns/frame per run so that the ratio to the floor can be printed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto it = run.counters.find("ns/frame");
            if (it != run.counters.end()) nsPerFrame[run.benchmark_name()] = it->second.value * 1e9;
        }
    }
    std::map<std::string, double> nsPerFrame;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%-32s %12s %10s\n", "engine / floor", "ns/frame", "ratio");
    for (const auto& [name, ns] : reporter.nsPerFrame) {
        if (name.rfind("BM_Engine", 0) != 0) continue;
        const std::string size = name.substr(name.rfind('/'));
        const double floor = reporter.nsPerFrame["BM_Floor" + size];
        std::printf("%-32s %12.2f %10.2f\n", name.c_str() + 10, ns, floor > 0 ? ns / floor : 0.0);
    }
    benchmark::Shutdown();
    return 0;
}
