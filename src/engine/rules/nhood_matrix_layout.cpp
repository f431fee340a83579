// The K-matrix picture's geometry (see nhood_matrix_layout.h). Reads the
// value range and the k-mix bounds (model/globals.h). Start at
// layout_nhood_matrix.
//
// Example, v = 2, kmax = 4 on a wide window: 16 columns, indices 15 down to
// 0; L starts at 8 and halves while s * L/2 passes 10 characters; a 50%
// answer shows indices 7 down to 0 (trunc(15 * 50 / 100)).
#include "engine/rules/nhood_matrix_layout.h"

#include "engine/model/globals.h"

int
nhood_matrix_rows()
{
    return nhood_mixed ? nhood_ub : nhood;
}

nhood_matrix_layout
layout_nhood_matrix(int rows, int large_cell, int small_cell, int maxx, int char_width,
                    bool wide_window)
{
    nhood_matrix_layout m;
    m.rows = rows;
    uint32_t columns = 1;
    for (int j = 0; j < rows; j++)
        columns *= static_cast<uint32_t>(value_range);
    m.last = m.shown = columns - 1;
    m.cell = rows > 5 ? small_cell : large_cell;
    m.gap = (m.cell + 3) / 4;
    int64_t width = static_cast<int64_t>(m.cell + 1) * m.last;
    if (m.last > 0 && width > maxx - 20) {
        m.cell = static_cast<int>((maxx - 10) / static_cast<int64_t>(m.last)) - 1;
        if (m.cell < 3) {
            m.cell = 2;
            m.gap = 1;
        } else if (m.cell == 3) {
            m.gap = 1;
        }
        if (rows >= 9) {
            m.cell = 1;
            m.gap = 0;
        } else if (rows == 8 && wide_window) {
            m.cell = 3;
        }
    }
    uint32_t v = static_cast<uint32_t>(value_range);
    m.label_every = columns / v;
    for (int tries = 0; tries < 10; tries++) {
        if (static_cast<int64_t>(m.cell) * (m.label_every / v) <= 10 * char_width)
            break;
        m.label_every /= v;
    }
    if (m.label_every < 1)
        m.label_every = 1;
    return m;
}

uint32_t
nhood_matrix_shown(uint32_t last, uint32_t shown, long percent)
{
    if (percent < 0)
        return last;
    if (percent > 1 && percent < 100)
        return static_cast<uint32_t>(static_cast<float>(last) * static_cast<float>(percent) /
                                     100.0f);
    return shown;
}

int
nhood_matrix_gap(int cell)
{
    if (cell == 1)
        return 0;
    if (cell == 3)
        return 1;
    return (cell + 3) / 4;
}
