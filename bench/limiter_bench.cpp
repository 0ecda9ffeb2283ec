// Google Benchmark: nanoseconds per stereo frame for the engine's block
// operations and the two floors, then the ratio table and summary line.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/BenchReport.h"
#include "bench/BenchWorkload.h"
#include "bench/FloatStateTiming.h"

namespace {

void setFrameRate(benchmark::State& state, int frames) {
    state.counters["ns/frame"] = benchmark::Counter(
        static_cast<double>(frames), benchmark::Counter::kIsIterationInvariantRate |
                                         benchmark::Counter::kInvert);
}

template <class Work, class... Args>
void runWork(benchmark::State& state, Args... args) {
    const int frames = static_cast<int>(state.range(0));
    Work work(frames, args...);
    for (auto _ : state) {
        work.runBlock();
        benchmark::DoNotOptimize(work.sink());
    }
    setFrameRate(state, frames);
}

void BM_Engine(benchmark::State& state, bool adding, bool ramping,
               Measured measured = Measured::Meter) {
    runWork<EngineWorkload>(state, adding, ramping, measured);
}
void BM_Floor(benchmark::State& state) { runWork<InterleavedFloor>(state); }
void BM_SequentialFloor(benchmark::State& state) { runWork<SequentialFloor>(state); }

#define SIZES ->Arg(16)->Arg(64)->Arg(512)->Arg(4096)
BENCHMARK(BM_Floor) SIZES;
BENCHMARK(BM_SequentialFloor) SIZES;
BENCHMARK_CAPTURE(BM_Engine, replace_steady, false, false) SIZES;
BENCHMARK_CAPTURE(BM_Engine, replace_steady_unmeasured, false, false, Measured::No) SIZES;
BENCHMARK_CAPTURE(BM_Engine, replace_steady_counted, false, false, Measured::Counted) SIZES;
BENCHMARK_CAPTURE(BM_Engine, replace_ramping, false, true) SIZES;
BENCHMARK_CAPTURE(BM_Engine, add_steady, true, false) SIZES;
BENCHMARK_CAPTURE(BM_Engine, add_steady_unmeasured, true, false, Measured::No) SIZES;
BENCHMARK_CAPTURE(BM_Engine, add_steady_counted, true, false, Measured::Counted) SIZES;
BENCHMARK_CAPTURE(BM_Engine, add_ramping, true, true) SIZES;

// Collects ns/frame per run under the report's keys.
class ResultCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto it = run.counters.find("ns/frame");
            if (it == run.counters.end()) continue;
            results[keyOf(run.benchmark_name())] = it->second.value * 1e9;
        }
    }
    BenchResults results;

private:
    // "BM_Engine/replace_steady/512" -> "replace_steady/512",
    // "BM_Floor/512" -> "floor/512", "BM_SequentialFloor/512" -> "sequential_floor/512".
    static std::string keyOf(const std::string& name) {
        const std::string size = name.substr(name.rfind('/'));
        if (name.rfind("BM_Floor", 0) == 0) return "floor" + size;
        if (name.rfind("BM_SequentialFloor", 0) == 0) return "sequential_floor" + size;
        return name.substr(std::string("BM_Engine/").size());
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    ResultCollector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    printBenchReport(collector.results, "native");
    BenchResults guard;
    timeFloatStateGuard(guard);
    printFloatStateReport(guard, "native");
    benchmark::Shutdown();
    return 0;
}
