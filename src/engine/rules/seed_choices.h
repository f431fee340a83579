// The arithmetic behind the seed dialog's answers: which networks have a
// decimal seed form, the side of the default central block, where a typed
// 1d segment lies and what a "fill" key means. No drawing; the dialog is
// ui/string_editors/seed_dialog.cpp.
#pragma once
#include <cstdint>

// Largest n whose states have a decimal form (typed and shown as a state
// number) for value range v: 32, 20, 16, 13, 12, 11 for v = 2..7; 0 for v = 8
// (no decimal form at all).
int decimal_form_cells(int v);
// Largest n drawn by the short state row (print_bit_line): as above, and 10
// for v = 8.
int bit_line_cells(int v);
// v^n - 1, the largest state number, in 64 bits (n <= 32).
uint64_t largest_state_number(int n, int v);

// The default side of the central random block: s/5 of the smallest side s
// (s/3 for 3d), raised by one when its parity differs from that of s, so
// the block can sit in the centre. dim 1, 2 or 3; sides as the network has.
int default_block_side(int dim, int n, int i, int j, int h);

// The cells a 1d segment covers, cells counted from the right with cell n-1
// drawn at the left: length m (0 or >= n: the whole string) at position p
// from the left (p > n-m or negative: centred). Writes the highest and the
// lowest cell.
void segment_cells(int n, int m, long p, int *high, int *low);

// The "fill" key: a digit 0..v-1 gives that value, a digit above v-1 gives
// -1 (the state is left unchanged), any other key 0.
int fill_value_of_key(int key, int v);
