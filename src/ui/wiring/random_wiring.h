// Random wiring with zones and biases: the draw of one cell's inputs, the
// bias dialog that sets the biases and the per-layer quota dialog of 3d
// lattices. The biases are globals of wiring/globals.h.
#pragma once
#include <cstdint>

// Draws the inputs of cell (positions 0..nhoodm[cell]-1) under the biases;
// last = n-1. With same_wiring set it draws cell 0 and gives every cell the
// same relative pattern, then clears same_wiring. Does not recount.
void randomly_wire_cell(uint16_t cell, uint16_t last);
// The bias dialog. is[0] afterwards: 'q' when stepped back out of its first
// question, 0 after 'd', else the last key typed.
void bias_random_wiring();
// The quota dialog of a 3d lattice: how many of a cell's inputs go to each
// layer (force_layer, one entry per layer).
void force_rand_links_layer();
// The default zone width: n on a ring, the smaller 2d side, the smallest 3d
// side; x when no dimension flag is set.
uint16_t set_max_zonesize(uint16_t x);
