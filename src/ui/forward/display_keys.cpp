// The presentation keys and the frozen-cell, filter and analysis keys of a
// running pattern (display_keys.h), as groups of the running pattern's key
// table (running_pattern_keys.h). They change how the pattern is drawn and
// which measures are drawn beside it, never the network: the run records,
// the display globals (forward), the value colours (model) and the filter
// bits. Start at kPresentationKeys, then kAnalysisKeys.
#include "ui/forward/display_keys.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/random_states.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/forward/frozen_key.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/pattern_reset.h"
#include "ui/forward/pause_box.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/damage_plot.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/rule_sampling.h"
#include "ui/measures/top_prompt.h"
#include "ui/measures/type_histograms.h"
#include "ui/model/cell_display.h"
#include "ui/rules/random_states.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"

namespace {

// 'e' stops growing the cells here: the cell size is a signed byte, and
// larger cells no longer leave room for a pattern.
constexpr int kLargestCell = 127;

void
panel(entropy_graph *eg, run_iteration *it)
{
    if (it->key_panel)
        interrupt_key_index(eg, it);
}

int
native_dimension()
{
    return threed ? 3 : twod ? 2 : 1;
}

void
inset_message(const char *text)
{
    inset_prompt_box(23, text);
}

// A number typed at the prompt, held to bounds (the line shows it), or
// fallback for Return, 'q' or anything not a number.
long
typed_number(int width, long fallback, number_bounds bounds)
{
    int len = input_string(width, numeric_entry);
    return is[0] == 'q' ? fallback : whole_answer_held(fallback, bounds, len);
}

// '#': the scrolling toggle of 1d, 2d and 2d+time displays.
void
toggle_scrolling(const running_pattern &p)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    if (diff_plot || d_mode < display_1d || d_mode > display_2d_time)
        return;
    if (scrolling) {
        // 2d+time frames that scroll stand at the window's floor, where a
        // page that does not scroll ends: the next frame would go below it,
        // into the bottom strip, so the page ends there as a full one does.
        if (d_mode == display_2d_time && nowscrolling)
            it->page_full = 1;
        scrolling = nowscrolling = 0;
        if (d_mode == display_2d) {
            clear_drawing_area();
            set_run_viewport();
            reset_stpwidth(eg, it);
            revise_various_stp_settings(eg, it);
            it->frame_no = 0;
            draw_2d_frame(eg, it);
        } else {
            // The pattern starts again at the top of a cleared area, as at
            // a page's end: a plot kept over the pattern (a plane moved
            // over it) stays as it is, and boxes standing there go whole.
            give_way({0, 0, eg->x0 + 1, Maxy});
            clear_around_kept(0, 0, eg->x0 + 1, Maxy);
        }
    } else {
        scrolling = 1;
        nowscrolling = 0;
        relay_pattern_area(p);
        if (d_mode == display_2d)
            it->frame_no = 0;
    }
    panel(eg, it);
}

// 't': 2d frames and 2d+time, each way.
bool
toggle_time_frames(running_pattern &p, char)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    if (diff_plot)
        return true;
    char text[64];
    if (d_mode == display_2d) {
        clear_stp(eg, it);
        d_mode = display_2d_time;
        snprintf(text, sizeof text, "native %dd->2d+time  ij=%d,%d", native_dimension(), i2d, j2d);
    } else if (d_mode == display_2d_time) {
        scrolling = nowscrolling = 0;
        d_mode = display_2d;
        snprintf(text, sizeof text, "native %dd->2d ij=%d,%d", native_dimension(), i2d, j2d);
    } else {
        panel(eg, it);
        return true;
    }
    inset_message(text);
    relay_pattern_area(p);
    panel(eg, it);
    eg->plot_row = -1;
    return true;
}

// 'T': 1d rows, 2d frames, 3d block, back to 1d rows.
bool
cycle_dimension(running_pattern &p, char)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    if (diff_plot)
        return true;
    it->hide_cells = 0;
    // A run that began in the network's own display (a backward run's
    // steps) has not laid out the 2d and 3d sides yet: zero sides would
    // divide the cells into rows of none.
    if (it->save_i2d == 0)
        set_2d_3d_coords(it);
    char text[64];
    if (d_mode == display_1d) {
        if (scrolling) {
            scrolling = nowscrolling = 0;
            erase_box(0, 0, eg->x0, Maxy - 1);
        }
        clear_stp(eg, it);
        d_mode = display_2d;
        it->cell_size = static_cast<int8_t>(vgax(4));
        if (!twod) {
            i2d = it->save_i2d;
            j2d = it->save_j2d;
        }
        snprintf(text, sizeof text, "native %dd->2d ij=%d,%d", native_dimension(), i2d, j2d);
    } else if (d_mode == display_2d) {
        clear_stp(eg, it);
        d_mode = display_3d;
        it->cell_size = static_cast<int8_t>(vgax(4));
        if (!threed) {
            i3d = it->save_i3d;
            j3d = it->save_j3d;
            h3d = it->save_h3d;
        }
        snprintf(text, sizeof text, "native %dd->3d ijh=%d,%d,%d", native_dimension(), i3d, j3d,
                 h3d);
    } else if (d_mode == display_3d) {
        d_mode = display_1d;
        it->cell_size = 1;
        it->cell_gap = 1;
        if (!scrolling) {
            scrolling = 1;
            nowscrolling = 0;
        }
        snprintf(text, sizeof text, "native %dd->1d n=%d", native_dimension(), lineL);
    } else {
        return true;
    }
    relay_pattern_area(p);
    inset_message(text);
    panel(eg, it);
    eg->plot_row = -1;
    return true;
}

