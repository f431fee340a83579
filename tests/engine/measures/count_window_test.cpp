// The windowed counts against the plain reckoning: G rows shifted one place
// each step, summed over the first min(gens, t) rows, on random count
// streams, with restarts from step 0 and a new gens part-way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "engine/measures/count_window.h"

namespace {

// The window as the plain reckoning keeps it: slot 0 the newest, every
// slot moved one place older each step.
struct shifted_rows {
    std::vector<std::vector<uint32_t>> slots;
    shifted_rows(int gens, size_t entries) : slots(gens, std::vector<uint32_t>(entries, 0)) {}
    std::vector<uint64_t> sum(int window) const
    {
        std::vector<uint64_t> s(slots[0].size(), 0);
        for (int w = 0; w < window; w++)
            for (size_t e = 0; e < s.size(); e++)
                s[e] += slots[w][e];
        return s;
    }
    void shift()
    {
        for (size_t w = slots.size() - 1; w > 0; w--)
            slots[w] = slots[w - 1];
        std::fill(slots[0].begin(), slots[0].end(), 0);
    }
};

// Runs steps of random counts (each at most most) through both, with a
// restart from step 0 at each step listed, comparing the sums every step.
void
compare_runs(int gens, size_t entries, int steps, uint16_t most, const std::vector<int> &restarts,
             unsigned seed)
{
    std::mt19937 random(seed);
    count_window w;
    count_window_allocate(&w, gens, entries, "test window");
    shifted_rows plain(gens, entries);
    uint32_t t = 0;
    for (int step = 1; step <= steps; step++) {
        if (std::find(restarts.begin(), restarts.end(), step) != restarts.end())
            t = 0;
        t++;
        uint16_t *row = count_window_newest(&w);
        for (size_t e = 0; e < entries; e++) {
            uint16_t c = static_cast<uint16_t>(random() % (most + 1u));
            row[e] = c;
            plain.slots[0][e] = c;
        }
        int window = static_cast<int>(std::min<uint32_t>(gens, t));
        const uint32_t *sums = count_window_sum(&w, window);
        std::vector<uint64_t> expected = plain.sum(window);
        for (size_t e = 0; e < entries; e++)
            ASSERT_EQ(sums[e], expected[e]) << "step " << step << " entry " << e;
        count_window_advance(&w);
        plain.shift();
    }
    count_window_release(&w);
}

TEST(CountWindow, SumsEqualThePlainSumOverTheLastRows)
{
    compare_runs(7, 5, 60, 9, {}, 1);
    compare_runs(1, 3, 10, 9, {}, 2);
}

TEST(CountWindow, FirstStepsAverageOverTheStepsRunAndRestartsStartAfresh)
{
    // Restarts after a full window and in the first steps of one.
    compare_runs(10, 4, 80, 20, {25, 27, 50}, 3);
}

TEST(CountWindow, SumsPastSixteenBitsAreExact)
{
    // 2000 cells, every one looking up index 0, over 100 steps: 200,000.
    count_window w;
    count_window_allocate(&w, 100, 2, "test window");
    uint32_t last[2] = {};
    for (int t = 1; t <= 150; t++) {
        count_window_newest(&w)[0] = 2000;
        const uint32_t *sums = count_window_sum(&w, std::min(t, 100));
        last[0] = sums[0];
        last[1] = sums[1];
        count_window_advance(&w);
    }
    EXPECT_EQ(last[0], 200000u);
    EXPECT_EQ(last[1], 0u);
    compare_runs(100, 3, 300, 2000, {}, 4);
    count_window_release(&w);
}

TEST(CountWindow, NewGensPartWayStartsFromZeroRows)
{
    // 'G' makes the rows anew at another length while the run goes on:
    // the sums are those of the new rows alone.
    count_window w;
    count_window_allocate(&w, 5, 2, "test window");
    for (int t = 1; t <= 8; t++) {
        count_window_newest(&w)[1] = 3;
        count_window_sum(&w, std::min(t, 5));
        count_window_advance(&w);
    }
    count_window_allocate(&w, 9, 2, "test window");
    count_window_newest(&w)[1] = 4;
    const uint32_t *sums = count_window_sum(&w, 9);
    EXPECT_EQ(sums[1], 4u);
    EXPECT_EQ(sums[0], 0u);
    count_window_release(&w);
    EXPECT_EQ(w.rows, nullptr);
}

TEST(CountWindow, StepsNotMeasuredLeaveTheNewestRowAsCountedLast)
{
    // A step without a measurement (no sum, no turn) counts into the newest
    // row anew, as the run clears it first; the window then reaches back
    // over as many rows as the step count says.
    count_window w;
    count_window_allocate(&w, 4, 1, "test window");
    shifted_rows plain(4, 1);
    uint16_t counts[] = {5, 6, 7, 8, 9, 10};
    int windows[] = {1, 2, 3, 4, 4, 4};
    for (int i = 0; i < 6; i++) {
        count_window_newest(&w)[0] = counts[i];
        plain.slots[0][0] = counts[i];
        if (i == 2)
            continue;
        EXPECT_EQ(count_window_sum(&w, windows[i])[0], plain.sum(windows[i])[0]) << i;
        count_window_advance(&w);
        plain.shift();
    }
    count_window_release(&w);
}

} // namespace
