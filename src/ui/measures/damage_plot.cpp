// Damage spread (damage_plot.h): the damage dialog, the damage view and
// count of each step with the end of a statistics sample, and the frequency
// histogram with its frame, bars, log views and options prompt. The
// arithmetic (the damage of a step, the sample logic, columns, bins, bar
// heights, rescaling, ticks, the network line of the frame) is
// engine/measures; this file draws it and asks the questions. Reads the
// network's size (engine/model), diff_plot and att_hist (engine/forward);
// calls random_seed (ui/rules) and the histogram file (ui/storage). Start
// at plot_diff_pattern, then show_diff_plot.
#include "ui/measures/damage_plot.h"
#include "ui/measures/top_prompt.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/forward/globals.h"
#include "engine/measures/damage_count.h"
#include "engine/measures/damage_sample.h"
#include "engine/measures/histogram.h"
#include "engine/measures/histogram_caption.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_readout.h"
#include "ui/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fill_rects.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/screen/window_pixels.h"
#include "ui/screen/window_record.h"
#include "ui/storage/histogram_file.h"

namespace {

constexpr uint32_t kSameStepsDefault = 5;

// The histogram's layout, in vgax/vgay units: the plot's left edge and
// width (a 2d network's pattern leaves the bottom free from the left edge,
// so its plot starts further left and is wider), its height and its
// axis's height above the bottom of the window; and the box around it,
// which reaches left of the plot over the y labels, above it over the title
// and the network line, below it over the x labels and the caption, and a
// little right of it.
constexpr int kPlotLeft = 200, kPlotLeft2d = 50;
constexpr int kPlotWidth = 280, kPlotWidth2d = 430;
constexpr int kPlotHeight = 100;
constexpr int kAxisAboveBottom = 30;
constexpr int kBoxLeft = 48, kBoxAbove = 30, kBoxBelow = 28, kBoxRight = 20;
constexpr int kTitleAbove = 25;      // the title's line above the plot's top
constexpr int kCaptionBelow = 15;    // the x caption below the axis
constexpr int kFrequencyLeft = 35;   // the y caption "Freq-" "uency" left of the plot
constexpr int kLogCaptionLeft = 45;  // its "log2" under it

// The box as last drawn: its columns, its rows as the window's record
// follows them across a resize, the window's size it was laid out for and
// the clears of the drawing area then (x1 < 0: none drawn).
struct drawn_box {
    int x0 = 0, x1 = -1;
    window_row top{}, bottom{};
    window_frame frame{};
    uint32_t clears = 0;
};
drawn_box last_box;

// Whether the window changed size since the box was laid out.
bool
resized_since_drawn()
{
    const window_frame now = current_window_frame();
    return last_box.x1 >= 0 && (now.maxx != last_box.frame.maxx || now.maxy != last_box.frame.maxy ||
                                now.cheight != last_box.frame.cheight);
}

// After a resize the record drew the box again scaled from its old place
// (or, where it could not, left it as it was), which the box's layout for
// the new size does not keep: that copy goes, and the background fill drops
// it from the record, so that the box drawn anew leaves nothing of it
// standing. Nothing where the drawing area was cleared since.
void
take_down_resized_copy()
{
    if (!resized_since_drawn() || last_box.clears != drawing_area_clears())
        return;
    const bool redrawn = remember_row(0).redraws != last_box.top.redraws;
    const float sx =
        redrawn ? static_cast<float>(Maxx + 1) / static_cast<float>(last_box.frame.maxx + 1) : 1.0f;
    const int x0 = std::max(0, static_cast<int>(last_box.x0 * sx) - 1);
    const int x1 = std::min<int>(Maxx, static_cast<int>(last_box.x1 * sx) + 2);
    const int y0 = std::max(0, row_now(last_box.top) - 1);
    const int y1 = std::min<int>(Maxy, row_now(last_box.bottom) + 1);
    if (x1 < x0 || y1 < y0)
        return;
    const uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(x0, y0, x1, y1);
    setfillstyle(0, fill);
}

// The damage histogram, not one of the type histograms (which count a type
// number the caller put in dp->damage).
bool
counts_damage()
{
    return att_hist == att_hist_none;
}

// A count typed at an entry of len characters, held to bounds; the line
// shows the count taken.
uint32_t
count_held(uint32_t count, number_bounds bounds, int len)
{
    return static_cast<uint32_t>(whole_answer_held(count, bounds, len));
}

// ---- geometry and axes

histogram_y_axis
y_axis_of(const damage_record *dp)
{
    return {dp->height, dp->y_scale, dp->y_extent};
}

void
keep_y_axis(damage_record *dp, const histogram_y_axis &y)
{
    dp->y_scale = y.y_scale;
    dp->y_extent = y.y_extent;
}

// The right edge of the histogram's box.
int
box_right(const damage_record *dp)
{
    return dp->x0 + static_cast<int>(dp->width) + vgax(kBoxRight);
}

// The plot area of the histogram: wider for a 2d network, whose pattern
// leaves the bottom of the window free from its left edge. Its box ends
// above the rule box where that stands at the foot (a size range's runs
// draw it for each size): drawn over it, the box and its caption would
// cut the rule's lines, and the rule box drawn again would cut the box.
// The network view, opened from the run's pause or end box, draws the box
// of the network's one rule at the foot over the histogram left standing:
// the histogram keeps above that box's place too.
// Raised so, it stays raised while the window keeps its height, though
// the rule box go meanwhile: drawn lower, its frame would cross the texts
// of the raised box it does not cover.
void
lay_out(damage_record *dp)
{
    bool wide = twod != 0;
    dp->x0 = vgax(wide ? kPlotLeft2d : kPlotLeft);
    dp->width = vgax(wide ? kPlotWidth2d : kPlotWidth);
    const int axis = Maxy - vgay(kAxisAboveBottom), box_bottom = axis + vgay(kBoxBelow);
    const int left = dp->x0 - vgax(kBoxLeft);
    const int room = rulemix || !rules_set
                         ? bottom_above_rule_box(left, box_right(dp), box_bottom)
                         : bottom_above_rule_box_to_come(nhood, left, box_right(dp), box_bottom);
    int y0 = axis - (box_bottom - room);
    if (dp->laid_out_maxy == Maxy)
        y0 = std::min<int>(y0, dp->y0);
    dp->y0 = static_cast<int16_t>(y0);
    dp->laid_out_maxy = static_cast<int16_t>(Maxy);
    dp->height = vgay(kPlotHeight);
    dp->top = static_cast<int16_t>(dp->y0 - dp->height);
    dp->x_scale = x_scale_of(dp->width, dp->columns);
}

int
column_x(const damage_record *dp, uint64_t column)
{
    return dp->x0 + static_cast<int>(static_cast<double>(column) * dp->x_scale);
}

// Text in the small font at the current point; the layout metrics stay.
void
small_text(const char *text)
{
    int16_t cw = CWidth, ch = CHeight;
    set_small_font();
    outtext(text);
    restore_def_font();
    CWidth = cw;
    CHeight = ch;
}

int
small_text_width(const char *text)
{
    int16_t cw = CWidth, ch = CHeight;
    set_small_font();
    int w = text_width_in_use(text);
    restore_def_font();
    CWidth = cw;
    CHeight = ch;
    return w;
}

// The height of a row of the small font.
int
small_row_height()
{
    int16_t cw = CWidth, ch = CHeight;
    set_small_font();
    int h = CHeight;
    restore_def_font();
    CWidth = cw;
    CHeight = ch;
    return h;
}

// A network line wider in the small font than room, split at blanks: the
// last words that fit stay in line, the first ones are returned for a row
// of their own. Empty when the whole line fits (or no word does).
std::string
split_network_line(std::string &line, int room)
{
    if (small_text_width(line.c_str()) <= room)
        return {};
    size_t cut = line.find(' ');
    while (cut != std::string::npos && small_text_width(line.c_str() + cut + 1) > room)
        cut = line.find(' ', cut + 1);
    if (cut == std::string::npos)
        return {};
    std::string first = line.substr(0, cut);
    line.erase(0, cut + 1);
    return first;
}

// Text at the current point, in the small font when it is wider than room;
// the small text sits on the line's bottom, away from the line above.
void
fitted_text(const std::string &text, int room)
{
    if (text_pixel_width(text.c_str(), static_cast<int>(text.size())) <= room) {
        outtext(text.c_str());
        return;
    }
    moveto(getx, gety + CHeight * 2 / 5);
    small_text(text.c_str());
}

void
x_ticks(const damage_record *dp)
{
    setcolor(lightred);
    for (uint32_t i = 0; i <= dp->columns; i++) {
        x_tick kind = x_tick_of(i, dp->columns);
        if (kind == x_tick::none)
            continue;
        int x = column_x(dp, i);
        int length = kind == x_tick::labelled ? vgay(4) : vgay(2);
        moveto(x, dp->y0 + 1);
        lineto(x, dp->y0 + length);
        if (kind == x_tick::labelled) {
            std::string label = std::to_string(i);
            moveto(x - small_text_width(label.c_str()) / 2, dp->y0 + length + 1);
            small_text(label.c_str());
        }
    }
}

// The y axis's five ticks (counts 0, step, ..., 4 step), the top one with
// its count: the counts of the others would run into the axis label.
void
y_ticks(const damage_record *dp, bool logy)
{
    setcolor(lightred);
    histogram_y_axis y = y_axis_of(dp);
    uint32_t step = y_tick_step(dp->y_extent);
    for (uint64_t k = 0; k <= 4; k++) {
        uint64_t count = k * step;
        double h = logy ? log_bar_height(y, count) : linear_bar_height(y, count);
        int ty = dp->y0 - static_cast<int>(h);
        moveto(dp->x0 - 1 - vgax(2), ty);
        lineto(dp->x0 - 2, ty);
        if (k == 4) {
            std::string label = std::to_string(count);
            moveto(dp->x0 - vgax(2) - 3 - small_text_width(label.c_str()), ty - CHeight / 3);
            small_text(label.c_str());
        }
    }
}

// ---- bars

void
fill_bar(int x, int width, int height, int y0, int colour)
{
    if (height <= 0 || width <= 0)
        return;
    cell_rect r{static_cast<int16_t>(x), static_cast<int16_t>(y0 - height),
                static_cast<uint16_t>(width), static_cast<uint16_t>(height)};
    fill_rects(colour, &r, 1);
}

int
pixels(double h)
{
    return static_cast<int>(h + 0.5);
}

int
column_bar_width(const damage_record *dp)
{
    return std::max(1, static_cast<int>(bar_width(dp->x_scale, vgax(4))));
}

void
column_bar(const damage_record *dp, uint32_t column)
{
    histogram_y_axis y = y_axis_of(dp);
    uint32_t count = dp->damage_buf[column];
    double h = dp->log_y ? log_bar_height(y, count) : linear_bar_height(y, count);
    fill_bar(column_x(dp, column), column_bar_width(dp), pixels(h), dp->y0,
             column == 0 ? red : white);
}

// The yellow bar beyond the cut-off: the counts above it (after the cut-off
// was lowered), or one count for a value of this call beyond it.
void
overflow_bar(const damage_record *dp, bool this_call_over)
{
    uint64_t over = sum_above(dp->damage_buf, dp->columns, dp->counts_last);
    if (this_call_over)
        over = std::max<uint64_t>(over, 1);
    if (over == 0)
        return;
    histogram_y_axis y = y_axis_of(dp);
    double h = dp->log_y ? log_bar_height(y, over) : linear_bar_height(y, over);
    fill_bar(column_x(dp, static_cast<uint64_t>(dp->columns) + 1), column_bar_width(dp),
             std::max(pixels(h), 1), dp->y0, yellow);
}

// The log-2 view of the x axis: one bar per bin, scaled to the largest.
void
log_x_bars(const damage_record *dp)
{
    std::vector<uint64_t> bins = log2_bins(dp->damage_buf, dp->columns);
    uint64_t largest = bins.empty() ? 0 : *std::max_element(bins.begin(), bins.end());
    if (largest == 0)
        return;
    histogram_y_axis y{dp->height, dp->height / static_cast<double>(largest),
                       static_cast<uint32_t>(std::min<uint64_t>(largest, UINT32_MAX))};
    int width = std::min<int>(vgax(25), static_cast<int>(dp->width / bins.size()));
    for (size_t b = 0; b < bins.size(); b++) {
        int h = pixels(dp->log_y ? log_bar_height(y, bins[b]) : linear_bar_height(y, bins[b]));
        int x = dp->x0 + static_cast<int>(b) * width;
        fill_bar(x + 1, width - 2, h, dp->y0, b == 0 ? red : blue);
        if (h > 0) {
            setcolor(white);
            rectangle(x + 1, dp->y0 - h, x + width - 2, dp->y0 - 1);
        }
    }
}

const char *const kSampleLabel = "sample no=";

// The last row the ink of text written at y reaches: outtext puts the
// baseline at line_baseline(y), and the descent's rows start on it.
int
ink_bottom(const char *text, int y)
{
    int above = 0, below = 0;
    normal_text_ink(text, above, below);
    const int baseline = line_baseline(y);
    return baseline + below - 1;
}

// The row of "sample no=" and the network line: a line below the title,
// raised where a tall font would carry its ink onto the plot area's top
// frame.
int
sample_row(const damage_record *dp)
{
    const int y = dp->top - vgay(kTitleAbove) + CHeight;
    return y - std::max(0, ink_bottom(kSampleLabel, y) - (dp->top - 2));
}

// Where the sample number starts, right of its label.
int
sample_number_x(const damage_record *dp)
{
    return dp->x0 + text_pixel_width(kSampleLabel, static_cast<int>(strlen(kSampleLabel)));
}

void
sample_number(const damage_record *dp)
{
    int y = sample_row(dp);
    int x = sample_number_x(dp);
    setcolor(white);
    moveto(dp->x0, y);
    outtext(kSampleLabel);
    setfillstyle(0, black);
    bar(x, y, x + 6 * CWidth, std::min(y + CHeight - 1, dp->top - 2));
    moveto(x, y);
    outtext(formatted("%ld ", static_cast<long>(dp->sample)).c_str());
}

// The histogram drawn whole over a fresh frame.
void
draw_whole(damage_record *dp, bool this_call_over)
{
    draw_diff_graphframe(dp, false, dp->log_x, dp->log_y);
    if (dp->log_x) {
        log_x_bars(dp);
    } else {
        y_ticks(dp, dp->log_y != 0);
        x_ticks(dp);
        for (uint32_t c = 0; c <= dp->columns; c++)
            column_bar(dp, c);
        overflow_bar(dp, this_call_over);
    }
    dp->x_rescaled = 0;
    sample_number(dp);
}

} // namespace

