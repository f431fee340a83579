// The forward step: against a reference written from the formula, the known
// rule sequences on a 16-cell ring, the sequential modes, codes against the
// rule tables made from them, on-the-fly lattice inputs against the wired
// lattice, and the forward-only overrides.
#include "engine/forward/forward_test_support.h"

#include <set>

#include "engine/forward/update_order.h"
#include "engine/model/rule_conversions.h"
#include "engine/model/value_count_trie.h"
#include "engine/wiring/lattice_wireup.h"

namespace {

std::vector<uint32_t>
state_sequence(uint32_t rule, uint32_t start, int steps, uint8_t seq = 0)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(rule);
    set_state_number(start);
    if (seq == 1)
        identity_order(seq_order, lineL);
    if (seq == 2)
        reverse_order(seq_order, lineL);
    std::vector<uint32_t> states;
    for (int t = 0; t < steps; t++) {
        plain_step(carule, seq);
        states.push_back(state_number());
    }
    return states;
}

TEST(ForwardStep, ElementaryRulesFromOneCell)
{
    EXPECT_EQ(state_sequence(90, 256, 4), (std::vector<uint32_t>{640, 1088, 2720, 4112}));
    EXPECT_EQ(state_sequence(110, 256, 4), (std::vector<uint32_t>{768, 1792, 3328, 7936}));
    EXPECT_EQ(state_sequence(30, 256, 4), (std::vector<uint32_t>{896, 1600, 3552, 6416}));
}

TEST(ForwardStep, SequentialModesSweepFromTheLastPosition)
{
    // Mode 1 updates cell 15 first (position L of the identity order), mode 2
    // cell 0 first; later cells see the values already written.
    EXPECT_EQ(state_sequence(110, 256, 2, 1), (std::vector<uint32_t>{768, 1280}));
    EXPECT_EQ(state_sequence(110, 256, 2, 2), (std::vector<uint32_t>{65280, 43775}));
}

TEST(ForwardStep, MatchesTheReferenceOnRegularAndRandomWiring)
{
    const int cases[][3] = {{2, 16, 3}, {2, 37, 5}, {2, 70, 13}, {3, 17, 3}, {4, 23, 4}, {5, 19, 3},
                            {8, 11, 2}};
    srandom(7);
    for (const auto &cs : cases) {
        TestNetwork net(cs[0], cs[1], cs[2]);
        for (int round = 0; round < 2; round++) {
            if (round == 1)
                for (uint32_t c = 0; c < lineL; c++)
                    for (int j = 0; j < nhood; j++)
                        wiring[c][j] = static_cast<uint16_t>(random() % lineL);
            TestNetwork::set_random_rule();
            for (int t = 0; t < 5; t++) {
                set_random_state();
                std::vector<int> expect = reference_step(state_values(A), carule);
                plain_step(carule);
                EXPECT_EQ(state_values(A), expect) << "v=" << cs[0] << " n=" << cs[1]
                                                   << " k=" << cs[2] << " round " << round;
            }
        }
    }
}

TEST(ForwardStep, NeighbourhoodIndexesAreRecorded)
{
    // v = 3, k = 3 on a ring: inputs (c-1, c, c+1) weigh 1, 3, 9.
    TestNetwork net(3, 5, 3);
    set_state(A, {2, 0, 1, 1, 2});
    plain_step(carule);
    // cell 0: inputs cells 4, 0, 1 = 2, 2, 0 -> 2 + 6 + 0 = 8
    EXPECT_EQ(nhd[0], 8);
    // cell 2: inputs 0, 1, 1 -> 0 + 3 + 9 = 12
    EXPECT_EQ(nhd[2], 12);
    // cell 4: inputs 1, 2, 2 -> 1 + 6 + 18 = 25
    EXPECT_EQ(nhd[4], 25);
}

TEST(ForwardStep, LocalOnTheFlyRingEqualsTheWiredRing)
{
    srandom(3);
    TestNetwork net(2, 41, 5);
    TestNetwork::set_random_rule();
    set_random_state();
    std::vector<int> start = state_values(A);
    plain_step(carule);
    std::vector<int> wired = state_values(A);
    // Scramble the table: made-local wiring must ignore it.
    for (uint32_t c = 0; c < lineL; c++)
        wiring[c][0] = 0;
    set_state(A, start);
    wiring_madelocal = 1;
    plain_step(carule);
    EXPECT_EQ(state_values(A), wired);
}

