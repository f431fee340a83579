// Blocks of cells in the wiring editors: whether a cell lies in a box of
// the 2d or 3d lattice, and the copy of one cell's rule or code over a
// block of cells.
#pragma once
#include <cstdint>

// Corners of a block on the lattice (column i, row j, layer h), both
// included; h is 0 on a 2d lattice.
struct block_corners {
    int16_t i_low = 0, j_low = 0, h_low = 0;
    int16_t i_high = 0, j_high = 0, h_high = 0;
};

// Where a cell sits on the lattice: column i, row j, layer h (0 on a 2d
// lattice). On a 2d lattice i = cell mod i2d, j = cell div i2d; on a 3d
// lattice h = cell div (i3d j3d), then j and i within the layer. false on
// a 1d network, which has no lattice place.
struct lattice_place {
    int i = 0, j = 0, h = 0;
};
bool cell_lattice_place(uint32_t cell, lattice_place &place);

// 1 when cell lies outside the box on a 2d lattice (i = cell mod i2d,
// j = cell div i2d) or a 3d lattice (h = cell div (i3d * j3d), then j and
// i within the layer); 0 inside, and always 0 on a 1d network.
int outside_2d_3d_block(uint16_t cell, int16_t i_low, int16_t j_low, int16_t h_low,
                        int16_t i_high, int16_t j_high, int16_t h_high);

// Which editor asks for a block copy: the 1d editor takes every cell of
// low..high, the 2d/3d editor only those inside the corners.
constexpr int editor_1d = 1, editor_2d_3d = 2;

// Copies cell's rule table (with tot_only its tcode or kcode) into every
// cell low..high that has the same k, skipping for the 2d/3d editor the
// cells outside the corners. Needs per-cell rules (rulemix). Returns the
// number of cells written, the source cell not counted.
int copy_rule_to_block(int editor, uint16_t cell, uint16_t low, uint16_t high,
                       const block_corners &box);
