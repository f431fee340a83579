// Allocation families of the network arrays: sizes per v and k, fills, the
// k-matrix, the mixes and their one-cell resizes, the order of release, and
// that every family given back returns live_allocations to where it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/network_arrays.h"
#include "model_test_support.h"

namespace {

class NetworkArrays : public ::testing::Test {
protected:
    long live_before = 0;
    void SetUp() override
    {
        use_value_range(2);
        tot_only = 0;
        totalistic = rule_kind_tables;
        nhood = 0;
        live_before = live_allocations;
    }
    void TearDown() override
    {
        EXPECT_EQ(live_allocations, live_before) << "a family was not given back";
        use_value_range(2);
        tot_only = 0;
        totalistic = rule_kind_tables;
        nhood = 0;
        lineL = L = bytesL = 0;
    }
};

TEST_F(NetworkArrays, RuleTableSizes)
{
    use_value_range(2);
    EXPECT_EQ(rule_bytes(5), 4u);
    use_value_range(3);
    EXPECT_EQ(rule_entries(5), 243u);
    EXPECT_EQ(rule_bytes(5), 61u);
    use_value_range(8);
    EXPECT_EQ(rule_entries(4), 4096u);
    EXPECT_EQ(rule_bytes(4), 1536u);
}

TEST_F(NetworkArrays, CodeSizes)
{
    use_value_range(3);
    EXPECT_EQ(tcode_entries(4), 9u);
    EXPECT_EQ(tcode_bytes(4), 3u);
    EXPECT_EQ(kcode_entries(4), 15u);
    EXPECT_EQ(kcode_bytes(4), 4u);
    use_value_range(2);
    EXPECT_EQ(kcode_entries(13), 14u);
    EXPECT_EQ(kcode_bytes(13), 2u);
    use_value_range(8);
    EXPECT_EQ(kcode_entries(11), 31824u);
    EXPECT_EQ(kcode_bytes(11), 11934u);
    // Kcode entries are the multisets of k values out of v: count them.
    for (int v = 2; v <= 5; v++) {
        use_value_range(v);
        for (int k = 1; k <= 6; k++) {
            uint64_t n = int_power(v, k), classes = 0;
            std::vector<bool> seen(n, false);
            for (uint64_t i = 0; i < n; i++) {
                // Canonical form: digits sorted descending.
                std::vector<int> d;
                for (int j = 0; j < k; j++)
                    d.push_back(digit_of(i, v, j));
                std::sort(d.begin(), d.end());
                uint64_t c = 0;
                for (int j = k - 1; j >= 0; j--)
                    c = c * static_cast<uint64_t>(v) + static_cast<uint64_t>(d[static_cast<size_t>(j)]);
                if (!seen[c]) {
                    seen[c] = true;
                    classes++;
                }
            }
            EXPECT_EQ(kcode_entries(k), classes) << "v=" << v << " k=" << k;
        }
    }
}

TEST_F(NetworkArrays, RuleAndCompanionsAreZeroFilled)
{
    use_value_range(3);
    allocate_mem_rule0(4);
    allocate_mem_rule0_extra(4);
    allocate_mem_all_0s_all_1s_rules(4);
    for (size_t b = 0; b < rule_bytes(4); b++) {
        EXPECT_EQ(carule[0][b], 0);
        EXPECT_EQ(carule_mut[b], 0);
        EXPECT_EQ(rule_all_0s[b], 0);
        EXPECT_EQ(rule_all_1s[b], 0xFF);
    }
    EXPECT_EQ(sizeof_statbuf, 2u);
    EXPECT_EQ(totstatrules, 0u);
    for (uint64_t e = 0; e < rule_entries(4); e++)
        EXPECT_EQ(hist_order[e], 0);
    free_mem_all_0s_all_1s_rules();
    free_mem_rule0_extra();
    free_mem_rule0();
    EXPECT_EQ(sizeof_statbuf, 0u);
    EXPECT_EQ(carule, nullptr);
}

TEST_F(NetworkArrays, CodeExtrasSizedByRuleKind)
{
    use_value_range(2);
    totalistic = rule_kind_kcodes;
    long before = live_allocations;
    allocate_mem_tcode0_extra(3);
    EXPECT_EQ(live_allocations - before, 3);
    // Five entries for k = 3 kcodes: writing the last one is in range (the
    // sanitizer build checks it).
    hist_order[4] = 1;
    color_filter[0] = 0x1F;
    free_mem_tcode0_extra();
    totalistic = rule_kind_tcodes;
    use_value_range(4);
    allocate_mem_tcode0_extra(5);
    hist_order[15] = 1;   // 5 * 3 + 1 = 16 entries
    free_mem_tcode0_extra();
}

TEST_F(NetworkArrays, KMatrixRowsAreTheDigitsOfEveryIndex)
{
    const int K[] = {13, 9, 7, 6, 5, 5, 4};
    for (int v = 2; v <= 8; v++) {
        use_value_range(v);
        allocate_mem_nhood_matrix(K[v - 2]);
        uint64_t N = int_power(v, K[v - 2]);
        for (int j = 0; j < K[v - 2]; j++)
            for (uint64_t i = 0; i < N; i++)
                ASSERT_EQ(get_value(nm[j], static_cast<uint32_t>(i)), digit_of(i, v, j))
                    << "v=" << v << " row " << j << " entry " << i;
        EXPECT_EQ(canal[0] | canal[1], 0);
        free_mem_nhood_matrix(K[v - 2]);
        EXPECT_EQ(nm, nullptr);
    }
}

TEST_F(NetworkArrays, KMatrixForThreeValues)
{
    use_value_range(3);
    long before = live_allocations;
    allocate_mem_nhood_matrix(9);
    // nm, 9 rows and canal; the digit scratch is gone again.
    EXPECT_EQ(live_allocations - before, 1 + 9 + 1);
    EXPECT_EQ(value_line_bytes(int_power(3, 9), value_bits), 4921u);
    EXPECT_EQ(unpack(nm[0], 7), (std::vector<int>{0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(unpack(nm[1], 10), (std::vector<int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 0}));
    free_mem_nhood_matrix(9);
}

TEST_F(NetworkArrays, AllOnesStateForTwoValues)
{
    use_value_range(2);
    use_size(10);
    allocate_mem_CA_states();
    EXPECT_EQ(all_1s[0], 0xFF);
    EXPECT_EQ(all_1s[1], 0x03);
    EXPECT_EQ(all_0s[0] | all_0s[1], 0);
    EXPECT_EQ(dec_equiv(all_1s, L), 1023u);
    EXPECT_EQ(notolearn, 1);
    free_mem_CA_states();
}

TEST_F(NetworkArrays, AllOnesStateForThreeValuesKeepsEveryBit)
{
    use_value_range(3);
    use_size(3);
    allocate_mem_CA_states();
    EXPECT_EQ(bytesL, 1);
    EXPECT_EQ(all_1s[0], 0xFF);
    // Every entry is 3, a spare value above v - 1.
    EXPECT_EQ(get_value(all_1s, 2), 3);
    free_mem_CA_states();
}

TEST_F(NetworkArrays, ForwardOnlyStatesStopAtTempState)
{
    use_value_range(2);
    use_size(20);
    long before = live_allocations;
    tot_only = 1;
    allocate_mem_CA_states();
    EXPECT_EQ(live_allocations - before, 11);
    EXPECT_EQ(tempState2, nullptr);
    EXPECT_EQ(learn_pre, nullptr);
    free_mem_CA_states();
    tot_only = 0;
    allocate_mem_CA_states();
    EXPECT_EQ(live_allocations - before, 11 + 3 + 2 + 2);
    free_mem_CA_states();
}

TEST_F(NetworkArrays, WiringPresetToEmptySlots)
{
    use_size(4);
    nhood = 3;
    allocate_mem_wiring();
    for (int c = 0; c < 4; c++)
        for (int j = 0; j < 3; j++)
            EXPECT_EQ(wiring[c][j], 65535);
    for (int c = 0; c < 4; c++)
        EXPECT_EQ(celloutfreq[c], 0);
    EXPECT_EQ(force_layer[0] | force_layer[1], 0);
    free_mem_wiring();
    EXPECT_EQ(wiring, nullptr);
}

TEST_F(NetworkArrays, WiringGrowsAndShrinksByOneCell)
{
    use_size(5);
    nhood = 2;
    allocate_mem_wiring();
    long live = live_allocations;
    use_size(6);
    reallocate_mem_wiring(1);
    EXPECT_EQ(live_allocations, live + 1);
    EXPECT_EQ(wiring[5][0], 0);   // new rows are zero-filled, not preset
    EXPECT_EQ(wiring[5][1], 0);
    EXPECT_EQ(wiring[4][1], 65535);
    EXPECT_EQ(celloutfreq[5], 0);
    use_size(5);
    reallocate_mem_wiring(-1);
    EXPECT_EQ(live_allocations, live);
    reallocate_mem_wiring(0);
    EXPECT_EQ(live_allocations, live);
    free_mem_wiring();
}

TEST_F(NetworkArrays, RuleMixGrowsAndShrinksOnlyTheLastRow)
{
    use_value_range(2);
    use_size(10);
    allocate_mem_rule0(3);
    carule[0][0] = 0x1E;
    long one_row = live_allocations;
    allocate_mem_rulemix(3);
    EXPECT_EQ(live_allocations - one_row, 9);
    EXPECT_EQ(carule[0][0], 0x1E);   // row 0 and its table kept
    for (int c = 1; c < 10; c++)
        carule[c][0] = static_cast<uint8_t>(c);
    uint8_t *row9 = carule[9];

    long ten_rows = live_allocations;
    use_size(11);
    reallocate_mem_rulemix(3, 1);
    EXPECT_EQ(live_allocations - ten_rows, 1);
    EXPECT_EQ(carule[10][0], 0);
    EXPECT_EQ(carule[9], row9);   // earlier rows are not copied
    EXPECT_EQ(carule[9][0], 9);

    use_size(10);
    reallocate_mem_rulemix(3, -1);
    EXPECT_EQ(live_allocations, ten_rows);
    EXPECT_EQ(carule[9][0], 9);

    free_mem_rulemix();
    EXPECT_EQ(live_allocations, one_row);
    EXPECT_EQ(carule[0][0], 0x1E);
    free_mem_rule0();
}

TEST_F(NetworkArrays, CodeMixGrowsAndShrinksBothCodes)
{
    use_value_range(3);
    use_size(4);
    allocate_mem_tcode0(2);
    long one_row = live_allocations;
    allocate_mem_tcodemix(2);
    EXPECT_EQ(live_allocations - one_row, 6);
    use_size(5);
    reallocate_mem_tcodemix(2, 1);
    EXPECT_EQ(live_allocations - one_row, 8);
    set_value(cacode[4], 4, 2);    // 2 * 2 + 1 = 5 entries
    set_value(v_code[4], 5, 2);    // 6 kcode entries
    use_size(4);
    reallocate_mem_tcodemix(2, -1);
    EXPECT_EQ(live_allocations - one_row, 6);
    free_mem_tcodemix();
    EXPECT_EQ(live_allocations, one_row);
    free_mem_tcode0();
}

TEST_F(NetworkArrays, LimitedSetsOfRulesAndCodes)
{
    use_value_range(4);
    allocate_mem_diffrules(3, 200);
    allocate_mem_diffcodes(3, 200);
    set_value(diffrule[199], 63, 3);
    set_value(diffcode[199], 9, 3);
    set_value(v_diffcode[199], 19, 3);
    free_mem_diffcodes(200);
    free_mem_diffrules(200);
}

TEST_F(NetworkArrays, CodeSweepBuffersHoldEveryBinaryTcode)
{
    nhood = 25;
    long before = live_allocations;
    allocate_code_mem();
    EXPECT_EQ(live_allocations - before, 2);
    // 2^26 bits: the last byte is byte 8 MB - 1.
    codetickoff[(size_t(1) << 23) - 1] = 0x80;
    tempcode[3] = 0x03;
    checked_free(codetickoff);
    checked_free(tempcode);
    codetickoff = tempcode = nullptr;
}

TEST_F(NetworkArrays, EveryFamilyAllocatedAndReleasedTwice)
{
    // A whole set-up for v = 3, then the same again: the second pass must
    // find nothing left over from the first.
    for (int pass = 0; pass < 2; pass++) {
        use_value_range(3);
        allocate_mem_nhood_matrix(9);
        use_size(12);
        allocate_mem_CA_states();
        nhood = 4;
        allocate_mem_tcode0(4);
        allocate_mem_rule0(4);
        allocate_mem_rule0_extra(4);
        allocate_mem_all_0s_all_1s_rules(4);
        allocate_mem_wiring();
        allocate_mem_rulemix(4);
        allocate_mem_tcodemix(4);

        free_mem_tcodemix();
        free_mem_rulemix();
        free_mem_wiring();
        free_mem_all_0s_all_1s_rules();
        free_mem_rule0_extra();
        free_mem_rule0();
        free_mem_tcode0();
        free_mem_CA_states();
        free_mem_nhood_matrix(9);
        EXPECT_EQ(live_allocations, live_before) << "pass " << pass;
    }
}

TEST(NetworkArraysDeath, FailedRowNamesItsIndex)
{
    EXPECT_EXIT(
        {
            use_value_range(2);
            use_size(30);
            allocate_mem_rule0(3);
            fail_allocation_after = 18;   // the pointer array, then rows 1..17
            allocate_mem_rulemix(3);
        },
        ::testing::ExitedWithCode(1), "carule\\[17\\]");
}

TEST(NetworkArraysDeath, FailedWiringRow)
{
    EXPECT_EXIT(
        {
            use_size(8);
            nhood = 2;
            fail_allocation_after = 4;   // "**wiring", rows 0..2
            allocate_mem_wiring();
        },
        ::testing::ExitedWithCode(1), "wiring\\[2\\]");
}

} // namespace
