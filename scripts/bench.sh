#!/usr/bin/env bash
# Benchmarks of the limiter engine: natively (Google Benchmark, optimised
# build) and the 32-bit and 64-bit Windows builds' timing program under Wine.
# Each section ends with its summary line.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target limiter_bench
for preset in windows windows64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target limiter_timing
done
# The Wine sessions (wineservers and virtual displays) this script starts are
# stopped again at the end; one that was already running is left alone.
started=()
for state in build/windows/wine build/windows64/wine; do
  scripts/wine-run.sh --running "$state" || started+=("$state")
done
stop_started() { for state in "${started[@]}"; do scripts/wine-run.sh --stop "$state"; done; }
trap stop_started EXIT
echo "== native (Google Benchmark)"
build/native-release/bench/limiter_bench "$@"
echo "== 32-bit Windows build under Wine"
scripts/wine-run.sh build/windows/wine build/windows/bench/limiter_timing.exe
echo "== 64-bit Windows build under 64-bit Wine"
scripts/wine-run.sh build/windows64/wine build/windows64/bench/limiter_timing.exe
