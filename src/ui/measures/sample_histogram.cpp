// The frequency histogram of the rule sample over a grid of its plane
// (ent_3d): four questions in a question table, the grid counted by the
// engine (engine/measures/rule_sample.h) and saved as text, and its blocks
// drawn in an oblique view in the lower right quarter of the window, whose
// screen is put back after the last key. Start at ent_3d.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/measures/rule_sample.h"
#include "engine/model/globals.h"
#include "ui/measures/rule_stats.h"
#include "ui/measures/sample_browser.h"
#include "ui/measures/top_prompt.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/globals.h"

namespace {

// The answers of the four questions.
struct histogram_choice {
    int subdiv = 64;
    int fallback = 64;
    bool save = false, step = false, percent = false, log_heights = false, grid = false;
};
using histogram_question = question_row<histogram_choice>;

bool
answer_holds(char c)
{
    std::string answer = entry_text();
    return answer.find(c) != std::string::npos;
}

// The box the questions stand in, beside the colour key.
top_prompt question_box;

void
start_histogram_row(int line)
{
    const int margin = question_box.left + 3, y = question_box.top + 3 + line * CHeight;
    setfillstyle(0, black);
    bar(margin, y, question_box.right - 2, y + CHeight - 1);
    moveto(margin, y);
    setcolor(white);
}

void
take_back_histogram_rows(int line, int rows)
{
    for (int l = line - rows; l <= line; l++)
        if (l >= 0)
            start_histogram_row(l);
}

std::string
histogram_question_line(int fallback)
{
    char text[80];
    snprintf(text, sizeof text, "freq hist, subdiv (16,32,64,..etc def=%d, max=256):", fallback);
    return text;
}

const histogram_question kHistogramQuestions[] = {
    histogram_question::row()
        .prompts([](histogram_choice &asked) {
            outtext(histogram_question_line(asked.fallback).c_str());
        })
        .entry(3, numeric_entry)
        .then([](histogram_choice &asked, int len) {
            // Held to 1..256, then a power of two or the default.
            asked.subdiv = accepted_subdivision(static_cast<long>(entry_held(asked.fallback, {1, 256}, true)),
                                                asked.fallback);
            echo_value_taken(len, asked.subdiv);
            return answer_step::next;
        })
        .quits(answer_step::leave),
    histogram_question::row()
        .prompts([](histogram_choice &) { outtext("save data-d, step-s, and show %-S:"); })
        .entry(3, text_entry)
        .then([](histogram_choice &asked, int) {
            asked.save = answer_holds('d');
            asked.percent = answer_holds('S');
            asked.step = asked.percent || answer_holds('s');
            return answer_step::next;
        })
        .on_line(1),
    histogram_question::row()
        .prompts([](histogram_choice &) { outtext(" show freq log-l:"); })
        .entry(1, text_entry)
        .then([](histogram_choice &asked, int) {
            asked.log_heights = is[0] == 'l';
            return answer_step::next;
        })
        .on_line(2),
    histogram_question::row()
        .when([](const histogram_choice &asked) { return asked.subdiv <= 64; })
        .prompts([](histogram_choice &) { outtext(" show grid-g:"); })
        .entry(1, text_entry)
        .then([](histogram_choice &asked, int) {
            asked.grid = is[0] == 'g';
            return answer_step::next;
        })
        .on_line(3),
};

// The grid as text in a file of the user's choice, an existing file
// replaced or appended to only when the user says so.
void
save_grid(const frequency_grid &g)
{
    if (!choose_file("SAVE", "DATA", "*.dat", "my_grid"))
        return;
    char name[256];
    snprintf(name, sizeof name, "%s", filename);
    std::string text = frequency_grid_text(g);
    save_browser_file(name, text.data(), text.size(), existing_file_way(name));
}

// The oblique view's geometry in the lower right quarter: the front left
// corner of row 0's base, the cell width, the step from one row to the
// next (right and up) and the tallest block's height.
struct oblique_view {
    int x0, y0;
    float cell, step_x, step_y;
    int full;

