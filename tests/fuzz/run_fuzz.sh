#!/usr/bin/env bash
# Makes a fuzz target's seed corpus and runs the target over it for a fixed
# number of inputs: run_fuzz.sh SEEDS-PROGRAM TARGET CORPUS-DIR RUNS [flags].
# RUNS of -1 runs until stopped. New inputs go to CORPUS-DIR.new; any
# finding (crash, leak, failed check, timeout) fails with the target's
# status, its input kept as crash-*, leak-* or timeout-* in CORPUS-DIR's
# parent folder. The targets work in a directory of their own, so every
# path is made absolute first. A run of one process takes the fixed seed 1,
# so that a bounded run is the same each time; with -jobs= or -workers= each
# worker takes a seed of its own (libFuzzer's, from the clock and its pid)
# and writes its log fuzz-N.log into CORPUS-DIR.logs, beside the corpus.
set -euo pipefail
seeds=$(realpath "$1") target=$(realpath "$2") runs=$4
mkdir -p "$3"
corpus=$(realpath "$3")
shift 4
"$seeds" "$corpus"
scratch="$corpus.new"
rm -rf "$scratch"
mkdir -p "$scratch" "$corpus.logs"
seed=(-seed=1)
for flag in "$@"; do
  case $flag in -jobs=* | -workers=*) seed=() ;; esac
done
cd "$corpus.logs"
exec "$target" -runs="$runs" "${seed[@]}" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
     -artifact_prefix="$(dirname "$corpus")/" "$@" "$scratch" "$corpus"
