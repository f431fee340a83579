// Memory running out while a tree's level lists grow: the growth gives up
// with a null entry instead of ending the program, and the record says what
// was asked for and how many bytes, so the tree is reported as memory run
// out and not as a full list (the report: tests/ui/backward).
#include "backward_test_support.h"

#include "engine/backward/tree_memory.h"

namespace {

// A ring of 40 cells: the lists hold lines (state numbers would not fit).
class TreeMemory : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_backward_settings();
        pretog = 1; // the list filled is preim0
        ASSERT_TRUE(start_level_lists());
        ASSERT_FALSE(level_lists_hold_numbers());
    }
    void TearDown() override
    {
        fail_allocation_after = 0;
        free_level_lists();
    }
    TestNetwork net{2, 40, 3};
};

TEST_F(TreeMemory, AFailedGrowthOfTheListIsNotedWithTheBytesAsked)
{
    for (uint32_t i = 0; i < 16; i++)
        ASSERT_NE(next_level_entry(i), nullptr);
    EXPECT_EQ(tree_memory_failed().what, nullptr);
    fail_allocation_after = 1; // the pointer array's growth from 16 to 32
    EXPECT_EQ(next_level_entry(16), nullptr);
    ASSERT_NE(tree_memory_failed().what, nullptr);
    EXPECT_STREQ(tree_memory_failed().what, "level list");
    EXPECT_EQ(tree_memory_failed().bytes, 32 * sizeof(uint8_t *));
    // The entries held stay; a later failure does not replace the first.
    EXPECT_NE(next_level_entry(15), nullptr);
    fail_allocation_after = 1;
    EXPECT_EQ(next_level_entry(40), nullptr);
    EXPECT_EQ(tree_memory_failed().bytes, 32 * sizeof(uint8_t *));
    // The next tree starts with a clean record.
    ASSERT_TRUE(start_level_lists());
    EXPECT_EQ(tree_memory_failed().what, nullptr);
}

TEST_F(TreeMemory, AFailedBlockOfLinesIsNotedWithItsSize)
{
    fail_allocation_after = 1; // the first block of state lines
    EXPECT_EQ(next_level_entry(0), nullptr);
    ASSERT_NE(tree_memory_failed().what, nullptr);
    EXPECT_STREQ(tree_memory_failed().what, "pre-image lines");
    EXPECT_EQ(tree_memory_failed().bytes, size_t{1} << 16);
    EXPECT_NE(next_level_entry(0), nullptr); // memory back: the list goes on
}

} // namespace
