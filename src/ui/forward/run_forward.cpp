// The forward run loop (run_forward.h): the set-up of a run, its time-steps
// (draw, step, measures, step pause, attractor test, key polls, pauses, page
// end) and every way out with its releases. One run's state lives in a
// run_context made afresh by each call, and the forward folder's per-run
// globals start afresh from reset_forward_run, so nothing leaks from one
// run into the next. Reads and writes the network model (A, F, firstseed, the rule
// kind), the forward globals, the basin and successor-table globals
// (backward/), the driver's direction and stepforward; calls the forward
// step and attractor search of this folder, the display and colouring
// files, the measures (measures/), draw_basin (backward/) and the screen
// layer. Start at run_forward, then set_up_run (the set-up's phases) and
// run_steps.
#include "ui/forward/run_forward.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/backward/successor_table.h"
#include "engine/forward/attractor_search.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/forward/network_fingerprint.h"
#include "engine/forward/pattern_reset.h"
#include "engine/graphs/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "ui/backward/draw_basin.h"
#include "ui/backward/progress_bar.h"
#include "ui/backward/statespace_matrix.h"
#include "ui/backward/successor_pairs.h"
#include "ui/forward/cell_colouring.h"
#include "ui/forward/display_keys.h"
#include "ui/forward/frozen_key.h"
#include "ui/forward/key_panel.h"
#include "ui/forward/pattern_reset.h"
#include "ui/forward/pause_box.h"
#include "ui/forward/running_keys.h"
#include "ui/forward/space_time_display.h"
#include "ui/graphs/meta_graph.h"
#include "ui/measures/damage_plot.h"
#include "ui/measures/top_prompt.h"
#include "ui/measures/entropy_plot.h"
#include "ui/measures/rule_sampling.h"
#include "ui/measures/run_records.h"
#include "ui/measures/type_histograms.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_parameters.h"
#include "ui/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"
#include "ui/storage/network_files.h"

namespace {

// How a run ends.
enum class run_exit {
    going_on,   // not ended
    user,       // 'q': pause box, "still looking" prompt, or a 'q' before a subtree
    basin,      // the cycle was handed to the basin drawing
    steps_done, // the forward steps before a subtree are done
};

struct run_context {
    run_iteration it{};
    entropy_graph eg{};
    entropy_data ae{};
    skeleton_record sk{};
    damage_record dp{};
    uint8_t **rules = nullptr;
    // The network's array the rules are (carule, cacode or v_code), which
    // a running key may move (a cell added or taken away reallocates a
    // mix's arrays): the run follows it. Null for rules of the caller's own.
    uint8_t **const *rules_source = nullptr;
    step_mode mode;
    bool fwd_only = false;  // direction_forward, limitcheck 0
    bool search = false;    // attractor search: limitcheck > 0 or att_hist_types
    bool backward = false;  // direction_backward
    uint8_t saved_stp = 0;
    int width = 0;          // pattern width in pixels
    float side_width = 0;   // width of the side plot, 0 without one
    uint16_t history_valid = 0; // entries of lastA filled since the run began or went back
    uint8_t *drawn = nullptr;   // forward only: the state drawn this step, which the
                                // return map, the graph layout and a step made again read
    int box_x0 = 0, box_y0 = 0, box_x1 = 0, box_y1 = 0; // graph-layout box
    uint8_t layout_before = 0;
    int8_t nhood_before = 0;
};

// Whether a millisecond has passed since the last key poll made through
// here (a key then waits at most that long).
bool
key_poll_due()
{
    static std::chrono::steady_clock::time_point last;
    auto now = std::chrono::steady_clock::now();
    if (now - last < std::chrono::milliseconds(1))
        return false;
    last = now;
    return true;
}

// The rule line shown by the pause box: rules[0], or the code of the
// forward-only totalistic mode.
uint8_t *
box_rule(const run_context &r)
{
    if (tot_only)
        return totalistic == rule_kind_tcodes ? cacode[0] : v_code[0];
    return r.rules[0];
}

void
recompute_cell_pixels(run_iteration *it)
{
    it->pixel_size = vgax(it->cell_size);
    it->hex_size = 2.0 * it->cell_size * std::cos(M_PI / 6) / 3.0;
}

// The largest rule index of the measured k.
int16_t
largest_index(int k)
{
    if (!tot_only)
        return static_cast<int16_t>(int_power(value_range, k) - 1);
    if (totalistic == rule_kind_tcodes)
        return static_cast<int16_t>(k * (value_range - 1));
    return static_cast<int16_t>(v_tablecodemax ? v_tablecodemax[k] : 0);
}

// The k whose lookups the side plot counts: the single cell's, else nhood.
int
measured_k()
{
    if (single_entropy && nhood_mixed && entropy_poss < lineL)
        return nhoodm[entropy_poss];
    return nhood;
}

// The lookup counts follow a change of k or of the network size made while
// the run goes on (a transformation in the pause box raising or lowering k,
// a cell removed under the single measured cell): their rows hold an entry
// for each rule index of the k measured, and the forward step counts each
// cell's neighbourhood index into the newest row. The histogram drawn for
// the old entries is taken away.
void
follow_lookup_size(run_context &r)
{
    entropy_graph &eg = r.eg;
    run_iteration &it = r.it;
    r.mode.lookup_cell = single_entropy && entropy_poss < lineL ? entropy_poss : -1;
    const int k = measured_k();
    const int16_t max_index = largest_index(k);
    if (max_index == it.max_index && eg.k == k)
        return;
    eg.k = static_cast<uint8_t>(k);
    it.max_index = max_index;
    const size_t entries = static_cast<size_t>(max_index) + 1;
    if (eg.lookupcount.rows) {
        count_window_release(&eg.lookupcount);
        count_window_allocate(&eg.lookupcount, gens, entries, "lookupcount");
    }
    if (eg.oldbar) {
        checked_free(eg.oldbar);
        eg.oldbar = static_cast<uint16_t *>(checked_calloc(entries, sizeof(uint16_t), "oldbar"));
    }
    r.mode.lookup_row = count_window_newest(&eg.lookupcount);
    if (eg.hist_mode && stp)
        erase_lookup_bars(&eg);
}

// The run's view of the network after a key or a box that may have changed
// it: the forward folder's, then the lookup counts'.
void
recheck_run_network(run_context &r)
{
    recheck_forward_network();
    follow_lookup_size(r);
}

// The run's rules where the network's array now is: a running key or the
// pause box may have moved it (a cell added to a rule mix reallocates it).
void
follow_rules(run_context &r)
{
    if (!r.rules_source)
        return;
    r.rules = *r.rules_source;
    if (r.sk.rules)
        r.sk.rules = r.rules;
}

// The history's newest line moved back to its end, undoing the shift the
// step made: the step is about to be made again.
void
unshift_history(run_context &r)
{
    uint8_t **lines = r.mode.lastA;
    uint8_t *newest = lines[0];
    for (int m = 0; m + 1 < frozen_gens; m++)
        lines[m] = lines[m + 1];
    lines[frozen_gens - 1] = newest;
    r.history_valid--;
}

// A running key or the pause box changed the network (its size, wiring,
// rules or update mode) after the step from the row drawn last was made:
// that step is made again from the row on the changed network, so that
// the next row drawn follows the network as it now is and no cell reads
// one taken away. A key that set a new state leaves it: it is the next row.
// The step's lookups were counted and plotted already and stay so.
void
retake_step(run_context &r)
{
    if (!r.it.network_changed)
        return;
    r.it.network_changed = 0;
    if (seed_was_set || !r.drawn)
        return;
    if (r.mode.lastA && r.history_valid > 0)
        unshift_history(r);
    memcpy(A, r.drawn, bytesL);
    uint16_t *lookups = r.mode.lookup_row;
    r.mode.lookup_row = nullptr;
    forward_step(r.rules, r.mode);
    r.mode.lookup_row = lookups;
    if (r.mode.lastA && r.history_valid < frozen_gens)
        r.history_valid++;
}

// After a running key: the step's mode takes the run record's update mode,
// partial order, single-rule switch and history; the per-run work arrays
// follow a change of the update mode or of the network size, the step's
// view of the network a change of the wiring or of k; the pattern width and
// side plot follow the display; a step made on the network the key changed
// is made again.
void
follow_running_key(run_context &r, uint16_t n_before)
{
    run_iteration &it = r.it;
    follow_rules(r);
    recheck_run_network(r);
    recompute_cell_pixels(&it);
    bool size_changed = lineL != n_before;
    bool arrays_stale = size_changed || it.run_seq_update != r.mode.seq_update ||
                        it.run_p_order != r.mode.p_order;
    r.mode.seq_update = it.run_seq_update;
    r.mode.p_order = it.run_p_order;
    r.mode.one_rule = it.one_rule;
    // A size key makes the history lines again (maybe at the same address).
    if (r.mode.lastA != it.lastA || size_changed) {
        r.mode.lastA = it.lastA;
        r.history_valid = 0;
    }
    r.mode.lookup_row = count_window_newest(&r.eg.lookupcount);
    if (arrays_stale && r.fwd_only)
        forward_run_begin(r.mode);
    if (size_changed && r.drawn) {
        uint8_t *carried = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "drawn state"));
        carry_state_line(r.drawn, n_before, carried, lineL);
        checked_free(r.drawn);
        r.drawn = carried;
    }
    // The skeleton lines follow the size; the type tables clear themselves
    // at their next type, as their lines no longer match.
    if (size_changed && r.sk.frozen_buff) {
        checked_free(r.sk.frozen_buff);
        checked_free(r.sk.ref_buff);
        r.sk.frozen_buff = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "sk.frozen_buff"));
        r.sk.ref_buff = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "sk.ref_buff"));
        r.dp.same_run = 0;
    }
    r.width = pattern_width(&it);
    r.side_width = side_plot_width(&r.eg);
    retake_step(r);
}

