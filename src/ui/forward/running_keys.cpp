// The key switch of a running pattern (running_keys.h): the gate, the change
// mark, the rule-change tail and the final poll, the walk of the key table
// (running_pattern_keys.h), and the groups "updating", "change rule", "rule
// samples", "change wiring", "change seed/size" and "miscellaneous" of that
// table; the presentation and analysis groups are display_keys.cpp. Reads and writes the run records, the forward, model and
// rules globals; changes rules through bit_flips (string_editors/), states
// through the reset routines, and the wiring and size through the driver's
// registered network changes. Start at interrupt_stp.
#include "ui/forward/running_keys.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/forward/globals.h"
#include "engine/forward/pattern_reset.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/rules/globals.h"
#include "engine/rules/random_states.h"
#include "engine/wiring/globals.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/forward/display_keys.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/pattern_reset.h"
#include "ui/forward/pause_box.h"
#include "ui/forward/running_pattern_keys.h"
#include "ui/forward/space_time_display.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/rule_sampling.h"
#include "ui/measures/type_histograms.h"
#include "ui/measures/sample_rule.h"
#include "ui/model/cell_display.h"
#include "ui/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"
#include "ui/storage/last_rule.h"
#include "ui/string_editors/bit_flips.h"

namespace {

network_change_hooks hooks{};

// '<' doubles the delay up to this many polls, well inside 32 bits.
constexpr int32_t kMaxDelay = 1 << 24;

// The keys before which the change mark is drawn.
bool
marked_key(char key)
{
    return key && strchr("Crv[]RA1Zzwb2s4%kKoO56789gVBmPLUY", key);
}

void
panel(entropy_graph *eg, run_iteration *it)
{
    if (it->key_panel)
        interrupt_key_index(eg, it);
}

// A red line across the side plots at the current row, and the plane of a
// 2d+time (or scrolling 2d) view: where a change came.
void
draw_change_mark(entropy_graph *eg, run_iteration *it)
{
    if (eg->plot_on || eg->hist_mode) {
        draw_on_pixmap(it);
        setcolor(red);
        int y = gety;
        int16_t x = getx;
        const int left = side_plot_left(eg);
        if (eg->plot_on) {
            moveto(left, y);
            lineto(static_cast<int>(left + eg->w1), y);
        }
        if (eg->hist_mode) {
            moveto(left, y);
            lineto(static_cast<int>(left + eg->w2), y);
        }
        moveto(x, y);
        setcolor(white);
        draw_on_window();
    }
    if (d_mode == display_2d_time || (d_mode == display_2d && scrolling)) {
        int16_t x = getx, y = gety;
        moveto(static_cast<int>(it->frame_x), static_cast<int>(it->frame_y - 1));
        draw_axon_plane(it->cell_size, static_cast<int>(it->frame_y - 1));
        moveto(x, y);
    }
}

void
clear_damage_copy()
{
    if (diff_plot == diff_plot_keep && tempState)
        memset(tempState, 0, bytesL);
}

// What every new seed of the seed keys does after it: the damage copy, the
// count and the slant restart.
void
seed_restart(run_iteration *it)
{
    clear_damage_copy();
    it->time = 0;
    slant = -1;
}

// The run's history lines at the current bytesL.
void
allocate_last_states(run_iteration *it)
{
    it->lastA = static_cast<uint8_t **>(checked_calloc(frozen_gens, sizeof(uint8_t *), "it->lastA"));
    char label[32];
    for (int i = 0; i < frozen_gens; i++) {
        snprintf(label, sizeof label, "it->lastA[%d]", i);
        it->lastA[i] = static_cast<uint8_t *>(checked_calloc(bytesL, 1, label));
    }
}

void
free_last_states(run_iteration *it)
{
    if (!it->lastA)
        return;
    for (int i = 0; i < frozen_gens; i++)
        checked_free(it->lastA[i]);
    checked_free(it->lastA);
    it->lastA = nullptr;
}

// The graph-layout tables of the run, freed at the old size and made again
// at the new one.
void
reallocate_graph_layout(uint16_t old_n)
{
    if (stp_graph_layout) {
        for (size_t c = 0; c <= old_n; c++)
            checked_free(stp_graph_layout[c]);
        checked_free(stp_graph_layout);
    }
    checked_free(stp_graph_node_size);
    checked_free(stp_cell_color);
    graph_layout = 0;
    allocate_graph_layout_tables();
}

// 'i' and 'd': one cell added at the end or the last removed, in a 1d
// network shown as rows; the wiring of every cell stays within the new size.
void
change_size_by_one(int change, const running_pattern &p)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    if (!oned || d_mode != display_1d || diff_plot || att_hist ||
        exhaustive_testing == exhaustive_random_map)
        return;
    if (change < 0 && lineL <= 2)
        return;
    if (!hooks.can_resize_by_one || !hooks.wire_rule_extra_cell ||
        !hooks.can_resize_by_one(change))
        return;
    const uint16_t old_n = lineL;
    const int old_width = pattern_width(it);
    // The rows drawn so far keep their width: the page end clears as far
    // as the widest of them.
    it->old_rows_right = static_cast<int16_t>(
        std::min<int>(std::max<int>(it->old_rows_right, old_width), Maxx));
    set_run_viewport();
    // A plane stands over the pattern where the pattern is wide: the clears
    // below would take a part of it, so it goes whole now and comes back at
    // the new width's place.
    draw_side_planes(p, 0);
    // The matrix box is half as tall for an odd n: the old one goes whole
    // before the new size redraws it.
    if (show_ss_matrixF == ss_view_matrix)
        erase_statespace_matrix();
    free_last_states(it);
    resize_state_lines(change, it->run_seq_update);
    reallocate_graph_layout(old_n);
    allocate_last_states(it);
    hooks.wire_rule_extra_cell(change);

