// The run set-up dialogs (run_settings.h): the output-parameter menu with
// the resets every run starts from, the forward-only options, the run-kind
// choice and the forward steps before a subtree, with the pre-image method
// prompt the last two share. The forward-only options are a question table
// (kForwardOnlyRows); the other dialogs are loops over their named steps;
// 'q' at a step goes to the step the dialog names for it. Every prompt is
// drawn in the prompt box; the limits of the typed numbers are in
// engine/forward/run_choices.h. Start at select_pattern_scrolling.
#include "ui/forward/run_settings.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/forward/globals.h"
#include "engine/forward/network_duplication.h"
#include "engine/forward/run_choices.h"
#include "engine/forward/update_order.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/formatted_text.h"
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
#include "ui/measures/lambda_z_plot.h"
#include "ui/model/rule_parameters.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"

namespace {

void (*network_resizer)(int n) = nullptr;

// A question in the prompt box: its lines, the entry after the last one;
// the current point is kept. Returns the entry's length; the answer is in is.
// The box is drawn in its lines' font, so that a tall one stands above the
// text column.
int
box_question(std::initializer_list<const char *> lines, int max, int mode)
{
    int16_t x = getx, y = gety;
    int len;
    {
        prompt_font font(std::vector<std::string>(lines.begin(), lines.end()));
        int margin = replace_prompt_box(static_cast<int>(lines.size()));
        int line = 0;
        for (const char *text : lines) {
            if (line++ > 0)
                moveto(margin, gety + CHeight);
            outtext(text);
        }
        len = input_string(max, mode);
    }
    moveto(x, y);
    return len;
}

// A one-line question composed as printf would.
int box_questionf(int max, int mode, const char *format, ...) __attribute__((format(printf, 3, 4)));
int
box_questionf(int max, int mode, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = formatted_list(format, args);
    va_end(args);
    return box_question({text.c_str()}, max, mode);
}

// Lines the run dialogs have written in the text column, and the column
// question: each line of text on the next line of the column, then the
// entry. A step back takes the column back to the count it had then.
int column_lines = 0;
// column_lines when the column last went back to its top: the lines counted
// before it are no longer on the screen.
int column_wrap_mark = 0;
// The top row of the highest line written since the column last went back
// to its top: a window resized since placed its lines from a column top
// worked out in another font, which may lie above the top as it is now.
int column_first_row = INT_MAX;

// The column cleared from its first row (where the first screen's lines
// start) down to the rule box, over the width a prompt and its answer may
// take and the k-matrix picture's row labels left of it, and the next line
// put at that first row. A sweep graph standing beside the column goes with
// it, its x labels whole, which may reach below the tallest rule box's top.
void
wrap_column()
{
    int left = static_cast<int>(xtext * CWidth);
    int top = text_column_top();
    int from = top;
    if (column_first_row < top) {
        int ink_top = 0, ink_bottom = 0;
        line_ink_rows(column_first_row, ink_top, ink_bottom);
        from = std::min(top, ink_top);
    }
    column_first_row = INT_MAX;
    const box_place column{std::max(1, std::min(left - 2, nhood_matrix_labels_left(left))), from, Maxx - 2,
                           std::max(tallest_rule_box_top() - 1, sweep_graph_labels_bottom())};
    // A box standing across the clear's foot (the state-space matrix a run
    // left) goes whole, not cut there.
    give_way(column);
    setfillstyle(0, black);
    bar(column.x0, column.y0, column.x1, column.y1);
    moveto(left, top - CHeight);
    column_wrap_mark = column_lines;
}

void
column_text(std::initializer_list<const char *> lines)
{
    // A question whose last line would reach the tallest rule box starts at
    // the top, all of its lines together: none is written over the rule
    // readout or below the bottom strip, where it would be answered blind.
    // A line's letters hang two rows below it.
    int count = static_cast<int>(lines.size());
    if (gety + (count + 1) * CHeight + 2 >= tallest_rule_box_top())
        wrap_column();
    for (const char *text : lines) {
        next_line(xtext, 1);
        column_lines++;
        column_first_row = std::min<int>(column_first_row, gety);
        outtext(text);
    }
}

// One line of the column composed as printf would.
void column_textf(const char *format, ...) __attribute__((format(printf, 1, 2)));
void
column_textf(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = formatted_list(format, args);
    va_end(args);
    column_text({text.c_str()});
}

int
column_question(std::initializer_list<const char *> lines, int max, int mode)
{
    column_text(lines);
    return input_string(max, mode);
}

// Clears the column's lines written since mark; the next line is the first
// of them. A mark from before the column's last wrap goes back to its top:
// the lines written since the wrap are cleared, and the wrap counts from the
// mark, so that later steps back stay below the top.
void
take_back_column(int mark)
{
    if (mark < column_wrap_mark) {
        int since_wrap = column_lines - column_wrap_mark;
        if (since_wrap > 0)
            setpback_x_lines(since_wrap - 1);
        column_wrap_mark = mark;
        column_lines = mark;
        return;
    }
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
    glider_rule_order = glider_order_random;
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
    meta_graph = meta_graph_off;
    pdata = data_off;
    filestates = 0;
    filedata = data_off;
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
    hilight_learn = hilight_off;
    showbits_1d_as_2d = 0;
    dontcopytrees = copies_drawn;
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
                 1, text_entry);
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
                     1, text_entry);
        char key = is[0];
        if (key == 'q')
            return output_step::first;
        if (key == 'm' || key == 'a') {
            show_ss_matrix = 1;
            ss_m_att_only = key == 'a' ? 1 : 0;
        } else if (key == 's') {
            show_ss_matrix = 1;
            int half = Maxx / 2;
            int len = box_questionf(3, text_entry,
                                    "change matrix size: %% of 1/2 screen (def %d%%):",
                                    matrix_percent_of_size(msize, half));
            if (is[0] == 'd')
                acceptall = 1;
            else if (!answered_return(len) && is[0] != 'q')
                msize = static_cast<int16_t>(matrix_size_of_percent(
                    static_cast<long>(entry_held(matrix_percent_of_size(msize, half), {1, 100}, true)),
                    half));
        } else if (key == 'c') {
            show_ss_matrix = 1;
            int len = box_questionf(2, text_entry, "change start color (now %d): enter 1-15:",
                                    matrixcolor);
            if (is[0] == 'd') {
                acceptall = 1;
            } else if (!answered_return(len) && is[0] != 'q') {
                matrixcolor = static_cast<uint8_t>(entry_held(matrixcolor, {1, 15}, true));
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
    box_question({"show pre-image frequency histogram-y:"}, 1, text_entry);
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
    int len = box_questionf(5, text_entry, "select cut-off in-degree bin (50-5000, default %d):",
                            static_cast<int>(maxinhist));
    char answer = is[0];
    if (!answered_return(len) && answer != 'd' && answer != 'q')
        maxinhist = static_cast<uint32_t>(entry_held(maxinhist, {50, 5000}, true));
    pre_fansize_freq_hist = 1;
    reset_in_degree_counts(maxinhist + 1);
    if (answer == 'd') {
        acceptall = 1;
        return output_step::screensave;
    }
    show_maj = show_maj_off;
    box_question({"show/count states with majority of: 1s-1, 0s-0:"}, 1, text_entry);
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
    box_question({"screensave demo -s:"}, 1, text_entry);
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
    int len = input_string(2, numeric_entry);
    if (is[0] == 'q')
        return false;
    int start = static_cast<int>(whole_answer_held(lineL, {1, 30}, len));
    int end_max = size_range_end_max(maxL_lu);
    snprintf(text, sizeof text, "  end size (max=%d):", end_max);
    outtext(text);
    len = input_string(2, numeric_entry);
    if (is[0] == 'q')
        return false;
    long end = whole_answer_held(0, {0, static_cast<double>(end_max)}, len);
    if (end <= start) {
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
    int len = box_question({"set min Z (def 0.2):"}, 4, text_entry);
    if (is[0] == 'q')
        return false;
    std::string text = entry_text();
    if (len > 0 && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) {
        float z = std::strtof(text.c_str(), nullptr);
        if (z >= 0.0f && z < 1.0f)
            lowlimZ = z;
    }
    len = box_question({" max Z (def 1):"}, 4, text_entry);
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
    box_question({"G-density graph, number of rules (def 1250):"}, 6, text_entry);
    if (is[0] == 'q')
        return false;
    // Fewer than 2 rules: no graph.
    long count = static_cast<long>(entry_held(1250, {0, 999999}, true));
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
    box_question({"draw Zleft-Zright -1, or Zpara - Lda ratio (def):"}, 1, text_entry);
    if (is[0] == 'q')
        return;
    lambda_z_graph = is[0] == '1' ? lambda_z_zleft_zright : lambda_z_lambda;
    codetypeonly = code_sweep_clusters;
    int k = nhood, no_bias = 0;
    if (k < 4 || (totalistic == rule_kind_tcodes && value_range == 2)) {
        totalgraphrules = 1;
        if (totalistic) {
            box_question({"show only equivs-e all-a (def clusters):"}, 1, text_entry);
            if (is[0] == 'q')
                return;
            if (is[0] == 'e' || is[0] == 'a')
                codetypeonly = is[0];
            box_question({"pause to show codes-p:"}, 1, text_entry);
            if (is[0] == 'q')
                return;
            if (is[0] == 'p')
                pause_show_code = '1';
        }
    } else {
        box_questionf(
            8, text_entry, "%sgraph, number of rules (def 2200):",
            lambda_z_graph == lambda_z_zleft_zright ? "Zleft-Zright " : "lambda-Z ");
        if (is[0] == 'q')
            return;
        long count = static_cast<long>(entry_held(2200, {0, 99999999}, true));
        if (count > 1)
            totalgraphrules = static_cast<uint32_t>(count);
        box_question({"random rule sample will have lambda bias, dont bias-n:"}, 1, text_entry);
        if (is[0] == 'q')
            return;
        no_bias = is[0] == 'n' ? 1 : 0;
    }
    erase_prompt_box(1);
    gofE_z_graph();
    bool codes = totalistic == rule_kind_tcodes && value_range == 2;
    if (codes) {
        mutate = mutation_code_number;
        allocate_code_mem();
    } else {
        mutate = k < 4 ? mutation_rule_number : mutation_random_rule;
    }
    set_z_high = 0;
    // The sweep puts the network's rule and tcode back itself.
    draw_lambda_z_graph(no_bias);
    if (codes) {
        checked_free(codetickoff);
        checked_free(tempcode);
        codetickoff = tempcode = nullptr;
    }
    lambda_z_graph = lambda_z_off;
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
        lambda_z_graph = lambda_z_off;
        totalgraphrules = 0;
        if (value_range == 2)
            box_question({"G-density graph: Zpara-1, +Lambda ratio-2, size range-3",
                          "C-P data, Zpara-Lda ratio, Zleft-Zright graphs -L:"},
                         1, text_entry);
        else
            box_question({"G-density graph:  size range-3"}, 1, text_entry);
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
        box_question({stp ? "NO space-time pattern-n:" : "SHOW space-time pattern-y:"}, 1,
                     text_entry);
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
        box_question({"sweep space-time pattern-s, scroll-def:"}, 1, text_entry);
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

// The forward-only rows in the table's order, named where 'q' goes back to
// them.
enum fo_row : int {
    fo_first, fo_kcode_order, fo_updating, fo_colouring, fo_gliders, fo_pausing, fo_display,
    fo_sweep_1d, fo_scroll_2d, fo_probability, fo_analysis, fo_single_cell, fo_entropy_cell,
    fo_analysis_gens, fo_frozen, fo_matrix, fo_random_map, fo_damage_reset, fo_damage,
    fo_duplicate, fo_odd_width, fo_histograms, fo_rows
};

// The parts of the options in order: the first answer starts the walk at
// all of them, at the analysis or at the histograms.
enum fo_part : int { fo_part_all, fo_part_analysis, fo_part_histograms };
fo_part fo_from = fo_part_all;
// The network and seed were doubled at the duplicate question.
bool fo_doubled = false;

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

// Width a damage display divides in two: n for 1d, i2d for 2d.
int
damage_width()
{
    return twod ? i2d : lineL;
}

// The glider rules of the network's v and k: the last index, 0 when none.
int
glider_rule_count()
{
    return no_glider_rules ? no_glider_rules[value_range][nhoodm[0]] : 0;
}

bool
all_parts()
{
    return fo_from == fo_part_all;
}

bool
analysis_part()
{
    return fo_from <= fo_part_analysis;
}

// The analysis asks about a single cell unless a mixed neighbourhood's
// input entropy makes it single already.
bool
single_cell_asked()
{
    return analysis_part() && stpgraph >= 1 && !(nhood_mixed && stpgraph > 1);
}

answer_step
take_first_answer(int)
{
    fo_from = is[0] == 'a' ? fo_part_analysis : is[0] == 'h' ? fo_part_histograms : fo_part_all;
    return answer_step::next;
}

// Partial-order updating: the subset's limits on the same line.
answer_step
take_updating(int)
{
    if (is[0] == 's') {
        set_seq_update();
    } else if (is[0] == 'p') {
        column_textf("network subset limits (def 1-%d): min:", lineL);
        int len = input_string(digits_of(lineL - 1), numeric_entry);
        if (is[0] == 'q')
            return answer_step::restart;
        if (is[0] == 'd')
            return answer_step::finish;
        porder_min = static_cast<uint16_t>(whole_answer_held(porder_min, {1, static_cast<double>(lineL)}, len));
        outtext(" max:");
        len = input_string(digits_of(lineL), numeric_entry);
        if (is[0] == 'q')
            return answer_step::restart;
        if (is[0] == 'd')
            return answer_step::finish;
        porder_max = static_cast<uint16_t>(
            whole_answer_held(porder_max, {static_cast<double>(porder_min), static_cast<double>(lineL)}, len));
        p_order = 1;
    }
    return answer_step::next;
}

answer_step
take_gliders(int len)
{
    if (!answered_return(len) && glider_rule_count() >= 1)
        glider_rule_order = static_cast<int16_t>(
            whole_answer_held(glider_rule_order + 1, {1, static_cast<double>(glider_rule_count())}, len) - 1);
    return answer_step::next;
}

answer_step
take_pausing(int len)
{
    if (is[0] == 's') {
        stppause = stppause_step_next_run;
    } else if (is[0] == 'p') {
        stppause = stppause_box;
    } else if (entry_held(0, {-HUGE_VAL, HUGE_VAL}) != 0) {
        // A number other than 0: pause at that step, 1 at least.
        stppause = stppause_box;
        ittpause = static_cast<uint32_t>(whole_answer_held(ittpause, {1, UINT32_MAX}, len));
    }
    return answer_step::next;
}

// The update probability answered; the output probability on its line.
answer_step
take_probabilities(int)
{
    update_prob = probability_of(entry_text());
    outtext(" output:");
    input_string(7, text_entry);
    if (is[0] == 'q')
        return answer_step::restart;
    if (is[0] == 'd')
        return answer_step::finish;
    out_prob = probability_of(entry_text());
    return answer_step::next;
}

answer_step
take_analysis(int)
{
    // A step back to the analysis from the histograms asks the analysis part.
    if (fo_from > fo_part_analysis)
        fo_from = fo_part_analysis;
    char key = is[0];
    if (key == kKeyReturn) {
        if (!(oned && !nhood_mixed))
            stpgraph = stpgraph_none;
    } else if (key >= '0' && key <= '3') {
        stpgraph = static_cast<uint8_t>(key - '0');
    } else if (key < '0' || key > '9') {
        stpgraph = stpgraph_none;
    }
    if (nhood_mixed && stpgraph > 1)
        single_entropy = 1;
    return answer_step::next;
}

// The lattice's sides for the single cell of the entropy plot.
struct entropy_lattice {
    bool cube = threed != 0;
    int wi = cube ? i3d : i2d, wj = cube ? j3d : j2d, wh = cube ? h3d : 1;
};

bool
entropy_cell_on_line()
{
    return oned || (!twod && !threed);
}

void
prompt_entropy_cell()
{
    if (entropy_cell_on_line()) {
        column_textf("single: enter index(max %d def %d):", lineL - 1, entropy_poss);
        return;
    }
    entropy_lattice l;
    int ci = entropy_poss % l.wi, cj = (entropy_poss / l.wi) % l.wj;
    int ch = entropy_poss / (l.wi * l.wj);
    if (l.cube)
        column_textf("single 3d: 3d index(max %d,%d,%d now %d,%d,%d)", l.wi - 1, l.wj - 1,
                     l.wh - 1, ci, cj, ch);
    else
        column_textf("single 2d: 2d index(max %d,%d, now %d,%d)", l.wi - 1, l.wj - 1, ci, cj);
    next_line(xtext, 1);
    column_lines++;
}

// The single cell: an index on a line, or a coordinate per side of the
// lattice, each held to its own side, so the cell is inside the lattice.
answer_step
take_entropy_cell(int)
{
    if (entropy_cell_on_line()) {
        int len = input_string(5, text_entry);
        if (is[0] == 'q')
            return answer_step::back_to;
        if (is[0] == 'd')
            return answer_step::finish;
        if (!answered_return(len))
            entropy_poss = static_cast<uint16_t>(whole_answer_held(entropy_poss, coordinate_bounds(lineL), len));
        gens = 500;
        return answer_step::next;
    }
    entropy_lattice l;
    int ci = entropy_poss % l.wi, cj = (entropy_poss / l.wi) % l.wj;
    int ch = entropy_poss / (l.wi * l.wj);
    int *coords[3] = {&ci, &cj, &ch};
    const int sides[3] = {l.wi, l.wj, l.wh};
    const char *asks[3] = {"enter i:", " enter j:", " enter h:"};
    for (int a = 0; a < (l.cube ? 3 : 2); a++) {
        outtext(asks[a]);
        int len = input_string(3, text_entry);
        if (is[0] == 'q')
            return answer_step::back_to;
        if (is[0] == 'd')
            return answer_step::finish;
        if (!answered_return(len))
            *coords[a] = static_cast<int>(whole_answer_held(*coords[a], coordinate_bounds(sides[a]), len));
    }
    entropy_poss = static_cast<uint16_t>(ci + cj * l.wi + ch * l.wi * l.wj);
    gens = 500;
    return answer_step::next;
}

answer_step
take_damage(int)
{
    if (is[0] == 'f')
        diff_plot = diff_plot_keep;
    else if (is[0] == 'F')
        diff_plot = diff_plot_dont_keep;
    else if (is[0] == 's' && lineL > 15)
        diff_plot = diff_plot_stats;
    return answer_step::next;
}

answer_step
take_histograms(int)
{
    if (is[0] == 'a') {
        att_hist = att_hist_types;
        stpgraph = stpgraph_none;
        att_seed_dens = 0;
        column_question({"include seed density data for all-0/1s point attractors-a:"}, 1,
                        text_entry);
        if (is[0] == 'a')
            att_seed_dens = 1;
    } else if (is[0] == 's') {
        att_hist = att_hist_skeleton;
        stpgraph = stpgraph_none;
        ncolor = 0;
    }
    return answer_step::finish;
}

// The forward-only options, down the text column: the run's updating,
// colouring, pauses, display and probabilities; the analysis; the damage
// and attractor histograms. 'q' starts them again, or goes back to the
// analysis or the damage question from the rows after them; 'd' accepts
// the rest.
const question kForwardOnlyRows[] = {
    question::row()
        .prompts([] { column_text({"FORWARD ONLY options: analysis-a histograms-h (ALL-def):"}); })
        .entry(1, text_entry)
        .then(take_first_answer)
        .quits(answer_step::leave),
    question::row()
        .when([] { return all_parts() && tot_only && totalistic == rule_kind_kcodes; })
        .prompts([] { column_text({"reverse value order for Orbesin's rules -A:"}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 'A')
                reverse_value_order = 1;
            return answer_step::next;
        })
        .quits(answer_step::restart),
    question::row()
        .when(all_parts)
        .prompts([] { column_text({"sequential updating-s, partial-order-p, parallel-def:"}); })
        .entry(1, text_entry)
        .then(take_updating)
        .quits(answer_step::restart),
    question::row()
        .when(all_parts)
        .prompts([] { column_text({"color cells by nhood-n, by value-def:"}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 'n')
                ncolor = 1;
            return answer_step::next;
        })
        .quits(answer_step::restart),
    question::row()
        .when([] { return all_parts() && glider_rule_count() > 0; })
        .resets([] { glider_rule_order = glider_order_random; })
        .prompts([] {
            column_textf("glider rules: enter start index for sequential (1-%d), rnd-def:",
                         glider_rule_count() - 1);
        })
        .entry(2, text_entry)
        .then(take_gliders)
        .quits(answer_step::restart),
    question::row()
        .when(all_parts)
        .prompts([] {
            column_text({"step-s, pause screen full-p, or enter time-step (no pause-def):"});
        })
        .entry(5, text_entry)
        .then(take_pausing)
        .quits(answer_step::restart),
    question::row()
        .when(all_parts)
        .resets([] { d_mode = threed ? display_3d : twod ? display_2d : display_1d; })
        .prompts([] {
            int dim = threed ? 3 : twod ? 2 : 1;
            column_textf("%dd network, show STP in 1d-1 2d-2 3d-3 (def %dd):", dim, dim);
        })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == '1')
                d_mode = display_1d;
            else if (is[0] == '2')
                d_mode = display_2d;
            else if (is[0] == '3')
                d_mode = display_3d;
            return answer_step::next;
        })
        .quits(answer_step::restart),
    question::row()
        .when([] { return all_parts() && oned && d_mode == display_1d; })
        .resets([] { scrolling = 1; })
        .prompts([] { column_text({"sweep space-time pattern-s, scroll-def: "}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 's')
                scrolling = 0;
            return answer_step::next;
        })
        .quits(answer_step::restart),
    question::row()
        .when([] { return all_parts() && twod && d_mode == display_2d; })
        .resets([] { scrolling = 0; })
        .prompts([] { column_text({"scroll 2d space-time pattern-s, no-scroll-def: "}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 's')
                scrolling = 1;
            return answer_step::next;
        })
        .quits(answer_step::restart),
    question::row()
        .when(all_parts)
        .prompts([] { column_text({"set probability (def 100%) 0-100, update:"}); })
        .entry(7, text_entry)
        .then(take_probabilities)
        .quits(answer_step::restart),
    question::row()
        .when(analysis_part)
        .prompts([] {
            if (oned && !nhood_mixed)
                column_text({"ANALYSIS: none-n, pattern density-1,",
                             "input-frequency/entropy: hist-(def), +time-3:"});
            else
                column_text({"ANALYSIS: none-(def), pattern density-1,",
                             "input-frequency/entropy: hist-2, +time-3:"});
        })
        .entry(1, text_entry)
        .then(take_analysis)
        .quits(answer_step::restart),
    question::row()
        .when(single_cell_asked)
        .resets([] { single_entropy = 0; })
        .prompts([] { column_text({"single-s all-(def):"}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 's')
                single_entropy = 1;
            return answer_step::next;
        })
        .quits_to(fo_analysis),
    question::row()
        .when([] { return analysis_part() && stpgraph >= 1 && single_entropy; })
        .prompts(prompt_entropy_cell)
        .then(take_entropy_cell)
        .quits_to(fo_analysis),
    question::row()
        .when([] { return analysis_part() && stpgraph >= 1; })
        .prompts([] {
            column_textf("enter new 'analysis' generation size (now %d):", static_cast<int>(gens));
        })
        .entry(5, text_entry)
        .then([](int len) {
            gens = static_cast<int32_t>(whole_answer_held(gens, kGensBounds, len));
            return answer_step::next;
        })
        .quits_to(fo_analysis),
    question::row()
        .when(analysis_part)
        .prompts([] { column_textf("enter new 'frozen' generation size (now %d):", frozen_gens); })
        .entry(4, text_entry)
        .then([](int len) {
            frozen_gens = static_cast<uint16_t>(whole_answer_held(frozen_gens, {1, UINT16_MAX}, len));
            return answer_step::next;
        })
        .quits_to(fo_analysis),
    question::row()
        .when(analysis_part)
        .prompts([] { column_text({"show state-space matrix-m, return map-r:"}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 'm')
                show_ss_matrixF = ss_view_matrix;
            else if (is[0] == 'r')
                show_ss_matrixF = ss_view_return_map;
            return answer_step::next;
        })
        .quits(answer_step::restart),
    // Only where every state can be numbered and the map fits memory.
    question::row()
        .when([] { return analysis_part() && random_map_offered(lineL, value_range, maxL_lu); })
        .prompts([] { column_text({"random map-r:"}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 'r') {
                exhaustive_testing = exhaustive_random_map;
                ncolor = 0;
            }
            return answer_step::next;
        })
        .quits_to(fo_analysis),
    question::row().resets([] {
        diff_plot = diff_plot_off;
        fo_doubled = false;
    }),
    question::row()
        .when([] { return !threed; })
        .prompts([] {
            column_text({"HISTOGRAMS: show difference between 2 networks",
                         lineL > 15 ? "damage: keep-f, dont keep-F, show stats-s:"
                                    : "damage: keep-f, dont keep-F:"});
        })
        .entry(1, text_entry)
        .then(take_damage)
        .quits_to(fo_analysis),
    question::row()
        .when([] { return !threed && duplication_offered(lineL, loc_twod_fonly); })
        .prompts([] { column_text({"duplicate network and seed-y:"}); })
        .entry(1, text_entry)
        .then([](int) {
            if (is[0] == 'y')
                fo_doubled = duplicate_net();
            return answer_step::next;
        })
        .quits_to(fo_damage_reset),
    // Any key goes on, without the damage display.
    question::row()
        .when([] { return !threed && diff_plot && !fo_doubled && damage_width() % 2 != 0; })
        .prompts([] { column_text({"cant divide odd width network, cont-ret:"}); })
        .then([](int) {
            input_string(1, text_entry);
            diff_plot = diff_plot_off;
            return answer_step::next;
        }),
    question::row()
        .when([] { return !diff_plot; })
        .prompts([] { column_text({"histogram of attractors-a skeletons-s:"}); })
        .entry(1, text_entry)
        .then(take_histograms)
        .quits_to(fo_damage_reset),
};
static_assert(sizeof kForwardOnlyRows / sizeof kForwardOnlyRows[0] == fo_rows,
              "one row for each name of fo_row");

