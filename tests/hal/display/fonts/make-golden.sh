#!/usr/bin/env bash
# Redraws the text reference pictures in golden/ from the current renderer. Run it only on
# purpose (after a deliberate change to text drawing), look at every picture, then commit
# them. Usage: make-golden.sh [build folder, default build/gcc]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
build=${1:-$root/build/gcc}
cmake --build "$build" --target display_fonts_tests
OSTREL_WRITE_GOLDEN=1 "$build/tests/hal/display/fonts/display_fonts_tests" --gtest_filter='TextGolden.*'
ls -l "$here/golden"
