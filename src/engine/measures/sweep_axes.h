// The axes of the sweep graphs (G-density against Z, lambda ratio or network
// size, and the lambda-Z plots that share their frame), where a point of a
// sweep falls on them, and which point is a sweep's last. Offsets and positions are window pixels measured
// from a graph's origin, its lower left corner; what a unit of tick height is
// in pixels is the drawing's business (ui/measures/gofe_graph.h).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Whether point endcount (0 first) is the last of a sweep of points points,
// after which the driver asks whether to keep the graph. A sweep of no
// count (0: the Z window's, which runs until its rules are spent) has no
// last point, so each of its points stays on both graphs.
bool sweep_last_point(uint32_t endcount, uint32_t points);

// One tick of an x axis.
struct sweep_x_tick {
    double offset = 0;  // pixels right of the origin
    int rise = 0;       // in tick units: 0 (the axis's end), 1, or 2 at every fifth
    std::string label;  // written below the axis; empty: none
};

// The intervals of an x axis: 10 for a Z or lambda-ratio axis, one less than
// the number of sizes (at least 1) for a size axis.
int sweep_x_intervals(bool size_axis, uint32_t sizes);
// The ticks of an x axis lx pixels long, from the origin to the end: every
// fifth labelled, "%.1f" of the value on a 0..1 axis, "%d" of the size
// (first_size + i) on a size axis, where the end is labelled as well.
std::vector<sweep_x_tick> sweep_x_ticks(bool size_axis, double lx, uint32_t sizes,
                                        int first_size);
// Where the x axis's own label starts, in pixels right of the origin: two
// intervals in on a 0..1 axis, one and a half on a size axis, but never past
// 0.3 x lx, so that a label of a sweep over few sizes stays by its axis
// instead of running off the window.
double sweep_x_label_offset(bool size_axis, double lx, uint32_t sizes);

// One tick of the y axis (0 to 1 in tenths), drawn to the right of the axis.
struct sweep_y_tick {
    double offset = 0;  // pixels above the origin
    int length = 0;     // in tick units: 2 at 0, 0.5 and 1, else 1
    std::string label;  // "%.1f" at 0, 0.5 and 1, written left of the axis
};
std::vector<sweep_y_tick> sweep_y_ticks(double ly);

// The row of a value 0..1 (a density, a lambda ratio, a Z) on a y axis ly
// long whose origin is at row origin_y: origin_y - trunc(value x ly).
int sweep_point_row(int origin_y, double ly, float value);
// The column of a value 0..1 on an x axis lx long: origin_x + trunc(value x lx).
int sweep_point_column(int origin_x, double lx, float value);
// The column of network size n on a size axis of `sizes` sizes from
// first_size: origin_x + trunc((n - first_size) x lx / (sizes - 1)); the
// origin for a sweep of one size.
int size_point_column(int origin_x, double lx, int n, int first_size, uint32_t sizes);
// Whether network size n is one of the `sizes` sizes from first_size that a
// size axis shows: the sweep grows the network once more after its last
// point, a size with no place on the graph.
bool size_on_axis(int n, int first_size, uint32_t sizes);
