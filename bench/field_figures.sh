#!/usr/bin/env bash
# The basin field figures in one command: builds the benchmarks in
# build/bench (Release), then runs the whole fields computed (no window) and
# drawn (on a private virtual X server), and the pre-image methods over a
# whole state space, each the best of REPS repetitions (default 5).
# Extra arguments go to every benchmark program (e.g. --benchmark_filter=).
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZEMRA_BENCH_BUILD:-$here/build/bench}
reps=${REPS:-5}
cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZEMRA_BENCH=ON -DZEMRA_TESTS=OFF >/dev/null
cmake --build "$build" -j3 --target basin_field_bench backward_bench >/dev/null
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
