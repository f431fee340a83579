// The rule figures with their box (rule_parameters.h): each call has the
// engine recompute the figures, then, with show set and the window open,
// draws them at the top right of the drawing area (left of a panel kept
// there, ui/screen/side_panel.h). While the window is open
// the figures are computed in light red and the colour is white afterwards;
// the current point is kept. Start at z_parameter_all.
#include "ui/model/rule_parameters.h"

#include <algorithm>
#include <cstdio>

#include "engine/model/globals.h"
#include "engine/model/rule_parameters.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/side_panel.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"

namespace {

// Rows between the figure box's frame and its lines, above and below.
constexpr int kFigureMargin = 3;

// The figure box at the top right of the drawing area.
void
show_figure_box(int k, bool with_p)
{
    char line[200];
    char part[120];
    figure_box_place box = rule_figure_box();
    draw_box(-1, box.x0, box.y0, box.x1, box.y1, 1, 0);
    int x = box.x0 + vgax(3);
    moveto(x, box.y0 + kFigureMargin);
    canalyzing_text(part, sizeof part, k);
    snprintf(line, sizeof line, "%s  zl=%g zr=%g", part, zparam[1], zparam[2]);
    outtext(line);
    moveto(x, box.y0 + kFigureMargin + CHeight);
    float p = 0.5f * (1.0f - lratio) + 0.5f;
    if (with_p)
        snprintf(line, sizeof line, "ld=%g ld-r=%g P=%g Z=%g", lambda, lratio, p, zparam[0]);
    else
        snprintf(line, sizeof line, "ld=%g ld-r=%g Z=%g", lambda, lratio, zparam[0]);
    outtext(line);
}

} // namespace

figure_box_place
rule_figure_box()
{
    // Its two lines end above the text column's first line, whose tops
    // it would cut, and below a one-line prompt box.
    int shift = side_panel_shift(Maxx - 2);
    int height = 2 * CHeight + 2 * kFigureMargin;
    int top = std::max(text_column_top() - height, prompt_box_bottom(1) + 2);
    const int left = Maxx / 2 - shift, right = Maxx - 2 - shift;
    // A box standing there that drawings keep clear of (a running
    // pattern's frozen key at the top right) stays whole: the figures go
    // below it, or their frame and lines would cut its lines while the
    // dialog lasts.
    for (const box_place &kept : kept_boxes_standing())
        if (kept.x0 <= right && kept.x1 >= left && kept.y0 <= top + height && kept.y1 >= top)
            top = kept.y1 + 2;
    return {left, top, right, top + height};
}

figure_box_place
revise_box()
{
    int shift = side_panel_shift(Maxx - 2);
    return {vgax(330) - shift, vgay(343), Maxx - 2 - shift, Maxy};
}

int
revise_text_left()
{
    return revise_box().x0 + vgax(340) - vgax(330);
}

void
z_parameter_all(int k, int show, uint8_t *rule)
{
    if (value_range > 2)
        return;
    int16_t sx = getx, sy = gety;
    if (mouse_found)
        setcolor(lightred);
    compute_rule_figures_binary(k, rule);
    if (show && mouse_found)
        show_figure_box(k, true);
    if (mouse_found)
        setcolor(white);
    moveto(sx, sy);
}

void
z_parameter_all_mvalue(int k, int show, uint8_t *rule)
{
    int16_t sx = getx, sy = gety;
    if (mouse_found)
        setcolor(lightred);
    compute_rule_figures_mvalue(k, rule);
    if (show && mouse_found)
        show_figure_box(k, value_range == 2);
    if (mouse_found)
        setcolor(white);
    moveto(sx, sy);
}

int
canalyzing(int k, int show, uint8_t *rule)
{
    count_canalyzing(k, rule);
    // No k-matrix: the forward-only mode has no rule tables and no line.
    if (show && mouse_found && canal && nm) {
        char text[120];
        int16_t sx = getx, sy = gety;
        draw_prompt_box(1);
        canalyzing_text(text, sizeof text, k);
        outtext(text);
        moveto(sx, sy);
    }
    return canaltotal;
}

void
rule_z_figures(int k, uint8_t *rule)
{
    if (value_range == 2)
        z_parameter_all(k, 0, rule);
    else
        z_parameter_all_mvalue(k, 0, rule);
}
