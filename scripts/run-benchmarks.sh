#!/usr/bin/env bash
# Runs every benchmark program of a release build and prints its figures.
# usage: run-benchmarks.sh BUILD_DIR
set -euo pipefail
build=$1
for program in $(find "$build/bench" -type f -name 'bench_*' -perm -u+x | sort); do
  echo "== $(basename "$program")"
  "$program"
done
