// Sculpting against brute force: every aspiring pre-image is stepped once
// with the reference step written from the formula, after learning and
// forgetting by bit flips and by wire moves; and the lists the builders
// make (parity, range, one- and two-cell mutants, a range cut at its cap,
// the order for another pass).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/backward/backward_test_support.h"
#include "engine/backward/sculpting.h"
#include "engine/model/network_arrays.h"

namespace {

std::vector<uint32_t>
list_numbers()
{
    std::vector<uint32_t> numbers;
    for (int32_t i = 0; i < notolearn; i++)
        numbers.push_back(dec_equiv(learn_pre[i], L));
    return numbers;
}

bool
steps_onto_target(const uint8_t *state)
{
    return reference_step(state_values(state), carule) == state_values(tar);
}

// A random network of n cells, k = 3, random wiring and a random target.
struct sculpt_network {
    TestNetwork net;
    sculpt_network(int v, int n, bool mix, unsigned seed) : net(v, n, 3)
    {
        srandom(seed);
        wire_at_random(false);
        random_rules(mix);
        for (uint32_t c = 0; c < lineL; c++)
            set_value(tar, c, static_cast<int>(random() % v));
    }
    ~sculpt_network() { undo_rule_mix(); }
};

void
random_aspiring(int count)
{
    ASSERT_TRUE(resize_asp_list(static_cast<uint32_t>(count)));
    for (int32_t i = 0; i < notolearn; i++)
        for (uint32_t c = 0; c < lineL; c++)
            set_value(learn_pre[i], c, static_cast<int>(random() % value_range));
}

TEST(Sculpting, LearningByBitFlipsMapsEveryAspiringStateOntoTheTarget)
{
    for (int v : {2, 3})
        for (unsigned seed = 1; seed <= 5; seed++) {
            sculpt_network net(v, 10, true, seed);
            random_aspiring(6);
            sculpt_work w;
            sculpt_pass(sculpt_aim::learn, sculpt_change::bit_flips, w);
            for (int32_t i = 0; i < notolearn; i++)
                EXPECT_TRUE(steps_onto_target(learn_pre[i])) << "v " << v << " seed " << seed;
        }
}

TEST(Sculpting, ForgettingByBitFlipsMapsNoneOntoTheTarget)
{
    for (int v : {2, 3})
        for (unsigned seed = 1; seed <= 5; seed++) {
            sculpt_network net(v, 10, true, seed);
            random_aspiring(5);
            // Learn first, so that there is something to forget.
            sculpt_work w;
            sculpt_pass(sculpt_aim::learn, sculpt_change::bit_flips, w);
            sculpt_pass(sculpt_aim::forget, sculpt_change::bit_flips, w);
            for (int32_t i = 0; i < notolearn; i++)
                EXPECT_FALSE(steps_onto_target(learn_pre[i])) << "v " << v << " seed " << seed;
        }
}

TEST(Sculpting, WireMovesSplitAsTheStatesNowStep)
{
    for (sculpt_aim aim : {sculpt_aim::learn, sculpt_aim::forget})
        for (unsigned seed = 1; seed <= 6; seed++) {
            sculpt_network net(2, 10, seed % 2 == 0, seed);
            std::vector<std::vector<uint8_t>> rules;
            for (int r = 0; r < (rulemix ? lineL : 1); r++)
                rules.emplace_back(carule[r], carule[r] + rule_bytes(nhood));
            random_aspiring(3);
            if (aim == sculpt_aim::forget) {
                // Two of the three made pre-images by bit flips first.
                int32_t all = notolearn;
                notolearn = 2;
                sculpt_work w;
                sculpt_pass(sculpt_aim::learn, sculpt_change::bit_flips, w);
                notolearn = all;
                for (int r = 0; r < (rulemix ? lineL : 1); r++)
                    rules[r].assign(carule[r], carule[r] + rule_bytes(nhood));
            }
            sculpt_work w;
            sculpt_pass(aim, sculpt_change::wire_moves, w);
            sculpt_split s = split_by_target();
            EXPECT_EQ(s.ok.size() + s.no.size(), 3u);
            for (uint32_t i : s.ok)
                EXPECT_TRUE(steps_onto_target(learn_pre[i])) << "seed " << seed;
            for (uint32_t i : s.no)
                EXPECT_FALSE(steps_onto_target(learn_pre[i])) << "seed " << seed;
            // Wire moves change the wiring only.
            for (int r = 0; r < (rulemix ? lineL : 1); r++)
                EXPECT_TRUE(std::equal(rules[r].begin(), rules[r].end(), carule[r]));
        }
}

TEST(Sculpting, ReorderPutsTheLastFailureFirstThenTheAchievedThenTheRest)
{
    TestNetwork net(2, 8, 3);
    ASSERT_EQ(asp_list_range(1, 6, 1).count, 6u);
    std::vector<uint8_t *> before(learn_pre, learn_pre + notolearn);
    sculpt_split s;
    s.ok = {1, 4};
    s.no = {0, 2, 3, 5};
    srandom(4);
    reorder_for_another_pass(sculpt_aim::learn, s);
    EXPECT_EQ(learn_pre[0], before[5]);
    std::set<uint8_t *> achieved(learn_pre + 1, learn_pre + 3);
    EXPECT_EQ(achieved, (std::set<uint8_t *>{before[1], before[4]}));
    std::set<uint8_t *> rest(learn_pre + 3, learn_pre + 6);
    EXPECT_EQ(rest, (std::set<uint8_t *>{before[0], before[2], before[3]}));
}

TEST(Sculpting, ParityOverAPartSystem)
{
    {
        TestNetwork net(2, 8, 3);
        EXPECT_EQ(asp_list_parity(2, 3).count, 4u);
        EXPECT_EQ(list_numbers(), (std::vector<uint32_t>{6, 5, 3, 0}));
        asp_list_parity(1, 3);
        EXPECT_EQ(list_numbers(), (std::vector<uint32_t>{7, 4, 2, 1}));
    }
    // Above 20 cells the part system is cut to 20.
    TestNetwork wide(2, 24, 3);
    EXPECT_EQ(asp_list_parity(2, 24).count, 1u << 19);
}

TEST(Sculpting, RangeAndItsCap)
{
    TestNetwork net(2, 32, 3);
    int16_t numbered = maxL_lu;
    maxL_lu = 32;
    EXPECT_EQ(asp_range_max(), 4294967295u);
    asp_list_result r = asp_list_range(5, 20, 5);
    EXPECT_EQ(r.count, 4u);
    EXPECT_FALSE(r.cut);
    EXPECT_EQ(list_numbers(), (std::vector<uint32_t>{5, 10, 15, 20}));
    r = asp_list_range(1, 4294967295u, 1);
    EXPECT_TRUE(r.cut);
    EXPECT_EQ(r.count, kMostAspiring);
    EXPECT_EQ(notolearn, static_cast<int32_t>(kMostAspiring));
    EXPECT_EQ(dec_equiv(learn_pre[notolearn - 1], L), kMostAspiring);
    maxL_lu = 7; // v = 2 state numbers of 7 cells at most
    EXPECT_EQ(asp_range_max(), 127u);
    maxL_lu = numbered;
}

TEST(Sculpting, ARefusedAllocationLeavesTheListAsItWas)
{
    TestNetwork net(2, 8, 3);
    asp_list_range(5, 20, 5);
    fail_allocation_after = 3;
    asp_list_result r = asp_list_range(1, 100, 1);
    fail_allocation_after = 0;
    EXPECT_TRUE(r.no_memory);
    EXPECT_EQ(list_numbers(), (std::vector<uint32_t>{5, 10, 15, 20}));
}

TEST(Sculpting, OneCellMutants)
{
    for (int v : {2, 3}) {
        TestNetwork net(v, 9, 3);
        srandom(2);
        for (uint32_t c = 0; c < lineL; c++)
            set_value(tar, c, static_cast<int>(random() % v));
        EXPECT_EQ(asp_list_mutants(1).count, 9u);
        for (int32_t i = 0; i < notolearn; i++)
            for (uint32_t c = 0; c < lineL; c++)
                EXPECT_EQ(get_value(learn_pre[i], c) != get_value(tar, c), c == uint32_t(i));
    }
}

TEST(Sculpting, TwoCellMutantsRepeatNoStateAndHoldTheTargetOnce)
{
    for (int v : {2, 3}) {
        TestNetwork net(v, 11, 3);
        srandom(8);
        for (uint32_t c = 0; c < lineL; c++)
            set_value(tar, c, static_cast<int>(random() % v));
        asp_list_mutants(2);
        std::set<std::string> seen;
        int targets = 0;
        for (int32_t i = 0; i < notolearn; i++) {
            std::vector<int> values = state_values(learn_pre[i]);
            std::vector<int> target = state_values(tar);
            int d = 0;
            for (size_t c = 0; c < values.size(); c++)
                d += values[c] != target[c];
            EXPECT_LE(d, 2);
            targets += d == 0;
            EXPECT_TRUE(seen.insert(std::string(learn_pre[i], learn_pre[i] + bytesL)).second);
        }
        if (v == 2) {
            EXPECT_EQ(targets, 1);
            EXPECT_EQ(notolearn, 11 + 1 + 11 * 10 / 2);
        }
    }
}

} // namespace
