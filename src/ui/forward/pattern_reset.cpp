// State changes of a running pattern: the single-cell seed and the random
// cell change; and the width of the pattern area (reset_stpwidth). Reads the
// network shape and A (model) and the display mode (forward globals), writes
// seed_was_set (rules globals) and uses the pattern colour swap of
// rules/random_states.h.
// Start at singleton_seed.
#include "ui/forward/pattern_reset.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "ui/measures/run_records.h"
#include "ui/rules/random_states.h"
#include "ui/screen/window.h"

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

int
singleton_seed(int pos, int colour)
{
    colour = swap_pattern_colour(colour);
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
    return colour;
}

int
random_bitflip_state(int colour)
{
    colour = swap_pattern_colour(colour);
    uint32_t c = static_cast<uint32_t>(random() % lineL);
    if (value_range > 2)
        set_value(A, c, static_cast<int>(random() % value_range));
    else
        A[c >> 3] ^= static_cast<uint8_t>(1u << (c & 7));
    seed_was_set = 1;
    return colour;
}

void
reset_stpwidth(entropy_graph *eg, run_iteration *it)
{
    const double slope = std::sin(M_PI / 4);
    const int cs = it->cell_size, margin = vgax(10);
    int width = 0;
    switch (d_mode) {
    case display_1d:
        width = lineL * cs + margin;
        if (diff_plot)
            width += (it->diff_gap + lineL / 2) * cs + margin;
        break;
    case display_2d:
        width = (i2d + (diff_plot ? it->diff_gap : 0)) * cs + margin;
        break;
    case display_2d_time:
        width = static_cast<int>(i2d * cs + j2d * cs * slope + margin);
        break;
    case display_3d:
        if (diff_plot)
            width = static_cast<int>(i3d * cs + 2 * j3d * cs * slope + it->diff_gap * cs + margin);
        else
            width = static_cast<int>(i3d * cs + j3d * cs * slope + margin);
        break;
    default:
        break;
    }
    eg->x0 = static_cast<int16_t>(width);
}
