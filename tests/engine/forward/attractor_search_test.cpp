// The attractor search: the known attractors of elementary rules on a
// 16-cell ring from one cell, the first repeat against a linear scan of the
// whole trajectory, the history limit, a search run twice, and a rule
// changed in the middle of a search against a brute-force walk of the new
// rule's map.
#include "forward_test_support.h"

#include <functional>
#include <string>

#include "engine/forward/attractor_search.h"
#include "engine/forward/network_fingerprint.h"
#include "support/ring_oracles.h"

namespace {

struct found_cycle {
    uint32_t t, j, period;
    attractor_result result;
};

found_cycle
search(uint32_t max_steps = 20000)
{
    step_mode mode;
    found_cycle f;
    f.t = attractor_search(carule, mode, max_steps, &f.result);
    f.j = attractor_first_repeat();
    f.period = attperiod;
    return f;
}

found_cycle
elementary_attractor(uint32_t rule, uint32_t start)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(rule);
    set_state_number(start);
    limitcheck = 10000;
    direction = direction_forward;
    found_cycle f = search();
    free_att();
    return f;
}

// A search of rule 110 from cell 8 alone, its first steps made and checked
// (none repeats before time 81); the step's work arrays stay held.
void
search_110_from_one_cell(const step_mode &mode, uint32_t steps)
{
    TestNetwork::set_rule_number(110);
    set_state_number(256);
    limitcheck = 10000;
    direction = direction_forward;
    forward_run_begin(mode);
    attractor_search_start();
    for (uint32_t t = 1; t <= steps; t++) {
        forward_step(carule, mode);
        ASSERT_EQ(attractor_check(t), att_none);
    }
}

TEST(AttractorSearch, ElementaryRulesFromOneCell)
{
    found_cycle f = elementary_attractor(90, 256);
    EXPECT_EQ(f.result, att_found);
    EXPECT_EQ(f.t, 9u);
    EXPECT_EQ(f.j, 8u);
    EXPECT_EQ(f.period, 1u);

    f = elementary_attractor(110, 256);
    EXPECT_EQ(f.t, 81u);
    EXPECT_EQ(f.j, 49u);
    EXPECT_EQ(f.period, 32u);

    f = elementary_attractor(30, 256);
    EXPECT_EQ(f.t, 6074u);
    EXPECT_EQ(f.j, 58u);
    EXPECT_EQ(f.period, 6016u);

    f = elementary_attractor(184, 256);
    EXPECT_EQ(f.j, 0u);
    EXPECT_EQ(f.period, 16u);
    EXPECT_EQ(f.t, 16u);
}

TEST(AttractorSearch, CycleStatesInOrderOfFirstMeeting)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(90);
    set_state_number(256);
    limitcheck = 10000;
    found_cycle f = search();
    ASSERT_EQ(f.result, att_found);
    // Rule 90 ends in the all-0 state.
    ASSERT_EQ(attperiod, 1u);
    EXPECT_EQ(att[1][0], 0);
    EXPECT_EQ(att[1][1], 0);
    // firstseed holds the seed.
    EXPECT_EQ(firstseed[1], 1);
    free_att();

    // Rule 184 moves the single cell one place toward cell 0 per step (to
    // the right as drawn, cell L at the left): the cycle starts at the seed,
    // att[i] holds the cell at 8 - (i - 1).
    TestNetwork::set_rule_number(184);
    set_state_number(256);
    f = search();
    ASSERT_EQ(attperiod, 16u);
    for (uint32_t i = 1; i <= 16; i++) {
        uint32_t number = uint32_t(att[i][0]) | uint32_t(att[i][1]) << 8;
        EXPECT_EQ(number, 1u << ((8 + 16 - (i - 1)) % 16)) << "att[" << i << "]";
    }
    free_att();
}

TEST(AttractorSearch, FixedPointAtTheFirstStep)
{
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(204); // the identity
    set_state_number(12345);
    limitcheck = 100;
    found_cycle f = search();
    EXPECT_EQ(f.t, 1u);
    EXPECT_EQ(f.period, 1u);
    EXPECT_EQ(uint32_t(att[1][0]) | uint32_t(att[1][1]) << 8, 12345u);
    free_att();
}

// The first repeat of the trajectory from A, found by comparing every state
// with every earlier one.
found_cycle
linear_scan(uint32_t max_steps)
{
    std::vector<std::vector<int>> seen{state_values(A)};
    for (uint32_t t = 1; t <= max_steps; t++) {
        plain_step(carule);
        std::vector<int> now = state_values(A);
        for (uint32_t j = 0; j < seen.size(); j++)
            if (seen[j] == now)
                return {t, j, t - j, att_found};
        seen.push_back(now);
    }
    return {0, 0, 0, att_none};
}

