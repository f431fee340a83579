// Cell colouring of forward runs (cell_colouring.h): the colour of each cell
// of each step, chosen in the order value -> frozen modes -> neighbourhood
// index -> display adjustments; the frequency colours of frozen mode 3; the
// graph-layout display and the return map. Reads the network model (A, nhd,
// color_v, color_filter, the rule kind), the forward-run globals and the
// screen layer's colours. Start at cell_colour.
#include "ui/forward/cell_colouring.h"

#include <algorithm>
#include <cmath>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/forward/key_panel.h"
#include "ui/measures/entropy_plot.h"
#include "ui/model/nhood_colour.h"
#include "ui/screen/window.h"

namespace {

// The same value over A and the whole frozen history: A equals lastA[0] and
// each lastA[i-1] equals lastA[i].
bool
frozen_cell(uint32_t c, int value, const run_iteration *it)
{
    int before = value;
    for (int i = 0; i < frozen_gens; i++) {
        int then = get_value(it->lastA[i], c);
        if (then != before)
            return false;
        before = then;
    }
    return true;
}

// The frequency colour of a cell that held v-1 in q of the counted states.
int
frequency_colour(int q)
{
    if (num_bin_bound < 1)
        return freq_colors[9];
    if (q <= bin_bound[1])
        return freq_colors[0];
    for (int b = 2; b <= num_bin_bound; b++)
        if (q <= bin_bound[b])
            return freq_colors[(b * 10) / (num_bin_bound + 1) - 1];
    return freq_colors[9];
}

// The colour by value, with the frozen modes of forward-only runs.
int
value_colour(uint32_t c, int value, run_iteration *it, skeleton_record *sk,
             const colouring_step *step)
{
    it->cell_frozen = 0;
    if (!step->fwd_only || (it->frozen_mode == 0 && att_hist != att_hist_skeleton) ||
        !step->frozen_test)
        return color_v[value];
    const int top = value_range - 1;
    bool frozen = frozen_cell(c, value, it);
    it->cell_frozen = frozen;
    if (att_hist == att_hist_skeleton) {
        bool keep = frozen && (sk->kind == 2 || (sk->kind == 0 && get_value(A, c) == 0) ||
                               (sk->kind == 1 && get_value(A, c) != 0));
        if (sk->frozen_buff)
            set_bitlong(sk->frozen_buff, c, keep ? 1 : 0);
    }
    if (frozen && (att_hist == att_hist_skeleton || it->frozen_mode == 2)) {
        if (value == top)
            sk->frozen_top++;
        else
            sk->frozen_other++;
    }
    switch (it->frozen_mode) {
    case 3: {
        int q = value == top;
        for (int i = 1; i < frozen_gens; i++)
            q += get_value(it->lastA[i], c) == top;
        return frequency_colour(q);
    }
    case 2:
        return frozen ? (value == top ? lightred : green) : color_v[0];
    case 1:
        return frozen ? magenta : color_v[value];
    default:
        return color_v[value];
    }
}

} // namespace

int
cell_filtered(uint32_t c)
{
    return color_filter && get_bitlong(color_filter, nhd[c]);
}

int
cell_colour(uint32_t c, int value, run_iteration *it, skeleton_record *sk, colouring_step *step)
{
    bool filtered = cell_filtered(c);
    int colour = color_v[value];
    if (ncolor == 0 || att_hist == att_hist_skeleton || seed_was_set)
        colour = value_colour(c, value, it, sk, step);
    if (step->fwd_only && stp_cell_color)
        stp_cell_color[c] = static_cast<uint8_t>(filtered ? color_v[0] : colour);
    bool oblique = d_mode == display_2d_time || d_mode == display_3d;
    if (step->by_nhood) {
        colour = nhd[c] == 0 || filtered ? black : set_nhdcolor(nhoodm[c], nhd[c]);
        if (stp_cell_color)
            stp_cell_color[c] = static_cast<uint8_t>(colour);
        step->nhood_colour = static_cast<uint8_t>(colour);
        if (oblique) {
            if (value == 0 || filtered)
                return black;
            if (colour == black)
                colour = white;
        }
        return colour;
    }
    // Display adjustments: a filtered cell shows as value 0 in the flat
    // displays and is left out (black) in the scrolling and oblique ones.
    if ((d_mode == display_2d && scrolling) || oblique) {
        if (filtered || (value_range > 2 && colour == darkgray))
            return black;
    } else if (filtered) {
        return color_v[0];
    }
    return colour;
}

