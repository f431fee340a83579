// The draw check's saved regions and resizes (draw_check.h): a region saved
// under a box and put back brings back what lay there (what hid, cut or
// covered it since is gone, what was drawn over it since is covered); one
// put back with another size than it was saved at, or saved at the window's
// old size and copied back after a resize, is a fault. At a resize the
// window is drawn afresh from the window record, whose redraw comes through
// the check's hooks as drawings (window_record.cpp): what the check knew of
// the old window is forgotten first.
#include <algorithm>

#include "ui/screen/draw_check.h"
#include "ui/screen/draw_check_parts.h"
#include "ui/screen/window_record.h"

using namespace draw_checking;

void
check_put_image(image_slot pixmap, int x, int y, int w, int h, bool saved_before_resize)
{
    if (!judging())
        return;
    const box put = {held_far(x), held_far(y), held_far(int64_t{x} + w - 1), held_far(int64_t{y} + h - 1)};
    box area = meet(put, viewport_box());
    uint32_t seq = window_drawings();
    saved_window_area saved;
    if (saved_before_resize)
        report("saved area " + describe(put) + " saved before the window was resized put back after it");
    if (saved_before_resize || !saved_area_of(pixmap, saved) || saved.x0 != x || saved.y0 != y) {
        cover(area, [&] { return "image put " + describe(area); }, seq, false);
        return;
    }
    box was = {saved.x0, saved.y0, saved.x1, saved.y1};
    if (was.x1 - was.x0 + 1 != w || was.y1 - was.y0 + 1 != h)
        report("saved area " + describe(was) + " put back as " + describe(put));
    // What lay there when it was saved comes back: what was drawn over it
    // since is covered, the older drawings lose what hid, cut or covered
    // them since.
    uint32_t before = saved.drawn_before;
    put_back_texts(area, before);
    auto undo = [&](std::vector<covering> &covers) {
        covers.erase(std::remove_if(covers.begin(), covers.end(),
                                    [&](const covering &c) { return c.seq > before && inside(c.where, area); }),
                     covers.end());
    };
    for (seen_shape &s : shapes)
        if (s.seq <= before) {
            undo(s.covers);
            // A clearing taken back with the region is no break of the shape.
            s.cleared_since_wait = s.cleared_since_wait &&
                                   std::any_of(s.covers.begin(), s.covers.end(),
                                               [](const covering &c) { return c.clearing; });
            s.faults.erase(std::remove_if(s.faults.begin(), s.faults.end(),
                                          [&](const finding &f) { return f.seq > before && inside(f.where, area); }),
                           s.faults.end());
        }
    for (seen_line &l : lines)
        if (l.seq <= before)
            undo(l.covers);
    cover(area, [&] { return "saved area put back " + describe(area); }, seq, true, before);
}

void
check_window_redrawn()
{
    if (!on)
        return;
    forget_texts();
    shapes.clear();
    lines.clear();
}
