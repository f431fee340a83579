// The local sweep's pruning against the plain sweep: pruned from the first
// step, from a few steps on and after the program's budget, each fan is the
// plain sweep's, in its order; and dead ends the plain sweep would walk for
// v^n steps end at once.
#include "backward_test_support.h"

namespace {

TEST(LocalPruning, SameFansInTheSameOrderAsThePlainSweep)
{
    srandom(61);
    for (int v = 2; v <= 3; v++)
        for (int k = 1; k <= 5; k++)
            // At most 2^20 and 3^12 states; variant bit 0: a rule per cell, bit 1: most entries 0.
            for (int n : {k, 9, v == 2 ? 14 : 10, v == 2 ? 20 : 12})
                for (int variant = 0; variant < 4; variant++) {
                    TestNetwork net(v, n, k);
                    reset_backward_settings();
                    random_rules(variant & 1);
                    for (uint32_t r = 0; variant >= 2 && r < (rulemix ? lineL : 1); r++)
                        for (uint32_t i = 0; i < rule_entries(k); i++)
                            set_value(carule[r], i, random() % 4 ? 0 : get_value(carule[r], i));
                    allocate_local_arrays();
                    for (int i = 0; i < 6; i++) {
                        set_number(A, static_cast<uint32_t>(random() % states_of_network()));
                        if (i % 2) // an image, which has pre-images
                            plain_step(carule);
                        const uint32_t t = dec_equiv(A, L);
                        local_prune_after = INT64_MAX;
                        std::vector<uint32_t> plain = method_pre_images(t, local_method);
                        for (int64_t after : {int64_t(0), int64_t(1), int64_t(5), local_prune_auto}) {
                            local_prune_after = after;
                            EXPECT_EQ(method_pre_images(t, local_method), plain)
                                << "v=" << v << " k=" << k << " n=" << n << " variant " << variant
                                << " target " << t << " pruned after " << after;
                        }
                    }
                    free_local_arrays();
                    undo_rule_mix();
                }
}

// Cell 0 cannot give its target (with a rule mix: 0, its every entry v-1,
// the other cells' every entry 0, ignoring their leftmost input; with one
// rule, every entry 0: 1), which the plain sweep learns after v^n steps.
TEST(LocalPruning, DeadEndsEndAtOnce)
{
    for (int v = 2; v <= 3; v++)
        for (int k = 1; k <= 5; k++)
            for (int mix = 0; mix < 2; mix++) {
                TestNetwork net(v, 64, k);
                reset_backward_settings();
                random_rules(mix);
                for (uint32_t c = 0; c < (mix ? lineL : 1); c++)
                    for (uint32_t i = 0; i < rule_entries(k); i++)
                        set_value(carule[c], i, mix && c == 0 ? v - 1 : 0);
                allocate_local_arrays();
                EXPECT_TRUE(method_pre_images(mix ? 0 : 1, local_method).empty()) << "v=" << v << " k=" << k;
                free_local_arrays();
                undo_rule_mix();
            }
}

} // namespace
