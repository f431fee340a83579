// The 2d and 3d wiring editor's numbers (lattice_editor.h): the displayed
// shape, the picture's and the 3d frame's coordinates, cursor moves,
// blocks and the template re-wire. Reads the network shape and wiring kind
// (model/, wiring/) and writes i2d, j2d and the wiring table only where a
// function says so. Start at lattice_shape_now.
#include "engine/wiring_editor/lattice_editor.h"

#include <algorithm>
#include <cmath>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/wiring/globals.h"
#include "engine/wiring_editor/cells_in_reach.h"

namespace {

const double kSin45 = std::sqrt(0.5);
const double kCos30 = std::sqrt(3.0) / 2;

// a mod m into 0..m-1 for any a.
int
wrap(int a, int m)
{
    if (m <= 0)
        return 0;
    int r = a % m;
    return r < 0 ? r + m : r;
}

// The 2d lattice k whose regular template is the hexagonal one.
bool
hexagonal_k(int k)
{
    switch (k) {
    case 6: case 7: case 10: case 15: case 18: case 19: case 22:
        return true;
    default:
        return false;
    }
}

} // namespace

lattice_shape
lattice_shape_now()
{
    lattice_shape s;
    s.dim = threed ? 3 : twod ? 2 : 1;
    s.width = std::max<int>(1, i2d);
    s.height = std::max<int>(1, j2d);
    s.i3d = std::max<int>(1, i3d);
    s.j3d = std::max<int>(1, j3d);
    s.h3d = std::max<int>(1, h3d);
    s.hex = s.dim == 2 && hex2d;
    return s;
}

void
set_displayed_shape()
{
    if (threed) {
        i2d = i3d;
        j2d = static_cast<int16_t>(j3d * h3d);
    } else if (!twod) {
        set_i2dxj2d();
    }
}

lattice_cursor
cursor_of_cell(int cell, const lattice_shape &shape)
{
    lattice_cursor c;
    c.i = cell % shape.width;
    c.j = cell / shape.width;
    return c;
}

int
cell_of_cursor(lattice_cursor c, const lattice_shape &shape)
{
    return c.i + c.j * shape.width;
}

lattice_cursor
move_lattice_cursor(lattice_cursor c, lattice_move move, const lattice_shape &shape)
{
    if (move == lattice_move::layer_up || move == lattice_move::layer_down) {
        if (shape.dim != 3)
            return c;
        int j3 = c.j % shape.j3d, h = c.j / shape.j3d;
        h = wrap(h + (move == lattice_move::layer_up ? 1 : -1), shape.h3d);
        c.j = j3 + h * shape.j3d;
        return c;
    }
    // Left goes towards higher i (the picture runs right to left), up
    // towards higher j; every axis wraps.
    int di = move == lattice_move::left ? 1 : move == lattice_move::right ? -1 : 0;
    int dj = move == lattice_move::up ? 1 : move == lattice_move::down ? -1 : 0;
    c.i = wrap(c.i + di, shape.width);
    c.j = wrap(c.j + dj, shape.height);
    return c;
}

int
first_cursor_cell(int n, const lattice_shape &shape, bool outer)
{
    if (outer)
        return 0;
    int cell = shape.height % 2 == 0 ? n / 2 + shape.width / 2 : n / 2;
    return std::min(cell, std::max(0, n - 1));
}

float
lattice_cell_size(const lattice_shape &shape, int maxy, float seven)
{
    if (shape.width <= 30 && shape.height <= 30)
        return seven;
    double share = shape.dim == 3 ? 0.8 : 0.5;
    double s = std::floor(maxy * share / std::max(shape.width, shape.height));
    return static_cast<float>(std::max(1.0, s));
}

float
lattice_gap(float s, float seven, float three)
{
    if (s < 3)
        return 1;
    if (s < seven)
        return 2;
    return three;
}

float
lattice_row_pitch(float s, bool hex)
{
    return hex ? static_cast<float>(std::ceil(s * kCos30)) : s;
}

int
frame_cell_size(int j3d_, int h3d_, int eight, int limit)
{
    for (int s3 = eight; s3 > 1; s3--)
        if (j3d_ * s3 * kSin45 + h3d_ * s3 <= limit)
            return s3;
    return 1;
}

bool
frame_can_grow(int j3d_, int h3d_, int s3, int limit)
{
    return j3d_ * (s3 + 1) * kSin45 + h3d_ * (s3 + 1) <= limit;
}

bool
hex_row_shifted(const lattice_shape &shape, int j)
{
    return shape.hex && (shape.height - 1 - j) % 2 != 0;
}

void
lattice_cell_corner(const lattice_picture &p, int i, int j, float *x, float *y)
{
    *x = p.x1 - p.cell_size * (i + 1);
    *y = p.base - p.pitch * (j + 1);
    if (hex_row_shifted(p.shape, j))
        *x += p.cell_size / 2;
}

