// The run set-up dialogs (run_settings.h): the output-parameter menu with
// the resets every run starts from, the forward-only options, the run-kind
// choice and the forward steps before a subtree, with the pre-image method
// prompt the last two share. Each dialog is a loop over its named steps;
// 'q' at a step goes to the step the dialog names for it. Every prompt is
// drawn in the prompt box; the limits of the typed numbers are in
// engine/forward/run_choices.h. Start at select_pattern_scrolling.
#include "ui/forward/run_settings.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/forward/globals.h"
#include "engine/forward/network_duplication.h"
#include "engine/forward/run_choices.h"
#include "engine/forward/update_order.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "ui/forward/network_duplication.h"
#include "ui/forward/order_dialogs.h"
#include "ui/measures/gofe_graph.h"
#include "ui/model/rule_parameters.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"

namespace {

void (*network_resizer)(int n) = nullptr;

// A question in the prompt box: its lines, the entry after the last one;
// the current point is kept. Returns the entry's length; the answer is in is.
int
box_question(std::initializer_list<const char *> lines, int max, int mode)
{
    int16_t x = getx, y = gety;
    int count = static_cast<int>(lines.size());
    int margin = replace_prompt_box(count);
    int line = 0;
    for (const char *text : lines) {
        if (line++ > 0)
            moveto(margin, gety + CHeight);
        outtext(text);
    }
    int len = input_string(max, mode);
    moveto(x, y);
    return len;
}

// A one-line question composed with snprintf.
template <typename... Args>
int
box_questionf(int max, int mode, const char *format, Args... args)
{
    char text[160];
    snprintf(text, sizeof text, format, args...);
    return box_question({text}, max, mode);
}

// Lines the run dialogs have written in the text column, and the column
// question: each line of text on the next line of the column, then the
// entry. A step back takes the column back to the count it had then.
int column_lines = 0;

int
column_question(std::initializer_list<const char *> lines, int max, int mode)
{
    for (const char *text : lines) {
        next_line(xtext, 1);
        column_lines++;
        outtext(text);
    }
    return input_string(max, mode);
}

template <typename... Args>
int
column_questionf(int max, int mode, const char *format, Args... args)
{
    char text[160];
    snprintf(text, sizeof text, format, args...);
    return column_question({text}, max, mode);
}

// Clears the column's lines written since mark; the next line is the first
// of them.
void
take_back_column(int mark)
{
    int lines = column_lines - mark;
    if (lines > 0)
        setpback_x_lines(lines - 1);
    column_lines = mark;
}

bool
answered_return(int len)
{
    return len == 0 || is[0] == kKeyReturn;
}

// ---- Output parameters.

// The settings every run starts from.
void
reset_run_settings()
{
    start_edge_color = lightred;
    update_prob = out_prob = 100.0f;
    pause_fact = 1.0f;
    reorderRBN = 1;
    glider_rule_order = -1;
    b_value = 0;
    border = 0;
    if (i2d == 0) {
        i2d = static_cast<int16_t>(lineL);
        j2d = 1;
    }
    d_mode = threed ? display_3d : twod ? display_2d : display_1d;
    identity_order(seq_order, lineL);
    if (fan_angle_fact == 0)
        fan_angle_fact = 1.0f;
    neutral_order = 0;
    codetypeonly = code_sweep_all;
    seq_update = update_parallel;
    level_limit = 0;
    scrolling = oned ? 1 : 0;
    wires_to_move = 1;
    sep = static_cast<int8_t>(scale > vgax(3) ? 2 : 1);
}

// 'a', 'A' and 'L' at the first prompt restore the layout's defaults; 'a'
// restores every default.
void
restore_defaults(char key)
{
    orient_angle = 0;
    layout_notset = 1;
    fan_angle_fact = 1.0f;
    successive_basins = 0;
    show_one_att_state = 0;
    if (key != 'a')
        return;
    start_edge_color = lightred;
    reorderRBN = 1;
    show_maj = show_maj_off;
    meta_graph = 0;
    pdata = 0;
    filestates = 0;
    filedata = 0;
    show_ss_matrixF = ss_view_none;
    ss_m_att_only = 0;
    show_ss_matrix = 0;
    msize = static_cast<int16_t>(vgax(200));
    screensavedemo = 0;
    matrixcolor = 10;
    gd_z_graph = sweep_graph_none;
    stp = 0;
    if (oned)
        scrolling = 1;
    pre_fansize_freq_hist = 0;
    diff_plot = diff_plot_off;
    maxinhist = 0;
    reset_in_degree_counts(1);
    labelsizefactor = 0;
    mutantdontpause = 0;
    pause_fact = 1.0f;
    shownumbers = shownumbers_spot;
    just_G = just_G_all;
    hilight_learn = 0;
    showbits_1d_as_2d = 0;
    dontcopytrees = 0;
    dontcompress = 0;
    datapause = datapause_unset;
    fieldpause = 0;
}

enum class output_step { first, various, in_degree, screensave, sweeps, pattern, done, leave };

output_step
output_first_prompt()
{
    forward_only = 0;
    acceptall = 0;
    accept_from = accept_from_none;
    status_box_title("output parameters", lightred);
    setcolor(white);
    box_question({basinfield ? "accept all basin defaults-d"
                             : "accept all basin defaults-d, space-time pattern only-s",
                  "restore defaults: all-a, layout only-L",
                  "revise from: layout-l display-p pause/data-t mutation-m",
                  "revise from start-ret:"},
                 1, 0);
    char key = is[0];
    if (key == 'q')
        return output_step::leave;
    if (key == 's' && !basinfield) {
        forward_only = 1;
        direction = direction_forward;
        limitcheck = 0;
        show_ss_matrixF = ss_view_matrix;
        return output_step::done;
    }
    if (key == 'd')
        acceptall = 1;
    if (key == 'l' || key == 'p' || key == 't' || key == 'm')
        accept_from = static_cast<uint8_t>(key);
    att_hist = att_hist_none;
    if (key == 'a' || key == 'A' || key == 'L') {
        restore_defaults(key);
        return output_step::first;
    }
    status_box_title("accept defaults-d", lightred);
    if (matrixcolor == 0)
        matrixcolor = 10;
    return output_step::various;
}

bool
asking()
{
    return !acceptall && !accept_from;
}

output_step
output_various()
{
    if (!asking())
        return output_step::in_degree;
    for (;;) {
        box_question({"VARIOUS: state space matrix: all states-m, attractor only-a",
                      "show and change: matrix size-s, start color-c:"},
                     1, 0);
        char key = is[0];
        if (key == 'q')
            return output_step::first;
        if (key == 'm' || key == 'a') {
            show_ss_matrix = 1;
            ss_m_att_only = key == 'a' ? 1 : 0;
        } else if (key == 's') {
            show_ss_matrix = 1;
            int half = Maxx / 2;
            int len = box_questionf(3, 0, "change matrix size: %% of 1/2 screen (def %d%%):",
                                    matrix_percent_of_size(msize, half));
            if (is[0] == 'd')
                acceptall = 1;
            else if (!answered_return(len) && is[0] != 'q') {
                int size = matrix_size_of_percent(entry_number(), half);
                if (size > 0)
                    msize = static_cast<int16_t>(size);
            }
        } else if (key == 'c') {
            show_ss_matrix = 1;
            int len = box_questionf(2, 0, "change start color (now %d): enter 1-15:", matrixcolor);
            if (is[0] == 'd') {
                acceptall = 1;
            } else if (!answered_return(len) && is[0] != 'q') {
                long c = entry_number();
                if (c >= 1 && c <= 15)
                    matrixcolor = static_cast<uint8_t>(c);
            }
            continue;
        } else if (key == 'd') {
            acceptall = 1;
        }
        return output_step::in_degree;
    }
}

output_step
output_in_degree()
{
    if (!asking() || screensavedemo)
        return output_step::screensave;
    box_question({"show pre-image frequency histogram-y:"}, 1, 0);
    char key = is[0];
    if (key == 'q')
        return output_step::first;
    if (key == 'd') {
        acceptall = 1;
        return output_step::screensave;
    }
    if (key != 'y') {
        pre_fansize_freq_hist = 0;
        if (maxinhist != 0) {
            maxinhist = 0;
            reset_in_degree_counts(1);
        }
        return output_step::screensave;
    }
    if (maxinhist == 0)
        maxinhist = 200;
    int len = box_questionf(5, 0, "select cut-off in-degree bin (50-5000, default %d):",
                            static_cast<int>(maxinhist));
    char answer = is[0];
    if (!answered_return(len) && answer != 'd' && answer != 'q') {
        long bins = entry_number();
        if (bins >= 50 && bins <= 5000)
            maxinhist = static_cast<uint32_t>(bins);
    }
    pre_fansize_freq_hist = 1;
    reset_in_degree_counts(maxinhist + 1);
    if (answer == 'd') {
        acceptall = 1;
        return output_step::screensave;
    }
    show_maj = show_maj_off;
    box_question({"show/count states with majority of: 1s-1, 0s-0:"}, 1, 0);
    if (is[0] == '1' || is[0] == '0')
        show_maj = static_cast<uint8_t>(is[0] - '0');
    else if (is[0] == 'd')
        acceptall = 1;
    return output_step::screensave;
}

output_step
output_screensave()
{
    screensavedemo = 0;
    if (!asking() || pre_fansize_freq_hist || basinfield || rangeL)
        return output_step::sweeps;
    box_question({"screensave demo -s:"}, 1, 0);
    if (is[0] == 'q')
        return output_step::first;
    if (is[0] == 's') {
        screensavedemo = 1;
        stp = 0;
    } else if (is[0] == 'd') {
        acceptall = 1;
    }
    return output_step::sweeps;
}

// The size range of the G-density graph; false when 'q' went back to the
// G-density prompt.
bool
size_range_answers()
{
    startL = lineL;
    rangebytesL = bytesL;
    int margin = replace_prompt_box(2);
    outtext("G-density - size range graph");
    moveto(margin, gety + CHeight);
    char text[48];
    snprintf(text, sizeof text, "start size (def=%d):", lineL);
    outtext(text);
    int len = input_string(2, 1);
    if (is[0] == 'q')
        return false;
    int start = lineL;
    if (!answered_return(len)) {
        long typed = entry_number();
        if (typed >= 1 && typed <= 30)
            start = static_cast<int>(typed);
    }
    int end_max = size_range_end_max(maxL_lu);
    snprintf(text, sizeof text, "  end size (max=%d):", end_max);
    outtext(text);
    len = input_string(2, 1);
    if (is[0] == 'q')
        return false;
    long end = answered_return(len) ? 0 : entry_number();
    if (end <= start || end > end_max) {
        gd_z_graph = sweep_graph_none;
        return true;
    }
    startL = static_cast<uint16_t>(start);
    endL = static_cast<uint16_t>(end);
    totalgraphrules = static_cast<uint32_t>(end - start + 1);
    rangeL = 0;
    if (start == lineL || network_resizer == nullptr) {
        startL = lineL;
        return true;
    }
    // A single run carries its seed over to the start size.
    uint8_t *copy = nullptr;
    if (!basinfield) {
        copy = static_cast<uint8_t *>(checked_calloc(rangebytesL, 1, "rangeseed"));
        memcpy(copy, bitseed, rangebytesL);
    }
    network_resizer(start);
    if (copy) {
        if (rangebytesL > bytesL)
            rangebytesL = bytesL;
        uint32_t kept = static_cast<uint32_t>(rangebytesL) * 8 / value_bits;
        for (int c = L; c >= 0; c--)
            set_value(bitseed, c, static_cast<uint32_t>(c) < kept ? get_value(copy, c) : 0);
        checked_free(copy);
    }
    return true;
}

// The same, the current point kept.
bool
size_range_sweep()
{
    int16_t x = getx, y = gety;
    bool went_on = size_range_answers();
    moveto(x, y);
    return went_on;
}

// The rule, or the code in use, one number lower.
void
step_rule_down(uint8_t *line, int last)
{
    uint32_t number = dec_equiv(line, last);
    if (value_range == 2)
        dec_to_bit_line(line, number - 1, last + 1);
    else
        dec_to_value_line(line, number - 1, last + 1);
}

// Z of the rule in use, a code expanded to its table first.
float
current_z()
{
    int k = nhood;
    if (totalistic == rule_kind_tcodes)
        code2rule(carule[0], cacode[0], k);
    else if (totalistic == rule_kind_kcodes)
        v_code2rule(carule[0], v_code[0], k, 1);
    rule_z_figures(k, carule[0]);
    return zparam[0];
}

// The Z window of a G-density sweep, then the rule stepped down to the
// first whose Z reaches the minimum; false on 'q'.
bool
z_window_sweep()
{
    lowlimZ = 0.2f;
    highlimZ = 1.0f;
    int len = box_question({"set min Z (def 0.2):"}, 4, 0);
    if (is[0] == 'q')
        return false;
    std::string text = entry_text();
    if (len > 0 && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) {
        float z = std::strtof(text.c_str(), nullptr);
        if (z >= 0.0f && z < 1.0f)
            lowlimZ = z;
    }
    len = box_question({" max Z (def 1):"}, 4, 0);
    if (is[0] == 'q')
        return false;
    text = entry_text();
    if (len > 0 && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) {
        float z = std::strtof(text.c_str(), nullptr);
        if (z >= 0.0f && z <= 1.0f && z > lowlimZ)
            highlimZ = z;
    }
    int k = nhood;
    uint8_t *line = carule[0];
    int last = static_cast<int>(int_power(value_range, k)) - 1;
    if (totalistic == rule_kind_tcodes) {
        line = cacode[0];
        last = k * (value_range - 1);
    } else if (totalistic == rule_kind_kcodes) {
        line = v_code[0];
        last = v_tablecodemax[k];
    }
    while (current_z() < lowlimZ && dec_equiv(line, last) > 0)
        step_rule_down(line, last);
    return true;
}

// The rule count of a G-density sweep over rules; false on 'q'.
bool
rule_count_sweep()
{
    int len = box_question({"G-density graph, number of rules (def 1250):"}, 6, 0);
    if (is[0] == 'q')
        return false;
    long count = answered_return(len) ? 1250 : entry_number();
    if (count < 2)
        gd_z_graph = sweep_graph_none;
    else
        totalgraphrules = static_cast<uint32_t>(count);
    return true;
}

// 'L': the lambda-Z or Z-left-Z-right graph, drawn at once.
void
lambda_z_sweep()
{
    box_question({"draw Zleft-Zright -1, or Zpara - Lda ratio (def):"}, 1, 0);
    if (is[0] == 'q')
        return;
    lambda_z_graph = is[0] == '1' ? 2 : 1;
    codetypeonly = code_sweep_clusters;
    int k = nhood, no_bias = 0;
    if (k < 4 || (totalistic == rule_kind_tcodes && value_range == 2)) {
        totalgraphrules = 1;
        if (totalistic) {
            box_question({"show only equivs-e all-a (def clusters):"}, 1, 0);
            if (is[0] == 'q')
                return;
            if (is[0] == 'e' || is[0] == 'a')
                codetypeonly = is[0];
            box_question({"pause to show codes-p:"}, 1, 0);
            if (is[0] == 'q')
                return;
            if (is[0] == 'p')
                pause_show_code = '1';
        }
    } else {
        int len = box_questionf(8, 0, "%sgraph, number of rules (def 2200):",
                                lambda_z_graph == 2 ? "Zleft-Zright " : "lambda-Z ");
        if (is[0] == 'q')
            return;
        long count = answered_return(len) ? 2200 : entry_number();
        if (count > 1)
            totalgraphrules = static_cast<uint32_t>(count);
        box_question({"random rule sample will have lambda bias, dont bias-n:"}, 1, 0);
        if (is[0] == 'q')
            return;
        no_bias = is[0] == 'n' ? 1 : 0;
    }
    erase_prompt_box(1);
    gofE_z_graph();
    uint8_t *saved_tcode = nullptr;
    size_t tcode_size = (k + 1 + 7) / 8;
    if (totalistic == rule_kind_tcodes && value_range == 2) {
        mutate = mutation_code_number;
        allocate_code_mem();
        saved_tcode = static_cast<uint8_t *>(checked_calloc(tcode_size, 1, "cacode[0]"));
        memcpy(saved_tcode, cacode[0], tcode_size);
    } else {
        mutate = k < 4 ? mutation_rule_number : mutation_random_rule;
    }
    set_z_high = 0;
    draw_lambda_z_graph(no_bias);
    if (saved_tcode) {
        checked_free(codetickoff);
        checked_free(tempcode);
        codetickoff = tempcode = nullptr;
        memcpy(cacode[0], saved_tcode, tcode_size);
        checked_free(saved_tcode);
    }
    lambda_z_graph = 0;
    mutate = mutation_bits;
}

output_step
output_sweeps()
{
    gd_z_graph = sweep_graph_none;
    pause_show_code = 0;
    if (rulemix || !asking() || screensavedemo || pre_fansize_freq_hist)
        return output_step::pattern;
    for (;;) {
        lambda_z_graph = 0;
        totalgraphrules = 0;
        if (value_range == 2)
            box_question({"G-density graph: Zpara-1, +Lambda ratio-2, size range-3",
                          "C-P data, Zpara-Lda ratio, Zleft-Zright graphs -L:"},
                         1, 0);
        else
            box_question({"G-density graph:  size range-3"}, 1, 0);
        char key = is[0];
        if (key == 'q')
            return output_step::first;
        if (key == 'd') {
            acceptall = 1;
            return output_step::pattern;
        }
        if (key == 'L' && value_range == 2) {
            lambda_z_sweep();
            continue;
        }
        if (key < '1' || key > '3')
            return output_step::pattern;
        gd_z_graph = static_cast<int8_t>(key - '0');
        bool went_on = true;
        if (gd_z_graph == sweep_graph_size)
            went_on = size_range_sweep();
        else if ((value_range > 2 && nhood >= 2) ||
                 (value_range == 2 && nhood > 3 && totalistic == rule_kind_tables))
            went_on = rule_count_sweep();
        else
            went_on = z_window_sweep();
        if (went_on)
            return output_step::pattern;
        gd_z_graph = sweep_graph_none;
    }
}

output_step
output_pattern()
{
    if (!asking())
        return output_step::done;
    for (;;) {
        box_question({stp ? "NO space-time pattern-n:" : "SHOW space-time pattern-y:"}, 1, 0);
        char key = is[0];
        if (key == 'q')
            return output_step::sweeps;
        if (key == 'd')
            acceptall = 1;
        else if (!stp && key == 'y')
            stp = 1;
        else if (stp && key == 'n')
            stp = 0;
        if (!stp || acceptall)
            return output_step::done;
        box_question({"sweep space-time pattern-s, scroll-def:"}, 1, 0);
        if (is[0] == 'q')
            continue;
        if (is[0] == 's')
            scrolling = 0;
        else if (is[0] == 'd')
            acceptall = 1;
        return output_step::done;
    }
}

// ---- Forward-only options.

enum class fo_step {
    first, kcode_order, updating, colouring, gliders, pausing, display, sweep_1d, scroll_2d,
    probability, analysis, single_cell, analysis_gens, frozen, matrix, random_map, damage,
    duplicate, histograms, done, leave
};

void
reset_forward_only_settings()
{
    porder_max = lineL;
    porder_min = 1;
    update_prob = out_prob = 100.0f;
    seq_update = update_parallel;
    reverse_value_order = 0;
    single_entropy = 0;
    p_order = 0;
    exhaustive_testing = exhaustive_off;
    gens = 10;
    stpgraph = oned && !nhood_mixed ? stpgraph_lookup_bars : stpgraph_none;
    frozen_gens = 20;
    stppause = stppause_none;
    ncolor = 0;
    ittpause = 0;
    show_ss_matrixF = show_ss_matrix == 1 ? ss_view_matrix : ss_view_none;
    att_hist = att_hist_none;
    stp = 1;
}

// The answer, with 'q' going to back and 'd' ending the stage.
fo_step
fo_answer(fo_step next, fo_step back)
{
    if (is[0] == 'q')
        return back;
    if (is[0] == 'd')
        return fo_step::done;
    return next;
}

// Width a damage display divides in two: n for 1d, i2d for 2d.
int
damage_width()
{
    return twod ? i2d : lineL;
}

// The single cell of the entropy plot; step when 'q' or 'd' was answered.
fo_step
choose_entropy_cell()
{
    char text[96];
    if (oned || (!twod && !threed)) {
        int len = column_questionf(5, 0, "single: enter index(max %d def %d):", lineL - 1,
                                entropy_poss);
        if (is[0] == 'q' || is[0] == 'd')
            return fo_answer(fo_step::analysis_gens, fo_step::analysis);
        if (!answered_return(len) && coordinate_taken(entry_number(), lineL))
            entropy_poss = static_cast<uint16_t>(entry_number());
        return fo_step::analysis_gens;
    }
    bool cube = threed != 0;
    int wi = cube ? i3d : i2d, wj = cube ? j3d : j2d, wh = cube ? h3d : 1;
    int ci = entropy_poss % wi, cj = (entropy_poss / wi) % wj, ch = entropy_poss / (wi * wj);
    if (cube)
        snprintf(text, sizeof text, "single 3d: 3d index(max %d,%d,%d now %d,%d,%d)", wi - 1,
                 wj - 1, wh - 1, ci, cj, ch);
    else
        snprintf(text, sizeof text, "single 2d: 2d index(max %d,%d, now %d,%d)", wi - 1,
                 wj - 1, ci, cj);
    int *coords[3] = {&ci, &cj, &ch};
    const int sides[3] = {wi, wj, wh};
    const char *asks[3] = {"enter i:", " enter j:", " enter h:"};
    next_line(xtext, 1);
    outtext(text);
    next_line(xtext, 1);
    column_lines += 2;
    for (int a = 0; a < (cube ? 3 : 2); a++) {
        outtext(asks[a]);
        int len = input_string(3, 0);
        if (is[0] == 'q' || is[0] == 'd')
            return fo_answer(fo_step::analysis_gens, fo_step::analysis);
        // Each coordinate is held to its own side, so the cell is inside the lattice.
        if (!answered_return(len) && coordinate_taken(entry_number(), sides[a]))
            *coords[a] = static_cast<int>(entry_number());
    }
    entropy_poss = static_cast<uint16_t>(ci + cj * wi + ch * wi * wj);
    return fo_step::analysis_gens;
}

fo_step
forward_only_step(fo_step step)
{
    switch (step) {
    case fo_step::first:
        column_question({"FORWARD ONLY options: analysis-a histograms-h (ALL-def):"}, 1, 0);
        if (is[0] == 'q')
            return fo_step::leave;
        if (is[0] == 'd')
            return fo_step::done;
        if (is[0] == 'a')
            return fo_step::analysis;
        if (is[0] == 'h')
            return fo_step::damage;
        return fo_step::kcode_order;
    case fo_step::kcode_order:
        if (!tot_only || totalistic != rule_kind_kcodes)
            return fo_step::updating;
        column_question({"reverse value order for Orbesin's rules -A:"}, 1, 0);
        if (is[0] == 'A')
            reverse_value_order = 1;
        return fo_answer(fo_step::updating, fo_step::first);
    case fo_step::updating: {
        column_question({"sequential updating-s, partial-order-p, parallel-def:"}, 1, 0);
        char key = is[0];
        if (key == 's') {
            set_seq_update();
        } else if (key == 'p') {
            int len = column_questionf(digits_of(lineL - 1), 1,
                                    "network subset limits (def 1-%d): min:", lineL);
            if (is[0] == 'q' || is[0] == 'd')
                return fo_answer(fo_step::colouring, fo_step::first);
            long low = answered_return(len) ? 0 : entry_number();
            if (low >= 1 && low <= lineL)
                porder_min = static_cast<uint16_t>(low);
            outtext(" max:");
            len = input_string(digits_of(lineL), 1);
            if (is[0] == 'q' || is[0] == 'd')
                return fo_answer(fo_step::colouring, fo_step::first);
            long high = answered_return(len) ? 0 : entry_number();
            if (high >= porder_min && high <= lineL)
                porder_max = static_cast<uint16_t>(high);
            p_order = 1;
        }
        return fo_answer(fo_step::colouring, fo_step::first);
    }
    case fo_step::colouring:
        column_question({"color cells by nhood-n, by value-def:"}, 1, 0);
        if (is[0] == 'n')
            ncolor = 1;
        return fo_answer(fo_step::gliders, fo_step::first);
    case fo_step::gliders: {
        int count = no_glider_rules ? no_glider_rules[value_range][nhoodm[0]] : 0;
        if (count <= 0)
            return fo_step::pausing;
        glider_rule_order = -1;
        int len = column_questionf(2, 0, "glider rules: enter start index for sequential (1-%d), "
                                      "rnd-def:", count - 1);
        if (!answered_return(len) && is[0] != 'q' && is[0] != 'd') {
            long i = entry_number();
            if (i >= 1 && i <= count)
                glider_rule_order = static_cast<int16_t>(i - 1);
        }
        return fo_answer(fo_step::pausing, fo_step::first);
    }
    case fo_step::pausing: {
        int len = column_question({"step-s, pause screen full-p, or enter time-step (no pause-def):"},
                               5, 0);
        if (is[0] == 's') {
            stppause = stppause_step_next_run;
        } else if (is[0] == 'p') {
            stppause = stppause_box;
        } else if (!answered_return(len) && is[0] != 'q' && is[0] != 'd') {
            long t = entry_number();
            if (t > 0) {
                stppause = stppause_box;
                ittpause = static_cast<uint32_t>(t);
            }
        }
        return fo_answer(fo_step::display, fo_step::first);
    }
    case fo_step::display: {
        int dim = threed ? 3 : twod ? 2 : 1;
        d_mode = threed ? display_3d : twod ? display_2d : display_1d;
        column_questionf(1, 0, "%dd network, show STP in 1d-1 2d-2 3d-3 (def %dd):", dim, dim);
        if (is[0] == '1')
            d_mode = display_1d;
        else if (is[0] == '2')
            d_mode = display_2d;
        else if (is[0] == '3')
            d_mode = display_3d;
        return fo_answer(fo_step::sweep_1d, fo_step::first);
    }
    case fo_step::sweep_1d:
        if (!oned || d_mode != display_1d)
            return fo_step::scroll_2d;
        scrolling = 1;
        column_question({"sweep space-time pattern-s, scroll-def: "}, 1, 0);
        if (is[0] == 's')
            scrolling = 0;
        return fo_answer(fo_step::scroll_2d, fo_step::first);
    case fo_step::scroll_2d:
        if (!twod || d_mode != display_2d)
            return fo_step::probability;
        scrolling = 0;
        column_question({"scroll 2d space-time pattern-s, no-scroll-def: "}, 1, 0);
        if (is[0] == 's')
            scrolling = 1;
        return fo_answer(fo_step::probability, fo_step::first);
    case fo_step::probability: {
        column_question({"set probability (def 100%) 0-100, update:"}, 7, 0);
        if (is[0] == 'q' || is[0] == 'd')
            return fo_answer(fo_step::analysis, fo_step::first);
        update_prob = probability_of(entry_text());
        outtext(" output:");
        input_string(7, 0);
        if (is[0] == 'q' || is[0] == 'd')
            return fo_answer(fo_step::analysis, fo_step::first);
        out_prob = probability_of(entry_text());
        return fo_step::analysis;
    }
    case fo_step::analysis: {
        bool plain_1d = oned && !nhood_mixed;
        if (plain_1d)
            column_question({"ANALYSIS: none-n, pattern density-1,",
                          "input-frequency/entropy: hist-(def), +time-3:"},
                         1, 0);
        else
            column_question({"ANALYSIS: none-(def), pattern density-1,",
                          "input-frequency/entropy: hist-2, +time-3:"},
                         1, 0);
        char key = is[0];
        if (key == 'q' || key == 'd')
            return fo_answer(fo_step::single_cell, fo_step::first);
        if (key == kKeyReturn) {
            if (!plain_1d)
                stpgraph = stpgraph_none;
        } else if (key >= '0' && key <= '3') {
            stpgraph = static_cast<uint8_t>(key - '0');
        } else if (key < '0' || key > '9') {
            stpgraph = stpgraph_none;
        }
        if (nhood_mixed && stpgraph > 1)
            single_entropy = 1;
        return stpgraph >= 1 ? fo_step::single_cell : fo_step::frozen;
    }
    case fo_step::single_cell:
        if (!(nhood_mixed && stpgraph > 1)) {
            single_entropy = 0;
            column_question({"single-s all-(def):"}, 1, 0);
            if (is[0] == 'q' || is[0] == 'd')
                return fo_answer(fo_step::analysis_gens, fo_step::analysis);
            if (is[0] == 's')
                single_entropy = 1;
        }
        if (!single_entropy)
            return fo_step::analysis_gens;
        step = choose_entropy_cell();
        if (step == fo_step::analysis_gens)
            gens = 500;
        return step;
    case fo_step::analysis_gens: {
        int len = column_questionf(5, 0, "enter new 'analysis' generation size (now %d):",
                                static_cast<int>(gens));
        if (!answered_return(len) && is[0] != 'q' && is[0] != 'd' &&
            gens_answer_taken(entry_number()))
            gens = static_cast<int32_t>(entry_number());
        return fo_answer(fo_step::frozen, fo_step::analysis);
    }
    case fo_step::frozen: {
        int len = column_questionf(4, 0, "enter new 'frozen' generation size (now %d):",
                                frozen_gens);
        if (!answered_return(len) && is[0] != 'q' && is[0] != 'd' && entry_number() > 0)
            frozen_gens = static_cast<uint16_t>(entry_number());
        return fo_answer(fo_step::matrix, fo_step::analysis);
    }
    case fo_step::matrix:
        column_question({"show state-space matrix-m, return map-r:"}, 1, 0);
        if (is[0] == 'm')
            show_ss_matrixF = ss_view_matrix;
        else if (is[0] == 'r')
            show_ss_matrixF = ss_view_return_map;
        return fo_answer(fo_step::random_map, fo_step::first);
    case fo_step::random_map:
        // Only where every state can be numbered and the map fits memory.
        if (!random_map_offered(lineL, value_range, maxL_lu))
            return fo_step::damage;
        column_question({"random map-r:"}, 1, 0);
        if (is[0] == 'r') {
            exhaustive_testing = exhaustive_random_map;
            ncolor = 0;
        }
        return fo_answer(fo_step::damage, fo_step::analysis);
    case fo_step::damage: {
        diff_plot = diff_plot_off;
        if (threed)
            return fo_step::histograms;
        column_question({"HISTOGRAMS: show difference between 2 networks",
                      lineL > 15 ? "damage: keep-f, dont keep-F, show stats-s:"
                                 : "damage: keep-f, dont keep-F:"},
                     1, 0);
        char key = is[0];
        if (key == 'q' || key == 'd')
            return fo_answer(fo_step::duplicate, fo_step::analysis);
        if (key == 'f')
            diff_plot = diff_plot_keep;
        else if (key == 'F')
            diff_plot = diff_plot_dont_keep;
        else if (key == 's' && lineL > 15)
            diff_plot = diff_plot_stats;
        return fo_step::duplicate;
    }
    case fo_step::duplicate: {
        bool doubled = false;
        if (duplication_offered(lineL, loc_twod_fonly)) {
            column_question({"duplicate network and seed-y:"}, 1, 0);
            if (is[0] == 'q' || is[0] == 'd')
                return fo_answer(fo_step::histograms, fo_step::damage);
            if (is[0] == 'y')
                doubled = duplicate_net();
        }
        if (diff_plot && !doubled && damage_width() % 2 != 0) {
            column_question({"cant divide odd width network, cont-ret:"}, 1, 0);
            diff_plot = diff_plot_off;
        }
        return diff_plot ? fo_step::done : fo_step::histograms;
    }
    case fo_step::histograms:
        column_question({"histogram of attractors-a skeletons-s:"}, 1, 0);
        if (is[0] == 'q')
            return fo_step::damage;
        if (is[0] == 'a') {
            att_hist = att_hist_types;
            stpgraph = stpgraph_none;
            att_seed_dens = 0;
            column_question({"include seed density data for all-0/1s point attractors-a:"}, 1, 0);
            if (is[0] == 'a')
                att_seed_dens = 1;
        } else if (is[0] == 's') {
            att_hist = att_hist_skeleton;
            stpgraph = stpgraph_none;
            ncolor = 0;
        }
        return fo_step::done;
    case fo_step::done:
    case fo_step::leave:
        break;
    }
    return fo_step::done;
}

// ---- Run kind.

// The pre-image method prompt of a basin (subtree false) or a subtree;
// false when 'q' goes back to the caller's first prompt.
bool
preimage_method_prompt(bool subtree)
{
    see_ppstack = see_ppstack_off;
    level_limit = 0;
    if (subtree)
        neutral_order = 0;
    int n = lineL;
    bool rmap = random_map_offered(n, value_range, maxL_lu);
    std::string methods;
    if (n <= 31) {
        methods = rmap ? "exh-e rmap-r seq-s" : "exh-e seq-s";
        if (subtree && n <= 12)
            methods += " nto-o ";
    }
    const char *locality = nonlocal ? "(non-local)" : "(local)";
    char first[160], second[120];
    const char *kind = subtree ? "sub-tree" : "single basin";
    const char *comma = subtree ? "" : ",";
    if (rangeL)
        snprintf(first, sizeof first, "%s %s n=%d-%d, %s", kind, locality, startL, endL,
                 methods.c_str());
    else
        snprintf(first, sizeof first, "%s %s n=%d, %s%s", kind, locality, n, methods.c_str(),
                 comma);
    if (!nonlocal)
        snprintf(second, sizeof second, "view ppstack-1: limit backsteps +b:");
    else
        snprintf(second, sizeof second, "view ppstack-1 +pause-2, reorder(%s) tog +R%s limit "
                                        "backsteps +b:",
                 reorderRBN ? "on" : "off", reorderRBN || subtree ? "," : "");
    is[1] = 0;
    int len = column_question({first, second}, 2, 0);
    char key = is[0], next = len > 1 ? is[1] : 0;
    if (key == 'q')
        return false;
    if (key == '1' || key == '2')
        see_ppstack = static_cast<uint8_t>(key - '0');
    if (key == 'R' || ((key == '1' || key == '2') && next == 'R')) {
        reorderRBN = reorderRBN ? 0 : 1;
    } else if (n <= 31) {
        if (key == 'e' || key == 's')
            exhaustive_testing = exhaustive_table;
        else if (key == 'r' && rmap)
            exhaustive_testing = exhaustive_random_map;
        else if (key == 'o' && subtree && n <= 12)
            neutral_order = 1;
        if (key == 's')
            set_seq_update();
    }
    if (key == 'd' && !subtree)
        return true;
    if ((key == 'b' || next == 'b') && (subtree || neutral_order == 0)) {
        int steps = column_question({"enter max backward steps (def no limit):"}, 5, 1);
        if (!answered_return(steps) && is[0] != 'q' && entry_number() > 0)
            level_limit = static_cast<uint16_t>(std::min<long>(entry_number(), 65535));
    }
    is[0] = key;
    return true;
}

} // namespace

