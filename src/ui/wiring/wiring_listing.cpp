// The wiring listing (wiring_listing.h): the wiring table drawn as a paged
// table, one row per cell with its out-degree bar and figure, its inputs from
// the highest position down and, with a rule mix, its own rule; optionally
// copied line by line to standard error.
//
// Reads from model/: wiring, nhoodm, nhood, nhood_ub, lineL, celloutfreq,
// rulemix, carule/cacode/v_code, totalistic, tot_only, value_range; from
// storage/: rules_set. Uses the hex readout of rules/ and the boxes, fonts and
// entry of screen/. Start reading at print_wiring_scheme; the hand wiring
// matrix draws its pages through it and the column helpers below.
#include "ui/wiring/wiring_listing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/out_degrees.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/nhood_matrix.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/question_table.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/storage/globals.h"

namespace {

// The first row of the band kept in boximage[6] under the listing's own
// window (draw_listing_frame), for put_back_under_listing.
int band_top = 0;

// Writes text at (x, y) in colour; copies it to standard error with format
// (one %s) when copy is set.
void
put_text(int x, int y, int colour, const char *text, bool copy, const char *format)
{
    setcolor(colour);
    moveto(x, y);
    outtext(text);
    if (copy)
        fprintf(stderr, format, text);
}

// Whether the wiring table is in use (the first slot of cell 0 is set).
bool
wiring_in_use()
{
    return wiring[0][0] != Maxu;
}

// The heading of the rule column, or null when none is shown.
const char *
rule_heading()
{
    if (!rulemix)
        return nullptr;
    if (totalistic == rule_kind_tcodes)
        return rules_set ? "tcode(hex)" : "tcode not set";
    if (totalistic == rule_kind_kcodes)
        return rules_set ? "kcode(hex)" : "kcode not set";
    if (tot_only)
        return nullptr;
    return rules_set ? "rule(hex)" : "rules not set";
}

// The rule part of the row of cell c at (x, y). Its hex stays on the row and
// inside the window's right side: a wrapped line would run over the next
// rows' rules and below the window, so a rule longer than the row ends in
// "..." (the copy to standard error still has every byte).
void
draw_rule_part(int c, int x, int y, bool copy)
{
    if (!rulemix || !rules_set)
        return;
    if (copy)
        fputs("     ", stderr);
    moveto(x, y);
    int k = nhoodm[c];
    int mode = copy ? 6 : 5;
    // The readout starts a new line once the point passes its limit less
    // vgax(8): the limit leaves room for one more byte (at most 2.3
    // character widths) left of the window's right side at Maxx - 2.
    int limit = Maxx - 5 - static_cast<int>(std::ceil(2.3 * CWidth)) + vgax(8);
    int baseline = line_baseline(y);
    if (!tot_only && totalistic == rule_kind_tables) {
        if (nhood < 4 && value_range == 2) {
            char text[24];
            snprintf(text, sizeof text, "%3lu ",
                     static_cast<unsigned long>(dec_equiv(carule[c], (1 << k) - 1)));
            put_text(x, y, lightcyan, text, copy, "  %s");
        } else {
            print_current_bitstring_hexbytes(1, carule[c], k, limit, lightcyan, mode, baseline);
        }
    } else if (totalistic == rule_kind_tcodes && cacode) {
        print_current_bitstring_hexbytes(2, cacode[c], k, limit, lightcyan, mode, baseline);
    } else if (totalistic == rule_kind_kcodes && v_code) {
        print_current_bitstring_hexbytes(3, v_code[c], k, limit, lightcyan, mode, baseline);
    }
}

} // namespace

int
listing_top(int above_bottom)
{
    return std::max<int>(vgay(40), above_bottom + 2);
}

int
listing_bottom(int top)
{
    int n = lineL;
    int floor_y = Maxy - vgay(37);
    if (n > 98)
        return floor_y;
    int y = top + (n + 6) * CHeight;
    return y < floor_y ? y : floor_y;
}

int
listing_column_width()
{
    char text[16];
    snprintf(text, sizeof text, "%d", lineL);
    return text_pixel_width(text, static_cast<int>(std::string(text).size())) + vgax(3);
}

