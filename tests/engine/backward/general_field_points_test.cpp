// The general method in a basin field, where the walk finishes every
// target from midpoints made for all keys at once: the pre-images of every
// target against brute force and in the breadth-first form's order, at
// sizes whose split leaves a different number of positions (12, 17 and 21
// cells), for random wiring with mixed k, a rule per cell and the
// rearranged cell order, for rings, whose targets finish from the finish
// table, and when memory runs out for the midpoints or the table.
#include "backward_test_support.h"

#include <algorithm>

#include "engine/backward/general_field_points.h"
#include "engine/model/checked_alloc.h"

namespace {

// The walk's pre-images of t in a field, and the breadth-first form's.
void
expect_field_lists_breadth_first(uint32_t t)
{
    basinfield = 1;
    std::vector<uint32_t> field = method_pre_images(t, general_method);
    basinfield = 0;
    see_ppstack = see_ppstack_on;
    std::vector<uint32_t> breadth_first = method_pre_images(t, general_method);
    see_ppstack = see_ppstack_off;
    ASSERT_EQ(field, breadth_first) << "target " << t;
}

TEST(GeneralFieldPoints, EveryTargetMatchesBruteForceAndTheBreadthFirstOrder)
{
    srandom(41);
    for (int variant = 0; variant < 4; variant++) {
        SCOPED_TRACE(testing::Message() << "variant " << variant);
        TestNetwork net(2, 12, 3);
        reset_backward_settings();
        build_field_network(variant);
        std::vector<uint32_t> next = successors();
        uint64_t found = 0;
        for (uint32_t t = 0; t < next.size(); t++) {
            basinfield = 1;
            std::vector<uint32_t> got = method_pre_images(t, general_method);
            basinfield = 0;
            std::sort(got.begin(), got.end());
            ASSERT_EQ(got, brute_pre_images(next, t)) << "target " << t;
            found += got.size();
            expect_field_lists_breadth_first(t);
        }
        EXPECT_EQ(found, next.size());
        EXPECT_TRUE(field_points_ready());
        end_field_network();
    }
}

// 17 cells: every target; 21 cells: images of random states and random
// targets (most of them with no pre-image).
TEST(GeneralFieldPoints, LargerFieldsListTheBreadthFirstFormsPreImages)
{
    srandom(43);
    for (int n : {17, 21})
        for (int variant : {0, 3}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " variant " << variant);
            TestNetwork net(2, n, 3);
            reset_backward_settings();
            build_field_network(variant);
            const uint32_t states = uint32_t(1) << n;
            const uint32_t targets = n == 17 ? states : 4000;
            for (uint32_t i = 0; i < targets; i++) {
                uint32_t t = i;
                if (n != 17) {
                    set_state_number(static_cast<uint32_t>(random()) & (states - 1));
                    plain_step(carule);
                    t = i % 2 ? state_number() : static_cast<uint32_t>(random()) & (states - 1);
                }
                expect_field_lists_breadth_first(t);
                if (HasFatalFailure())
                    return;
            }
            EXPECT_TRUE(field_points_ready());
            end_field_network();
        }
}

// Rings (wired as any wiring) under rules 30 and 110 and a random rule,
// whose midpoints fall in few classes, so the targets finish the most
// positions below the keys from the finish table: every target against
// brute force and in the breadth-first order (13 cells); random targets and
// images of random states (21 cells).
TEST(GeneralFieldPoints, RingsFinishFromTheTableInTheBreadthFirstOrder)
{
    srandom(53);
    for (int n : {13, 21})
        for (int rule : {30, 110, -1}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " rule " << rule);
            TestNetwork net(2, n, 3);
            reset_backward_settings();
            build_ring_field_network(rule);
            const uint32_t states = uint32_t(1) << n;
            std::vector<uint32_t> next = n == 13 ? successors() : std::vector<uint32_t>();
            for (uint32_t i = 0; i < (n == 13 ? states : 3000u); i++) {
                uint32_t t = i;
                if (n != 13) {
                    set_state_number(static_cast<uint32_t>(random()) & (states - 1));
                    plain_step(carule);
                    t = i % 2 ? state_number() : static_cast<uint32_t>(random()) & (states - 1);
                } else {
                    basinfield = 1;
                    std::vector<uint32_t> got = method_pre_images(t, general_method);
                    basinfield = 0;
                    ASSERT_EQ(sorted(got), brute_pre_images(next, t)) << "target " << t;
                }
                expect_field_lists_breadth_first(t);
                if (HasFatalFailure())
                    return;
            }
            EXPECT_TRUE(field_finish_table_ready());
            end_field_network();
        }
}

// Each allocation of the field's set-up failing in turn (the midpoints, the
// shared walk's partials, the classes met, the finish table and its
// partials), until a set-up meets no failure: the field's targets still get
// every pre-image in the breadth-first order (from the midpoints kept per
// key where none are made, by trying where the table is not), and every
// block is given back. The set-ups by their outcome.
struct set_up_outcomes {
    int given_up = 0, without_table = 0, with_table = 0;
};
set_up_outcomes
expect_failures_leave_the_same_pre_images(uint32_t target_step)
{
    std::vector<uint32_t> next = successors();
    set_up_outcomes outcomes;
    unsigned long fail = 1;
    for (bool reached = true; reached; fail++) {
        free_pre_rand();
        long live = live_allocations;
        prepair_pre_rand();
        fail_allocation_after = fail;
        make_field_points();
        reached = fail_allocation_after == 0;
        fail_allocation_after = 0;
        if (fail == 1) {
            EXPECT_FALSE(field_points_ready());
        }
        outcomes.given_up += !field_points_ready();
        outcomes.without_table += field_points_ready() && !field_finish_table_ready();
        outcomes.with_table += field_finish_table_ready();
        for (uint32_t t = 0; t < next.size(); t += target_step) {
            basinfield = 1;
            std::vector<uint32_t> got = method_pre_images(t, general_method);
            basinfield = 0;
            EXPECT_EQ(sorted(got), brute_pre_images(next, t)) << "failing allocation " << fail << " target " << t;
            expect_field_lists_breadth_first(t);
            if (testing::Test::HasFailure())
                return outcomes;
        }
        free_pre_rand();
        EXPECT_EQ(live_allocations, live) << "failing allocation " << fail;
        prepair_pre_rand();
    }
    return outcomes;
}

TEST(GeneralFieldPoints, MemoryRunningOutLeavesTheSamePreImages)
{
    srandom(47);
    TestNetwork net(2, 12, 3);
    reset_backward_settings();
    build_field_network(0);
    set_up_outcomes outcomes = expect_failures_leave_the_same_pre_images(7);
    EXPECT_GT(outcomes.given_up, 1);      // failures in the shared walk, not only the first block
    EXPECT_GT(outcomes.without_table, 0); // failures on the finish table
    EXPECT_EQ(outcomes.with_table, 1);    // the set-up that met no failure
    end_field_network();
}

// A ring under rule 110, whose midpoints serve only with the finish table
// at the most positions below: failures while its classes are counted and
// its table made.
TEST(GeneralFieldPoints, MemoryRunningOutOnARingLeavesTheSamePreImages)
{
    TestNetwork net(2, 12, 3);
    reset_backward_settings();
    build_ring_field_network(110);
    set_up_outcomes outcomes = expect_failures_leave_the_same_pre_images(11);
    EXPECT_GT(outcomes.given_up, 1);
    // A failure at the most positions below leaves a table at the fewest.
    EXPECT_GT(outcomes.with_table, 1);
    end_field_network();
}

} // namespace
