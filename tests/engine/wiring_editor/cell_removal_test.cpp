// Killing and deleting cells: the readers of a killed cell, the renumbering
// of a delete, the successor of every state before and after a delete, the
// arrays afterwards and the allocation count.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

#include "engine/forward/forward_step.h"
#include "engine/model/checked_alloc.h"
#include "engine/wiring_editor/cell_removal.h"
#include "engine/wiring_editor/editor_network_support.h"

namespace {

std::vector<int>
inputs_of(int c)
{
    std::vector<int> in;
    for (int p = 0; p < nhoodm[c]; p++)
        in.push_back(wiring[c][p]);
    return in;
}

std::vector<int>
table_of(int c)
{
    std::vector<int> t;
    for (uint64_t x = 0; x < rule_entries(nhoodm[c]); x++)
        t.push_back(get_value(carule[c], static_cast<uint32_t>(x)));
    return t;
}

TEST(Kill, TheCellIsFrozenAndAReaderOfOneInputReadsItself)
{
    srandom(1);
    MixNetwork net(3, 8, {3});
    nhoodm[2] = 1;
    wiring[2][0] = 5;
    cut_in_out_links(5);
    EXPECT_EQ(inputs_of(5), std::vector<int>{5});
    EXPECT_EQ(table_of(5), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(wiring[5][1], Maxu);
    EXPECT_EQ(wiring[5][2], Maxu);
    EXPECT_EQ(inputs_of(2), std::vector<int>{2});
    EXPECT_EQ(table_of(2), (std::vector<int>{0, 1, 2}));
}

TEST(Kill, AReaderOfThreeKeepsTheOtherTwoInOrderWithAFreshRuleForTwo)
{
    srandom(2);
    MixNetwork net(2, 8, {3});
    for (int c = 0; c < 8; c++)
        for (int p = 0; p < 3; p++)
            wiring[c][p] = static_cast<uint16_t>(c); // every cell reads itself only
    wiring[1][0] = 6;
    wiring[1][1] = 4;
    wiring[1][2] = 0;
    memset(carule[1], 0xFF, rule_bytes(3));
    srandom(77);
    cut_in_out_links(4);
    EXPECT_EQ(inputs_of(1), (std::vector<int>{6, 0}));
    EXPECT_EQ(wiring[1][2], Maxu);
    // The table of k = 2: entries 0..3 drawn in order, the rest cleared.
    srandom(77);
    std::vector<int> drawn;
    for (int x = 0; x < 4; x++)
        drawn.push_back(static_cast<int>(random() % 2));
    EXPECT_EQ(table_of(1), drawn);
    EXPECT_EQ(carule[1][0] & 0xF0, 0);
    EXPECT_EQ(nhood_lb, 1);
    EXPECT_EQ(nhood_ub, 3);
    EXPECT_EQ(nhood_mixed, 1);
}

// A reader fed by the killed cell at two neighbouring positions loses both:
// afterwards no cell reads the killed one (a delete relies on it).
TEST(Kill, AReaderFedAtTwoNeighbouringPositionsLosesBoth)
{
    srandom(3);
    MixNetwork net(2, 6, {4});
    wiring[0][0] = 1;
    wiring[0][1] = 3;
    wiring[0][2] = 3;
    wiring[0][3] = 2;
    for (int c = 1; c < 6; c++)
        for (int p = 0; p < 4; p++)
            wiring[c][p] = static_cast<uint16_t>(c == 3 ? 2 : c);
    cut_in_out_links(3);
    EXPECT_EQ(inputs_of(0), (std::vector<int>{1, 2}));
    EXPECT_EQ(wiring[0][2], Maxu);
    EXPECT_EQ(wiring[0][3], Maxu);
}

// Random networks: every reader keeps its other inputs in their order, a
// reader left with none reads itself, no cell but the killed one reads it,
// unused slots are empty, and the count of live blocks is as before.
TEST(Kill, NoCellReadsTheKilledCellAfterwards)
{
    for (int v : {2, 3}) {
        for (int round = 0; round < 30; round++) {
            srandom(static_cast<unsigned>(100 + round));
            MixNetwork net(v, 12, {1, 3, 2, 4});
            uint16_t killed = static_cast<uint16_t>(random() % 12);
            network_copy before = copy_network();
            long blocks = live_allocations;
            cut_in_out_links(killed);
            EXPECT_EQ(live_allocations, blocks);
            for (int c = 0; c < 12; c++) {
                std::vector<int> kept;
                for (int in : before.inputs[static_cast<size_t>(c)])
                    if (in != killed)
                        kept.push_back(in);
                if (c == killed || kept.empty())
                    kept = {c};
                EXPECT_EQ(inputs_of(c), kept) << "v " << v << " round " << round << " cell " << c;
                for (int p = nhoodm[c]; p < nhood; p++)
                    EXPECT_EQ(wiring[c][p], Maxu);
            }
        }
    }
}

TEST(Kill, WithOneRuleForAllCellsTheRuleStays)
{
    srandom(4);
    MixNetwork net(2, 6, {3}, false);
    std::vector<int> rule = table_of(0);
    cut_in_out_links(2);
    nhoodm[0] = 3;
    EXPECT_EQ(table_of(0), rule);
}

TEST(Kill, NothingInTheForwardOnlyTotalisticMode)
{
    srandom(5);
    MixNetwork net(2, 6, {3});
    network_copy before = copy_network();
    tot_only = 1;
    cut_in_out_links(2);
    tot_only = 0;
    EXPECT_EQ(copy_network().inputs, before.inputs);
}

int failed_label_count = 0;
std::string failed_label;

[[noreturn]] void
record_failure(const char *label)
{
    failed_label = label;
    failed_label_count++;
    throw std::runtime_error(label);
}

TEST(Kill, AFailedRowScratchReachesTheHandlerWithItsLabel)
{
    srandom(6);
    MixNetwork net(2, 6, {3});
    set_outof_memory_handler(record_failure);
    fail_allocation_after = 1;
    EXPECT_THROW(cut_in_out_links(2), std::runtime_error);
    set_outof_memory_handler(nullptr);
    fail_allocation_after = 0;
    EXPECT_EQ(failed_label, "tempwiring");
}

// The old cell o of a network that lost cell gone, as the new cell.
int
new_index(int o, int gone)
{
    return o > gone ? o - 1 : o;
}

TEST(Delete, CellsAboveMoveDownWithTheirKAndRule)
{
    srandom(7);
    MixNetwork net(2, 10, {3, 2, 1});
    cut_in_out_links(3);
    network_copy before = copy_network();
    long blocks = live_allocations;
    delete_cell(3);
    // One cell's wiring row, rule table, tcode and kcode are gone; nothing else.
    EXPECT_EQ(live_allocations, blocks - 4);
    ASSERT_EQ(lineL, 9);
    EXPECT_EQ(L, 8);
    EXPECT_EQ(bytesL, 2);
    for (int c = 0; c < 9; c++) {
        int o = c < 3 ? c : c + 1;
        std::vector<int> renumbered;
        for (int in : before.inputs[static_cast<size_t>(o)])
            renumbered.push_back(new_index(in, 3));
        EXPECT_EQ(inputs_of(c), renumbered) << c;
        EXPECT_EQ(table_of(c), before.table[static_cast<size_t>(o)]) << c;
    }
    EXPECT_EQ(static_cast<size_t>(nhoodm[8]), before.inputs[9].size());
}

TEST(Delete, TheLastCellRenumbersNothing)
{
    srandom(8);
    MixNetwork net(2, 10, {3});
    cut_in_out_links(9);
    network_copy before = copy_network();
    delete_cell(9);
    ASSERT_EQ(lineL, 9);
    for (int c = 0; c < 9; c++) {
        EXPECT_EQ(inputs_of(c), before.inputs[static_cast<size_t>(c)]);
        EXPECT_EQ(table_of(c), before.table[static_cast<size_t>(c)]);
    }
}

// For every state of the smaller network, its successor is the successor of
// the old network (the cell killed first) with the cell left out; the
// forward step over the new arrays agrees (the sanitizer build checks it
// reads nothing past the new size).
TEST(Delete, EveryStateStepsAsInTheOldNetworkWithoutTheCell)
{
    for (int round = 0; round < 5; round++) {
        srandom(static_cast<unsigned>(200 + round));
        MixNetwork net(2, 10, {3});
        cut_in_out_links(3);
        network_copy old_net = copy_network();
        delete_cell(3);
        network_copy new_net = copy_network();
        step_mode mode;
        forward_run_begin(mode);
        for (uint64_t s = 0; s < 512; s++) {
            std::vector<int> small = state_of_number(s, 9, 2);
            for (int frozen = 0; frozen < 2; frozen++) {
                std::vector<int> big = small;
                big.insert(big.begin() + 3, frozen);
                std::vector<int> expected = successor(old_net, big);
                expected.erase(expected.begin() + 3);
                ASSERT_EQ(successor(new_net, small), expected) << "state " << s;
            }
            for (int c = 0; c < 9; c++)
                set_value(A, static_cast<uint32_t>(c), small[static_cast<size_t>(c)]);
            forward_step(carule, mode);
            std::vector<int> stepped;
            for (int c = 0; c < 9; c++)
                stepped.push_back(get_value(A, static_cast<uint32_t>(c)));
            ASSERT_EQ(stepped, successor(new_net, small)) << "state " << s;
        }
        forward_run_end();
        for (int c = 0; c < 9; c++)
            for (int p = 0; p < nhoodm[c]; p++)
                EXPECT_LT(wiring[c][p], 9);
    }
}

TEST(Delete, NothingForASingleCellOrTheForwardOnlyMode)
{
    srandom(9);
    MixNetwork net(2, 4, {2});
    tot_only = 1;
    delete_cell(1);
    tot_only = 0;
    EXPECT_EQ(lineL, 4);
}

} // namespace

namespace {

// A killed cell is frozen; the rules must be set, and the rule must be the
// identity of every value.
TEST(FrozenCell, AKilledCellIsFrozenAndOthersAreNot)
{
    srandom(21);
    MixNetwork net(3, 9, {2, 3});
    EXPECT_EQ(frozen_cell(4, 1), 0);
    cut_in_out_links(4);
    EXPECT_EQ(frozen_cell(4, 1), 1);
    EXPECT_EQ(frozen_cell(4, 0), 0);
    tot_only = 1;
    EXPECT_EQ(frozen_cell(4, 1), 0);
    tot_only = 0;
    // Self-wired with k = 1 but not the identity: 0 -> 0, 1 -> 2, 2 -> 1.
    set_value(carule[4], 1, 2);
    set_value(carule[4], 2, 1);
    EXPECT_EQ(frozen_cell(4, 1), 0);
}

} // namespace