    setfillstyle(0, black);
    // The rows drawn stay as they were drawn, whatever their width. A side
    // plot beside them moves with the pattern's right edge: a cell added
    // clears the pattern's columns, whose rows would run into the plot; a
    // cell taken away clears the old plot, right of the old pattern.
    if (stpgraph && change > 0)
        bar(0, 0, eg->x0 + 1, Maxy);
    else if (stpgraph)
        bar(old_width, 0, Maxx, Maxy);
    panel(eg, it);
    char text[48];
    snprintf(text, sizeof text, change > 0 ? "n increased %d->%d" : "n decreased  %d->%d", old_n,
             lineL);
    inset_prompt_box(23, text);
    set_2d_3d_coords(it);
    reset_stpwidth(eg, it);
    revise_various_stp_settings(eg, it);
    draw_side_planes(p, 1);
    if (show_ss_matrixF == ss_view_matrix)
        show_statespace_matrix(nullptr);
    it->time = change < 0 ? 0 : 0xFFFFFFFFu;
    it->network_changed = 1;
}

// The side of the central block of 'v' and 'L': seglen, or before the seed
// dialog set it the network's smallest side s over 5 (3 in 3d), raised by
// one when its parity differs from that of s.
int
central_block_side()
{
    if (seglen)
        return seglen;
    int s = twod ? std::min(i2d, j2d) : threed ? std::min({i3d, j3d, h3d}) : lineL;
    int side = threed ? s / 3 : s / 5;
    if (side % 2 != s % 2)
        side++;
    return side;
}

// Everything V does after its choice of rule: the colour swap, the tail, a
// new random seed and a fresh page.
void
after_sample_rule(entropy_graph *eg, run_iteration *it)
{
    swap_value1_colour();
    rule_change_tail(eg, it, rule_tail::recolour);
    random_seed(it->fore_colour, 100, 0);
    it->page_full = 1;
}

// The rule of the last-rule file back ('O').
void
load_original_rule()
{
    int k = nhoodm ? nhoodm[0] : nhood;
    if (tot_only) {
        load_last_rule(totalistic == rule_kind_tcodes ? cacode[0] : v_code[0], k);
        return;
    }
    int8_t kind = totalistic;
    totalistic = rule_kind_tables;
    load_last_rule(carule[0], k);
    totalistic = kind;
}

// The rows' functions. Each takes the key it was called for.

bool
toggle_update_mode(running_pattern &p, char key)
{
    run_iteration *it = p.it;
    if (key == 'U')
        it->run_seq_update = it->run_seq_update > 0 ? 0 : seq_update ? seq_update : 1;
    else
        it->run_p_order = !it->run_p_order;
    panel(p.eg, it);
    swap_value1_colour();
    rule_change_tail(p.eg, it, rule_tail::restart);
    return true;
}