// 'h': the next frozen mode. Its key, or the value colour key back at mode
// 0, stands at the top right only where the run leaves it room, as the key
// panel does: the pattern's rows and page clears would cut it. A frozen key
// standing where the run now reaches goes whole.
void
step_frozen_mode(entropy_graph *eg, run_iteration *it)
{
    ncolor = 0;
    it->frozen_mode = static_cast<uint8_t>((it->frozen_mode + 1) % 4);
    const int reach = run_reach(eg, it);
    const bool key_room = it->frozen_mode != 0 && reach <= frozen_key_layout().left;
    int key_left = 0, key_bottom = 0;
    if (!key_room && frozen_key_box_at_right(&key_left, &key_bottom))
        erase_frozen_key();
    if (it->frozen_mode == 0) {
        show_multistate_color_key(0);
        if (reach <= Maxx - 2 - color_key_width())
            show_multistate_color_key(1);
    }
    panel(eg, it);
    if (key_room)
        show_frozen_key(it->frozen_mode);
}

void
equal_bins()
{
    int w = frozen_gens / (num_bin_bound + 1);
    for (int i = 1; i <= num_bin_bound; i++)
        bin_bound[i] = static_cast<int16_t>(i * w);
}

// One question at the top right, in a box clear of the colour key and the
// other boxes standing there (a 3d pattern's key stands below the prompt
// box's first line), taken away once answered: the answer read as
// typed_number reads it, or one key of text (width 1) in is.
long
number_at_top(const char *text, int width, long fallback, number_bounds bounds)
{
    top_prompt p = open_top_prompt({text}, width);
    long typed = typed_number(width, fallback, bounds);
    close_top_prompt(p);
    return typed;
}

void
key_at_top(const char *text)
{
    top_prompt p = open_top_prompt({text}, 1);
    input_string(1, text_entry);
    close_top_prompt(p);
}

// 'H': the frozen window and the frequency bins.
void
revise_frozen_window(entropy_graph *eg, run_iteration *it)
{
    int16_t x = getx, y = gety;
    setcolor(white);
    char text[96];
    snprintf(text, sizeof text, "enter new 'frozen' Generation size (now %d):", frozen_gens);
    long gens_typed = number_at_top(text, 3, frozen_gens, {1, 999});
    if (it->lastA) {
        for (int i = 0; i < frozen_gens; i++)
            checked_free(it->lastA[i]);
        checked_free(it->lastA);
    }
    frozen_gens = static_cast<uint16_t>(gens_typed);
    it->lastA = static_cast<uint8_t **>(checked_calloc(frozen_gens, sizeof(uint8_t *), "it->lastA"));
    for (int i = 0; i < frozen_gens; i++) {
        snprintf(text, sizeof text, "it->lastA[%d]", i);
        it->lastA[i] = static_cast<uint8_t *>(checked_calloc(bytesL, 1, text));
    }
    if (frozen_gens <= num_bin_bound) {
        num_bin_bound = static_cast<int16_t>(frozen_gens - 1);
        equal_bins();
    }
    for (;;) {
        snprintf(text, sizeof text, "reset bin boundaries, enter new total (max %d, now %d):",
                 frozen_gens, num_bin_bound + 1);
        // Return (-1) leaves, as a total the generations cannot split does.
        long total = number_at_top(text, 2, -1, {2, static_cast<double>(frozen_gens)});
        if (total < 2 || total > frozen_gens) {
            moveto(x, y);
            panel(eg, it);
            return;
        }
        // bin_bound keeps its ten entries: the totals offered stop at 10.
        num_bin_bound = static_cast<int16_t>(total > 10 ? 9 : total - 1);
        memset(bin_bound, 0, 10 * sizeof(int16_t));
        int w = frozen_gens / (num_bin_bound + 1);
        key_at_top("unequal bins-u, equal-def:");
        if (is[0] != 'u') {
            equal_bins();
            break;
        }
        for (int i = 1; i <= num_bin_bound; i++) {
            int def = bin_bound[i - 1] + w;
            snprintf(text, sizeof text, "enter bin boundary %d (def %d):", i, def);
            bin_bound[i] = static_cast<int16_t>(
                number_at_top(text, 3, def, {bin_bound[i - 1] + 1.0, frozen_gens - 1.0}));
        }
        if (bin_bound[num_bin_bound] < frozen_gens)
            break;
        key_at_top("invalid bin boundaries, cont-r:");
    }
    moveto(x, y);
    it->frozen_mode = 2;
    step_frozen_mode(eg, it);
}

} // namespace

