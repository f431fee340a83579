// One time-step of the network: every cell reads its inputs, forms its
// neighbourhood index (or code index), takes the entry of its rule, and in a
// forward-only run the border, probability and partial-order switches may
// override it. The run loop calls forward_run_begin once, forward_step once
// per time-step, and forward_run_end on every way out of the run.
#pragma once
#include <cstdint>

#include "engine/forward/globals.h"

// What a run fixes for all its steps, and what the run loop hands to the step.
// The run loop takes the copies at its start (seq_update and p_order are read
// once per run; everything else is read anew at every step).
struct step_mode {
    uint8_t seq_update = update_parallel; // the run's update mode (the run record's run_seq_update)
    uint8_t p_order = 0;      // the run's partial-order switch (run_p_order)
    uint8_t one_rule = 0;     // every cell uses rule 0 although rulemix is set
    uint8_t fwd_only = 0;     // forward-only run: overrides apply, the frozen history moves on
    uint8_t **lastA = nullptr; // frozen history, frozen_gens state lines, newest at 0; or null
    uint16_t *lookup_row = nullptr; // newest row of the lookup counts, or null when not kept
    int32_t lookup_cell = -1; // -1: every cell is counted; else only this cell (single-cell entropy)
    // 1: the step writes every cell's neighbourhood index into nhd; 0: a
    // packed ring step leaves them until settle_step_indexes asks (a run
    // that colours no cell by its neighbourhood never does). Counting
    // lookups writes them.
    uint8_t indexes = 1;
};

// 1 for a forward-only run: direction_forward with no attractor search
// (limitcheck 0). Only these runs have borders, probabilities and partial orders.
int forward_only_run();

// The run's fixed settings from the globals: seq_update, p_order (as 0/1)
// and fwd_only; the other fields keep their defaults.
step_mode forward_run_mode(int fwd_only);

// Allocates the per-run work arrays: pnhood (label "pnhood"), and for a
// forward-only run the partial-order cell set (label "bitseed") and, with
// update_random_order, the rerandomised-order set (label "seq_tickoff"); clamps the
// partial-order limits. Calling it again first releases what it allocated.
void forward_run_begin(const step_mode &mode);
// Releases what forward_run_begin allocated; harmless when nothing is held.
void forward_run_end();
// The wiring table and the k-mix are examined by forward_run_begin (whether
// the network is a ring the packed step takes, O(n k)) and the table's
// inputs copied for the unpacked step; a caller that changes their contents
// between the steps of a run calls this before the next step.
// A change of lineL or of the arrays' addresses is seen by the step itself.
void recheck_forward_network();

// One time-step. rules: carule (tot_only 0), or cacode / v_code (tot_only 1),
// one row per cell with rulemix, v rows with outer_tot. Reads A, writes F and
// nhd; in sequential modes writes A cell by cell; afterwards moves the frozen
// history on (forward-only runs), takes F from exh_pairs (with
// exhaustive_random_map), exchanges A and F (parallel updating) and clears
// seed_was_set. With exhaustive_random_map the update mode is ignored: the
// random map is a parallel map, so the successor is taken and exchanged as in
// update_parallel. A new random order (update_random_order) and the
// partial-order cells are drawn before the sweep of forward-only runs only;
// elsewhere update_random_order sweeps seq_order as it stands. A parallel
// step without overrides of a v = 2 ring (every cell k inputs, wired as the
// ring or made local) under one rule table is computed 64 cells to a word
// (packed_ring.h), with the same A, F and nhd as the sweep; the other
// parallel steps without overrides or codes of a network wired by its table
// spread the cells one byte each (unpacked_sweep.h), again with the same
// results.
// Needs forward_run_begin with the same mode before the first step.
void forward_step(uint8_t **rules, const step_mode &mode);

// Writes into nhd the neighbourhood indexes the last step left out (a
// packed ring step with indexes 0), if nhd and lineL are still those of
// that step; otherwise, and when no step left them out, does nothing. Call
// it before reading nhd after steps run with indexes 0.
void settle_step_indexes();

// Keeps the partial-order limits within 1 <= porder_min <= porder_max <= n.
// Called at every run start and every partial-order step; callers that change
// the network size call it too.
void clamp_porder_limits();
