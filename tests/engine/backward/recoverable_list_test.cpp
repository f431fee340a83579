// The list that grows through the checked allocator's try_ variants: its
// items kept in order as it grows, its block on the allocation ledger, and a
// failed growth leaving it as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/backward/recoverable_list.h"

namespace {

std::vector<uint64_t>
items_of(const recoverable_list<uint64_t> &list)
{
    return std::vector<uint64_t>(list.begin(), list.end());
}

TEST(RecoverableList, KeepsItsItemsInOrderAsItGrows)
{
    const long live = live_allocations;
    recoverable_list<uint64_t> list;
    std::vector<uint64_t> expected;
    for (uint64_t i = 0; i < 1000; i++) {
        uint64_t *item = list.push();
        ASSERT_NE(item, nullptr);
        *item = i * i;
        expected.push_back(i * i);
        if (i % 3 == 0) {
            list.pop();
            expected.pop_back();
        }
    }
    EXPECT_EQ(items_of(list), expected);
    EXPECT_EQ(live_allocations, live + 1);
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(live_allocations, live + 1); // cleared, its block kept for reuse
    list.release();
    EXPECT_EQ(live_allocations, live);
}

// Each growth failing in turn: push gives nothing, the items stay as they
// were, and the list grows again once memory is there.
TEST(RecoverableList, AFailedGrowthLeavesTheListAsItWas)
{
    const long live = live_allocations;
    {
        recoverable_list<uint64_t> list;
        std::vector<uint64_t> expected;
        int failures = 0;
        for (uint64_t i = 0; i < 200; i++) {
            fail_allocation_after = 1;
            uint64_t *item = list.push();
            const bool grew = fail_allocation_after == 0;
            fail_allocation_after = 0;
            if (grew) {
                ASSERT_EQ(item, nullptr) << "item " << i;
                EXPECT_EQ(items_of(list), expected);
                failures++;
                item = list.push();
                ASSERT_NE(item, nullptr);
            }
            *item = i + 7;
            expected.push_back(i + 7);
        }
        EXPECT_EQ(items_of(list), expected);
        EXPECT_GT(failures, 3); // it grew several times
    }
    EXPECT_EQ(live_allocations, live); // the destructor gives the block back
}

} // namespace