bool
step_pause(running_pattern &p, char)
{
    p.it->step_pause = 1;
    return true;
}

bool
toggle_end_pause(running_pattern &p, char)
{
    stppause = stppause ? stppause_none : stppause_box;
    if (stppause == stppause_none)
        erase_prompt_line_beside_key();
    panel(p.eg, p.it);
    return true;
}

bool
no_options(running_pattern &, char)
{
    stppause = stppause_hint;
    if (draw_hint_box(1, 1, "ops-Q cont-ret:", vgax(500)) == 'Q')
        stppause = stppause_box;
    erase_free_hint_box(vgax(500));
    return true;
}

bool
change_delay(running_pattern &p, char key)
{
    int32_t &delay = p.it->delay;
    if (key == '>')
        delay = 0;
    else
        delay = delay == 0 ? 500 : delay >= kMaxDelay / 2 ? kMaxDelay : delay * 2;
    return true;
}

// The pattern laid afresh as a panel comes over it or leaves it: at the
// width it may now take, with no columns of a page drawn at the other.
void
relay_for_key_panel(running_pattern &p)
{
    relay_pattern_area(p);
    if (show_ss_matrixF == ss_view_matrix)
        show_statespace_matrix(nullptr);
}

// 'X': the panel on the window goes; else it comes, beside a run that
// leaves it room, or over the right part of one that does not. There the
// planes that stand in its place go first, and what stood in its column
// (rows above it, the side plot's frame) goes with the page the pattern
// starts again, left of it.
bool
toggle_panel(running_pattern &p, char)
{
    entropy_graph *eg = p.eg;
    run_iteration *it = p.it;
    if (key_panel_left() <= Maxx) {
        const bool was_over = it->key_panel == key_panel_over;
        erase_key_panel();
        it->key_panel = key_panel_off;
        if (was_over)
            relay_for_key_panel(p);
        return true;
    }
    if (!key_panel_has_room(eg, it) && p.ae->mode == 0)
        hide_side_planes(p);
    if (key_panel_has_room(eg, it)) {
        it->key_panel = key_panel_beside;
        interrupt_key_index(eg, it);
        return true;
    }
    it->key_panel = key_panel_over;
    clear_drawing_area();
    interrupt_key_index(eg, it);
    relay_for_key_panel(p);
    return true;
}

// A rule change by bit_flip, then the tail given.
template <rule_tail tail>
bool
flip_rule(running_pattern &p, char key)
{
    p.it->fore_colour = static_cast<uint8_t>(bit_flip(key, p.it->fore_colour));
    rule_change_tail(p.eg, p.it, tail);
    return true;
}

bool
original_rule(running_pattern &p, char)
{
    load_original_rule();
    rule_change_tail(p.eg, p.it, rule_tail::full);
    return true;
}

bool
restore_flips(running_pattern &p, char)
{
    if (rulemix)
        return true;
    p.it->fore_colour = static_cast<uint8_t>(bit_flipback(p.it->fore_colour));
    rule_change_tail(p.eg, p.it, rule_tail::recolour);
    return true;
}

bool
force_z(running_pattern &p, char key)
{
    return rulemix ? true : flip_rule<rule_tail::recolour>(p, key);
}

bool
toggle_one_rule(running_pattern &p, char)
{
    if (!rulemix)
        return true;
    p.it->one_rule = !p.it->one_rule;
    swap_value1_colour();
    panel(p.eg, p.it);
    rule_change_tail(p.eg, p.it, rule_tail::restart);
    return true;
}

bool
next_glider_rule(running_pattern &p, char)
{
    swap_value1_colour();
    glider_rule(p.it);
    rule_change_tail(p.eg, p.it, rule_tail::recolour);
    return true;
}

bool
sample_rule(running_pattern &p, char)
{
    p.it->sample_index = stat_rule(0, 0, p.it, p.eg->x0);
    after_sample_rule(p.eg, p.it);
    return true;
}