namespace {

// A one-line prompt in its own box at the top right, beside the colour key
// as the options prompt is; the answer is left in is and what the box
// covered put back.
int
ask_line(const std::string &text, int max, int mode)
{
    top_prompt p = open_top_prompt({text}, max);
    int len = input_string(max, mode);
    close_top_prompt(p);
    return len;
}

// ---- the options prompt

struct histogram_options {
    damage_record *dp;
    char mode;
    bool damage;
    uint32_t linear_columns; // the columns to restore when a log-x view ends
};

enum class options_step {
    redraw, // the histogram is drawn again and the prompt asked again
    leave,  // the prompt closes and the run goes on
};

using options_key = key_row<histogram_options, options_step>;

bool
sizes_mode(const histogram_options &o)
{
    return o.mode == 'n';
}

bool
of_damage(const histogram_options &o)
{
    return o.damage;
}

options_step
undo_pause(histogram_options &o, char)
{
    o.dp->hist_options = 0;
    return options_step::leave;
}

options_step
go_on(histogram_options &, char)
{
    return options_step::leave;
}

options_step
redraw_linear(histogram_options &, char)
{
    return options_step::redraw;
}

options_step
revise_cut_off(histogram_options &o, char)
{
    damage_record *dp = o.dp;
    damage_limits limits{std::min(dp->largest, dp->counts_last), dp->smallest};
    ask_line(formatted("revise cut-off damage size, now %u (min %u, def %u):", dp->columns,
                       smallest_cut_off(limits), limits.largest),
             5, numeric_entry);
    dp->columns = static_cast<uint32_t>(entry_held(limits.largest, column_bounds('n', limits), true));
    dp->x_scale = x_scale_of(dp->width, dp->columns);
    return options_step::redraw;
}

// 'X', 'y' and 'b': the log views, drawn until the next key.
options_step
log_views(histogram_options &o, char key)
{
    damage_record *dp = o.dp;
    dp->log_x = key != 'y';
    dp->log_y = key != 'X';
    if (dp->log_x) {
        o.linear_columns = dp->columns;
        dp->columns = std::min(dp->largest, dp->counts_last);
    }
    return options_step::redraw;
}

options_step
revise_delay(histogram_options &o, char)
{
    ask_line(formatted("no itterations before damage starts (now %u):", o.dp->delay), 5,
             numeric_entry);
    o.dp->delay = static_cast<uint32_t>(entry_held(o.dp->delay, kDamageStepBounds, true));
    return options_step::redraw;
}

options_step
revise_same_steps(histogram_options &o, char)
{
    o.dp->skeleton_length = kSameStepsDefault;
    ask_line(formatted("no itterations same damage (def %u):", kSameStepsDefault), 5, numeric_entry);
    o.dp->skeleton_length = static_cast<uint32_t>(entry_held(o.dp->skeleton_length, kDamageStepBounds, true));
    return options_step::redraw;
}

options_step
save_or_load(histogram_options &o, char)
{
    damage_record *dp = o.dp;
    uint32_t columns = std::min(o.damage ? dp->columns : dp->types, dp->counts_last);
    hist_save_load(static_cast<int>(columns), dp->damage_buf, dp->damage_buf);
    // A loaded histogram may be taller than the axis: the scale shrinks to it.
    uint32_t tallest = *std::max_element(dp->damage_buf, dp->damage_buf + dp->columns + 1);
    histogram_y_axis y = y_axis_of(dp);
    fit_y_axis(y, tallest);
    keep_y_axis(dp, y);
    return options_step::redraw;
}

// The prompt's keys in the order of its two lines; a piece beginning with
// a newline starts the second.
const options_key kOptionKeys[] = {
    options_key::on("u").help("undo pause-u").does(undo_pause),
    options_key::on("sl").help(" save/load-s/l").does(save_or_load),
    options_key::on("\r").help(" next-ret").does(go_on),
    options_key::on("d").help(", damage: delay-d").when(of_damage).does(revise_delay),
    options_key::on("m")
        .help([](const histogram_options &o) -> std::string {
            return o.mode == 'b' ? " same-m:" : " same-m";
        })
        .when(of_damage)
        .does(revise_same_steps),
    options_key::on("r").help("\nredraw-r").when(sizes_mode).does(redraw_linear),
    options_key::on("x").help(" x-axis-x").when(sizes_mode).does(revise_cut_off),
    options_key::on("X").help(" logx-X").when(sizes_mode).does(log_views),
    options_key::on("y").help(" logy-y").when(sizes_mode).does(log_views),
    options_key::on("b").help(" log-both-b:").when(sizes_mode).does(log_views),
};

// Asks the options prompt and returns the key given.
char
ask_options(const histogram_options &o)
{
    top_prompt p = open_top_prompt(help_lines(key_help(kOptionKeys, o)), 1);
    input_string(1, text_entry);
    close_top_prompt(p);
    return is[0];
}

// The log views' one-line prompt; any key ends them.
void
end_log_views(histogram_options &o)
{
    damage_record *dp = o.dp;
    const char *text = dp->log_x && dp->log_y ? "y-axis log2, x-axis bined by powers of 2, cont-ret:"
                       : dp->log_x            ? "x-axis bined by powers of 2, cont-ret:"
                                              : "y-axis log2, cont-ret:";
    ask_line(text, 1, text_entry);
    if (dp->log_x)
        dp->columns = o.linear_columns;
    dp->log_x = dp->log_y = 0;
}

// After the histogram is drawn: the log views until a key, then, while the
// pause field holds, the options prompt.
void
histogram_options_loop(damage_record *dp)
{
    histogram_options o{dp, dp->mode, counts_damage(), dp->columns};
    for (;;) {
        if (dp->log_x || dp->log_y) {
            end_log_views(o);
        } else {
            if (!dp->hist_options)
                return;
            char key = ask_options(o);
            const options_key *row = find_key(kOptionKeys, key, o);
            // A key the prompt does not list now goes on, as Return does.
            if (row == nullptr || row->act(o, key) == options_step::leave)
                return;
        }
        draw_whole(dp, false);
    }
}

// ---- the damage dialog

// What the dialog's rows work on while it is asked: the record answered and
// the damage sizes of the run, read when the mode is chosen.
struct damage_answers {
    damage_record *record;
    damage_limits limits{};
};
using damage_question = question_row<damage_answers>;

void
start_dialog_row(int line)
{
    setfillstyle(0, black);
    bar(Maxx / 2 + 3, 5 + line * CHeight, Maxx - 4, 4 + (line + 1) * CHeight);
    moveto(Maxx / 2 + 3, 5 + line * CHeight);
    setcolor(white);
}

// The lines of the dialog's prompt box: one for each question's row.
constexpr int kDialogLines = 4;

void
take_back_dialog_rows(int, int)
{
    // A step back restarts the dialog: the whole inside of the box is
    // cleared, as the prompts' letters reach below their rows' bands (the
    // descents of the prompt font) into the next row or the box's margin.
    setfillstyle(0, black);
    bar(Maxx / 2 + 3, 5, Maxx - 4, prompt_box_bottom(kDialogLines) - 1);
    start_dialog_row(0);
}

void
say(const std::string &text)
{
    outtext(text.c_str());
}

// The questions' prompts, for the rows below and for the font the box takes.
const char kModePrompt[] = "Damage Spread: show binned damage-b, actual sizes-def:";
const char kDelayPrompt[] = "delay damage, time-steps before damage start (def 0):";

std::string
cut_off_prompt(const damage_limits &l)
{
    return formatted("select cut-off damage size (min %u default %u):", smallest_cut_off(l), l.largest);
}

std::string
bins_prompt(const damage_limits &l, uint32_t columns)
{
    return formatted("select no of damage bins (min %u, def %u):", l.smallest, columns);
}

std::string
same_steps_prompt()
{
    return formatted("define damage, time-steps same damage (def %u):", kSameStepsDefault);
}

answer_step
take_mode(damage_answers &a, int)
{
    damage_record &d = *a.record;
    d.mode = is[0] == 'b' ? 'b' : 'n';
    a.limits = damage_limits_of(lineL);
    d.largest = a.limits.largest;
    d.smallest = a.limits.smallest;
    d.columns = default_columns(d.mode, a.limits);
    return answer_step::next;
}

// The cut-off or the bins: a typed value out of their range keeps the
// default, and the line shows the one taken.
answer_step
take_columns(damage_answers &a, int len)
{
    damage_record &d = *a.record;
    d.columns = count_held(d.columns, column_bounds(d.mode, a.limits), len);
    return answer_step::next;
}

const damage_question kDamageQuestions[] = {
    damage_question::row()
        .prompts([](damage_answers &) { say(kModePrompt); })
        .entry(1, text_entry)
        .then(take_mode)
        .quits(answer_step::leave),
    damage_question::row()
        .when([](const damage_answers &a) { return a.record->mode == 'n'; })
        .prompts([](damage_answers &a) { say(cut_off_prompt(a.limits)); })
        .entry(5, numeric_entry)
        .then(take_columns)
        .on_line(1)
        .quits(answer_step::restart),
    damage_question::row()
        .when([](const damage_answers &a) { return a.record->mode == 'b'; })
        .prompts([](damage_answers &a) { say(bins_prompt(a.limits, a.record->columns)); })
        .entry(5, numeric_entry)
        .then(take_columns)
        .on_line(1)
        .quits(answer_step::restart),
    damage_question::row()
        .resets([](damage_answers &a) { a.record->delay = 0; })
        .prompts([](damage_answers &) { say(kDelayPrompt); })
        .entry(5, numeric_entry)
        .then([](damage_answers &a, int len) {
            a.record->delay = count_held(a.record->delay, kDamageStepBounds, len);
            return answer_step::next;
        })
        .on_line(2)
        .quits(answer_step::restart),
    damage_question::row()
        .resets([](damage_answers &a) { a.record->skeleton_length = kSameStepsDefault; })
        .prompts([](damage_answers &) { say(same_steps_prompt()); })
        .entry(5, numeric_entry)
        .then([](damage_answers &a, int len) {
            a.record->skeleton_length = count_held(a.record->skeleton_length, kDamageStepBounds, len);
            return answer_step::next;
        })
        .on_line(3)
        .quits(answer_step::restart),
};

// The four damage questions in a prompt box of four lines; false when 'q'
// at the first ended them.
bool
ask_damage_questions(damage_record *dp)
{
    damage_answers answers{dp};
    // The medium font where a question with its entry at its longest and
    // the cursor after it would reach the box's right frame (a window of a
    // 1024-pixel screen).
    const damage_limits l = damage_limits_of(lineL);
    prompt_font font({with_widest_entry(kModePrompt, 1), with_widest_entry(cut_off_prompt(l), 5),
                      with_widest_entry(bins_prompt(l, default_columns('b', l)), 5),
                      with_widest_entry(kDelayPrompt, 5), with_widest_entry(same_steps_prompt(), 5)});
    draw_prompt_box(kDialogLines);
    answer_step end = ask_questions(kDamageQuestions, question_place{start_dialog_row, take_back_dialog_rows, false},
                                    answers);
    erase_prompt_box(kDialogLines);
    return end != answer_step::leave;
}

// ---- the damage view

// Cells of the view gathered by colour, sent in one request each.
std::vector<cell_rect> damaged_cells, clean_cells;

void
view_cell(int x, int y, int side, bool damaged)
{
    cell_rect r{static_cast<int16_t>(x), static_cast<int16_t>(y), static_cast<uint16_t>(side),
                static_cast<uint16_t>(side)};
    (damaged ? damaged_cells : clean_cells).push_back(r);
}

// The right half's marks as squares, the highest cell at the left: a 1d
// row at (x, y), or a 2d lattice's rows from the last one down.
void
draw_damage_view(const damage_halves &h, const run_iteration *it, int x, int y)
{
    const int s = it->cell_size;
    const int side = std::max(1, s - it->cell_gap);
    damaged_cells.clear();
    clean_cells.clear();
    for (int64_t row = static_cast<int64_t>(h.rows) - 1, ry = y; row >= 0; row--, ry += s) {
        int cx = x;
        for (int64_t col = static_cast<int64_t>(h.width) - 1; col >= h.width / 2; col--, cx += s) {
            uint32_t c = static_cast<uint32_t>(row * h.width + col);
            view_cell(cx, static_cast<int>(ry), side, get_value(tempState, c) != 0);
        }
    }
    fill_rects(magenta, damaged_cells.data(), static_cast<int>(damaged_cells.size()));
    fill_rects(bground == 'w' ? darkgray : white, clean_cells.data(),
               static_cast<int>(clean_cells.size()));
}

// Where damage_box drew last: a box that moves (a key box came or went at
// the top right) leaves no copy. A one-line box at the top right, so that
// a box drawn over a part of it (a prompt, a key box) takes it whole.
line_box last_damage_box{0, 0, 0, 0};

void
damage_box(const damage_record *dp)
{
    int x0, y0, x1, y1;
    damage_box_corners(&x0, &y0, &x1, &y1);
    const line_box b{x0, y0, x1, y1};
    if (b.left != last_damage_box.left || b.right != last_damage_box.right)
        erase_top_line_box(last_damage_box);
    last_damage_box = b;
    draw_line_box(b);
    char text[80];
    snprintf(text, sizeof text, "damage=%lu/%u=%.2f%%", static_cast<unsigned long>(dp->damage),
             static_cast<unsigned>(lineL / 2), dp->damage_percent);
    setcolor(white);
    // A count too wide for the box in the font in use goes in the small one.
    font_while font({text}, x1 - x0 - 5, {set_small_font});
    text_line(x0 + 3, x1 - 2, y0 + (y1 - y0 - CHeight) / 2 + 1, text);
}

// The end of a sample: the histogram fed, the next sample's matched pair,
// the next sample.
void
end_sample(damage_record *dp, run_iteration *it)
{
    show_diff_plot(false, dp);
    start_damage_sample(it);
    dp->damage = 0;
    dp->previous_damage = 0;
    dp->same_run = 0;
    dp->sample++;
    it->time = 0;
}

} // namespace

