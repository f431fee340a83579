// The walk helpers of the rule and code dialogs (rule_walk.h): the menu, the
// method actions both dialogs share, and the change box, which calls
// reselect_rule_prompts of the single-rule dialog (rule_dialog.h). Start at
// repeat_row and change_box.
#include "ui/rule_dialogs/rule_walk.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/rules/rule_makers.h"
#include "ui/model/cell_display.h"
#include "ui/model/rule_parameters.h"
#include "ui/rule_dialogs/rule_dialog.h"
#include "ui/rule_dialogs/rule_revision.h"
#include "ui/rules/hex_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/window.h"
#include "ui/storage/ascii_table.h"
#include "ui/storage/last_rule.h"
#include "ui/string_editors/bit_grid.h"

int
walk_row(int single, int i, int cell)
{
    if (single)
        return cell == Maxu ? 0 : cell;
    return i;
}

int
walk_k(int single, int i, int cell)
{
    if (single)
        return cell == Maxu || !nhoodm ? nhood : nhoodm[cell];
    if (nhood_mixed && cell == Maxu && nhoodm && i < lineL)
        return nhoodm[i];
    return nhood;
}

int
walk_clear_bottom()
{
    return value_range == 2 ? tallest_rule_box_top() - 1 : Maxy;
}

namespace {

// Clears the text column below the current row (set-up) or puts the revise
// box back (revise), before the menu is written.
void
clear_menu_background(int mode)
{
    if (mode == 0) {
        setfillstyle(0, black);
        bar(static_cast<int>(xtext * CWidth), gety + CHeight, Maxx, walk_clear_bottom());
        return;
    }
    const figure_box_place box = revise_box();
    putimage(box.x0, box.y0, &boximage[5], 3);
    draw_box(-1, box.x0, box.y0, box.x1, box.y1, 1, 0);
    moveto(revise_text_left(), gety);
}

// The last column a menu line may reach: inside the revise box's frame,
// which ends at the window's right edge as the set-up's text column does
// unless a key panel is kept there.
int
menu_right()
{
    return revise_box().x1 - 3;
}

} // namespace

bool
ask_menu(int mode, const row_size &s, const char *first, const char *second)
{
    setcolor(white);
    set_cellscale(s.k, s.kind == 1 ? 1 : 2);
    clear_menu_background(mode);
    // The rows are the normal font's, so that what the dialog writes below
    // the menu keeps its place whichever font the menu takes.
    int left = static_cast<int>(xtext * CWidth);
    int first_row = gety + CHeight, second_row = first_row + CHeight;
    // The second line is measured with room for the answer and the cursor.
    std::string answered = std::string(second) + "00";
    font_while font({first, answered}, menu_right() - left, {set_medium_font, set_small_font});
    moveto(left, first_row);
    outtext(first);
    moveto(left, second_row);
    outtext(second);
    input_string(1, text_entry);
    return is[0] != 'q';
}

int
ask_line(const char *text, int max, int mode)
{
    int16_t x = getx, y = gety;
    draw_prompt_box(1);
    outtext(text);
    int len = input_string(max, mode);
    erase_prompt_box(1);
    moveto(x, y);
    return len;
}

bool
entry_within(uint64_t limit, uint32_t *number)
{
    std::string text = entry_text();
    return typed_number_within(text.c_str(), text.size(), limit, number);
}

walk_after
empty_or_fill_row(uint8_t *row, const row_size &s, char *method)
{
    if (*method == 'e') {
        memset(row, 0, s.bytes);
    } else {
        char text[40];
        snprintf(text, sizeof text, "fill with value 0-%d:", value_range - 1);
        ask_line(text, 1, numeric_entry);
        uint32_t value;
        if (entry_within(static_cast<uint64_t>(value_range - 1), &value))
            for (int32_t e = 0; e <= s.last; e++)
                set_value(row, static_cast<uint32_t>(e), static_cast<int>(value));
    }
    *method = 'b';
    return walk_after::menu;
}

bool
ask_decimal(const char *prompt, const row_size &s, uint32_t *number)
{
    next_line(xtext, 1.0f);
    outtext(prompt);
    input_string(static_cast<int>(std::to_string(s.limit).size()), numeric_entry);
    return is[0] != 'q' && entry_within(s.limit, number);
}

int
load_repeat(uint8_t *row, uint8_t **rows, int i, bool copy_previous, int single, int cell,
            const row_size &s)
{
    if (copy_previous && i > 0 && walk_k(single, i - 1, cell) == s.k) {
        memcpy(row, rows[i - 1], s.bytes);
        return s.k;
    }
    return load_last_rule(row, s.k);
}

