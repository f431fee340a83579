// Image slots: screen regions kept as pixmaps on the X server, so saving and
// restoring a box or scrolling a pattern is one server-side copy. Regions are
// always read from the window; copies go through the GC, whose viewport clips
// in the destination's coordinates.
#include "ui/screen/images.h"

#include <cstdio>
#include <cstring>

#include "ui/screen/window_record.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/x_errors.h"
#include "ui/screen/x_state.h"

namespace {

// A new pixmap of w x h at the window's depth, or 0 when the server refuses.
Pixmap
create_pixmap(int w, int h)
{
    if (w <= 0 || h <= 0)
        return 0;
    unsigned long request = NextRequest(D);
    Pixmap pixmap = XCreatePixmap(D, W, w, h, screen_depth);
    if (x_request_failed(request))
        return 0;
    return pixmap;
}

} // namespace

void
setup_images()
{
    memset(boximage, 0, sizeof boximage);
    memset(boximage_prompt, 0, sizeof boximage_prompt);
    stpimage = 0;
    statblock = 0;
    current_draw = 0;
}

void
getimage(int x0, int y0, int x1, int y1, image_slot *slot)
{
    // A slot is refilled only after its pixmap is given back, so a caller
    // that saves twice into one slot does not leak the first region.
    if (*slot)
        freeimage(slot);
    int w = x1 - x0 + 1, h = y1 - y0 + 1;
    Pixmap pixmap = create_pixmap(w, h);
    if (!pixmap) {
        fputs("Error creating pixmap\n", stderr);
        return;
    }
    *slot = pixmap;
    send_gathered_shapes();
    XCopyArea(D, W, pixmap, Gc, x0, y0, w, h, 0, 0);
    note_window_capture(pixmap, x0, y0, x1, y1);
}

void
putimage(int x, int y, image_slot *slot, int)
{
    if (!*slot) {
        fputs("\nZero image passed to putimage\n", stderr);
        return;
    }
    Window root;
    int px, py;
    unsigned int w, h, border, depth;
    if (!XGetGeometry(D, *slot, &root, &px, &py, &w, &h, &border, &depth)) {
        fputs("Failed to get Pixmap geometry in putimage\n", stderr);
        return;
    }
    send_gathered_shapes();
    // On the window a saved region comes back (drawn again from the record
    // when saved before a resize); a pixmap drawn into holds no saved region.
    if (current_draw != W) {
        forget_window_capture(current_draw);
    } else {
        if (restore_window_area(*slot, x, y, static_cast<int>(w), static_cast<int>(h)))
            return;
    }
    XCopyArea(D, *slot, current_draw, Gc, 0, 0, w, h, x, y);
}

void
copy_part_image(image_slot *src, image_slot *dst, int sx, int sy, int dx, int dy,
                int w, int h)
{
    if (!*src) {
        fputs("Zero source image in copy_part_image \n", stderr);
        return;
    }
    if (!*dst) {
        fputs("Null pixmap passed to copy_part_image", stdout);
        *dst = create_pixmap(w, h);
        if (!*dst) {
            fputs("Error creating pixmap\n", stderr);
            return;
        }
    }
    send_gathered_shapes();
    XCopyArea(D, *src, *dst, Gc, sx, sy, w, h, dx, dy);
    forget_window_capture(*dst);
}

void
freeimage(image_slot *slot)
{
    if (!*slot) {
        fputs("\n Zero image passed to freeimage\n", stderr);
        return;
    }
    XFreePixmap(D, *slot);
    forget_window_capture(*slot);
    *slot = 0;
}

void
free_images()
{
    for (image_slot &slot : boximage)
        if (slot)
            freeimage(&slot);
    for (image_slot &slot : boximage_prompt)
        if (slot)
            freeimage(&slot);
    if (stpimage)
        freeimage(&stpimage);
    if (statblock)
        freeimage(&statblock);
}
