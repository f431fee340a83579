// The oblique frames (oblique_frames.h). Reads the lattice sides (model
// globals) and the display mode (forward globals); draws through the screen
// layer. The depth of a row of the oblique view is the cell size times
// sin 45.
#include "ui/model/oblique_frames.h"

#include <algorithm>
#include <cmath>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "ui/model/cell_display.h"
#include "ui/screen/colors.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/images.h"

namespace {

const double kSlope = std::sin(M_PI / 4); // the oblique depth per row

} // namespace

int
time_frame_margin(int s)
{
    return s / 2;
}

void
draw_axon_plane(int s, int y)
{
    int16_t px = getx, py = gety;
    int colour = getcolor();
    bool flat = d_mode == display_2d;  // the scrolling 2d display's square grid
    int w = d_mode == display_3d ? i3d : i2d, d = d_mode == display_3d ? j3d : j2d;
    int x0 = flat ? y : getx;
    int f = static_cast<int>((s * kSlope) * d);
    // A slanted plane whose far edge would reach above the window (a pause
    // drawing it a row above a frame at the top) is lowered to the top.
    if (!flat && y - f < 0)
        y = f;
    int y1 = d_mode == display_3d ? y + s * h3d : window_frames_floor() - 1;
    bool grid = !(d_mode == display_3d && s < 3);
    if (d_mode == display_3d) {
        setfillstyle(0, black);
        bar(x0, y - f, x0 + w * s + f, y1);
    }
    if (grid) {
        setcolor(bground == 'w' ? Light_Steel_Blue : Dark_Slate_Blue);
        // A square grid's sides lie in the row and the column before its
        // cells: the first frame of a scrolling 2d display, its cells in the
        // window's corner, has its top and left sides just outside the
        // window, and its lines start at the window's edge.
        const int grid_top = std::max(y, 0), grid_left = std::max(x0, 0);
        for (int i = 1; i < w; i++) {
            if (s == 1 && i % 2)
                continue;
            if (flat) {
                moveto(x0 + i * s, grid_top);
                lineto(x0 + i * s, y + s * d);
            } else {
                moveto(x0 + i * s, y);
                lineto(x0 + i * s + f, y - f);
            }
        }
        for (int j = 1; j < d; j++) {
            if (s == 1 && j % 2)
                continue;
            if (flat) {
                moveto(grid_left, y + j * s);
                lineto(x0 + w * s, y + j * s);
            } else {
                int g = static_cast<int>(s * kSlope * j);
                moveto(x0 + g, y - g);
                lineto(x0 + w * s + g, y - g);
            }
        }
        if (d_mode == display_3d) {
            for (int h = 1; h < h3d; h++) {
                moveto(x0, y + h * s);
                lineto(x0 + w * s, y + h * s);
                lineto(x0 + w * s + f, y + h * s - f);
            }
            for (int i = 1; i < i3d; i++) {
                moveto(x0 + i * s, y);
                lineto(x0 + i * s, y + h3d * s);
            }
            for (int j = 1; j <= j3d; j++) {
                int g = static_cast<int>(s * kSlope * j);
                moveto(x0 + w * s + g, y - g);
                lineto(x0 + w * s + g, y - g + h3d * s);
            }
        }
    }
    setcolor(white);
    if (flat) {
        // Its cells start a row and a column inside the frame's top left
        // corner: its right and bottom sides lie in the column and the row
        // after the last cells, not on them.
        rectangle(x0, y, x0 + w * s + 1, y + s * d + 1);
    } else {
        moveto(x0, y);
        lineto(x0 + w * s, y);
        lineto(x0 + w * s + f, y - f);
        lineto(x0 + f, y - f);
        lineto(x0, y);
        // A page's stack of 2d+time frames gets its outline; frames that
        // scroll have no page: the scroll's clear would take the outline's
        // foot and its copies carry the rest away a row at a time.
        if (d_mode == display_3d ||
            (d_mode == display_2d_time && !scrolling && y - f < time_frame_margin(s) + 2)) {
            rectangle(x0, y, x0 + w * s, y1);
            moveto(x0 + w * s + f, y - f);
            lineto(x0 + w * s + f, y1 - f);
            lineto(x0 + w * s, y1);
        }
    }
    setcolor(colour);
    moveto(px, py);
}

void
draw_save_3d_frame(int s, int x, int y)
{
    int16_t px = getx, py = gety;
    uint8_t mode = d_mode;
    d_mode = display_3d;
    int depth = static_cast<int>((s * kSlope) * j3d);
    moveto(x, y + depth);
    draw_axon_plane(s, gety);
    d_mode = mode;
    if (boximage[kLatticeFrameSlot])
        freeimage(&boximage[kLatticeFrameSlot]);
    getimage(x, y, static_cast<int>(x + i3d * s + j3d * s * kSlope), y + depth + h3d * s,
             &boximage[kLatticeFrameSlot]);
    moveto(px, py);
}
