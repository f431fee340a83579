// The progress bar of basin fields and other long computations: a framed
// box at the top right whose inner rectangle the computation fills as it
// goes (its corners in ui/backward/globals.h).
#include "ui/backward/progress_bar.h"

#include <algorithm>

#include "ui/backward/globals.h"
#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"
#include "ui/screen/window.h"

namespace {

// Right edge of the green fill drawn since the bar was drawn; -1 for none.
int filled_right = -1;

} // namespace

int
progress_bar_top()
{
    // In the band below the status box, and below the prompt box of two
    // lines (a basin's summary, drawn while the bar of a field or of the
    // successor table stands): in a short window that box reaches lower than
    // the band's usual place, and would cut the top of the bar's frame.
    return std::max<int>(vgay(30), prompt_box_bottom(2) + 2);
}

int
progress_bar_bottom()
{
    // Where the prompt box of three lines ends a few rows above the bar's
    // foot, below its inner bar, the bar ends with that box: the box's erase
    // takes the bar whole, not all of it but its last rows.
    const int top = progress_bar_top();
    const int bottom = top + vgay(9) + vgay(3), three_lines = prompt_box_bottom(3);
    return bottom > three_lines && three_lines > top + vgay(9) + 1 ? three_lines : bottom;
}

void
progress_bar()
{
    filled_right = -1;
    int colour = getcolor();
    int h = Maxx / 2;
    int top = progress_bar_top();
    setfillstyle(0, black);
    bar(h, top, Maxx - 2, progress_bar_bottom());
    setcolor(lightred);
    rectangle(h, top, Maxx - 2, progress_bar_bottom());
    barxl = static_cast<int16_t>(h + 2);
    baryt = static_cast<int16_t>(top + vgay(3));
    barxr = static_cast<int16_t>(Maxx - vgax(6));
    baryb = static_cast<int16_t>(top + vgay(9));
    rectangle(barxl, baryt, barxr, baryb);
    setcolor(colour);
}

void
fill_progress_bar_to(int right)
{
    // A count past the whole (a field whose trees placed states twice)
    // fills the bar, not beyond its frame.
    right = std::min(right, barxr - 1);
    // The same fill again would change no pixel: a field asks once a node,
    // but the fill grows by a pixel only every few thousand nodes. Nothing
    // relies on the fill colour it leaves: every bar sets its own. Short
    // of the first pixel inside the frame, nothing is filled yet (the
    // corners, swapped, would fill over the frame's left side).
    if (right == filled_right || right <= barxl)
        return;
    // A field's basins are drawn clipped to their area below the bar: the
    // fill is drawn in the whole drawing area and their clip put back.
    int16_t x0 = view_x0, y0 = view_y0, x1 = view_x1, y1 = view_y1;
    bool clipped = x0 > barxl + 1 || y0 > baryt + vgay(2) || x1 < right || y1 < baryb - vgay(2);
    if (clipped)
        setviewport(0, 0, Maxx, Maxy, 1);
    setfillstyle(0, green);
    bar(barxl + 1, baryt + vgay(2), right, baryb - vgay(2));
    filled_right = right;
    if (clipped)
        setviewport(x0, y0, x1, y1, 1);
}

void
note_progress_bar_drawn_over()
{
    filled_right = -1;
}

void
erase_progress_bar()
{
    uint8_t fill = fillcolor;
    setfillstyle(0, black);
    bar(Maxx / 2, progress_bar_top(), Maxx - 2, progress_bar_bottom());
    fillcolor = fill;
    filled_right = -1;
}

void
redraw_progress_bar_met_by(int x0, int y0, int x1, int y1)
{
    if (x1 < Maxx / 2 || x0 > Maxx - 2 || y1 < progress_bar_top() || y0 > progress_bar_bottom())
        return;
    progress_bar();
}
