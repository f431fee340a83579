// The single-rule dialog (rule_dialog.h): select_rule shows the menu, then
// walks its rows, asking per index in a rule mix, and applies the method
// key to each row with the families of engine/rules, the string editors of
// ui/string_editors and ui/rules/hex_entry.h, the last-rule and ASCII files
// of ui/storage. The change box, the per-k memory and the actions it shares
// with the code dialog (empty, fill, repeat, load, table, the menu's frame)
// are rule_walk.h. Start at select_rule.
#include "ui/rule_dialogs/rule_dialog.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_line.h"
#include "engine/rules/rule_families.h"
#include "engine/rules/rule_makers.h"
#include "engine/rules/symmetric_rules.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_parameters.h"
#include "ui/model/rule_readout.h"
#include "ui/rule_dialogs/rule_transform.h"
#include "ui/rule_dialogs/rule_walk.h"
#include "ui/rules/hex_entry.h"
#include "ui/rules/hex_readout.h"
#include "ui/rules/rule_families.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/window.h"
#include "ui/storage/last_rule.h"
#include "ui/string_editors/bit_grid.h"
#include "ui/string_editors/random_strings.h"

namespace {

// The sizes of one rule row of k inputs.
row_size
size_for(int k)
{
    row_size s;
    s.k = k;
    s.last = static_cast<int32_t>(rule_entries(k) - 1);
    s.bytes = rule_bytes(k);
    s.limit = max_dec_rule(s.last, value_range);
    s.kind = 1;
    return s;
}

bool
menu_key(char key, const row_size &s)
{
    if (key == 0 || !strchr("efmxAcrsSRbhpltdL", key))
        return false;
    if (key == 'd' && !s.limit)
        return false;
    return !(key == 'L' && s.k < 5);
}

// The rule drawn below the current line at the cell scale (set-up only).
void
show_row(int mode, const uint8_t *row, const row_size &s)
{
    if (mode != 0)
        return;
    next_line(xtext, 1.0f);
    int width = set_cellscale(s.k, 1);
    print_layered_bitstring(width, row, s.last, cellscale, cellsep, tallest_rule_box_top() - 2, 1);
    next_line(xtext, 1.0f);
}

void
write_decimal(const char *format, int k, const uint8_t *row, const row_size &s)
{
    char text[80];
    snprintf(text, sizeof text, format, k, static_cast<unsigned long>(dec_equiv(row, s.last)));
    outtext(text);
}

// 'x': the rule on standard error, then optionally every entry with its
// neighbourhood.
void
list_rule(const uint8_t *row, const row_size &s)
{
    list_row_values(row, s, true);
    char text[80];
    snprintf(text, sizeof text, "print full rule-table (%d) to xterm -x:", s.last + 1);
    ask_line(text, 1, text_entry);
    if (is[0] != 'x')
        return;
    std::string out;
    for (int32_t i = s.last; i >= 0; i--) {
        out += "\n " + std::to_string(i) + ": ";
        for (int j = nhood - 1; j >= 0; j--)
            out += std::to_string(get_value(nm[j], static_cast<uint32_t>(i)));
        out += " -> " + std::to_string(get_value(row, static_cast<uint32_t>(i)));
    }
    out += "\n";
    fputs(out.c_str(), stderr);
}

// One row of the walk: the state a method's action reads and writes.
struct walk_state {
    int mode;
    int single;
    uint8_t **rules;
    int count;
    int cell;
    char method = 'r';
    bool from_repeat = false;
};

// Applies the method to row i.
walk_after
apply(walk_state &w, int i, uint8_t *row, const row_size &s)
{
    char text[120];
    int index = walk_row(w.single, i, w.cell);
    w.from_repeat = false;
    switch (w.method) {
    case 'e':
    case 'f':
        return empty_or_fill_row(row, s, &w.method);
    case 'c':
        chain_rule(row, s.k, s.last, index);
        break;
    case 'm':
        majority_rule(row, s.k, s.last);
        show_row(w.mode, row, s);
        break;
    case 'A':
        altenberg_rule(row, s.k, s.last);
        show_row(w.mode, row, s);
        break;
    case 'R':
        set_reaction_diffusion_rule(row, s.k, s.last);
        if (is[0] == 'q')
            return walk_after::quit;
        show_row(w.mode, row, s);
        break;
    case 's':
    case 'S':
        symmetric_rule(w.method, row, s.k, s.last);
        show_row(w.mode, row, s);
        break;
    case 'L':
        life_rule(row, s.k, s.last);
        show_row(w.mode, row, s);
        break;
    case 'b':
        define_bits(s.k, 1, row, s.last, 0);
        if (is[0] == 'q')
            return walk_after::quit;
        if (w.mode == 0 && s.limit)
            write_decimal(" rule%d=(dec)%lu (hex)", s.k, row, s);
        break;
    case 'h': {
        int corrected = define_hex(xtext, Maxx - 5, s.k, 1, row, s.bytes > 1 ? static_cast<int>(s.bytes) - 1 : 0, 0);
        if (is[0] == 'q')
            return walk_after::quit;
        // A one-byte v = 2 table keeps no bits past its entries.
        if (value_range == 2 && s.k < 3)
            row[0] &= s.k == 1 ? 0x03 : 0x0f;
        show_row(w.mode, row, s);
        if (w.mode == 0 && corrected)
            outtext(" some values corrected:  ");
        if (w.mode == 0 && s.limit)
            write_decimal("rule%d=(dec)%lu", s.k, row, s);
        break;
    }
    case 'd': {
        if (!s.limit) {
            random_bits(s.k, 0, 1, 1, row, s.last);
            break;
        }
        snprintf(text, sizeof text, "k%d rule, enter 0-%lu (def-rand):", s.k,
                 static_cast<unsigned long>(s.limit));
        uint32_t number;
        if (ask_decimal(text, s, &number)) {
            dec_to_value_line(row, number, static_cast<int>(s.last + 1));
            if (w.mode == 0) {
                write_decimal(" rule%d=(dec)%lu (hex)", s.k, row, s);
                print_current_bitstring_hexbytes(1, row, s.k, Maxx, white, 0);
            }
        } else {
            random_bits(s.k, 0, 1, 1, row, s.last);
        }
        if (is[0] == 'q')
            return walk_after::quit;
        break;
    }
    case 'p': {
        int loaded = load_repeat(row, w.rules, i, !w.single, w.single, w.cell, s);
        return repeat_row(loaded, w.mode, row, s, &w.method, &w.from_repeat);
    }
    case 'l': {
        walk_after loaded = load_last_row(row, s, w.cell, &w.method);
        if (loaded != walk_after::next)
            return loaded;
        show_row(w.mode, rulemix ? row : carule[0], s);
        return confirm_loaded("rule loaded, revise-q, cont-ret:", w.count, &w.method);
    }
    case 't':
        ascii_table_row(row, s);
        if (w.count == 1)
            w.method = 'b';
        return walk_after::menu;
    case 'x':
        list_rule(row, s);
        if (w.count == 1)
            w.method = 'b';
        return walk_after::menu;
    default:
        random_bits(s.k, 0, 1, 1, row, s.last);
        if (is[0] == 'q')
            return walk_after::quit;
        break;
    }
    return walk_after::next;
}

// The menu: returns false when the user backed out with 'q'.
bool
show_menu(walk_state &w, const row_size &s)
{
    char first[160], second[160];
    snprintf(first, sizeof first, "Select v%d k%d rule, empty-e fill-f maj-m printxterm-x Alt-A%schain-c",
             value_range, s.k, s.k >= 5 ? " life-L " : " ");
    snprintf(second, sizeof second,
             "rnd-r sym-s legal-S RD-R bits-b hex-h%srepeat-p load-l table-t (def-%c): ",
             s.limit ? " dec-d " : " ", w.method);
    if (!ask_menu(w.mode, s, first, second))
        return false;
    if (menu_key(is[0], s))
        w.method = is[0];
    return true;
}

// The index prompt of a walk in a rule mix (set-up).
std::string
index_question(const walk_state &w, int i, const row_size &s)
{
    char text[120];
    bool offer_all = w.method == 'c' || w.method == 'A' || w.method == 'R';
    snprintf(text, sizeof text, "index=%d (v%dk%d rulemix), def=%c, change-q%s", i, value_range,
             s.k, w.method, offer_all ? ", all remaining-a:" : ":");
    return text;
}

// Asks the index prompt (index_question) from the current point in the
// prompt box whose text margin is margin: false when the user chose the
// change box with 'q'.
bool
ask_index(walk_state &w, bool *all_remaining, const char *question, int margin)
{
    if (*all_remaining)
        return true;
    write_prompt_part(question, 1, margin);
    input_string(1, text_entry);
    char key = is[0];
    if (key == 'q')
        return false;
    if (key == 'a') {
        if (strchr("cAsS", w.method))
            *all_remaining = true;
    } else if (key != 0 && strchr("mfhplALdrebctsS", key)) {
        w.method = key;
    }
    return true;
}

} // namespace