// Whether the run keeps a history of past states that a change of the
// network or of its state makes a history of another trajectory: the
// attractor search's, or the frozen-skeleton collection's.
bool
keeps_state_history(const run_context &r)
{
    return r.search || r.sk.frozen_buff;
}

// What the run stands on before a running key or the pause box acts: their
// fingerprints are taken only where a history is kept.
run_fingerprint
before_change(const run_context &r)
{
    return keeps_state_history(r) ? fingerprint_run(r.rules, r.mode, r.it.time) : run_fingerprint();
}

// After a running key or the pause box: a network changed (a rule, code,
// wiring, k, size or update mode), a state set or flipped, or a count set
// back starts the attractor search over from the state the run now stands
// on, and the frozen skeletons are collected afresh once the frozen
// history has filled again from there.
void
follow_change(run_context &r, const run_fingerprint &before)
{
    if (!keeps_state_history(r) || fingerprint_run(r.rules, r.mode, r.it.time) == before)
        return;
    if (r.search)
        attractor_search_restart(r.it.time);
    if (r.sk.frozen_buff) {
        r.history_valid = 0;
        r.dp.same_run = 0;
    }
}

// Whether the frozen history holds frozen_gens states of the network as it
// now is, past the run's first frozen_gens steps: only then can a cell be
// seen frozen.
bool
frozen_history_full(const run_context &r)
{
    return r.it.time > frozen_gens && r.history_valid >= frozen_gens;
}

// The running key in is[0] acted on, then each key typed while the one
// before was handled: interrupt_stp's final poll takes such a key into
// is[0], and it is acted on in turn, so a key typed quickly after another is
// not lost. Ends with 'q' (left for the caller) or with no key in is[0].
void
act_on_running_keys(run_context &r)
{
    for (;;) {
        uint16_t n_before = lineL;
        const run_fingerprint before = before_change(r);
        int another = interrupt_stp(&r.dp, &r.ae, &r.eg, &r.it);
        follow_running_key(r, n_before);
        follow_change(r, before);
        // A modifier pressed alone (Shift before a capital) gives no key.
        if (!another || is[0] == 0 || is[0] == 'q')
            return;
    }
}

// The pause box over the run, showing the row drawn last. A change it made
// to the network (it sets was_changed, which is kept for the driver) is
// followed as a running key's is: the last step is made again on it.
int
run_pause_box(run_context &r)
{
    run_iteration &it = r.it;
    const uint8_t changed_before = was_changed;
    was_changed = 0;
    const run_fingerprint before = before_change(r);
    int result = interrupt_stp_box(2, box_rule(r), it.time, it.lastA ? it.lastA[0] : A, r.width);
    it.network_changed |= was_changed;
    was_changed |= changed_before;
    follow_rules(r);
    recheck_run_network(r);
    retake_step(r);
    follow_change(r, before);
    return result;
}

