// State of the main driver: the run choices of the first screen and the
// set-up, the start-up limits and the program-lifetime tables.
#pragma once
#include <cstdint>

extern uint8_t in_startbasin, in_startfield;
extern uint32_t fieldno;
extern uint8_t toggle_single_field; // 1: the options box asked to switch single and field runs
extern int16_t Leftx;           // 50

// --- Mutation between runs (mutation.h) and the run settings it reads.
extern uint8_t mutate_wiring;   // mutation_wires: wires move as well as the rule mutating; else 0
extern int32_t bits_to_flip;    // rule entries flipped per mutant, -1 all (a new random rule)
constexpr int32_t bits_to_flip_all = -1;
extern int16_t startmut, endmut; // first and last position of a flip from the left (countdown),
                                // 0 <= endmut <= startmut <= v^nhood - 1
extern int16_t mut;             // position flipped by kinds 0 and 1; counted down by the run loop
// The sweep counters it reads and writes (endcount, totcode_eq_or_cl,
// lambda_bias) are ui/measures/globals.h's.

// --- The run part's sweep state and its per-run reset.
extern uint8_t *sweep_seed;     // seed kept over a size sweep, rangebytesL bytes; the run start
                                // of a size sweep allocates it, the end of that run frees it
// At each run start of the single or field loop, before its first run and
// the mutants that follow: mut back to startmut + 1, fieldno 0, sweep_seed
// released (null).
void reset_driver_run();
// Puts every setting and count of this folder (not its memory) back to the
// value it is defined with: the program's start-up and each window test begin
// there.
void restore_driver_start_values();
