// Untangling: the inputs sorted, the rule permuted so that no state's
// successor changes, and the work buffers' allocations.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "engine/model/checked_alloc.h"
#include "engine/wiring_editor/untangle.h"
#include "engine/wiring_editor/editor_network_support.h"

namespace {

TEST(Untangle, TwoInputsSwapAndTheMiddleEntriesFollow)
{
    srandom(1);
    MixNetwork net(2, 8, {2});
    wiring[4][0] = 5;
    wiring[4][1] = 2;
    std::vector<int> before;
    for (uint32_t x = 0; x < 4; x++)
        before.push_back(get_value(carule[4], x));
    untangle_buffers work = allocate_untangle_buffers();
    untangle_wiring(4, 1, work);
    free_untangle_buffers(work);
    EXPECT_EQ(wiring[4][0], 2);
    EXPECT_EQ(wiring[4][1], 5);
    EXPECT_EQ(get_value(carule[4], 0), before[0]);
    EXPECT_EQ(get_value(carule[4], 1), before[2]);
    EXPECT_EQ(get_value(carule[4], 2), before[1]);
    EXPECT_EQ(get_value(carule[4], 3), before[3]);
}

// Random networks of v = 2 and 3, up to 9 cells, k from 1 to 4: after every
// cell is untangled its inputs ascend, and every state of the network has
// the successor it had before. The buffers are the only blocks allocated.
TEST(Untangle, NoStateChangesItsSuccessor)
{
    for (int v : {2, 3}) {
        for (int n = 2; n <= 9; n++) {
            srandom(static_cast<unsigned>(v * 100 + n));
            MixNetwork net(v, n, {3, 1, 4, 2});
            network_copy before = copy_network();
            long blocks = live_allocations;
            untangle_buffers work = allocate_untangle_buffers();
            for (int c = 0; c < n; c++)
                untangle_wiring(static_cast<uint16_t>(c), 1, work);
            free_untangle_buffers(work);
            EXPECT_EQ(live_allocations, blocks);
            network_copy after = copy_network();
            for (int c = 0; c < n; c++) {
                const std::vector<int> &in = after.inputs[static_cast<size_t>(c)];
                EXPECT_TRUE(std::is_sorted(in.begin(), in.end())) << "v " << v << " cell " << c;
                std::vector<int> old_in = before.inputs[static_cast<size_t>(c)];
                std::sort(old_in.begin(), old_in.end());
                EXPECT_EQ(in, old_in);
            }
            uint64_t states = 1;
            for (int c = 0; c < n; c++)
                states *= static_cast<uint64_t>(v);
            for (uint64_t s = 0; s < states; s++) {
                std::vector<int> state = state_of_number(s, n, v);
                ASSERT_EQ(successor(after, state), successor(before, state))
                    << "v " << v << " n " << n << " state " << s;
            }
        }
    }
}

TEST(Untangle, WithoutPerCellRulesOnlyTheOrderChanges)
{
    srandom(3);
    MixNetwork net(2, 6, {3}, false);
    wiring[1][0] = 4;
    wiring[1][1] = 0;
    wiring[1][2] = 2;
    std::vector<uint8_t> rule(carule[0], carule[0] + rule_bytes(3));
    untangle_buffers work = allocate_untangle_buffers();
    untangle_wiring(1, 1, work);
    free_untangle_buffers(work);
    EXPECT_EQ(wiring[1][0], 0);
    EXPECT_EQ(wiring[1][1], 2);
    EXPECT_EQ(wiring[1][2], 4);
    EXPECT_EQ(std::vector<uint8_t>(carule[0], carule[0] + rule_bytes(3)), rule);
}

TEST(Untangle, RulesNotSetLeaveTheTableAlone)
{
    srandom(4);
    MixNetwork net(2, 6, {2});
    wiring[2][0] = 5;
    wiring[2][1] = 1;
    uint8_t rule = carule[2][0];
    untangle_buffers work = allocate_untangle_buffers();
    untangle_wiring(2, 0, work);
    free_untangle_buffers(work);
    EXPECT_EQ(wiring[2][0], 1);
    EXPECT_EQ(carule[2][0], rule);
}

std::string failed_label;

[[noreturn]] void
record_failure(const char *label)
{
    failed_label = label;
    throw std::runtime_error(label);
}

TEST(Untangle, AFailedRuleCopyReachesTheHandlerWithItsLabel)
{
    srandom(5);
    MixNetwork net(2, 6, {3});
    set_outof_memory_handler(record_failure);
    fail_allocation_after = 1;
    EXPECT_THROW(allocate_untangle_buffers(), std::runtime_error);
    set_outof_memory_handler(nullptr);
    fail_allocation_after = 0;
    EXPECT_EQ(failed_label, "catemp");
}

} // namespace