TEST(AttractorSearch, FirstRepeatEqualsALinearScan)
{
    srandom(41);
    const int cases[][3] = {{2, 12, 3}, {2, 14, 5}, {3, 8, 3}, {2, 17, 4}, {4, 6, 2}, {2, 20, 3}};
    for (const auto &cs : cases)
        for (int round = 0; round < 4; round++) {
            TestNetwork net(cs[0], cs[1], cs[2]);
            for (uint32_t c = 0; c < lineL; c++)
                for (int j = 0; j < nhood; j++)
                    wiring[c][j] = static_cast<uint16_t>(random() % lineL);
            TestNetwork::set_random_rule();
            set_random_state();
            std::vector<int> seed = state_values(A);
            found_cycle expect = linear_scan(70000);
            set_state(A, seed);
            limitcheck = 65535;
            found_cycle got = search(70000);
            free_att();
            EXPECT_EQ(got.t, expect.t);
            EXPECT_EQ(got.j, expect.j);
            EXPECT_EQ(got.period, expect.period);
        }
}

TEST(AttractorSearch, RepeatAfterTheHistoryLimit)
{
    // Rule 90 from 256 closes at t = 9 on entry 8.
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(90);
    set_state_number(256);
    limitcheck = 8;
    found_cycle f = search();
    EXPECT_EQ(f.result, att_past_limit);
    EXPECT_EQ(f.t, 9u);
    EXPECT_EQ(f.period, 1u);
    free_att();

    // With a limit of 5 the state of step 8 is never kept: no repeat is found.
    set_state_number(256);
    limitcheck = 5;
    f = search(100);
    EXPECT_EQ(f.result, att_none);
    EXPECT_EQ(f.t, 0u);
    free_att();

    // The attractor-type histogram (a run with no limit) keeps every state.
    set_state_number(256);
    limitcheck = 0;
    att_hist = att_hist_types;
    f = search(100);
    EXPECT_EQ(f.result, att_found);
    EXPECT_EQ(f.t, 9u);
    free_att();
}

TEST(AttractorSearch, NoLimitKeepsEveryState)
{
    // limitcheck 0 is a search without a limit: rule 30 from one cell finds
    // the cycle a limited search finds.
    TestNetwork net(2, 16, 3);
    TestNetwork::set_rule_number(30);
    direction = direction_forward;
    limitcheck = 0;
    set_state_number(256);
    found_cycle f = search();
    EXPECT_EQ(f.result, att_found);
    EXPECT_EQ(f.t, 6074u);
    EXPECT_EQ(f.j, 58u);
    EXPECT_EQ(f.period, 6016u);
    free_att();

    // From a state on that cycle, att holds the states stepped from it.
    set_state_number(256);
    for (int i = 0; i < 58; i++)
        plain_step(carule);
    std::vector<uint8_t> seed(A, A + bytesL);
    std::vector<std::vector<int>> cycle;
    for (int i = 0; i < 6016; i++) {
        cycle.push_back(state_values(A));
        plain_step(carule);
    }
    memcpy(A, seed.data(), bytesL);
    f = search();
    ASSERT_EQ(f.result, att_found);
    ASSERT_EQ(f.period, 6016u);
    EXPECT_EQ(f.j, 0u);
    for (uint32_t i = 1; i <= attperiod; i++)
        ASSERT_EQ(state_values(att[i]), cycle[i - 1]) << "att " << i;
    free_att();
}

TEST(AttractorSearch, SameSearchTwiceInOneProcess)
{
    auto run = []() {
        found_cycle f = elementary_attractor(110, 256);
        return std::vector<uint32_t>{f.t, f.j, f.period};
    };
    std::vector<uint32_t> first = run();
    EXPECT_EQ(run(), first);
    EXPECT_EQ(first, (std::vector<uint32_t>{81, 49, 32}));
}

// A run that sets its count back in the middle of the search (a running
// key, a new seed) goes on from where it stands: the search starts again
// there, so rule 110's cycle from 256 is found with its own period, its
// transient counted from the first state of the new count (time 11 of the
// whole run, whose cycle begins at time 49).
TEST(AttractorSearch, CountSetBackStartsTheSearchAgainWhereTheRunStands)
{
    TestNetwork net(2, 16, 3);
    step_mode mode;
    search_110_from_one_cell(mode, 10);
    attractor_result found = att_none;
    uint32_t t = 0;
    while (found == att_none && t < 1000) {
        forward_step(carule, mode);
        found = attractor_check(++t);
    }
    forward_run_end();
    EXPECT_EQ(found, att_found);
    EXPECT_EQ(attperiod, 32u);
    EXPECT_EQ(attractor_first_repeat(), 49u - 11u);
    attractor_history_free();
    free_att();
}

