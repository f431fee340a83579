// Pre-images of a state on a ring with regular 1d wiring and one k: a
// depth-first sweep from the right end of the ring to the left, one cell at
// a time, for one start block (the k-1 cells at the seam); every pre-image
// of A is found exactly once over all v^(k-1) start blocks.
#pragma once
#include <cstdint>

// The work arrays of the sweep for the current network (rule tables, start
// block, candidate line, branch stack); run_backward holds them for a tree.
void allocate_local_arrays();
void free_local_arrays();
// 1 when the arrays are allocated for the network and rule as they are now
// (value range, k, n, rule mix, run key bits, rule table 0), so that a
// caller holding them for many trees, as a basin field does, can go on.
int local_arrays_current();

// Start block b: entry j := base-v digit j of b, j = 0..k-2.
void set_start_block(uint32_t b);

// The sweep for v = 2, with look-aheads to both neighbours.
void pre_images_binary();
// The sweep for v = 3..8.
void pre_images_multi_state();

// Every pre-image of A over all start blocks in ascending order, through the
// method that suits v; stops when the fan is stopped.
void pre_images_local();
