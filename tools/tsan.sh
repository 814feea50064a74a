#!/usr/bin/env bash
# Builds the program with ThreadSanitizer into build-tsan/ (or $VX_TSAN_BUILD_DIR) and runs every
# test program that puts work on threads: the support code, platform, data, checklist, app,
# print (CUPS included), web, the widget tests, the program's own and the sample disc maker's
# (not the embedded browser's: Chromium's threads are neither ours nor instrumented).
#
# Qt is not instrumented. tools/tsan-qt-threads.cpp, preloaded, leaves the threads of three named
# Qt classes unchecked and keeps Qt Gui's image work on the thread that asks for it;
# tools/tsan.supp names what else of the uninstrumented libraries orders memory out of the
# sanitizer's sight, each entry with its reason.
#
#   tools/tsan.sh [CTEST_ARGS...]     e.g. tools/tsan.sh -R print_tests
#
# Prints how many test programs and test cases ran and how many reports ThreadSanitizer made;
# exits non-zero when a test failed or anything was reported. The logs stay in
# build-tsan/tsan-logs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/test-counts.sh"
build=${VX_TSAN_BUILD_DIR:-$root/build-tsan}
jobs=${VX_TSAN_JOBS:-3}
tests='^(sample_disc_.*|support_tests|platform_.*|data_.*|checklist_tests|app_.*|print_.*|'\
'web_tests|ui_.*|program_.*)$'

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    $("$root/tools/ccache-args.sh") \
    -DCMAKE_C_FLAGS=-fsanitize=thread -DCMAKE_CXX_FLAGS=-fsanitize=thread \
    -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread -DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread \
    -DVX_BUILD_BENCH=OFF -DVX_WARNINGS_AS_ERRORS=OFF >/dev/null
fi
cmake --build "$build" -j "$jobs"
preload="$build/libvx-tsan-qt-threads.so"
c++ -shared -fPIC -O2 -DQT_NO_VERSION_TAGGING $(pkg-config --cflags Qt6Core) -o "$preload" \
  "$root/tools/tsan-qt-threads.cpp" -ldl

logs="$build/tsan-logs"
rm -rf "$logs"
mkdir -p "$logs"
# Each process writes its reports to a file of its own and runs on, so that one run shows every
# report; the reports are counted from the files, and a process that reported anything exits
# with the sanitizer's code, failing its test. A process that starts a thread after a child was
# forked from it while other threads ran ends at once, its message counted as a report: children
# are started with posix_spawn or fork and exec (Qt's startDetached); a child cloned in shared
# memory, as QProcess::start clones one, leaves the sanitizer's records of the parent wrong.
export TSAN_OPTIONS="suppressions=$root/tools/tsan.supp log_path=$logs/tsan halt_on_error=0 \
second_deadlock_stack=1 history_size=4 print_suppressions=1"
export LD_PRELOAD="$preload"
# This test measures the peak memory of a decode, which the sanitizer's shadow memory inflates.
export GTEST_FILTER=-PngDecodeTest.PicturesBeyondTheLimitsAreRefusedBeforeTheirPixelsAreMade
export GTEST_OUTPUT="xml:$logs/"
status=0
(cd "$build" && ctest -j "$jobs" -R "$tests" -E webengine --output-on-failure \
  --output-log "$logs/ctest.log" "$@") || status=1

# A run may leave no sanitizer log (nothing reported): an empty list then, not a failed cat.
shopt -s nullglob
tsanLogs=("$logs"/tsan.*)
report='^WARNING: ThreadSanitizer|ThreadSanitizer: starting new threads after multi-threaded fork'
reports=0
if [ ${#tsanLogs[@]} -gt 0 ]; then
  reports=$(cat "${tsanLogs[@]}" | grep -cE "$report" || true)
fi
echo "tsan: $(vx_test_counts "$logs"), $reports ThreadSanitizer reports"
if [ ${#tsanLogs[@]} -gt 0 ]; then
  # What tools/tsan.supp kept out of the count, by entry.
  cat "${tsanLogs[@]}" | awk '/^ThreadSanitizer: Matched/ {on = 1; next}
    on && $1 ~ /^[0-9]+$/ {n[$2] += $1; next} {on = 0}
    END {for (e in n) printf "tsan: suppressed %d times: %s\n", n[e], e}'
fi
if [ "$reports" -gt 0 ]; then
  status=1
  grep -h -A12 -E "$report" "${tsanLogs[@]}" | grep -E 'WARNING|ThreadSanitizer:|#[0-3] ' |
    head -80 || true
fi
exit $status
