// The basin field (draw_field, print_field_data; declared in run_drivers.h):
// every state number scanned in ascending order, each one no earlier basin
// placed seeding a forward run that finds its attractor and draws its basin
// (draw_basin, which with the tree builder marks every state it places in
// tickoff); then the time, the count check, the random map's period table
// and the jump graph when asked. In neutral-order mode the field scans the
// update orders instead (engine/backward/neutral_buffers.h), each order not
// yet placed rooting the subtree run of its component, and ends with the
// component table (ui/backward/neutral_info.h). The bookkeeping is the
// engine's (engine/backward/basin_totals.h). Start at draw_field.
#include <sys/time.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/backward/basin_layout.h"
#include "engine/backward/basin_types.h"
#include "engine/backward/field_fit.h"
#include "engine/backward/basin_totals.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/backward/neutral_components.h"
#include "engine/backward/preimages_general.h"
#include "engine/backward/preimages_local.h"
#include "engine/backward/successor_table.h"
#include "engine/backward/tree_levels.h"
#include "engine/forward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "ui/backward/fan_drawing.h"
#include "ui/backward/globals.h"
#include "ui/backward/neutral_info.h"
#include "ui/backward/ppstack_hist.h"
#include "ui/backward/progress_bar.h"
#include "ui/backward/stop_prompts.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/backward/successor_pairs.h"
#include "ui/driver/options_box.h"
#include "ui/driver/run_drivers.h"
#include "ui/forward/run_forward.h"
#include "ui/graphs/meta_graph.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/label_places.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/storage/data_lines.h"

namespace {

// 1 when the last field scanned the update orders: its summary counts
// components.
bool field_was_neutral = false;

// A field fitted to the drawing area (fit_field_layout): its basins placed
// row by row at their measured sizes, the radii scaled by the largest
// factor up to 1 at which the whole field fits one page; the layout's radii
// are put back when the field ends.
struct fitted_field {
    bool on = false;
    bool last = false;   // the last field was fitted
    field_area area{};
    node_reach node{};
    int gap = 0;
    shelf rows;
    int page = 0;
    float startrad = 0;  // the layout's own start radius
    int bottom = -1;     // the lowest row the last fitted field's basins reach
} fitted;

// The graph window a field redrawn in the jump graph's nodes is kept in
// (redraw_field_in_graph); nullptr otherwise.
const field_area *graph_window = nullptr;

// The row the next field of a size range is fitted to (set_range_row_area).
bool range_row_set = false;
field_area range_row{};

// The basins drawn by the last field.
std::vector<field_basin_box> basin_boxes;

void
write_outputs(const char *text, uint8_t level_needed)
{
    if (pdata >= level_needed)
        print_out(text);
    if (filedata >= level_needed)
        save_data(text);
}

// A state space beyond 32-bit state numbers cannot be scanned: said, and
// the field ends as if stopped.
void
refuse_field(const char *text)
{
    earlyexitfield = 1;
    mutantdontpause = 0;
    is[0] = 'q';
    if (!mouse_found)
        return;
    draw_prompt_box(1);
    outtext(text);
    input_string(1, text_entry);
    erase_prompt_box(1);
    is[0] = 'q';
}

// The tick of a new basin on the progress bar.
void
tick_progress_bar(uint32_t s)
{
    if (!mouse_found)
        return;
    float share = static_cast<float>(barxr - barxl) * (static_cast<float>(s) + 1.0f) /
                  (static_cast<float>(statespace) + 1.0f);
    int x = barxl + static_cast<int>(share);
    moveto(x, baryt - 2);
    lineto(x, baryb + 2);
    note_progress_bar_drawn_over();
}

// Rotations of a ring's basin are drawn once (the tree builder's
// compression) on a local ring without rule mix or random map.
bool
ring_compressed()
{
    return !twod && !regular2d && (!nonlocal || compress_1d_local) && !dontcompress && !rulemix &&
           exhaustive_testing != exhaustive_random_map;
}

// Whether the general pre-image method's stack histogram stands in the
// window's lower part while the basins are drawn.
bool
stack_histogram_shown()
{
    return see_ppstack != see_ppstack_off && general_method_needed();
}

} // namespace

