// The reach of a cell through the wiring against a breadth-first search
// written here: after step s the reached cells are exactly those joined to
// the cell by a path of 1..s links, over inputs or over outputs, and every
// link handed to the visitor leaves a cell of the step before.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/wiring/wiring_reach.h"
#include "engine/wiring_editor/editor_network_support.h"

namespace {

// Cells one link from the cells of from: their inputs, or their readers.
std::set<int>
one_link_on(const network_copy &net, const std::set<int> &from, reach_kind kind)
{
    std::set<int> next;
    for (int c = 0; c < static_cast<int>(net.inputs.size()); c++)
        for (int input : net.inputs[static_cast<size_t>(c)]) {
            if (kind == reach_kind::inputs && from.count(c))
                next.insert(input);
            if (kind == reach_kind::outputs && from.count(input))
                next.insert(c);
        }
    return next;
}

// The reached counts step by step until a step adds nothing.
std::vector<int>
counts_by_search(const network_copy &net, int cell, reach_kind kind)
{
    std::set<int> reached = one_link_on(net, {cell}, kind);
    std::vector<int> counts = {static_cast<int>(reached.size())};
    for (;;) {
        std::set<int> next = one_link_on(net, reached, kind);
        size_t before = reached.size();
        reached.insert(next.begin(), next.end());
        if (reached.size() == before)
            return counts;
        counts.push_back(static_cast<int>(reached.size()));
    }
}

std::vector<int>
counts_by_reach(int cell, reach_kind kind)
{
    wiring_reach reach(kind, static_cast<uint16_t>(cell));
    std::set<int> frontier = {cell};
    std::set<int> reached;
    auto visit = [&](uint16_t from, uint16_t to) {
        EXPECT_TRUE(frontier.count(from)) << from << "->" << to;
        reached.insert(to);
    };
    std::vector<int> counts = {reach.first_step(visit)};
    for (;;) {
        frontier = reached;
        wiring_reach::step s = reach.next_step(visit);
        EXPECT_EQ(s.count, static_cast<int>(reached.size()));
        if (!s.expanded || s.count == counts.back())
            return counts;
        counts.push_back(s.count);
    }
}

TEST(WiringReach, CountsPerStepMatchABreadthFirstSearch)
{
    for (unsigned seed = 1; seed <= 12; seed++) {
        srandom(seed);
        MixNetwork net(2, 5 + static_cast<int>(seed) * 7, {1, 2, 1, 3});
        network_copy copy = copy_network();
        for (int cell = 0; cell < lineL; cell += 3)
            for (reach_kind kind : {reach_kind::inputs, reach_kind::outputs})
                EXPECT_EQ(counts_by_reach(cell, kind), counts_by_search(copy, cell, kind))
                    << "seed " << seed << " cell " << cell << " kind " << static_cast<int>(kind);
    }
}

// No cell reads cell 3: step 1 reaches nothing and the next step expands
// nothing.
TEST(WiringReach, ACellWithNoOutputsReachesNothing)
{
    srandom(40);
    MixNetwork net(2, 10, {2});
    for (int c = 0; c < 10; c++)
        for (int p = 0; p < 2; p++)
            if (wiring[c][p] == 3)
                wiring[c][p] = 4;
    wiring_reach reach(reach_kind::outputs, 3);
    EXPECT_EQ(reach.first_step([](uint16_t, uint16_t) {}), 0);
    wiring_reach::step s = reach.next_step([](uint16_t, uint16_t) {});
    EXPECT_FALSE(s.expanded);
    EXPECT_EQ(s.count, 0);
}

// A ring where cell c reads cell c+1 is one strongly connected component:
// both ways reach every cell, one more at each step.
TEST(WiringReach, AStronglyConnectedNetworkIsReachedWhole)
{
    srandom(41);
    MixNetwork net(2, 9, {1});
    for (int c = 0; c < 9; c++)
        wiring[c][0] = static_cast<uint16_t>((c + 1) % 9);
    for (reach_kind kind : {reach_kind::inputs, reach_kind::outputs}) {
        std::vector<int> counts = counts_by_reach(4, kind);
        EXPECT_EQ(counts.size(), 9u);
        EXPECT_EQ(counts.back(), 9);
    }
}

// Empty wiring slots name no cell and are not followed.
TEST(WiringReach, EmptySlotsAreNotFollowed)
{
    srandom(42);
    MixNetwork net(2, 6, {2});
    for (int c = 0; c < 6; c++) {
        wiring[c][0] = static_cast<uint16_t>((c + 1) % 6);
        wiring[c][1] = Maxu;
    }
    long before = live_allocations;
    {
        wiring_reach reach(reach_kind::outputs, 0);
        EXPECT_EQ(reach.first_step([](uint16_t, uint16_t) {}), 1);
        EXPECT_TRUE(reach.reached(5));
    }
    EXPECT_EQ(live_allocations, before);
}

} // namespace