TEST(ForwardStep, CellWithoutInputsTakesEntryZero)
{
    TestNetwork net(2, 8, 3);
    TestNetwork::set_rule_number(0x01); // entry 0 is 1, every other entry 0
    nhoodm[3] = 0;
    memset(A, 0xFF, bytesL);
    plain_step(carule);
    EXPECT_EQ(get_value(A, 3), 1);
    EXPECT_EQ(nhd[3], 0);
    EXPECT_EQ(get_value(A, 4), 0);
}

TEST(ForwardStep, RuleMixGivesEachCellItsOwnRule)
{
    srandom(11);
    TestNetwork net(3, 12, 3);
    allocate_mem_rulemix(3);
    rulemix = 1;
    for (uint32_t c = 0; c < lineL; c++)
        for (uint32_t i = 0; i < 27; i++)
            set_value(carule[c], i, static_cast<int>(random() % 3));
    set_random_state();
    std::vector<int> start = state_values(A);
    std::vector<int> expect = reference_step(start, carule);
    plain_step(carule);
    EXPECT_EQ(state_values(A), expect);

    // one_rule: every cell uses row 0.
    set_state(A, start);
    rulemix = 0;
    expect = reference_step(start, carule);
    rulemix = 1;
    step_mode mode;
    mode.one_rule = 1;
    forward_run_begin(mode);
    forward_step(carule, mode);
    forward_run_end();
    EXPECT_EQ(state_values(A), expect);
    free_mem_rulemix();
    rulemix = 0;
}

// A code step and the step of the rule table made from the code agree.
void
expect_code_equals_table(int v, int n, int k, int kind)
{
    srandom(static_cast<unsigned>(v * 100 + k * 10 + kind));
    TestNetwork net(v, n, k);
    allocate_mem_nhood_matrix(k);
    set_up_v_code();
    allocate_mem_tcode0(k);
    totalistic = static_cast<int8_t>(kind);
    uint8_t **codes = kind == 1 ? cacode : v_code;
    uint32_t entries = kind == 1 ? tcode_entries(k) : kcode_entries(k);
    for (uint32_t e = 0; e < entries; e++)
        set_value(codes[0], e, static_cast<int>(random() % v));
    if (kind == 1)
        code2rule(carule[0], cacode[0], k);
    else
        v_code2rule(carule[0], v_code[0], k, 1);
    for (int t = 0; t < 4; t++) {
        set_random_state();
        std::vector<int> start = state_values(A);
        tot_only = 0;
        plain_step(carule);
        std::vector<int> by_table = state_values(A);
        set_state(A, start);
        tot_only = 1;
        plain_step(codes);
        EXPECT_EQ(state_values(A), by_table) << "v=" << v << " k=" << k << " kind " << kind;
    }
    tot_only = 0;
    free_mem_tcode0();
    free_v_code_arrays();
    free_mem_nhood_matrix(k);
}

TEST(ForwardStep, CodesEqualTheirRuleTables)
{
    expect_code_equals_table(3, 20, 3, 2);
    expect_code_equals_table(2, 30, 5, 2);
    expect_code_equals_table(4, 15, 4, 2);
    expect_code_equals_table(3, 20, 4, 1);
    expect_code_equals_table(2, 25, 7, 1);
}

TEST(ForwardStep, KcodeIndexOfAValueCountTuple)
{
    // v = 3, k = 2: entries (count of 0, 1, 2) = (2,0,0) (1,1,0) (0,2,0)
    // (1,0,1) (0,1,1) (0,0,2). Inputs 1 and 2 give entry 4.
    TestNetwork net(3, 4, 2);
    set_up_v_code();
    allocate_mem_tcode0(2);
    totalistic = rule_kind_kcodes;
    tot_only = 1;
    set_state(A, {1, 2, 0, 0});
    // cell 1 (k = 2) reads cells 0 and 1.
    plain_step(v_code);
    EXPECT_EQ(nhd[1], 4);
    // With the values reversed the tuple of inputs 1, 2 reads as inputs 1, 0.
    reverse_value_order = 1;
    set_state(A, {1, 2, 0, 0});
    plain_step(v_code);
    EXPECT_EQ(nhd[1], 1);
    free_mem_tcode0();
    free_v_code_arrays();
}

