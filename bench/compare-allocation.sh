#!/usr/bin/env bash
# Runs the allocation benchmark on the runtime and the same workload on OpenJDK 17 (serial
# collector, after warm-up, given the runtime's heap: 16 MiB at first, at most 512 MiB),
# alternately five times (OSTREL_COMPARE_RUNS), and prints the median time per allocated
# object of the churn and the median collection pause per live-set size of both, with the
# median, least and greatest ratio runtime / JVM. Installs OpenJDK 17 when it is missing.
source "$(dirname "$0")/lib/prepare.sh" allocation_bench AllocationBench.java
source "$root/bench/lib/compare.sh"

# Both sides print "churn: ... = <r> M objects/s" and "pause: live set <n> objects: median
# <t> ms"; they become "churn ns_per_op=<1000 / r>" and "pause-<n> ns_per_op=<t in ns>".
normalise() {
  awk '
    /^churn:/ { for (i = 1; i <= NF; ++i) if ($i == "M") printf "churn ns_per_op=%.3f\n", 1000 / $(i - 1) }
    /^pause:/ { n = $4; t = $(NF - 1); printf "pause-%s ns_per_op=%.0f\n", n, t * 1e6 }'
}
ours() { "$build/bench/allocation_bench" | tee /dev/stderr | normalise; }
theirs() { java -XX:+UseSerialGC -Xms16m -Xmx512m -cp "$work" AllocationBench | tee /dev/stderr | normalise; }
compare "allocated object (churn) or pause (pause-<live set>)"
