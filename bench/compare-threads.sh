#!/usr/bin/env bash
# Runs the thread benchmark on the runtime and the same workloads on OpenJDK 17 (serial
# collector, after warm-up), and prints a table of both figures per workload with the
# ratio JVM/runtime of their throughputs (above 1: the JVM is faster). Installs OpenJDK 17
# when it is missing.
source "$(dirname "$0")/lib/prepare.sh" threads_bench ThreadsBench.java

echo "== runtime"; "$build/bench/threads_bench" | tee "$work/ours"
echo "== OpenJDK 17 (-XX:+UseSerialGC)"; java -XX:+UseSerialGC -cp "$work" ThreadsBench | tee "$work/theirs"

# Each line: <name> ops=<n> ns_per_op=<x> mops_per_s=<y> checksum=<c> [key=value ...]. The
# checksums agree where both sides produce the same results; only the speed is compared.
# Rates and ratios are taken from the nanoseconds per operation (for ping-pong, the mean
# round-trip latency); the extra fields of both sides (handoffs, mean round trip, reclaim
# cost) are shown after the checksums.
echo
awk '
  function field(key,   i, kv) {
    for (i = 2; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == key) return kv[2] }
    return ""
  }
  function extras(   i, s, kv) {
    s = ""
    for (i = 2; i <= NF; ++i) {
      split($i, kv, "=")
      if (kv[1] != "ops" && kv[1] != "ns_per_op" && kv[1] != "mops_per_s" && kv[1] != "checksum") s = s " " $i
    }
    return s
  }
  FNR == NR { ns[$1] = field("ns_per_op"); sum[$1] = field("checksum"); ex[$1] = extras(); order[++n] = $1; next }
  { jns[$1] = field("ns_per_op"); jsum[$1] = field("checksum"); jex[$1] = extras() }
  END {
    printf "%-17s %14s %14s %14s %14s %11s  %-9s %s\n", "workload", "runtime ns/op", "JVM ns/op", "runtime ops/s",
           "JVM ops/s", "JVM/runtime", "checksums", "notes (runtime | JVM)"
    for (i = 1; i <= n; ++i) {
      w = order[i]
      if (!(w in jns)) { printf "%-17s %14.2f %14s\n", w, ns[w], "missing"; continue }
      printf "%-17s %14.2f %14.2f %14.0f %14.0f %10.2fx  %-9s%s |%s\n", w, ns[w], jns[w], 1e9 / ns[w], 1e9 / jns[w],
             ns[w] / jns[w], sum[w] == jsum[w] ? "equal" : "differ", ex[w], jex[w]
    }
  }' "$work/ours" "$work/theirs"
