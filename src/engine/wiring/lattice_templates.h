// Lattice templates: for a cell of a 2d (square or hexagonal) or 3d lattice
// and an input position, the cell that feeds that position. The one
// definition of the regular lattice neighbourhoods, read by the lattice
// wire-ups, the first draw of biased random wiring, the wiring editors and,
// through wire_2d_local / wire_3d_local, the forward-only lattices, which
// keep no wiring table.
#pragma once
#include <cstdint>

// Input position pos (0..nhoodm[cell]-1) of cell on the lattice of dimension
// dim (2: i2d x j2d with hex2d; 3: i3d x j3d x h3d). Writes i_n, j_n, h_n and
// poss_n (wiring/globals.h); returns 1 when the input is the cell itself
// (offset 0 on every axis), else 0. For a position or k without a template
// the coordinates stay as they were, poss_n is recomputed from them and the
// result is 0. Every axis wraps by a true modulus. Constant time.
int pndood_2or3(int dim, uint16_t cell, int pos);

// out[p] := the 2d (3d) template input p of cell for p = 0..nhoodm[cell]-1,
// as pndood_2or3 gives it; a cell with k = 0 writes nothing. out needs room
// for the cell's k entries.
void wire_2d_local(uint16_t cell, uint16_t *out);
void wire_3d_local(uint16_t cell, uint16_t *out);

// The largest k with a template: 25 in 2d, 13 in 3d.
constexpr int kMaxTemplateK2d = 25;
constexpr int kMaxTemplateK3d = 13;
