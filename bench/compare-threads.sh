#!/usr/bin/env bash
# Runs the thread benchmark on the runtime and the same workloads on OpenJDK 17 (serial
# collector, after warm-up), alternately five times (OSTREL_COMPARE_RUNS), and prints per
# workload the median time per operation of both (for ping-pong, the mean round trip) and
# the median, least and greatest ratio runtime / JVM (above 1: the JVM is faster). The
# extra fields of each run (hand-offs, reclaim cost) are in the raw lines printed first.
# Installs OpenJDK 17 when it is missing.
source "$(dirname "$0")/lib/prepare.sh" threads_bench ThreadsBench.java
source "$root/bench/lib/compare.sh"

# Each line: <name> ops=<n> ns_per_op=<x> mops_per_s=<y> checksum=<c> [key=value ...].
ours() { "$build/bench/threads_bench"; }
theirs() { java -XX:+UseSerialGC -cp "$work" ThreadsBench; }
compare operation
