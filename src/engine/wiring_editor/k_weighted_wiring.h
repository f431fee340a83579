// The k-weighted random rewire of the wiring editors: each input of a cell
// is drawn from the whole network with each cell's chance in proportion to
// its own k, so cells with more inputs are chosen more often as sources.
#pragma once
#include <cstdint>

// The running sums of k over cells 0..n-1 ("k_running_sum"), taken once
// before a rewire and valid while no cell's k changes. total is W, the
// sum of every cell's k: at most 65535 * Maxnhood, so it needs 32 bits.
struct k_weighted_source {
    uint32_t *running = nullptr; // running[s] = k of cells 0..s
    uint32_t cells = 0;
    uint32_t total = 0;
};
k_weighted_source open_k_weighted_source();
void close_k_weighted_source(k_weighted_source &source);

// One draw: r = random() mod W, kept in 32 bits, and the first cell s whose
// running sum exceeds r, so that cell s is drawn with chance k(s) / W.
// Returns 0 when W is 0.
uint16_t draw_k_weighted_cell(const k_weighted_source &source);

// Input positions 0..k-1 of cell c, in that order, each := a draw.
void k_weighted_rewire_cell(const k_weighted_source &source, uint16_t c);
