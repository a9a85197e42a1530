#!/bin/sh
# Runs one example scenario (or the built-in demo) the way a person would, on
# a fresh device root, with the vantor-sim options it needs.
# usage: run-example.sh VANTOR_SIM SCENARIO|demo WORK_FOLDER [OPTION...]
set -e
sim=$1
scenario=$2
work=$3
shift 3
rm -rf "$work"
mkdir -p "$work"
if [ "$scenario" = demo ]; then
  exec "$sim" demo --root "$work/root" --out "$work/out" "$@"
fi
exec "$sim" run "$scenario" --root "$work/root" --out "$work/out" "$@"
