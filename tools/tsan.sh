#!/usr/bin/env bash
# Builds the program with ThreadSanitizer into build-tsan/ (or $VX_TSAN_BUILD_DIR) and runs every
# test program that puts work on threads: platform (Qt side), data, checklist, app, print, web,
# the widget tests and the program's own (not the embedded browser's: Chromium's threads are
# neither ours nor instrumented). Qt itself is not instrumented either; tools/tsan.supp names the
# few Qt functions whose own locking the sanitizer cannot see, each with its reason.
#
#   tools/tsan.sh [CTEST_ARGS...]     e.g. tools/tsan.sh -R print_tests
#
# Prints how many test programs ran and how many reports ThreadSanitizer made; exits non-zero
# when a test failed or anything was reported. The logs stay in build-tsan/tsan-logs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VX_TSAN_BUILD_DIR:-$root/build-tsan}
jobs=${VX_TSAN_JOBS:-3}
tests='^(sample_disc_small|platform_qt_tests|platform_qt_app_tests|data_.*|checklist_tests|app_.*|print_tests|web_tests|ui_.*|program_.*)$'

if [ ! -f "$build/build.ninja" ]; then
  launcher=()
  if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread \
    -DVX_BUILD_BENCH=OFF -DVX_WARNINGS_AS_ERRORS=OFF >/dev/null
fi
cmake --build "$build" -j "$jobs"
no_pool="$build/libvx-tsan-no-qt-pool.so"
c++ -shared -fPIC -O2 -o "$no_pool" "$root/tools/tsan-no-qt-pool.cpp"

logs="$build/tsan-logs"
rm -rf "$logs"
mkdir -p "$logs"
# Each process writes its reports to a file of its own and runs on, so that one run shows every
# report; the reports are counted from the files, and a process that reported anything exits
# with the sanitizer's code, failing its test. The quit tests fork to start the program again:
# the child only execs, which the sanitizer does not need to follow.
export TSAN_OPTIONS="suppressions=$root/tools/tsan.supp log_path=$logs/tsan halt_on_error=0 \
die_after_fork=0 second_deadlock_stack=1 history_size=4"
export LD_PRELOAD="$no_pool"
# This test measures the peak memory of a decode, which the sanitizer's shadow memory inflates.
export GTEST_FILTER=-PngDecodeTest.PicturesBeyondTheLimitsAreRefusedBeforeTheirPixelsAreMade
export GTEST_OUTPUT="xml:$logs/"
status=0
(cd "$build" && ctest -j "$jobs" -R "$tests" -E webengine --output-on-failure \
  --output-log "$logs/ctest.log" "$@") || status=1

ran=$(grep -acE '^ *[0-9]+/[0-9]+ Test +#' "$logs/ctest.log" || true)
failed=$(grep -acE '^ *[0-9]+/[0-9]+ Test +#.*(\*\*\*|Failed)' "$logs/ctest.log" || true)
cases=$(cat "$logs"/*.xml 2>/dev/null | grep -o '<testsuites tests="[0-9]*"' | grep -o '[0-9]*' |
  awk '{n += $1} END {print n + 0}')
reports=$(cat "$logs"/tsan.* 2>/dev/null | grep -c '^WARNING: ThreadSanitizer' || true)
echo "tsan: $ran test programs ($cases test cases) run, $failed failed," \
  "$reports ThreadSanitizer reports"
if [ "$reports" -gt 0 ]; then
  status=1
  grep -h -A12 '^WARNING: ThreadSanitizer' "$logs"/tsan.* | grep -E 'WARNING|#[0-3] ' |
    head -80 || true
fi
exit $status
