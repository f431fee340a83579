#!/usr/bin/env python3
"""Random keys typed at the real zemra, as a careless user would.

Runs sessions of the program on the display in DISPLAY (run it under
tests/with_xvfb.sh), each in a fresh folder with the draw check on. A
session first types a road (tests/random_keys_roads.py: the keys that lead
to one screen a user works in, a forward run, a histogram, an editor, ...)
and then random keys from there: a key at each of the program's key waits,
now and then one while it computes, now and then a click or a drag of the
mouse. It ends by stepping back: 'q' (and now and then a BackSpace for an
entry typed full) at the waits, and then, or while the program computes,
Control-q and 'q' in the exit box. Without --road the sessions take the
roads by turns.

    tests/with_xvfb.sh tests/random_keys.py --binary build/sanitize/zemra \\
        --sessions 4 --keys 300 --out /tmp/walks --road graph-drag

What each session typed is in OUT/ROAD/session-N.keys, one action a line;
--replay FILE types such a file again in a single session. A line is a key
("Return", "q", "A", "ctrl+q", ...) typed at the next key wait, or with a
'!' in front typed after at most 0.3 seconds (the program was computing
and had not waited), or a mouse or window action ("click B X Y", "drag X0
Y0 X1 Y1" on the 640 x 480 grid the program lays out on, "resize W H" in
pixels, "sleep S").

A session is a fault when the program crashes (ends with a status other
than 0 or 255, the lost X connection), when a sanitizer writes a report
(AddressSanitizer, LeakSanitizer or "runtime error:" in its standard
error), when it stalls, or when it does not end within two minutes of the
end keys. A stall: no key wait for 20 seconds while the program is not
computing, that is while it and the X server together take less than a
twentieth of a processor (their CPU time in /proc); a long computation
keeps them busy and is no stall. The summary (OUT/summary.md) gives per
road the sessions, the distinct draw-check reports (numbers taken out) and
the faults, each with the replay file of the session that first met it.
The exit status is 1 when any session met a draw-check report or a fault.
"""
import argparse
import ctypes
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
# its closing count line holds the count mark too; the rest are reports. Read
# from kDrawCheckPrefix and kDrawCheckCountMark in the header that names them
# for the program and its tests.
DRAW_CHECK_LINES_H = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "ui",
                                  "screen", "draw_check_lines.h")


def draw_check_constant(name, header=DRAW_CHECK_LINES_H):
    """The string constant name as the header defines it."""
    with open(header, encoding="utf-8") as f:
        found = re.search(r"\b" + name + r'\[\]\s*=\s*"([^"]*)"', f.read())
    if not found:
        raise RuntimeError(name + " is not defined in " + header)
    return found.group(1)


# The largest random seed the first screen takes (a larger one is refused,
# the program keeps a seed of its own and a replay's rules and wirings
# differ): read from the header that names it for the program.
with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "ui", "driver",
                       "startup.h"), encoding="utf-8") as startup_h:
    LARGEST_SEED = int(re.search(r"\bkLargestSeed\s*=\s*(\d+)", startup_h.read()).group(1))

DRAW_CHECK_PREFIX = draw_check_constant("kDrawCheckPrefix")
DRAW_CHECK_COUNT_MARK = draw_check_constant("kDrawCheckCountMark")

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import random_keys_roads  # noqa: E402

# Keys by how often a careless user presses them: Return and 'q' most, then
# digits and the letters the menus name, now and then anything else.
COMMON = ["Return"] * 12 + ["q"] * 6 + list("0123456789") * 2
LETTERS = list("abcdefghijklmnoprstuvwxyzABCDEFGHIJKLMNOPRSTUVWXYZ")
OTHERS = list("-+.,/%#*<>[]") + ["BackSpace", "Left", "Right", "Up", "Down", "space"]

STALL_SECONDS = 20     # idle without a key wait this long: a stall
IDLE_SHARE = 0.05      # less than this share of a processor: not computing
BUSY_PATIENCE = 0.3    # seconds a random key waits for a key wait
ROAD_PATIENCE = 600    # seconds a road's key waits for one, computing
WANDER_SECONDS = 600   # the random keys' time at most
END_SECONDS = 120      # the end keys' time before the program is killed


