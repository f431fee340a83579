// Small graphs written link by link for the tests of the graph tools: an
// attractor-type graph (mode 'a') whose nodes have given jumps, or a
// network graph (mode 'n') whose cells have given k, with every node on a
// circle about a centre.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/graph_layouts.h"
#include "engine/model/checked_alloc.h"

// A graph of `nodes` nodes in `mode` with links, node m at angle m x 2 pi /
// nodes on a circle of radius 100 about (400, 300); freed when it goes.
struct small_graph {
    static constexpr int cx = 400, cy = 300;

    small_graph(char mode, uint32_t nodes)
    {
        open_graph_data(mode, nodes, true);
        m_size = 1;
        if (mode == graph_attractors)
            histnodesize = static_cast<uint32_t *>(checked_calloc(nodes + 1, sizeof(uint32_t), "histnodesize"));
        if (mode == graph_network)
            netnodesize = static_cast<uint8_t *>(checked_calloc(nodes + 1, 1, "netnodesize"));
        for (uint32_t m = 1; m <= nodes; m++) {
            double a = m * 2 * 3.14159265358979323846 / nodes;
            set_node_position(m, cx + 100 * std::cos(a), cy - 100 * std::sin(a));
        }
    }
    ~small_graph() { free_graph_data(); }
    small_graph(const small_graph &) = delete;
    small_graph &operator=(const small_graph &) = delete;

    // A link from i to j of weight w; the jumps of i are the sum of its
    // row unless set with jumps().
    void link(uint32_t i, uint32_t j, uint32_t w)
    {
        basinjumps[i][j] = w;
        uint32_t sum = 0;
        for (uint32_t c = 0; c <= node_no; c++)
            sum += basinjumps[i][c];
        node_period[i] = sum;
    }
    void jumps(uint32_t i, uint32_t j) { node_period[i] = j; }

    std::vector<std::pair<int, int>> places() const
    {
        std::vector<std::pair<int, int>> p;
        for (uint32_t m = 1; m <= node_no; m++)
            p.push_back({basin_pos[m][0], basin_pos[m][1]});
        return p;
    }
};
