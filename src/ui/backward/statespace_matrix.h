// The state-space matrix: each state a point, by the two halves of its
// state number.
#pragma once
#include <cstdint>

// With null clears the matrix box and draws its empty frame; with a state,
// plots that state's point.
void show_statespace_matrix(const uint8_t *state);
