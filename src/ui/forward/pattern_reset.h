// Changes of the current state made while a pattern runs: a single-cell seed
// at the centre of the lattice and one random cell change. Each marks
// seed_was_set and swaps the pattern colour (rules/random_states.h) so that
// the new stretch of the pattern shows where it began.
#pragma once

// pos 1: every cell 0 but the centre cell (v = 2: 1); pos 0: every cell 1 but
// the centre (v = 2: 0). For v > 2 a random background value fills every
// cell and the centre gets a random value different from it. Returns the
// swapped colour.
int singleton_seed(int pos, int colour);

// One random cell c = random() % n changes: v = 2 flipped, v > 2 a random
// value (it may equal the old one). Returns the swapped colour.
int random_bitflip_state(int colour);

// The centre cell: 1d (and networks with no dimension flag) n/2; 2d
// i2d/2 + i2d * (j2d/2); 3d i3d*j3d*(h3d/2) + i3d*(j3d/2) + i3d/2.
long centre_cell();

struct entropy_graph;
struct run_iteration;
// eg->x0 := the right edge of the pattern plus a 10-unit margin, by d_mode
// and it->cell_size (the left edge of the side plots).
void reset_stpwidth(entropy_graph *eg, run_iteration *it);
