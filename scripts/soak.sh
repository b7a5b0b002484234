#!/usr/bin/env bash
# The long runs of the scripted player, outside CI: a Release build of bench/game/Soak_bench.cpp,
# then the hour's soak, the kill run and the frame times by scene, each in its own process.
# Their Markdown figures go to stdout and to <build>/soak-figures.md, with the date, the commit
# and the machine's load. Usage: scripts/soak.sh [build-dir]
# OSTREL_SOAK_FRAMES (72000), OSTREL_SOAK_KILLS (200) and OSTREL_SOAK_STAGES ("0,1") change the runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build/release"}
jobs=${OSTREL_JOBS:-3}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DOSTREL_BENCH=ON >/dev/null
ninja -C "$build" -j "$jobs" soak_bench

out="$build/soak-figures.md"
{
  echo "Run $(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git -C "$root" rev-parse --short HEAD)$(git -C "$root" diff --quiet || echo ' (with changes)'),"
  echo "$(nproc) cores, load average at the start $(cut -d' ' -f1-3 /proc/loadavg)."
} | tee "$out"
status=0
for run in TheStagesPlayedInALoopForAnHourOfGameTime AGameKilledAtRandomMomentsKeepsEveryRecordWholeAndUpToDate \
           FrameTimesByScene; do
  OSTREL_SOAK=1 "$build/bench/soak_bench" --gtest_filter="Soak.$run" >"$build/soak-$run.log" 2>&1 || status=1
  # The figures: from each run's heading to the end of its printout.
  sed -n '/^### /,/^\[ /p' "$build/soak-$run.log" | grep -v '^\[' | tee -a "$out"
  grep -E '^\[  (FAILED|PASSED) ' "$build/soak-$run.log" | head -n 1 | tee -a "$out"
done
echo "Load average at the end $(cut -d' ' -f1-3 /proc/loadavg)." | tee -a "$out"
exit $status
