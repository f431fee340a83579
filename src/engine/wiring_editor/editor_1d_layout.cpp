// The 1d editor's numbers (editor_1d_layout.h): cursor moves, the block of
// the block questions and the geometry of both layouts. Pure arithmetic;
// reads no globals.
#include "engine/wiring_editor/editor_1d_layout.h"

#include <algorithm>
#include <cmath>

int
up_down_step(int n)
{
    return n <= 19 ? 2 : n / 10;
}

int
move_cursor_1d(int cursor, cursor_move move, int step, int n)
{
    switch (move) {
    case cursor_move::right:
        return cursor - 1 < 0 ? n - 1 : cursor - 1;
    case cursor_move::left:
        return cursor + 1 > n - 1 ? 0 : cursor + 1;
    case cursor_move::up:
        return cursor + step > n - 1 ? 0 : cursor + step;
    case cursor_move::down:
        return cursor - step < 0 ? n - 1 : cursor - step;
    }
    return cursor;
}

cell_block
block_from_answers(long low, long high, int cursor, int n)
{
    auto taken = [&](long answer) { return answer < 0 || answer > n - 1 ? cursor : answer; };
    long first = taken(low);
    long second = taken(high);
    if (second < first)
        second = cursor;
    cell_block block;
    block.low = static_cast<int>(std::min(first, second));
    block.high = static_cast<int>(std::max(first, second));
    return block;
}

time_step_layout
lay_out_time_step(int n, const layout_scale &s)
{
    time_step_layout t;
    t.n = n;
    t.left = s.x(60);
    double widest = s.x(60) + 7.0 * std::max(n, 10) + s.x(200);
    t.edge = std::max(std::min(widest, static_cast<double>(s.maxx - s.x(60))), 2.0 * s.maxx / 3);
    double room = t.edge - t.left;
    if (n > 0 && 7.0 * n > room) {
        t.pitch = room / n;
        t.gap = 0;
    }
    t.lines = n > room / 2;
    t.t1_y = s.y(390);
    t.t0_y = t.t1_y - s.y(100);
    t.fan_y = t.t1_y - s.y(20);
    t.tallest = s.y(25);
    return t;
}

double
time_step_fan_x(double cell_x, int k, int p)
{
    double first = cell_x + 2 - 3.5 * (k % 2 == 1 ? k : k - 1);
    return first + kFanSpacing * (k - 1 - p);
}

double
circle_layout::x(int c) const
{
    return cx + radius * std::cos(angle(c));
}

double
circle_layout::y(int c) const
{
    return cy + radius * std::sin(angle(c));
}

circle_layout
lay_out_circle(int n, const layout_scale &s)
{
    circle_layout r;
    r.n = n;
    r.radius = s.x(static_cast<float>(std::min(n / 4 + 100, 133)));
    r.cx = s.x(60) + r.radius;
    r.cy = s.y(390) - r.radius - s.x(10);
    r.step = n > 0 ? 2 * M_PI / n : 0;
    r.node = n > 0 ? std::min(r.radius * M_PI / (1.2 * n), r.radius / 5) : 0;
    r.ticks_only = r.node < 3;
    return r;
}

void
circle_fan_point(const circle_layout &ring, int c, int k, int p, int nhood, double *x, double *y)
{
    double spread = 2 * std::atan(kFanSpacing / (ring.radius / 5)) / std::sqrt(std::max(nhood, 1));
    double a = ring.angle(c) + spread * (p - (k - 1) / 2.0);
    *x = ring.cx + 0.75 * ring.radius * std::cos(a);
    *y = ring.cy + 0.75 * ring.radius * std::sin(a);
}