int16_t
select_rule(int mode, int single, uint8_t **rules, int count, int cell)
{
    walk_state w{mode, single, rules, count, cell};
    bool per_k = nhood_mixed && cell == Maxu && !single;
    k_memory memory;
    int16_t walk_top = gety;
    for (;;) {
        // The menu.
        moveto(static_cast<int>(xtext * CWidth), walk_top);
        row_size first = size_for(walk_k(single, 0, cell));
        if (!show_menu(w, first))
            return gety;
        if (per_k)
            memory.size(rule_bytes);
        bool all_remaining = false, to_menu = false;
        for (int i = 0; i < count && !to_menu;) {
            row_size s = size_for(walk_k(single, i, cell));
            uint8_t *row = w.rules[walk_row(single, i, cell)];
            bool asked = true;
            if (mode == 0 && rulemix) {
                // The previous index's lines go, from the line after the
                // menu's two (a line below walk_top), where a method's first
                // line stands (the random method's keys), down.
                setfillstyle(0, black);
                bar(static_cast<int>(xtext * CWidth), walk_top + 3 * CHeight, Maxx, walk_clear_bottom());
                // Per k, the index and the question whether this k's cell
                // is the last one's come first; the box is as tall as its
                // lines take broken to its width, with room for the echo
                // of each answer.
                uint8_t *mark = per_k ? &memory.mark[static_cast<size_t>(s.k)] : nullptr;
                const bool kept = mark && i > 0 && *mark;
                const bool ask_same = kept && *mark != 'a';
                char head[32], same_question[80];
                snprintf(head, sizeof head, "index=%d: ", i);
                snprintf(same_question, sizeof same_question,
                         "set this k%d cell same as last-s, all remaining-a, cont-ret:", s.k);
                const prompt_part first[] = {{head, 0}, {same_question, 1}};
                const std::string question = index_question(w, i, s);
                const prompt_part last = {question.c_str(), 1};
                int lines = prompt_parts_lines(&last, 1);
                if (per_k)
                    lines += prompt_parts_lines(first, ask_same ? 2 : 1);
                int margin = draw_prompt_box(lines);
                if (per_k) {
                    write_prompt_part(head, 0, margin);
                    bool same = kept && !ask_same;
                    if (ask_same) {
                        write_prompt_part(same_question, 1, margin);
                        input_string(1, text_entry);
                        same = is[0] == 's' || is[0] == 'a';
                        if (is[0] == 'a')
                            *mark = 'a';
                    }
                    if (same) {
                        memcpy(row, memory.rule[static_cast<size_t>(s.k)].data(), s.bytes);
                        erase_prompt_box(lines);
                        i++;
                        continue;
                    }
                    moveto(margin, gety + CHeight);
                }
                asked = ask_index(w, &all_remaining, question.c_str(), margin);
                erase_prompt_box(lines);
                moveto(static_cast<int>(xtext * CWidth), walk_top + 2 * CHeight);
            }
            walk_after outcome = asked ? apply(w, i, row, s) : walk_after::quit;
            // The network was rebuilt for the file's k: its rows are new.
            if (outcome == walk_after::restart_k)
                w.rules = carule;
            if (outcome != walk_after::next) {
                to_menu = walk_ends(outcome, &i, count, &w.method, w.from_repeat);
                continue;
            }
            if (rulemix) {
                if (!forward_only_running()) {
                    rule_z_figures(s.k, row);
                    show_rule_bottom(s.k, 0, row, walk_row(single, i, cell));
                }
                if (per_k && memory.mark[static_cast<size_t>(s.k)] != 'a') {
                    memory.mark[static_cast<size_t>(s.k)] = 1;
                    memcpy(memory.rule[static_cast<size_t>(s.k)].data(), row, s.bytes);
                }
            }
            i++;
        }
        if (to_menu)
            continue;
        if (rulemix)
            return gety;
        if (mode == 0) {
            // The method's lines begin on the line after the menu's two.
            if (transform_rule(0, walk_top + 3 * CHeight) == 0 && is[0] == 'q')
                continue;
        } else {
            save_last_rule(carule[0], nhood);
        }
        if (is[0] == 'q')
            is[0] = 0;
        return gety;
    }
}