def random_action(rng):
    r = rng.random()
    if r < 0.53:
        return rng.choice(COMMON)
    if r < 0.90:
        return rng.choice(LETTERS)
    if r < 0.96:
        return rng.choice(OTHERS)
    x, y = rng.randrange(10, 630), rng.randrange(10, 440)
    if r < 0.98:
        return f"click {rng.choice((1, 3))} {x} {y}"
    return f"drag {x} {y} {min(max(x + rng.randrange(-150, 150), 5), 635)} " \
           f"{min(max(y + rng.randrange(-120, 120), 5), 445)}"


class XInput:
    """Keys, buttons and pointer motion through XTest, one connection kept
    open for the whole walk (the server resets its keymap when its last
    client leaves)."""

    KEYSYMS = {"Return": 0xFF0D, "BackSpace": 0xFF08, "Left": 0xFF51, "Up": 0xFF52,
               "Right": 0xFF53, "Down": 0xFF54, "space": 0x20, "Shift": 0xFFE1,
               "Control": 0xFFE3}

    def __init__(self):
        x11 = ctypes.CDLL("libX11.so.6")
        xtst = ctypes.CDLL("libXtst.so.6")
        vp, ul, ui = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint
        x11.XOpenDisplay.restype = vp
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ul
        x11.XDefaultRootWindow.argtypes = [vp]
        x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        x11.XKeysymToKeycode.argtypes = [vp, ul]
        x11.XkbKeycodeToKeysym.restype = ul
        x11.XkbKeycodeToKeysym.argtypes = [vp, ctypes.c_ubyte, ctypes.c_int, ctypes.c_int]
        x11.XSync.argtypes = [vp, ctypes.c_int]
        x11.XQueryTree.argtypes = [vp, ul, ctypes.POINTER(ul), ctypes.POINTER(ul),
                                   ctypes.POINTER(ctypes.POINTER(ul)), ctypes.POINTER(ui)]
        x11.XFetchName.argtypes = [vp, ul, ctypes.POINTER(ctypes.c_char_p)]
        x11.XFree.argtypes = [vp]
        x11.XGetGeometry.argtypes = [vp, ul, ctypes.POINTER(ul)] + \
            [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ui)] * 4
        x11.XResizeWindow.argtypes = [vp, ul, ui, ui]
        xtst.XTestFakeKeyEvent.argtypes = [vp, ui, ctypes.c_int, ul]
        xtst.XTestFakeButtonEvent.argtypes = [vp, ui, ctypes.c_int, ul]
        xtst.XTestFakeMotionEvent.argtypes = [vp, ctypes.c_int, ctypes.c_int, ctypes.c_int, ul]
        # A window gone between two requests is no reason to stop the walk.
        self.handler = ctypes.CFUNCTYPE(ctypes.c_int, vp, vp)(lambda d, e: 0)
        x11.XSetErrorHandler(self.handler)
        self.x11, self.xtst = x11, xtst
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("random_keys.py: no X display (run it under tests/with_xvfb.sh)")
        self.window, self.area = 0, (0, 0, 640, 480)

    def screen_size(self):
        x, y, w, h = self.geometry(self.x11.XDefaultRootWindow(self.display))
        return w, h

    def geometry(self, window):
        root = ctypes.c_ulong()
        x, y = ctypes.c_int(), ctypes.c_int()
        w, h, border, depth = (ctypes.c_uint() for _ in range(4))
        if not self.x11.XGetGeometry(self.display, window, ctypes.byref(root), ctypes.byref(x),
                                     ctypes.byref(y), ctypes.byref(w), ctypes.byref(h),
                                     ctypes.byref(border), ctypes.byref(depth)):
            return 0, 0, 0, 0
        return x.value, y.value, w.value, h.value

    def find_window(self):
        """The top-level window named "Zemra"; its place and size."""
        root, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        self.window = 0
        if self.x11.XQueryTree(self.display, self.x11.XDefaultRootWindow(self.display),
                               ctypes.byref(root), ctypes.byref(parent),
                               ctypes.byref(children), ctypes.byref(count)):
            for i in range(count.value):
                name = ctypes.c_char_p()
                if self.x11.XFetchName(self.display, children[i], ctypes.byref(name)) and name.value:
                    if name.value == b"Zemra":
                        self.window = children[i]
            if children:
                self.x11.XFree(children)
        self.refresh_area()

    def refresh_area(self):
        """The window's place and size, kept as they were when it is gone."""
        if self.window:
            area = self.geometry(self.window)
            if area[2] > 0:
                self.area = area

    def at(self, vx, vy):
        """Screen pixels of a point on the program's 640 x 480 grid, on the
        window as it is now (the program resizes it itself from its graphics
        menu: a pointer placed by the old size may fall outside, where the
        keys no longer reach it)."""
        self.refresh_area()
        x0, y0, w, h = self.area
        return x0 + int(vx * w / 640), y0 + int(vy * h / 480)

    def sync(self):
        self.x11.XSync(self.display, 0)

    def move(self, x, y):
        self.xtst.XTestFakeMotionEvent(self.display, -1, x, y, 0)
        self.sync()

    def keycode(self, keysym):
        return self.x11.XKeysymToKeycode(self.display, keysym)

    def tap(self, code):
        self.xtst.XTestFakeKeyEvent(self.display, code, 1, 0)
        self.xtst.XTestFakeKeyEvent(self.display, code, 0, 0)

    def key(self, name, after_shift):
        """A key by its name ("Return", "ctrl+q") or its character; a
        shifted character presses Shift first, and after_shift() waits for
        the key wait that Shift alone ends. The pointer goes home first: the
        program may have resized its window since, and keys reach it only
        with the pointer inside."""
        self.home_pointer()
        if name.startswith("ctrl+"):
            control = self.keycode(self.KEYSYMS["Control"])
            self.xtst.XTestFakeKeyEvent(self.display, control, 1, 0)
            self.tap(self.keycode(ord(name[5])))
            self.xtst.XTestFakeKeyEvent(self.display, control, 0, 0)
            self.sync()
            return
        keysym = self.KEYSYMS.get(name, ord(name[0]))
        code = self.keycode(keysym)
        if code == 0:
            return
        shift = self.keycode(self.KEYSYMS["Shift"])
        shifted = len(name) == 1 and self.x11.XkbKeycodeToKeysym(self.display, code, 0, 0) != keysym
        if shifted:
            self.xtst.XTestFakeKeyEvent(self.display, shift, 1, 0)
            self.sync()
            after_shift()
        self.tap(code)
        if shifted:
            self.xtst.XTestFakeKeyEvent(self.display, shift, 0, 0)
        self.sync()

    def click(self, button, vx, vy):
        self.move(*self.at(vx, vy))
        self.xtst.XTestFakeButtonEvent(self.display, button, 1, 0)
        self.xtst.XTestFakeButtonEvent(self.display, button, 0, 0)
        self.sync()

    def drag(self, vx0, vy0, vx1, vy1):
        """The left button pressed at one point, moved in steps to the
        other and let go there."""
        self.move(*self.at(vx0, vy0))
        self.xtst.XTestFakeButtonEvent(self.display, 1, 1, 0)
        self.sync()
        for i in range(1, 11):
            time.sleep(0.05)
            self.move(*self.at(vx0 + (vx1 - vx0) * i / 10, vy0 + (vy1 - vy0) * i / 10))
        time.sleep(0.1)
        self.xtst.XTestFakeButtonEvent(self.display, 1, 0, 0)
        self.sync()

    def resize(self, w, h):
        if self.window:
            self.x11.XResizeWindow(self.display, self.window, w, h)
            self.sync()
            time.sleep(0.2)
            self.refresh_area()

    def home_pointer(self):
        """The pointer into the window, where keys go without a window
        manager."""
        self.move(*self.at(300, 300))


