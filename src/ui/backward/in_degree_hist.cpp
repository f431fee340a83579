// The in-degree histogram of a subtree, basin or field run: the plot of
// pre_fan_freq with linear or logarithmic axes, its totals, and its key
// loop (log axes, rescale, *.prh save and load). The arithmetic (totals,
// columns, ticks) is engine/backward/in_degree.h; the file is
// ui/storage/in_degree_file.h. Reads the run totals of engine/backward.
// Start at show_pre_fansize_freq_hist.
#include "ui/backward/in_degree_hist.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/forward/globals.h"
#include "ui/backward/stop_prompts.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/print_window.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"
#include "ui/storage/in_degree_file.h"

namespace {

constexpr int kPlotSlot = 11;     // boximage slot of the region under the plot
constexpr int kTextLines = 6;     // three totals, the prompt, the two rescale questions
constexpr int kPromptLine = 3;
const char kKeysPrompt[] = "log x-x y-y both-b, save/load data-s/l, rescale-ret, quit-q:";

// Top left corner of the region saved in kPlotSlot.
int saved_x0 = 0, saved_y0 = 0;

// What the plot shows: its axes and their maxima (the y maximum 0 until the
// user sets one: then the largest column).
struct hist_view {
    uint32_t xmax = 0;
    uint64_t ymax = 0;
    bool log_x = false, log_y = false;
    bool loaded = false;
};

// The plot's place on the window, from the x maximum.
struct plot_place {
    int ox = 0, oy = 0, height = 0;  // origin (left end of the base line), height
    double width = 0;                // of one linear column
    int plot_width = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0; // the framed region saved in kPlotSlot
    int text_x = 0;
};

plot_place
place_plot(uint32_t xmax)
{
    plot_place p;
    p.ox = vgax(80);
    p.oy = Maxy - vgay(67);
    p.height = vgay(120);
    uint32_t spread = std::max(xmax, 30u);
    p.width = std::min(static_cast<double>(vgax(500)) / spread, static_cast<double>(vgax(10)));
    p.plot_width = static_cast<int>(p.width * in_degree_plot_columns(xmax));
    p.text_x = vgax(140);
    p.x0 = vgax(4);
    // In the least window the text lines meet the top: they then overlap
    // the plot rather than leave the window.
    p.y0 = std::max(2, p.oy - p.height - vgay(8) - kTextLines * CHeight - vgay(4));
    int right = std::max(p.ox + p.plot_width + vgax(30),
                         p.text_x + text_pixel_width(kKeysPrompt, sizeof kKeysPrompt - 1) +
                             3 * CWidth); // the entry's cursor
    p.x1 = std::min(right, Maxx - 2);
    p.y1 = std::min(p.oy + vgay(6) + 2 * CHeight + 2, static_cast<int>(Maxy));
    return p;
}

// Left and right pixel of column c of a plot of `columns` equal columns
// spanning the plot's width.
void
column_span(const plot_place &p, uint32_t c, uint32_t columns, int &left, int &right)
{
    double w = static_cast<double>(p.plot_width) / columns;
    left = p.ox + static_cast<int>(c * w);
    right = std::max(left, p.ox + static_cast<int>((c + 1) * w) - 1);
}

uint32_t
largest_fan()
{
    if (basinfield)
        return maxfieldfan;
    return direction == direction_backward ? maxtreefan : maxbasinfan;
}

in_degree_run
run_of_histogram()
{
    in_degree_run run;
    run.forward = direction == direction_forward;
    run.att_states = totatt_states;
    run.has_run_size = !basinfield;
    run.run_size = direction == direction_backward ? totsubtree : basinsize;
    return run;
}

void
text_line(const plot_place &p, int line, const std::string &text)
{
    moveto(p.text_x, p.y0 + vgay(4) + line * CHeight);
    outtext(text.c_str());
}

void
write_totals(const plot_place &p, const in_degree_totals &t, const hist_view &v)
{
    char text[160];
    setcolor(white);
    if (v.loaded)
        snprintf(text, sizeof text, "data loaded");
    else if (direction == direction_backward)
        snprintf(text, sizeof text, "subtree: nodes/edges=%lu/%lu",
                 static_cast<unsigned long>(t.nodes), static_cast<unsigned long>(t.edges));
    else
        snprintf(text, sizeof text, "total att/nodes/edges=%lu/%lu/%lu",
                 static_cast<unsigned long>(totatt_states), static_cast<unsigned long>(t.nodes),
                 static_cast<unsigned long>(t.edges));
    text_line(p, 0, text);
    std::string second;
    if (!v.loaded) {
        snprintf(text, sizeof text, "max in-degree=%lu, ", static_cast<unsigned long>(largest_fan()));
        second = text;
    }
    snprintf(text, sizeof text, "gE=%lu", static_cast<unsigned long>(pre_fan_freq[0]));
    text_line(p, 1, second + text);
    if (show_maj < 128 && !v.loaded) {
        snprintf(text, sizeof text, "exceptions=%d, %g", isexception,
                 static_cast<double>(isexception) / static_cast<double>(t.nodes));
        text_line(p, 2, text);
    }
}

// Height in pixels of a column of value c on the y axis, at most the plot's.
int
bar_height(const plot_place &p, uint64_t c, uint64_t ymax, bool log_y)
{
    double share;
    if (log_y)
        share = c ? std::log10(static_cast<double>(c)) / std::log10(static_cast<double>(log_y_top(ymax)))
                  : 0;
    else
        share = static_cast<double>(c) / static_cast<double>(ymax);
    return static_cast<int>(std::min(share, 1.0) * p.height);
}

void
write_label(const char *text, int x, int y)
{
    moveto(x, y);
    outtext(text);
}

void
draw_axes(const plot_place &p, const hist_view &v, uint64_t ymax, uint32_t columns, bool tail)
{
    setcolor(yellow);
    // The axis title stands above the axis, clear of the counts beside it,
    // which grow wider than the room left of the title.
    const char *words[] = {"number", "of", "nodes", "(log)"};
    int count = v.log_y ? 4 : 3;
    int words_top = p.oy - p.height - CHeight / 2 - count * CHeight;
    for (int i = 0; i < count; i++)
        write_label(words[i], vgax(8), words_top + i * CHeight);
    std::string title = v.log_x ? "pre-images, in-degree (log)" : "pre-images, in-degree";
    write_label(title.c_str(), p.ox, p.oy + vgay(6) + CHeight);

    setcolor(white);
    moveto(p.ox - 1, p.oy);
    lineto(p.ox - 1, p.oy - p.height);
    moveto(p.ox - 1, p.oy + 1);
    lineto(p.ox + p.plot_width, p.oy + 1);
    char text[32];
    std::vector<axis_tick> y_ticks = v.log_y ? log_y_ticks(ymax) : linear_y_ticks(ymax);
    // The labels from the top down: one whose digits would run into the label
    // above it or touch it (the y maximum's own tick can stand a few pixels
    // over the last fourth tick) is left out, its tick drawn: labels stand
    // at least the digits' ink height and a blank row apart.
    const int label_gap = text_ink_height_in_use("0123456789") + 2;
    bool labelled_above = false;
    int label_above = 0;
    for (size_t i = y_ticks.size(); i-- > 0;) {
        const axis_tick &t = y_ticks[i];
        int y = p.oy - bar_height(p, t.at, ymax, v.log_y);
        moveto(p.ox - 2 - (t.long_tick ? 4 : 2), y);
        lineto(p.ox - 2, y);
        if (t.labelled && (!labelled_above || y - label_above >= label_gap)) {
            snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(t.value));
            int w = text_pixel_width(text, static_cast<int>(std::string(text).size()));
            write_label(text, p.ox - 8 - w, y - CHeight / 2);
            labelled_above = true;
            label_above = y;
        }
    }
    for (const axis_tick &t : v.log_x ? log_x_ticks(columns) : linear_x_ticks(v.xmax, maxinhist, tail)) {
        int left, right;
        column_span(p, static_cast<uint32_t>(t.at), columns, left, right);
        int x = (left + right) / 2;
        moveto(x, p.oy + 2);
        lineto(x, p.oy + 2 + (t.long_tick ? 4 : 2));
        if (t.labelled) {
            snprintf(text, sizeof text, t.plus ? "%lu+" : "%lu", static_cast<unsigned long>(t.value));
            int w = text_pixel_width(text, static_cast<int>(std::string(text).size()));
            write_label(text, x - w / 2, p.oy + vgay(6));
        }
    }
}