void
relay_pattern_area(const running_pattern &p)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    // The planes go from their place first (a plane over the pattern lets
    // its area go back to the copies), as the clear below takes them.
    draw_side_planes(p, 0);
    clear_stp(eg, it);
    clearviewport();
    reset_stpwidth(eg, it);
    clear_stp(eg, it);
    revise_various_stp_settings(eg, it);
    if (d_mode >= display_2d)
        eg->plot_row = -1;
    // Their points go on at the place the new width gives: their frames
    // are drawn there, the key panel giving way first as for 'u'.
    panel(eg, it);
    draw_side_planes(p, 1);
}

void
draw_side_planes(const running_pattern &p, int draw)
{
    if (p.eg->ed_plot)
        draw_entgraph_frame(draw, side_plot_left(p.eg), p.ae->mode, 0);
    if (p.it->return_map)
        draw_Hamming_plot(draw, side_plot_left(p.eg));
}

namespace {

// A row's action from a function of the run's graph and iteration records:
// the key is always taken.
template <void (*records_action)(entropy_graph *, run_iteration *)>
bool
acts_on_records(running_pattern &p, char)
{
    records_action(p.eg, p.it);
    return true;
}

bool
toggle_pattern(running_pattern &, char)
{
    stp = !stp;
    return true;
}

bool
toggle_skip(running_pattern &p, char)
{
    stp = 1;
    p.it->skip_on = !p.it->skip_on;
    panel(p.eg, p.it);
    return true;
}

bool
toggle_half_shift(running_pattern &p, char)
{
    run_iteration *it = p.it;
    if (stp && ((oned && d_mode == display_1d) || (twod && d_mode == display_2d))) {
        it->half_shift = !it->half_shift;
        if (d_mode == display_2d)
            relay_pattern_area(p);
        panel(p.eg, it);
    }
    return true;
}

bool
toggle_divs(running_pattern &p, char)
{
    run_iteration *it = p.it;
    if (!divs_key_applies(it))
        return false;
    it->big_cells = !it->big_cells;
    it->cell_gap = it->big_cells ? 2 : 1;
    if (d_mode == display_2d)
        relay_pattern_area(p);
    panel(p.eg, it);
    return true;
}

bool
toggle_zero_dot(running_pattern &p, char)
{
    if (d_mode <= display_2d)
        p.it->zero_dot = !p.it->zero_dot;
    return true;
}

bool
toggle_cell_colour(running_pattern &, char)
{
    if (att_hist != att_hist_skeleton)
        ncolor = !ncolor;
    return true;
}

bool
toggle_background(running_pattern &, char)
{
    if (d_mode <= display_2d && color_v) {
        color_v[0] = color_v[0] == black ? darkgray : black;
        redraw_color_key();
    }
    return true;
}

bool
swap_value1(running_pattern &, char)
{
    if (ncolor == 0 && value_range == 2 && color_v) {
        color_v[1] = color_v[1] == white ? yellow : color_v[1] == yellow ? white : color_v[1];
        redraw_color_key();
    }
    return true;
}

bool
shuffle_colours(running_pattern &, char)
{
    rearange_value_colors();
    redraw_color_key();
    return true;
}

bool
toggle_outline(running_pattern &p, char)
{
    if (graph_layout == 1)
        p.it->node_outline = !p.it->node_outline;
    return true;
}

bool
change_scale(running_pattern &p, char key)
{
    run_iteration *it = p.it;
    if (key == 'e') {
        if (it->cell_size < kLargestCell) {
            it->cell_size++;
            relay_pattern_area(p);
        }
        panel(p.eg, it);
        return true;
    }
    erase_prompt_line_beside_key();
    if (it->cell_size > 1) {
        it->cell_size--;
        relay_pattern_area(p);
        panel(p.eg, it);
    }
    return true;
}

bool
plane_or_sample_pause(running_pattern &p, char)
{
    run_iteration *it = p.it;
    if (p.ae->mode == 2) {
        p.ae->pause = !p.ae->pause;
    } else if (d_mode == display_2d_time || (d_mode == display_2d && scrolling)) {
        int16_t x = getx, y = gety;
        moveto(static_cast<int>(it->frame_x), static_cast<int>(it->frame_y - 1));
        draw_axon_plane(it->cell_size, static_cast<int>(it->frame_y - 1));
        moveto(x, y);
    }
    return true;
}

bool
toggle_discs(running_pattern &p, char)
{
    if (d_mode == display_2d_time || d_mode == display_3d || (d_mode == display_2d && scrolling))
        p.it->disc_cells = !p.it->disc_cells;
    return true;
}

bool
toggle_hidden_cells(running_pattern &p, char)
{
    if (d_mode == display_2d && scrolling)
        p.it->hide_cells = !p.it->hide_cells;
    return true;
}

std::string
on_off(const char *text, bool on)
{
    return std::string(text) + (on ? "(on)" : "(off)");
}

bool
scrolling_2d(const running_pattern &)
{
    return d_mode == display_2d && scrolling;
}

const running_key kPresentationKeys[] = {
    running_key::on("x")
        .help([](const running_pattern &p) {
            return on_off(d_mode == display_2d ? "x..tog hex" : "x..tog slant", p.it->half_shift);
        })
        .when([](const running_pattern &) {
            return direction == direction_forward && limitcheck == 0 && stp && !nhood_mixed &&
                   ((oned && d_mode == display_1d) || (twod && d_mode == display_2d));
        })
        .does(toggle_half_shift),
    running_key::on("i")
        .help([](const running_pattern &p) { return on_off("i..tog divs", p.it->big_cells); })
        .when([](const running_pattern &p) { return p.it->disc_cells != 0; })
        .does(toggle_divs),
    running_key::on("S").help("S..tog space-time display").does(toggle_pattern),
    running_key::on("P")
        .help([](const running_pattern &p) {
            return "P..tog skip steps=" + std::to_string(time_skip) +
                   (p.it->skip_on ? " (on)" : " (off)");
        })
        .does(toggle_skip),
    running_key::on("3")
        .help([](const running_pattern &) -> std::string {
            return d_mode >= display_2d_time ? "3..tog color" : "3/./b..tog color cell/dot/bground";
        })
        .does(toggle_cell_colour),
    running_key::on(".")
        .when([](const running_pattern &) { return d_mode < display_2d_time; })
        .does(toggle_zero_dot),
    running_key::on("b")
        .when([](const running_pattern &) { return d_mode < display_2d_time; })
        .does(toggle_background),
    running_key::on("R")
        .help([](const running_pattern &) -> std::string {
            if (value_range != 2)
                return "R..shuffle colors";
            return bground == 'w' ? "R/^..colors:shuffle/black-blue"
                                  : "R/^..colors:shuffle/white-yellow";
        })
        .does(shuffle_colours),
    running_key::on("^")
        .when([](const running_pattern &) { return value_range == 2; })
        .does(swap_value1),
    running_key::on("@")
        .help("@..tog cell outline")
        .when([](const running_pattern &) { return graph_layout == 1; })
        .does(toggle_outline),
    running_key::on("ec").help("e/c..exp/contr scale").does(change_scale),
};

const running_key kDimensionKeys[] = {
    running_key::on("t")
        .help([](const running_pattern &) -> std::string {
            return d_mode == display_2d ? "t..tog 2d-2d+time" : "t..tog 2d+time-2d";
        })
        .when([](const running_pattern &) {
            return d_mode == display_2d || d_mode == display_2d_time;
        })
        .does(toggle_time_frames),
    running_key::on("T")
        .help([](const running_pattern &) -> std::string {
            return d_mode == display_1d   ? "T..tog 1d-2d-3d"
                   : d_mode == display_2d ? "T..tog 2d-3d-1d"
                                          : "T..tog 3d-1d-2d";
        })
        .when([](const running_pattern &) {
            return d_mode == display_1d || d_mode == display_2d || d_mode == display_3d;
        })
        .does(cycle_dimension),
    running_key::on("I")
        .help([](const running_pattern &) -> std::string {
            return d_mode == display_3d        ? "I..tog balls"
                   : d_mode == display_2d_time ? "p/I..plane/balls"
                                               : "p/I/J..plane/balls/invisible";
        })
        .when([](const running_pattern &p) {
            return d_mode == display_3d || d_mode == display_2d_time || scrolling_2d(p);
        })
        .does(toggle_discs),
    running_key::on("p")
        .when([](const running_pattern &p) {
            return d_mode == display_2d_time || scrolling_2d(p);
        })
        .does(plane_or_sample_pause),
    running_key::on("J").when(scrolling_2d).does(toggle_hidden_cells),
};

} // namespace

