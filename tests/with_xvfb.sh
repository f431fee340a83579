#!/usr/bin/env bash
# Runs a command on a private virtual X server of its own and ends the server
# afterwards. The screen defaults to 1280x1024x24; ZEMRA_XVFB_SCREEN asks for
# another (for example 1024x768x24). The dpi is pinned so font metrics repeat.
# The server's process id is in ZEMRA_XVFB_PID (benchmarks read its CPU time).
set -u
screen=${ZEMRA_XVFB_SCREEN:-1280x1024x24}
tmp=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
mkfifo "$tmp/displayfd"
Xvfb -displayfd 3 -screen 0 "$screen" -dpi 100 -nolisten tcp \
  3>"$tmp/displayfd" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
display=
read -r -t 30 display <"$tmp/displayfd"
if [ -z "$display" ]; then
  echo "with_xvfb.sh: the virtual X server did not start" >&2
  cat "$tmp/xvfb.log" >&2
  exit 1
fi
export DISPLAY=":$display"
export ZEMRA_XVFB_PID=$xvfb_pid
"$@"