void
start_damage_sample(run_iteration *it)
{
    it->fore_colour = static_cast<uint8_t>(random_seed(it->fore_colour, 100, 0));
    memset(tempState, 0, bytesL);
}

void
damage_box_corners(int *x0, int *y0, int *x1, int *y1)
{
    // A row below a one-line box's foot at the top (a readout, a prompt):
    // on a shared row each box's clearing would take the other's edge.
    *x0 = Maxx - vgax(160) - 3;
    *y0 = vgay(6) + CHeight + 3;
    *x1 = Maxx - 2;
    *y1 = 2 * (CHeight + vgay(6)) + 3;
    // The key boxes (the colour key's, a running pattern's frozen key)
    // hold the same corner from the top: the damage box goes left of them,
    // as wide, rather than over their lines.
    int key_left, key_bottom;
    if (top_right_box_standing(&key_left, &key_bottom) && key_bottom >= *y0 && key_left <= *x1) {
        *x0 -= *x1 - (key_left - 3);
        *x1 = key_left - 3;
    }
}

void
setup_diff_plot(damage_record *dp)
{
    dp->sample = 1;
    dp->previous_damage = 0;
    dp->same_run = 0;
    if (!att_hist) {
        if (!ask_damage_questions(dp)) {
            is[0] = 'q';
            return;
        }
    }
    uint32_t counts = damage_counts_allocated(
        dp->mode, damage_limits{dp->largest, dp->smallest}, dp->columns);
    checked_free(dp->damage_buf);
    dp->damage_buf =
        static_cast<uint32_t *>(checked_calloc(counts, sizeof(uint32_t), "dp->damage_buf"));
    dp->counts_last = counts - 1;
    dp->log_x = dp->log_y = dp->x_rescaled = 0;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    draw_diff_graphframe(dp, true, false, false);
    x_ticks(dp);
    y_ticks(dp, false);
    setcolor(colour);
    moveto(x, y);
}

