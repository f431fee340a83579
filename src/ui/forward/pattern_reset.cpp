// State changes of a running pattern with the pattern colour swap: the
// single-cell seed and the random cell change, made by the engine
// (engine/forward/pattern_reset.h), the colour swapped by
// ui/rules/random_states.h; and the width of the pattern area
// (reset_stpwidth), read from the network shape (model) and the display mode
// (forward globals). Start at singleton_seed.
#include "ui/forward/pattern_reset.h"

#include <cmath>

#include "engine/forward/globals.h"
#include "engine/forward/pattern_reset.h"
#include "engine/model/globals.h"
#include "ui/measures/run_records.h"
#include "ui/rules/random_states.h"
#include "ui/screen/window.h"

int
singleton_seed(int pos, int colour)
{
    colour = swap_pattern_colour(colour);
    set_singleton_seed(pos);
    return colour;
}

int
random_bitflip_state(int colour)
{
    colour = swap_pattern_colour(colour);
    change_random_cell();
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