def cpu_ticks(pid):
    """User and system time of a process in clock ticks; 0 once it is gone."""
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    except (OSError, IndexError, ValueError):
        return 0


class Program:
    """One zemra with its key-wait pipe, and how busy it and the X server
    have been since its last key wait."""

    def __init__(self, binary, folder):
        read_fd, write_fd = os.pipe()
        os.set_blocking(read_fd, False)
        env = dict(os.environ, ZEMRA_READY_FD=str(write_fd), ZEMRA_DRAW_CHECK="1",
                   ASAN_OPTIONS="detect_leaks=1:abort_on_error=0",
                   UBSAN_OPTIONS="print_stacktrace=1")
        self.err_path = os.path.join(folder, "stderr.txt")
        self.err = open(self.err_path, "wb")
        self.proc = subprocess.Popen([binary], cwd=folder, env=env, stderr=self.err,
                                     stdin=subprocess.DEVNULL, pass_fds=(write_fd,))
        os.close(write_fd)
        self.fd = read_fd
        self.server = int(os.environ.get("ZEMRA_XVFB_PID", "0") or 0)
        self.stalled = False
        self.pending = False  # a key wait seen and not yet answered
        self.note_wait()

    def busy_ticks(self):
        return cpu_ticks(self.proc.pid) + (cpu_ticks(self.server) if self.server else 0)

    def note_wait(self):
        now = time.time()
        self.sample = (now, self.busy_ticks())
        self.idle_since = None

    def watch(self):
        """Takes a sample of the processor time each second: a second below
        the idle share starts (or goes on with) an idle stretch."""
        now = time.time()
        then, ticks = self.sample
        if now - then < 1:
            return
        busy = self.busy_ticks()
        if (busy - ticks) / os.sysconf("SC_CLK_TCK") < IDLE_SHARE * (now - then):
            if self.idle_since is None:
                self.idle_since = then
        else:
            self.idle_since = None
        self.sample = (now, busy)
        if self.idle_since is not None and now - self.idle_since >= STALL_SECONDS:
            self.stalled = True

    def wait(self, seconds):
        """'wait' when the program waits for a key within seconds, 'busy'
        when it did not, 'stall' when it idles without waiting, 'ended'
        when it has ended."""
        end = time.time() + seconds
        while True:
            if self.pending:
                return "wait"
            if self.proc.poll() is not None:
                return "ended"
            ready, _, _ = select.select([self.fd], [], [], min(1.0, max(0.0, end - time.time())))
            if ready:
                try:
                    if os.read(self.fd, 4096):
                        self.note_wait()
                        self.pending = True
                except BlockingIOError:
                    pass
            self.watch()
            if self.stalled:
                return "stall"
            if time.time() >= end:
                return "busy"

    def answer(self):
        """Before a key: the wait seen is answered, and a signal left from
        an earlier wait (Shift alone ends one) is no wait to come."""
        self.pending = False
        try:
            os.read(self.fd, 4096)
        except BlockingIOError:
            pass

    def finish(self):
        if self.proc.poll() is None:
            self.proc.kill()
        self.proc.wait()
        self.err.close()
        os.close(self.fd)
        with open(self.err_path, "rb") as f:
            return self.proc.returncode, f.read().decode("latin-1")