bool
next_sample_rule(running_pattern &p, char key)
{
    run_iteration *it = p.it;
    uint32_t total = usable_sample_rules();
    if (total == 0)
        return true;
    if (key == 'w')
        it->sample_index = it->sample_index >= total ? 1 : it->sample_index + 1;
    else if (total < 10)
        it->sample_index = static_cast<uint32_t>(random() % total) + 1;
    else
        it->sample_index = static_cast<uint32_t>(random() % (total / 10));
    it->sample_index = stat_rule(1, it->sample_index, it, p.eg->x0);
    after_sample_rule(p.eg, it);
    return true;
}

bool
move_wires(running_pattern &p, char key)
{
    if (!loc_twod_fonly) {
        nonlocal = 1;
        if (hooks.wire_move)
            p.it->fore_colour = hooks.wire_move(key, p.it->fore_colour);
    }
    if (key == 'W' || !nonlocal)
        panel(p.eg, p.it);
    rule_change_tail(p.eg, p.it, rule_tail::recolour);
    return true;
}

bool
toggle_local_wiring(running_pattern &p, char)
{
    if (loc_twod_fonly)
        return true;
    wiring_madelocal = !wiring_madelocal;
    swap_value1_colour();
    panel(p.eg, p.it);
    rule_change_tail(p.eg, p.it, rule_tail::restart);
    return true;
}

bool
random_state(running_pattern &p, char)
{
    p.it->fore_colour = static_cast<uint8_t>(random_seed(p.it->fore_colour, rand_seed_percent, 0));
    seed_restart(p.it);
    return true;
}

bool
block_state(running_pattern &p, char key)
{
    p.it->fore_colour = static_cast<uint8_t>(swap_pattern_colour(p.it->fore_colour));
    set_central_block(key == 'L', A, central_block_side());
    seed_was_set = 1;
    seed_restart(p.it);
    return true;
}

bool
original_seed(running_pattern &p, char)
{
    memcpy(A, bitseed, bytesL);
    seed_was_set = 1;
    seed_restart(p.it);
    return true;
}

bool
singleton(running_pattern &p, char key)
{
    p.it->fore_colour = static_cast<uint8_t>(singleton_seed(key == '5', p.it->fore_colour));
    slant = -1;
    return true;
}

bool
random_value_flip(running_pattern &p, char)
{
    p.it->fore_colour = static_cast<uint8_t>(random_bitflip_state(p.it->fore_colour));
    return true;
}

// 'i' toggles the division lines where they are drawn (the presentation
// row takes it then); otherwise it adds a cell.
bool
change_size(running_pattern &p, char key)
{
    if (key == 'i' && divs_key_applies(p.it))
        return false;
    change_size_by_one(key == 'i' ? 1 : -1, p);
    return true;
}

bool
tot_only_off(const running_pattern &)
{
    return !tot_only;
}

const running_key kUpdatingKeys[] = {
    running_key::on("U")
        .help([](const running_pattern &p) -> std::string {
            return std::string("U/Y..tog:") + (p.it->run_seq_update ? "seq-sync/" : "sync-seq/") +
                   (p.it->run_p_order ? "porder-sync" : "sync-porder");
        })
        .does(toggle_update_mode),
    running_key::on("Y").does(toggle_update_mode),
};

const running_key kRuleKeys[] = {
    running_key::on("r")
        .help([](const running_pattern &) -> std::string {
            return !tot_only ? "r/K/k..rnd rule/tcode/kcode"
                   : totalistic == rule_kind_tcodes ? "r..rnd tcode"
                                                    : "r..rnd kcode";
        })
        .does(flip_rule<rule_tail::full>),
    running_key::on("Kk").when(tot_only_off).does(flip_rule<rule_tail::full>),
    running_key::on("[").help("[/]..sym/legal").when(tot_only_off).does(flip_rule<rule_tail::full>),
    running_key::on("]").does(flip_rule<rule_tail::full>),
    running_key::on("O")
        .help([](const running_pattern &) -> std::string {
            return !tot_only ? "O/A/M/C..Orig/Alt/Maj/Chain"
                   : totalistic == rule_kind_tcodes ? "O/M..Orig/Maj"
                                                    : "O/A/M..Orig/Alt/Maj";
        })
        .does(original_rule),
    running_key::on("A")
        .when([](const running_pattern &) { return !tot_only || totalistic != rule_kind_tcodes; })
        .does(flip_rule<rule_tail::full>),
    running_key::on("M").does(flip_rule<rule_tail::full>),
    running_key::on("C").when(tot_only_off).does(flip_rule<rule_tail::full>),
    running_key::on("1").help("1/2..rnd bitflip/restore").does(flip_rule<rule_tail::recolour>),
    running_key::on("2").does(restore_flips),
    running_key::on("Z")
        .help("Z/z..force Z higher/lower")
        .when([](const running_pattern &) { return !rulemix && !tot_only; })
        .does(force_z),
    running_key::on("z").does(force_z),
    running_key::on("B").help("B..flip allv->v").does(flip_rule<rule_tail::recolour>),
    running_key::on("8")
        .help([](const running_pattern &p) -> std::string {
            return p.it->one_rule ? "8..single-rulemix" : "8..rulemix-single";
        })
        .when([](const running_pattern &) { return rulemix != 0; })
        .does(toggle_one_rule),
};

