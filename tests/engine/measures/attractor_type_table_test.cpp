// The attractor types against a brute force: random k = 3 networks of 10
// cells, their successor map written from the formula and every attractor
// found by walking it; runs from random seeds found by the engine's
// attractor search are recorded, and each type must be one attractor with
// the runs that end there, its period and the mean of their transients.
// Then the sorts against a stable sort made here, the clear (every block
// freed), and the density counts of the all-0 and all-1 point attractors.
#include "engine/graphs/graph_test_support.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "engine/forward/attractor_search.h"
#include "engine/measures/attractor_type_table.h"

namespace {

// What a brute walk of the map from a seed gives: the attractor (its index
// in attractors_of) and the steps before the cycle.
struct brute_run {
    size_t attractor = 0;
    uint32_t transient = 0;
};

brute_run
walk(const std::vector<uint32_t> &next, const std::vector<brute_attractor> &all, uint32_t seed)
{
    std::map<uint32_t, uint32_t> met;
    uint32_t s = seed, t = 0;
    while (!met.count(s)) {
        met[s] = t++;
        s = next[s];
    }
    brute_run r;
    r.transient = met[s];
    for (size_t a = 0; a < all.size(); a++)
        if (std::find(all[a].states.begin(), all[a].states.end(), s) != all[a].states.end())
            r.attractor = a;
    return r;
}

// One forward run from the state number seed by the engine's search; the
// attractor recorded in the table with its transient (given back when
// asked). Returns the type.
uint32_t
run_and_record(attractor_type_table &t, uint32_t seed, uint32_t *transient = nullptr)
{
    set_number(A, seed);
    uint32_t found = attractor_search(carule, forward_run_mode(0), 1u << 12);
    EXPECT_GT(found, 0u);
    if (transient)
        *transient = found - attperiod;
    uint32_t u = record_attractor(t, att, attperiod, A, firstseed, found - attperiod);
    free_att();
    return u;
}

class AttractorTypes : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_backward_settings();
        direction = direction_forward;
        att_hist = att_hist_types;
        limitcheck = 0;
    }
};

TEST_F(AttractorTypes, EachTypeIsOneAttractorOfTheBruteForce)
{
    srandom(42);
    for (int network = 0; network < 4; network++) {
        SCOPED_TRACE(testing::Message() << "network " << network);
        TestNetwork net(2, 10, 3);
        wire_at_random(false);
        random_rules(false);
        std::vector<uint32_t> next = reference_map();
        std::vector<brute_attractor> all = attractors_of(next);

        attractor_type_table t;
        std::map<uint32_t, size_t> attractor_of_type;
        std::map<size_t, uint32_t> type_of_attractor;
        std::map<uint32_t, uint32_t> runs;
        std::map<uint32_t, double> transients;
        for (int run = 0; run < 300; run++) {
            uint32_t seed = static_cast<uint32_t>(random() % next.size());
            brute_run b = walk(next, all, seed);
            uint32_t transient = 0;
            uint32_t u = run_and_record(t, seed, &transient);
            EXPECT_EQ(transient, b.transient);
            if (run == 0) {
                EXPECT_EQ(u, 1u) << "the first attractor is not type 1";
            }
            ASSERT_GE(u, 1u);
            ASSERT_LE(u, t.types);
            // One attractor per type and one type per attractor.
            if (attractor_of_type.count(u))
                EXPECT_EQ(attractor_of_type[u], b.attractor) << "type " << u << " holds two attractors";
            else
                attractor_of_type[u] = b.attractor;
            if (type_of_attractor.count(b.attractor))
                EXPECT_EQ(type_of_attractor[b.attractor], u) << "an attractor is of two types";
            else
                type_of_attractor[b.attractor] = u;
            EXPECT_EQ(t.att_type_period[u], all[b.attractor].states.size());
            runs[u]++;
            transients[u] += b.transient;
        }
        EXPECT_EQ(t.samples, 300u);
        EXPECT_EQ(t.types, attractor_of_type.size());
        for (uint32_t u = 1; u <= t.types; u++) {
            EXPECT_EQ(t.att_type_no[u], runs[u]) << "type " << u;
            EXPECT_NEAR(t.att_type_avtrans[u], transients[u] / runs[u], 1e-3) << "type " << u;
            // Its cycle rows are the attractor's states, in the map's order
            // from the first.
            const brute_attractor &a = all[attractor_of_type[u]];
            std::vector<uint32_t> cycle;
            for (uint32_t p = 1; p <= t.att_type_period[u]; p++)
                cycle.push_back(dec_equiv(t.m_att[u][p], L));
            auto first = std::find(a.states.begin(), a.states.end(), cycle[0]);
            ASSERT_NE(first, a.states.end());
            std::vector<uint32_t> rotated(first, a.states.end());
            rotated.insert(rotated.end(), a.states.begin(), first);
            EXPECT_EQ(cycle, rotated) << "type " << u;
        }
        clear_attractor_types(t);
    }
}

