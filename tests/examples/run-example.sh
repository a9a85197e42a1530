#!/bin/sh
# Runs one example scenario (or the built-in demo) the way a person would, on
# a fresh device root.
# usage: run-example.sh VANTOR_SIM SCENARIO|demo WORK_FOLDER
set -e
rm -rf "$3"
mkdir -p "$3"
if [ "$2" = demo ]; then
  exec "$1" demo --root "$3/root" --out "$3/out"
fi
exec "$1" run "$2" --root "$3/root" --out "$3/out"
