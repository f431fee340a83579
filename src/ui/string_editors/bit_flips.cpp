// The readout of the running rule changes (bit_flips.h): the colour swap,
// the "setting rules, wait..." status box of a mixed k-mix, and the rule,
// tcode or kcode in the one-line box beside the colour key with its Z
// figures, or as a hint in the bottom strip. The changes
// themselves are engine/forward/bit_flips.h. Reads the rule kind and rows
// (model globals) and the flip record (forward globals); draws through the
// rule figures, cell display and hex readout. Start at bit_flip.
#include "ui/string_editors/bit_flips.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/forward/bit_flips.h"
#include "engine/forward/globals.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_parameters.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/random_states.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window.h"
#include "ui/screen/window_record.h"

namespace {

constexpr int kStatusSlot = 5;

// Σ entry_i × 2^i of a short binary string.
unsigned long
decimal_of(const uint8_t *string, uint32_t entries)
{
    unsigned long d = 0;
    for (uint32_t i = 0; i < entries; i++)
        d |= static_cast<unsigned long>(get_value(string, i)) << i;
    return d;
}

// The label of the readout by key.
std::string
label_text(char key, int32_t flipped)
{
    const int v = value_range, k = nhood;
    const char *form = "rule v%dk%d: ";
    switch (key) {
    case 'K': form = "tcode v%dk%d: "; break;
    case 'k': form = "kcode v%dk%d: "; break;
    case 'C': form = "chain rule v%dk%d: "; break;
    case 'A': form = "Alt rule v%dk%d: "; break;
    case 'M': form = "Maj rule v%dk%d: "; break;
    case '[': form = "sym rule v%dk%d: "; break;
    case ']': form = "legal rule v%dk%d: "; break;
    default: break;
    }
    std::string text;
    if (key == '1')
        text = formatted("bit-flip %u, pos %d ", static_cast<unsigned>(bitflipcount), static_cast<int>(flipped));
    return text + formatted(form, v, k);
}

// The code readout of 'K', 'k', 'A' and 'M' with a code kind: kind 1 tcode,
// 2 kcode; count the count of the string the key acted on. Its parts: a
// decimal, the code's cells, its hex bytes.
struct code_readout {
    int kind;
    uint32_t entries;
    const uint8_t *code;
    std::string decimal; // empty: none
    bool cells;          // the cells drawn
    int size, gap;       // of a cell
    std::string hex;     // empty: none

    code_readout(int kind_of, uint32_t count) : kind(kind_of)
    {
        const int k = nhood;
        entries = kind == 1 ? tcode_entries(k) : v_tablecodemax[k] + 1u;
        code = kind == 1 ? cacode[0] : v_code[0];
        size = count - 1 <= 63 ? vgax(4) : count - 1 <= 255 ? vgax(3) : vgax(2);
        gap = count - 1 < 128 ? 2 : 1;
        if (kind == 1 && value_range == 2 && k < 4)
            decimal = formatted("dec=%lu ", decimal_of(code, entries));
        uint64_t last = tot_only ? count - 1 : rule_entries(k) - 1;
        cells = last <= 128;
        if (hex_string_bytes(kind + 1, k) <= 16)
            hex = "hex=" + hex_readout_text(kind + 1, code, nhoodm ? nhoodm[0] : k);
    }
    // Pixels it takes on its line: the hex bytes each advance two
    // character widths, and a tcode's cells leave a gap after each eight.
    int width() const
    {
        int w = text_pixel_width(decimal.c_str(), static_cast<int>(decimal.size()));
        if (!hex.empty())
            w += text_pixel_width("hex=", 4) + static_cast<int>(hex.size() - 4) * CWidth;
        if (cells) {
            const int shown = static_cast<int>(std::min<uint32_t>(entries, 64));
            w += shown * size + (kind == 2 ? CWidth : (shown / 8) * (Maxx > 798 ? 3 : 2));
        }
        return w;
    }
    void draw(int right) const
    {
        int8_t kind_before = totalistic;
        totalistic = static_cast<int8_t>(kind);
        outtext(decimal.c_str());
        if (cells) {
            print_layered_bitstring(64, code, static_cast<int>(entries) - 1, size, gap, 0, kind);
            if (kind == 2)
                moveto(getx + CWidth, gety);
        }
        if (!hex.empty()) {
            outtext("hex=");
            print_current_bitstring_hexbytes(kind + 1, code, nhoodm ? nhoodm[0] : nhood, right, white, 2);
        }
        totalistic = tot_only ? kind_before : rule_kind_tables;
    }
};

// The readout's box as last drawn: the next one takes its place, the
// longer of the two widened to the left.
line_box readout_box{};

// A readout box for a line of `width` pixels beside the colour key, the
// last one taken away first where it still stands (a box drawn over it
// since, a frozen mode's key say, took it already).
void
open_readout_box(int width)
{
    erase_top_line_box(readout_box);
    readout_box = line_box_beside_key(width);
    draw_line_box(readout_box);
}

int
width_of(const std::string &text)
{
    return text_pixel_width(text.c_str(), static_cast<int>(text.size()));
}

// The readout of a change by key in a line of `room` pixels: its label,
// the rule (decimal, or the hex bytes that fit, at least a few) and the Z
// figures as text; a tcode or kcode (code_kind, of kind) goes between the
// label and the figures, in cells.
struct readout_line {
    std::string label, rule, figures;
    bool code_kind;
    int kind;

