// The geometry of tree drawings (see tree_geometry.h). Reads the level
// radii (rad, lastlevel), the tree builder's position in the tree (level,
// fansize, thismax, attperiod, direction) and the layout settings; writes
// the fan globals thisrad, nextrad, heading, angle. Start at
// compute_fan_angle, whose caps keep a fan inside its share of the circle.
#include "engine/backward/tree_geometry.h"

#include <cmath>
#include <cstring>

#include "engine/backward/globals.h"
#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

float
radius_of(int n)
{
    return rad && n >= 0 ? rad[n] : 0.0f;
}

// A weight of v^c in 32 bits for the matrix halves (c below 32).
uint32_t
power_of_v(uint32_t c)
{
    uint32_t p = 1;
    for (uint32_t i = 0; i < c; i++)
        p *= value_range;
    return p;
}

// atan(d / r) for the fan angle, remembered for the last d and r: they
// change with the level only, and a tree is built level by level. Compared
// by their bits, so that the value returned is the one atan gives.
bool atan_known = false;
uint64_t atan_d_bits = 0, atan_r_bits = 0;
double last_atan = 0;

double
spread_atan(double d, double r)
{
    uint64_t d_bits, r_bits;
    std::memcpy(&d_bits, &d, sizeof d);
    std::memcpy(&r_bits, &r, sizeof r);
    if (!atan_known || d_bits != atan_d_bits || r_bits != atan_r_bits) {
        atan_known = true;
        atan_d_bits = d_bits;
        atan_r_bits = r_bits;
        last_atan = std::atan(d / r);
    }
    return last_atan;
}

// Where a coordinate worked out with an error below slack truncates as the
// exact one would: nowhere near an integer (truncation moves at integers
// only, zero included).
bool
truncates_safely(double v, double slack)
{
    return std::fabs(v - std::nearbyint(v)) > slack;
}

// The child position from the direction's cosine and sine, each worked out
// within slack / radius of the exact one; false when a coordinate is too
// near an integer to be sure of its pixel.
bool
place_near(double c, double s, double radius, double slack, int16_t *x, int16_t *y)
{
    const double px = ox + radius * c, py = oy + radius * s;
    if (!truncates_safely(px, slack) || !truncates_safely(py, slack))
        return false;
    *x = static_cast<int16_t>(static_cast<int>(px));
    *y = static_cast<int16_t>(static_cast<int>(py));
    return true;
}

// The sine and cosine of the fan angle, remembered for the last angle: it
// changes with the level and the fan size only.
bool step_known = false;
float step_angle = 0;
double step_cos = 1, step_sin = 0;

// Children turned from the first by a recurrence before the sine and cosine
// are taken afresh: each turn adds a few units in the last place.
constexpr uint32_t kTurnsPerRestart = 64;

} // namespace

void
fan_child_positions(uint32_t f, double radius, bool heading_of_node, int16_t *x, int16_t *y)
{
    if (f == 0)
        return;
    // A single child lies on the ray from the centre through the node, the
    // heading compute_heading gave it (away from level 0, where the heading
    // is turned, and off the vertical, where it is set): its cosine and sine
    // are the node's offset over its distance, within the heading's own
    // rounding to a float (half a unit in the last place of a float below
    // 8, 2.4e-7) and a few units of a double.
    if (f == 1) {
        const double dx = xx - ox, dy = yy - oy;
        if (heading_of_node && level > 0 && dx != 0) {
            const double r = std::sqrt(dx * dx + dy * dy);
            if (place_near(dx / r, dy / r, radius, radius * 4e-7 + 1e-6, x, y))
                return;
        }
        point_on_circle(fan_child_direction(0, 1), radius, x, y);
        return;
    }
    if (!step_known || step_angle != angle) {
        step_known = true;
        step_angle = angle;
        step_cos = std::cos(static_cast<double>(angle));
        step_sin = std::sin(static_cast<double>(angle));
    }
    // Child i + 1 is child i turned back by the angle; the directions the
    // exact positions take differ from the turned ones by their rounding
    // (a few units in the last place of 2 pi) and the turns' error.
    const double slack = radius * 1e-12 + 1e-9;
    double c = 0, s = 0;
    for (uint32_t i = 0; i < f; i++) {
        if (i % kTurnsPerRestart == 0) {
            const double theta = fan_child_direction(i, f);
            c = std::cos(theta);
            s = std::sin(theta);
            x[i] = static_cast<int16_t>(static_cast<int>(ox + radius * c)); // point_on_circle's
            y[i] = static_cast<int16_t>(static_cast<int>(oy + radius * s));
        } else {
            const double turned_c = c * step_cos + s * step_sin;
            s = s * step_cos - c * step_sin;
            c = turned_c;
            if (!place_near(c, s, radius, slack, &x[i], &y[i]))
                point_on_circle(fan_child_direction(i, f), radius, &x[i], &y[i]);
        }
    }
}

