#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, address and undefined-behaviour sanitizers) into
# build-fuzz/ (or $VX_FUZZ_BUILD_DIR) and runs each for a while.
#
#   tools/fuzz.sh [SECONDS] [TARGET...]    default: 60 seconds each, every target
#
# Targets are named after tests/fuzz/<Target>_fuzz.cpp (ProfileFile, ImageDecode, ...). Each
# grows its corpus in build-fuzz/corpus/<Target>/, starting from tests/testdata/fuzz/<Target>/,
# and leaves what it finds (crash-*, leak-*, oom-*, timeout-*) in build-fuzz/findings/<Target>/
# with its log. Put a finding, minimised (-minimize_crash=1), into tests/testdata/fuzz/<Target>/
# once it is mended: the replay test then runs it in every build. Exits non-zero when any target
# found something.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VX_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
shift || true

"$root/tools/install-deps.sh"
if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang is needed (apt-get install clang)" >&2
  exit 2
fi
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVX_BUILD_FUZZ=ON -DVX_BUILD_BENCH=OFF $("$root/tools/ccache-args.sh") >/dev/null
fi

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("${name%_fuzz}")
  done
fi
cmake --build "$build" -j "${VX_FUZZ_JOBS:-4}" --target "${targets[@]/%/_fuzz}"

# Leaks at exit inside the font libraries are none of ours: see the file.
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  findings="$build/findings/$target"
  mkdir -p "$corpus" "$findings"
  seeds="$root/tests/testdata/fuzz/$target"
  [ -d "$seeds" ] || seeds=""
  if "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -timeout=30 -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" ${seeds:+"$seeds"} \
      >"$findings/log.txt" 2>&1; then
    echo "$target: nothing found ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$findings/log.txt" | grep -o '[0-9]*$') runs)"
  else
    status=1
    echo "$target: FOUND something, see $findings/"
    grep -m3 -E 'ERROR|SUMMARY|does not hold' "$findings/log.txt" | sed 's/^/  /' || true
  fi
done
exit $status
