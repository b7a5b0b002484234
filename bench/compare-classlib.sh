#!/usr/bin/env bash
# Runs the class-library benchmark on the runtime and the same workloads on OpenJDK 17
# (serial collector, after warm-up), and prints a table of both figures per workload with
# the ratio JVM/runtime of their throughputs (above 1: the JVM is faster). Installs
# OpenJDK 17 when it is missing.
source "$(dirname "$0")/lib/prepare.sh" classlib_bench ClassLibraryBench.java

echo "== runtime"; "$build/bench/classlib_bench" | tee "$work/ours"
echo "== OpenJDK 17 (-XX:+UseSerialGC)"; java -XX:+UseSerialGC -cp "$work" ClassLibraryBench | tee "$work/theirs"

# Each line: <name> ops=<n> ns_per_op=<x> mops_per_s=<y> checksum=<c>. The checksums agree
# where both sides produce the same results; only the speed is compared. Rates and ratios
# are taken from the nanoseconds per operation, which keep their precision for slow workloads.
echo
awk '
  function field(key,   i, kv) {
    for (i = 2; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == key) return kv[2] }
    return ""
  }
  FNR == NR { ns[$1] = field("ns_per_op"); sum[$1] = field("checksum"); order[++n] = $1; next }
  { jns[$1] = field("ns_per_op"); jsum[$1] = field("checksum") }
  END {
    printf "%-14s %14s %14s %12s %12s %10s  %s\n", "workload", "runtime ns/op", "JVM ns/op", "runtime M/s", "JVM M/s", "JVM/runtime", "checksums"
    for (i = 1; i <= n; ++i) {
      w = order[i]
      if (!(w in jns)) { printf "%-14s %14.2f %14s\n", w, ns[w], "missing"; continue }
      printf "%-14s %14.2f %14.2f %12.3f %12.3f %9.2fx  %s\n", w, ns[w], jns[w], 1000 / ns[w], 1000 / jns[w], ns[w] / jns[w],
             sum[w] == jsum[w] ? "equal" : "differ"
    }
  }' "$work/ours" "$work/theirs"
