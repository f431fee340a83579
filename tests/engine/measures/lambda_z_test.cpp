// The lambda-Z-canalyzing counts: every rule table of k = 1, 2, 3 added
// once, against canalyzing inputs and lambda-ratio classes worked out here
// from each table; the standard-error table of k = 1 byte for byte; the
// cells' forms; the bias schedule; the tables released.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/measures/lambda_z.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/model_test_support.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"

namespace {

constexpr int kMaxK = 3;

class LambdaZCounts : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override
    {
        live_before = live_allocations;
        use_value_range(2);
        allocate_mem_Z_parameter();
        allocate_mem_nhood_matrix(kMaxK);
    }
    void TearDown() override
    {
        free_mem_nhood_matrix(kMaxK);
        free_mem_Z_parameter();
        EXPECT_EQ(live_allocations, live_before);
    }
};

// Rule number r of k inputs as a table: entry i is bit i of r.
std::vector<uint8_t>
table_of(uint32_t r, int k)
{
    std::vector<uint8_t> table(8, 0);
    for (uint32_t i = 0; i < (1u << k); i++)
        set_value(table.data(), i, (r >> i) & 1);
    return table;
}

// Input p canalyzes when one of its values fixes the output of every entry
// that has that value at p.
int
canalyzing_inputs(uint32_t r, int k)
{
    int count = 0;
    for (int p = 0; p < k; p++) {
        bool any = false;
        for (uint32_t x = 0; x <= 1 && !any; x++) {
            int seen = -1;
            bool fixed = true;
            for (uint32_t i = 0; i < (1u << k); i++)
                if (((i >> p) & 1) == x) {
                    int out = (r >> i) & 1;
                    fixed = fixed && (seen < 0 || out == seen);
                    seen = out;
                }
            any = fixed;
        }
        count += any ? 1 : 0;
    }
    return count;
}

// The lambda-ratio class: the number of entries with the rarer output.
uint32_t
minority(uint32_t r, int k)
{
    uint32_t ones = 0, E = 1u << k;
    for (uint32_t i = 0; i < E; i++)
        ones += (r >> i) & 1;
    return ones < E - ones ? ones : E - ones;
}

TEST_F(LambdaZCounts, EveryRuleTableAgainstBruteForce)
{
    for (int k = 1; k <= kMaxK; k++) {
        uint32_t E = 1u << k, H = E / 2, rules = 1u << E;
        std::vector<uint32_t> canal(k + 1, 0), classes(H + 1, 0);
        std::vector<std::vector<uint32_t>> joint(k + 1, std::vector<uint32_t>(H + 1, 0));
        lambda_z_counts t;
        allocate_lambda_z_counts(t, k);
        for (uint32_t r = 0; r < rules; r++) {
            std::vector<uint8_t> table = table_of(r, k);
            compute_rule_figures_binary(k, table.data());
            add_lambda_z_rule(t, canaltotal, lratio);
            int c = canalyzing_inputs(r, k);
            uint32_t b = minority(r, k);
            canal[c]++;
            classes[b]++;
            joint[c][b]++;
        }
        EXPECT_EQ(t.rules, rules);
        EXPECT_EQ(t.half, H);
        for (int c = 0; c <= k; c++) {
            EXPECT_EQ(t.canal_freq[c], canal[c]) << "k=" << k << " C=" << c;
            for (uint32_t b = 0; b <= H; b++)
                EXPECT_EQ(t.canal_lr_freq[c][b], joint[c][b]) << "k=" << k << " C=" << c << " b=" << b;
        }
        for (uint32_t b = 0; b <= H; b++)
            EXPECT_EQ(t.lr_freq[b], classes[b]) << "k=" << k << " b=" << b;
        // k = 1: two canalyzing classes (0 and 1) and two lambda-ratio classes.
        if (k == 1) {
            EXPECT_EQ(lambda_z_class_rows(t)[0].cells.size(), 2u);
            EXPECT_EQ(lambda_z_class_rows(t).size(), 4u + 2u);
        }
        free_lambda_z_counts(t);
    }
}

TEST_F(LambdaZCounts, TheStandardErrorTableOfK1)
{
    lambda_z_counts t;
    allocate_lambda_z_counts(t, 1);
    for (uint32_t r = 0; r < 4; r++) {
        std::vector<uint8_t> table = table_of(r, 1);
        compute_rule_figures_binary(1, table.data());
        add_lambda_z_rule(t, canaltotal, lratio);
    }
    // One input always canalyzes; rules 0 and 3 are uniform (class 0),
    // rules 1 and 2 have one output of each (class 1).
    std::string expected =
        "\nCanalyzing-lambda ratio and P frequency count, total rules=4\n"
        "Canalyzing freq: C0=0=0.000% C1=4=100.000% total: Crules=4=100.000%, "
        "Cinputs=4=100.000%\n"
        "ldr          0/1        1/1\n"
        "ldr            0          1\n"
        "P              1        0.5\n"
        "freq   2=50.000%  2=50.000%\n"
        "C=0                       \n"
        "C=1   2=50.000%  2=50.000%\n";
    EXPECT_EQ(lambda_z_table_text(t), expected);
    free_lambda_z_counts(t);
}

