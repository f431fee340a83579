// The glider rule list's next index: records 1..last in turn, or a random
// one. Record 0 of a list is never used.
#pragma once
#include <cstdint>

// The index of the next glider rule of a list whose last record is last,
// or 0 when it holds none past record 0. order -1: a random record, drawn
// as random() mod last again while the draw is 0 (record 1 when it is the
// only one, where that draw could never end); otherwise order steps on and
// is the index, back to 0 after the last record so the next turn is 1 (an
// order already past last starts again at 1).
int next_glider_index(int16_t *order, int last);
