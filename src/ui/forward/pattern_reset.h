// Changes of the current state made while a pattern runs: a single-cell seed
// at the centre of the lattice and one random cell change, made by the
// engine (engine/forward/pattern_reset.h), each marking seed_was_set and
// swapping the pattern colour (rules/random_states.h) so that the new
// stretch of the pattern shows where it began.
#pragma once

// set_singleton_seed(pos) with the colour swapped first. Returns the
// swapped colour.
int singleton_seed(int pos, int colour);

// change_random_cell() with the colour swapped first. Returns the swapped
// colour.
int random_bitflip_state(int colour);

struct entropy_graph;
struct run_iteration;
// eg->x0 := the right edge of the pattern plus a 10-unit margin, by d_mode
// and it->cell_size (the left edge of the side plots).
void reset_stpwidth(entropy_graph *eg, run_iteration *it);
// Clears the pattern's extent (2d and 3d displays; with side plots the full
// height and the side plot too); the viewport is the whole window again and
// the colour white.
void clear_stp(entropy_graph *eg, run_iteration *it);
