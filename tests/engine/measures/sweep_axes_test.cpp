// The sweep graphs' axes and points: a size axis of two sizes has one
// interval with both ends labelled, a 0..1 axis ten with labels at 0 and
// 0.5, the y axis eleven ticks; every point of a value in 0..1 lies on its
// axis, whatever the axis length.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/measures/sweep_axes.h"

namespace {

std::vector<std::string>
labels(const std::vector<sweep_x_tick> &ticks)
{
    std::vector<std::string> out;
    for (const sweep_x_tick &t : ticks)
        out.push_back(t.label);
    return out;
}

TEST(SweepAxes, TwoSizesMakeOneIntervalWithBothEndsLabelled)
{
    std::vector<sweep_x_tick> ticks = sweep_x_ticks(true, 400, 2, 9);
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(labels(ticks), (std::vector<std::string>{"9", "10"}));
    EXPECT_DOUBLE_EQ(ticks[1].offset, 400);
    EXPECT_EQ(ticks[0].rise, 2);
    EXPECT_EQ(ticks[1].rise, 0);   // the axis's end does not rise
}

TEST(SweepAxes, SizeAxisLabelsEveryFifthAndTheEnd)
{
    std::vector<sweep_x_tick> ticks = sweep_x_ticks(true, 240, 13, 5);
    ASSERT_EQ(ticks.size(), 13u);
    for (size_t i = 0; i < ticks.size(); i++) {
        bool labelled = i % 5 == 0 || i == 12;
        EXPECT_EQ(ticks[i].label.empty(), !labelled) << i;
        if (labelled) {
            EXPECT_EQ(ticks[i].label, std::to_string(5 + i));
        }
        EXPECT_DOUBLE_EQ(ticks[i].offset, i * 20.0);
    }
    // A sweep of one size (or none) still has an axis of one interval.
    EXPECT_EQ(sweep_x_ticks(true, 100, 1, 5).size(), 2u);
    EXPECT_EQ(sweep_x_ticks(true, 100, 0, 5).size(), 2u);
}

TEST(SweepAxes, UnitAxisInTenths)
{
    std::vector<sweep_x_tick> ticks = sweep_x_ticks(false, 250, 1000, 5);
    ASSERT_EQ(ticks.size(), 11u);
    std::vector<std::string> expected(11);
    expected[0] = "0.0";
    expected[5] = "0.5";
    EXPECT_EQ(labels(ticks), expected);
    for (size_t i = 0; i < 10; i++)
        EXPECT_EQ(ticks[i].rise, i % 5 == 0 ? 2 : 1) << i;
    EXPECT_EQ(ticks[10].rise, 0);
}

TEST(SweepAxes, TheAxisLabelStaysByItsAxis)
{
    EXPECT_DOUBLE_EQ(sweep_x_label_offset(false, 250, 0), 50);    // two tenths in
    EXPECT_DOUBLE_EQ(sweep_x_label_offset(true, 240, 13), 30);    // 1.5 of 12 intervals
    for (uint32_t sizes = 0; sizes <= 6; sizes++)
        EXPECT_LE(sweep_x_label_offset(true, 400, sizes), 120) << sizes;
}

TEST(SweepAxes, YAxisHasElevenTicksLongAtTheLabels)
{
    std::vector<sweep_y_tick> ticks = sweep_y_ticks(300);
    ASSERT_EQ(ticks.size(), 11u);
    for (size_t i = 0; i < 11; i++) {
        EXPECT_DOUBLE_EQ(ticks[i].offset, 30.0 * i);
        EXPECT_EQ(ticks[i].length, i % 5 == 0 ? 2 : 1);
    }
    EXPECT_EQ(ticks[0].label, "0.0");
    EXPECT_EQ(ticks[5].label, "0.5");
    EXPECT_EQ(ticks[10].label, "1.0");
}

TEST(SweepAxes, PointsOfValuesInZeroToOneLieOnTheAxes)
{
    for (double length : {156.0, 250.0, 400.0, 500.0, 533.0}) {
        for (int i = 0; i <= 100; i++) {
            float v = i / 100.0f;
            int x = sweep_point_column(60, length, v), y = sweep_point_row(700, length, v);
            EXPECT_GE(x, 60);
            EXPECT_LE(x, 60 + length);
            EXPECT_LE(y, 700);
            EXPECT_GE(y, 700 - length);
        }
        EXPECT_EQ(sweep_point_column(60, length, 1.0f), 60 + static_cast<int>(length));
    }
    EXPECT_EQ(size_point_column(100, 300, 5, 5, 4), 100);
    EXPECT_EQ(size_point_column(100, 300, 8, 5, 4), 400);
    EXPECT_EQ(size_point_column(100, 300, 7, 5, 1), 100);
}

// A size axis shows its sweep's sizes only: not the size below the first,
// nor the one the sweep grows to after its last point.
TEST(SweepAxes, ASizeAxisShowsItsSweepsSizesOnly)
{
    EXPECT_FALSE(size_on_axis(1, 2, 3));
    EXPECT_TRUE(size_on_axis(2, 2, 3));
    EXPECT_TRUE(size_on_axis(4, 2, 3));
    EXPECT_FALSE(size_on_axis(5, 2, 3));
    EXPECT_TRUE(size_on_axis(7, 7, 1));
    EXPECT_FALSE(size_on_axis(8, 7, 1));
    EXPECT_FALSE(size_on_axis(7, 7, 0));
    EXPECT_TRUE(size_on_axis(31, 1, 31));
    EXPECT_FALSE(size_on_axis(32, 1, 31));
}

// A counted sweep (rules or sizes) ends at its last point; the Z window's
// sweep, counted 0, never stops to clear its graph between points.
TEST(SweepAxes, OnlyACountedSweepHasALastPoint)
{
    for (uint32_t e = 0; e < 300; e++)
        EXPECT_FALSE(sweep_last_point(e, 0)) << e;
    EXPECT_TRUE(sweep_last_point(0, 1));
    EXPECT_FALSE(sweep_last_point(1, 1));
    for (uint32_t e = 0; e < 1250; e++)
        EXPECT_EQ(sweep_last_point(e, 1250), e == 1249) << e;
    EXPECT_FALSE(sweep_last_point(UINT32_MAX, 0));
}

} // namespace
