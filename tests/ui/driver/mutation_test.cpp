// Mutation between runs: each mutation kind on small networks, with the
// draws replayed from the same seed where the kind fixes them, and the
// capped searches.
#include <cstdlib>

#include "driver_network_support.h"
#include "engine/rules/globals.h"
#include "ui/driver/mutation.h"
#include "ui/measures/globals.h"
#include "ui/model/rule_parameters.h"
#include "ui/rules/post_classes.h"

namespace {

class Mutation : public NetworkTest {
protected:
    void SetUp() override
    {
        NetworkTest::SetUp();
        mutate = mutation_bits;
        mutate_wiring = 0;
        bits_to_flip = 1;
        wires_to_move = 1;
        was_changed = 0;
        gd_z_graph = sweep_graph_none;
        lambda_bias = 0;
        set_z_high = 0;
        mutant_layout = 0;
        endcount = 0;
        lambda_z_graph = lambda_z_lambda; // no cluster text without a window
        pause_show_code = 0;
        codetypeonly = code_sweep_clusters;
    }
    void TearDown() override
    {
        mutate = mutation_bits;
        lambda_z_graph = lambda_z_off;
        NetworkTest::TearDown();
    }
    int changed_slots(const std::vector<std::vector<uint16_t>> &before)
    {
        int changed = 0;
        auto after = wiring_rows();
        for (size_t c = 0; c < after.size(); c++)
            for (int p = 0; p < nhood; p++)
                changed += after[c][p] != before[c][p];
        return changed;
    }
    float z_of_rule0()
    {
        z_parameter_all(nhood, 0, carule[0]);
        return zparam[0];
    }
};

TEST_F(Mutation, NoneOrAnEditedNetworkOnlyResetsTheLayoutCursor)
{
    ring(8, 3);
    carule[0][0] = 0x6E;
    firstox = 40;
    startxspacing = 7;
    ox = 300;
    xspacing = 99;
    mutate = mutation_none;
    EXPECT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(carule[0][0], 0x6E);
    EXPECT_EQ(ox, 40);
    EXPECT_EQ(xspacing, 7);
    mutate = mutation_bits;
    was_changed = 1;
    mutant_layout = 1;
    ox = 300;
    EXPECT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(was_changed, 0);
    EXPECT_EQ(carule[0][0], 0x6E);
    EXPECT_EQ(ox, 40); // reset even with the mutant layout
}

TEST_F(Mutation, WiresOnlyMovesAtMostThatManySlotsAndKeepsTheRule)
{
    ring(16, 3);
    carule[0][0] = 0x96;
    mutate = mutation_wires;
    wires_to_move = 3;
    auto before = wiring_rows();
    srandom(21);
    EXPECT_EQ(mutate_rule(nhood), 1);
    EXPECT_LE(changed_slots(before), 3);
    EXPECT_EQ(carule[0][0], 0x96);
    // The draws: cell, slot, new source, three times.
    auto replay = before;
    srandom(21);
    for (int t = 0; t < 3; t++) {
        long c = random() % 16, j = random() % 3;
        replay[c][j] = static_cast<uint16_t>(random() % 16);
    }
    EXPECT_EQ(wiring_rows(), replay);
}

TEST_F(Mutation, WireMovesPassOverCellsWithoutInputs)
{
    ring(6, 2);
    for (int c = 0; c < 6; c++)
        nhoodm[c] = 0;
    mutate = mutation_wires;
    wires_to_move = 5;
    auto before = wiring_rows();
    EXPECT_EQ(mutate_rule(nhood), 1); // no cell to move: nothing, no division by 0
    EXPECT_EQ(wiring_rows(), before);
    nhoodm[3] = 2;
    srandom(1);
    mutate_rule(nhood);
    auto after = wiring_rows();
    for (int c = 0; c < 6; c++) {
        if (c != 3) {
            EXPECT_EQ(after[c], before[c]);
        }
    }
    for (int c = 0; c < 6; c++)
        nhoodm[c] = 2;
}

TEST_F(Mutation, BitFlipsContinueUntilZReachesATenth)
{
    ring(10, 3);
    memset(carule[0], 0, rule_bytes(3)); // rule 0: Z = 0
    for (unsigned seed = 1; seed <= 5; seed++) {
        memset(carule[0], 0, rule_bytes(3));
        srandom(seed);
        EXPECT_EQ(mutate_rule(nhood), 1);
        EXPECT_GE(zparam[0], 0.1f);
        EXPECT_GE(z_of_rule0(), 0.1f);
    }
}

TEST_F(Mutation, RuleNumberFromOneEndsTheSweep)
{
    ring(8, 2);
    mutate = mutation_rule_number;
    lambda_z_graph = lambda_z_off;   // a mutant series
    dec_to_bit_line(carule[0], 1, 4);
    EXPECT_EQ(mutate_rule(nhood), 0);
    EXPECT_EQ(dec_equiv(carule[0], 3), 1u);
    dec_to_bit_line(carule[0], 9, 4);
    EXPECT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(dec_equiv(carule[0], 3), 8u);
}

TEST_F(Mutation, RuleNumberOfALambdaZSweepEndsAfterRuleZero)
{
    ring(8, 2);
    mutate = mutation_rule_number;
    dec_to_bit_line(carule[0], 1, 4);
    EXPECT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(dec_equiv(carule[0], 3), 0u);
    EXPECT_EQ(mutate_rule(nhood), 0);
    EXPECT_EQ(dec_equiv(carule[0], 3), 0u);
}

TEST_F(Mutation, RuleNumberOfARuleMixWraps)
{
    ring(4, 2);
    rule_mix();
    mutate = mutation_rule_number;
    for (int c = 0; c < 4; c++)
        dec_to_bit_line(carule[c], c == 2 ? 1 : 6, 4);
    EXPECT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(dec_equiv(carule[2], 3), 15u);
    EXPECT_EQ(dec_equiv(carule[0], 3), 5u);
}

TEST_F(Mutation, RuleNumberThroughAnEmptyZWindowIsCapped)
{
    ring(8, 5);
    mutate = mutation_rule_number;
    gd_z_graph = sweep_graph_z;
    lowlimZ = 2.0f; // no rule has Z above 1
    highlimZ = 3.0f;
    dec_to_bit_line(carule[0], 4000000000u, 32);
    EXPECT_EQ(mutate_rule(nhood), 0);
    EXPECT_GT(dec_equiv(carule[0], 31), 3000000000u); // stopped long before the end
    gd_z_graph = sweep_graph_none;
    lowlimZ = 0.2f;
    highlimZ = 1.0f;
}

TEST_F(Mutation, SingleFlipFromTheLeftMovesAndRestores)
{
    ring(8, 3);
    memset(carule[0], 0, rule_bytes(3));
    mutate = mutation_single_flip;
    mut = 7; // the first mutant: nothing to restore
    mutate_rule(nhood);
    EXPECT_EQ(carule[0][0], 0x80);
    mut = 6;
    mutate_rule(nhood);
    EXPECT_EQ(carule[0][0], 0x40); // entry 7 restored
    mutate = mutation_cumulative_flip;
    mut = 5;
    mutate_rule(nhood);
    EXPECT_EQ(carule[0][0], 0x60); // cumulative
}

TEST_F(Mutation, FlipPositionsOutsideTheTableChangeNothing)
{
    ring(8, 2);
    memset(carule[0], 0, rule_bytes(2));
    mutate = mutation_single_flip;
    mut = 40;
    mutate_rule(nhood);
    mut = -3;
    mutate_rule(nhood);
    EXPECT_EQ(carule[0][0], 0);
}

TEST_F(Mutation, ChainRulesHaveBothOneSidedZAboveAHalf)
{
    ring(8, 4);
    mutate = mutation_chain;
    for (unsigned seed = 1; seed <= 15; seed++) {
        srandom(seed);
        ASSERT_EQ(mutate_rule(nhood), 1);
        z_parameter_all(4, 0, carule[0]);
        EXPECT_GT(zparam[1], 0.5f);
        EXPECT_GT(zparam[2], 0.5f);
    }
}

TEST_F(Mutation, PostMutantsAreInTheChosenClass)
{
    ring(8, 3);
    mutate = mutation_post;
    ptype = 1;
    pmu = post_class_ainf;
    srandom(13);
    ASSERT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(post_func(3, carule[0], 0, 0, 0, 0), 1);
    pmu = 7; // a class no rule is in: the capped search gives up
    EXPECT_EQ(mutate_rule(nhood), 0);
    ptype = ptype_any;
    pmu = post_class_any;
}

TEST_F(Mutation, NewRandomRuleWithHighZ)
{
    ring(8, 5);
    mutate = mutation_random_rule;
    set_z_high = 1;
    lambda_bias = 50;
    srandom(17);
    ASSERT_EQ(mutate_rule(nhood), 1);
    EXPECT_GE(z_of_rule0(), 0.55f);
    set_z_high = 0;
    lambda_bias = 0;
    ASSERT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(lambda_bias, 50);
    EXPECT_GE(z_of_rule0(), 0.06f);
}

TEST_F(Mutation, RandomTcodeSwitchesToCodes)
{
    ring(8, 3);
    mutate = mutation_tcode;
    srandom(3);
    mutate_rule(nhood);
    EXPECT_EQ(totalistic, rule_kind_tcodes);
    srandom(3);
    for (int e = 0; e <= 3; e++)
        EXPECT_EQ(get_value(cacode[0], static_cast<uint32_t>(e)), random() % 2);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(entry(0, i), get_value(cacode[0], static_cast<uint32_t>(__builtin_popcount(i))));
}

TEST_F(Mutation, CodeNumberClusterOfCodeTwoEndsTheSweep)
{
    ring(6, 1);
    totalistic = rule_kind_tcodes;
    mutate = mutation_code_number;
    codetypeonly = code_sweep_clusters;
    allocate_code_mem();
    dec_to_bit_line(cacode[0], 2, 2);
    EXPECT_EQ(mutate_rule(nhood), 0);
    EXPECT_EQ(endcount, 1u);
    EXPECT_EQ(get_bitlong(codetickoff, 2), 1);
    EXPECT_EQ(get_bitlong(codetickoff, 1), 1);
}

TEST_F(Mutation, CodeNumberStepsToTheNextUntickedCode)
{
    ring(6, 2);
    totalistic = rule_kind_tcodes;
    mutate = mutation_code_number;
    codetypeonly = code_sweep_all;
    dec_to_bit_line(cacode[0], 6, 3);
    EXPECT_EQ(mutate_rule(nhood), 1);
    EXPECT_EQ(dec_equiv(cacode[0], 2), 5u);
    // The rule follows the code: entry i is code bit (1s in i).
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(entry(0, i), get_value(cacode[0], static_cast<uint32_t>(__builtin_popcount(i))));
}

TEST_F(Mutation, WiresAndBitsTogether)
{
    ring(12, 3);
    memset(carule[0], 0xFF, rule_bytes(3));
    carule[0][0] = 0x96;
    mutate = mutation_bits;
    mutate_wiring = mutation_wires;
    wires_to_move = 2;
    auto before = wiring_rows();
    srandom(6);
    mutate_rule(nhood);
    EXPECT_LE(changed_slots(before), 2);
    EXPECT_NE(carule[0][0], 0x96);
}

TEST_F(Mutation, BiasFollowsTheSweepProgress)
{
    mutate = mutation_random_rule;
    totalgraphrules = 100;
    endcount = 0;
    biased_new_rule();
    EXPECT_EQ(lambda_bias, 50);
    EXPECT_EQ(set_z_high, 1);
    endcount = 50;
    biased_new_rule();
    EXPECT_EQ(lambda_bias, 35);
    EXPECT_EQ(set_z_high, 0);
    endcount = 100;
    biased_new_rule();
    EXPECT_EQ(lambda_bias, 5);
    endcount = 101;
    lambda_bias = 12;
    biased_new_rule();
    EXPECT_EQ(lambda_bias, 12);
    totalgraphrules = 0;
    endcount = 0;
    lambda_bias = 0;
    set_z_high = 0;
}

TEST_F(Mutation, WireMoveOfEveryWireRewiresEveryCell)
{
    random_network(9, 2);
    wires_to_move = 18;
    uint8_t kept_white = white, kept_yellow = yellow;
    white = 15;
    yellow = 14;
    srandom(30);
    EXPECT_EQ(wire_move('m', white), yellow);
    EXPECT_EQ(wire_move('m', yellow), white);
    white = kept_white;
    yellow = kept_yellow;
    for (int c = 0; c < 9; c++)
        for (int p = 0; p < 2; p++)
            EXPECT_LT(wiring[c][p], 9);
}

} // namespace
