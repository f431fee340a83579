// The k-mix dialog (kmix_dialog.h): its menu, the prompts of each method
// (the methods themselves are in kmix_methods.cpp), the summary box and the
// k histogram. Reads lineL, Maxnhood, value_range and writes nhoodm,
// nhood, nhood_lb, nhood_ub, nhood_mixed (model/); clears basinfield
// (screen/) for a network too large for a field; k-mix and histogram files
// through storage/; out-degrees from wiring/.
// Start reading at set_dif_nhoods.
#include "ui/model/kmix_dialog.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/kmix_methods.h"
#include "engine/model/network_shape.h"
#include "engine/wiring/out_degrees.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"
#include "ui/storage/histogram_file.h"
#include "ui/storage/kmix_file.h"

namespace {

constexpr int kHistSlot = 18;

// lineL when the menu was last shown, for the summary's "(was %d)".
uint16_t menu_lineL = 0;

// Writes text on the next line of a prompt box whose margin is margin.
void
box_line(int margin, const char *text)
{
    moveto(margin, gety + CHeight);
    outtext(text);
}

// The number typed in the last entry, or fallback after Return or an
// answer outside low..high.
long
typed_or(long fallback, long low, long high)
{
    if (is[0] == kKeyReturn)
        return fallback;
    long x = entry_number();
    return x >= low && x <= high ? x : fallback;
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
        long k = is[0] == kKeyReturn ? 0 : entry_number();
        nhoodm[c] = static_cast<int8_t>(k >= 1 && k <= Maxnhood ? k : random_k());
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
        input_string(4, numeric_entry);
        if (is[0] == 'q')
            continue;
        float average = fallback;
        if (is[0] != kKeyReturn) {
            float x = static_cast<float>(atof(entry_text().c_str()));
            if (x >= 1.0f && x <= most)
                average = x;
        }
        kmix_around_average(average, upper);
        return true;
    }
}

// Shows the counts of each k; returns whether to shuffle.
bool
show_counts(const uint16_t *counts, uint32_t total)
{
    int margin = draw_prompt_box(4);
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
    erase_prompt_box(4);
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
        input_string(5, text_entry);
        if (is[0] == 'q')
            return k == 1 ? 0 : 1;
        if (is[0] == 'b' && k > 1) {
            // Back to the previous k: its share returns to the remainder.
            k--;
            left += shares[k];
            shares[k] = 0.0f;
            continue;
        }
        float share = 0.0f;
        if (is[0] != kKeyReturn)
            share = static_cast<float>(atof(entry_text().c_str()));
        shares[k] = share < left ? share : left;
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
                input_string(4, numeric_entry);
                if (is[0] == 'q')
                    continue;
                g = 2.0f;
                if (is[0] != kKeyReturn) {
                    float x = static_cast<float>(atof(entry_text().c_str()));
                    if (x >= 1.0f && x <= 3.0f)
                        g = x;
                }
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
        draw_prompt_box(1);
        char text[150];
        snprintf(text, sizeof text, "set k bounds 1-%d: lower (def 1):", Maxnhood);
        outtext(text);
        input_string(2, numeric_entry);
        if (is[0] == 'q')
            return false;
        nhood_lb = static_cast<uint8_t>(typed_or(1, 1, Maxnhood));
        nhood_ub = static_cast<uint8_t>(kmix_default_upper(nhood_lb));
        snprintf(text, sizeof text, " upper (def %d, Max %d):", nhood_ub, Maxnhood);
        outtext(text);
        input_string(2, numeric_entry);
        if (is[0] == 'q')
            continue;
        nhood_ub = static_cast<uint8_t>(typed_or(nhood_ub, nhood_lb, Maxnhood));
        kmix_random_between(nhood_lb, nhood_ub);
        return true;
    }
}

// ---- summary ---------------------------------------------------------------

// Cells of each k 0..nhood_ub; a cell with k = 0 is counted, then set to 1.
// Returns the sum of all k after that.
unsigned long
count_ks(std::vector<uint16_t> &counts)
{
    counts.assign(static_cast<size_t>(nhood_ub) + 1, 0);
    unsigned long total = 0;
    for (uint32_t c = 0; c < lineL; c++) {
        int k = nhoodm[c];
        if (k >= 0 && k <= nhood_ub)
            counts[static_cast<size_t>(k)]++;
        if (nhoodm[c] < 1)
            nhoodm[c] = 1;
        total += static_cast<unsigned long>(nhoodm[c]);
    }
    return total;
}

