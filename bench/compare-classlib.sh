#!/usr/bin/env bash
# Runs the class-library benchmark on the runtime and the same workloads on OpenJDK 17
# (serial collector, after warm-up), alternately five times (OSTREL_COMPARE_RUNS), and
# prints per workload the median time per operation of both and the median, least and
# greatest ratio runtime / JVM (above 1: the JVM is faster). Installs OpenJDK 17 when it is
# missing.
source "$(dirname "$0")/lib/prepare.sh" classlib_bench ClassLibraryBench.java
source "$root/bench/lib/compare.sh"

# Each line: <name> ops=<n> ns_per_op=<x> mops_per_s=<y> checksum=<c>.
ours() { "$build/bench/classlib_bench"; }
theirs() { java -XX:+UseSerialGC -cp "$work" ClassLibraryBench; }
compare operation