void
draw_bars(const plot_place &p, const hist_view &v, const std::vector<uint64_t> &columns,
          uint64_t ymax)
{
    uint32_t n = static_cast<uint32_t>(columns.size());
    int16_t height = CHeight, width = CWidth;
    for (uint32_t c = 0; c < n; c++) {
        if (!columns[c])
            continue;
        int left, right;
        column_span(p, c, v.log_x ? n : in_degree_plot_columns(v.xmax), left, right);
        int top = p.oy - bar_height(p, columns[c], ymax, v.log_y);
        if (c == 0)
            setfillstyle(2, red);
        else
            setfillstyle(0, c == n - 1 ? white : blue);
        setcolor(lightgray);
        bar3d(left, top, right, p.oy, 0, 0);
        if (v.log_x && v.log_y && c > 0) {
            char text[32];
            snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(columns[c]));
            set_small_font();
            setcolor(white);
            write_label(text, left, top - CHeight - 1);
            restore_def_font();
            CHeight = height;
            CWidth = width;
        }
    }
    setfillstyle(0, white);
}

// Draws the plot over a saved region; false (nothing drawn, nothing saved)
// when the counts give no plot.
bool
draw_histogram(const hist_view &v, const in_degree_totals &t)
{
    std::vector<uint64_t> columns = in_degree_columns(pre_fan_freq, maxinhist, v.xmax, v.log_x);
    uint64_t ymax = v.ymax ? v.ymax : *std::max_element(columns.begin(), columns.end());
    if (ymax == 0)
        return false;
    plot_place p = place_plot(v.xmax);
    draw_box(kPlotSlot, p.x0, p.y0, p.x1, p.y1, 1, 0);
    saved_x0 = p.x0;
    saved_y0 = p.y0;
    bool tail = v.xmax < t.highest;
    uint32_t spanned = v.log_x ? static_cast<uint32_t>(columns.size()) : in_degree_plot_columns(v.xmax);
    draw_axes(p, v, ymax, spanned, tail);
    draw_bars(p, v, columns, ymax);
    write_totals(p, t, v);
    setcolor(white);
    text_line(p, kPromptLine, kKeysPrompt);
    return true;
}

