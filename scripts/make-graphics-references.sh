#!/usr/bin/env bash
# Regenerates, on purpose, the reference pictures of the graphics-context golden test
# (tests/hal/display/graphics/golden/). Look at every picture before committing: the golden
# test trusts them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/references"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target display_graphics_tests
mkdir -p "$root/tests/hal/display/graphics/golden"
OSTREL_WRITE_GOLDEN=1 "$build/tests/hal/display/graphics/display_graphics_tests" --gtest_filter='GraphicsGolden.*'
ls -l "$root/tests/hal/display/graphics/golden"
