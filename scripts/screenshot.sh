#!/usr/bin/env bash
# Starts the program in a virtual X display (Xvfb), waits for it to draw, and saves a
# screenshot of the screen to the given file (default screenshot.png). Not part of CI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-screenshot.png}")
wait_seconds=${WAIT_SECONDS:-3}
"$root/scripts/setup.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target ostrel >/dev/null
database=$(mktemp -d)
export OSTREL_DATABASE_DIR="$database"
xvfb-run -a -s "-screen 0 600x760x24" bash -c "
  '$build/src/ostrel' & program=\$!
  sleep $wait_seconds
  import -window root '$out'
  kill \$program; wait \$program 2>/dev/null || true"
rm -rf "$database"
echo "saved $out"
