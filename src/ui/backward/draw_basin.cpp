// The basin drawing: one basin of attraction once the forward run has found
// its cycle. Draws the cycle about the basin centre (ox, oy), builds each
// tree through run_backward, sums the basin through the engine's bookkeeping
// (engine/backward/basin_totals.h), writes the summary to the prompt box and
// the data line to standard error and the data file, pauses when asked and
// releases the basin's memory. Start at draw_basin; the trees of one
// attractor state are in build_trees_of_root.
#include "ui/backward/draw_basin.h"

#include <sys/time.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/backward/acceptance.h"
#include "engine/backward/basin_totals.h"
#include "engine/backward/basin_types.h"
#include "engine/backward/field_fit.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/attractor_search.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/fan_drawing.h"
#include "ui/backward/globals.h"
#include "ui/backward/layout_settings.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/backward/run_backward.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/backward/stop_prompts.h"
#include "ui/backward/successor_pairs.h"
#include "ui/model/rule_readout.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/segment_clip.h"
#include "ui/screen/status_prompt.h"
#include "ui/screen/window.h"
#include "ui/storage/data_lines.h"

namespace {

// The attractor states whose patterns took their place in the picture
// (place_att_states), by index 1..attperiod; kept between basins so that a
// field allocates nothing once its longest cycle was seen.
std::vector<uint8_t> att_placed;

// The state-space matrix at the start of a basin: its frame outside a field
// (or basin after basin), else the next basin colour: two steps on, past 15
// back to the low end with the other parity (15 to 2, 14 to 1), so that
// successive basins alternate between the odd and the even colours.
void
start_matrix()
{
    if (!show_ss_matrix)
        return;
    if (!basinfield || successive_basins) {
        show_statespace_matrix(nullptr);
        return;
    }
    matrixcolor = static_cast<uint8_t>(matrixcolor == 0 ? 1 : matrixcolor + 2);
    if (matrixcolor == 17)
        matrixcolor = 2;
    else if (matrixcolor == 16)
        matrixcolor = 1;
}

// A circle of radius r about (cx, cy): the screen's circle takes the
// corner of its square. A basin placed at the window's edge (an offset of
// 100%) would send part of it past the drawing area: such a circle is left
// out, as a node's pattern is, rather than shown cut.
void
circle_about(int cx, int cy, int r)
{
    if (cx - r < 0 || cy - r < 0 || cx + r > Maxx || cy + r > Maxy)
        return;
    draw_circle(cx - r, cy - r, 2 * r);
}

// A side of the cycle from state a to state b, cut to the drawing area as
// the trees' edges are.
void
cycle_side(uint32_t a, uint32_t b)
{
    int x0 = cyclex[a], y0 = cycley[a], x1 = cyclex[b], y1 = cycley[b];
    if (!cut_segment_to(x0, y0, x1, y1, 0, 0, Maxx, Maxy))
        return;
    moveto(x0, y0);
    lineto(x1, y1);
}

// The position of cycle state i at radius rho and screen angle phi.
void
place_cycle_state(uint32_t i, float rho, float phi)
{
    cyclex[i] = static_cast<int16_t>(ox + static_cast<int>(rho * std::cos(phi)));
    cycley[i] = static_cast<int16_t>(oy - static_cast<int>(rho * std::sin(phi)));
}

// The cycle's positions, and its drawing when the window is open.
void
draw_cycle()
{
    uint32_t p = attperiod;
    float o = orient_angle;
    float R = cycle_radius(rad ? rad[0] : 0.0f, p); // no radii before the size stage
    int16_t x = getx, y = gety;
    if (mouse_found && gd_z_graph) {
        const field_area strip = sweep_run_strip();
        setviewport(strip.left, strip.top, strip.right, strip.bottom, 1);
    }
    if (p == 1) {
        float rho = std::sqrt(2.0f) * startrad / 4;
        float phi = o + 5 * float(M_PI) / 4;
        cyclex[1] = ox;
        cycley[1] = oy;
        if (mouse_found) {
            setcolor(yellow);
            circle_about(ox + static_cast<int>(rho * std::cos(phi)),
                         oy - static_cast<int>(rho * std::sin(phi)), static_cast<int>(rho));
            setcolor(lightred);
            circle_about(ox, oy, static_cast<int>(startrad / 20));
        }
    } else if (p == 2) {
        if (mouse_found) {
            setcolor(cyan);
            circle_about(ox, oy, static_cast<int>(R));
        }
        for (uint32_t i = 2; i >= 1; i--) {
            place_cycle_state(i, R, cycle_state_angle(i, p, o));
            if (mouse_found) {
                setcolor(lightred);
                circle_about(cyclex[i], cycley[i], static_cast<int>(startrad / 15));
            }
        }
    } else {
        for (uint32_t i = p; i >= 1; i--)
            place_cycle_state(i, R, cycle_state_angle(i, p, o));
        if (mouse_found) {
            setcolor(cyan);
            for (uint32_t i = p - 1; i >= 1; i--)
                cycle_side(i + 1, i);
            cycle_side(1, p);
            int r = static_cast<int>(R / (p / 2 + 10));
            for (uint32_t i = p; i >= 1; i--)
                circle_about(cyclex[i], cycley[i], r);
        }
    }
    if (mouse_found && gd_z_graph)
        setviewport(0, 0, Maxx, Maxy, 1);
    moveto(x, y);
}

// The last attractor state, counting down from attperiod, that mode
// (draw_att_state's) draws.
uint32_t
last_att_state(int mode)
{
    return mode == 1   ? attperiod
           : mode == 2 ? attperiod - attperiod / static_cast<uint32_t>(cyclematch) + 1
                       : static_cast<uint32_t>(mode);
}

// The places of the attractor states the basin highlights, taken before
// its trees are drawn: like a node's pattern, a state's framed pattern is
// shown only where it covers none placed before it in the picture. The
// states of a long cycle lie a few pixels apart on it, and each framed
// pattern cleared over the frame of the one before; the node patterns of
// this basin's trees and of the field's later basins, which keep off the
// places taken, were drawn across the frames as well.
void
place_att_states()
{
    att_placed.assign(attperiod + 1, 0);
    if (!mouse_found)
        return;
    for (uint32_t i = attperiod; i >= last_att_state(show_one_att_state) && i >= 1; i--)
        att_placed[i] = bits_inside_drawing_area(cyclex[i], cycley[i]) && take_bits_place(cyclex[i], cycley[i]);
}

// How a tree build ended for the basin.
enum class tree_stop { none, next, quit };

tree_stop
stop_of_tree()
{
    if (is[0] == 'q')
        return tree_stop::quit;
    if (is[0] == 'n')
        return tree_stop::next;
    return tree_stop::none;
}

// The segment trees of a root whose fan was a segment fan. Returns false
// when the user quit.
bool
build_segment_trees(basin_tally &tally)
{
    segfan = 0;
    totsubtree = 0;
    insegloop = 1;
    bool going_on = true;
    for (segindex = 1; segindex <= segno; segindex++) {
        memcpy(firstseed, segseed[segindex], bytesL);
        startsegfan = 1;
        run_backward();
        tree_stop stop = stop_of_tree();
        if (stop == tree_stop::quit) {
            earlyexit = 1;
            going_on = false;
            break;
        }
        if (stop == tree_stop::next) {
            earlyexit = 1;
            continue;
        }
        if (earlyexit) {
            earlyexit = 0;
            tally.tree_skipped = true;
        }
        add_segment_tree(tally);
    }
    close_segment_trees();
    checked_free(segx);
    checked_free(segy);
    segx = segy = nullptr;
    clear_segment_list();
    return going_on;
}

// The tree of attractor state attindex and its segment trees into the
// basin. Returns false when the user quit.
bool
build_trees_of_root(basin_tally &tally)
{
    memcpy(firstseed, att[attindex], bytesL);
    if (attindex == attperiod)
        linec = black;
    insegloop = 0;
    justonepreimage = 0;
    maxtreefan = 0;
    maxtreelevel = 0;
    totsubtree = 0;
    run_backward();
    tree_stop stop = stop_of_tree();
    if (stop == tree_stop::quit) {
        earlyexit = 1;
        return false;
    }
    if (stop == tree_stop::next) {
        earlyexit = 1;
        return true;
    }
    if (earlyexit) {
        earlyexit = 0;
        tally.tree_skipped = true;
    }
    if (segfan && !build_segment_trees(tally))
        return false;
    add_tree_to_basin(tally);
    return true;
}

// "options-o layout-a:" in the status box; 'o' opens the options box, 'a'
// the layout editor, whose own 'o' opens it too.
void
pause_after_basin()
{
    status_box_key_prompt("options-o layout-a:");
    if (is[0] == 'a')
        amend_layout();
    if (is[0] == 'o')
        open_options_box();
}

// The two-line summary of the basin, the time and the pause.
void
show_basin_summary(const basin_tally &tally, bool marked, uint32_t placed,
                   const timeval &start)
{
    char first[160];
    const char *mark = marked ? "EARLY EXIT " : "";
    if (!basinfield) {
        snprintf(first, sizeof first, "%sequiv basins=%u ", mark, basinno);
    } else {
        snprintf(first, sizeof first, "%sbasin %u, equiv basins=%u ", mark, basintypeno,
                 basinno);
        if (basinno && placed / basinno != basinsize) {
            size_t used = strlen(first);
            snprintf(first + used, sizeof first - used, "ERROR count=%lu",
                     static_cast<unsigned long>(placed));
        }
    }
    char second[200];
    snprintf(second, sizeof second, "period=%lu size=%lu=%.3g%% g=%lu=%.3g ml=%u mp=%lu",
             static_cast<unsigned long>(attperiod), static_cast<unsigned long>(basinsize),
             basin_share(), static_cast<unsigned long>(tally.g), basingofEdensity, maxbasinlevel,
             static_cast<unsigned long>(maxbasinfan));
    std::string elapsed;
    if (!basinfield || successive_basins)
        elapsed = format_elapsed_since(start);
    int16_t x = getx, y = gety;
    int colour = getcolor();
    // A stopped tree left the status box cleared and framed for the prompts
    // of the build; a single basin has no further use for it.
    if (marked && !basinfield && mouse_found)
        erase_memory_box();
    // The attractor's hex stays on the first line, shortened with "..." (a
    // state of a large network wraps over the lines below); the time goes
    // on a third line where the second has no room for it.
    std::string head = std::string(first) + "att(hex)=";
    std::string last = second + elapsed;
    {
        prompt_font font({head + "... ", second});
        int room = prompt_box_text_room();
        bool time_apart = text_width_in_use(last.c_str()) > room;
        // A summary of three lines before is taken away whole under one of
        // two.
        int16_t margin = replace_prompt_box(time_apart ? 3 : 2);
        setcolor(white);
        outtext(head.c_str());
        std::string att_hex = hex_bytes_within(att[1], hex_string_bytes(0, 0),
                                               room - text_width_in_use(head.c_str()));
        outtext(att_hex.c_str());
        moveto(margin, gety + CHeight);
        outtext(time_apart ? second : last.c_str());
        if (time_apart) {
            moveto(margin, gety + CHeight);
            outtext(elapsed.c_str());
        }
    }
    event_ready();
    setcolor(colour);
    moveto(x, y);
    if (basinfield)
        pause_after_basin();
    else if (rangeL && lineL == endL)
        open_options_box();
    else if (rangeL && datapause)
        pause_after_basin();
}

void
write_basin_data_line(const basin_tally &tally)
{
    if (!pdata && !filedata)
        return;
    if (tally.tree_skipped)
        earlyexitbasin = 1;
    std::string line = compose_basin_data_line(tally, basinfield != 0);
    if (pdata)
        print_out(line.c_str());
    if (filedata)
        save_data(line.c_str());
}

} // namespace

