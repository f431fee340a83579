// Random states with their colour and density line (random_states.h). Reads
// A (model), bias_density and seed_was_set (rules globals), diff_plot and
// ncolor (forward globals), the colour indices and the prompt box (screen).
// Start at random_seed.
#include "ui/rules/random_states.h"

#include <cstdint>
#include <cstdio>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

// Number of cells of A above 0.
uint32_t
nonzero_cells()
{
    uint32_t count = 0;
    for (uint32_t c = 0; c < lineL; c++)
        count += get_value(A, c) > 0;
    return count;
}

// The density line in a one-line prompt box; the current point is kept.
void
density_line()
{
    int16_t x = getx, y = gety;
    uint32_t c = nonzero_cells();
    char kind[24], text[120];
    if (value_range == 2)
        snprintf(kind, sizeof kind, "density 1s=");
    else
        snprintf(kind, sizeof kind, "density %d-1s=", value_range - 1);
    snprintf(text, sizeof text, "%s%u/%d=%.1f%%, bias=%.1f%%", kind, c, lineL,
             static_cast<double>(100.0f * static_cast<float>(c) / static_cast<float>(lineL)),
             static_cast<double>(bias_density));
    draw_prompt_box(1);
    outtext(text);
    moveto(x, y);
}

} // namespace

int
swap_pattern_colour(int colour)
{
    if (ncolor != 0)
        return colour;
    if (colour == white)
        return yellow;
    if (colour == yellow)
        return white;
    return colour;
}

int
random_seed(int colour, int mode, int show)
{
    if (mode == 0)
        return ncolor;
    int found = getcolor();
    setcolor(white);
    if (mode == 100) {
        if (diff_plot)
            random_damage_halves();
        else
            random_state_at_density();
    } else {
        hamming_change(mode);
        setcolor(found);
    }
    if (mode == 100 || value_range == 2)
        seed_was_set = 1;
    if (show == 1)
        density_line();
    return swap_pattern_colour(colour);
}
