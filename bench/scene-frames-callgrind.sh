#!/usr/bin/env bash
# Instructions per frame of each scene of scene_frames_bench under valgrind's callgrind,
# counted only inside measuredFrames (start-up, loading and the 2,000 warm-up frames are
# left out). Uses the Release benchmark build (build/release, -DOSTREL_BENCH=ON).
# Usage: bench/scene-frames-callgrind.sh [frames]   prints "<scene>: <Ir per frame>" lines
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
frames=${1:-100}
bench="$root/build/release/bench/scene_frames_bench"
[ -x "$bench" ] || { echo "build scene_frames_bench in build/release first" >&2; exit 1; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for scene in "menu" "world map" "stage 1" "stage 2" "stage 3" "stage 4" "stage 5" "boss 1" "boss 2" "boss 3" "boss 4" \
  "boss 5" "tutorial" "tutorial message" "result" "shop"; do
  valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*measuredFrames*' \
    --callgrind-out-file="$out/callgrind.out" "$bench" "$scene" "$frames" >/dev/null 2>"$out/log" \
    || { cat "$out/log" >&2; exit 1; }
  total=$(awk '/^(summary|totals):/ {print $2; exit}' "$out/callgrind.out")
  echo "$scene: $((total / frames))"
done
