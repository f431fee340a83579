// Drawing settings of the network and attractor graphs that other folders
// read or set.
#pragma once
#include <cstdint>

extern uint8_t scale_links;  // 1: links are bands whose width follows their weight
extern uint8_t show_arrows;  // 1: links carry an arrow head
extern float arrow_size;     // arrow barb length as a share of w_cyclerad
extern float w_cyclerad;     // base radius of the graph's nodes in pixels
extern float linkangle;      // direction of the last link measured, 0..2 pi (y up)
extern float abs_angle;      // its acute angle to the horizontal

// The open attractor graph's nodes, which a basin field redrawn for the
// graph reads back (use_preset_basin_pos): node_no nodes numbered from 1,
// basin_pos entries 0..node_no each an x, y pair in window pixels. The graph
// builder allocates them and frees them when the graph closes; null and 0
// while no graph is open.
extern uint32_t node_no;
extern int16_t **basin_pos;

// Per-run reset, called by the run part at the start of each run; it resets nothing: every global
// here is a graph drawing setting or the last measured link angle.
void reset_graphs_run();
