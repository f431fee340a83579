// Link counting of the network graph (link_counting.h): one pass over each
// cell's input list, n k slot reads where testing every pair of cells
// against every slot would take n^2 k. A cell's inputs are its wiring row,
// or the lattice template of a lattice that keeps no wiring table
// (loc_twod_fonly), as the forward step reads them. Reads the wiring and
// network globals (engine/model, engine/wiring).
#include "engine/graphs/link_counting.h"

#include "engine/forward/globals.h"
#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/key_poll.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"

namespace {

// Room for the inputs of any cell (k is at most 25).
constexpr int kMostInputs = 32;

// The inputs of cell c (nhoodm[c] of them): its wiring row, or the lattice
// template written into buffer.
const uint16_t *
cell_inputs(uint16_t c, uint16_t *buffer)
{
    bool lattice = twod || threed;
    if (lattice && (loc_twod_fonly || wiring_madelocal || !wiring)) {
        if (twod)
            wire_2d_local(c, buffer);
        else
            wire_3d_local(c, buffer);
        return buffer;
    }
    if (!wiring || wiring_madelocal) {
        // A ring read as the local 1d neighbourhood.
        int k = nhoodm[c];
        for (int j = 0; j < k; j++)
            buffer[j] = static_cast<uint16_t>(((c - k / 2 + j) % lineL + lineL) % lineL);
        return buffer;
    }
    return wiring[c];
}

} // namespace

bool
count_network_links(bool links, graph_progress progress)
{
    uint32_t nodes = lineL;
    links = links && nodes <= kMostLinkedNodes;
    open_graph_data(graph_network, nodes, links);
    netnodesize = static_cast<uint8_t *>(checked_calloc(static_cast<size_t>(nodes) + 1, 1, "netnodesize"));
    for (uint32_t i = 1; i <= nodes; i++)
        netnodesize[i] = static_cast<uint8_t>(nhoodm[i - 1]);
    m_size = 1;
    if (!links)
        return true;
    uint16_t *buffer = static_cast<uint16_t *>(checked_calloc(kMostInputs, sizeof(uint16_t), "wnhood"));
    uint64_t wires = 0;
    bool stopped = false;
    for (uint32_t j = 1; j <= nodes && !stopped; j++) {
        int k = nhoodm[j - 1];
        const uint16_t *inputs = cell_inputs(static_cast<uint16_t>(j - 1), buffer);
        for (int s = 0; s < k; s++) {
            if (inputs[s] >= nodes)
                continue;
            uint32_t i = inputs[s] + 1u;
            basinjumps[i][j]++;
            node_period[i]++;
            wires++;
        }
        if (progress && nodes > 100 && j % (nodes / 100) == 0)
            progress(static_cast<unsigned>(static_cast<uint64_t>(j) * 100 / nodes));
        stopped = key_poll() == 'q';
    }
    checked_free(buffer);
    if (stopped) {
        free_graph_data();
        return false;
    }
    m_space = static_cast<double>(wires);
    sum_outside_inputs();
    return true;
}