float
level_radius(uint32_t d)
{
    int last = lastlevel;
    if (!rad || last == 0)
        return 0;
    if (d + 1 < static_cast<uint32_t>(last))
        return rad[d];
    float step = last >= 2 ? rad[last - 1] - rad[last - 2] : 0.0f;
    return rad[last - 1] + step * static_cast<float>(d - static_cast<uint32_t>(last) + 1);
}

void
set_level_radii()
{
    thisrad = level_radius(level);
    nextrad = level_radius(level + 1);
}

void
compute_heading()
{
    if (level == 0 && attperiod < 2) {
        heading = static_cast<float>(-(orient_angle + kPi / 4));
        return;
    }
    double dx = xx - ox, dy = yy - oy;
    if (dx != 0) {
        double a = std::atan(std::fabs(dy / dx));
        if (dx > 0 && dy >= 0)
            heading = static_cast<float>(a);
        else if (dx < 0 && dy >= 0)
            heading = static_cast<float>(kPi - a);
        else if (dx > 0)
            heading = static_cast<float>(2 * kPi - a);
        else
            heading = static_cast<float>(kPi + a);
    } else if (dy < 0) {
        heading = static_cast<float>(3 * kPi / 2);
    } else if (dy > 0) {
        heading = static_cast<float>(kPi / 2);
    }
    if (level == 0)
        heading = static_cast<float>(heading - kPi / 12);
}

void
compute_fan_angle(double d)
{
    double f = fansize ? fansize : 1;
    uint32_t p = attperiod;
    double spread = nextrad > 0 ? 2 * spread_atan(d, nextrad) / std::sqrt(f) : 0;
    bool single_level1 = level == 1 && p < 2 && thismax == 1;
    double a;
    if (level == 0)
        a = p == 1 ? 1.65 * kPi / f : p == 0 ? 2 * kPi / f : p == 2 ? 0.85 * kPi / f : spread;
    else
        a = single_level1 ? 1.65 * kPi / f : spread;
    bool basin_root_fan = level == 0 && direction == direction_forward && p < 3;
    bool subtree_root_fan = level == 0 && direction != direction_forward;
    if (fan_angle_fact != 0 && fan_angle_fact != 1 && fansize != 1 && !basin_root_fan &&
        !single_level1 && !subtree_root_fan)
        a *= fan_angle_fact;
    // Caps: the fan keeps within its share of the circle.
    if (p == 2 && level == 0 && f * a > 1.65 * kPi)
        a = 1.65 * kPi / f;
    if (p > 2 || (p == 2 && level > 0)) {
        double r = nextrad > 0 ? radius_of(0) / nextrad : 0;
        if (f * a > 0.85 * kPi * r)
            a = 0.85 * kPi * r / f;
    }
    if (p < 2 && (level > 1 || (level == 1 && thismax > 1))) {
        double r = thisrad > 0 ? radius_of(0) / thisrad : 0;
        if (f * a > 0.85 * kPi * r)
            a = 0.85 * kPi * r / f;
    }
    if (f * a > 2 * kPi)
        a = 2 * kPi / f;
    angle = static_cast<float>(a);
}

void
matrix_extent(uint32_t *columns, uint32_t *rows)
{
    uint32_t h = lineL / 2u;
    uint32_t row = 0, column = 0;
    for (uint32_t c = 0; c < h && c < 32; c++)
        row += static_cast<uint32_t>(value_range - 1) * power_of_v(c);
    for (uint32_t c = h; c < lineL && c - h < 32; c++)
        column += static_cast<uint32_t>(value_range - 1) * power_of_v(c - h);
    *columns = column;
    *rows = row;
}

void
matrix_cell(const uint8_t *state, uint32_t *column, uint32_t *row)
{
    uint32_t h = lineL / 2u;
    uint32_t r = 0, c = 0;
    for (uint32_t i = 0; i < h && i < 32; i++)
        r += static_cast<uint32_t>(get_value(state, i)) * power_of_v(i);
    for (uint32_t i = h; i < lineL && i - h < 32; i++)
        c += static_cast<uint32_t>(get_value(state, i)) * power_of_v(i - h);
    *column = c;
    *row = r;
}

bool
decimal_labels_fit()
{
    // v^n - 1 within 32 bits: the n <= maxL_lu of the network-size stage,
    // counted here so that it holds before that stage has run too.
    uint64_t states = 1;
    for (uint32_t c = 0; c < lineL; c++) {
        states *= value_range;
        if (states > (uint64_t(1) << 32))
            return false;
    }
    return true;
}
