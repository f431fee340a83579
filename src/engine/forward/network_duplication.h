// Doubling of the network side by side, for the damage runs that compare its
// two halves: 1d cells n..2n-1 beside cells 0..n-1, a 2d lattice twice as
// wide. The dialog side (the wiring review, the seed dialog) is
// ui/forward/network_duplication.cpp.
#pragma once
#include <cstdint>

// Largest network the forward-only options offer to double: twice it stays
// within the 16-bit cell count.
constexpr uint32_t kDuplicateMaxCells = 32511;
// Whether doubling is offered: at most kDuplicateMaxCells cells and not a
// lattice run forward only (it has no wiring table to double).
bool duplication_offered(uint32_t n, bool forward_only_lattice);

// Cell c of an n-cell 1d network (width 0), or of a lattice width wide, in
// the doubled network: its left copy (right_half 0) or its right copy
// (right_half 1). 1d: c and c + n. 2d: (i, j) goes to (i, j) and (i + w, j)
// of the lattice 2w wide, e.g. w = 4: cell 9 = (1, 2) becomes 17 and 21.
uint32_t doubled_cell(uint32_t c, uint32_t n, uint32_t width, int right_half);

// Doubles the network in the globals (1d or 2d, not 3d): lineL, L, bytesL
// and for 2d i2d; the k-mix, the rule and code rows of a rule mix, the
// wiring (each half wired to itself as the old network was, nonlocal 1,
// out-degrees recounted) and the seed bitseed (the old seed in both halves).
// The other state lines are allocated afresh, zero.
void double_network();
