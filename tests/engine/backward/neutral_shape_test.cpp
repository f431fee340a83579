// The neutral-order field's components read from the wiring: their smallest
// orders and depths against a breadth-first search over every order listed
// (small networks, random wiring of several k), and the count of
// components of a ring of 11 and 12 cells against the number of ways to
// direct a cycle's links without a loop.
#include "engine/backward/neutral_test_support.h"

#include "engine/backward/neutral_shape.h"
#include "engine/forward/update_order.h"

namespace {

std::vector<brute_component>
structural_components(const neutral_links &links)
{
    std::vector<brute_component> found;
    for_each_neutral_root(links, [&](const uint16_t *root) {
        found.push_back({order_to_index(root, links.n), neutral_component_depth(links, root)});
        return true;
    });
    return found;
}

TEST(NeutralShape, RootsAndDepthsAsTheSwapsOverEveryOrder)
{
    for (int n : {1, 2, 4, 6, 7}) {
        for (int k : {1, 2, 3}) {
            for (int seed : {1, 2, 3, 4}) {
                SCOPED_TRACE("n " + std::to_string(n) + " k " + std::to_string(k) + " seed " +
                             std::to_string(seed));
                TestNetwork net(2, n, k);
                srandom(seed);
                wire_at_random(seed == 4);
                neutral_links links;
                ASSERT_TRUE(neutral_links_of_network(n, &links));
                std::vector<brute_component> expected = brute_components(n);
                EXPECT_EQ(structural_components(links), expected);
            }
        }
    }
}

// A ring's cells are wired each to the next: the links form a cycle, and a
// component is a way to direct each link, without a loop round the cycle:
// 2^n - 2 of them.
TEST(NeutralShape, RingsOfElevenAndTwelveCellsHaveTwoToTheNLessTwoComponents)
{
    for (int n : {11, 12}) {
        TestNetwork net(2, n, 3);
        neutral_links links;
        ASSERT_TRUE(neutral_links_of_network(n, &links));
        uint32_t components = 0, deepest = 0;
        uint32_t last = 0;
        bool ascending = true;
        for_each_neutral_root(links, [&](const uint16_t *root) {
            uint32_t rank = order_to_index(root, n);
            ascending = ascending && (components == 0 || rank > last);
            last = rank;
            components++;
            deepest = std::max(deepest, neutral_component_depth(links, root));
            return true;
        });
        EXPECT_EQ(components, (1u << n) - 2) << n << " cells";
        EXPECT_TRUE(ascending);
        // No component turns round more than the unwired pairs.
        EXPECT_LE(deepest, static_cast<uint32_t>(n * (n - 1) / 2 - n));
        EXPECT_GT(deepest, 0u);
    }
}

// The search stops when asked: the smallest orders seen are the first ones.
TEST(NeutralShape, SearchStopsWhereTheVisitSays)
{
    TestNetwork net(2, 6, 3);
    neutral_links links;
    ASSERT_TRUE(neutral_links_of_network(6, &links));
    std::vector<brute_component> all = structural_components(links);
    ASSERT_EQ(all.size(), 62u);
    std::vector<uint32_t> first;
    for_each_neutral_root(links, [&](const uint16_t *root) {
        first.push_back(order_to_index(root, 6));
        return first.size() < 5;
    });
    ASSERT_EQ(first.size(), 5u);
    for (size_t i = 0; i < first.size(); i++)
        EXPECT_EQ(first[i], all[i].root);
    EXPECT_FALSE(neutral_links_of_network(kMaxNeutralCells + 1, &links));
    EXPECT_FALSE(neutral_links_of_network(0, &links));
}

} // namespace
