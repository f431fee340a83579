// The sweep graph of G-density against Z, lambda ratio or network size:
// its origin and scales, set when its axes are drawn and read by the driver
// to plot each run's point.
#pragma once
#include <cstdint>

extern int16_t gox, goy;   // graph origin in pixels
extern double lx, ly;      // pixels per unit along x and y
extern int16_t graphspot;
// The previous point of a size sweep, joined to the next one by a line;
// written by each point the run part plots.
extern int16_t sweep_previous_x, sweep_previous_y;

// Per-run reset, called by the run part at the start of each run; it resets
// nothing: the geometry is laid out with the graph, and the previous sweep
// point carries from one run of the sweep to the next.
void reset_measures_run();
