// Cell values on screen: the colour of each value, the square sizes of state
// and rule windows, states drawn as rows or grids, hexagonal cells, long
// value lines in layers, the colour key, and the step from one row of a
// space-time pattern to the next. Everything draws on current_draw and puts
// the current point back, except end_page (which moves it) and
// print_layered_bitstring (which leaves it after the last cell).
#pragma once
#include <cstdint>

// alloc 1 first creates color_v with v entries; then fills it for the value
// range and background.
void setup_value_colors(int alloc);
// Shuffles the colours among the values (a random permutation).
void rearange_value_colors();
// Sets cellscale and cellsep (mode 0 also height_req_seed_win) for a seed
// window (mode 0) or a rule table of n inputs (modes 1 and 2); returns the
// row width in cells.
int16_t set_cellscale(int n, int mode);

// A 1d state at the current point, cell L at the left; for v = 2 the
// 1-cells in colour and the 0-cells dark grey.
void print_current_state(const uint8_t *state, int colour);
// The same for basin drawings: value colours with 0 dark grey, framed when
// hilight_learn is set and colour is not white.
void print_current_state_h(const uint8_t *state, int colour);
// A 2d state as an i2d x j2d grid, cell L at the top left.
void print_current_state_twod(const uint8_t *state, int colour);
// One hexagonal lattice cell with its top-left at (x, y), filled in the
// current fill colour; h is the height unit.
void draw_hexagonal_2d_cell(double h, int size, int outline, int dot, int colour, int x,
                            int y);
// Entries last..0 of a value line as squares of pitch size and gap gap, in
// rows of width squares; kind 0 a state, 1 a rule table, 2 a code. A row
// whose squares would reach below row floor (0: none) is left out with the
// rows after it, the point left at its start. Returns the x where the first
// row ended when a row broke, else the final x.
int16_t print_layered_bitstring(int width, const uint8_t *string, int last, int size, int gap,
                                int floor, int kind);
// The colour key: where 1 draws it at the top right, 3 at the top left, in a
// box sized to its lines; 0 and 2 take the box down again, whole.
void show_multistate_color_key(int where);
// The colour key drawn again in the colours now where it stands, at its
// side; none drawn where none stands (a run whose pattern reaches the key's
// place shows none: its rows and pages would cover the key in part).
void redraw_color_key();
// Width in pixels of the colour key's box at the current value range.
int color_key_width();
// Whether the colour key is up at the top right but not against the
// window's right edge as it is now (the window was resized since).
bool color_key_off_right_edge();
// The colour key's box while it is up at the top right: its left edge and
// bottom row; false when no key is up there.
bool color_key_box_at_right(int *left, int *bottom);
// The lowest row the scrolled 2d frames and the 2d+time planes may take:
// they are drawn straight on the window, so they stop above a box the
// pattern's copies leave alone (a run's histogram at the window's foot),
// else at the window's foot.
int window_frames_floor();
// Moves to the next row (of height h) of a space-time pattern, paging or
// scrolling when the window is full.
void end_page(int h);
// The right edge of the columns a space-time pattern of the network takes
// at the window's left, cut at the window: an attractor search shows its
// pattern there and clears the columns when it has found the cycle.
int pattern_columns_right();