template <typename T>
void
release(T *&p)
{
    checked_free(p);
    p = nullptr;
}

template <typename T>
void
release_rows(T **&rows, size_t count)
{
    if (!rows)
        return;
    for (size_t i = 0; i < count; i++)
        checked_free(rows[i]);
    release(rows);
}

// One number typed at a prompt of the skeleton set-up, held to bounds, or
// fallback for Return or 'q'.
long
typed_number(int max, long fallback, number_bounds bounds)
{
    int len = input_string(max, numeric_entry);
    return is[0] == 'q' ? fallback : whole_answer_held(fallback, bounds, len);
}

// The frozen-skeleton set-up prompts; false when the user backed out at the
// first prompt.
bool
skeleton_prompts(run_context &r)
{
    static const char *const kKinds[3] = {"0s only", "1s only", "0s or 1s"};
    int lines = 3;
    for (;;) {
        // The second and third lines' questions, each followed by its
        // answer: a question whose answer would pass the box's right edge
        // starts the next line, and the box has the lines that takes.
        char gene_text[80];
        snprintf(gene_text, sizeof gene_text, "no of steps frozen: gene (now %d):", frozen_gens);
        const prompt_part steps[] = {{gene_text, 5}, {" skeleton (def 20):", 5}};
        const prompt_part shares[] = {{"% frozen (def-100):", 3}, {" % same type (def-100):", 3}};
        const int before = lines;
        lines = 1 + prompt_parts_lines(steps, 2) + prompt_parts_lines(shares, 2);
        if (lines < before)
            erase_prompt_box(before);
        int x = draw_prompt_box(lines);
        outtext("frozen skeletons: 0s-0 1s-1 both-(def):");
        input_string(1, text_entry);
        if (is[0] == 'q')
            return false;
        r.sk.kind = is[0] == '0' ? 0 : is[0] == '1' ? 1 : 2;
        moveto(x, gety + CHeight);
        write_prompt_part(steps[0].text, steps[0].entry, x);
        long gene = typed_number(steps[0].entry, frozen_gens, {1, UINT16_MAX});
        if (is[0] == 'q')
            continue;
        frozen_gens = static_cast<uint16_t>(gene);
        write_prompt_part(steps[1].text, steps[1].entry, x);
        long length = typed_number(steps[1].entry, 20, {1, UINT16_MAX});
        if (is[0] == 'q')
            continue;
        r.dp.skeleton_length = static_cast<uint16_t>(length);
        moveto(x, gety + CHeight);
        write_prompt_part(shares[0].text, shares[0].entry, x);
        long frozen = typed_number(shares[0].entry, 100, {1, 100});
        if (is[0] == 'q')
            continue;
        r.sk.pc_frozen = static_cast<float>(frozen);
        write_prompt_part(shares[1].text, shares[1].entry, x);
        long same = typed_number(shares[1].entry, 100, {1, 100});
        if (is[0] == 'q')
            continue;
        r.sk.pc_same_type = static_cast<float>(same);
        break;
    }
    erase_prompt_box(lines);
    moveto(Maxx / 2, Maxy / 7);
    outtext(kKinds[r.sk.kind]);
    snprintf(r.dp.caption, sizeof r.dp.caption, " (%s) g/s/sp/tp %d %d %.1f %.1f",
             kKinds[r.sk.kind], frozen_gens, r.dp.skeleton_length, r.sk.pc_frozen,
             r.sk.pc_same_type);
    return true;
}

// The side plot's buffers by stpgraph.
void
setup_plot_buffers(run_context &r)
{
    entropy_graph &eg = r.eg;
    eg.plot_on = stpgraph == stpgraph_density;
    eg.hist_mode = stpgraph == stpgraph_lookup_bars ? 1 : stpgraph > stpgraph_lookup_bars ? 2 : 0;
    int k = measured_k();
    eg.k = static_cast<uint8_t>(k);
    r.it.max_index = largest_index(k);
    if (eg.plot_on) {
        eg.eegratiobefore = static_cast<double *>(
            checked_calloc(static_cast<size_t>(value_range), sizeof(double), "eegratiobefore"));
        count_window_allocate(&eg.eegcount, gens, static_cast<size_t>(value_range), "eegcount");
    }
    if (eg.hist_mode) {
        size_t entries = static_cast<size_t>(r.it.max_index) + 1;
        count_window_allocate(&eg.lookupcount, gens, entries, "lookupcount");
        eg.oldbar = static_cast<uint16_t *>(checked_calloc(entries, sizeof(uint16_t), "oldbar"));
        r.mode.lookup_row = count_window_newest(&eg.lookupcount);
        r.mode.lookup_cell = single_entropy && entropy_poss < lineL ? entropy_poss : -1;
        place_lookup_histogram(&eg);
        eg.group = static_cast<int16_t>(entries < 128 ? entries : 128);
        eg.bar_thickness = std::fmin(6.0f, static_cast<float>(Maxy - eg.hist_y0) / eg.group);
        eg.hist_limit = static_cast<int16_t>(Maxx - 1);
    }
    if (single_entropy) {
        char text[80];
        if (twod)
            snprintf(text, sizeof text, "single entropy: pos i,j=%d,%d gens=%d",
                     entropy_poss % i2d, entropy_poss / i2d, gens);
        else if (threed)
            snprintf(text, sizeof text, "single entropy: pos i,j,h=%d,%d,%d gens=%d",
                     entropy_poss % i3d, (entropy_poss / i3d) % j3d, entropy_poss / (i3d * j3d),
                     gens);
        else
            snprintf(text, sizeof text, "single entropy: pos=%d  gens=%d", entropy_poss, gens);
        int16_t x = getx, y = gety;
        draw_top_prompt(place_top_prompt({text}, 0), {text});
        moveto(x, y);
    }
}

void
free_plot_buffers(run_context &r)
{
    entropy_graph &eg = r.eg;
    release(eg.eegratiobefore);
    count_window_release(&eg.eegcount);
    count_window_release(&eg.lookupcount);
    release(eg.oldbar);
    r.mode.lookup_row = nullptr;
}

