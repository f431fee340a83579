// Whole fields computed by the table method with no window, where the tree
// builder takes each node's stored fan as it is, against brute force from
// the engine's own step: the basins and their periods, the states placed,
// the garden-of-Eden count, the in-degree of every state, the largest
// in-degree and the states whose 1s are a majority. Fields of different
// sizes and wirings run one after another in one process, so that whatever
// the builder keeps from one field (or from one tree to the next, as the
// level lists) cannot leak into the next; a field stopped by a key in the
// middle of its trees leaves nothing wrong behind either. The general
// method's fields, whose fans the builder takes whole as well, against brute
// force and the table's tree lines.
#include "ui/backward/tree_test_support.h"

#include "engine/backward/basin_totals.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/backward/successor_table.h"
#include "engine/model/key_poll.h"
#include "ui/driver/run_drivers.h"
#include "ui/storage/globals.h"
#include "support/torn_writes.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// What a field reports, found by brute force or by the field.
struct field_report {
    uint32_t basins = 0, placed = 0, gofe = 0;
    std::vector<uint32_t> periods;   // basins by period as cycles[] counts them
    std::vector<uint32_t> in_degree; // states by in-degree, the last entry for all above
    uint32_t largest_fan = 0;        // the largest in-degree, at least 1 (maxfieldfan)
    int32_t majority_ones = 0;       // states with more 1s than half the cells (isexception)
    bool operator==(const field_report &o) const
    {
        return basins == o.basins && placed == o.placed && gofe == o.gofe && periods == o.periods &&
               in_degree == o.in_degree && largest_fan == o.largest_fan &&
               majority_ones == o.majority_ones;
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
    os << " largest fan " << r.largest_fan << " majority of 1s " << r.majority_ones;
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
    r.largest_fan = 1;
    for (uint32_t d : degree) {
        r.in_degree[std::min(d, kHighestDegree)]++;
        r.gofe += d == 0;
        r.largest_fan = std::max(r.largest_fan, d);
    }
    const uint32_t cells = lineL;
    for (uint32_t s = 0; s < next.size(); s++)
        r.majority_ones += static_cast<uint32_t>(__builtin_popcount(s)) > cells / 2;
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

// The field of the network as it is, by the table method (or the general
// method where method says), no compression; in_degrees: the in-degree of
// every state counted as its fan is taken (else the report's in-degrees
// stay 0).
field_report
table_field(bool in_degrees = true, int method = exhaustive_table)
{
    std::vector<uint32_t> counts(kHighestDegree + 1, 0);
    uint32_t saved_max = maxinhist;
    pre_fan_freq = in_degrees ? counts.data() : nullptr;
    maxinhist = kHighestDegree;
    pre_fansize_freq_hist = in_degrees ? 1 : 0;
    show_maj = 1; // the majority count of 1s, kept with the in-degrees
    isexception = 0;
    exhaustive_testing = static_cast<decltype(exhaustive_testing)>(method);
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
    r.largest_fan = maxfieldfan;
    r.majority_ones = isexception;
    show_maj = show_maj_off;
    basinfield = 0;
    direction = direction_unset;
    exhaustive_testing = exhaustive_off;
    pre_fan_freq = nullptr;
    maxinhist = saved_max;
    pre_fansize_freq_hist = 0;
    return r;
}

// The network just made, from the backward settings every test starts
// from: random wiring and a random rule, or a ring under ring_rule.
void
random_network_or_ring(bool wired, uint32_t ring_rule)
{
    reset_backward_settings();
    if (wired) {
        wire_at_random(false);
        random_rules(false);
    } else {
        TestNetwork::set_rule_number(ring_rule);
    }
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
            random_network_or_ring(wired, n % 2 ? 110 : 30);
            std::vector<uint32_t> next = successors();
            SCOPED_TRACE(std::string(wired ? "random wiring, " : "ring, ") + std::to_string(n) + " cells");
            field_report expect = brute_field(next);
            EXPECT_EQ(table_field(), expect);
            EXPECT_EQ(earlyexitfield, 0);
            // The same field again in the same process.
            EXPECT_EQ(table_field(), expect);
            EXPECT_EQ(earlyexitfield, 0);
            undo_rule_mix();
        }
    }
}

