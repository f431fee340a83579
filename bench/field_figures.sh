#!/usr/bin/env bash
# The basin field figures in one command: builds the benchmarks in
# build/bench (Release), then runs the whole fields computed (no window) and
# drawn (on a private virtual X server), and the pre-image methods over a
# whole state space, each the best of REPS repetitions (default 5). Then the
# computed fields side by side with the plain C program (bench/reference):
# CPU time of all threads and wall time a state, peak memory a state, and
# the ratios, for the sizes in SIZES (default "16 18 20 22 24 26 28"), one
# thread and all, quiet and with every core busy; the C program's run
# checks that Zemra's field has the same basins. The side-by-side runs are
# the best of SIDE_REPS repetitions (default 3), each column on its own;
# the thread count Zemra chose with every core busy is printed beside them.
# Last, the drawn forward runs (run_forward_bench), on a private virtual X
# server as the drawn fields.
# Extra arguments go to every benchmark program (e.g. --benchmark_filter=).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZEMRA_BENCH_BUILD:-$here/build/bench}
reps=${REPS:-5}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEMRA_BENCH=ON -DZEMRA_TESTS=OFF >/dev/null
cmake --build "$build" -j3 --target basin_field_bench backward_bench run_forward_bench >/dev/null
best() {
  "$@" --benchmark_repetitions="$reps" --benchmark_display_aggregates_only=false 2>/dev/null |
    awk '/^BM_/ && !/_(mean|median|stddev|cv)/ { name = $1; t = $2 + 0;
           if (!(name in best) || t < best[name]) { best[name] = t; line[name] = $0 }; order[name] = order[name] ? order[name] : ++n }
         END { for (k in order) seq[order[k]] = k; for (i = 1; i <= n; i++) print line[seq[i]] }'
}
echo "# load: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
best "$build/bench/basin_field_bench" --benchmark_filter='BM_FieldComputed' "$@"
echo "# drawn fields: wall time, the server's drawing included (Time and ns_per_state by the clock)"
best "$here/tests/with_xvfb.sh" "$build/bench/basin_field_bench" --benchmark_filter='BM_FieldDrawn' "$@"
best "$build/bench/backward_bench" --benchmark_filter='RandomWiring' "$@"
echo "# whole fields by the table (one thread) and by the general method, 2^16 to 2^24 states"
best "$build/bench/basin_field_bench" --benchmark_filter='BM_FieldBySize' "$@"

# The side-by-side table: one line a network and size.
sizes=$(echo "${SIZES:-16 18 20 22 24 26 28}" | tr ' ' '|')
echo "# computed field side by side; load: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/basin_field_bench" --benchmark_filter="BM_Field(Reference|Table)/kind:[15]/n:($sizes)/" \
  --benchmark_repetitions="${SIDE_REPS:-3}" "$@" 2>/dev/null |
  awk '/^BM_Field(Reference|Table)/ && !/_(mean|median|stddev|cv) / {
         split($1, part, "/"); key = part[2] " " part[3] " " part[4]
         threads = "ref"; busy = 0
         for (i = 5; i <= 6; i++) {
           if (part[i] ~ /^threads:/) threads = substr(part[i], 9)
           if (part[i] ~ /^busy:/) busy = substr(part[i], 6)
         }
         for (i = 2; i <= NF; i++) if (split($i, kv, "=") == 2) v[kv[1]] = kv[2]
         at = key SUBSEP threads SUBSEP busy
         if (!(at in cpu) || v["cpu_ns_state"] < cpu[at]) cpu[at] = v["cpu_ns_state"]
         if (!(at in wall) || v["wall_ns_state"] < wall[at]) wall[at] = v["wall_ns_state"]
         if (!(at in peak) || v["peak_B_state"] < peak[at]) peak[at] = v["peak_B_state"]
         if (threads == "0" && busy == 1) chosen[key] = v["threads"]
         if (threads == "ref" && (!(key in agrees) || v["agrees"] != 1)) agrees[key] = v["agrees"]
         if (!(key in seen)) { seen[key] = 1; order[++n] = key }
       }
       function r(a, b) { return b > 0 ? sprintf("%.2f", a / b) : "-" }
       END {
         print "# ns a state (CPU of all threads / wall); C: the plain C program, one core; Z1: Zemra one thread;"
         print "# Zall: Zemra, threads as the program chooses (all cores at most); busy: every core kept busy;"
         print "# peak: bytes a state the field added; ratios of CPU time to C, and of wall time to Z1"
         printf "%-24s %15s %15s %15s %8s %8s %10s %10s %7s %7s %7s %6s\n", "network", "C cpu/wall", "Z1 cpu/wall",
                "Zall cpu/wall", "Z1/C", "Zall/C", "Zall/Z1", "busy:", "busy:", "peak Z", "peak C", "agree"
         printf "%-24s %15s %15s %15s %8s %8s %10s %10s %7s %7s %7s %6s\n", "", "", "", "", "cpu", "cpu", "wall",
                "Zall/Z1", "threads", "B", "B", ""
         for (i = 1; i <= n; i++) {
           k = order[i]; c = k SUBSEP "ref" SUBSEP 0; one = k SUBSEP 1 SUBSEP 0; all = k SUBSEP 0 SUBSEP 0
           printf "%-24s %7.1f/%-7.1f %7.1f/%-7.1f %7.1f/%-7.1f %8s %8s %10s %10s %7s %7.2f %7.2f %6s\n", k,
                  cpu[c], wall[c], cpu[one], wall[one], cpu[all], wall[all], r(cpu[one], cpu[c]),
                  r(cpu[all], cpu[c]), r(wall[all], wall[one]),
                  r(wall[k SUBSEP 0 SUBSEP 1], wall[k SUBSEP 1 SUBSEP 1]), k in chosen ? chosen[k] : "-", peak[all], peak[c],
                  agrees[k] == 1 ? "yes" : "NO"
         }
       }'
echo "# drawn forward runs: rows and frames a second, key polls and undrawn runs"
"$here/tests/with_xvfb.sh" "$build/bench/run_forward_bench" "$@"