running_key_group
presentation_keys()
{
    return {"  presentation", nullptr, kPresentationKeys,
            sizeof kPresentationKeys / sizeof kPresentationKeys[0]};
}

running_key_group
dimension_keys()
{
    return {"  1d 2d 3d", [](const running_pattern &) { return diff_plot == diff_plot_off; },
            kDimensionKeys, sizeof kDimensionKeys / sizeof kDimensionKeys[0]};
}

bool
divs_key_applies(const run_iteration *it)
{
    return stp && d_mode >= display_2d && d_mode <= display_3d && it->cell_size > 3;
}

bool
scrolling_key(running_pattern &p, char)
{
    toggle_scrolling(p);
    return true;
}

namespace {

void
free_density_arrays(entropy_graph *eg)
{
    checked_free(eg->eegratiobefore);
    eg->eegratiobefore = nullptr;
    count_window_release(&eg->eegcount);
}

void
allocate_density_arrays(entropy_graph *eg, const char *ratio, const char *rows)
{
    free_density_arrays(eg);
    eg->eegratiobefore = static_cast<double *>(checked_calloc(value_range, sizeof(double), ratio));
    count_window_allocate(&eg->eegcount, gens, static_cast<size_t>(value_range), rows);
}

void
free_lookup_arrays(entropy_graph *eg)
{
    count_window_release(&eg->lookupcount);
    checked_free(eg->oldbar);
    eg->oldbar = nullptr;
}

void
allocate_lookup_arrays(entropy_graph *eg, run_iteration *it)
{
    size_t entries = static_cast<size_t>(it->max_index) + 1;
    count_window_allocate(&eg->lookupcount, gens, entries, "eg->lookupcount");
    eg->oldbar = static_cast<uint16_t *>(checked_calloc(entries, sizeof(uint16_t), "eg->oldbar"));
}

// The filter keys: 'f' filters the most used unfiltered neighbourhood, 'F'
// unfilters the least used filtered one, 'a' clears every filter.
void
filter_key(char key, run_iteration *it)
{
    if (!color_filter || !hist_order)
        return;
    if (key == 'a') {
        for (int i = 0; i <= it->max_index; i++)
            set_bitlong(color_filter, static_cast<uint32_t>(i), 0);
        return;
    }
    int best = -1;
    long best_count = key == 'f' ? 0 : -1;
    for (int i = it->max_index; i >= 0; i--) {
        bool filtered = get_bitlong(color_filter, static_cast<uint32_t>(i));
        long count = hist_order[i];
        if (key == 'f' && !filtered && count > best_count) {
            best = i;
            best_count = count;
        } else if (key == 'F' && filtered && (best < 0 || count <= best_count)) {
            best = i;
            best_count = count;
        }
    }
    if (best >= 0)
        set_bitlong(color_filter, static_cast<uint32_t>(best), key == 'f');
}

void
show_single_entropy_line(run_iteration *it)
{
    if (!single_entropy)
        return;
    char text[80];
    if (twod)
        snprintf(text, sizeof text, "single entropy: gene i,j=%d,%d timesteps=%u",
                 entropy_poss % i2d, entropy_poss / i2d, static_cast<unsigned>(it->time));
    else
        snprintf(text, sizeof text, "single entropy: gene=%d  timesteps%u", entropy_poss,
                 static_cast<unsigned>(it->time));
    int16_t x = getx, y = gety;
    draw_top_prompt(place_top_prompt({text}, 0), {text});
    moveto(x, y);
}

// 's': density plot to input-entropy plot and back.
void
toggle_side_plot(entropy_graph *eg, run_iteration *it)
{
    eg->plot_row = 0;
    if (eg->plot_on) {
        eg->plot_on = 0;
        stpgraph = stpgraph_lookup_bars;
        eg->k = static_cast<uint8_t>(single_entropy && nhood_mixed ? nhoodm[entropy_poss] : nhood);
        eg->w2 = vgax(100);
        it->time = 0;
        if (!eg->ed_plot) {
            free_density_arrays(eg);
            allocate_lookup_arrays(eg, it);
        } else if (eg->oldbar) {
            memset(eg->oldbar, 0, (static_cast<size_t>(it->max_index) + 1) * sizeof(uint16_t));
        }
        // Placed while it is not yet shown: no histogram stood beside the
        // density plot, so its last place is not erased; a plane drawn
        // there since (the return map moved with the pattern) stays whole.
        place_lookup_histogram(eg);
        eg->hist_mode = 1;
    } else if (eg->hist_mode) {
        // The histogram goes: the density plot stands left of its place.
        erase_lookup_histogram(eg);
        eg->hist_mode = 0;
        eg->plot_on = 1;
        stpgraph = stpgraph_density;
        eg->w1 = vgax(100);
        if (!eg->ed_plot) {
            free_lookup_arrays(eg);
            allocate_density_arrays(eg, "eg.eegratiobefore", "eg.eegcount");
        }
    }
    draw_stpframe(side_plot_left(eg), eg->plot_on ? eg->w1 : eg->w2);
    draw_on_pixmap(it);
    draw_stpframe(side_plot_left(eg), eg->plot_on ? eg->w1 : eg->w2);
    draw_on_window();
    panel(eg, it);
    show_single_entropy_line(it);
}

// 'G': the analysis window and the single-cell position.
void
revise_analysis_window(entropy_graph *eg, run_iteration *it)
{
    char text[96];
    if (stpgraph) {
        int16_t x = getx, y = gety;
        setcolor(white);
        snprintf(text, sizeof text, "enter new 'analysis'generation size (now %d):", gens);
        // Return (-1) keeps the size and its arrays.
        long g = number_at_top(text, 5, -1, {1, INT16_MAX});
        if (g > 0) {
            if (eg->plot_on) {
                gens = static_cast<int16_t>(g);
                allocate_density_arrays(eg, "eg->eegratiobefore", "eg->eegcount");
            } else if (eg->hist_mode) {
                free_lookup_arrays(eg);
                gens = static_cast<int16_t>(g);
                allocate_lookup_arrays(eg, it);
                it->page_full = 1;
                it->time = 0;
            } else {
                gens = static_cast<int16_t>(g);
            }
        }
        if (single_entropy) {
            if (!twod) {
                snprintf(text, sizeof text, "single entropy: enter index(max %d def %d):", L,
                         entropy_poss);
                entropy_poss = static_cast<uint16_t>(
                    number_at_top(text, 5, entropy_poss, {0, lineL - 1.0}));
            } else {
                int i = entropy_poss % i2d, j = entropy_poss / i2d;
                for (;;) {
                    snprintf(text, sizeof text, "single 2d entropy: 2d index(max %d,%d, now %d,%d)",
                             i2d - 1, j2d - 1, i, j);
                    // The second line's room holds both answers and " enter j:".
                    top_prompt p = open_top_prompt({text, "enter i:"}, 3 + 9 + 3);
                    i = static_cast<int>(typed_number(3, i, {0, i2d - 1.0}));
                    outtext(" enter j:");
                    long b = typed_number(3, j, {0, j2d - 1.0});
                    close_top_prompt(p);
                    if (is[0] == 'q')
                        continue;
                    j = static_cast<int>(b);
                    break;
                }
                entropy_poss = static_cast<uint16_t>(i + j * i2d);
            }
        }
        moveto(x, y);
    }
    show_single_entropy_line(it);
    panel(eg, it);
}

constexpr int kSampleSlot = 14; // boximage_prompt slot under the entropy sample's box

// The entropy sample's two choices, each with its one-key answer.
const prompt_part kSampleChoices[] = {{"sample: automatic-a test-def:", 1},
                                      {" entropy min-max -m, standard dev -def:", 1}};

// The entropy sample's questions of the record's first and last step and
// of the sample's size, with their defaults.
struct sample_texts {
    char start[40], end[40], size[60];
    sample_texts(int first, int last, int sample_size)
    {
        snprintf(start, sizeof start, "start (def %d):", first);
        snprintf(end, sizeof end, " end (def %d):", last);
        snprintf(size, sizeof size, " sample size for each rule (def %d):", sample_size);
    }
    // Lines of the box: the choices, the record's heading and its three
    // questions, each wrapped at a space where the box's line ends, its
    // entry kept inside.
    int box_lines() const
    {
        const prompt_part record[] = {{start, 4}, {end, 4}, {size, 4}};
        return prompt_parts_lines(kSampleChoices, 2) + 1 + prompt_parts_lines(record, 3);
    }
};

// 'E': an entropy sample of rules, with the entropy-density plot on.
void
start_entropy_sample(entropy_data *ae, entropy_graph *eg, run_iteration *it)
{
    ae->count = 0;
    ae->sample_no = 0;
    random_seed(it->fore_colour, 100, 0);
    it->time = 0;
    slant = -1;
    it->page_full = 1;
    int16_t x = getx, y = gety;
    char text[80];
    int lines = 3;
    // The box reaches down past the key panel's top: the panel gives way
    // while it is up and comes back after it. What the box covers at its
    // tallest (the pattern) is kept and put back when it closes, instead
    // of a black area that the shorter file dialog of an automatic sample
    // would leave.
    erase_key_panel();
    const int tallest = sample_texts(65535, 65535, 32767).box_lines();
    save_under_prompt_box(kSampleSlot, tallest);
    for (;;) {
        setcolor(white);
        const sample_texts texts(eg->entropy_start, eg->entropy_end, ae->sample_size);
        const char *start_text = texts.start, *end_text = texts.end, *size_text = texts.size;
        erase_prompt_box(lines);
        lines = texts.box_lines();
        int margin = draw_prompt_box(lines);
        if (ae->mode == 0)
            ae->mode = 1;
        write_prompt_part(kSampleChoices[0].text, 1, margin);
        input_string(1, text_entry);
        if (is[0] == 'q') {
            ae->mode = 0;
            is[0] = 0;
            put_back_under_prompt_box(kSampleSlot);
            panel(eg, it);
            moveto(x, y);
            return;
        }
        if (is[0] == 'a')
            ae->mode = 2;
        min_max_entropy = 0;
        write_prompt_part(kSampleChoices[1].text, 1, margin);
        input_string(1, text_entry);
        if (is[0] == 'q')
            continue;
        if (is[0] == 'm')
            min_max_entropy = 1;
        moveto(margin, gety + CHeight);
        outtext("specify start - end time-step of entropy record");
        moveto(margin, gety + CHeight);
        write_prompt_part(start_text, 4, margin);
        long start = typed_number(4, eg->entropy_start, {1, 65534});
        if (is[0] == 'q')
            continue;
        eg->entropy_start = static_cast<uint16_t>(start);
        write_prompt_part(end_text, 4, margin);
        long end = typed_number(4, eg->entropy_end, {eg->entropy_start + 1.0, 65534});
        if (is[0] == 'q')
            continue;
        eg->entropy_end = static_cast<uint16_t>(end);
        // The record needs an end after its start: one kept from before a
        // later start gives way to the step after it, shown where the
        // answer stood.
        if (eg->entropy_end <= eg->entropy_start) {
            eg->entropy_end = static_cast<uint16_t>(std::min(eg->entropy_start + 1, 65534));
            if (eg->entropy_end <= eg->entropy_start)
                eg->entropy_start = static_cast<uint16_t>(eg->entropy_end - 1);
            snprintf(text, sizeof text, "%d ", eg->entropy_end);
            outtext(text);
        }
        write_prompt_part(size_text, 4, margin);
        long size = typed_number(4, ae->sample_size, {1, INT16_MAX});
        if (is[0] == 'q')
            continue;
        ae->sample_size = static_cast<int16_t>(size);
        break;
    }
    put_back_under_prompt_box(kSampleSlot);
    if (ae->mode == 2) {
        ae->file_chosen = static_cast<uint8_t>(select_stat_filename(ae));
        draw_entgraph_frame(0, side_plot_left(eg), 2, 0);
    }
    checked_free(ae->edata);
    ae->edata = static_cast<float *>(
        checked_calloc(static_cast<size_t>(eg->entropy_end - eg->entropy_start) + 2, sizeof(float),
                       "ae->edata"));
    draw_entgraph_frame(1, side_plot_left(eg), ae->mode, 0);
    scrolling = 0;
    panel(eg, it);
    moveto(x, y);
}

bool
difference_key(running_pattern &p, char)
{
    if (run_histogram_shown()) {
        p.dp->hist_options = 1;
    } else if (diff_plot) {
        diff_plot = diff_plot == diff_plot_keep ? diff_plot_dont_keep : diff_plot_keep;
        if (tempState)
            memset(tempState, 0, bytesL);
        panel(p.eg, p.it);
    }
    return true;
}

bool
filter_keys(running_pattern &p, char key)
{
    filter_key(key, p.it);
    return true;
}

bool
side_plot_key(running_pattern &p, char)
{
    if (stpgraph > 0 && p.ae->mode == 0 && outside_graph_layout(p))
        toggle_side_plot(p.eg, p.it);
    return true;
}

bool
entropy_kind_key(running_pattern &p, char)
{
    if (p.eg->hist_mode) {
        p.eg->ent_kind = static_cast<uint8_t>((p.eg->ent_kind + 1) % 3);
        panel(p.eg, p.it);
    }
    return true;
}

bool
histogram_form_key(running_pattern &p, char)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    if (stpgraph > 1 && p.ae->mode == 0 && !(eg->ed_plot && eg->k > 5) && eg->hist_mode) {
        if (eg->hist_mode == 1) {
            eg->hist_mode = 2;
            erase_lookup_bars(eg);
        } else {
            eg->hist_mode = 1;
            erase_lookup_surface(eg);
            if (eg->oldbar)
                memset(eg->oldbar, 0, (static_cast<size_t>(it->max_index) + 1) * sizeof(uint16_t));
        }
        panel(eg, it);
    }
    return true;
}

