// The walk helpers of the rule and code dialogs (rule_walk.h). The change
// box calls reselect_rule_prompts of the single-rule dialog
// (rule_dialog.h). Start at change_box.
#include "ui/rule_dialogs/rule_walk.h"

#include <cstdio>
#include <string>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/rules/rule_makers.h"
#include "ui/rule_dialogs/rule_dialog.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"

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

void
clear_menu_background(int mode)
{
    if (mode == 0) {
        setfillstyle(0, black);
        bar(static_cast<int>(xtext * CWidth), gety + CHeight, Maxx,
            value_range == 2 ? Maxy - vgay(50) : Maxy);
        return;
    }
    putimage(vgax(330), vgay(343), &boximage[5], 3);
    draw_box(-1, vgax(330), vgay(343), Maxx - 2, Maxy, 1, 0);
    moveto(vgax(340), gety);
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

walk_change
change_box(int *index, int count, char *method, bool from_repeat)
{
    char text[100];
    snprintf(text, sizeof text, "change: index(%d)-i, start again-a, selection-s, cont-ret:",
             *index);
    ask_line(text, 1, 0);
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
forward_only_running()
{
    return secondpart && direction == 'f' && limitcheck == 0;
}

void
k_memory::size(size_t (*bytes)(int k))
{
    mark.assign(static_cast<size_t>(Maxnhood) + 1, 0);
    rule.assign(static_cast<size_t>(Maxnhood) + 1, {});
    for (int k = 1; k <= nhood; k++)
        rule[static_cast<size_t>(k)].assign(bytes(k), 0);
}
