// The k-mix methods without their dialog: counts from percentages and from
// a power law, the mix filled from counts, around an average and at random
// between bounds, with hand-computed cases.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/kmix_methods.h"
#include "engine/model/model_test_support.h"

namespace {

class KmixMethods : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_value_range(2);
        Maxnhood = 13;
        cells(10);
        srandom(7);
    }
    void TearDown() override
    {
        checked_free(nhoodm);
        nhoodm = nullptr;
    }
    void cells(int n)
    {
        checked_free(nhoodm);
        use_size(n);
        nhoodm = static_cast<int8_t *>(checked_calloc(n, 1, "nhoodm"));
    }
    std::vector<int> ks() const { return std::vector<int>(nhoodm, nhoodm + lineL); }
    std::vector<float> shares = std::vector<float>(14, 0.0f);
    std::vector<uint16_t> counts = std::vector<uint16_t>(14, 0);
};

TEST_F(KmixMethods, HalfAndHalfOfK2AndK3GiveFiveCellsEach)
{
    shares[2] = 50;
    shares[3] = 50;
    EXPECT_EQ(kmix_counts_from_shares(shares.data(), counts.data()), 10u);
    EXPECT_EQ(counts[2], 5);
    EXPECT_EQ(counts[3], 5);
    EXPECT_EQ(kmix_fill_from_counts(counts.data(), false), -1);
    EXPECT_EQ(ks(), (std::vector<int>{2, 2, 2, 2, 2, 3, 3, 3, 3, 3}));
    EXPECT_EQ(nhood_lb, 2);
    EXPECT_EQ(nhood_ub, 3);
}

TEST_F(KmixMethods, ShuffledMixKeepsItsCounts)
{
    counts[2] = 5;
    counts[3] = 5;
    kmix_fill_from_counts(counts.data(), true);
    int twos = 0;
    for (int k : ks())
        twos += k == 2;
    EXPECT_EQ(twos, 5);
}

TEST_F(KmixMethods, ThirtyPercentOfK4GoesToEveryCell)
{
    shares[4] = 30;
    uint32_t total = kmix_counts_from_shares(shares.data(), counts.data());
    EXPECT_EQ(total, 3u);
    kmix_complete_counts(counts.data(), 13, total);
    EXPECT_EQ(counts[4], 10);
    kmix_fill_from_counts(counts.data(), false);
    EXPECT_EQ(ks(), std::vector<int>(10, 4));
}

TEST_F(KmixMethods, CountsBeyondTheNetworkAreNotWritten)
{
    counts[1] = 8;
    counts[2] = 4;
    EXPECT_EQ(kmix_fill_from_counts(counts.data(), false), 10);
    EXPECT_EQ(ks(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 2, 2}));
}

TEST_F(KmixMethods, PowerLawsThatCannotNormaliseGiveEveryCellK1)
{
    EXPECT_EQ(kmix_power_law_counts(1, 2.0f, counts.data()), 10u);
    EXPECT_EQ(counts[1], 10);
    EXPECT_EQ(kmix_power_law_counts(13, 1.0f, counts.data()), 10u);
    EXPECT_EQ(counts[1], 10);
    for (int k = 2; k <= 13; k++)
        EXPECT_EQ(counts[k], 0) << k;
}

TEST_F(KmixMethods, PowerLawTotalsTheNetworkWithMostCellsAtSmallK)
{
    cells(100);
    kmix_power_law_counts(13, 2.0f, counts.data());
    // F = 1/(1 - 1/13) * 100 = 108.33; n_k = trunc(F / k^2) gives 108, 27,
    // 12, 6, 4, 3, 2, 1, 1, 1, 0, 0, 0 (S = 165); ceil(100 n_k / 165) gives
    // 66, 17, 8, 4, 3, 2, 2, 1, 1, 1 (105); the excess 5: 2 off k = 1, 1 off
    // k = 2, then 3 > 2 stops; the last 2 come off k = 1.
    std::vector<uint16_t> expected = {0, 62, 16, 8, 4, 3, 2, 2, 1, 1, 1, 0, 0, 0};
    EXPECT_EQ(counts, expected);
}

TEST_F(KmixMethods, EqualBoundsGiveThatKEverywhere)
{
    kmix_random_between(2, 2);
    EXPECT_EQ(ks(), std::vector<int>(10, 2));
}

TEST_F(KmixMethods, RandomMixStaysWithinItsBounds)
{
    cells(200);
    kmix_random_between(3, 5);
    bool seen[6] = {false};
    for (int k : ks()) {
        ASSERT_GE(k, 3);
        ASSERT_LE(k, 5);
        seen[k] = true;
    }
    EXPECT_TRUE(seen[3] && seen[4] && seen[5]);
}

TEST_F(KmixMethods, DefaultUpperBoundByValueRange)
{
    EXPECT_EQ(kmix_default_upper(4), 9);
    EXPECT_EQ(kmix_default_upper(11), 11);
    use_value_range(3);
    Maxnhood = 9;
    EXPECT_EQ(kmix_default_upper(4), 9);
}

TEST_F(KmixMethods, AverageMixMakesItsIncrementsWithinTheBound)
{
    cells(100);
    kmix_around_average(2.0f, 10);
    long sum = 0;
    for (int k : ks()) {
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 10);
        sum += k;
    }
    // 201 increments, plus one for each cell that got none and was raised.
    EXPECT_GE(sum, 201);
    EXPECT_LE(sum, 201 + 100);
}

} // namespace