void
setup_freq_colors()
{
    free_freq_colors();
    const uint8_t order[10] = {black, darkgray, yellow, lightblue, brown,
                               cyan,  blue,     lightcyan, magenta, lightred};
    freq_colors = static_cast<uint8_t *>(checked_calloc(10, 1, "freq_color"));
    for (int i = 0; i < 10; i++)
        freq_colors[i] = order[i];
    num_bin_bound = 9;
    if (frozen_gens - 1 < num_bin_bound)
        num_bin_bound = static_cast<int16_t>(frozen_gens - 1);
    bin_bound = static_cast<int16_t *>(checked_calloc(10, sizeof(int16_t), "(bin_bound"));
    int w = num_bin_bound >= 0 ? frozen_gens / (num_bin_bound + 1) : 0;
    for (int b = 1; b <= num_bin_bound; b++)
        bin_bound[b] = static_cast<int16_t>(b * w);
}

void
free_freq_colors()
{
    checked_free(freq_colors);
    checked_free(bin_bound);
    freq_colors = nullptr;
    bin_bound = nullptr;
}

void
draw_graph_layout(run_iteration *it, const uint8_t *state, int drawn, int x0, int y0, int x1,
                  int y1)
{
    if (!stp_graph_layout || !stp_graph_node_size)
        return;
    // The graph window let nodes lie anywhere in it or past its edges: the
    // discs are clipped to the inside of the box, left of the key panel,
    // so none is drawn over the pattern, the boxes or the panel's lines.
    int right = std::min(x1, key_panel_left()) - 1;
    if (right <= x0 || y1 - 1 <= y0)
        return;
    int colour = getcolor();
    if (threed)
        draw_box(-1, x0 + 1, y0 + 1, right, y1 - 1, 0, 0);
    setviewport(x0 + 1, y0 + 1, right, y1 - 1, 1);
    int radius = static_cast<int>(stp_graph_node_size[1]);
    for (int c = L; c >= 0; c--) {
        int value = get_value(state, static_cast<uint32_t>(c));
        if (threed && color_v[value] == color_v[0])
            continue;
        int fill = drawn && stp_cell_color ? stp_cell_color[c] : color_v[value];
        setfillstyle(0, fill);
        setcolor(it->node_outline ? darkgray : fill);
        pieslice(stp_graph_layout[c + 1][0], stp_graph_layout[c + 1][1], 0, 360, radius);
    }
    setcolor(colour);
    set_run_viewport();
}

double
return_map_coordinate(const uint8_t *state)
{
    const int top = value_range - 1;
    double sum = 0.0;
    for (int c = L, p = 0; c >= 0; c--, p++) {
        if (p > 1074)
            break;  // below the smallest double: nothing more to add
        if (get_value(state, static_cast<uint32_t>(c)) / top)
            sum += std::ldexp(1.0, -p);
    }
    return sum;
}

map_point
return_map_place(double x_value, double y_value, int width)
{
    // The map's frame, vgax(200) wide and vgay(200) high, stands where the
    // side plots' plane stands: moved over the pattern where the window is
    // narrow, its bottom raised above the labels.
    return {static_cast<int>(x_value * vgax(200) / 2.0 + plane_left(width)),
            static_cast<int>(plane_bottom() - y_value * vgay(200) / 2.0)};
}

void
plot_return_map_point(const uint8_t *drawn, const uint8_t *next, int width, int colour)
{
    const map_point p = return_map_place(return_map_coordinate(drawn), return_map_coordinate(next), width);
    putpixel(p.x, p.y, colour);
}
