#!/usr/bin/env bash
# Benchmarks of the limiter engine: natively (Google Benchmark, optimised
# build) and the Windows build's timing program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target limiter_bench
cmake --preset windows >/dev/null
cmake --build --preset windows --target limiter_timing
echo "== native (Google Benchmark)"
build/native-release/bench/limiter_bench "$@"
echo "== Windows build under Wine"
scripts/wine-run.sh build/windows/wine build/windows/bench/limiter_timing.exe
