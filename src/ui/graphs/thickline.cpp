// The link primitive of the graph drawings: a band offset to the left of its
// direction of travel (so the links A to B and B to A lie side by side), or
// a thin line, with an arrow head part way along. The ants demonstration
// draws its body with it.
#include "ui/graphs/thickline.h"

#include <cmath>

#include "engine/graphs/link_angle.h"
#include "ui/graphs/globals.h"
#include "ui/screen/draw.h"
#include "ui/screen/globals.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The arrow head: tip 0.6 of the way from start to end, barbs at +-pi/10
// from the reverse direction.
void
arrow_head(double sx, double sy, double ex, double ey, int colour)
{
    double tx = sx + 0.6 * (ex - sx), ty = sy + 0.6 * (ey - sy);
    double back = std::atan2(sy - ey, sx - ex);
    double barb = arrow_size * w_cyclerad;
    int corners[6] = {
        static_cast<int>(tx), static_cast<int>(ty),
        static_cast<int>(tx + barb * std::cos(back + kPi / 10)),
        static_cast<int>(ty + barb * std::sin(back + kPi / 10)),
        static_cast<int>(tx + barb * std::cos(back - kPi / 10)),
        static_cast<int>(ty + barb * std::sin(back - kPi / 10))};
    setfillstyle(0, colour);
    fillpoly(3, corners);
}

} // namespace

void
compute_link_angle(int xa, int ya, int xb, int yb)
{
    link_direction d = link_angle(xa, ya, xb, yb);
    linkangle = static_cast<float>(d.angle);
    abs_angle = static_cast<float>(d.acute);
}

void
thickline(int kind, int xa, int ya, int xb, int yb, double width, double scale, int colour)
{
    if (kind == -1)
        scale_links = 1;
    compute_link_angle(xa, ya, xb, yb);
    // The unit offset to the left of the direction of travel on the screen.
    double dx = xb - xa, dy = yb - ya, length = std::hypot(dx, dy);
    double ux = length > 0 ? dy / length : 0, uy = length > 0 ? -dx / length : 0;
    double gap = scale_links ? std::floor(scale / 7) : std::floor(2 * scale);
    double shift = width <= scale ? gap : -0.5 * width;
    double p1x = xa + shift * ux, p1y = ya + shift * uy;
    double p2x = xb + shift * ux, p2y = yb + shift * uy;
    int saved = getcolor();
    setcolor(colour);
    if (scale_links) {
        int corners[8] = {static_cast<int>(p1x), static_cast<int>(p1y),
                          static_cast<int>(p2x), static_cast<int>(p2y),
                          static_cast<int>(p2x + width * ux), static_cast<int>(p2y + width * uy),
                          static_cast<int>(p1x + width * ux), static_cast<int>(p1y + width * uy)};
        setfillstyle(0, colour);
        fillpoly(4, corners);
        moveto(static_cast<int>(p1x), static_cast<int>(p1y));
        lineto(static_cast<int>(p2x), static_cast<int>(p2y));
    } else {
        moveto(xa, ya);
        lineto(xb, yb);
    }
    // A spur runs from its node outward, so its arrow points away from the
    // node just as an ordinary link's points at its end.
    if (show_arrows)
        arrow_head(p1x, p1y, p2x, p2y, scale_links ? white : colour);
    setcolor(saved);
}