def busy_action(action):
    """True for an action typed without waiting for a key wait."""
    return action.startswith("!") and len(action) > 1


def act(x, prog, action):
    """Does one action of the notation in the module's comment; keys are
    typed at once (the caller has waited as the action asks)."""
    busy = busy_action(action)
    words = (action[1:] if busy else action).split()
    if len(words) == 1:
        # Shift alone ends a key wait, which the shifted key then waits
        # for; a computing program reads both from its queue.
        prog.answer()
        x.key(words[0], lambda: busy or (prog.wait(5) == "wait" and prog.answer()))
    elif words[0] == "click":
        x.click(int(words[1]), int(words[2]), int(words[3]))
    elif words[0] == "drag":
        x.drag(*(int(w) for w in words[1:5]))
    elif words[0] == "resize":
        x.resize(int(words[1]), int(words[2]))
    elif words[0] == "sleep":
        time.sleep(float(words[1]))
    if words[0] in ("click", "drag"):
        x.home_pointer()


def follow(x, prog, actions, typed, patience):
    """Types actions, each at the program's next key wait ('!' ones after
    at most BUSY_PATIENCE seconds); False when the program ended or
    stalled, or did not wait within patience seconds."""
    for action in actions:
        if action.startswith("sleep"):
            act(x, prog, action)
            typed.append(action)
            continue
        state = prog.wait(BUSY_PATIENCE if busy_action(action) else patience)
        if state in ("ended", "stall") or (state == "busy" and not busy_action(action)):
            return False
        act(x, prog, action)
        typed.append(action)
    return True


