// Liang-Barsky clipping of a segment to a rectangle (segment_clip.h).
#include "ui/screen/segment_clip.h"

#include <algorithm>
#include <cmath>

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

bool
cut_segment_to(int &x0, int &y0, int &x1, int &y1, int left, int top, int right, int bottom)
{
    double t0, t1;
    if (!segment_inside(x0, y0, x1, y1, left, top, right, bottom, t0, t1))
        return false;
    const double dx = double(x1) - x0, dy = double(y1) - y0;
    auto at = [](int from, double d, double t, int lo, int hi) {
        return std::clamp(static_cast<int>(std::lround(from + d * t)), lo, hi);
    };
    const int sx = x0, sy = y0;
    x0 = at(sx, dx, t0, left, right);
    y0 = at(sy, dy, t0, top, bottom);
    x1 = at(sx, dx, t1, left, right);
    y1 = at(sy, dy, t1, top, bottom);
    return true;
}