// The return map switched on or off: its frame drawn (the key panel giving
// way before it, as for 'u') or its place cleared.
void
show_return_map(running_pattern &p, bool on)
{
    p.it->return_map = on;
    if (on) {
        p.eg->point_colour = yellow;
        panel(p.eg, p.it);
    }
    draw_Hamming_plot(on, side_plot_left(p.eg));
    if (!on)
        panel(p.eg, p.it);
}

// The entropy-density plane switched on or off: its frame drawn (the key
// panel giving way before it reaches its place) and its counts made, or its
// place cleared and its counts freed.
void
show_entropy_density_plane(running_pattern &p, bool on)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    eg->ed_plot = on;
    if (on) {
        eg->point_colour = yellow;
        panel(eg, it);
        draw_entgraph_frame(1, side_plot_left(eg), p.ae->mode, 0);
        if (eg->plot_on) {
            it->page_full = 1;
            it->time = 0;
            if (!eg->lookupcount.rows)
                allocate_lookup_arrays(eg, it);
        } else if (eg->hist_mode && !eg->eegcount.rows) {
            allocate_density_arrays(eg, "eg.eegratiobefore", "eg.eegcount");
        }
    } else {
        draw_entgraph_frame(0, side_plot_left(eg), p.ae->mode, 0);
        if (eg->plot_on)
            free_lookup_arrays(eg);
        else
            free_density_arrays(eg);
        panel(eg, it);
    }
}

