// The k-mix dialog (kmix_dialog.h): its menu, the prompts of each method
// (the methods themselves are in kmix_methods.cpp), the summary box and the
// k histogram. Reads lineL, Maxnhood, value_range and writes nhoodm,
// nhood, nhood_lb, nhood_ub, nhood_mixed (model/); clears basinfield
// (screen/) for a network too large for a field; k-mix and histogram files
// through storage/; out-degrees from wiring/.
// Start reading at set_dif_nhoods.
#include "ui/model/kmix_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/kmix_methods.h"
#include "engine/model/network_shape.h"
#include "engine/wiring/out_degrees.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"
#include "ui/storage/histogram_file.h"
#include "ui/storage/kmix_file.h"

namespace {

constexpr int kHistSlot = 18;
// boximage_prompt slot under a box tall enough to reach the set-up lines.
constexpr int kUnderSlot = 12;

// lineL when the menu was last shown, for the summary's "(was %d)".
uint16_t menu_lineL = 0;

// Writes text on the next line of a prompt box whose margin is margin,
// broken at spaces to the box's width.
void
box_line(int margin, const char *text)
{
    moveto(margin, gety + CHeight);
    write_prompt_lines(text, margin);
}

// The number typed in the last entry held to low..high, or fallback after
// Return or an answer with no number.
long
typed_or(long fallback, long low, long high)
{
    return static_cast<long>(entry_held(fallback, {static_cast<double>(low), static_cast<double>(high)}, true));
}

int
random_k()
{
    return static_cast<int>(random() % (Maxnhood + 1));
}

// ---- methods ---------------------------------------------------------------

// By hand, cell by cell. false when left with 'q'.
bool
method_by_hand()
{
    for (int c = 0; c < static_cast<int>(lineL);) {
        draw_prompt_box(1);
        char text[150];
        snprintf(text, sizeof text, "set nhood size (1-%d) at cell %d (back-b restrand-r):",
                 Maxnhood, c);
        outtext(text);
        input_string(2, text_entry);
        if (is[0] == 'q')
            return false;
        if (is[0] == 'b' && c > 0) {
            c--;
            continue;
        }
        // No number (Return, 'r'): a random k, drawn only then.
        long k = typed_or(0, 1, Maxnhood);
        nhoodm[c] = static_cast<int8_t>(k >= 1 ? k : random_k());
        if (is[0] == 'r') {
            for (uint32_t rest = static_cast<uint32_t>(c) + 1; rest < lineL; rest++)
                nhoodm[rest] = static_cast<int8_t>(random_k());
            break;
        }
        c++;
    }
    nhood_lb_ub();
    return true;
}

// Asks the upper bound in the first line of a two-line box; false on 'q'.
bool
ask_upper_bound(int *upper)
{
    int margin = draw_prompt_box(2);
    char text[150];
    snprintf(text, sizeof text, "set k upper bounds (def %d, Max %d):", Maxnhood, Maxnhood);
    outtext(text);
    input_string(2, numeric_entry);
    if (is[0] == 'q')
        return false;
    *upper = static_cast<int>(typed_or(Maxnhood, 1, Maxnhood));
    moveto(margin, gety + CHeight);
    return true;
}

// Around an average; false when left with 'q'.
bool
method_average()
{
    for (;;) {
        nhood_lb = 1;
        int upper = Maxnhood;
        if (!ask_upper_bound(&upper))
            return false;
        nhood_ub = static_cast<uint8_t>(upper);
        float fallback = static_cast<float>(upper) / 5.0f, most = static_cast<float>(upper) / 1.5f;
        char text[150];
        snprintf(text, sizeof text, "set average k (def %.2f, max %.2f):", fallback, most);
        outtext(text);
        int len = input_string(4, numeric_entry);
        if (is[0] == 'q')
            continue;
        float average = static_cast<float>(answer_held(fallback, {1, most}, len));
        kmix_around_average(average, upper);
        return true;
    }
}

// Shows the counts of each k; returns whether to shuffle.
bool
show_counts(const uint16_t *counts, uint32_t total)
{
    int margin = draw_tall_prompt_box(kUnderSlot, 4);
    char text[150];
    for (int k = 1; k <= Maxnhood; k++) {
        if (!counts[k])
            continue;
        snprintf(text, sizeof text, "k%d=%.1f%%=%d ", k, counts[k] * 100.0 / lineL, counts[k]);
        if (getx + text_pixel_width(text, static_cast<int>(strlen(text))) > Maxx - 7 * CWidth)
            moveto(margin, gety + CHeight);
        outtext(text);
    }
    moveto(margin, gety + CHeight);
    if (total != lineL) {
        snprintf(text, sizeof text, "error: tot=%u lineL=%d ", total, lineL);
        outtext(text);
    }
    outtext("shuffle: no-n yes-(def):");
    input_string(1, text_entry);
    // Taken down either way: the boxes that follow are shorter.
    erase_tall_prompt_box(kUnderSlot, 4);
    return is[0] != 'n';
}

// Percentages typed for k = 1..Maxnhood. 2: entered; 'q' gives 0 at
// k = 1 (back to the menu), 1 later (back to the method's first prompt).
int
ask_percentages(float *shares)
{
    float left = 100.0f;
    for (int k = 1; k <= Maxnhood && left > 0.0f;) {
        draw_prompt_box(1);
        char text[150];
        if (k == 1)
            snprintf(text, sizeof text, "enter %% k=%d (%.1f%% left):", k, left);
        else
            snprintf(text, sizeof text, "enter %% k=%d (%.1f%% left) back-b:", k, left);
        outtext(text);
        int len = input_string(5, text_entry);
        if (is[0] == 'q')
            return k == 1 ? 0 : 1;
        if (is[0] == 'b' && k > 1) {
            // Back to the previous k: its share returns to the remainder.
            k--;
            left += shares[k];
            shares[k] = 0.0f;
            continue;
        }
        shares[k] = static_cast<float>(answer_held(0, {0, left}, len));
        left -= shares[k];
        k++;
    }
    return 2;
}

// Power law or percentages. 1: a mix was made; 0: back to the menu.
int
method_shares()
{
    for (;;) {
        bool power = false;
        if (lineL >= Maxnhood) {
            draw_prompt_box(1);
            outtext("power-law-p, specify (def):");
            input_string(1, text_entry);
            if (is[0] == 'q')
                return 0;
            power = is[0] == 'p';
        }
        std::vector<float> shares(static_cast<size_t>(Maxnhood) + 1, 0.0f);
        std::vector<uint16_t> counts(static_cast<size_t>(Maxnhood) + 1, 0);
        uint32_t total;
        int upper = Maxnhood;
        if (power) {
            bool asked = false;
            float g = 2.0f;
            while (!asked) {
                nhood_lb = 1;
                if (!ask_upper_bound(&upper))
                    break;
                outtext("enter power-law exponent 1 to 3 (def 2.0):");
                int len = input_string(4, numeric_entry);
                if (is[0] == 'q')
                    continue;
                g = static_cast<float>(answer_held(2.0, {1, 3}, len));
                asked = true;
            }
            if (!asked)
                continue;
            nhood_ub = static_cast<uint8_t>(upper);
            total = kmix_power_law_counts(upper, g, counts.data());
        } else {
            int entered = ask_percentages(shares.data());
            if (entered == 0)
                return 0;
            if (entered == 1)
                continue;
            total = kmix_counts_from_shares(shares.data(), counts.data());
        }
        if (total == 0)
            return 0;
        kmix_complete_counts(counts.data(), upper, total);
        total = 0;
        for (int k = 1; k <= Maxnhood; k++)
            total += counts[k];
        bool shuffle = show_counts(counts.data(), total);
        long overflow = kmix_fill_from_counts(counts.data(), shuffle);
        if (overflow >= 0) {
            draw_prompt_box(1);
            char text[150];
            snprintf(text, sizeof text, "error: k_tot=%ld > lineL-1=%d", overflow, lineL - 1);
            outtext(text);
            input_string(1, text_entry);
        }
        return 1;
    }
}

// Random between bounds; false when left with 'q'.
bool
method_random()
{
    for (;;) {
        nhood_lb = 1;
        nhood_ub = static_cast<uint8_t>(Maxnhood);
        // Both questions on one line where the box is wide enough, the
        // upper bound on the next one where it is not.
        char lower[80], upper[80];
        snprintf(lower, sizeof lower, "set k bounds 1-%d: lower (def 1):", Maxnhood);
        snprintf(upper, sizeof upper, " upper (def %d, Max %d):", kmix_default_upper(Maxnhood),
                 Maxnhood);
        const prompt_part parts[2] = {{lower, 2}, {upper, 2}};
        const int lines = prompt_parts_lines(parts, 2);
        int margin = draw_prompt_box(lines);
        outtext(lower);
        input_string(2, numeric_entry);
        // The one-line boxes that follow leave no line of a taller one.
        if (is[0] == 'q') {
            erase_prompt_box(lines);
            return false;
        }
        nhood_lb = static_cast<uint8_t>(typed_or(1, 1, Maxnhood));
        nhood_ub = static_cast<uint8_t>(kmix_default_upper(nhood_lb));
        snprintf(upper, sizeof upper, " upper (def %d, Max %d):", nhood_ub, Maxnhood);
        write_prompt_part(upper, 2, margin);
        input_string(2, numeric_entry);
        if (is[0] == 'q')
            continue;
        nhood_ub = static_cast<uint8_t>(typed_or(nhood_ub, nhood_lb, Maxnhood));
        erase_prompt_box(lines);
        kmix_random_between(nhood_lb, nhood_ub);
        return true;
    }
}

// ---- summary ---------------------------------------------------------------

// Cells of each k 0..nhood_ub. Returns the sum of all k, a cell with k = 0
// counted as 1 (raise_zero_ks sets it so).
unsigned long
count_ks(std::vector<uint16_t> &counts)
{
    counts.assign(static_cast<size_t>(nhood_ub) + 1, 0);
    unsigned long total = 0;
    for (uint32_t c = 0; c < lineL; c++) {
        int k = nhoodm[c];
        if (k >= 0 && k <= nhood_ub)
            counts[static_cast<size_t>(k)]++;
        total += static_cast<unsigned long>(k < 1 ? 1 : k);
    }
    return total;
}

void
raise_zero_ks()
{
    for (uint32_t c = 0; c < lineL; c++)
        if (nhoodm[c] < 1)
            nhoodm[c] = 1;
}

// Rows the k of cells start down to 0 take, one or two digits each, in the
// prompt box's width.
int
digit_rows(int start)
{
    long cells = start + 1;
    double row = Maxx - vgax(10) - prompt_box_text(Maxx);
    int digits = nhood_ub > 9 ? 2 : 1;
    return static_cast<int>(std::ceil(digits * cells * CWidth / row));
}

// The summary's texts below the cells' k, each broken at spaces to the
// box's width: the share of each k, the network's figures and the keys.
struct summary_texts {
    std::string shares, figures, keys;
    std::string jump;   // written after the keys' answer 'j'
    int jump_entry = 0; // the digits of the jump's answer
    int lines(bool more) const
    {
        std::string key_line = keys_for(more);
        const prompt_part key_and_jump[2] = {{key_line.c_str(), 1}, {jump.c_str(), jump_entry}};
        return prompt_box_lines(shares.c_str()) + prompt_box_lines(figures.c_str()) +
               prompt_parts_lines(key_and_jump, 2);
    }
    static std::string keys_for(bool more)
    {
        return more ? "hist-h reset-r save-s more-m jump-j cont-ret:"
                    : "hist-h reset-r save-s jump-j cont-ret:";
    }
};

summary_texts
compose_summary(const std::vector<uint16_t> &counts, unsigned long total, int start, int lowest)
{
    summary_texts t;
    char text[160];
    for (int k = 1; k <= nhood_ub; k++) {
        if (!counts[static_cast<size_t>(k)])
            continue;
        snprintf(text, sizeof text, "%d=%.1f%% ", k, counts[static_cast<size_t>(k)] * 100.0 / lineL);
        t.shares += text;
    }
    snprintf(text, sizeof text, "n=%d tot_wires=%lu av-k=%.2f, mix shown from cell index %d-%d",
             lineL, total, static_cast<double>(total) / lineL, start, lowest);
    t.figures = text;
    snprintf(text, sizeof text, "jump to index (%d-0):", lineL - 1);
    t.jump = text;
    t.jump_entry = snprintf(text, sizeof text, "%d", lineL - 1);
    return t;
}

// The summary; true when the mix stands, false when the user asked for the
// menu again.
bool
summary()
{
    long maxk = nhood_ub;
    if (nhood_ub < Maxnhood) {
        draw_prompt_box(1);
        char text[80];
        snprintf(text, sizeof text, " set greater max-k (def %d ):", nhood_ub);
        outtext(text);
        input_string(2, numeric_entry);
        if (is[0] != 'q')
            maxk = typed_or(nhood_ub, nhood_ub, Maxnhood);
        // Answered, it goes: the summary's box keeps what lies under it and
        // gives that back, which must not bring the question back with it.
        erase_prompt_box(1);
    }
    int start = lineL - 1;
    int lines = 0;
    for (;;) {
        nhood_lb_ub();
        std::vector<uint16_t> counts;
        unsigned long total = count_ks(counts);
        // The box holds the texts below the cells' k whole (measured with
        // the longest they can be) and as many rows of k as fit above them.
        const int tail = compose_summary(counts, total, start, start).lines(true);
        const bool notice = basinfield && lineL > 32;
        char text[160];
        if (lineL != menu_lineL)
            snprintf(text, sizeof text,
                     "k-mix %d-%d, maxk=%ld, net size=%d (was %d) startindex=%d", nhood_lb,
                     nhood_ub, maxk, lineL, menu_lineL, start);
        else
            snprintf(text, sizeof text, "k-mix %d-%d, maxk=%ld, net size=%d, startindex=%d",
                     nhood_lb, nhood_ub, maxk, lineL, start);
        lines = prompt_box_lines(text) + (notice ? 1 : 0) + digit_rows(start) + tail;
        if (lines * CHeight > Maxy - vgay(100))
            lines = (Maxy - vgay(5)) / CHeight;
        int margin = draw_tall_prompt_box(kUnderSlot, lines);
        write_prompt_lines(text, margin);
        if (notice) {
            box_line(margin, "(network>32, field changed to single)");
            basinfield = 0;
        }
        // The k of cells start down to 0, as far as the box holds them.
        moveto(margin, gety + CHeight);
        int colour = nowcolor;
        const int last_row = prompt_box_bottom(lines) - tail * CHeight;
        int lowest = 0, next_unshown = -1;
        for (int c = start; c >= 0; c--) {
            if (getx > getmaxx() - vgax(10)) {
                if (gety + CHeight >= last_row) {
                    next_unshown = c;
                    lowest = c + 1;
                    break;
                }
                moveto(margin, gety + CHeight);
            }
            snprintf(text, sizeof text, "%d", nhoodm[c]);
            setcolor(c % 2 == 0 ? yellow : colour);
            outtext(text);
        }
        setcolor(colour);
        raise_zero_ks();
        const summary_texts texts = compose_summary(counts, total, start, lowest);
        box_line(margin, texts.shares.c_str());
        box_line(margin, texts.figures.c_str());
        moveto(margin, gety + CHeight);
        write_prompt_part(summary_texts::keys_for(next_unshown >= 0).c_str(), 1, margin);
        input_string(1, text_entry);
        char key = is[0];
        if (key == 'q' || key == 'r') {
            erase_tall_prompt_box(kUnderSlot, lines);
            return false;
        }
        if (key == 'j') {
            write_prompt_part(texts.jump.c_str(), texts.jump_entry, margin);
            int len = input_string(texts.jump_entry, numeric_entry);
            if (len == 0) // Return or 'q'
                break;
            start = static_cast<int>(typed_or(start, 0, lineL - 1));
            erase_tall_prompt_box(kUnderSlot, lines);
            continue;
        }
        if (key == 'm') {
            if (next_unshown < 0)
                break;
            start = next_unshown;
            erase_tall_prompt_box(kUnderSlot, lines);
            continue;
        }
        if (key == 's') {
            // The file dialog's box is shorter than the summary's, whose
            // lines it would show cut: the summary goes first.
            erase_tall_prompt_box(kUnderSlot, lines);
            load_save_nhoodmix('s');
            if (is[0] != 'q') {
                lines = 0; // no box left to take down
                break;
            }
            start = lineL - 1;
            continue;
        }
        if (key == 'h') {
            erase_tall_prompt_box(kUnderSlot, lines);
            draw_k_hist(1);
            start = lineL - 1;
            continue;
        }
        break;
    }
    // Finish.
    if (lines > 0)
        erase_tall_prompt_box(kUnderSlot, lines);
    nhood_lb_ub();
    nhood = static_cast<int8_t>(maxk > nhood_ub ? maxk : nhood_ub);
    return true;
}

} // namespace

