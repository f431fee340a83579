// The rule-transformation dialog (rule_transform.h): one looping prompt that
// makes the cell's rule solid, inverts, complements, negates or reflects
// it, sets canalyzing inputs, raises k or drops ignored inputs, applies an
// exhaustive map, and saves or lists the rule. The computations are
// engine/rules/rule_transforms.h; after each change finish_change brings
// the codes, figures, readout, the selection dialog's lines and last-rule
// files up to date. Start at transform_rule.
#include "ui/rule_dialogs/rule_transform.h"

#include <cstdio>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/formatted_text.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/max_k_reduction.h"
#include "engine/rules/rule_transforms.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/rule_dialogs/canalyzing_dialogs.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/question_table.h"
#include "ui/storage/last_rule.h"
#include "ui/storage/network_files.h"
#include "ui/storage/successor_file.h"

namespace {

bool
tcode_rule()
{
    return totalistic == rule_kind_tcodes;
}

bool
kcode_rule()
{
    return totalistic == rule_kind_kcodes;
}

// The selection dialog's lines of the rule in the text column: where they
// begin (top; negative when the caller shows none) and the line they end on
// once drawn again after a change (end; negative until then).
struct selection_lines {
    int top;
    int end = -1;
};

// The hex readout from the current point, the point left on its last line:
// a full last line leaves it at the start of the one after it, which holds
// nothing, one line (of the readout's font) up.
void
write_hex_lines(int kind, const uint8_t *string, int k, int last_baseline)
{
    int x0 = getx, y0 = gety;
    int breaks = print_current_bitstring_hexbytes(kind, string, k, Maxx, white, 2, last_baseline) + 1;
    if (breaks > 0 && getx == x0)
        moveto(x0, gety - (gety - y0) / breaks);
}

// The selection dialog's lines from their top down to the rule box cleared,
// and the cell's rule written there as it is now: a code's decimal and hex
// readout, or a rule table's cells with its decimal (v = 2, up to 32
// entries) and hex readout below them, as the random method shows them.
// as_table: the table's, whatever the rule's kind (canalyzing inputs change
// the table of a code network before it becomes a table network). Their end
// is kept, so that the caller's text goes on below them.
void
show_changed_rule(selection_lines &selection, int cell, bool as_table = false)
{
    int left = static_cast<int>(xtext * CWidth);
    int top = selection.top;
    const int last_baseline = tallest_rule_box_top() - 3;
    setfillstyle(0, black);
    bar(left, top, Maxx, tallest_rule_box_top() - 1);
    setcolor(white);
    int k = nhoodm[cell];
    if (!as_table && (tcode_rule() || kcode_rule())) {
        const uint8_t *code = tcode_rule() ? cacode[cell] : v_code[cell];
        int kind = tcode_rule() ? 2 : 3;
        int32_t last = static_cast<int32_t>(tcode_rule() ? tcode_entries(k) : kcode_entries(k)) - 1;
        moveto(left, top);
        if (max_dec_rule(last, value_range))
            outtext(formatted("(dec)%lu", static_cast<unsigned long>(dec_equiv(code, last))).c_str());
        outtext(" (hex)");
        write_hex_lines(kind, code, k, last_baseline);
        selection.end = gety;
        return;
    }
    const uint8_t *table = carule[cell];
    int last = static_cast<int>(rule_entries(k)) - 1;
    uint8_t zero_colour = color_v[0];
    color_v[0] = darkgray;
    moveto(left, top + CHeight / 2);
    print_layered_bitstring(set_cellscale(k, 1), table, last, cellscale, cellsep, last_baseline - CHeight, 1);
    color_v[0] = zero_colour;
    next_line(xtext, 1.0f);
    if (value_range == 2 && last <= 31)
        outtext(formatted(" (dec)%lu", static_cast<unsigned long>(dec_equiv(table, last))).c_str());
    if (value_range == 2 && k <= 5)
        outtext(" (hex)");
    else
        next_line(xtext, 1.0f);
    write_hex_lines(1, table, k, last_baseline);
    selection.end = gety;
}

// The common tail after a change of the cell's rule: code conversion, Z,
// readout and, with one rule, the last-rule files. A kcode network whose
// table no kcode can hold any more (a raise of k, solid, canalyzing inputs)
// goes on as a rule-table network, as a tcode network does, so that no
// kcode file is written that means another rule than the one that runs.
// The selection's lines (when the caller shows them) show it too.
void
finish_change(int cell, selection_lines &selection)
{
    int k = nhoodm[cell];
    if (!rulemix) {
        if (tcode_rule()) {
            code2rule(carule[0], cacode[0], nhoodm[0]);
        } else if (kcode_rule()) {
            v_code2rule(carule[0], v_code[0], nhoodm[0], 0);
            if (!kcode_holds_rule(v_code[0], carule[0], nhoodm[0]))
                totalistic = rule_kind_tables;
        }
    }
    if (!tot_only)
        rule_z_figures(k, carule[cell]);
    show_rule_bottom(k, 1, carule[cell], 0);
    if (selection.top >= 0)
        show_changed_rule(selection, cell);
    if (!rulemix)
        save_single_rule(nhoodm[0]);
}

// Applies one of the five fixed transformations to the cell or, with 'a',
// to every cell. A tcode network transforms its tcode (it stays totalistic);
// solid turns it into a rule-table network with the solid table.
void
apply_fixed(int key, int cell, bool all)
{
    if (!rulemix && tcode_rule()) {
        int k = nhoodm[0];
        switch (key) {
        case 'v': invert_tcode(k, cacode[0]); return;
        case 'c': complement_tcode(k, cacode[0]); return;
        case 'n':
            invert_tcode(k, cacode[0]);
            complement_tcode(k, cacode[0]);
            return;
        case 'r': return; // a tcode is symmetric
        default:
            totalistic = rule_kind_tables;
            solid_rule(k, carule[0]);
            return;
        }
    }
    int first = all ? 0 : cell, last = all ? lineL - 1 : cell;
    for (int c = first; c <= last; c++) {
        int k = nhoodm[c];
        uint8_t *t = carule[c];
        switch (key) {
        case 'o': solid_rule(k, t); break;
        case 'v': invert_rule(k, t); break;
        case 'c': complement_rule(k, t); break;
        case 'n': negate_rule(k, t); break;
        default: reflect_rule(k, t); break;
        }
    }
}

// Text of the prompt's three lines.
void
compose_prompt(int cell, int ceiling, bool exh, std::string lines[3])
{
    char text[200];
    int k = nhoodm[cell];
    lines[0] = rulemix ? "transform rule: solid-o invert-v comp-c neg-n ref-r canal-C (all+a)"
                       : "transform rule: solid-o invert-v comp-c neg-n ref-r canal-C ";
    lines[2] = tcode_rule()   ? "save/prtxterm: rule/tcode-s/S/x/X:"
               : kcode_rule() ? "save/prtxterm: rule/kcode-s/S/x/X:"
                              : "save/prtxterm rule-s/x:";
    if (rulemix && !nhood_mixed) {
        lines[1] = lines[2];
    } else {
        const char *p1 = !rulemix ? "-k" : ": all-K this-k";
        const char *p2 = nhood_mixed && value_range == 2 ? " max k-m, " : " ";
        if (k < ceiling) {
            char p3[80];
            snprintf(p3, sizeof p3, "equiv>k(%d): (%d-%d), ", k, k + 1, ceiling);
            snprintf(text, sizeof text, "%s %seff k%s", p3, p2, p1);
        } else {
            snprintf(text, sizeof text, "%seff k%s", p2, p1);
        }
        lines[1] = text;
    }
    if (exh)
        lines[1] = "exh map-e, " + lines[1];
}

// 'e': a successor table loaded into a buffer of its own first, so that an
// abandoned or failed load changes nothing.
bool
exhaustive_map()
{
    std::vector<uint8_t> table;
    if (!load_exhaustive_into(table))
        return false;
    apply_exhaustive_map(table.data());
    return true;
}

// The code of the cell, last entry first, on standard error.
void
list_code(int cell)
{
    int k = nhoodm[cell];
    fprintf(stderr, "\n");
    if (tcode_rule())
        for (int s = k * (value_range - 1); s >= 0; s--)
            fprintf(stderr, "%d", get_value(cacode[cell], static_cast<uint32_t>(s)));
    else
        for (int s = v_tablecodemax[k]; s >= 0; s--)
            fprintf(stderr, "%d", get_value(v_code[cell], static_cast<uint32_t>(s)));
    fputc('\n', stderr);
}

// On leaving after a raise of a kcode that is still a kcode (a constant
// rule: any other widened rule became a table), the kcode is remapped from
// the one saved on entry, reported and stored.
void
settle_kcode(const std::vector<uint8_t> &saved, int saved_last, int saved_k)
{
    int last = v_tablecodemax[nhood];
    remap_kcode_after_raise(saved.data(), saved_last + 1, v_code[0], last);
    fprintf(stderr, "\nv_tablecodemax_before=%d k_before=%d\n", saved_last, saved_k);
    for (int s = saved_last; s >= 0; s--)
        fprintf(stderr, "%d", get_value(saved.data(), static_cast<uint32_t>(s)));
    fprintf(stderr, "\nv_tablecodemax[%d]=%d\n", nhood, last);
    for (int s = last; s >= 0; s--)
        fprintf(stderr, "%d", get_value(v_code[0], static_cast<uint32_t>(s)));
    fputc('\n', stderr);
    save_last_rule(v_code[0], nhood);
}

// The dialog's loop; see transform_rule.
int
ask_transformations(int cell, selection_lines &selection)
{
    filedata = data_off;
    int result = 0;
    bool one_kcode = !rulemix && kcode_rule();
    if (!rulemix) {
        if (tcode_rule())
            save_last_rule(cacode[0], nhoodm[0]);
        else if (one_kcode)
            save_last_rule(v_code[0], nhoodm[0]);
        else
            save_last_rule(carule[0], nhoodm[0]);
    }
    std::vector<uint8_t> saved_kcode;
    int saved_last = 0, saved_k = nhood;
    if (one_kcode) {
        saved_kcode.assign(v_code[0], v_code[0] + kcode_bytes(nhood));
        saved_last = v_tablecodemax[nhood];
    }

    for (;;) {
        int k = nhoodm[cell];
        int ceiling = raise_ceiling();
        bool exh = nhood_mixed && nhood == lineL && lineL < 32;
        std::string lines[3];
        compose_prompt(cell, ceiling, exh, lines);
        int16_t margin = draw_prompt_box(3);
        {
            prompt_font font({lines[0], lines[1], lines[2]});
            outtext(lines[0].c_str());
            moveto(margin, gety + CHeight);
            outtext(lines[1].c_str());
            moveto(margin, gety + CHeight);
            outtext(lines[2].c_str());
            input_string(2, text_entry);
        }
        erase_prompt_box(3);
        int key = is[0];
        bool all = rulemix && is[0] != kKeyReturn && is[1] == 'a';

        if (key == 'q' || key == kKeyReturn) {
            if (one_kcode && result == 2 && kcode_rule())
                settle_kcode(saved_kcode, saved_last, saved_k);
            return result;
        }
        switch (key) {
        case 'e':
            if (exh && exhaustive_map())
                finish_change(cell, selection);
            continue;
        case 's': {
            int8_t kind = totalistic;
            totalistic = rule_kind_tables;
            load_save_wrs('s', carule[cell], 0);
            totalistic = kind;
            continue;
        }
        case 'S':
            if (tcode_rule())
                load_save_wrs('s', cacode[cell], 0);
            else if (kcode_rule())
                load_save_wrs('s', v_code[cell], 0);
            continue;
        case 'x':
            if (!tot_only) {
                fprintf(stderr, "\n");
                for (int i = static_cast<int>(rule_entries(k)) - 1; i >= 0; i--)
                    fprintf(stderr, "%d", get_value(carule[cell], static_cast<uint32_t>(i)));
                fputc('\n', stderr);
            }
            is[0] = 'x';
            return result;
        case 'X':
            if (tcode_rule() || kcode_rule())
                list_code(cell);
            is[0] = 'X';
            return result;
        case 'C':
            if (all)
                set_canalyzing_net(0);
            else
                set_canalyzing_rule(cell, [&] {
                    if (selection.top >= 0)
                        show_changed_rule(selection, cell, true);
                });
            if (!rulemix && tcode_rule())
                totalistic = rule_kind_tables; // canalyzing inputs are not totalistic
            finish_change(cell, selection);
            continue;
        case 'o':
        case 'v':
        case 'c':
        case 'n':
        case 'r':
            apply_fixed(key, cell, all);
            finish_change(cell, selection);
            continue;
        case 'm':
            if (nhood_mixed) {
                reduce_max_k();
                continue;
            }
            break;
        case 'k':
        case 'K':
            if (rulemix && key == 'K') {
                for (uint32_t c = 0; c < lineL; c++)
                    reduce_to_effective_k(static_cast<int>(c));
            } else {
                reduce_to_effective_k(cell);
                if (!rulemix)
                    cell = 0;
            }
            if (!rulemix && tcode_rule())
                totalistic = rule_kind_tables;
            finish_change(cell, selection);
            result = 1;
            continue;
        default:
            break;
        }
        // Any other answer: raise k to the number typed, held to 1..ceiling
        // (no number: 0, nothing raised).
        long k_new = static_cast<long>(entry_held(0, {1, static_cast<double>(ceiling)}, true));
        if (k_new < 1 || !raise_rule_k(cell, static_cast<int>(k_new)))
            return result;
        if (!rulemix && tcode_rule())
            totalistic = rule_kind_tables; // the new tcode would be empty
        finish_change(cell, selection);
        result = 2;
    }
}

} // namespace

int
transform_rule(int cell, int lines_top)
{
    // The prompt box is drawn over the screen: the caller's text goes on
    // from where it was, or from the last of the selection's lines when a
    // change drew them again (they may reach lower than before).
    int16_t x = getx, y = gety;
    selection_lines selection{lines_top};
    int result = ask_transformations(cell, selection);
    moveto(x, selection.end >= 0 ? selection.end : y);
    return result;
}
