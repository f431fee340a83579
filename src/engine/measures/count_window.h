// The counts of the last G time-steps of a forward run, for the windowed
// densities and lookup frequencies of the input entropy plot: a ring of
// rows, one per time-step, each a count per entry (per value, or per
// neighbourhood index), with the running sum of each entry over the rows in
// the window.
//
// Row 0 is the newest step, row w the step w steps before it. Moving on a
// step turns the ring: the oldest row, cleared, becomes row 0, and the
// others move one place older. Turning moves row pointers only, and the sums
// follow the rows that enter and leave the window, so a step costs one pass
// over the entries instead of one over every row. The sums are those of the
// plain reckoning: the counts of rows 0..G-1 as they stand, 32 bits wide
// (n cells times G steps passes 16 bits).
//
// Example, 2 entries, 3 rows, window 2: rows 0 {1,0}, 1 {2,2}, 2 {5,5}
// give sums {3,2}; after count_window_advance the rows are {0,0}, {1,0},
// {2,2}, and with {4,1} counted into row 0 the sums over window 2 are {5,1}.
#pragma once
#include <cstddef>
#include <cstdint>

struct count_window {
    uint16_t **rows = nullptr; // `slots` rows of `entries` counts, row 0 the newest
    uint32_t *sums = nullptr;  // per entry, the sum of rows 0..summed-1
    size_t entries = 0;
    int slots = 0;             // rows held: the longest window (gens)
    int summed = 0;            // rows in sums, counted from the newest added
    bool newest_added = false; // row 0 is in sums already
};

// Rows of zeros for a window of at most slots steps (at least 1) of entries
// counts each; what w held before is released. label names the arrays for
// the out-of-memory box.
void count_window_allocate(count_window *w, int slots, size_t entries, const char *label);
void count_window_release(count_window *w);
// The newest row, into which this step's counts go.
uint16_t *count_window_newest(const count_window *w);
// The sum of each entry over rows 0..window-1 (window clamped to 1..slots).
const uint32_t *count_window_sum(count_window *w, int window);
// On to the next step: the oldest row, cleared, becomes the newest.
void count_window_advance(count_window *w);
