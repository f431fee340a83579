// The rule sample's computations: the two-pass sort against the sweeps of
// adjacent exchanges written out here, the probe's filter against a scan,
// the frequency grid against a brute-force count and its text byte for
// byte, block heights with a largest count of 1, the Z and lambda bytes
// against the figures of each rule, and the index a choice falls back to.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/measures/rule_sample.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/rule_parameters.h"

namespace {

using bytes = std::vector<uint8_t>;

// count records of `record` bytes with random rules, sd bytes from a few
// values (so that equal sd bytes meet, and gaps too) and random means.
bytes
random_sample(uint32_t count, size_t record, unsigned seed)
{
    srandom(seed);
    bytes records(count * record);
    static const uint8_t sds[] = {0, 3, 4, 5, 40, 41, 200, 255};
    for (uint32_t r = 0; r < count; r++) {
        uint8_t *rec = records.data() + r * record;
        for (size_t b = 0; b + 2 < record; b++)
            rec[b] = static_cast<uint8_t>(random());
        rec[record - 2] = static_cast<uint8_t>(random() % 6 * 50);
        rec[record - 1] = sds[random() % 8];
    }
    return records;
}

void
exchange(uint8_t *records, size_t record, uint32_t a)
{
    std::vector<uint8_t> t(records + a * record, records + (a + 1) * record);
    memmove(records + a * record, records + (a + 1) * record, record);
    memcpy(records + (a + 1) * record, t.data(), record);
}

// The sort as its sweeps are described: adjacent exchanges by sd until a
// sweep makes none, then sweeps by mean under the threshold.
void
reference_sort(uint8_t *records, size_t record, uint32_t count)
{
    auto sd = [&](uint32_t r) { return records[r * record + record - 1]; };
    auto mean = [&](uint32_t r) { return records[r * record + record - 2]; };
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        for (uint32_t i = 0; i + 1 < count; i++)
            if (sd(i) < sd(i + 1)) {
                exchange(records, record, i);
                exchanged = true;
            }
    }
    for (bool exchanged = true; exchanged;) {
        exchanged = false;
        int threshold = 255;
        for (uint32_t i = 0; i + 1 < count; i++) {
            if (sd(i + 1) < threshold) {
                threshold--;
            } else if (mean(i) < mean(i + 1)) {
                exchange(records, record, i);
                exchanged = true;
            }
        }
    }
}

TEST(RuleSample, SortMatchesTheSweepsOfExchanges)
{
    for (unsigned seed = 1; seed <= 40; seed++) {
        uint32_t count = 1 + seed * 7 % 300;
        size_t record = 1 + seed % 4 + 2;
        bytes mine = random_sample(count, record, seed);
        bytes theirs = mine;
        sort_stat_sample(mine.data(), record, count);
        reference_sort(theirs.data(), record, count);
        ASSERT_EQ(mine, theirs) << "seed " << seed << " count " << count;
    }
}

TEST(RuleSample, SortingASortedSampleChangesNothing)
{
    bytes records = random_sample(500, 4, 77);
    sort_stat_sample(records.data(), 4, 500);
    bytes once = records;
    sort_stat_sample(records.data(), 4, 500);
    EXPECT_EQ(records, once);
    for (uint32_t i = 0; i + 1 < 500; i++)
        ASSERT_GE(records[i * 4 + 3], records[(i + 1) * 4 + 3]);
}

TEST(RuleSample, FilterOfRadiusZeroAndTwoAgreesWithAScan)
{
    bytes records = random_sample(2000, 3, 5);
    stat_sample s{records.data(), 3, 2000};
    std::vector<uint8_t> y = sample_y_bytes(s, sample_y_mean, {}, {});
    std::vector<uint8_t> sd = sample_sd_bytes(s);
    for (int radius : {0, 2}) {
        for (int y_pos : {0, 50, 149, 250}) {
            for (int sd_pos : {0, 4, 41, 200}) {
                int listed = 0, scanned = 0;
                for (uint32_t i = 1; i <= s.count; i++) {
                    if (within_probe(y[i - 1], sd[i - 1], y_pos, sd_pos, radius))
                        listed++;
                    int dy = sample_mean_byte(s, i) - y_pos, ds = sample_sd_byte(s, i) - sd_pos;
                    bool inside = radius == 0 ? dy == 0 && ds == 0
                                              : dy * dy <= 4 && ds * ds <= 4;
                    if (inside)
                        scanned++;
                }
                EXPECT_EQ(listed, scanned) << radius << " " << y_pos << " " << sd_pos;
            }
        }
    }
    EXPECT_TRUE(within_probe(50, 4, 50, 4, 0));
    EXPECT_FALSE(within_probe(50, 5, 50, 4, 0));
}

TEST(RuleSample, FrequencyGridCountsAsABruteForceCount)
{
    bytes records = random_sample(3000, 3, 9);
    srandom(11);
    for (uint32_t i = 0; i < 3000; i++) {  // spread the bytes over 0..255
        records[i * 3 + 1] = static_cast<uint8_t>(random());
        records[i * 3 + 2] = static_cast<uint8_t>(random());
    }
    stat_sample s{records.data(), 3, 3000};
    std::vector<uint8_t> y = sample_y_bytes(s, sample_y_mean, {}, {});
    std::vector<uint8_t> sd = sample_sd_bytes(s);
    for (int subdiv : {1, 2, 64, 256}) {
        frequency_grid g = build_frequency_grid(y, sd, subdiv);
        ASSERT_EQ(g.subdiv, subdiv);
        uint32_t largest = 0;
        for (int row = 0; row < subdiv; row++)
            for (int column = 0; column < subdiv; column++) {
                uint32_t count = 0;
                for (uint32_t i = 0; i < 3000; i++) {
                    int yi = records[i * 3 + 1], si = records[i * 3 + 2];
                    if (yi * subdiv / 256 == row && si * subdiv / 256 == column)
                        count++;
                }
                ASSERT_EQ(g.counts[row * subdiv + column], count) << subdiv;
                largest = std::max(largest, count);
            }
        EXPECT_EQ(g.largest, largest);
    }
    // At 256 each cell is one (y, sd) byte pair, as in the density grid.
    frequency_grid fine = build_frequency_grid(y, sd, 256);
    EXPECT_EQ(fine.counts, density_grid(y, sd));
}

