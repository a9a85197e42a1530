#!/bin/sh
# vantor-sim refuses footage and camera sources it cannot use before anything
# runs: exit status 2, one line on stderr with FFmpeg's reason, nothing made.
# usage: refused-footage.sh VANTOR_SIM WORK_FOLDER
set -u
sim=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
printf 'launch\nwait 1\nshutter\n' > "$work/photo.scenario"
failures=0

# refused OPTION VALUE EXPECTED_TEXT
refused() {
  rm -rf "$work/root" "$work/out"
  "$sim" run "$work/photo.scenario" --root "$work/root" --out "$work/out" "$1" "$2" > "$work/stdout" 2> "$work/stderr"
  status=$?
  lines=$(wc -l < "$work/stderr")
  if [ "$status" -ne 2 ] || [ "$lines" -ne 1 ] || ! grep -qF -- "$3" "$work/stderr" || [ -e "$work/root" ]; then
    echo "$1 $2: expected exit 2, one line with \"$3\" and no device root; got exit $status, $lines lines:"
    cat "$work/stderr"
    failures=$((failures + 1))
  fi
}

printf 'these are no pictures' > "$work/notes.mp4"
refused --scene "$work/notes.mp4" "is neither a picture (PNG, JPEG) nor a movie FFmpeg can play: moov atom not found"

ffmpeg -v error -y -f lavfi -i "sine=duration=1" -c:a aac "$work/sound.m4a"
refused --scene "$work/sound.m4a" "it has no video stream"

# Cut in half: its index, at the end, is gone.
ffmpeg -v error -y -f lavfi -i "testsrc2=s=160x120:r=10:d=2" -c:v libx264 "$work/whole.mp4"
head -c $(($(wc -c < "$work/whole.mp4") / 2)) "$work/whole.mp4" > "$work/cut.mp4"
refused --scene "$work/cut.mp4" "moov atom not found"

refused --camera "lavfi:nosuchsource" "the camera source lavfi:nosuchsource cannot be opened: No such filter: 'nosuchsource'"
refused --camera "v4l2:/dev/no-such-video" "Cannot open video device /dev/no-such-video: No such file or directory"
refused --front-camera "webcam" "a camera source is v4l2:/dev/videoN"

[ "$failures" -eq 0 ] && echo "all refused as they should be"
exit "$failures"
