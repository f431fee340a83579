// Update orders: rank and unrank, and the random order against the plain
// cell-by-cell probing walk. The order file is tested with the interface
// (tests/ui/forward/order_file_test.cpp).
#include "engine/forward/forward_test_support.h"

#include "engine/forward/update_order.h"

namespace {

TEST(OrderRank, SmallExamples)
{
    uint16_t order[3] = {2, 0, 1};
    EXPECT_EQ(order_to_index(order, 3), 4u);
    index_to_order(4, order, 3);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 3), (std::vector<uint16_t>{2, 0, 1}));
    index_to_order(0, order, 3);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 3), (std::vector<uint16_t>{0, 1, 2}));
    index_to_order(5, order, 3);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 3), (std::vector<uint16_t>{2, 1, 0}));
    uint16_t one[1] = {0};
    EXPECT_EQ(order_to_index(one, 1), 0u);
}

TEST(OrderRank, RoundTripsForEveryOrderUpToEightCells)
{
    for (int n = 1; n <= 8; n++) {
        uint32_t total = fact(n);
        std::vector<uint16_t> order(n), previous(n);
        for (uint32_t index = 0; index < total; index++) {
            index_to_order(index, order.data(), n);
            ASSERT_TRUE(is_permutation(order.data(), n));
            ASSERT_EQ(order_to_index(order.data(), n), index) << "n=" << n;
            // Lexicographic: each order comes after the one before.
            if (index > 0) {
                ASSERT_TRUE(previous < order);
            }
            previous = order;
        }
    }
}

TEST(OrderRank, TwelveCellsAreExact)
{
    std::vector<uint16_t> order(12);
    index_to_order(fact(12) - 1, order.data(), 12);
    for (int i = 0; i < 12; i++)
        EXPECT_EQ(order[i], 11 - i);
    EXPECT_EQ(order_to_index(order.data(), 12), 479001599u);
    // An index beyond the orders still gives a permutation.
    index_to_order(4294967295u, order.data(), 12);
    EXPECT_TRUE(is_permutation(order.data(), 12));
    std::vector<uint16_t> big(40);
    index_to_order(123456789u, big.data(), 40);
    EXPECT_TRUE(is_permutation(big.data(), 40));
}

// Long orders (several words of marks, and beyond the marks kept on the
// stack) against the sum of places times factorials, both modulo 2^32.
TEST(OrderRank, LongOrdersAsTheSumOfPlacesTimesFactorials)
{
    for (int n : {13, 64, 65, 200, 1024, 1500}) {
        std::vector<uint16_t> order(n);
        for (int i = 0; i < n; i++)
            order[i] = static_cast<uint16_t>(i);
        srandom(static_cast<unsigned>(n));
        for (int i = n - 1; i > 0; i--)
            std::swap(order[i], order[random() % (i + 1)]);
        std::vector<bool> used(n, false);
        uint32_t expected = 0;
        for (int i = 0; i < n - 1; i++) {
            uint32_t place = 0;
            for (int u = 0; u < order[i]; u++)
                place += !used[u];
            used[order[i]] = true;
            uint32_t f = 1;
            for (int m = 2; m <= n - 1 - i; m++)
                f *= static_cast<uint32_t>(m);
            expected += place * f;
        }
        EXPECT_EQ(order_to_index(order.data(), n), expected) << n << " cells";
    }
}

// The random order as the plain walk draws it: cell by cell, no skipping.
std::vector<uint16_t>
plain_random_order(int n)
{
    std::vector<uint16_t> order(n);
    std::vector<bool> ticked(n, false);
    for (int i = 0; i < n; i++) {
        int c = static_cast<int>(random() % n);
        int d = static_cast<int>(random() % 2) - 1;
        if (d == 0)
            d = 1;
        while (ticked[c]) {
            c += d;
            if (c == n)
                c = 0;
            if (c < 0)
                c = n - 1;
        }
        order[i] = static_cast<uint16_t>(c);
        ticked[c] = true;
    }
    return order;
}

TEST(RandomOrder, SameCellsAsThePlainWalk)
{
    for (int n : {1, 2, 7, 8, 9, 63, 64, 65, 130, 1000, 4099}) {
        srandom(static_cast<unsigned>(n));
        std::vector<uint16_t> expect = plain_random_order(n);
        srandom(static_cast<unsigned>(n));
        std::vector<uint16_t> order(n);
        std::vector<uint8_t> tickoff((n + 7) / 8, 0);
        draw_random_order(order.data(), n, tickoff.data());
        EXPECT_EQ(order, expect) << "n=" << n;
        EXPECT_TRUE(is_permutation(order.data(), n));
    }
}

TEST(RandomOrder, SetupGivesModeThreeAndAPermutation)
{
    TestNetwork net(2, 33, 3);
    seq_update = update_parallel;
    setup_random_sequence();
    EXPECT_EQ(seq_update, update_seq_order);
    EXPECT_TRUE(is_permutation(seq_order, lineL));
    seq_update = update_parallel;
}

TEST(RandomOrder, IdentityAndReverse)
{
    uint16_t order[4];
    identity_order(order, 4);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 4), (std::vector<uint16_t>{0, 1, 2, 3}));
    reverse_order(order, 4);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 4), (std::vector<uint16_t>{3, 2, 1, 0}));
    uint16_t twice[3] = {0, 2, 2};
    EXPECT_FALSE(is_permutation(twice, 3));
    uint16_t outside[3] = {0, 1, 3};
    EXPECT_FALSE(is_permutation(outside, 3));
}

// A typed order left part way: the cells typed first, the rest in their old
// order; always an order again.
TEST(OrderRank, CompletedOrderKeepsTheTypedCellsAndIsAnOrder)
{
    const uint16_t previous[6] = {5, 4, 3, 2, 1, 0};
    uint16_t order[6] = {2, 0, 3, 2, 1, 0};  // 2 and 0 typed; the rest stale
    complete_order(order, 2, previous, 6);
    EXPECT_EQ(std::vector<uint16_t>(order, order + 6), (std::vector<uint16_t>{2, 0, 5, 4, 3, 1}));
    srandom(7);
    for (int trial = 0; trial < 200; trial++) {
        int n = 1 + static_cast<int>(random() % 12), placed = static_cast<int>(random() % (n + 1));
        std::vector<uint16_t> before(n), typed(n);
        index_to_order(static_cast<uint32_t>(random()), before.data(), n);
        index_to_order(static_cast<uint32_t>(random()), typed.data(), n);
        complete_order(typed.data(), placed, before.data(), n);
        ASSERT_TRUE(is_permutation(typed.data(), n)) << "n=" << n << " placed=" << placed;
    }
}

} // namespace
