// The walk of a level through the table's index against the plain
// acceptance written out node by node: the same list, the same tickoff bits,
// the same counters and the same node to stop before, for both forms of the
// index, for maps whose blocks spill and maps whose do not, with a list
// that runs out of room, a key poll falling due, and nodes asked for past
// the level's end while the list being filled is empty or short.
#include "backward_test_support.h"

#include "engine/backward/parallel_table.h"
#include "engine/backward/table_walk.h"

#include <random>

namespace {

// A random map of states states; crowded: every successor among the first
// states / 40, so that most blocks of the index spill.
std::vector<uint32_t>
random_map(uint32_t states, bool crowded, std::mt19937 &random)
{
    uint32_t range = crowded ? states / 40 : states;
    std::vector<uint32_t> next(states);
    for (uint32_t &t : next)
        t = static_cast<uint32_t>(random() % range);
    return next;
}

// The walk as the plain acceptance takes each node's fan, from the map's
// pre-images in ascending order (found by scanning the map).
void
walk_by_hand(table_walk &w, const std::vector<uint32_t> &next, std::vector<uint8_t> &ticks, bool places)
{
    std::vector<std::vector<uint32_t>> pre(next.size());
    for (uint32_t s = 0; s < next.size(); s++)
        pre[next[s]].push_back(s);
    for (; w.i < w.last; w.i++) {
        const std::vector<uint32_t> &fan = pre[w.nodes[w.i]];
        if (uint64_t(w.at) + fan.size() >= w.room || w.polls_due == 1)
            return;
        w.before = w.at;
        uint32_t kept = 0;
        for (uint32_t s : fan) {
            if (get_bitlong(ticks.data(), s))
                continue;
            set_bitlong(ticks.data(), s, 1);
            w.list[++w.at] = s;
            kept++;
        }
        w.accepted += kept;
        w.gardens += kept == 0;
        w.largest = std::max(w.largest, kept);
        w.polls_due -= kept != 0;
        w.expanded++;
        w.placed += places;
    }
}

struct walk_case {
    uint32_t nodes;     // nodes in the level
    uint32_t filled;    // entries of the list being filled before the walk
    uint64_t room;      // 0: room for all
    uint32_t polls_due; // UINT32_MAX: no poll
    uint32_t start;     // the node the walk starts at
};

void
check_walk(const std::vector<uint32_t> &next, index_form form, const walk_case &c, std::mt19937 &random)
{
    uint32_t states = static_cast<uint32_t>(next.size());
    successor_index index;
    sort_by_successor(next.data(), states, index, form);
    std::vector<uint32_t> nodes(c.nodes);
    for (uint32_t &x : nodes)
        x = static_cast<uint32_t>(random() % states);
    std::vector<uint8_t> ticks(states / 8 + 1);
    for (uint32_t s = 0; s < states; s++)
        if (random() % 4 == 0)
            set_bitlong(ticks.data(), s, 1);
    std::vector<uint32_t> list(states + 2), by_hand_list(states + 2);
    for (uint32_t k = 1; k <= c.filled; k++)
        list[k] = by_hand_list[k] = static_cast<uint32_t>(random() % states);
    uint64_t room = c.room ? c.room : states + 2;
    table_walk w{nodes.data(), c.start, c.nodes - 1, list.data(), c.filled, room, 7, c.polls_due, 5, 6, 7, 8, 1};
    table_walk by_hand = w;
    by_hand.list = by_hand_list.data();
    std::vector<uint8_t> by_hand_ticks = ticks;
    table_walk_level(w, index, ticks.data(), true);
    walk_by_hand(by_hand, next, by_hand_ticks, true);
    EXPECT_EQ(w.i, by_hand.i);
    ASSERT_EQ(w.at, by_hand.at);
    EXPECT_TRUE(std::equal(list.begin() + 1, list.begin() + 1 + w.at, by_hand_list.begin() + 1));
    EXPECT_EQ(ticks, by_hand_ticks);
    EXPECT_EQ(w.before, by_hand.before);
    EXPECT_EQ(w.polls_due, by_hand.polls_due);
    EXPECT_EQ(w.accepted, by_hand.accepted);
    EXPECT_EQ(w.expanded, by_hand.expanded);
    EXPECT_EQ(w.gardens, by_hand.gardens);
    EXPECT_EQ(w.placed, by_hand.placed);
    EXPECT_EQ(w.largest, by_hand.largest);
    free_successor_index(index);
}

TEST(TableWalk, ALevelWalkedThroughTheIndexTakesWhatThePlainAcceptanceTakes)
{
    std::mt19937 random(11);
    const walk_case cases[] = {
        {600, 0, 0, UINT32_MAX, 0},  // the whole level, the list empty at first
        {600, 9, 0, UINT32_MAX, 37}, // from a node on, the list holding a few
        {5, 0, 0, UINT32_MAX, 0},    // a level shorter than the reads ahead
        {40, 2, 0, UINT32_MAX, 0},   // past the end into a short list
        {600, 0, 150, UINT32_MAX, 0}, // the list runs out of room
        {600, 0, 0, 30, 0},          // a key poll falls due
        {600, 0, 0, 1, 0},           // due at once: nothing walked
    };
    for (bool crowded : {false, true})
        for (index_form form : {index_form::offsets, index_form::blocks})
            for (const walk_case &c : cases) {
                SCOPED_TRACE(std::string(crowded ? "crowded " : "spread ") +
                             (form == index_form::offsets ? "offsets " : "blocks ") + std::to_string(c.nodes) +
                             " nodes from " + std::to_string(c.start));
                check_walk(random_map(5000, crowded, random), form, c, random);
            }
}

} // namespace
