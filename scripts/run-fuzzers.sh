#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a short fixed time each.
# usage: run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=${2:-20}
here=$(cd "$(dirname "$0")/.." && pwd)
status=0
for target in $(find "$build/fuzz" -maxdepth 2 -type f -name 'fuzz_*' -perm -u+x | sort); do
  name=$(basename "$target")
  folder=$(basename "$(dirname "$target")")
  corpus=$(mktemp -d)
  [ -d "$here/fuzz/$folder/corpus" ] && cp -r "$here/fuzz/$folder/corpus/." "$corpus/"
  echo "fuzzing $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 \
       -artifact_prefix="$build/$name-" "$corpus" > "$build/$name.log" 2>&1; then
    echo "$name found a fault:"; tail -40 "$build/$name.log"; status=1
  else
    grep -E '^#[0-9]+.*DONE' "$build/$name.log" | tail -1 || true
  fi
  rm -rf "$corpus"
done
exit $status