TEST(ForwardStep, OuterTotalisticUsesTheCodeOfTheCellsValue)
{
    // tcodes of v = 2, k = 3: code 0 for cells at 0, code 1 for cells at 1.
    TestNetwork net(2, 10, 3);
    lineL = 2;  // outer_tot keeps v codes: the mix is sized for v rows
    allocate_mem_tcode0(3);
    allocate_mem_tcodemix(3);
    lineL = 10;
    outer_tot = 1;
    tot_only = 1;
    totalistic = rule_kind_tcodes;
    // code 0: born with exactly 1 neighbour sum... entry s for sums 0..3
    for (int s = 0; s < 4; s++) {
        set_value(cacode[0], s, s == 1);
        set_value(cacode[1], s, s >= 2);
    }
    set_state(A, {0, 1, 0, 0, 1, 1, 1, 0, 0, 0});
    std::vector<int> now = state_values(A);
    plain_step(cacode);
    for (int c = 0; c < 10; c++) {
        int sum = now[(c + 9) % 10] + now[c] + now[(c + 1) % 10];
        int expect = now[c] ? sum >= 2 : sum == 1;
        EXPECT_EQ(get_value(A, c), expect) << "cell " << c;
    }
    lineL = 2;
    free_mem_tcodemix();
    lineL = 10;
    free_mem_tcode0();
}

TEST(ForwardStep, OnTheFlyLatticeEqualsTheWiredLattice)
{
    srandom(5);
    const int shapes[][5] = {{2, 9, 7, 1, 5}, {2, 6, 6, 1, 9}, {3, 5, 4, 3, 7}, {3, 4, 4, 4, 13}};
    for (const auto &sh : shapes) {
        TestNetwork net(2, sh[0], sh[1], sh[2], sh[3], sh[4]);
        if (sh[0] == 2)
            wireup_2d_nhood(static_cast<int16_t>(i2d - 1), static_cast<int16_t>(j2d - 1), 0, 0);
        else
            wireup_3d_nhood(static_cast<int16_t>(i3d - 1), static_cast<int16_t>(j3d - 1),
                            static_cast<int16_t>(h3d - 1), 0, 0, 0);
        TestNetwork::set_random_rule();
        set_random_state();
        std::vector<int> start = state_values(A);
        std::vector<int> expect = reference_step(start, carule);
        plain_step(carule);
        EXPECT_EQ(state_values(A), expect);
        // Forward only, no wiring table read: the same step.
        for (uint32_t c = 0; c < lineL; c++)
            for (int j = 0; j < nhood; j++)
                wiring[c][j] = 0;
        loc_twod_fonly = 1;
        set_state(A, start);
        plain_step(carule);
        EXPECT_EQ(state_values(A), expect) << "dim " << sh[0] << " k " << sh[4];
        loc_twod_fonly = 0;
    }
}

// A forward-only run of steps steps with the given mode; returns the states.
std::vector<std::vector<int>>
forward_only_steps(step_mode mode, int steps)
{
    mode.fwd_only = 1;
    forward_run_begin(mode);
    std::vector<std::vector<int>> states;
    for (int t = 0; t < steps; t++) {
        forward_step(carule, mode);
        states.push_back(state_values(A));
    }
    forward_run_end();
    return states;
}

TEST(ForwardStep, RerandomisedOrderIsAPermutationEveryStep)
{
    srandom(9);
    TestNetwork net(2, 50, 3);
    TestNetwork::set_rule_number(110);
    set_random_state();
    step_mode mode;
    mode.seq_update = update_random_order;
    mode.fwd_only = 1;
    forward_run_begin(mode);
    std::vector<uint16_t> before(seq_order, seq_order + lineL);
    int changed = 0;
    for (int t = 0; t < 20; t++) {
        forward_step(carule, mode);
        EXPECT_TRUE(is_permutation(seq_order, lineL));
        changed += !std::equal(before.begin(), before.end(), seq_order);
        before.assign(seq_order, seq_order + lineL);
    }
    forward_run_end();
    EXPECT_EQ(changed, 20);
}

