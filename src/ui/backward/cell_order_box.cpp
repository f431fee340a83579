// The cell order box (cell_order_box.h). Reads cell_order, L and
// mutant_layout (backward and model globals); draws through the screen
// layer. The box is one line high in the prompt box's place, so that
// whatever is drawn at the top right next covers all of it or none: a
// taller box there would be cut by a shorter prompt box and by the progress
// bar below it, and written over by the second line of the field's summary.
#include "ui/backward/cell_order_box.h"

#include <climits>
#include <cstdio>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/globals.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/window.h"

namespace {

int
width_of(const std::string &text)
{
    return text_pixel_width(text.c_str(), static_cast<int>(text.size()));
}

} // namespace

std::string
cell_order_line(int margin, int right)
{
    std::string line = "reorder=";
    std::vector<size_t> ends; // the line's length before each cell
    for (uint32_t pos = L + 1; pos-- > 0;) {
        char item[16];
        snprintf(item, sizeof item, "%d ", static_cast<int>(cell_order[pos]));
        if (margin + width_of(line + item) > right) {
            // Room for the mark: cells taken off the end until it fits.
            while (!ends.empty() && margin + width_of(line + "...") > right) {
                line.erase(ends.back());
                ends.pop_back();
            }
            return line + "...";
        }
        ends.push_back(line.size());
        line += item;
    }
    return line;
}

void
draw_cell_order_box()
{
    if (!mouse_found || mutant_layout || !cell_order)
        return;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    {
        // In the medium font where the whole order is wider than the box in
        // the normal one: more cells are shown, and the box is no taller.
        prompt_font font({cell_order_line(0, INT_MAX)});
        int margin = prompt_box_text(Maxx);
        std::string line = cell_order_line(margin, box_right_edge(Maxx) - 3);
        draw_box(-1, prompt_box_left(Maxx), 2, box_right_edge(Maxx), prompt_box_bottom(1), 1, 0);
        setcolor(white);
        moveto(margin, 2 + 3);
        outtext(line.c_str());
    }
    setcolor(colour);
    moveto(x, y);
}
