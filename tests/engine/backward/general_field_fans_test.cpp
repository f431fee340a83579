// The general method's whole fans of a basin field, as the tree builder's
// walk of whole fans takes them through the method interface: for every
// target the same pre-images in the same order as the one-by-one fan hands
// to the acceptance step (wild cells expanded by its stacks), and the same
// set as brute force, for random wiring (mixed k, a rule per cell, the
// rearranged cell order, cells no cell reads) and rings; and when memory
// runs out for a fan, no fan, marked as not made, and nothing kept.
#include "backward_test_support.h"

#include "engine/backward/general_field_fans.h"
#include "engine/backward/preimage_method.h"
#include "engine/model/checked_alloc.h"

namespace {

// The whole fan of t, empty when it was not made (made false).
std::vector<uint32_t>
whole_fan(uint32_t t, bool &made)
{
    uint32_t count = 0;
    const uint32_t *fan = general_field_fan(t, &count);
    made = count != fan_not_made;
    if (!made) {
        EXPECT_EQ(fan, nullptr);
        return {};
    }
    return std::vector<uint32_t>(fan, fan + count);
}

// The one-by-one fan of t in a field, as the tree builder's expand_node
// asks it; then every target's whole fan against it and brute force. The
// pre-images the whole fans' wild cells added are added to *wild.
void
expect_whole_fans_of_every_target(const std::vector<uint32_t> &next, uint64_t *wild = nullptr)
{
    basinfield = 1;
    method_pre_images(0, general_method); // the field's midpoints made
    ASSERT_TRUE(general_field_fans_ready());
    uint64_t found = 0;
    for (uint32_t t = 0; t < next.size(); t++) {
        std::vector<uint32_t> one_by_one = method_pre_images(t, general_method);
        bool made = false;
        const uint32_t wild_before = pp_wild_tot;
        std::vector<uint32_t> whole = whole_fan(t, made);
        if (wild)
            *wild += pp_wild_tot - wild_before;
        ASSERT_TRUE(made) << "target " << t;
        ASSERT_EQ(whole, one_by_one) << "target " << t;
        ASSERT_EQ(sorted(whole), brute_pre_images(next, t)) << "target " << t;
        found += whole.size();
    }
    EXPECT_EQ(found, next.size());
    basinfield = 0;
}

TEST(GeneralFieldFans, RandomWiringGivesTheOneByOneFansInTheirOrder)
{
    srandom(61);
    // Variant bit 0: mixed k; bit 1: a rule per cell; 3: also the
    // rearranged cell order. 13 cells of k = 3 leave some cell unread
    // (wild) in many wirings, and a block of entries of one output leaves
    // a cell unassigned too.
    uint64_t wild = 0;
    for (int variant = 0; variant < 4; variant++) {
        SCOPED_TRACE(testing::Message() << "variant " << variant);
        TestNetwork net(2, 13, 3);
        reset_backward_settings();
        build_field_network(variant);
        EXPECT_FALSE(general_field_fans_ready()); // not before a field asks
        expect_whole_fans_of_every_target(successors(), &wild);
        EXPECT_FALSE(general_field_fans_ready()); // not outside a field
        end_field_network();
    }
    EXPECT_GT(wild, 0u);
}

TEST(GeneralFieldFans, RingsGiveTheOneByOneFansInTheirOrder)
{
    srandom(67);
    for (int rule : {30, 110, 90, -1}) {
        SCOPED_TRACE(testing::Message() << "rule " << rule);
        TestNetwork net(2, 12, 3);
        reset_backward_settings();
        build_ring_field_network(rule);
        expect_whole_fans_of_every_target(successors());
        free_pre_rand();
    }
}

// Rule 0 but for one entry: a few targets with many pre-images, most of
// whose cells stay wild; each allocation of a fan failing in turn.
TEST(GeneralFieldFans, AFanMemoryRunsOutForIsNotMadeAndTheNextIsWhole)
{
    srandom(71);
    TestNetwork net(2, 12, 3);
    reset_backward_settings();
    wire_at_random(false);
    for (uint32_t i = 0; i < 8; i++)
        set_value(carule[0], i, i == 5);
    std::vector<uint32_t> next = successors();
    const long live = live_allocations;
    prepair_pre_rand();
    basinfield = 1;
    method_pre_images(0, general_method);
    const uint32_t target = next[0]; // the image of 0: most states map to it
    const std::vector<uint32_t> expect = method_pre_images(target, general_method);
    ASSERT_GT(expect.size(), 1000u);
    int not_made = 0;
    for (unsigned long fail = 1; fail <= 12; fail++) {
        free_pre_rand();
        prepair_pre_rand();
        method_pre_images(0, general_method);
        ASSERT_TRUE(general_field_fans_ready());
        fail_allocation_after = fail;
        bool made = false;
        std::vector<uint32_t> got = whole_fan(target, made);
        const bool failed = fail_allocation_after == 0;
        fail_allocation_after = 0;
        EXPECT_EQ(made, !failed) << "failing allocation " << fail;
        not_made += !made;
        if (made) {
            EXPECT_EQ(got, expect) << "failing allocation " << fail;
        }
        got = whole_fan(target, made);
        EXPECT_TRUE(made);
        EXPECT_EQ(got, expect) << "after failing allocation " << fail;
    }
    EXPECT_GT(not_made, 1); // the first lists and a later growth
    basinfield = 0;
    free_pre_rand();
    EXPECT_EQ(live_allocations, live);
}

} // namespace
