// The run set-up answers as settings: the history limit read without
// overflow, the forward-step maximum shown, the update probability, the
// matrix size held inside the window, the size range and random map held to
// what state numbers and memory allow, and the neutral-order buffers put
// back as they were.
#include "engine/forward/forward_test_support.h"

#include "engine/backward/neutral_buffers.h"
#include "engine/forward/run_choices.h"

namespace {

TEST(HistoryLimit, TypedLimitsAndTheirFallbacks)
{
    EXPECT_EQ(history_limit_of("500"), 500u);
    EXPECT_EQ(history_limit_of("65535"), 65535u);
    EXPECT_EQ(history_limit_of("0"), 0u);        // pattern only
    EXPECT_EQ(history_limit_of("70000"), 10000u);
    EXPECT_EQ(history_limit_of("65536"), 10000u);
    // Far beyond 64 bits: no wrap back into 0..65535.
    EXPECT_EQ(history_limit_of(std::string(31, '9')), 10000u);
    EXPECT_EQ(history_limit_of("18446744073709551616"), 10000u);
    EXPECT_EQ(history_limit_of("x"), 0u);
}

TEST(StepForward, ShownMaximumIsTheRootOfHalfTheStates)
{
    EXPECT_EQ(stepforward_shown_max(10), 22u); // sqrt(512) = 22.6
    EXPECT_EQ(stepforward_shown_max(3), 2u);   // sqrt(4)
    EXPECT_EQ(stepforward_shown_max(31), 32768u);
    EXPECT_EQ(stepforward_shown_max(40), 46340u); // sqrt(2^31)
}

TEST(Probability, PercentIsStoredAsAFraction)
{
    EXPECT_FLOAT_EQ(probability_of("50"), 0.5f);
    EXPECT_FLOAT_EQ(probability_of(".5"), 0.005f);
    EXPECT_FLOAT_EQ(probability_of("0"), 0.0f);
    EXPECT_FLOAT_EQ(probability_of("100"), 100.0f);
    EXPECT_FLOAT_EQ(probability_of("150"), 100.0f);
    EXPECT_FLOAT_EQ(probability_of("a"), 100.0f);
    EXPECT_FLOAT_EQ(probability_of(""), 100.0f);
}

TEST(MatrixSize, PercentIsHeldToTheHalfWindow)
{
    EXPECT_EQ(matrix_size_of_percent(50, 512), 256);
    EXPECT_EQ(matrix_size_of_percent(999, 512), 512);
    EXPECT_EQ(matrix_size_of_percent(0, 512), -1);
    EXPECT_EQ(matrix_size_of_percent(-3, 512), -1);
    EXPECT_EQ(matrix_percent_of_size(256, 512), 50);
    EXPECT_EQ(matrix_percent_of_size(190, 512), 38); // 37.1 rounded up
}

TEST(SizeRange, EndIsHeldToNumberableStates)
{
    EXPECT_EQ(size_range_end_max(31), 31);
    EXPECT_EQ(size_range_end_max(20), 20); // v = 3
    EXPECT_EQ(size_range_end_max(10), 10); // v = 8
}

TEST(RandomMap, OfferedOnlyWhereTheMapFits)
{
    EXPECT_TRUE(random_map_offered(26, 2, 31));
    EXPECT_FALSE(random_map_offered(27, 2, 31)); // 2^27 records
    EXPECT_FALSE(random_map_offered(31, 2, 31));
    EXPECT_TRUE(random_map_offered(16, 3, 20));  // 3^16 = 43 million
    EXPECT_FALSE(random_map_offered(17, 3, 20));
    EXPECT_FALSE(random_map_offered(21, 3, 20)); // beyond 32-bit state numbers
    EXPECT_TRUE(random_map_offered(8, 8, 10));
    EXPECT_FALSE(random_map_offered(9, 8, 10));
}

TEST(AnalysisWindow, GensAndCoordinatesAreHeldInside)
{
    EXPECT_EQ(held_within(99999, kGensBounds), 10000);
    EXPECT_EQ(held_within(0, kGensBounds), 1);
    // A 3d lattice 4 x 3 x 2: each coordinate held to its own side.
    EXPECT_EQ(held_within(3, coordinate_bounds(4)), 3);
    EXPECT_EQ(held_within(3, coordinate_bounds(3)), 2);
    EXPECT_EQ(held_within(-1, coordinate_bounds(4)), 0);
    EXPECT_EQ(held_within(5, coordinate_bounds(0)), 0);
}

TEST(NeutralBuffers, OrderRankLineAndBackTwice)
{
    TestNetwork net(3, 6, 3);
    uint8_t *seed = bitseed;
    bitseed[0] = 0x25;
    for (int pass = 0; pass < 2; pass++) {
        size_t before = live_allocations;
        reset_neutral_buffs();
        EXPECT_EQ(neutral_order, 1);
        EXPECT_EQ(templineL, 6);
        EXPECT_EQ(lineL, 10);       // 6! - 1 = 719 needs 10 bits
        EXPECT_EQ(bytesL, 2);
        EXPECT_EQ(value_range, 2);
        EXPECT_EQ(statespace, 719u);
        EXPECT_NE(bitseed, seed);
        restore_network_buffs();
        EXPECT_EQ(live_allocations, before);
        EXPECT_EQ(neutral_order, 0);
        EXPECT_EQ(templineL, 0);
        EXPECT_EQ(lineL, 6);
        EXPECT_EQ(value_range, 3);
        EXPECT_EQ(bytesL, 2);
        EXPECT_EQ(bitseed, seed);
        EXPECT_EQ(bitseed[0], 0x25);
    }
}

} // namespace
