// A fan's search polls the keys while it has found nothing to hand over:
// the general method hands its pre-images over only when the whole search
// is done, so a long search polls on the way, and a 'n' there stops the fan
// with nothing handed over; let run, the same fan lists every pre-image, and
// drawn, it polls at each pre-image it hands over. A fan that rejects
// rotations polls as it rejects them.
#include "backward_test_support.h"

#include "engine/model/key_poll.h"

namespace {

int polls = 0;
int key_at_poll = 0;

int
answering_poll()
{
    polls++;
    return key_at_poll;
}

// The pre-images of the all-zero state on a ring read through its wiring
// table, under the rule whose only entry giving 1 is its last (the states
// with no run of k top values): with key 'n' at the first poll and with no
// key, each form of the general method. Their partials grow at every cell.
void
check_long_search(int v, int n, bool breadth_first)
{
    SCOPED_TRACE(testing::Message() << "v=" << v << " n=" << n << (breadth_first ? " breadth first" : " walk"));
    TestNetwork net(v, n, 3);
    reset_backward_settings();
    build_ring_field_network(0);
    const uint32_t last = static_cast<uint32_t>(rule_entries(3) - 1);
    for (uint32_t i = 0; i <= last; i++)
        set_value(carule[0], i, i == last);
    prepair_pre_rand();
    const std::vector<uint32_t> expect = brute_pre_images(successors(), 0);
    see_ppstack = breadth_first ? see_ppstack_on : see_ppstack_off;
    set_key_poll(answering_poll);

    polls = 0;
    key_at_poll = 'n';
    EXPECT_TRUE(method_pre_images(0, general_method).empty());
    EXPECT_EQ(polls, 1);
    EXPECT_TRUE(fan_stopped());
    EXPECT_EQ(abort_subtree, abort_subtree_none);

    polls = 0;
    key_at_poll = 0;
    EXPECT_EQ(sorted(method_pre_images(0, general_method)), expect);
    EXPECT_GT(polls, 0);
    EXPECT_FALSE(fan_stopped());

    // Each pre-image drawn as it is handed over polls: the hand-over of a
    // drawn run answers the keys at every state.
    polls = 0;
    stp = 1;
    EXPECT_EQ(method_pre_images(0, general_method).size(), expect.size());
    EXPECT_GE(polls, static_cast<int>(expect.size()));
    stp = 0;

    set_key_poll(nullptr);
    see_ppstack = see_ppstack_off;
    end_field_network();
}

TEST(FanSearchPoll, TheGeneralMethodPollsWhileItSearchesAndStopsWithNothingHanded)
{
    check_long_search(2, 22, true);  // words, breadth first
    check_long_search(2, 18, false); // words, walked
    check_long_search(3, 11, true);  // lines
}

// The root's fan of a uniform state, compressed by rotation, rejects each
// pre-image that is a rotation of one it kept; such a fan rejects millions
// (rule 0 on 22 cells, where every state is a pre-image of 0) and counts
// each as a unit of its search: the local method on 16 cells polls once
// for each pre-image it keeps, as it always does, and once more for each
// kSearchUnitsPerPoll of those it rejects; 'n' at the first poll stops it.
TEST(FanSearchPoll, ARootFanRejectingRotationsPollsAsItRejects)
{
    const int n = 16;
    TestNetwork net(2, n, 3);
    reset_backward_settings();
    TestNetwork::set_rule_number(0);
    allocate_local_arrays();
    allbitssame = 1;
    set_key_poll(answering_poll);

    polls = 0;
    key_at_poll = 0;
    const size_t kept = method_pre_images(0, local_method).size();
    clear_segment_list();
    const size_t rejected = (size_t(1) << n) - kept;
    EXPECT_GT(rejected, 14 * kept) << "all but about one in n rejected";
    EXPECT_GE(static_cast<size_t>(polls) - kept, rejected / kSearchUnitsPerPoll);

    polls = 0;
    key_at_poll = 'n';
    EXPECT_LE(method_pre_images(0, local_method).size(), 1u);
    EXPECT_EQ(polls, 1);
    EXPECT_TRUE(fan_stopped());
    free_segment_list(); // the kept pre-images' rotation segments

    set_key_poll(nullptr);
    allbitssame = 0;
    free_local_arrays();
}

} // namespace
