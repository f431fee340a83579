// The readout of the running rule changes (bit_flips.h): the colour swap,
// the "setting rules, wait..." status box of a mixed k-mix, and the rule,
// tcode or kcode in the one-line prompt box with its Z figures. The changes
// themselves are engine/forward/bit_flips.h. Reads the rule kind and rows
// (model globals) and the flip record (forward globals); draws through the
// rule figures, cell display and hex readout. Start at bit_flip.
#include "ui/string_editors/bit_flips.h"

#include <cstdio>

#include "engine/forward/bit_flips.h"
#include "engine/forward/globals.h"
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
void
write_label(char key, int32_t flipped)
{
    char text[80];
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
    if (key == '1') {
        snprintf(text, sizeof text, "bit-flip %u, pos %d ", static_cast<unsigned>(bitflipcount),
                 static_cast<int>(flipped));
        outtext(text);
    }
    snprintf(text, sizeof text, form, v, k);
    outtext(text);
}

// The code readout of 'K', 'k', 'A' and 'M' with a code kind: kind 1 tcode,
// 2 kcode; N the count of the string the key acted on.
void
write_code(int kind, uint32_t count)
{
    const int k = nhood;
    uint32_t entries = kind == 1 ? tcode_entries(k) : v_tablecodemax[k] + 1u;
    const uint8_t *code = kind == 1 ? cacode[0] : v_code[0];
    int size = count - 1 <= 63 ? vgax(4) : count - 1 <= 255 ? vgax(3) : vgax(2);
    int gap = count - 1 < 128 ? 2 : 1;
    int8_t kind_before = totalistic;
    totalistic = static_cast<int8_t>(kind);
    char text[40];
    if (kind == 1 && value_range == 2 && k < 4) {
        snprintf(text, sizeof text, "dec=%lu ", decimal_of(code, entries));
        outtext(text);
    }
    uint64_t last = tot_only ? count - 1 : rule_entries(k) - 1;
    if (last <= 128) {
        print_layered_bitstring(64, code, static_cast<int>(entries) - 1, size, gap, 0, kind);
        if (kind == 2)
            moveto(getx + CWidth, gety);
    }
    int bytes = hex_string_bytes(kind + 1, k);
    if (bytes <= 16) {
        outtext("hex=");
        print_current_bitstring_hexbytes(kind + 1, code, nhoodm ? nhoodm[0] : k, Maxx, white, 0);
    }
    totalistic = tot_only ? kind_before : rule_kind_tables;
}

// The one-line readout of the rule after a change by key.
void
show_readout(char key, int32_t flipped, uint32_t count)
{
    const int k = nhood;
    if (!tot_only)
        rule_z_figures(k, carule[0]);
    // Written from the box's margin (the viewport only clips, at its edge).
    const int margin = draw_prompt_box(1);
    setviewport(Maxx / 2, 2, Maxx - 3, vgay(6) + CHeight + 1, 1);
    moveto(margin, 5);
    setcolor(white);
    write_label(key, flipped);
    bool rule_readout = !tot_only;
    if (key == 'K' || key == 'k') {
        write_code(key == 'K' ? 1 : 2, count);
        rule_readout = false;
    } else if (key == 'A' || key == 'M') {
        // A rule table (and 'A' with tcodes) shows only the label and Z.
        if (totalistic == rule_kind_kcodes || (key == 'M' && totalistic == rule_kind_tcodes))
            write_code(totalistic, count);
        rule_readout = false;
    }
    if (rule_readout) {
        char text[40];
        uint32_t entries = static_cast<uint32_t>(rule_entries(k));
        if (value_range == 2 && k < 4) {
            snprintf(text, sizeof text, " dec=%lu", decimal_of(carule[0], entries));
            outtext(text);
        } else {
            outtext(" hex=");
            print_current_bitstring_hexbytes(1, carule[0], k, Maxx - 3, white, 0);
        }
    }
    if (!tot_only) {
        char text[48];
        if (key == 'C')
            snprintf(text, sizeof text, " zl=%.2g zr=%.2g ", zparam[1], zparam[2]);
        else
            snprintf(text, sizeof text, " Z=%.2g ", zparam[0]);
        outtext(text);
    }
    setviewport(0, 0, Maxx, Maxy, 1);
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

} // namespace

int
bit_flip(char key, int colour)
{
    int16_t x = getx, y = gety;
    key = flip_key(key);
    const uint32_t count = flip_entry_count(key, nhood);
    colour = swap_pattern_colour(colour);
    bool status = nhood_mixed && family_key(key);
    if (status) {
        getimage(Maxx / 3, 2, Maxx / 2 - 3, vgay(6) + CHeight + 2, &boximage[kStatusSlot]);
        memory_box(2, "setting rules, wait...");
    }
    int32_t flipped = change_rules_by_key(key, rule_z_figures);
    if (status) {
        putimage(Maxx / 3, 2, &boximage[kStatusSlot], 0);
        freeimage(&boximage[kStatusSlot]);
    }
    bool silent = (tot_only && !acts_under_tot_only(key)) ||
                  (key == '1' && nhood_mixed && !outer_tot);
    if (flips_recorded() && !silent)
        show_readout(key, flipped, count);
    moveto(x, y);
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
    draw_prompt_box(1);
    char text[80];
    if (!tot_only) {
        rule_z_figures(nhood, carule[0]);
        snprintf(text, sizeof text, "flip back at pos %d, flip=%u Z=%g", static_cast<int>(p),
                 static_cast<unsigned>(bitflipcount), zparam[0]);
    } else {
        snprintf(text, sizeof text, "flip back at pos %d, flip=%u", static_cast<int>(p),
                 static_cast<unsigned>(bitflipcount));
    }
    outtext(text);
    moveto(x, y);
    setcolor(colour);
    return colour;
}
