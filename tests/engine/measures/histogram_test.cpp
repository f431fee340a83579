// The histogram arithmetic: the column of a damage in both modes, the
// cut-off and the sum beyond it, the log-2 bins against a brute-force sum,
// bar heights on a log axis (never negative, NaN or past the top), the
// rescaling of the y axis as counts grow, the ticks and the damage
// dialog's limits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "engine/measures/histogram.h"

namespace {

TEST(Histogram, AHundredPercentFallsInTheLastBin)
{
    for (uint32_t bins : {10u, 13u, 40u, 100u})
        EXPECT_EQ(damage_column('b', 40, 100.0f, bins), bins) << bins << " bins";
    EXPECT_EQ(damage_column('b', 0, 0.0f, 10), 0u);
    EXPECT_EQ(damage_column('b', 19, 47.5f, 10), 4u);
    EXPECT_EQ(damage_column('n', 19, 47.5f, 10), 19u);
}

TEST(Histogram, ADamageBeyondTheCutOffIsNotCounted)
{
    std::vector<uint32_t> counts(41, 0);
    EXPECT_TRUE(count_in_column(counts.data(), 30, 30));
    EXPECT_FALSE(count_in_column(counts.data(), 30, 31));
    EXPECT_EQ(counts[30], 1u);
    EXPECT_EQ(counts[31], 0u);
}

TEST(Histogram, TheOverflowAfterALowerCutOffIsTheSumAboveIt)
{
    srand(3);
    std::vector<uint32_t> counts(41);
    for (uint32_t &c : counts)
        c = static_cast<uint32_t>(rand() % 1000);
    for (uint32_t cut = 0; cut <= 40; cut++) {
        uint64_t brute = 0;
        for (uint32_t c = 0; c < counts.size(); c++)
            if (c > cut)
                brute += counts[c];
        EXPECT_EQ(sum_above(counts.data(), cut, 40), brute) << "cut-off " << cut;
    }
}

TEST(Histogram, LogTwoBinsAgainstABruteForceSum)
{
    srand(5);
    for (uint32_t columns : {0u, 1u, 2u, 3u, 6u, 7u, 40u, 63u, 200u, 1000u}) {
        std::vector<uint32_t> counts(columns + 1);
        for (uint32_t &c : counts)
            c = static_cast<uint32_t>(rand() % 100000);
        // Column c lies in bin floor(log2(c + 1)).
        std::vector<uint64_t> brute;
        for (uint32_t c = 0; c <= columns; c++) {
            size_t b = static_cast<size_t>(std::floor(std::log2(c + 1.0)));
            if (brute.size() <= b)
                brute.resize(b + 1, 0);
            brute[b] += counts[c];
        }
        EXPECT_EQ(log2_bins(counts.data(), columns), brute) << columns << " columns";
    }
    EXPECT_EQ(log2_bin_first(0), 0u);
    EXPECT_EQ(log2_bin_first(3), 7u);
}

TEST(Histogram, LogBarHeightsAreNeverNegativeNorPastTheTop)
{
    for (double height : {1.0, 2.0, 100.0, 213.0})
        for (double scale : {0.01, 0.5, 10.0, 21.3}) {
            histogram_y_axis y{height, scale, static_cast<uint32_t>(height / scale)};
            double before = 0;
            for (uint64_t count : {0ull, 1ull, 2ull, 3ull, 10ull, 1000ull, 65535ull, 4000000000ull}) {
                double h = log_bar_height(y, count);
                ASSERT_FALSE(std::isnan(h)) << height << " " << scale << " " << count;
                ASSERT_GE(h, 0.0);
                ASSERT_LE(h, height);
                ASSERT_GE(h, before) << "not growing with the count";
                before = h;
            }
            EXPECT_EQ(log_bar_height(y, 0), 0.0) << "a bar for a count of 0";
        }
    histogram_y_axis empty{100, 1, 0};
    EXPECT_EQ(log_bar_height(empty, 5), 0.0);
}

TEST(Histogram, GrowingCountsShrinkTheScaleAndStayInside)
{
    histogram_y_axis y = new_y_axis(213, 21);
    EXPECT_EQ(y.y_extent, 21u);
    int redraws = 0;
    for (uint64_t count = 1; count <= 5000; count++) {
        double scale = y.y_scale;
        if (needs_full_redraw(y, count, false, false, true)) {
            redraws++;
            EXPECT_LT(y.y_scale, scale);
            EXPECT_EQ(y.y_extent, static_cast<uint32_t>(y.height / y.y_scale));
        } else {
            EXPECT_EQ(y.y_scale, scale);
        }
        ASSERT_LE(linear_bar_height(y, count), y.height);
        ASSERT_LE(count * y.y_scale, y.height);
    }
    // The scale shrinks by a quarter at a time, so redraws stay few.
    EXPECT_LT(redraws, 40);
    // A forced redraw or a rescaled x axis keeps the y scale.
    double scale = y.y_scale;
    EXPECT_TRUE(needs_full_redraw(y, 1, false, true, true));
    EXPECT_TRUE(needs_full_redraw(y, 1, true, false, true));
    EXPECT_EQ(y.y_scale, scale);
}

TEST(Histogram, ALoadedHistogramFitsTheAxis)
{
    histogram_y_axis y = new_y_axis(200, 20);
    fit_y_axis(y, 65535);
    EXPECT_LE(65535 * y.y_scale, 200.0);
    EXPECT_GT(65535 * y.y_scale / 0.75, 200.0) << "shrunk more than needed";
}

TEST(Histogram, TypesPastTheColumnsWidenTheAxis)
{
    EXPECT_EQ(widened_columns(50, 50), 50u);
    EXPECT_EQ(widened_columns(51, 50), 63u);
    EXPECT_EQ(widened_columns(3, 50), 50u);
}

TEST(Histogram, Ticks)
{
    for (uint32_t i = 0; i <= 8; i++)
        EXPECT_EQ(x_tick_of(i, 8), x_tick::labelled);
    int labelled = 0;
    for (uint32_t i = 0; i <= 40; i++) {
        x_tick t = x_tick_of(i, 40);
        EXPECT_EQ(t, i % 4 == 0 ? x_tick::labelled : x_tick::short_tick) << i;
        labelled += t == x_tick::labelled;
    }
    EXPECT_EQ(labelled, 11);
    EXPECT_EQ(x_tick_of(31, 300), x_tick::none);
    EXPECT_EQ(x_tick_of(60, 300), x_tick::labelled);
    EXPECT_EQ(y_tick_step(21), 5u);
    EXPECT_EQ(y_tick_step(3), 1u);
    EXPECT_DOUBLE_EQ(x_scale_of(420, 40), 10.0);
    EXPECT_DOUBLE_EQ(bar_width(10, 8), 8.0);
    EXPECT_DOUBLE_EQ(bar_width(5, 8), 4.0);
    EXPECT_DOUBLE_EQ(bar_width(0.5, 8), 0.0);
}

TEST(Histogram, DamageDialogLimits)
{
    damage_limits l = damage_limits_of(80);
    EXPECT_EQ(l.largest, 40u);
    EXPECT_EQ(l.smallest, 10u);
    EXPECT_EQ(damage_limits_of(16).smallest, 8u);
    EXPECT_EQ(default_columns('n', l), 40u);
    EXPECT_EQ(default_columns('b', l), 40u);
    EXPECT_EQ(default_columns('b', damage_limits_of(1000)), 100u);
    EXPECT_EQ(held_within(19, column_bounds('n', l)), 20u);
    EXPECT_EQ(held_within(20, column_bounds('n', l)), 20u);
    EXPECT_EQ(held_within(41, column_bounds('n', l)), 40u);
    EXPECT_EQ(held_within(9, column_bounds('b', l)), 10u);
    EXPECT_EQ(held_within(10, column_bounds('b', l)), 10u);
    EXPECT_EQ(smallest_cut_off(l), 20u);
    // Sizes keep room for the cut-off raised to the largest; bins do not.
    EXPECT_EQ(damage_counts_allocated('n', l, 20), 41u);
    EXPECT_EQ(damage_counts_allocated('b', l, 12), 13u);
}

// Below 40 cells the largest cut-off is under 20: the range keeps its
// default and holds sizes down to the fewest bins, never an empty range.
TEST(Histogram, ACutOffBelowTwentyCanBeTypedOnASmallNetwork)
{
    damage_limits l = damage_limits_of(32);
    EXPECT_EQ(smallest_cut_off(l), 10u);
    EXPECT_EQ(held_within(16, column_bounds('n', l)), 16u);
    EXPECT_EQ(held_within(12, column_bounds('n', l)), 12u);
    EXPECT_EQ(held_within(10, column_bounds('n', l)), 10u);
    EXPECT_EQ(held_within(9, column_bounds('n', l)), 10u);
    EXPECT_EQ(held_within(17, column_bounds('n', l)), 16u);
    damage_limits tiny = damage_limits_of(12);
    EXPECT_EQ(smallest_cut_off(tiny), 6u);
    EXPECT_EQ(held_within(6, column_bounds('n', tiny)), 6u);
    // Every doubled size has a range that holds its default.
    for (uint32_t n = 2; n <= 200; n += 2) {
        damage_limits d = damage_limits_of(n);
        uint32_t def = default_columns('n', d);
        EXPECT_LE(smallest_cut_off(d), def) << n;
        EXPECT_EQ(held_within(def, column_bounds('n', d)), def) << n;
    }
}

} // namespace
