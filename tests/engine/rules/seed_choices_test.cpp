// The seed dialog's arithmetic: the decimal-form limits against v^n - 1
// fitting 32 bits, the default central block, 1d segments and the fill key.
#include <gtest/gtest.h>

#include "engine/rules/seed_choices.h"

namespace {

TEST(SeedDecimalForm, LimitsAreWhereStateNumbersFit32Bits)
{
    for (int v = 2; v <= 7; v++) {
        int n = decimal_form_cells(v);
        EXPECT_LE(largest_state_number(n, v), 4294967295ull) << "v=" << v;
        // v = 4 stops at 16 cells, where 4^16 - 1 is the largest.
        if (v != 4) {
            EXPECT_GT(largest_state_number(n + 1, v), 4294967295ull) << "v=" << v;
        }
    }
    EXPECT_EQ(decimal_form_cells(8), 0);
    EXPECT_EQ(bit_line_cells(8), 10);
    EXPECT_EQ(largest_state_number(32, 2), 4294967295ull);
}

TEST(SeedBlock, DefaultSideSharesTheParityOfTheSide)
{
    EXPECT_EQ(default_block_side(1, 20, 0, 0, 0), 4);   // 20/5 = 4, even like 20
    EXPECT_EQ(default_block_side(1, 21, 0, 0, 0), 5);   // 4 raised to odd
    EXPECT_EQ(default_block_side(2, 0, 30, 25, 0), 5);  // min 25: 5, odd
    EXPECT_EQ(default_block_side(3, 0, 9, 12, 10), 3);  // min 9: 3
    EXPECT_EQ(default_block_side(3, 0, 10, 12, 12), 4); // 10/3 = 3, raised to 4
}

TEST(SeedSegment, PositionsCountFromTheLeft)
{
    int high = 0, low = 0;
    segment_cells(20, 5, 0, &high, &low);
    EXPECT_EQ(high, 19);
    EXPECT_EQ(low, 15);
    segment_cells(20, 5, 14, &high, &low);
    EXPECT_EQ(high, 5);
    EXPECT_EQ(low, 1);
    segment_cells(20, 5, 15, &high, &low); // beyond 0-14: centred
    EXPECT_EQ(high, 11);
    EXPECT_EQ(low, 7);
    segment_cells(20, 5, -1, &high, &low); // Return: centred
    EXPECT_EQ(high, 11);
    EXPECT_EQ(low, 7);
    segment_cells(20, 20, 3, &high, &low);
    EXPECT_EQ(high, 19);
    EXPECT_EQ(low, 0);
}

TEST(SeedFill, DigitsAboveTheRangeLeaveTheState)
{
    EXPECT_EQ(fill_value_of_key('3', 4), 3);
    EXPECT_EQ(fill_value_of_key('9', 4), -1);
    EXPECT_EQ(fill_value_of_key(13, 4), 0);
    EXPECT_EQ(fill_value_of_key('x', 2), 0);
}

} // namespace
