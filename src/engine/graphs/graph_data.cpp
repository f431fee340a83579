// The life of the open graph's data (globals.h): the one place that
// allocates its node arrays and link table and the one that frees them all,
// and the per-node values every mode derives alike. Reads the basin type
// table of engine/backward for the field's node sizes.
#include "engine/graphs/graph_data.h"

#include "engine/backward/basin_types.h"
#include "engine/backward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/model/checked_alloc.h"

namespace {

template <typename T>
void
release(T *&block)
{
    checked_free(block);
    block = nullptr;
}

} // namespace

void
open_graph_data(char mode, uint32_t nodes, bool links)
{
    free_graph_data();
    f_or_n = mode;
    node_no = nodes;
    no_links = links ? 0 : 1;
    size_t entries = static_cast<size_t>(nodes) + 1;
    // One block of x, y pairs behind the row pointers.
    int16_t *pairs = static_cast<int16_t *>(checked_calloc(2 * entries, sizeof(int16_t), "basin_pos[]"));
    basin_pos = static_cast<int16_t **>(checked_calloc(entries, sizeof(int16_t *), "basin_pos"));
    for (size_t i = 0; i < entries; i++)
        basin_pos[i] = pairs + 2 * i;
    m_node_size = static_cast<float *>(checked_calloc(entries, sizeof(float), "m_node_size"));
    if (!links)
        return;
    // 64 bits: (node_no + 1)^2 passes 2^32 long before memory runs out.
    uint32_t *weights =
        static_cast<uint32_t *>(checked_calloc(entries * entries, sizeof(uint32_t), "basinjumps[z]"));
    basinjumps = static_cast<uint32_t **>(checked_calloc(entries, sizeof(uint32_t *), "basinjumps"));
    for (size_t i = 0; i < entries; i++)
        basinjumps[i] = weights + entries * i;
    node_period = static_cast<uint32_t *>(checked_calloc(entries, sizeof(uint32_t), "m_att_period"));
    outside_inputs = static_cast<uint64_t *>(checked_calloc(entries, sizeof(uint64_t), "outside_inputs"));
}

void
sum_outside_inputs()
{
    if (!basinjumps)
        return;
    for (uint32_t i = 1; i <= node_no; i++) {
        uint64_t sum = 0;
        for (uint32_t j = 1; j <= node_no; j++)
            if (j != i)
                sum += basinjumps[j][i];
        outside_inputs[i] = sum;
    }
}

void
free_graph_data()
{
    if (basin_pos)
        checked_free(basin_pos[0]);
    release(basin_pos);
    if (basinjumps)
        checked_free(basinjumps[0]);
    release(basinjumps);
    release(m_node_size);
    release(outside_inputs);
    release(node_period);
    release(histnodesize);
    release(netnodesize);
    release(linknet);
    node_no = 0;
    m_space = 0;
    m_size = 0;
    no_links = 0;
    f_or_n = graph_closed;
}

double
node_size_measure(uint32_t i)
{
    switch (f_or_n) {
    case graph_field:
        return m_basin_volume && i <= basin_types_recorded() ? m_basin_volume[i] : 0;
    case graph_attractors:
        return histnodesize ? histnodesize[i] : 0;
    case graph_network:
        return netnodesize ? netnodesize[i] : 0;
    default:
        return 0;
    }
}
