// The rule box (rule_readout.h): a framed box at the bottom of the drawing
// area that always shows the rule in force: the update order, neutral-order
// mode or hypercube wiring when they apply, then v and k, the rule table in
// decimal (when it fits 32 bits) and hex with its cells, or the code, the
// network size, lambda, the lambda ratio, P, Z-left, Z-right and Z, the
// canalyzing inputs and the Post classes. The figures are computed before
// (rule_parameters.h) and only read here. With outflag set the texts are
// also copied to standard error (pdata) and the data file (filedata).
// Reads the run modes of forward/, backward/, wiring/ and screen/ (basinfield).
// Start at show_rule_bottom.
#include "ui/model/rule_readout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/forward/update_order.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/post_classes.h"
#include "engine/wiring/globals.h"
#include "ui/model/cell_display.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/post_classes.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"
#include "ui/storage/data_lines.h"

namespace {

// Largest n whose update-order rank is exact in 32 bits (12! < 2^32 < 13!).
constexpr int kMaxRankedOrder = 12;

// Where the first line of text starts when the two-line box shows the rule
// table's cells at its left; 0 when it does not.
int first_line_x = 0;

// The copy of the box's texts, composed whole and written at the end of
// the readout (write_copies), so that the data file takes the readout as
// one append: a failed append leaves no part of it.
std::string readout_copy;

// The copy so far to standard error (pdata) and the data file (filedata)
// when outflag asks for it; the copy is emptied.
void
write_copies(int outflag)
{
    if (outflag == 1 && pdata)
        print_out(readout_copy.c_str());
    if (outflag == 1 && filedata)
        save_data(readout_copy.c_str());
    readout_copy.clear();
}

// The update order: "seq update ", one hex digit group per cell, then its
// rank in decimal and hex where the rank is exact.
std::string
sequential_order_text()
{
    std::string text = "seq update ";
    char part[48];
    if (seq_order) {
        for (int i = 0; i < lineL; i++) {
            snprintf(part, sizeof part, "%x", seq_order[i]);
            text += part;
        }
    }
    if (seq_order && lineL <= kMaxRankedOrder) {
        unsigned long rank = order_to_index(seq_order, lineL);
        snprintf(part, sizeof part, " dec-%lu hex-%lx ", rank, rank);
        text += part;
    } else {
        text += " ";
    }
    return text;
}

// The canalyzing text: "C=%x/%x", then for some canalyzing inputs of k > 1 a
// blank and one character per position from k-1 down to 0 (the position in
// hex, or '*'): C=2/3 2*0 for positions 2 and 0 of k = 3.
std::string
canalyzing_readout(int k)
{
    char part[16];
    snprintf(part, sizeof part, "C=%x/%x", canaltotal, k);
    std::string text = part;
    if (canaltotal > 0 && k > 1) {
        text += ' ';
        for (int p = k - 1; p >= 0; p--) {
            bool on = canal && p < 16 && get_bitlong(canal, static_cast<uint32_t>(p));
            snprintf(part, sizeof part, "%x", p);
            text += on ? std::string(part) : std::string("*");
        }
    }
    return text;
}

// The code of a cell with its cells (three-line box): the middle line holds
// its name and number and hex bytes, the last line its cells. Leaves the
// current point on the last line after the cells; returns where the middle
// line's text ends (xmax when its bytes wrapped), or -1 without a code.
int
write_code(int k, int x, int xmax, int cell)
{
    int v = value_range;
    bool tcode = totalistic == rule_kind_tcodes;
    int last = tcode ? k * (v - 1) : (v_tablecodemax ? v_tablecodemax[k] : 0);
    uint8_t *code = tcode ? (cacode ? cacode[cell] : nullptr) : (v_code ? v_code[cell] : nullptr);
    if (!code)
        return -1;
    const char *name = tcode ? "tcode" : "kcode";
    char text[80];
    if (max_dec_rule(last, v))
        snprintf(text, sizeof text, "%s(dec)=%lu (hex)=", name,
                 static_cast<unsigned long>(dec_equiv(code, last)));
    else
        snprintf(text, sizeof text, "%s(hex)= ", name);

    int last_line = gety;
    moveto(x, last_line - CHeight);
    outtext(text);
    setfillstyle(0, black);
    bar(getx, gety, xmax - 1, Maxy - 1);
    int cell_k = nhoodm ? nhoodm[cell] : k;
    // Its lines end above the last line's row.
    int breaks = print_current_bitstring_hexbytes(tcode ? 2 : 3, code, cell_k, Maxx, white, 2,
                                                  last_line);
    const int line_end = breaks < 0 ? getx : xmax;
    readout_copy += text;

    int size = last < 64 ? vgax(4) : last < 256 ? vgax(3) : vgax(2);
    int gap = last < 128 ? 2 : 1;
    moveto(x + size, last_line + CHeight / 2 - CHeight / 4);
    int end = print_layered_bitstring(64, code, last, size, gap, 0, 1);
    moveto(end + CWidth, last_line);
    return line_end;
}

// The width of text in the font set_font sets from the normal one (the
// normal one itself for none).
int
width_in_font(void (*set_font)(), const std::string &text)
{
    font_while font(set_font != nullptr, set_font);
    return text_width_in_use(text.c_str());
}

// Where the Post labels go: after the last line, the first, or the code's.
enum class post_at { line, first_line, code_line };

// The last line's font (null: the normal one) and the Post labels' place and
// font.
struct last_line_layout {
    void (*font)() = nullptr;
    post_at place = post_at::line;
    void (*post_font)() = set_medium_font;
};

// The last line (from line_x, to end before right) in the normal font, or
// the medium or small one where a grown network's figures would run past
// the box's right border; the Post labels (medium, or small after a small
// line) after it, or else after the first line or the code's line (which
// end at first_end and code_end, -1 for none) where those have room, or
// else after the line in a smaller font. Only in the small font, with no
// room anywhere, are they cut at the border.
last_line_layout
lay_out_last_line(const std::string &line, const std::string &labels, int line_x, int right,
                  int first_end, int code_end)
{
    void (*const fonts[3])() = {nullptr, set_medium_font, set_small_font};
    const int post_medium = labels.empty() ? 0 : width_in_font(set_medium_font, labels);
    last_line_layout layout;
    for (void (*font)() : fonts) {
        const int line_width = width_in_font(font, line);
        if (line_x + line_width > right && font != set_small_font)
            continue;
        layout.font = font;
        layout.place = post_at::line;
        layout.post_font = font == set_small_font ? set_small_font : set_medium_font;
        if (labels.empty() || line_x + line_width + width_in_font(layout.post_font, labels) <= right)
            break;
        if (first_end + post_medium <= right) {
            layout.place = post_at::first_line;
            layout.post_font = set_medium_font;
            break;
        }
        if (code_end >= 0 && code_end + post_medium <= right) {
            layout.place = post_at::code_line;
            layout.post_font = set_medium_font;
            break;
        }
    }
    return layout;
}

// The modes that come before the rule: the update order, the neutral-order
// components and the hypercube wiring with its share of wires kept.
std::string
run_modes_text()
{
    std::string text;
    if (seq_update != update_parallel)
        text += sequential_order_text();
    if (neutral_order == 1)
        text += basinfield == 1 ? "all neutral order components" : "one neutral order component";
    if (whatwire != whatwire_hypercube)
        return text;
    int n = neutral_order && templineL ? templineL : lineL;
    text += formatted(" %dd-hcube ", n);
    if (hyper_prob < 100) {
        double wires = static_cast<double>(n) * nhood;
        double kept = wires > 0 ? 100.0 - 100.0 * wires_cut / wires : 0.0;
        text += formatted(" %%wiring prob=%d actual=%.1f ", hyper_prob, kept);
    }
    return text;
}

// The rule's name: v and k, with the kind of code of a network run
// forward only.
std::string
rule_name_text(int k)
{
    return tot_only ? formatted("v%dk%d %s (forward only)", value_range, k,
                                totalistic == rule_kind_tcodes ? "tcode" : "kcode")
                    : formatted("v%dk%d rule", value_range, k);
}

// Writes the rule's name and copies it.
void
write_rule_name(int k)
{
    std::string text = rule_name_text(k);
    outtext(text.c_str());
    readout_copy += text;
}

// The rule table in decimal, "(dec)N ", where it fits 32 bits; else empty.
std::string
rule_decimal_text(int k, uint8_t *rule)
{
    int last = static_cast<int>(int_power(value_range, k)) - 1;
    if (!max_dec_rule(last, value_range))
        return "";
    return formatted("(dec)%lu ", static_cast<unsigned long>(dec_equiv(rule, last)));
}

// Hex bytes the rule's first line keeps room for after the modes: a table
// of k = 6, all a two-line box shows; a larger one wraps under its first.
constexpr int kHexBytesKept = 8;

// The width the rule takes on the first line after the modes: its name and,
// with a table, its decimal, "(hex)" and the room of the hex bytes kept,
// with the margin the hex readout leaves before the box's border.
int
rule_line_width(int k, uint8_t *rule)
{
    int width = text_width_in_use(rule_name_text(k).c_str());
    if (tot_only || !rule)
        return width;
    const std::string decimal = rule_decimal_text(k, rule);
    if (!decimal.empty())
        width += text_width_in_use(decimal.c_str()) + 3;
    const int bytes = std::min(hex_string_bytes(1, k), kHexBytesKept);
    return width + text_width_in_use("(hex)") +
           static_cast<int>(std::ceil((bytes + 1) * 2.3 * CWidth)) + 3;
}

// The rule table on the first line: in decimal where it fits, then in hex.
// Returns where the hex readout ends: its bytes at most 2.3 character
// widths apart, or xmax when they wrapped.
int
write_rule_table(int three_lines, int k, int xmax, uint8_t *rule)
{
    int v = value_range;
    const std::string decimal = rule_decimal_text(k, rule);
    if (!decimal.empty()) {
        outtext(decimal.c_str());
        readout_copy += decimal;
        moverel(3, 0);
    }
    outtext("(hex)");
    readout_copy += v > 2 || k > 7 ? "(hex)\n" : "(hex)";
    if (three_lines)
        moverel(0, vgay(2));
    setviewport(0, 0, xmax - 2, Maxy - CHeight, 1);
    // The readout starts a new line once the point passes its limit less
    // vgax(8): the limit leaves room for one more byte (at most 2.3
    // character widths) inside the box.
    int limit = xmax - 3 - static_cast<int>(std::ceil(2.3 * CWidth)) + vgax(8);
    int hex_x = getx;
    // Its lines end above the row of the box's next line, the code's
    // in a three-line box of codes, else the last (which a large k
    // clears before writing it).
    const bool codes = totalistic == rule_kind_tcodes || totalistic == rule_kind_kcodes;
    const int next_line = three_lines && codes ? Maxy - 2 * CHeight : Maxy - CHeight;
    int breaks = print_current_bitstring_hexbytes(1, rule, k, limit, lightcyan, 0, next_line);
    readout_copy += hex_readout_text(1, rule, k);
    int hex_end = breaks < 0 ? hex_x + static_cast<int>(
                                           std::ceil(hex_string_bytes(1, k) * 2.3 * CWidth))
                             : xmax;
    setviewport(0, 0, Maxx, Maxy, 1);
    if (three_lines)
        moverel(0, -vgay(2));
    if (k <= 6)
        readout_copy += "\n";
    return hex_end;
}

// The network's size: "1d size=40 ", "2d size=20x10 " or "3d size=4x4x4 ".
std::string
network_size_text()
{
    if (threed)
        return formatted("3d size=%dx%dx%d ", i3d, j3d, h3d);
    if (twod)
        return formatted("2d size=%dx%d ", i2d, j2d);
    return formatted("1d size=%d ", lineL);
}

// Where the lines above the last end: the first line and, in a box of
// codes, the code's line (-1 without one). The Post labels may go there.
struct line_ends {
    int first_x, first_y;
    int code_x;
};

// The Post labels of the rule at the place and in the font layout gives,
// cut at the box's border.
void
write_post_labels(int k, uint8_t *rule, const last_line_layout &layout, int x, int y,
                  const line_ends &ends, int xmax)
{
    if (layout.place == post_at::first_line) {
        x = ends.first_x;
        y = ends.first_y;
    } else if (layout.place == post_at::code_line) {
        x = ends.code_x;
        y = Maxy - 2 * CHeight;
    }
    font_while font(true, layout.post_font);
    moveto(x, y);
    setviewport(0, 0, xmax - 2, Maxy, 1);
    outtext(" Post=");
    post_func(k, rule, 2, 1, 0, 0);
    setviewport(0, 0, Maxx, Maxy, 1);
}

// The last line of a rule table's box at the current point: the network's
// size, lambda, the lambda ratio (and P for v = 2), the Z figures and the
// canalyzing inputs, in the font that fits, then the Post labels of a Post
// function; the copies written. Returns where the Z figures end.
int
write_figures(int k, uint8_t *rule, int outflag, int xmax, const std::string &size_text,
              const line_ends &ends)
{
    std::string lambdas = value_range == 2 ? formatted("ld=%.3g ld-r=%.3g P=%.3g ", lambda, lratio,
                                                       0.5 * (1.0 - lratio) + 0.5)
                                           : formatted("ld=%.3g ld-r=%.3g ", lambda, lratio);
    float z[3] = {0, 0, 0};
    if (zparam)
        z[0] = zparam[0], z[1] = zparam[1], z[2] = zparam[2];
    std::string zs = formatted("zl=%.3g zr=%.3g Z=%g ", z[1], z[2], z[0]);
    std::string canal_text = canalyzing_readout(k);
    std::string labels; // " Post=" and the class labels of a Post function
    post_flags flags;
    if (post_func(k, rule, 0, 0, 0, 0) == 1 && find_post_classes(k, rule, &flags)) {
        labels = " Post=";
        for (const std::string &label : post_class_labels(flags))
            labels += label;
    }
    const std::string line = size_text + lambdas + zs + canal_text;
    const last_line_layout layout =
        lay_out_last_line(line, labels, getx, xmax - 3, ends.first_x, ends.code_x);
    int z_end, post_x, post_y = gety;
    {
        // In the small font a line too long for the box (the least window)
        // is cut at its border, as the Post labels are.
        font_while font(layout.font != nullptr, layout.font);
        setviewport(0, 0, xmax - 2, Maxy, 1);
        outtext(size_text.c_str());
        outtext(lambdas.c_str());
        outtext(zs.c_str());
        z_end = getx;
        outtext(canal_text.c_str());
        post_x = getx;
        setviewport(0, 0, Maxx, Maxy, 1);
    }
    readout_copy += size_text + lambdas + "\n" + zs + canal_text + "\n";
    write_copies(outflag);
    if (!labels.empty())
        write_post_labels(k, rule, layout, post_x, post_y, ends, xmax);
    return z_end;
}


// The rule box's left edge.
int
box_left()
{
    return vgax(125);
}

// The side frames of the box as last drawn, which its clear takes away
// (none yet: from box_left() to the window's edge). Whether it still
// stands, or a pattern's rows took it and its place stays its own until
// it is drawn again, is the list of standing boxes' to say.
int drawn_box_left = 0, drawn_box_right = 0;

// Whether the box for neighbourhood size k takes two lines: a rule table of
// small k, its cells beside the text. A random map's period table takes
// the box's second and third lines.
bool
two_line_rule_box(int k)
{
    const int v = value_range;
    return totalistic == rule_kind_tables &&
           ((v == 2 && k <= 6 && exhaustive_testing != exhaustive_random_map) || (v == 3 && k <= 4) ||
            (v == 4 && k <= 4 && nhood <= 3) || (v >= 5 && k <= 4 && nhood <= 2));
}

} // namespace

