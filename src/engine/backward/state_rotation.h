// What rotation compression needs beyond the model's state symmetries
// (model/state_symmetries.h, which shifts states and finds repeating
// segments): the exact translation periods of a 2d state, a walk over its
// distinct translations, and the canonical form of a ring or 2d state.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

// Periods of a 2d state: h is the number of column shifts before the state
// repeats along rows; w the fewest row shifts that, with some column shift,
// give the state back (below the row period when the state has a diagonal
// symmetry of any step). The h x w translations (h' < h, w' < w) are then
// each of the state's distinct translations exactly once. Sets repseg_2d to
// the plain column and row periods on the way.
void torus_periods(const uint8_t *line, uint32_t *h, uint32_t *w);

// Calls visit with each translation of the 2d state by h' < h columns and
// w' < w rows, the state itself first, columns outermost.
void visit_translations_2d(const uint8_t *line, uint32_t h, uint32_t w,
                           const std::function<void(const uint8_t *)> &visit);

// The smallest rotation (ring, regular2d clear) or translation (2d lattice,
// regular2d set) of a state, packed as bytesL bytes: equal for two states
// exactly when one is a rotation or translation of the other.
std::string canonical_state(const uint8_t *line);