// Every release of the end of a run, whatever the way out; null arrays are
// skipped, so a run that ended in its set-up releases what it had made.
void
finish_run(run_context &r, run_exit how)
{
    run_iteration &it = r.it;
    draw_on_window();
    if (r.fwd_only) {
        show_multistate_color_key(0);
        setup_value_colors(0);
    }
    // The running keys' index goes with the run: the questions that follow
    // would clear across its lines.
    if (key_panel_left() <= Maxx)
        erase_key_panel();
    release(r.dp.damage_buf);
    release_kept_area();
    if (r.search)
        free_att();
    attractor_history_free();
    clear_attractor_types(r.sk.attractors);
    clear_skeleton_types(r.sk.skeletons);
    release(r.sk.frozen_buff);
    release(r.sk.ref_buff);
    if (it.pixmap) {
        free_pattern_pixmap(&it);
        release(it.pixmap);
    }
    if (how == run_exit::user && r.fwd_only && d_mode == display_2d_time) {
        // A 2d+time display ended from the pause box goes back to 2d frames.
        d_mode = display_2d;
        if (stp)
            draw_2d_frame(&r.eg, &it);
    }
    stp = r.saved_stp;
    if (r.fwd_only) {
        free_freq_colors();
        restore_2d_3d_coords(&it);
    }
    release_rows(stp_graph_layout, stp_graph_layout ? static_cast<size_t>(lineL) + 1 : 0);
    release(stp_graph_node_size);
    release(stp_cell_color);
    release_rows(it.lastA, it.lastA ? static_cast<size_t>(frozen_gens) : 0);
    release(flippos);
    release(flipvalue);
    free_plot_buffers(r);
    release(r.ae.edata);
    release(r.drawn);
    forward_run_end();
}

// The prompt "still looking for attractor cycle" after a 'q' in an
// attractor search: true when the user ends the run there.
bool
still_looking(uint32_t t)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    draw_on_window();
    snprintf(textb[0], 150, "still looking for attractor cycle, %lu iterations",
             static_cast<unsigned long>(t));
    // Beside the colour key (and a damage count's box), as the histograms'
    // prompts stand, over a saved copy of what it covers.
    top_prompt p = open_top_prompt({textb[0], "exit-q, cont-ret:"}, 1);
    input_string(1, single_key_entry);
    close_top_prompt(p);
    setcolor(colour);
    moveto(x, y);
    if (is[0] != 'q')
        return false;
    free_att();
    attractor_history_free();
    if (basinfield && meta_graph && basintypeno > 0)
        basintypeno--;
    return true;
}

// A cycle that closed after the history limit: the message, shown once.
// Return goes on to the basin with att rebuilt from the known period; 'q'
// ends the run.
bool
history_limit_reached(run_context &r, uint32_t t)
{
    int16_t x = getx, y = gety;
    draw_on_window();
    snprintf(textb[0], 150, "att period=%lu, run in=%lu", static_cast<unsigned long>(attperiod),
             static_cast<unsigned long>(t));
    snprintf(textb[1], 80, "history limit=%d (too small), should be >= %lu, cont-ret:",
             static_cast<int>(limitcheck), static_cast<unsigned long>(t));
    // The limit's line breaks at the box's width where a small window has
    // no room for it on one line.
    const prompt_part limit = {textb[1], 1};
    const int limit_lines = prompt_parts_lines(&limit, 1);
    // In place of the basin summary where it stands (three lines in a
    // small window): a shorter box over it would leave its foot.
    // The box is drawn clear, so its lines are written as they stand: a
    // clear of each line in turn would cut the foot of the line above where
    // the line space is smaller than the font.
    int margin = replace_prompt_box(1 + limit_lines);
    const int top = gety;
    write_prompt_part(textb[0], 0, margin);
    moveto(margin, top + CHeight);
    write_prompt_part(textb[1], 1, margin);
    input_string(1, single_key_entry);
    erase_prompt_box(1 + limit_lines);
    moveto(x, y);
    if (is[0] == 'q') {
        free_att();
        attractor_history_free();
        if (basinfield && meta_graph && basintypeno > 0)
            basintypeno--;
        return false;
    }
    attractor_cycle_from_state(r.rules, r.mode);
    return true;
}

// After a type histogram cleared its types: the run's pause box. Returns
// true when the user ended the run there.
bool
types_cleared(run_context &r)
{
    run_pause_box(r);
    if (is[0] == 'q')
        return true;
    is[0] = 0;
    return false;
}

// The cycle in att is found: its rows, then the basin drawing; or, with
// att_hist_types, its type recorded and a new random seed.
run_exit
cycle_found(run_context &r)
{
    run_iteration &it = r.it;
    attractor_history_free();
    if (stp) {
        // A scrolling pattern's rows go to its pixmap, which each page end
        // copies to the window; scrolled on the window itself they would
        // leave the pixmap behind, and the copy would put the window back
        // over itself.
        if (scrolling && d_mode != display_2d && d_mode <= display_2d_time)
            draw_on_pixmap(&it);
        end_page(it.cell_size);
        if (d_mode == display_1d)
            draw_cycle_rows(&it);
        draw_on_window();
    }
    if (att_hist == att_hist_types) {
        // Its table and graph stand left of the key panel.
        side_panel_while panel(key_panel_left());
        type_histogram_request request = show_att_type_hist(&r.sk, &r.dp, &it, r.width);
        if (stp && d_mode == display_1d)
            it.page_full = 1;
        if (request == type_histogram_request::pause_box && types_cleared(r))
            return run_exit::user;
        random_seed(it.fore_colour, 100, 0);
        attractor_search_start();
        it.time = 0;
        return run_exit::going_on;
    }
    forward_run_end();
    if (stp) {
        const int right = pattern_columns_right();
        setviewport(0, 0, right, Maxy, 1);
        clearviewport();
        setviewport(0, 0, Maxx, Maxy, 1);
        // A field's pattern of large cells reaches the progress bar in the
        // window's right half: the clear took all of the bar but its right
        // end, which would stand alone by the fill the field draws again.
        // The bar is drawn again whole instead.
        if (basinfield && mouse_found)
            redraw_progress_bar_met_by(0, 0, right, Maxy);
        moveto(0, 0);
    }
    is[0] = 0;
    draw_basin();
    attperiod = 0;
    if (stp)
        end_page(it.cell_size);
    return run_exit::basin;
}

