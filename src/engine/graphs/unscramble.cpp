// Unscrambling (unscramble.h). Reads the links (basinjumps) and moves
// nodes through set_node_position; the random order is shuffle_order1's,
// so one random seed gives one pass. Start at unscramble_graph.
#include "engine/graphs/unscramble.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_layouts.h"
#include "engine/graphs/link_angle.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/network_arithmetic.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// The side of the links a pass works on.
constexpr long kOutputs = 0;

// The summed weights of the links from each node to the others and into
// it from the others, self-links left out.
void
sum_sides(uint64_t *outputs, uint64_t *inputs)
{
    for (uint32_t i = 1; i <= node_no; i++)
        for (uint32_t j = 1; j <= node_no; j++)
            if (i != j) {
                outputs[i] += basinjumps[i][j];
                inputs[j] += basinjumps[i][j];
            }
}

// The leaf's one neighbour on the side worked on: the first other node it
// links to (outputs) or that links to it (inputs); 0 for none.
uint32_t
anchor_of(uint32_t u, long side)
{
    for (uint32_t j = 1; j <= node_no; j++) {
        if (j == u)
            continue;
        uint32_t w = side == kOutputs ? basinjumps[u][j] : basinjumps[j][u];
        if (w > 0)
            return j;
    }
    return 0;
}

bool
marked(const uint8_t *bits, uint32_t m)
{
    return (bits[m >> 3] >> (m & 7)) & 1;
}

void
mark(uint8_t *bits, uint32_t m)
{
    bits[m >> 3] = static_cast<uint8_t>(bits[m >> 3] | (1u << (m & 7)));
}

// The leaf u set beside anchor a, just outside it as seen from the centre
// (inside it when a lies far out).
void
place_beside(uint32_t u, uint32_t a, int cx, int cy, float cyclerad)
{
    int ax = basin_pos[a][0], ay = basin_pos[a][1];
    double theta = link_angle(cx, cy, ax, ay).angle;
    double d = std::hypot(static_cast<double>(ax - cx), static_cast<double>(ay - cy));
    double j1 = static_cast<double>(random() % 100) * (kPi / 6) / 100;
    double j2 = static_cast<double>(random() % 100) * (kPi / 6) / 100;
    double r = 0.15 * cyclerad;
    if (d > 1.5 * cyclerad)
        r = -r;
    set_node_position(u, ax + r * std::cos(theta + j1 - j2), ay - r * std::sin(theta + j1 - j2));
}

} // namespace

void
unscramble_graph(int cx, int cy, float cyclerad)
{
    if (!basinjumps || node_no == 0)
        return;
    const size_t nodes = static_cast<size_t>(node_no) + 1;
    auto *outputs = static_cast<uint64_t *>(checked_calloc(nodes, sizeof(uint64_t), "node_outputs"));
    auto *inputs = static_cast<uint64_t *>(checked_calloc(nodes, sizeof(uint64_t), "node_inputs"));
    sum_sides(outputs, inputs);
    const long side = random() % 2;
    auto *order = static_cast<uint16_t *>(checked_calloc(nodes, sizeof(uint16_t), "shuford"));
    shuffle_order1(order, static_cast<int>(node_no));
    auto *anchors = static_cast<uint8_t *>(
        checked_calloc(nodes / 8 + 1, 1, side == kOutputs ? "out_check" : "in_check"));
    const uint64_t *sums = side == kOutputs ? outputs : inputs;
    for (uint32_t p = 1; p <= node_no; p++) {
        uint32_t u = order[p];
        if (sums[u] != 1 || marked(anchors, u))
            continue;
        uint32_t a = anchor_of(u, side);
        mark(anchors, a);
        place_beside(u, a, cx, cy, cyclerad);
    }
    checked_free(anchors);
    checked_free(order);
    checked_free(inputs);
    checked_free(outputs);
}
