// The in-degree counts of backward runs and what their histogram shows of
// them: pre_fan_freq (globals.h) with its exact edge total, the totals and
// the gate of the plot, its columns (linear or in powers of 2), and the
// ticks of its axes. No drawing here: ui/backward/in_degree_hist.cpp draws
// from these. Start at count_in_degree.
#pragma once
#include <cstdint>
#include <vector>

// Replaces pre_fan_freq with entries zero-filled 32-bit counts (label
// "pre_fan_freq") and clears pre_fan_edges.
void reset_in_degree_counts(uint32_t entries);
// Counts weight nodes of in-degree in_degree: entry min(in_degree,
// maxinhist) of pre_fan_freq, and in_degree x weight in pre_fan_edges.
void count_in_degree(uint64_t in_degree, uint32_t weight);

// Totals of counts[0..last].
struct in_degree_totals {
    uint64_t nodes = 0;    // the sum of the counts
    uint64_t edges = 0;    // the sum of the in-degrees
    uint32_t highest = 0;  // highest in-degree with a non-zero count (0 when none)
    uint32_t largest = 0;  // the largest count
};
// With exact_edges the edges are pre_fan_edges, as the tree builder summed
// them; otherwise (counts loaded from a file) the nodes of the last entry
// count last pre-images each, a lower bound when some had more.
in_degree_totals sum_in_degree_counts(const uint32_t *counts, uint32_t last, bool exact_edges);

// What a run left for the plot: nothing is drawn for an empty histogram,
// for a basin or field run that met no attractor state, or when the edges
// are fewer than the nodes and the run's own size is 0.
struct in_degree_run {
    bool forward = false;      // basin or field run (direction 'f')
    uint32_t att_states = 0;   // totatt_states
    uint32_t run_size = 0;     // basinsize of a basin, totsubtree of a subtree
    bool has_run_size = false; // a field has none
};
bool in_degree_plot_drawable(const in_degree_totals &t, const in_degree_run &run, bool loaded);

// Columns of the plot of counts[0..last] up to the x maximum xmax (at most
// last). Linear: column i holds in-degree i, and column xmax also every
// count above it. Log: column 0 in-degree 0, column j >= 1 the in-degrees
// 2^(j-1) .. 2^j - 1, the counts above xmax in the column of xmax.
std::vector<uint64_t> in_degree_columns(const uint32_t *counts, uint32_t last, uint32_t xmax,
                                        bool log_x);
// Columns the linear plot spans: max(xmax, 30) + 1.
uint32_t in_degree_plot_columns(uint32_t xmax);
// Log column of an in-degree: 0 for 0, else floor(log2(d)) + 1.
uint32_t in_degree_log_column(uint64_t d);

// One tick of an axis: where (a count on y, a column on x), its length
// (4 or 2 pixels) and whether it carries the label value (a "+" follows
// it with plus).
struct axis_tick {
    uint64_t at = 0;
    uint64_t value = 0;
    bool long_tick = false;
    bool labelled = false;
    bool plus = false;
};
// Linear y: step 1 below 17, else ymax / 16; every fourth tick long and
// labelled (every one up to 7); a ymax off that grid gets a labelled tick.
std::vector<axis_tick> linear_y_ticks(uint64_t ymax);
// Log y: a labelled tick at each power of 10 up to the axis top
// (log_y_top).
std::vector<axis_tick> log_y_ticks(uint64_t ymax);
// The count that stands at the top of a log y axis: ymax, at least 10.
uint64_t log_y_top(uint64_t ymax);
// Linear x over in_degree_plot_columns(xmax) columns, d = ceil(xmax / 100):
// multiples of 10d long and labelled (column last as "%d+"), the others
// short, past an xmax of 200 only multiples of 5d; with tail the column
// xmax is labelled with a "+".
std::vector<axis_tick> linear_x_ticks(uint32_t xmax, uint32_t last, bool tail);
// Log x over `columns` columns: column 0 labelled 0, column j >= 1 at its
// first in-degree 2^(j-1).
std::vector<axis_tick> log_x_ticks(uint32_t columns);
