// The Derrida plot on the window (derrida_plot.h): its menu and parameter
// prompts, the frame, the caption of the network, the dots and the mean
// curve as the sweep of engine/measures/derrida.h computes them, the pause,
// the completion with the slope, and the redraw. The region under the plot
// is kept in box image slot 11 and the prompt box's place in an image of
// its own, both put back when the plot is left. Start reading at
// draw_Derrida_plot.
#include "ui/measures/derrida_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "ui/model/cell_display.h"
#include "ui/rule_dialogs/canalyzing_dialogs.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"

namespace {

constexpr int kPlotSlot = 11;
// Lines of the parameter prompts: the prompts wrap to the box's width.
constexpr int kParaLines = 5;

// Where the plot lies, in window pixels: origin, width and height of the
// plot rectangle, and the region saved under it.
struct plot_geometry {
    int x0, y0, W, Hp;
    int rx0, ry0, rx1, ry1;
    double scale = 1; // n * maxH

    int x_of(double h) const { return x0 + static_cast<int>(W * h / scale); }
    int y_of(double y) const { return y0 - static_cast<int>(Hp * y); }
};

plot_geometry
place_plot(double maxH)
{
    plot_geometry g;
    g.x0 = Maxx / 2;
    // The region's foot stays above the rule box at the window's foot: the
    // region is cleared across the window while the plot is up, and where it
    // reached into the box it cut the box's first line (the rule's hex
    // digits) in two, its lower half standing just below the x caption.
    g.y0 = std::min(Maxy - vgax(50), tallest_rule_box_top() - 1 - vgax(20));
    g.W = vgax(300);
    g.Hp = vgay(300);
    g.rx0 = g.x0 - vgax(30);
    g.ry0 = g.y0 - g.Hp - vgay(20);
    g.rx1 = g.x0 + g.W + vgax(10);
    g.ry1 = g.y0 + vgax(20);
    g.scale = lineL * maxH;
    return g;
}

// Drawing inside the plot's region only: dots and lines of means above the
// frame stay within the region that is put back.
struct plot_clip {
    explicit plot_clip(const plot_geometry &g) { setviewport(g.rx0, g.ry0, g.rx1, g.ry1, 1); }
    ~plot_clip() { setviewport(0, 0, Maxx, Maxy, 1); }
};

void
write_at(int x, int y, const char *text)
{
    moveto(x, y);
    outtext(text);
}

void
line_between(int xa, int ya, int xb, int yb)
{
    moveto(xa, ya);
    lineto(xb, yb);
}

// ---- the parameter prompts ------------------------------------------------

// What the parameter prompts work on while they are asked: the parameters
// answered, the mode (0 asks maxH too), the keep answer, and where the rows
// go in the box.
struct para_answers {
    D_para *para;
    int mode;
    int keep = 0;
    int margin = 0;
    int last_row = -1; // the row written last, for the gap after it
};
using para_question = question_row<para_answers>;

enum para_row { row_maxH, row_sample, row_fuzz, row_details, row_iterations, row_step, row_keep };

std::string
para_prompt(const para_answers &a, int row)
{
    char text[80];
    switch (row) {
    case row_maxH:
        snprintf(text, sizeof text, "maxH (now %.2f):", a.para->maxH);
        break;
    case row_sample:
        snprintf(text, sizeof text, "sample (now %d):", a.para->sample);
        break;
    case row_fuzz:
        return "suppress fuzz-c:";
    case row_details:
        return "details-s:";
    case row_iterations:
        snprintf(text, sizeof text, "iterations (now %d):", a.para->iterations);
        break;
    case row_step:
        snprintf(text, sizeof text, "Ham steps (now=%d net=%d):", a.para->hamming_step, lineL);
        break;
    default:
        return "keep-k:";
    }
    return text;
}

int
para_entry_length(int row)
{
    return row == row_iterations ? 3 : (row == row_fuzz || row == row_details || row == row_keep) ? 1 : 4;
}

// Each prompt follows the one before on its line, 1.5 character widths
// after maxH and 1.2 after the others; "iterations" starts a line, and a
// prompt that would pass the box's edge starts the next one.
void
para_start_row(para_answers &a, int row)
{
    std::string prompt = para_prompt(a, row);
    int width = text_pixel_width(prompt.c_str(), static_cast<int>(prompt.size())) +
                (para_entry_length(row) + 1) * CWidth;
    int gap = static_cast<int>((a.last_row == row_maxH ? 1.5 : 1.2) * CWidth);
    if (a.last_row < 0)
        moveto(a.margin, 5);
    else if (row == row_iterations || getx + gap + width > Maxx - 5)
        moveto(a.margin, gety + CHeight);
    else
        moverel(gap, 0);
    a.last_row = row;
    setcolor(white);
}

// The two lines of the prompts as they stand when every entry is at its
// longest: maxH (mode 0) to details on the first, iterations to keep on the
// second; the font is chosen so that each fits the box.
std::vector<std::string>
para_lines(const para_answers &a)
{
    std::vector<std::string> lines(2);
    for (int row = a.mode == 0 ? row_maxH : row_sample; row <= row_keep; row++) {
        std::string &line = lines[row < row_iterations ? 0 : 1];
        if (!line.empty())
            line += "  ";
        line += with_widest_entry(para_prompt(a, row), para_entry_length(row));
    }
    return lines;
}

// A row's prompt, placed after the one before.
template <int row>
void
say_prompt(para_answers &a)
{
    para_start_row(a, row);
    outtext(para_prompt(a, row).c_str());
}

// The row asking `row`, its entry of the row's length.
template <int row>
constexpr para_question
para_row(para_question::take take)
{
    return para_question::row()
        .prompts(say_prompt<row>)
        .entry(para_entry_length(row), text_entry)
        .then(take)
        .on_line(row)
        .quits(answer_step::leave);
}

// A count typed at a row, held to its range; the line shows the count
// taken.
template <typename Count>
void
answer_count(Count *count, int len, number_bounds bounds)
{
    *count = static_cast<Count>(whole_answer_held(*count, bounds, len));
}

const para_question kParaRows[] = {
    para_row<row_maxH>([](para_answers &a, int len) {
        a.para->maxH = static_cast<float>(answer_held(a.para->maxH, derrida_ranges_of(lineL).maxH, len));
        return answer_step::next;
    }).when([](const para_answers &a) { return a.mode == 0; }),
    para_row<row_sample>([](para_answers &a, int len) {
        answer_count(&a.para->sample, len, derrida_ranges_of(lineL).sample);
        return answer_step::next;
    }),
    para_row<row_fuzz>([](para_answers &a, int) {
        a.para->suppress_fuzz = is[0] == 'c';
        return answer_step::next;
    }),
    para_row<row_details>([](para_answers &a, int) {
        a.para->details = is[0] == 's';
        return answer_step::next;
    }),
    para_row<row_iterations>([](para_answers &a, int len) {
        answer_count(&a.para->iterations, len, derrida_ranges_of(lineL).iterations);
        return answer_step::next;
    }),
    para_row<row_step>([](para_answers &a, int len) {
        answer_count(&a.para->hamming_step, len, derrida_ranges_of(lineL).hamming_step);
        return answer_step::next;
    }),
    para_row<row_keep>([](para_answers &a, int) {
        a.keep = is[0] == 'k';
        return answer_step::next;
    }),
};

// ---- the menus' keys ------------------------------------------------------

bool
plot_finished(const derrida_menu_state &s)
{
    return s.finished;
}

bool
has_rule_tables(const derrida_menu_state &s)
{
    return s.rule_tables;
}

const derrida_key kMenuKeys[] = {
    derrida_key::on("r")
        .help("redraw (no fuzz)-r, ")
        .when(plot_finished)
        .does([](derrida_menu_state &, char) { return derrida_choice::redraw; }),
    derrida_key::on("q").help("quit-q, ").does(
        [](derrida_menu_state &, char) { return derrida_choice::leave; }),
};

const derrida_key kCompletionKeys[] = {
    derrida_key::on("r").help("reset-r").does(
        [](derrida_menu_state &, char) { return derrida_choice::menu; }),
    derrida_key::on("C")
        .help(" canalizing-C")
        .when(has_rule_tables)
        .does([](derrida_menu_state &, char) { return derrida_choice::canalyzing; }),
};

template <size_t N>
derrida_choice
choice_of(const derrida_key (&rows)[N], derrida_menu_state &s, char key, derrida_choice other)
{
    const derrida_key *row = find_key(rows, key, s);
    return row && row->act ? row->act(s, key) : other;
}

// ---- the plot -------------------------------------------------------------

struct derrida_plot {
    D_para p;
    int dc_sample = 0;
    plot_geometry g = place_plot(1.0);
    derrida_work w;
    derrida_menu_state menu;
    int keep = 0;           // the last keep answer
    int pitch = Maxx < 799 ? 4 : 5; // cell pitch of the details view
    int h_end = 1;
    std::string slope_text = "no slope"; // the caption's second text
    std::string slope_line;              // the completion's slope words
};

void
diagonal(const plot_geometry &g)
{
    setcolor(lightred);
    line_between(g.x0, g.y0, g.x0 + g.W, g.y0 - g.Hp);
}

void
sweep_prompt(const derrida_plot &d)
{
    char text[120];
    erase_prompt_box(kParaLines);
    int margin = draw_prompt_box(2);
    setcolor(white);
    snprintf(text, sizeof text, "plotting Derrida, sample size=%d, iteration limit=%d", d.p.sample,
             d.p.iterations);
    write_at(margin, 5, text);
    snprintf(text, sizeof text, "Hamming step=%d, quit/pause-q", d.p.hamming_step);
    write_at(margin, 5 + CHeight, text);
}

// The rectangle the network's caption takes at the plot's top left.
struct caption_place {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;
    bool holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

caption_place
network_caption(const plot_geometry &g)
{
    int colour = getcolor();
    std::vector<std::string> lines = derrida_caption();
    int y = g.y0 - g.Hp + 2;
    if (rulemix && lines.size() == 4) {
        uint8_t fill = fillcolor;
        setfillstyle(0, black);
        bar(g.x0 + 1, y + 2 * CHeight, g.x0 + 30 * CWidth, y + 4 * CHeight);
        setfillstyle(0, fill);
    }
    setcolor(green);
    // Clear of the plot's left edge, so that its first glyph neither covers
    // the edge nor meets the y axis's maxH label beside it.
    caption_place place;
    place.x0 = place.x1 = g.x0 + 3;
    place.y0 = y;
    for (const std::string &line : lines) {
        write_at(g.x0 + 3, y, line.c_str());
        place.x1 = std::max(place.x1, getx - 1);
        y += CHeight;
    }
    place.y1 = y - 1;
    setcolor(colour);
    return place;
}

// The pair's lines and its distances, waiting for a key; 'q' turns the
// details off for the rest of the sweep.
void
show_pair(derrida_plot &d, int h, int j, int Ht)
{
    char text[120];
    snprintf(text, sizeof text, "sample=%d H(t0)=%d H(t%d)=%d q-quit:", j, h, d.p.iterations, Ht);
    int margin;
    int lines = 1;
    if (lineL <= 40) {
        int rows = twod ? j2d : threed ? j3d * h3d : 1;
        int state_lines = (rows * d.pitch + CHeight - 1) / CHeight;
        lines = 1 + 2 * state_lines;
        margin = draw_prompt_box(lines);
        for (int t = 0; t < 2; t++) {
            const uint8_t *const *pair = t == 0 ? d.w.t0 : d.w.tplus;
            moveto(margin, 5 + t * state_lines * CHeight);
            int right = print_layered_bitstring(64, pair[0], L, d.pitch, 2, 0, 0);
            moveto(right + vgax(10), 5 + t * state_lines * CHeight);
            print_layered_bitstring(64, pair[1], L, d.pitch, 2, 0, 0);
        }
        moveto(margin, 5 + 2 * state_lines * CHeight);
    } else {
        margin = draw_prompt_box(1);
        moveto(margin, 5);
    }
    setcolor(white);
    outtext(text);
    input_string(1, text_entry);
    if (is[0] == 'q') {
        d.p.details = 0;
        erase_prompt_box(lines);
        sweep_prompt(d);
    }
}

derrida_pause
pause_sweep(derrida_plot &d, int h, bool &step_changed)
{
    char text[120];
    int margin = draw_prompt_box(3);
    setcolor(white);
    snprintf(text, sizeof text, "interrupted at Hamm=%.3f, quit now-q, cont-ret:",
             static_cast<double>(h - 1) / lineL);
    moveto(margin, 5);
    write_prompt_lines(text, margin);
    input_string(1, text_entry);
    erase_prompt_box(3);
    if (is[0] == 'q')
        return derrida_pause::end_sweep;
    int step = d.p.hamming_step;
    get_D_para(1, &d.p);
    if (is[0] == 'q')
        return derrida_pause::end_sweep;
    step_changed = step_changed || step != d.p.hamming_step;
    sweep_prompt(d);
    return derrida_pause::resume;
}

void
run_sweep(derrida_plot &d)
{
    d.g = place_plot(d.p.maxH);
    const plot_geometry &g = d.g;
    sweep_prompt(d);
    draw_general_graph_frame(0, d.keep, static_cast<short>(g.x0), static_cast<short>(g.y0),
                             static_cast<short>(g.W), static_cast<short>(g.Hp), 10, 10, d.p.maxH);
    diagonal(g);
    const caption_place caption = network_caption(g);

    int previous_h = 0;
    bool step_changed = false;
    derrida_hooks hooks;
    hooks.pause = [&](int h) { return pause_sweep(d, h, step_changed); };
    hooks.pair = [&](int h, int j, int Ht) {
        // A pair's dot under the caption stays hidden: the caption stands
        // over the plot (the top left is where a chaotic rule's pairs go).
        const int px = g.x_of(h), py = g.y0 - static_cast<int>(g.Hp * Ht / g.scale);
        if (!d.p.suppress_fuzz && !caption.holds(px, py)) {
            plot_clip clip(g);
            putpixel(px, py, yellow);
        }
        if (d.p.details)
            show_pair(d, h, j, Ht);
    };
    hooks.distance = [&](int h, int) {
        if (previous_h > 0 && !step_changed) {
            plot_clip clip(g);
            setcolor(white);
            line_between(g.x_of(previous_h), g.y_of(d.w.mean[previous_h]), g.x_of(h),
                         g.y_of(d.w.mean[h]));
        }
        step_changed = false;
        previous_h = h;
        flush_display();
    };
    bool details = d.p.details;
    derrida_sweep_end end = derrida_sweep(d.p, d.dc_sample, d.w, hooks);
    if (details && d.p.details)
        erase_prompt_box(3);
    d.h_end = end.h_end;
    derrida_slope s = derrida_slope_of(end.acc, end.c);
    d.slope_line = slope_words(s, d.dc_sample);
    d.slope_text = slope_caption(s, d.dc_sample);
}

void
redraw_curve(derrida_plot &d)
{
    const plot_geometry &g = d.g;
    draw_general_graph_frame(0, d.keep, static_cast<short>(g.x0), static_cast<short>(g.y0),
                             static_cast<short>(g.W), static_cast<short>(g.Hp), 10, 10, d.p.maxH);
    diagonal(g);
    plot_clip clip(g);
    setcolor(white);
    const int s = d.p.hamming_step;
    for (int h = 1; h + s <= d.w.last_h; h += s) {
        line_between(g.x_of(h), g.y_of(d.w.mean[h]), g.x_of(h + s), g.y_of(d.w.mean[h + s]));
        if (g.y_of(d.w.mean[h + s]) < g.y0 - g.Hp)
            break;
    }
}

// The iteration count at the end of the curve, the completion prompt and
// the slope beside the title; then the completion's key.
derrida_choice
complete(derrida_plot &d)
{
    const plot_geometry &g = d.g;
    char text[120];
    snprintf(text, sizeof text, "%d", d.p.iterations);
    int tw = text_pixel_width(text, static_cast<int>(std::string(text).size()));
    int bw = static_cast<int>(1.5 * tw);
    int left = std::min(g.x_of(d.h_end) - bw, g.x0 + g.W - bw);
    // At the height of the last mean, but above the x axis, whose maxH label
    // it would cover when that mean is 0.
    int top = d.w.last_h > 0 ? std::max(g.y_of(d.w.mean[d.w.last_h]), g.y0 - g.Hp) : g.y0;
    top = std::min(top, g.y0 - CHeight - 1);
    // The diagonal first: the label's box stands over it where they meet
    // (at the top right corner when the last mean is high).
    diagonal(g);
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(left, top, left + bw, top + CHeight);
    setfillstyle(0, fill);
    setcolor(lightred);
    rectangle(left, top, left + bw, top + CHeight);
    setcolor(lightgreen);
    write_at(left + (bw - tw) / 2, top, text);

    // The slope words may not fit one line of the box: each text takes the
    // lines it needs.
    std::string first = "Derrida plot complete," + d.slope_line;
    snprintf(text, sizeof text, "sample size=%d, ", d.p.sample);
    std::string second = text + help_text(derrida_completion_help(d.menu)) + ":";
    int lines;
    int16_t entry_x, entry_y;
    erase_prompt_box(2); // the sweep's box, taller than a box in a smaller font
    {
        // Each line whole, in a smaller font where the normal one would
        // break it (the slope words on a window of a 1024-pixel screen).
        prompt_font font({first, second + "MM"});
        lines = prompt_box_lines(first.c_str()) + prompt_box_lines(second.c_str());
        int margin = draw_prompt_box(lines);
        setcolor(white);
        moveto(margin, 5);
        write_prompt_lines(first.c_str(), margin);
        moveto(margin, gety + CHeight);
        write_prompt_lines(second.c_str(), margin);
        entry_x = getx;
        entry_y = gety;
    }

    int cx = g.x0 + 10 * CWidth, cy = g.y0 - g.Hp - static_cast<int>(1.5 * CHeight);
    setfillstyle(0, black);
    bar(cx, cy, g.x0 + g.W + vgax(8), cy + static_cast<int>(1.3 * CHeight));
    setfillstyle(0, fill);
    snprintf(text, sizeof text, "sample=%d, %s", d.p.sample, d.slope_text.c_str());
    setcolor(white);
    {
        // Whole in a smaller font where the normal one would pass the
        // band's end; the clip keeps the rest of a long text inside.
        font_while font({text}, g.x0 + g.W + vgax(8) - cx, {set_medium_font, set_small_font});
        plot_clip clip(g);
        write_at(cx, cy, text);
    }

    moveto(entry_x, entry_y);
    input_string(1, text_entry);
    erase_prompt_box(lines);
    return choice_of(kCompletionKeys, d.menu, is[0], derrida_choice::leave);
}

// The menu: its text, the Dc sample entry, and the choice by the first
// character.
derrida_choice
menu_choice(derrida_plot &d)
{
    int margin = draw_prompt_box(3);
    setcolor(white);
    std::string text = "Derrida plot: " + help_text(derrida_menu_help(d.menu));
    int most = Dc_sample_max(lineL);
    if (d.dc_sample > 0) {
        char dc[60];
        snprintf(dc, sizeof dc, "Dc sample (now %d, max %d):", d.dc_sample, most);
        text += dc;
    }
    moveto(margin, 5);
    write_prompt_lines(text.c_str(), margin);
    int len = input_string(2, text_entry);
    // A letter is the menu's key; a number the Dc sample, held to 1..most.
    if (d.dc_sample > 0 && is[0] >= '0' && is[0] <= '9')
        d.dc_sample = static_cast<int>(whole_answer_held(d.dc_sample, {1, static_cast<double>(most)}, len));
    erase_prompt_box(3);
    return choice_of(kMenuKeys, d.menu, is[0], derrida_choice::sweep);
}

void
open_canalyzing_dialog()
{
    if (rulemix)
        set_canalyzing_net(0);
    else
        set_canalyzing_rule(0);
}

} // namespace

std::string
maxH_label(double maxH)
{
    char text[16];
    if (maxH < 0.1) {
        snprintf(text, sizeof text, "%.2f", maxH);
        return text;
    }
    long a = static_cast<long>(maxH * 100), b = static_cast<long>(maxH * 1000);
    if (a % 10 == 0)
        snprintf(text, sizeof text, " %.1f", maxH);
    else if (b % 10 != 0)
        snprintf(text, sizeof text, "%.3f", maxH);
    else
        snprintf(text, sizeof text, "%.2f", maxH);
    return text;
}

void
draw_general_graph_frame(int, int keep, short x0, short y0, short w, short h, int xticks,
                         int yticks, double maxH)
{
    if (keep == 1)
        return;
    int colour = getcolor();
    int16_t px = getx, py = gety;
    uint8_t fill = fillcolor;
    int rx0 = x0 - vgax(30), ry0 = y0 - h - vgay(20), rx1 = x0 + w + vgax(10), ry1 = y0 + vgax(20);
    setfillstyle(0, black);
    bar(rx0, ry0, rx1, ry1);
    rectangle(rx0, ry0, rx1, ry1);
    write_at(x0, y0 - h - static_cast<int>(1.5 * CHeight), "Derrida plot");

    setcolor(lightred);
    rectangle(x0, y0 - h, x0 + w, y0);
    for (int t = 1; t < xticks; t++)
        line_between(x0 + t * (w / 10), y0, x0 + t * (w / 10), y0 + vgay(3));
    for (int t = 1; t < yticks; t++)
        line_between(x0, y0 - t * (h / 10), x0 - vgax(3), y0 - t * (h / 10));

    std::string label = maxH_label(maxH);
    auto label_over_bar = [&](int x, int y) {
        bar(x, y, x + static_cast<int>(2.7 * CWidth), y + CHeight);
        write_at(x, y, label.c_str());
    };
    write_at(x0, y0 + CHeight / 4, "0");
    write_at(x0 + w / 3, y0 + vgax(5), "Hamming distance (t0)");
    label_over_bar(x0 + w - 2 * CWidth, y0 + CHeight / 4);
    write_at(x0 - 2 * CWidth, y0 - CHeight, "0");
    {
        // The y label stands between the outer frame and the ticks; where
        // the normal font would reach the ticks (a window of a 1024-pixel
        // screen, and just so at 1280) it is written in the medium one.
        const char *y_label = "H(t+)";
        int16_t width = CWidth, height = CHeight;
        bool medium = x0 - vgax(28) + text_width_in_use(y_label) >= x0 - vgax(3) - 1;
        if (medium)
            set_medium_font();
        write_at(x0 - vgax(28), y0 - h / 2, y_label);
        if (medium) {
            restore_def_font();
            CWidth = width;
            CHeight = height;
        }
    }
    {
        // Left of the y axis, its last glyph clear of the plot's edge and of
        // the green caption that starts there.
        std::string y_top = label.substr(label.find_first_not_of(' '));
        int x = std::min(x0 - 3 * CWidth, x0 - 3 - text_width_in_use(y_top.c_str()));
        bar(x, y0 - h, std::min(x + static_cast<int>(2.7 * CWidth), x0 - 1), y0 - h + CHeight);
        write_at(x, y0 - h, y_top.c_str());
    }

    setfillstyle(0, fill);
    setcolor(colour);
    moveto(px, py);
}

int
get_D_para(int mode, D_para *p)
{
    para_answers answers{p, mode};
    answer_step end;
    {
        prompt_font font(para_lines(answers));
        answers.margin = draw_prompt_box(kParaLines);
        // Each prompt places itself after the one before.
        end = ask_questions(kParaRows, question_place{nullptr, nullptr, false}, answers);
    }
    erase_prompt_box(kParaLines);
    if (end == answer_step::leave) {
        is[0] = 'q';
        return 0;
    }
    return answers.keep;
}

std::vector<key_help_line>
derrida_menu_help(const derrida_menu_state &s)
{
    return key_help(kMenuKeys, s);
}

std::vector<key_help_line>
derrida_completion_help(const derrida_menu_state &s)
{
    return key_help(kCompletionKeys, s);
}

std::string
derrida_menu_keys()
{
    return all_keys(kMenuKeys);
}

std::string
derrida_completion_keys()
{
    return all_keys(kCompletionKeys);
}

bool
derrida_menu_acts(const derrida_menu_state &s, char key)
{
    return key_acts(kMenuKeys, key, s);
}

bool
derrida_completion_acts(const derrida_menu_state &s, char key)
{
    return key_acts(kCompletionKeys, key, s);
}

void
draw_Derrida_plot()
{
    int colour = getcolor();
    int16_t px = getx, py = gety;
    derrida_plot d;
    d.dc_sample = Dc_sample_default(lineL);
    d.menu.rule_tables = !tot_only && carule != nullptr;
    const plot_geometry &g = d.g;
    // The set-up's lines and an editor's region that the plot's box reaches
    // into are hidden whole while it is up, across the window, rather than
    // shown cut at its edges: the band runs from the free row above its top
    // to its foot.
    const int band_top = setup_clear_row_above(g.ry0);
    save_hiding_lines_in_band(band_top, band_top, g.ry1, &boximage[kPlotSlot]);
    image_slot prompt_place = 0;
    getimage(Maxx / 2, 0, Maxx, prompt_box_bottom_past_ink(kParaLines) + 1, &prompt_place);
    draw_general_graph_frame(0, 0, static_cast<short>(g.x0), static_cast<short>(g.y0),
                             static_cast<short>(g.W), static_cast<short>(g.Hp), 10, 10, d.p.maxH);

    for (;;) {
        derrida_choice choice = menu_choice(d);
        if (choice == derrida_choice::leave)
            break;
        if (choice == derrida_choice::sweep) {
            int keep = get_D_para(0, &d.p);
            if (is[0] == 'q')
                continue;
            d.keep = keep;
            run_sweep(d);
        } else {
            redraw_curve(d);
        }
        d.menu.finished = true;
        choice = complete(d);
        if (choice == derrida_choice::canalyzing)
            open_canalyzing_dialog();
        else if (choice != derrida_choice::menu)
            break;
    }

    setcolor(colour);
    erase_prompt_box(2);
    putimage(Maxx / 2, 0, &prompt_place, 0);
    freeimage(&prompt_place);
    put_back_under_band(band_top, &boximage[kPlotSlot]);
    moveto(px, py);
}
