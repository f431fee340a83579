// The code dialog (code_dialog.h): select_t_v_code shows the menu, walks
// its rows and applies the method key to each code with the code families
// of engine/rules, the string editors and the hex entry, converts each code
// into its rule table (engine/model/rule_conversions.h) unless the network
// runs from its codes alone, and writes the last-rule files. The change box
// and the actions it shares with the single-rule dialog (empty, fill,
// repeat, load, table, the menu's frame) are rule_walk.h. Start at
// select_t_v_code.
#include "ui/rule_dialogs/code_dialog.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/code_families.h"
#include "engine/rules/rule_makers.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_conversions.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/rule_dialogs/rule_transform.h"
#include "ui/rule_dialogs/rule_walk.h"
#include "ui/rules/hex_entry.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/storage/file_dialog.h"
#include "ui/storage/last_rule.h"
#include "ui/string_editors/bit_grid.h"
#include "ui/string_editors/random_strings.h"

namespace {

bool
tcodes()
{
    return totalistic == rule_kind_tcodes;
}

// The sizes of one code of k inputs.
row_size
size_for(int k)
{
    row_size s;
    s.k = k;
    uint32_t entries = tcodes() ? tcode_entries(k) : kcode_entries(k);
    s.last = static_cast<int32_t>(entries) - 1;
    s.bytes = tcodes() ? tcode_bytes(k) : kcode_bytes(k);
    s.limit = max_dec_rule(s.last, value_range);
    s.kind = tcodes() ? 2 : 3;
    return s;
}

// The code's rule table from the code.
void
convert(uint8_t *rule, uint8_t *code, int k)
{
    if (tcodes())
        code2rule(rule, code, k);
    else
        v_code2rule(rule, code, k, 1);
}

// The row's number and hex bytes on a new line (set-up): a code, or the
// rule table made from it ('R').
void
show_code(const uint8_t *code, const row_size &s)
{
    next_line(xtext, 1.0f);
    char text[40];
    if (s.limit) {
        snprintf(text, sizeof text, "(dec)%lu", static_cast<unsigned long>(dec_equiv(code, s.last)));
        outtext(text);
    }
    outtext(" (hex)");
    print_current_bitstring_hexbytes(s.kind, code, s.k, Maxx, white, 0);
}

// 'x': the code on standard error, then its table or kcode listings.
void
list_code(uint8_t *code, const row_size &s, int index)
{
    char text[120];
    snprintf(text, sizeof text, "\n tablecodemax=%d nhood=%d, cindex=%d\n", s.last, nhood, index);
    fputs(text, stderr);
    list_row_values(code, s, !tcodes());
    if (tcodes()) {
        snprintf(text, sizeof text, "print full tcode-table (%d) to xterm -x:", s.last + 1);
        ask_line(text, 1, text_entry);
        if (is[0] != 'x')
            return;
        std::string out;
        for (int32_t i = s.last; i >= 0; i--)
            out += "\n " + std::to_string(i) + " -> " +
                   std::to_string(get_value(code, static_cast<uint32_t>(i)));
        out += "\n";
        fputs(out.c_str(), stderr);
        return;
    }
    snprintf(text, sizeof text,
             value_range == 3 ? "swap values-s, print vcode (%d) to xterm (vert/horiz/matrix)-v/h/m:"
                              : "swap values-s, print vcode (%d) to xterm (vert/horiz)-v/h:",
             s.last + 1);
    ask_line(text, 1, text_entry);
    if (is[0] == 's')
        swap_values_vcode(code, s.k);
    else if (is[0] == 'v')
        fprintf_vcode(0, code, s.k);
    else if (is[0] == 'h')
        fprintf_vcode(1, code, s.k);
    else if (is[0] == 'm' && value_range == 3)
        fprintf_vcode(2, code, s.k);
}

// 'k': the similar kcode of another k, listed and saved as that k's
// last-rule kcode file.
void
similar_kcode_of_other_k()
{
    char text[120];
    snprintf(text, sizeof text, "create similar to k%dv_code and save, enter diff k (def %d, max %d):",
             nhood, nhood + 1, Maxnhood);
    ask_line(text, 2, numeric_entry);
    uint32_t new_k = static_cast<uint32_t>(nhood + 1);
    if (is[0] != kKeyReturn && !entry_within(static_cast<uint64_t>(Maxnhood), &new_k))
        return;
    if (new_k < 1 || static_cast<int>(new_k) == nhood || static_cast<int>(new_k) > Maxnhood)
        return;
    int k = nhood, nk = static_cast<int>(new_k);
    std::vector<uint8_t> code = similar_kcode(v_code[0], k, nk);
    int last = static_cast<int>(kcode_entries(k)) - 1, new_last = static_cast<int>(kcode_entries(nk)) - 1;
    std::string out = "\nv_tablecodemax[" + std::to_string(k) + "]=" + std::to_string(last) + "\n";
    for (int i = last; i >= 0; i--)
        out += std::to_string(get_value(v_code[0], static_cast<uint32_t>(i)));
    out += "\nv_tablecodemax_new=" + std::to_string(new_last) + " nhood_new=" + std::to_string(nk) + "\n";
    for (int i = new_last; i >= 0; i--)
        out += std::to_string(get_value(code.data(), static_cast<uint32_t>(i)));
    out += "\n";
    fputs(out.c_str(), stderr);
    char name[64];
    snprintf(name, sizeof name, "%s%d%s%d%s", "l_v", value_range, "k", nk, ".vco");
    std::vector<uint8_t> file = {static_cast<uint8_t>(value_range), static_cast<uint8_t>(nk)};
    file.insert(file.end(), code.begin(), code.end());
    if (!write_file(name, file.data(), file.size()))
        file_error(name);
}

struct walk_state {
    int mode;
    int single;
    uint8_t **codes;
    uint8_t **rules;
    int count;
    int cell;
    char method = 'r';
    bool from_repeat = false;
    bool shown = false;     // the action showed the code itself
    bool converted = false; // the action set the rule table itself ('R')
};

// Edits the code as cells on a grid.
walk_after
edit(const row_size &s, uint8_t *code)
{
    define_bits(s.k, 2, code, s.last, 0);
    return is[0] == 'q' ? walk_after::quit : walk_after::next;
}

// A random code, walked until accepted. The walk writes a binary code's
// number and hex bytes under its picture itself, so the code is not
// written again on the line below.
walk_after
random_row(walk_state &w, const row_size &s, uint8_t *code)
{
    random_bits(s.k, 0, 2, 1, code, s.last);
    w.shown = value_range == 2;
    return is[0] == 'q' ? walk_after::quit : walk_after::next;
}

walk_after
apply(walk_state &w, int i, uint8_t *code, uint8_t *rule, const row_size &s)
{
    char text[120];
    w.from_repeat = w.shown = w.converted = false;
    switch (w.method) {
    case 'e':
    case 'f':
        return empty_or_fill_row(code, s, &w.method);
    case 'm':
        if (tcodes())
            majority_tcode(code, s.k, s.last);
        else
            majority_or_fprintf_vcode(1, code, s.k);
        return edit(s, code);
    case 'A':
        if (!tcodes())
            altenberg_kcode(code, s.k, s.last);
        return walk_after::next;
    case 'b':
        return edit(s, code);
    case 'h':
        define_hex(xtext, Maxx - 5, s.k, s.kind, code, s.bytes > 1 ? static_cast<int>(s.bytes) - 1 : 0, 0);
        if (is[0] == 'q')
            return walk_after::quit;
        return w.mode == 0 ? edit(s, code) : walk_after::next;
    case 'd': {
        uint32_t number = 0;
        bool typed = false;
        if (s.limit) {
            snprintf(text, sizeof text, "enter 0-%lu (def-rand):", static_cast<unsigned long>(s.limit));
            typed = ask_decimal(text, s, &number);
            if (is[0] == 'q')
                return walk_after::quit;
        }
        if (!typed) {
            outtext(" - too big! selecting rand");
            return random_row(w, s, code);
        }
        if (value_range == 2)
            dec_to_bit_line(code, number, s.last + 1);
        else
            dec_to_value_line(code, number, s.last + 1);
        return edit(s, code);
    }
    case 'p': {
        int loaded = !rulemix ? load_last_rule(w.codes[0], walk_k(1, 0, Maxu))
                              : load_repeat(code, w.codes, i, true, w.single, w.cell, s);
        w.shown = loaded && w.mode == 0;
        return repeat_row(loaded, w.mode, code, s, &w.method, &w.from_repeat);
    }
    case 'l': {
        walk_after loaded = load_last_row(code, s, w.cell, &w.method);
        if (loaded != walk_after::next)
            return loaded;
        if (w.mode == 0)
            show_code(rulemix || outer_tot ? code : w.codes[0], s);
        w.shown = true;
        return confirm_loaded(tcodes() ? "tcode loaded, revise-q, cont-ret:"
                                       : "kcode loaded, revise-q, cont-ret:",
                              w.count, &w.method);
    }
    case 't':
        ascii_table_row(code, s);
        w.method = 'b';
        return walk_after::menu;
    case 'R': {
        if (tot_only)
            return walk_after::next;
        convert(rule, code, s.k);
        int32_t rule_last = static_cast<int32_t>(rule_entries(s.k) - 1);
        define_bits(s.k, 1, rule, rule_last, 0);
        w.converted = w.shown = true;
        if (is[0] == 'q')
            return walk_after::quit;
        if (w.mode == 0)
            show_code(rule, row_size{s.k, rule_last, rule_bytes(s.k),
                                     max_dec_rule(rule_last, value_range), 1});
        return walk_after::next;
    }
    case 'k':
        if (!rulemix && !tcodes())
            similar_kcode_of_other_k();
        return walk_after::menu;
    case 'x':
        list_code(code, s, walk_row(w.single, i, w.cell));
        if (w.count == 1)
            w.method = 'b';
        return walk_after::menu;
    default:
        return random_row(w, s, code);
    }
}

bool
show_menu(walk_state &w, const row_size &s)
{
    char first[200], second[200];
    snprintf(first, sizeof first, "Select v%dk%d (table=%d) %s:%sempty-e fill-f printx/swap-x",
             value_range, s.k, s.last + 1, tcodes() ? "totalistic tcode" : "totalistic kcode",
             tot_only ? " " : " showrule-R ");
    snprintf(second, sizeof second,
             "maj-m%srand-r bits-b hex-h%srepeat-p load-l table-t k+-k (def-%c):",
             tcodes() ? " " : " Alt-A ", s.limit ? " dec-d " : " ", w.method);
    if (!ask_menu(w.mode, s, first, second))
        return false;
    char key = is[0];
    if (key != 0 && strchr("rRefxmAbhpltkd", key) && !(key == 'd' && !s.limit))
        w.method = key;
    return true;
}

} // namespace

