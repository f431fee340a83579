// The drivers of backward runs: single basins over a range of sizes, mutants
// on one screen, subtrees and basin fields, with their summaries.
#pragma once
#include <vector>

#include "engine/backward/field_fit.h"
#include "ui/backward/fan_drawing.h"

// Draws a single basin or subtree per size from startL to endL, then sets
// the network back to startL cells and the seed back (size_ranges.cpp).
void draw_range_single();
// Draws a basin field per size from startL to endL, one row per size, then
// sets the network back to startL cells (size_ranges.cpp).
void draw_range_field();
// Draws the basin or subtree of the network and then of its mutants side by
// side until the series ends or the screen is full (size_ranges.cpp).
void mutant_one_screen_single();
// Draws the subtree of the seed, or of the state stepforward steps on
// (subtree_run.cpp).
void upstream_only();
// Draws the basin field of the network, or with neutral_order the
// components of its update orders (basin_field.cpp).
void draw_field();
// Writes the field summary.
void print_field_data();
// The field of the open jump graph drawn again with basin k at node k
// (use_preset_basin_pos set), the basins scaled together so that each lies
// whole inside window (the graph window within its frame), its summary
// lines ending in " cont-ret:", and a wait for Return. Registered with the
// graph window at start-up.
void redraw_field_in_graph(const field_area &window);

// A basin of the last field as drawn: the box its edges and marks cover, and
// the page it was drawn on (a fitted field that fills the drawing area
// clears it and goes on on the next page).
struct field_basin_box {
    drawn_box box;
    int page;
};
// The rectangle the next field of a size range is fitted to, as a plain
// field is fitted to basin_area(): the range's row for its size. A range's
// fields are laid out by the layout's spacing while none is set (nullptr).
void set_range_row_area(const field_area *area);
// The lowest row the basins of the last field reached when it was fitted
// (the bottom of its last row of basins); -1 when it was not.
int last_fitted_field_bottom();
// The basins of the last field drawn, in drawing order.
const std::vector<field_basin_box> &last_field_boxes();
// The area the last field was fitted to; false when it was laid out by the
// layout's own spacing (fit_field_layout off, or a field that is not
// fitted: size ranges, mutants, sweeps, successive basins, or a plain field
// of more than kMostFittedStates states).
bool last_field_area(field_area *area);
// The rectangle a field's basins stay in: below the boxes at the top (the
// options box of three lines, the summary box and the progress bar), above
// the rule box of three lines and the bottom strip, right of the
// space-time pattern's columns while the pattern is shown. A fitted field is
// fitted to it; a field laid out by the layout's spacing is cut at its
// edges while the rule box shows.
field_area basin_area();
// area with its foot gap rows above the general pre-image method's stack
// histogram while that is shown (see_ppstack on): the histogram stands over
// the window's lower part, and a basin drawn there would run across its
// scale and bars.
field_area above_stack_histogram(field_area area, int gap);
// While the rule box stands at the window's foot or the stack histogram is
// shown, keeps a basin or subtree drawn on its own inside basin_area() above
// them, as a field keeps its basins: edges drawn across the box's texts
// would stand there until the box is drawn again when the run ends. A
// sweep's run is kept in the strip above the sweep graph instead, as a
// sweep's field is: the area above the boxes takes in the graph and its
// labels. keep_basins_inside(nullptr) ends it.
void keep_single_basin_above_boxes();
