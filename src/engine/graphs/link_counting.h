// The link weights of the network graph: node i is cell i-1, and the link
// from node i to node j weighs as many input slots of cell j-1 as are wired
// from cell i-1 (a cell wired twice from one cell gives 2, a cell that reads
// itself a self-link).
#pragma once

#include "engine/graphs/jump_counting.h"

// Opens the network graph of the current network (mode graph_network):
// netnodesize the cells' k. With links (at most kMostLinkedNodes cells)
// also the weights from each cell's input list, node_period the cells'
// out-degrees, m_space the number of wires and m_size 1; without, a layout
// only (no_links 1, m_space 0). Progress over the cells; returns false on
// 'q' (polled between cells) with nothing held.
bool count_network_links(bool links, graph_progress progress);
