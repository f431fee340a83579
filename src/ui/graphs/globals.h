// Drawing settings of the network and attractor graphs that other folders
// read or set. The graph's own data (nodes, links, positions, sizes) are
// engine/graphs/globals.h.
#pragma once
#include <cstdint>

extern uint8_t scale_links;  // 1: links are bands whose width follows their weight
extern uint8_t show_arrows;  // 1: links carry an arrow head
extern float arrow_size;     // arrow barb length as a share of w_cyclerad
extern float w_cyclerad;     // circle radius of the graph layout in pixels
extern float linkangle;      // direction of the last link measured, 0..2 pi (y up)
extern float abs_angle;      // its acute angle to the horizontal
// Switches a graph sets as it opens, for the time it is open.
extern uint8_t scale_m_nodes;       // 1: node sizes follow their measure; 0: all the base radius
// Kept from one graph to the next.
extern uint8_t node_numbers;        // 1: nodes large enough carry their number
// Kept from one visit of the drag editor to the next.
extern uint8_t quick_move;          // 1: a drag redraws only the moved nodes' discs
// Colour index of each node at the last full drawing (node_no + 1 entries);
// allocated and freed with the graph window.
extern uint8_t *basin_color;

// Per-run reset, called by the run part at the start of each run; it resets nothing: every global
// here is a graph drawing setting, the last measured link angle or the open
// graph's colours, which live as long as its window.
void reset_graphs_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_graphs_ui_start_values();