void
put_back_plot()
{
    if (!boximage[kPlotSlot])
        return;
    putimage(saved_x0, saved_y0, &boximage[kPlotSlot], 0);
    freeimage(&boximage[kPlotSlot]);
}

// Clears the prompt line and the two under it for the rescale questions.
void
clear_question_lines(const plot_place &p)
{
    int top = p.y0 + vgay(4) + kPromptLine * CHeight;
    setfillstyle(0, black);
    bar(p.text_x, top, p.x1 - 1, std::min(top + 3 * CHeight, p.y1 - 1));
    setfillstyle(0, white);
}

enum class rescale_end { redraw, quit };

// One answer of the rescale dialog: 'p' prints, 'o' opens the options box,
// 'q' ends the histogram; *number gets a typed number held to bounds (the
// line shows it), or -1 for none, *deflt 'd'. Returns true when the dialog
// goes on with this answer.
bool
read_rescale_answer(rescale_end &end, number_bounds bounds, long *number, bool *deflt)
{
    int len = input_string(8, text_entry);
    char key = is[0];
    *number = -1;
    *deflt = false;
    if (key == 'q') {
        end = rescale_end::quit;
        return false;
    }
    if (key == 'p' || key == 'o') {
        if (key == 'p')
            printimage();
        else
            open_options_box();
        end = rescale_end::redraw;
        return false;
    }
    if (key == 'd')
        *deflt = true;
    else if (len > 0 && key != kKeyReturn)
        *number = whole_answer_held(-1, bounds, len);
    return true;
}