TEST_F(LambdaZCounts, CellsShowWideCountsAsAShareAlone)
{
    lambda_z_counts t;
    allocate_lambda_z_counts(t, 2);
    for (int i = 0; i < 999; i++)
        add_lambda_z_rule(t, 0, 0.0f);
    add_lambda_z_rule(t, 2, 1.0f);
    std::vector<lambda_z_row> rows = lambda_z_class_rows(t);
    // Classes 0, 1, 2 of k = 2: 999 rules in class 0, one in class 2.
    EXPECT_EQ(rows[3].cells, (std::vector<std::string>{"999=99.900%", "", "1=0.100%"}));
    add_lambda_z_rule(t, 0, 0.0f);
    rows = lambda_z_class_rows(t);
    EXPECT_EQ(rows[3].cells[0], "99.900%");   // 1000 of 1001
    EXPECT_EQ(rows[4].label, "C=0 ");
    EXPECT_EQ(rows[4].cells[0], "99.900%");
    EXPECT_EQ(rows[6].cells, (std::vector<std::string>{"", "", "1=0.100%"}));
    free_lambda_z_counts(t);
}

TEST_F(LambdaZCounts, ClassesOfTheLambdaRatio)
{
    // A v = 2 lambda ratio is (rarer outputs) / H: its class is that count.
    for (int k = 1; k <= 13; k++) {
        uint32_t H = (1u << k) / 2;
        for (uint32_t m = 0; m <= H; m += (H > 64 ? H / 64 : 1))
            EXPECT_EQ(lambda_ratio_class(static_cast<float>(m) / static_cast<float>(H), k), m)
                << "k=" << k << " m=" << m;
        EXPECT_EQ(lambda_ratio_class(1.5f, k), H);
        EXPECT_EQ(lambda_ratio_class(-0.5f, k), 0u);
    }
}

TEST(LambdaBias, FollowsTheProgress)
{
    int16_t bias = 0;
    uint8_t z_high = 7;
    lambda_bias_schedule(0.08, bias, z_high);
    EXPECT_EQ(bias, 5);
    EXPECT_EQ(z_high, 7);   // unchanged in the first half
    lambda_bias_schedule(0.44, bias, z_high);
    EXPECT_EQ(bias, 25);
    EXPECT_EQ(z_high, 7);
    lambda_bias_schedule(0.5, bias, z_high);
    EXPECT_EQ(bias, 30);
    EXPECT_EQ(z_high, 0);
    lambda_bias_schedule(0.89, bias, z_high);
    EXPECT_EQ(bias, 50);
    EXPECT_EQ(z_high, 0);
    lambda_bias_schedule(0.95, bias, z_high);
    EXPECT_EQ(bias, 50);
    EXPECT_EQ(z_high, 1);
    // Never falls as the sweep goes on.
    int16_t last = 0;
    for (int c = 0; c <= 1000; c++) {
        lambda_bias_schedule(c / 1000.0, bias, z_high);
        EXPECT_GE(bias, last) << c;
        last = bias;
    }
}

TEST(LambdaZTexts, SummaryAndProgressLines)
{
    EXPECT_EQ(lambda_z_plotted_text(3, 0, 9), "tot plotted=3");
    EXPECT_EQ(lambda_z_plotted_text(12, 'e', 5), "tot plotted=12, equivs=5");
    EXPECT_EQ(lambda_z_plotted_text(12, 'c', 4), "tot plotted=12, clusters=4");
    EXPECT_EQ(lambda_z_plotted_text(12, 'a', 4), "tot plotted=12");
    lambda_z_counts t;
    allocate_lambda_z_counts(t, 2);
    add_lambda_z_rule(t, 2, 0.0f);
    add_lambda_z_rule(t, 1, 0.5f);
    EXPECT_EQ(canalyzing_progress_text(t, 16, 2), "c-frequency:0 1 1  total rules=16 last=2");
    free_lambda_z_counts(t);
}

TEST(LambdaZTables, AFailedAllocationNamesItsTable)
{
    // The checked allocator's default handler ends the process with the
    // label on standard error.
    EXPECT_DEATH(
        {
            fail_allocation_after = 3;
            lambda_z_counts t;
            allocate_lambda_z_counts(t, 4);
        },
        "canal_lr-freq");
}

} // namespace
