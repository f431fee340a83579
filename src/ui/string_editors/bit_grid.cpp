// Bits on a grid (bit_grid.h): define_bits writes the cell editor's key
// help (drawn from the editor's key table), draws the grid with its marks
// (the middle of a 2d row for the damage display, the layers of a 3d state)
// and, for a 3d state, the isometric picture in the lattice frame, then runs
// the cell editor, drawing again whenever it asks. The grid geometry is the
// editor's (cell_editor.h). Start at define_bits.
#include "ui/string_editors/bit_grid.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "ui/model/cell_display.h"
#include "ui/model/globals.h"
#include "ui/model/oblique_frames.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/window.h"
#include "ui/string_editors/cell_editor.h"
#include "ui/string_editors/globals.h"

namespace {

constexpr int kPromptSlot = 9;

// The row below the last grid drawn (last_grid_bottom).
int grid_bottom = 0;

// The editor's key help in the prompt box, white, each line broken to the
// box's width, below a first line left to the editor's inset box; what the
// box covers is kept in the prompt slot, with the set-up lines it reaches
// into, which are hidden whole while it is up.
void
write_key_help(const cell_form &form)
{
    std::vector<std::string> lines = help_lines(cell_editor_help(form));
    int count = cell_help_box_lines(form);
    save_hiding_lines_under_prompt(kPromptSlot, count);
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

// The lattice frame under the isometric picture, its base at by.
void
draw_3d_frame(int bx, int by)
{
    int depth = static_cast<int>((fscale * std::sin(M_PI / 4)) * j3d);
    draw_save_3d_frame(fscale, bx, by - depth - h3d * fscale);
}

// A line from (x0, y0) to (x1, y1); the current point stays.
void
draw_line(int x0, int y0, int x1, int y1)
{
    int16_t x = getx, y = gety;
    moveto(x0, y0);
    lineto(x1, y1);
    moveto(x, y);
}

// The mark of the middle of a 2d row for the damage display, where a
// damage run flips its cell: a vertical line above the grid at x, the mark
// at previous_x (another cell size, -1 for none) drawn over in black first.
void
draw_mid_row_mark(int x, int previous_x, int ys)
{
    int colour = getcolor();
    // In the line between the caller's line and the grid, never over the
    // caller's text.
    int top = ys - CHeight + 2;
    if (previous_x >= 0 && previous_x != x) {
        setcolor(black);
        draw_line(previous_x, top, previous_x, ys);
    }
    setcolor(white);
    draw_line(x, top, x, ys);
    setcolor(colour);
}

// The layers of a 3d state drawn as rows from ys to bottom (row_width
// cells a row from cell high down): at the end of each layer a short line
// right of the row, and the layer's number above that line on a black
// patch, left out where it would run into the number above it (layers
// shorter than a line of text).
void
draw_layer_marks(int high, int row_width, int ys, int right, int bottom)
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    int layer = i3d * j3d;
    int rows = (bottom - ys) / cellscale;
    // A number may reach half a line above the grid, into the gap below
    // the caller's line, and never above the number before it.
    int free_from = ys - CHeight / 2;
    for (int r = 0; r < rows; r++) {
        int cell = high - ((r + 1) * row_width - 1);
        if (cell < 0)
            break;
        if (cell % layer != 0)
            continue;
        int y = ys + (r + 1) * cellscale - 1;
        setcolor(white);
        draw_line(right + 2, y, right + CWidth, y);
        char number[12];
        snprintf(number, sizeof number, "%d", cell / layer);
        int top = y - CHeight;
        if (top < free_from)
            continue;
        int x = right + CWidth + 2;
        setfillstyle(0, black);
        bar(x, top, x + text_pixel_width(number, static_cast<int>(strlen(number))), y - 1);
        moveto(x, top);
        outtext(number);
        free_from = y;
    }
    setcolor(colour);
    moveto(px, py);
}

// Picture area of a 3d state right of the grid, within the drawing view
// the picture is clipped to (the bottom strip below it stays).
void
erase_3d_picture(int right)
{
    double s = std::sin(M_PI / 4);
    int bx = right + 5 * CWidth, by = tview_y1 - vgay(5);
    erase_box(bx, static_cast<int>(by - h3d * fscale - j3d * fscale * s) - fscale,
              static_cast<int>(bx + i3d * fscale + j3d * fscale * s) + fscale,
              std::min(by + fscale, tview_y1 - 1));
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
    int mark_x = -1; // the mid-row mark drawn last
    bool rescale = true;
    for (;;) {
        if (rescale) {
            set_cellscale(k, kind);
            cellsep = static_cast<int8_t>(cellscale < 4 || !show_2d_divs ? 1 : 2);
        }
        int8_t picture_scale = fscale;
        setviewport(tview_x0, tview_y0, tview_x1 - 1, tview_y1 - 1, 1);
        moveto(xs, ys);
        if (kind == 0 && twod && diff_plot) {
            int x = xs + cellscale * grid_row_width(k, kind, high, low) / 2;
            draw_mid_row_mark(x, mark_x, ys);
            mark_x = x;
        }
        draw_string_grid(k, kind, string, high, low, cellscale, cellsep, &right, &bottom);
        if (dim == 3) {
            draw_layer_marks(grid_high(kind, high), grid_row_width(k, kind, high, low), ys, right,
                             bottom);
            draw_3d_frame(right + 5 * CWidth, tview_y1 - vgay(5));
            draw_3d_picture(string, right + 5 * CWidth, tview_y1 - vgay(5));
        }
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
            // A 3d state's layer marks and numbers reach right up to its
            // picture and up to half a line above the grid.
            int clear_right = dim == 3 ? right + 5 * CWidth - 1 : right + (dim == 1 ? 0 : cellscale / 2);
            bar(xs, dim == 3 ? ys - CHeight / 2 : ys, clear_right, bottom + cellscale);
            is[0] = 0;
            rescale = dim == 3 && fscale != picture_scale;
            continue;
        }
        grid_bottom = bottom + cellscale;
        if (k < 5 || kind == 2) {
            moveto(right + CWidth, ys - cellscale);
        } else {
            moveto(xs, bottom);
            moveto(static_cast<int>(xtext * CWidth), gety + static_cast<int>(0.5 * CHeight));
        }
        break;
    }

    put_back_under_prompt_band(kPromptSlot);
    setviewport(0, 0, Maxx, WinMaxy, 1);
    if (dim == 3) {
        erase_3d_picture(right);
        if (boximage[kLatticeFrameSlot])
            freeimage(&boximage[kLatticeFrameSlot]);
    }
    color_v[0] = zero_colour;
}

int
last_grid_bottom()
{
    return grid_bottom;
}
