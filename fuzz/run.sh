#!/usr/bin/env bash
# Runs the fuzz targets built in BUILD one after the other, each as one
# process on one core (no -jobs or -workers):
#   fuzz/run.sh BUILD [TARGET...]
# FUZZ_SECONDS (default 60) bounds each run; FUZZ_RUNS, when set, ends it
# after that many inputs if that comes first. The corpus of each target grows in
# BUILD/fuzz-corpus/<target> from run to run, seeded from the test fixtures
# (BUILD/fuzz-seeds, made by fuzz_seeds). An input that fails lands in
# BUILD/fuzz-findings/<target>/ and makes the script fail; the log of each run
# is BUILD/fuzz-logs/<target>-<date>-<time>.log, and its closing lines are
# printed. Inputs are at most FUZZ_MAX_LEN bytes (default 4096): small inputs
# reach the same code far faster.
set -uo pipefail
cd "$(dirname "$0")/.."

build=${1:?usage: fuzz/run.sh BUILD [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(datafile_plain datafile_enciphered csv_import ical_import settings_file)
seconds=${FUZZ_SECONDS:-60}
runs=${FUZZ_RUNS:-}
bin=$build/bin

if [ ! -d "$build/fuzz-seeds" ] || [ fuzz/fuzz_seeds.cpp -nt "$build/fuzz-seeds" ]; then
  rm -rf "$build/fuzz-seeds"
  "$bin/fuzz_seeds" "$build/fuzz-seeds" >/dev/null || { echo "fuzz: making the seed corpora failed" >&2; exit 1; }
fi

# Every check stays on; short allocation stacks, a smaller quarantine and no
# fill of fresh blocks make the runs several times faster. The quarantine still
# holds far more than one input of at most FUZZ_MAX_LEN bytes frees, so a use
# after free within an input is caught; a larger one only makes fresh blocks
# cold in the cache. Run a finding again with ASAN_OPTIONS=detect_leaks=1 for
# the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:malloc_context_size=3:quarantine_size_mb=2:max_malloc_fill_size=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
  corpus=$build/fuzz-corpus/$target
  findings=$build/fuzz-findings/$target
  log=$build/fuzz-logs/$target-$(date +%Y%m%d-%H%M%S).log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  limit=(-max_total_time="$seconds")
  [ -n "$runs" ] && limit+=(-runs="$runs")
  dict=()
  [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="fuzz/dict/$target.dict")
  # QSettings and libical keep caches that end many inputs with a few more
  # blocks than before, and libFuzzer then runs each such input a second time
  # to look for a leak. The leak check at the end of the run still covers them.
  leaks=()
  case $target in settings_file | ical_import) leaks=(-detect_leaks=0) ;; esac
  echo "fuzz: $target (${runs:+$runs inputs or }$seconds s), log $log"
  "$bin/fuzz_$target" "${limit[@]}" "${dict[@]}" "${leaks[@]}" -print_final_stats=1 \
      -timeout=10 -rss_limit_mb=2048 -max_len="${FUZZ_MAX_LEN:-4096}" -artifact_prefix="$findings/" \
      "$corpus" "$build/fuzz-seeds/$target" >"$log" 2>&1
  status=$?
  grep -E '^#[0-9]+ +(DONE|pulse|NEW|REDUCE)' "$log" | tail -1
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log"
  if [ $status -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
    echo "fuzz: $target FAILED (status $status); findings in $findings" >&2
    grep -m 20 -E 'ERROR|FUZZ FINDING|runtime error|SUMMARY' "$log" >&2
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: findings in: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: no findings"
