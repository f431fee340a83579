// The probabilistic ant's walk without drawing: targets and their
// probabilities against the weights, the split of many single steps
// against the weights' ratio, the stay when the draw passes every target,
// the self-link that keeps the ant, the stuck ant and the random ant's
// restart, the stop at the largest total, the size shares of a space of 1,
// the random ant's hits against the shares of unequal sizes, and the
// delay's bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/graphs/ant_walk.h"
#include "small_graphs.h"

namespace {

// An ant on the open graph; closing it gives back every block it took.
struct open_ant {
    ant_walk ant;
    long blocks = live_allocations;
    open_ant() { open_ant_walk(ant); }
    ~open_ant()
    {
        close_ant_walk(ant);
        EXPECT_EQ(live_allocations, blocks);
    }
};

TEST(AntWalk, TargetsAscendingWithTheirShareOfTheJumps)
{
    small_graph g(graph_attractors, 5);
    g.link(2, 5, 7);
    g.link(2, 1, 3);
    g.link(2, 2, 1);
    g.link(2, 0, 2); // runs that met no known type
    open_ant a;
    ASSERT_EQ(find_ant_targets(a.ant, 2), 3u);
    const uint32_t jumps = 13;
    const uint32_t expect_nodes[] = {1, 2, 5}, weights[] = {3, 1, 7};
    for (int t = 0; t < 3; t++) {
        EXPECT_EQ(a.ant.target[t], expect_nodes[t]);
        EXPECT_EQ(a.ant.prob_target[t], weights[t] * 10000 / jumps) << "target " << t;
    }
    EXPECT_EQ(find_ant_targets(a.ant, 4), 0u);
}

TEST(AntWalk, ManyStepsSplitAsTheWeights)
{
    small_graph g(graph_attractors, 3);
    g.link(1, 2, 1);
    g.link(1, 3, 3);
    open_ant a;
    srandom(5);
    const int steps = 100000;
    int to2 = 0, to3 = 0;
    for (int s = 0; s < steps; s++) {
        a.ant.current = 1;
        ant_step step = step_ant(a.ant);
        ASSERT_EQ(step.event, ant_event::stepped);
        ASSERT_EQ(step.from, 1u);
        to2 += step.to == 2;
        to3 += step.to == 3;
        ASSERT_EQ(a.ant.current, step.to);
    }
    EXPECT_EQ(to2 + to3, steps);
    EXPECT_NEAR(static_cast<double>(to2) / steps, 0.25, 0.25 * 0.02);
    EXPECT_EQ(a.ant.hit_count[2], static_cast<uint32_t>(to2));
    EXPECT_EQ(a.ant.hit_count[3], static_cast<uint32_t>(to3));
    EXPECT_EQ(a.ant.total, static_cast<uint32_t>(steps));
}

// A quarter of the runs goes to node 2, the rest met no known type: the
// ant stays at node 1 on the steps whose draw passes the quarter, and the
// hit is counted there. The draws are replayed to tell which.
TEST(AntWalk, StaysWhenTheDrawPassesEveryTarget)
{
    small_graph g(graph_attractors, 2);
    g.link(1, 2, 1);
    g.jumps(1, 4);
    open_ant a;
    srandom(11);
    std::vector<long> draws;
    for (int s = 0; s < 200; s++)
        draws.push_back(random() % 10000 + 1);
    srandom(11);
    uint32_t stays = 0;
    for (long r : draws) {
        a.ant.current = 1;
        ant_step step = step_ant(a.ant);
        EXPECT_EQ(step.to, r <= 2500 ? 2u : 1u) << "draw " << r;
        stays += step.to == 1;
    }
    EXPECT_GT(stays, 0u);
    EXPECT_EQ(a.ant.hit_count[1], stays);
}

TEST(AntWalk, ASelfLinkKeepsTheAntAndEveryHit)
{
    small_graph g(graph_network, 4);
    g.link(3, 3, 2);
    g.link(1, 3, 1);
    g.link(2, 4, 1);
    open_ant a;
    a.ant.current = 3;
    for (int s = 0; s < 1000; s++) {
        ant_step step = step_ant(a.ant);
        ASSERT_EQ(step.event, ant_event::stepped);
        ASSERT_EQ(step.to, 3u);
    }
    EXPECT_EQ(a.ant.hit_count[3], 1000u);
    EXPECT_EQ(a.ant.total, 1000u);
}

TEST(AntWalk, NoTargetsStopTheAntUnlessItIsRandom)
{
    small_graph g(graph_attractors, 3);
    g.link(1, 2, 1);
    histnodesize[1] = 1;
    histnodesize[2] = 1;
    histnodesize[3] = 2;
    m_space = 4;
    open_ant a;
    a.ant.current = 2;
    ant_step step = step_ant(a.ant);
    EXPECT_EQ(step.event, ant_event::stuck);
    EXPECT_EQ(step.from, 2u);
    EXPECT_EQ(a.ant.current, 2u);
    EXPECT_EQ(a.ant.total, 0u);

    // The random ant starts afresh at a node drawn by the size shares
    // (2500, 2500, 5000) and counts nothing for it.
    a.ant.random_ant = true;
    srandom(21);
    std::vector<long> draws;
    for (int s = 0; s < 300; s++)
        draws.push_back(random() % 10000 + 1);
    srandom(21);
    for (long r : draws) {
        a.ant.current = 3;
        uint32_t expect = r <= 2500 ? 1 : r <= 5000 ? 2 : 3;
        step = step_ant(a.ant);
        ASSERT_EQ(step.event, ant_event::restarted);
        ASSERT_EQ(a.ant.current, expect) << "draw " << r;
    }
    EXPECT_EQ(a.ant.total, 0u);
}

// After each step the random ant is placed by the size shares: the step's
// own draw, then the placing draw.
TEST(AntWalk, TheRandomAntIsPlacedAfreshAfterEachStep)
{
    small_graph g(graph_attractors, 2);
    g.link(1, 2, 1);
    g.link(2, 1, 1);
    histnodesize[1] = 3;
    histnodesize[2] = 1;
    m_space = 4;
    open_ant a;
    a.ant.random_ant = true;
    srandom(8);
    std::vector<long> draws;
    for (int s = 0; s < 400; s++)
        draws.push_back(random() % 10000 + 1);
    srandom(8);
    for (size_t s = 0; s < draws.size(); s += 2) {
        uint32_t from = a.ant.current;
        ant_step step = step_ant(a.ant);
        ASSERT_EQ(step.to, 3 - from);
        ASSERT_EQ(a.ant.current, draws[s + 1] <= 7500 ? 1u : 2u);
    }
}

TEST(AntWalk, TheWalkStopsAtTheLargestTotal)
{
    small_graph g(graph_network, 2);
    g.link(1, 2, 1);
    g.link(2, 1, 1);
    open_ant a;
    a.ant.total = kMostAntHits - 2;
    EXPECT_EQ(step_ant(a.ant).event, ant_event::stepped);
    ant_step last = step_ant(a.ant);
    EXPECT_EQ(last.event, ant_event::full);
    EXPECT_EQ(a.ant.total, kMostAntHits);
    uint32_t hits = a.ant.hit_count[1] + a.ant.hit_count[2], at = a.ant.current;
    EXPECT_EQ(hits, 2u);
    ant_step after = step_ant(a.ant);
    EXPECT_EQ(after.event, ant_event::full);
    EXPECT_EQ(a.ant.total, kMostAntHits);
    EXPECT_EQ(a.ant.hit_count[1] + a.ant.hit_count[2], hits);
    EXPECT_EQ(a.ant.current, at);
}

// A space of one run (the attractor graph after one run) or of one wire
// (a network graph with one wire): the shares stay finite and within the
// whole; so for every space the measures fill.
TEST(AntWalk, SizeSharesOfASpaceOfOne)
{
    {
        small_graph g(graph_attractors, 3);
        g.link(1, 1, 1);
        histnodesize[1] = 1;
        m_space = 1;
        open_ant a;
        EXPECT_EQ(a.ant.size_share[1], 10000u);
        EXPECT_EQ(a.ant.size_share[2] + a.ant.size_share[3], 0u);
    }
    {
        small_graph g(graph_network, 4);
        g.link(2, 3, 1);
        netnodesize[3] = 1;
        m_space = 1;
        open_ant a;
        uint64_t sum = 0;
        for (uint32_t i = 1; i <= 4; i++)
            sum += a.ant.size_share[i];
        EXPECT_EQ(sum, 10000u);
    }
    srandom(2);
    for (int round = 0; round < 200; round++) {
        uint32_t nodes = 1 + static_cast<uint32_t>(random() % 20);
        small_graph g(graph_attractors, nodes);
        g.link(1, 1, 1);
        uint64_t space = 0;
        for (uint32_t i = 1; i <= nodes; i++)
            space += histnodesize[i] = static_cast<uint32_t>(random() % 5);
        m_space = static_cast<double>(space);
        open_ant a;
        uint64_t sum = 0;
        for (uint32_t i = 1; i <= nodes; i++)
            sum += a.ant.size_share[i];
        EXPECT_LE(sum, 10000u) << "round " << round;
    }
}

// The random ant on nodes of unequal sizes whose only links are
// self-links: each hit is where the size shares placed the ant, so the hit
// shares follow the shares over their sum. Every draw is replayed from the
// seed, and the counts over many steps are checked against the shares.
void
expect_hits_follow_the_shares(ant_walk &ant, uint32_t nodes, unsigned seed)
{
    uint32_t sum = 0;
    for (uint32_t i = 1; i <= nodes; i++)
        sum += ant.size_share[i];
    ASSERT_EQ(ant.share_total, sum);
    ASSERT_GT(sum, 0u);
    ant.random_ant = true;
    srandom(seed);
    const int steps = 200000;
    for (int s = 0; s < steps; s++)
        ASSERT_EQ(step_ant(ant).event, ant_event::stepped);
    for (uint32_t i = 1; i <= nodes; i++) {
        double want = static_cast<double>(ant.size_share[i]) / sum;
        double got = static_cast<double>(ant.hit_count[i]) / steps;
        // Five standard deviations of the binomial count.
        EXPECT_NEAR(got, want, 5 * std::sqrt(want * (1 - want) / steps) + 1e-9) << "node " << i;
    }
}

TEST(AntWalk, TheRandomAntsHitsFollowUnequalBasinSizes)
{
    const uint32_t sizes[] = {3, 170, 1, 90, 8, 240};
    small_graph g(graph_attractors, 6);
    uint64_t space = 0;
    for (uint32_t i = 1; i <= 6; i++) {
        g.link(i, i, 1);
        space += histnodesize[i] = sizes[i - 1];
    }
    m_space = static_cast<double>(space);
    open_ant a;
    for (uint32_t i = 1; i <= 6; i++)
        EXPECT_EQ(a.ant.size_share[i], sizes[i - 1] * 10000 / space) << "node " << i;
    EXPECT_GT(a.ant.size_share[3], 0u); // the smallest basin can be drawn
    expect_hits_follow_the_shares(a.ant, 6, 17);

    // One placing draw replayed: r = random() % (the shares' sum) + 1 over
    // the running sum, with no draw left to hold the ant where it was.
    srandom(40);
    std::vector<long> draws;
    for (int s = 0; s < 100; s++)
        draws.push_back(random() % a.ant.share_total + 1);
    srandom(40);
    for (long r : draws) {
        uint32_t expect = 0, sum = 0;
        while (sum < static_cast<uint32_t>(r))
            sum += a.ant.size_share[++expect];
        ASSERT_EQ(draw_by_size_shares(a.ant, 99), expect) << "draw " << r;
    }
}

// A ring of 10 cells with in-degrees 2..5: the wires, the network graph's
// m_space, equal the sum of the in-degrees. Were the shares divided by one
// less they would sum past 10000 and the last cell could be drawn only in
// the part of the draws left to it; here every cell keeps its own share.
TEST(AntWalk, TheNetworkGraphsSharesReachTheLastCell)
{
    const uint8_t k[] = {3, 3, 2, 5, 3, 4, 3, 2, 4, 5};
    small_graph g(graph_network, 10);
    uint32_t wires = 0;
    for (uint32_t i = 1; i <= 10; i++) {
        g.link(i, i, 1);
        wires += netnodesize[i] = k[i - 1];
    }
    m_space = wires - 1; // a space one short must not push a cell out
    open_ant a;
    EXPECT_LE(a.ant.share_total, 10000u);
    for (uint32_t i = 1; i <= 10; i++)
        EXPECT_EQ(a.ant.size_share[i], k[i - 1] * 10000u / wires) << "cell " << i;
    expect_hits_follow_the_shares(a.ant, 10, 3);
}

TEST(AntWalk, DelayBounds)
{
    uint32_t delay = kAntStartDelay;
    for (int s = 0; s < 40; s++)
        delay = faster_delay(delay);
    EXPECT_EQ(delay, 1u);
    // From the start, eight doublings stay below the cap: 16,776,960.
    delay = kAntStartDelay;
    uint32_t largest = 0;
    for (int s = 0; s < 60; s++) {
        delay = slower_delay(delay);
        largest = std::max(largest, delay);
        ASSERT_LE(delay, kAntDelayCap);
    }
    EXPECT_EQ(slower_delay(kAntDelayCap / 2 + 1), kAntDelayAfterCap);
    EXPECT_EQ(slower_delay(kAntDelayCap / 2), kAntDelayCap);
    EXPECT_EQ(slower_delay(kAntDelayAfterCap), kAntDelayAfterCap);
    EXPECT_GT(largest, kAntDelayAfterCap);
}

TEST(AntWalk, RandomAntTwiceGivesTheFirstSettingWithNoHits)
{
    small_graph g(graph_network, 3);
    g.link(1, 2, 1);
    g.link(2, 3, 1);
    g.link(3, 1, 1);
    netnodesize[1] = netnodesize[2] = netnodesize[3] = 1;
    m_space = 3;
    open_ant a;
    for (int s = 0; s < 50; s++)
        step_ant(a.ant);
    const bool first = a.ant.random_ant;
    toggle_random_ant(a.ant);
    for (int s = 0; s < 50; s++)
        step_ant(a.ant);
    toggle_random_ant(a.ant);
    EXPECT_EQ(a.ant.random_ant, first);
    EXPECT_EQ(a.ant.total, 0u);
    for (uint32_t i = 0; i <= 3; i++)
        EXPECT_EQ(a.ant.hit_count[i], 0u) << "node " << i;
    EXPECT_GE(a.ant.current, 1u);
    EXPECT_LE(a.ant.current, 3u);
}

} // namespace
