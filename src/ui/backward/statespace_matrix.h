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
// Fills the matrix box (frame included) with black.
void erase_statespace_matrix();
