// State of the main driver: the run choices of the first screen and the
// set-up, the start-up limits and the program-lifetime tables.
#pragma once
#include <cstdint>

extern uint8_t in_startbasin, in_startfield;
extern uint32_t fieldno;
extern uint8_t toggle_single_field; // 1: the options box asked to switch single and field runs
extern int16_t Leftx;           // 50

// --- Mutation between runs (mutation.h) and the run settings it reads.
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
extern uint8_t mutate_wiring;   // mutation_wires: wires move as well as the rule mutating; else 0
extern int32_t bits_to_flip;    // rule entries flipped per mutant, -1 all (a new random rule)
extern int16_t startmut, endmut; // first and last position of a flip from the left (countdown),
                                // 0 <= endmut <= startmut <= v^nhood - 1
extern int16_t mut;             // position flipped by kinds 0 and 1; counted down by the run loop
extern uint8_t mutantdontpause; // 1: mutants run one after another without the options box
extern float pause_fact;        // delay factor between non-stop mutants, 0..10
extern uint16_t lambda_bias;    // percent of 0 outputs wanted in a new random rule (v = 2); 0 means 50
extern uint8_t set_z_high;      // 1: new random rules (v = 2) are pushed towards high Z
extern uint32_t endcount;       // points plotted so far in the current sweep
extern int16_t totcode_eq_or_cl; // code clusters shown in the current code-number sweep

// --- The run part's sweep state and its per-run reset.
extern uint8_t *sweep_seed;     // seed kept over a size sweep, rangebytesL bytes; the run start
                                // of a size sweep allocates it, the end of that run frees it
// At each run start of the single or field loop, before its first run and
// the mutants that follow: mut back to startmut + 1, fieldno 0, sweep_seed
// released (null).
void reset_driver_run();
