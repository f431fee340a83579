#!/usr/bin/env bash
# Installs the Debian 12 packages Zemra needs to build, run and test,
# asking apt only when something is missing.
set -euo pipefail
packages=(xvfb xauth xfonts-base xfonts-75dpi xfonts-100dpi x11-apps x11-utils
          netpbm xdotool libx11-dev libxtst-dev libgtest-dev libbenchmark-dev
          cmake g++ make clang libclang-rt-14-dev python3)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
