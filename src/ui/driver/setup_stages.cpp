// The staged set-up between the first screen and the runs: value range,
// size range, network size, neighbourhood, wiring, rule kind, rules and the
// network view. Each stage allocates what its answers size; 'q' at a stage's
// dialog steps back exactly one stage and frees what the abandoned stage
// allocated, so the user can walk back and forth without leaking. Start
// reading at run_setup_stages; each stage is one function returning the
// stage that follows.
#include "ui/driver/setup_stages.h"

#include <algorithm>
#include <cstdio>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/network_shape.h"
#include "engine/model/value_count_trie.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/driver/globals.h"
#include "ui/driver/run_part.h"
#include "ui/driver/startup.h"
#include "ui/model/cell_display.h"
#include "ui/model/network_size.h"
#include "ui/model/nhood_size.h"
#include "ui/rule_dialogs/rule_selection.h"
#include "ui/rules/rule_kind.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/storage/globals.h"
#include "ui/storage/side_files.h"
#include "ui/wiring/wiring_menu.h"
#include "ui/wiring_editor/network_view.h"
#include "ui/wiring_editor/wire_up.h"

namespace {

enum class stage {
    first_screen,
    value_range,
    size_range,
    network_size,
    neighbourhood,
    wiring,
    rule_kind,
    rules,
    network_view,
};

// The row of the text column where each stage began, to step back to it
// (moved with the text column when the window is resized).
window_row stage_line[9];
// Choices of the previous pass; a change makes the basin layout afresh.
uint8_t previous_rangeL = 0;
uint16_t previous_field_size = 0;
// Whether the code work buffers of the totalistic forward-only mode exist.
bool code_buffers_allocated = false;
// drawing_area_clears() when the rules stage began: a run since cleared the
// set-up's lines away and left its picture in their place.
uint32_t clears_at_rules_stage = 0;

void
remember_line(stage s)
{
    stage_line[static_cast<int>(s)] = remember_row(gety);
}

void
back_to_line(stage s)
{
    moveto(static_cast<int>(xtext * CWidth), row_now(stage_line[static_cast<int>(s)]));
}

stage
value_range_stage()
{
    if (value_range < 3)
        value_range = 2;
    next_line(xtext, 1);
    snprintf(textb[0], 150, "Value range (def %d, max 8):", value_range);
    myouttext(textb[0]);
    int len = input_string(1, text_entry);
    if (is[0] == 'q') {
        setpback_x_lines(2);
        return stage::first_screen;
    }
    if (is[0] >= '2' && is[0] <= '8')
        value_range = static_cast<int8_t>(is[0] - '0');
    echo_value_taken(len, value_range);
    set_value_range_limits(value_range, tot_only);
    if (!tot_only)
        allocate_mem_nhood_matrix(Maxnhood);
    setup_value_colors(1);
    erase_prompt_box(first_prompt_box_lines());
    show_multistate_color_key(1);
    return tot_only ? stage::network_size : stage::size_range;
}

void
free_value_colors()
{
    checked_free(color_v);
    color_v = nullptr;
}

stage
size_range_stage()
{
    next_line(xtext, 1);
    myouttext("range of network size-r, else-ret:");
    input_string(1, text_entry);
    if (is[0] == 'q') {
        free_value_colors();
        free_mem_nhood_matrix(Maxnhood);
        show_multistate_color_key(0);
        setpback_x_lines(1);
        return stage::value_range;
    }
    rangeL = is[0] == 'r' ? 1 : 0;
    if (rangeL != previous_rangeL) {
        previous_rangeL = rangeL;
        layout_notset = 1;
    }
    return stage::network_size;
}

stage
network_size_stage()
{
    show_multistate_color_key(0);
    j2d = i2d = 0;
    showbits_1d_as_2d = 0;
    if (basinfield && !rangeL) {
        select_linelength_31();
        if (is[0] != 'q' && lineL != previous_field_size) {
            previous_field_size = lineL;
            layout_notset = 1;
        }
    } else if (rangeL) {
        select_linelength_range();
    } else {
        select_linelength_singlebasin();
    }
    if (is[0] == 'q') {
        setpback_x_lines(1);
        if (tot_only) {
            free_value_colors();
            return stage::value_range;
        }
        erase_prompt_box(2);
        show_multistate_color_key(1);
        return stage::size_range;
    }
    allocate_mem_CA_states();
    if (!tot_only) {
        lastlevel = 90;
        rad = static_cast<float *>(checked_calloc(91, sizeof(float), "rad"));
        maxinhist = 0;
        reset_in_degree_counts(1);
    }
    return stage::neighbourhood;
}

stage
neighbourhood_stage()
{
    remember_line(stage::neighbourhood);
    select_nhood_size(0);
    if (is[0] == 'q') {
        checked_free(nhoodm);
        nhoodm = nullptr;
        free_mem_CA_states();
        if (!tot_only) {
            checked_free(rad);
            checked_free(pre_fan_freq);
            rad = nullptr;
            pre_fan_freq = nullptr;
            pre_fansize_freq_hist = 0;
        }
        setpback_x_lines(rangeL ? 1 : 0);
        return stage::network_size;
    }
    allocate_mem_tcode0(nhood);
    if (!tot_only) {
        allocate_mem_rule0(nhood);
        allocate_mem_rule0_extra(nhood);
        allocate_mem_all_0s_all_1s_rules(nhood);
    }
    return stage::wiring;
}

// What the neighbourhood stage allocated once k was known.
void
free_neighbourhood_arrays()
{
    checked_free(nhoodm);
    nhoodm = nullptr;
    free_mem_tcode0();
    if (!tot_only) {
        free_mem_rule0();
        free_mem_rule0_extra();
        free_mem_all_0s_all_1s_rules();
    }
}

// The wiring table and the value-count trie of the wiring stage.
void
free_wiring_arrays()
{
    if (!loc_twod_fonly)
        free_mem_wiring();
    free_v_code_arrays();
}

stage
wiring_stage()
{
    remember_line(stage::wiring);
    rules_set = false;
    select_wiring_options();
    if (is[0] == 'q') {
        free_neighbourhood_arrays();
        back_to_line(stage::neighbourhood);
        return stage::neighbourhood;
    }
    begin_wait_notice();
    set_up_v_code();
    end_wait_notice();
    erase_memory_box();
    if (twod)
        showbits_1d_as_2d = 0;
    if (!loc_twod_fonly) {
        allocate_mem_wiring();
        wire_up_network(1);
    }
    if (is[0] == 'q') {
        free_wiring_arrays();
        back_to_line(stage::wiring);
        return stage::wiring;
    }
    return stage::rule_kind;
}

stage
rule_kind_stage()
{
    back_to_line(stage::wiring);
    remember_line(stage::rule_kind);
    pdata = data_off;
    sep = 2;
    // What the later stages drew below the stage's line goes, the rule box
    // at the foot with it: no rule is in force here. The box goes whole
    // through the list of boxes, as in a short window the column reaches
    // down past its top and the clear below the line would leave its top
    // standing.
    take_box(box_owner::rule);
    setfillstyle(0, black);
    bar(0, gety + CHeight + 2, Maxx, Maxy);
    select_totalistic();
    if (is[0] != 'q')
        return stage::rules;
    if (loc_twod_fonly) {
        free_v_code_arrays();
        return stage::wiring;
    }
    show_w_r_scheme();
    if (is[0] == 'q') {
        free_wiring_arrays();
        return stage::wiring;
    }
    return stage::rule_kind;
}

// Glider rule lists known for (v, k): their rule counts.
void
set_glider_counts()
{
    if (!tot_only) {
        no_glider_rules[2][5] = 63;
        no_glider_rules[2][6] = 32;
        no_glider_rules[2][7] = 32;
        no_glider_rules[3][3] = 32;
        no_glider_rules[4][2] = 32;
        no_glider_rules[4][3] = 32;
        no_glider_rules[5][2] = 32;
    } else if (totalistic == rule_kind_kcodes) {
        no_glider_rules[3][6] = 23;
    }
}

// Whether a glider list exists for this network, judged by cell 0's k.
bool
has_glider_list()
{
    int v = value_range, k = nhoodm[0];
    if (tot_only)
        return totalistic == rule_kind_kcodes && v == 3 && k == 6;
    return (v == 2 && k >= 5 && k <= 7) || (v == 3 && k == 3) || (v == 4 && (k == 2 || k == 3)) ||
           (v == 5 && k == 2);
}

// The per-cell rules and codes a rules dialog made, and the
// outer-totalistic code rows (one per value of the cell itself).
void
free_rule_mixes()
{
    if (rulemix) {
        if (!tot_only)
            free_mem_rulemix();
        free_mem_tcodemix();
    }
    if (outer_tot == 1) {
        uint16_t n = lineL, last = L;
        lineL = static_cast<uint16_t>(value_range);
        L = static_cast<uint16_t>(value_range - 1);
        free_mem_tcodemix();
        lineL = n;
        L = last;
        outer_tot = 0;
    }
}

void
free_code_buffers()
{
    if (code_buffers_allocated) {
        free_mem_tcode0_extra();
        code_buffers_allocated = false;
    }
}

stage
rules_stage()
{
    exhaustive_testing = exhaustive_off;
    rulemix = 0;
    rules_set = true;
    remember_line(stage::rules);
    clears_at_rules_stage = drawing_area_clears();
    set_glider_counts();
    if (tot_only) {
        free_code_buffers();
        allocate_mem_tcode0_extra(nhood);
        code_buffers_allocated = true;
    }
    int16_t below = rule_selection();
    if (is[0] == 'q') {
        free_code_buffers();
        free_rule_mixes();
        rules_set = false;
        return stage::rule_kind;
    }
    if (has_glider_list())
        load_glider_buf(no_glider_rules[value_range][nhoodm[0]]);
    moveto(vgax(50), below);
    return stage::network_view;
}

// Stepping back from the network view to the rules stage: the lines the
// rules stage drew on the pass before (its rule dialog, the rule picture)
// go, so that the stage starts again on a clear column below its line and
// what it asks next is not written over them, nor over what the runs left
// there (a sweep's graph, down to the line of its labels). The rule box at
// the foot stays: it shows the rule still in force. A run's picture goes
// from below the prompt boxes at the top: the set-up's lines it took the
// place of are gone, and the clears of the stages stepped back to would cut
// through what it drew there (a basin's node patterns).
void
clear_rules_stage_lines()
{
    setfillstyle(0, black);
    const int box_top = std::max<int>(rule_box_top, tallest_rule_box_top());
    const bool run_picture = drawing_area_clears() != clears_at_rules_stage;
    bar(0, run_picture ? prompt_box_bottom(3) + 1 : text_column_clear_row(gety + CHeight), Maxx, box_top - 1);
}

stage
network_view_stage()
{
    remember_line(stage::network_view);
    if (!loc_twod_fonly)
        show_w_r_scheme();
    secondpart = 1;
    if (is[0] == 'q') {
        free_rule_mixes();
        rules_set = false;
        back_to_line(stage::rules);
        clear_rules_stage_lines();
        secondpart = 0;
        return stage::rules;
    }
    run_part();
    return stage::network_view;
}

} // namespace

void
run_setup_stages()
{
    stage s = stage::value_range;
    while (s != stage::first_screen) {
        switch (s) {
        case stage::value_range:
            s = value_range_stage();
            break;
        case stage::size_range:
            s = size_range_stage();
            break;
        case stage::network_size:
            s = network_size_stage();
            break;
        case stage::neighbourhood:
            s = neighbourhood_stage();
            break;
        case stage::wiring:
            s = wiring_stage();
            break;
        case stage::rule_kind:
            s = rule_kind_stage();
            break;
        case stage::rules:
            s = rules_stage();
            break;
        case stage::network_view:
            s = network_view_stage();
            break;
        case stage::first_screen:
            break;
        }
    }
    is[0] = 'q';
}
