// Wire-up of the whole network for the kinds computed without asking
// (random, regular 1d; the 2d and 3d lattices are lattice_wireup.h), the
// regular 1d wiring of one cell, and the change of k of cells after the
// fact. The set-up's wire-up with its dialogs is ui/wiring_editor/wire_up.h.
#pragma once
#include <cstdint>

// Regular 1d inputs of one cell: input p of cell c is (c - k/2 + p) mod n,
// k = nhoodm[c], n = last + 1.
void oneD_local_wire_cell(uint16_t cell, uint16_t last);
// Every cell, from n-1 down to 0, with its regular 1d inputs.
void wire_up_regular_1d();
// Every cell, from n-1 down to 0, drawn under the random wiring biases; with
// same_wiring set only cell 0 is drawn and its pattern copied to every cell.
void wire_up_random();
// Sets the k of cells first..last to k and rewires them: a smaller k empties
// the dropped slots (Maxu) and, with trim 1, clears the dropped entries of
// the cells' own rule rows; a larger k takes the regular lattice inputs but
// keeps each old input the user had moved away from its template place. Any
// change of k sets nhood_mixed. k outside 1..nhood or first > last changes no
// cell. Then recomputes nhood_lb and nhood_ub.
void change_cells_k(int trim, long k, int first, int last);
