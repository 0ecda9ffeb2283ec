#!/usr/bin/env bash
# The main job: builds the limiter and runs it on a built-in demo signal.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release
build/native-release/demo/limiter_demo "$@"
