// Jump counting against a brute force: every one-cell perturbation of
// every attractor state followed along a successor map the test writes
// from the formula (or, for a random map, reads from the map itself) until
// it meets the first state of a known attractor. Fields of elementary rules,
// random wiring and v = 3, each drawn with the parallel table, a table in a
// sequential order, a random map, and without a table; the attractor
// histogram's types with their step limit; and the stop by 'q'.
#include "graph_test_support.h"

#include <map>

#include "engine/graphs/globals.h"
#include "engine/graphs/graph_data.h"
#include "engine/graphs/jump_counting.h"
#include "engine/model/key_poll.h"

namespace {

typedef std::vector<std::vector<uint32_t>> weight_table;

// The weights of nodes 1..types.size() (row and column 0 included): each
// perturbation of a type's states runs up to most_steps steps of next.
weight_table
brute_jumps(const std::vector<uint32_t> &next, const std::vector<brute_attractor> &types,
            uint64_t most_steps)
{
    std::map<uint32_t, uint32_t> node_of_reference;
    for (uint32_t i = 0; i < types.size(); i++)
        node_of_reference.emplace(types[i].states[0], i + 1);
    weight_table w(types.size() + 1, std::vector<uint32_t>(types.size() + 1));
    for (uint32_t i = 1; i <= types.size(); i++)
        for (uint32_t s : types[i - 1].states)
            for (int c = lineL - 1; c >= 0; c--) {
                uint64_t place = int_power(value_range, c);
                int own = static_cast<int>(s / place % value_range);
                for (int u = 0; u < value_range; u++) {
                    if (u == own)
                        continue;
                    uint32_t t = static_cast<uint32_t>(s + (static_cast<int64_t>(u) - own) * static_cast<int64_t>(place));
                    uint32_t met = 0;
                    for (uint64_t step = 0; step < most_steps && !met; step++) {
                        t = next[t];
                        auto found = node_of_reference.find(t);
                        if (found != node_of_reference.end())
                            met = found->second;
                    }
                    w[i][met]++;
                }
            }
    return w;
}

weight_table
counted_weights()
{
    weight_table w(node_no + 1, std::vector<uint32_t>(node_no + 1));
    for (uint32_t i = 1; i <= node_no; i++)
        for (uint32_t j = 0; j <= node_no; j++)
            w[i][j] = basinjumps[i][j];
    return w;
}

// How the field's successors were made.
enum class field_map { parallel_table, order_table, random_map, parallel_steps, order_steps };

// The network's successor map for a field drawn that way, the map set up
// (successor table, update order) as the field leaves it for its graph.
std::vector<uint32_t>
set_up_field_map(field_map how)
{
    std::vector<uint16_t> order(lineL);
    bool ordered = how == field_map::order_table || how == field_map::order_steps;
    if (ordered) {
        for (uint32_t c = 0; c < lineL; c++)
            order[c] = static_cast<uint16_t>(c);
        for (uint32_t c = lineL - 1; c > 0; c--)
            std::swap(order[c], order[random() % (c + 1)]);
        memcpy(seq_order, order.data(), lineL * sizeof(uint16_t));
        seq_update = update_seq_order;
    }
    if (how == field_map::random_map) {
        exhaustive_testing = exhaustive_random_map;
        EXPECT_EQ(fill_successor_table(-1, 0), 1);
        std::vector<uint32_t> next(states_of_network());
        for (uint32_t s = 0; s < next.size(); s++)
            next[s] = dec_equiv(exh_pairs + static_cast<size_t>(s) * bytesL, L);
        return next;
    }
    if (how == field_map::parallel_table || how == field_map::order_table) {
        exhaustive_testing = exhaustive_table;
        EXPECT_EQ(fill_successor_table(-1, 0), 1);
    }
    return reference_map(ordered ? &order : nullptr);
}

void
tear_down_field_map()
{
    free_successor_table();
    exhaustive_testing = exhaustive_off;
    seq_update = update_parallel;
}

// Counts the field's graph of the network built and checks it against the
// brute force: weights, outside inputs, and every row summing to the
// node's perturbations.
void
check_field_graph(field_map how)
{
    std::vector<uint32_t> next = set_up_field_map(how);
    std::vector<brute_attractor> attractors = attractors_of(next);
    record_basin_types(attractors);
    uint8_t *a = A, *f = F;
    std::vector<uint8_t> a_before(A, A + bytesL);
    ASSERT_TRUE(count_field_jumps(nullptr));
    EXPECT_EQ(A, a);
    EXPECT_EQ(F, f);
    EXPECT_EQ(std::vector<uint8_t>(A, A + bytesL), a_before);
    EXPECT_EQ(f_or_n, graph_field);
    ASSERT_EQ(node_no, attractors.size());
    const uint32_t perturbations = lineL * (value_range - 1);
    EXPECT_EQ(m_size, perturbations);
    EXPECT_EQ(m_space, static_cast<double>(next.size()));
    weight_table expected = brute_jumps(next, attractors, next.size());
    EXPECT_EQ(counted_weights(), expected);
    for (uint32_t i = 1; i <= node_no; i++) {
        uint64_t row = 0, into = 0;
        for (uint32_t j = 0; j <= node_no; j++) {
            row += basinjumps[i][j];
            if (j != i && j > 0)
                into += expected[j][i];
        }
        EXPECT_EQ(row, attractors[i - 1].states.size() * perturbations) << "node " << i;
        EXPECT_EQ(basinjumps[i][0], 0u) << "a complete field: every run meets a basin";
        EXPECT_EQ(outside_inputs[i], into) << "node " << i;
        EXPECT_EQ(node_period[i], attractors[i - 1].states.size());
    }
    free_graph_data();
    free_basin_types();
    tear_down_field_map();
}

const field_map kFieldMaps[] = {field_map::parallel_table, field_map::order_table,
                                field_map::random_map, field_map::parallel_steps,
                                field_map::order_steps};

TEST(FieldJumps, ElementaryRulesOnEightCells)
{
    srandom(37);
    for (uint32_t rule : {30u, 110u})
        for (field_map how : kFieldMaps) {
            SCOPED_TRACE(testing::Message() << "rule " << rule << " map " << static_cast<int>(how));
            TestNetwork net(2, 8, 3);
            reset_backward_settings();
            TestNetwork::set_rule_number(rule);
            check_field_graph(how);
        }
}

TEST(FieldJumps, RandomWiringOnTenCells)
{
    srandom(3);
    for (field_map how : kFieldMaps) {
        SCOPED_TRACE(testing::Message() << "map " << static_cast<int>(how));
        TestNetwork net(2, 10, 3);
        reset_backward_settings();
        wire_at_random(false);
        random_rules(false);
        check_field_graph(how);
        undo_rule_mix();
    }
}

TEST(FieldJumps, ThreeValuesOnFiveCells)
{
    srandom(5);
    for (field_map how : kFieldMaps) {
        SCOPED_TRACE(testing::Message() << "map " << static_cast<int>(how));
        TestNetwork net(3, 5, 3);
        reset_backward_settings();
        TestNetwork::set_random_rule();
        check_field_graph(how);
    }
}

// A basin type of period 0 makes no runs and keeps an empty row.
TEST(FieldJumps, PeriodZeroKeepsAnEmptyRow)
{
    TestNetwork net(2, 6, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    std::vector<brute_attractor> attractors = attractors_of(reference_map());
    brute_attractor empty;
    attractors.insert(attractors.begin(), empty);
    record_basin_types(attractors);
    ASSERT_TRUE(count_field_jumps(nullptr));
    for (uint32_t j = 0; j <= node_no; j++)
        EXPECT_EQ(basinjumps[1][j], 0u);
    attractors.erase(attractors.begin());
    weight_table expected = brute_jumps(reference_map(), attractors, 64);
    for (uint32_t i = 2; i <= node_no; i++)
        for (uint32_t j = 2; j <= node_no; j++)
            EXPECT_EQ(basinjumps[i][j], expected[i - 1][j - 1]);
    free_graph_data();
    free_basin_types();
}

// The attractor histogram's graph: only the types given are known, so runs
// may meet none of them; each run may make 3 x (largest period + largest
// mean transient) + 1 steps. The types' transients are chosen so that some
// run meets its type exactly at the last step allowed and another only one
// step later, which then counts in column 0.
TEST(AttractorJumps, StepLimitAsBruteForce)
{
    bool at_limit_seen = false, past_limit_seen = false;
    for (unsigned seed = 1; seed <= 20 && !(at_limit_seen && past_limit_seen); seed++) {
        TestNetwork net(2, 12, 3);
        reset_backward_settings();
        srandom(seed);
        wire_at_random(false);
        random_rules(false);
        std::vector<uint32_t> next = reference_map();
        std::vector<brute_attractor> all = attractors_of(next), types;
        // Every other attractor is known.
        for (size_t t = 0; t < all.size(); t += 2)
            types.push_back(all[t]);
        uint32_t longest = 0;
        for (const brute_attractor &t : types)
            longest = std::max<uint32_t>(longest, static_cast<uint32_t>(t.states.size()));
        for (uint32_t transient = 0; transient < 8; transient++) {
            uint64_t limit = 3 * (static_cast<uint64_t>(longest) + transient);
            weight_table expected = brute_jumps(next, types, limit + 1);
            weight_table longer = brute_jumps(next, types, limit + 2);
            weight_table shorter = brute_jumps(next, types, limit);
            bool at_limit = expected != shorter, past_limit = longer != expected;
            if (!at_limit || !past_limit)
                continue;
            std::vector<state_lines> lines;
            std::vector<uint8_t *const *> states(types.size() + 1, nullptr);
            std::vector<uint32_t> runs(types.size() + 1), period(types.size() + 1);
            std::vector<float> mean(types.size() + 1);
            lines.reserve(types.size());
            for (size_t t = 0; t < types.size(); t++) {
                lines.emplace_back(types[t].states);
                states[t + 1] = lines.back().rows.data();
                runs[t + 1] = static_cast<uint32_t>(t + 1);
                period[t + 1] = static_cast<uint32_t>(types[t].states.size());
                // Truncated: 0.9 above the whole transient changes nothing.
                mean[t + 1] = t == 0 ? transient + 0.9f : 0.5f;
            }
            attractor_types given;
            given.count = static_cast<uint32_t>(types.size());
            given.runs = runs.data();
            given.period = period.data();
            given.mean_transient = mean.data();
            given.sampled = 1000;
            given.states = states.data();
            given.rules = carule;
            // The random map of the set-up is never the graph's step.
            exhaustive_testing = exhaustive_random_map;
            ASSERT_TRUE(count_attractor_jumps(given, nullptr));
            exhaustive_testing = exhaustive_off;
            EXPECT_EQ(f_or_n, graph_attractors);
            EXPECT_EQ(m_space, 1000.0);
            EXPECT_EQ(counted_weights(), expected) << "seed " << seed << " transient " << transient;
            for (uint32_t i = 1; i <= node_no; i++) {
                EXPECT_EQ(histnodesize[i], i);
                EXPECT_EQ(node_period[i], period[i]);
            }
            free_graph_data();
            at_limit_seen = past_limit_seen = true;
            break;
        }
        undo_rule_mix();
    }
    EXPECT_TRUE(at_limit_seen && past_limit_seen) << "no network reached the limit's edge cases";
}

int
always_q()
{
    return 'q';
}

// 'q' between the steps stops the counting with nothing of the graph held.
TEST(FieldJumps, QuitStopsWithNothingHeld)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    std::vector<uint32_t> next = reference_map();
    long before = live_allocations;
    record_basin_types(attractors_of(next));
    long with_table = live_allocations;
    set_key_poll(always_q);
    EXPECT_FALSE(count_field_jumps(nullptr));
    set_key_poll(nullptr);
    EXPECT_EQ(basinjumps, nullptr);
    EXPECT_EQ(basin_pos, nullptr);
    EXPECT_EQ(node_no, 0u);
    EXPECT_EQ(f_or_n, graph_closed);
    EXPECT_EQ(live_allocations, with_table);
    free_basin_types();
    EXPECT_EQ(live_allocations, before);
}

// The progress figure: whole percents in rising order, only above 100
// perturbations.
std::vector<unsigned> percents_shown;

void
note_percent(unsigned percent)
{
    percents_shown.push_back(percent);
}

TEST(FieldJumps, ProgressInWholePercents)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    record_basin_types(attractors_of(reference_map()));
    uint64_t total = 0;
    for (uint32_t t = 1; t <= basin_types_recorded(); t++)
        total += m_att_period[t] * 10u;
    percents_shown.clear();
    ASSERT_TRUE(count_field_jumps(note_percent));
    free_graph_data();
    free_basin_types();
    ASSERT_GT(total, 100u);
    ASSERT_FALSE(percents_shown.empty());
    // Shown as the count passes each hundredth: the last one at 99 or 100.
    EXPECT_GE(percents_shown.back(), 99u);
    EXPECT_LE(percents_shown.back(), 100u);
    EXPECT_GE(percents_shown.size(), 99u);
    for (size_t k = 1; k < percents_shown.size(); k++)
        EXPECT_GT(percents_shown[k], percents_shown[k - 1]);
}

TEST(FieldJumps, NoProgressUpToHundredPerturbations)
{
    TestNetwork small(2, 3, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    record_basin_types(attractors_of(reference_map()));
    percents_shown.clear();
    ASSERT_TRUE(count_field_jumps(note_percent));
    EXPECT_TRUE(percents_shown.empty()) << "at most 100 perturbations show no figure";
    free_graph_data();
    free_basin_types();
}

} // namespace
