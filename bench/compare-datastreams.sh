#!/usr/bin/env bash
# Runs the data-stream benchmark on the runtime and the same workloads on OpenJDK 17
# (serial collector, after warm-up), alternately five times (OSTREL_COMPARE_RUNS), and
# prints per workload the median time per record of both and the median, least and
# greatest ratio runtime / JVM (above 1: the JVM is faster). Both sides write and read the
# same bytes, so the checksums agree. Installs OpenJDK 17 when it is missing.
source "$(dirname "$0")/lib/prepare.sh" datastreams_bench DataStreamsBench.java
source "$root/bench/lib/compare.sh"

# Each line: <name> ops=<records> bytes=<b> ns_per_op=<x> mb_per_s=<y> checksum=<c>.
ours() { "$build/bench/datastreams_bench"; }
theirs() { java -XX:+UseSerialGC -cp "$work" DataStreamsBench; }
compare record
