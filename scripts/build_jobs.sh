#!/usr/bin/env bash
# Prints how many jobs run.sh and test.sh give the build and ctest: ZEMRA_JOBS
# when set, else every core (nproc). On a shared machine ZEMRA_JOBS=N keeps
# them to N. Anything but a positive integer written without leading zeros,
# an empty ZEMRA_JOBS= included, is refused, with the reason on standard
# error and status 1, so the scripts stop before anything is installed or
# built.
set -euo pipefail
jobs=${ZEMRA_JOBS-$(nproc)}
if ! [[ $jobs =~ ^[1-9][0-9]*$ ]]; then
  echo "ZEMRA_JOBS=$jobs: the number of jobs must be a positive integer, such as 4" >&2
  exit 1
fi
echo "$jobs"
