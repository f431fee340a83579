// The component-type table of a neutral-order field (show_neutral_info):
// rows of the engine's table (engine/backward/neutral_components.h) paged
// in a box at the right of the window, with a jump to any row. Start at
// show_neutral_info.
#include "ui/backward/neutral_info.h"

#include <cstdio>
#include <string>

#include "engine/backward/globals.h"
#include "engine/backward/neutral_buffers.h"
#include "engine/backward/neutral_components.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"

namespace {

// One page from row first; returns the row after the page's last.
uint32_t
draw_page(int left, int top, int margin, uint32_t first)
{
    setfillstyle(0, black);
    bar(left, top, Maxx - 2, Maxy - 2);
    setcolor(lightred);
    rectangle(left, top, Maxx - 2, Maxy - 2);
    setcolor(white);
    char text[80];
    moveto(margin, top + vgay(3));
    snprintf(text, sizeof text, "total components=%d", static_cast<int>(totbasinsinfield));
    outtext(text);
    moveto(margin, gety + CHeight);
    outtext("type size freq");
    int last_y = Maxy - vgay(20) - 3 * CHeight;
    uint32_t row = first;
    for (; row < comp_type_tot && gety + CHeight <= last_y; row++) {
        moveto(margin, gety + CHeight);
        snprintf(text, sizeof text, "%lu: %lu  %lu ", static_cast<unsigned long>(row) + 1,
                 static_cast<unsigned long>(comp_type[row][0]),
                 static_cast<unsigned long>(comp_type[row][1]));
        outtext(text);
    }
    return row;
}

// The pages until the user leaves them.
void
page_component_types()
{
    int left = Maxx - vgax(120), top = vgay(45);
    int margin = left + vgax(3);
    int prompt_y = Maxy - vgay(10) - 2 * CHeight;
    image_slot under = 0;
    getimage(left, top, Maxx - 2, Maxy - 2, &under);
    int colour = getcolor();
    uint32_t first = 0;
    uint32_t last_row = comp_type_tot ? comp_type_tot - 1 : 0;
    for (;;) {
        uint32_t next = draw_page(left, top, margin, first);
        moveto(margin, prompt_y);
        outtext(next < comp_type_tot ? "quit-q jump-j more-ret:" : "quit-q jump-j review-ret:");
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
        char text[48];
        snprintf(text, sizeof text, "jump to index (0-%lu):", static_cast<unsigned long>(last_row));
        outtext(text);
        input_string(static_cast<int>(std::to_string(last_row).size()), numeric_entry);
        long long row = entry_leading_number();
        if (row < 0 || row > static_cast<long long>(last_row))
            break;
        first = static_cast<uint32_t>(row);
    }
    if (under) {
        putimage(left, top, &under, 0);
        freeimage(&under);
    }
    setcolor(colour);
}

} // namespace

void
show_neutral_info()
{
    restore_network_buffs();
    sort_component_types();
    if (mouse_found && comp_type)
        page_component_types();
    free_component_types();
}