    readout_line(char key, int32_t flipped, int room)
    {
        const int k = nhood;
        if (!tot_only)
            rule_z_figures(k, carule[0]);
        label = label_text(key, flipped);
        code_kind = key == 'K' || key == 'k' ||
                    // A rule table (and 'A' with tcodes) shows only the label and Z.
                    ((key == 'A' || key == 'M') &&
                     (totalistic == rule_kind_kcodes || (key == 'M' && totalistic == rule_kind_tcodes)));
        kind = key == 'K' ? 1 : key == 'k' ? 2 : totalistic;
        if (!tot_only)
            figures = key == 'C' ? formatted(" zl=%.2g zr=%.2g ", zparam[1], zparam[2])
                                 : formatted(" Z=%.2g ", zparam[0]);
        if (tot_only || key == 'K' || key == 'k' || key == 'A' || key == 'M')
            return;
        if (value_range == 2 && k < 4) {
            rule = formatted(" dec=%lu", decimal_of(carule[0], static_cast<uint32_t>(rule_entries(k))));
            return;
        }
        const int hex_room = room - width_of(label) - width_of(figures) - width_of(" hex=");
        rule = " hex=" + hex_bytes_within(carule[0], hex_string_bytes(1, k), std::max(hex_room, 12 * CWidth));
    }
};

// The one-line readout of the rule after a change by key, beside the
// colour key: its hex bytes fit the widest box there, from the prompt
// box's left edge.
void
show_readout(char key, int32_t flipped, uint32_t count)
{
    const line_box widest = line_box_beside_key(0);
    const readout_line line(key, flipped, widest.right - widest.left - 6);
    int width = width_of(line.label) + width_of(line.rule) + width_of(line.figures);
    if (line.code_kind)
        width += code_readout(line.kind, count).width();
    open_readout_box(width);
    outtext(line.label.c_str());
    if (line.code_kind)
        code_readout(line.kind, count).draw(readout_box.right - 3);
    outtext(line.rule.c_str());
    outtext(line.figures.c_str());
}

bool
acts_under_tot_only(char key)
{
    if (key == 'C' || key == 'Z' || key == 'z' || key == '[' || key == ']')
        return false;
    return !(key == 'A' && totalistic == rule_kind_tcodes);
}

bool
family_key(char key)
{
    switch (key) {
    case '[': case ']': case 'r': case 'K': case 'k': case 'A': case 'M': case 'C': case 'B':
        return true;
    default:
        return false;
    }
}

// The rule changed by key (bit_flip's key, already read by flip_key),
// with the status box of a mixed k-mix standing while the rules are set;
// the colour swapped. True when the change is to be shown, its flipped
// entry in flipped.
bool
change_rule(char key, int &colour, int32_t &flipped)
{
    colour = swap_pattern_colour(colour);
    bool status = nhood_mixed && family_key(key);
    if (status) {
        getimage(Maxx / 3, 2, Maxx / 2 - 3, vgay(6) + CHeight + 2, &boximage[kStatusSlot]);
        memory_box(2, "setting rules, wait...");
    }
    flipped = change_rules_by_key(key, rule_z_figures);
    if (status) {
        putimage(Maxx / 3, 2, &boximage[kStatusSlot], 0);
        freeimage(&boximage[kStatusSlot]);
    }
    bool silent = (tot_only && !acts_under_tot_only(key)) ||
                  (key == '1' && nhood_mixed && !outer_tot);
    return flips_recorded() && !silent;
}

} // namespace

int
bit_flip(char key, int colour)
{
    int16_t x = getx, y = gety;
    key = flip_key(key);
    const uint32_t count = flip_entry_count(key, nhood);
    int32_t flipped = 0;
    if (change_rule(key, colour, flipped))
        show_readout(key, flipped, count);
    moveto(x, y);
    setcolor(colour);
    return colour;
}

int
bit_flip_in_strip(char key, int colour, int x)
{
    key = flip_key(key);
    int32_t flipped = 0;
    if (change_rule(key, colour, flipped)) {
        // The hint's text begins two columns in and keeps a column from
        // the window's right edge.
        const readout_line line(key, flipped, Maxx - 1 - x - 3 * CWidth);
        // The hint asks for no key, yet starts its answer afresh: the key
        // that chose this rule (a test sample's 'q') stays the answer.
        const char answer = is[0];
        draw_hint_box(0, 0, (line.label + line.rule + line.figures).c_str(), x);
        is[0] = answer;
    }
    setcolor(colour);
    return colour;
}

int
bit_flipback(int colour)
{
    if (bitflipcount < 1 || !flips_recorded())
        return colour;
    int16_t x = getx, y = gety;
    colour = swap_pattern_colour(colour);
    int32_t p = undo_rule_flip();
    char text[80];
    if (!tot_only) {
        rule_z_figures(nhood, carule[0]);
        snprintf(text, sizeof text, "flip back at pos %d, flip=%u Z=%g", static_cast<int>(p),
                 static_cast<unsigned>(bitflipcount), zparam[0]);
    } else {
        snprintf(text, sizeof text, "flip back at pos %d, flip=%u", static_cast<int>(p),
                 static_cast<unsigned>(bitflipcount));
    }
    open_readout_box(text_pixel_width(text, static_cast<int>(strlen(text))));
    outtext(text);
    moveto(x, y);
    setcolor(colour);
    return colour;
}