// The rescale dialog on the plot's prompt lines; both axes linear after it.
rescale_end
rescale(hist_view &v, const in_degree_totals &t)
{
    plot_place p = place_plot(v.xmax);
    clear_question_lines(p);
    setcolor(white);
    text_line(p, kPromptLine, "(options-o prt-p quit-q)");
    moveto(p.text_x, p.y0 + vgay(4) + (kPromptLine + 1) * CHeight);
    rescale_end end = rescale_end::redraw;
    long number;
    bool deflt;
    if (t.highest > 30) {
        char text[64];
        snprintf(text, sizeof text, " x-max (30-%lu):", static_cast<unsigned long>(t.highest));
        outtext("re-scale x/y axis (def-d):");
        outtext(text);
        if (!read_rescale_answer(end, {30, static_cast<double>(t.highest)}, &number, &deflt))
            return end;
        if (deflt)
            v.xmax = t.highest;
        else if (number > 0)
            v.xmax = static_cast<uint32_t>(number);
        // The y question on a line of its own: both would pass the frame.
        moveto(p.text_x, p.y0 + vgay(4) + (kPromptLine + 2) * CHeight);
    } else {
        outtext("re-scale y axis (def-d):");
    }
    outtext(" y-max:");
    if (!read_rescale_answer(end, {1, 99999999}, &number, &deflt))
        return end;
    if (deflt)
        v.ymax = 0;
    else if (number > 0)
        v.ymax = static_cast<uint64_t>(number);
    v.log_x = v.log_y = false;
    return rescale_end::redraw;
}

// The scale's defaults: the x maximum the highest in-degree present, the
// y maximum the largest column.
void
default_scale(hist_view &v, const in_degree_totals &t)
{
    v.xmax = t.highest;
    v.ymax = 0;
}

// 's' or 'l': the file dialog and the file. False when the histogram ends
// (the file could not be written or read).
bool
save_or_load(hist_view &v, char key)
{
    bool save = key == 's';
    if (!choose_file(save ? "SAVE " : "LOAD ", "PRE-HIST-DATA", "*.prh", "my_prh"))
        return true;
    if (save)
        return save_in_degree_file(filename);
    if (!load_in_degree_file(filename))
        return false;
    v.loaded = true;
    default_scale(v, sum_in_degree_counts(pre_fan_freq, maxinhist, false));
    return true;
}

} // namespace

void
show_pre_fansize_freq_hist()
{
    if (!mouse_found || !pre_fan_freq)
        return;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    hist_view v;
    default_scale(v, sum_in_degree_counts(pre_fan_freq, maxinhist, true));
    for (;;) {
        in_degree_totals t = sum_in_degree_counts(pre_fan_freq, maxinhist, !v.loaded);
        if (!in_degree_plot_drawable(t, run_of_histogram(), v.loaded) || !draw_histogram(v, t))
            break;
        input_string(1, single_key_entry);
        char key = is[0];
        bool go_on = true;
        if (key == 'x' || key == 'y' || key == 'b') {
            v.log_x = key != 'y';
            v.log_y = key != 'x';
        } else if (key == 's' || key == 'l') {
            put_back_plot();
            go_on = save_or_load(v, key);
        } else if (key == 'q') {
            go_on = false;
        } else {
            go_on = rescale(v, t) == rescale_end::redraw;
        }
        put_back_plot();
        if (!go_on)
            break;
    }
    put_back_plot();
    setcolor(colour);
    moveto(x, y);
}

void
show_run_in_degree_histogram()
{
    if (!pre_fansize_freq_hist)
        return;
    show_pre_fansize_freq_hist();
    reset_in_degree_counts(maxinhist + 1u);
}
