// Grouped rectangle fills (fill_rects.h): one XFillRectangles request per
// call, so a row of cells costs one request per colour instead of one per
// cell. cell_rect has XRectangle's layout, checked below, so the caller's
// array goes to the server as it is.
#include "ui/screen/fill_rects.h"

#include <cstddef>

#include "ui/screen/globals.h"
#include "ui/screen/window_record.h"
#include "ui/screen/shape_batch.h"
#include "ui/screen/x_state.h"

static_assert(sizeof(cell_rect) == sizeof(XRectangle), "cell_rect must match XRectangle");
static_assert(offsetof(cell_rect, x) == offsetof(XRectangle, x) &&
                  offsetof(cell_rect, y) == offsetof(XRectangle, y) &&
                  offsetof(cell_rect, w) == offsetof(XRectangle, width) &&
                  offsetof(cell_rect, h) == offsetof(XRectangle, height),
              "cell_rect must match XRectangle");

void
fill_rects(int c, const cell_rect *rects, int count)
{
    if (count <= 0)
        return;
    send_gathered_shapes();
    XSetForeground(D, Gc, Color_Table[static_cast<uint8_t>(c)]);
    // XRectangle and cell_rect share their layout (checked above).
    XFillRectangles(D, current_draw, Gc,
                    reinterpret_cast<XRectangle *>(const_cast<cell_rect *>(rects)), count);
    XSetForeground(D, Gc, Color_Table[nowcolor]);
    // Cells of a pattern: too many for the window's record.
    if (current_draw == W)
        record_cells(c, rects, count);
    else
        forget_window_capture(current_draw);
}
