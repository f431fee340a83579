// Random tcode ('t') and kcode ('k') mutants, and the random code flip: the
// code is drawn entry by entry from the seed, the rule table is rebuilt from
// it (checked against the digits of each neighbourhood worked out here), and
// nothing else of the network changes.
#include <cstdlib>

#include "driver_network_support.h"
#include "engine/model/value_count_trie.h"
#include "ui/driver/mutation.h"
#include "ui/model/rule_parameters.h"

namespace {

class CodeMutation : public NetworkTest {
protected:
    bool trie = false;

    void SetUp() override
    {
        NetworkTest::SetUp();
        mutate = mutation_kcode;
        mutate_wiring = 0;
        bits_to_flip = 1;
        wires_to_move = 1;
        was_changed = 0;
        gd_z_graph = sweep_graph_none;
        mutant_layout = 0;
        tot_only = 0;
    }
    void TearDown() override
    {
        if (trie)
            free_v_code_arrays();
        mutate = mutation_bits;
        mutate_wiring = 0;
        NetworkTest::TearDown();
    }
    // A ring with the value-count trie the kcodes need.
    void kcode_ring(int n, int k, int v = 2)
    {
        ring(n, k, v);
        set_up_v_code();
        trie = true;
    }
    // mutate_rule must allocate nothing that outlives it.
    int mutate_once()
    {
        long before = live_allocations;
        int result = mutate_rule(nhood);
        EXPECT_EQ(live_allocations, before);
        return result;
    }
    int digit(uint32_t i, int j) { return get_value(nm[j], i); }
    int code_entry(uint8_t **codes, int c, int e) { return get_value(codes[c], static_cast<uint32_t>(e)); }
    std::vector<uint8_t> row(uint8_t **rows, int c, size_t bytes) { return std::vector<uint8_t>(rows[c], rows[c] + bytes); }
    // The Z figures left behind must be those of the new rule table 0.
    void expect_z_current()
    {
        float z[3] = {zparam[0], zparam[1], zparam[2]};
        if (value_range == 2)
            z_parameter_all(nhood, 0, carule[0]);
        else
            z_parameter_all_mvalue(nhood, 0, carule[0]);
        for (int i = 0; i < 3; i++)
            EXPECT_FLOAT_EQ(z[i], zparam[i]) << "Z figure " << i;
    }
};

// ---- kcode ------------------------------------------------------------------

TEST_F(CodeMutation, KcodeOfTwoValuesFollowsTheCountOfOnes)
{
    kcode_ring(10, 3);
    ASSERT_EQ(v_tablecodemax[3], 3);
    memset(carule[0], 0, rule_bytes(3));
    auto tcode = row(cacode, 0, tcode_bytes(3));
    auto wires = wiring_rows();
    zparam[0] = -1.0f;
    srandom(17);
    EXPECT_EQ(mutate_once(), 1);
    EXPECT_EQ(totalistic, rule_kind_kcodes);
    srandom(17);
    int ones = 0;
    for (int e = 0; e <= 3; e++) {
        EXPECT_EQ(code_entry(v_code, 0, e), random() % 2) << "kcode entry " << e;
        ones += code_entry(v_code, 0, e);
    }
    ASSERT_GT(ones, 0) << "the seed draws an all-0 code, which the zeroed table hides";
    // For two values a kcode entry is the number of inputs holding 1.
    for (uint32_t i = 0; i < 8; i++)
        EXPECT_EQ(entry(0, static_cast<int>(i)),
                  code_entry(v_code, 0, digit(i, 0) + digit(i, 1) + digit(i, 2)));
    EXPECT_EQ(row(cacode, 0, tcode_bytes(3)), tcode);
    EXPECT_EQ(wiring_rows(), wires);
    expect_z_current();
}

TEST_F(CodeMutation, KcodeOfThreeValuesFollowsTheValueCounts)
{
    kcode_ring(8, 2, 3);
    ASSERT_EQ(v_tablecodemax[2], 5);
    srandom(40);
    EXPECT_EQ(mutate_once(), 1);
    srandom(40);
    for (int e = 0; e <= 5; e++)
        EXPECT_EQ(code_entry(v_code, 0, e), random() % 3) << "kcode entry " << e;
    // Entries of the kcode by (count of 1s, count of 2s):
    // (0,0) (1,0) (2,0) (0,1) (1,1) (0,2).
    const int entry_of[3][3] = {{0, 3, 5}, {1, 4, -1}, {2, -1, -1}};
    for (uint32_t i = 0; i < 9; i++) {
        int ones = (digit(i, 0) == 1) + (digit(i, 1) == 1);
        int twos = (digit(i, 0) == 2) + (digit(i, 1) == 2);
        EXPECT_EQ(entry(0, static_cast<int>(i)), code_entry(v_code, 0, entry_of[ones][twos]))
            << "neighbourhood " << i;
    }
    expect_z_current();
}

TEST_F(CodeMutation, KcodeOfEveryCellOfARuleMixInCellOrder)
{
    kcode_ring(5, 2);
    rule_mix();
    srandom(9);
    EXPECT_EQ(mutate_once(), 1);
    srandom(9);
    for (int c = 0; c < 5; c++) {
        for (int e = 0; e <= 2; e++)
            EXPECT_EQ(code_entry(v_code, c, e), random() % 2) << "cell " << c;
        for (uint32_t i = 0; i < 4; i++)
            EXPECT_EQ(entry(c, static_cast<int>(i)), code_entry(v_code, c, digit(i, 0) + digit(i, 1)));
    }
}

TEST_F(CodeMutation, KcodeWithMixedKUsesEachCellsOwnK)
{
    kcode_ring(4, 3);
    rule_mix();
    nhood_mixed = 1;
    const int8_t ks[] = {3, 1, 0, 2};
    for (int c = 0; c < 4; c++) {
        nhoodm[c] = ks[c];
        memset(carule[c], 0xFF, rule_bytes(3));
        memset(v_code[c], 0xFF, kcode_bytes(3));
    }
    srandom(12);
    EXPECT_EQ(mutate_once(), 1);
    srandom(12);
    for (int c = 0; c < 4; c++) {
        int kc = ks[c];
        int code_last = kc >= 1 ? kc : -1; // k+1 entries for two values; none for k = 0
        for (int e = 0; e <= code_last; e++)
            EXPECT_EQ(code_entry(v_code, c, e), random() % 2) << "cell " << c;
        for (int e = code_last + 1; e <= 3; e++)
            EXPECT_EQ(code_entry(v_code, c, e), 1) << "cell " << c << " beyond its code";
        int table = kc >= 1 ? 1 << kc : 0;
        for (int i = 0; i < table; i++) {
            int ones = 0;
            for (int j = 0; j < kc; j++)
                ones += digit(static_cast<uint32_t>(i), j);
            EXPECT_EQ(entry(c, i), code_entry(v_code, c, ones)) << "cell " << c;
        }
        for (int i = table; i < 8; i++)
            EXPECT_EQ(entry(c, i), 1) << "cell " << c << " beyond its table";
    }
    for (int c = 0; c < 4; c++)
        nhoodm[c] = 3;
}

TEST_F(CodeMutation, KcodeWithWiresMovesTheWiresFirst)
{
    kcode_ring(12, 3);
    mutate_wiring = mutation_wires;
    wires_to_move = 2;
    auto wires = wiring_rows();
    srandom(25);
    EXPECT_EQ(mutate_once(), 1);
    srandom(25);
    for (int t = 0; t < 2; t++) {
        long c = random() % 12, j = random() % 3;
        wires[c][j] = static_cast<uint16_t>(random() % 12);
    }
    EXPECT_EQ(wiring_rows(), wires);
    for (int e = 0; e <= 3; e++)
        EXPECT_EQ(code_entry(v_code, 0, e), random() % 2) << "kcode entry " << e;
}

TEST_F(CodeMutation, KcodeInTheForwardOnlyModeHasNoTableToRebuild)
{
    kcode_ring(10, 3);
    uint8_t **tables = carule;
    carule = nullptr;
    tot_only = 1;
    srandom(3);
    EXPECT_EQ(mutate_once(), 1);
    tot_only = 0;
    carule = tables;
    EXPECT_EQ(totalistic, rule_kind_kcodes);
    srandom(3);
    for (int e = 0; e <= 3; e++)
        EXPECT_EQ(code_entry(v_code, 0, e), random() % 2);
}

// ---- tcode --------------------------------------------------------------------

TEST_F(CodeMutation, TcodeOfThreeValuesFollowsTheSumOfInputs)
{
    ring(8, 2, 3);
    mutate = mutation_tcode;
    auto kcode = row(v_code, 0, kcode_bytes(2));
    auto wires = wiring_rows();
    srandom(31);
    EXPECT_EQ(mutate_once(), 1);
    EXPECT_EQ(totalistic, rule_kind_tcodes);
    srandom(31);
    for (int e = 0; e <= 4; e++) // k(v-1)+1 entries
        EXPECT_EQ(code_entry(cacode, 0, e), random() % 3) << "tcode entry " << e;
    for (uint32_t i = 0; i < 9; i++)
        EXPECT_EQ(entry(0, static_cast<int>(i)), code_entry(cacode, 0, digit(i, 0) + digit(i, 1)));
    EXPECT_EQ(row(v_code, 0, kcode_bytes(2)), kcode);
    EXPECT_EQ(wiring_rows(), wires);
    expect_z_current();
}

TEST_F(CodeMutation, TcodeOfEveryCellOfARuleMix)
{
    ring(6, 3);
    rule_mix();
    mutate = mutation_tcode;
    srandom(14);
    EXPECT_EQ(mutate_once(), 1);
    EXPECT_EQ(totalistic, rule_kind_tcodes);
    srandom(14);
    for (int c = 0; c < 6; c++) {
        for (int e = 0; e <= 3; e++)
            EXPECT_EQ(code_entry(cacode, c, e), random() % 2) << "cell " << c;
        for (uint32_t i = 0; i < 8; i++)
            EXPECT_EQ(entry(c, static_cast<int>(i)),
                      code_entry(cacode, c, digit(i, 0) + digit(i, 1) + digit(i, 2)));
    }
}

// ---- random code flip -----------------------------------------------------------

TEST_F(CodeMutation, CodeFlipChangesOneKcodeEntryAndRebuildsTheTable)
{
    kcode_ring(8, 2, 3);
    totalistic = rule_kind_kcodes;
    mutate = mutation_code_flip;
    bits_to_flip = 1;
    for (int e = 0; e <= 5; e++)
        set_value(v_code[0], static_cast<uint32_t>(e), e % 3);
    srandom(2);
    EXPECT_EQ(mutate_once(), 1);
    int changed = 0;
    for (int e = 0; e <= 5; e++)
        changed += code_entry(v_code, 0, e) != e % 3;
    EXPECT_EQ(changed, 1);
    // The table follows the code: the all-0 neighbourhood reads entry 0,
    // the all-2 one entry 5.
    EXPECT_EQ(entry(0, 0), code_entry(v_code, 0, 0));
    EXPECT_EQ(entry(0, 8), code_entry(v_code, 0, 5));
    expect_z_current();
    // On rule tables the code flip changes nothing.
    totalistic = rule_kind_tables;
    auto code = row(v_code, 0, kcode_bytes(2));
    auto table = rule0();
    EXPECT_EQ(mutate_once(), 1);
    EXPECT_EQ(row(v_code, 0, kcode_bytes(2)), code);
    EXPECT_EQ(rule0(), table);
}

} // namespace
