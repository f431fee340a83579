// The layout moves of the graph window on the positions alone: the spiral
// from the inside out and with few nodes, radial scaling and rotation about
// the centre (and back), mirroring, the floor of the base radius, positions
// held within 16 bits, the rank order against a stable sort, the rank
// layout's weights, and the unreachable nodes set aside.
#include "graph_test_support.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <utility>
#include <vector>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/graph_moves.h"
#include "engine/graphs/graph_rank.h"
#include "engine/graphs/link_counting.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

const graph_frame kFrame = {10, 100, 1010, 700, 510, 400};

std::vector<std::pair<int, int>>
positions()
{
    std::vector<std::pair<int, int>> p;
    for (uint32_t m = 1; m <= node_no; m++)
        p.push_back({basin_pos[m][0], basin_pos[m][1]});
    return p;
}

// A graph of n nodes (no links) at random places in the frame, one of
// them exactly at the centre.
void
scattered_graph(uint32_t n, unsigned seed)
{
    open_graph_data(graph_field, n, false);
    srandom(seed);
    place_at_random(kFrame.x0, kFrame.y0, kFrame.x1 - kFrame.x0, kFrame.y1 - kFrame.y0);
    basin_pos[n / 2][0] = static_cast<int16_t>(kFrame.cx);
    basin_pos[n / 2][1] = static_cast<int16_t>(kFrame.cy);
}

double
distance_from_centre(uint32_t m)
{
    return std::hypot(basin_pos[m][0] - kFrame.cx, basin_pos[m][1] - kFrame.cy);
}

TEST(GraphMoves, SpiralRunsFromNodeNodeNoOutward)
{
    for (uint32_t n : {5u, 9u, 25u, 200u}) {
        open_graph_data(graph_field, n, false);
        int start = spiral_start_units(n);
        place_on_spiral(kFrame, start);
        // Node n is placed first, at the start radius; each later node
        // lies further out.
        EXPECT_NEAR(distance_from_centre(n), start, 1.5) << n << " nodes";
        for (uint32_t m = n - 1; m >= 1; m--)
            EXPECT_GT(distance_from_centre(m), distance_from_centre(m + 1) - 1.5) << n << " nodes, node " << m;
        if (n <= 25)
            for (uint32_t m = 1; m <= n; m++) {
                EXPECT_GT(basin_pos[m][0], kFrame.x0) << n << " nodes, node " << m;
                EXPECT_LT(basin_pos[m][0], kFrame.x1);
                EXPECT_GT(basin_pos[m][1], kFrame.y0);
                EXPECT_LT(basin_pos[m][1], kFrame.y1);
            }
        float base = spiral_base_radius(133, n, 1.2f);
        EXPECT_TRUE(std::isfinite(base));
        EXPECT_GE(base, 2.5f);
        free_graph_data();
    }
}

// Fewer than ten nodes lie each at an angle of its own about the centre,
// a full turn shared among them, apart by more than their drawn sizes,
// which are as large as the circle layout gives them.
TEST(GraphMoves, SpiralSpreadsFewNodesOverOneTurn)
{
    for (uint32_t n = 2; n < kFewSpiralNodes; n++) {
        open_graph_data(graph_network, n, false);
        place_on_spiral(kFrame, spiral_start_units(n));
        const float base = spiral_base_radius(133, n, 1.2f);
        EXPECT_FLOAT_EQ(base, graph_base_radius(133, n, 1.2f, circle_growth)) << n << " nodes";
        std::vector<double> angles;
        for (uint32_t m = 1; m <= n; m++)
            angles.push_back(std::atan2(basin_pos[m][1] - kFrame.cy, basin_pos[m][0] - kFrame.cx));
        std::sort(angles.begin(), angles.end());
        for (size_t i = 0; i < n; i++) {
            double gap = i + 1 < n ? angles[i + 1] - angles[i] : angles[0] + 2 * kPi - angles[i];
            EXPECT_GT(gap, 0.5 * 2 * kPi / n) << n << " nodes, gap " << i;
        }
        for (uint32_t a = 1; a <= n; a++)
            for (uint32_t b = a + 1; b <= n; b++)
                EXPECT_GT(std::hypot(basin_pos[a][0] - basin_pos[b][0], basin_pos[a][1] - basin_pos[b][1]),
                          2 * base)
                    << n << " nodes " << a << " and " << b;
        free_graph_data();
    }
}