// The boxes kept against the window's right edge, the colour key and the
// key panel, drawn again at that edge: after a resize during the run they
// move there, and nothing is left where they were.
void
redraw_edge_boxes(run_context &r)
{
    run_iteration &it = r.it;
    if (color_key_off_right_edge()) {
        show_multistate_color_key(0);
        if (pattern_reach(&it, r.side_width) <= Maxx - 2 - color_key_width())
            show_multistate_color_key(1);
    }
    if (it.key_panel)
        interrupt_key_index(&r.eg, &it);
}

// The step pause: the prompt after a step and its answer.
void
step_pause(run_context &r)
{
    run_iteration &it = r.it;
    char before = is[0];
    int16_t x = getx, y = gety;
    image_slot drawable = current_draw;
    draw_on_window();
    uint32_t t = it.time;
    int m = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(frozen_gens) - 1, t));
    if (!it.lastA)
        m = 0;
    // Both lines broken at blanks to the prompt box's width.
    snprintf(textb[0], 150, "time-step %lu, next-ret, previous steps (max=frozen gens=%d), ",
             static_cast<unsigned long>(t), m);
    const char *options = "on-the-fly/interrupt options -o/i, save current-s reset count-r, "
                          "end pause -q:";
    // The answer's entry (and its cursor) stays inside the box after them.
    const prompt_part option_line = {options, 3};
    // The box's last row for the lines as the font in use breaks them, and
    // down to the foot of a key box standing at the top right (the colour
    // key), which it hides whole: a piece of that box's frame would stand
    // below it.
    auto box_bottom = [&] {
        int bottom = prompt_box_bottom_past_ink(prompt_box_lines(textb[0]) + prompt_parts_lines(&option_line, 1));
        int key_left = 0, key_bottom = 0;
        if (top_right_box_standing(&key_left, &key_bottom))
            bottom = std::max(bottom, key_bottom);
        return bottom;
    };
    int bottom = 0;
    {
        // On a narrow window, or at a long time-step, the broken lines take
        // more rows than the key panel leaves above it: they are broken and
        // written in the largest font whose box ends above the panel.
        font_while font([&] { return box_bottom() < key_panel_top(); }, {set_medium_font, set_small_font});
        bottom = box_bottom();
        int margin = draw_prompt_box_to(bottom);
        write_prompt_lines(textb[0], margin);
        moveto(margin, gety + CHeight);
        write_prompt_part(options, option_line.entry, margin);
        input_string(option_line.entry, text_entry);
    }
    if (is[0] == 13) {
        // next step
    } else if (is[0] == 'r') {
        it.time = 0;
    } else if (is[0] == 's' && it.lastA) {
        load_save_wrs('s', it.lastA[0], 's');
    } else if (is[0] == 'o') {
        erase_prompt_box_to(bottom);
        draw_prompt_box(1);
        outtext("enter on-the-fly option:");
        input_string(1, single_key_entry);
        if (is[0] != 13)
            act_on_running_keys(r);
        erase_prompt_box(1);
    } else if (is[0] == 'i') {
        // The pause box stands where the prompt stood: the prompt goes first.
        erase_prompt_box_to(bottom);
        run_pause_box(r);
    } else if (is[0] >= '1' && is[0] <= '9' && m >= 1) {
        // Steps back held to those the history keeps.
        step_back_history(&it, static_cast<int>(entry_held(1, {1, static_cast<double>(m)}, true)),
                          &r.history_valid);
    } else {
        it.step_pause = 0;
    }
    erase_prompt_box_to(bottom);
    // The dialogs an answer opens (the pause box, the file dialog) can draw
    // over the edge boxes or change what they show.
    redraw_edge_boxes(r);
    is[0] = before;
    current_draw = drawable;
    moveto(x, y);
}

// The graph-layout box's red frame, kept left of the key panel while the
// panel is up, as the discs inside are. The side plot and the lookup
// histogram beside the pattern run across the box, so the frame is drawn
// again after each step's drawings and stays whole while the run goes on.
void
frame_layout_box(const run_context &r)
{
    int right = std::min(r.box_x1, key_panel_left() - 1);
    if (right <= r.box_x0)
        return;
    int colour = getcolor();
    int16_t vx0 = view_x0, vy0 = view_y0, vx1 = view_x1, vy1 = view_y1;
    setviewport(0, 0, right, Maxy, 1);
    setcolor(red);
    rectangle(r.box_x0, r.box_y0, r.box_x1, r.box_y1);
    setcolor(colour);
    setviewport(vx0, vy0, vx1, vy1, 1);
}

