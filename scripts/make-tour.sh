#!/usr/bin/env bash
# Remakes the README's tour: runs the built-in demo on a fresh device root and
# copies a handful of its screenshots into docs/tour/.
# usage: make-tour.sh BUILD_DIR
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/apps/vantor-sim/vantor-sim" demo --root "$work/root" --out "$work/out" > "$work/demo.log" \
  || { cat "$work/demo.log"; exit 1; }

# demo screenshot -> tour picture
shots="02c-countdown:self-timer 02d-overlays:overlays 02e-level:level 03b-resolutions:resolutions
       05-manual-turning:manual 06-colour-picker:colour-picker
       10-lock-screen:lock-screen 11-lock-screen-camera:lock-camera 09-home-screen:home-screen"
mkdir -p "$here/docs/tour"
for shot in $shots; do
  cp "$work/out/${shot%%:*}.png" "$here/docs/tour/${shot##*:}.png"
done
echo "docs/tour: $(ls "$here/docs/tour" | tr '\n' ' ')"
