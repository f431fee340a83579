// The pre-image methods through their one interface (preimage_method.h): on
// the same rings, the method chosen for each setting, prepared, asked for
// every fan and released, lists what brute force lists (the walk and the
// breadth-first form of the general method in the same order), and polls
// the keys where the method says it does. Also the general method's kept
// midpoints when memory runs out for them (the allocator's fault hook).
#include "backward_test_support.h"

#include "engine/backward/general_midpoints.h"
#include "engine/backward/preimage_method.h"
#include "engine/model/key_poll.h"

namespace {

int polls = 0;

int
count_poll()
{
    polls++;
    return 0;
}

// The pre-images of state number t by method m, asked as the tree builder
// asks: by number where the level lists hold numbers. The table's marks of
// an earlier target are cleared first.
std::vector<uint32_t>
fan_by_interface(const preimage_method &m, uint32_t t)
{
    if (tickoff)
        memset(tickoff, 0, tickspace / 8 + 1);
    return method_pre_images(t, [&m, t] {
        fan_target target;
        target.numbered = level_lists_hold_numbers();
        target.number = t;
        m.fan_of(target);
    });
}

// Every target's fan by the method the settings choose, which must be
// expected; the fans and whether each target's fan polled the keys.
std::vector<std::vector<uint32_t>>
all_fans(const preimage_method &expected, std::vector<bool> &polled)
{
    bool built = false;
    const preimage_method &m = start_preimage_method(built);
    EXPECT_EQ(&m, &expected) << "chose " << m.name << ", not " << expected.name;
    std::vector<std::vector<uint32_t>> fans;
    polled.clear();
    for (uint32_t t = 0; t < states_of_network(); t++) {
        polls = 0;
        fans.push_back(fan_by_interface(m, t));
        polled.push_back(polls > 0);
    }
    if (built)
        m.release();
    return fans;
}

TEST(PreimageMethod, AllFourMethodsThroughTheInterfaceOnTheSameRings)
{
    srandom(41);
    set_key_poll(count_poll);
    const int shapes[][3] = {{2, 4, 1}, {2, 7, 2}, {2, 10, 3}, {2, 12, 3}, {3, 6, 2}};
    for (const auto &shape : shapes) {
        TestNetwork net(shape[0], shape[1], shape[2]);
        reset_backward_settings();
        TestNetwork::set_random_rule();
        std::vector<uint32_t> next = successors();
        SCOPED_TRACE(testing::Message() << "v=" << shape[0] << " n=" << shape[1] << " k=" << shape[2]);
        std::vector<bool> polled;

        std::vector<std::vector<uint32_t>> local = all_fans(local_1d_preimages, polled);
        std::vector<bool> local_polled = polled;

        // The same ring read through its wiring table by the general method.
        nonlocal = 1;
        see_ppstack = see_ppstack_on;
        std::vector<std::vector<uint32_t>> breadth_first = all_fans(general_breadth_first_preimages, polled);
        std::vector<bool> general_polled = polled;
        see_ppstack = see_ppstack_off;
        // The walk serves v = 2 only: elsewhere the breadth-first form is chosen.
        const preimage_method &walking = value_range == 2 ? general_walk_preimages : general_breadth_first_preimages;
        std::vector<std::vector<uint32_t>> walk = all_fans(walking, polled);
        EXPECT_EQ(walk, breadth_first);
        EXPECT_EQ(polled, general_polled);
        EXPECT_EQ(general_tables_built(), 0); // released by all_fans, which built them
        nonlocal = 0;

        exhaustive_testing = exhaustive_table;
        ASSERT_EQ(fill_successor_table(-1, 0), 1);
        std::vector<std::vector<uint32_t>> table = all_fans(table_preimages, polled);
        std::vector<bool> table_polled = polled;
        free_successor_table();
        exhaustive_testing = exhaustive_off;

        for (uint32_t t = 0; t < next.size(); t++) {
            std::vector<uint32_t> expect = brute_pre_images(next, t);
            EXPECT_EQ(sorted(local[t]), expect) << "target " << t;
            EXPECT_EQ(sorted(walk[t]), expect) << "target " << t;
            EXPECT_EQ(table[t], expect) << "target " << t; // ascending
            // The local and table fans poll the keys after a pre-image kept,
            // so the user can stop them; the general method's never do.
            EXPECT_EQ(local_polled[t], !expect.empty()) << "target " << t;
            EXPECT_EQ(table_polled[t], !expect.empty()) << "target " << t;
            EXPECT_FALSE(general_polled[t]) << "target " << t;
        }
    }
    set_key_poll(nullptr);
}

// Random wiring, k = 3 and ten cells: the walk serves, with six positions
// above the split.
void
build_random_network()
{
    wire_at_random(false);
    TestNetwork::set_random_rule();
}

TEST(PreimageMethod, MidpointsWithoutMemoryWalkFromTheTopAndListTheSame)
{
    srandom(43);
    TestNetwork net(2, 10, 3);
    reset_backward_settings();
    build_random_network();
    std::vector<uint32_t> next = successors();
    const uint32_t t = next[random() % next.size()];
    prepair_pre_rand();
    see_ppstack = see_ppstack_on;
    std::vector<uint32_t> breadth_first = method_pre_images(t, general_method);
    see_ppstack = see_ppstack_off;
    ASSERT_EQ(sorted(breadth_first), brute_pre_images(next, t));
    // A key's midpoints are made at its eighth target.
    for (int walks = 1; walks <= 8; walks++)
        ASSERT_EQ(method_pre_images(t, general_method), breadth_first) << "walk " << walks;
    EXPECT_GT(kept_midpoints.count, 0u);

    prepair_pre_rand();
    for (int walks = 1; walks < 8; walks++)
        ASSERT_EQ(method_pre_images(t, general_method), breadth_first) << "walk " << walks;
    long live = live_allocations;
    // The eighth walk's first allocation is the midpoints': it fails.
    std::vector<uint32_t> walked = method_pre_images(t, [] {
        fail_allocation_after = 1;
        pre_images_rand();
    });
    EXPECT_EQ(fail_allocation_after, 0u);
    EXPECT_EQ(live_allocations, live);
    EXPECT_EQ(walked, breadth_first);
    EXPECT_EQ(abort_subtree, abort_subtree_none);
    EXPECT_EQ(kept_midpoints.count, 0u);
    // The key walks from the top for good.
    EXPECT_EQ(method_pre_images(t, general_method), breadth_first);
    EXPECT_EQ(kept_midpoints.count, 0u);
    free_pre_rand();
    undo_rule_mix();
}

// The drivers build the general method's tables before a run's first tree
// where general_method_needed says so: exactly where the method the tree
// builder then starts builds them itself, in every mode and wiring.
TEST(PreimageMethod, GeneralMethodNeededWhereTheChosenMethodBuildsItsTables)
{
    srandom(47);
    TestNetwork net(2, 8, 3);
    const uint8_t table_modes[] = {exhaustive_off, exhaustive_table, exhaustive_random_map};
    int general = 0;
    for (int wiring = 0; wiring < 3; wiring++)
        for (uint8_t table_mode : table_modes)
            for (uint8_t order_mode = 0; order_mode <= 1; order_mode++) {
                reset_backward_settings();
                nhood_mixed = 0;
                if (wiring > 0)
                    wire_at_random(wiring == 2); // 2: mixed k
                TestNetwork::set_random_rule();
                exhaustive_testing = table_mode;
                neutral_order = order_mode;
                SCOPED_TRACE(testing::Message() << "wiring " << wiring << " table mode "
                                                << int(table_mode) << " neutral " << int(order_mode));
                bool needed = general_method_needed();
                general += needed;
                bool built = false;
                const preimage_method &m = start_preimage_method(built);
                EXPECT_EQ(needed, general_tables_built() != 0);
                if (built)
                    m.release();
            }
    // Random wiring, with one k or mixed, outside both modes.
    EXPECT_EQ(general, 2);
    reset_backward_settings();
    nhood_mixed = 0;
}

} // namespace