int
summary_lines(int start)
{
    long cells = start + 1;
    double half = Maxx / 2.0;
    long lines;
    if (nhood_ub <= 9)
        lines = static_cast<long>(std::ceil(cells * CWidth / half)) + 6;
    else
        lines = static_cast<long>(std::ceil((nhood_ub / 20 + 1) * cells * CWidth / half)) + 8;
    if (lines * CHeight > Maxy - vgay(100))
        lines = (Maxy - vgay(5)) / CHeight;
    return static_cast<int>(lines);
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
        long x = is[0] == kKeyReturn || is[0] == 'q' ? 0 : entry_number();
        if (x > nhood_ub && x <= Maxnhood)
            maxk = x;
    }
    int start = lineL - 1;
    int lines = 0;
    for (;;) {
        nhood_lb_ub();
        lines = summary_lines(start);
        int margin = draw_prompt_box(lines);
        char text[160];
        if (lineL != menu_lineL)
            snprintf(text, sizeof text,
                     "k-mix %d-%d, maxk=%ld, net size=%d (was %d) startindex=%d", nhood_lb,
                     nhood_ub, maxk, lineL, menu_lineL, start);
        else
            snprintf(text, sizeof text, "k-mix %d-%d, maxk=%ld, net size=%d, startindex=%d",
                     nhood_lb, nhood_ub, maxk, lineL, start);
        outtext(text);
        if (basinfield && lineL > 32) {
            box_line(margin, "(network>32, field changed to single)");
            basinfield = 0;
        }
        // The k of cells start down to 0, as far as the box holds them.
        moveto(margin, gety + CHeight);
        int colour = nowcolor;
        int last_row = Maxy - vgay(20) - 6 * CHeight;
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
        std::vector<uint16_t> counts;
        unsigned long total = count_ks(counts);
        moveto(margin, gety + CHeight);
        for (int k = 1; k <= nhood_ub; k++) {
            if (!counts[static_cast<size_t>(k)])
                continue;
            snprintf(text, sizeof text, "%d=%.1f%% ", k, counts[static_cast<size_t>(k)] * 100.0 / lineL);
            outtext(text);
            if (k < Maxnhood && getx > Maxx - 6 * CWidth)
                moveto(margin, gety + CHeight);
        }
        snprintf(text, sizeof text, "n=%d tot_wires=%lu av-k=%.2f, mix shown from cell index %d-%d",
                 lineL, total, static_cast<double>(total) / lineL, start, lowest);
        box_line(margin, text);
        box_line(margin, next_unshown >= 0 ? "hist-h reset-r save-s more-m jump-j cont-ret:"
                                           : "hist-h reset-r save-s jump-j cont-ret:");
        input_string(1, text_entry);
        char key = is[0];
        if (key == 'q' || key == 'r') {
            erase_prompt_box(lines);
            return false;
        }
        if (key == 'j') {
            snprintf(text, sizeof text, "jump to index (%d-0):", lineL - 1);
            outtext(text);
            char digits[12];
            int width = snprintf(digits, sizeof digits, "%d", lineL - 1);
            input_string(width, numeric_entry);
            long index = is[0] == kKeyReturn || is[0] == 'q' ? -1 : entry_number();
            if (index < 0 || index >= lineL)
                break;
            start = static_cast<int>(index);
            erase_prompt_box(lines);
            continue;
        }
        if (key == 'm') {
            if (next_unshown < 0)
                break;
            start = next_unshown;
            erase_prompt_box(lines);
            continue;
        }
        if (key == 's') {
            load_save_nhoodmix('s');
            if (is[0] != 'q')
                break;
            start = lineL - 1;
            erase_prompt_box(lines);
            continue;
        }
        if (key == 'h') {
            erase_prompt_box(lines);
            draw_k_hist(1);
            start = lineL - 1;
            continue;
        }
        break;
    }
    // Finish.
    erase_prompt_box(lines);
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
        draw_prompt_box(1);
        bool small = lineL < Maxnhood;
        outtext(small ? "set k-mix: load-l hand-h specify-s rnd-(def):"
                      : "set k-mix: load-l hand-h norm-n power/specify-s rnd-(def):");
        input_string(1, text_entry);
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
    int colour = nowcolor;
    draw_box(kHistSlot, left, top, right, bottom, 1, 0);
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
    setviewport(0, 0, Maxx, Maxy, 1);
    putimage(left, top, &boximage[kHistSlot], 3);
    freeimage(&boximage[kHistSlot]);
    setcolor(colour);
    moveto(px, py);
    is[0] = 0;
}
