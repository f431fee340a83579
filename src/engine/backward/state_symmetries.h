// Symmetries of states on periodic lattices: cyclic shifts of 1d lines (states,
// rule tables, codes), shifts, mirrors and quarter turns of 2d and 3d states,
// the repeating segment of a 1d or 2d state, diagonal translation symmetry,
// and the matching of an attractor cycle against shifts of its first state.
// Every operation works in place on a packed value line and draws nothing.
// The 2d ones act on the i2d x j2d picture of the state, whose places from
// lineL on (the short last row of a 1d state shown as a grid) lie outside
// it: such a place reads as 0 and is never written.
#pragma once
#include <cstdint>

// Cyclic shift of a packed line by one entry, n times (nothing for n < 1).
// 'l': every value moves one index up, the last entry's value to entry 0;
// 'r': one index down. what 0: a state of lineL entries; 1: a rule table of
// v^k entries; otherwise a code of nhood (v-1)+1 entries (rule_kind_tcodes),
// v_tablecodemax[nhood]+1 entries (rule_kind_kcodes) or length entries
// (rule_kind_tables). unused is not read. Returns line.
uint8_t *rotate_array(int k, uint8_t *line, char dir, int what, int n, int unused, int length);
// Shift of an i2d x j2d state by one cell, n times: 'l' column i -> i+1,
// 'r' i -> i-1, 'u' row j -> j+1, 'd' j -> j-1, with wrap-around. Other
// directions change nothing. With places outside the state, the n shifts
// move the picture whose outside places hold 0 and the state's cells take
// what lands on them: a value that crosses an outside place is kept.
// Returns state.
uint8_t *rotate_array_2d(uint8_t *state, char dir, int n);
// Shift of an i3d x j3d x h3d state, n times: 'l' (i+1), 'r' (i-1),
// 'b' (j+1), 'f' (j-1), 'u' (h+1), 'd' (h-1). Returns state.
uint8_t *rotate_array_3d(uint8_t *state, char dir, int n);
// Mirror of a 2d state: 'h' left-right, 'V' top-bottom; hex non-zero
// mirrors the half-cell offset of the odd rows of a hexagonal lattice too.
uint8_t *flip_array_2d(uint8_t *state, int hex, char dir);
// Quarter turn of the s x s square (s = min(i2d, j2d)): (i, j) takes the
// value of (j, s-1-i); other cells keep theirs.
uint8_t *v_spin_array_2d(uint8_t *state);
// The same in every layer of a 3d state, s = min(i3d, j3d).
uint8_t *v_spin_array_3d(uint8_t *state);
// Length of the shortest segment whose repetition makes up the ring state
// (lineL when it has no shorter period). Leaves rot equal to state.
int repeating_seg(const uint8_t *state);
// Sets repseg_2d: [0] the repeating segment along i, [1] along j. Leaves rot
// equal to state.
void repeating_seg_2d(const uint8_t *state);
// 1 when the 2d state is unchanged by a diagonal step (of one or two cells),
// setting repseg_2d[0] or [1] to the step; else 0. Leaves a shifted copy in
// rot.
int trans_sym_2d(const uint8_t *state);
// Matches the attractor cycle att[1..attperiod] against shifts of its first
// state along i, j and the diagonals: sets repseg_2d, cyclematch_2d and
// cyclematch_2d_diag. Returns trans_sym_2d's result when both segments
// exceed 1, else 0.
int rot_cycle_equiv_2d(const uint8_t *state);