TEST(GraphMoves, LineRunsFromNodeNoOnTheLeft)
{
    open_graph_data(graph_network, 10, false);
    place_on_line(kFrame);
    for (uint32_t m = 1; m <= 10; m++) {
        EXPECT_EQ(basin_pos[m][1], kFrame.cy);
        if (m > 1) {
            EXPECT_LT(basin_pos[m][0], basin_pos[m - 1][0]);
        }
    }
    // 0.9 of the width, centred: node 10 a half step in from its start.
    double d = 0.9 * 1000 / 10;
    EXPECT_EQ(basin_pos[10][0], static_cast<int>(kFrame.cx - d * 5 + d / 2));
    free_graph_data();
}

TEST(GraphMoves, ExpandThenContractReturnsEveryNode)
{
    for (unsigned seed = 1; seed <= 5; seed++) {
        scattered_graph(40, seed);
        std::vector<std::pair<int, int>> before = positions();
        scale_about_centre(kFrame.cx, kFrame.cy, 1.1);
        EXPECT_NE(positions(), before);
        scale_about_centre(kFrame.cx, kFrame.cy, 1 / 1.1);
        std::vector<std::pair<int, int>> after = positions();
        for (size_t i = 0; i < before.size(); i++) {
            EXPECT_LE(std::abs(after[i].first - before[i].first), 2) << "node " << i + 1;
            EXPECT_LE(std::abs(after[i].second - before[i].second), 2) << "node " << i + 1;
        }
        EXPECT_EQ(after[19], std::make_pair(kFrame.cx, kFrame.cy)) << "the node at the centre moved";
        free_graph_data();
    }
}

// One turn against the rotation formula worked here: angle a about the
// centre (y up), distance d, then cx + d cos(a - turn), cy - d sin(a - turn)
// for the clockwise 'x'.
TEST(GraphMoves, RotationFollowsTheFormulaAndTurnsBack)
{
    scattered_graph(40, 7);
    std::vector<std::pair<int, int>> before = positions();
    const double turn = kPi / 12;
    rotate_about_centre(kFrame.cx, kFrame.cy, -turn);
    for (uint32_t m = 1; m <= 40; m++) {
        int dx = before[m - 1].first - kFrame.cx, dy = kFrame.cy - before[m - 1].second;
        if (dx == 0 && dy == 0) {
            EXPECT_EQ(basin_pos[m][0], kFrame.cx);
            EXPECT_EQ(basin_pos[m][1], kFrame.cy);
            continue;
        }
        double a = std::atan2(dy, dx), d = std::hypot(dx, dy);
        EXPECT_NEAR(basin_pos[m][0], std::trunc(kFrame.cx + d * std::cos(a - turn)), 1) << "node " << m;
        EXPECT_NEAR(basin_pos[m][1], std::trunc(kFrame.cy - d * std::sin(a - turn)), 1) << "node " << m;
    }
    // Clockwise on the screen: a node right of the centre goes down.
    basin_pos[1][0] = static_cast<int16_t>(kFrame.cx + 100);
    basin_pos[1][1] = static_cast<int16_t>(kFrame.cy);
    rotate_about_centre(kFrame.cx, kFrame.cy, -turn);
    EXPECT_GT(basin_pos[1][1], kFrame.cy);
    free_graph_data();

    scattered_graph(40, 8);
    before = positions();
    rotate_about_centre(kFrame.cx, kFrame.cy, -turn);
    rotate_about_centre(kFrame.cx, kFrame.cy, turn);
    std::vector<std::pair<int, int>> after = positions();
    for (size_t i = 0; i < before.size(); i++) {
        EXPECT_LE(std::abs(after[i].first - before[i].first), 2) << "node " << i + 1;
        EXPECT_LE(std::abs(after[i].second - before[i].second), 2) << "node " << i + 1;
    }
    free_graph_data();
}

