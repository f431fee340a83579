#!/usr/bin/env bash
# Installs what is missing, builds Zemra and its tests and runs every test,
# each display test under its own private virtual X server: first in Release,
# in the build folder ./run.sh uses (its README walk-through starts zemra
# through run.sh), with the tests of every program in an order
# shuffled by a seed printed here (a new one each run; ZEMRA_TEST_SEED=N
# replays one), so a test that leans on another's leftovers shows at once;
# then with address and undefined-behaviour sanitizers, in file order; then,
# with clang, builds the file loaders' fuzz targets and runs each over its
# corpus (tests/fuzz/README).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_deps.sh
jobs=$(nproc)
status=0
build_and_test() {
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  (cd "$dir" && ctest --output-on-failure -j"$jobs") || status=1
}
seed=${ZEMRA_TEST_SEED:-$(( (RANDOM << 15 | RANDOM) % 99999 + 1 ))}
echo "test.sh: Release tests shuffled with seed $seed (ZEMRA_TEST_SEED=$seed ./test.sh replays the order)"
GTEST_SHUFFLE=1 GTEST_RANDOM_SEED=$seed build_and_test build/release -DCMAKE_BUILD_TYPE=Release
build_and_test build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZEMRA_SANITIZE=ON -DZEMRA_BENCH=OFF
if command -v clang++ >/dev/null 2>&1; then
  build_and_test build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMRA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
else
  echo "test.sh: no clang++, the fuzz targets are not run"
fi
if [ $status -ne 0 ]; then
  echo "test.sh: failed; the Release tests ran shuffled with seed $seed"
fi
exit $status