// The column's line count as each row asked so far, and the row being
// asked, began: a step back over rows takes the column back to where the
// first of them began.
std::vector<int> fo_marks;

void
fo_start_row(int)
{
    fo_marks.push_back(column_lines);
}

void
fo_take_back(int, int rows)
{
    size_t first = fo_marks.size() - 1 - static_cast<size_t>(rows);
    take_back_column(fo_marks[first]);
    fo_marks.resize(first);
}

const question_place kForwardOnlyColumn = {fo_start_row, fo_take_back, true};

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
    int len = column_question({first, second}, 2, text_entry);
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
        int steps = column_question({"enter max backward steps (def no limit):"}, 5, numeric_entry);
        if (!answered_return(steps) && is[0] != 'q')
            level_limit = static_cast<uint16_t>(whole_answer_held(level_limit, {1, UINT16_MAX}, steps));
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
            box_questionf(1, text_entry,
                          "3d regular wiring  (%dx%dx%d), forwards only, cont-ret:", i3d, j3d,
                          h3d);
        else
            box_questionf(1, text_entry, "2d regular wiring (%dx%d), forwards only, cont-ret:", i2d,
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
    // The last box the steps drew, in its lines' font: a box of four lines
    // in the normal font would reach the text column on a short window.
    erase_prompt_box(1);
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
    fo_marks.clear();
    if (ask_questions(kForwardOnlyRows, kForwardOnlyColumn) == answer_step::leave) {
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
        column_question({"backward for subtree-b, forward for basin (def):"}, 1, text_entry);
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
                               31, text_entry);
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
        int len = column_question({"forward before backwards?", most}, 5, numeric_entry);
        if (is[0] == 'q')
            break;
        stepforward = static_cast<uint32_t>(
            whole_answer_held(0, {0, static_cast<double>(stepforward_shown_max(lineL))}, len));
        outtext(stp ? " NO stp-n:" : " SHOW stp-y:");
        input_string(1, text_entry);
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
