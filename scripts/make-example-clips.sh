#!/bin/sh
# Makes the clips that the footage examples put in front of the camera, with
# the ffmpeg program, into a folder (a few kilobytes each).
# usage: make-example-clips.sh FOLDER
#   moving.mp4  30 s, upright 360x640 at 25 fps: an orange square drifting
#               across a blue sky above green ground, from the top left
#               towards the bottom right, 15 pixels a second down and 8
#               across.
set -e
folder=${1:?usage: make-example-clips.sh FOLDER}
mkdir -p "$folder"
ffmpeg -v error -y -f lavfi \
  -i "color=c=0x3070c0:s=360x640:r=25:d=30,drawbox=x=0:y=540:w=360:h=100:color=0x306030:t=fill[sky];color=c=orange:s=80x80:r=25[sun];[sky][sun]overlay=x='20+t*8':y='40+t*15':shortest=1" \
  -c:v libx264 -pix_fmt yuv420p -g 50 "$folder/moving.mp4.part.mp4"
mv "$folder/moving.mp4.part.mp4" "$folder/moving.mp4"
