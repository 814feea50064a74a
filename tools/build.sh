#!/usr/bin/env bash
# Configures and builds the project into build/ (or $VX_BUILD_DIR). Extra arguments are targets.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VX_BUILD_DIR:-$root/build}
"$root/tools/install-deps.sh"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVX_WARNINGS_AS_ERRORS=ON \
    $("$root/tools/ccache-args.sh") >/dev/null
fi
cmake --build "$build" ${1:+--target "$@"}
