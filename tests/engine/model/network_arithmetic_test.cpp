// Widths, factorial products, the typed number, the near-square shape of a
// 1d network and the random permutation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model_test_support.h"

namespace {

TEST(CheckValueBits, WidthByRange)
{
    EXPECT_EQ(check_value_bits(2), 1);
    EXPECT_EQ(check_value_bits(3), 2);
    EXPECT_EQ(check_value_bits(4), 2);
    for (int v = 5; v <= 8; v++)
        EXPECT_EQ(check_value_bits(v), 3);
    for (int v = 9; v <= 16; v++)
        EXPECT_EQ(check_value_bits(v), 4);
    for (int v = 17; v <= 32; v++)
        EXPECT_EQ(check_value_bits(v), 5);
    EXPECT_EQ(check_value_bits(33), 0);
    EXPECT_EQ(check_value_bits(1), 2);
    EXPECT_EQ(check_value_bits(-4), 2);
}

TEST(Factorials, FactAndItsWrap)
{
    EXPECT_EQ(fact(0), 1u);
    EXPECT_EQ(fact(-3), 1u);
    EXPECT_EQ(fact(5), 120u);
    EXPECT_EQ(fact(12), 479001600u);
    uint64_t f13 = 6227020800ull;
    EXPECT_EQ(fact(13), static_cast<uint32_t>(f13 % (uint64_t(1) << 32)));
}

TEST(Factorials, RisingProducts)
{
    EXPECT_EQ(longlong_fact(5, 6), 1u);
    EXPECT_EQ(longlong_fact(5, 3), 60u);
    EXPECT_EQ(longlong_fact(4, 4), 4u);
    // The kcode size of v = 8, k = 11 = C(18, 7).
    EXPECT_EQ(longlong_fact(18, 12) / longlong_fact(7, 1), 31824u);
    // m is taken modulo 65536: 65539 acts as 3.
    EXPECT_EQ(longlong_fact(5, 65539), 60u);
}

TEST(Atolu, TypedNumbers)
{
    EXPECT_EQ(atolu("0"), 0u);
    EXPECT_EQ(atolu("30"), 30u);
    EXPECT_EQ(atolu("12.9"), 12u);
    EXPECT_EQ(atolu("2147483648"), 2147483648u);
    EXPECT_EQ(atolu("3000000000"), 3000000000u);
    EXPECT_EQ(atolu("4294967295"), 4294967295u);
    EXPECT_EQ(atolu("4294967296"), 4294967295u);
    EXPECT_EQ(atolu("1e12"), 4294967295u);
    EXPECT_EQ(atolu("-1"), 4294967295u);
    EXPECT_EQ(atolu("-2"), 4294967294u);
    EXPECT_EQ(atolu("abc"), 0u);
}

TEST(Atolu, StopsAtTheReturnCode)
{
    // The input line ends at 13 with no NUL after it.
    const char entry[] = {'1', '2', '3', 13, '4', '5'};
    char copy[sizeof entry];
    for (size_t i = 0; i < sizeof entry; i++)
        copy[i] = entry[i];
    EXPECT_EQ(atolu(copy), 123u);
}

TEST(NearSquare, FactorPairs)
{
    struct {
        int n, i, j;
    } cases[] = {{6, 3, 2}, {7, 7, 1}, {12, 4, 3}, {14, 7, 2}, {150, 15, 10},
                 {65025, 255, 255}, {1, 1, 1}, {16, 4, 4}, {0, 0, 1}};
    for (auto c : cases) {
        lineL = static_cast<uint16_t>(c.n);
        set_i2dxj2d();
        EXPECT_EQ(i2d, c.i) << c.n;
        EXPECT_EQ(j2d, c.j) << c.n;
    }
}

TEST(NearSquare, ProductIsTheSizeAndRowsNoMoreThanColumns)
{
    for (int n = 1; n <= 2000; n++) {
        lineL = static_cast<uint16_t>(n);
        set_i2dxj2d();
        ASSERT_EQ(i2d * j2d, n);
        ASSERT_GE(i2d, j2d);
        // No factor lies strictly between j2d and sqrt(n).
        for (int d = j2d + 1; d * d <= n; d++)
            ASSERT_NE(n % d, 0) << n;
    }
    lineL = 0;
}

TEST(ShuffleOrder, PermutationOfEveryIndex)
{
    for (int n : {1, 2, 10, 1000}) {
        std::vector<uint16_t> order(static_cast<size_t>(n), 9999);
        srandom(17);
        shuffle_order(order.data(), n);
        std::vector<int> seen(static_cast<size_t>(n), 0);
        for (uint16_t x : order) {
            ASSERT_LT(x, n);
            seen[x]++;
        }
        for (int s : seen)
            EXPECT_EQ(s, 1);
    }
}

TEST(ShuffleOrder, OneSeedOneOrder)
{
    // The draws are random() % n, redrawn while used: replay them here.
    const int n = 50;
    srandom(4242);
    std::vector<uint16_t> expect;
    std::vector<bool> used(n, false);
    for (int p = 0; p < n; p++) {
        int r;
        do
            r = static_cast<int>(random() % n);
        while (used[static_cast<size_t>(r)]);
        used[static_cast<size_t>(r)] = true;
        expect.push_back(static_cast<uint16_t>(r));
    }
    std::vector<uint16_t> order(n);
    srandom(4242);
    shuffle_order(order.data(), n);
    EXPECT_EQ(order, expect);
}

TEST(ShuffleOrder, SingleAndEmpty)
{
    uint16_t order[2] = {7, 7};
    shuffle_order(order, 1);
    EXPECT_EQ(order[0], 0);
    EXPECT_EQ(order[1], 7);
    shuffle_order(order, 0);
    shuffle_order(order, -5);
    EXPECT_EQ(order[0], 0);
}

// The order of shuffle_order1 drawn the plain way: random() % (count + 1)
// until the value is not 0 and not among those placed, found by scanning.
std::vector<uint16_t>
reference_order1(int count)
{
    std::vector<uint16_t> order(1, 0);
    while (static_cast<int>(order.size()) <= count) {
        uint16_t r;
        bool placed;
        do {
            r = static_cast<uint16_t>(random() % (count + 1));
            placed = false;
            for (size_t p = 1; p < order.size(); p++)
                placed = placed || order[p] == r;
        } while (r == 0 || placed);
        order.push_back(r);
    }
    return order;
}

TEST(ShuffleOrder1, SameDrawsAsThePlainWayAndAPermutationOfOneToCount)
{
    for (int count = 1; count <= 1000; count++) {
        srandom(static_cast<unsigned>(900 + count));
        std::vector<uint16_t> expect = reference_order1(count);
        std::vector<uint16_t> order(static_cast<size_t>(count) + 1, 7777);
        srandom(static_cast<unsigned>(900 + count));
        shuffle_order1(order.data(), count);
        ASSERT_EQ(order[0], 7777) << "entry 0 written, count " << count;
        order[0] = 0;
        ASSERT_EQ(order, expect) << "count " << count;
        std::vector<uint16_t> sorted(order.begin() + 1, order.end());
        std::sort(sorted.begin(), sorted.end());
        for (int p = 0; p < count; p++)
            ASSERT_EQ(sorted[static_cast<size_t>(p)], p + 1) << "count " << count;
    }
}

} // namespace
