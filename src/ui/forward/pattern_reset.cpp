// State changes of a running pattern with the pattern colour swap: the
// single-cell seed and the random cell change, made by the engine
// (engine/forward/pattern_reset.h), the colour swapped by
// ui/rules/random_states.h; and the width of the pattern area
// (reset_stpwidth), read from the network shape (model) and the display mode
// (forward globals), and its clearing (clear_stp). Start at singleton_seed.
#include "ui/forward/pattern_reset.h"

#include <algorithm>
#include <cmath>

#include "engine/forward/globals.h"
#include "engine/forward/pattern_reset.h"
#include "engine/model/globals.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/run_records.h"
#include "ui/rules/random_states.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
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
        // The side plot begins past the frame, whose right line stands
        // past the last cell: a plot begun at the last cell cleared the
        // frame's right end.
        width = display_2d_width(it) + margin;
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
    if (eg->hist_mode)
        place_lookup_histogram(eg);
}

void
clear_stp(entropy_graph *eg, run_iteration *it)
{
    const double slope = std::sin(M_PI / 4);
    const int cs = it->cell_size;
    int width = 0;
    double height = 0;
    if (d_mode == display_2d || d_mode == display_3d) {
        width = eg->x0;
        if (d_mode == display_2d) {
            height = (diff_plot ? 2 * j2d + it->diff_gap : j2d) * cs + 1;
        } else {
            // Down to the block's frame whatever the cell size.
            height = std::max<double>(h3d * cs + j3d * cs * slope + vgax(10), block_3d_bottom(cs)) + 1;
            if (diff_plot)
                height = 2 * height + it->diff_gap * cs;
        }
        if (stpgraph) {
            height = Maxy;
            width = static_cast<int>(eg->x0 + eg->w1 + vgax(12));
        }
    }
    // A side plot placed past a wide pattern reaches past the window: the
    // clear stops at its edges.
    if (height > Maxy)
        height = Maxy;
    width = std::min<int>(width, run_right_edge());
    if (width > 0 && height > 0) {
        setviewport(0, 0, width, static_cast<int>(height), 1);
        clearviewport();
    }
    set_run_viewport();
    setcolor(white);
}