TEST(ForwardStep, PartialOrderUpdatesExactlyTheChosenCells)
{
    // Rule 51 flips every cell, so the cells that change are the cells updated.
    srandom(13);
    TestNetwork net(2, 40, 3);
    TestNetwork::set_rule_number(51);
    set_random_state();
    direction = direction_forward;
    p_order = 1;
    porder_min = porder_max = 1;
    step_mode mode = forward_run_mode(1);
    forward_run_begin(mode);
    for (int t = 0; t < 10; t++) {
        std::vector<int> before = state_values(A);
        forward_step(carule, mode);
        std::vector<int> after = state_values(A);
        int changed = 0;
        for (uint32_t c = 0; c < lineL; c++)
            if (after[c] != before[c]) {
                changed++;
                EXPECT_TRUE(get_bitlong(porder_cells, c));
            }
        EXPECT_EQ(changed, 1);
    }
    forward_run_end();

    porder_min = porder_max = 40;
    std::vector<int> before = state_values(A);
    auto states = forward_only_steps(forward_run_mode(1), 1);
    for (uint32_t c = 0; c < lineL; c++)
        EXPECT_NE(states[0][c], before[c]);
}

TEST(ForwardStep, PartialOrderLimitsAreClampedToTheNetwork)
{
    // Limits left from a larger network, and min above max: no endless draw.
    TestNetwork net(2, 10, 3);
    TestNetwork::set_rule_number(51);
    p_order = 1;
    porder_min = 30;
    porder_max = 25;
    std::vector<int> before = state_values(A);
    auto states = forward_only_steps(forward_run_mode(1), 1);
    EXPECT_EQ(porder_min, 10);
    EXPECT_EQ(porder_max, 10);
    for (uint32_t c = 0; c < lineL; c++)
        EXPECT_NE(states[0][c], before[c]);
    porder_min = 0;
    porder_max = 0;
    clamp_porder_limits();
    EXPECT_EQ(porder_min, 1);
    EXPECT_EQ(porder_max, 1);
}

TEST(ForwardStep, FullProbabilitiesGiveTheDeterministicStep)
{
    srandom(17);
    TestNetwork net(3, 30, 3);
    TestNetwork::set_random_rule();
    set_random_state();
    std::vector<int> start = state_values(A);
    std::vector<int> expect = reference_step(start, carule);
    update_prob = 100.0f;
    out_prob = 100.0f;
    auto states = forward_only_steps(forward_run_mode(1), 1);
    EXPECT_EQ(states[0], expect);
}

TEST(ForwardStep, ProbabilitiesBlendOldAndNewValues)
{
    // Rule 51 flips every cell; with update_prob 0.5 about half the cells flip.
    srandom(19);
    TestNetwork net(2, 2000, 3);
    TestNetwork::set_rule_number(51);
    set_random_state();
    std::vector<int> before = state_values(A);
    update_prob = 0.5f;
    auto states = forward_only_steps(forward_run_mode(1), 1);
    int flipped = 0;
    for (uint32_t c = 0; c < lineL; c++)
        flipped += states[0][c] != before[c];
    EXPECT_GT(flipped, 850);
    EXPECT_LT(flipped, 1150);

    // Outside forward-only runs the probabilities never apply.
    set_state(A, before);
    plain_step(carule);
    for (uint32_t c = 0; c < lineL; c++)
        EXPECT_NE(get_value(A, c), before[c]);
}

