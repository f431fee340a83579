// The selection of the drag editor: linknet, a bit set over the nodes of
// the open graph, filled with the component of a node (the nodes upstream,
// downstream or either way of it within a number of steps) or with a block
// of nodes (a range of node numbers, or the cells of a 2d or 3d lattice
// between two corners). A link i to j exists when basinjumps[i][j] is above
// 0, whatever its weight.
#pragma once
#include <cstdint>

#include "engine/wiring_editor/cell_blocks.h"

// The directions of a component, as the editor's keys name them.
constexpr char component_inputs = 'i';  // nodes with a path into the node
constexpr char component_outputs = 'o'; // nodes the node has a path to
constexpr char component_either = 'e';  // paths along links either way

// A new, empty linknet for the open graph (nodes 0..node_no), freeing the
// one held.
void new_linknet();
// Frees linknet; harmless when none is held.
void free_linknet();
// Whether node is in linknet (false while none is held).
bool in_linknet(uint32_t node);
void mark_in_linknet(uint32_t node);
// How many nodes linknet holds.
uint32_t linknet_count();

// Adds to linknet the component of node in direction dir: the nodes at the
// end of a walk of 1..steps links (steps 0: of any length) that ends at
// node ('i'), starts at it ('o'), or goes along links either way ('e'). The
// node itself is in it only when such a walk returns to it (a self-link
// with steps 1). Expands level by level with the work sets "genedone" and
// "this_sweep", ending at level steps or at a level that adds nothing.
// Nothing on a graph without links.
void graph_in_out_components(char dir, int steps, uint32_t node);

// Marks the nodes low..high (in either order, held within 1..node_no).
void mark_node_range(uint32_t low, uint32_t high);
// Marks the nodes of the network graph whose cells (node - 1) lie between
// the corners on the 2d or 3d lattice, both corners included.
void mark_lattice_block(const block_corners &corners);
