// The state-space matrix box (see statespace_matrix.h). Its cells come from
// the tree geometry (matrix_cell, matrix_extent in engine/backward); the
// box sits at the bottom right, or further left at the bottom during
// forward runs (show_ss_matrixF). Start at show_statespace_matrix.
#include "ui/backward/statespace_matrix.h"

#include <cstdio>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/backward/tree_geometry.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"
#include "ui/backward/globals.h"
#include "ui/model/rule_readout.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window.h"

namespace {

struct matrix_box {
    int x0, y0, x1, y1;
};

// The place the box's erase clears: its frame and the columns left of it
// where a square's label may reach.
box_place
erased_place(const matrix_box &b)
{
    return {b.x0 - 3, b.y0 - 1, b.x1, b.y1};
}

matrix_box
box_of_matrix()
{
    matrix_box b{};
    b.x1 = show_ss_matrixF ? Maxx - vgax(136) : Maxx - 2;
    b.x0 = b.x1 - msize;
    // Above the rule box where that holds its place under the box's
    // columns (a range of sizes shows each size's rule at the window's
    // foot): the box's clear would cut its frame and hide its lines.
    b.y1 = bottom_above_rule_box(erased_place(b).x0, b.x1,
                                 show_ss_matrixF ? Maxy - 2 : Maxy - vgay(31));
    b.y0 = lineL % 2 ? b.y1 - msize / 2 : b.y1 - msize;
    return b;
}

} // namespace

void
show_statespace_matrix(const uint8_t *state)
{
    int16_t x = getx, y = gety;
    int colour = getcolor();
    matrix_box b = box_of_matrix();
    if (!state) {
        // Drawn whole whatever clip the basins being drawn hold: cut at
        // their area, its right column would be missing, and what stood
        // there from an earlier frame would be left.
        saved_viewport view;
        view.widen_to_drawing_area();
        // It stands over other drawings: the sweep's graphs it meets go
        // whole, and come back at its erase; a clear that meets it takes
        // it whole, down to its foot.
        raise_box(box_owner::statespace_matrix, erased_place(b), box_way::taken);
        setfillstyle(0, black);
        bar(b.x0 - 1, b.y0 - 1, b.x1, b.y1);
        setcolor(white);
        rectangle(b.x0 - 1, b.y0 - 1, b.x1, b.y1);
        view.restore();
        matrix_extent(&matrixx, &matrixy);
        if (show_ss_matrixF)
            matrixcolor = yellow;
        setcolor(colour);
        moveto(x, y);
        return;
    }
    // A square is drawn whatever clip the basin being drawn holds: the
    // basin keeps off the box (narrow_basin_area).
    saved_viewport view;
    view.widen_to_drawing_area();
    uint32_t column, row;
    matrix_cell(state, &column, &row);
    int px = static_cast<int>(b.x0 + static_cast<double>(column) * (b.x1 - b.x0) / (matrixx + 1.0));
    int py = static_cast<int>(b.y0 + static_cast<double>(row) * (b.y1 - b.y0) / (matrixy + 1.0));
    if (matrixx < static_cast<uint32_t>(msize)) {
        int side = static_cast<int>(msize / (matrixx + 1) - 1);
        setfillstyle(0, matrixcolor);
        bar(px, py, px + side, py + side);
        // A square is labelled when the widest state number fits in it.
        char widest[16];
        snprintf(widest, sizeof widest, "%lu", static_cast<unsigned long>(statespace));
        int needed = static_cast<int>(1.5 * CWidth) +
                     text_pixel_width(widest, static_cast<int>(strlen(widest)));
        if (side > needed && decimal_labels_fit()) {
            snprintf(textb[0], 150, "%lu", static_cast<unsigned long>(dec_equiv(state, L)));
            moveto(px + 2, py + 2);
            setcolor(colour);
            view.restore();
            return;
        }
    } else {
        putpixel(px, py, matrixcolor);
    }
    view.restore();
    setcolor(colour);
    moveto(x, y);
}

void
erase_statespace_matrix()
{
    int colour = getcolor();
    matrix_box b = box_of_matrix();
    saved_viewport view;
    view.widen_to_drawing_area();
    if (box_stands(box_owner::statespace_matrix)) {
        take_box(box_owner::statespace_matrix);
    } else {
        const box_place p = erased_place(b);
        setfillstyle(0, black);
        bar(p.x0, p.y0, p.x1, p.y1);
    }
    bring_back_boxes_taken();
    view.restore();
    setcolor(colour);
}

void
hide_statespace_matrix()
{
    erase_statespace_matrix();
    show_ss_matrixF = ss_view_none;
}

bool
statespace_matrix_meets(int x0, int y0, int x1, int y1)
{
    const box_place p = erased_place(box_of_matrix());
    return !(x1 < p.x0 || x0 > p.x1 || y1 < p.y0 || y0 > p.y1);
}

void
matrix_after_plot_clearing(int x0, int y0, int x1, int y1, bool plot_drawn)
{
    if (show_ss_matrixF != ss_view_matrix || !statespace_matrix_meets(x0, y0, x1, y1))
        return;
    // The clearing took part of the box: a box cut at its edge, or marks
    // plotted into the plot's frame, would follow. The plot and the matrix
    // stand one at a time, as the return map and the matrix do.
    if (plot_drawn)
        hide_statespace_matrix();
    else
        show_statespace_matrix(nullptr);
}
