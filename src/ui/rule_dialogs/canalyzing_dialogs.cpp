// The canalyzing dialogs (canalyzing_dialogs.h). set_canalyzing_rule reads
// one key at a time for one cell; set_canalyzing_net draws the cells as a
// grid coloured by their canalyzing class, a histogram and a summary, and
// asks for a target share. The runs are engine/rules/canalyzing.h. Start
// at set_canalyzing_rule, then set_canalyzing_net.
#include "ui/rule_dialogs/canalyzing_dialogs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_line.h"
#include "engine/rules/canalyzing.h"
#include "engine/rules/globals.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/window.h"

namespace {

constexpr int kRunBoxSlot = 12;  // boximage slot under the one-line box of a run
constexpr int kPictureSlot = 18; // boximage slot under the canalyzing picture
// boximage_prompt slot under the first questions' box, which a k-mix's
// four lines take down to the set-up's first line.
constexpr int kUnderSlot = 12;

// The digit typed as the first character, or -1.
int
typed_digit()
{
    return is[0] >= '0' && is[0] <= '9' ? is[0] - '0' : -1;
}

// The one-cell dialog's prompt place (see set_canalyzing_rule): in a run,
// a box at the bottom right, left of the key panel while that is marked
// (side_panel.h), and above the rule box where that stands at the foot
// (a range of sizes draws it): over it, the box would cut the rule's lines.
struct canal_prompt {
    bool in_run = direction == direction_forward && limitcheck == 0 && secondpart;
    int left = Maxx / 2 - side_panel_shift(Maxx - 2);
    int right = Maxx - 2 - side_panel_shift(Maxx - 2);
    int bottom = bottom_above_rule_box(left, right, Maxy);
    // The box's top, a line of the normal font above the bottom: a prompt
    // font's smaller box drawn lower would leave the top rows of the box
    // saved at open standing above it.
    int top = bottom - CHeight - vgay(6);
    void open()
    {
        if (in_run)
            draw_box(kRunBoxSlot, left, top, right, bottom, 1, 0);
    }
    std::function<void()> shown;
    // The rule's readout at the bottom, outside a run, and the caller's
    // lines of the rule; before the prompt's font is taken, since the
    // readout takes and gives back fonts of its own.
    void readout(int k, uint8_t *table)
    {
        if (in_run)
            return;
        show_rule_bottom(k, 1, table, 0);
        if (shown)
            shown();
    }
    // The box of one line in the font in use, from the top of the box of
    // the normal font (open).
    void box()
    {
        if (in_run)
            draw_box(-1, left, top, right, bottom, 1, 0);
        else
            replace_prompt_box(1);
    }
    void close()
    {
        if (in_run) {
            putimage(left, top, &boximage[kRunBoxSlot], 3);
            freeimage(&boximage[kRunBoxSlot]);
        } else {
            erase_prompt_box(1);
        }
    }
};

// 'e': one input forced by hand, every value drawn at random on Return.
void
explicit_input(int k, uint8_t *table)
{
    int v = value_range;
    char text[80];
    for (;;) {
        snprintf(text, sizeof text, "wire (0-%d):", k - 1);
        outtext(text);
        input_string(1, text_entry);
        int j = is[0] == kKeyReturn ? static_cast<int>(random() % k) : typed_digit();
        if (is[0] == kKeyReturn) {
            snprintf(text, sizeof text, "%d", j);
            outtext(text);
        }
        if (j < 0 || j > k - 1)
            return;
        int values[2];
        bool again = false;
        const char *prompts[2] = {" input value (%d - 0):", " output value (%d - 0):"};
        for (int p = 0; p < 2 && !again; p++) {
            snprintf(text, sizeof text, prompts[p], v - 1);
            outtext(text);
            input_string(1, text_entry);
            values[p] = is[0] == kKeyReturn ? static_cast<int>(random() % v) : typed_digit();
            if (is[0] == kKeyReturn) {
                snprintf(text, sizeof text, "%d", values[p]);
                outtext(text);
            }
            again = values[p] < 0 || values[p] > v - 1;
        }
        if (again) {
            draw_prompt_box(1);
            continue;
        }
        force_canalyzing(k, table, j, values[0], values[1]);
        canalyzing_w0(k, table);
        return;
    }
}

} // namespace