bool
entropy_density_key(running_pattern &p, char)
{
    // The plane would stand over a run's histogram, as the return map's.
    if (!(stpgraph > 1 && p.ae->mode == 0) || run_histogram_shown() || !outside_graph_layout(p))
        return true;
    const bool on = !p.eg->ed_plot;
    if (on)
        make_room_at_bottom_right(p);
    show_entropy_density_plane(p, on);
    return true;
}

bool
return_map_key(running_pattern &p, char)
{
    // The map's plane would stand over a run's histogram, which takes its
    // place back at each sample: the two never share the window.
    if (stpgraph == stpgraph_none || p.ae->mode != 0 || run_histogram_shown() ||
        !outside_graph_layout(p))
        return true;
    const bool on = !p.it->return_map;
    if (on)
        make_room_at_bottom_right(p);
    show_return_map(p, on);
    return true;
}

bool
matrix_key(running_pattern &p, char)
{
    // The matrix's box stands where a run's histogram stands.
    if (run_histogram_shown() || !outside_graph_layout(p))
        return true;
    if (show_ss_matrixF == ss_view_matrix) {
        hide_statespace_matrix();
    } else {
        // The entropy-density plane gathering a rule sample's points stays.
        if (p.eg->ed_plot && p.ae->mode != 0)
            return true;
        make_room_at_bottom_right(p);
        show_ss_matrixF = ss_view_matrix;
        show_statespace_matrix(nullptr);
    }
    return true;
}

