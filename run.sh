#!/usr/bin/env bash
# Installs what is missing, builds Zemra in Release and starts it on $DISPLAY
# with the arguments given here (for example ./run.sh -w).
set -euo pipefail
cd "$(dirname "$0")"
scripts/install_deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)" --target zemra
exec build/release/zemra "$@"