TEST_F(AttractorTypes, ACycleHoldingARepresentativeIsOfItsTypeFromAnyState)
{
    srandom(7);
    TestNetwork net(2, 10, 3);
    TestNetwork::set_rule_number(90);
    std::vector<brute_attractor> all = attractors_of(reference_map());
    const brute_attractor *longest = &all[0];
    for (const brute_attractor &a : all)
        if (a.states.size() > longest->states.size())
            longest = &a;
    ASSERT_GT(longest->states.size(), 2u);
    attractor_type_table t;
    size_t period = longest->states.size();
    for (size_t first = 0; first < period; first++) {
        std::vector<uint32_t> numbers;
        for (size_t p = 0; p < period; p++)
            numbers.push_back(longest->states[(first + p) % period]);
        state_lines cycle(numbers);
        uint32_t u = record_attractor(t, cycle.rows.data(), static_cast<uint32_t>(period),
                                      cycle.rows[1], all_0s, 0);
        EXPECT_EQ(u, 1u) << "cycle entered at its state " << first;
    }
    EXPECT_EQ(t.types, 1u);
    EXPECT_EQ(t.att_type_no[1], period);
    clear_attractor_types(t);
}

// A type as the sorts must keep it.
using type_entry = std::tuple<uint32_t, uint32_t, float, uint32_t, uint32_t>; // count, period,
                                                                   // transient, state, first cycle state
std::vector<type_entry>
entries_of(const attractor_type_table &t)
{
    std::vector<type_entry> e;
    for (uint32_t u = 1; u <= t.types; u++)
        e.emplace_back(t.att_type_no[u], t.att_type_period[u], t.att_type_avtrans[u],
                       dec_equiv(t.att_type_state[u], L), dec_equiv(t.m_att[u][1], L));
    return e;
}

TEST_F(AttractorTypes, SortsAreStableDescendingAndKeepEachType)
{
    srandom(11);
    TestNetwork net(2, 10, 3);
    wire_at_random(false);
    random_rules(false);
    attractor_type_table t;
    for (int run = 0; run < 200; run++)
        run_and_record(t, static_cast<uint32_t>(random() % 1024));
    ASSERT_GT(t.types, 3u);
    const std::vector<type_entry> before = entries_of(t);
    for (attractor_sort key :
         {attractor_sort::period, attractor_sort::transient, attractor_sort::frequency}) {
        SCOPED_TRACE(static_cast<int>(key));
        // The expected order: passes of adjacent exchanges of the unsorted
        // types until none is made.
        std::vector<type_entry> expected = entries_of(t);
        auto key_of = [key](const type_entry &e) -> double {
            return key == attractor_sort::period      ? std::get<1>(e)
                   : key == attractor_sort::transient ? std::get<2>(e)
                                                      : std::get<0>(e);
        };
        for (bool exchanged = true; exchanged;) {
            exchanged = false;
            for (size_t i = 1; i < expected.size(); i++)
                if (key_of(expected[i - 1]) < key_of(expected[i])) {
                    std::swap(expected[i - 1], expected[i]);
                    exchanged = true;
                }
        }
        std::vector<uint32_t> order = sort_attractor_types(t, key);
        EXPECT_EQ(entries_of(t), expected);
        std::vector<type_entry> once = entries_of(t);
        sort_attractor_types(t, key);
        EXPECT_EQ(entries_of(t), once) << "a second sort changed the order";
        ASSERT_EQ(order.size(), t.types + 1u);
    }
    // Every type is still there, whatever the order.
    std::vector<type_entry> now = entries_of(t), was = before;
    std::sort(now.begin(), now.end());
    std::sort(was.begin(), was.end());
    EXPECT_EQ(now, was);
    clear_attractor_types(t);
}