const running_key kSampleKeys[] = {
    running_key::on("g")
        .help([](const running_pattern &) -> std::string {
            return glider_rule_order == glider_order_random ? "g..load glider rule (rnd)"
                                           : "g..load glider rule (seq)";
        })
        .does(next_glider_rule),
    running_key::on("V").help("V..load,jmp,scan").does(sample_rule),
    running_key::on("w").help("w/9..next/rnd").does(next_sample_rule),
    running_key::on("9").does(next_sample_rule),
    running_key::on("E")
        .help([](const running_pattern &p) -> std::string {
            return p.eg->ed_plot ? "E..create sample" : "uE..create sample";
        })
        .when(outside_graph_layout)
        .does(entropy_sample_key),
};

const running_key kWiringKeys[] = {
    running_key::on("m")
        .help([](const running_pattern &) -> std::string {
            return "m/W..move " + std::to_string(wires_to_move) + " wires/revise";
        })
        .does(move_wires),
    running_key::on("W").does(move_wires),
    running_key::on("7")
        .help([](const running_pattern &) -> std::string {
            return wiring_madelocal ? "7..local-nonlocal" : "7..nonlocal-local";
        })
        .does(toggle_local_wiring),
};

const running_key kSeedKeys[] = {
    running_key::on("4").help("4/v/o..rnd seed/block/orig").does(random_state),
    running_key::on("v").does(block_state),
    running_key::on("o").does(original_seed),
    running_key::on("l").help("l/L..rnd value/block flip").does(random_value_flip),
    running_key::on("L").does(block_state),
    running_key::on("56").help("5/6..singleton pos/neg").does(singleton),
    running_key::on("id")
        .help("i/d..inc/decrease 1 cell")
        .when([](const running_pattern &) { return !twod && !threed; })
        .does(change_size),
};

const running_key kMiscellaneousKeys[] = {
    running_key::on("X").help("X..index display").does(toggle_panel),
    running_key::on("*")
        .help([](const running_pattern &) -> std::string {
            return std::string("*..tog end pause (") + (stppause ? "on" : "off") + ")";
        })
        .does(toggle_end_pause),
    running_key::on("#")
        .help([](const running_pattern &) -> std::string {
            return std::string("#..tog scrolling (") + (scrolling ? "on" : "off") + ")";
        })
        .when([](const running_pattern &) {
            return d_mode >= display_1d && d_mode <= display_2d_time;
        })
        .does(scrolling_key),
    running_key::on("+").help("+..tog time-step pause").does(step_pause),
    running_key::on("<>").help("</>..slow/max speed").does(change_delay),
    // 'q' never reaches the switch: the run loop opens the pause box on it.
    running_key::on("q").help("q/Q..pause/no-options"),
    running_key::on("Q").does(no_options),
};

template <size_t N>
constexpr running_key_group
group(const char *heading, bool (*listed)(const running_pattern &), const running_key (&rows)[N])
{
    return {heading, listed, rows, N};
}

} // namespace

void
set_network_change_hooks(const network_change_hooks &h)
{
    hooks = h;
}

