// Whole fields computed by the table method with no window, where the tree
// builder takes each node's stored fan as it is, against brute force from
// the engine's own step: the basins and their periods, the states placed,
// the garden-of-Eden count and the in-degree of every state. Fields of
// different sizes and wirings run one after another in one process, so
// that whatever the builder keeps from one field cannot leak into the next.
#include "ui/backward/tree_test_support.h"

#include "engine/backward/basin_totals.h"
#include "ui/driver/run_drivers.h"

namespace {

// The text scratch lines the program allocates at start-up.
void
give_text_lines()
{
    static char lines[7][150];
    static char *rows[7];
    if (textb)
        return;
    for (int i = 0; i < 7; i++)
        rows[i] = lines[i];
    textb = rows;
}

// What a field reports, found by brute force or by the field.
struct field_report {
    uint32_t basins = 0, placed = 0, gofe = 0;
    std::vector<uint32_t> periods;   // basins by period as cycles[] counts them
    std::vector<uint32_t> in_degree; // states by in-degree, the last entry for all above
    bool operator==(const field_report &o) const
    {
        return basins == o.basins && placed == o.placed && gofe == o.gofe && periods == o.periods &&
               in_degree == o.in_degree;
    }
};

std::ostream &
operator<<(std::ostream &os, const field_report &r)
{
    os << "basins " << r.basins << " placed " << r.placed << " g " << r.gofe << " periods";
    for (uint32_t p : r.periods)
        os << ' ' << p;
    os << " in-degree";
    for (uint32_t d : r.in_degree)
        os << ' ' << d;
    return os;
}

constexpr uint32_t kHighestDegree = 12;

field_report
brute_field(const std::vector<uint32_t> &next)
{
    field_report r;
    r.placed = static_cast<uint32_t>(next.size());
    r.periods.assign(10, 0);
    r.in_degree.assign(kHighestDegree + 1, 0);
    std::vector<uint32_t> degree(next.size(), 0);
    for (uint32_t s : next)
        degree[s]++;
    for (uint32_t d : degree) {
        r.in_degree[std::min(d, kHighestDegree)]++;
        r.gofe += d == 0;
    }
    // Each cycle once: a walk from each state not yet seen until it meets a
    // state seen before; when that state is on the walk, it closes a cycle.
    std::vector<uint8_t> seen(next.size(), 0); // 1: on the current walk, 2: done
    std::vector<uint32_t> walk;
    for (uint32_t s = 0; s < next.size(); s++) {
        walk.clear();
        uint32_t x = s;
        for (; !seen[x]; x = next[x]) {
            seen[x] = 1;
            walk.push_back(x);
        }
        if (seen[x] == 1) {
            uint32_t period = 1;
            for (uint32_t y = next[x]; y != x; y = next[y])
                period++;
            r.basins++;
            r.periods[period < 10 ? period : 0]++;
        }
        for (uint32_t y : walk)
            seen[y] = 2;
    }
    return r;
}

// The field of the network as it is, by the table method, no compression.
field_report
table_field()
{
    std::vector<uint32_t> counts(kHighestDegree + 1, 0);
    uint32_t saved_max = maxinhist;
    pre_fan_freq = counts.data();
    maxinhist = kHighestDegree;
    pre_fansize_freq_hist = 1;
    exhaustive_testing = exhaustive_table;
    dontcompress = 1;
    mutantdontpause = 1; // the table is made without its dialog
    basinfield = 1;
    direction = direction_forward;
    draw_field();
    field_report r;
    r.basins = totbasinsinfield;
    r.placed = fieldsize;
    r.gofe = fieldgofE;
    r.periods.assign(cycles, cycles + 10);
    r.in_degree = counts;
    EXPECT_EQ(earlyexitfield, 0);
    basinfield = 0;
    direction = direction_unset;
    exhaustive_testing = exhaustive_off;
    pre_fan_freq = nullptr;
    maxinhist = saved_max;
    pre_fansize_freq_hist = 0;
    return r;
}

TEST(TableField, FieldsOfSeveralSizesOneAfterAnotherEqualBruteForce)
{
    give_text_lines();
    srandom(5);
    // Larger, smaller, then larger again: lists and marks kept from a
    // larger field meet a smaller one and the other way round.
    const uint32_t cells[] = {14, 11, 15, 9};
    for (uint32_t n : cells) {
        for (int wired = 0; wired < 2; wired++) {
            TestNetwork net(2, n, 3);
            reset_backward_settings();
            if (wired) {
                wire_at_random(false);
                random_rules(false);
            } else {
                TestNetwork::set_rule_number(n % 2 ? 110 : 30);
            }
            std::vector<uint32_t> next = successors();
            SCOPED_TRACE(std::string(wired ? "random wiring, " : "ring, ") + std::to_string(n) + " cells");
            field_report expect = brute_field(next);
            EXPECT_EQ(table_field(), expect);
            // The same field again in the same process.
            EXPECT_EQ(table_field(), expect);
            undo_rule_mix();
        }
    }
}

} // namespace