// The pause point after a step: the rule's figures refreshed, then the pause
// box when the user asked for it. Returns true when the run ends there.
bool
pause_point(run_context &r)
{
    run_iteration &it = r.it;
    bool q = is[0] == 'q';
    int16_t x = getx, y = gety;
    setcolor(white);
    if (!tot_only && (!rulemix || it.one_rule)) {
        int k = nhoodm ? nhoodm[0] : nhood;
        if (value_range == 2)
            z_parameter_all(k, 0, r.rules[0]);
        else
            z_parameter_all_mvalue(k, 0, r.rules[0]);
    }
    if (d_mode == display_2d && !scrolling && stp)
        draw_2d_frame(&r.eg, &it);
    if (!r.fwd_only)
        return q;
    int result = stp_box_nothing;
    r.layout_before = graph_layout;
    r.nhood_before = nhood;
    if ((q && stppause == stppause_none) || stppause == stppause_box) {
        // The box may have rewired the network or changed k.
        result = run_pause_box(r);
        if (graph_layout != r.layout_before) {
            char key = is[0];
            if (graph_layout) {
                // The graph window stands left of the key panel, its
                // prompts above it.
                side_panel_while panel(key_panel_left(), key_panel_top());
                // A rule sample's plane, drawn again at each rule with its
                // count line above it, stands inside the layout's box: the
                // two never share the window.
                if (r.ae.mode != 0 || meta_graph_table(1, nullptr, graph_network) == 0) {
                    graph_layout = 0;
                } else {
                    // The layout's box reaches over the state-space
                    // matrix, the return map and the entropy-density
                    // plane, whose clearings and points would cut its
                    // discs: they stand one at a time.
                    running_pattern shown{&r.dp, &r.ae, &r.eg, &it};
                    make_room_at_bottom_right(shown);
                    // The side plot gives way too: the page begun again
                    // clears its rows, the histogram beside them goes
                    // here.
                    erase_lookup_histogram(&r.eg);
                    frame_layout_box(r);
                }
            } else {
                draw_box(-1, r.box_x0, r.box_y0, r.box_x1, r.box_y1, 0, 0);
            }
            is[0] = key == 'q' ? 'q' : 0;
        }
        if (att_hist || diff_plot)
            result = stp_box_nothing;
        if (is[0] == '+')
            it.step_pause = 1;
    } else if (stppause == stppause_hint) {
        if (draw_hint_box(1, 1, "ops-Q cont-ret:", vgax(500)) == 'Q')
            stppause = stppause_box;
        erase_free_hint_box(vgax(500));
    }
    if (show_ss_matrixF == ss_view_matrix && result)
        show_matrix_over_run(&it);
    if (result == stp_box_changed && r.eg.hist_mode != 2)
        it.time = 0;
    if (result == stp_box_restart) {
        it.time = 0;
        if (scrolling) {
            x = 0;
            y = 0;
            nowscrolling = 0;
        }
        it.page_full = 1;
    }
    redraw_edge_boxes(r);
    if (r.eg.hist_mode && (is[0] == '4' || is[0] == 'k') && r.eg.oldbar)
        memset(r.eg.oldbar, 0, (static_cast<size_t>(it.max_index) + 1) * sizeof(uint16_t));
    if (was_changed && d_mode == display_2d_time) {
        moveto(static_cast<int>(it.frame_x), static_cast<int>(it.frame_y - 1));
        draw_axon_plane(it.cell_size, static_cast<int>(it.frame_y - 1));
    }
    moveto(x, y);
    return is[0] == 'q';
}

// The run's own settings from the globals, and the forward folder's run
// state afresh.
void
start_run_settings(run_context &r)
{
    run_iteration &it = r.it;
    reset_forward_run();
    it.scan_length = 150;
    it.run_p_order = p_order == 1;
    it.node_outline = 1;
    if (stppause == stppause_step_next_run) {
        it.step_pause = 1;
        stppause = stppause_none;
    }
    r.saved_stp = stp;
}

// The graph layout's tables and box of a forward-only run.
void
allocate_graph_layout(run_context &r)
{
    allocate_graph_layout_tables();
    r.box_x0 = vgax(140);
    r.box_x1 = Maxx - vgax(5);
    r.box_y0 = 5 * CHeight;
    r.box_y1 = vgay(430);
}

// The display mode by the network's dimension when none is chosen, and the
// run's coordinates and update kind.
void
choose_display_mode(run_context &r)
{
    if (d_mode == display_unset)
        d_mode = twod ? display_2d : threed ? display_3d : display_1d;
    // The 2d displays of a 3d network stack its layers (i3d x j3d*h3d), as
    // its forward-only runs do: with the lattice's width x depth alone they
    // would draw the rows past the first layer beyond the frame. A 2d or 3d
    // display chosen for a network of fewer dimensions needs its sides too.
    if (r.fwd_only || threed || d_mode != display_1d)
        set_2d_3d_coords(&r.it);
    r.it.run_seq_update = seq_update;
    if (r.search)
        diff_plot = diff_plot_off;
}

// The frozen-skeleton prompts and the difference plot's set-up; false when
// the user backed out.
bool
ask_skeleton_and_diff_plot(run_context &r)
{
    if (att_hist == att_hist_skeleton && !skeleton_prompts(r))
        return false;
    if (diff_plot == diff_plot_stats) {
        setup_diff_plot(&r.dp);
        if (is[0] == 'q')
            return false;
        start_damage_sample(&r.it);
    } else if (att_hist == att_hist_types || att_hist == att_hist_skeleton) {
        r.dp.types = 0;
        r.dp.largest = 10000;
        r.dp.smallest = 20;
        r.dp.columns = 50;
        r.dp.mode = 'n';
        setup_diff_plot(&r.dp);
    }
    return true;
}

// The cell sizes in pixels, the generations of the side plot and the
// height of a hexagonal lattice.
void
size_cells(run_iteration &it)
{
    it.cell_size = static_cast<int8_t>(scale);
    recompute_cell_pixels(&it);
    it.cell_gap = scale > vgax(5) ? 2 : 1;
    it.big_cells = scale > vgax(5);
    if (gens < 1)
        gens = 1;
    double h = 0;
    for (int row = 1; row < j2d; row++)
        h = static_cast<int>(h + it.cell_size * std::cos(M_PI / 6));
    it.hex_height = static_cast<int16_t>(h);
}

// The forward step's mode for the run, and the attractor search's start.
void
begin_stepping(run_context &r)
{
    r.mode = forward_run_mode(r.fwd_only);
    // The cells' colours ask for the neighbourhood indexes when they show them.
    r.mode.indexes = 0;
    r.mode.seq_update = r.it.run_seq_update;
    r.mode.p_order = r.it.run_p_order;
    forward_run_begin(r.mode);
    if (r.search)
        attractor_search_start();
}

// The type records of att_hist_types (attractor types by seed, with the
// density counts by att_seed_dens) and, forward only, att_hist_skeleton
// (frozen skeletons): the type tables start empty and grow with the types.
void
allocate_attractor_types(run_context &r)
{
    skeleton_record &sk = r.sk;
    sk.rules = r.rules;
    if (att_hist == att_hist_types)
        sk.attractors.count_density = att_seed_dens != 0;
    if (r.fwd_only && att_hist == att_hist_skeleton) {
        sk.frozen_buff = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "sk.frozen_buff"));
        sk.ref_buff = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "sk.ref_buff"));
    }
}

// The history of past states (frozen_gens of them) and the flip records of
// a forward-only run.
void
allocate_history(run_context &r)
{
    run_iteration &it = r.it;
    it.lastA = static_cast<uint8_t **>(checked_calloc(frozen_gens, sizeof(uint8_t *), "it.lastA"));
    char label[32];
    for (int i = 0; i < frozen_gens; i++) {
        snprintf(label, sizeof label, "it.lastA[%d]", i);
        it.lastA[i] = static_cast<uint8_t *>(checked_calloc(bytesL, 1, label));
    }
    r.mode.lastA = it.lastA;
    flippos = static_cast<uint16_t *>(checked_calloc(1, sizeof(uint16_t), "flippos"));
    if (value_range > 2)
        flipvalue = static_cast<uint8_t *>(checked_calloc(1, 1, "flipvalue"));
}

