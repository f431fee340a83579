// Bits on a grid: the "bits" method of the seed, rule and code dialogs. The
// string is drawn as a grid of coloured cells (hexagons on a triangular 2d
// lattice, with an isometric picture beside the grid for a 3d lattice) and
// handed to the cell editor (cell_editor.h) until it accepts or backs out.
#pragma once
#include <cstdint>

// kind 0 a state, 1 a rule table, 2 a code of k inputs; cells high down to
// low (the last entry index and 0, or a segment of a 1d state). The string
// is edited in place; is[0] is 'q' when the user backed out (edits stay).
void define_bits(int k, int kind, uint8_t *string, int high, int low);
// The row below the grid of the last define_bits (its last row of cells
// and their gap), for a readout after an accepted grid whose point the
// editor left right of the grid.
int last_grid_bottom();
