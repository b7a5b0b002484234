#!/usr/bin/env bash
# Sets up the machine, builds the program (release, g++) and runs it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target ostrel
exec "$build/src/ostrel" "$@"