// The measures and side displays of a forward-only run: entropy sample,
// frequency colours, history, state-space matrix or return map, side plot.
void
set_up_forward_only_displays(run_context &r)
{
    run_iteration &it = r.it;
    r.ae.sample_size = 5;
    r.eg.entropy_start = 30;
    r.eg.entropy_end = 430;
    setup_freq_colors();
    r.ae.edata = static_cast<float *>(checked_calloc(1, sizeof(float), "ae.edata"));
    allocate_history(r);
    it.diff_gap = 3;
    reset_stpwidth(&r.eg, &it);
    r.eg.w1 = r.eg.w2 = vgax(100);
    if (run_histogram_shown()) {
        // The histogram holds the place of the matrix and of the map.
        show_ss_matrixF = ss_view_none;
    } else if (show_ss_matrixF == ss_view_matrix && graph_layout == 1) {
        // The graph layout left on from a run before reaches over the
        // matrix's box, whose top its clearings would take.
        show_ss_matrixF = ss_view_none;
    } else if (show_ss_matrixF == ss_view_matrix) {
        show_statespace_matrix(nullptr);
    } else if (show_ss_matrixF == ss_view_return_map) {
        it.return_map = 1;
        r.eg.point_colour = yellow;
        draw_Hamming_plot(1, r.width);
        show_ss_matrixF = ss_view_none;
    }
    setup_plot_buffers(r);
    if (stpgraph && stp)
        r.side_width = r.eg.plot_on ? r.eg.w1 : r.eg.w2;
}

// The drawn state's copy of a forward-only run and the pattern's pixmap.
void
allocate_pattern_buffers(run_context &r)
{
    run_iteration &it = r.it;
    if (r.fwd_only)
        r.drawn = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "drawn state"));
    it.pixmap = static_cast<image_slot *>(checked_calloc(1, sizeof(image_slot), "Pixmap pointer"));
    if (stp)
        make_pattern_pixmap(&it, d_mode == display_1d ? static_cast<int>(r.side_width) : 0);
    it.time = 0;
}

// The pattern's colours, key panel and frames, and how its rows are laid.
void
start_pattern(run_context &r)
{
    run_iteration &it = r.it;
    if (stp) {
        it.back_colour = black;
        it.fore_colour = white;
        seed_was_set = 1;
        if (r.fwd_only) {
            forget_key_panel();
            it.key_panel = key_panel_beside;
            interrupt_key_index(&r.eg, &it);
        }
        moveto(0, 0);
        setup_pattern_frames(&r.eg, &it, r.side_width);
    }
    if (diff_plot)
        memset(tempState, 0, bytesL);
    if (stpgraph)
        r.eg.plot_row = -1;
    bool one_k = !nhood_mixed;
    it.half_shift = r.fwd_only && stp && one_k &&
                    ((oned && nhood % 2 == 0 && d_mode == display_1d && !nonlocal) ||
                     (twod && d_mode == display_2d && (nhood == 6 || nhood == 7)));
    if (oned && d_mode > display_1d)
        scrolling = 0;
    // The colour key stays at the top right only where the pattern leaves it
    // room: a box the rows or page clears reach would lose its key to them.
    if (r.fwd_only && pattern_reach(&it, r.side_width) <= Maxx - 2 - color_key_width())
        show_multistate_color_key(1);
    it.disc_cells = d_mode == display_3d;
}

// Whether the run makes (and frees) its random map's successor table.
bool
random_map_table_needed()
{
    return exhaustive_testing == exhaustive_random_map && !basinfield &&
           direction == direction_forward;
}

// The set-up of a run, phase by phase. Returns false when the run ended in
// its set-up.
bool
set_up_run(run_context &r)
{
    start_run_settings(r);
    if (r.fwd_only)
        allocate_graph_layout(r);
    choose_display_mode(r);
    if (!ask_skeleton_and_diff_plot(r))
        return false;
    // A random-map run steps through the successor table: outside a field
    // (which builds its own) the run asks for it here.
    if (random_map_table_needed()) {
        prestate_successor_pairs();
        if (is[0] == 'q')
            return false;
    }
    if (exhaustive_testing == exhaustive_random_map && !exh_pairs) {
        is[0] = 'q';
        return false;
    }
    size_cells(r.it);
    begin_stepping(r);
    allocate_attractor_types(r);
    r.width = pattern_width(&r.it);
    if (r.fwd_only)
        set_up_forward_only_displays(r);
    allocate_pattern_buffers(r);
    start_pattern(r);
    return true;
}

// The key polls after a step, 1 + the delay of them: a running key is
// acted on, a 'q' is left in is[0] for the pause.
void
poll_running_keys(run_context &r)
{
    for (int32_t poll = 0; poll <= r.it.delay; poll++) {
        // The step's own poll is made at most once a millisecond, so a
        // fast undrawn run loses little to it; the delay's extra polls
        // are always made, as they are there to slow the run.
        if (poll == 0 && !key_poll_due())
            continue;
        // A modifier pressed alone (Shift before a capital) gives no key.
        if (!event_ready() || is[0] == 0)
            continue;
        if (is[0] == 'q')
            return;
        act_on_running_keys(r);
        if (is[0] == 'q')
            return;
    }
}

