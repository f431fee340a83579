// The frame of the partial pre-image stack histogram: its layout for the
// network size, the scale ticks and labels, the bar area. Reads the scale
// pp_ymax and ppL (engine/backward/globals.h; its arithmetic in
// engine/backward/stack_scale.h); the frame's pixel layout is in
// ui/backward/globals.h. Also the bars and ticks the pre-image engines
// draw through their prompts, and the averaged view of a whole run
// (show_average_pp_hist). Start at setup_ppstack_hist.
#include "ui/backward/ppstack_hist.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/backward/globals.h"
#include "engine/backward/stack_scale.h"
#include "engine/model/globals.h"
#include "ui/backward/globals.h"
#include "ui/backward/stop_prompts.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/text_line.h"
#include "ui/screen/window.h"

namespace {

// The tick spacing: a quarter of the scale, rounded down to a round number.
int16_t
tick_spacing(uint32_t ymax)
{
    uint32_t d = (ymax + 3) / 4;
    if (d < 5)
        d -= d % 2;
    else if (d < 10)
        d -= d % 5;
    else if (d < 100)
        d -= d % 10;
    else if (d < 1000)
        d -= d % 100;
    else if (d < 10000)
        d -= d % 1000;
    return static_cast<int16_t>(d < 1 ? 1 : d);
}

void
label_at(int x, int y, int number)
{
    char text[16];
    snprintf(text, sizeof text, "%d", number);
    moveto(x, y);
    outtext(text);
}

// A label of the scale, its line's top at row top, ending at column x1
// (left of its tick) however many digits it has: from the frame's left
// edge on at the most, and below its top side (the top tick's label, half
// a line above its tick, reaches it where the font is tall for the frame).
void
scale_label(int x1, int top, uint32_t number)
{
    char text[16];
    snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(number));
    text_line(std::max(pp_startx0 + 2, x1 - text_width_in_use(text)), x1,
              std::max(top, pp_starty0 - pp_depthy + 1), text);
}

// The frame's foot row and its height.
int
frame_foot()
{
    return Maxy - vgay(40);
}

int
frame_height()
{
    return vgay(150);
}

// The frame's corners, once laid out.
box_place
frame_place()
{
    return {pp_startx0, pp_starty0 - pp_depthy, pp_startx0 + pp_widthx, pp_starty0};
}

void
lay_out_frame()
{
    uint32_t n = lineL;
    ppL = lineL;
    pp_startx0 = vgax(126);
    pp_starty0 = static_cast<int16_t>(frame_foot());
    int pitch = vgax(10);
    if ((n + 1) * pitch > static_cast<uint32_t>(Maxx - (vgax(50) + pp_startx0 + vgax(10))))
        pitch = (Maxx - (vgax(50) + pp_startx0 + vgax(10))) / static_cast<int>(n + 1);
    pp_bartotw = static_cast<int16_t>(pitch);
    pp_barwidth = static_cast<int16_t>(pitch - 2 < 1 ? 1 : pitch - 2);
    pp_widthx = static_cast<int16_t>(vgax(50) + (n + 1) * pp_bartotw);
    pp_depthy = static_cast<int16_t>(frame_height());
    // It stands over the basins of a field, which keep off it: the sweep's
    // graphs it meets go whole, and come back at its erase.
    raise_box(box_owner::stack_hist, frame_place(), box_way::taken);
    setfillstyle(0, black);
    bar(pp_startx0, pp_starty0 - pp_depthy, pp_startx0 + pp_widthx, pp_starty0);
    setcolor(red);
    rectangle(pp_startx0, pp_starty0 - pp_depthy, pp_startx0 + pp_widthx, pp_starty0);
    pp_startx = static_cast<int16_t>(pp_startx0 + vgax(50));
    pp_starty = static_cast<int16_t>(pp_starty0 - vgay(25));
    setcolor(white);
    if (pp_ymax == 0)
        pp_ymax = first_stack_scale(n, nhood);
    pp_divy = tick_spacing(pp_ymax);
    for (uint32_t i = 0; i < n; i++) {
        int x = pp_startx + static_cast<int>(i) * pp_bartotw;
        moveto(x, pp_starty + 2);
        lineto(x + pp_barwidth, pp_starty + 2);
    }
    label_at(pp_startx, pp_starty + vgay(4), static_cast<int>(n) - 1);
    label_at(pp_startx + static_cast<int>(n - 1) * pp_bartotw, pp_starty + vgay(4), 0);
    for (uint32_t y = 0; y <= pp_ymax; y += static_cast<uint32_t>(pp_divy)) {
        int h = static_cast<int>(std::ceil(vgay(120) * static_cast<double>(y) / pp_ymax));
        moveto(pp_startx - vgax(10), pp_starty - h);
        lineto(pp_startx - vgax(5), pp_starty - h);
        scale_label(pp_startx - vgax(10) - 3, pp_starty - h - CHeight / 2, y);
    }
}

