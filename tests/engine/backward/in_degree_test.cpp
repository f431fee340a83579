// The in-degree counts and their histogram's arithmetic: counting past the
// cut-off keeps the edge total exact, the totals of a subtree, the gate of
// the plot, the linear and logarithmic columns with their tail, the ticks
// of both axes, and the scale of the stack histogram held within 10..65535.
#include <gtest/gtest.h>

#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/in_degree.h"
#include "engine/backward/stack_scale.h"
#include "engine/model/checked_alloc.h"

namespace {

// pre_fan_freq of last index `last` for one test, then none again.
struct counts_for_test {
    uint32_t saved_max = maxinhist;
    explicit counts_for_test(uint32_t last)
    {
        maxinhist = last;
        reset_in_degree_counts(last + 1);
    }
    ~counts_for_test()
    {
        checked_free(pre_fan_freq);
        pre_fan_freq = nullptr;
        pre_fan_edges = 0;
        maxinhist = saved_max;
    }
};

TEST(InDegreeCounts, ResetClearsCountsAndEdges)
{
    counts_for_test c(60);
    count_in_degree(3, 2);
    EXPECT_EQ(pre_fan_edges, 6u);
    reset_in_degree_counts(61);
    EXPECT_EQ(pre_fan_edges, 0u);
    for (uint32_t i = 0; i <= 60; i++)
        EXPECT_EQ(pre_fan_freq[i], 0u);
}

TEST(InDegreeCounts, SubtreeOf4_0_3HasSevenNodesAndSixEdges)
{
    counts_for_test c(50);
    count_in_degree(0, 4);
    count_in_degree(2, 3);
    for (bool exact : {true, false}) {
        in_degree_totals t = sum_in_degree_counts(pre_fan_freq, maxinhist, exact);
        EXPECT_EQ(t.nodes, 7u);
        EXPECT_EQ(t.edges, 6u);
        EXPECT_EQ(t.highest, 2u);
        EXPECT_EQ(t.largest, 4u);
    }
}

TEST(InDegreeCounts, EdgesStayExactWithSeveralNodesPastTheCutOff)
{
    // Three nodes past the last entry, of 60, 75 and 1000 pre-images (two
    // of them twice, as equivalent copies): the last entry holds five
    // nodes and the edges are the sum of every in-degree.
    counts_for_test c(50);
    count_in_degree(1, 10);
    count_in_degree(60, 2);
    count_in_degree(75, 1);
    count_in_degree(1000, 2);
    EXPECT_EQ(pre_fan_freq[50], 5u);
    uint64_t exact = 10 + 120 + 75 + 2000;
    in_degree_totals t = sum_in_degree_counts(pre_fan_freq, maxinhist, true);
    EXPECT_EQ(t.nodes, 15u);
    EXPECT_EQ(t.edges, exact);
    // From the counts alone (a loaded file) each of the five counts 50.
    EXPECT_EQ(sum_in_degree_counts(pre_fan_freq, maxinhist, false).edges, 10u + 250u);
}

TEST(InDegreeCounts, EdgeTotalHoldsPast32Bits)
{
    counts_for_test c(50);
    count_in_degree(4000000000u, 3);
    EXPECT_EQ(pre_fan_edges, 12000000000u);
}

TEST(InDegreePlot, NothingDrawnForAnEmptyOrAttractorlessRun)
{
    in_degree_totals t;
    in_degree_run run;
    EXPECT_FALSE(in_degree_plot_drawable(t, run, false)); // no nodes
    t.nodes = 7;
    EXPECT_FALSE(in_degree_plot_drawable(t, run, false)); // no edges
    t.edges = 6;
    run.forward = true;
    EXPECT_FALSE(in_degree_plot_drawable(t, run, false)); // basin without attractor states
    run.att_states = 2;
    run.has_run_size = true;
    EXPECT_FALSE(in_degree_plot_drawable(t, run, false)); // fewer edges, size 0
    run.run_size = 7;
    EXPECT_TRUE(in_degree_plot_drawable(t, run, false));
    run.has_run_size = false; // a field has no size of its own
    run.run_size = 0;
    EXPECT_TRUE(in_degree_plot_drawable(t, run, false));
    in_degree_run none;
    none.forward = true;
    EXPECT_TRUE(in_degree_plot_drawable(t, none, true)); // loaded data stands alone
}

TEST(InDegreePlot, LinearColumnsSumTheTailIntoTheLast)
{
    std::vector<uint32_t> counts{5, 1, 2, 3, 4, 6};
    EXPECT_EQ(in_degree_columns(counts.data(), 5, 5, false), (std::vector<uint64_t>{5, 1, 2, 3, 4, 6}));
    EXPECT_EQ(in_degree_columns(counts.data(), 5, 3, false), (std::vector<uint64_t>{5, 1, 2, 13}));
    EXPECT_EQ(in_degree_plot_columns(3), 31u);
    EXPECT_EQ(in_degree_plot_columns(12), 31u);
    EXPECT_EQ(in_degree_plot_columns(200), 201u);
}

TEST(InDegreePlot, LogColumnsArePowersOfTwo)
{
    EXPECT_EQ(in_degree_log_column(0), 0u);
    EXPECT_EQ(in_degree_log_column(1), 1u);
    EXPECT_EQ(in_degree_log_column(3), 2u);
    EXPECT_EQ(in_degree_log_column(4), 3u);
    EXPECT_EQ(in_degree_log_column(200), 8u);
    std::vector<uint32_t> counts(11, 1);
    counts[0] = 9;
    // 0 | 1 | 2-3 | 4-7 | 8-10
    EXPECT_EQ(in_degree_columns(counts.data(), 10, 10, true), (std::vector<uint64_t>{9, 1, 2, 4, 3}));
    // x maximum 5: 5..10 fold into the bin of 5, which holds 4..10.
    EXPECT_EQ(in_degree_columns(counts.data(), 10, 5, true), (std::vector<uint64_t>{9, 1, 2, 7}));
    std::vector<axis_tick> ticks = log_x_ticks(5);
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_EQ(ticks[0].value, 0u);
    EXPECT_EQ(ticks[1].value, 1u);
    EXPECT_EQ(ticks[4].value, 8u);
}

std::vector<uint64_t>
labelled(const std::vector<axis_tick> &ticks)
{
    std::vector<uint64_t> out;
    for (const axis_tick &t : ticks)
        if (t.labelled)
            out.push_back(t.value);
    return out;
}

TEST(InDegreePlot, LinearYTicks)
{
    // Up to 7 every tick is labelled.
    std::vector<axis_tick> seven = linear_y_ticks(7);
    EXPECT_EQ(seven.size(), 8u);
    EXPECT_EQ(labelled(seven).size(), 8u);
    // 16: step 1, every fourth labelled.
    EXPECT_EQ(labelled(linear_y_ticks(16)), (std::vector<uint64_t>{0, 4, 8, 12, 16}));
    // 10: off the grid of 4, so 10 gets a labelled tick of its own.
    EXPECT_EQ(labelled(linear_y_ticks(10)), (std::vector<uint64_t>{0, 4, 8, 10}));
    // 100: step 6, labels every 24, and 100 itself.
    std::vector<axis_tick> hundred = linear_y_ticks(100);
    EXPECT_EQ(hundred[1].value, 6u);
    EXPECT_FALSE(hundred[1].long_tick);
    EXPECT_EQ(labelled(hundred), (std::vector<uint64_t>{0, 24, 48, 72, 96, 100}));
    EXPECT_EQ(labelled(log_y_ticks(2500)), (std::vector<uint64_t>{1, 10, 100, 1000}));
    EXPECT_EQ(labelled(log_y_ticks(3)), (std::vector<uint64_t>{1, 10}));
    EXPECT_EQ(log_y_top(3), 10u);
}

TEST(InDegreePlot, LinearXTicks)
{
    // Highest in-degree 12: 31 columns, labels at 0, 10, 20, 30.
    std::vector<axis_tick> ticks = linear_x_ticks(12, 200, false);
    EXPECT_EQ(ticks.size(), 31u);
    EXPECT_EQ(labelled(ticks), (std::vector<uint64_t>{0, 10, 20, 30}));
    // The capped entry is labelled with a "+".
    std::vector<axis_tick> capped = linear_x_ticks(200, 200, false);
    EXPECT_TRUE(capped.back().plus);
    EXPECT_EQ(capped.back().value, 200u);
    // Past 200 (d = 3): labels every 30, short ticks only every 15.
    std::vector<axis_tick> wide = linear_x_ticks(300, 5000, false);
    EXPECT_EQ(labelled(wide).size(), 11u);
    EXPECT_EQ(wide.size(), 21u);
    // A tail folded into the x maximum gets its labelled "+".
    std::vector<axis_tick> tail = linear_x_ticks(45, 200, true);
    EXPECT_TRUE(tail.back().labelled);
    EXPECT_TRUE(tail.back().plus);
    EXPECT_EQ(tail.back().value, 45u);
}

TEST(StackScale, FirstScaleUsesRealDivisionAndStaysInRange)
{
    // n 10, k 3: 30^(1 + 0.1 + 0.02) = 45.1, where integer division gives 30.
    EXPECT_EQ(first_stack_scale(10, 3), 46u);
    EXPECT_EQ(first_stack_scale(1, 1), 10u);
    EXPECT_EQ(first_stack_scale(0, 3), 10u);
    // n 60000, k 13: far past 16 bits, held at 65535.
    EXPECT_EQ(first_stack_scale(60000, 13), 65535u);
}

TEST(StackScale, GrowthAndAverageScaleStayInRange)
{
    EXPECT_EQ(grown_stack_scale(100), 120u);
    EXPECT_EQ(grown_stack_scale(5), 10u);
    EXPECT_EQ(grown_stack_scale(60000), 65535u);
    EXPECT_EQ(grown_stack_scale(4000000000u), 65535u);
    EXPECT_EQ(average_stack_scale(0), 10u);
    EXPECT_EQ(average_stack_scale(100), 150u);
    EXPECT_EQ(average_stack_scale(50000), 65535u);
    EXPECT_EQ(clamp_stack_scale(-3), 10u);
    EXPECT_EQ(clamp_stack_scale(0.0 / 0.0), 10u);
}

TEST(StackScale, AveragePeakRoundsUpAndNeedsACount)
{
    const uint32_t totals[] = {10, 25, 7};
    EXPECT_EQ(average_stack_peak(totals, 3, 4), 7u); // 25 / 4 = 6.25
    EXPECT_EQ(average_stack_peak(totals, 3, 5), 5u);
    EXPECT_EQ(average_stack_peak(totals, 3, 0), 0u);
}

} // namespace
