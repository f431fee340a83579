// Pixels of the window for other folders (window_pixels.h): a capture of the
// whole window through a pixmap, and copies from a drawable to the window.
#include "ui/screen/window_pixels.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "ui/screen/boxes.h"
#include "ui/screen/draw.h"
#include "ui/screen/images.h"
#include "ui/screen/standing_boxes.h"
#include "ui/screen/window_record.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/x_state.h"

namespace {

// The rectangle copies leave alone, half-open; empty when x0 >= x1.
struct kept_area {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
} kept;

// A half-open rectangle.
struct piece {
    int x0, y0, x1, y1;
};

// The half-open rectangle x0..r, y0..b less the kept one: the bands above
// and below it, then the pieces left and right of it (the whole rectangle
// first where the two do not meet); empty pieces have x1 <= x0 or y1 <= y0.
std::array<piece, 4>
pieces_around_kept(int x0, int y0, int r, int b)
{
    const bool apart = kept.x0 >= kept.x1 || kept.x0 >= r || kept.x1 <= x0 || kept.y0 >= b ||
                       kept.y1 <= y0;
    const int top = apart ? b : std::max(y0, kept.y0), bottom = apart ? b : std::min(b, kept.y1);
    return {{{x0, y0, r, top},
             {x0, bottom, r, b},
             {x0, top, std::max(x0, kept.x0), bottom},
             {std::min(r, kept.x1), top, r, bottom}}};
}

// Copies (x, y, w, h) of the drawable, the kept rectangle left out, and
// records each piece.
void
copy_around_kept(Drawable from, int x, int y, int w, int h)
{
    for (const piece &p : pieces_around_kept(x, y, x + w, y + h)) {
        if (p.x1 <= p.x0 || p.y1 <= p.y0)
            continue;
        // A box standing there that the copy meets goes whole: a piece of
        // it beside the copy would stand there alone.
        give_way({p.x0, p.y0, std::min(p.x1 - 1, static_cast<int>(view_x1)), p.y1 - 1});
        XCopyArea(D, from, W, Gc, p.x0, p.y0, p.x1 - p.x0, p.y1 - p.y0, p.x0, p.y0);
        // A drawing made off the window (a pattern) cannot be drawn again.
        record_pattern_copy(p.x0, p.y0, p.x1 - p.x0, p.y1 - p.y0);
    }
}

} // namespace

void
keep_from_copies(int x0, int y0, int x1, int y1)
{
    kept = {x0, y0, x1 + 1, y1 + 1};
}

void
release_kept_area()
{
    kept = {};
}

bool
kept_area(int *x0, int *y0, int *x1, int *y1)
{
    *x0 = kept.x0, *y0 = kept.y0, *x1 = kept.x1 - 1, *y1 = kept.y1 - 1;
    return kept.x0 < kept.x1;
}

void
clear_around_kept(int x0, int y0, int x1, int y1)
{
    // Each piece around the kept rectangle cleared as a viewport is, within
    // the viewport in force (a run kept left of a panel standing over it).
    int16_t vx0 = view_x0, vy0 = view_y0, vx1 = view_x1, vy1 = view_y1;
    for (const piece &p : pieces_around_kept(std::max<int>(x0, vx0), std::max<int>(y0, vy0),
                                             std::min<int>(x1, vx1) + 1, std::min<int>(y1, vy1) + 1))
        if (p.x1 > p.x0 && p.y1 > p.y0) {
            setviewport(p.x0, p.y0, p.x1 - 1, p.y1 - 1, 1);
            clearviewport();
        }
    setviewport(vx0, vy0, vx1, vy1, 1);
}

bool
read_window_pixels(int w, int h, std::vector<uint32_t> &pixels)
{
    pixels.clear();
    image_slot capture = 0;
    getimage(0, 0, w - 1, h - 1, &capture);
    if (!capture)
        return false;
    XImage *image = XGetImage(D, capture, 0, 0, w, h, AllPlanes, ZPixmap);
    freeimage(&capture);
    if (!image)
        return false;
    pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                static_cast<uint32_t>(XGetPixel(image, x, y));
    XDestroyImage(image);
    return true;
}

void
copy_drawable_to_window(image_slot *slot, int x, int y, int w, int h)
{
    if (!*slot) {
        fputs("\nZero image passed to putimage\n", stderr);
        return;
    }
    // The rows drawn straight on the window (a tree's pre-image strip
    // scrolled in place) are there already: a copy of the window onto
    // itself would change nothing.
    if (*slot == W)
        return;
    if (w < 1 || h < 1) {
        Window root;
        int px, py;
        unsigned int pw, ph, border, depth;
        if (!XGetGeometry(D, *slot, &root, &px, &py, &pw, &ph, &border, &depth)) {
            fputs("Failed to get Pixmap geometry in putimage\n", stderr);
            return;
        }
        x = y = 0;
        w = static_cast<int>(pw);
        h = static_cast<int>(ph);
    }
    send_gathered_shapes();
    copy_around_kept(*slot, x, y, w, h);
}
