// Wiring of the whole network for its wiring kind, the regular 1d wiring of
// one cell, and the change of k of cells after the fact.
#pragma once
#include <cstdint>

// Wires every cell for whatwire, recounts the out-degrees and, with show 1,
// opens the network view (not for a plain regular 1d or 2d lattice picked on
// the first menu line). 'q' in is[0] when a load or the 1d question was
// backed out.
void wire_up_network(int show);
// Regular 1d inputs of one cell: input p of cell c is (c - k/2 + p) mod n,
// k = nhoodm[c], n = last + 1.
void oneD_local_wire_cell(uint16_t cell, uint16_t last);
// Asks a new k for one cell, or cells first..last when both block flags are
// set, and rewires them keeping the inputs the user had moved; trim 1 also
// clears the dropped entries of the cells' own rule rows.
void reset_k(int trim, int block_a, int block_b, int cell, int first, int last);