field_area
basin_area()
{
    int top = std::max<int>(prompt_box_bottom(3), progress_bar_bottom()) + vgay(3);
    int bottom = tallest_rule_box_top() - vgay(3);
    // Each attractor search clears the space-time pattern's columns: a
    // basin drawn there would be cut to pieces by the next one. A pattern
    // wider than half the window leaves the basins the right half.
    int left = stp ? std::min(pattern_columns_right() + vgax(3), Maxx / 2) : 3;
    return {left, top, Maxx - 3, bottom};
}

field_area
above_stack_histogram(field_area area, int gap)
{
    if (stack_histogram_shown())
        area.bottom = std::min(area.bottom, ppstack_frame_top() - gap);
    return area;
}

void
keep_single_basin_above_boxes()
{
    if (!mouse_found)
        return;
    if (gd_z_graph) {
        const field_area strip = sweep_run_strip();
        keep_basins_inside(&strip);
        return;
    }
    if (!(rule_box_stands() || stack_histogram_shown()))
        return;
    const field_area area = above_stack_histogram(basin_area(), vgay(3));
    keep_basins_inside(&area);
}

namespace {

// The radii from the layout's start radius times factor; filled afresh they
// may come out a pixel wider than the factor gave them, so a little less
// until fits() holds at them, but not below smallest.
template <typename Fits>
void
scale_radii(float factor, float smallest, Fits fits)
{
    for (int i = 0; i < 20; i++) {
        startrad = fitted.startrad * factor;
        fill_level_radii();
        if (factor <= smallest || fits())
            break;
        factor *= 0.99f;
    }
}

// The smallest share of the layout's start radius a field is scaled to: a
// start radius of 2 pixels.
float
smallest_radius_factor()
{
    return startrad > 2 ? 2 / startrad : 1.0f;
}

// The stop of the field's measure (field_fit.h), asked every few thousand
// states: a 'q' waiting opens the field's stop prompt, and its 'q' (left in
// is[0]) stops the measure and the field; another key is dropped, is[0]
// kept. The poll ends the program on an end signal or a closed window.
bool
measure_stopped()
{
    if (!(mouse_found && window_poll_due()))
        return false;
    const char before = is[0];
    if (!event_ready())
        return false;
    if (is[0] != 'q') {
        is[0] = before;
        return false;
    }
    return ask_stop_key(1) == 'q';
}

// A field redrawn in the jump graph's nodes: each basin goes to its node,
// and all are scaled down together (never enlarged) until each, centred on
// its node, lies whole inside the graph window. The basins of a field too
// large to measure keep the layout's radii and are cut at the window.
void
begin_basins_at_nodes()
{
    if (!graph_window || !mouse_found || !basin_pos || !rad || !lastlevel ||
        !measure_field_shape(measure_stopped))
        return;
    std::vector<uint32_t> depths = drawn_basin_depths(ring_compressed());
    // Basins past the last node have no node of their own.
    std::vector<basin_centre> centres;
    for (uint32_t k = 1; k <= node_no && k <= depths.size(); k++)
        centres.push_back({basin_pos[k][0], basin_pos[k][1]});
    depths.resize(centres.size());
    fitted.startrad = startrad;
    fitted.node = node_drawing_reach();
    const float smallest = smallest_radius_factor();
    scale_radii(centred_radius_factor(depths, centres, *graph_window, fitted.node, smallest), smallest,
                [&] { return centred_basins_fit(depths, centres, *graph_window, fitted.node, 1.0f); });
    // On, so that the field's end puts the layout's radii back; the places
    // are the nodes', and no fitted area is reported.
    fitted.on = true;
}

// Measures the field and scales the radii so that it fits the drawing area
// (fitted), when the layout kept its defaults and the field is a plain one
// or the neutral-order field (its components measured from the wiring,
// each drawn as a subtree from its smallest order).
void
begin_fitted_field(bool neutral)
{
    fitted.on = fitted.last = false;
    if (use_preset_basin_pos) {
        begin_basins_at_nodes();
        return;
    }
    if (!fit_field_layout || !mouse_found || (rangeL && !range_row_set) || gd_z_graph ||
        mutant_layout || successive_basins || screensavedemo || !rad || !lastlevel)
        return;
    fitted.area = range_row_set ? range_row : basin_area();
    // The component table that ends a neutral field stands at the window's
    // right: the components keep left of its box.
    if (neutral)
        fitted.area.right = std::min(fitted.area.right, component_table_left() - vgax(3));
    fitted.node = node_drawing_reach();
    fitted.gap = vgax(4);
    // Of a neutral field no more components are measured than one page
    // could hold: a field of more does not fit one page at any radius.
    if (!(neutral ? measure_neutral_field_shape(templineL, most_boxes_on_page(fitted.area, fitted.gap))
                  : measure_field_shape(measure_stopped)))
        return;
    fitted.startrad = startrad;
    // Not below a start radius of 2 pixels: a field too large for one
    // page at that goes on on further pages.
    const float smallest = smallest_radius_factor();
    std::vector<uint32_t> depths = drawn_basin_depths(!neutral && ring_compressed());
    scale_radii(fitting_radius_factor(depths, fitted.area, fitted.node, fitted.gap, smallest), smallest,
                [&] { return field_fits(depths, fitted.area, fitted.node, fitted.gap, 1.0f); });
    start_shelf(fitted.rows, fitted.area);
    fitted.page = 0;
    fitted.on = fitted.last = true;
}

// The layout's own radii back.
void
end_fitted_field()
{
    if (!fitted.on)
        return;
    startrad = fitted.startrad;
    fill_level_radii();
    forget_field_shape();
    fitted.on = false;
    fitted.bottom = fitted.rows.row_top + fitted.rows.row_height;
}

// The area of a fitted field's page.
field_area
page_area()
{
    return above_stack_histogram(fitted.area, fitted.gap);
}

// The centre of the basin of state in a fitted field: right of the last,
// or on a new row, or at the top of a cleared area when the area is full.
void
place_fitted_basin(uint32_t state)
{
    node_reach box = basin_box(basin_depth_of(state), 1.0f, fitted.node);
    int x, y;
    const field_area area = page_area();
    if (!place_on_shelf(fitted.rows, area, box, fitted.gap, &x, &y)) {
        int colour = getcolor();
        setfillstyle(0, black);
        bar(fitted.area.left, fitted.area.top, fitted.area.right, fitted.area.bottom);
        // The boxes the run's keys put over the basins' area start again
        // empty and whole on the new page: the clear took most of them.
        if (show_ss_matrix)
            show_statespace_matrix(nullptr);
        redraw_ppstack_frame();
        setcolor(colour);
        start_shelf(fitted.rows, fitted.area);
        fitted.page++;
        place_on_shelf(fitted.rows, area, box, fitted.gap, &x, &y);
    }
    ox = static_cast<int16_t>(x);
    oy = static_cast<int16_t>(y);
}

// The basin cursor for the next basin, whose scan starts at state: at its
// graph node's position when the field is redrawn for the attractor graph,
// in a fitted field where its size finds room, else the first where the
// layout put it and the others along the rows.
void
place_basin(uint32_t state)
{
    if (use_preset_basin_pos) {
        if (basin_pos && basintypeno <= node_no) {
            ox = basin_pos[basintypeno][0];
            oy = basin_pos[basintypeno][1];
        }
        return;
    }
    if (fitted.on && fit_field_layout) {
        place_fitted_basin(state);
        return;
    }
    if (basintypeno < 2)
        return;
    if (successive_basins) {
        if (mouse_found) {
            clearviewport();
            progress_bar();
            // The stack histogram's bars go on into a frame.
            redraw_ppstack_frame();
        }
        ox = firstox;
        oy = firstoy;
        return;
    }
    // The rows wrap inside the area the field's basins are kept in, as they
    // wrap inside the window: a basin placed past it (below a sweep's strip,
    // over the sweep graph) would be cut away whole, its root mark left on
    // what lies there.
    const field_area *kept = basins_kept_inside();
    advance_basin_cursor(static_cast<int16_t>(kept ? kept->right : Maxx),
                         static_cast<int16_t>(kept ? kept->bottom : Maxy));
}

// The range prompt after a stop: true when the user stops the range.
bool
stop_prompt_of_range()
{
    if (!rangeL || !mouse_found)
        return false;
    for (;;) {
        draw_prompt_box(1);
        outtext("getout-q, options-o, nextfield-RET:");
        input_string(1, text_entry);
        if (is[0] == 'o') {
            finish_options(1);
            continue;
        }
        erase_prompt_box(1);
        return is[0] == 'q';
    }
}

// "ERROR excess states=%ld" in the prompt box, waiting for a key, when the
// basins did not place every state once: the box clears its place first (a
// last field's summary of two lines standing there goes whole) and is taken
// down after, so the line crosses no basin and no later basin crosses it.
void
check_count()
{
    uint64_t states = static_cast<uint64_t>(statespace) + 1;
    if (progbar == states || !mouse_found)
        return;
    char text[80];
    snprintf(text, sizeof text, "ERROR excess states=%ld",
             static_cast<long>(static_cast<int64_t>(progbar) - static_cast<int64_t>(states)));
    int16_t x = getx, y = gety;
    replace_prompt_box(1);
    outtext(text);
    input_string(1, text_entry);
    erase_prompt_box(1);
    moveto(x, y);
}

// The period table of a random map, in the rule box under the map's own
// line, its columns right of the longer label so that no text covers another;
// a column is 3 characters wide, or one more than its widest count.
void
show_period_table()
{
    if (!mouse_found)
        return;
    const char *labels[2] = {"cycle period: ", "cycle frequency: "};
    int label_x = vgax(230);
    int label_width = text_pixel_width(labels[1], static_cast<int>(strlen(labels[1])));
    int first_column = std::max<int>(vgax(300), label_x + label_width);
    char text[20];
    int column_chars = 3;
    for (int i = 0; i < 10; i++)
        column_chars = std::max(column_chars, 1 + snprintf(text, sizeof text, "%d",
                                                           static_cast<int>(cycles[i < 9 ? i + 1 : 0])));
    for (int row = 0; row < 2; row++) {
        int y = rule_box_top + (row + 1) * CHeight;
        moveto(label_x, y);
        outtext(labels[row]);
        for (int i = 0; i < 10; i++) {
            moveto(first_column + i * column_chars * CWidth, y);
            if (row == 0)
                snprintf(text, sizeof text, i < 9 ? "%d" : "10+", i + 1);
            else
                snprintf(text, sizeof text, "%d ", static_cast<int>(cycles[i < 9 ? i + 1 : 0]));
            outtext(text);
        }
    }
}

// Step over every state; false when the user stopped the scan.
bool
scan_state_space()
{
    // 64 bits: tickspace may be 2^32-1. Most states are placed by the
    // basins before them, and passed a word at a time.
    const uint64_t end = uint64_t(tickspace) + 1;
    for (uint64_t s = next_clear_bitlong(tickoff, 0, end); s < end; s = next_clear_bitlong(tickoff, s + 1, end)) {
        uint32_t state = static_cast<uint32_t>(s);
        basintypeno++;
        tick_progress_bar(state);
        place_basin(state);
        memcpy(bitseed, all_0s, bytesL);
        dec_to_value_line(bitseed, state, lineL);
        memcpy(A, bitseed, bytesL);
        start_drawn_box();
        if (neutral_order)
            upstream_only();
        else
            run_forward(carule);
        if (mouse_found && !drawn_box_so_far().empty)
            basin_boxes.push_back({drawn_box_so_far(), fitted.page});
        if (stp) {
            moveto(0, 0);
            nowscrolling = 0;
        }
        if (is[0] == 'q')
            return false;
    }
    return true;
}

// What a field set up at its start and undoes at its end, passed from
// phase to phase of draw_field.
struct field_run {
    timeval start{};
    bool neutral = false;      // the field of update orders (neutral-order mode)
    uint32_t single_limit = 0; // the history limit of single runs, put back at the end
    bool table_kept = false;   // the successor table is the jump graph's: left to it
    bool general = false;      // the general pre-image method's tables were built
    bool local = false;        // the local method's run tables were built
    bool rule_box = false;     // the rule box stands at the window's foot
};

// How the scan of the field ended.
enum class field_end {
    scanned,       // every state placed
    stopped,       // the user stopped the field
    range_stopped, // ... and the size range at its stop prompt
};

// A field whose states cannot be counted is refused: more than 12 cells of
// update orders, or more than 2^32-1 states. True when refused.
bool
field_refused(bool neutral)
{
    if (neutral && lineL > kMaxNeutralCells) {
        neutral_order = 0;
        refuse_field("field too large: n! orders above 12!, cont-ret:");
        return true;
    }
    if (!neutral && !set_field_state_space()) {
        refuse_field("field too large: v^n above 2^32-1 states, cont-ret:");
        return true;
    }
    return false;
}

// The field's counts, its unbounded attractor search and the successor
// table; false when the user backed out of the table (the field ends as
// stopped, its counts freed).
bool
start_field(field_run &run)
{
    // The basin types the jump graph counts; a field redrawn inside the
    // graph's nodes leaves the graph's own table alone.
    if (meta_graph && !run.neutral && !use_preset_basin_pos)
        start_basin_types();
    start_field_totals();
    // The attractor search of a field is not bounded by the history limit
    // of single runs: every basin of the field must be found.
    run.single_limit = limitcheck;
    limitcheck = statespace == UINT32_MAX ? UINT32_MAX : statespace + 1;
    if (show_ss_matrix && mouse_found)
        show_statespace_matrix(nullptr);
    // A field redrawn inside the graph's nodes takes the successor table
    // the graph was counted with (a random map made anew would be another
    // network) and leaves it to the field that opened the graph.
    run.table_kept = use_preset_basin_pos && exhaustive_testing && exh_pairs;
    if (!exhaustive_testing || run.table_kept)
        return true;
    prestate_successor_pairs();
    if (is[0] != 'q')
        return true;
    earlyexitfield = 1;
    mutantdontpause = 0;
    limitcheck = run.single_limit;
    if (!use_preset_basin_pos)
        free_basin_types();
    is[0] = 'q';
    return false;
}

// The field's places: no basin drawn yet, its labels anew, and a plain
// field measured and fitted to the drawing area. A 'q' answered in the
// measure's stop prompt stays in is[0]: the field ends before its first
// basin, as stopped.
void
start_field_places(const field_run &run)
{
    basin_boxes.clear();
    // The field's node labels stand where no other of its labels is.
    forget_label_places();
    fitted.page = 0;
    if (!run.neutral)
        begin_fitted_field(false);
}

// The pre-image method's tables, built once for the whole field rather
// than for every tree.
void
start_preimage_tables(field_run &run)
{
    // Decided once: the order space sets nonlocal while it lasts.
    run.general = general_method_needed();
    run.local = !exhaustive_testing && !run.general && !run.neutral && !nonlocal;
    if (run.general)
        prepair_pre_rand();
    else if (run.local)
        allocate_local_arrays();
}

// The rule box at the window's foot while the field is drawn, or none. A
// size range draws the box before each of its fields, with the size.
void
show_field_rule_box(field_run &run)
{
    run.rule_box = rule_box_stands();
    if (!mouse_found || rangeL)
        return;
    if (run.rule_box)
        show_rule_bottom(nhood, 1, carule[0], 0);
    else
        // With no rule box the field's basins take the whole area: a box
        // still standing from a screen before goes, or they are drawn over
        // its texts.
        clear_standing_rule_bottom();
}

// The area the field's basins are cut at.
void
keep_field_inside(const field_run &run)
{
    // Below the rule box and the boxes at the top, a basin reaching past
    // the area is cut at its edge rather than drawn over them. A field in
    // the jump graph's nodes or in a mutation's layout has places of its
    // own, and the state-space matrix is drawn state by state between the
    // basins' shapes: those are cut a little inside the drawing area, as
    // the area above is at its sides, rather than run off the window (the
    // jump graph's window sets a frame of its own). A field without the
    // rule box (a network of mixed rules) is cut there too. Both stay below
    // the boxes at the top: the progress bar stands there while the field
    // is drawn, and a basin reaching up would cross its frame and fill, or
    // be cleared by it, drawn again after a pause, but for its feet. A
    // sweep's fields stay in the strip above the sweep graph, where its
    // fans are drawn: their labels too, or they would stand over the graph
    // and outside the strip the next point clears.
    // The field's own area and the drawing area stop above the stack
    // histogram while it is shown.
    field_area kept_area = above_stack_histogram(basin_area(), vgay(3));
    const bool own_places = gd_z_graph || mutant_layout || use_preset_basin_pos || show_ss_matrix;
    // The state-space matrix stands above the rule box: its basins stop
    // there too while the field shows the box.
    const bool above_box = run.rule_box && show_ss_matrix;
    const field_area drawing_area = above_stack_histogram(
        {own_places ? 3 : kept_area.left, kept_area.top, Maxx - 3,
         above_box ? kept_area.bottom : Maxy - 3},
        vgay(3));
    const field_area sweep_strip = sweep_run_strip();
    if (run.rule_box && !own_places)
        keep_basins_inside(&kept_area);
    else if (gd_z_graph && !graph_window)
        keep_basins_inside(&sweep_strip);
    else if (!graph_window)
        keep_basins_inside(&drawing_area);
}

// The data lines' headers, the order space's components, the progress bar,
// then every state scanned, the range's stop prompt after a stop.
field_end
scan_field(const field_run &run)
{
    write_outputs("ty.  at  no  (p)  s  %  g  gd  ml  mp\n", 1);
    write_outputs("   tree. root  no  s  g  gd  ml  mp\n", 2);
    if (run.neutral) {
        reset_neutral_buffs();
        // Measured in the order space, where a node shows an order index.
        begin_fitted_field(true);
        tickspace = statespace;
        start_component_types();
    }
    tickoff = static_cast<uint8_t *>(
        checked_calloc(static_cast<size_t>(tickspace) / 8 + 1, 1, "tickoff"));
    if (mouse_found)
        progress_bar();
    // The field's trees share the level lists, allocated once for them all.
    hold_level_lists(true);
    const bool finished = is[0] == 'q' ? false : scan_state_space();
    hold_level_lists(false);
    field_end end = field_end::scanned;
    if (!finished) {
        end = stop_prompt_of_range() ? field_end::range_stopped : field_end::stopped;
        earlyexitfield = 1;
        mutantdontpause = 0;
    }
    checked_free(tickoff);
    tickoff = nullptr;
    return end;
}

// After the scan: the layout's radii back, the rule box drawn again over
// what the attractor searches' patterns took of it (the order space's runs
// draw no pattern), the time and the count check, the stack histogram's
// average, the random map's period table; is[0] is left 'q' when the field
// waits for a key or was stopped with its range.
void
close_field(const field_run &run, field_end end)
{
    keep_basins_inside(nullptr);
    end_fitted_field();
    if (run.rule_box && !rangeL && !run.neutral)
        show_rule_bottom(nhood, 0, carule[0], 0);
    textb[2][0] = 0;
    if (!earlyexitfield) {
        snprintf(textb[2], 80, "%s", format_elapsed_since(run.start).c_str());
        check_count();
    }
    is[0] = end == field_end::range_stopped || (end == field_end::scanned && fieldpause == 1) ? 'q' : 0;
    if (see_ppstack && (nonlocal || nhood_mixed))
        show_average_pp_hist();
    if (exhaustive_testing == exhaustive_random_map)
        show_period_table();
}

// The component table of the order space, the jump graph's table, then
// every table the field built freed and the single runs' settings back.
void
release_field(const field_run &run)
{
    if (run.neutral)
        show_neutral_info();
    // The jump graph counts its jumps with the successor table: it is built
    // before the table goes.
    if (meta_graph && !use_preset_basin_pos && !earlyexitfield && !run.neutral)
        meta_graph_table(0, nullptr, graph_field);
    if (!use_preset_basin_pos)
        free_basin_types();
    use_preset_basin_pos = 0;
    if (exhaustive_testing && !run.table_kept)
        free_successor_table();
    else if (run.general)
        free_pre_rand();
    else if (run.local)
        free_local_arrays();
    neutral_order = 0;
    limitcheck = run.single_limit;
}

} // namespace

