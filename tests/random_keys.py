#!/usr/bin/env python3
"""Random keys typed at the real zemra, as a careless user would.

Runs sessions of the program on the display in DISPLAY (run it under
tests/with_xvfb.sh), each in a fresh folder with the draw check on, types a
random key at each of the program's key waits (and now and then while it
computes), and ends each session with BackSpace and 'q' by turns at its
waits and Control-q while it computes. What
the program wrote to standard error is kept per session; the summary lists
the distinct draw-check reports (numbers taken out) with the session and key
that first gave each, and every sanitizer report or crash.

    tests/with_xvfb.sh tests/random_keys.py --binary build/sanitize/zemra \\
        --sessions 50 --keys 1500 --seed 1 --out /tmp/walks

Each session's keys are in OUT/session-N.keys, one per line; --replay FILE
types such a file's keys again, one at each key wait, in a single session
(keys first typed while the program computed may then land elsewhere).
"""
import argparse
import os
import random
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

# The draw check's lines on standard error: each begins with the prefix, and
# its closing count line holds the count mark too; the rest are reports. As
# kDrawCheckPrefix and kDrawCheckCountMark in src/ui/screen/draw_check_lines.h.
DRAW_CHECK_PREFIX = "draw check: "
DRAW_CHECK_COUNT_MARK = " drawings checked, "

# Keys by how often a careless user presses them: Return and 'q' most, then
# digits and the letters the menus name, now and then anything else.
COMMON = ["Return"] * 12 + ["q"] * 6 + list("0123456789") * 2
LETTERS = list("abcdefghijklmnoprstuvwxyzABCDEFGHIJKLMNOPRSTUVWXYZ")
OTHERS = list("-+.,/%#*") + ["BackSpace", "Left", "Right", "Up", "Down", "space"]


def random_key(rng):
    r = rng.random()
    if r < 0.55:
        return rng.choice(COMMON)
    if r < 0.93:
        return rng.choice(LETTERS)
    return rng.choice(OTHERS)


def press(key):
    if len(key) == 1:
        subprocess.run(["xdotool", "type", "--delay", "0", key], check=False)
    else:
        subprocess.run(["xdotool", "key", key], check=False)


def wait_ready(fd, seconds):
    """True when the program signalled a key wait within seconds."""
    ready, _, _ = select.select([fd], [], [], seconds)
    if not ready:
        return False
    try:
        return len(os.read(fd, 4096)) > 0
    except BlockingIOError:
        return False


def run_session(binary, rng, keys, folder, log_keys, replay=None):
    read_fd, write_fd = os.pipe()
    os.set_blocking(read_fd, False)
    env = dict(os.environ, ZEMRA_READY_FD=str(write_fd), ZEMRA_DRAW_CHECK="1",
               ASAN_OPTIONS="detect_leaks=1:abort_on_error=0",
               UBSAN_OPTIONS="print_stacktrace=1")
    err = open(os.path.join(folder, "stderr.txt"), "wb")
    proc = subprocess.Popen([binary], cwd=folder, env=env, stderr=err,
                            stdin=subprocess.DEVNULL, pass_fds=(write_fd,))
    os.close(write_fd)
    typed = []
    if wait_ready(read_fd, 60):
        subprocess.run(["xdotool", "mousemove", "300", "300"], check=False)
        for n in range(len(replay) if replay is not None else keys):
            if proc.poll() is not None:
                break
            waiting = wait_ready(read_fd, 3 if replay is None else 30)
            if replay is None and not waiting and rng.random() < 0.7:
                continue  # computing: leave it mostly alone
            key = random_key(rng) if replay is None else replay[n]
            typed.append(key)
            press(key)
    # The end: at each wait a BackSpace (an entry already typed takes no
    # more keys) and then 'q', by turns; Control-q while it computes.
    deadline = time.time() + 60
    ending = ["BackSpace", "q"]
    while proc.poll() is None and time.time() < deadline:
        if wait_ready(read_fd, 2):
            press(ending[0])
            typed.append(ending[0])
            ending.reverse()
        else:
            press("ctrl+q")
            typed.append("ctrl+q")
    if proc.poll() is None:
        proc.kill()
    proc.wait()
    err.close()
    os.close(read_fd)
    log_keys.write("\n".join(typed) + "\n")
    with open(os.path.join(folder, "stderr.txt"), "rb") as f:
        return proc.returncode, f.read().decode("latin-1")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--binary", required=True)
    ap.add_argument("--sessions", type=int, default=10)
    ap.add_argument("--keys", type=int, default=1000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--out", required=True)
    ap.add_argument("--replay", help="a session-N.keys file to type again")
    args = ap.parse_args()
    replay = None
    if args.replay:
        replay = [k for k in open(args.replay).read().split("\n") if k]
        args.sessions = 1
    binary = os.path.abspath(args.binary)
    os.makedirs(args.out, exist_ok=True)
    distinct = {}
    faults = []
    for n in range(args.sessions):
        rng = random.Random(args.seed * 100003 + n)
        folder = tempfile.mkdtemp(prefix="zemra-walk-")
        with open(os.path.join(args.out, f"session-{n}.keys"), "w") as log_keys:
            status, text = run_session(binary, rng, args.keys, folder, log_keys, replay)
        shutil.copy(os.path.join(folder, "stderr.txt"), os.path.join(args.out, f"session-{n}.stderr"))
        shutil.rmtree(folder, ignore_errors=True)
        for line in text.splitlines():
            if line.startswith(DRAW_CHECK_PREFIX) and DRAW_CHECK_COUNT_MARK not in line:
                shape = re.sub(r"-?\d+", "N", line)
                distinct.setdefault(shape, (n, line))
        if re.search(r"ERROR: AddressSanitizer|runtime error:|ERROR: LeakSanitizer", text) or status not in (0, 255):
            faults.append((n, status))
        print(f"session {n}: status {status}, {len(distinct)} distinct reports so far", flush=True)
    with open(os.path.join(args.out, "summary.txt"), "w") as out:
        out.write(f"{args.sessions} sessions, {len(distinct)} distinct draw-check reports, "
                  f"{len(faults)} sessions with a sanitizer report or crash\n")
        for n, status in faults:
            out.write(f"FAULT session {n} status {status}\n")
        for shape, (n, line) in sorted(distinct.items()):
            out.write(f"session {n}: {line}\n")
    print(open(os.path.join(args.out, "summary.txt")).read())
    return 0


if __name__ == "__main__":
    sys.exit(main())
