// The damage of one step of a doubled network: the cells of its right half
// that differ from their partners in the left half. The network is laid out
// as rows of `width` cells (a 1d ring is one row of n cells, a 2d lattice
// j2d rows of i2d); the right half of a row is its columns width/2 ..
// width-1 and the partner of a cell lies width/2 cells to its left in the
// same row. With width 8 and one row: cells 7, 6, 5, 4 are compared with
// 3, 2, 1, 0.
#pragma once
#include <cstdint>

struct damage_halves {
    uint32_t width; // cells of a row: n for a 1d ring, i2d for a 2d lattice
    uint32_t rows;  // 1 for a 1d ring, j2d for a 2d lattice
};

// The halves of the network in the globals: 2d when twod is set, else 1d.
damage_halves network_halves();

// Compares the right half of state with the left: for every right-half cell
// the mark in marks (a value line like a state, read and written with
// get_value and set_value) becomes 1 when the cell differs from its
// partner, or, with keep, when its mark was already set; else 0. Returns the
// number of marked cells. The marks of the left half are left alone.
uint32_t count_damage(const damage_halves &h, const uint8_t *state, uint8_t *marks, bool keep);

// 100 x damage / half, where half is the cells of one half (n div 2); 0 for
// a network too small to have halves.
float damage_percent(uint32_t damage, uint32_t half);
