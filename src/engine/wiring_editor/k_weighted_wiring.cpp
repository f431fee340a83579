// The k-weighted random rewire (k_weighted_wiring.h).
//
// Reads nhoodm and lineL, writes wiring rows (model/). Start at
// draw_k_weighted_cell.
//
// The draw r = random() mod W is kept whole: truncated to 16 bits, every
// cell whose running sum starts above 65535 could never be drawn once W
// passes 65535 (20,000 cells of k = 4 make W = 80,000). Each cell s takes
// the k(s) values of r from running[s-1] to running[s]-1, found by a
// binary search over the running sums; one draw costs one random().
#include "engine/wiring_editor/k_weighted_wiring.h"

#include <algorithm>
#include <cstdlib>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

k_weighted_source
open_k_weighted_source()
{
    k_weighted_source source;
    source.cells = lineL;
    source.running = static_cast<uint32_t *>(
        checked_calloc(lineL, sizeof(uint32_t), "k_running_sum"));
    uint32_t sum = 0;
    for (uint32_t c = 0; c < lineL; c++) {
        sum += static_cast<uint32_t>(nhoodm[c] > 0 ? nhoodm[c] : 0);
        source.running[c] = sum;
    }
    source.total = sum;
    return source;
}

void
close_k_weighted_source(k_weighted_source &source)
{
    checked_free(source.running);
    source = k_weighted_source();
}

uint16_t
draw_k_weighted_cell(const k_weighted_source &source)
{
    if (source.total == 0)
        return 0;
    uint32_t r = static_cast<uint32_t>(static_cast<unsigned long>(random()) % source.total);
    const uint32_t *first = source.running, *end = first + source.cells;
    return static_cast<uint16_t>(std::upper_bound(first, end, r) - first);
}

void
k_weighted_rewire_cell(const k_weighted_source &source, uint16_t c)
{
    for (int p = 0; p < nhoodm[c]; p++)
        wiring[c][p] = draw_k_weighted_cell(source);
}
