// State changes of a running pattern: the single-cell seed and the random
// cell change (pattern_reset.h). Reads the network shape and A (model
// globals) and writes seed_was_set (rules globals). Start at
// set_singleton_seed.
#include "engine/forward/pattern_reset.h"

#include <cstdlib>
#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"

long
centre_cell()
{
    if (twod)
        return i2d / 2 + static_cast<long>(i2d) * (j2d / 2);
    if (threed)
        return static_cast<long>(i3d) * j3d * (h3d / 2) + static_cast<long>(i3d) * (j3d / 2) +
               i3d / 2;
    return lineL / 2;
}

void
set_singleton_seed(int pos)
{
    uint32_t centre = static_cast<uint32_t>(centre_cell());
    if (value_range > 2) {
        int background = static_cast<int>(random() % value_range);
        for (uint32_t c = 0; c < lineL; c++)
            set_value(A, c, background);
        int value;
        do
            value = static_cast<int>(random() % value_range);
        while (value == background);
        set_value(A, centre, value);
    } else if (pos == 1) {
        memset(A, 0, bytesL);
        set_value(A, centre, 1);
    } else {
        memset(A, 0xFF, bytesL);
        // The spare bits past the last cell stay 0, as in every state line.
        for (uint32_t b = lineL; b < 8u * bytesL; b++)
            set_bitlong(A, b, 0);
        set_value(A, centre, 0);
    }
    seed_was_set = 1;
}

void
change_random_cell()
{
    uint32_t c = static_cast<uint32_t>(random() % lineL);
    if (value_range > 2)
        set_value(A, c, static_cast<int>(random() % value_range));
    else
        A[c >> 3] ^= static_cast<uint8_t>(1u << (c & 7));
    seed_was_set = 1;
}
