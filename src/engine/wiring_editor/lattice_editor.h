// The numbers of the 2d and 3d wiring graph editor, apart from any drawing:
// the lattice as the editor shows it (a 3d lattice as its layers stacked,
// a 1d network as a near-square rectangle), the cell size and where each
// cell lies in the picture and in the oblique 3d frame, how the cursor
// moves, blocks from corners to cells and back, and the re-wire of the
// whole lattice by its template. Window sizes come in as arguments, so the
// numbers are the same for the editor and for a test.
#pragma once
#include <cstdint>

#include "engine/wiring_editor/cell_blocks.h"

// The lattice as shown: width x height cells in the picture (for 3d the
// width is i3d and the height j3d * h3d, layer h above layer h-1), the 3d
// sides, and whether the 2d rows are hexagonal.
struct lattice_shape {
    int dim = 2;               // 1, 2 or 3
    int width = 1, height = 1; // the displayed i2d, j2d
    int i3d = 1, j3d = 1, h3d = 1;
    bool hex = false;
};
// The shape from the globals, with i2d and j2d already the displayed shape.
lattice_shape lattice_shape_now();

// The displayed shape the editor sets on entry: for a 3d lattice i2d :=
// i3d and j2d := j3d * h3d; for a 1d network set_i2dxj2d's rectangle; a 2d
// lattice keeps its own. The caller saves and restores i2d and j2d.
void set_displayed_shape();

// The cursor's picture coordinates: cell = i + j * width. On a 3d lattice
// j = j3 + h * j3d, so the same cell index.
struct lattice_cursor {
    int i = 0, j = 0;
};
lattice_cursor cursor_of_cell(int cell, const lattice_shape &shape);
int cell_of_cursor(lattice_cursor c, const lattice_shape &shape);

// Moves: left is towards higher i (cell n-1 is at the left), up towards
// higher j, and on a 3d lattice a layer up or down keeps i and j3. Every
// move wraps at the lattice's edge.
enum class lattice_move { left, right, up, down, layer_up, layer_down };
lattice_cursor move_lattice_cursor(lattice_cursor c, lattice_move move, const lattice_shape &shape);

// The first cursor: n div 2 + width div 2 when the height is even, n div 2
// when it is odd, 0 with outer_tot.
int first_cursor_cell(int n, const lattice_shape &shape, bool outer_tot);

// Cell size s of the picture: seven (vgax(7)) while the shown lattice is
// at most 30 x 30; else maxy * 0.5 (0.8 for 3d) / the longer side, whole
// pixels, at least 1.
float lattice_cell_size(const lattice_shape &shape, int maxy, float seven);
// The gap between cells: 1 below 3 pixels, 2 below seven, else three.
float lattice_gap(float s, float seven, float three);
// Rows' pitch: s, or ceil(s cos 30) for hexagonal rows.
float lattice_row_pitch(float s, bool hex);
// The 3d frame's pixels per cell: the largest eight - m (m = 0, 1, ...)
// with j3d * s3 * sin 45 + h3d * s3 within limit; at least 1.
int frame_cell_size(int j3d, int h3d, int eight, int limit);
// Whether s3 + 1 still fits within limit.
bool frame_can_grow(int j3d, int h3d, int s3, int limit);

// Where the picture lies: right edge x1 (left edge x1 - cell_size * (width
// + 1)), the current base line (its bottom), the start base line (where the
// 3d frame stays), and the frame's left edge.
struct lattice_picture {
    lattice_shape shape;
    float cell_size = 7; // pixels from one cell to the next along a row
    float gap = 3;       // pixels between neighbouring cells' squares
    float pitch = 7;     // pixels from one row to the next
    float x1 = 0, base = 0, start_base = 0;
    float frame_x = 0;   // left edge of the 3d frame
    int s3 = 1;          // 3d frame pixels per cell
};
// Whether row j is shifted right by half a cell in a hexagonal lattice: the
// rows (height - 1 - j) odd, so the top row is never shifted.
bool hex_row_shifted(const lattice_shape &shape, int j);
// Top left of cell (i, j)'s square (or hexagon) in the picture: x = x1 -
// cell_size (i + 1), y = base - pitch (j + 1), shifted by cell_size / 2 on
// a shifted row.
void lattice_cell_corner(const lattice_picture &p, int i, int j, float *x, float *y);
// The cell's point in the bare lattice: its square's corner moved in by
// (cell_size - gap) / 2 across and (pitch - gap) / 2 down.
void lattice_cell_point(const lattice_picture &p, int i, int j, float *x, float *y);
// Top of the picture: base - pitch * (height + 1), not above 0.
float lattice_picture_top(const lattice_picture &p);
// Cell (i, j3, h) in the 3d frame: x = frame_x + (i3d - 1 - i) s3 + (j3d -
// j3) s3 sin 45, y = start base - h s3 - (j3d - j3) s3 sin 45.
void frame_cell_point(const lattice_picture &p, int i, int j3, int h, float *x, float *y);
// The frame's top left as the editor draws it: (frame_x, start base - h3d
// s3 - j3d s3 sin 45).
void frame_top_left(const lattice_picture &p, float *x, float *y);

// The base line after 'u': maxy / 5 higher, never above the start. After
// 'd': maxy / 5 lower, offered only while the picture's top is above limit.
float base_after_up(float base, float start, int maxy);
bool picture_can_go_down(const lattice_picture &p, float limit);

// Block corners of a 1d block on the displayed rectangle: the places of
// cells low and high (i = cell mod width, j = cell div width).
block_corners corners_of_cells(int low, int high, const lattice_shape &shape);
// The low and high cells of the corners: i + j * width on 2d (and on the
// 1d rectangle), i + j * i3d + h * i3d * j3d on 3d.
void cells_of_corners(const block_corners &b, const lattice_shape &shape, int *low, int *high);
// The whole network as a block.
block_corners whole_lattice_corners(int n, const lattice_shape &shape);

// The block a placed load describes (file_dim 1, 2 or 3, sides file_i,
// file_j, file_h from file_starti, file_startj, file_starth): false with
// nothing written for file_dim 0.
struct placed_part {
    int dim = 0;
    int i = 0, j = 0, h = 0;
    int start_i = 0, start_j = 0, start_h = 0;
};
bool placed_block(const placed_part &part, const lattice_shape &shape, block_corners *b, int *low,
                  int *high);

// The cursor of the jump dialog's (i, j) on a 2d or 1d picture; of cell
// i + j * i3d + h * i3d * j3d on a 3d lattice.
lattice_cursor jump_target(int i, int j, int h, const lattice_shape &shape);

// Every cell's inputs := its template inputs (pndood_2or3 with dim 2) on
// the lattice as it now is, hexagonal or square.
void wire_lattice_by_template();

// Whether links start as straight lines: the wiring is not the regular
// template of its lattice (read from nonlocal, regular2d, regular2d_tgrid,
// regular3d and nhood).
int pseudo_at_start();