void
set_dif_nhoods()
{
    int16_t x = getx, y = gety;
    erase_prompt_box(2);
    nhood_mixed = 1;
    for (;;) {
        memset(nhoodm, 0, lineL);
        nhood_ub = static_cast<uint8_t>(Maxnhood);
        nhood_lb = 1;
        menu_lineL = lineL;
        bool small = lineL < Maxnhood;
        const char *menu = small ? "set k-mix: load-l hand-h specify-s rnd-(def):"
                                 : "set k-mix: load-l hand-h norm-n power/specify-s rnd-(def):";
        const prompt_part part = {menu, 1};
        const int lines = prompt_parts_lines(&part, 1);
        int margin = draw_prompt_box(lines);
        write_prompt_part(menu, 1, margin);
        input_string(1, text_entry);
        // The methods' boxes are one line: none of a taller menu is left.
        if (lines > 1)
            erase_prompt_box(lines);
        char key = is[0];
        if (key == 'q') {
            moveto(x, y);
            return;
        }
        if (small && key == 'n')
            key = kKeyReturn;
        bool made;
        if (key == 'l') {
            load_nhoodmix();
            made = is[0] != 'q';
        } else if (key == 'h') {
            made = method_by_hand();
        } else if (key == 'n') {
            made = method_average();
        } else if (key == 's') {
            made = method_shares() == 1;
        } else {
            made = method_random();
        }
        if (made && summary())
            break;
    }
    is[0] = kKeyReturn;
    moveto(x, y);
}