TEST_F(AttractorTypes, ClearFreesEveryRowAndStartsAgainAtTypeOne)
{
    srandom(5);
    TestNetwork net(2, 10, 3);
    wire_at_random(false);
    random_rules(false);
    long before = live_allocations;
    attractor_type_table t;
    for (int round = 0; round < 2; round++) {
        for (int run = 0; run < 150; run++)
            run_and_record(t, static_cast<uint32_t>(random() % 1024));
        ASSERT_GT(t.types, 1u);
        clear_attractor_types(t);
        EXPECT_EQ(live_allocations, before) << "round " << round << " left rows allocated";
        EXPECT_EQ(t.types, 0u);
        EXPECT_EQ(t.samples, 0u);
        EXPECT_EQ(run_and_record(t, static_cast<uint32_t>(random() % 1024)), 1u);
        EXPECT_EQ(t.samples, 1u);
        clear_attractor_types(t);
    }
    EXPECT_EQ(live_allocations, before);
}

TEST_F(AttractorTypes, TheSameSeedsGiveTheSameTableTwice)
{
    srandom(9);
    TestNetwork net(2, 10, 3);
    wire_at_random(false);
    random_rules(false);
    std::vector<uint32_t> seeds;
    for (int run = 0; run < 100; run++)
        seeds.push_back(static_cast<uint32_t>(random() % 1024));
    std::vector<type_entry> first;
    for (int time = 0; time < 2; time++) {
        attractor_type_table t;
        for (uint32_t s : seeds)
            run_and_record(t, s);
        if (time == 0)
            first = entries_of(t);
        else
            EXPECT_EQ(entries_of(t), first);
        clear_attractor_types(t);
    }
}

// Every cell takes the rule's one value: all seeds fall into that point.
void
constant_rule(int value)
{
    TestNetwork::set_rule_number(value ? 0xFF : 0);
}

uint32_t
seed_with_ones(uint32_t ones)
{
    uint32_t s = 0;
    for (uint32_t c = 0; c < ones; c++)
        s |= 1u << c;
    return s;
}

TEST_F(AttractorTypes, DensityCountsOfTheAllOneAndAllZeroPoints)
{
    TestNetwork net(2, 10, 3);
    for (int value : {0, 1}) {
        SCOPED_TRACE(value ? "all 1s" : "all 0s");
        constant_rule(value);
        attractor_type_table t;
        t.count_density = true;
        // 3 seeds with fewer 1s than half, 2 with exactly half, 1 with more.
        for (uint32_t ones : {0u, 3u, 4u, 5u, 5u, 8u})
            EXPECT_EQ(run_and_record(t, seed_with_ones(ones)), 1u);
        int row = value ? dens_all_1s : dens_all_0s;
        EXPECT_EQ(density_row_of(t, 1), row);
        EXPECT_EQ(t.dens_seed[row][dens_fewer], 3u);
        EXPECT_EQ(t.dens_seed[row][dens_half], 2u);
        EXPECT_EQ(t.dens_seed[row][dens_more], 1u);
        EXPECT_EQ(t.dens_seed[1 - row][dens_fewer] + t.dens_seed[1 - row][dens_half] +
                      t.dens_seed[1 - row][dens_more],
                  0u);
        // All 1s reached from seeds mostly 0 is a misclassification, and so
        // is all 0s from seeds mostly 1.
        EXPECT_EQ(density_error_percent(t, 1), value ? 100u * 3 / 6 : 100u * 1 / 6);
        clear_attractor_types(t);
        EXPECT_TRUE(t.count_density) << "the clear turned the density counts off";
    }
}

