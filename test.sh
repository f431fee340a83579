#!/usr/bin/env bash
# Installs what is missing, builds Zemra and its tests and runs every test,
# each display test under its own private virtual X server: first in Release,
# in the build folder ./run.sh uses (its README walk-through starts zemra
# through run.sh), with the tests of every program in an order
# shuffled by a seed printed here (a new one each run; ZEMRA_TEST_SEED=N
# replays one), so a test that leans on another's leftovers shows at once;
# then with address and undefined-behaviour sanitizers, in file order; then,
# with clang, builds the file loaders' fuzz targets and runs each over its
# corpus (tests/fuzz/README). The builds and ctest take every core, or
# ZEMRA_JOBS=N jobs (scripts/build_jobs.sh). When it ends, stopped or not, it
# prints the seconds each phase took, its build and its tests apart.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(scripts/build_jobs.sh)
scripts/install_deps.sh
status=0
phase_times=() running='' running_since=0
print_times() {
  local line='' part
  for part in "${phase_times[@]}"; do line+="${line:+; }$part"; done
  [ -z "$running" ] || line+="${line:+; }$running stopped after $((SECONDS - running_since)) s"
  [ -z "$line" ] || echo "test.sh: seconds per phase with $jobs jobs: $line"
}
trap print_times EXIT
# Builds the tree dir with the cmake options after the phase's name, runs its
# tests and notes how long each took.
build_and_test() {
  local phase=$1 dir=$2; shift 2
  local built took
  running=$phase running_since=$SECONDS
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  built=$SECONDS
  (cd "$dir" && ctest --output-on-failure -j"$jobs") || status=1
  took="$((SECONDS - running_since)) s (build $((built - running_since)) s, tests $((SECONDS - built)) s)"
  phase_times+=("$phase $took")
  running=''
}
seed=${ZEMRA_TEST_SEED:-$(( (RANDOM << 15 | RANDOM) % 99999 + 1 ))}
echo "test.sh: Release tests shuffled with seed $seed (ZEMRA_TEST_SEED=$seed ./test.sh replays the order)"
GTEST_SHUFFLE=1 GTEST_RANDOM_SEED=$seed build_and_test Release build/release \
  -DCMAKE_BUILD_TYPE=Release
build_and_test sanitizers build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZEMRA_SANITIZE=ON \
  -DZEMRA_BENCH=OFF
if command -v clang++ >/dev/null 2>&1; then
  build_and_test fuzz build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMRA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
else
  echo "test.sh: no clang++, the fuzz targets are not run"
fi
if [ $status -ne 0 ]; then
  echo "test.sh: failed; the Release tests ran shuffled with seed $seed"
fi
exit $status
