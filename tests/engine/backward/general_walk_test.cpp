// The general method's depth-first walk (taken with the stack view off and
// 2^n below the partial limit) against its breadth-first form (taken with
// the view on): the same pre-images in the same order for random networks of
// every kind, also where the walk goes on from the partials it kept for
// earlier targets, and the limit still abandons a target whose
// breadth-first stacks would pass it. The methods' sets against brute force are in
// preimage_methods_test.cpp.
#include "backward_test_support.h"

namespace {

// Row r of a random rule for k = nhood; with k = 5 the entries come in
// aligned blocks of four of one value, so that no cell has more than eight
// tries a value and the walk serves it.
void
random_block_rule(uint32_t r)
{
    uint32_t block = nhood == 5 ? 4 : 1;
    for (uint32_t i = 0; i < rule_entries(nhood); i += block) {
        int value = static_cast<int>(random() % 2);
        for (uint32_t j = i; j < i + block; j++)
            set_value(carule[r], j, value);
    }
}

// The image of a random state: a target with pre-images.
uint32_t
image_of_random_state()
{
    set_state_number(static_cast<uint32_t>(random()) & ((uint32_t(1) << lineL) - 1));
    plain_step(carule);
    return state_number();
}

// The network of a variant on the TestNetwork made, with the general
// method's tables: random wiring and block rules; variant bit 0: mixed k;
// bit 1: a rule per cell; variant 3 also processes the cells in the
// rearranged order. With n a multiple of 3 a cell is wired twice to one
// input.
void
build_walk_network(int variant)
{
    wire_at_random(variant & 1);
    if (variant & 2) {
        allocate_mem_rulemix(nhood);
        rulemix = 1;
    }
    for (uint32_t r = 0; r < (rulemix ? lineL : 1u); r++)
        random_block_rule(r);
    if (lineL % 3 == 0)
        wiring[0][nhoodm[0] - 1] = wiring[0][0];
    reorderRBN = variant == 3;
    prepair_pre_rand();
}

TEST(GeneralWalk, ListsWhatTheBreadthFirstFormListsInItsOrder)
{
    srandom(29);
    int walked = 0;
    for (int n = 1; n <= 20; n++)
        for (int k = 1; k <= 5; k++)
            for (int variant = 0; variant < 4; variant++) {
                TestNetwork net(2, n, k);
                reset_backward_settings();
                build_walk_network(variant);
                for (int i = 0; i < 6; i++) {
                    uint32_t t = i % 2 ? image_of_random_state()
                                       : static_cast<uint32_t>(random()) & ((uint32_t(1) << n) - 1);
                    SCOPED_TRACE(testing::Message() << "n=" << n << " k=" << k << " variant " << variant
                                                    << " target " << t);
                    see_ppstack = see_ppstack_on;
                    std::vector<uint32_t> breadth_first = method_pre_images(t, general_method);
                    uint32_t wild = pp_wild, stacked = pp_hist_max;
                    see_ppstack = see_ppstack_off;
                    std::vector<uint32_t> walk = method_pre_images(t, general_method);
                    EXPECT_EQ(walk, breadth_first);
                    EXPECT_EQ(pp_wild, wild);
                    EXPECT_EQ(abort_subtree, abort_subtree_none);
                    // The walk keeps no stacks.
                    EXPECT_EQ(pp_hist_max, 0u);
                    walked += stacked > 0;
                }
                free_pre_rand();
                undo_rule_mix();
                reorderRBN = 0;
            }
    EXPECT_GT(walked, 1000);
}

// A key's midpoints are made at its eighth target: every target of each
// network, twice over, so that most are walked on from kept midpoints,
// lists what the breadth-first form lists in its order.
TEST(GeneralWalk, WalksOnFromKeptMidpointsListTheSame)
{
    srandom(31);
    for (int n : {6, 10, 13})
        for (int k : {3, 5})
            for (int variant = 0; variant < 4; variant++) {
                TestNetwork net(2, n, k);
                reset_backward_settings();
                build_walk_network(variant);
                for (int pass = 0; pass < 2; pass++)
                    for (uint32_t t = 0; t < (uint32_t(1) << n); t++) {
                        see_ppstack = see_ppstack_on;
                        std::vector<uint32_t> breadth_first = method_pre_images(t, general_method);
                        see_ppstack = see_ppstack_off;
                        ASSERT_EQ(method_pre_images(t, general_method), breadth_first)
                            << "n=" << n << " k=" << k << " variant " << variant << " target " << t;
                    }
                free_pre_rand();
                undo_rule_mix();
                reorderRBN = 0;
            }
}

// Larger networks (three and four lanes of cells, 2^n still below the limit): targets that share the
// cells above the split, so that their key's midpoints are made and walked
// on from, list what the breadth-first form lists in its order.
TEST(GeneralWalk, LargeNetworksWalkOnFromMidpointsListTheSame)
{
    srandom(37);
    for (int n : {20, 24, 26})
        for (int variant = 0; variant < 4; variant++) {
            TestNetwork net(2, n, 3);
            reset_backward_settings();
            build_walk_network(variant);
            uint32_t low = (uint32_t(1) << (n - n * 3 / 5)) - 1; // the cells at the split and below
            for (int key = 0; key < 3; key++) {
                uint32_t high = image_of_random_state() & ~low;
                for (int i = 0; i < 12; i++) {
                    // Images where there are any, so that most targets have pre-images.
                    uint32_t t = high | (i % 2 ? image_of_random_state() & low : static_cast<uint32_t>(random()) & low);
                    see_ppstack = see_ppstack_on;
                    std::vector<uint32_t> breadth_first = method_pre_images(t, general_method);
                    see_ppstack = see_ppstack_off;
                    ASSERT_EQ(method_pre_images(t, general_method), breadth_first)
                        << "n=" << n << " variant " << variant << " target " << t;
                }
            }
            free_pre_rand();
            undo_rule_mix();
            reorderRBN = 0;
        }
}

TEST(GeneralWalk, StacksPassingTheLimitStillAbandonTheTarget)
{
    srandom(7);
    TestNetwork net(2, 12, 3);
    reset_backward_settings();
    wire_at_random(false);
    TestNetwork::set_rule_number(110);
    prepair_pre_rand();
    // A target whose breadth-first stacks grow well past its pre-images.
    uint32_t t = 0, peak = 0;
    std::vector<uint32_t> all;
    while (peak <= 2 * all.size() + 4) {
        t = image_of_random_state();
        see_ppstack = see_ppstack_on;
        all = method_pre_images(t, general_method);
        peak = pp_hist_max;
    }
    see_ppstack = see_ppstack_off;
    uint32_t saved = partial_preimage_limit;
    // A limit the walk would never reach but the largest stack passes (the
    // stacks are made again: they are checked against it as they grow).
    partial_preimage_limit = peak - 1;
    prepair_pre_rand();
    EXPECT_TRUE(method_pre_images(t, general_method).empty());
    EXPECT_EQ(abort_subtree, abort_subtree_too_many_partial);
    abort_subtree = abort_subtree_none;
    // Above 2^n the walk lists them all.
    partial_preimage_limit = (1u << lineL) + 1;
    EXPECT_EQ(method_pre_images(t, general_method), all);
    EXPECT_EQ(pp_hist_max, 0u);
    partial_preimage_limit = saved;
    free_pre_rand();
    undo_rule_mix();
}

} // namespace