bool
rule_box_stands()
{
    return mouse_found && (!rulemix || neutral_order == 1 || seq_update != update_parallel);
}

int
rule_box_top_for(int k)
{
    return two_line_rule_box(k) ? two_line_rule_box_top() : tallest_rule_box_top();
}

void
clear_rule_bottom()
{
    if (rule_box_top <= 0 || rule_box_top >= Maxy)
        return;
    setviewport(0, 0, Maxx, Maxy, 1);
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    if (drawn_box_right > drawn_box_left)
        bar(drawn_box_left, rule_box_top, drawn_box_right, Maxy);
    else
        bar(box_left(), rule_box_top, Maxx, Maxy);
    fillcolor = fill;
}

void
clear_standing_rule_bottom()
{
    if (box_stands(box_owner::rule))
        clear_rule_bottom();
}

box_place
rule_box_place(int k)
{
    int x0 = box_left();
    int x1 =
        (totalistic == rule_kind_tables && k <= 4) || exhaustive_testing == exhaustive_random_map
            ? vgax(550)
            : Maxx;
    // Left of a panel kept at the right (side_panel.h), narrower where it
    // would pass the window's left edge.
    const int shift = side_panel_shift(x1);
    x0 = std::max(2, x0 - shift);
    x1 -= shift;
    return {x0, rule_box_top_for(k), x1, Maxy};
}

