// The life of the open graph's data (globals.h): opened by the counting of
// each mode, freed when the graph closes.
#pragma once
#include <cstdint>

// Frees any graph still held, then sets f_or_n, node_no and no_links and
// allocates basin_pos and m_node_size for nodes 0..nodes and, with links,
// the link table, node_period and outside_inputs, all zero. The caller
// checks that nodes is at most kMostLinkedNodes when it asks for links.
void open_graph_data(char mode, uint32_t nodes, bool links);
// outside_inputs[i] := the weights of the links into i from other nodes.
void sum_outside_inputs();
// Frees every array of the graph, sets node_no, m_space, m_size and
// no_links to 0 and f_or_n to graph_closed. Harmless when nothing is held.
void free_graph_data();
// The size measure of node i in the open graph's mode: the basin volume
// (field), the runs that ended in the type (attractors), the cell's k
// (network); 0 where there is none.
double node_size_measure(uint32_t i);

// The largest graph whose links are counted and drawn: the link table holds
// (nodes + 1)^2 counts, 64 MiB at this size.
constexpr uint32_t kMostLinkedNodes = 4096;
