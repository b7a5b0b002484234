#!/usr/bin/env bash
# Regenerates, on purpose, the reference pictures of the graphics-context golden test
# (tests/hal/display/graphics/golden/). Look at every picture before committing: the golden
# test trusts them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/references"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target make_graphics_references
mkdir -p "$root/tests/hal/display/graphics/golden"
"$build/tests/hal/display/graphics/make_graphics_references" "$root/tests/hal/display/graphics/golden"
