#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with.
# Idempotent: does nothing when every package is already present.
# usage: install-deps.sh [bench]   (bench: also the peers the benchmarks
# compare against, which the build and the tests never need)
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # foundation
  libplist-dev libpugixml-dev libicu-dev
  # ui
  libcairo2-dev libpango1.0-dev libfontconfig-dev libpng-dev fonts-dejavu-core fonts-dejavu-extra fonts-urw-base35
  # media
  libjpeg62-turbo-dev libexif-dev libavcodec-dev libavformat-dev libavutil-dev
  libswscale-dev libavdevice-dev ffmpeg libsndfile1-dev libsdl2-dev
  # the command-line program
  libcli11-dev
)

bench_packages=(
  # peers of the benchmarks: ImageMagick's convert, the bare TurboJPEG codec,
  # and perf to see where the time goes
  imagemagick libturbojpeg0-dev linux-perf
)
if [ "${1:-}" = "bench" ]; then
  packages+=("${bench_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
