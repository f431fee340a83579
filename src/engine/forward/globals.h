// Settings and results of forward runs that other folders read.
#pragma once
#include <cstdint>

extern char direction;        // run direction: 'f' basin, 'b' subtree, 0 unset
constexpr char direction_unset = 0, direction_forward = 'f', direction_backward = 'b';
extern uint32_t limitcheck;   // forward history limit (10,000 by default; 0: pattern only)
extern uint8_t stp;           // 1 while the space-time pattern is shown
extern uint8_t nowscrolling;  // 1 once the pattern has begun to scroll

// Space-time pattern display, read and updated by end_page (model/cell_display.h).
extern uint8_t scrolling;     // 1: the pattern scrolls in stpimage once the page is full
extern uint8_t d_mode;        // display: 1 1d rows, 2 2d frames, 3 2d+time, 4 3d; 0 until a run sets it
constexpr uint8_t display_unset = 0, display_1d = 1, display_2d = 2, display_2d_time = 3,
                  display_3d = 4;
extern int16_t scrolly;       // top of the strip cleared while scrolling (pixels)
extern int16_t pixmap_width;  // width in pixels of the scrolled region

extern uint8_t b_value;       // value 0..v-1 of the fixed border cells; 0 from the output menu
extern uint8_t seq_update;    // 0 parallel; 1 cell order, 2 reverse, 3 seq_order, 4 random each step
constexpr uint8_t update_parallel = 0, update_cell_order = 1, update_reverse_order = 2,
                  update_seq_order = 3, update_random_order = 4;

// Output flags of the output settings: result texts are also copied to
// standard error (pdata) and appended to the data file (filedata); each
// 0 off, 1 basin data only, 2 tree data too.
extern uint8_t pdata;
extern uint8_t filedata;
constexpr uint8_t data_off = 0, data_basins = 1, data_basins_and_trees = 2;

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
constexpr uint8_t att_hist_none = 0, att_hist_types = 1, att_hist_skeleton = 2;
extern uint8_t diff_plot;        // damage display: 0 off, 1 dont keep, 2 keep, 3 with statistics
constexpr uint8_t diff_plot_off = 0, diff_plot_dont_keep = 1, diff_plot_keep = 2,
                  diff_plot_stats = 3;
extern uint8_t ncolor;           // 0 cells coloured by value, 1 by neighbourhood index
extern uint16_t *pnhood;         // input cells of the cell being computed (32 entries);
                                 // forward_run_begin .. forward_run_end
extern uint8_t *porder_cells;    // partial-order cell set, one bit per cell (bytesL bytes); same lifetime
extern uint8_t **att;            // attractor cycle: att[1..attperiod] state lines; attractor search
extern uint32_t attperiod;       // period of the cycle in att, 0 when none
extern uint8_t exhaustive_testing; // 0 pre-images, 1 exhaustive successor table, 2 random map
constexpr uint8_t exhaustive_off = 0, exhaustive_table = 1, exhaustive_random_map = 2;
// Successor table: v^n records of bytesL bytes, record s the state line of
// the successor of state number s (label "exh_pairs"); null when there is
// none. Filled by the successor table (backward/successor_table.h), read by
// the forward step in the random-map mode.
extern uint8_t *exh_pairs;

// --- Forward run loop and its displays (run_forward.h). Set between runs by
// the output and forward-only dialogs (0 until they run), read when a run
// starts; the run writes those marked so.
extern uint8_t stppause;         // 0 none; 1 pause box at a full page and at ittpause; 2 hint there;
                                 // 255: step pause from the next run on (the run sets it to 0)
constexpr uint8_t stppause_none = 0, stppause_box = 1, stppause_hint = 2,
                  stppause_step_next_run = 255;
extern uint32_t ittpause;        // time-step at which the run pauses, 0 none
extern uint8_t stpgraph;         // side plot: 0 none, 1 density/entropy, 2 lookup bars, 3 lookup graph
constexpr uint8_t stpgraph_none = 0, stpgraph_density = 1, stpgraph_lookup_bars = 2,
                  stpgraph_lookup_graph = 3;
