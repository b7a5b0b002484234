#!/usr/bin/env bash
# Regenerates, on purpose, the golden pictures of the image tests (tests/hal/display/golden/)
# and the seed corpus of the image-decoding fuzz target (fuzz/corpus/image_decoding/). Look at
# every picture before committing: the golden test trusts them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/references"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" --target make_image_references platform_display_tests
mkdir -p "$root/tests/hal/display/golden" "$root/fuzz/corpus/image_decoding"
OSTREL_WRITE_GOLDEN=1 "$build/tests/hal/display/platform_display_tests" --gtest_filter='GoldenImages.*'
"$build/tests/hal/display/make_image_references" "$root/fuzz/corpus/image_decoding"