TEST(ForwardStep, BorderCellsTakeTheBorderValue)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(0);
    border = 2;
    b_value = 1;
    auto states = forward_only_steps(forward_run_mode(1), 1);
    EXPECT_EQ(states[0], (std::vector<int>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
    // A border value outside 0..v-1 is first reset to 0.
    b_value = 5;
    states = forward_only_steps(forward_run_mode(1), 1);
    EXPECT_EQ(b_value, 0);
    EXPECT_EQ(states[0], std::vector<int>(12, 0));
}

TEST(ForwardStep, BorderOfA2dLattice)
{
    TestNetwork net(2, 2, 5, 4, 1, 5);
    loc_twod_fonly = 1;
    TestNetwork::set_rule_number(0);
    border = 1;
    b_value = 1;
    auto states = forward_only_steps(forward_run_mode(1), 1);
    for (int j = 0; j < 4; j++)
        for (int i = 0; i < 5; i++) {
            bool edge = i == 0 || i == 4 || j == 0 || j == 3;
            EXPECT_EQ(states[0][i + 5 * j], edge ? 1 : 0) << i << "," << j;
        }
}

TEST(ForwardStep, BorderCellNotChosenByThePartialOrderKeepsItsValue)
{
    srandom(23);
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(0);
    border = 1;
    b_value = 1;
    p_order = 1;
    porder_min = porder_max = 1;
    step_mode mode = forward_run_mode(1);
    forward_run_begin(mode);
    for (int t = 0; t < 8; t++) {
        memset(A, 0, bytesL);
        forward_step(carule, mode);
        for (uint32_t c : {0u, 11u})
            EXPECT_EQ(get_value(A, c), get_bitlong(porder_cells, c)) << "cell " << c;
    }
    forward_run_end();
}

TEST(ForwardStep, RandomMapTakesTheSuccessorTableInEveryMode)
{
    // 3 cells: successor of state s is (s + 3) mod 8.
    TestNetwork net(2, 3, 1);
    exh_pairs = static_cast<uint8_t *>(checked_calloc(8, bytesL, "exh_pairs"));
    for (uint32_t s = 0; s < 8; s++)
        exh_pairs[s * bytesL] = static_cast<uint8_t>((s + 3) % 8);
    exhaustive_testing = exhaustive_random_map;
    for (uint8_t seq : {update_parallel, update_cell_order, update_random_order}) {
        set_state_number(2);
        step_mode mode;
        mode.seq_update = seq;
        mode.fwd_only = 1;
        forward_run_begin(mode);
        forward_step(carule, mode);
        EXPECT_EQ(state_number(), 5u) << "mode " << int(seq);
        forward_step(carule, mode);
        EXPECT_EQ(state_number(), 0u) << "mode " << int(seq);
        forward_run_end();
        // The indexes are still recorded: k = 1, each cell reads itself, and
        // the last step started from 5 = cells 0 and 2.
        EXPECT_EQ(nhd[0], 1);
        EXPECT_EQ(nhd[1], 0);
        EXPECT_EQ(nhd[2], 1);
    }
    checked_free(exh_pairs);
    exh_pairs = nullptr;
}

TEST(ForwardStep, FrozenHistoryAndSeedFlag)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(90);
    frozen_gens = 3;
    std::vector<uint8_t *> lines;
    uint8_t *history[3];
    for (auto &line : history)
        line = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "it.lastA[]"));
    lines.assign(history, history + 3);
    set_state_number(256);
    seed_was_set = 1;
    step_mode mode = forward_run_mode(1);
    mode.lastA = history;
    forward_run_begin(mode);
    std::vector<uint32_t> drawn;
    for (int t = 0; t < 4; t++) {
        drawn.push_back(state_number());
        forward_step(carule, mode);
    }
    forward_run_end();
    EXPECT_EQ(seed_was_set, 0);
    // lastA[0] is the state the step started from (parallel mode), newest first.
    auto number = [](const uint8_t *line) { return uint32_t(line[0]) | uint32_t(line[1]) << 8; };
    EXPECT_EQ(number(history[0]), drawn[3]);
    EXPECT_EQ(number(history[1]), drawn[2]);
    EXPECT_EQ(number(history[2]), drawn[1]);
    for (uint8_t *line : lines)
        checked_free(line);
    frozen_gens = 20;
}

TEST(ForwardStep, LookupCountsOfEveryCellOrOne)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(90);
    set_state_number(256);
    uint16_t counts[8] = {};
    step_mode mode;
    mode.lookup_row = counts;
    forward_run_begin(mode);
    forward_step(carule, mode);
    // From one cell at 8: cell 7 reads 0,0,1 (index 4), cell 8 index 2,
    // cell 9 index 1, the other 13 cells index 0.
    EXPECT_EQ(counts[0], 13);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[2], 1);
    EXPECT_EQ(counts[4], 1);
    mode.lookup_cell = 9;
    memset(counts, 0, sizeof counts);
    set_state_number(256);
    forward_step(carule, mode);
    EXPECT_EQ(counts[1], 1);
    EXPECT_EQ(counts[0], 0);
    forward_run_end();
}

TEST(ForwardStep, SameComputationTwiceGivesTheSameStates)
{
    auto run = []() {
        srandom(31);
        TestNetwork net(2, 60, 5);
        TestNetwork::set_random_rule();
        set_random_state();
        p_order = 1;
        porder_min = 10;
        porder_max = 30;
        update_prob = 0.8f;
        step_mode mode = forward_run_mode(1);
        mode.seq_update = update_random_order;
        return forward_only_steps(mode, 12);
    };
    EXPECT_EQ(run(), run());
}

} // namespace
