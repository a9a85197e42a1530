#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build, one after another, and prints for
# each its executions, coverage and crashes.
# usage: run-fuzzers.sh BUILD_DIR SECONDS [RUNS]
#   SECONDS  the most each target runs
#   RUNS     stop a target after this many executions (default: time only)
set -euo pipefail
build=$1
seconds=${2:-20}
runs=${3:-}
here=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in $(find "$build/fuzz" -maxdepth 2 -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$target")
  folder=$(basename "$(dirname "$target")")
  corpus=$(mktemp -d)
  [ -d "$here/fuzz/$folder/corpus" ] && cp -r "$here/fuzz/$folder/corpus/." "$corpus/"
  rm -f "$build/$name"-crash-* "$build/$name"-leak-* "$build/$name"-timeout-* "$build/$name"-oom-*
  limits=(-max_total_time="$seconds")
  [ -n "$runs" ] && limits+=(-runs="$runs")
  echo "fuzzing $name for ${seconds}s${runs:+ or $runs executions}"
  started=$(date +%s)
  result=0
  "$target" "${limits[@]}" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$build/$name-" "$corpus" > "$build/$name.log" 2>&1 || result=$?
  elapsed=$(( $(date +%s) - started ))
  executions=$(grep -E '^stat::number_of_executed_units' "$build/$name.log" | awk '{print $2}' | tail -1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [0-9]+' "$build/$name.log" | tail -1)
  crashes=$(find "$build" -maxdepth 1 -name "$name-*" \( -name '*-crash-*' -o -name '*-leak-*' -o -name '*-timeout-*' -o -name '*-oom-*' \) | wc -l)
  echo "  $name: ${executions:-?} executions in ${elapsed}s, ${coverage:-no coverage line}, crashes: $crashes"
  if [ "$result" -ne 0 ]; then
    echo "$name found a fault:"; tail -40 "$build/$name.log"; status=1
  fi
  rm -rf "$corpus"
done
exit $status
