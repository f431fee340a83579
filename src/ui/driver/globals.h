// State of the main driver: the run choices of the first screen and the
// set-up, the start-up limits and the program-lifetime tables.
#pragma once
#include <cstdint>

extern uint8_t basinfield;      // 1 basin field, 0 single basin/subtree/forward only
extern uint8_t layout_notset;   // 1: the basin layout must be computed afresh
extern uint8_t show_maj;        // 0xFF: off
extern uint8_t in_startbasin, in_startfield, setting_seed;
extern uint8_t pre_fansize_freq_hist;
extern uint32_t fieldno;
extern uint8_t secondpart;      // 1 once the network-view stage has passed
extern uint8_t rules_set;       // 0 while the wiring is chosen, 1 from the rules stage on
extern uint8_t toggle_single_field; // 1: the options box asked to switch single and field runs
extern int16_t msize;           // vgax(200)
extern int16_t Leftx;           // 50
extern int16_t tview_x0, tview_y0, tview_x1, tview_y1; // drawing area at the last full redraw
// Glider rule counts: no_glider_rules[v][k] for v = 2..8, k = 0..13; program lifetime.
extern uint16_t **no_glider_rules;
extern uint8_t *glider_buf;     // glider rule list buffer; program lifetime, grown by its loader
extern uint32_t stepforward;    // forward steps before a subtree's root (direction 'b'); 0 none

// --- Mutation between runs (mutation.h) and the run settings it reads.
extern int8_t mutate;           // mutation kind: 'n' 'b' 'w' 'c' 'P' 't' 'k', or 0..5; set_mutation
extern uint8_t mutate_wiring;   // 'w': wires move as well as the rule mutating; else 0
extern int32_t bits_to_flip;    // rule entries flipped per mutant, -1 all (a new random rule)
extern int32_t wires_to_move;   // wires moved per wiring mutant, at least 1; -1 rewire every cell
extern int16_t startmut, endmut; // first and last position of a flip from the left (countdown),
                                // 0 <= endmut <= startmut <= v^nhood - 1
extern int16_t mut;             // position flipped by kinds 0 and 1; counted down by the run loop
extern uint8_t mutantdontpause; // 1: mutants run one after another without the options box
extern float pause_fact;        // delay factor between non-stop mutants, 0..10
extern uint16_t lambda_bias;    // percent of 0 outputs wanted in a new random rule (v = 2); 0 means 50
extern uint8_t set_z_high;      // 1: new random rules (v = 2) are pushed towards high Z
extern uint32_t endcount;       // points plotted so far in the current sweep
extern int16_t totcode_eq_or_cl; // code clusters shown in the current code-number sweep
extern uint8_t screensavedemo;  // 1 in the screen-saver demonstration
extern uint8_t acceptall;       // 1: the settings menus take their defaults without asking

// --- The run part's sweep state and its per-run resets.
extern uint8_t *sweep_seed;     // seed kept over a size sweep, rangebytesL bytes; the run start
                                // of a size sweep allocates it, the end of that run frees it
// At each pass of the run part (each entry into the single or field loop):
// show_maj back to off.
void reset_driver_pass();
// At each run start of the single or field loop, before its first run and
// the mutants that follow: mut back to startmut + 1, fieldno 0, sweep_seed
// released (null).
void reset_driver_run();
