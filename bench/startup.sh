#!/usr/bin/env bash
# Times the program's start-up: from launch to its first frame presented, headless
# (OSTREL_BACKEND=headless) with a fresh database folder each time, beside OpenJDK 17 starting
# and printing a line (`java Hello`). Both sides run alternately OSTREL_STARTUP_RUNS times (ten
# by default); each run is timed from just before the launch to the line on the program's
# standard output (OSTREL_REPORT_FIRST_FRAME makes ours print one at its first frame), after
# which the program is ended with SIGTERM. Prints each run, then as its last line the medians
# and their ratio. Builds the program (Release, build/bench) and installs OpenJDK 17 when
# missing.
source "$(dirname "$0")/lib/prepare.sh" ostrel Hello.java
runs=${OSTREL_STARTUP_RUNS:-10}

# Milliseconds from launch to the line $1 on the command's standard output (the rest of the
# arguments); the command is then ended.
time_to_line() {
  local expected=$1 start end line
  shift
  start=${EPOCHREALTIME/./}  # microseconds, read without starting a process
  coproc LAUNCHED { exec "$@" 2>/dev/null; }
  while IFS= read -r line <&"${LAUNCHED[0]}" && [ "$line" != "$expected" ]; do :; done
  end=${EPOCHREALTIME/./}
  kill -TERM "$LAUNCHED_PID" 2>/dev/null || true
  wait "$LAUNCHED_PID" 2>/dev/null || true
  if [ "$line" != "$expected" ]; then
    echo "startup: $* ended without printing '$expected'" >&2
    exit 1
  fi
  awk -v us=$((10#$end - 10#$start)) 'BEGIN { printf "%.1f\n", us / 1000 }'
}

first_frame() {
  local database result
  database=$(mktemp -d)
  result=$(time_to_line "first frame presented" env OSTREL_BACKEND=headless OSTREL_DATABASE_DIR="$database" \
           OSTREL_REPORT_FIRST_FRAME=1 "$build/src/ostrel") || exit 1
  rm -rf "$database"
  echo "$result"
}

ours=() theirs=()
frame="" hello=""
for ((i = 1; i <= runs; ++i)); do
  frame=$(first_frame) || exit 1
  hello=$(time_to_line hello java -cp "$work" Hello) || exit 1
  ours+=("$frame") theirs+=("$hello")
  echo "run $i of $runs: first frame ${ours[-1]} ms, java hello ${theirs[-1]} ms" >&2
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ours_median=$(median "${ours[@]}")
theirs_median=$(median "${theirs[@]}")
awk -v a="$ours_median" -v b="$theirs_median" \
  'BEGIN { printf "first frame: %.1f ms; java hello: %.1f ms; ratio %.2fx\n", a, b, a / b }'
