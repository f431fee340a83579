// Random and block states: a new random current state at an exact density,
// the damage form (two equal halves), a change of an exact share of the
// cells, blocks of random cells centred in the lattice, and random block
// positions. A network with no dimension flag (hypercube wiring) is treated
// as 1d throughout. The seed dialog's entry with its density line is
// ui/rules/random_states.h.
#pragma once
#include <cstdint>

// A new random A at bias_density with exactly trunc(n * bias / 100) non-zero
// cells (per-cell draws from cell L down to 0, then the count correction).
// A bias outside 0..100 gives unbiased draws and no correction.
void random_state_at_density();
// The damage form: the two halves of A equal (1d: cell i and i + n/2; 2d:
// per row, column i and i + i2d/2), one unbiased draw per pair.
void random_damage_halves();
// Flips exactly trunc(n * percent / 100) distinct cells of A (v = 2 only; the
// count is kept within 0..n; v > 2 leaves A as it was).
void hamming_change(int percent);
// to := a state at Hamming distance h from `from` (0 <= h <= n), both
// bytesL bytes: h distinct cells drawn with random() % n (a draw of a cell
// already changed is drawn again, so exactly h cells differ), each given
// the other value (v = 2) or (x + 1 + random() % (v-1)) % v (v > 2, a
// different value). For v = 2 and h > n/2, n - h distinct cells of the
// complement are set back instead. picked holds n/8 + 1 bytes of scratch.
void state_at_distance(const uint8_t *from, uint8_t *to, int h, uint8_t *picked);

// One cell's value at bias_density (the per-cell draw).
int density_draw();

// Fills the block of side size centred in the lattice with draws at
// bias_density (keep 0 first clears state); cells outside the lattice are
// skipped. Returns the number of block cells above 0.
uint16_t set_central_block(int keep, uint8_t *state, int size);

// A cell near the centre: per axis side/2 - half + (random() % range), one
// draw per axis (x, y, z); a range of 0 or less gives offset 0 (the draws are
// still made). The result is taken modulo 65536.
uint16_t randpos_block(int half, int range);