void
set_network_resizer(void (*resize)(int n))
{
    network_resizer = resize;
}

void
select_pattern_scrolling()
{
    reset_run_settings();
    if (loc_twod_fonly) {
        if (threed)
            box_questionf(1, 0, "3d regular wiring  (%dx%dx%d), forwards only, cont-ret:", i3d,
                          j3d, h3d);
        else
            box_questionf(1, 0, "2d regular wiring (%dx%d), forwards only, cont-ret:", i2d,
                          j2d);
        erase_prompt_box(1);
        direction = direction_forward;
        limitcheck = 0;
        return;
    }
    if (tot_only) {
        is[0] = 's';
        forward_only = 1;
        direction = direction_forward;
        limitcheck = 0;
        show_ss_matrixF = ss_view_matrix;
        return;
    }
    output_step step = output_step::first;
    while (step != output_step::done && step != output_step::leave) {
        switch (step) {
        case output_step::first:
            step = output_first_prompt();
            break;
        case output_step::various:
            step = output_various();
            break;
        case output_step::in_degree:
            step = output_in_degree();
            break;
        case output_step::screensave:
            step = output_screensave();
            break;
        case output_step::sweeps:
            step = output_sweeps();
            break;
        case output_step::pattern:
            step = output_pattern();
            break;
        case output_step::done:
        case output_step::leave:
            break;
        }
    }
    erase_prompt_box(4);
    erase_memory_box();
    if (step == output_step::leave) {
        setviewport(0, 0, Maxx, Maxy, 1);
        is[0] = 'q';
        return;
    }
    if (accept_from == accept_from_none)
        accept_from = accept_from_layout;
    is[0] = kKeyReturn;
}

