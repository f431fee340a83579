// State changes of a running pattern: the single-cell seeds and the random
// cell change. The colour swap that goes with them in a run is tested with
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
