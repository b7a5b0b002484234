#!/usr/bin/env bash
# Runs the data-stream benchmark on the runtime and the same workloads on OpenJDK 17
# (serial collector, after warm-up), and prints a table of the write and read throughput
# of both in MB/s with the ratio JVM/runtime (above 1: the JVM is faster). Installs
# OpenJDK 17 when it is missing.
source "$(dirname "$0")/lib/prepare.sh" datastreams_bench DataStreamsBench.java

echo "== runtime"; "$build/bench/datastreams_bench" | tee "$work/ours"
echo "== OpenJDK 17 (-XX:+UseSerialGC)"; java -XX:+UseSerialGC -cp "$work" DataStreamsBench | tee "$work/theirs"

# Each line: <name> ops=<records> bytes=<b> ns_per_op=<x> mb_per_s=<y> checksum=<c>. Both
# sides write and read the same bytes, so the byte counts and checksums agree; only the
# speed is compared. Rates and ratios are taken from the nanoseconds per record.
echo
awk '
  function field(key,   i, kv) {
    for (i = 2; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == key) return kv[2] }
    return ""
  }
  FNR == NR { ns[$1] = field("ns_per_op"); per[$1] = field("bytes") / field("ops"); sum[$1] = field("checksum"); order[++n] = $1; next }
  { jns[$1] = field("ns_per_op"); jper[$1] = field("bytes") / field("ops"); jsum[$1] = field("checksum") }
  END {
    printf "%-8s %14s %14s %12s %12s %10s  %s\n", "workload", "runtime ns/rec", "JVM ns/rec", "runtime MB/s", "JVM MB/s", "JVM/runtime", "bytes and checksums"
    for (i = 1; i <= n; ++i) {
      w = order[i]
      if (!(w in jns)) { printf "%-8s %14.2f %14s\n", w, ns[w], "missing"; continue }
      printf "%-8s %14.2f %14.2f %12.1f %12.1f %9.2fx  %s\n", w, ns[w], jns[w], per[w] * 1000 / ns[w], jper[w] * 1000 / jns[w],
             ns[w] / jns[w], (sum[w] == jsum[w] && per[w] == jper[w]) ? "equal" : "differ"
    }
  }' "$work/ours" "$work/theirs"
