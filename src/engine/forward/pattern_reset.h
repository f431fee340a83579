// Changes of the current state made while a pattern runs: a single-cell seed
// at the centre of the lattice and one random cell change, each marking
// seed_was_set. The run's wrappers that also swap the pattern colour are
// ui/forward/pattern_reset.h.
#pragma once
#include <cstdint>

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

// The state line from, of from_n cells, carried into to, of to_n cells
// and zeroed by the caller: the cells both sizes have keep their values,
// a cell past from_n stays 0 and a cell past to_n is dropped.
void carry_state_line(const uint8_t *from, uint32_t from_n, uint8_t *to, uint32_t to_n);

// One cell added (change 1) or the last removed (-1) in the state lines:
// A is carried over (the removed cell dropped, the new cell 0), the state
// lines are reallocated at the new lineL, L and bytesL, bitseed becomes the
// carried state, seq_order is rebuilt for the update mode in force (reverse
// for update_reverse_order, the old order less the removed cell or plus the
// new one for update_seq_order, else cell order) and the partial-order
// limits are clamped to the new n. The wiring, k-mix and rule rows are the
// caller's (wire_rule_extra_cell).
void resize_state_lines(int change, uint8_t run_seq_update);
