// Out-degrees, self-links and two-way links, and the lattice wire-ups that
// end by recounting them.
#include <gtest/gtest.h>

#include <vector>

#include "engine/wiring/lattice_wireup.h"
#include "engine/wiring/out_degrees.h"
#include "wiring_test_support.h"

namespace {

class OutDegrees : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override { live_before = live_allocations; }
    void TearDown() override
    {
        free_network();
        EXPECT_EQ(live_allocations, live_before);
    }
};

// The regular ring: input p of cell c is c - k/2 + p, wrapped.
void
wire_ring()
{
    int n = lineL;
    for (int c = 0; c < n; c++)
        for (int p = 0; p < nhoodm[c]; p++)
            wiring[c][p] = static_cast<uint16_t>(((c - nhoodm[c] / 2 + p) % n + n) % n);
}

TEST_F(OutDegrees, RingOfFiveWithThreeInputs)
{
    make_ring(5, 3);
    wire_ring();
    cell_out_freq();
    for (int c = 0; c < 5; c++)
        EXPECT_EQ(celloutfreq[c], 3);
    EXPECT_EQ(tot_wires, 15u);
    EXPECT_EQ(tot_self_links, 5);
    EXPECT_EQ(tot_bi_links, 5);
    EXPECT_EQ(bi_links_counted, 1);
}

TEST_F(OutDegrees, DoubleSelfWireCountsTwice)
{
    make_ring(4, 2);
    wiring[0][0] = 0;
    wiring[0][1] = 0;
    wiring[1][0] = 2;
    wiring[1][1] = 3;
    wiring[2][0] = 1;
    wiring[2][1] = 1;
    wiring[3][0] = 2;
    wiring[3][1] = 0;
    cell_out_freq();
    EXPECT_EQ(tot_self_links, 2);
    EXPECT_EQ(celloutfreq[0], 3);
    EXPECT_EQ(celloutfreq[1], 2);
    EXPECT_EQ(celloutfreq[2], 2);
    EXPECT_EQ(celloutfreq[3], 1);
    // Only 1 and 2 read each other (2 reads 1 twice: still one pair).
    EXPECT_EQ(tot_bi_links, 1);
}

TEST_F(OutDegrees, EmptyAndOutOfRangeSlotsFeedNoCell)
{
    make_ring(3, 2);
    // Cell 0: one real input and an empty slot inside its k; cell 1: a
    // number past the last cell; cell 2 reads 0 and 1.
    wiring[0][0] = 1;
    wiring[0][1] = Maxu;
    wiring[1][0] = 0;
    wiring[1][1] = 7;
    wiring[2][0] = 0;
    wiring[2][1] = 1;
    cell_out_freq();
    EXPECT_EQ(tot_wires, 6u);
    EXPECT_EQ(celloutfreq[0], 2);
    EXPECT_EQ(celloutfreq[1], 2);
    EXPECT_EQ(celloutfreq[2], 0);
    EXPECT_EQ(tot_bi_links, 1); // 0 <-> 1
}

TEST_F(OutDegrees, AboveTheBiLinkLimitTheFigureIsMarkedStale)
{
    make_ring(2600, 1);
    for (int c = 0; c < 2600; c++)
        wiring[c][0] = static_cast<uint16_t>(c ^ 1);
    tot_bi_links = 17;
    cell_out_freq();
    EXPECT_EQ(tot_bi_links, 17);
    EXPECT_EQ(bi_links_counted, 0);
    check_bi_links();
    EXPECT_EQ(tot_bi_links, 1300);
}

TEST_F(OutDegrees, FiveByFourSquareLatticeWithFiveInputs)
{
    make_2d(5, 4, 5);
    wireup_2d_nhood(4, 3, 0, 0);
    EXPECT_EQ(row(0), (std::vector<int>{15, 4, 0, 1, 5}));
    EXPECT_EQ(row(12), (std::vector<int>{7, 11, 12, 13, 17}));
    for (int c = 0; c < 20; c++)
        EXPECT_EQ(celloutfreq[c], 5);
    EXPECT_EQ(tot_wires, 100u);
    EXPECT_EQ(tot_self_links, 20);
}

TEST_F(OutDegrees, CellsWithKZeroKeepTheirRows)
{
    make_2d(5, 4, 5);
    nhoodm[7] = 0;
    wiring[7][0] = 3;
    wireup_2d_nhood(4, 3, 0, 0);
    EXPECT_EQ(wiring[7][0], 3);
    EXPECT_EQ(wiring[7][1], Maxu);
    EXPECT_EQ(tot_wires, 95u);
}

TEST_F(OutDegrees, ThreeByThreeByThreeFaceNeighbours)
{
    make_3d(3, 3, 3, 6);
    wireup_3d_nhood(2, 2, 2, 0, 0, 0);
    for (int c = 0; c < 27; c++)
        EXPECT_EQ(celloutfreq[c], 6);
    EXPECT_EQ(tot_self_links, 0);
    EXPECT_EQ(tot_wires, 162u);
    // Cell 13 is the centre (1,1,1): layers 0 and 2, rows 0 and 2, columns 0 and 2.
    EXPECT_EQ(row(13), (std::vector<int>{4, 10, 12, 14, 16, 22}));
}

TEST_F(OutDegrees, EmptyBoxWiresNothingButRecounts)
{
    make_2d(3, 3, 4);
    tot_wires = 99;
    wireup_2d_nhood(2, -1, 0, 0);
    EXPECT_EQ(wiring[0][0], Maxu);
    EXPECT_EQ(tot_wires, 36u);
}

} // namespace
