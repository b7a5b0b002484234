#!/usr/bin/env bash
# The typical game frame's stable figure: its instruction count under valgrind's callgrind,
# per frame, counted only inside renderFrames (the warm-up frame and start-up are left out).
# Installs valgrind when it is missing. Usage: bench/graphics-frame-callgrind.sh [frames]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
frames=${1:-20}
if ! command -v valgrind >/dev/null; then
  if [ "$(id -u)" -eq 0 ]; then apt-get install -y valgrind >/dev/null; else sudo apt-get install -y valgrind >/dev/null; fi
fi
build="$root/build/bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_BENCH=ON >/dev/null
cmake --build "$build" --target graphics_frame_bench >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
valgrind --tool=callgrind --collect-atstart=no --toggle-collect='renderFrames*' \
  --callgrind-out-file="$out/callgrind.out" "$build/bench/graphics_frame_bench" --count "$frames" >/dev/null 2>"$out/log" \
  || { cat "$out/log" >&2; exit 1; }
total=$(awk '/^(summary|totals):/ {print $2; exit}' "$out/callgrind.out")
echo "game_frame instructions_per_frame=$((total / frames)) frames=$frames total=$total"