void
draw_diff_graphframe(damage_record *dp, bool new_scale, bool logx, bool logy)
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    uint8_t fill = fillcolor;
    lay_out(dp);
    histogram_y_axis y = new_scale ? new_y_axis(dp->height, vgay(10)) : y_axis_of(dp);
    y.y_extent = static_cast<uint32_t>(std::min(y.height / y.y_scale, 4294967295.0));
    keep_y_axis(dp, y);
    const int x0 = dp->x0, w = static_cast<int>(dp->width), top = dp->top, y0 = dp->y0;

    // The network: after room for "sample no=" and its number; a line too
    // long for the small font there starts further left, no further than
    // the end of the number's six places, and one longer still puts its
    // first words on a row of its own above, the box and title raised.
    std::string net = histogram_network_caption();
    const int net_row = sample_row(dp), room_right = box_right(dp) - 2;
    const int net_left = sample_number_x(dp) + 6 * CWidth + CWidth / 2;
    std::string upper = split_network_line(net, room_right - net_left);
    const int raised = upper.empty() ? 0 : small_row_height();

    const int title_row = net_row - CHeight - raised;
    const int box_top = std::min(top - vgay(kBoxAbove) - raised, title_row - 1);
    const int box_bottom = y0 + vgay(kBoxBelow);
    take_down_resized_copy();
    last_box = {x0 - vgax(kBoxLeft), box_right(dp), remember_row(box_top), remember_row(box_bottom),
                current_window_frame(), drawing_area_clears()};
    setfillstyle(0, black);
    bar(x0 - vgax(kBoxLeft), box_top, box_right(dp), box_bottom);
    setcolor(lightred);
    rectangle(x0 - vgax(kBoxLeft), box_top, box_right(dp), box_bottom);
    // The pattern's rows pass beneath the box: copied or scrolled onto the
    // window they leave it whole, so it is never seen covered or missing.
    keep_from_copies(x0 - vgax(kBoxLeft), box_top, box_right(dp), box_bottom);
    rectangle(x0 - 1, top - 1, x0 + w + 1, y0);

    std::string title;
    if (counts_damage())
        title = formatted("Damage Histogram  start=%u same=%u pause/reset-=", dp->delay, dp->skeleton_length);
    else if (att_hist == att_hist_types)
        title = "Attractor Freq Hist pause/reset-=";
    else
        title = std::string("Frozen Skeleton Freq Hist") + dp->caption + " pause/reset-=";
    setcolor(white);
    moveto(x0, title_row);
    fitted_text(title, room_right - x0);

    int net_x = x0 + 21 * CWidth;
    if (small_text_width(net.c_str()) > room_right - net_x)
        net_x = std::max(net_left, room_right - small_text_width(net.c_str()));
    if (!upper.empty()) {
        // Right-aligned over the row below; the title's line ends above it.
        moveto(std::max(x0 - vgax(kBoxLeft) + 3, room_right - small_text_width(upper.c_str())),
               net_row - raised + CHeight * 2 / 5);
        small_text(upper.c_str());
    }
    moveto(net_x, net_row);
    fitted_text(net, room_right - net_x);

    std::string label;
    if (dp->mode == 'b') {
        char text[40];
        snprintf(text, sizeof text, "Damage bin=%.2f%%", dp->columns ? 100.0 / dp->columns : 100.0);
        label = text;
    } else {
        label = counts_damage() ? "Damage value"
                : att_hist == att_hist_types ? "Attractor type"
                                             : "Skeleton type";
        if (logx)
            label += " - log base 2";
    }
    // Raised where a tall font would carry its ink onto the box's frame.
    int label_y = y0 + vgay(kCaptionBelow);
    label_y -= std::max(0, ink_bottom(label.c_str(), label_y) - (box_bottom - 1));
    moveto(x0 + w / 4, label_y);
    outtext(label.c_str());

    int ly = y0 - static_cast<int>(dp->height) / 2 + CHeight / 2;
    moveto(x0 - vgax(kFrequencyLeft), ly);
    outtext("Freq-");
    moveto(x0 - vgax(kFrequencyLeft), ly + CHeight);
    outtext("uency");
    if (logy) {
        moveto(x0 - vgax(kLogCaptionLeft), ly + 2 * CHeight);
        outtext("log2");
    }
    setfillstyle(0, fill);
    setcolor(colour);
    moveto(px, py);
}

