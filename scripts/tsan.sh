#!/usr/bin/env bash
# Runs the tests under ThreadSanitizer (clang). Beside CI: slower, and only the threading
# code gains from it. Any report fails the run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/tsan"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_COMPILER=clang++ -DOSTREL_TSAN=ON >/dev/null
# The build runs the content compiler, which fontconfig's own thread makes race in ways
# no project code shares: its reports do not fail the build (the tests below still do).
TSAN_OPTIONS=exitcode=0:report_thread_leaks=0 cmake --build "$build" -j "$(nproc)"
# Finished threads are joined when a collection reclaims their records, so a test that
# ends before that leaves them unjoined by design: thread-leak reports are off.
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:allocator_may_return_null=1:report_thread_leaks=0:suppressions=$root/scripts/tsan.supp
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300 "$@"
