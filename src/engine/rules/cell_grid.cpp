// The cell editor's grid arithmetic (cell_grid.h): cursor moves and brush
// cells. Reads no globals.
#include "engine/rules/cell_grid.h"

int32_t
move_cursor(const cell_grid &g, int32_t p, cursor_move move)
{
    int32_t last = g.last_position();
    switch (move) {
    case cursor_move::right:
        return p + 1 > last ? 0 : p + 1;
    case cursor_move::left:
        return p == 0 ? last : p - 1;
    case cursor_move::down:
        return p + g.row <= last ? p + g.row : p;
    case cursor_move::up:
        return p >= g.row ? p - g.row : p;
    }
    return p;
}

int64_t
writable_cell(const cell_grid &g, int32_t column, int32_t r)
{
    if (column < 0 || column >= g.row || r < 0 || r >= g.rows)
        return -1;
    int64_t p = static_cast<int64_t>(r) * g.row + column;
    if (p > g.last_position())
        return -1;
    int64_t cell = g.high - p;
    if (cell < g.low || cell >= static_cast<int64_t>(g.entries))
        return -1;
    return cell;
}

std::vector<uint32_t>
brush_cells(const cell_grid &g, int32_t column, int32_t r, int w, int dc, int dr)
{
    std::vector<uint32_t> cells;
    for (int t = 0; t < w; t++) {
        int o = (t + 1) / 2 * (t % 2 ? 1 : -1);
        int64_t cell = writable_cell(g, column + o * dc, r + o * dr);
        if (cell >= 0)
            cells.push_back(static_cast<uint32_t>(cell));
    }
    return cells;
}

int
brush_width_limit(const cell_grid &g)
{
    return g.rows >= 32 ? g.rows / 4 : g.rows;
}
