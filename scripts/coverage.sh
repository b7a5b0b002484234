#!/usr/bin/env bash
# Line coverage of the project's code by its tests: a clang build with source-based
# coverage, every test run, then one summary over the libraries (tests, benchmarks and
# fuzz targets excluded). Usage: scripts/coverage.sh [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build/coverage"}
"$root/scripts/setup.sh"
jobs=$(nproc)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fprofile-instr-generate -fcoverage-mapping" \
  -DCMAKE_EXE_LINKER_FLAGS="-fprofile-instr-generate" \
  -DOSTREL_SANITIZE=OFF -DOSTREL_FUZZ=OFF -DOSTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

profiles="$build/profiles"
rm -rf "$profiles" && mkdir -p "$profiles"
LLVM_PROFILE_FILE="$profiles/%p.profraw" ctest --test-dir "$build" -j "$jobs" --timeout 120 >/dev/null || true
llvm-profdata-14 merge -sparse "$profiles"/*.profraw -o "$build/tests.profdata"

objects=()
for exe in $(find "$build/tests" -type f -executable -name '*_test*'); do objects+=(-object "$exe"); done
llvm-cov-14 report "${objects[@]:1}" -instr-profile "$build/tests.profdata" \
  -ignore-filename-regex='(^|/)(tests|bench|fuzz|usr)/' | tail -n 1
