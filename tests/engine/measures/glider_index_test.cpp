// The glider list's next index: sequential turns run 1..last and start
// again at 1, never 0; random turns never take record 0 and end with one
// record; an empty list gives nothing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/measures/glider_index.h"

namespace {

TEST(GliderIndex, SequentialRunsOneToLastAndWrapsToOne)
{
    int16_t order = 0;
    std::vector<int> seen;
    for (int i = 0; i < 9; i++)
        seen.push_back(next_glider_index(&order, 4));
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 1, 2, 3, 4, 1}));
}

TEST(GliderIndex, SequentialFromAStartIndexAndPastTheList)
{
    int16_t order = 2; // the settings' start index 3
    EXPECT_EQ(next_glider_index(&order, 4), 3);
    // An order left from a longer list starts again at 1.
    order = 40;
    EXPECT_EQ(next_glider_index(&order, 4), 1);
    EXPECT_EQ(next_glider_index(&order, 4), 2);
    order = 0;
    EXPECT_EQ(next_glider_index(&order, 1), 1);
    EXPECT_EQ(next_glider_index(&order, 1), 1);
}

TEST(GliderIndex, NoRecordPastTheFirstGivesNothing)
{
    int16_t order = -1;
    EXPECT_EQ(next_glider_index(&order, 0), 0);
    order = 3;
    EXPECT_EQ(next_glider_index(&order, 0), 0);
    EXPECT_EQ(order, 3);
}

TEST(GliderIndex, RandomNeverTakesRecordZeroAndEndsWithOneRecord)
{
    int16_t order = -1;
    EXPECT_EQ(next_glider_index(&order, 1), 1);
    srandom(7);
    std::vector<int> first;
    for (int i = 0; i < 200; i++) {
        int index = next_glider_index(&order, 10);
        EXPECT_GE(index, 1);
        EXPECT_LT(index, 10);
        first.push_back(index);
    }
    EXPECT_EQ(order, -1);
    // One seed, one order.
    srandom(7);
    for (int i = 0; i < 200; i++)
        EXPECT_EQ(next_glider_index(&order, 10), first[i]);
}

} // namespace
