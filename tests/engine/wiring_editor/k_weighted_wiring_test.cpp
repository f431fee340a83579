// The k-weighted source: how often each cell is drawn, on a network whose
// sum of k fits 16 bits and on one where it does not.
#include <gtest/gtest.h>

#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/wiring_editor/k_weighted_wiring.h"
#include "engine/wiring/wiring_test_support.h"

namespace {

// One cell of k = 5 among 19 of k = 1: W = 24, so that cell is drawn with
// chance 5/24 and each other with 1/24, the last cell as often as the rest.
TEST(KWeighted, ACellOfFiveInputsIsDrawnFiveTimesAsOften)
{
    long blocks = live_allocations;
    make_ring(20, 1);
    nhoodm[7] = 5;
    srandom(11);
    k_weighted_source source = open_k_weighted_source();
    EXPECT_EQ(source.total, 24u);
    const int draws = 240000;
    std::vector<int> count(20);
    for (int d = 0; d < draws; d++) {
        uint16_t s = draw_k_weighted_cell(source);
        ASSERT_LT(s, 20);
        count[s]++;
    }
    close_k_weighted_source(source);
    free_network();
    EXPECT_EQ(live_allocations, blocks);
    EXPECT_NEAR(count[7], 50000, 1500);
    for (int c = 0; c < 20; c++) {
        if (c == 7)
            continue;
        EXPECT_NEAR(count[c], 10000, 600) << c;
    }
}

// 20,000 cells of k = 4: W = 80,000. The cells from 16,384 on, whose
// running sums pass 65,535, take 18% of the draws, and the last is drawn.
TEST(KWeighted, CellsPastSixteenBitsOfRunningSumAreDrawn)
{
    make_ring(20000, 4);
    srandom(12);
    k_weighted_source source = open_k_weighted_source();
    EXPECT_EQ(source.total, 80000u);
    const int draws = 400000;
    int high = 0, last = 0;
    for (int d = 0; d < draws; d++) {
        uint16_t s = draw_k_weighted_cell(source);
        ASSERT_LT(s, 20000);
        high += s >= 16384;
        last += s == 19999;
    }
    close_k_weighted_source(source);
    free_network();
    EXPECT_NEAR(static_cast<double>(high) / draws, 0.18, 0.005);
    EXPECT_GT(last, 0);
}

TEST(KWeighted, ARewireDrawsEveryInputOfTheCellAndKeepsItsK)
{
    make_ring(30, 3);
    nhoodm[4] = 2;
    for (int p = 0; p < 3; p++)
        wiring[4][p] = Maxu;
    srandom(13);
    k_weighted_source source = open_k_weighted_source();
    k_weighted_rewire_cell(source, 4);
    close_k_weighted_source(source);
    EXPECT_EQ(nhoodm[4], 2);
    EXPECT_LT(wiring[4][0], 30);
    EXPECT_LT(wiring[4][1], 30);
    EXPECT_EQ(wiring[4][2], Maxu);
    free_network();
}

} // namespace
