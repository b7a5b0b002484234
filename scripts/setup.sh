#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running the project needs.
# Runs as root (or through sudo); does nothing when everything is already installed.
set -euo pipefail

packages=(
  cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev xvfb xauth imagemagick
  libpng-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra
  libcurl4-openssl-dev libfluidsynth-dev timgm6mb-soundfont
  libmimalloc-dev xdotool
  librsvg2-dev nlohmann-json3-dev abcmidi
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
