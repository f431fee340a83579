// The graph tools without a window: components against the closure of the
// 0/1 link matrix limited by steps (repeated boolean matrix products),
// shortest paths against all-pairs distances by repeated relaxation on
// random graphs, the summary lines to the byte, the link edits against the
// copy taken first, the editor's moves of a selection, and lattice blocks
// against the cells' coordinates.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/graph_moves.h"
#include "engine/graphs/link_edits.h"
#include "engine/graphs/node_selection.h"
#include "engine/graphs/shortest_paths.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

namespace {

using matrix = std::vector<std::vector<int>>;

// A graph of n nodes whose links are drawn at random, each with chance
// 1 in `sparse` and a weight of 1..3; self-links included.
void
random_graph(uint32_t n, int sparse)
{
    open_graph_data(graph_field, n, true);
    for (uint32_t i = 1; i <= n; i++)
        for (uint32_t j = 1; j <= n; j++)
            basinjumps[i][j] = random() % sparse == 0 ? 1 + random() % 3 : 0;
    sum_outside_inputs();
}

// The 0/1 matrix of the steps a component takes from node to node in
// direction dir: [a][b] = 1 when b is a neighbour of a.
matrix
step_matrix(char dir)
{
    matrix m(node_no + 1, std::vector<int>(node_no + 1, 0));
    for (uint32_t a = 1; a <= node_no; a++)
        for (uint32_t b = 1; b <= node_no; b++) {
            bool out = basinjumps[a][b] > 0, in = basinjumps[b][a] > 0;
            m[a][b] = dir == 'o' ? out : dir == 'i' ? in : (out || in);
        }
    return m;
}

matrix
boolean_product(const matrix &a, const matrix &b)
{
    matrix p(a.size(), std::vector<int>(a.size(), 0));
    for (size_t i = 1; i < a.size(); i++)
        for (size_t k = 1; k < a.size(); k++)
            if (a[i][k])
                for (size_t j = 1; j < a.size(); j++)
                    p[i][j] |= b[k][j];
    return p;
}

// The nodes at the end of 1..steps steps from node (steps 0: any number):
// the node's row of M | M^2 | ... | M^steps.
std::set<uint32_t>
closure_row(char dir, int steps, uint32_t node)
{
    matrix m = step_matrix(dir), power = m;
    std::set<uint32_t> reached;
    int limit = steps == 0 ? static_cast<int>(node_no) : steps;
    for (int s = 1; s <= limit; s++) {
        for (uint32_t j = 1; j <= node_no; j++)
            if (power[node][j])
                reached.insert(j);
        power = boolean_product(power, m);
    }
    return reached;
}

std::set<uint32_t>
linknet_nodes()
{
    std::set<uint32_t> nodes;
    for (uint32_t m = 0; m <= node_no; m++)
        if (in_linknet(m))
            nodes.insert(m);
    return nodes;
}

TEST(GraphComponents, AgainstTheClosureOfTheLinkMatrix)
{
    srandom(11);
    long start = live_allocations;
    for (uint32_t n = 2; n <= 30; n++) {
        random_graph(n, 2 + static_cast<int>(n % 5) * 3);
        for (char dir : {'i', 'o', 'e'})
            for (int steps : {1, 2, 3, 0})
                for (uint32_t node = 1; node <= n; node++) {
                    new_linknet();
                    graph_in_out_components(dir, steps, node);
                    EXPECT_EQ(linknet_nodes(), closure_row(dir, steps, node))
                        << n << " nodes, " << dir << " steps " << steps << " node " << node;
                }
        free_graph_data();
    }
    EXPECT_EQ(linknet, nullptr);
    EXPECT_EQ(live_allocations, start);
}

// With steps 1 the node is in its component only as its own input or
// output; 'e' with steps 2 takes in the neighbours' neighbours both ways.
TEST(GraphComponents, TheNodeItselfAndTwoStepsEitherWay)
{
    // 1 -> 2 -> 3, 4 -> 2, 5 -> 5.
    open_graph_data(graph_field, 5, true);
    basinjumps[1][2] = basinjumps[2][3] = basinjumps[4][2] = basinjumps[5][5] = 1;
    new_linknet();
    graph_in_out_components('o', 1, 1);
    EXPECT_EQ(linknet_nodes(), (std::set<uint32_t>{2}));
    new_linknet();
    graph_in_out_components('i', 1, 5);
    EXPECT_EQ(linknet_nodes(), (std::set<uint32_t>{5}));
    new_linknet();
    graph_in_out_components('e', 1, 1);
    EXPECT_EQ(linknet_nodes(), (std::set<uint32_t>{2}));
    new_linknet();
    graph_in_out_components('e', 2, 1);
    EXPECT_EQ(linknet_nodes(), (std::set<uint32_t>{1, 2, 3, 4}));
    new_linknet();
    graph_in_out_components('i', 0, 3);
    EXPECT_EQ(linknet_nodes(), (std::set<uint32_t>{1, 2, 4}));
    free_graph_data();
}

// All-pairs distances by relaxation: d[s][t] = 1 for a step s to t, then
// d[s][t] = min over steps u to t of d[s][u] + 1 until nothing changes.
matrix
relaxed_distances(char mode)
{
    const int none = 1 << 20;
    matrix d(node_no + 1, std::vector<int>(node_no + 1, none));
    auto step = [mode](uint32_t u, uint32_t w) {
        return basinjumps[u][w] > 0 || (mode == 'd' && (u == w || basinjumps[w][u] > 0));
    };
    for (uint32_t s = 1; s <= node_no; s++)
        for (uint32_t t = 1; t <= node_no; t++)
            if (step(s, t))
                d[s][t] = 1;
    for (bool changed = true; changed;) {
        changed = false;
        for (uint32_t s = 1; s <= node_no; s++)
            for (uint32_t u = 1; u <= node_no; u++)
                for (uint32_t t = 1; t <= node_no; t++)
                    if (d[s][u] < none && step(u, t) && d[s][u] + 1 < d[s][t]) {
                        d[s][t] = d[s][u] + 1;
                        changed = true;
                    }
    }
    for (auto &row : d)
        for (int &x : row)
            if (x == none)
                x = 0;
    return d;
}

TEST(ShortestPaths, AgainstRelaxationOnRandomGraphs)
{
    srandom(5);
    long start = live_allocations;
    for (uint32_t n = 1; n <= 30; n += 1) {
        random_graph(n, 2 + static_cast<int>(n % 7) * 2);
        for (char mode : {'p', 'd'}) {
            matrix expected = relaxed_distances(mode);
            uint16_t **swdis = all_pair_distances(mode);
            path_totals want;
            for (uint32_t s = 1; s <= n; s++)
                for (uint32_t t = 1; t <= n; t++) {
                    EXPECT_EQ(swdis[s][t], expected[s][t]) << n << " nodes " << mode << " " << s << "->" << t;
                    if (expected[s][t]) {
                        want.finite++;
                        want.distance_sum += expected[s][t];
                    }
                }
            path_totals got = sum_distances(swdis);
            free_distances(swdis);
            EXPECT_EQ(got.finite, want.finite);
            EXPECT_EQ(got.distance_sum, want.distance_sum);
            path_totals again = shortest_path_totals(mode);
            EXPECT_EQ(again.finite, got.finite) << "a second run differs";
            EXPECT_EQ(again.distance_sum, got.distance_sum);
        }
        free_graph_data();
    }
    EXPECT_EQ(live_allocations, start);
}

TEST(ShortestPaths, SummaryLines)
{
    open_graph_data(graph_field, 2, true);
    basinjumps[1][2] = 1;
    EXPECT_EQ(path_summary('p', shortest_path_totals('p')), "finite shortest paths (1/4=0.25) av=1.00");
    EXPECT_EQ(path_summary('d', shortest_path_totals('d')),
              "finite distances (2/2=1.00), small world distance (av)=1.00");
    basinjumps[1][2] = 0;
    EXPECT_EQ(path_summary('p', shortest_path_totals('p')), "finite shortest paths (0/4=0.00) av=n/a");
    EXPECT_EQ(path_summary('d', shortest_path_totals('d')),
              "finite distances (0/2=0.00), small world distance (av)=n/a");
    // One node: no pair but itself, so the undirected share has no divisor.
    open_graph_data(graph_field, 1, true);
    EXPECT_EQ(path_summary('d', shortest_path_totals('d')),
              "finite distances (0/0=n/a), small world distance (av)=n/a");
    free_graph_data();
}

// A ring 1 -> 2 -> 3 -> 1 with a self-link on 3 and a chord 1 -> 3 of
// weight 5; every node feeds another and is fed by another.
void
ring_graph()
{
    open_graph_data(graph_network, 3, true);
    basinjumps[1][2] = 1;
    basinjumps[2][3] = 2;
    basinjumps[3][1] = 1;
    basinjumps[3][3] = 4;
    basinjumps[1][3] = 5;
    sum_outside_inputs();
}

std::vector<uint32_t>
table_now()
{
    std::vector<uint32_t> t;
    for (uint32_t i = 0; i <= node_no; i++)
        for (uint32_t j = 0; j <= node_no; j++)
            t.push_back(basinjumps[i][j]);
    return t;
}

TEST(LinkEdits, PairEditsAgainstTheCopy)
{
    ring_graph();
    long start = live_allocations;
    uint32_t **copy = copy_of_links();
    const std::vector<uint32_t> first = table_now();
    node_pair_link('A', copy, 'o', 1, 3);
    EXPECT_EQ(basinjumps[1][3], 5u) << "'A' changed a weighted link";
    node_pair_link('A', copy, 'i', 1, 2);
    EXPECT_EQ(basinjumps[2][1], 1u) << "'A' added no link 2 -> 1";
    EXPECT_EQ(outside_inputs[1], 2u) << "the inputs of node 1 not summed again";
    node_pair_link('C', copy, 'e', 1, 3);
    EXPECT_EQ(basinjumps[1][3], 0u);
    EXPECT_EQ(basinjumps[3][1], 0u);
    node_pair_link('R', copy, 'e', 1, 3);
    EXPECT_EQ(basinjumps[1][3], 5u);
    EXPECT_EQ(basinjumps[3][1], 1u);
    node_pair_link('R', copy, 'i', 1, 2);
    EXPECT_EQ(table_now(), first);
    // A direction that is no component changes nothing.
    node_pair_link('C', copy, 's', 1, 3);
    EXPECT_EQ(table_now(), first);
    free_links_copy(copy);
    EXPECT_EQ(live_allocations, start);
    free_graph_data();
}

TEST(LinkEdits, NodeEditsAndTheWholeTable)
{
    ring_graph();
    uint32_t **copy = copy_of_links();
    std::vector<uint64_t> outs(node_no + 1), ins(node_no + 1);
    const std::vector<uint32_t> first = table_now();
    disconnect_node('g', copy, outs.data(), ins.data(), 'e', 1);
    EXPECT_EQ(table_now(), first) << "'g' cut a node that feeds and is fed";
    EXPECT_EQ(outs[1], 6u);
    EXPECT_EQ(ins[3], 7u);
    disconnect_node('c', copy, outs.data(), ins.data(), 'i', 3);
    for (uint32_t j = 1; j <= 3; j++)
        EXPECT_EQ(basinjumps[j][3], 0u);
    EXPECT_EQ(basinjumps[3][1], 1u) << "'c' inputs cut an output";
    EXPECT_EQ(outside_inputs[3], 0u);
    disconnect_node('c', copy, outs.data(), ins.data(), 'o', 1);
    EXPECT_EQ(basinjumps[1][2], 0u);
    // Node 2 now has no inputs and node 1 no outputs: both go.
    disconnect_node('g', copy, outs.data(), ins.data(), 'e', 1);
    EXPECT_EQ(basinjumps[2][3], 0u);
    EXPECT_EQ(basinjumps[3][1], 0u);
    disconnect_node('r', copy, outs.data(), ins.data(), 'i', 3);
    EXPECT_EQ(basinjumps[1][3], 5u) << "'r' did not put back the copy's weight";
    EXPECT_EQ(basinjumps[2][3], 2u);
    EXPECT_EQ(basinjumps[3][3], 4u);
    disconnect_node('n', copy, outs.data(), ins.data(), 'e', 1);
    EXPECT_EQ(table_now(), first);
    EXPECT_EQ(outside_inputs[3], 7u);
    free_links_copy(copy);
    free_graph_data();
}

// The editor's turn and mirror about a point take the selection only; a
// drag moves the selection by the dragged node's displacement.
TEST(SelectionMoves, TurnMirrorAndDragOfTheSelection)
{
    open_graph_data(graph_field, 4, false);
    const int places[5][2] = {{0, 0}, {100, 100}, {150, 100}, {100, 160}, {40, 70}};
    for (uint32_t m = 1; m <= 4; m++)
        set_node_position(m, places[m][0], places[m][1]);
    new_linknet();
    mark_in_linknet(2);
    mark_in_linknet(3);
    const double quarter = 3.14159265358979323846 / 2;
    // Clockwise on the screen a quarter: right of the point goes below it.
    rotate_component_graph(true, 'x', 100, 100, quarter);
    EXPECT_NEAR(basin_pos[2][0], 100, 1);
    EXPECT_NEAR(basin_pos[2][1], 150, 1);
    EXPECT_NEAR(basin_pos[3][0], 40, 1);
    EXPECT_NEAR(basin_pos[3][1], 100, 1);
    EXPECT_EQ(basin_pos[4][0], 40) << "a node outside the selection turned";
    rotate_component_graph(true, 'X', 100, 100, quarter);
    EXPECT_NEAR(basin_pos[2][0], 150, 1);
    EXPECT_NEAR(basin_pos[3][1], 160, 1);
    flip_component_graph(false, 'h', 120, 0);
    EXPECT_EQ(basin_pos[1][0], 140);
    EXPECT_EQ(basin_pos[4][0], 200);
    const int y3 = basin_pos[3][1];
    flip_component_graph(true, 'v', 0, 200);
    EXPECT_EQ(basin_pos[1][1], 100) << "a node outside the selection mirrored";
    EXPECT_EQ(basin_pos[3][1], 400 - y3);
    std::vector<std::pair<int, int>> before;
    for (uint32_t m = 0; m <= 4; m++)
        before.push_back({basin_pos[m][0], basin_pos[m][1]});
    drag_node(1, before[1].first + 7, before[1].second - 3, drag_group::selection);
    for (uint32_t m = 1; m <= 4; m++) {
        bool moves = m == 1 || m == 2 || m == 3;
        EXPECT_EQ(basin_pos[m][0], before[m].first + (moves ? 7 : 0)) << m;
        EXPECT_EQ(basin_pos[m][1], before[m].second - (moves ? 3 : 0)) << m;
    }
    drag_node(4, 0, 0, drag_group::all);
    EXPECT_EQ(basin_pos[1][0], before[1].first + 7 - before[4].first);
    drag_node(2, 5, 5, drag_group::single);
    EXPECT_EQ(basin_pos[3][0], before[3].first + 7 - before[4].first);
    free_graph_data();
}

// Every node whose cell lies between the corners, and no other.
TEST(SelectionBlocks, LatticeCornersAndRanges)
{
    int16_t keep[5] = {i2d, j2d, i3d, j3d, h3d};
    uint8_t kept_twod = twod, kept_threed = threed;
    // A 5 x 4 lattice: cell = i + 5 j.
    twod = 2;
    threed = 0;
    i2d = 5;
    j2d = 4;
    open_graph_data(graph_network, 20, false);
    new_linknet();
    block_corners c;
    c.i_low = 1, c.j_low = 2, c.i_high = 3, c.j_high = 3;
    mark_lattice_block(c);
    std::set<uint32_t> expected;
    for (int i = 1; i <= 3; i++)
        for (int j = 2; j <= 3; j++)
            expected.insert(static_cast<uint32_t>(1 + i + 5 * j));
    EXPECT_EQ(linknet_nodes(), expected);
    // A 3 x 4 x 2 lattice: cell = i + 3 j + 12 h.
    twod = 0;
    threed = 3;
    i3d = 3;
    j3d = 4;
    h3d = 2;
    open_graph_data(graph_network, 24, false);
    new_linknet();
    block_corners d;
    d.i_low = 0, d.j_low = 1, d.h_low = 1, d.i_high = 1, d.j_high = 2, d.h_high = 1;
    mark_lattice_block(d);
    expected.clear();
    for (int i = 0; i <= 1; i++)
        for (int j = 1; j <= 2; j++)
            expected.insert(static_cast<uint32_t>(1 + i + 3 * j + 12));
    EXPECT_EQ(linknet_nodes(), expected);
    lattice_place p;
    ASSERT_TRUE(cell_lattice_place(23, p));
    EXPECT_EQ(p.i, 2);
    EXPECT_EQ(p.j, 3);
    EXPECT_EQ(p.h, 1);
    new_linknet();
    mark_node_range(30, 22);
    EXPECT_EQ(linknet_nodes(), (std::set<uint32_t>{22, 23, 24}));
    EXPECT_EQ(linknet_count(), 3u);
    free_graph_data();
    i2d = keep[0], j2d = keep[1], i3d = keep[2], j3d = keep[3], h3d = keep[4];
    twod = kept_twod;
    threed = kept_threed;
}

} // namespace
