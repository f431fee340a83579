// The damage of one step (damage_count.h): one pass over the right half of
// every row. Reads oned, twod, i2d, j2d and lineL (engine/model) only for
// network_halves; count_damage works on what it is given.
#include "engine/measures/damage_count.h"

#include "engine/model/globals.h"
#include "engine/model/value_line.h"

damage_halves
network_halves()
{
    if (twod && i2d > 0 && j2d > 0)
        return {static_cast<uint32_t>(i2d), static_cast<uint32_t>(j2d)};
    return {lineL, 1};
}

uint32_t
count_damage(const damage_halves &h, const uint8_t *state, uint8_t *marks, bool keep)
{
    const uint32_t shift = h.width / 2;
    uint32_t damage = 0;
    for (uint32_t row = 0; row < h.rows; row++) {
        const uint32_t first = row * h.width;
        for (uint32_t col = shift; col < h.width; col++) {
            uint32_t c = first + col;
            bool differs = get_value(state, c) != get_value(state, c - shift);
            bool marked = differs || (keep && get_value(marks, c) != 0);
            set_value(marks, c, marked ? 1 : 0);
            damage += marked ? 1 : 0;
        }
    }
    return damage;
}

float
damage_percent(uint32_t damage, uint32_t half)
{
    return half == 0 ? 0.0f : static_cast<float>(100.0 * damage / half);
}