void
draw_field()
{
    field_run run;
    gettimeofday(&run.start, nullptr);
    run.neutral = neutral_order == 1;
    field_was_neutral = run.neutral;
    if (field_refused(run.neutral) || !start_field(run))
        return;
    start_field_places(run);
    start_preimage_tables(run);
    show_field_rule_box(run);
    keep_field_inside(run);
    close_field(run, scan_field(run));
    // The key the field ended with, whatever the tables after it read.
    const char key = is[0];
    release_field(run);
    is[0] = key;
}

void
set_range_row_area(const field_area *area)
{
    range_row_set = area != nullptr;
    if (area)
        range_row = *area;
}

int
last_fitted_field_bottom()
{
    return fitted.last ? fitted.bottom : -1;
}

const std::vector<field_basin_box> &
last_field_boxes()
{
    return basin_boxes;
}

bool
last_field_area(field_area *area)
{
    if (!fitted.last)
        return false;
    *area = fitted.area;
    return true;
}

namespace {

// The field summary in a prompt box of two lines, each cut to the box's
// text room (a large network's sizes and the time make a long second
// line); prompt, when given, ends the second line whole, with room for the
// entry's block after it. The point is left after the last text.
void
show_field_summary(std::string counts, std::string size, std::string g, const char *prompt = "")
{
    int16_t margin = replace_prompt_box(2); // a basin's summary of three lines goes whole
    const int top = gety;
    const int right = margin + prompt_box_text_room();
    setcolor(white);
    counts.pop_back();
    text_line(margin, right, top, counts);
    size.pop_back();
    g.pop_back();
    // One line on the screen, two in the data file: a blank between.
    const int prompt_room = *prompt ? text_width_in_use(prompt) + CWidth : 0;
    text_line(margin, right - prompt_room, top + CHeight, size + ' ' + g + textb[2]);
    outtext(prompt);
}

} // namespace

