// The maximum-k reduction: a k-mix of 3 and 5 inputs under nhood 7 ends at
// 5 with its wiring rows kept and its rule rows untouched (a network that is
// not mixed is left alone); codes and their trie follow the new k, for any v.
#include "engine/model/value_count_trie.h"
#include "engine/rules/max_k_reduction.h"
#include "engine/wiring/wiring_test_support.h"
#include "rules_test_support.h"

namespace {

class MaxK : public RuleTableTest {
protected:
    // A ring of 6 cells under nhood 7 whose cells use 3 and 5 inputs.
    void mixed_ring()
    {
        make_ring(6, 7);
        for (int c = 0; c < 6; c++) {
            nhoodm[c] = static_cast<int8_t>(c % 2 ? 5 : 3);
            for (int j = 0; j < 7; j++)
                wiring[c][j] = static_cast<uint16_t>((c + j) % 6);
        }
        nhood_mixed = 1;
        nhood_lb = 3;
    }
    void drop_ring()
    {
        free_network();
        nhood_mixed = 0;
        nhood_lb = nhood_ub = 0;
    }
};

TEST_F(MaxK, MixOfThreeAndFiveEndsAtFive)
{
    mixed_ring();
    allocate_mem_rule0(7);
    rulemix = 1;
    allocate_mem_rulemix(7);
    allocate_mem_rule0_extra(7);
    allocate_mem_all_0s_all_1s_rules(7);
    uint8_t *row5 = carule[5];
    nhood_mixed = 0;
    reduce_max_k();
    EXPECT_EQ(nhood, 7); // not a mix: left alone
    nhood_mixed = 1;
    reduce_max_k();
    EXPECT_EQ(nhood, 5);
    EXPECT_EQ(nhood_ub, 5);
    EXPECT_EQ(nhood_lb, 3);
    EXPECT_EQ(nhood_mixed, 1);
    EXPECT_EQ(carule[5], row5);
    for (int c = 0; c < 6; c++)
        for (int j = 0; j < 5; j++)
            EXPECT_EQ(wiring[c][j], (c + j) % 6);
    EXPECT_EQ(celloutfreq[0], 4); // inputs 0 of cell 0, 3 of cell 3, 2 of 4, 1 of 5
    free_mem_rule0_extra();
    free_mem_all_0s_all_1s_rules();
    free_mem_rulemix();
    rulemix = 0;
    free_mem_rule0();
    drop_ring();
}

TEST_F(MaxK, KcodesOfThreeValuesAndTheirTrieFollow)
{
    use(3);
    mixed_ring();
    tot_only = 1;
    totalistic = rule_kind_kcodes;
    allocate_mem_tcode0(7);
    allocate_mem_tcode0_extra(7);
    set_up_v_code();
    reduce_max_k();
    EXPECT_EQ(nhood, 5);
    EXPECT_EQ(v_tablecodemax[5] + 1u, kcode_entries(5));
    free_v_code_arrays();
    free_mem_tcode0_extra();
    free_mem_tcode0();
    tot_only = 0;
    totalistic = rule_kind_tables;
    drop_ring();
}

} // namespace