void
show_diff_plot(bool redraw, damage_record *dp)
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    uint32_t column;
    bool over;
    if (counts_damage()) {
        column = damage_column(dp->mode, dp->damage, dp->damage_percent, dp->columns);
        over = !count_in_column(dp->damage_buf, dp->columns, column);
    } else {
        column = dp->damage;
        uint32_t wider = std::min(widened_columns(dp->types, dp->columns), dp->counts_last);
        if (wider != dp->columns) {
            dp->columns = wider;
            dp->x_scale = x_scale_of(dp->width, dp->columns);
            dp->x_rescaled = 1;
        }
        over = column > dp->columns;
    }
    histogram_y_axis y = y_axis_of(dp);
    uint64_t count = over ? 0 : dp->damage_buf[column];
    // After a resize the histogram is laid out for the new size.
    bool whole = needs_full_redraw(y, count, dp->x_rescaled, redraw || resized_since_drawn(), !dp->log_x);
    keep_y_axis(dp, y);
    if (whole) {
        draw_whole(dp, over);
    } else if (over) {
        overflow_bar(dp, true);
        sample_number(dp);
    } else {
        column_bar(dp, column);
        sample_number(dp);
    }
    histogram_options_loop(dp);
    setcolor(colour);
    moveto(px, py);
}

