// Changes of the current state made while a pattern runs: a single-cell seed
// at the centre of the lattice and one random cell change, each marking
// seed_was_set. The run's wrappers that also swap the pattern colour are
// ui/forward/pattern_reset.h.
#pragma once

// pos 1: every cell 0 but the centre cell (v = 2: 1); pos 0: every cell 1 but
// the centre (v = 2: 0). For v > 2 a random background value fills every
// cell and the centre gets a random value different from it.
void set_singleton_seed(int pos);

// One random cell c = random() % n changes: v = 2 flipped, v > 2 a random
// value (it may equal the old one).
void change_random_cell();

// The centre cell: 1d (and networks with no dimension flag) n/2; 2d
// i2d/2 + i2d * (j2d/2); 3d i3d*j3d*(h3d/2) + i3d*(j3d/2) + i3d/2.
long centre_cell();
