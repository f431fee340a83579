// The cell order box (cell_order_box.h). Reads cell_order, L and
// mutant_layout (backward and model globals); draws through the screen
// layer. The box is one line high in the prompt box's place, so that
// whatever is drawn at the top right next covers all of it or none: a
// taller box there would be cut by a shorter prompt box and by the progress
// bar below it, and written over by the second line of the field's summary.
#include "ui/backward/cell_order_box.h"

#include <cstdio>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/globals.h"
#include "ui/screen/box_places.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"

namespace {

// "reorder=" and every cell of the order, with the places the line may be
// cut at: before each cell.
std::string
cell_order_text(std::vector<size_t> &cuts)
{
    std::string line = "reorder=";
    for (uint32_t pos = L + 1; pos-- > 0;) {
        cuts.push_back(line.size());
        char item[16];
        snprintf(item, sizeof item, "%d ", static_cast<int>(cell_order[pos]));
        line += item;
    }
    return line;
}

} // namespace

std::string
cell_order_line(int margin, int right)
{
    std::vector<size_t> cuts;
    std::string line = cell_order_text(cuts);
    return text_within(line, right - margin, cuts);
}

void
draw_cell_order_box()
{
    if (!mouse_found || mutant_layout || !cell_order)
        return;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    // As tall as a one-line prompt box in the normal font whatever font its
    // line takes, so that it covers such a box standing there whole.
    const int bottom = prompt_box_bottom(1);
    {
        // In the medium font where the whole order is wider than the box in
        // the normal one: more cells are shown, and the box is no taller.
        std::vector<size_t> cuts;
        const std::string line = cell_order_text(cuts);
        prompt_font font({line});
        // As a one-line box at the top right: a taller box replaced there
        // before (a basin's two-line summary) is taken whole first, not
        // left with its second line cut at this box's foot.
        draw_line_box({prompt_box_left(Maxx), 2, box_right_edge(Maxx), bottom});
        text_line(prompt_box_text(Maxx), box_right_edge(Maxx) - 4, 2 + 3, line, cuts);
    }
    setcolor(colour);
    moveto(x, y);
}