void
set_canalyzing_rule(int cell, const std::function<void()> &shown)
{
    // A totalistic forward-only network has codes, no rule table to change.
    if (tot_only)
        return;
    canal_prompt place;
    place.shown = shown;
    place.open();
    char text[120];
    for (;;) {
        int k = nhoodm[cell];
        uint8_t *table = carule[cell];
        rule_z_figures(k, table);
        int key;
        {
            const char *ask = "canalyzing inputs: explicitly-e, random: -n, or whole net-N:";
            place.readout(k, table);
            prompt_font font({with_widest_entry(ask, 1)});
            place.box();
            outtext(ask);
            input_string(1, text_entry);
            key = is[0];
        }
        if (key == 'e') {
            snprintf(text, sizeof text, "wire (0-%d):0 input value (%d - 0):0 output value (%d - 0):",
                     k - 1, value_range - 1, value_range - 1);
            place.readout(k, table);
            prompt_font font({with_widest_entry(text, 1)});
            place.box();
            explicit_input(k, table);
        } else if (key == 'n') {
            if (rulemix)
                snprintf(text, sizeof text, "cell %d canalyzing inputs=%d, set new number (0-%d):", cell,
                         canaltotal, k);
            else
                snprintf(text, sizeof text, "canalyzing inputs=%d, set new number (0-%d):", canaltotal, k);
            place.readout(k, table);
            {
                prompt_font font({with_widest_entry(text, 2)});
                place.box();
                outtext(text);
                input_string(2, text_entry);
            }
            if (is[0] == 'q' || is[0] == kKeyReturn)
                continue;
            long t = static_cast<long>(entry_held(canaltotal, {0, static_cast<double>(k)}, true));
            if (t == canaltotal)
                continue;
            if (t < canaltotal)
                lower_canalyzing_inputs(k, table, static_cast<int>(t));
            else
                raise_canalyzing_inputs(k, table, static_cast<int>(t));
        } else if (key == 'N') {
            snprintf(text, sizeof text, "canalyzing inputs, whole net - set new number (0-%d):", k);
            {
                prompt_font font({with_widest_entry(text, 2)});
                place.box();
                outtext(text);
                input_string(2, text_entry);
            }
            // No number: -1, nothing changes.
            long t = static_cast<long>(entry_held(-1, {0, static_cast<double>(k)}, true));
            if (is[0] == 'q' || t < 0)
                continue;
            fprintf(stderr, "\n");
            raise_canalyzing_whole_net(static_cast<int>(t));
        } else {
            break;
        }
    }
    place.close();
    int k = nhoodm[cell];
    rule_z_figures(k, carule[cell]);
}

namespace {

// Colour indexes of the ratio (6) and count (10) classes.
int
class_colour(bool count_scheme, int cls)
{
    const uint8_t ratio[6] = {darkgray, blue, green, lightred, yellow, white};
    const uint8_t count[10] = {darkgray, lightgray, blue, green, lightred, red, yellow, lightcyan, brown, white};
    return count_scheme ? count[cls] : ratio[cls];
}

// The picture box: the cells in an i2d x j2d grid, clamped to the window
// and left of a marked side panel.
struct canal_picture {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0, size = 1, gap = 1;
    void place()
    {
        if (!twod) {
            int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(lineL))));
            int d = 1;
            for (int x = 1; x <= side; x++)
                if (lineL % x == 0)
                    d = x;
            j2d = static_cast<int16_t>(d);
            i2d = static_cast<int16_t>(lineL / d);
        }
        int larger = std::max<int>(i2d, j2d);
        if (i2d < 31 && j2d < 31) {
            size = vgax(7);
            gap = vgax(3);
        } else {
            size = std::max(1, vgax(250) / larger);
            gap = size < 3 ? 1 : 2;
        }
        int width = std::max(size * (i2d + 1), Maxx / 3);
        // Kept inside the window and left of a panel kept at the right
        // (side_panel.h): a long thin grid is clipped, never off-screen.
        int right = std::min<int>(Maxx, Maxx - vgax(45) + vgax(40));
        int shift = side_panel_shift(right);
        x0 = std::max(0, Maxx - vgax(45) - width - vgax(40) - shift);
        x1 = right - shift;
        y0 = std::max(0, vgay(400) - size * (j2d + 1) - vgay(100));
        y1 = std::min<int>(Maxy, vgay(400) + vgay(20));
    }
    int cell_x(int c) const { return x0 + vgax(20) + (c % i2d) * size; }
    int cell_y(int c) const { return y0 + vgay(20) + (c / i2d) * size; }
};

