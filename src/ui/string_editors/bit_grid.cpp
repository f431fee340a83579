// Bits on a grid (bit_grid.h): define_bits writes the cell editor's key
// help (drawn from the editor's key table), draws the grid and, for a 3d
// state, the isometric picture, then runs the cell editor, drawing again
// whenever it asks. The grid geometry is the editor's (cell_editor.h).
// Start at define_bits.
#include "ui/string_editors/bit_grid.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window.h"
#include "ui/string_editors/cell_editor.h"
#include "ui/string_editors/globals.h"

namespace {

constexpr int kPromptSlot = 9;

// The editor's key help in the prompt box, white, each line broken to the
// box's width, below a first line left to the editor's inset box; the box
// under it is kept in the prompt slot.
void
write_key_help(const cell_form &form)
{
    std::vector<std::string> lines = help_lines(cell_editor_help(form));
    int count = cell_help_box_lines(form);
    get_prompt_box(kPromptSlot, count);
    int colour = getcolor();
    setcolor(white);
    int margin = draw_prompt_box(count);
    for (const std::string &line : lines) {
        moveto(margin, gety + CHeight);
        write_prompt_lines(line.c_str(), margin);
    }
    setcolor(colour);
}

// The isometric picture of a 3d state with its base at (bx, by): each
// non-zero cell a point (fscale 1) or a disc of radius fscale / 2.
void
draw_3d_picture(const uint8_t *state, int bx, int by)
{
    double s = std::sin(M_PI / 4);
    int f = fscale;
    setcolor(bground == 'w' ? white : yellow);
    for (uint32_t c = 0; c < lineL; c++) {
        int value = get_value(state, c);
        if (value == 0)
            continue;
        int i = static_cast<int>(c % i3d), j = static_cast<int>((c / i3d) % j3d);
        int h = static_cast<int>(c / (static_cast<uint32_t>(i3d) * j3d));
        int x = static_cast<int>(bx + i3d * f + j3d * f * s - f * j * s - f * i - f);
        int y = static_cast<int>(by - j3d * f * s + f * j * s - f * h);
        int fill = value_range == 2 ? (bground == 'w' ? blue : lightblue) : color_v[value];
        if (f == 1) {
            putpixel(x, y, fill);
        } else {
            setfillstyle(0, fill);
            pieslice(x, y, 0, 360, f / 2);
        }
    }
}

// Picture area of a 3d state right of the grid.
void
erase_3d_picture(int right)
{
    double s = std::sin(M_PI / 4);
    int bx = right + 5 * CWidth, by = tview_y1 - vgay(5);
    erase_box(bx, static_cast<int>(by - h3d * fscale - j3d * fscale * s) - fscale, 
              static_cast<int>(bx + i3d * fscale + j3d * fscale * s) + fscale, by + fscale);
}

} // namespace

void
define_bits(int k, int kind, uint8_t *string, int high, int low)
{
    int16_t y0 = gety;
    uint8_t zero_colour = color_v[0];
    color_v[0] = darkgray;
    show_dots = 1;
    rot_size = 1;
    hex_cells = kind == 0 && twod && regular2d_tgrid;
    start_j2d = static_cast<int16_t>(j2d - 1);
    start_h3d = static_cast<int16_t>(h3d - 1);
    int dim = grid_dimension(kind);
    write_key_help({kind, dim, true});
    if (dim == 3) {
        fscale = static_cast<int8_t>(vgax(8));
        while (fscale > 1 && j3d * std::sin(M_PI / 4) * fscale + h3d * fscale >
                                 vgay(390) - 5 * CHeight)
            fscale--;
    }

    int xs = static_cast<int>(xtext * CWidth), ys = y0 + static_cast<int>(2 * CHeight);
    int right = xs, bottom = ys;
    bool rescale = true;
    for (;;) {
        if (rescale) {
            set_cellscale(k, kind);
            cellsep = static_cast<int8_t>(cellscale < 4 || !show_2d_divs ? 1 : 2);
        }
        int8_t picture_scale = fscale;
        setviewport(tview_x0, tview_y0, tview_x1 - 1, tview_y1 - 1, 1);
        moveto(xs, ys);
        draw_string_grid(k, kind, string, high, low, cellscale, cellsep, &right, &bottom);
        if (dim == 3)
            draw_3d_picture(string, right + 5 * CWidth, tview_y1 - vgay(5));
        moveto(xs, ys);
        int size = cellscale;
        cell_edit_outcome outcome =
            input_string_cell(k, kind, string, high, low, 1, &size, cellsep, right, bottom);
        cellscale = static_cast<int8_t>(size);
        cellsep = static_cast<int8_t>(cellscale < 4 || !show_2d_divs ? 1 : 2);
        if (outcome == cell_edit_outcome::quit)
            break;
        if (outcome == cell_edit_outcome::redraw) {
            setfillstyle(0, black);
            if (dim == 3)
                erase_3d_picture(right);
            bar(xs, ys, right + (dim == 1 ? 0 : cellscale / 2), bottom + cellscale);
            is[0] = 0;
            rescale = dim == 3 && fscale != picture_scale;
            continue;
        }
        if (k < 5 || kind == 2) {
            moveto(right + CWidth, ys - cellscale);
        } else {
            moveto(xs, bottom);
            moveto(static_cast<int>(xtext * CWidth), gety + static_cast<int>(0.5 * CHeight));
        }
        break;
    }

    setviewport(0, 0, Maxx, WinMaxy, 1);
    putimage(Maxx / 2, 2, &boximage_prompt[kPromptSlot], 3);
    freeimage(&boximage_prompt[kPromptSlot]);
    if (dim == 3)
        erase_3d_picture(right);
    color_v[0] = zero_colour;
}
