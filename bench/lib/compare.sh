# Shared end of the compare-*.sh scripts; source it after lib/prepare.sh, once the script
# has defined two functions that run one side each and print one line per workload,
# `<name> ... ns_per_op=<x> ...`: `ours` (the runtime) and `theirs` (OpenJDK 17). Then call
# `compare <label of the unit>`. It runs the two sides alternately OSTREL_COMPARE_RUNS times
# (five by default), so that a burst of load from elsewhere falls on both sides alike, and
# prints per workload the median time of each side and the median, least and greatest of
# the per-run ratios ours / OpenJDK (above 1: the JVM is faster). The checksums of the two
# sides are compared where both print one.
runs=${OSTREL_COMPARE_RUNS:-5}

compare() {
  local unit=$1 i
  for ((i = 1; i <= runs; ++i)); do
    echo "== run $i of $runs: runtime" >&2; ours | tee "$work/ours.$i" >&2
    echo "== run $i of $runs: OpenJDK 17" >&2; theirs | tee "$work/theirs.$i" >&2
  done
  echo
  echo "median of $runs alternating runs; ratio = runtime / OpenJDK 17 time per $unit"
  for ((i = 1; i <= runs; ++i)); do
    sed "s/^/ours $i /" "$work/ours.$i"; sed "s/^/theirs $i /" "$work/theirs.$i"
  done | awk -v runs="$runs" '
    function field(key,   i, kv) {
      for (i = 4; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == key) return kv[2] }
      return ""
    }
    function median(a, n,   i, j, t, s) {
      for (i = 1; i <= n; ++i) s[i] = a[i]
      for (i = 2; i <= n; ++i) for (j = i; j > 1 && s[j - 1] > s[j]; --j) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
      return n % 2 ? s[(n + 1) / 2] : (s[n / 2] + s[n / 2 + 1]) / 2
    }
    {
      side = $1; run = $2; w = $3
      if (side == "ours" && !(w in seen)) { seen[w] = 1; order[++n] = w }
      ns[side, w, run] = field("ns_per_op"); sum[side, w, run] = field("checksum")
    }
    END {
      printf "%-17s %14s %14s %9s %9s %9s  %s\n", "workload", "runtime ns/op", "JVM ns/op", "ratio", "min", "max", "checksums"
      for (k = 1; k <= n; ++k) {
        w = order[k]; m = 0; same = 1
        for (r = 1; r <= runs; ++r) {
          if (!(("theirs", w, r) in ns) || ns["theirs", w, r] == "") continue
          ++m; a[m] = ns["ours", w, r]; b[m] = ns["theirs", w, r]; q[m] = a[m] / b[m]
          lo = (m == 1 || q[m] < lo) ? q[m] : lo; hi = (m == 1 || q[m] > hi) ? q[m] : hi
          if (sum["ours", w, r] != sum["theirs", w, r]) same = 0
        }
        if (m == 0) {
          for (r = 1; r <= runs; ++r) a[r] = ns["ours", w, r]
          printf "%-17s %14.2f %14s\n", w, median(a, runs), "(none)"; continue
        }
        printf "%-17s %14.2f %14.2f %8.2fx %8.2fx %8.2fx  %s\n", w, median(a, m), median(b, m), median(q, m), lo, hi,
               same ? (sum["ours", w, 1] == "" ? "-" : "equal") : "differ"
      }
    }'
}