TEST(GraphMoves, MirrorTwiceIsTheIdentity)
{
    scattered_graph(30, 3);
    std::vector<std::pair<int, int>> before = positions();
    mirror_about_centre(kFrame.cx, kFrame.cy, 'h');
    EXPECT_EQ(basin_pos[1][0], 2 * kFrame.cx - before[0].first);
    EXPECT_EQ(basin_pos[1][1], before[0].second);
    mirror_about_centre(kFrame.cx, kFrame.cy, 'h');
    EXPECT_EQ(positions(), before);
    mirror_about_centre(kFrame.cx, kFrame.cy, 'v');
    EXPECT_EQ(basin_pos[1][1], 2 * kFrame.cy - before[0].second);
    mirror_about_centre(kFrame.cx, kFrame.cy, 'v');
    EXPECT_EQ(positions(), before);
    free_graph_data();
}

// Expanded again and again, a far node stays at the edge of the 16-bit
// range on its own side instead of wrapping to the other.
TEST(GraphMoves, PlacesStayWithinSixteenBits)
{
    open_graph_data(graph_field, 2, false);
    basin_pos[1][0] = static_cast<int16_t>(kFrame.cx + 300);
    basin_pos[1][1] = static_cast<int16_t>(kFrame.cy);
    basin_pos[2][0] = static_cast<int16_t>(kFrame.cx - 300);
    basin_pos[2][1] = static_cast<int16_t>(kFrame.cy + 300);
    for (int i = 0; i < 60; i++)
        scale_about_centre(kFrame.cx, kFrame.cy, 1.2);
    EXPECT_EQ(basin_pos[1][0], 32767);
    EXPECT_EQ(basin_pos[2][0], -32768);
    EXPECT_EQ(basin_pos[2][1], 32767);
    mirror_about_centre(-20000, 0, 'h');
    EXPECT_EQ(basin_pos[1][0], -32768);
    free_graph_data();
}

TEST(GraphMoves, ContractingNeverTakesTheBaseBelowOnePixel)
{
    float base = 12;
    for (int i = 0; i < 40; i++) {
        base = scaled_base_radius(base, 1.2f, false);
        EXPECT_GE(base, 1.0f);
    }
    EXPECT_FLOAT_EQ(base, 1.0f);
    EXPECT_FLOAT_EQ(scaled_base_radius(base, 1.2f, true), 1.2f);
    EXPECT_FLOAT_EQ(scaled_base_radius(1.1f, 2.0f, false), 1.0f);
}

TEST(GraphMoves, JiggleStaysWithinItsReach)
{
    scattered_graph(50, 11);
    std::vector<std::pair<int, int>> before = positions();
    jiggle_nodes(16);
    std::vector<std::pair<int, int>> after = positions();
    EXPECT_NE(after, before);
    for (size_t i = 0; i < before.size(); i++) {
        EXPECT_LT(std::abs(after[i].first - before[i].first), 16);
        EXPECT_LT(std::abs(after[i].second - before[i].second), 16);
    }
    // A reach of nothing (a tiny window) moves nothing.
    jiggle_nodes(0);
    EXPECT_EQ(positions(), after);
    free_graph_data();
}