TEST(RuleSample, GridTextHasTheHighestRowFirst)
{
    // Rows: y cell 0 holds (0,0) x1 and (0,1) x2; y cell 1 holds (1,1) x3.
    std::vector<uint8_t> y = {0, 10, 100, 200, 130, 255}, sd = {5, 200, 129, 255, 250, 128};
    frequency_grid g = build_frequency_grid(y, sd, 2);
    EXPECT_EQ(frequency_grid_text(g), "0 3 \n1 2 \n");
    EXPECT_EQ(g.largest, 3u);
}

TEST(RuleSample, SubdivisionsArePowersOfTwoUpTo256)
{
    EXPECT_EQ(accepted_subdivision(1, 64), 1);
    EXPECT_EQ(accepted_subdivision(256, 64), 256);
    EXPECT_EQ(accepted_subdivision(32, 64), 32);
    EXPECT_EQ(accepted_subdivision(48, 64), 64);
    EXPECT_EQ(accepted_subdivision(512, 128), 128);
    EXPECT_EQ(accepted_subdivision(0, 128), 128);
}

TEST(RuleSample, BlockHeightsWithALargestCountOfOneAreLinear)
{
    EXPECT_EQ(block_height(1, 1, 90, true), 90);
    EXPECT_EQ(block_height(1, 1, 90, false), 90);
    EXPECT_EQ(block_height(0, 1, 90, true), 0);
    EXPECT_EQ(block_height(0, 0, 90, false), 0);
    EXPECT_EQ(block_height(5, 10, 90, false), 45);
    EXPECT_EQ(block_height(10, 100, 90, true), 45);
    EXPECT_EQ(block_height(1, 100, 90, true), 0);
}

TEST(RuleSample, DensityClassesDoubleUpTo128)
{
    const uint32_t firsts[] = {1, 2, 3, 5, 9, 17, 33, 65, 129};
    for (int c = 0; c < 9; c++) {
        EXPECT_EQ(density_class(firsts[c]), c);
        if (c > 0) {
            EXPECT_EQ(density_class(firsts[c] - 1), c - 1);
        }
    }
    EXPECT_EQ(density_class(100000), 8);
}

TEST(RuleSample, AChoiceOutsideTheSampleTakesRecordOne)
{
    EXPECT_EQ(sample_index_or_first(0, 20), 1u);
    EXPECT_EQ(sample_index_or_first(21, 20), 1u);
    EXPECT_EQ(sample_index_or_first(-3, 20), 1u);
    EXPECT_EQ(sample_index_or_first(20, 20), 20u);
    EXPECT_EQ(sample_index_or_first(7, 20), 7u);
}

TEST(RuleSample, PlotPositionsAndProbeBytesMeetAtTheCorners)
{
    EXPECT_EQ(sample_plot_column(0, 300, 142), 300);
    EXPECT_EQ(sample_plot_column(255, 300, 142), 300 + static_cast<int>(1.8f * 142));
    EXPECT_EQ(sample_plot_row(0, 700, 200), 700);
    EXPECT_EQ(sample_plot_row(255, 700, 200), 500);
    EXPECT_EQ(probe_sd_byte(0, 256), 0);
    EXPECT_EQ(probe_sd_byte(256, 256), 255);
    EXPECT_EQ(probe_y_byte(0, 200), 255);
    EXPECT_EQ(probe_y_byte(200, 200), 0);
}

TEST(RuleSample, ZAndLambdaBytesAreEachRulesFiguresAndTheShownOnesStay)
{
    value_range = 2;
    value_bits = static_cast<int8_t>(check_value_bits(2));
    float z[3] = {0.25f, 0.5f, 0.75f};
    float *kept_z = zparam;
    zparam = z;
    lambda = 0.125f;
    lratio = 0.375f;
    // k = 3 rule tables: 90, 110, 0 and 255.
    bytes records = {90, 1, 2, 110, 3, 4, 0, 5, 6, 255, 7, 8};
    stat_sample s{records.data(), 3, 4};
    std::vector<uint8_t> zb, lb;
    sample_rule_figure_bytes(s, 3, zb, lb);
    EXPECT_EQ(z[0], 0.25f);
    EXPECT_EQ(lambda, 0.125f);
    EXPECT_EQ(lratio, 0.375f);
    ASSERT_EQ(zb.size(), 4u);
    for (uint32_t i = 1; i <= 4; i++) {
        compute_rule_figures(3, sample_record(s, i));
        EXPECT_EQ(zb[i - 1], static_cast<uint8_t>(std::trunc(z[0] * 255))) << i;
        EXPECT_EQ(lb[i - 1], static_cast<uint8_t>(std::trunc(lratio * 255))) << i;
    }
    // Rule 0 is all one value: lambda ratio 0; rule 90 half ones: 1.
    EXPECT_EQ(lb[2], 0);
    EXPECT_EQ(lb[0], 255);
    std::vector<uint8_t> y = sample_y_bytes(s, sample_y_lambda, zb, lb);
    EXPECT_EQ(y, lb);
    EXPECT_EQ(sample_y_bytes(s, sample_y_mean, zb, lb), (std::vector<uint8_t>{1, 3, 5, 7}));
    zparam = kept_z;
}

} // namespace