int16_t
select_t_v_code(int mode, int single, uint8_t **codes, uint8_t **rules, int count, int cell)
{
    walk_state w{mode, single, codes, rules, count, cell};
    int16_t walk_top = gety;
    for (;;) {
        moveto(static_cast<int>(xtext * CWidth), walk_top);
        row_size first = size_for(walk_k(single, 0, cell));
        if (!show_menu(w, first))
            return gety;
        bool to_menu = false;
        for (int i = 0; i < count && !to_menu;) {
            row_size s = size_for(walk_k(single, i, cell));
            int r = walk_row(single, i, cell);
            uint8_t *code = w.codes[r];
            uint8_t *rule = tot_only ? nullptr : w.rules[r];
            if (mode == 0 && rulemix) {
                setfillstyle(0, black);
                bar(static_cast<int>(xtext * CWidth), walk_top + static_cast<int>(3.5 * CHeight),
                    Maxx, walk_clear_bottom());
                draw_prompt_box(1);
                char text[80];
                snprintf(text, sizeof text, "index=%d (v%dk%d kcodemix), def=%c, change-q:", i,
                         value_range, s.k, w.method);
                outtext(text);
                moveto(static_cast<int>(xtext * CWidth), walk_top + 2 * CHeight);
            }
            walk_after outcome = apply(w, i, code, rule, s);
            if (outcome == walk_after::restart_k) {
                // The network was rebuilt for the file's k: its rows are new.
                w.codes = tcodes() ? cacode : v_code;
                w.rules = carule;
            }
            if (outcome != walk_after::next) {
                to_menu = walk_ends(outcome, &i, count, &w.method, w.from_repeat);
                continue;
            }
            if (mode == 0 && !w.shown)
                show_code(rulemix || outer_tot ? code : w.codes[0], s);
            if (!tot_only && !w.converted) {
                if (rulemix)
                    convert(rule, code, s.k);
                else
                    convert(carule[0], w.codes[0], nhood);
            }
            if (rulemix && !forward_only_running()) {
                if (!tot_only)
                    rule_z_figures(s.k, rule);
                int8_t kind = totalistic;
                if (cell == Maxu)
                    totalistic = rule_kind_tables;
                show_rule_bottom(s.k, 0, rule, r);
                totalistic = kind;
            }
            i++;
        }
        if (to_menu)
            continue;
        if (mode == 0 && rulemix)
            return gety;
        if (mode == 0 && !tot_only) {
            // Solid, canalyzing inputs and a change of k turn a tcode into
            // a rule table, which this dialog cannot edit: 'q' goes back to
            // the menu only while the rule is still a code.
            // The method's lines begin on the line after the menu's two.
            int changed = transform_rule(0, walk_top + 3 * CHeight);
            if (changed == 0 && is[0] == 'q' && totalistic != rule_kind_tables)
                continue;
        }
        // The transformation may have rebuilt the network for another k or
        // made the rule a table: what is saved is the rule the network
        // holds now, not the rows the walk began with.
        if (!rulemix)
            save_single_rule(walk_k(1, 0, Maxu));
        if (is[0] == 'q')
            is[0] = 0;
        return gety;
    }
}