bool
meets_standing_rule_box(int x0, int y0, int x1, int y1)
{
    box_place p{};
    return box_place_held(box_owner::rule, &p) && x0 <= p.x1 && x1 >= p.x0 && y0 <= p.y1 && y1 >= p.y0;
}

namespace {

// The lowest row down to bottom across columns x0..x1 a row apart above
// place, where the columns meet it.
int
bottom_above(const box_place &place, int x0, int x1, int bottom)
{
    return x0 > place.x1 || x1 < place.x0 ? bottom : std::min(bottom, place.y0 - 2);
}

} // namespace

int
bottom_above_rule_box(int x0, int x1, int bottom)
{
    box_place p{};
    return box_place_held(box_owner::rule, &p) ? bottom_above(p, x0, x1, bottom) : bottom;
}

int
bottom_above_rule_box_to_come(int k, int x0, int x1, int bottom)
{
    return bottom_above(rule_box_place(k), x0, x1, bottom_above_rule_box(x0, x1, bottom));
}

void
show_rule_bottom(int k, int outflag, uint8_t *rule, int cell)
{
    int16_t px = getx, py = gety;
    // The box's texts are white whatever the caller was drawing in (a stop
    // prompt's colour, say); the caller's colour comes back afterwards.
    int colour = getcolor();
    setcolor(white);
    int v = value_range;
    setviewport(0, 0, Maxx, Maxy, 1);
    const box_place place = rule_box_place(k);
    const int x0 = place.x0, x1 = place.x1, top = place.y0;
    const bool two_lines = two_line_rule_box(k);
    uint8_t *shown = tot_only ? nullptr : rule;
    first_line_x = 0;
    // A box still standing elsewhere (more lines, or wider) goes first:
    // none of its lines is left above or beside it. A pattern's rows that
    // reach the new one take it whole.
    raise_box(box_owner::rule, place, box_way::held);
    drawn_box_left = x0;
    drawn_box_right = x1;
    rule_box_top = static_cast<int16_t>(top);
    if (!two_lines) {
        draw_box(-1, x0, rule_box_top, x1, Maxy, 1, 0);
        write_rule(1, k, outflag, x0 + 3, rule_box_top, x1, shown, cell);
    } else {
        draw_box(-1, x0, rule_box_top, x1, Maxy, 1, 0);
        if (!tot_only && !neutral_order && rule) {
            moveto(x0 + 2, Maxy - 2 * CHeight - 4);
            int last = static_cast<int>(int_power(v, k)) - 1;
            print_layered_bitstring(192, rule, last, vgax(3), 2, 0, 1);
            // The text goes on right of the cells instead of over them.
            first_line_x = getx + CWidth / 2;
        }
        write_rule(0, k, outflag, x0 + 3, Maxy - 2 * CHeight - 2, x1, shown, cell);
    }
    setviewport(0, 0, Maxx, Maxy, 1);
    setcolor(colour);
    moveto(px, py);
}

