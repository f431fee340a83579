// The drawing primitives over the one GC: current point, colour, fill colour
// and viewport, and the shapes and text drawn with them. Shapes go to the
// drawable in current_draw (the window or a pixmap); text always to the
// window. Filled shapes switch the GC to the fill colour and back. While a
// shape batch is open (shape_batch.h) lines, circles, pixels and solid
// rectangle fills on the window are gathered there, and every other request
// sends them first.
#include "ui/screen/draw.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "ui/screen/box_places.h"
#include "ui/screen/fonts.h"
#include "ui/screen/globals.h"
#include "ui/screen/prompt_text.h"
#include "ui/screen/window_record.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/text_line.h"
#include "ui/screen/x_state.h"

namespace {

// The fill style setfillstyle last set: 0 solid, 2 stippled.
int fill_style = 0;
// The GC and the X fill style setfillstyle last gave it: the same style
// again needs no call into Xlib (a field sets its progress bar's fill once
// a node).
GC styled_gc = nullptr;
int styled_gc_style = FillSolid;

// Whether a shape goes to the window (recorded there); a pixmap drawn into
// no longer holds a saved window region.
bool
drawing_on_window()
{
    if (current_draw == W)
        return true;
    forget_window_capture(current_draw);
    return false;
}

// Runs a fill with the GC foreground at the fill colour, then puts the
// current colour back.
template <typename Fill>
void
with_fill_color(Fill fill)
{
    send_gathered_shapes();
    XSetForeground(D, Gc, Color_Table[fillcolor]);
    fill();
    XSetForeground(D, Gc, Color_Table[nowcolor]);
}

// Orders a corner pair so that (x0, y0) is the top left.
void
order_corners(int &x0, int &y0, int &x1, int &y1)
{
    if (x1 < x0) {
        int t = x0;
        x0 = x1;
        x1 = t;
    }
    if (y1 < y0) {
        int t = y0;
        y0 = y1;
        y1 = t;
    }
}

} // namespace

void
moveto(int x, int y)
{
    getx = static_cast<int16_t>(x);
    gety = static_cast<int16_t>(y);
}

void
moverel(int dx, int dy)
{
    moveto(getx + dx, gety + dy);
}

void
setcolor(int c)
{
    nowcolor = static_cast<uint8_t>(c);
    if (!defer_foreground())
        XSetForeground(D, Gc, Color_Table[nowcolor]);
}

int
getcolor()
{
    return nowcolor;
}

void
setfillstyle(int style, int c)
{
    int gc_style = style == FillStippled ? FillStippled : FillSolid;
    if (style == fill_style && static_cast<uint8_t>(c) == fillcolor && Gc == styled_gc && gc_style == styled_gc_style)
        return; // the same fill again changes nothing
    fillcolor = static_cast<uint8_t>(c);
    fill_style = style;
    before_fill_style(gc_style);
    if (Gc != styled_gc || gc_style != styled_gc_style) {
        XSetFillStyle(D, Gc, gc_style);
        styled_gc = Gc;
        styled_gc_style = gc_style;
    }
}

int
getfillstyle()
{
    return fill_style;
}

void
setviewport(int x0, int y0, int x1, int y1, int)
{
    send_gathered_shapes();
    viewport.x = static_cast<short>(x0);
    viewport.y = static_cast<short>(y0);
    viewport.width = static_cast<unsigned short>(x1 - x0 + 1);
    viewport.height = static_cast<unsigned short>(y1 - y0 + 1);
    view_x0 = static_cast<int16_t>(x0);
    view_y0 = static_cast<int16_t>(y0);
    view_x1 = static_cast<int16_t>(x1);
    view_y1 = static_cast<int16_t>(y1);
    XSetClipRectangles(D, Gc, 0, 0, &viewport, 1, Unsorted);
}

void
clearviewport()
{
    send_gathered_shapes();
    XSetForeground(D, Gc, Color_Table[black]);
    XFillRectangle(D, current_draw, Gc, viewport.x, viewport.y, viewport.width,
                   viewport.height);
    XSetForeground(D, Gc, Color_Table[nowcolor]);
    if (drawing_on_window())
        record_fill(view_x0, view_y0, view_x1, view_y1, black, 0, "clearviewport");
}

void
lineto(int x, int y)
{
    send_gathered_shapes();
    XDrawLine(D, current_draw, Gc, getx, gety, x, y);
    if (drawing_on_window())
        record_line(getx, gety, x, y, nowcolor, "lineto");
    moveto(x, y);
}

void
linerel(int dx, int dy)
{
    lineto(getx + dx, gety + dy);
}

void
putpixel(int x, int y, int c)
{
    if (!gather_point(x, y, static_cast<uint8_t>(c))) {
        XSetForeground(D, Gc, Color_Table[static_cast<uint8_t>(c)]);
        XDrawPoint(D, current_draw, Gc, x, y);
        XSetForeground(D, Gc, Color_Table[nowcolor]);
    }
    if (drawing_on_window())
        record_pixel(x, y, c);
}

void
bar(int x0, int y0, int x1, int y1)
{
    order_corners(x0, y0, x1, y1);
    if (!gather_fill(x0, y0, x1, y1, fillcolor))
        with_fill_color([&] {
            XFillRectangle(D, current_draw, Gc, x0, y0, x1 - x0 + 1, y1 - y0 + 1);
        });
    if (drawing_on_window())
        record_fill(x0, y0, x1, y1, fillcolor, fill_style, "bar");
}

