#!/usr/bin/env bash
# Runs the allocation benchmark on the runtime and the same workload on OpenJDK 17 (serial
# collector, after warm-up, given the runtime's heap: 16 MiB at first, at most 512 MiB), and
# prints both figures with their ratio. Installs OpenJDK 17 when it is missing.
source "$(dirname "$0")/lib/prepare.sh" allocation_bench AllocationBench.java

echo "== runtime"; ours=$("$build/bench/allocation_bench" | tee /dev/stderr)
echo "== OpenJDK 17 (-XX:+UseSerialGC -Xms16m -Xmx512m)"
theirs=$(java -XX:+UseSerialGC -Xms16m -Xmx512m -cp "$work" AllocationBench | tee /dev/stderr)
rate() { sed -n 's/.*= \([0-9.]*\) M objects\/s.*/\1/p' <<<"$1"; }
awk -v a="$(rate "$ours")" -v b="$(rate "$theirs")" \
  'BEGIN { printf "allocation rate: runtime %.2f M/s, JVM %.2f M/s, ratio %.2fx\n", a, b, b / a }'
