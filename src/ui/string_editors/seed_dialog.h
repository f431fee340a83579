// The seed dialog: the one dialog that sets a state of the network (the
// seed, a target state, an aspiring pre-image, an update-order seed) by
// every method of the string editors, and the short state row it draws.
#pragma once
#include <cstdint>

// mode 1 only computes the window (and i2d, j2d of a 1d network, seglen,
// showbits_1d_as_2d, the cell size) and returns its top y; mode 0 runs the
// dialog on state under label ("SEED", "target state", "aspiring
// pre-image %d", "order seed, max=%lu "). restore puts the screen under the
// window back on return. Returns the y of the window's top edge; is[0] is
// 'q' when the user backed out at the method prompt.
int16_t select_seed(int mode, uint8_t *state, const char *label, int restore);
// select_seed (mode 0, restoring) over the set-up's text column: the rows
// the window takes, from the line its top would cut, are hidden across the
// drawing area's width while it is up, so that no line shows cut at its
// frame or ends beside it; they are shown again after.
int16_t select_seed_over_setup(uint8_t *state, const char *label);

// Cells count-1 down to 0 of a short state as one row of squares (pitch
// size, gap gap) at the current point, which moves right by size a cell;
// 1-cells in colour and 0-cells dark grey for v = 2, value colours for
// v > 2. Draws nothing beyond 32, 20, 16, 13, 12, 11, 10 cells (v = 2..8).
// Returns the state number (0 when nothing was drawn).
uint32_t print_bit_line(const uint8_t *state, int count, int colour, int size, int gap);
// The seed window's bottom edge: above the bottom strip and above the
// tallest rule box (three lines, a kcode's), which stays on the screen
// under it.
int seed_window_bottom();
