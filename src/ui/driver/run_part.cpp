// The run part that follows the set-up: one run loop for single runs
// (forward patterns, single basins, subtrees, their size ranges and mutant
// screens) and for basin fields. It asks for the run settings, starts the
// run through the engines of the other folders, shows the options box, then
// decides: run again unchanged, make the next mutant and run again, switch
// between single and field, or go back to the settings. Where single runs
// and fields differ the steps branch on the loop's kind. Every pass and
// every run starts from the folders' named resets (reset_*_pass,
// reset_*_run in their globals.h). Sweeps over rules or sizes add one point
// per run to the G-density graph. Start reading at run_part, then run_loop.
#include "ui/driver/run_part.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "engine/backward/basin_layout.h"
#include "engine/backward/globals.h"
#include "engine/forward/forward_step.h"
#include "engine/forward/globals.h"
#include "engine/measures/sweep_axes.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/network_shape.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/backward/display_settings.h"
#include "ui/backward/in_degree_hist.h"
#include "ui/backward/layout_settings.h"
#include "ui/driver/field_prompt.h"
#include "ui/driver/globals.h"
#include "ui/driver/mutation.h"
#include "ui/driver/network_growth.h"
#include "ui/driver/options_box.h"
#include "ui/driver/run_drivers.h"
#include "ui/forward/run_forward.h"
#include "ui/forward/run_settings.h"
#include "ui/graphs/globals.h"
#include "ui/measures/globals.h"
#include "ui/measures/gofe_graph.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/rule_dialogs/rule_revision.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"
#include "ui/storage/data_lines.h"
#include "ui/storage/globals.h"
#include "ui/string_editors/globals.h"
#include "ui/string_editors/seed_dialog.h"

