// Each pre-image method against the brute-force inversion of the forward
// step: random networks of every kind, every small ring, Garden-of-Eden and
// constant-rule targets, and a target with more than 65,535 pre-images. The
// tree builder's answer to too many partial pre-images is tested with the
// interface (tests/ui/backward/preimage_methods_test.cpp).
#include "backward_test_support.h"

namespace {

// Targets: random states and images of random states (which have pre-images).
std::vector<uint32_t>
targets(const std::vector<uint32_t> &next, int count)
{
    std::vector<uint32_t> t;
    for (int i = 0; i < count; i++) {
        t.push_back(static_cast<uint32_t>(random() % next.size()));
        t.push_back(next[random() % next.size()]);
    }
    return t;
}

// The local sweep's order, computed from the brute-force pre-images: by
// start block number (entry j = cell L-a+1+j), then cell by cell from cell
// L-a down to cell b, where at each cell the smallest value whose entry
// gives the cell's target comes first and the other fitting values follow
// from the largest down (the branch stack's order; for v = 2: 0 before 1).
std::vector<uint32_t>
sweep_order(std::vector<uint32_t> pre, uint32_t t)
{
    const int n = static_cast<int>(lineL), k = nhood, a = k / 2, v = value_range;
    auto key = [&](uint32_t s) {
        std::vector<int> cell(n);
        for (int i = 0; i < n; i++, s /= static_cast<uint32_t>(v))
            cell[i] = static_cast<int>(s % static_cast<uint32_t>(v));
        auto at = [&](int x) { return cell[((x % n) + n) % n]; };
        std::vector<int> ranks;
        int block = 0;
        for (int j = k - 2; j >= 0; j--)
            block = block * v + at(n - 1 - a + 1 + j);
        ranks.push_back(block);
        uint32_t target = t;
        std::vector<int> tv(n);
        for (int i = 0; i < n; i++, target /= static_cast<uint32_t>(v))
            tv[i] = static_cast<int>(target % static_cast<uint32_t>(v));
        for (int c = n - 1; c >= k - 1; c--) {
            uint32_t above = 0;
            for (int j = k - 1; j >= 1; j--)
                above = above * static_cast<uint32_t>(v) + static_cast<uint32_t>(at(c - a + j));
            int smallest = -1;
            for (int d = v - 1; d >= 0; d--)
                if (get_value(carule[0], above * static_cast<uint32_t>(v) + static_cast<uint32_t>(d)) == tv[c])
                    smallest = d;
            int x = at(c - a);
            ranks.push_back(x == smallest ? 0 : v - x);
        }
        return ranks;
    };
    std::vector<std::pair<std::vector<int>, uint32_t>> keyed;
    for (uint32_t s : pre)
        keyed.emplace_back(key(s), s);
    std::sort(keyed.begin(), keyed.end());
    for (size_t i = 0; i < pre.size(); i++)
        pre[i] = keyed[i].second;
    return pre;
}

TEST(PreimageMethods, LocalMethodListsInSweepOrder)
{
    srandom(21);
    const int max_n[] = {0, 0, 13, 8, 6};
    for (int v = 2; v <= 4; v++)
        for (int k = 1; k <= 5; k++)
            for (int n = k; n <= max_n[v]; n++)
                for (int variant = 0; variant < 3; variant++) {
                    TestNetwork net(v, n, k);
                    reset_backward_settings();
                    TestNetwork::set_random_rule();
                    if (variant == 1 && v == 2 && k == 3)
                        TestNetwork::set_rule_number(110);
                    if (variant == 2) // few outputs of v-1: targets with many pre-images
                        for (uint64_t i = 0; i < rule_entries(k); i++)
                            if (random() % 4)
                                set_value(carule[0], static_cast<uint32_t>(i), 0);
                    std::vector<uint32_t> next = successors();
                    // v = 2 sweeps runs of up to 14-(k-1) cells; shorter runs
                    // (1, 2 or 3 cells, the last one shorter) cover the walk
                    // over several runs.
                    for (int run : {14, 1, 2, 3}) {
                        local_run_key_bits = run == 14 ? 14 : k - 1 + run;
                        allocate_local_arrays();
                        for (uint32_t t : targets(next, 3)) {
                            SCOPED_TRACE(testing::Message() << "v=" << v << " n=" << n << " k=" << k << " run " << run
                                                            << " target " << t);
                            EXPECT_EQ(method_pre_images(t, local_method), sweep_order(brute_pre_images(next, t), t));
                        }
                        free_local_arrays();
                        if (v > 2)
                            break;
                    }
                    local_run_key_bits = 14;
                }
}

TEST(PreimageMethods, RandomNetworksEqualBruteForce)
{
    srandom(12);
    const int shapes[][2] = {{2, 12}, {2, 9}, {3, 8}, {3, 6}, {4, 6}, {4, 5}};
    for (const auto &shape : shapes)
        for (int k = 1; k <= 5; k++)
            for (int variant = 0; variant < 4; variant++) {
                TestNetwork net(shape[0], shape[1], k);
                reset_backward_settings();
                wire_at_random(variant & 1);
                random_rules(variant & 2);
                std::vector<uint32_t> next = successors();
                reorderRBN = variant == 3;
                prepair_pre_rand();
                exhaustive_testing = exhaustive_table;
                ASSERT_EQ(fill_successor_table(-1, 0), 1);
                for (uint32_t t : targets(next, 4)) {
                    std::vector<uint32_t> expect = brute_pre_images(next, t);
                    SCOPED_TRACE(testing::Message() << "v=" << shape[0] << " n=" << shape[1] << " k=" << k
                                                    << " variant " << variant << " target " << t);
                    std::vector<uint32_t> general = method_pre_images(t, general_method);
                    EXPECT_EQ(sorted(general), expect);
                    // The table lists them in ascending state number.
                    EXPECT_EQ(method_pre_images(t, table_method), expect);
                }
                free_successor_table();
                free_pre_rand();
                undo_rule_mix();
            }
}

// Both forms of the table's index give every fan, large ones (rule 0: all
// states on one) and spilled blocks included.
TEST(PreimageMethods, BothTableIndexFormsEqualBruteForce)
{
    srandom(31);
    for (index_form form : {index_form::offsets, index_form::blocks})
        for (uint32_t rule : {0u, 30u, 110u, 232u}) {
            for (int variant = 0; variant < 2; variant++) {
                TestNetwork net(2, 13, 3);
                reset_backward_settings();
                TestNetwork::set_rule_number(rule);
                if (variant == 1)
                    wire_at_random(false);
                std::vector<uint32_t> next = successors();
                set_table_index_form(form);
                exhaustive_testing = exhaustive_table;
                ASSERT_EQ(fill_successor_table(-1, 0), 1);
                for (uint32_t t = 0; t < next.size(); t += t < 200 ? 1 : 61)
                    EXPECT_EQ(method_pre_images(t, table_method), brute_pre_images(next, t))
                        << "rule " << rule << " variant " << variant << " target " << t
                        << (form == index_form::blocks ? " blocks" : " offsets");
                free_successor_table();
                set_table_index_form(index_form::automatic);
                undo_rule_mix();
            }
        }
}

// The general method's tables belong to one network: a new run after the
// rule changed must not answer with the tables of the old rule.
TEST(PreimageMethods, GeneralMethodSeesTheRuleOfANewRun)
{
    srandom(30);
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    wire_at_random(1);
    for (int number : {30, 110}) {
        TestNetwork::set_rule_number(number);
        reset_backward_run();
        std::vector<uint32_t> next = successors();
        for (uint32_t t : targets(next, 4)) {
            SCOPED_TRACE(testing::Message() << "rule " << number << " target " << t);
            EXPECT_EQ(sorted(method_pre_images(t, general_method)), brute_pre_images(next, t));
        }
    }
    free_pre_rand();
}

TEST(PreimageMethods, EveryRingLocalGeneralAndTableAgree)
{
    srandom(5);
    const int max_n[] = {0, 0, 12, 8, 6};
    for (int v = 2; v <= 4; v++)
        for (int k = 1; k <= 5; k++)
            for (int n = 1; n <= max_n[v]; n++) {
                TestNetwork net(v, n, k);
                reset_backward_settings();
                TestNetwork::set_random_rule();
                std::vector<uint32_t> next = successors();
                allocate_local_arrays();
                prepair_pre_rand();
                exhaustive_testing = exhaustive_table;
                ASSERT_EQ(fill_successor_table(-1, 0), 1);
                for (uint32_t t : targets(next, 3)) {
                    SCOPED_TRACE(testing::Message() << "v=" << v << " n=" << n << " k=" << k << " target " << t);
                    std::vector<uint32_t> expect = brute_pre_images(next, t);
                    EXPECT_EQ(sorted(method_pre_images(t, local_method)), expect);
                    EXPECT_EQ(sorted(method_pre_images(t, general_method)), expect);
                    EXPECT_EQ(method_pre_images(t, table_method), expect);
                }
                free_successor_table();
                free_pre_rand();
                free_local_arrays();
            }
}

TEST(PreimageMethods, SequentialTableInvertsTheSequentialStep)
{
    srandom(8);
    for (uint8_t mode = update_cell_order; mode <= update_seq_order; mode++) {
        TestNetwork net(3, 7, 3);
        reset_backward_settings();
        TestNetwork::set_random_rule();
        shuffle_order(seq_order, lineL);
        if (mode == 1)
            identity_order(seq_order, lineL);
        if (mode == 2)
            reverse_order(seq_order, lineL);
        std::vector<uint32_t> next = successors(mode);
        seq_update = mode;
        exhaustive_testing = exhaustive_table;
        ASSERT_EQ(fill_successor_table(-1, 0), 1);
        seq_update = update_parallel;
        std::vector<uint32_t> parallel = successors(0);
        EXPECT_NE(next, parallel);
        for (uint32_t t : targets(next, 5))
            EXPECT_EQ(method_pre_images(t, table_method), brute_pre_images(next, t)) << "mode " << int(mode);
        free_successor_table();
    }
}

TEST(PreimageMethods, GardenOfEdenTargetHasNone)
{
    // Rule 204 copies the centre cell... rule 0 maps everything to all 0s:
    // any other state is a Garden-of-Eden state.
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(0);
    allocate_local_arrays();
    EXPECT_TRUE(method_pre_images(5, local_method).empty());
    nonlocal = 1;
    prepair_pre_rand();
    EXPECT_TRUE(method_pre_images(5, general_method).empty());
    free_pre_rand();
    free_local_arrays();
    nonlocal = 0;
}

TEST(PreimageMethods, ConstantRuleGivesEveryState)
{
    for (int v = 2; v <= 4; v++) {
        TestNetwork net(v, v == 2 ? 10 : 6, 3);
        reset_backward_settings();
        for (uint64_t i = 0; i < rule_entries(3); i++)
            set_value(carule[0], static_cast<uint32_t>(i), v - 1);
        uint32_t uniform = static_cast<uint32_t>(states_of_network() - 1); // every cell v-1
        allocate_local_arrays();
        EXPECT_EQ(method_pre_images(uniform, local_method).size(), states_of_network());
        nonlocal = 1;
        wire_at_random(false);
        prepair_pre_rand();
        std::vector<uint32_t> all = method_pre_images(uniform, general_method);
        EXPECT_EQ(sorted(all).size(), states_of_network());
        EXPECT_EQ(std::unique(all.begin(), all.end()) - all.begin(), static_cast<long>(all.size()));
        free_pre_rand();
        free_local_arrays();
        undo_rule_mix();
    }
}

TEST(PreimageMethods, MoreThan65535PreImages)
{
    TestNetwork net(2, 17, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(0);
    allocate_local_arrays();
    std::vector<uint32_t> local = method_pre_images(0, local_method);
    EXPECT_EQ(local.size(), 131072u);
    free_local_arrays();
    srandom(3);
    wire_at_random(false);
    prepair_pre_rand();
    std::vector<uint32_t> general = method_pre_images(0, general_method);
    ASSERT_EQ(general.size(), 131072u);
    EXPECT_EQ(sorted(general), sorted(local));
    EXPECT_EQ(pp_wild, 131072u - 1);
    free_pre_rand();
    undo_rule_mix();
}

TEST(PreimageMethods, CellWiredTwiceToOneInput)
{
    // Cell 0 reads cell 1 twice: only entries whose two digits agree fit.
    TestNetwork net(2, 4, 2);
    reset_backward_settings();
    wire_at_random(false);
    wiring[0][0] = wiring[0][1] = 1;
    TestNetwork::set_rule_number(0x6); // XOR: 01 and 10 give 1
    std::vector<uint32_t> next = successors();
    prepair_pre_rand();
    for (uint32_t t = 0; t < 16; t++)
        EXPECT_EQ(sorted(method_pre_images(t, general_method)), brute_pre_images(next, t));
    // A target with cell 0 = 1 has none.
    EXPECT_TRUE(method_pre_images(1, general_method).empty());
    free_pre_rand();
    undo_rule_mix();
}

TEST(PreimageMethods, UnreadCellsExpandInOrder)
{
    // Every cell reads cell 0 only: cells 1..3 are wild. Their pre-images
    // come as the found entry with the wild cells expanded from the last.
    TestNetwork net(2, 4, 1);
    reset_backward_settings();
    wire_at_random(false);
    for (uint32_t c = 0; c < lineL; c++)
        wiring[c][0] = 0;
    TestNetwork::set_rule_number(0x2); // identity
    prepair_pre_rand();
    std::vector<uint32_t> got = method_pre_images(15, general_method);
    // Cell 0 = 1; wild cells 3, 2, 1 expanded in processing order.
    EXPECT_EQ(got, (std::vector<uint32_t>{1, 9, 5, 3, 13, 11, 7, 15}));
    free_pre_rand();
    undo_rule_mix();
}

TEST(PreimageMethods, ReorderKeepsLastCellFirstAndIsAPermutation)
{
    srandom(4);
    TestNetwork net(2, 12, 3);
    reset_backward_settings();
    wire_at_random(false);
    reorderRBN = 1;
    prepair_pre_rand();
    EXPECT_EQ(cell_order[L], L);
    EXPECT_EQ(::is_permutation(cell_order, lineL), 1);
    free_pre_rand();
    reorderRBN = 0;
    undo_rule_mix();
}

TEST(PreimageMethods, RandomMapAtHammingDistance)
{
    srandom(9);
    const int cases[][3] = {{2, 10, 3}, {2, 10, 8}, {2, 9, 9}, {3, 7, 2}, {3, 7, 6}};
    for (const auto &cs : cases) {
        TestNetwork net(cs[0], cs[1], 2);
        reset_backward_settings();
        exhaustive_testing = exhaustive_random_map;
        ASSERT_EQ(fill_successor_table(cs[2], 0), 1);
        for (uint32_t s = 0; s < states_of_network(); s++) {
            set_number(A, s);
            int differ = 0;
            for (uint32_t c = 0; c < lineL; c++)
                differ += get_value(A, c) != get_value(exh_pairs + static_cast<size_t>(s) * bytesL, c);
            ASSERT_EQ(differ, cs[2]) << "state " << s;
        }
        // Pre-images through the index agree with a scan of the table.
        for (uint32_t t = 0; t < 20; t++) {
            std::vector<uint32_t> scan;
            set_number(A, t);
            for (uint32_t s = 0; s < states_of_network(); s++)
                if (memcmp(exh_pairs + static_cast<size_t>(s) * bytesL, A, bytesL) == 0)
                    scan.push_back(s);
            EXPECT_EQ(method_pre_images(t, table_method), scan);
        }
        free_successor_table();
    }
}

TEST(PreimageMethods, TableSkipsPlacedStates)
{
    TestNetwork net(2, 8, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(0);
    exhaustive_testing = exhaustive_table;
    ASSERT_EQ(fill_successor_table(-1, 0), 1);
    ASSERT_NE(tickoff, nullptr); // a subtree run: the table owns tickoff
    set_bitlong(tickoff, 3, 1);
    std::vector<uint32_t> got = method_pre_images(0, pre_exhaustive);
    EXPECT_EQ(got.size(), 255u);
    EXPECT_EQ(std::count(got.begin(), got.end(), 3u), 0);
    free_successor_table();
    EXPECT_EQ(tickoff, nullptr);
}

// The local method's arrays held across trees are known for current only
// while the network and rule they were built for stay.
TEST(PreimageMethods, LocalArraysCurrentUntilTheRuleOrShapeChanges)
{
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(110);
    EXPECT_EQ(local_arrays_current(), 0);
    allocate_local_arrays();
    EXPECT_EQ(local_arrays_current(), 1);
    TestNetwork::set_rule_number(30);
    EXPECT_EQ(local_arrays_current(), 0);
    TestNetwork::set_rule_number(110);
    EXPECT_EQ(local_arrays_current(), 1);
    int bits = local_run_key_bits;
    local_run_key_bits = bits - 2;
    EXPECT_EQ(local_arrays_current(), 0);
    local_run_key_bits = bits;
    free_local_arrays();
    EXPECT_EQ(local_arrays_current(), 0);
}

} // namespace