void
load_nhoodmix()
{
    uint16_t n = load_save_nhoodmix(is[0] == 'L' ? 'L' : 'l');
    if (is[0] == 'q')
        return;
    if (n < lineL) {
        int margin = draw_prompt_box(2);
        char text[150];
        snprintf(text, sizeof text, "k-mix loaded (%d) less than net size (%d)", n, lineL);
        outtext(text);
        // The background must itself be a k the network allows.
        int fallback = Maxnhood < 5 ? Maxnhood : 5;
        snprintf(text, sizeof text, "enter background k-mix 1-%d (def %d):", Maxnhood, fallback);
        box_line(margin, text);
        input_string(2, numeric_entry);
        long k = is[0] == 'q' ? fallback : typed_or(fallback, 1, Maxnhood);
        for (uint32_t c = n; c < lineL; c++)
            nhoodm[c] = static_cast<int8_t>(k);
        erase_prompt_box(2);
        is[0] = kKeyReturn;
    }
    nhood_lb_ub();
}

void
draw_k_hist(int mode)
{
    int16_t px = getx, py = gety;
    std::vector<uint16_t> counts;
    double sum = 0;
    int first = 0, largest = 0;
    if (mode == 1) {
        nhood_lb_ub();
        sum = static_cast<double>(count_ks(counts));
        raise_zero_ks();
        nhood_lb_ub();
        first = nhood_lb;
        largest = nhood_ub;
    } else {
        if (!celloutfreq) {
            is[0] = 0;
            return;
        }
        if (mode == 2)
            cell_out_freq();
        std::vector<uint32_t> degree(lineL);
        for (uint32_t c = 0; c < lineL; c++) {
            degree[c] = celloutfreq[c] + (mode == 3 ? static_cast<uint32_t>(nhoodm[c]) : 0);
            sum += degree[c];
            if (static_cast<int>(degree[c]) > largest)
                largest = static_cast<int>(degree[c]);
        }
        counts.assign(static_cast<size_t>(largest) + 1, 0);
        for (uint32_t c = 0; c < lineL; c++)
            counts[degree[c]]++;
    }
    counts.resize(static_cast<size_t>(largest) + 1, 0);
    double average = sum / lineL;
    double scale_share = mode == 3 ? 2.0 * lineL : lineL;
    int tallest = first;
    for (int d = first; d <= largest; d++)
        if (counts[static_cast<size_t>(d)] > counts[static_cast<size_t>(tallest)])
            tallest = d;
    int most = counts[static_cast<size_t>(tallest)];

    int left = vgax(50), top = vgay(200), right = vgax(50) + vgax(400), bottom = vgay(200) + vgay(200);
    // What the box reaches into beside and under it (the set-up's lines,
    // the K-matrix picture, an editor's region with its information line
    // and labels) is hidden whole while it is up, across the window, rather
    // than shown cut at its edges: the band runs from the free row above
    // its top, where a set-up line or the picture's labels would be cut,
    // down to the rule box at the foot, above which all such text ends.
    const int band_top = setup_clear_row_above(top);
    const int band_bottom = std::max(bottom, tallest_rule_box_top() - 1);
    int colour = nowcolor;
    save_hiding_lines_in_band(band_top, band_top, band_bottom, &boximage[kHistSlot]);
    draw_box(-1, left, top, right, bottom, 1, 0);
    int y0 = bottom - vgax(60), x0 = left + vgax(75);
    double height = 0.6 * vgay(200);
    setcolor(white);
    moveto(x0 - vgax(5), y0);
    lineto(x0 - vgax(5), y0 - static_cast<int>(height));
    linerel(-vgax(10), 0);
    char text[120];
    snprintf(text, sizeof text, "%.1f%%", most * 100.0 / scale_share);
    moveto(x0 - vgax(5) - vgax(10) - text_pixel_width(text, static_cast<int>(strlen(text))) - 2,
           y0 - static_cast<int>(height) - CHeight / 2);
    outtext(text);

    int values = largest + 1;
    bool small_font = values > 13;
    int16_t cw = CWidth, ch = CHeight;
    if (small_font)
        set_small_font();
    double pitch = 0.8 * vgax(400) / (small_font ? values : 13);
    // Row labels in the first column.
    const char *labels[3][3] = {{"k frequency %", "total=", "k="},
                                {"output freq %", "total=", "outputs="},
                                {"in-out freq %", "total=", "in-out="}};
    const char **label = labels[mode >= 1 && mode <= 3 ? mode - 1 : 0];
    {
        // A smaller font where a label would run into the first bar's
        // figures (the narrow window), on the bars' rows all the same; the
        // bars' small font is small enough.
        int16_t row_height = CHeight;
        std::vector<std::string> measured;
        if (!small_font)
            measured = {label[0], label[1], label[2]};
        font_while font(measured, x0 - left - vgax(3) - CWidth / 2,
                        {set_medium_font, set_small_font});
        for (int row = 0; row < 3; row++) {
            setcolor(row < 2 ? yellow : white);
            moveto(left + vgax(3), y0 + 2 + row * row_height);
            outtext(label[row]);
        }
    }
    for (int d = first; d <= largest; d++) {
        int bx = x0 + static_cast<int>((d - first) * pitch);
        int count = counts[static_cast<size_t>(d)];
        int h = most > 0 ? static_cast<int>(count * height / most) : 0;
        setcolor(yellow);
        setfillstyle(0, yellow);
        if (h > 0)
            bar(bx, y0 - h, bx + static_cast<int>(0.8 * pitch), y0);
        snprintf(text, sizeof text, "%.1f", count * 100.0 / scale_share);
        moveto(bx, y0 + 2);
        outtext(text);
        snprintf(text, sizeof text, "%d", count);
        moveto(bx, y0 + 2 + CHeight);
        outtext(text);
        setcolor(white);
        snprintf(text, sizeof text, "%d", d);
        moveto(bx, y0 + 2 + 2 * CHeight);
        outtext(text);
    }
    if (small_font) {
        restore_def_font();
        CWidth = cw;
        CHeight = ch;
    }
    const char *what = mode == 2 ? "av-out" : mode == 3 ? "av-in-out" : "av-k";
    for (;;) {
        int py0 = y0 + static_cast<int>(3.5 * CHeight);
        setfillstyle(0, black);
        bar(left + 2, py0, right - 2, py0 + CHeight);
        moveto(left + vgax(3), py0);
        setcolor(white);
        snprintf(text, sizeof text, "n=%d %s=%.2f save/load-s/l cont-ret:", lineL, what, average);
        outtext(text);
        input_string(1, text_entry);
        if (is[0] != 's' && is[0] != 'l')
            break;
        // The histogram is computed from the network: a file is only listed.
        std::vector<uint32_t> wide(counts.begin(), counts.end());
        hist_save_load(largest, wide.data(), nullptr);
    }
    put_back_under_band(band_top, &boximage[kHistSlot]);
    setcolor(colour);
    moveto(px, py);
    is[0] = 0;
}
