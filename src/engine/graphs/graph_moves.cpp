// The layout moves of the graph window and the drag editor
// (graph_moves.h): arithmetic on basin_pos through set_node_position, which
// keeps every place within the 16-bit range; the editor's moves take the
// nodes of its selection (node_selection.h). random() is the program's one random stream, so a seeded
// run lays out the same.
#include "engine/graphs/graph_moves.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/graphs/globals.h"
#include "engine/graphs/link_angle.h"
#include "engine/graphs/node_selection.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A random whole number below span (0 for a span below 1).
long
random_below(int span)
{
    return span > 0 ? random() % span : 0;
}

// The node's angle and distance about the centre; false for a node
// exactly there.
bool
polar_about(int cx, int cy, uint32_t m, double &angle, double &distance)
{
    int x = basin_pos[m][0], y = basin_pos[m][1];
    if (x == cx && y == cy)
        return false;
    angle = link_angle(cx, cy, x, y).angle;
    distance = std::hypot(static_cast<double>(x - cx), static_cast<double>(y - cy));
    return true;
}

// Every node (or, with only_selected, every node in linknet) turned about
// the centre by turn radians, anticlockwise on the screen for turn > 0.
void
turn_nodes(int cx, int cy, double turn, bool only_selected)
{
    for (uint32_t m = node_no; m >= 1; m--) {
        double angle, distance;
        if ((only_selected && !in_linknet(m)) || !polar_about(cx, cy, m, angle, distance))
            continue;
        set_node_position(m, cx + distance * std::cos(angle + turn), cy - distance * std::sin(angle + turn));
    }
}

// Every node (or every node in linknet) mirrored: 'h' x := 2 cx - x,
// 'v' y := 2 cy - y.
void
mirror_nodes(int cx, int cy, char axis, bool only_selected)
{
    for (uint32_t m = node_no; m >= 1; m--) {
        if (only_selected && !in_linknet(m))
            continue;
        double x = basin_pos[m][0], y = basin_pos[m][1];
        if (axis == 'h')
            x = 2.0 * cx - x;
        else
            y = 2.0 * cy - y;
        set_node_position(m, x, y);
    }
}

} // namespace

float
spiral_base_radius(float cyclerad, uint32_t nodes, float node_factor)
{
    if (nodes == 0)
        return 2.5f;
    // A few nodes, spread over one turn, are as large as on the circle.
    if (nodes < kFewSpiralNodes)
        return graph_base_radius(cyclerad, nodes, node_factor, circle_growth);
    double base = std::min(cyclerad * kPi / (1.2 * nodes), cyclerad / 5.0);
    base *= node_factor * std::pow(nodes / 100.0, 0.7);
    return static_cast<float>(std::max(base, 2.5));
}

int
spiral_start_units(uint32_t nodes)
{
    return nodes == 0 ? 0 : static_cast<int>(40 * std::pow(100.0 / nodes, 0.3));
}

void
place_on_spiral(const graph_frame &frame, int start_radius)
{
    double r = start_radius;
    // Below ten nodes the whole spiral is one turn, a node at each of
    // node_no angles; from ten on it winds node_no div 10 times slower.
    double step = 2 * kPi / (node_no < kFewSpiralNodes ? node_no : node_no / 10);
    uint32_t placed = 0;
    for (uint32_t m = node_no; m >= 1; m--) {
        placed++;
        double theta = step * m;
        set_node_position(m, frame.cx + r * std::cos(theta), frame.cy + r * std::sin(theta));
        r *= 1 + 0.2 / std::pow(placed, 0.9);
        step /= 1 + 0.01 / std::pow(placed, 0.7);
    }
}

void
place_on_line(const graph_frame &frame)
{
    if (node_no == 0)
        return;
    double d = 0.9 * (frame.x1 - frame.x0) / node_no;
    for (uint32_t m = node_no; m >= 1; m--)
        set_node_position(m, frame.cx - d * node_no / 2 + d * (node_no - m) + d / 2, frame.cy);
}

void
jiggle_nodes(int reach)
{
    for (uint32_t m = node_no; m >= 1; m--) {
        long dx = random_below(reach) - random_below(reach);
        long dy = random_below(reach) - random_below(reach);
        set_node_position(m, static_cast<double>(basin_pos[m][0]) + dx,
                          static_cast<double>(basin_pos[m][1]) + dy);
    }
}

void
place_at_random(int left, int top, int span_x, int span_y)
{
    for (uint32_t m = node_no; m >= 1; m--) {
        long x = left + random_below(span_x);
        long y = top + random_below(span_y);
        set_node_position(m, static_cast<double>(x), static_cast<double>(y));
    }
}

uint32_t
place_nodes_inside(const graph_frame &frame)
{
    uint32_t moved = 0;
    for (uint32_t m = 1; m <= node_no; m++) {
        int x = std::clamp<int>(basin_pos[m][0], frame.x0 + 1, frame.x1 - 1);
        int y = std::clamp<int>(basin_pos[m][1], frame.y0 + 1, frame.y1 - 1);
        if (x == basin_pos[m][0] && y == basin_pos[m][1])
            continue;
        set_node_position(m, x, y);
        moved++;
    }
    return moved;
}

void
scale_about_centre(int cx, int cy, double factor)
{
    for (uint32_t m = node_no; m >= 1; m--) {
        double angle, distance;
        if (!polar_about(cx, cy, m, angle, distance))
            continue;
        distance *= factor;
        set_node_position(m, cx + distance * std::cos(angle), cy - distance * std::sin(angle));
    }
}

void
rotate_about_centre(int cx, int cy, double turn)
{
    turn_nodes(cx, cy, turn, false);
}

void
mirror_about_centre(int cx, int cy, char axis)
{
    mirror_nodes(cx, cy, axis, false);
}

void
rotate_component_graph(bool selection, char key, int cx, int cy, double angle)
{
    turn_nodes(cx, cy, key == 'x' ? -angle : angle, selection);
}

void
flip_component_graph(bool selection, char key, int cx, int cy)
{
    mirror_nodes(cx, cy, key, selection);
}

void
drag_node(uint32_t node, int x, int y, drag_group group)
{
    if (node < 1 || node > node_no)
        return;
    const double dx = x - basin_pos[node][0], dy = y - basin_pos[node][1];
    set_node_position(node, x, y);
    if (group == drag_group::single)
        return;
    for (uint32_t m = node_no; m >= 1; m--)
        if (m != node && (group == drag_group::all || in_linknet(m)))
            set_node_position(m, basin_pos[m][0] + dx, basin_pos[m][1] + dy);
}

float
scaled_base_radius(float base, float factor, bool larger)
{
    return larger ? base * factor : std::max(1.0f, base / factor);
}

bool
node_unreachable(uint32_t i)
{
    return outside_inputs != nullptr && outside_inputs[i] <= u_threshold;
}

void
isolate_unreachable_nodes(int left, int span)
{
    for (uint32_t m = node_no; m >= 1; m--)
        if (node_unreachable(m))
            set_node_position(m, static_cast<double>(left + random_below(span)), basin_pos[m][1]);
}
