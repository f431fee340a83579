// The moments of an entropy record against a double-precision reference,
// the edge cases of a constant record, of a spread no wider than rounding
// and of one entry, and the running means over the runs of a rule.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "engine/measures/entropy_moments.h"

namespace {

struct reference {
    double mean = 0, adev = 0, var = 0, sd = 0, skew = 0, kurt = 0;
};

reference
reference_of(const std::vector<float> &x)
{
    reference r;
    double m = x.size();
    for (float v : x)
        r.mean += v;
    r.mean /= m;
    double s2 = 0, s3 = 0, s4 = 0;
    for (float v : x) {
        double d = v - r.mean;
        r.adev += std::fabs(d);
        s2 += d * d;
        s3 += d * d * d;
        s4 += d * d * d * d;
    }
    r.adev /= m;
    r.var = s2 / (m - 1);
    r.sd = std::sqrt(r.var);
    r.skew = s3 / (m * r.var * r.sd);
    r.kurt = s4 / (m * r.var * r.var) - 3;
    return r;
}

TEST(EntropyMoments, MatchADoublePrecisionReferenceOnRandomRecords)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<float> entropy(0.2f, 0.9f);
    for (int trial = 0; trial < 40; trial++) {
        std::vector<float> x(2 + random() % 400);
        for (float &v : x)
            v = entropy(random);
        entropy_moments got = moments_of(x.data(), static_cast<int>(x.size()));
        reference want = reference_of(x);
        EXPECT_NEAR(got.mean, want.mean, 1e-5);
        EXPECT_NEAR(got.adev, want.adev, 1e-5);
        EXPECT_NEAR(got.var, want.var, 1e-5);
        EXPECT_NEAR(got.sd, want.sd, 1e-5);
        EXPECT_NEAR(got.skew, want.skew, 1e-3 * (1 + std::fabs(want.skew)));
        EXPECT_NEAR(got.kurt, want.kurt, 1e-3 * (1 + std::fabs(want.kurt)));
    }
}

TEST(EntropyMoments, AConstantRecordHasNoSpread)
{
    std::vector<float> x(50, 0.625f);
    entropy_moments r = moments_of(x.data(), 50);
    EXPECT_FLOAT_EQ(r.mean, 0.625f);
    EXPECT_EQ(r.var, 0.0f);
    EXPECT_EQ(r.sd, 0.0f);
    EXPECT_EQ(r.skew, 0.0f);
    EXPECT_EQ(r.kurt, 0.0f);
}

// A constant entropy that no sum of its entries in single precision holds
// exactly: the mean must come back as the entry itself, not as a rounded
// sum whose differences pass for a shape.
TEST(EntropyMoments, AConstantRecordOfAnInexactValueHasNoShape)
{
    for (float value : {0.8127f, 0.1f, 0.3333333f, 0.97531f}) {
        std::vector<float> x(997, value);
        entropy_moments r = moments_of(x.data(), 997);
        EXPECT_EQ(r.var, 0.0) << value;
        EXPECT_EQ(r.skew, 0.0) << value;
        EXPECT_EQ(r.kurt, 0.0) << value;
        EXPECT_FALSE(r.shaped) << value;
    }
}

// Entries of one true entropy rounded apart by a unit in the last place:
// a spread of the rounding alone gives no skewness or kurtosis.
TEST(EntropyMoments, ASpreadOfOneRoundingUnitHasNoShape)
{
    std::vector<float> x(300, 0.6f);
    for (size_t i = 0; i < x.size(); i += 7)
        x[i] = std::nextafter(0.6f, 1.0f);
    entropy_moments r = moments_of(x.data(), 300);
    EXPECT_GT(r.var, 0.0);
    EXPECT_FALSE(r.shaped);
    EXPECT_EQ(r.skew, 0.0);
    EXPECT_EQ(r.kurt, 0.0);
    // One entry set apart by a thousandth is a real spread.
    x[5] = 0.601f;
    r = moments_of(x.data(), 300);
    EXPECT_TRUE(r.shaped);
    EXPECT_GT(r.skew, 1.0);
}

// The statistics box of a constant record (rule 15's input entropy is the
// same at every step) says n/a for the shape, not rounding noise.
TEST(EntropyMoments, TheShapeOfAConstantRecordShowsAsNotApplicable)
{
    std::vector<float> x(60, 0.8127f);
    entropy_moments r = moments_of(x.data(), 60);
    EXPECT_EQ(moments_shape_line(r), "varience=0.000000, skewness=n/a, kurtosis=n/a");
    EXPECT_EQ(moments_centre_line(r), "mean=0.812700, average dev=0.000000, standard dev=0.000000");
    x[0] = 0.2f;
    r = moments_of(x.data(), 60);
    char want[120];
    snprintf(want, sizeof want, "varience=%f, skewness=%f, kurtosis=%f", r.var, r.skew, r.kurt);
    EXPECT_EQ(moments_shape_line(r), want);
}

TEST(EntropyMoments, OneEntryGivesVarianceZeroNotNaN)
{
    float x = 0.4f;
    entropy_moments r = moments_of(&x, 1);
    EXPECT_FLOAT_EQ(r.mean, 0.4f);
    EXPECT_EQ(r.var, 0.0f);
    EXPECT_FALSE(std::isnan(r.sd));
    EXPECT_EQ(r.skew, 0.0f);
}

TEST(EntropyMoments, RunningMeansAreTheMeansOfTheRunsSoFar)
{
    std::mt19937 random(8);
    std::uniform_real_distribution<float> entropy(0.0f, 1.0f);
    entropy_moments avg;
    avg.mean = 99; // left from the rule before: the first run starts afresh
    std::vector<entropy_moments> runs;
    for (int run = 1; run <= 6; run++) {
        std::vector<float> x(30);
        for (float &v : x)
            v = entropy(random);
        runs.push_back(moments_of(x.data(), 30));
        running_means(&avg, runs.back(), run);
        double mean = 0, sd = 0, kurt = 0;
        for (const entropy_moments &r : runs) {
            mean += r.mean;
            sd += r.sd;
            kurt += r.kurt;
        }
        EXPECT_NEAR(avg.mean, mean / run, 1e-6);
        EXPECT_NEAR(avg.sd, sd / run, 1e-6);
        EXPECT_NEAR(avg.kurt, kurt / run, 1e-5);
    }
}

TEST(EntropyMoments, ARunningMeanIsShapedWhenAnyRunWas)
{
    std::vector<float> flat(20, 0.7f), spread(20, 0.7f);
    spread[3] = 0.2f;
    entropy_moments avg;
    running_means(&avg, moments_of(flat.data(), 20), 1);
    EXPECT_FALSE(avg.shaped);
    running_means(&avg, moments_of(spread.data(), 20), 2);
    EXPECT_TRUE(avg.shaped);
    running_means(&avg, moments_of(flat.data(), 20), 3);
    EXPECT_TRUE(avg.shaped);
    // The first run of the next rule starts afresh.
    running_means(&avg, moments_of(flat.data(), 20), 1);
    EXPECT_FALSE(avg.shaped);
}

} // namespace
