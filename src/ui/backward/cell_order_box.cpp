// The cell order box (cell_order_box.h). Reads cell_order, L, lineL and
// mutant_layout (backward and model globals); draws through the screen
// layer. The box is as tall as its lines, so that a long order never runs
// over what lies below it, and stops at the bottom of the drawing area.
#include "ui/backward/cell_order_box.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/model/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

int
width_of(const std::string &text)
{
    return text_pixel_width(text.c_str(), static_cast<int>(text.size()));
}

} // namespace

std::vector<std::string>
cell_order_lines(int margin, int right, size_t most)
{
    std::vector<std::string> lines{"reorder="};
    bool cut = false;
    for (uint32_t pos = L + 1; pos-- > 0 && !cut;) {
        char item[16];
        snprintf(item, sizeof item, "%d ", static_cast<int>(cell_order[pos]));
        if (margin + width_of(lines.back() + item) > right) {
            if (lines.size() == most)
                cut = true;
            else
                lines.emplace_back();
        }
        if (!cut)
            lines.back() += item;
    }
    if (cut) {
        // Room for the mark: cells taken off the end until it fits.
        std::string &last = lines.back();
        while (!last.empty() && margin + width_of(last + "...") > right) {
            last.pop_back();
            size_t space = last.find_last_of(' ');
            last.erase(space == std::string::npos ? 0 : space + 1);
        }
        last += "...";
    }
    return lines;
}

void
draw_cell_order_box()
{
    if (!mouse_found || mutant_layout || !cell_order)
        return;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    int x0 = Maxx / 2, x1 = Maxx - 2;
    int y0 = static_cast<int>(1.75 * CHeight);
    int least_bottom = static_cast<int>(2.7 * CHeight);
    int margin = x0 + vgax(3);
    // Lines one character height apart from y0 + 1, the box 1 pixel below
    // the last, all above the bottom of the drawing area.
    size_t most = static_cast<size_t>(std::max(1, (Maxy - y0 - 3) / CHeight));
    std::vector<std::string> lines = cell_order_lines(margin, x1 - CWidth, most);
    int y1 = std::max(least_bottom, y0 + 1 + static_cast<int>(lines.size()) * CHeight + 1);
    draw_box(-1, x0, y0, x1, y1, 1, 0);
    setcolor(white);
    for (size_t i = 0; i < lines.size(); i++) {
        moveto(margin, y0 + 1 + static_cast<int>(i) * CHeight);
        outtext(lines[i].c_str());
    }
    setcolor(colour);
    moveto(x, y);
}
