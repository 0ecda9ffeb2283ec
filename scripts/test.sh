#!/usr/bin/env bash
# Builds every configuration and runs all tests, native and under Wine, as
# one CTest run ending with its summary line.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1

presets=(native native-tsan native-fuzz windows windows64)
for p in "${presets[@]}"; do
  echo "== build $p"
  cmake --preset "$p" >/dev/null || exit 1
  cmake --build --preset "$p" || exit 1
done

# Each build's Windows tests get a virtual display of their own, never the
# caller's: they move the mouse and take the focus, and the two builds run
# side by side.
unset DISPLAY

# One suite over all builds; test names carry their build as a prefix.
mkdir -p build
for p in "${presets[@]}"; do echo "subdirs(\"$p\")"; done >build/CTestTestfile.cmake
ctest --test-dir build -j2 --output-on-failure
rc=$?
scripts/wine-run.sh --stop build/windows/wine
scripts/wine-run.sh --stop build/windows64/wine
exit $rc
