// Whole-lattice wire-up from the lattice templates: the 2d and 3d kinds of
// the network wire-up, and the way back to plain lattice wiring after the
// wiring table was rebuilt or disturbed.
#pragma once
#include <cstdint>

// Wires every cell, from n-1 down to 0, from the template of dimension 2 or
// 3 (positions 0..nhoodm[c]-1); does not recount the out-degrees.
void wire_up_lattice(int dimension);

// Wires every cell of the 2d box of columns i_lo..i_hi and rows j_lo..j_hi
// (positions 0..nhoodm[c]-1 from the 2d template), then recounts the
// out-degrees. Callers pass the whole lattice (i2d-1, j2d-1, 0, 0).
void wireup_2d_nhood(int16_t i_hi, int16_t j_hi, int16_t i_lo, int16_t j_lo);
// The same for the 3d box with layers h_lo..h_hi; callers pass
// (i3d-1, j3d-1, h3d-1, 0, 0, 0).
void wireup_3d_nhood(int16_t i_hi, int16_t j_hi, int16_t h_hi, int16_t i_lo, int16_t j_lo,
                     int16_t h_lo);
