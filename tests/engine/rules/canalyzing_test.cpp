// Canalyzing inputs: forcing checked by brute force, w0, the one-cell runs
// (k = 1 keeps its count through all 101 tries), 'N' on a k-mix with each
// cell's own k, the colour classes, and network runs that always end.
#include <functional>

#include "engine/forward/forward_test_support.h"
#include "engine/model/rule_parameters.h"
#include "engine/rules/canalyzing.h"
#include "rules_test_support.h"

namespace {

using Canal = RuleTableTest;

// Brute force: input j canalyzes when some value u fixes the output.
bool
canalyzes(int k, const uint8_t *t, int j)
{
    int v = value_range;
    uint32_t N = static_cast<uint32_t>(int_power(v, k));
    for (int u = 0; u < v; u++) {
        int ref = -1;
        bool fixed = true;
        for (uint32_t i = 0; i < N; i++)
            if (get_value(nm[j], i) == u) {
                int o = get_value(t, i);
                if (ref < 0)
                    ref = o;
                else if (o != ref)
                    fixed = false;
            }
        if (fixed)
            return true;
    }
    return false;
}

TEST_F(Canal, ForcingMakesTheInputCanalyzing)
{
    for (int v : {2, 3}) {
        use(v);
        srandom(static_cast<unsigned>(v));
        for (int round = 0; round < 30; round++) {
            int k = 1 + static_cast<int>(random() % 4);
            auto t = table(k);
            for (int i = 0; i < entries(k); i++)
                set_value(t.data(), static_cast<uint32_t>(i), static_cast<int>(random() % v));
            int j = static_cast<int>(random() % k), u = static_cast<int>(random() % v),
                w = static_cast<int>(random() % v);
            force_canalyzing(k, t.data(), j, u, w);
            for (int i = 0; i < entries(k); i++) {
                if (digit(i, j) == u) {
                    EXPECT_EQ(at(t, i), w);
                }
            }
            int count = 0;
            for (int p = 0; p < k; p++)
                count += canalyzes(k, t.data(), p);
            EXPECT_EQ(count_canalyzing(k, t.data()), count);
            EXPECT_TRUE(get_bitlong(canal, static_cast<uint32_t>(j)));
        }
    }
}

TEST_F(Canal, W0IsTheCanalizedOutputOfTheTopInput)
{
    auto t = table(3);
    t[0] = 0xF0; // output = digit 2: input 2 canalyzes on 0 with output 0
    EXPECT_EQ(canalyzing_w0(3, t.data()), 0);
    t[0] = 0x0F; // output = not digit 2: value 0 gives 1
    EXPECT_EQ(canalyzing_w0(3, t.data()), 1);
    t[0] = 0x96; // no canalyzing input: entry (v-1)v^(k-1) = 4
    EXPECT_EQ(canalyzing_w0(3, t.data()), 1);
    EXPECT_EQ(canaltotal, 0);
}

TEST_F(Canal, KOneRunsAllTriesAndKeepsItsCount)
{
    auto t = table(1);
    t[0] = 0x02; // identity
    srandom(77);
    lower_canalyzing_inputs(1, t.data(), 0);
    EXPECT_EQ(canaltotal, 1);
    // 20 tries of 4 draws (u, w, j, e) and 81 of 5 (u, w, j, two entries).
    long next = random();
    srandom(77);
    for (int d = 0; d < 20 * 4 + 81 * 5; d++)
        random();
    EXPECT_EQ(random(), next);
}

TEST_F(Canal, OneCellRunsReachReachableCounts)
{
    srandom(4);
    for (int target = 0; target <= 4; target++) {
        auto t = table(4);
        t[0] = 0x96;
        t[1] = 0x69; // parity of 4 inputs: no canalyzing input
        count_canalyzing(4, t.data());
        if (target > canaltotal)
            raise_canalyzing_inputs(4, t.data(), target);
        else
            lower_canalyzing_inputs(4, t.data(), target);
        EXPECT_EQ(count_canalyzing(4, t.data()), canaltotal);
        EXPECT_LE(canaltotal, 4);
    }
}

TEST(CanalNet, WholeNetUsesEachCellsOwnK)
{
    allocate_mem_nhood_matrix(13);
    {
        TestNetwork net(2, 6, 4);
        allocate_mem_rulemix(4);
        rulemix = 1;
        nhood_mixed = 1;
        srandom(8);
        for (uint32_t c = 0; c < 6; c++) {
            nhoodm[c] = static_cast<int8_t>(c % 2 ? 4 : 2);
            carule[c][0] = c % 2 ? 0x96 : 0x06; // parities, no canalyzing input
            carule[c][1] = c % 2 ? 0x69 : 0;
        }
        nhoodm[5] = 1; // every input canalyzes: left alone
        carule[5][0] = 0x02;
        carule[5][1] = 0;
        raise_canalyzing_whole_net(1);
        for (uint32_t c = 0; c < 5; c++) {
            int k = nhoodm[c];
            count_canalyzing(k, carule[c]);
            EXPECT_GE(canaltotal, 1) << c;
            // Nothing written past the cell's own entries.
            if (k == 2) {
                EXPECT_EQ(carule[c][0] >> 4, 0) << c;
            }
        }
        EXPECT_EQ(carule[5][0], 0x02);
        free_mem_rulemix();
        rulemix = 0;
    }
    free_mem_nhood_matrix(13);
}

TEST(CanalNet, ColourClasses)
{
    nhood_mixed = 0;
    nhood = 3;
    EXPECT_EQ(set_canal_color(0, 3, 3), 9);
    EXPECT_EQ(set_canal_color(0, 0, 3), 0);
    EXPECT_EQ(set_canal_color(0, 2, 3), 4);
    nhood = 10; // ratio scheme
    EXPECT_EQ(set_canal_color(10, 3, 10), 2);
    EXPECT_EQ(set_canal_color(10, 5, 10), 3);
    EXPECT_EQ(set_canal_color(10, 10, 10), 5);
    EXPECT_EQ(set_canal_color(10, 0, 10), 0);
    nhood = 0;
}

class CanalRun : public ::testing::Test {
protected:
    void SetUp() override { allocate_mem_nhood_matrix(13); }
    void TearDown() override { free_mem_nhood_matrix(13); }
};

TEST_F(CanalRun, DecreaseEndsWhenOnlyKOneCellsCanalyze)
{
    TestNetwork net(2, 20, 3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    nhood_mixed = 1;
    for (uint32_t c = 0; c < 20; c++) {
        nhoodm[c] = static_cast<int8_t>(c < 10 ? 1 : 3);
        carule[c][0] = c < 10 ? 0x02 : 0x96;
    }
    canal_census census;
    take_canal_census(census);
    EXPECT_EQ(census.genes, 10);
    EXPECT_EQ(census.canal_inputs, 10u);
    EXPECT_EQ(census.inputs, 40u);
    srandom(1);
    change_canalyzing_inputs(census, false, 0.0, 40, nullptr);
    EXPECT_EQ(census.canal_inputs, 10u);
    change_canalyzing_genes(census, false, 10, 0);
    take_canal_census(census);
    EXPECT_EQ(census.genes, 10);
    free_mem_rulemix();
    rulemix = 0;
}

TEST_F(CanalRun, DecreasePassesOverCellsNoRedrawFrees)
{
    // A k-matrix made for v = 3 read as v = 2: input 2 of k = 3 shows the
    // value 0 alone, so every table counts it canalyzing and no redraw can
    // free a cell. The run passes every cell over and ends.
    free_mem_nhood_matrix(13);
    value_range = 3;
    value_bits = 2;
    allocate_mem_nhood_matrix(13);
    TestNetwork net(2, 8, 3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    for (uint32_t c = 0; c < 8; c++)
        carule[c][0] = static_cast<uint8_t>(0xE8 + c); // canalyzing tables, all different
    canal_census census;
    take_canal_census(census);
    ASSERT_EQ(census.genes, 8);
    srandom(5);
    EXPECT_EQ(change_canalyzing_genes(census, false, 4, 0), 0);
    for (uint32_t c = 0; c < 8; c++)
        EXPECT_EQ(carule[c][0], 0xE8 + c) << "cell " << c;
    take_canal_census(census);
    EXPECT_EQ(census.genes, 8);

    // With the k-matrix of v = 2 the same run frees every gene it is asked to.
    free_mem_nhood_matrix(13);
    allocate_mem_nhood_matrix(13);
    take_canal_census(census);
    long genes = census.genes;
    ASSERT_GT(genes, 0);
    EXPECT_EQ(change_canalyzing_genes(census, false, genes, 0), genes);
    take_canal_census(census);
    EXPECT_EQ(census.genes, 0);
    free_mem_rulemix();
    rulemix = 0;
}

TEST_F(CanalRun, GenesAndInputsMoveTowardsTheirTargets)
{
    TestNetwork net(2, 30, 3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    for (uint32_t c = 0; c < 30; c++)
        carule[c][0] = 0x96;
    canal_census census;
    take_canal_census(census);
    EXPECT_EQ(census.genes, 0);
    srandom(2);
    change_canalyzing_genes(census, true, 12, 0);
    take_canal_census(census);
    EXPECT_EQ(census.genes, 12);
    change_canalyzing_genes(census, false, 5, 1);
    take_canal_census(census);
    EXPECT_EQ(census.genes, 7);
    uint64_t counted = census.canal_inputs;
    change_canalyzing_inputs(census, true, 0.5, 45, nullptr);
    uint64_t tracked = census.canal_inputs;
    take_canal_census(census);
    EXPECT_EQ(census.canal_inputs, tracked);
    EXPECT_GT(census.canal_inputs, counted);
    free_mem_rulemix();
    rulemix = 0;
}

} // namespace
