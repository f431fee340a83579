// Pixels of the window for other folders (window_pixels.h): a capture of the
// whole window through a pixmap, and copies from a drawable to the window.
#include "ui/screen/window_pixels.h"

#include <cstdio>

#include "ui/screen/images.h"
#include "ui/screen/window_record.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/x_state.h"

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
    // A drawing made off the window (a pattern) cannot be drawn again.
    record_unreplayable();
    XCopyArea(D, *slot, W, Gc, x, y, w, h, x, y);
}
