#!/usr/bin/env bash
# Line and function coverage of the product folders: a --coverage Debug build of the whole suite
# into build-coverage/ (or $VX_COVERAGE_DIR), the tests run one at a time so that parallel runs
# do not garble the counters, then gcovr per folder and in all.
#
#   tools/coverage.sh            VX_COVERAGE_JOBS (default 3) compile jobs
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VX_COVERAGE_DIR:-$root/build-coverage}
jobs=${VX_COVERAGE_JOBS:-3}
folders=(platform data checklist app print web ui program res)

if ! command -v gcovr >/dev/null; then
  echo "coverage.sh: gcovr is needed (apt-get install gcovr)" >&2
  exit 2
fi
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_BUILD_BENCH=OFF \
    -DVX_WARNINGS_AS_ERRORS=OFF $("$root/tools/ccache-args.sh") -DCMAKE_C_FLAGS=--coverage \
    -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
fi
cmake --build "$build" -j "$jobs"
find "$build" -name '*.gcda' -delete
(cd "$build" && ctest -j1 --output-on-failure >"$build/coverage-tests.log") ||
  echo "coverage.sh: some tests failed, see $build/coverage-tests.log" >&2

summary() {
  gcovr -r "$root" "$build" "$@" --gcov-ignore-parse-errors -j "$jobs" --print-summary \
    -o /dev/null 2>/dev/null | sed -n 's/^\(lines\|functions\): */\1 /p' | tr '\n' ' '
  echo
}
for dir in "${folders[@]}"; do
  printf '%-10s %s' "$dir" "$(summary --filter "$root/$dir/")"
done
printf '%-10s %s' all "$(summary $(printf -- "--filter $root/%s/ " "${folders[@]}"))"