def wander(x, prog, rng, keys, typed):
    """Random actions, one at each key wait; while the program computes
    (a running pattern, a field), one every BUSY_PATIENCE seconds. Ends
    after keys actions, or after WANDER_SECONDS."""
    deadline = time.time() + WANDER_SECONDS
    while keys > 0 and time.time() < deadline:
        state = prog.wait(BUSY_PATIENCE)
        if state in ("ended", "stall"):
            return
        action = random_action(rng)
        if state == "busy":
            action = "!" + action
        act(x, prog, action)
        typed.append(action)
        keys -= 1


def end_session(x, prog, typed):
    """Steps back out: 'q' three times and a BackSpace (for an entry
    already typed full), over and over, at the key waits; after forty
    waits, or while the program computes, Control-q opens the exit box and
    'q' answers it. False when the program did not end in time."""
    deadline = time.time() + END_SECONDS
    waits, last = 0, ""
    while time.time() < deadline:
        state = prog.wait(2)
        if state in ("ended", "stall"):
            return state == "ended"
        if state == "busy":
            key = "!ctrl+q"
        elif waits < 40:
            key = "BackSpace" if waits % 4 == 3 else "q"
        else:
            key = "q" if last == "ctrl+q" else "ctrl+q"
        waits += state == "wait"
        act(x, prog, key)
        typed.append(key)
        last = key
    return False


def screenshot(path):
    subprocess.run(f"xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > '{path}'",
                   shell=True, check=False)


def stack_of(pid, path):
    """The stacks of a program's threads, through gdb."""
    with open(path, "w") as f:
        subprocess.run(["timeout", "60", "gdb", "-p", str(pid), "-batch", "-ex", "thread apply all bt"],
                       stdout=f, stderr=subprocess.STDOUT, check=False)


def walk(x, prog, plan, stem, typed):
    """The session's actions: the road, the random keys, the end; what went
    wrong, or None (a program that ended by itself is judged by its
    status)."""
    if prog.wait(60) != "wait":
        return "no first screen"
    x.find_window()
    x.home_pointer()
    if not follow(x, prog, plan["road"], typed, ROAD_PATIENCE):
        if prog.stalled:
            return "stall"
        return "road not reached" if prog.proc.poll() is None else None
    if plan.get("picture"):
        prog.wait(15)  # a running pattern waits for no key
        screenshot(stem + ".png")
    wander(x, prog, plan["rng"], plan["keys"], typed)
    if prog.stalled:
        return "stall"
    if not end_session(x, prog, typed):
        return "stall" if prog.stalled else "no end"
    return None


def run_session(x, binary, plan, stem):
    """One session: the plan's road (or replayed actions), then its random
    keys, then the end. Writes stem.keys and stem.stderr, and for a session
    that went wrong a picture of the screen (stem.png) and, for a stall or
    a program that did not end, its stacks (stem.stacks.txt); returns (status, standard error,
    what went wrong or None)."""
    folder = tempfile.mkdtemp(prefix="zemra-walk-")
    prog = Program(binary, folder)
    typed = []
    trouble = walk(x, prog, plan, stem, typed)
    if trouble:
        screenshot(stem + ".png")
    if trouble in ("stall", "no end"):
        stack_of(prog.proc.pid, stem + ".stacks.txt")
    status, text = prog.finish()
    with open(stem + ".keys", "w") as f:
        f.write("\n".join(typed) + "\n")
    shutil.copy(prog.err_path, stem + ".stderr")
    shutil.rmtree(folder, ignore_errors=True)
    return status, text, trouble