    int base_x(int row, int column) const
    {
        return x0 + static_cast<int>(column * cell + row * step_x);
    }
    int base_y(int row) const { return y0 - static_cast<int>(row * step_y); }
};

oblique_view
view_for(int subdiv, int left, int top, int right, int bottom)
{
    oblique_view v;
    const int width = right - left, height = bottom - top;
    v.cell = std::max(1.0f, vgax(128) / static_cast<float>(subdiv));
    const float grid_width = v.cell * subdiv;
    const float slant_x = std::max(0.0f, std::min(width - grid_width - 8 * CWidth - 8, width * 0.35f));
    const float slant_y = height * 0.3f;
    v.step_x = slant_x / subdiv;
    v.step_y = slant_y / subdiv;
    v.x0 = left + 7 * CWidth;
    v.y0 = bottom - CHeight;
    // A line at the foot for the front row's base, and two at the top: the
    // prompt's line and room for the scale's top label below it.
    v.full = static_cast<int>(height - slant_y - 3 * CHeight);
    return v;
}

void
draw_grid_lines(const oblique_view &v, int subdiv)
{
    setcolor(red);
    for (int row = 0; row <= subdiv; row++) {
        moveto(v.base_x(row, 0), v.base_y(row));
        lineto(v.base_x(row, subdiv), v.base_y(row));
    }
    for (int column = 0; column <= subdiv; column++) {
        moveto(v.base_x(0, column), v.base_y(0));
        lineto(v.base_x(subdiv, column), v.base_y(subdiv));
    }
}

// The blocks of one row; the tops of neighbouring blocks joined.
void
draw_row(const oblique_view &v, const frequency_grid &g, int row, bool log_heights)
{
    const int width = std::max(1, static_cast<int>(v.cell) - 1);
    for (int column = 0; column < g.subdiv; column++) {
        uint32_t count = g.counts[size_t(row) * g.subdiv + column];
        if (count == 0)
            continue;
        int h = std::max(1, block_height(count, g.largest, v.full, log_heights));
        int x = v.base_x(row, column), y = v.base_y(row);
        setfillstyle(0, darkgray);
        bar(x, y - h, x + width, y);
        setcolor(white);
        rectangle(x, y - h, x + width, y);
        setcolor(darkgray);
        if (column > 0 && g.counts[size_t(row) * g.subdiv + column - 1] > 0) {
            int left_h = std::max(1, block_height(g.counts[size_t(row) * g.subdiv + column - 1],
                                                  g.largest, v.full, log_heights));
            moveto(v.base_x(row, column - 1) + width, v.base_y(row) - left_h);
            lineto(x, y - h);
        }
        if (row + 1 < g.subdiv && g.counts[size_t(row + 1) * g.subdiv + column] > 0) {
            int back_h = std::max(1, block_height(g.counts[size_t(row + 1) * g.subdiv + column],
                                                  g.largest, v.full, log_heights));
            moveto(x, y - h);
            lineto(v.base_x(row + 1, column), v.base_y(row + 1) - back_h);
        }
    }
}

// A percentage label as the scale writes it.
std::string
percent_label(double percent)
{
    char text[16];
    if (percent <= 0)
        snprintf(text, sizeof text, "  0 ");
    else if (percent >= 1)
        snprintf(text, sizeof text, "%.1f ", percent);
    else if (percent >= 0.1)
        snprintf(text, sizeof text, "%.2f ", percent);
    else
        snprintf(text, sizeof text, "%.3f ", percent);
    return text;
}

// The row of the tallest block (the frontmost of the tallest).
int
tallest_row(const frequency_grid &g)
{
    for (int row = 0; row < g.subdiv; row++)
        for (int column = 0; column < g.subdiv; column++)
            if (g.counts[size_t(row) * g.subdiv + column] == g.largest)
                return row;
    return 0;
}

// The scale of percentages of the records, from the tallest block's count
// at its top down to 0: left of the front row, where no block stands, its
// 0 at the base of the tallest block's row, so that its top stands level
// with that block's top.
void
draw_percent_scale(const oblique_view &v, const frequency_grid &g, uint32_t total,
                   bool log_heights)
{
    int x = v.base_x(0, 0) - 2, y = v.base_y(tallest_row(g));
    setcolor(white);
    for (int part = 0; part <= 4; part++) {
        int h = v.full * part / 4;
        // The count a block of that height stands for.
        double count = log_heights && g.largest > 1
                           ? (part == 0 ? 0 : std::pow(double(g.largest), part / 4.0))
                           : double(g.largest) * part / 4;
        std::string label = percent_label(total ? 100.0 * count / total : 0);
        moveto(x - text_pixel_width(label.c_str(), static_cast<int>(label.size())) - 3,
               y - h - CHeight / 2);
        outtext(label.c_str());
        moveto(x - 2, y - h);
        lineto(x, y - h);
    }
}

// A one-key prompt on the view's top line, which no block reaches: the
// line cleared, the prompt written and the key waited for.
void
view_prompt(int left, int top, int right, const char *text)
{
    setfillstyle(0, black);
    bar(left + 1, top + 1, right - 1, top + 3 + CHeight);
    setcolor(white);
    moveto(left + 3, top + 3);
    outtext(text);
    input_string(1, single_key_entry);
}

} // namespace

