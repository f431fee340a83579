// State changes of a running pattern: the single-cell seeds and the random
// cell change, and the state lines of a size change by one cell (back to
// the size they had, so the wiring is released whole). The colour swap that goes with them in a run is tested with
// the interface (tests/ui/forward/pattern_reset_test.cpp).
#include "engine/forward/forward_test_support.h"

#include "engine/forward/pattern_reset.h"

namespace {

TEST(SingletonSeed, CentresOfLattices)
{
    {
        TestNetwork net(2, 2, 6, 4, 1, 5);
        set_singleton_seed(1);
        EXPECT_EQ(centre_cell(), 3 + 6 * 2);
        EXPECT_EQ(get_value(A, 15), 1);
    }
    {
        TestNetwork net(2, 3, 4, 4, 4, 7);
        EXPECT_EQ(centre_cell(), 16 * 2 + 4 * 2 + 2);
    }
    {
        // No dimension flag: the 1d centre.
        TestNetwork net(2, 9, 3);
        oned = 0;
        EXPECT_EQ(centre_cell(), 4);
    }
}

TEST(SingletonSeed, ManyValuesBackgroundAndADifferentCentre)
{
    srandom(3);
    TestNetwork net(4, 11, 3);
    for (int round = 0; round < 20; round++) {
        set_singleton_seed(1);
        std::vector<int> values = state_values(A);
        for (int c = 0; c < 11; c++) {
            if (c != 5) {
                EXPECT_EQ(values[c], values[0]);
            }
        }
        EXPECT_NE(values[5], values[0]);
    }
}

TEST(RandomCellChange, FlipsOneBit)
{
    srandom(4);
    TestNetwork net(2, 30, 3);
    set_random_state();
    for (int round = 0; round < 10; round++) {
        std::vector<int> before = state_values(A);
        seed_was_set = 0;
        change_random_cell();
        std::vector<int> after = state_values(A);
        int changed = 0;
        for (uint32_t c = 0; c < lineL; c++)
            changed += after[c] != before[c];
        EXPECT_EQ(changed, 1);
        EXPECT_EQ(seed_was_set, 1);
    }
}

} // namespace

namespace {

TEST(ResizeStateLines, CarriesTheStateAndRebuildsTheOrder)
{
    TestNetwork net(2, 9, 3);
    set_state(A, {1, 0, 1, 1, 0, 0, 1, 0, 1});
    resize_state_lines(-1, update_reverse_order);
    EXPECT_EQ(lineL, 8);
    EXPECT_EQ(L, 7);
    EXPECT_EQ(bytesL, 1);
    EXPECT_EQ(state_values(A), (std::vector<int>{1, 0, 1, 1, 0, 0, 1, 0}));
    EXPECT_EQ(state_values(bitseed), state_values(A));
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(seq_order[i], 7 - i);
    resize_state_lines(1, update_cell_order);
    EXPECT_EQ(lineL, 9);
    EXPECT_EQ(bytesL, 2);
    EXPECT_EQ(state_values(A), (std::vector<int>{1, 0, 1, 1, 0, 0, 1, 0, 0}));
    for (int i = 0; i < 9; i++)
        EXPECT_EQ(seq_order[i], i);
}

TEST(ResizeStateLines, AFixedOrderLosesTheRemovedCellAndClampsThePartialOrder)
{
    TestNetwork net(2, 5, 3);
    const uint16_t order[5] = {4, 2, 0, 1, 3};
    memcpy(seq_order, order, sizeof order);
    porder_min = 5;
    porder_max = 5;
    resize_state_lines(-1, update_seq_order);
    EXPECT_EQ(std::vector<uint16_t>(seq_order, seq_order + 4), (std::vector<uint16_t>{2, 0, 1, 3}));
    EXPECT_EQ(porder_max, 4);
    EXPECT_LE(porder_min, 4);
    resize_state_lines(1, update_seq_order);
    EXPECT_EQ(std::vector<uint16_t>(seq_order, seq_order + 5), (std::vector<uint16_t>{2, 0, 1, 3, 4}));
}

} // namespace