void
free_basin_memory()
{
    if (!basinfield) {
        if (exhaustive_testing)
            free_successor_table();
        else if (nonlocal || nhood_mixed)
            free_pre_rand();
    }
    free_segment_list();
    checked_free(segx);
    checked_free(segy);
    segx = segy = nullptr;
    checked_free(cyclex);
    checked_free(cycley);
    cyclex = cycley = nullptr;
    free_att();
}

void
draw_att_state(int mode)
{
    if (!mouse_found || !cyclex)
        return;
    uint32_t last = last_att_state(mode);
    int16_t x = getx, y = gety;
    hilight_learn = hilight_frame;
    for (uint32_t i = attperiod; i >= last && i >= 1; i--) {
        if (i >= att_placed.size() || !att_placed[i])
            continue;
        write_top_state_pattern(cyclex[i], cycley[i], att[i], yellow, hilight_learn);
    }
    hilight_learn = hilight_off;
    moveto(x, y);
}

bool
run_draws_rule_box()
{
    return rule_box_stands() && ((!basinfield && !rangeL) || successive_basins);
}

void
draw_basin()
{
    justonepreimage_found = 0;
    timeval start;
    gettimeofday(&start, nullptr);
    start_matrix();
    earlyexit = 0;
    uint32_t progbar_at_start = progbar;
    if (!basinfield) {
        if (exhaustive_testing == exhaustive_table) {
            // Without its table the basin would have no trees: a basin the
            // user backed out of is not drawn at all.
            prestate_successor_pairs();
            if (is[0] == 'q') {
                free_basin_memory(); // is[0] stays 'q': the run ends
                return;
            }
        }
        if (general_method_needed())
            prepair_pre_rand();
    }
    totsubtree = 0;
    if (run_draws_rule_box())
        show_rule_bottom(nhood, 1, carule[0], 0);
    cyclex = static_cast<int16_t *>(checked_calloc(attperiod + 1, sizeof(int16_t), "cyclex"));
    cycley = static_cast<int16_t *>(checked_calloc(attperiod + 1, sizeof(int16_t), "cycley"));
    start_basin_area();
    clip_to_basin_area();
    draw_cycle();
    // The cycle and the circles of its states (the loop of a point
    // attractor included) stay within the reach of level 0.
    if (mouse_found) {
        int r = static_cast<int>(basin_reach(0, 1.0f)) + 1;
        extend_drawn_box(ox - r, oy - r, ox + r, oy + r);
    }
    bool compressed = !dontcompress && !rulemix && exhaustive_testing != exhaustive_random_map &&
                      (!nonlocal || compress_1d_local || regular2d);
    set_basin_rotation(compressed);
    start_basin_totals();
    if (show_one_att_state) {
        place_att_states();
        draw_att_state(1);
    }
    basin_tally tally;
    uint32_t trees = attperiod / static_cast<uint32_t>(cyclematch);
    bool quit = false;
    for (attindex = attperiod; attindex > attperiod - trees; attindex--)
        if (!build_trees_of_root(tally)) {
            quit = true;
            break;
        }
    write_node_labels();
    const bool field_stopped = quit && basinfield;
    // The attractor's states again over the trees' edges, inside the
    // basins' clip as the first time: past it they would run into the
    // rule box.
    if (show_one_att_state && !field_stopped)
        draw_att_state(show_one_att_state);
    end_basin_clip();
    if (field_stopped) {
        if (meta_graph)
            basintypeno--;
        free_basin_memory();
        is[0] = 'q';
        return;
    }
    close_basin(tally);
    bool summary =
        datapause || (!basinfield && (!screensavedemo || gd_z_graph == sweep_graph_size));
    // A stop of the last tree marks the basin too, data line included: no
    // file records a basin cut short as complete.
    if (earlyexit)
        tally.tree_skipped = true;
    bool marked = tally.tree_skipped;
    if (marked)
        earlyexitbasin = 1;
    if (summary && mouse_found)
        show_basin_summary(tally, marked, progbar - progbar_at_start, start);
    write_basin_data_line(tally);
    if (basinfield) {
        add_basin_to_field(tally);
        // A field redrawn inside the jump graph's nodes adds no types to
        // the table the graph was built from.
        if (meta_graph && !use_preset_basin_pos)
            add_basin_type(attperiod, basinsize, att);
    }
    char key = quit ? 'q' : is[0];
    free_basin_memory();
    // Drawn again over what the attractor search's pattern took of it.
    if (rule_box_stands() && !basinfield && !rangeL)
        show_rule_bottom(nhood, 0, carule[0], 0);
    if (!basinfield && see_ppstack && (nonlocal || nhood_mixed))
        show_average_pp_hist();
    is[0] = key;
}