bool
run_histogram_shown()
{
    return diff_plot == diff_plot_stats || att_hist;
}

void
redraw_histogram_after_page(damage_record *dp)
{
    if (!dp->damage_buf || !run_histogram_shown())
        return;
    int16_t px = getx, py = gety;
    int colour = getcolor();
    draw_whole(dp, false);
    setcolor(colour);
    moveto(px, py);
}

void
plot_diff_pattern(damage_record *dp, entropy_graph *eg, run_iteration *it)
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    damage_halves h = network_halves();
    dp->damage = count_damage(h, A, tempState, diff_plot != diff_plot_dont_keep);
    dp->damage_percent = damage_percent(dp->damage, lineL / 2);
    if (stp) {
        if (h.rows == 1) {
            // A 1d row goes beside the pattern on its pixmap, on the row the
            // state compared is drawn next, and shows with it.
            image_slot window = current_draw;
            if (it->pixmap && *it->pixmap)
                current_draw = *it->pixmap;
            draw_damage_view(h, it, (lineL + it->diff_gap) * it->cell_size + vgax(10), py);
            current_draw = window;
        } else {
            draw_damage_view(h, it, eg->diff_x, eg->diff_y);
        }
        damage_box(dp);
    }
    if (diff_plot == diff_plot_stats) {
        damage_sample s{dp->previous_damage, dp->same_run};
        bool ends = damage_sample_step(s, dp->damage, it->time, dp->delay, dp->skeleton_length);
        dp->previous_damage = s.previous;
        dp->same_run = s.same_run;
        if (ends)
            end_sample(dp, it);
    }
    setcolor(colour);
    moveto(px, py);
}

std::vector<key_help_line>
histogram_options_menu(char mode, bool damage)
{
    return key_help(kOptionKeys, histogram_options{nullptr, mode, damage, 0});
}

std::string
histogram_options_keys()
{
    return all_keys(kOptionKeys);
}

bool
histogram_option_acts(char mode, bool damage, char key)
{
    return key_acts(kOptionKeys, key, histogram_options{nullptr, mode, damage, 0});
}