// The field's basin and tree lines, as the data file takes them after
// the old text it held, and its report, in_degrees as table_field takes it.
std::pair<std::string, field_report>
field_lines(bool in_degrees, int method = exhaustive_table, const std::string &old = "")
{
    char name[] = "/tmp/zemra_table_field_XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0 || write(fd, old.data(), old.size()) != static_cast<ssize_t>(old.size()))
        return {};
    close(fd);
    char *saved_name = filename_data;
    filename_data = name;
    filedata = data_basins_and_trees;
    field_report r = table_field(in_degrees, method);
    filedata = data_off;
    filename_data = saved_name;
    std::ifstream in(name);
    std::string lines((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    unlink(name);
    // The field's time is no part of its result.
    std::string kept, line;
    std::istringstream all(lines);
    while (std::getline(all, line))
        if (line.find("time") == std::string::npos)
            kept += line + "\n";
    return {kept, r};
}

// Where no in-degree is counted, the tree builder takes a level's fans
// straight through the table's index (either form); with the in-degrees it
// takes them one by one. Both must place the same trees, state for state.
TEST(TableField, FieldsWalkedThroughTheIndexEqualTheFanByFanWalkTreeByTree)
{
    give_text_lines();
    srandom(8);
    for (index_form form : {index_form::offsets, index_form::blocks}) {
        set_table_index_form(form);
        for (uint32_t n : {12u, 15u}) {
            for (int wired = 0; wired < 2; wired++) {
                TestNetwork net(2, n, 3);
                random_network_or_ring(wired, 110);
                SCOPED_TRACE(std::string(wired ? "random wiring, " : "ring, ") + std::to_string(n) + " cells, " +
                             (form == index_form::offsets ? "offsets" : "blocks"));
                field_report expect = brute_field(successors());
                auto [walked_lines, walked] = field_lines(false);
                auto [by_fan_lines, by_fan] = field_lines(true);
                EXPECT_EQ(by_fan, expect);
                // The in-degrees (and the majority count kept with them) are what
                // a field without them does not count.
                walked.in_degree = expect.in_degree;
                walked.majority_ones = expect.majority_ones;
    walked.majority_ones = expect.majority_ones;
                EXPECT_EQ(walked, expect);
                EXPECT_GT(walked_lines.size(), 100u);
                EXPECT_EQ(walked_lines, by_fan_lines);
                undo_rule_mix();
            }
        }
    }
    set_table_index_form(index_form::automatic);
}

// The lines of text, each with its line end.
std::vector<std::string>
lines_of(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream all(text);
    for (std::string line; std::getline(all, line);)
        lines.push_back(line + "\n");
    return lines;
}

// The disk fills again and again while a field appends its data lines:
// after every two writes one is torn in its middle and the retry of its
// rest fails. The data file keeps its old line, then whole lines of the
// field only, in the order the field writes them with room on the disk.
TEST(TableField, AFieldWhoseAppendsAreTornLeavesWholeLinesOnlyInOrder)
{
    give_text_lines();
    srandom(21);
    TestNetwork net(2, 12, 3);
    reset_backward_settings();
    wire_at_random(false);
    random_rules(false);
    const std::string old = "v2k3 rule(dec)110 (hex)6e\n";
    std::vector<std::string> whole = lines_of(old + field_lines(false).first);
    torn_writes::start(11, 2);
    std::vector<std::string> torn = lines_of(field_lines(false, exhaustive_table, old).first);
    torn_writes::stop();
    ASSERT_GT(torn_writes::failures, 3);
    ASSERT_FALSE(torn.empty());
    EXPECT_EQ(torn[0], old);
    EXPECT_LT(torn.size(), whole.size());
    size_t at = 0;
    for (const std::string &line : torn) {
        while (at < whole.size() && whole[at] != line)
            at++;
        ASSERT_LT(at, whole.size()) << "not a line of the field, or out of order: " << line;
        at++;
    }
    undo_rule_mix();
}

// A key poll that answers 'q' from its polls_before_stop-th call on, and a
// fan stop prompt that answers 'q', left in the input line as the prompt
// leaves its answer: the user stopping the field.
int polls_before_stop = 0;

int
stopping_poll()
{
    return --polls_before_stop <= 0 ? 'q' : 0;
}

int
stop_answer()
{
    is[0] = 'q';
    return 'q';
}

TEST(TableField, AFieldStoppedByAKeyInTheWalkOfItsTreesIsLeftAndTheNextIsWhole)
{
    give_text_lines();
    // A ring of 13 cells under rule 30: trees of long, narrow chains, whose
    // nodes after the first are expanded by the walk of stored fans.
    TestNetwork net(2, 13, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(30);
    field_report expect = brute_field(successors());
    preimage_prompts prompts = {};
    prompts.ask_fan_stop = stop_answer;
    set_preimage_prompts(prompts);
    set_key_poll(stopping_poll);
    // Stopped at the first poll, then at polls further on: in the first
    // tree, and after trees whose lists the next tree takes again.
    // With no in-degrees counted, the polls fall due inside the walk of
    // the table's index.
    for (bool in_degrees : {true, false}) {
        for (int polls : {1, 3, 40}) {
            polls_before_stop = polls;
            field_report stopped = table_field(in_degrees);
            EXPECT_EQ(earlyexitfield, 1) << "stopped at poll " << polls;
            EXPECT_LT(stopped.placed, expect.placed) << "stopped at poll " << polls;
        }
    }
    set_key_poll(nullptr);
    set_preimage_prompts(preimage_prompts{});
    EXPECT_EQ(table_field(), expect);
    EXPECT_EQ(earlyexitfield, 0);
    field_report walked = table_field(false);
    walked.in_degree = expect.in_degree;
    walked.majority_ones = expect.majority_ones;
    EXPECT_EQ(walked, expect);
}

// Random wiring (mixed k, the rearranged cell order) and rings wired as
// any wiring, by the general method, whose fans after each tree's root the
// builder takes whole (made from the field's midpoints): the report of
// brute force, with the in-degrees and without, and the tree lines of the
// table's field; and the same again in the same process.
TEST(TableField, GeneralMethodFieldsTakenAsWholeFansEqualBruteForceAndTheTablesLines)
{
    give_text_lines();
    srandom(13);
    for (uint32_t n : {13u, 10u, 14u}) {
        for (int wired = 0; wired < 3; wired++) {
            TestNetwork net(2, n, 3);
            reset_backward_settings();
            if (wired) {
                wire_at_random(wired == 2);
                random_rules(false);
                reorderRBN = wired == 2;
            } else {
                nonlocal = 1;
                for (uint32_t c = 0; c < lineL; c++)
                    for (int j = 0; j < 3; j++)
                        wiring[c][j] = static_cast<uint16_t>((c + lineL - 1 + j) % lineL);
                TestNetwork::set_rule_number(n % 2 ? 110 : 30);
            }
            SCOPED_TRACE(std::string(wired ? "random wiring, " : "ring, ") + std::to_string(n) + " cells");
            field_report expect = brute_field(successors());
            auto [table_lines, table] = field_lines(false);
            for (int again = 0; again < 2; again++) {
                auto [general_lines, general] = field_lines(false, exhaustive_off);
                general.in_degree = expect.in_degree;
                general.majority_ones = expect.majority_ones;
                EXPECT_EQ(general, expect);
                EXPECT_EQ(earlyexitfield, 0);
                EXPECT_GT(general_lines.size(), 100u);
                EXPECT_EQ(general_lines, table_lines);
                EXPECT_EQ(table_field(true, exhaustive_off), expect);
            }
            reorderRBN = 0;
            undo_rule_mix();
        }
    }
}

[[noreturn]] void
throw_label(const char *label)
{
    throw std::runtime_error(label);
}

// How a field by the general method ended with its k-th allocation failing
// (the general tables built before it), as the exit code of a child process
// that ran it: the parent keeps no part of a field the failure cut short.
enum class failed_field { whole = 0, stopped = 1, set_up = 2, wrong = 3, no_failure = 4 };

failed_field
field_failing_at(unsigned long k, const field_report &expect)
{
    fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        set_outof_memory_handler(throw_label);
        prepair_pre_rand();
        fail_allocation_after = k;
        failed_field end;
        try {
            field_report got = table_field(false, exhaustive_off);
            got.in_degree = expect.in_degree;
            got.majority_ones = expect.majority_ones;
            end = earlyexitfield ? failed_field::stopped : got == expect ? failed_field::whole : failed_field::wrong;
        } catch (const std::runtime_error &) {
            end = failed_field::set_up; // the program's box for a failed array, before any tree
        }
        if (fail_allocation_after != 0)
            end = failed_field::no_failure;
        _exit(static_cast<int>(end));
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? static_cast<failed_field>(WEXITSTATUS(status)) : failed_field::wrong;
}

// A field by the general method with each allocation in turn failing:
// where the failure falls on a whole fan (after a tree's root), the builder
// asks that node's fan one by one and the field stays whole; elsewhere in
// the trees the tree is abandoned and the field stopped, or the failure
// spared (the field's midpoints give way to the kept ones): never a wrong
// field.
TEST(TableField, AGeneralFieldWhoseAllocationsFailInTurnIsWholeOrStopped)
{
    give_text_lines();
    srandom(19);
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    wire_at_random(false);
    random_rules(false);
    const field_report expect = brute_field(successors());
    int whole = 0, stopped = 0;
    for (unsigned long k = 1;; k++) {
        failed_field end = field_failing_at(k, expect);
        if (end == failed_field::no_failure)
            break;
        ASSERT_NE(end, failed_field::wrong) << "failing allocation " << k;
        whole += end == failed_field::whole;
        stopped += end == failed_field::stopped;
        ASSERT_LT(k, 10000u);
    }
    EXPECT_GT(whole, 0);
    EXPECT_GT(stopped, 0);
}

} // namespace