void
draw_histogram(const canal_picture &pic, const canal_census &census, bool count_scheme)
{
    char text[40];
    int classes = count_scheme ? 10 : 6;
    int bar_w = std::max(4, (pic.x1 - pic.x0 - vgax(40)) / (classes + 1));
    // Three lines of text below the bars (labels, shares, the axis title),
    // their descenders inside the box's bottom edge.
    int base = pic.y1 - CHeight * 3 - 4;
    int top = base - vgay(60);
    moveto(pic.x0 + vgax(10), top - CHeight);
    if (count_scheme) {
        snprintf(text, sizeof text, "fraction c/%d", nhood);
        outtext(text);
    } else {
        outtext("saturation %");
    }
    const char *labels[6] = {"0", "<25", "<50", "<75", "<100", "100%"};
    // The shares with one decimal where a bar is wider than "100.0", else
    // whole, so that neighbouring shares do not run into each other.
    const char *share_format = text_pixel_width("100.0 ", 6) <= bar_w ? "%.1f" : "%.0f";
    for (int cls = 0; cls < classes; cls++) {
        int x = pic.x0 + vgax(10) + cls * bar_w;
        double share = lineL ? static_cast<double>(census.classes[cls]) / lineL : 0;
        setfillstyle(0, class_colour(count_scheme, cls));
        bar(x, base - static_cast<int>(share * (base - top)), x + bar_w - 2, base);
        moveto(x, base + 1);
        if (count_scheme)
            snprintf(text, sizeof text, "%d", cls);
        else
            snprintf(text, sizeof text, "%s", labels[cls]);
        outtext(text);
        moveto(x, base + 1 + CHeight);
        snprintf(text, sizeof text, share_format, share * 100);
        outtext(text);
    }
    moveto(pic.x0 + vgax(10), base + 1 + 2 * CHeight);
    outtext("frequency %");
}

// The kind the marks of the canalyzing genes (iscanal) are drawn as in the
// first line of the summary's box: a lattice's state would be laid out in
// the lattice's rows, from the text column's left edge down the window, so
// a lattice's marks go in one row as a code's values do; a 1d network's
// are its state's one row.
int
canal_marks_kind()
{
    return twod || threed ? 2 : 0;
}

// Draws the grid of the census's cells and the histogram.
void
draw_picture(const canal_picture &pic, canal_census &census)
{
    take_canal_census(census);
    bool count_scheme = canal_count_scheme(census.chosen_k);
    draw_box(-1, pic.x0, pic.y0, pic.x1, pic.y1, 1, 0);
    char text[20];
    setcolor(white);
    moveto(pic.cell_x(0), pic.y0 + 2);
    outtext("0");
    snprintf(text, sizeof text, "%d", i2d - 1);
    moveto(std::min(pic.cell_x(i2d - 1), pic.x1 - textwidth(text) - 2), pic.y0 + 2);
    outtext(text);
    snprintf(text, sizeof text, "%d", j2d - 1);
    moveto(pic.x0 + 2, std::min(pic.cell_y((j2d - 1) * i2d), pic.y1 - CHeight));
    outtext(text);
    for (int c = lineL - 1; c >= 0; c--) {
        if (census.chosen_k && nhoodm[c] != census.chosen_k)
            continue;
        int k = nhoodm[c];
        count_canalyzing(k, rulemix ? carule[c] : carule[0]);
        int cls = set_canal_color(census.chosen_k, canaltotal, k);
        int x = pic.cell_x(c), y = pic.cell_y(c);
        if (x > pic.x1 || y > pic.y1)
            continue; // clipped
        int s = std::max(1, pic.size - pic.gap);
        if (pic.size == 1) {
            putpixel(x, y, class_colour(count_scheme, cls));
        } else {
            setfillstyle(0, class_colour(count_scheme, cls));
            bar(x, y, std::min(x + s - 1, pic.x1 - 1), std::min(y + s - 1, pic.y1 - 1));
            if (nhood_mixed && census.chosen_k && cls == 0 && pic.size >= 3) {
                setcolor(lightgray);
                rectangle(x, y, x + s - 1, y + s - 1);
            }
        }
    }
    draw_histogram(pic, census, count_scheme);
}

