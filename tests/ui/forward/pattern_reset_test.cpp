// State changes of a running pattern with the pattern colour swap: the
// single-cell seed and the random cell change. The state changes alone are
// tested with the engine (tests/engine/forward/pattern_reset_test.cpp).
#include "engine/forward/forward_test_support.h"

#include "ui/forward/pattern_reset.h"
#include "ui/rules/random_states.h"
#include "ui/screen/globals.h"

namespace {

TEST(SingletonSeed, OneCellAtTheCentre)
{
    TestNetwork net(2, 10, 3);
    ncolor = 0;
    memset(A, 0x5A, bytesL);
    EXPECT_EQ(singleton_seed(1, white), yellow);
    EXPECT_EQ(state_values(A), (std::vector<int>{0, 0, 0, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(seed_was_set, 1);

    // Key '6': every cell 1 but the centre; bits 10..15 of the last byte stay 0.
    seed_was_set = 0;
    singleton_seed(0, yellow);
    EXPECT_EQ(state_values(A), (std::vector<int>{1, 1, 1, 1, 1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(A[1], 0x03);
    EXPECT_EQ(seed_was_set, 1);
}

TEST(RandomCellChange, ManyValuesMayKeepTheState)
{
    srandom(5);
    TestNetwork net(3, 4, 3);
    int unchanged = 0;
    for (int round = 0; round < 60; round++) {
        std::vector<int> before = state_values(A);
        seed_was_set = 0;
        ncolor = 1;
        EXPECT_EQ(random_bitflip_state(white), white);
        ncolor = 0;
        EXPECT_EQ(seed_was_set, 1);
        std::vector<int> after = state_values(A);
        int changed = 0;
        for (uint32_t c = 0; c < lineL; c++)
            changed += after[c] != before[c];
        EXPECT_LE(changed, 1);
        unchanged += changed == 0;
    }
    EXPECT_GT(unchanged, 0);
}

} // namespace
