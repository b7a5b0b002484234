#!/usr/bin/env bash
# Starts the program in a virtual X display (Xvfb), waits for it to draw, and saves a
# screenshot of the screen to the given file (default screenshot.png). Not part of CI.
#
# With STEPS set, plays a script in the program's window instead and saves a screenshot at
# each "shot", into the folder given (default screenshots/). Steps, separated by spaces:
#   wait:S      wait S seconds (fractions allowed)
#   tap:X,Y     tap the phone screen at X, Y (its own 240 x 320 pixels)
#   shot:NAME   save the window as NAME.png
# e.g. STEPS="wait:4 tap:196,156 wait:1 shot:german" scripts/screenshot.sh shots/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
wait_seconds=${WAIT_SECONDS:-3}
steps=${STEPS:-}
"$root/scripts/setup.sh"
build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target ostrel >/dev/null
database=$(mktemp -d)
export OSTREL_DATABASE_DIR="$database" OSTREL_SCALE=2
if [ -z "$steps" ]; then
  out=$(realpath -m "${1:-screenshot.png}")
  xvfb-run -a -s "-screen 0 600x760x24" bash -c "
    '$build/src/ostrel' & program=\$!
    sleep $wait_seconds
    import -window root '$out'
    kill \$program; wait \$program 2>/dev/null || true"
  echo "saved $out"
else
  out=$(realpath -m "${1:-screenshots}")
  mkdir -p "$out"
  xvfb-run -a -s "-screen 0 600x760x24" bash -c "
    '$build/src/ostrel' & program=\$!
    window=\$(xdotool search --sync --onlyvisible --pid \$program | head -n 1)
    for step in $steps; do
      case \$step in
        wait:*) sleep \${step#wait:} ;;
        tap:*) xy=\${step#tap:}
               xdotool mousemove --window \$window \$(( \${xy%,*} * 2 + 1 )) \$(( \${xy#*,} * 2 + 1 )) mousedown 1
               sleep 0.1; xdotool mouseup 1; sleep 0.1 ;;
        shot:*) import -window \$window '$out'/\${step#shot:}.png ;;
      esac
    done
    kill \$program; wait \$program 2>/dev/null || true"
  echo "saved the shots in $out"
fi
rm -rf "$database"
