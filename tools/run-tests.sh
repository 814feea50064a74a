#!/usr/bin/env bash
# Installs what is missing, builds everything (benchmarks included) and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VX_BUILD_DIR:-$root/build}
"$root/tools/build.sh"
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