// The row of the column headings, as far below the window's top as in the
// window of its own.
int
listing_header_row(int top)
{
    return top + vgay(50) - vgay(40);
}

int
listing_first_row(int top)
{
    return listing_header_row(top) + CHeight + CHeight / 2;
}

int
listing_column_x(int left, int p)
{
    return left + vgax(100) + (nhood_ub - 1 - p) * listing_column_width();
}

void
draw_listing_frame(int left, int top, bool save_background)
{
    int bottom = listing_bottom(top);
    if (save_background) {
        // The lines the window reaches into (the set-up's, the rule
        // dialog's below them) are hidden whole while it is up, across the
        // window, rather than shown cut at its left edge: the band runs from
        // the free row above its top to the free row below its bottom.
        band_top = setup_clear_row_above(top);
        save_hiding_lines_in_band(band_top, band_top, setup_clear_row(bottom + 1), &boximage[6]);
    }
    int colour = getcolor();
    setfillstyle(0, black);
    bar(left, top, Maxx - 2, bottom);
    setcolor(lightred);
    rectangle(left, top, Maxx - 2, bottom);
    setcolor(colour);
}

void
put_back_under_listing()
{
    put_back_under_band(band_top, &boximage[6]);
}

void
draw_listing_header(int left, int top, bool copy)
{
    int x0 = left + vgax(100), w = listing_column_width();
    if (copy)
        fputs("\n         ", stderr);
    char text[16];
    for (int p = nhood_ub - 1; p >= 0; p--) {
        snprintf(text, sizeof text, "%d.", p);
        put_text(listing_column_x(left, p), listing_header_row(top), lightred, text, copy, "%s  ");
    }
    if (const char *heading = rule_heading())
        put_text(x0 + (nhood_ub + 1) * w, listing_header_row(top), lightred, heading, copy,
                 "  %s");
}

slot_frame
listing_slot_frame(int left, int y, int p)
{
    int x = listing_column_x(left, p);
    return slot_frame{x - 2, y + 1, x + listing_column_width() - vgax(3), y + CHeight - 2};
}

void
draw_listing_slot(int left, int y, int c, int p, int colour)
{
    // The slot owns its column from its frame's left to the next column's
    // frame, and its row.
    int x = listing_column_x(left, p);
    slot_frame frame = listing_slot_frame(left, y, p);
    setfillstyle(0, black);
    bar(frame.x0, y, x + listing_column_width() - 3, y + CHeight - 1);
    if (p >= nhoodm[c])
        return;
    if (wiring[c][p] == Maxu) {
        setcolor(lightcyan);
        rectangle(frame.x0, frame.y0, frame.x1, frame.y1);
        return;
    }
    std::string text = text_within(std::to_string(wiring[c][p]), frame.x1 - x);
    put_text(x, y, colour, text.c_str(), false, nullptr);
}

void
draw_listing_row(int left, int y, int c, bool copy)
{
    int x0 = left + vgax(100), w = listing_column_width();
    char text[24];
    if (copy)
        fputc('\n', stderr);
    if (wiring_in_use()) {
        int end = x0 - vgax(55), room = end - (left + 2);
        int length = celloutfreq[c] < room ? celloutfreq[c] : room;
        if (length > 0) {
            setfillstyle(0, green);
            bar(end - length, y + 3, end, y + CHeight - 3);
        }
        snprintf(text, sizeof text, "%d", celloutfreq[c]);
        put_text(x0 - vgax(50), y, brown, text, copy, "%s");
    }
    // The label ends half a character left of the first input's column,
    // apart from it as the inputs are from each other.
    snprintf(text, sizeof text, "  %d:", c);
    int tw = text_pixel_width(text, static_cast<int>(std::string(text).size()));
    put_text(x0 - tw - CWidth / 2, y, lightred, text, copy, " %s");
    for (int p = nhood_ub - 1; p >= 0; p--) {
        draw_listing_slot(left, y, c, p, white);
        if (copy && p < nhoodm[c]) {
            if (wiring[c][p] == Maxu)
                fputs("   -", stderr);
            else
                fprintf(stderr, "   %d", wiring[c][p]);
        }
    }
    draw_rule_part(c, x0 + (nhood_ub + 1) * w, y, copy);
}

