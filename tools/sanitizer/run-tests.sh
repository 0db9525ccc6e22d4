#!/usr/bin/env bash
# Runs every test executable of a sanitizer build whole, JOBS at a time:
#   tools/sanitizer/run-tests.sh BUILD [JOBS] [GTEST-FILTER]
# (one process per executable: a sanitized process takes seconds to start,
# too long for one per test case as ctest runs them). With a filter only
# executables that hold a matching test run, and only those tests; at least
# one must. The output of a failing executable is printed whole.
set -uo pipefail
cd "$(dirname "$0")/../.."
build=${1:?usage: run-tests.sh BUILD [JOBS] [GTEST-FILTER]}
jobs=${2:-2}
filter=${3:-*}
export QT_QPA_PLATFORM=offscreen ORBELIN_SOURCE_DIR=$PWD
logs=$build/sanitizer-logs
rm -rf "$logs" && mkdir -p "$logs"

selected=()
for test in "$build"/bin/test_*; do
  [ -x "$test" ] || continue
  if [ "$filter" != "*" ] && ! "$test" --gtest_list_tests --gtest_filter="$filter" | grep -q '^  '; then
    continue
  fi
  selected+=("$test")
done
if [ ${#selected[@]} -eq 0 ]; then
  echo "sanitizer tests: no test in $build matches '$filter'" >&2
  exit 1
fi

run_one() {
  local test=$1 log=$logs/$(basename "$1").log
  if "$test" --gtest_filter="$filter" --gtest_brief=1 >"$log" 2>&1; then
    echo "passed: $(basename "$test") ($(grep -m1 -oE '[0-9]+ tests? from' "$log" | cut -d' ' -f1) tests)"
  else
    cat "$log"
    echo "FAILED: $(basename "$test"), log $log"
    return 1
  fi
}
export -f run_one
export logs filter
printf '%s\n' "${selected[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$1"' _ {}