void
rectangle(int x0, int y0, int x1, int y1)
{
    order_corners(x0, y0, x1, y1);
    send_gathered_shapes();
    XDrawRectangle(D, current_draw, Gc, x0, y0, x1 - x0, y1 - y0);
    if (drawing_on_window())
        record_outline(x0, y0, x1, y1, nowcolor, "rectangle");
}

void
bar3d(int x0, int y0, int x1, int y1, int, int)
{
    bar(x0, y0, x1, y1);
    rectangle(x0, y0, x1, y1);
}

void
fillpoly(int n, const int *points)
{
    if (n < 1)
        return;
    std::vector<XPoint> corners(n);
    for (int i = 0; i < n; i++) {
        corners[i].x = static_cast<short>(points[2 * i]);
        corners[i].y = static_cast<short>(points[2 * i + 1]);
    }
    with_fill_color([&] {
        XFillPolygon(D, current_draw, Gc, corners.data(), n, Convex, CoordModeOrigin);
    });
    if (drawing_on_window())
        record_polygon(n, points);
}

void
pieslice(int x, int y, int start, int end, int r)
{
    if (r < 0)
        r = -r;
    with_fill_color([&] {
        XFillArc(D, current_draw, Gc, x - r, y - r, 2 * r, 2 * r, start * 64,
                 (end - start) * 64);
    });
    XDrawArc(D, current_draw, Gc, x - r, y - r, 2 * r, 2 * r, 0, 360 * 64);
    if (drawing_on_window())
        record_pie(x, y, r);
}

void
draw_circle(int x, int y, int diameter)
{
    if (!gather_circle(x, y, diameter, nowcolor))
        XDrawArc(D, current_draw, Gc, x, y, diameter, diameter, 0, 360 * 64);
    if (drawing_on_window())
        record_circle(x, y, diameter, nowcolor);
}

void
draw_circle_in(int x, int y, int diameter, int c)
{
    nowcolor = static_cast<uint8_t>(c);
    if (!defer_foreground()) {
        XSetForeground(D, Gc, Color_Table[nowcolor]);
    } else if (current_draw == W && !records_shapes_from(std::min(y, y + diameter)) &&
               gather_circle(x, y, diameter, nowcolor)) {
        return; // gathered, with nothing to record
    }
    draw_circle(x, y, diameter);
}

void
draw_segments(const int16_t *xy, int n)
{
    // XSegment is four shorts in this order, so the list goes over as it is.
    static_assert(sizeof(XSegment) == 4 * sizeof(int16_t), "XSegment layout");
    if (n <= 0)
        return;
    if (!gather_segments(xy, n, nowcolor))
        XDrawSegments(D, current_draw, Gc, reinterpret_cast<XSegment *>(const_cast<int16_t *>(xy)), n);
    if (drawing_on_window())
        record_segments(xy, n);
}

unsigned long
getpixel(int x, int y)
{
    send_gathered_shapes();
    XImage *image = XGetImage(D, W, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return pixel;
}

int
text_pixel_width(const char *s, int len)
{
    XFontStruct *font = fonttype ? propfont : nonpropfont;
    if (!font)
        return len * CWidth;
    return XTextWidth(font, s, len);
}

int outtext_answer_keys = 1;

namespace {

// Text s as written from column x: cut, and ended in "...", where it would
// run past the last column left of the right frame of the boxes at the
// window's right edge (past that, it would cross their frame or the
// window's edge), with room left after it for the answer typed after a
// prompt and its cursor (a cut line is a prompt's); s itself where it
// fits, or where no start of it and "..." fits either (an entry's echo
// beyond that column).
std::string
within_window(const char *s, int x)
{
    const int room = box_right_edge(Maxx) - x;
    if (text_width_in_use(s) <= room)
        return s;
    for (int end : {room - typed_entry_room(outtext_answer_keys), room}) {
        std::string cut = text_within(s, end);
        if (text_width_in_use(cut.c_str()) <= end)
            return cut;
    }
    return s;
}

} // namespace

void
outtext(const char *s)
{
    const std::string text = within_window(s, getx);
    send_gathered_shapes();
    XDrawString(D, W, Gc, getx, line_baseline(gety), text.c_str(), static_cast<int>(text.size()));
    int x = getx;
    // The point goes on by the width drawn: in the font in use, so that
    // text and answers written after a line in the medium or small font
    // follow it without a gap.
    getx = static_cast<int16_t>(getx + text_width_in_use(text.c_str()));
    record_text(text.c_str(), x, gety, getx);
}

void
myouttext(const char *s)
{
    outtext(s);
}

int
textwidth(const char *s)
{
    return static_cast<int>(strlen(s)) * CWidth;
}

int
textheight()
{
    return CHeight;
}

void
flush_display()
{
    send_gathered_shapes();
    XFlush(D);
}

void
print_out(const char *s)
{
    fputs(s, stderr);
}

uint32_t
filelength(int fd)
{
    struct stat status;
    if (fstat(fd, &status) != 0)
        return 0;
    return static_cast<uint32_t>(status.st_size);
}
