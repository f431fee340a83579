// Untangling a cell's wiring: its inputs sorted into ascending cell order,
// and with per-cell rules its rule table permuted to match, so that the
// cell computes the same function of the same cells as before.
#pragma once
#include <cstdint>

// Work space of untangle_wiring, sized for nhood and allocated once per
// editor call: a rule copy ("catemp") and a tick bit per neighbourhood index
// ("ca_tickoff"), each ceil(v^nhood * value_bits / 8) bytes, and two digit
// lines of nhood base-v digits ("nhoodbits", "swap_nhoodbits").
struct untangle_buffers {
    uint8_t *catemp = nullptr;
    uint8_t *ca_tickoff = nullptr;
    uint8_t *nhoodbits = nullptr;
    uint8_t *swap_nhoodbits = nullptr;
};
untangle_buffers allocate_untangle_buffers();
void free_untangle_buffers(untangle_buffers &work);

// Sorts cell c's inputs 0..k-1 by passes of neighbour swaps until a pass
// swaps nothing; with a rule mix and rules_set each swap also
// permutes the cell's rule table. Without per-cell rules only the order of
// the inputs changes. Nothing with tot_only.
void untangle_wiring(uint16_t c, bool rules_set, untangle_buffers &work);
