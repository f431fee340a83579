"""The roads of tests/random_keys.py: for each screen a user works in, the
keys that lead to it from the first screen.

A road is written as a string of keys, each typed at one key wait: a
character is its key, "\\r" is Return, and a name in braces is one action of
random_keys.py's notation: {Left}, {BackSpace}, {ctrl+q}, {!i} (typed
while the program computes, not at a key wait), {drag 100 200 300 200},
{click 1 320 240}, {resize 800 600}, {sleep 2}.
"""
import re

# Single-basin mode ('s' at the first screen) up to the WIRING menu: value
# range 2, no size range, the cell scale, the ring's size (def 14), k.
def single_to_wiring(size="", k=""):
    return "s\r" "\r" "\r" "\r" + size + "\r" + k + "\r"


# From the rule kind's question to the network view: rule tables, a single
# rule, a random rule accepted, no transformation.
RULE = "\r" "\r" "\r\r" "\r"
# A random seed accepted and its density shown, for a ring of up to 14
# cells and for a larger one (whose seed dialog asks for a central block).
SEED_SMALL = "\r\r\r"
SEED = "\r\r\r\r"
# Output settings: the space-time pattern only, then the layout's defaults:
# the forward-only options follow, whose first prompt asks "analysis-a
# histograms-h (ALL-def)"; 'd' there takes every default and runs.
TO_FORWARD_OPTIONS = "s\r" "d\r"
PATTERN_RUN = TO_FORWARD_OPTIONS + "d\r"

# Rings with regular 1d wiring, at the network view: the default 14 cells,
# and 40 cells.
RING = single_to_wiring() + "\r" + RULE
RING_40 = single_to_wiring("40") + "\r" + RULE
RING_RUN = RING + "\r" + SEED_SMALL + PATTERN_RUN

# Basin-field mode (Return at the first screen) on the default 10-cell ring:
# value range, no size range, size, scale, k, regular 1d wiring, the rule;
# at the network view, then on to the output parameters ("revise from:
# layout-l ...") and, every output parameter its default, to the field
# prompt, whose answer is the pre-image method.
FIELD = "\r" "\r" "\r" "\r" "\r" "\r" "\r" + RULE
FIELD_OUTPUT = FIELD + "\r"
FIELD_PROMPT = FIELD_OUTPUT + "d\r"
# The same field's network, randomly wired ('r' at the wiring menu): 10 cells, k 3.
RANDOM_WIRING_FIELD = "\r" "\r" "\r" "\r" "\r" "\r" "r\r\r" + RULE

# A 2d lattice of 40 x 40 run forward only (no wiring table, no network
# view): regular 2d, forward only, the default sides and k, the rule, a
# random seed in a central block, the wiring's note; the forward-only
# options follow.
LATTICE_2D_OPTIONS = single_to_wiring() + "2\r" "y\r" "\r\r" "\r" + RULE + SEED + "\r"
# A small 2d lattice (12 x 10, k = 5) with a wiring table, at the network
# view.
LATTICE_2D_VIEW = single_to_wiring() + "2\r" "\r" "12\r10\r" "5\r" + RULE
# A 3d lattice run forward only, its default sides and k; and a small one
# (5 x 4 x 3, k = 7) with a wiring table, whose wiring is shown for review
# once wired, at the network view.
LATTICE_3D_OPTIONS = single_to_wiring() + "3\r" "y\r" "\r\r\r" "\r" + RULE + SEED + "\r"
LATTICE_3D_VIEW = single_to_wiring() + "3\r" "\r" "5\r4\r3\r" "7\r" "\r" + RULE

