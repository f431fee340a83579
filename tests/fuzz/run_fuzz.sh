#!/usr/bin/env bash
# Makes a fuzz target's seed corpus and runs the target over it for a fixed
# number of inputs: run_fuzz.sh SEEDS-PROGRAM TARGET CORPUS-DIR RUNS [flags].
# New inputs go to a scratch folder beside the corpus; any finding (crash,
# leak, failed check, timeout) fails with the target's status, its input
# kept as crash-*/leak-*/timeout-* in the build folder.
set -euo pipefail
seeds=$1 target=$2 corpus=$3 runs=$4
shift 4
mkdir -p "$corpus"
"$seeds" "$corpus"
scratch="$corpus.new"
rm -rf "$scratch"
mkdir -p "$scratch"
exec "$target" -runs="$runs" -seed=1 -timeout=20 -rss_limit_mb=2048 \
     -print_final_stats=1 "$@" "$scratch" "$corpus"