// The time-steps until the run ends.
run_exit
run_steps(run_context &r)
{
    run_iteration &it = r.it;
    colouring_step colouring;
    colouring.fwd_only = r.fwd_only;
    // What the caller's dialogs left in is[0] is no key of this run.
    is[0] = 0;
    for (;;) {
        if (diff_plot == diff_plot_stats && it.time == r.dp.delay)
            it.fore_colour = static_cast<uint8_t>(random_bitflip_state(it.fore_colour));
        uint32_t t = ++it.time;

        // The pause box's dialogs may have left another viewport.
        keep_run_left_of_key_panel();
        display_before_sweep(&it);
        if (it.skip_on)
            stp = t % (time_skip + 1u) == 0;
        r.eg.window = static_cast<int16_t>(std::min<int64_t>(gens, t));
        r.sk.frozen_top = r.sk.frozen_other = 0;

        colouring.frozen_test = r.fwd_only && it.lastA && frozen_history_full(r);
        colouring.by_nhood = ncolor == 1 && !seed_was_set && r.fwd_only;
        bool colour_cells = stp || att_hist == att_hist_skeleton;
        if (colour_cells)
            draw_pattern_cells(&it, &r.sk, &colouring, stp, it.run_seq_update != 0);
        if (r.drawn)
            memcpy(r.drawn, A, bytesL);
        // The lookups of the step go to the newest row of the window, which
        // the entropy plot turns on at each step it measures.
        r.mode.lookup_row = count_window_newest(&r.eg.lookupcount);
        if (r.mode.lookup_row)
            memset(r.mode.lookup_row, 0, (static_cast<size_t>(it.max_index) + 1) * sizeof(uint16_t));
        forward_step(r.rules, r.mode);
        if (it.lastA && r.history_valid < frozen_gens)
            r.history_valid++;
        if (r.fwd_only && graph_layout == 1)
            draw_graph_layout(&it, r.drawn, stp, r.box_x0, r.box_y0,
                              r.box_x1, r.box_y1);

        if ((stp || r.ae.no_display) && !r.backward) {
            if (it.frozen_mode == 2)
                show_frozen_counts(100.0 * r.sk.frozen_top / lineL, 100.0 * r.sk.frozen_other / lineL);
            if (!(d_mode == display_2d && scrolling)) {
                limit_lookup_histogram_to_key_panel(&r.eg);
                const bool panel_on = it.key_panel;
                {
                    // The sampling's boxes stand left of the key panel.
                    side_panel_while panel(key_panel_left());
                    entropy_eeg_plot(&r.ae, &r.eg, &it);
                }
                // Automatic rule sampling takes the key panel away: it is
                // erased where it was drawn (the plane, drawn beside it,
                // never reaches a panel that was shown).
                if (panel_on && !it.key_panel)
                    erase_key_panel();
                if (show_ss_matrixF == ss_view_matrix)
                    show_statespace_matrix(A);
            }
        }
        if (stp)
            display_after_sweep(&r.eg, &it, r.side_width);
        if (r.fwd_only && it.return_map && t > 3)
            plot_return_map_point(r.drawn, A, r.width, r.eg.point_colour);
        if (r.fwd_only && graph_layout == 1 && (stp || r.ae.no_display))
            frame_layout_box(r);

        if (it.step_pause) {
            step_pause(r);
            keep_run_left_of_key_panel();
        }
        if (diff_plot)
            plot_diff_pattern(&r.dp, &r.eg, &it);
        if (att_hist == att_hist_skeleton && r.sk.frozen_buff && frozen_history_full(r)) {
            side_panel_while panel(key_panel_left());
            if (show_frozen_skel_hist(&r.sk, &r.dp, &it, r.width) == type_histogram_request::pause_box &&
                types_cleared(r))
                return run_exit::user;
        }

        if (r.search) {
            attractor_result found = attractor_check(it.time);
            if (found == att_past_limit) {
                if (!history_limit_reached(r, it.time))
                    return run_exit::user;
                found = att_found;
            }
            if (found == att_found) {
                run_exit how = cycle_found(r);
                if (how != run_exit::going_on)
                    return how;
            }
        }
        if (r.backward && it.time >= stepforward) {
            if (stp) {
                start_rows_after_pattern(&it, r.side_width);
                print_current_state(A, lightgreen);
                end_page(it.cell_size);
            }
            is[0] = 0;
            return run_exit::steps_done;
        }

        poll_running_keys(r);

        if (it.scan_sample && it.time == static_cast<uint32_t>(it.scan_length)) {
            if (oned)
                moverel(0, CHeight / 2);
            char key = is[0];
            is[0] = 'w';
            act_on_running_keys(r);
            if (key == 'q')
                is[0] = 'q';
            if (oned && gety + it.scan_length * it.cell_size > Maxy) {
                it.page_full = 1;
                if (stppause == stppause_box) {
                    input_string(1, single_key_entry);
                    if (is[0] == 'q')
                        it.scan_sample = 0;
                }
            }
        }

        bool q = is[0] == 'q';
        if (r.search && q) {
            if (still_looking(it.time))
                return run_exit::user;
        } else if (q || (stppause && it.page_full) || (ittpause && it.time == ittpause)) {
            if (pause_point(r))
                return run_exit::user;
        }
        if (it.page_full) {
            if (stp) {
                pattern_page_end(&r.eg, &it, r.side_width);
                redraw_histogram_after_page(&r.dp);
            }
            it.page_full = 0;
        }
        is[0] = 0;
    }
}

} // namespace

void
step_back_history(run_iteration *it, int j, uint16_t *valid)
{
    // Contents are copied line by line, so the rows stay distinct; entry i
    // takes the state j steps older, and the vacated tail counts as empty
    // until later steps refill it.
    memcpy(A, it->lastA[j], bytesL);
    for (int i = 0; i + j < frozen_gens; i++)
        memcpy(it->lastA[i], it->lastA[i + j], bytesL);
    *valid = static_cast<uint16_t>(*valid > j ? *valid - j : 0);
    int64_t t = static_cast<int64_t>(it->time) - j - 1;
    it->time = static_cast<uint32_t>(t < 1 ? 0 : t);
}

void
run_forward(uint8_t **rules)
{
    run_context r;
    r.rules = rules;
    r.rules_source = rules == carule ? &carule : rules == cacode ? &cacode : rules == v_code ? &v_code : nullptr;
    r.backward = direction == direction_backward;
    r.fwd_only = forward_only_run();
    r.search = direction == direction_forward && (limitcheck > 0 || att_hist == att_hist_types);
    if (r.backward && stepforward == 0) {
        is[0] = 0;
        return;
    }
    run_exit how = run_exit::user;
    if (set_up_run(r))
        how = run_steps(r);
    else
        is[0] = 'q';
    finish_run(r, how);
    if (random_map_table_needed())
        free_successor_table();
    if (how == run_exit::user)
        is[0] = 'q';
}

uint8_t **
rules_of_network()
{
    if (!tot_only)
        return carule;
    return totalistic == rule_kind_tcodes ? cacode : v_code;
}