void
lattice_cell_point(const lattice_picture &p, int i, int j, float *x, float *y)
{
    lattice_cell_corner(p, i, j, x, y);
    *x += (p.cell_size - p.gap) / 2;
    *y += (p.pitch - p.gap) / 2;
}

float
lattice_picture_top(const lattice_picture &p)
{
    return std::max(0.0f, p.base - p.pitch * (p.shape.height + 1));
}

void
frame_cell_point(const lattice_picture &p, int i, int j3, int h, float *x, float *y)
{
    double depth = (p.shape.j3d - j3) * p.s3 * kSin45;
    *x = static_cast<float>(p.frame_x + (p.shape.i3d - 1 - i) * p.s3 + depth);
    *y = static_cast<float>(p.start_base - h * p.s3 - depth);
}

void
frame_top_left(const lattice_picture &p, float *x, float *y)
{
    *x = p.frame_x;
    *y = static_cast<float>(p.start_base - p.shape.h3d * p.s3 - p.shape.j3d * p.s3 * kSin45);
}

float
base_after_up(float base, float start, int maxy)
{
    return std::max(start, base - maxy / 5.0f);
}

bool
picture_can_go_down(const lattice_picture &p, float limit)
{
    return p.base - p.pitch * (p.shape.height + 1) < limit;
}

block_corners
corners_of_cells(int low, int high, const lattice_shape &shape)
{
    block_corners b;
    b.i_low = static_cast<int16_t>(low % shape.width);
    b.j_low = static_cast<int16_t>(low / shape.width);
    b.i_high = static_cast<int16_t>(high % shape.width);
    b.j_high = static_cast<int16_t>(high / shape.width);
    return b;
}

void
cells_of_corners(const block_corners &b, const lattice_shape &shape, int *low, int *high)
{
    if (shape.dim == 3) {
        int layer = shape.i3d * shape.j3d;
        *low = b.i_low + b.j_low * shape.i3d + b.h_low * layer;
        *high = b.i_high + b.j_high * shape.i3d + b.h_high * layer;
        return;
    }
    *low = b.i_low + b.j_low * shape.width;
    *high = b.i_high + b.j_high * shape.width;
}

block_corners
whole_lattice_corners(int n, const lattice_shape &shape)
{
    if (shape.dim == 1)
        return corners_of_cells(0, n - 1, shape);
    block_corners b;
    if (shape.dim == 3) {
        b.i_high = static_cast<int16_t>(shape.i3d - 1);
        b.j_high = static_cast<int16_t>(shape.j3d - 1);
        b.h_high = static_cast<int16_t>(shape.h3d - 1);
    } else {
        b.i_high = static_cast<int16_t>(shape.width - 1);
        b.j_high = static_cast<int16_t>(shape.height - 1);
    }
    return b;
}

bool
placed_block(const placed_part &part, const lattice_shape &shape, block_corners *b, int *low,
             int *high)
{
    switch (part.dim) {
    case 1:
        *low = part.start_i;
        *high = part.start_i + part.i - 1;
        *b = corners_of_cells(*low, *high, shape);
        return true;
    case 2:
    case 3:
        *b = block_corners();
        b->i_low = static_cast<int16_t>(part.start_i);
        b->j_low = static_cast<int16_t>(part.start_j);
        b->i_high = static_cast<int16_t>(part.start_i + part.i - 1);
        b->j_high = static_cast<int16_t>(part.start_j + part.j - 1);
        if (part.dim == 3) {
            b->h_low = static_cast<int16_t>(part.start_h);
            b->h_high = static_cast<int16_t>(part.start_h + part.h - 1);
        }
        {
            lattice_shape on = shape;
            on.dim = part.dim;
            cells_of_corners(*b, on, low, high);
        }
        return true;
    default:
        return false;
    }
}

lattice_cursor
jump_target(int i, int j, int h, const lattice_shape &shape)
{
    if (shape.dim != 3) {
        lattice_cursor c;
        c.i = i;
        c.j = j;
        return c;
    }
    return cursor_of_cell(i + j * shape.i3d + h * shape.i3d * shape.j3d, shape);
}

void
wire_lattice_by_template()
{
    for (int j = j2d - 1; j >= 0; j--)
        for (int i = i2d - 1; i >= 0; i--) {
            uint16_t cell = static_cast<uint16_t>(i + j * i2d);
            if (cell < lineL)
                wire_cell_by_template(2, cell);
        }
}

int
pseudo_at_start()
{
    if (threed)
        return regular3d ? 0 : 1;
    if (twod) {
        if (hexagonal_k(nhood))
            return regular2d_tgrid ? 0 : 1;
        return regular2d ? 0 : 1;
    }
    return nonlocal == 1 ? 1 : 0;
}