running_key_groups
running_pattern_key_groups()
{
    static const running_key_group groups[] = {
        group("  updating", nullptr, kUpdatingKeys),
        group("  change rule", nullptr, kRuleKeys),
        group("  rule samples", nullptr, kSampleKeys),
        group("  change wiring", [](const running_pattern &) { return loc_twod_fonly == 0; },
              kWiringKeys),
        group("  change seed/size", nullptr, kSeedKeys),
        presentation_keys(),
        dimension_keys(),
        frozen_keys(),
        analysis_keys(),
        group("  miscellaneous", nullptr, kMiscellaneousKeys),
    };
    return {groups, sizeof groups / sizeof groups[0]};
}

void
swap_value1_colour()
{
    if (ncolor != 0 || value_range != 2 || !color_v)
        return;
    if (color_v[1] == white)
        color_v[1] = yellow;
    else if (color_v[1] == yellow)
        color_v[1] = white;
    redraw_color_key();
}

// The scrolling 2d display's newest frame (drawn as draw_axon_plane draws
// it, its left edge on the diagonal) may stand partly under the matrix box,
// whose clear would leave the rest of it, a column of cells and a strip of
// its frame, standing in pieces: the frame goes whole first.
void
show_matrix_over_run(const run_iteration *it)
{
    if (d_mode == display_2d && scrolling) {
        const int s = it->cell_size, y0 = static_cast<int>(it->frame_y - 1);
        const int x1 = y0 + i2d * s + 1, y1 = y0 + j2d * s + 1;
        if (statespace_matrix_meets(y0, y0, x1, y1)) {
            setfillstyle(0, black);
            bar(y0, y0, x1, y1);
        }
    }
    show_statespace_matrix(nullptr);
}

void
rule_change_tail(entropy_graph *eg, run_iteration *it, rule_tail steps)
{
    it->network_changed = 1;
    if (show_ss_matrixF == ss_view_matrix)
        show_matrix_over_run(it);
    if (eg->hist_mode <= 1 && att_hist != att_hist_types)
        it->time = 0;
    if (steps == rule_tail::restart)
        return;
    if (eg->ed_plot || it->return_map) {
        static const uint8_t *const cycle[] = {&yellow, &lightred, &lightcyan, &green, &white};
        for (int i = 0; i < 5; i++)
            if (eg->point_colour == *cycle[i]) {
                eg->point_colour = *cycle[(i + 1) % 5];
                break;
            }
    }
    if (steps == rule_tail::recolour)
        return;
    if (eg->ed_plot == 1)
        random_seed(it->fore_colour, 100, 0);
    if (diff_plot == diff_plot_keep && tempState)
        memset(tempState, 0, bytesL);
}

int
interrupt_stp(damage_record *dp, entropy_data *ae, entropy_graph *eg, run_iteration *it)
{
    if (direction == direction_forward && limitcheck == 0) {
        // The keys draw on the window whatever the step was drawing on.
        image_slot drawable = current_draw;
        draw_on_window();
        char key = is[0];
        if (marked_key(key))
            draw_change_mark(eg, it);
        running_pattern p{dp, ae, eg, it};
        // The dialogs a key opens leave the key panel's lines whole.
        side_panel_while panel(key_panel_left(), key_panel_top());
        running_key_groups all = running_pattern_key_groups();
        bool taken = false;
        // Every key acts whether the panel shows it or not: the panel may
        // be hidden. A key no group takes goes on to the next group.
        for (size_t g = 0; g < all.count && !taken; g++) {
            const running_key *row = find_named_key(all.groups[g].rows, all.groups[g].count, key);
            taken = row && row->act && row->act(p, key);
        }
        // A box the key drew may have left the whole drawing area as the
        // viewport.
        keep_run_left_of_key_panel();
        current_draw = drawable;
    }
    return event_ready();
}

void
allocate_graph_layout_tables()
{
    stp_graph_layout = static_cast<uint16_t **>(checked_calloc(
        static_cast<size_t>(lineL) + 1, sizeof(uint16_t *), "stp_graph_layout"));
    for (size_t c = 0; c <= lineL; c++)
        stp_graph_layout[c] =
            static_cast<uint16_t *>(checked_calloc(2, sizeof(uint16_t), "stp_graph_layout[]"));
    stp_graph_node_size = static_cast<float *>(
        checked_calloc(static_cast<size_t>(lineL) + 1, sizeof(float), "stp_graph_node_size"));
    stp_cell_color = static_cast<uint8_t *>(checked_calloc(lineL, 1, "stp_cell_color"));
}
