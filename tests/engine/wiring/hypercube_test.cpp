// Hypercube passes: the full cube with and without the self-wire, its
// two-way pairs, thinning reproducible from a seed, cells that lose every
// wire, and no input of an earlier pass left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/wiring/hypercube.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/wiring_test_support.h"

namespace {

class Hypercube : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override
    {
        live_before = live_allocations;
        hyper_prob = 100;
    }
    void TearDown() override
    {
        free_network();
        hyper_prob = 100;
        EXPECT_EQ(live_allocations, live_before);
    }
};

TEST_F(Hypercube, EightCellsThreeInputs)
{
    make_ring(8, 3);
    nhood_mixed = 0;
    hypercube_pass();
    EXPECT_EQ(row(5), (std::vector<int>{4, 7, 1}));
    EXPECT_EQ(wires_cut, 0u);
    EXPECT_EQ(nhood_mixed, 0);
    cell_out_freq();
    EXPECT_EQ(tot_bi_links, 12); // the 12 edges of the cube
}

TEST_F(Hypercube, EightCellsWithTheSelfWireLast)
{
    make_ring(8, 4);
    hypercube_pass();
    EXPECT_EQ(row(5), (std::vector<int>{4, 7, 1, 5}));
    cell_out_freq();
    EXPECT_EQ(tot_self_links, 8);
}

TEST_F(Hypercube, SixteenCellsHaveThirtyTwoPairs)
{
    make_ring(16, 4);
    hypercube_pass();
    cell_out_freq();
    for (int c = 0; c < 16; c++)
        EXPECT_EQ(celloutfreq[c], 4);
    EXPECT_EQ(tot_bi_links, 32);
}

TEST_F(Hypercube, ThinningReplaysFromTheSeed)
{
    make_ring(32, 5);
    hyper_prob = 60;
    srandom(2024);
    hypercube_pass();
    EXPECT_EQ(nhood_mixed, 1);
    // Replay: one draw per position, cells from 31 down, positions from 0 up.
    srandom(2024);
    uint32_t cut = 0;
    for (int c = 31; c >= 0; c--) {
        std::vector<int> kept;
        for (int p = 0; p < 5; p++) {
            long r = random() % 100001;
            if (static_cast<float>(r) / 100000.0f <= 0.6f)
                kept.push_back(c ^ (1 << p));
            else
                cut++;
        }
        if (kept.empty())
            kept.push_back(c);
        EXPECT_EQ(row(c), kept) << c;
        for (int p = nhoodm[c]; p < 5; p++)
            EXPECT_EQ(wiring[c][p], Maxu);
    }
    EXPECT_EQ(wires_cut, cut);
}

TEST_F(Hypercube, ZeroPercentLeavesSelfWiresAndCountsEveryCut)
{
    make_ring(4, 3); // d = 2 with the self-wire
    hyper_prob = 0;
    srandom(1);
    hypercube_pass();
    int self_only = 0;
    for (int c = 0; c < 4; c++)
        if (nhoodm[c] == 1 && wiring[c][0] == c)
            self_only++;
    // At 0 percent only a draw of exactly 0 keeps a wire.
    EXPECT_EQ(self_only, 4);
    EXPECT_EQ(wires_cut, 12u);
}

TEST_F(Hypercube, APassAfterThinningLeavesNoStaleInputs)
{
    make_ring(16, 4);
    hyper_prob = 50;
    srandom(9);
    hypercube_pass();
    hyper_prob = 30;
    hypercube_pass();
    for (int c = 0; c < 16; c++) {
        for (int p = nhoodm[c]; p < 4; p++)
            EXPECT_EQ(wiring[c][p], Maxu) << c;
        for (int p = 0; p < nhoodm[c]; p++) {
            int x = wiring[c][p] ^ c;
            EXPECT_TRUE(x == 0 || (x & (x - 1)) == 0) << c; // one digit apart, or itself
        }
    }
}

} // namespace
