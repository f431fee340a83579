// Link counting of the network graph against the pair-by-pair count of
// every cell's input slots: a cell wired twice from one cell weighs 2, a
// cell reading itself has a self-link; out-degrees, the wire total and the
// cells' k come with it; a layout-only graph holds no links.
#include "graph_test_support.h"

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/link_counting.h"

namespace {

TEST(NetworkLinks, DoubleWireWeighsTwoAndSelfInputIsASelfLink)
{
    TestNetwork net(2, 5, 3);
    nonlocal = 1;
    // Cell 0 reads cell 1 twice and itself; the others keep the ring.
    wiring[0][0] = 1;
    wiring[0][1] = 1;
    wiring[0][2] = 0;
    ASSERT_TRUE(count_network_links(true, nullptr));
    EXPECT_EQ(basinjumps[2][1], 2u); // node 2 = cell 1 into node 1 = cell 0
    EXPECT_EQ(basinjumps[1][1], 1u);
    EXPECT_EQ(outside_inputs[1], 2u);
    EXPECT_EQ(m_size, 1u);
    EXPECT_EQ(m_space, 15.0);
    free_graph_data();
    nonlocal = 0;
}

TEST(NetworkLinks, RandomWiringAsEverySlotTested)
{
    srandom(9);
    for (int round = 0; round < 10; round++) {
        TestNetwork net(2, 7 + round, 4);
        wire_at_random(round % 2 == 1);
        ASSERT_TRUE(count_network_links(true, nullptr));
        ASSERT_EQ(node_no, lineL);
        EXPECT_EQ(f_or_n, graph_network);
        uint64_t wires = 0;
        for (uint32_t i = 1; i <= node_no; i++) {
            uint32_t out = 0;
            for (uint32_t j = 1; j <= node_no; j++) {
                uint32_t slots = 0;
                for (int s = 0; s < nhoodm[j - 1]; s++)
                    slots += wiring[j - 1][s] == i - 1 ? 1 : 0;
                EXPECT_EQ(basinjumps[i][j], slots) << i << " to " << j;
                out += slots;
            }
            EXPECT_EQ(node_period[i], out);
            EXPECT_EQ(netnodesize[i], nhoodm[i - 1]);
            wires += nhoodm[i - 1];
        }
        EXPECT_EQ(m_space, static_cast<double>(wires));
        free_graph_data();
        undo_rule_mix();
    }
}

TEST(NetworkLinks, LayoutOnlyHoldsNoLinks)
{
    TestNetwork net(2, 9, 3);
    ASSERT_TRUE(count_network_links(false, nullptr));
    EXPECT_EQ(no_links, 1);
    EXPECT_EQ(basinjumps, nullptr);
    EXPECT_EQ(outside_inputs, nullptr);
    ASSERT_NE(basin_pos, nullptr);
    EXPECT_EQ(netnodesize[9], 3);
    EXPECT_EQ(m_space, 0.0);
    free_graph_data();
}

} // namespace

namespace {

// Above kMostLinkedNodes cells the table of (n+1)^2 weights is not made:
// the graph is a layout only.
TEST(NetworkLinks, LargeNetworkIsALayoutOnly)
{
    TestNetwork net(2, kMostLinkedNodes + 1, 3);
    ASSERT_TRUE(count_network_links(true, nullptr));
    EXPECT_EQ(no_links, 1);
    EXPECT_EQ(basinjumps, nullptr);
    EXPECT_EQ(node_no, kMostLinkedNodes + 1);
    free_graph_data();
}

} // namespace
