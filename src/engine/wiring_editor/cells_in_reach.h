// The cells a wiring editor's operation reaches, and the rewires both
// editors make over them. Both editors act on the cursor cell, or, while a
// block is marked and the all-links flag is set, on every cell of the
// block; the 2d/3d editor's block is a box on the lattice, whose cell range
// low..high also holds cells outside the box, which it leaves alone.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/wiring_editor/cell_blocks.h"

// What an operation works on: which editor asks (editor_1d or
// editor_2d_3d, cell_blocks.h) and whether the rules are set, the cursor
// cell, the block's flags, cells and, for the 2d/3d editor, its corners.
struct cells_in_reach {
    int editor = editor_1d;
    bool rules_set = false; // 0 while only the wiring exists
    int cursor = 0;
    int block = 0;     // a block is marked
    int all_links = 0; // operations act on the block (with block set)
    int low = 0, high = 0;
    block_corners box;

    bool block_mode() const { return block && all_links; }
};

// The cells reached, in ascending order: the cursor cell alone, or in
// block mode the cells low..high below lineL, for the 2d/3d editor only
// those inside the box. Empty when the cursor lies beyond the network.
std::vector<uint16_t> cells_reached(const cells_in_reach &reach);

// The cells of the block drawn with their links in the 2d/3d editor: in
// block mode the cells inside the box from low to high, else none.
std::vector<uint16_t> block_cells_inside(const cells_in_reach &reach);

// Each cell reached drawn afresh at random (randomly_wire_cell, with the
// biases of the last bias dialog). With same_wiring set the first cell's
// draw gives every cell of the network its pattern, and the draw ends
// there: drawing the other cells again would undo "same wiring
// everywhere".
void random_rewire_cells(const cells_in_reach &reach);
// Each cell reached drawn afresh with sources weighted by their k.
void k_weighted_rewire_cells(const cells_in_reach &reach);
// Each cell reached wired as the regular 1d ring neighbourhood.
void local_1d_rewire_cells(const cells_in_reach &reach);
// Each input p of cell := its template input on the lattice of dimension
// dim (2 or 3), as pndood_2or3 gives it.
void wire_cell_by_template(int dim, uint16_t cell);
void local_lattice_rewire_cells(const cells_in_reach &reach, int dim);
// Every cell reached given k inputs (change_cells_k over each run of
// consecutive cells, so that a box's rows are changed and nothing between
// them); k outside 1..nhood changes nothing. trim as change_cells_k.
void change_k_of_cells(const cells_in_reach &reach, int trim, long k);
