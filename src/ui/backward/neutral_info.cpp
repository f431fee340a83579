// The component-type table of a neutral-order field (show_neutral_info):
// rows of the engine's table (engine/backward/neutral_components.h) paged
// in a box at the right of the window, with a jump to any row. Start at
// show_neutral_info.
#include "ui/backward/neutral_info.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/backward/globals.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/backward/neutral_components.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/question_table.h"
#include "ui/screen/window.h"

namespace {

const char *const kMorePrompt = "quit-q jump-j more-ret:";
const char *const kReviewPrompt = "quit-q jump-j review-ret:";

std::string
total_text(uint64_t components)
{
    return "total components=" + std::to_string(components);
}

std::string
jump_prompt(uint32_t last_row)
{
    return "jump to index (0-" + std::to_string(last_row) + "):";
}

// A row of the table: its number from 1, the component size and how many
// components have it.
std::string
row_text(uint32_t number, uint32_t size, uint32_t frequency)
{
    char text[80];
    snprintf(text, sizeof text, "%lu: %lu  %lu ", static_cast<unsigned long>(number),
             static_cast<unsigned long>(size), static_cast<unsigned long>(frequency));
    return text;
}

std::string
row_text(uint32_t row)
{
    return row_text(row + 1, comp_type[row][0], comp_type[row][1]);
}

// The widest line the box can hold for the field's n! orders (statespace
// + 1), whatever its counts come to: so the field, laid out before they
// are known, keeps clear of the box. Its title with every order a
// component; its rows: a size and a frequency each at most n! or the
// table's 16 bits, and no more rows than distinct sizes of components
// adding up to n! at most (k of them take at least 1 + 2 + ... + k
// orders); and its prompts with the entry after them.
int
widest_line()
{
    const uint64_t orders = static_cast<uint64_t>(statespace) + 1;
    const uint32_t most = static_cast<uint32_t>(std::min<uint64_t>(orders, 65535));
    uint32_t rows = static_cast<uint32_t>((std::sqrt(8.0 * static_cast<double>(orders) + 1) - 1) / 2);
    rows = std::max<uint32_t>(1, std::min(rows, most));
    std::string total = total_text(orders), row = row_text(rows, most, most);
    int widest = std::max(text_pixel_width(total.c_str(), static_cast<int>(total.size())),
                          text_pixel_width(row.c_str(), static_cast<int>(row.size())));
    for (const char *prompt : {kMorePrompt, kReviewPrompt})
        widest = std::max(widest, text_pixel_width(prompt, static_cast<int>(strlen(prompt))) +
                                      CWidth);
    std::string jump = jump_prompt(rows - 1);
    int digits = static_cast<int>(std::to_string(rows - 1).size());
    return std::max(widest, text_pixel_width(jump.c_str(), static_cast<int>(jump.size())) +
                                (digits + 1) * CWidth);
}

// The box's bottom row: above the rule box at the window's foot, whose
// right end it would run over.
int
table_bottom()
{
    return tallest_rule_box_top() - 2;
}

// One page from row first; returns the row after the page's last.
uint32_t
draw_page(int left, int top, int margin, uint32_t first)
{
    const int bottom = table_bottom();
    setfillstyle(0, black);
    bar(left, top, Maxx - 2, bottom);
    setcolor(lightred);
    rectangle(left, top, Maxx - 2, bottom);
    setcolor(white);
    moveto(margin, top + vgay(3));
    outtext(total_text(totbasinsinfield).c_str());
    moveto(margin, gety + CHeight);
    outtext("type size freq");
    int last_y = bottom + 2 - vgay(20) - 3 * CHeight;
    uint32_t row = first;
    for (; row < comp_type_tot && gety + CHeight <= last_y; row++) {
        moveto(margin, gety + CHeight);
        outtext(row_text(row).c_str());
    }
    return row;
}

// The pages until the user leaves them.
void
page_component_types()
{
    int left = component_table_left(), top = vgay(45);
    int margin = left + vgax(3);
    int prompt_y = table_bottom() + 2 - vgay(10) - 2 * CHeight;
    image_slot under = 0;
    getimage(left, top, Maxx - 2, table_bottom(), &under);
    int colour = getcolor();
    uint32_t first = 0;
    uint32_t last_row = comp_type_tot ? comp_type_tot - 1 : 0;
    for (;;) {
        uint32_t next = draw_page(left, top, margin, first);
        moveto(margin, prompt_y);
        outtext(next < comp_type_tot ? kMorePrompt : kReviewPrompt);
        input_string(1, text_entry);
        char key = is[0];
        if (key == kKeyReturn) {
            first = next < comp_type_tot ? next : 0;
            continue;
        }
        if (key != 'j')
            break;
        setfillstyle(0, black);
        bar(margin, prompt_y, Maxx - 4, prompt_y + CHeight);
        moveto(margin, prompt_y);
        outtext(jump_prompt(last_row).c_str());
        int len = input_string(static_cast<int>(std::to_string(last_row).size()), numeric_entry);
        if (len == 0) // Return or 'q'
            break;
        first = static_cast<uint32_t>(whole_answer_held(first, {0, static_cast<double>(last_row)}, len));
    }
    if (under) {
        putimage(left, top, &under, 0);
        freeimage(&under);
    }
    setcolor(colour);
}

} // namespace

int
component_table_left()
{
    // The text keeps a margin of vgax(3) from the frame on either side.
    return std::min<int>(Maxx - vgax(120), Maxx - 2 - widest_line() - 2 * vgax(3));
}

void
show_neutral_info()
{
    restore_network_buffs();
    sort_component_types();
    if (mouse_found && comp_type)
        page_component_types();
    free_component_types();
}
