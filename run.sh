#!/usr/bin/env bash
# Installs what is missing, builds Zemra in Release in the checkout and starts
# it on $DISPLAY with the arguments given here (for example ./run.sh -w), in
# the directory run.sh was called from: the files Zemra writes (data, rules,
# seeds, images) land there, not in the checkout. The build takes every core,
# or ZEMRA_JOBS=N jobs (scripts/build_jobs.sh).
set -euo pipefail
here=$(pwd)
checkout=$(cd "$(dirname "$0")" && pwd)
cd "$checkout"
jobs=$(scripts/build_jobs.sh)
scripts/install_deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$jobs" --target zemra
cd "$here"
exec "$checkout/build/release/zemra" "$@"
