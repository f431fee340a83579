#!/usr/bin/env python3
"""Cases of tests/random_keys.py that need no display: the road notation
and its table, and how a session's standard error and status are judged."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import random_keys  # noqa: E402
import random_keys_roads  # noqa: E402

# What an action may be: a character, a key by name (Control with a
# letter), or a mouse, window or pause action with its numbers.
KEY_NAMES = set(random_keys.XInput.KEYSYMS) - {"Shift", "Control"}
ACTION_WORDS = {"click": 3, "drag": 4, "resize": 2, "sleep": 1}


def known_action(action):
    words = (action[1:] if random_keys.busy_action(action) else action).split()
    if len(words) == 1:
        w = words[0]
        return len(w) == 1 or w in KEY_NAMES or (w.startswith("ctrl+") and len(w) == 6)
    return ACTION_WORDS.get(words[0]) == len(words) - 1 and all(
        w.lstrip("-").replace(".", "", 1).isdigit() for w in words[1:])


class RoadNotation(unittest.TestCase):
    def test_characters_returns_and_braced_actions(self):
        self.assertEqual(random_keys_roads.parse("s\r {Left}{!i}{drag 1 2 3 4}q"),
                         ["s", "Return", "space", "Left", "!i", "drag 1 2 3 4", "q"])

    def test_every_road_starts_by_setting_the_random_seed(self):
        self.assertEqual(random_keys_roads.actions("first-screen", 4321),
                         ["r", "Return", "4", "3", "2", "1", "Return"])

    def test_a_walk_sets_only_seeds_the_program_takes(self):
        # A refused seed leaves the program's own: the session's rules
        # differ when it is replayed, and the road's first Return answers
        # the refusal instead.
        args = type("Args", (), {"replay": None, "road_keys": None, "keys": 0, "seed": 3})()
        for n in range(300):
            road = random_keys.plan_of(args, ["first-screen"], n)[1]["road"]
            seed = int("".join(road[2:road.index("Return", 2)]))
            self.assertLessEqual(seed, random_keys.LARGEST_SEED)

    def test_every_action_of_every_road_can_be_typed(self):
        for name in random_keys_roads.ROADS:
            for action in random_keys_roads.actions(name, 1):
                self.assertTrue(known_action(action), f"road {name}: {action!r}")

    def test_random_actions_can_be_typed_and_replayed(self):
        rng = random_keys.random.Random(7)
        for _ in range(2000):
            action = random_keys.random_action(rng)
            self.assertTrue(known_action(action), action)
            self.assertTrue(known_action("!" + action), action)

    def test_an_exclamation_mark_alone_is_a_key(self):
        self.assertFalse(random_keys.busy_action("!"))
        self.assertTrue(random_keys.busy_action("!q"))


class SessionJudgement(unittest.TestCase):
    def test_a_clean_exit_and_a_lost_display_are_no_faults(self):
        for status in (0, 255):
            faults, draws = random_keys.findings(status, "\nZemra clean exit\n", None)
            self.assertEqual((faults, draws), ([], {}))

    def test_a_signal_is_a_crash(self):
        faults, _ = random_keys.findings(-11, "", None)
        self.assertEqual(faults, [("crash", "signal 11")])

    def test_the_memory_box_names_its_array(self):
        faults, _ = random_keys.findings(1, " not enough memory for carule[3]\n", None)
        self.assertEqual(faults, [("crash", "status 1 (not enough memory for carule[3])")])

    def test_a_stall_and_a_road_not_reached_are_faults_of_their_own(self):
        for trouble in ("stall", "road not reached"):
            faults, _ = random_keys.findings(-9, "", trouble)
            self.assertEqual([kind for kind, _ in faults], [trouble])

    def test_draw_reports_alike_but_for_their_numbers_count_once(self):
        text = ("draw check: bar clear (1,2)-(3,4) cuts \"x\"\n"
                "draw check: bar clear (5,6)-(7,8) cuts \"x\"\n"
                "draw check: bar clear (5,6)-(7,8) cuts \"y\"\n"
                "draw check: 80 drawings checked, 3 reported\n")
        _, draws = random_keys.findings(0, text, None)
        self.assertEqual(sorted(draws.values()), ['draw check: bar clear (1,2)-(3,4) cuts "x"',
                                                  'draw check: bar clear (5,6)-(7,8) cuts "y"'])

    def test_hex_labels_are_numbers_too(self):
        self.assertEqual(random_keys.numbers_out('cuts "036a" at (1,2); prompt "k3 rule 00ad, 3d"'),
                         'cuts "N" at (N,N); prompt "kN rule N, N"')

    def test_sanitizer_reports_are_named_by_their_place_in_the_sources(self):
        text = (
            "/w/src/ui/a.cpp:12:5: runtime error: signed integer overflow: 2147483647 + 1 cannot\n"
            "/w/src/ui/a.cpp:12:5: runtime error: signed integer overflow: 2147483600 + 99 cannot\n"
            "==7==ERROR: AddressSanitizer: heap-buffer-overflow on address 0x6020 at pc 0x55 bp 0x1\n"
            "    #0 0x7f10 in memcpy ../libsanitizer/asan.cpp:1\n"
            "    #1 0x5510 in draw_it(int) /w/src/ui/screen/draw.cpp:44\n"
            "==7==ERROR: LeakSanitizer: detected memory leaks\n"
            "    #0 0x7f in malloc\n"
            "    #1 0x55 in grow /w/src/engine/model/arrays.cpp:9\n")
        faults, _ = random_keys.findings(1, text, None)
        self.assertEqual(faults, [
            ("sanitizer", "src/ui/a.cpp:12:5: runtime error: signed integer overflow: N + N cannot"),
            ("sanitizer", "AddressSanitizer: heap-buffer-overflow at draw_it(int) src/ui/screen/draw.cpp:44"),
            ("sanitizer", "LeakSanitizer: leak at grow src/engine/model/arrays.cpp:9")])


if __name__ == "__main__":
    unittest.main()
