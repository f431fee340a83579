// The 2d and 3d editor's drawings (graphics_2d_3d.h). Reads the wiring
// table, nhoodm and the shape (model/), the lattice templates
// (engine/wiring/lattice_templates.h) and the picture's numbers
// (engine/wiring_editor/lattice_editor.h); draws through screen/. Start at
// draw_2d_3d_links.
#include "ui/screen/question_table.h"
#include "ui/wiring_editor/graphics_2d_3d.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_font.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/wiring_editor/fitting_prompt.h"

namespace {

constexpr int kJumpSlot = 7;
constexpr int kPromptLines = 6;
const double kCos30 = std::sqrt(3.0) / 2;

int
px(double v)
{
    return static_cast<int>(std::lround(v));
}

// One entry of the jump dialog.
int
ask_coordinate(const char *format, int max)
{
    char text[40];
    snprintf(text, sizeof text, format, max);
    outtext(text);
    int len = input_string(digits_of(max), numeric_entry);
    return static_cast<int>(whole_answer_held(0, {0, static_cast<double>(max)}, len));
}

// Where a cell's mark is drawn, and its size, in the picture or the frame.
struct mark_place {
    float x = 0, y = 0; // top left (picture) or centre (frame)
    bool frame = false;
};

// The cell's place in the picture (top left of its square or hexagon).
mark_place
picture_place(const lattice_picture &pic, int cell)
{
    lattice_cursor c = cursor_of_cell(cell, pic.shape);
    mark_place m;
    lattice_cell_corner(pic, c.i, c.j, &m.x, &m.y);
    return m;
}

// The cell's place in the 3d frame.
mark_place
frame_place(const lattice_picture &pic, int cell)
{
    const lattice_shape &s = pic.shape;
    int layer = s.i3d * s.j3d;
    int h = cell / layer, j3 = (cell - h * layer) / s.i3d, i = cell % s.i3d;
    mark_place m;
    frame_cell_point(pic, i, j3, h, &m.x, &m.y);
    m.frame = true;
    return m;
}

// Where a link line meets a mark: the centre of the mark.
void
mark_centre(const lattice_picture &pic, const mark_place &m, int *x, int *y)
{
    if (m.frame) {
        *x = px(m.x);
        *y = px(m.y);
        return;
    }
    float s = std::max(2.0f, pic.cell_size);
    if (pic.shape.hex) {
        // The hexagon's middle: half its width across, its side a down.
        float w = s + 1 - pic.gap;
        *x = px(m.x) + px(w) / 2;
        *y = px(m.y + 2 * w * kCos30 / 3);
        return;
    }
    float side = s - pic.gap;
    *x = px(m.x + side / 2);
    *y = px(m.y + side / 2);
}

// A mark filled with fill: in the picture a square of side s - g (s at
// least 2) or a hexagon, outlined in the cursor colour where it shows;
// in the frame a point (s3 = 1) or a disc of radius s3 / 2.
void
draw_mark(const lattice_picture &pic, const mark_place &m, int fill, int cursor)
{
    setfillstyle(0, fill);
    if (m.frame) {
        if (pic.s3 <= 1) {
            putpixel(px(m.x), px(m.y), fill);
            return;
        }
        setcolor(pic.s3 > 4 ? cursor : fill);
        pieslice(px(m.x), px(m.y), 0, 360, pic.s3 / 2);
        return;
    }
    float s = std::max(2.0f, pic.cell_size);
    int outline = s > 4 || bground != 'b' ? cursor : fill;
    if (pic.shape.hex) {
        float w = s + 1 - pic.gap;
        draw_hexagonal_2d_cell_wiring(px(w), static_cast<float>(2 * w * kCos30 / 3), fill, fill,
                                      outline, px(m.x), px(m.y));
        return;
    }
    int side = std::max(1, px(s - pic.gap));
    bar(px(m.x), px(m.y), px(m.x) + side - 1, px(m.y) + side - 1);
    if (side > 2) {
        setcolor(outline);
        rectangle(px(m.x), px(m.y), px(m.x) + side - 1, px(m.y) + side - 1);
    }
}

// The position number p inside its template mark.
void
draw_index(const lattice_picture &pic, const mark_place &m, int p)
{
    char text[8];
    snprintf(text, sizeof text, "%d", p);
    float dx = pic.cell_size / 6, dy = pic.cell_size / 6;
    if (pic.shape.hex && pic.cell_size >= 21) {
        dx = pic.cell_size / 7;
        dy = pic.cell_size / 25;
    }
    setcolor(bground == 'w' ? white : black);
    moveto(px(m.x + dx), px(m.y + dy));
    outtext(text);
}

// The template input of position p of cell: the lattice template's, or on
// a 1d network the cell (cell - k/2 + p) mod n. Sets *centre when it is
// the cell itself.
int
template_input(int cell, int p, bool *centre)
{
    int dim = threed ? 3 : twod ? 2 : 1;
    if (dim == 1) {
        int n = lineL, k = nhoodm[cell];
        int t = ((cell - k / 2 + p) % n + n) % n;
        *centre = t == cell;
        return t;
    }
    *centre = pndood_2or3(dim, static_cast<uint16_t>(cell), p) == 1;
    return poss_n;
}

// One layer of the drawing: the picture, or the 3d frame.
void
draw_links_in(uint16_t cell, const lattice_picture &pic, const link_display &links, bool frame)
{
    auto place = [&](int c) { return frame ? frame_place(pic, c) : picture_place(pic, c); };
    bool lattice = twod || threed;
    int template_fill = bground == 'w' ? blue : yellow;
    if (links.pseudo && !(links.mode == 4 && lattice)) {
        mark_place self = place(cell);
        if (frame && pic.s3 > 1)
            draw_mark(pic, self, red, links.cursor);
        else if (frame)
            putpixel(px(self.x), px(self.y), lightred);
        else
            draw_mark(pic, self, red, links.cursor);
        if (links.mode == 3)
            return;
    }
    for (int p = nhoodm[cell] - 1; p >= 0; p--) {
        bool centre = false;
        int t = template_input(cell, p, &centre);
        int real = wiring[cell][p];
        mark_place tm = place(t);
        int pen_x, pen_y;
        mark_centre(pic, links.pseudo ? place(cell) : tm, &pen_x, &pen_y);
        bool marks = links.mode != 4 || !lattice;
        if (links.mode <= 3 && (!links.pseudo || centre) && marks)
            draw_mark(pic, tm, centre ? red : template_fill, links.cursor);
        if (!frame && links.index && !links.pseudo && pic.cell_size >= CHeight && links.mode <= 3)
            draw_index(pic, tm, p);
        bool departs = links.pseudo || real != t;
        if (departs && (links.mode <= 1 || links.mode == 4)) {
            int x, y;
            mark_centre(pic, place(real), &x, &y);
            setcolor(white);
            moveto(pen_x, pen_y);
            lineto(x, y);
        }
        if (links.mode == 0 || links.mode == 2)
            draw_mark(pic, place(real), green, links.cursor);
    }
}

} // namespace

