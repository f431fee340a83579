// Rotations of ring states and translations of 2d lattice states, with the
// periods and canonical forms that rotation compression needs. A minimal
// set kept here until the state-symmetry services of the model exist.
#pragma once
#include <cstdint>
#include <string>

// Rotates a ring state line of lineL cells left by count cells in place:
// the value of cell i moves to cell (i + count) mod n.
void rotate_state_left(uint8_t *line, uint32_t count);

// Length of the repeating segment of a ring state: n divided by the number
// of rotations by 0..n-1 that give the state back (1 uniform, n asymmetric).
uint32_t ring_segment_length(const uint8_t *line);

// Translates an i2d x j2d state in place by dh columns and dw rows: the value
// of cell (i, j) moves to ((i + dh) mod i2d, (j + dw) mod j2d).
void translate_state_2d(uint8_t *line, uint32_t dh, uint32_t dw);

// Periods of a 2d state: h is the number of column shifts before the state
// repeats along rows; w the fewest row shifts that, with some column shift,
// give the state back (below the row period when the state has a diagonal
// symmetry). The h x w translations (h' < h, w' < w) are then each of the
// state's distinct translations exactly once.
void torus_periods(const uint8_t *line, uint32_t *h, uint32_t *w);

// The smallest rotation (ring, regular2d clear) or translation (2d lattice,
// regular2d set) of a state, packed as bytesL bytes: equal for two states
// exactly when one is a rotation or translation of the other.
std::string canonical_state(const uint8_t *line);