walk_after
repeat_row(int loaded, int mode, uint8_t *row, const row_size &s, char *method, bool *from_repeat)
{
    *method = 'b';
    if (!loaded) {
        *from_repeat = true;
        return walk_after::quit;
    }
    if (mode == 0) {
        next_line(xtext, 1.0f);
        if (s.limit) {
            char text[40];
            snprintf(text, sizeof text, "(dec)%lu ", static_cast<unsigned long>(dec_equiv(row, s.last)));
            outtext(text);
        }
        // A long row's hex would run off the line.
        if (s.bytes < 21) {
            outtext("(hex)");
            print_current_bitstring_hexbytes(s.kind, row, s.k, Maxx, white, 0);
        }
    }
    define_bits(s.k, s.kind == 1 ? 1 : 2, row, s.last, 0);
    *from_repeat = is[0] == 'q';
    return is[0] == 'q' ? walk_after::quit : walk_after::next;
}

walk_after
load_last_row(uint8_t *row, const row_size &s, int cell, char *method)
{
    int k = loadlast_rule_tcode_vcode(row, s.k, s.last, cell);
    if (k <= 0)
        return walk_after::quit;
    if (k != s.k) {
        *method = 'b';
        return walk_after::restart_k;
    }
    return walk_after::next;
}

walk_after
confirm_loaded(const char *text, int count, char *method)
{
    ask_line(text, 1, text_entry);
    if (count == 1)
        *method = 'b';
    return is[0] == 'q' ? walk_after::quit : walk_after::next;
}

void
ascii_table_row(uint8_t *row, const row_size &s)
{
    char text[60];
    snprintf(text, sizeof text, "table (%d) as ascii string, load/save-l/s:", s.last + 1);
    ask_line(text, 1, text_entry);
    if (is[0] == 'l' || is[0] == 's')
        load_ascii_rule_table(is[0], row, s.k, s.last);
}

void
list_row_values(const uint8_t *row, const row_size &s, bool with_counts)
{
    // The hex bytes go to standard error, whatever pdata says.
    uint8_t keep_pdata = pdata;
    pdata = data_basins;
    fputs("\n", stderr);
    print_current_bitstring_hexbytes(s.kind, row, s.k, Maxx, white, 3);
    pdata = keep_pdata;
    std::string out = "\n";
    int counts[8] = {};
    for (int32_t i = s.last; i >= 0; i--) {
        int value = get_value(row, static_cast<uint32_t>(i));
        counts[value]++;
        out += std::to_string(value);
    }
    if (with_counts) {
        out += "\nvfreq = ";
        int sum = 0;
        for (int c = value_range - 1; c >= 0; c--) {
            out += std::to_string(counts[c]) + " ";
            sum += counts[c];
        }
        out += "= " + std::to_string(sum);
        if (sum != s.last + 1)
            out += " !=tablesize=" + std::to_string(s.last + 1) + ": ERROR";
    }
    out += "\n";
    fputs(out.c_str(), stderr);
}

walk_change
change_box(int *index, int count, char *method, bool from_repeat)
{
    char text[100];
    snprintf(text, sizeof text, "change: index(%d)-i, start again-a, selection-s, cont-ret:",
             *index);
    ask_line(text, 1, text_entry);
    char key = is[0];
    if (key == 'q' || key == 'a') {
        if (from_repeat)
            *method = 'b';
        return walk_change::menu;
    }
    if (key == 's') {
        char chosen = reselect_rule_prompts(*index, *method);
        if (chosen == 'q')
            return walk_change::menu;
        *method = chosen;
        return walk_change::same_index;
    }
    if (key == 'i')
        *index = reselect_rule_index(*index, count);
    return walk_change::same_index;
}

bool
walk_ends(walk_after outcome, int *index, int count, char *method, bool from_repeat)
{
    if (outcome != walk_after::quit || count == 1)
        return true;
    return change_box(index, count, method, from_repeat) == walk_change::menu;
}

bool
forward_only_running()
{
    return secondpart && direction == direction_forward && limitcheck == 0;
}

void
k_memory::size(size_t (*bytes)(int k))
{
    mark.assign(static_cast<size_t>(Maxnhood) + 1, 0);
    rule.assign(static_cast<size_t>(Maxnhood) + 1, {});
    for (int k = 1; k <= nhood; k++)
        rule[static_cast<size_t>(k)].assign(bytes(k), 0);
}
