// The rule box at the bottom of the window, redrawn after every rule change.
#pragma once
#include <cstdint>

#include "ui/screen/standing_boxes.h"

// Redraws the rule box for neighbourhood size k, showing rule (or cell's code).
// outflag 1 also copies its texts to standard error (pdata) and the data
// file (filedata). Leaves the current point where it was.
void show_rule_bottom(int k, int outflag, uint8_t *rule, int cell);
// Whether the rule box stands at the window's foot through a basin, a
// subtree or a field in the run modes now set: it shows the network's one
// rule, or, for a network of mixed rules, the modes every cell runs in (the
// order space, an update order). False without a window.
bool rule_box_stands();
// The top edge of the box show_rule_bottom draws for neighbourhood size k
// in the run modes now set: of two lines or of three (boxes.h).
int rule_box_top_for(int k);
// The place of the box show_rule_bottom draws for neighbourhood size k in
// the run modes now set, frame included.
box_place rule_box_place(int k);
// Clears the strip the last rule box took (from rule_box_top down), so that
// a box of fewer lines or narrower drawn next leaves nothing of it around.
void clear_rule_bottom();
// Clears the last rule box if it still stands as drawn (the drawing area not
// cleared since, the window's height the same, no pattern's rows took it):
// a screen that draws no box of its own where it stood, without clearing
// what was drawn there since.
void clear_standing_rule_bottom();
// Whether the rectangle (corners inclusive) meets the last rule box where it
// still stands, or where a pattern's rows took it: what is drawn there is
// cut when the box is drawn again.
bool meets_standing_rule_box(int x0, int y0, int x1, int y1);
// The lowest row a box or text across columns x0..x1 may take down to
// bottom: above the rule box (a row apart from its frame) where its place
// is held, standing or taken by a pattern's rows and drawn there again by
// the run, else bottom.
int bottom_above_rule_box(int x0, int x1, int bottom);
// bottom_above_rule_box, and above the box for neighbourhood size k too
// where none is held yet: for a drawing that stays on the screen while a
// rule box is drawn later (the network view opened from a run's end).
int bottom_above_rule_box_to_come(int k, int x0, int x1, int bottom);
// Writes the box's text from (x, y) within xmax: three_lines 1 for the
// three-line box, 0 for the two-line one; rule is null in the forward-only
// totalistic mode. Returns the largest x reached on the first and last lines.
int write_rule(int three_lines, int k, int outflag, int x, int y, int xmax, uint8_t *rule,
               int cell);
