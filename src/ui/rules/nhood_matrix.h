// The K-matrix picture below the rule-selection prompt: one column per
// neighbourhood index, highest at the left, one row per input position,
// highest on top, each cell coloured by the digit it holds; drawn once, or
// in the amendment loop that asks how much of the index range to show and
// the cell size. Its geometry is engine/rules/nhood_matrix_layout.h.
#pragma once
#include <cstdint>

#include "engine/rules/nhood_matrix_layout.h"

// Draws the picture two text lines below the current point and returns the
// y just below it. interactive 1: first asks "k-matrix: exit-q, % of index
// to show ..." and "scale in pixels ..." in the prompt box and redraws for
// each answer until 'q'.
int16_t setup_nhood_matrix(int interactive);

// The leftmost column the picture's row labels take when its cells start at
// x0: the labels stand left of the text column, so a clear of the column
// that takes the picture away starts there.
int nhood_matrix_labels_left(int x0);
// The pixels from one row of the picture to the next: the cell size, or
// more where the top and bottom rows' labels, each centred on its row,
// would overlap or a row would be thinner than three pixels.
int nhood_matrix_row_pitch(const nhood_matrix_layout &m);
// The picture's first column when the text column starts at x: x, or right
// of it by what the row labels left of the cells need to stay inside the
// window.
int nhood_matrix_left(int x);

// The first row at or below y that no text's ink takes (text_inks.h: the
// set-up's lines, a rule's hex readout, the K-matrix picture's labels) and
// that lies outside the picture drawn last while it is on the window: a
// region framed from there cuts none of them.
int setup_clear_row(int y);
// The same at or above y (0 at the least): a band hidden from there down
// takes the line that y would cut whole.
int setup_clear_row_above(int y);
