// Settings and results of forward runs that other folders read.
#pragma once
#include <cstdint>

extern uint32_t limitcheck;   // forward history limit (10,000 by default; 0: pattern only)
extern uint8_t stp;           // 1 while the space-time pattern is shown
extern uint8_t nowscrolling;  // 1 once the pattern has begun to scroll

// Space-time pattern display, read and updated by end_page (model/cell_display.h).
extern uint8_t scrolling;     // 1: the pattern scrolls in stpimage once the page is full
extern uint8_t d_mode;        // display: 1 1d rows, 2 2d frames, 3 2d+time, 4 3d; 0 until a run sets it
extern int16_t scrolly;       // top of the strip cleared while scrolling (pixels)
extern int16_t pixmap_width;  // width in pixels of the scrolled region
extern uint8_t onthefly_box_erased; // 1 once the on-the-fly panel at the right was cleared in a run

extern uint8_t b_value;       // value 0..v-1 of the fixed border cells; 0 from the output menu
extern uint8_t seq_update;    // 0 parallel; 1 cell order, 2 reverse, 3 seq_order, 4 random each step

// Output flags of the output settings: result texts are also copied to
// standard error (pdata) and appended to the data file (filedata).
extern uint8_t pdata;
extern uint8_t filedata;

// --- Forward engine: update modes, forward-only overrides, attractor search.
// Set between runs by the update-order and forward-only dialogs; read by
// forward_step (the update mode seq_update and the partial-order switch once
// per run, the rest at every cell of every step).
extern uint8_t p_order;          // 1: each step updates a random subset of porder_min..porder_max cells
extern uint16_t porder_min;      // 1..porder_max (clamped at every run start and step)
extern uint16_t porder_max;      // porder_min..lineL
extern float update_prob;        // 100.0: always; else a fraction 0..1 (forward-only runs)
extern float out_prob;           // 100.0: never noisy; else a fraction 0..1 (forward-only runs)
extern int8_t border;            // fixed border width in cells (b_value), 0 none (forward-only runs)
extern uint8_t wiring_madelocal; // 1: inputs computed as a local lattice, ignoring the wiring table
extern uint8_t reverse_value_order; // 1: kcode tuples count value u in slot u instead of v-1-u
extern uint16_t frozen_gens;     // states kept in the run's frozen history lastA, >= 1; 20 by default
extern uint8_t att_hist;         // 0 none, 1 attractor-type histogram, 2 frozen-skeleton histogram
extern uint8_t diff_plot;        // damage display: 0 off, 1 dont keep, 2 keep, 3 with statistics
extern uint8_t ncolor;           // 0 cells coloured by value, 1 by neighbourhood index
extern uint16_t *pnhood;         // input cells of the cell being computed (32 entries);
                                 // forward_run_begin .. forward_run_end
extern uint8_t *porder_cells;    // partial-order cell set, one bit per cell (bytesL bytes); same lifetime
extern uint8_t **att;            // attractor cycle: att[1..attperiod] state lines; attractor search
extern uint32_t attperiod;       // period of the cycle in att, 0 when none
