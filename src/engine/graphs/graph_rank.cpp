// The rank layout (graph_rank.h). The network's out-degree is the one its
// links were counted with (node_period), so the rank follows the wiring the
// graph shows.
#include "engine/graphs/graph_rank.h"

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/checked_alloc.h"

void
reorder_rank(uint32_t *order, const double *weight, uint32_t count)
{
    if (count < 2)
        return;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (uint32_t p = 2; p <= count; p++)
            if (weight[order[p]] < weight[order[p - 1]]) {
                uint32_t kept = order[p];
                order[p] = order[p - 1];
                order[p - 1] = kept;
                swapped = true;
            }
    }
}

double
rank_weight(uint32_t i)
{
    if (f_or_n == graph_network)
        return (node_period ? node_period[i] : 0) + node_size_measure(i);
    return node_size_measure(i);
}

void
place_by_rank()
{
    size_t entries = static_cast<size_t>(node_no) + 1;
    uint32_t *order = static_cast<uint32_t *>(checked_calloc(entries, sizeof(uint32_t), "reorder_graph"));
    double *weight = static_cast<double *>(checked_calloc(entries, sizeof(double), "in_out_freq"));
    int16_t *before = static_cast<int16_t *>(checked_calloc(2 * entries, sizeof(int16_t), "temp_basin_pos"));
    for (uint32_t m = 1; m <= node_no; m++) {
        order[m] = m;
        weight[m] = rank_weight(m);
        before[2 * m] = basin_pos[m][0];
        before[2 * m + 1] = basin_pos[m][1];
    }
    reorder_rank(order, weight, node_no);
    for (uint32_t r = 1; r <= node_no; r++) {
        basin_pos[order[r]][0] = before[2 * r];
        basin_pos[order[r]][1] = before[2 * r + 1];
    }
    checked_free(order);
    checked_free(weight);
    checked_free(before);
}
