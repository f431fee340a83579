// The drag editor's block: a range of nodes, or the cells of a 2d or 3d
// lattice between two corners, asked in the prompt area and marked in
// linknet (engine/graphs/node_selection.h).
#pragma once
#include <cstdint>

// Asks the block in a new linknet: its dimension (a network graph of a
// 2d or 3d lattice may take a 1d block), then the range low..high, or the
// low and high corners coordinate by coordinate, each defaulting to the
// corners of the box of the active node and the other node; Return keeps
// a default and an answer out of range is refused for it. Node numbers
// are cell numbers (node - 1) in the network graph, as the nodes show
// them. Returns the block's dimension, or 0 when 'q' at any question ended
// the definition with nothing marked.
int block_or_slice(uint32_t node, uint32_t other);
