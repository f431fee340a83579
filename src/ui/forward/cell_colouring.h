// The colour in which a forward run draws each cell of each step: by value,
// by neighbourhood index, or by how long the cell has been frozen; the colour
// filter over rule indices; the frozen skeleton collected for its histogram;
// the graph-layout display and the return-map point.
#pragma once
#include <cstdint>

#include "ui/measures/run_records.h"

// What the colouring of one step needs besides the cell: set once per step
// by the run loop.
struct colouring_step {
    uint8_t fwd_only = 0;    // a forward-only run
    uint8_t frozen_test = 0; // the frozen history is full: cells may count as frozen
    uint8_t by_nhood = 0;    // colour by neighbourhood (ncolor 1, seed_was_set 0, forward-only)
    uint8_t nhood_colour = 0; // the colour the last cell coloured by neighbourhood got
};

// The colour of cell c, whose value in A is value, in this step. Counts the
// frozen cells into sk and fills sk->frozen_buff (att_hist_skeleton), and in
// forward-only runs records the colour in stp_cell_color[c].
int cell_colour(uint32_t c, int value, run_iteration *it, skeleton_record *sk,
                colouring_step *step);
// 1 when cell c's index nhd[c] is marked in color_filter.
int cell_filtered(uint32_t c);

// The frequency colours and their bounds (freq_colors, bin_bound,
// num_bin_bound) for frozen_gens; released by free_freq_colors.
void setup_freq_colors();
void free_freq_colors();

// The graph-layout display after a step's sweep: each cell a disc at its
// node of stp_graph_layout, clipped to the inside of the layout box (x0,
// y0, x1, y1) left of the key panel; the viewport is the whole window
// again afterwards. state: the state just drawn; drawn: the pattern is
// shown (stp).
void draw_graph_layout(run_iteration *it, const uint8_t *state, int drawn, int x0, int y0, int x1,
                       int y1);
// Where the return map puts the point of coordinates x_value, y_value (each
// in [0, 2)) beside a pattern of the given width: inside the map's frame.
struct map_point {
    int x, y;
};
map_point return_map_place(double x_value, double y_value, int width);
// The return-map point of the step: X from the state drawn, Y from the next
// state, beside a pattern of the given width, in colour.
void plot_return_map_point(const uint8_t *drawn, const uint8_t *next, int width, int colour);
// The return map's coordinate of a state: sum over positions p (cell L - p)
// of (value / (v - 1)) * 2^-p.
double return_map_coordinate(const uint8_t *state);
