// Random wiring with zones and biases: the draw of one cell's inputs and the
// default zone width. The biases are globals of wiring/globals.h, set by the
// bias dialog of ui/wiring/random_wiring.h.
#pragma once
#include <cstdint>

// Draws the inputs of cell (positions 0..nhoodm[cell]-1) under the biases;
// last = n-1. With same_wiring set it draws cell 0 and gives every cell the
// same relative pattern, then clears same_wiring. Does not recount.
void randomly_wire_cell(uint16_t cell, uint16_t last);
// The default zone width: n on a ring, the smaller 2d side, the smallest 3d
// side; x when no dimension flag is set.
uint16_t set_max_zonesize(uint16_t x);

// What a network caption may say of the zone: nothing for a wiring no zone
// drew (1d CA wiring, a regular 2d or 3d lattice), that it has no limit
// when zonesize is the widest the lattice allows (as after a wiring file
// or the hypercube, which no zone confines), else the zone's width.
enum class zone_caption { none, no_limit, width };
zone_caption caption_of_zone();
// Whether the wiring is a regular one (1d CA wiring or a regular lattice).
bool regular_wiring();
