#!/usr/bin/env bash
# Builds the program with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $VX_ASAN_BUILD_DIR) and runs every test program but the embedded browser's
# (Chromium brings its own allocator and sandbox, which the sanitizers' runtime does not stand in
# for; it is none of ours).
#
# A memory error ends the process that makes it, failing its test; undefined behaviour is
# reported and the process runs on, so that one run shows every report. Leaks are looked for
# when each process ends; tools/lsan.supp names what the uninstrumented libraries keep till the
# end, each entry with its reason.
#
#   tools/asan.sh [CTEST_ARGS...]     e.g. tools/asan.sh -R print_tests
#
# Prints how many test programs and test cases ran and how many reports the sanitizers made;
# exits non-zero when a test failed or anything was reported. The logs stay in
# build-asan/asan-logs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/test-counts.sh"
build=${VX_ASAN_BUILD_DIR:-$root/build-asan}
jobs=${VX_ASAN_JOBS:-3}
flags="-fsanitize=address,undefined -fno-omit-frame-pointer"

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    $("$root/tools/ccache-args.sh") \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" \
    -DVX_BUILD_BENCH=OFF -DVX_WARNINGS_AS_ERRORS=OFF >/dev/null
fi
cmake --build "$build" -j "$jobs"

logs="$build/asan-logs"
rm -rf "$logs"
mkdir -p "$logs"
# Each process writes its memory and leak reports to a file of its own; child processes inherit
# the settings. GCC's undefined-behaviour runtime is a library of its own that writes to stderr
# whatever it is told, so its reports are counted in the output CTest keeps of every test: a
# child's stderr is the test's to keep, and tests/support/ChildProcess fails the test with the
# child's reports. The runtime's first report sets the report file of the address sanitizer to
# its own setting, hence the same log_path for both. Debian's libraries keep no frame pointers:
# the slow unwinder follows their frames, so that a leak inside them shows whose it is and
# tools/lsan.supp can name it (at a third of the speed).
export ASAN_OPTIONS="log_path=$logs/asan detect_leaks=1 detect_stack_use_after_return=1 \
check_initialization_order=1 strict_init_order=1 fast_unwind_on_malloc=0"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp"
export UBSAN_OPTIONS="log_path=$logs/asan print_stacktrace=1 halt_on_error=0"
export GTEST_OUTPUT="xml:$logs/"
status=0
(cd "$build" && ctest -j "$jobs" -E webengine --output-on-failure \
  --output-log "$logs/ctest.log" "$@") || status=1

shopt -s nullglob
reportLogs=("$logs"/asan.*)
report='ERROR: (AddressSanitizer|LeakSanitizer)'
undefined='runtime error:'
testOutput="$build/Testing/Temporary/LastTest.log"
reports=0
if [ ${#reportLogs[@]} -gt 0 ]; then
  reports=$(cat "${reportLogs[@]}" | grep -cE "$report" || true)
fi
# A report shows in a test case's output for each child that made it, and again where an
# assertion printed what a child wrote: each is counted once per test case.
undefinedReports=$(awk -v report="$undefined" '/ Testing: |^\[ RUN +\]/ {delete seen}
  index($0, report) && !seen[$0]++ {n++} END {print n + 0}' "$testOutput" 2>/dev/null || true)
reports=$((reports + ${undefinedReports:-0}))
echo "asan: $(vx_test_counts "$logs"), $reports sanitizer reports"
if [ ${#reportLogs[@]} -gt 0 ]; then
  # What tools/lsan.supp kept out of the count, by entry.
  cat "${reportLogs[@]}" | awk '/^Suppressions used:/ {on = 1; next}
    on && $1 ~ /^[0-9]+$/ {n[$3] += $1; next} /^-+$/ {on = 0}
    END {for (e in n) printf "asan: suppressed %d leaks: %s\n", n[e], e}'
fi
if [ "$reports" -gt 0 ]; then
  status=1
  grep -a -h -A8 -E "$report|$undefined" "${reportLogs[@]}" "$testOutput" |
    grep -a -E "$report|$undefined|SUMMARY|#[0-3] " | head -80 || true
fi
exit $status
