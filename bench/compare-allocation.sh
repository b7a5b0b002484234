#!/usr/bin/env bash
# Runs the allocation benchmark on the runtime and the same workload on OpenJDK 17 (serial
# collector, after warm-up), and prints both figures with their ratio. Installs OpenJDK 17
# when it is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
if ! command -v javac >/dev/null || ! javac -version 2>&1 | grep -q ' 17'; then
  sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get install -y -qq openjdk-17-jdk-headless
fi
build="$root/build/bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DOSTREL_BENCH=ON -DOSTREL_TESTS=OFF >/dev/null
cmake --build "$build" --target allocation_bench >/dev/null
work=$(mktemp -d)
javac -d "$work" "$root/bench/java/AllocationBench.java"

echo "== runtime"; ours=$("$build/bench/allocation_bench" | tee /dev/stderr)
echo "== OpenJDK 17 (-XX:+UseSerialGC)"; theirs=$(java -XX:+UseSerialGC -cp "$work" AllocationBench | tee /dev/stderr)
rm -rf "$work"
rate() { sed -n 's/.*= \([0-9.]*\) M objects\/s.*/\1/p' <<<"$1"; }
awk -v a="$(rate "$ours")" -v b="$(rate "$theirs")" \
  'BEGIN { printf "allocation rate: runtime %.2f M/s, JVM %.2f M/s, ratio %.2fx\n", a, b, b / a }'
