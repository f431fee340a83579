// The data of the open graph: the network graph (cells and their wires) or
// the attractor jump graph (basin or attractor types and the one-cell
// perturbations that lead from one to another). Numbered nodes 1..node_no,
// a weighted link table and per-node positions, sizes and measures. The
// graph builder (ui/graphs/meta_graph.h) fills them through the counting of
// this folder (graph_data.h) and frees them all with free_graph_data when
// the graph closes; between graphs every pointer is null and node_no 0.
#pragma once
#include <cstdint>

// The kind of graph open: which caller opened it and what its nodes are.
extern char f_or_n;
constexpr char graph_closed = 0;
constexpr char graph_field = 'f';      // the basin types of a finished field
constexpr char graph_attractors = 'a'; // the attractor types met by forward runs
constexpr char graph_network = 'n';    // the cells, node i = cell i-1

// Nodes numbered from 1; 0 while no graph is open.
extern uint32_t node_no;
// Link weights: node_no+1 row pointers into one block of (node_no+1)^2
// counts; basinjumps[i][j] the weight of the link i to j, [i][i] a
// self-link; row 0 unused. In the attractor modes column 0 counts the
// perturbation runs that met no known attractor within their step limit.
// Null when the graph has no links (no_links).
extern uint32_t **basinjumps;
// Node positions in window pixels: node_no+1 pointers, each to an x, y
// pair (entries 0..node_no). Read back by a basin field redrawn for the
// graph (use_preset_basin_pos).
extern int16_t **basin_pos;
// Drawn radius of each node in pixels (node_no+1 entries).
extern float *m_node_size;
// Summed weight of the links into each node from other nodes (self-links
// left out); filled only when the graph has links.
extern uint64_t *outside_inputs;
// Per node what its perturbation runs (or wires) are counted against: the
// attractor period (field, attractors) or the cell's out-degree (network).
// Null without links.
extern uint32_t *node_period;
// The size measures of the two modes that own theirs (the field reads the
// basin volumes of its basin type table, m_basin_volume): runs that ended in
// each attractor type, and each cell's k. Null in the other modes.
extern uint32_t *histnodesize;
extern uint8_t *netnodesize;
// The total the node sizes are measured against: v^n (field), the forward
// runs sampled (attractors), the number of wires (network; 0 without links).
extern double m_space;
// Perturbations per attractor state, n x (v-1); 1 for the network graph.
// A node's runs (its "jumps") are node_period[i] x m_size.
extern uint32_t m_size;
// 1: the network graph is shown as a layout only, without links.
extern uint8_t no_links;
// The unreachable nodes: a node whose outside_inputs is at most u_threshold
// (0 as a graph opens). While suppress_u_links is 1 the links between an
// unreachable node and another are left out of the drawing; while
// isolate_unreachable is 1 the unreachable nodes stand aside in the
// leftmost fifth of the window. Set to 0 as each graph opens.
extern uint32_t u_threshold;
extern uint8_t suppress_u_links;
extern uint8_t isolate_unreachable;
// The drag editor's selection: one bit per node 0..node_no, node m at bit
// m mod 8 of byte m div 8. Allocated by new_linknet as the editor opens and
// at each new selection, freed as it closes (node_selection.h).
extern uint8_t *linknet;
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_graphs_start_values();
