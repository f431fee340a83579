// The layout geometry of the graph window: the base node radius at the
// edge of 100 nodes, the node size rule, the 2d grid of a meta-graph of ten
// basins, the hexagonal rows of a hexagonal network lattice, and nodes of a
// 3d box all in distinct places.
#include "graph_test_support.h"

#include <cmath>
#include <set>
#include <utility>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/graph_layouts.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

const graph_frame kFrame = {10, 100, 1010, 700, 510, 400};

std::pair<int, int>
position(uint32_t m)
{
    return {basin_pos[m][0], basin_pos[m][1]};
}

TEST(GraphLayouts, CircleBaseRadiusGrowsOnlyAboveHundredNodes)
{
    const float w = 133, factor = 1.2f;
    EXPECT_FLOAT_EQ(graph_base_radius(w, 100, factor, circle_growth),
                    static_cast<float>(std::min(w * kPi / 120, w / 5.0)));
    EXPECT_FLOAT_EQ(graph_base_radius(w, 101, factor, circle_growth),
                    static_cast<float>(w * kPi / (1.2 * 101) * factor * std::sqrt(1.01)));
    // A few nodes: a fifth of the circle's radius; never below 2.5.
    EXPECT_FLOAT_EQ(graph_base_radius(w, 3, factor, circle_growth), w / 5);
    EXPECT_FLOAT_EQ(graph_base_radius(10, 1000, 1.0f, circle_growth), 2.5f);
}

TEST(GraphLayouts, NodeOfAverageSizeHasTheBaseRadius)
{
    TestNetwork net(2, 4, 2);
    open_graph_data(graph_network, 4, true);
    netnodesize = static_cast<uint8_t *>(checked_calloc(5, 1, "netnodesize"));
    const uint8_t k[5] = {0, 1, 2, 4, 1};
    memcpy(netnodesize, k, 5);
    m_space = 8; // average 2
    set_graph_node_sizes(10);
    EXPECT_FLOAT_EQ(m_node_size[2], 10);
    EXPECT_FLOAT_EQ(m_node_size[3], 10 * std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(m_node_size[1], 10 * std::sqrt(0.5f));
    no_links = 1;
    set_graph_node_sizes(10);
    EXPECT_FLOAT_EQ(m_node_size[3], 10);
    free_graph_data();
}

// Ten basins on a 4 x 4 grid: the top row stays empty, the second holds
// nodes 10 and 9 in its two right-hand places, the two below are full.
TEST(GraphLayouts, TenBasinsOnTheTwoDimensionalGrid)
{
    open_graph_data(graph_field, 10, false);
    place_on_2d_lattice(kFrame, 200);
    std::set<int> xs, ys;
    for (uint32_t m = 1; m <= 10; m++) {
        xs.insert(basin_pos[m][0]);
        ys.insert(basin_pos[m][1]);
    }
    ASSERT_EQ(xs.size(), 4u);
    ASSERT_EQ(ys.size(), 3u);
    // Spacing 2 x 200 / 4 rows, the grid centred on the window.
    std::vector<int> column(xs.begin(), xs.end()), row(ys.begin(), ys.end());
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(column[c], 510 - 200 + 100 * c + 50);
    EXPECT_EQ(row[0], 400 - 200 + 100 + 50) << "the top row is empty";
    EXPECT_EQ(position(10), std::make_pair(column[2], row[0]));
    EXPECT_EQ(position(9), std::make_pair(column[3], row[0]));
    for (int c = 0; c < 4; c++) {
        EXPECT_EQ(position(8 - c), std::make_pair(column[c], row[1]));
        EXPECT_EQ(position(4 - c), std::make_pair(column[c], row[2]));
    }
    free_graph_data();
}

// The network graph of a hexagonal lattice: rows from the bottom, odd rows
// half a place to the left of even ones, places wider by 1 / cos 30.
TEST(GraphLayouts, HexagonalLatticeShiftsAlternateRows)
{
    TestNetwork net(2, 2, 4, 4, 1, 6);
    open_graph_data(graph_network, 16, false);
    place_on_2d_lattice(kFrame, 200);
    double q = 100 / std::cos(kPi / 6);
    for (uint32_t j = 0; j < 4; j++)
        for (uint32_t i = 0; i + 1 < 4; i++) {
            uint32_t m = 1 + i + 4 * j; // cell i + j K
            // Column i from the right: the next cell is one place left.
            EXPECT_NEAR(basin_pos[m][0] - basin_pos[m + 1][0], q, 1.0);
            EXPECT_EQ(basin_pos[m][1], basin_pos[m + 1][1]);
        }
    EXPECT_NEAR(basin_pos[1][0] - basin_pos[5][0], q / 2, 1.0);
    EXPECT_EQ(basin_pos[1][1] - basin_pos[5][1], 100) << "row 0 is below row 1";
    free_graph_data();
}

TEST(GraphLayouts, ThreeDimensionalBoxPlacesEveryNodeApart)
{
    for (uint32_t nodes : {8u, 20u, 27u}) {
        open_graph_data(graph_attractors, nodes, false);
        place_on_3d_lattice(kFrame, 200);
        std::set<std::pair<int, int>> places;
        for (uint32_t m = 1; m <= nodes; m++)
            places.insert(position(m));
        EXPECT_EQ(places.size(), nodes);
        free_graph_data();
    }
}

TEST(GraphLayouts, CircleRunsClockwiseFromTheRight)
{
    open_graph_data(graph_field, 4, false);
    place_on_circle(kFrame, 100);
    EXPECT_EQ(position(4), std::make_pair(610, 400));
    EXPECT_EQ(position(1), std::make_pair(510, 500)) << "a quarter turn: below the centre";
    EXPECT_EQ(position(2), std::make_pair(410, 400));
    free_graph_data();
}

} // namespace