// A rule changed while the search goes on, as a running key changes it
// after the check of time t: the run sees the network's fingerprint change
// and starts the search over from the state it stands on. Rule 110 runs
// from one cell for `steps` steps (its cycle begins at time 49), then each
// elementary rule takes over: the period and the states before the cycle
// are those a walk of the new rule's map gives from the state at the change,
// and the cycle's states follow one another under the new rule.
TEST(AttractorSearch, RuleChangedDuringTheSearchStartsItOverOnTheNewNetwork)
{
    constexpr int n = 16;
    int wrong = 0;
    for (uint32_t steps : {5u, 17u, 40u}) {
        for (uint32_t rule = 0; rule < 256; rule++) {
            SCOPED_TRACE("rule 110 for " + std::to_string(steps) + " steps, then rule " +
                         std::to_string(rule));
            TestNetwork net(2, n, 3);
            step_mode mode;
            search_110_from_one_cell(mode, steps);
            const run_fingerprint before = fingerprint_run(carule, mode, steps);
            TestNetwork::set_rule_number(rule);
            const bool restarted = fingerprint_run(carule, mode, steps) != before;
            if (restarted)
                attractor_search_restart(steps);
            EXPECT_EQ(restarted, rule != 110u) << "the fingerprint follows the rule";

            const std::vector<uint32_t> next = ring_successors(n, rule);
            std::vector<uint32_t> met(next.size(), UINT32_MAX);
            uint32_t x = state_number(), walked = 0;
            for (; met[x] == UINT32_MAX; x = next[x])
                met[x] = walked++;
            const uint32_t period = walked - met[x], before_cycle = met[x];

            attractor_result found = att_none;
            for (uint32_t t = steps; found == att_none && t < steps + 2 * next.size();) {
                forward_step(carule, mode);
                found = attractor_check(++t);
            }
            forward_run_end();
            ASSERT_EQ(found, att_found);
            wrong += attperiod != period;
            EXPECT_EQ(attperiod, period);
            // Rule 110 again goes on with the search from the seed.
            EXPECT_EQ(attractor_first_repeat(), before_cycle + (restarted ? 0 : steps));
            for (uint32_t i = 1; i <= attperiod; i++) {
                memcpy(A, att[i], bytesL);
                const uint32_t s = state_number();
                memcpy(A, att[i % attperiod + 1], bytesL);
                EXPECT_EQ(next[s], state_number()) << "cycle state " << i;
            }
            free_att();
        }
    }
    EXPECT_EQ(wrong, 0);
}

// The fingerprint of the network changes with each thing the step reads
// that a running key or a box changes, and only then: the same network
// gives the same print, a state or a count set by hand changes the run's.
TEST(NetworkFingerprint, FollowsEveryChangeOfWhatTheStepReads)
{
    TestNetwork net(2, 12, 3);
    TestNetwork::set_rule_number(110);
    step_mode mode;
    const uint64_t first = network_fingerprint(carule, mode);
    EXPECT_EQ(network_fingerprint(carule, mode), first);

    auto changed_by = [&](const char *what, const std::function<void()> &change,
                          const std::function<void()> &undo) {
        change();
        EXPECT_NE(network_fingerprint(carule, mode), first) << what;
        undo();
        EXPECT_EQ(network_fingerprint(carule, mode), first) << what << " undone";
    };
    changed_by("a rule bit", [] { set_value(carule[0], 7, !get_value(carule[0], 7)); },
               [] { set_value(carule[0], 7, !get_value(carule[0], 7)); });
    changed_by("a wire", [] { std::swap(wiring[3][0], wiring[3][2]); },
               [] { std::swap(wiring[3][0], wiring[3][2]); });
    changed_by("a cell's k", [] { nhoodm[5] = 2; }, [] { nhoodm[5] = 3; });
    changed_by("the update mode", [&] { mode.seq_update = update_cell_order; },
               [&] { mode.seq_update = update_parallel; });
    changed_by("local wiring", [] { wiring_madelocal = 1; }, [] { wiring_madelocal = 0; });

    set_state_number(5);
    const run_fingerprint at = fingerprint_run(carule, mode, 9);
    EXPECT_EQ(fingerprint_run(carule, mode, 9), at);
    set_state_number(7);
    EXPECT_NE(fingerprint_run(carule, mode, 9), at) << "a state set by hand";
    set_state_number(5);
    EXPECT_NE(fingerprint_run(carule, mode, 0), at) << "a count set back";
}

} // namespace
