#!/usr/bin/env bash
# Sets up the machine, then makes the one checked build: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails), runs every test, then each fuzz target
# over its seed corpus for FUZZ_SECONDS (default 30).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/ci"
jobs=$(nproc)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DOSTREL_SANITIZE=ON -DOSTREL_FUZZ=ON -DOSTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 120

seconds=${FUZZ_SECONDS:-30}
for target in "$build"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target" _fuzz)
  corpus="$root/fuzz/corpus/$name"
  work=$(mktemp -d)
  echo "fuzz: $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 "$work" "$corpus" 2>&1 | tail -n 12
  rm -rf "$work"
done
echo "all tests and fuzz runs passed"
