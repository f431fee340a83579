// Unscrambling against what a pass may and must do: a graph without leaves
// stays as it was, an anchor is never moved later in its pass (each pass
// replayed from its seed), and the leaves of a star end 0.15 of the circle
// radius from its centre whichever side the coin chose, inside or outside.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "engine/graphs/unscramble.h"
#include "engine/model/network_arithmetic.h"
#include "small_graphs.h"

namespace {

constexpr float kCyclerad = 120;

// Every node linked both ways with its two neighbours on a ring, and a
// self-link on some: every node has weight 2 each way to the others.
TEST(Unscramble, NoLeafNoMove)
{
    small_graph g(graph_attractors, 9);
    for (uint32_t m = 1; m <= 9; m++) {
        g.link(m, m % 9 + 1, 1);
        g.link(m % 9 + 1, m, 1);
        if (m % 3 == 0)
            g.link(m, m, 5);
    }
    auto before = g.places();
    const long blocks = live_allocations;
    for (unsigned seed = 1; seed <= 20; seed++) {
        srandom(seed);
        unscramble_graph(small_graph::cx, small_graph::cy, kCyclerad);
        ASSERT_EQ(g.places(), before) << "seed " << seed;
    }
    EXPECT_EQ(live_allocations, blocks) << "a pass kept its work arrays";
}

// A tree of chains and leaves with weights of 1 on many nodes: the pass
// replayed from its seed (the coin, then the order) tells which nodes
// served as anchors and when; none moves after it has served.
TEST(Unscramble, AnAnchorIsNeverMovedLaterInThePass)
{
    const uint32_t n = 30;
    for (unsigned seed = 1; seed <= 40; seed++) {
        small_graph g(graph_network, n);
        srandom(seed * 7);
        for (uint32_t m = 2; m <= n; m++) {
            uint32_t parent = static_cast<uint32_t>(random() % (m - 1)) + 1;
            if (random() % 2)
                g.link(m, parent, 1);
            else
                g.link(parent, m, 1);
        }
        srandom(seed);
        long side = random() % 2;
        std::vector<uint16_t> order(n + 1);
        shuffle_order1(order.data(), static_cast<int>(n));
        auto before = g.places();
        srandom(seed);
        unscramble_graph(small_graph::cx, small_graph::cy, kCyclerad);
        auto after = g.places();
        // Which nodes are leaves on the side chosen, and the anchors in the
        // order the pass meets their leaves.
        std::set<uint32_t> anchors;
        bool some_moved = false;
        for (uint32_t p = 1; p <= n; p++) {
            uint32_t u = order[p];
            uint64_t sum = 0;
            uint32_t first = 0;
            for (uint32_t j = 1; j <= n; j++) {
                uint32_t w = side == 0 ? basinjumps[u][j] : basinjumps[j][u];
                if (j != u && w > 0) {
                    sum += w;
                    if (!first)
                        first = j;
                }
            }
            bool moved = before[u - 1] != after[u - 1];
            if (anchors.count(u)) {
                EXPECT_EQ(after[u - 1], before[u - 1]) << "anchor " << u << " moved, seed " << seed;
                continue;
            }
            if (sum == 1) {
                anchors.insert(first);
                some_moved = some_moved || moved;
            } else {
                EXPECT_FALSE(moved) << "node " << u << " is no leaf, seed " << seed;
            }
        }
        EXPECT_TRUE(some_moved) << "seed " << seed;
    }
}

// A centre linked both ways with five leaves: every leaf goes to 0.15 of
// the circle radius from the centre node, whichever side the coin chose
// and whether the centre lies near the window's centre or far out.
TEST(Unscramble, StarLeavesGoNextToTheirCentre)
{
    std::set<long> sides;
    for (unsigned seed = 1; seed <= 30; seed++) {
        for (int far_out = 0; far_out < 2; far_out++) {
            small_graph g(graph_attractors, 6);
            const uint32_t centre = 1 + seed % 6;
            for (uint32_t leaf = 1; leaf <= 6; leaf++) {
                if (leaf == centre)
                    continue;
                g.link(centre, leaf, 1);
                g.link(leaf, centre, 1);
            }
            // Near: 100 pixels from the window's centre; far: 250, beyond
            // 1.5 x the radius of 120.
            double cx = small_graph::cx, cy = small_graph::cy;
            set_node_position(centre, cx + (far_out ? 250 : 100), cy - 30);
            srandom(seed);
            sides.insert(random() % 2);
            srandom(seed);
            unscramble_graph(small_graph::cx, small_graph::cy, kCyclerad);
            const double x0 = basin_pos[centre][0], y0 = basin_pos[centre][1];
            const double d0 = std::hypot(x0 - cx, y0 - cy);
            for (uint32_t leaf = 1; leaf <= 6; leaf++) {
                if (leaf == centre)
                    continue;
                double x = basin_pos[leaf][0], y = basin_pos[leaf][1];
                EXPECT_NEAR(std::hypot(x - x0, y - y0), 0.15 * kCyclerad, 1.0)
                    << "leaf " << leaf << " seed " << seed;
                // Outside the centre node as seen from the window's centre,
                // inside when the centre lies far out (the jitter turns the
                // step by less than 30 degrees).
                double d = std::hypot(x - cx, y - cy);
                if (far_out)
                    EXPECT_LT(d, d0) << "leaf " << leaf << " seed " << seed;
                else
                    EXPECT_GT(d, d0) << "leaf " << leaf << " seed " << seed;
            }
        }
    }
    EXPECT_EQ(sides.size(), 2u) << "the coin fell one way only";
}

// Two passes from different seeds lay a graph with leaves out differently.
TEST(Unscramble, TwoPassesDiffer)
{
    small_graph g(graph_attractors, 8);
    for (uint32_t leaf = 2; leaf <= 8; leaf++) {
        g.link(leaf, 1, 1);
        g.link(1, leaf, 1);
    }
    srandom(3);
    unscramble_graph(small_graph::cx, small_graph::cy, kCyclerad);
    auto first = g.places();
    unscramble_graph(small_graph::cx, small_graph::cy, kCyclerad);
    EXPECT_NE(g.places(), first);
}

} // namespace