extern uint8_t show_ss_matrixF;  // 1 state-space matrix beside the pattern; 'r' return map (the run clears it)
constexpr uint8_t ss_view_none = 0, ss_view_matrix = 1, ss_view_return_map = 'r';
extern uint8_t single_entropy;   // 1: lookups of cell entropy_poss only
extern uint16_t entropy_poss;    // the measured cell of single_entropy, 0..n-1
extern int32_t gens;             // analysis window in time-steps, 1..10000; the run makes it at least 1
extern uint8_t graph_layout;     // 1: the cells are also drawn on the network-graph layout
extern uint16_t time_skip;       // drawn steps are every (time_skip+1)-th with skip_on; the run sets 1
extern int32_t slant;            // half-cell row counter of 1d patterns, 0..2n-1; -1 restarts it
extern uint8_t att_seed_dens;    // 1: attractor-type statistics count seeds by density
extern uint8_t was_changed;      // 1 after the pause box changed the rule, wiring or network
extern uint32_t stepforward;     // forward steps before a subtree's root (direction 'b'); 0 none
// Frozen-frequency colouring, made at the start of a forward-only run and
// released at its end.
extern uint8_t *freq_colors;     // 10 colour indices, cold to hot
extern int16_t *bin_bound;       // 10 bounds, entry b = b * w for b = 1..num_bin_bound
extern int16_t num_bin_bound;    // 0..9
// Per-run arrays of forward-only runs (allocated at the start, released at the end).
extern uint16_t *flippos;        // rule entry of each recorded flip, 1..bitflipcount (bitflipcount+1 entries)
extern uint8_t *flipvalue;       // value each recorded entry had before its flip, v > 2; same indexing
extern uint16_t **stp_graph_layout; // node c+1 = cell c: its x and y in the graph layout; lineL+1 rows
extern float *stp_graph_node_size;  // disc radius per node; entry 1 serves every node
extern uint8_t *stp_cell_color;  // colour each cell was last drawn in (lineL bytes)

// --- Output-parameter settings read by the mutation between runs.
extern uint8_t accept_from;      // settings menu to revise from: 'l' layout, 'p' display, 't' pause/data,
                                 // 'm' mutation; 0 none
constexpr uint8_t accept_from_none = 0, accept_from_layout = 'l', accept_from_display = 'p',
                  accept_from_pause = 't', accept_from_mutation = 'm';
extern int8_t gd_z_graph;        // sweep graph: 0 none, 1 G-density v Z, 2 also v lambda ratio, 3 v size
constexpr int8_t sweep_graph_none = 0, sweep_graph_z = 1, sweep_graph_z_lambda = 2,
                 sweep_graph_size = 3;
extern uint32_t totalgraphrules; // points in a sweep
extern float lowlimZ, highlimZ;  // Z window of a sweep; 0.2 and 1
extern char codetypeonly;        // codes of a code-number sweep: 'e' equivalents, 'c' clusters, 'a' all
constexpr char code_sweep_equivalents = 'e', code_sweep_clusters = 'c', code_sweep_all = 'a';
extern uint8_t lambda_z_graph;   // while the sweep runs: 1 lambda-Z graph, 2 Zleft-Zright; else 0
constexpr uint8_t lambda_z_off = 0, lambda_z_lambda = 1, lambda_z_zleft_zright = 2;
extern uint8_t pause_show_code;  // 1: wait for a key after each code cluster line
extern uint8_t acceptall;        // 1: the settings menus take their defaults without asking
extern uint8_t matrixcolor;      // first colour of the state-space matrix, 1..15; 10 from the output menu
extern int16_t glider_rule_order; // glider-rule samples: -1 random order, else the 0-based start index
constexpr int16_t glider_order_random = -1;

// --- Run settings of the output-parameter menu that the driver's layout,
// mutation and run loop read (the menu resets or asks them before each run).
extern uint8_t layout_notset;   // 1: the basin layout must be computed afresh
extern int8_t mutate;           // mutation kind: 'n' 'b' 'w' 'c' 'P' 't' 'k', or 0..5; set_mutation
// The kind menu's letters: none, set bits, wires, chain, Post class, random
// tcode, random kcode; the special menu's 0..5: a single flip from the left
// (undoing the last), a cumulative flip from the left, a random rule, the
// next rule number, a random code flip, the next code number.
constexpr int8_t mutation_none = 'n', mutation_bits = 'b', mutation_wires = 'w',
                 mutation_chain = 'c', mutation_post = 'P', mutation_tcode = 't',
                 mutation_kcode = 'k';
constexpr int8_t mutation_single_flip = 0, mutation_cumulative_flip = 1, mutation_random_rule = 2,
                 mutation_rule_number = 3, mutation_code_flip = 4, mutation_code_number = 5;
extern uint8_t mutantdontpause; // 1: mutants run one after another without the options box
extern float pause_fact;        // delay factor between non-stop mutants, 0..10
extern uint8_t set_z_high;      // 1: new random rules (v = 2) are pushed towards high Z
extern uint8_t screensavedemo;  // 1 in the screen-saver demonstration

// --- Run part: the kind of run chosen for the next pass.
extern uint8_t forward_only;     // 1: the run is forward only (totalistic mode or chosen)
extern uint32_t bitflipcount;    // single-cell flips made during the run
// Running-pattern settings the pause box and the forward-only options revise.
extern uint8_t rand_seed_percent; // '4': 100 a new random state, else this percentage of cells changed
extern uint8_t min_max_entropy;  // entropy sample records min-max (1) or the standard deviation (0)

// --- Per-run resets, called by the run part and the forward run's set-up.
// At each pass of the run part (each entry into the single or field loop):
// was_changed 0.
void reset_forward_pass();
// At the start of each forward run (run_forward's set-up): time_skip 1,
// wiring_madelocal 0, attperiod 0, slant -1, nowscrolling 0, bitflipcount 0.
void reset_forward_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_forward_start_values();
