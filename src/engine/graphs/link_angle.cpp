// The direction rule of the graph window (link_angle.h).
#include "engine/graphs/link_angle.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

} // namespace

link_direction
link_angle(int xa, int ya, int xb, int yb)
{
    if (xa == xb)
        return {yb < ya ? kPi / 2 : 3 * kPi / 2, kPi / 2};
    if (ya == yb)
        return {xb > xa ? 2 * kPi : kPi, 0};
    double a = std::atan(std::fabs(static_cast<double>(ya - yb)) / std::fabs(static_cast<double>(xa - xb)));
    bool up = yb < ya, right = xb > xa;
    return {up ? (right ? a : kPi - a) : (right ? 2 * kPi - a : kPi + a), a};
}
