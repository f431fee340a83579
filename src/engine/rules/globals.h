// Settings of the rule and seed dialogs that other folders read.
#pragma once
#include <cstdint>

extern uint8_t showbits_1d_as_2d; // 1: the seed editors draw a 1d network as an i2d x j2d grid
// --- Seed dialog (ui/string_editors/seed_dialog.h).
extern uint16_t seglen;   // side of the random central block, or length of the last 1d segment edited;
                          // recomputed on every entry of the seed dialog; the running keys 'v' and
                          // 'L' use it; 0 until the seed dialog sets it
extern uint8_t dont_save; // 1: the seed dialog returns after the method (no density, prompt or file);
                          // set and cleared by its callers

// --- Random and block states (random_states.h).
extern float bias_density;   // wanted share of non-zero cells in percent, 0..100 (outside: unbiased
                             // draws, no count correction); 50.0 on every entry of the seed dialog
extern uint8_t seed_was_set; // 1 once a seed routine changed the current state; the forward step clears it

// --- Rule mixes (the rules stage).
extern int16_t nodiffrules; // rules of a limited rule set drawn per cell, 1..200; 0 a mix without limit

// --- Canalyzing (canalyzing.h).
extern float cinputfreq; // canalyzing inputs over the inputs considered, 0..1; set by every canalyzing census

// --- Post classes (post_classes.h), set by the Post restriction dialog.
extern uint8_t ptype; // output value the Post test is restricted to, 0..v-1; 255 any
constexpr uint8_t ptype_any = 255;
extern uint8_t pmu;   // class: 'i' A^inf, 3 A^3, 2 A^2; 255 any
constexpr uint8_t post_class_a2 = 2, post_class_a3 = 3, post_class_ainf = 'i', post_class_any = 255;

// Per-run reset, called by the run part at the start of each run; it resets nothing: every global
// here is a rule or seed setting the user chose, kept from run to run.
void reset_rules_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_rules_start_values();
