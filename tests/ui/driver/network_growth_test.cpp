// Network growth and resizing: which cells a one-cell change rewires, that no
// wiring slot names a cell outside the network, the out-degrees, the k-mix
// and the rule mix of grown networks, and the refusals.
#include <cstdlib>

#include "driver_network_support.h"
#include "ui/driver/network_growth.h"

namespace {

class Growth : public NetworkTest {
protected:
    // The caller's part of a one-cell change: size and state lines.
    void resize_by(int change)
    {
        free_mem_CA_states();
        lineL = static_cast<uint16_t>(lineL + change);
        L = static_cast<uint16_t>(lineL - 1);
        bytesL = static_cast<uint16_t>(value_line_bytes(lineL, value_bits));
        allocate_mem_CA_states();
        wire_rule_extra_cell(change);
    }
    void expect_consistent()
    {
        std::vector<int> counted(lineL, 0);
        for (int c = 0; c < lineL; c++) {
            ASSERT_GE(nhoodm[c], nhood_lb);
            ASSERT_LE(nhoodm[c], nhood);
            for (int p = 0; p < nhoodm[c]; p++) {
                ASSERT_LT(wiring[c][p], lineL) << "cell " << c << " slot " << p;
                counted[wiring[c][p]]++;
            }
        }
        for (int c = 0; c < lineL; c++)
            EXPECT_EQ(celloutfreq[c], counted[c]) << c;
    }
    // The regular ring inputs of cell c for the present size.
    std::vector<uint16_t> local_row(int c)
    {
        std::vector<uint16_t> row(static_cast<size_t>(nhood));
        for (int p = 0; p < nhood; p++)
            row[p] = static_cast<uint16_t>((c - nhood / 2 + p + lineL) % lineL);
        return row;
    }
};

TEST_F(Growth, GrowingARingOfTwentyRewiresOnlyTheWrappingCells)
{
    ring(20, 3);
    auto before = wiring_rows();
    resize_by(1);
    auto after = wiring_rows();
    ASSERT_EQ(after.size(), 21u);
    for (int c = 0; c <= 20; c++)
        EXPECT_EQ(after[c], local_row(c)) << c;
    // Cells 3..17 kept their rows; 0, 1, 2, 18, 19 changed or were rewired.
    for (int c = 3; c <= 17; c++)
        EXPECT_EQ(after[c], before[c]);
    EXPECT_NE(after[19], before[19]);
    EXPECT_NE(after[0], before[0]);
    expect_consistent();
}

TEST_F(Growth, GrowingARingOfFiveRewiresEveryCell)
{
    ring(5, 3);
    for (int c = 0; c < 5; c++)
        wiring[c][0] = wiring[c][1] = wiring[c][2] = 0; // spoil every row
    resize_by(1);
    for (int c = 0; c < 6; c++)
        EXPECT_EQ(wiring_rows()[c], local_row(c)) << c;
    expect_consistent();
}

TEST_F(Growth, RemovingFromARingRewiresTheEnds)
{
    ring(12, 5);
    resize_by(-1);
    for (int c = 0; c < 11; c++)
        EXPECT_EQ(wiring_rows()[c], local_row(c)) << c;
    expect_consistent();
}

TEST_F(Growth, RandomGrowthGivesTheNewCellInputsAndOutgoingLinks)
{
    random_network(30, 2);
    srandom(4);
    for (int c = 0; c < 30; c++)
        for (int p = 0; p < 2; p++)
            wiring[c][p] = static_cast<uint16_t>(random() % 30);
    cell_out_freq();
    resize_by(1);
    ASSERT_EQ(lineL, 31);
    EXPECT_EQ(nhoodm[30], 2);
    int feeding = 0;
    for (int c = 0; c <= 30; c++)
        for (int p = 0; p < 2; p++)
            feeding += wiring[c][p] == 30;
    EXPECT_GE(feeding, 1);
    EXPECT_LE(feeding, 2 + 2); // at most a links, plus its own inputs naming itself
    expect_consistent();
}

TEST_F(Growth, RemovalLeavesNoSlotNamingTheRemovedCell)
{
    random_network(10, 3);
    for (int c = 0; c < 10; c++)
        for (int p = 0; p < 3; p++)
            wiring[c][p] = 9; // every slot names the last cell
    cell_out_freq();
    srandom(8);
    resize_by(-1);
    ASSERT_EQ(lineL, 9);
    expect_consistent();
}

TEST_F(Growth, RuleMixCopiesTheRuleOfAnOldCell)
{
    random_network(8, 2);
    rule_mix();
    for (int c = 0; c < 8; c++)
        carule[c][0] = static_cast<uint8_t>(c + 1); // 4 entries: distinct tables
    srandom(2);
    resize_by(1);
    bool found = false;
    for (int c = 0; c < 8; c++)
        found = found || carule[8][0] == carule[c][0];
    EXPECT_TRUE(found);
    ASSERT_NE(cacode[8], nullptr);
}

TEST_F(Growth, ChangeNetSizeKeepsOldKsOfAMixedKmix)
{
    random_network(6, 4);
    nhood_mixed = 1;
    nhood_lb = 2;
    for (int c = 0; c < 6; c++)
        nhoodm[c] = static_cast<int8_t>(2 + c % 3);
    srandom(5);
    change_net_size(15);
    ASSERT_EQ(lineL, 15);
    for (int c = 0; c < 6; c++)
        EXPECT_EQ(nhoodm[c], 2 + c % 3);
    expect_consistent();
    EXPECT_EQ(zonesize, 15);
}

TEST_F(Growth, ChangeNetSizeOfARuleMixGivesEveryCellARule)
{
    random_network(5, 3);
    rule_mix();
    change_net_size(9);
    ASSERT_EQ(lineL, 9);
    for (int c = 0; c < 9; c++)
        ASSERT_NE(carule[c], nullptr);
    change_net_size(4);
    EXPECT_EQ(lineL, 4);
    expect_consistent();
}

TEST_F(Growth, ChangeNetSizeOnALatticeGivesRandomWiringInsideTheNetwork)
{
    random_network(16, 4);
    oned = 0;
    twod = 2;
    i2d = j2d = 4;
    whatwire = whatwire_2d;
    change_net_size(10);
    EXPECT_EQ(twod, 0); // ten cells are no 4 x 4 lattice
    EXPECT_EQ(zonesize, 10);
    expect_consistent();
}

TEST_F(Growth, RefusedChangesLeaveTheNetworkAlone)
{
    random_network(2, 2);
    EXPECT_FALSE(can_resize_by_one(-1));
    EXPECT_TRUE(can_resize_by_one(1));
    nhood_mixed = 1;
    totalistic = rule_kind_tcodes;
    EXPECT_FALSE(can_resize_by_one(1));
    auto before = wiring_rows();
    wire_rule_extra_cell(1); // refused: nothing changes
    EXPECT_EQ(wiring_rows(), before);
    nhood_mixed = 0;
    totalistic = rule_kind_tables;
}

TEST_F(Growth, ZoneNarrowsWithTheNetwork)
{
    random_network(6, 2);
    zonesize = 6;
    resize_by(-1);
    EXPECT_EQ(zonesize, 5);
}

} // namespace