namespace {

// How a loop ended: back into the network view, or switching loops.
enum class loop_end { back_to_view, toggled };

bool
forward_only_kind()
{
    return tot_only || loc_twod_fonly || forward_only;
}

// The layout, display, pause/data and mutation menus; false on 'q'.
bool
settings_menus()
{
    // The menus draw in the prompt box; the text column goes on where it was.
    int16_t x = getx, y = gety;
    setup_plot();
    bool taken = is[0] != 'q';
    if (taken) {
        format_draw();
        if (is[0] != 'q')
            data_att();
        if (is[0] == 'q')
            pdata = data_off;
        else
            set_mutation();
        taken = is[0] != 'q';
    }
    moveto(x, y);
    return taken;
}

void
black_bar(int x0, int y0, int x1, int y1)
{
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
}

// A box replace_prompt_box left standing that reaches down into the sweep's
// frame (a run's summary whose time took a third line on a narrow window)
// goes whole before the frame is cleared: the clear would cut its last line
// and its frame at the frame's top.
void
take_prompt_box_off_run_frame()
{
    if (replaced_prompt_box_bottom() >= vgay(45))
        erase_prompt_box(1);
}

void
clear_run_frame()
{
    take_prompt_box_off_run_frame();
    black_bar(2, vgay(45), Maxx - 2, vgay(158));
}

// Clears the frame of a Z or lambda sweep, or of a field of any sweep, for
// the next run, framed again.
void
frame_for_next_run()
{
    take_prompt_box_off_run_frame();
    if (stp)
        clear_run_frame();
    setfillstyle(0, black);
    setcolor(white);
    bar3d(run_frame_left(), vgay(45), Maxx - 2, vgay(158), 0, 0);
}

bool
last_sweep_point()
{
    return sweep_last_point(endcount, totalgraphrules);
}

// The pause between non-stop mutants.
void
pause_between_mutants()
{
    usleep(static_cast<useconds_t>(pause_fact * defCursorFlash));
}

// The mutant count of the flips from the left.
void
count_mutant_position()
{
    fieldno = 0;
    if (!was_changed && (mutate == mutation_single_flip || mutate == mutation_cumulative_flip)) {
        mut--;
        if (mut == endmut - 1)
            mut = startmut;
    }
}

// The settings that every run start shares (single and field).
void
start_sweep_graph()
{
    setcolor(white);
    rectangle(run_frame_left(), vgay(45), Maxx - 2, vgay(158));
    scale = 1;
    gofE_z_graph();
    if (mutate == mutation_code_number)
        allocate_code_mem();
}

void
free_code_mem()
{
    checked_free(codetickoff);
    checked_free(tempcode);
    codetickoff = nullptr;
    tempcode = nullptr;
}

// The state every run starts from, named by each folder's reset in layer
// order (the forward run resets its own in its set-up), then the prompt of
// the stack histogram.
void
start_run_state()
{
    reset_model_run();
    reset_wiring_run();
    reset_rules_run();
    reset_backward_run();
    reset_screen_run();
    reset_storage_ui_run();
    reset_string_editors_run();
    reset_measures_run();
    reset_graphs_run();
    if (see_ppstack == see_ppstack_on && nonlocal) {
        draw_prompt_box(1);
        outtext("partial pre-image histogram: start pause-p");
    }
}

void
basin_hint(bool field)
{
    const char *stack =
        see_ppstack == see_ppstack_on && nonlocal ? (field ? " ppstack-p" : "ppstack-p") : "";
    if (field)
        snprintf(textb[0], 150, "matrix-m STP-s scroll-# exp-e contr-c%s", stack);
    else
        snprintf(textb[0], 150, "%s matrix-m STP-s scroll-# exp-e contr-c", stack);
    draw_hint_box(0, 0, textb[0], vgax(390));
}

// ---- The run loop, one for single runs and fields.

// The steps of the run loop. A field has no seed step (its seed is each
// state of the field), and its run kind is the field prompt.
enum class run_step { seed, output, menus, run_kind, run_start, repeat, end_of_run };

// The seed of a single run; false on 'q'.
bool
choose_seed()
{
    diff_plot = diff_plot_off;
    event_ready();
    select_seed_over_setup(bitseed, "SEED");
    if (is[0] == 'q')
        return false;
    memcpy(A, bitseed, bytesL);
    rangebytesL = bytesL;
    return true;
}

// The output (pattern and scrolling) of the run; false on 'q'.
bool
choose_output(bool field)
{
    if (field)
        use_preset_basin_pos = 0;
    select_pattern_scrolling();
    if (is[0] != 'q')
        return true;
    direction = direction_unset;
    return false;
}

// The settings menus; forward-only totalistic runs of a single loop skip
// them. False on 'q'.
bool
choose_settings(bool field)
{
    if (!field && tot_only && (loc_twod_fonly || forward_only))
        return true;
    return settings_menus();
}

// The kind of a single run: forward only, or forwards/backwards with the
// steps before a subtree. The step to go on with.
run_step
choose_single_run_kind()
{
    if (forward_only_kind()) {
        forward_only_para();
        if (is[0] == 'q')
            return tot_only ? run_step::seed : run_step::output;
    } else {
        select_foreward_back();
        if (is[0] != 'q' && direction == direction_backward)
            select_stepforward();
        if (is[0] == 'q')
            return run_step::output;
    }
    return run_step::run_start;
}

// The field prompt; the step to go on with.
run_step
choose_field_kind()
{
    if (field_prompt())
        return run_step::run_start;
    erase_prompt_box(2);
    pdata = data_off;
    return run_step::output;
}

// The screen-saver demonstration's grey screen with the disc of the first
// run.
void
start_screensaver()
{
    setfillstyle(0, darkgray);
    bar(0, 0, Maxx, Maxy);
    float per_cell = direction == direction_forward ? 5.0f * lineL / 11 : 5.0f;
    setfillstyle(0, black);
    pieslice(ox, oy, 0, 360, static_cast<int16_t>(startrad * per_cell));
}

// The start of the runs that follow one run-kind choice: the screen, the
// layout's first place, the mutant countdown, the sweep graph.
void
start_runs(bool field)
{
    if (field) {
        clear_drawing_area();
    } else {
        setviewport(0, 0, Maxx, Maxy, 1);
        if (!neutral_order)
            clearviewport();
    }
    firstox = ox;
    firstoy = oy;
    if (field) {
        firstxspacing = xspacing;
        firstyspacing = yspacing;
    }
    reset_driver_run();
    if (!tot_only)
        memcpy(carule_mut, carule[0], rule_bytes(nhood));
    if (gd_z_graph) {
        start_sweep_graph();
        if (field)
            endcount = 0;
    }
    if (field)
        return;
    if (screensavedemo)
        start_screensaver();
    if (gd_z_graph == sweep_graph_size) {
        sweep_seed = static_cast<uint8_t *>(checked_calloc(rangebytesL, 1, "rangeseed"));
        memcpy(sweep_seed, bitseed, rangebytesL);
    }
}

// v moved into lo..hi, or the middle of the two where the range is empty.
int
moved_into(int v, int lo, int hi)
{
    return lo > hi ? (lo + hi) / 2 : std::clamp(v, lo, hi);
}

// The screen-saver demonstration moves its disc and draws a new seed. The
// disc goes where the random point falls, moved as little as it takes to
// keep inside the area of basins: not past the window's edges nor over the
// boxes of text at the top and foot.
void
move_screensaver_disc()
{
    int x = static_cast<int>(random() % Maxx);
    int y = static_cast<int>(random() % Maxy);
    float per_cell = direction == direction_forward ? 5.0f * lineL / 11 : 5.0f;
    const int16_t radius = static_cast<int16_t>(startrad * per_cell);
    const field_area area = basin_area();
    firstox = static_cast<int16_t>(moved_into(x, area.left + radius, area.right - radius));
    firstoy = static_cast<int16_t>(moved_into(y, area.top + radius, area.bottom - radius));
    setfillstyle(0, black);
    pieslice(firstox, firstoy, 0, 360, radius);
    for (int c = L; c >= 0; c--) {
        int bit = random() % 100 >= 50 ? 1 : 0;
        if (bit)
            bitseed[c / 8] = static_cast<uint8_t>(bitseed[c / 8] | (1 << (c % 8)));
        else
            bitseed[c / 8] = static_cast<uint8_t>(bitseed[c / 8] & ~(1 << (c % 8)));
    }
}

// Moves the basin layout cursor to the place of the next size-sweep point.
void
advance_layout_cursor()
{
    grow_basin_spacing();
    advance_basin_cursor(Maxx, Maxy);
}

// With a rule mix and a data file, one data line of every cell's rule,
// composed whole and appended at once; the hex bytes alone also go to
// standard error with pdata.
void
rule_mix_data_line()
{
    if (!rulemix || !filedata || lineL > 6)
        return;
    std::string line = " R=";
    for (int c = L; c >= 0; c--) {
        print_current_bitstring_hexbytes(1, carule[c], nhoodm[c], Maxx, white, 3);
        line += hex_readout_text(1, carule[c], nhoodm[c]) + " ";
    }
    save_data((line + "\n").c_str());
}

// After the last point of a sweep: keep or clear the graph, revise the rule.
char
field_sweep_end(char key)
{
    int16_t x = getx, y = gety;
    // In a box of its own at the top left, level with the prompt box: clear
    // of the graph's last point, of the window's edge and of the field's
    // box with its progress bar, which stands in the prompt box's place.
    // What it covers is kept and put back.
    const int x0 = 2, x1 = prompt_box_left(Maxx) - 3, y1 = prompt_box_bottom(1);
    image_slot under = 0;
    getimage(x0, 2, x1, y1, &under);
    draw_box(-1, x0, 2, x1, y1, 1, 0);
    setcolor(white);
    moveto(x0 + 3, 5);
    outtext(" quit-q rule-r mut-(def) keep+k:");
    int len = input_string(2, text_entry);
    putimage(x0, 2, &under, 0);
    freeimage(&under);
    key = is[0];
    bool keep = key == 'k' || (len > 1 && is[1] == 'k');
    if (!keep) {
        black_bar(Maxx / 2, Maxy / 3, Maxx - 2, Maxy - vgay(30));
        gofE_z_graph();
    }
    if (key == 'r') {
        revise_rule_or_code(0);
        if (!tot_only) {
            if (value_range == 2)
                z_parameter_all(nhoodm[0], 0, carule[0]);
            else
                z_parameter_all_mvalue(nhoodm[0], 0, carule[0]);
            show_rule_bottom(nhood, 0, carule[0], 0);
        }
        was_changed = 1;
    } else if (key == 'q') {
        mutantdontpause = 0;
        clear_run_frame();
    }
    moveto(x, y);
    frame_for_next_run();
    return key;
}

// The run itself: a field, or a forward run or subtree from the seed.
void
draw_the_run(bool field)
{
    if (field) {
        draw_field();
        return;
    }
    memcpy(A, bitseed, bytesL);
    keep_single_basin_above_boxes();
    if (direction == direction_forward)
        run_forward(rules_of_network());
    else
        upstream_only();
    keep_basins_inside(nullptr);
}

// The G-density point of a sweep run (a size sweep's field ended early
// plots none).
void
plot_run_point(bool field)
{
    if (!gd_z_graph)
        return;
    if (!field)
        plot_gofe_point(275,
                        direction == direction_backward ? totsubgofEdensity : basingofEdensity);
    else if (gd_z_graph != sweep_graph_size || !earlyexitfield)
        plot_gofe_point(250, fieldgofEdensity);
}

// One run from the repeat point; its key is left in is[0].
void
run_once(bool field)
{
    if (field || limitcheck || direction == direction_backward)
        basin_hint(field);
    if (field)
        in_startfield = 1;
    else
        in_startbasin = 1;
    start_run_state();
    if (rangeL) {
        if (field)
            draw_range_field();
        else
            draw_range_single();
        return;
    }
    if (!field && mutant_layout) {
        mutant_one_screen_single();
        return;
    }
    draw_the_run(field);
    char key = is[0];
    plot_run_point(field);
    if (field) {
        rule_mix_data_line();
        if (!(exhaustive_testing && earlyexitfield && gd_z_graph != sweep_graph_size))
            print_field_data();
    }
    show_run_in_degree_histogram();
    is[0] = key;
    bool non_stop = mutantdontpause || (!field && screensavedemo);
    if (!non_stop || key == 'q')
        finish_options(1);
}

// The screen after a run, before the decision; the key that decides.
char
screen_after_run(bool field, char key)
{
    if (gd_z_graph) {
        if (field) {
            // Each field of a sweep starts from the same place in the run's
            // frame and takes its node places afresh: the next one is drawn
            // in the frame cleared, not over this one's nodes.
            if (last_sweep_point())
                key = field_sweep_end(key);
            else
                frame_for_next_run();
            return key;
        }
        if (last_sweep_point()) {
            input_string(1, single_key_entry);
            key = is[0];
        }
        if (gd_z_graph == sweep_graph_z || gd_z_graph == sweep_graph_z_lambda)
            frame_for_next_run();
    } else if (!field && screensavedemo) {
        if (key != 'q')
            move_screensaver_disc();
    } else {
        if (mutantdontpause)
            pause_between_mutants();
        clear_drawing_area();
    }
    return key;
}

// The next point of a sweep: one cell more, or a new rule.
void
next_sweep_point(bool field)
{
    endcount++;
    if (gd_z_graph == sweep_graph_size && endcount <= totalgraphrules) {
        grow_by_one_cell();
        if (field) {
            ox = firstox;
            oy = firstoy;
        } else {
            memcpy(bitseed, sweep_seed, rangebytesL);
            advance_layout_cursor();
        }
    } else if (gd_z_graph == sweep_graph_z || gd_z_graph == sweep_graph_z_lambda) {
        biased_new_rule();
    }
}

// The decision after a run: true to run again from the repeat point.
bool
after_run(bool field)
{
    if (toggle_single_field)
        return false;
    char key = screen_after_run(field, is[0]);
    if ((key != kKeyReturn && !mutantdontpause) || key == 'q')
        return false;
    if (!field && forward_only_run())
        return true;
    count_mutant_position();
    if (gd_z_graph)
        next_sweep_point(field);
    if (field && gd_z_graph == sweep_graph_size) {
        // A field's size sweep runs to its last size before the next mutant.
        if (endcount < totalgraphrules)
            return true;
        change_net_size(startL);
        ox = firstox;
        oy = firstoy;
        endcount = 0;
        if (mutate_rule(nhood))
            return true;
    }
    if (mutate_rule(nhood))
        return true;
    acceptall = 0;
    return false;
}

// The end of the runs: the sweep's frame and memory, the size sweep back to
// its first size.
void
end_runs(bool field)
{
    draw_bottom_title(0);
    if (!field && stp) {
        moveto(0, 0);
        nowscrolling = 0;
    }
    if (gd_z_graph) {
        if (!rulemix && (mutate == mutation_code_flip || mutate == mutation_code_number))
            finish_options(1);
        clear_run_frame();
        erase_plotted_count();
        endcount = 0;
        if (mutate == mutation_code_number)
            free_code_mem();
        if (gd_z_graph == sweep_graph_size) {
            if (!field) {
                change_net_size(startL);
                memcpy(bitseed, sweep_seed, rangebytesL);
                checked_free(sweep_seed);
                sweep_seed = nullptr;
            }
            ox = firstox;
            oy = firstoy;
        }
    }
    if (field)
        in_startfield = 0;
    else
        in_startbasin = 0;
}

// The step after the end of the runs. A space-time pattern leaves the
// point at the window's top: the questions that follow start below the
// status box, which their stages title.
run_step
step_after_runs(bool field)
{
    if (field) {
        moveto(vgax(50), vgay(100));
        return run_step::output;
    }
    if (gety < prompt_box_bottom(1))
        moveto(getx, prompt_box_bottom(1));
    return acceptall && !loc_twod_fonly ? run_step::run_kind : run_step::output;
}

loop_end
run_loop(bool field)
{
    run_step step = field ? run_step::output : run_step::seed;
    for (;;) {
        switch (step) {
        case run_step::seed:
            if (!choose_seed()) {
                secondpart = 0;
                return loop_end::back_to_view;
            }
            step = run_step::output;
            break;
        case run_step::output:
            if (choose_output(field)) {
                step = run_step::menus;
            } else if (field) {
                secondpart = 0;
                return loop_end::back_to_view;
            } else {
                step = run_step::seed;
            }
            break;
        case run_step::menus:
            step = choose_settings(field) ? run_step::run_kind : run_step::output;
            break;
        case run_step::run_kind:
            step = field ? choose_field_kind() : choose_single_run_kind();
            break;
        case run_step::run_start:
            start_runs(field);
            step = run_step::repeat;
            break;
        case run_step::repeat:
            run_once(field);
            if (!after_run(field))
                step = run_step::end_of_run;
            break;
        case run_step::end_of_run:
            end_runs(field);
            if (toggle_single_field)
                return loop_end::toggled;
            step = step_after_runs(field);
            break;
        }
    }
}

// A basin field numbers every state in 32 bits: refused for larger networks.
void
refuse_large_field()
{
    if (!basinfield || lineL <= maxL_lu)
        return;
    snprintf(textb[0], 150, "n=%d too big for a basin field (max %d), cont-ret:", lineL, maxL_lu);
    // One line beside a key box still standing at the top right (a run's
    // frozen-mode key), which a prompt box would cut; a taller basin
    // summary still standing there goes first (draw_line_box).
    const int16_t x = getx, y = gety;
    const line_box box = line_box_beside_key(text_pixel_width(textb[0], static_cast<int>(strlen(textb[0]))) + 2 * CWidth);
    draw_line_box(box);
    text_line(box.left + 3, box.right - 3 - 2 * CWidth, box.top + 3, textb[0]);
    input_string(1, text_entry);
    erase_top_line_box(box);
    moveto(x, y);
    basinfield = 0;
}

// Back into the network view, the set-up's text column is left as the run
// part found it only where nothing was drawn over it since: a run (each
// clears the drawing area as it starts, and a switch between single and
// field runs leaves the last one standing under the other loop's first
// dialog) or a sweep graph of the output settings, or the state-space
// matrix drawn over it, goes with what it left of the column, so that the
// set-up's prompts are not asked over its labels.
void
clear_run_drawings(uint32_t clears_at_start)
{
    if (drawing_area_clears() != clears_at_start || sweep_graph_stands() ||
        box_stands(box_owner::statespace_matrix))
        clear_drawing_area();
}

} // namespace

int
run_frame_left()
{
    return stp ? lineL * scale + vgax(11) : 2;
}

void
run_part()
{
    int16_t entry_line = gety;
    const uint32_t clears_at_start = drawing_area_clears();
    toggle_single_field = 0;
    for (;;) {
        reset_backward_pass();
        reset_forward_pass();
        if (twod || threed)
            rangeL = 0;
        moveto(static_cast<int>(xtext * CWidth), entry_line);
        if (toggle_single_field) {
            moveto(static_cast<int>(CWidth * xtext), vgay(275));
            basinfield = static_cast<uint8_t>(1 - basinfield);
            acceptall = 0;
            toggle_single_field = 0;
        }
        refuse_large_field();
        if (basinfield)
            direction = direction_forward;
        loop_end end = run_loop(basinfield != 0);
        if (end == loop_end::back_to_view) {
            clear_run_drawings(clears_at_start);
            is[0] = 'q';
            return;
        }
    }
}
