// The cell operations of the wiring editors that talk to the user: the
// hand edit of one cell's inputs, the averaged rule figures in a box, and
// the revision of a cell's rule with its copy over a block. The operations
// that only compute are engine/wiring_editor/.
#pragma once
#include <cstdint>

#include "engine/wiring_editor/cell_blocks.h"

// Edits cell's inputs on two lines from (x, y) in the prompt box (the line
// of inputs is cleared to the box's right edge): the position labels, and
// below them the inputs, one column each, position k-1 leftmost. Typed
// cell numbers 0..n-1 replace the input in the framed column (others are
// ignored); Return and the right arrow move right, the left arrow left,
// both wrapping; 'q' ends.
void print_wiring_cell(int x, int y, uint16_t cell);

// The hand-rewire dialog of the editors' key 'h': a five-line prompt box
// over the editor's six-line prompt area with print_wiring_cell on its
// third line; the prompt area is left clear for the editor's prompt.
void rewire_single_cell(uint16_t cell);

// The average and the out-degree-weighted average of the lambda ratio and
// Z over the cells, in a prompt box that waits for a key (nothing when the
// average Z is not above 0, nor with tot_only). Leaves is[0] = 0.
void av_z_para();

// The rule box for cell's rule with its own k (table 0 when the cells
// share one), its figures computed first; without a table with tot_only.
void show_cell_rule(uint16_t cell);

// The rule revision dialog for cell's rule (the cell's own with a rule mix,
// else pass 0), its figures and readout; then, with a block and the
// all-links flag set and a rule mix, the question whether to copy it over
// the block low..high (for the 2d/3d editor only the cells within box), to
// which only 'c' says yes. editor: editor_1d or editor_2d_3d.
void revise_rule_graphic(int editor, int block, int all_links, const block_corners &box,
                         uint16_t cell, uint16_t low, uint16_t high);
