// Liang-Barsky clipping of a segment to a rectangle (segment_clip.h).
#include "ui/screen/segment_clip.h"

#include <algorithm>

bool
segment_inside(double x0, double y0, double x1, double y1, double left, double top, double right,
               double bottom, double &t0, double &t1)
{
    t0 = 0;
    t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
    for (int i = 0; i < 4; i++) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 <= t1;
}
