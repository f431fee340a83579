// The general pre-image method when memory runs out, through the checked
// allocator's fault hook: each allocation of its tables, made before the
// trees, reaching the out-of-memory handler with its label (never a
// std::bad_alloc past it), and each allocation of a fan abandoning the fan
// with the failure noted for the tree's report (tree_memory.h).
#include "backward_test_support.h"

#include <cstring>
#include <set>
#include <stdexcept>
#include <string>

#include "engine/backward/tree_memory.h"

namespace {

// Random wiring on ten cells, k = 3: the word form, the walk, and level
// lists of state numbers.
void
build_random_network()
{
    reset_backward_settings();
    wire_at_random(false);
    TestNetwork::set_random_rule();
}

[[noreturn]] void
throw_label(const char *label)
{
    throw std::runtime_error(label);
}

TEST(GeneralMethodMemory, EveryFailedAllocationOfTheTablesReachesTheHandlerWithItsLabel)
{
    srandom(59);
    TestNetwork net(2, 10, 3);
    build_random_network();
    set_outof_memory_handler(throw_label);
    const long live = live_allocations;
    std::set<std::string> labels;
    unsigned long n = 1;
    for (;; n++) {
        fail_allocation_after = n;
        bool reached = false;
        try {
            prepair_pre_rand();
        } catch (const std::runtime_error &e) {
            labels.insert(e.what());
            reached = true;
        }
        const bool failed = fail_allocation_after == 0;
        fail_allocation_after = 0;
        free_pre_rand();
        EXPECT_EQ(live_allocations, live) << "allocation " << n;
        EXPECT_EQ(reached, failed) << "allocation " << n;
        if (!failed)
            break;
    }
    set_outof_memory_handler(nullptr);
    EXPECT_GT(n, 5u) << "the tables were built from too few allocations to be counted";
    EXPECT_EQ(labels.count("general method tables"), 1u);
    undo_rule_mix();
}

TEST(GeneralMethodMemory, EveryFailedAllocationOfAFanAbandonsItWithTheFailureNoted)
{
    srandom(61);
    TestNetwork net(2, 10, 3);
    build_random_network();
    std::vector<uint32_t> next = successors();
    const uint32_t t = next[random() % next.size()]; // a state with pre-images
    const std::vector<uint32_t> expect = brute_pre_images(next, t);
    std::set<std::string> noted;
    for (unsigned long n = 1;; n++) {
        prepair_pre_rand(); // the fan's stacks and numbers start empty each time
        ASSERT_TRUE(start_level_lists());
        ASSERT_TRUE(level_lists_hold_numbers());
        pretog = 0;
        nextindex = 0;
        precount = 0;
        abort_subtree = abort_subtree_none;
        set_number(A, t);
        fail_allocation_after = n;
        pre_images_rand();
        const bool failed = fail_allocation_after == 0;
        fail_allocation_after = 0;
        std::vector<uint32_t> got;
        for (uint32_t i = 1; i <= nextindex; i++)
            got.push_back(next_level_number(i));
        const char *what = tree_memory_failed().what;
        free_level_lists();
        free_pre_rand();
        if (!failed) {
            EXPECT_EQ(what, nullptr);
            EXPECT_EQ(sorted(got), expect);
            break;
        }
        ASSERT_NE(what, nullptr) << "allocation " << n << " failed unnoted";
        noted.insert(what);
    }
    EXPECT_EQ(noted.count("fan numbers"), 1u);
    undo_rule_mix();
}

} // namespace
