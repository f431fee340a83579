// The numbers of the 1d wiring graph editor, apart from any drawing: how
// the cursor cell moves, the block its questions give, and where cells,
// links and fan points lie in the time-step layout (two rows of cells, the
// inputs at t above the cell at t+1) and the circle layout (a ring).
// Window sizes come in as a scale, so the numbers are the same for the
// editor and for a test.
#pragma once
#include <cstdint>

#include "engine/rules/cell_grid.h"

// Cells that an up or down arrow moves: 2 up to 19 cells, else n div 10.
int up_down_step(int n);

// The cursor after a move on n cells: right goes one cell down (below 0 to
// n-1), left one cell up (above n-1 to 0), up step cells up (above n-1 to
// 0, not to a wrapped place), down step cells down (below 0 to n-1).
int move_cursor_1d(int cursor, cursor_move move, int step, int n);

// A block of cells low..high, both included, low <= high.
struct cell_block {
    int low = 0;
    int high = 0;
};

// The block the two questions of key 'b' give: an answer that is absent
// (Return, pass -1), negative or above n-1 takes the cursor cell, and a
// high below the low also takes the cursor cell; the block then runs from
// the smaller of the two cells taken to the larger, so a cursor below the
// low still gives a block in order.
cell_block block_from_answers(long low, long high, int cursor, int n);

// What the layouts need of the window: design coordinates (0..640 across,
// 0..480 down) to pixels, and the last column.
struct layout_scale {
    int16_t (*x)(float);
    int16_t (*y)(float);
    int maxx;
};

// The time-step layout. Cell c lies at x = left + pitch * (n-1-c) +
// pitch/2: cell n-1 at the left end, cell 0 at the right.
struct time_step_layout {
    int n = 0;
    double left = 0;      // start of the rows
    double edge = 0;      // right edge of the room the rows may take
    double pitch = 7;     // pixels per cell
    int gap = 3;          // pixels between cells (0 when the room is shared)
    bool lines = false;   // cells drawn as vertical lines (n above half the row width)
    int t1_y = 0;         // the lower row (t+1)
    int t0_y = 0;         // the upper row (t)
    int fan_y = 0;        // the line of fan points, above the lower row
    int tallest = 0;      // the largest out-degree height of a lower-row cell

    double cell_x(int c) const { return left + pitch * (n - 1 - c) + pitch / 2; }
    double row_end() const { return left + pitch * n; }
};
// 7 pixels a cell (4 drawn, 3 gap) while 7n fits between vgax(60) and the
// edge max(min(vgax(60) + 7 max(n, 10) + vgax(200), maxx - vgax(60)),
// 2 maxx / 3); otherwise the room shared evenly, no gap.
time_step_layout lay_out_time_step(int n, const layout_scale &s);

// Fan spacing and the fan block's inset: blocks of 7 - 3 = 4 pixels.
constexpr int kFanSpacing = 7, kFanInset = 3;

// x of the fan point of input position p (0..k-1) of a cell at cell_x in
// the time-step layout: position k-1 first, at cell_x + 2 - 3.5 k (odd k)
// or + 2 - 3.5 (k-1) (even k), each next position 7 pixels to the right.
double time_step_fan_x(double cell_x, int k, int p);

// The circle layout: cell c at angle c * step, at (cx + R cos, cy + R sin),
// clockwise on the screen from cell 0 on the right.
struct circle_layout {
    int n = 0;
    double radius = 0;      // R
    double cx = 0, cy = 0;  // the ring's centre
    double step = 0;        // 2 pi / n
    double node = 0;        // node radius: min(R pi / (1.2 n), R / 5)
    bool ticks_only = false; // node radius below 3 pixels: ticks, no discs

    double angle(int c) const { return c * step; }
    double x(int c) const;
    double y(int c) const;
};
// R = vgax(min(n div 4 + 100, 133)); centre x = vgax(60) + R, centre y =
// vgay(390) - R - vgax(10).
circle_layout lay_out_circle(int n, const layout_scale &s);

// The fan point of input position p (0..k-1) of cell c on the ring: at
// 0.75 R from the centre, at the cell's angle + spread * (p - (k-1)/2),
// spread = 2 atan(7 / (R/5)) / sqrt(nhood).
void circle_fan_point(const circle_layout &ring, int c, int k, int p, int nhood, double *x,
                      double *y);