// The bar of one step at pp_startx, height by the scale and cut at the full
// height (a stack can pass the largest scale); pp_startx moves on.
void
draw_bar(double size)
{
    int h = static_cast<int>(std::fmin(vgay(120) * size / pp_ymax, vgay(120)));
    bar(pp_startx, pp_starty - h, pp_startx + pp_barwidth, pp_starty);
    pp_heighty = static_cast<int16_t>(h);
    pp_startx = static_cast<int16_t>(pp_startx + pp_bartotw);
}

const char kStartPrompt[] = "partial pre-image histogram: start pause-p";

} // namespace

void
draw_stack_tick(uint32_t size, int saved)
{
    if (!mouse_found || size >= 150)
        return;
    int x = vgax(125 + static_cast<float>(size));
    int colour = getcolor();
    setcolor(saved ? yellow : black);
    int16_t px = getx, py = gety;
    moveto(x, Maxy - vgay(40));
    lineto(x, Maxy - vgay(34));
    moveto(px, py);
    setcolor(colour);
}

bool
local_stack_bar_shown()
{
    return !nonlocal && !nhood_mixed && see_ppstack;
}

int
local_stack_bar_top()
{
    return Maxy - vgay(41);
}

void
draw_local_stack_bar()
{
    int colour = getcolor();
    const box_place place{vgax(125), local_stack_bar_top(), vgax(125) + vgax(150), Maxy - vgay(33)};
    // The general method's histogram, whose frame's foot lies over its top
    // (a tree of a network whose wiring became nonlocal since), takes it
    // whole: it would leave the rest of its frame standing below.
    raise_box(box_owner::stack_bar, place, box_way::taken);
    setcolor(white);
    rectangle(place.x0, place.y0, place.x1, place.y1);
    setcolor(colour);
}

void
show_stack_start_prompt()
{
    if (!mouse_found)
        return;
    int16_t x = getx, y = gety;
    draw_prompt_box(1);
    outtext(kStartPrompt);
    outtext(":");
    moveto(x, y);
}

void
draw_stack_step(uint32_t position, uint32_t size)
{
    if (!mouse_found || pp_ymax == 0)
        return;
    int16_t x = getx, y = gety;
    // In its frame: not cut at the clip of the basins being drawn, whose
    // area ends above it.
    saved_viewport view;
    view.widen_to_drawing_area();
    if (size > pp_ymax && pp_ymax < kStackScaleMost) {
        // A new scale: the frame again and every bar so far redrawn.
        pp_ymax = grown_stack_scale(size);
        ppL = 0;
        setup_ppstack_hist();
        for (uint32_t i = L + 1; i-- > position;)
            draw_bar(i == position ? size : pp_hist[i]);
    } else {
        draw_bar(size);
    }
    view.restore();
    moveto(x, y);
}

