// The order space of the neutral-order mode: the rank line's width, the
// switch there and back (twice, nothing leaked), the refusal above 12
// cells, compression off for ranks, the pre-images of an order against the
// neutral swaps found by brute force over std::next_permutation's
// lexicographic order (neutral_test_support.h), and the component-type
// table.
#include "engine/backward/neutral_test_support.h"

#include "engine/backward/neutral_buffers.h"
#include "engine/backward/neutral_components.h"

namespace {

TEST(OrderSpace, RankLineWidth)
{
    EXPECT_EQ(order_rank_bits(1), 1);
    EXPECT_EQ(order_rank_bits(2), 1);
    EXPECT_EQ(order_rank_bits(3), 3);  // 5
    EXPECT_EQ(order_rank_bits(4), 5);  // 23
    EXPECT_EQ(order_rank_bits(6), 10); // 719
    EXPECT_EQ(order_rank_bits(12), 29); // 479001599
}

TEST(OrderSpace, SwitchThereAndBackTwice)
{
    TestNetwork net(2, 4, 3);
    nonlocal = 0;
    i2d = 4;
    j2d = 1;
    uint8_t *seed = bitseed;
    bitseed[0] = 0x09;
    for (int pass = 0; pass < 2; pass++) {
        long before = live_allocations;
        ASSERT_TRUE(reset_neutral_buffs());
        EXPECT_EQ(neutral_order, 1);
        EXPECT_EQ(templineL, 4);
        EXPECT_EQ(lineL, 5);
        EXPECT_EQ(L, 4);
        EXPECT_EQ(bytesL, 1);
        EXPECT_EQ(statespace, 23u);
        EXPECT_EQ(nonlocal, 1);
        EXPECT_EQ(static_cast<long>(i2d) * j2d, 5);
        EXPECT_EQ(bitseed[0], 0); // a fresh line
        // Entered once only: a second switch would lose the network's lines.
        EXPECT_FALSE(reset_neutral_buffs());
        restore_network_buffs();
        EXPECT_EQ(live_allocations, before);
        EXPECT_EQ(neutral_order, 0);
        EXPECT_EQ(templineL, 0);
        EXPECT_EQ(lineL, 4);
        EXPECT_EQ(L, 3);
        EXPECT_EQ(nonlocal, 0);
        EXPECT_EQ(i2d, 4);
        EXPECT_EQ(j2d, 1);
        EXPECT_EQ(bitseed, seed);
        EXPECT_EQ(bitseed[0], 0x09);
    }
}

TEST(OrderSpace, TwelveCellsTakenThirteenRefused)
{
    {
        TestNetwork net(2, 12, 3);
        ASSERT_TRUE(reset_neutral_buffs());
        EXPECT_EQ(lineL, 29);
        EXPECT_EQ(statespace, 479001599u);
        restore_network_buffs();
    }
    TestNetwork net(2, 13, 3);
    uint8_t *seed = bitseed;
    long before = live_allocations;
    EXPECT_FALSE(reset_neutral_buffs());
    EXPECT_EQ(lineL, 13);
    EXPECT_EQ(templineL, 0);
    EXPECT_EQ(neutral_order, 0);
    EXPECT_EQ(bitseed, seed);
    EXPECT_EQ(live_allocations, before);
    restore_network_buffs(); // nothing to restore: nothing changes
    EXPECT_EQ(lineL, 13);
    EXPECT_EQ(bitseed, seed);
}

TEST(OrderSpace, RanksAreNeverCompressed)
{
    TestNetwork net(2, 4, 3);
    reset_backward_settings();
    ASSERT_EQ(compression_on(), 1); // a local ring compresses
    for (int lattice = 0; lattice < 2; lattice++) {
        regular2d = static_cast<uint8_t>(lattice);
        compress_1d_local = static_cast<uint8_t>(lattice);
        ASSERT_TRUE(reset_neutral_buffs());
        EXPECT_EQ(compression_on(), 0);
        restore_network_buffs();
    }
    regular2d = compress_1d_local = 0;
}

TEST(NeutralPreImages, NeighboursAsBruteForce)
{
    srandom(11);
    for (int n = 2; n <= 6; n++)
        for (int k = 1; k <= 3; k++) {
            TestNetwork net(2, n, k);
            reset_backward_settings();
            for (int c = 0; c < n; c++)
                for (int j = 0; j < k; j++)
                    wiring[c][j] = static_cast<uint16_t>(random() % n);
            std::vector<std::vector<uint16_t>> all = orders_by_rank(n);
            ASSERT_TRUE(reset_neutral_buffs());
            for (uint32_t t = 0; t < all.size(); t++) {
                SCOPED_TRACE("n " + std::to_string(n) + " k " + std::to_string(k) + " order " +
                             std::to_string(t));
                EXPECT_EQ(sorted(method_pre_images(t, pre_neutral)),
                          sorted(brute_neutral_neighbours(all, t)));
            }
            restore_network_buffs();
        }
}

TEST(NeutralPreImages, AllCellsWiredToEachOtherGiveNone)
{
    TestNetwork net(2, 4, 3);
    reset_backward_settings();
    // Cell c reads the other three cells.
    for (int c = 0; c < 4; c++)
        for (int j = 0; j < 3; j++)
            wiring[c][j] = static_cast<uint16_t>((c + 1 + j) % 4);
    ASSERT_TRUE(reset_neutral_buffs());
    for (uint32_t t = 0; t < 24; t++)
        EXPECT_TRUE(method_pre_images(t, pre_neutral).empty()) << t;
    restore_network_buffs();
}

TEST(NeutralPreImages, PlacedOrdersAreNotOfferedAgain)
{
    TestNetwork net(2, 4, 1);
    reset_backward_settings();
    for (int c = 0; c < 4; c++)
        wiring[c][0] = static_cast<uint16_t>(c); // no links between cells
    ASSERT_TRUE(reset_neutral_buffs());
    tickspace = statespace;
    tickoff = static_cast<uint8_t *>(checked_calloc(4, 1, "tickoff"));
    // Order 0 (0123) swaps to 1023 (6), 0213 (2) and 0132 (1).
    EXPECT_EQ(sorted(method_pre_images(0, pre_neutral)), (std::vector<uint32_t>{1, 2, 6}));
    EXPECT_TRUE(get_bitlong(tickoff, 6));
    EXPECT_TRUE(method_pre_images(0, pre_neutral).empty());
    checked_free(tickoff);
    tickoff = nullptr;
    tickspace = 0;
    restore_network_buffs();
}

TEST(ComponentTypes, CountedSortedFreed)
{
    long before = live_allocations;
    start_component_types();
    EXPECT_EQ(comp_type_tot, 0u);
    for (uint32_t size : {3u, 1u, 3u, 70000u, 1u, 1u})
        add_component_type(size);
    ASSERT_EQ(comp_type_tot, 3u);
    EXPECT_EQ(comp_type[0][0], 3u); // in the order first met
    sort_component_types();
    std::vector<std::pair<uint32_t, uint32_t>> rows;
    for (uint32_t r = 0; r < comp_type_tot; r++)
        rows.emplace_back(comp_type[r][0], comp_type[r][1]);
    EXPECT_EQ(rows, (std::vector<std::pair<uint32_t, uint32_t>>{{1, 3}, {3, 2}, {70000, 1}}));
    free_component_types();
    EXPECT_EQ(comp_type, nullptr);
    EXPECT_EQ(comp_type_tot, 0u);
    EXPECT_EQ(live_allocations, before);
}

TEST(ComponentTypes, SummaryLine)
{
    totbasinsinfield = 7;
    earlyexitfield = earlyexitbasin = 0;
    EXPECT_EQ(compose_component_count(), "total components=7\n");
    earlyexitfield = 1;
    EXPECT_EQ(compose_component_count(), "EARLY EXIT total components=7\n");
    earlyexitfield = 0;
    totbasinsinfield = 0;
}

} // namespace
