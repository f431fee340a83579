// Layout geometry of the graph window (graph_layouts.h): pure arithmetic on
// the open graph's node count and the network's lattice sides (i2d, j2d,
// i3d, j3d, h3d, nhoodm). Positions are truncated toward zero into the
// 16-bit pairs of basin_pos.
#include "engine/graphs/graph_layouts.h"

#include <algorithm>
#include <cmath>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/globals.h"
#include "engine/model/pixel_coordinate.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The least s with s^power >= nodes.
uint32_t
least_side(uint32_t nodes, int power)
{
    uint32_t s = 1;
    for (;;) {
        uint64_t held = 1;
        for (int p = 0; p < power; p++)
            held *= s;
        if (held >= nodes)
            return s;
        s++;
    }
}

bool
network_lattice(int dim)
{
    return f_or_n == graph_network && (dim == 2 ? twod != 0 : threed != 0);
}

// Every cell's k is 6 or 7 and both sides are even: the 2d lattice is drawn
// as hexagons.
bool
hexagonal_lattice()
{
    if (!network_lattice(2) || nhood_mixed || (nhood != 6 && nhood != 7))
        return false;
    return i2d % 2 == 0 && j2d % 2 == 0;
}

} // namespace

void
set_node_position(uint32_t m, double x, double y)
{
    basin_pos[m][0] = pixel_coordinate(x);
    basin_pos[m][1] = pixel_coordinate(y);
}

float
graph_base_radius(float cyclerad, uint32_t nodes, float node_factor, double growth)
{
    double base = cyclerad / 5.0;
    if (nodes > 0)
        base = std::min(cyclerad * kPi / (1.2 * nodes), base);
    if (nodes > 100)
        base *= node_factor * std::pow(nodes / 100.0, growth);
    return static_cast<float>(std::max(base, 2.5));
}

void
set_graph_node_sizes(float base)
{
    double average = node_no > 0 ? m_space / node_no : 0;
    for (uint32_t i = 1; i <= node_no; i++)
        m_node_size[i] = no_links || average <= 0
                             ? base
                             : static_cast<float>(base * std::sqrt(node_size_measure(i) / average));
}

void
place_on_circle(const graph_frame &frame, float cyclerad)
{
    if (node_no == 0)
        return;
    double step = 2 * kPi / node_no;
    for (uint32_t m = node_no; m >= 1; m--)
        set_node_position(m, frame.cx + cyclerad * std::cos(m * step), frame.cy + cyclerad * std::sin(m * step));
}

void
place_on_2d_lattice(const graph_frame &frame, float cyclerad)
{
    if (node_no == 0)
        return;
    uint32_t columns, rows;
    if (network_lattice(2)) {
        columns = static_cast<uint32_t>(i2d);
        rows = static_cast<uint32_t>(j2d);
    } else {
        columns = rows = least_side(node_no, 2);
    }
    double width = frame.x1 - frame.x0;
    double p = 2.0 * cyclerad / rows;
    if (p * columns > width)
        p = static_cast<int>(width) / static_cast<int>(columns);
    bool hex = hexagonal_lattice();
    double q = hex ? p / std::cos(kPi / 6) : p;
    for (uint32_t r = 0; r < rows; r++)
        for (uint32_t c = 0; c < columns; c++) {
            uint64_t m = static_cast<uint64_t>(rows - r) * columns - c;
            if (m > node_no)
                continue;
            double x = frame.cx - columns * q / 2 + q * c;
            if (!hex)
                x += p / 2;
            else
                x += (rows - 1 - r) % 2 == 0 ? q : q / 2;
            double y = frame.cy - rows * p / 2 + p * r + p / 2;
            set_node_position(static_cast<uint32_t>(m), x, y);
        }
}

void
place_on_3d_lattice(const graph_frame &frame, float cyclerad)
{
    if (node_no == 0)
        return;
    uint32_t w, d, h;
    if (network_lattice(3)) {
        w = static_cast<uint32_t>(i3d);
        d = static_cast<uint32_t>(j3d);
        h = static_cast<uint32_t>(h3d);
    } else {
        w = d = h = least_side(node_no, 3);
    }
    double width = frame.x1 - frame.x0;
    double p = static_cast<double>(cyclerad) / h;
    if (p * w > width)
        p = static_cast<int>(width) / static_cast<int>(w);
    const double slant = std::sin(kPi / 4);
    for (uint32_t t = 0; t < h; t++)
        for (uint32_t e = 0; e < d; e++)
            for (uint32_t c = 0; c < w; c++) {
                uint32_t layer = h - 1 - t, depth = d - 1 - e, column = w - 1 - c;
                uint64_t m = 1 + column + static_cast<uint64_t>(depth) * w +
                             static_cast<uint64_t>(layer) * w * d;
                if (m > node_no)
                    continue;
                double a = depth + 1.0;
                double x = frame.cx + p * (c + 0.5) - p * a * slant;
                double y = frame.cy - 0.5 * p * h * (1 + slant) + p * t + p / 2 + p * a * slant;
                set_node_position(static_cast<uint32_t>(m), x, y);
            }
}