int
draw_listing_page(int left, int top, int start, bool copy)
{
    int bottom = listing_bottom(top);
    int y = listing_first_row(top);
    int c = start;
    int last = start;
    do {
        draw_listing_row(left, y, c, copy);
        last = c;
        c--;
        y += CHeight;
    } while (c >= 0 && y + CHeight <= bottom - 3 * CHeight);
    return last;
}

int
print_wiring_scheme(int left, int small_font, int page_only, int start, int copy)
{
    int n = lineL;
    if (n < 1)
        return 0;
    bool own = left == 0;
    bool small = small_font != 0;
    if (own) {
        left = Maxx / 2;
        if (nhood_ub > 9 || (n - 1 > 9999 && nhood_ub > 8))
            left -= vgax(20);
        small = nhood_ub > 9;
    }
    int16_t normal_height = CHeight, normal_width = CWidth;
    auto use_font = [&](bool want_small) {
        CHeight = normal_height;
        CWidth = normal_width;
        if (want_small)
            set_small_font();
        else
            restore_def_font();
    };
    use_font(small);
    if (start < 0 || start > n - 1)
        start = n - 1;
    if (wiring_in_use())
        cell_out_freq();

    // No box stands above the listing's own window: its jump prompt is
    // shorter than the room above it. A taller box a screen before left
    // standing there (a basin field's summary) is taken away first, as the
    // prompt's one line would cut its lines and leave its foot alone.
    const int top = listing_top(0);
    if (own)
        erase_prompt_box_to(top - 2);
    int first = start, result = 0;
    bool redraw_frame = true;
    for (;;) {
        if (redraw_frame)
            draw_listing_frame(left, top, own);
        else
            draw_listing_frame(left, top, false);
        redraw_frame = false;
        draw_listing_header(left, top, copy != 0);
        int last = draw_listing_page(left, top, first, copy != 0);
        if (page_only) {
            result = last;
            break;
        }
        char text[120];
        snprintf(text, sizeof text, "%sjump to index (%d-0):",
                 last == 0 ? "quit-q layout-l font-f " : "more-ret quit-q layout-l font-f ",
                 n - 1);
        // Broken at a blank where the question and its entry are wider than
        // the box.
        const prompt_part question = {text, digits_of(n - 1)};
        int lines = prompt_parts_lines(&question, 1);
        int margin = draw_prompt_box(lines);
        setcolor(white);
        write_prompt_part(text, digits_of(n - 1), margin);
        input_string(digits_of(n - 1), text_entry);
        erase_prompt_box(lines);
        char key = is[0];
        std::string typed = entry_text();
        if (key == 'q' || (key == kKeyReturn && last == 0))
            break;
        if (own && key == 'l') {
            draw_prompt_box(1);
            snprintf(text, sizeof text, "change window width (%d-%d now=%d):", Maxx - 2, Maxx / 4,
                     Maxx - left);
            setcolor(white);
            outtext(text);
            input_string(4, numeric_entry);
            erase_prompt_box(1);
            int width = static_cast<int>(entry_held(Maxx - left, {Maxx / 4.0, Maxx - 2.0}, true));
            if (width != Maxx - left) {
                put_back_under_listing();
                left = Maxx - width;
                redraw_frame = true;
            }
            continue;
        }
        if (own && key == 'f') {
            small = !small;
            put_back_under_listing();
            use_font(small);
            redraw_frame = true;
            continue;
        }
        if (!typed.empty() && typed[0] >= '0' && typed[0] <= '9') {
            first = static_cast<int>(entry_held(first, {0, n - 1.0}, true));
            continue;
        }
        if (last == 0)
            break;
        first = last - 1;
    }

    if (!page_only) {
        if (own) {
            put_back_under_listing();
        } else {
            setfillstyle(0, black);
            bar(left, top, Maxx - 2, listing_bottom(top));
        }
    }
    use_font(false);
    if (copy)
        fputc('\n', stderr);
    return result;
}