TEST_F(AttractorTypes, AnOddRingNeverCountsExactlyHalf)
{
    TestNetwork net(2, 9, 3);
    constant_rule(1);
    attractor_type_table t;
    t.count_density = true;
    for (uint32_t ones = 0; ones <= 9; ones++)
        run_and_record(t, seed_with_ones(ones));
    EXPECT_EQ(t.dens_seed[dens_all_1s][dens_half], 0u);
    EXPECT_EQ(t.dens_seed[dens_all_1s][dens_fewer], 5u); // 0..4 ones of 9
    EXPECT_EQ(t.dens_seed[dens_all_1s][dens_more], 5u);  // 5..9
    clear_attractor_types(t);
    EXPECT_EQ(density_class_of(4, 9), dens_fewer);
    EXPECT_EQ(density_class_of(5, 9), dens_more);
    EXPECT_EQ(density_class_of(5, 10), dens_half);
}

TEST_F(AttractorTypes, NoDensityCountsWhenTheyAreOff)
{
    TestNetwork net(2, 10, 3);
    constant_rule(1);
    attractor_type_table t;
    run_and_record(t, seed_with_ones(2));
    EXPECT_EQ(t.dens_seed[dens_all_1s][dens_fewer], 0u);
    clear_attractor_types(t);
}

TEST_F(AttractorTypes, TypesOfAnotherSizeAreClearedNotCompared)
{
    TestNetwork net(2, 10, 3);
    attractor_type_table t;
    state_lines point(std::vector<uint32_t>{5});
    for (int run = 0; run < 2; run++)
        record_attractor(t, point.rows.data(), 1, point.rows[1], point.rows[1], 0);
    ASSERT_EQ(t.att_type_no[1], 2u);
    // The network grows to 40 cells within the run: lines of 5 bytes, the
    // first ones as before.
    const auto cells = lineL;
    const auto bytes = bytesL;
    lineL = 40;
    bytesL = 5;
    std::vector<uint8_t> wide(bytesL, 0);
    memcpy(wide.data(), point.rows[1], bytes);
    uint8_t *cycle[2] = {nullptr, wide.data()};
    EXPECT_EQ(record_attractor(t, cycle, 1, wide.data(), wide.data(), 0), 1u);
    EXPECT_EQ(t.types, 1u);
    EXPECT_EQ(t.att_type_no[1], 1u) << "a type of the old size was counted";
    EXPECT_EQ(t.samples, 1u);
    clear_attractor_types(t);
    lineL = cells;
    bytesL = bytes;
}

TEST_F(AttractorTypes, CountsPassSixteenBits)
{
    TestNetwork net(2, 10, 3);
    constant_rule(0);
    attractor_type_table t;
    t.count_density = true;
    state_lines point(std::vector<uint32_t>{0});
    for (uint32_t run = 0; run < 70000; run++)
        record_attractor(t, point.rows.data(), 1, point.rows[1], all_0s, 1);
    EXPECT_EQ(t.att_type_no[1], 70000u);
    EXPECT_EQ(t.samples, 70000u);
    EXPECT_EQ(t.dens_seed[dens_all_0s][dens_fewer], 70000u);
    EXPECT_FLOAT_EQ(t.att_type_avtrans[1], 1.0f);
    clear_attractor_types(t);
}

} // namespace