bool
side_plots(const running_pattern &)
{
    return stpgraph > 0;
}

const running_key kFrozenKeys[] = {
    running_key::on("h")
        .help([](const running_pattern &p) -> std::string {
            static const char *const kModes[4] = {"h..nor-f1-f2-bin", "h..f1-f2-bin-nor",
                                                  "h..f2-bin-nor-f1", "h..bin-nor-f1-f2"};
            return kModes[p.it->frozen_mode & 3];
        })
        .does(acts_on_records<step_frozen_mode>),
    running_key::on("H")
        .help([](const running_pattern &) {
            return "H..f-gens(" + std::to_string(frozen_gens) + ")/bins(" +
                   std::to_string(num_bin_bound + 1) + ")";
        })
        .does(acts_on_records<revise_frozen_window>),
    running_key::on("=")
        .help([](const running_pattern &) {
            return std::string("=..tog diff(") +
                   (diff_plot == diff_plot_keep ? "damage set" : "damage not set") + "):";
        })
        .when([](const running_pattern &) { return diff_plot != diff_plot_off; })
        .does(difference_key),
    running_key::on("f").help("f/F/a..filter/undo/all").when(side_plots).does(filter_keys),
    running_key::on("Fa").does(filter_keys),
};

const running_key kAnalysisKeys[] = {
    running_key::on("s")
        .help([](const running_pattern &p) -> std::string {
            return p.eg->hist_mode ? "s..tog entropy-density" : "s..tog density-entropy";
        })
        .when([](const running_pattern &p) {
            return stpgraph > 0 && (p.eg->hist_mode || stpgraph == stpgraph_density) &&
                   outside_graph_layout(p);
        })
        .does(side_plot_key),
    running_key::on("j")
        .help([](const running_pattern &p) -> std::string {
            static const char *const kKinds[3] = {"j..tog ent-fuz-both", "j..tog fuz-both-ent",
                                                  "j..tog both-ent-fuz"};
            return kKinds[p.eg->ent_kind % 3];
        })
        .when([](const running_pattern &p) { return stpgraph > 0 && p.eg->hist_mode; })
        .does(entropy_kind_key),
    running_key::on("%")
        .help([](const running_pattern &p) -> std::string {
            return p.eg->hist_mode == 2 ? "%..tog graph-hist" : "%..tog hist-graph";
        })
        .when([](const running_pattern &) { return stpgraph > 1; })
        .does(histogram_form_key),
    running_key::on("u")
        .help("u..entropy/density plot")
        .when([](const running_pattern &p) {
            return stpgraph > 0 && p.eg->hist_mode == 1 && outside_graph_layout(p);
        })
        .does(entropy_density_key),
    running_key::on("G")
        .help([](const running_pattern &) {
            char text[64];
            if (!single_entropy)
                snprintf(text, sizeof text, "G..a-gens (now %d)", gens);
            else if (twod)
                snprintf(text, sizeof text, "G..a-gens=%d pos=%d,%d", gens, entropy_poss % i2d,
                         entropy_poss / i2d);
            else if (threed)
                snprintf(text, sizeof text, "G..a-gens=%d pos=%d,%d,%d", gens, entropy_poss % i3d,
                         (entropy_poss / i3d) % j3d, entropy_poss / (i3d * j3d));
            else
                snprintf(text, sizeof text, "G..a-gens=%d pos=%d", gens, entropy_poss);
            return std::string(text);
        })
        .when(side_plots)
        .does(acts_on_records<revise_analysis_window>),
    running_key::on("D").help("D..return map").when(outside_graph_layout).does(return_map_key),
    running_key::on("y").help("y..state-space matrix").when(outside_graph_layout).does(matrix_key),
};

} // namespace

