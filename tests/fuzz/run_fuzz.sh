#!/usr/bin/env bash
# run_fuzz.sh TARGET CORPUS WORK SECONDS: runs a libFuzzer target for a
# bounded time from its committed corpus, which it only reads; new inputs,
# the log and a failing input go below WORK in the build folder.
set -uo pipefail
target=$1 corpus=$2 work=$3 seconds=$4
name=$(basename "$corpus")
mkdir -p "$work/found" "$work/failed"
log=$work/fuzz.log
"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$work/failed/" \
  "$work/found" "$corpus" >"$log" 2>&1
rc=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$log" | tail -n 1)
if [ "$rc" != 0 ]; then
  tail -n 40 "$log"
  saved=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
  echo "FAILED: fuzz target $name (exit $rc); the input is saved as ${saved:-(none; see $log)}."
  echo "Once fixed, add it to tests/fuzz/corpus/$name/ as a regression case."
  exit 1
fi
echo "fuzz target $name: ${runs:-?} runs in $seconds s, $coverage"