std::string
summary(const canal_census &census)
{
    char text[200];
    double genes = census.cells.empty() ? 0 : 100.0 * census.genes / census.cells.size();
    if (census.chosen_k) {
        double share = lineL ? 100.0 * census.cells.size() / lineL : 0;
        snprintf(text, sizeof text, "k=%d (%.1f%%) c-inputs=%lu/%lu=%.1f%%  genes=%d/%d=%.1f%%",
                 census.chosen_k, share, static_cast<unsigned long>(census.canal_inputs),
                 static_cast<unsigned long>(census.inputs), cinputfreq * 100.0, census.genes,
                 static_cast<int>(census.cells.size()), genes);
    } else {
        snprintf(text, sizeof text, "c-inputs=%lu/%lu=%.1f%%  genes=%d/%d=%.1f%%",
                 static_cast<unsigned long>(census.canal_inputs), static_cast<unsigned long>(census.inputs),
                 cinputfreq * 100.0, census.genes, static_cast<int>(census.cells.size()), genes);
    }
    return text;
}

void
show_progress()
{
    char text[40];
    snprintf(text, sizeof text, "  cf=%.1f%%", cinputfreq * 100.0);
    memory_box(2, text);
}

// A decrease that passed over genes no redraw could free of canalyzing
// inputs says how many of those asked for it changed.
void
report_genes_passed_over(long changed, long asked)
{
    char text[100];
    snprintf(text, sizeof text, "%ld of %ld genes made non-canalyzing, cont-ret", changed, asked);
    draw_prompt_box(1);
    outtext(text);
    input_string(1, text_entry);
}

// Applies a typed target, held to its range; an answer with no number (a
// fallback of -1) changes nothing.
void
apply_target(canal_census &census, bool genes, bool number, int keep0)
{
    if (census.chosen_k == 1) {
        draw_prompt_box(1);
        outtext("k=1 is fully canalyzing and can't be altered, cont-ret");
        input_string(1, text_entry);
        return;
    }
    double cells = static_cast<double>(census.cells.size());
    if (genes) {
        double share = cells > 0 ? census.genes / cells : 0;
        bool increase;
        long changes;
        if (number) {
            long t = static_cast<long>(entry_held(-1, {0, cells}, true));
            if (t < 0)
                return;
            increase = t > census.genes;
            changes = labs(t - census.genes);
        } else {
            double p = entry_held(-1, {0, 100});
            if (p < 0)
                return;
            increase = p / 100 > share;
            changes = static_cast<long>(std::fabs(p / 100 - share) * cells);
        }
        long changed = change_canalyzing_genes(census, increase, changes, keep0);
        if (!increase && changed < changes)
            report_genes_passed_over(changed, changes);
        return;
    }
    double inputs = static_cast<double>(census.inputs);
    double target;
    long changes;
    if (number) {
        long t = static_cast<long>(entry_held(-1, {0, inputs}, true));
        if (t < 0)
            return;
        target = inputs > 0 ? t / inputs : 0;
        changes = labs(t - static_cast<long>(census.canal_inputs));
    } else {
        double p = entry_held(-1, {0, 100});
        if (p < 0)
            return;
        target = p / 100;
        changes = static_cast<long>(std::fabs(target - cinputfreq) * inputs);
    }
    if (changes == 0)
        return;
    change_canalyzing_inputs(census, target > cinputfreq, target, changes, show_progress);
}

