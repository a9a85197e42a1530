#!/bin/sh
# Runs one example scenario the way a person would, on a fresh device root.
# usage: run-example.sh VANTOR_SIM SCENARIO WORK_FOLDER
set -e
rm -rf "$3"
mkdir -p "$3"
exec "$1" run "$2" --root "$3/root" --out "$3/out"