ROADS = {
    "first-screen": ("the first screen, as the program starts", ""),
    # Forward runs.
    "ring-run": ("a forward run of the default 14-cell ring", RING_RUN),
    "lattice-2d-run": ("a forward-only run of a 40 x 40 lattice", LATTICE_2D_OPTIONS + "d\r"),
    "lattice-3d-run": ("a forward-only run of the default 3d lattice", LATTICE_3D_OPTIONS + "d\r"),
    "rule-mix-run": ("a forward run of a 30-cell ring with a rule mix, cells added and taken "
                     "away, wires moved and rules drawn while it runs",
                     single_to_wiring("30") + "\r" "\r" "n\r" "\r" "\r" + "\r" + SEED + PATTERN_RUN
                     + "{sleep 2}{!i}{!i}{!d}{!m}{!r}{!8}{!i}{!m}{!d}"),
    "tcode-run": ("a forward run of a 40-cell ring, k = 5, with a totalistic code (tcode) rule",
                  single_to_wiring("40", "5") + "\r" "t\r" "\r" "\r\r" "\r" "\r" + SEED
                  + PATTERN_RUN),
    "kcode-run": ("a forward run in the totalistic forward-only mode ('t' at the first screen): "
                  "a 150-cell ring with a kcode rule",
                  "t\r" + "\r" * 15 + "d\r"),
    # Measures and histograms of forward runs.
    "entropy-plot": ("a forward run with its input-entropy plot ('u')", RING_RUN + "{sleep 1}{!u}"),
    "entropy-sample": ("the entropy plot's rule sampling ('E'), automatic, into my_stat.sta",
                       RING_RUN + "{sleep 1}{!u}{sleep 1}{!E}" "\r\r30\r60\r2\r" "a\r\r\r\r"),
    "lookup-frequencies": ("a forward run of a 40-cell ring with its input-frequency histogram "
                           "and entropy over time",
                           RING_40 + "\r" + SEED + TO_FORWARD_OPTIONS + "a\r" "3\r" "\r" "\r" "d\r"),
    "damage-histogram": ("a damage run of a 40-cell ring with its statistics histogram",
                         RING_40 + "\r" + SEED + TO_FORWARD_OPTIONS + "h\r" "s\r" "\r" + "\r" * 4),
    "attractor-histogram": ("the attractor-type histogram of the 14-cell ring",
                            RING + "\r" + SEED_SMALL + TO_FORWARD_OPTIONS + "h\r" "\r" "\r" "a\r" "\r"),
    "skeleton-histogram": ("the frozen-skeleton histogram of a 40-cell ring",
                           RING_40 + "\r" + SEED + TO_FORWARD_OPTIONS + "h\r" "\r" "\r" "s\r" + "\r" * 5),
    "sample-browser": ("the rule-sample browser ('E' in the pause box) on a sample just made",
                       RING_RUN + "{sleep 1}{!u}{sleep 1}{!E}" "\r\r30\r60\r1\r" "a\r\r\r\r"
                       "{sleep 5}{!q}" "E\r\r\r\r\r"),
    "in-degree-histogram": ("a single basin of a 10-cell ring and its in-degree histogram",
                            single_to_wiring("10") + "\r" + RULE + "\r" "d\r5\r\r"
                            "\r" "\r" "y\r" "d\r" "\r\r" "d\r"),
    "derrida-plot": ("the Derrida plot of a randomly wired 40-cell network, from its 1d editor",
                     single_to_wiring("40") + "r\r\r" + RULE + "1\r" "D" + "\r" * 8),
    # Basin fields.
    "field-preimages": ("the basin field of a 10-cell ring by its pre-images", FIELD_PROMPT + "\r"),
    "field-exhaustive": ("the basin field by the successor table ('e')", FIELD_PROMPT + "e\r\r"),
    "field-random-map": ("the basin field of a random map ('r')", FIELD_PROMPT + "r\r\r\r"),
    "field-sequential": ("the basin field under sequential updating ('s')", FIELD_PROMPT + "s\r\r\r"),
    "field-neutral-order": ("the neutral-order field of update orders ('o')", FIELD_PROMPT + "o\r"),
    "field-random-wiring": ("the basin field of a randomly wired 10-cell network (the general "
                            "pre-image method)",
                            RANDOM_WIRING_FIELD + "\r" "d\r" "\r"),
    "layout-extremes": ("a field whose layout questions took extreme numbers (radius 9999, "
                        "position -999,9999, spacing 999 and 0, border 9999)",
                        FIELD_OUTPUT + "l\r" "9999\r" "-999\r9999\r" "\r" "999\r0\r" "9999\r"
                        "\r" "d\r" "\r"),
    "layout-questions": ("the layout questions of a field, waiting at the radius",
                         FIELD_OUTPUT + "l\r"),
    # Graphs.
    "meta-graph": ("the attractor meta-graph of a field, with its jump table of numbers",
                   FIELD_OUTPUT + "t\r" "\r\r" "\r" "m\r" "n\r" "\r\r" "\r"),
    "graph-drag": ("the network graph of the ring, in its drag editor, a drag made",
                   RING + "g\r" "\r" "{drag 349 247 400 300}"),
    "graph-block": ("the network graph of a 12 x 10 lattice, its drag editor's block dialog",
                    LATTICE_2D_VIEW + "g\r" "\r" "B"),
    # The wiring review at the network view.
    "wiring-1d-editor": ("the 1d wiring editor of the ring, a cell being rewired by hand",
                         RING + "1\r" "h" "3\r5\r"),
    "wiring-1d-circle": ("the 1d wiring editor's circle layout", RING + "c\r"),
    "wiring-2d-editor": ("the 2d wiring editor of a 12 x 10 lattice, a cell being rewired by hand",
                         LATTICE_2D_VIEW + "2\r" "h" "7\r9\r"),
    "wiring-3d-editor": ("the 3d wiring editor of a 5 x 4 x 3 lattice, a cell being rewired by hand",
                         LATTICE_3D_VIEW + "3\r" "h" "7\r9\r"),
    "wiring-matrix": ("the hand wiring matrix of the ring", RING + "m\r"),
    "wiring-listing": ("the wiring listing of a 5 x 4 x 3 lattice", LATTICE_3D_VIEW + "M\r"),
    # The seed dialog.
    "seed-window": ("the seed dialog's window ('w') made as large as it goes",
                    RING + "\r" "w\rm\rm\r"),
    "seed-window-small": ("the seed dialog's window made as small as it goes, then the "
                          "program's window made smaller",
                          RING + "\r" "w\r51\r51\r" "{resize 700 500}"),
    # Fields of a randomly wired net with the layout changed, graphs, sculpting, summaries, the
    # 2d seed dialog, subtrees, single basins, size ranges, a v = 3 rule mix, screen images, the
    # graphics menu, duplicated runs, the state-space matrix and the return map.
    "neutral-general-layout": ("the neutral-order field of a randomly wired 10-cell net (the general "
                               "method), its layout changed",
                               RANDOM_WIRING_FIELD + "\r" "l\r" "60\r" "\r\r" "\r" "5\r5\r" "\r" "\r"
                               "d\r" "o\r"),
    "field-general-layout": ("the basin field of a randomly wired 10-cell net (the general method), its "
                             "layout changed",
                             RANDOM_WIRING_FIELD + "\r" "l\r" "60\r" "\r\r" "\r" "5\r5\r" "\r" "\r"
                             "d\r" "\r"),
    "meta-graph-menu": ("the attractor jump graph of a field, at its menu",
                        FIELD_OUTPUT + "t\r" "\r\r" "\r" "m\r" "\r" "\r\r" "\r"),
    "meta-graph-ant": ("the attractor jump graph of a field, its ant ('a')",
                       FIELD_OUTPUT + "t\r" "\r\r" "\r" "m\r" "\r" "\r\r" "\r" "a"),
    "sculpt": ("basin-field sculpting from the 1d wiring editor ('l'), its target state dialog",
               FIELD + "1\r" "l"),
    "kmix": ("the k-mix dialog's summary, k 2 to 5 at random", "\r\r\r\r\r" "m\r" "\r" "2\r" "5\r" "\r" "h"),
    "seed-2d": ("the seed dialog of a 12 x 10 lattice", LATTICE_2D_VIEW + "\r" "b\r"),
    "subtree": ("a subtree of a 16-cell ring",
                single_to_wiring("16") + "\r" + RULE + "\r" + SEED + "d\r" "b\r" "\r" "\r" "\r"),
    "single-basin": ("a single basin of a 12-cell ring",
                     single_to_wiring("12") + "\r" + RULE + "\r" + SEED_SMALL + "d\r" "\r\r" "d\r"),
    "size-range": ("single basins over sizes 5 to 9",
                   "s\r" "2\r" "r\r" "5\r" "9\r" "4\r" "3\r" "\r" "\r\r" "\r\r" "\r" "\r" "\r\r\r"
                   "d\r" "\r\r" "d\r"),
    "v3-rulemix-run": ("a forward run of a 30-cell ring, v = 3, a rule mix",
                       "s\r" "3\r" "\r" "\r" "30\r" "\r" "\r" "\r" "n\r" "\r" "\r" "\r" + SEED + PATTERN_RUN),
    "image-save-load": ("a run's screen saved as an image, then loaded",
                        RING + "\r" + SEED_SMALL + "s\r" "d\r" "d\r" "{sleep 1}{!q}" "q" "s\r" "zimg\r" "\r"
                        "l\r" "zimg\r" "\r"),
    "graphics-run": ("the graphics menu from a paused run's options, its resize",
                     RING_RUN + "{sleep 1}{!q}" "q" "g\r" "S"),
    "graphics-field": ("the graphics menu from a field's options", FIELD_PROMPT + "\r" "g"),
    "duplicate-run": ("a forward run of the ring duplicated side by side",
                      RING + "\r" + SEED_SMALL + TO_FORWARD_OPTIONS + "h\r" "\r" "y\r" "\r" + SEED),
    "matrix-run": ("a forward run with the state-space matrix",
                   RING + "\r" + SEED_SMALL + TO_FORWARD_OPTIONS + "a\r" "n\r" "\r" "m\r" "\r"),
    "returnmap-run": ("a forward run with the return map",
                      RING + "\r" + SEED_SMALL + TO_FORWARD_OPTIONS + "a\r" "n\r" "\r" "r\r" "\r"),
}


def parse(road):
    """The actions of a road's string, one a list entry."""
    actions = []
    for m in re.finditer(r"\{([^}]+)\}|(.)", road, re.S):
        if m.group(1):
            actions.append(m.group(1))
        else:
            c = m.group(2)
            actions.append({"\r": "Return", " ": "space", "\b": "BackSpace"}.get(c, c))
    return actions


def actions(name, randseed):
    """A road's actions, after the first screen's random seed set to
    randseed so that its random rules and wirings come back in a replay."""
    return parse(f"r\r{randseed}\r" + ROADS[name][1])