// The k-mix's choice of k: the k whose cells alone are treated (0: all).
int
choose_k(int margin)
{
    std::string line = "%k: ";
    char text[40];
    int counts[16] = {};
    for (uint32_t c = 0; c < lineL; c++)
        if (nhoodm[c] >= 0 && nhoodm[c] < 16)
            counts[nhoodm[c]]++;
    for (int k = 1; k <= Maxnhood && k < 16; k++)
        if (counts[k]) {
            snprintf(text, sizeof text, "%d:%.1f ", k, 100.0 * counts[k] / lineL);
            line += text;
        }
    moveto(margin, gety + CHeight);
    outtext(line.c_str());
    moveto(margin, gety + CHeight);
    outtext("enter k for just one nhood, all-(def):");
    input_string(2, text_entry);
    // No number: 0, all.
    long k = static_cast<long>(entry_held(0, {1, std::min<double>(Maxnhood, 15)}, true));
    return k >= 1 && counts[k] ? static_cast<int>(k) : 0;
}

} // namespace

void
set_canalyzing_net(int keep0)
{
    // The caller's point, put back at the end: the set-up's column goes on
    // from it, not from the last line of the dialog's boxes.
    int16_t x = getx, y = gety;
    canal_picture pic;
    pic.place();
    draw_box(kPictureSlot, pic.x0, pic.y0, pic.x1, pic.y1, 1, 0);
    canal_census census;
    const int first_lines = nhood_mixed ? 4 : 2;
    for (;;) {
        int margin = draw_tall_prompt_box(kUnderSlot, first_lines);
        outtext("set canalyzing genes-g inputs-(def):");
        input_string(1, text_entry);
        if (is[0] == 'q') {
            erase_tall_prompt_box(kUnderSlot, first_lines);
            erase_memory_box();
            break;
        }
        bool genes = is[0] == 'g';
        moveto(margin, gety + CHeight);
        std::string line = nhood_mixed ? "mixed k, " : "";
        line += genes ? "c-genes: redo-q number-n, %-(def):" : "c-inputs: redo-q number-n, %-(def):";
        outtext(line.c_str());
        input_string(1, text_entry);
        if (is[0] == 'q') {
            erase_tall_prompt_box(kUnderSlot, first_lines);
            continue;
        }
        bool number = is[0] == 'n';
        census.chosen_k = nhood_mixed ? choose_k(margin) : (nhood > 9 ? nhood : 0);
        erase_tall_prompt_box(kUnderSlot, first_lines);
        bool leave = false;
        for (;;) {
            draw_picture(pic, census);
            bool small = lineL <= 64;
            int lines = small ? 3 : 2;
            int m = draw_prompt_box(lines);
            if (small) {
                print_layered_bitstring(64, iscanal, lineL - 1, vgax(3), 1, 0, canal_marks_kind());
                moveto(m, gety + CHeight);
            }
            outtext(summary(census).c_str());
            moveto(m, gety + CHeight);
            const char *prompt = genes ? (number ? "set new number c-genes, redo-q accept-ret:"
                                                 : "set new %% c-genes, redo-q accept-ret:")
                                       : (number ? "set new number c-inputs, redo-q accept-ret:"
                                                 : "set new %% c-inputs, redo-q accept-ret:");
            char text[80];
            snprintf(text, sizeof text, prompt, 0);
            outtext(text);
            int room = 5;
            if (number)
                room = digits_of(static_cast<int>(genes ? lineL : std::min<uint64_t>(census.inputs * lineL, 999999999)));
            input_string(room, text_entry);
            erase_prompt_box(lines);
            if (is[0] == 'q')
                break;
            if (is[0] == kKeyReturn) {
                leave = census.chosen_k == 0 || !nhood_mixed;
                break;
            }
            apply_target(census, genes, number, keep0);
        }
        if (leave)
            break;
    }
    putimage(pic.x0, pic.y0, &boximage[kPictureSlot], 3);
    freeimage(&boximage[kPictureSlot]);
    moveto(x, y);
}
