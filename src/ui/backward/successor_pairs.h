// The successor-table dialog of basins, fields, subtrees and random-map
// runs: how the table is made (computed, drawn at random, loaded), whether
// its pairs are printed and whether it is saved, with the progress bar and
// the stop box while the engine fills it.
#pragma once
#include <cstdint>

// Builds exh_pairs (and tickoff for a single basin or subtree) for
// exhaustive_testing through the dialog; size ranges, unpaused mutants and
// the screen-saver demonstration get a computed table or a free random map
// without it. Leaves 'q' in is[0], the table freed, when the user backed
// out or stopped, or the table was refused; otherwise is[0] is 0.
void prestate_successor_pairs();

// The engines' hooks while a table is filled: the red progress in the
// progress bar the dialog drew, and the stop box "exhaustive pairs %d%%
// complete; stop-q, options-o, cont-ret:" (1 to stop; 'o' opens the options
// box and asks again). Registered by register_engine_prompts.
void draw_table_progress(uint64_t done, uint64_t states);
int ask_table_stop_key(unsigned percent);
