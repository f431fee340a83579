// The sweep graph of G-density against Z, lambda ratio or network size:
// its origin and scales, set when its axes are drawn and read by the driver
// to plot each run's point.
#pragma once
#include <cstdint>

extern int16_t gox, goy;   // graph origin in pixels
extern double lx, ly;      // pixels per unit along x and y
extern int16_t graphspot;  // radius of a plotted point
