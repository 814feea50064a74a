# Sourced by tools/tsan.sh and tools/asan.sh. vx_test_counts LOGS prints what a CTest run that
# kept its log in LOGS/ctest.log and GoogleTest's XML reports in LOGS/ ran: "P test programs
# (C test cases) run, F failed". A run may leave no report (a program that is not a GoogleTest
# one): none is counted then.
vx_test_counts() {
  local logs=$1 ran failed cases=0
  ran=$(grep -acE '^ *[0-9]+/[0-9]+ Test +#' "$logs/ctest.log" || true)
  failed=$(grep -acE '^ *[0-9]+/[0-9]+ Test +#.*(\*\*\*|Failed)' "$logs/ctest.log" || true)
  local xmls=()
  shopt -s nullglob
  xmls=("$logs"/*.xml)
  if [ ${#xmls[@]} -gt 0 ]; then
    cases=$(awk 'match($0, /<testsuites tests="[0-9]+"/) {
      s = substr($0, RSTART, RLENGTH); gsub(/[^0-9]/, "", s); n += s} END {print n + 0}' "${xmls[@]}")
  fi
  echo "$ran test programs ($cases test cases) run, $failed failed"
}
