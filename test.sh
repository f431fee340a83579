#!/usr/bin/env bash
# Installs what is missing, builds Zemra and its tests twice (plain, and with
# address and undefined-behaviour sanitizers) and runs every test, each display
# test under its own private virtual X server; then, with clang, builds the
# file loaders' fuzz targets and runs each over its corpus (tests/fuzz/README).
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
build_and_test build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
build_and_test build/sanitize -DCMAKE_BUILD_TYPE=Debug -DZEMRA_SANITIZE=ON -DZEMRA_BENCH=OFF
if command -v clang++ >/dev/null 2>&1; then
  build_and_test build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMRA_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
else
  echo "test.sh: no clang++, the fuzz targets are not run"
fi
exit $status
