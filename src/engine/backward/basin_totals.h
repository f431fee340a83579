// The bookkeeping of one basin of attraction and of a basin field: how far
// the basin repeats itself under rotation of the network, the basin totals
// summed from its trees, the field totals summed from its basins, the cycle's
// geometry about the basin centre and the basin data line. The basin drawing
// (ui/backward/draw_basin.h) calls these in the order of the functions below.
#pragma once
#include <cstdint>
#include <string>
#include <sys/time.h>

// The garden-of-Eden counts of the basin being drawn; they live for one call
// of the basin drawing.
struct basin_tally {
    uint32_t g = 0;          // garden-of-Eden states of one copy of the basin
    uint32_t segment_g = 0;  // garden-of-Eden states of the current root's segment trees
    bool tree_skipped = false; // a tree or segment tree was stopped and left out
};

// Rotation data of the cycle att[1..attperiod]: cyclematch, attrepseg and
// basinno (2d: the translation classes too); all 1 with compression off
// (compressed false). Adds the cycle's states to totatt_states (a field sums
// basinno x attperiod, a single basin sets attperiod).
void set_basin_rotation(bool compressed);
// Clears basinsize, maxbasinlevel and maxbasinfan.
void start_basin_totals();
// The segment tree just built (of segment segindex) into the root's counts:
// m x treesize into totsubtree, m x gofEno into the segment g count, m being
// the segment's state count.
void add_segment_tree(basin_tally &tally);
// After the segment trees of a root: the root itself (and the fold-back
// state when justonepreimage) into totsubtree; the tree counters cleared.
void close_segment_trees();
// The tree of one attractor state (standing for cyclematch trees) and its
// segment trees into the basin totals.
void add_tree_to_basin(basin_tally &tally);
// Basin G-density, maxfieldfan and, in a field, the basins by period.
void close_basin(const basin_tally &tally);
// The field totals after a basin of a field.
void add_basin_to_field(const basin_tally &tally);

// Share of the state space in basinno copies of the basin, in percent.
double basin_share();
// The basin's data line: "single basin. " or "%d. " (basintypeno), the mark
// when a tree was left out, the first attractor state in hex, then " %d (%lu)
// %lu %.3g%% %lu %.3g %d %lu\n" (basinno, attperiod, basinsize, share, g,
// G-density, maxbasinlevel, maxbasinfan); a single basin's ends with one more
// "\n".
std::string compose_basin_data_line(const basin_tally &tally, bool field);

// Radius of the attractor cycle for the level-0 radius r.
float cycle_radius(float r, uint32_t period);
// Screen angle of cycle state i (period 2: i = 1 or 2; 3 and more: 1..period)
// for the orientation o.
float cycle_state_angle(uint32_t i, uint32_t period, float o);

// "  %.3fsec" below one minute, else "  %dmin %.3fsec", for an elapsed time
// of s seconds and u microseconds (u may be negative: a second is borrowed).
std::string format_elapsed(long s, long u);
// format_elapsed of the time since start (gettimeofday).
std::string format_elapsed_since(const timeval &start);

// The state space of a field: statespace and tickspace := v^n - 1. False,
// with nothing changed, when v^n states cannot be numbered in 32 bits.
bool set_field_state_space();
// The field totals at the start of a field: every sum 0, maxfieldfan 1,
// basintypeno 0, the period counts 0, no early exit.
void start_field_totals();
// The summary of a field: "basin types=%d total basins=%d\n" (with "EARLY
// EXIT " first when the field or a basin was cut short), then the size line
// "n=%d field=%lu\n" (or "n=%d sspace=%lu field=%lu \n" when the basins do
// not cover v^n) and "g=%lu=%.3g \n".
std::string compose_field_counts();
std::string compose_field_size_line();
std::string compose_field_g_line();
