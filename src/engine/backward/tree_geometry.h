// Geometry of the radial tree drawing: the radii of a level, the spot size,
// the heading of a node and the angle between the children of its fan, the
// children's positions on the next circle, and where a state falls in the
// state-space matrix. Plain computations over the backward globals; the
// drawing itself is ui/backward/fan_drawing.cpp.
#pragma once
#include <cmath>
#include <cstdint>

#include "engine/backward/globals.h"

// The radius of the circle of tree level d, from rad[] (filled for
// lastlevel levels) and, beyond it, grown by the table's last step.
float level_radius(uint32_t d);
// thisrad and nextrad for `level` from rad[]; beyond the table the radii grow
// by its last step, so the drawing never runs out of levels.
void set_level_radii();
// heading for the node at (xx, yy) about the basin centre (ox, oy).
void compute_heading();
// angle between neighbouring children of a fan of fansize pre-images; d is
// half the gap between the two radii.
void compute_fan_angle(double d);
// Position on the next circle at direction theta from the basin centre,
// each coordinate truncated toward zero (the conversion itself truncates).
// Inline, as the next two: a field takes them once a node.
inline void
point_on_circle(double theta, double radius, int16_t *x, int16_t *y)
{
    *x = static_cast<int16_t>(static_cast<int>(ox + radius * std::cos(theta)));
    *y = static_cast<int16_t>(static_cast<int>(oy + radius * std::sin(theta)));
}
// Direction of child i of a fan of f children about heading, child 0 on the
// side of increasing angle.
inline double
fan_child_direction(uint32_t i, uint32_t f)
{
    return heading + (static_cast<double>(f) - 1) * angle / 2 - static_cast<double>(i) * angle;
}
// The positions of the f children of the fan about heading on the circle
// of radius around (ox, oy), into x[0..f-1] and y[0..f-1]: to the pixel
// those of point_on_circle(fan_child_direction(i, f), radius) for each i
// with the sine and
// cosine of few of the directions taken (see tree_geometry.cpp).
// heading_of_node: heading is compute_heading's for the node at (xx, yy),
// not a turned copy's.
void fan_child_positions(uint32_t f, double radius, bool heading_of_node, int16_t *x, int16_t *y);
// Radius of a node spot at the current radii.
inline float
spot_radius()
{
    if (nextrad == 0)
        return 0;
    return (nextrad - thisrad) * 0.125f * thisrad / nextrad;
}

// Largest column and row numbers of the state-space matrix of the network
// (the state with every cell v-1).
void matrix_extent(uint32_t *columns, uint32_t *rows);
// Column (number of the high half of the cells) and row (low half) of state.
void matrix_cell(const uint8_t *state, uint32_t *column, uint32_t *row);
// Whether the state numbers of this network fit 32 bits (v^n <= 2^32, the
// n <= maxL_lu of the network size): decimal labels only then.
bool decimal_labels_fit();
