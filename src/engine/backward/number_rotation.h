// Rotation of a ring state by its state number: the number of the state
// rotate_array(0, s, 'l', 0, k, 0, 0) gives, worked out from the number of s
// alone. A basin field marks every rotation of every node it places; done on
// the numbers, no state is shifted cell by cell and read back.
#pragma once
#include <cstdint>

// Powers of v for one ring of n cells whose states number at most 2^32.
struct number_rotation {
    uint32_t cells = 0;
    uint64_t powers[33] = {}; // v^0 .. v^cells
};

// The rotation of the current network (value_range, lineL); false, and
// nothing set, when v^n is above 2^32 (a state number would not fit).
bool start_number_rotation(number_rotation &r);

// The number of the state of number x turned 'l' by k cells (every value
// one cell up per step, the last cell's value to cell 0), k below cells.
inline uint32_t
rotated_number(const number_rotation &r, uint32_t x, uint32_t k)
{
    // x = high * v^(n-k) + low: low moves up k cells, high wraps to the bottom.
    const uint64_t split = r.powers[r.cells - k];
    return static_cast<uint32_t>((x % split) * r.powers[k] + x / split);
}