SANITIZER = re.compile(r"ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:")


def sanitizer_reports(text):
    """Each sanitizer report of a standard error, named by its kind and the
    first frame in the program's own sources; the numbers of a runtime
    error's message and every address are taken out."""
    reports = []
    lines = text.splitlines()
    for i, line in enumerate(lines):
        if "runtime error:" in line:
            where, what = line.split("runtime error:", 1)
            where = where.strip()[where.find("src/"):] if "src/" in where else where.strip()
            reports.append(f"{where} runtime error:{re.sub(r'-?[0-9][0-9a-fx.]*', 'N', what)}")
        elif SANITIZER.search(line):
            kind = re.sub(r"0x[0-9a-f]+|\(pc .*|on address.*|on unknown address.*", "",
                          line.split("ERROR: ", 1)[1]).strip()
            frame = next((f for f in lines[i + 1:i + 80]
                          if re.match(r"\s*#\d+ ", f) and "/src/" in f), "")
            frame = re.sub(r"^\s*#\d+ 0x[0-9a-f]+ in |/\S*/(?=src/)", "", frame).strip()
            if "LeakSanitizer" in kind:
                kind = "LeakSanitizer: leak"
            reports.append(f"{kind} at {frame}" if frame else kind)
    return reports


TROUBLES = {
    "stall": f"no key wait for {STALL_SECONDS} s while the program and the X server were idle "
             "(its stacks are in the .stacks.txt beside the keys)",
    "no end": f"the program did not end within {END_SECONDS} s of the end keys (its stacks are "
              "in the .stacks.txt beside the keys)",
    "no first screen": "no key wait within a minute of the start",
    "road not reached": "no key wait on the road (the screen it ends on is in the .png beside the keys)",
}


def findings(status, text, trouble):
    """The session's faults, each a (kind, text) pair, and its draw-check
    reports with their numbers taken out (shape -> first line)."""
    faults = [("sanitizer", r) for r in dict.fromkeys(sanitizer_reports(text))]
    if trouble:
        faults.append((trouble, TROUBLES[trouble]))
    if status not in (0, 255, None) and not faults:
        what = f"signal {-status}" if status < 0 else f"status {status}"
        memory = re.search(r"not enough memory for [^\n]*", text)
        faults.append(("crash", what + (f" ({memory.group(0)})" if memory else "")))
    draws = {}
    for line in text.splitlines():
        if line.startswith(DRAW_CHECK_PREFIX) and DRAW_CHECK_COUNT_MARK not in line:
            draws.setdefault(numbers_out(line), line)
    return faults, draws


def numbers_out(line):
    """A report with its numbers taken out: decimal ones, and words of hex
    digits holding a digit (a state's hex label, "03a2")."""
    return re.sub(r"-?\d+", "N", re.sub(r"\b[0-9a-f]*\d[0-9a-f]*\b", "N", line))


class Tally:
    """What the sessions of each road found."""

    def __init__(self):
        self.roads = {}

    def add(self, road, stem, faults, draws):
        r = self.roads.setdefault(road, {"sessions": 0, "draws": {}, "faults": {}, "faulty": 0})
        r["sessions"] += 1
        r["faulty"] += bool(faults)
        for shape, line in draws.items():
            r["draws"].setdefault(shape, (stem, line))
        for kind, what in faults:
            r["faults"].setdefault((kind, what), stem)

    def bad(self):
        return any(r["draws"] or r["faults"] for r in self.roads.values())

    def text(self, screen):
        """The summary in Markdown: a table of the roads, then each road's
        faults and distinct draw-check reports with their replay files."""
        out = [f"# Random keys on a {screen[0]}x{screen[1]} screen", "",
               "| road | sessions | distinct draw-check reports | sessions with a fault |",
               "|---|---|---|---|"]
        for road, r in self.roads.items():
            out.append(f"| {road} | {r['sessions']} | {len(r['draws'])} | {r['faulty']} |")
        for road, r in self.roads.items():
            if r["faults"] or r["draws"]:
                out += ["", f"## {road}", ""]
            for (kind, what), stem in r["faults"].items():
                out.append(f"- FAULT ({kind}) {what}  \n  replay: {stem}.keys")
            for shape, (stem, line) in sorted(r["draws"].items()):
                out.append(f"- {line}  \n  replay: {stem}.keys")
        return "\n".join(out) + "\n"


