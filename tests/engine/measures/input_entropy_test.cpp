// The input entropy figures: entropy at its ends and against a direct sum
// on random counts, bar lengths, the histogram's columns, value counts and
// the entropy record's stretch.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "engine/measures/input_entropy.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

TEST(InputEntropy, OneIndexGivesZeroAndEqualSharesGiveOne)
{
    std::vector<uint32_t> one(32, 0);
    one[7] = 1000 * 10;
    EXPECT_DOUBLE_EQ(input_entropy(one.data(), one.size(), 1000.0 * 10), 0.0);
    std::vector<uint32_t> all(32, 50);
    EXPECT_NEAR(input_entropy(all.data(), all.size(), 32.0 * 50), 1.0, 1e-12);
}

TEST(InputEntropy, UnusedIndicesAddNothing)
{
    // Two indices in equal shares among 8: ln 2 / ln 8 = 1/3, whatever the
    // other six (never looked up) are.
    std::vector<uint32_t> two(8, 0);
    two[0] = two[5] = 40;
    EXPECT_NEAR(input_entropy(two.data(), two.size(), 80.0), 1.0 / 3.0, 1e-12);
}

TEST(InputEntropy, MatchesTheDirectSumOnRandomCounts)
{
    std::mt19937 random(11);
    for (int trial = 0; trial < 50; trial++) {
        size_t n = 2 + random() % 300;
        std::vector<uint32_t> q(n);
        uint64_t total = 0;
        for (uint32_t &c : q) {
            c = random() % 4 ? random() % 70000 : 0;
            total += c;
        }
        if (total == 0)
            continue;
        double s = 0;
        for (uint32_t c : q)
            if (c)
                s -= (double(c) / total) * std::log(double(c) / total);
        EXPECT_NEAR(input_entropy(q.data(), n, double(total)), s / std::log(double(n)), 1e-9);
    }
}

TEST(InputEntropy, BarsAreZeroForUnusedAndAtLeastOneForOnce)
{
    EXPECT_EQ(histogram_bar(0, 1000.0, 100, 100), 0);
    EXPECT_EQ(histogram_bar(1, 100000.0, 100, 100), 1);
    EXPECT_EQ(histogram_bar(500, 1000.0, 100, 100), 50);
    EXPECT_EQ(histogram_bar(1000, 1000.0, 100, 30), 30);
}

TEST(InputEntropy, WideTablesWrapIntoColumnsThatDoNotOverlap)
{
    histogram_layout small = lay_out_histogram(32, 100, 700);
    EXPECT_EQ(small.group, 32);
    EXPECT_EQ(small.columns, 1);
    EXPECT_FLOAT_EQ(small.bar_thickness, 6.0f);
    EXPECT_EQ(small.longest, 100);

    size_t n = 512;
    histogram_layout wide = lay_out_histogram(n, 100, 700);
    EXPECT_EQ(wide.group, 128);
    EXPECT_EQ(wide.columns, 4);
    EXPECT_LE(wide.bar_thickness * wide.group, 700.0f);
    EXPECT_LE(wide.longest, wide.column_step);
    // Every index has a place of its own, the last at the top left.
    std::set<std::pair<int, int>> places;
    for (size_t i = 0; i < n; i++) {
        int c, r;
        histogram_place(wide, n, i, &c, &r);
        EXPECT_LT(c, wide.columns);
        EXPECT_LT(r, wide.group);
        places.insert({c, r});
    }
    EXPECT_EQ(places.size(), n);
    int c, r;
    histogram_place(wide, n, n - 1, &c, &r);
    EXPECT_EQ(c + r, 0);
}

TEST(InputEntropy, ValueCountsOfAStateAndOfOneCell)
{
    value_range = 3;
    value_bits = static_cast<int8_t>(check_value_bits(3));
    uint8_t state[4] = {};
    int values[7] = {0, 2, 2, 1, 0, 2, 1};
    for (int c = 0; c < 7; c++)
        set_value(state, c, values[c]);
    uint16_t counts[3] = {};
    count_values(state, 7, -1, counts);
    EXPECT_EQ(counts[0], 2);
    EXPECT_EQ(counts[1], 2);
    EXPECT_EQ(counts[2], 3);
    uint16_t one[3] = {};
    count_values(state, 7, 5, one);
    EXPECT_EQ(one[2], 1);
    EXPECT_EQ(one[0] + one[1], 0);
    value_range = 2;
    value_bits = 1;
}

TEST(InputEntropy, TheRecordHoldsItsStretchAndEndsOneStepAfter)
{
    // Steps 3..6 at positions 1..4 of 5; the sixth float lies past it.
    std::vector<float> record(6, 9.0f);
    for (uint32_t t = 1; t <= 6; t++)
        EXPECT_FALSE(entropy_record_step(record.data(), 3, 6, t, t / 10.0));
    EXPECT_TRUE(entropy_record_step(record.data(), 3, 6, 7, 0.9));
    EXPECT_EQ(record[0], 0.0f);
    EXPECT_FLOAT_EQ(record[1], 0.3f);
    EXPECT_FLOAT_EQ(record[4], 0.6f);
    EXPECT_EQ(record[5], 9.0f);
}

} // namespace