int
write_rule(int three_lines, int k, int outflag, int x, int y, int xmax, uint8_t *rule, int cell)
{
    int16_t px = getx, py = gety;
    readout_copy.clear();
    const int line_x = first_line_x > x ? first_line_x : x;
    moveto(line_x, y);
    // The modes' line ends before the box's border, or before the room the
    // rule takes after it: a long update order is cut short, not the rule.
    std::string modes = run_modes_text();
    if (neutral_order == 1 || exhaustive_testing == exhaustive_random_map) {
        // The modes say all there is: no single rule stands for the run.
        if (neutral_order != 1)
            modes += formatted("Random Map, Size=%d ", lineL);
        text_line(line_x, xmax - 4, y, modes);
        moveto(px, py);
        return getx;
    }
    if (!modes.empty()) {
        const int blank = text_width_in_use(" ");
        const int modes_end =
            text_line(line_x, std::max(line_x, xmax - 4 - blank - rule_line_width(k, rule)), y, modes);
        // Cut short, the modes lost their closing blank: the rule keeps
        // apart from the "...".
        if (modes_end < line_x + text_width_in_use(modes.c_str()))
            moverel(blank, 0);
    }
    write_rule_name(k);
    int hex_end = !tot_only && rule ? write_rule_table(three_lines, k, xmax, rule) : 0;

    int result = getx;
    line_ends ends{std::max<int>(getx, hex_end), gety, -1};
    moveto(x, Maxy - CHeight);
    if (k > 10) {
        setfillstyle(0, black);
        bar(x, Maxy - CHeight, Maxx - 1, Maxy - 1);
    }
    if (totalistic == rule_kind_tcodes || totalistic == rule_kind_kcodes)
        ends.code_x = write_code(k, x, xmax, cell);

    const std::string size_text = network_size_text();
    if (tot_only) {
        outtext(size_text.c_str());
        readout_copy += size_text;
        write_copies(outflag);
    } else {
        result = std::max(result, write_figures(k, rule, outflag, xmax, size_text, ends));
    }
    moveto(px, py);
    return result;
}
