// The 1d editor's drawings (graphics_1d.h). Reads the wiring table,
// nhoodm, nhood, celloutfreq and lineL (model/) and the frozen-cell test
// (engine/wiring_editor/); draws through screen/. The prompt's text comes
// from the editor's key table (editor_1d.h), so the keys it names are the
// keys the editor acts on. Start at draw_1d_graphics_prompt.
#include "ui/screen/question_table.h"
#include "ui/wiring_editor/graphics_1d.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring_editor/cell_removal.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"
#include "ui/screen/input.h"
#include "ui/screen/line_editor.h"
#include "ui/screen/window.h"
#include "ui/wiring_editor/editor_1d.h"
#include "ui/wiring_editor/fitting_prompt.h"

namespace {

constexpr int kPromptLines = 6;
// Prompt image slot saved under the jump prompt.
constexpr int kJumpSlot = 7;

int
round_px(double v)
{
    return static_cast<int>(std::lround(v));
}

} // namespace

void
draw_1d_graphics_prompt(int low, int high, int cursor, int step, bool rules_set, int block)
{
    draw_fitting_prompt(editor_1d_prompt_lines(low, high, cursor, step, rules_set, block));
}

int
jump1d()
{
    int n = lineL;
    get_prompt_box(kJumpSlot, 4);
    erase_prompt_box(kPromptLines);
    draw_prompt_box(1);
    setcolor(white);
    char text[48];
    snprintf(text, sizeof text, "jump index (%d-0):", n - 1);
    outtext(text);
    input_string(digits_of(n - 1), numeric_entry);
    int cell = static_cast<int>(entry_held(n - 1, {0, n - 1.0}, true));
    is[0] = 0;
    putimage(Maxx / 2, 2, &boximage_prompt[kJumpSlot], 0);
    freeimage(&boximage_prompt[kJumpSlot]);
    return cell;
}

void
draw_ring_of_cells(int cursor, int colour, const circle_layout &ring)
{
    int16_t text_height = CHeight;
    for (int c = ring.n - 1; c >= 0; c--) {
        double a = ring.angle(c), ca = std::cos(a), sa = std::sin(a);
        double out;
        if (ring.ticks_only) {
            setcolor(lightgray);
            moveto(round_px(ring.x(c)), round_px(ring.y(c)));
            lineto(round_px(ring.cx + (ring.radius + vgax(3)) * ca),
                   round_px(ring.cy + (ring.radius + vgax(3)) * sa));
            out = ring.radius + 2 * vgax(3);
        } else {
            int r = round_px(ring.node);
            int fill = c == cursor ? red : lightgray;
            setcolor(fill);
            setfillstyle(0, fill);
            pieslice(round_px(ring.x(c)), round_px(ring.y(c)), 0, 360, r);
            if (ring.node >= 0.7 * text_height) {
                char number[12];
                snprintf(number, sizeof number, "%d", c);
                setcolor(black);
                moveto(round_px(ring.x(c)) - text_pixel_width(number, static_cast<int>(strlen(number))) / 2,
                       round_px(ring.y(c)) - text_height / 2);
                outtext(number);
            }
            out = ring.radius + ring.node + vgax(3);
        }
        setcolor(lightred);
        moveto(round_px(ring.cx + out * ca), round_px(ring.cy + out * sa));
        int spike = celloutfreq ? celloutfreq[c] : 0;
        lineto(round_px(ring.cx + (out + spike) * ca), round_px(ring.cy + (out + spike) * sa));
    }
    setcolor(colour);
}

int
fan_colour()
{
    return bground == 'w' ? blue : yellow;
}

// Calls draw(p, source) for each input position p of cell from k-1 down
// whose source is a cell, in the drawing colour as it was; a frozen cell
// draws nothing.
template <class Draw>
void
for_each_link(uint16_t cell, bool rules_set, Draw draw)
{
    if (cell >= lineL || frozen_cell(cell, rules_set))
        return;
    int colour = getcolor();
    for (int p = nhoodm[cell] - 1; p >= 0; p--) {
        uint16_t source = wiring[cell][p];
        if (source >= lineL)
            continue;
        setcolor(colour);
        draw(p, source);
    }
    setcolor(colour);
}

void
draw_1d_links_c(const circle_layout &ring, int pseudo, bool rules_set, uint16_t cell)
{
    int x = round_px(ring.x(cell)), y = round_px(ring.y(cell));
    for_each_link(cell, rules_set, [&](int p, uint16_t source) {
        int sx = round_px(ring.x(source)), sy = round_px(ring.y(source));
        moveto(x, y);
        if (pseudo) {
            lineto(sx, sy);
            return;
        }
        double fx, fy;
        circle_fan_point(ring, cell, nhoodm[cell], p, nhood, &fx, &fy);
        lineto(round_px(fx), round_px(fy));
        lineto(sx, sy);
        setfillstyle(0, fan_colour());
        pieslice(round_px(fx), round_px(fy), 0, 360, vgax(4));
    });
}

void
draw_1d_links(const time_step_layout &rows, int pseudo, bool rules_set, uint16_t cell)
{
    int x = round_px(rows.cell_x(cell));
    for_each_link(cell, rules_set, [&](int p, uint16_t source) {
        int sx = round_px(rows.cell_x(source));
        moveto(x, rows.t1_y);
        if (pseudo) {
            lineto(sx, rows.t0_y + 4);
            return;
        }
        int fx = round_px(time_step_fan_x(rows.cell_x(cell), nhoodm[cell], p));
        int fy = rows.fan_y;
        lineto(fx + 2, fy);
        lineto(sx, rows.t0_y + 4);
        setfillstyle(0, fan_colour());
        bar(fx, fy - 2, fx + kFanSpacing - kFanInset - 1, fy + 1);
    });
}

void
draw_1d_link_line(const editor_1d_picture &pic, uint16_t from, uint16_t to)
{
    if (pic.layout == layout_circle) {
        moveto(round_px(pic.ring.x(from)), round_px(pic.ring.y(from)));
        lineto(round_px(pic.ring.x(to)), round_px(pic.ring.y(to)));
        return;
    }
    moveto(round_px(pic.rows.cell_x(from)), pic.rows.t1_y);
    lineto(round_px(pic.rows.cell_x(to)), pic.rows.t0_y + 4);
}
