// The sweep graphs (G-density against Z, lambda ratio or network size, and
// the lambda-Z plots on the same frame): the frame's origin and scales, set
// when its axes are drawn (gofE_z_graph) and read by the driver to plot each
// run's point, and the counters of a sweep. A sweep spans many runs, so no
// per-run reset touches them: each sweep sets them at its start.
#pragma once
#include <cstdint>

extern int16_t gox, goy;   // origin (lower left corner) of the current graph, pixels
extern double lx, ly;      // lengths of the x and y axes in pixels
// Radius of a sweep point, ceil(lx / 275) (lx / 250 for a field's points);
// set by the point plot of the driver and at the start of a lambda-Z sweep.
extern int16_t graphspot;
// Points plotted (rules or sizes done) in the current sweep; set to 0 at a
// sweep's start by the driver or the lambda-Z sweep, counted up by them and
// by the mutation step for the codes it passes over as equivalents.
extern uint32_t endcount;
// Code equivalence classes or clusters counted by the mutation step in a
// code-number sweep; set to 0 at the start of a lambda-Z sweep.
extern int16_t totcode_eq_or_cl;
// Percent of 0 outputs wanted in a new random rule (v = 2), 0 meaning 50;
// stepped by the sweeps' bias schedules, read by the mutation step.
extern int16_t lambda_bias;
// The previous point of a size sweep, joined to the next one by a line;
// written by each point the run part plots.
extern int16_t sweep_previous_x, sweep_previous_y;

// Per-run reset, called by the run part at the start of each run; it resets
// nothing: the geometry is laid out with the graph, and the previous sweep
// point carries from one run of the sweep to the next.
void reset_measures_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_measures_start_values();