void
draw_2d_3d_graphics_prompt(const std::vector<std::string> &lines)
{
    draw_fitting_prompt(lines);
}

void
jump2d_3d(int16_t ij[2])
{
    get_prompt_box(kJumpSlot, kPromptLines);
    erase_prompt_box(kPromptLines);
    int margin = draw_prompt_box(3);
    int colour = getcolor();
    setcolor(white);
    lattice_shape shape = lattice_shape_now();
    bool cube = shape.dim == 3;
    outtext(cube ? "jump to index ijh" : "jump to index ij");
    moveto(margin, gety + CHeight);
    int i = ask_coordinate("enter i (%d-0):", cube ? shape.i3d - 1 : shape.width - 1);
    int j = ask_coordinate(" enter j (%d-0):", cube ? shape.j3d - 1 : shape.height - 1);
    int h = cube ? ask_coordinate(" enter h (%d-0):", shape.h3d - 1) : 0;
    lattice_cursor c = jump_target(i, j, h, shape);
    ij[0] = static_cast<int16_t>(c.i);
    ij[1] = static_cast<int16_t>(c.j);
    is[0] = 0;
    setcolor(colour);
    putimage(Maxx / 2, 2, &boximage_prompt[kJumpSlot], 0);
    freeimage(&boximage_prompt[kJumpSlot]);
}

void
draw_hexagonal_2d_cell_wiring(int w, float a, int point_colour, int fill_colour, int outline_colour,
                              int x, int y)
{
    if (w <= 1) {
        putpixel(x, y, point_colour);
        return;
    }
    int half = w / 2;
    int corners[12] = {x + half, y,
                       x + w,    y + static_cast<int>(std::ceil(a / 2)),
                       x + w,    y + px(1.5 * a),
                       x + half, y + static_cast<int>(std::ceil(2 * a)),
                       x,        y + px(1.5 * a),
                       x,        y + static_cast<int>(std::ceil(a / 2))};
    setfillstyle(0, fill_colour);
    fillpoly(6, corners);
    setcolor(outline_colour);
    moveto(corners[10], corners[11]);
    for (int c = 0; c < 6; c++)
        lineto(corners[2 * c], corners[2 * c + 1]);
}

void
draw_2d_3d_links(uint16_t cell, const lattice_picture &pic, const link_display &links)
{
    if (!wiring || !nhoodm || cell >= lineL)
        return;
    int colour = getcolor();
    {
        font_while small(pic.cell_size < 21, set_small_font);
        draw_links_in(cell, pic, links, false);
        if (threed)
            draw_links_in(cell, pic, links, true);
    }
    setcolor(colour);
}