void
forward_only_para()
{
    reset_forward_only_settings();
    status_box_title("accept defaults-d", lightred);
    // The column's line count when each step was first asked: a step back
    // takes the column back to it.
    int start = column_lines;
    int marks[static_cast<int>(fo_step::leave) + 1];
    for (int &mark : marks)
        mark = start;
    fo_step step = fo_step::first;
    while (step != fo_step::done && step != fo_step::leave) {
        marks[static_cast<int>(step)] = column_lines;
        fo_step next = forward_only_step(step);
        if (next <= step)
            take_back_column(marks[static_cast<int>(next)]);
        step = next;
    }
    if (step == fo_step::leave) {
        take_back_column(start);
        if (tot_only)
            moveto(static_cast<int>(xtext * CWidth), gety);
        is[0] = 'q';
        return;
    }
    is[0] = kKeyReturn;
}

void
select_foreward_back()
{
    status_box_title("accept defaults-d", lightred);
    seq_update = update_parallel;
    int start = column_lines;
    for (;;) {
        take_back_column(start);
        exhaustive_testing = exhaustive_off;
        show_ss_matrixF = ss_view_none;
        limitcheck = kHistoryLimitDefault;
        direction = direction_forward;
        column_question({"backward for subtree-b, forward for basin (def):"}, 1, 0);
        char key = is[0];
        if (key == 'q') {
            take_back_column(start);
            break;
        }
        if (key == 'd')
            break;
        if (key == 'b') {
            direction = direction_backward;
            break;
        }
        char limit_text[64];
        snprintf(limit_text, sizeof limit_text, "(history limit def=10,000 steps (max %u)",
                 kHistoryLimitMax);
        int len = column_question({limit_text, "draw basin-ret (or enter revised limit)",
                                "space-time pattern only (no basin)-s:"},
                               31, 0);
        key = is[0];
        if (key == 'd')
            break;
        if (key == 'q')
            continue;
        if (key == 's') {
            show_ss_matrixF = ss_view_matrix;
            limitcheck = 0;
        } else if (!answered_return(len)) {
            limitcheck = history_limit_of(entry_text());
        }
        if (limitcheck != 0) {
            if (!preimage_method_prompt(false))
                continue;
            break;
        }
        forward_only_para();
        if (is[0] == 'q')
            continue;
        break;
    }
    erase_memory_box();
}

void
select_stepforward()
{
    if (direction != direction_backward)
        return;
    exhaustive_testing = exhaustive_off;
    int start = column_lines;
    for (;;) {
        take_back_column(start);
        char most[48];
        snprintf(most, sizeof most, "how many steps (def 0, max %lu):",
                 static_cast<unsigned long>(stepforward_shown_max(lineL)));
        int len = column_question({"forward before backwards?", most}, 5, 1);
        if (is[0] == 'q')
            break;
        stepforward = answered_return(len) ? 0 : static_cast<uint32_t>(entry_number());
        outtext(stp ? " NO stp-n:" : " SHOW stp-y:");
        input_string(1, 0);
        if (is[0] == 'q')
            break;
        if (!stp && is[0] == 'y')
            stp = 1;
        else if (stp && is[0] == 'n')
            stp = 0;
        if (preimage_method_prompt(true))
            break;
    }
    if (is[0] == 'q')
        take_back_column(start);
}