// The entropy-density plane, the return map and the state-space matrix
// stand in one place at the window's bottom right, one at a time (as the
// run's options offer the map and the matrix), and inside the graph
// layout's box: those shown go before another of them or the layout comes.
void
make_room_at_bottom_right(running_pattern &p)
{
    if (show_ss_matrixF == ss_view_matrix)
        hide_statespace_matrix();
    hide_side_planes(p);
}

void
hide_side_planes(running_pattern &p)
{
    if (p.it->return_map)
        show_return_map(p, false);
    if (p.eg->ed_plot)
        show_entropy_density_plane(p, false);
}

bool
outside_graph_layout(const running_pattern &)
{
    return graph_layout != 1;
}

running_key_group
frozen_keys()
{
    return {"  frozen/filter", nullptr, kFrozenKeys, sizeof kFrozenKeys / sizeof kFrozenKeys[0]};
}

running_key_group
analysis_keys()
{
    return {"  analysis", nullptr, kAnalysisKeys, sizeof kAnalysisKeys / sizeof kAnalysisKeys[0]};
}

bool
entropy_sample_key(running_pattern &p, char)
{
    if (stpgraph > 0 && p.eg->ed_plot && outside_graph_layout(p))
        start_entropy_sample(p.ae, p.eg, p.it);
    return true;
}
