// The state-space matrix: every state has a fixed square or pixel in a
// small box, its row the number of the low half of the cells and its column
// that of the high half.
#pragma once
#include <cstdint>

// With null draws the empty framed box and sets matrixx, matrixy; with a
// state, marks that state in matrixcolor. A square large enough for a label
// leaves the state's number in textb[0] and the current point at the
// square's corner + 2 for the caller to write it; otherwise the current
// point is restored.
void show_statespace_matrix(const uint8_t *state);
// Whether (x0, y0)-(x1, y1) meets the place the matrix box's erasure clears.
bool statespace_matrix_meets(int x0, int y0, int x1, int y1);
// Fills the matrix box (frame included) with black.
void erase_statespace_matrix();
// A forward run's matrix taken off the window: its box erased and
// show_ss_matrixF set to none.
void hide_statespace_matrix();
// After a forward run's clearing of (x0, y0)-(x1, y1) for a plot that
// shares the window's bottom with the matrix: when the clearing met the
// shown matrix's box, a plot drawn there (plot_drawn) hides the matrix,
// else the box is drawn again, empty and whole.
void matrix_after_plot_clearing(int x0, int y0, int x1, int y1, bool plot_drawn);