void
print_field_data()
{
    std::string counts = field_was_neutral ? compose_component_count() : compose_field_counts();
    std::string size = compose_field_size_line();
    std::string g = compose_field_g_line();
    // One append of the whole summary: a failed one leaves none of it.
    write_outputs((counts + size + g + "\n").c_str(), 1);
    if (!mouse_found)
        return;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    show_field_summary(counts, size, g);
    setcolor(colour);
    moveto(x, y);
    event_ready();
}

void
redraw_field_in_graph(const field_area &window)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    // Kept inside the window: the basins are scaled to it, and cut at its
    // frame should even the smallest radius not fit.
    graph_window = &window;
    keep_basins_inside(&window);
    // No state-space matrix: its box stands at the drawing area's bottom
    // right, over the graph window's frame and the basins in its nodes.
    const uint8_t matrix_shown = show_ss_matrix;
    show_ss_matrix = 0;
    draw_field();
    show_ss_matrix = matrix_shown;
    keep_basins_inside(nullptr);
    graph_window = nullptr;
    show_field_summary(compose_field_counts(), compose_field_size_line(), compose_field_g_line(),
                       " cont-ret:");
    do
        input_string(1, single_key_entry);
    while (is[0] != kKeyReturn);
    setcolor(colour);
    moveto(x, y);
}
