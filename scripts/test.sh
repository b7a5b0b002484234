#!/usr/bin/env bash
# Sets up the machine, then makes the one checked build: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails), runs every test, then every fuzz target
# over its seed corpus for FUZZ_SECONDS (default 30), as many at once as there are cores, with
# the options in fuzz/corpus/<name>.options when that file exists.
# Each target's summary (coverage, final figures) is printed in one piece when it ends; a
# target that fails prints its report, leaves its input in build/ci/fuzz-artifacts and
# fails the script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/ci"
jobs=$(nproc)

# The project is C++ only: the C compiler is not named.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DOSTREL_SANITIZE=ON -DOSTREL_FUZZ=ON -DOSTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j "$jobs"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:allocator_may_return_null=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 120

seconds=${FUZZ_SECONDS:-30}
artifacts="$build/fuzz-artifacts"
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
mkdir -p "$artifacts"

# libFuzzer's log without its recommended dictionary.
without_dictionary() { sed '/^###### Recommended dictionary/,/^###### End of recommended dictionary/d' "$1"; }

# Runs one target and prints its block under a lock, so blocks never interleave; records
# the target's exit code.
fuzz_one() {
  local target=$1 name work log code options=()
  name=$(basename "$target" _fuzz)
  # A target's own libFuzzer options (such as -max_len), when it has any: one line in
  # fuzz/corpus/<name>.options.
  if [ -f "$root/fuzz/corpus/$name.options" ]; then read -r -a options <"$root/fuzz/corpus/$name.options"; fi
  work=$(mktemp -d)
  log="$logs/$name.log"
  code=0
  "$target" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 "${options[@]}" \
    -artifact_prefix="$artifacts/$name-" "$work" "$root/fuzz/corpus/$name" >"$log" 2>&1 || code=$?
  rm -rf "$work"
  echo "$code" >"$logs/$name.code"
  {
    flock 9
    if [ "$code" -eq 0 ]; then
      echo "fuzz: $name passed (${seconds}s)"
      grep ' cov: ' "$log" | tail -n 1 || true
      grep '^stat::' "$log" || true
    else
      echo "fuzz: $name FAILED (exit code $code)"
      without_dictionary "$log" | tail -n 60
    fi
  } 9>"$logs/print.lock"
}

for target in "$build"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  fuzz_one "$target" &
done
wait

failed=()
for code_file in "$logs"/*.code; do
  [ "$(cat "$code_file")" -eq 0 ] || failed+=("$(basename "$code_file" .code)")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets failed: ${failed[*]}"
  exit 1
fi
echo "all tests and fuzz runs passed"