def check_roads(x, binary, names, out):
    """Types each road alone and saves a picture of where it ends."""
    for name in names:
        os.makedirs(os.path.join(out, name), exist_ok=True)
        stem = os.path.join(out, name, "road")
        plan = {"road": random_keys_roads.actions(name, 1), "keys": 0,
                "rng": random.Random(0), "picture": True}
        status, text, trouble = run_session(x, binary, plan, stem)
        faults, draws = findings(status, text, trouble)
        print(f"{name}: {trouble or 'reached'}, status {status}, picture {stem}.png, "
              f"{len(draws)} draw-check reports, faults {faults}", flush=True)


def plan_of(args, names, n):
    """Session n's road name and plan: the replayed actions, the road of
    one's own, or the table's roads by turns, each with its random keys."""
    rng = random.Random(args.seed * 100003 + n)
    if args.replay:
        return "replay", {"road": [a for a in open(args.replay).read().split("\n") if a],
                          "keys": 0, "rng": rng}
    if args.road_keys is not None:
        return "own", {"road": random_keys_roads.parse(args.road_keys), "keys": args.keys, "rng": rng}
    road = names[n % len(names)]
    seed = rng.randrange(LARGEST_SEED + 1)
    return road, {"road": random_keys_roads.actions(road, seed), "keys": args.keys, "rng": rng}


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--binary", required=False)
    ap.add_argument("--sessions", type=int, default=10)
    ap.add_argument("--keys", type=int, default=1000)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--out")
    ap.add_argument("--road", action="append", help="a road of the table (repeatable); default all by turns")
    ap.add_argument("--road-keys", help="a road of one's own, in the table's notation "
                    "(Return as a carriage return: bash's $'s\\r\\r')")
    ap.add_argument("--list-roads", action="store_true")
    ap.add_argument("--check-roads", action="store_true",
                    help="type each road alone and save a picture of where it ends")
    ap.add_argument("--replay", help="a session-N.keys file to type again")
    args = ap.parse_args()
    if args.list_roads:
        for name, (about, _) in random_keys_roads.ROADS.items():
            print(f"{name:24} {about}")
        return 0
    if not args.binary or not args.out:
        ap.error("--binary and --out are needed")
    names = args.road or list(random_keys_roads.ROADS)
    for name in names:
        if name not in random_keys_roads.ROADS:
            ap.error(f"no road {name} (--list-roads)")
    binary = os.path.abspath(args.binary)
    x = XInput()
    if args.check_roads:
        check_roads(x, binary, names, args.out)
        return 0
    tally = Tally()
    for n in range(1 if args.replay else args.sessions):
        road, plan = plan_of(args, names, n)
        os.makedirs(os.path.join(args.out, road), exist_ok=True)
        stem = os.path.join(args.out, road, f"session-{n}")
        started = time.time()
        status, text, trouble = run_session(x, binary, plan, stem)
        faults, draws = findings(status, text, trouble)
        tally.add(road, stem, faults, draws)
        print(f"session {n} ({road}): {time.time() - started:.0f} s, status {status}"
              f"{', ' + trouble if trouble else ''}, {len(draws)} draw-check reports, "
              f"{len(faults)} faults", flush=True)
        # Written after each session, so that a walk cut short keeps its count.
        with open(os.path.join(args.out, "summary.md"), "w") as f:
            f.write(tally.text(x.screen_size()))
    print(tally.text(x.screen_size()))
    return 1 if tally.bad() else 0


if __name__ == "__main__":
    sys.exit(main())