void
draw_stack_wild(uint32_t added)
{
    if (!mouse_found || pp_ymax == 0)
        return;
    int16_t x = getx, y = gety;
    saved_viewport view; // in the frame, as draw_stack_step
    view.widen_to_drawing_area();
    pp_startx = static_cast<int16_t>(pp_startx - pp_bartotw);
    int bottom = pp_starty - pp_heighty - 1;
    int top = bottom - static_cast<int>(static_cast<double>(vgay(120)) * added / pp_ymax);
    if (top < pp_starty0 - pp_depthy + 1)
        top = pp_starty0 - pp_depthy + 1;
    int fill = fillcolor;
    setfillstyle(0, yellow);
    bar(pp_startx, top, pp_startx + pp_barwidth, bottom);
    setfillstyle(0, fill);
    pp_startx = static_cast<int16_t>(pp_startx + pp_bartotw);
    if (see_ppstack == see_ppstack_pause && ask_one_key("abandon pause-p, see next-def:") == 'p') {
        draw_prompt_box(1);
        outtext(kStartPrompt);
        see_ppstack = see_ppstack_on;
    }
    view.restore();
    moveto(x, y);
}

void
setup_ppstack_hist()
{
    if (!mouse_found)
        return;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    // Its own box: not cut at the clip of the basins being drawn, whose
    // area may end above its foot.
    saved_viewport view;
    view.widen_to_drawing_area();
    // Laid out again where it was taken down since (a clear, a box over it).
    if (ppL != lineL || !box_stands_at(box_owner::stack_hist, frame_place()))
        lay_out_frame();
    setfillstyle(0, black);
    bar(pp_startx0 + vgax(50), pp_starty0 - pp_depthy + 1, pp_startx0 + pp_widthx - 1, pp_starty);
    view.restore();
    setfillstyle(0, green);
    pp_startx = static_cast<int16_t>(pp_startx0 + vgax(50));
    setcolor(colour);
    moveto(x, y);
}

int
ppstack_frame_top()
{
    return frame_foot() - frame_height();
}

void
redraw_ppstack_frame()
{
    if (!mouse_found || see_ppstack == see_ppstack_off || ppL == 0)
        return;
    ppL = 0;
    setup_ppstack_hist();
}

void
show_average_pp_hist()
{
    // Nothing was summed when no general pre-image computation ran.
    if (!mouse_found || pp_histcount == 0 || !pp_hist_total)
        return;
    int16_t x = getx, y = gety;
    int colour = getcolor();
    pp_hist_max = average_stack_peak(pp_hist_total, lineL, pp_histcount);
    ppL = 0;
    pp_ymax = average_stack_scale(pp_hist_max);
    // In its frame: not cut at the clip a basin's or subtree's labels left,
    // whose area ends above it.
    saved_viewport view;
    view.widen_to_drawing_area();
    setup_ppstack_hist();
    for (uint32_t i = lineL; i-- > 0;)
        draw_bar(static_cast<double>(pp_hist_total[i]) / pp_histcount);
    if (pp_wild_tot) {
        double wild = static_cast<double>(pp_wild_tot) / pp_histcount;
        int bottom = pp_starty - pp_heighty - 1;
        int top = bottom - static_cast<int>(vgay(120) * wild / pp_ymax);
        if (top < pp_starty0 - pp_depthy + 1)
            top = pp_starty0 - pp_depthy + 1;
        int left = pp_startx - pp_bartotw;
        setfillstyle(2, red);
        bar(left, top, left + pp_barwidth, bottom);
    }
    const char title[] = "average p-pre-image histogram";
    int tx = pp_startx0 + vgax(4), ty = pp_starty0 - pp_depthy + 1;
    setfillstyle(0, black);
    bar(tx, ty, tx + text_pixel_width(title, sizeof title - 1), ty + CHeight - 1);
    setcolor(white);
    moveto(tx, ty);
    outtext(title);
    view.restore();
    setfillstyle(0, green);
    setcolor(colour);
    moveto(x, y);
}

void
erase_ppstack_hist()
{
    if (!mouse_found || ppL == 0)
        return;
    int colour = getcolor();
    saved_viewport view;
    view.widen_to_drawing_area();
    if (box_stands(box_owner::stack_hist)) {
        take_box(box_owner::stack_hist);
    } else {
        setfillstyle(0, black);
        bar(pp_startx0, pp_starty0 - pp_depthy, pp_startx0 + pp_widthx, pp_starty0);
    }
    bring_back_boxes_taken();
    view.restore();
    setcolor(colour);
}
