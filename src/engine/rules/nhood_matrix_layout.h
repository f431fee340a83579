// The geometry of the K-matrix picture: the cell size and gap, the highest
// neighbourhood index shown and the interval of the index labels, worked
// out from the window's width and the answers of the amendment prompts. The
// picture itself is drawn by ui/rules/nhood_matrix.h. Start at
// layout_nhood_matrix.
#pragma once
#include <cstdint>

struct nhood_matrix_layout {
    int rows = 0;            // kmax: nhood_ub with a k-mix, else nhood
    uint32_t last = 0;       // v^kmax - 1, the highest index
    uint32_t shown = 0;      // the highest index drawn (the left column)
    int cell = 0;            // s: pixels from one column or row to the next
    int gap = 0;             // g: pixels left blank inside that pitch
    uint32_t label_every = 1; // L: an index label at every i with (i+1) % L == 0
};

// The picture's rows: nhood_ub when nhood_mixed is set, else nhood.
int nhood_matrix_rows();
// The layout for rows positions: s = large_cell (small_cell from 6 rows
// on), g = ceil(s/4); when v^rows columns of s+1 pixels pass maxx - 20, s
// shrinks to fit (maxx - 10) (2 with g 1 below 3; g 1 at 3), then s 1 and
// g 0 from 9 rows on, s 3 for 8 rows on a wide window. The label interval
// starts at v^rows / v and is divided by v (at most 10 times) until
// s * (L / v) fits 10 characters.
nhood_matrix_layout layout_nhood_matrix(int rows, int large_cell, int small_cell, int maxx,
                                        int char_width, bool wide_window);
// The highest index shown for a percentage answer: the whole range for
// Return (percent < 0), trunc(last * percent / 100) for 1 < percent < 100,
// else shown as it was.
uint32_t nhood_matrix_shown(uint32_t last, uint32_t shown, long percent);
// The gap for a cell size typed at the scale prompt: ceil(s/4), 1 for s = 3,
// 0 for s = 1.
int nhood_matrix_gap(int cell);
