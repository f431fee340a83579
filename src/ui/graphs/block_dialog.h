// The block dialog: a range of nodes, or the cells of a 2d or 3d lattice
// between two corners, asked in the prompt area. The drag editor's block
// (block_or_slice) is marked in linknet (engine/graphs/node_selection.h);
// the 2d/3d wiring editor asks its own first line and its 1d range, then
// the same corner rows (ask_lattice_corners).
#pragma once
#include <cstdint>
#include <string>

#include "ui/screen/question_table.h"

// Asks the block in a new linknet: its dimension (a network graph of a
// 2d or 3d lattice may take a 1d block), then the range low..high, or the
// low and high corners coordinate by coordinate, each defaulting to the
// corners of the box of the active node and the other node; Return keeps
// a default and an answer out of range is refused for it. Node numbers
// are cell numbers (node - 1) in the network graph, as the nodes show
// them. Returns the block's dimension, or 0 when 'q' at any question ended
// the definition with nothing marked.
int block_or_slice(uint32_t node, uint32_t other);

// The corners of a lattice block as they are asked: the block's line on
// line 1 of the prompt box (its dimension, the active place and the largest
// coordinates), the low corner on line 2 and the high one on line 3, one
// coordinate at a time. Return keeps a coordinate's default, an answer
// outside 0..most is refused for it.
struct lattice_block_ends {
    int dim = 2;                  // the block's dimension, as its line names it
    int axes = 2;                 // the coordinates asked and shown: i, j (and h)
    int this_place[3] = {0, 0, 0}; // the active place
    int most[3] = {0, 0, 0};      // the largest value of each coordinate
    int low[3] = {0, 0, 0}, high[3] = {0, 0, 0}; // the corners, defaults until answered
    bool echo_taken = false;      // a refused or empty answer gives way to the
                                  // value used on its line
};

// Asks the corners into ends, from the prompt box's line 1 down (in the
// fitting font that lives now, graph_prompt.h); leave when 'q' ended them,
// with is[0] == 'q'.
answer_step ask_lattice_corners(lattice_block_ends &ends);

// The block's line and a corner's line as the corner rows write them (the
// corner's without its coordinates): for a font chosen to fit them.
std::string lattice_block_line(const lattice_block_ends &ends);
std::string corner_line(const lattice_block_ends &ends, bool high);
