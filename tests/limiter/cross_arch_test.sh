#!/usr/bin/env bash
# The 32-bit and the 64-bit module play the same random sessions to the same
# bits (session_render), and a chunk saved by either starts the other where
# it left off: loaded, it reads back unchanged and renders the same.
#   cross_arch_test.sh <repository> <32-bit build dir> <64-bit build dir>
# Exit status 77 (skipped) when either build lacks its session program.
set -euo pipefail
repo=$1
b32=$2
b64=$3
for b in "$b32" "$b64"; do
  if [ ! -f "$b/bin/session_render.exe" ] || [ ! -f "$b/bin/Q-Clamper.dll" ]; then
    echo "skipped: $b holds no session_render.exe and Q-Clamper.dll (build the windows and windows64 presets)"
    exit 77
  fi
done
work="$b64/cross-arch-test"
rm -rf "$work"
mkdir -p "$work"

# play <build> <seed> <output> [<start chunk>]
play() {
  "$repo/scripts/wine-run.sh" "$1/wine" "$1/bin/session_render.exe" "Z:$1/bin/Q-Clamper.dll" "$2" \
    "Z:$3" ${4:+"Z:$4"}
}

same() {
  if ! cmp -s "$1" "$2"; then
    echo "FAILED: $3: $(cmp "$1" "$2" 2>&1 | head -1) (bytes $(stat -c %s "$1") and $(stat -c %s "$2"))"
    exit 1
  fi
}

play "$b32" 1 "$work/a32"
play "$b64" 1 "$work/a64"
same "$work/a32" "$work/a64" "the same session from the default settings"

tail -c 64 "$work/a32" >"$work/a32.chunk"
tail -c 64 "$work/a64" >"$work/a64.chunk"
play "$b64" 2 "$work/b64" "$work/a32.chunk"
play "$b32" 2 "$work/b32" "$work/a64.chunk"
head -c 64 "$work/b64" >"$work/b64.start"
head -c 64 "$work/b32" >"$work/b32.start"
same "$work/a32.chunk" "$work/b64.start" "the 32-bit module's chunk read back by the 64-bit one"
same "$work/a64.chunk" "$work/b32.start" "the 64-bit module's chunk read back by the 32-bit one"
same "$work/b32" "$work/b64" "the same session from each other's saved chunk"
echo "cross-architecture sessions agree ($(stat -c %s "$work/a64") and $(stat -c %s "$work/b64") bytes)"