char
reselect_rule_prompts(int index, char method)
{
    int16_t x = getx, y = gety;
    int k = nhood_mixed && nhoodm && index < lineL ? nhoodm[index] : nhood;
    bool tables = totalistic == rule_kind_tables;
    bool decimal = (value_range == 2 && k <= 5) || (value_range <= 4 && k <= 2);
    char first[160];
    snprintf(first, sizeof first, "index=%d (v%dk%d), change selection method (now %c), abort-q",
             index, value_range, k, method);
    const char *families = k > 4 ? "maj-m Alt-A life-L chain-c rand-r sym-s legal-S Post-P"
                                 : "maj-m Alt-A chain-c rand-r sym-s legal-S Post-P";
    const char *methods = !tables  ? "maj=m dec-d random-r bits-b hex-h repeat-p:"
                          : !decimal ? "bits-b hex-h repeat-p load-l:"
                          : value_range == 2 && k <= 4 ? "bits-b hex-h dec-d repeat-p load-l: "
                                                       : "bits-b hex-h dec-d repeat-p load-l (def-rand): ";
    // Each line broken to the box's width, the last with room for the
    // answer's echo: the box as tall as that takes.
    std::vector<prompt_part> lines = {{first, 0}};
    if (tables)
        lines.push_back({families, 0});
    lines.push_back({methods, 1});
    int count = 0;
    for (const prompt_part &line : lines)
        count += prompt_parts_lines(&line, 1);
    get_prompt_box(5, count);
    int margin = draw_prompt_box(count);
    for (size_t i = 0; i < lines.size(); i++) {
        if (i > 0)
            moveto(margin, gety + CHeight);
        write_prompt_part(lines[i].text, lines[i].entry, margin);
    }
    input_string(1, text_entry);
    char key = is[0], chosen = method;
    if (key == 'q')
        chosen = 'q';
    else if (tables && ((key == 'L' && k >= 5) || (key == 'd' && decimal) ||
                        (key != 0 && strchr("sSmAbhprcl", key))))
        chosen = key;
    else if (!tables && key != 0 && strchr("dbhpr", key))
        chosen = key;
    erase_prompt_box(count);
    putimage(Maxx / 2, 2, &boximage_prompt[5], 3);
    freeimage(&boximage_prompt[5]);
    moveto(x, y);
    return chosen;
}

int
reselect_rule_index(int index, int count)
{
    char text[80];
    snprintf(text, sizeof text, "this index=%d, enter new index 0-%d:", index, count - 1);
    ask_line(text, 4, numeric_entry);
    uint32_t n;
    if (count > 0 && entry_within(static_cast<uint64_t>(count - 1), &n))
        return static_cast<int>(n);
    return index;
}