// The bubble sort against a stable sort of the same weights, with many
// ties; fewer than two nodes are left as they are.
TEST(GraphRank, OrderIsTheStableSortOfTheWeights)
{
    srandom(5);
    for (uint32_t n : {0u, 1u, 2u, 7u, 60u}) {
        std::vector<double> weight(n + 1);
        for (uint32_t m = 1; m <= n; m++)
            weight[m] = static_cast<double>(random() % 5);
        std::vector<uint32_t> order(n + 1);
        std::iota(order.begin(), order.end(), 0u);
        std::vector<uint32_t> expected(order.begin() + (n ? 1 : 0), order.end());
        std::stable_sort(expected.begin(), expected.end(),
                         [&](uint32_t a, uint32_t b) { return weight[a] < weight[b]; });
        reorder_rank(order.data(), weight.data(), n);
        EXPECT_EQ(std::vector<uint32_t>(order.begin() + (n ? 1 : 0), order.end()), expected) << n << " nodes";
    }
    // Descending weights on one node only: untouched.
    uint32_t one[2] = {0, 1};
    double w[2] = {0, 3};
    reorder_rank(one, w, 1);
    EXPECT_EQ(one[1], 1u);
}

// The network graph ranks a cell by its out-degree plus its k, both from
// the wiring; the node at rank r takes the place node r had.
TEST(GraphRank, NetworkNodesRankByDegree)
{
    TestNetwork net(2, 10, 3);
    srandom(21);
    wire_at_random(false);
    ASSERT_TRUE(count_network_links(true, nullptr));
    std::vector<double> degree(11, 0);
    for (uint32_t c = 0; c < 10; c++) {
        degree[c + 1] += nhoodm[c];
        for (int j = 0; j < nhoodm[c]; j++)
            degree[wiring[c][j] + 1] += 1;
    }
    for (uint32_t m = 1; m <= 10; m++)
        EXPECT_EQ(rank_weight(m), degree[m]) << "cell " << m - 1;
    place_on_line(kFrame);
    std::vector<std::pair<int, int>> before = positions();
    std::vector<uint32_t> expected(10);
    std::iota(expected.begin(), expected.end(), 1u);
    std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) { return degree[a] < degree[b]; });
    place_by_rank();
    std::vector<std::pair<int, int>> after = positions();
    for (uint32_t r = 1; r <= 10; r++)
        EXPECT_EQ(after[expected[r - 1] - 1], before[r - 1]) << "rank " << r;
    free_graph_data();
}

// A node is unreachable while its weight from other nodes is at most the
// threshold; isolation moves those nodes alone, keeping their y.
TEST(GraphUnreachable, ThresholdAndIsolation)
{
    open_graph_data(graph_field, 4, true);
    basinjumps[1][2] = 3; // node 2 has 3 from others
    basinjumps[2][3] = 1; // node 3 has 1
    basinjumps[4][4] = 9; // node 4 only feeds itself
    sum_outside_inputs();
    u_threshold = 0;
    EXPECT_TRUE(node_unreachable(1));
    EXPECT_FALSE(node_unreachable(2));
    EXPECT_FALSE(node_unreachable(3));
    EXPECT_TRUE(node_unreachable(4));
    u_threshold = 1;
    EXPECT_TRUE(node_unreachable(3));
    for (uint32_t m = 1; m <= 4; m++) {
        basin_pos[m][0] = 900;
        basin_pos[m][1] = static_cast<int16_t>(100 * m);
    }
    srandom(2);
    isolate_unreachable_nodes(40, 100);
    for (uint32_t m : {1u, 3u, 4u}) {
        EXPECT_GE(basin_pos[m][0], 40);
        EXPECT_LT(basin_pos[m][0], 140);
        EXPECT_EQ(basin_pos[m][1], 100 * static_cast<int>(m));
    }
    EXPECT_EQ(basin_pos[2][0], 900);
    u_threshold = 0;
    free_graph_data();
    // Without links no node is unreachable.
    open_graph_data(graph_network, 3, false);
    EXPECT_FALSE(node_unreachable(1));
    free_graph_data();
}

} // namespace