view_area
histogram_view_area(const plot_frame &f)
{
    // The lower right quarter, right of the scatter where it leaves room;
    // left of a marked key panel, and wider to the left where that leaves
    // too little for the grid, its labels and a slant.
    view_area a;
    a.right = Maxx - 2 - side_panel_shift(Maxx - 2);
    a.left = Maxx / 2;
    if (a.right - (f.left + f.width + vgax(20)) >= Maxx / 4)
        a.left = std::max(a.left, f.left + f.width + vgax(20));
    a.left = std::max(2, std::min(a.left, a.right - (vgax(128) + vgax(60) + 8 * CWidth + 8)));
    a.top = Maxy / 2;
    a.bottom = Maxy - 2;
    return a;
}

void
ent_3d(rule_browser &b)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    histogram_choice asked;
    asked.fallback = asked.subdiv = Maxx <= 640 ? 64 : 128;
    // Over a saved copy of what it covers, which comes back after it.
    question_box = open_top_prompt({histogram_question_line(asked.fallback),
                                    "save data-d, step-s, and show %-S:", " show freq log-l:",
                                    " show grid-g:"},
                                   3);
    answer_step end = ask_questions(
        kHistogramQuestions,
        question_place{start_histogram_row, take_back_histogram_rows, false}, asked);
    close_top_prompt(question_box);
    if (end == answer_step::leave) {
        moveto(x, y);
        return;
    }
    if (b.y_bytes.size() != b.sample.count)
        take_sample_bytes(b);
    frequency_grid g = build_frequency_grid(b.y_bytes, b.sd_bytes, asked.subdiv);
    if (asked.save)
        save_grid(g);

    const view_area area = histogram_view_area(sample_plot_frame(b));
    const int left = area.left, top = area.top, right = area.right, bottom = area.bottom;
    image_slot under = 0;
    getimage(left, top, right, bottom, &under);
    setfillstyle(0, black);
    bar(left, top, right, bottom);
    oblique_view v = view_for(g.subdiv, left, top, right, bottom);
    if (asked.grid)
        draw_grid_lines(v, g.subdiv);
    // From the back row to the front one, so that nearer blocks cover
    // those behind them; stepping, each row waits with the line saying
    // what the keys do.
    for (int row = g.subdiv - 1; row >= 0; row--) {
        draw_row(v, g, row, asked.log_heights);
        if (asked.step) {
            view_prompt(left, top, right, "next row-ret, all rows-q:");
            if (is[0] == 'q')
                asked.step = false;
        }
    }
    if (asked.percent && g.largest > 0)
        draw_percent_scale(v, g, b.sample.count, asked.log_heights);
    view_prompt(left, top, right, "cont-ret:");
    if (under) {
        putimage(left, top, &under, 0);
        freeimage(&under);
    }
    setcolor(colour);
    moveto(x, y);
}
