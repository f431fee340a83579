// The value-count trie: the numbering of the value-count tuples for every v
// and k, the tuple table v_index, search_tree as its inverse, and release.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_count_trie.h"
#include "model_test_support.h"

namespace {

// The counts of values 0..v-1 of kcode entry e for k.
std::vector<int>
tuple_of(int k, int e)
{
    int width = check_value_bits(k + 1);
    std::vector<int> counts;
    for (int j = 0; j < value_range; j++)
        counts.push_back(get_value_flex(v_index[k][e], static_cast<uint32_t>(j), width));
    return counts;
}

// The search key of a tuple: the counts reversed.
std::vector<uint8_t>
key_of(const std::vector<int> &counts)
{
    std::vector<uint8_t> key(counts.size());
    for (size_t j = 0; j < counts.size(); j++)
        key[counts.size() - 1 - j] = static_cast<uint8_t>(counts[j]);
    return key;
}

class Trie : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override { live_before = live_allocations; }
    void build(int v, int k)
    {
        use_value_range(v);
        nhood = static_cast<int8_t>(k);
        set_up_v_code();
    }
    void TearDown() override
    {
        free_v_code_arrays();
        EXPECT_EQ(v_tree, nullptr);
        EXPECT_EQ(live_allocations, live_before);
        nhood = 0;
        use_value_range(2);
    }
};

TEST_F(Trie, TwoValuesCountTheOnes)
{
    build(2, 13);
    for (int k = 1; k <= 13; k++) {
        EXPECT_EQ(v_tablecodemax[k], k);
        for (int e = 0; e <= k; e++)
            EXPECT_EQ(tuple_of(k, e), (std::vector<int>{k - e, e})) << "k=" << k;
    }
}

TEST_F(Trie, ThreeValuesFourInputs)
{
    build(3, 4);
    EXPECT_EQ(v_tablecodemax[4], 14);
    EXPECT_EQ(tuple_of(4, 5), (std::vector<int>{3, 0, 1}));
    EXPECT_EQ(tuple_of(4, 14), (std::vector<int>{0, 0, 4}));
    EXPECT_EQ(tuple_of(4, 0), (std::vector<int>{4, 0, 0}));
}

TEST_F(Trie, ThreeValuesTwoInputsInKcodeOrder)
{
    build(3, 2);
    std::vector<std::vector<int>> expect = {{2, 0, 0}, {1, 1, 0}, {0, 2, 0},
                                            {1, 0, 1}, {0, 1, 1}, {0, 0, 2}};
    ASSERT_EQ(v_tablecodemax[2], 5);
    for (int e = 0; e < 6; e++)
        EXPECT_EQ(tuple_of(2, e), expect[static_cast<size_t>(e)]);
}

TEST_F(Trie, FourValuesTwoInputs)
{
    build(4, 2);
    EXPECT_EQ(v_tablecodemax[2], 9);
    EXPECT_EQ(tuple_of(2, 6), (std::vector<int>{1, 0, 0, 1}));
}

TEST_F(Trie, OneInputHoldsEachValueOnce)
{
    build(5, 1);
    EXPECT_EQ(check_value_bits(2), 1);
    for (int e = 0; e < 5; e++) {
        std::vector<int> expect(5, 0);
        expect[static_cast<size_t>(e)] = 1;
        EXPECT_EQ(tuple_of(1, e), expect);
    }
}

// For every admitted (v, k) of a rule table, and the largest kcode trie:
// the tuples are distinct, sum to k, follow the kcode order, and
// search_tree finds each entry from its own tuple.
void
check_every_entry(int v, int k)
{
    int last = v_tablecodemax[k];
    ASSERT_EQ(static_cast<uint32_t>(last + 1), kcode_entries(k)) << "v=" << v << " k=" << k;
    std::vector<int> previous;
    for (int e = 0; e <= last; e++) {
        std::vector<int> counts = tuple_of(k, e);
        int sum = 0;
        for (int c : counts)
            sum += c;
        ASSERT_EQ(sum, k);
        if (e > 0) {
            // Kcode order: compare from the count of v-1 (slowest) down to
            // the count of 1 (fastest); the later entry is larger.
            bool larger = false;
            for (int j = v - 1; j >= 1; j--) {
                if (counts[static_cast<size_t>(j)] != previous[static_cast<size_t>(j)]) {
                    larger = counts[static_cast<size_t>(j)] > previous[static_cast<size_t>(j)];
                    break;
                }
            }
            ASSERT_TRUE(larger) << "v=" << v << " k=" << k << " entry " << e;
        }
        std::vector<uint8_t> key = key_of(counts);
        ASSERT_EQ(search_tree(key.data(), v, v_tree[k], 0), e) << "v=" << v << " k=" << k;
        previous = counts;
    }
}

TEST_F(Trie, SearchFindsEveryEntryForEveryRange)
{
    const int max_k[] = {13, 9, 7, 6, 5, 5, 4};
    for (int v = 2; v <= 8; v++) {
        build(v, max_k[v - 2]);
        for (int k = 1; k <= max_k[v - 2]; k++)
            check_every_entry(v, k);
        free_v_code_arrays();
    }
}

TEST_F(Trie, LargestForwardOnlyTrie)
{
    build(8, 11);
    EXPECT_EQ(v_tablecodemax[11], 31823);
    check_every_entry(8, 11);
    EXPECT_EQ(tuple_of(11, 31823), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 11}));
}

TEST_F(Trie, TwentyFiveInputsUseFiveBitCounts)
{
    build(3, 25);
    EXPECT_EQ(v_tablecodemax[25], 350);   // C(27, 2) - 1
    check_every_entry(3, 25);
    EXPECT_EQ(tuple_of(25, 350), (std::vector<int>{0, 0, 25}));
}

TEST_F(Trie, ReleaseWithoutBuildIsHarmless)
{
    free_v_code_arrays();
    build(2, 3);
}

} // namespace
