// The walk of a tree level through the successor table's index
// (table_walk.h). Reads the index's arrays only; the tree builder's walk of
// stored fans (ui/backward/run_backward.cpp) calls it. Start at
// table_walk_level.
//
// Each node's fan needs up to four reads that mostly miss the cache: its
// index entry (an offset pair, or a block of 64 successors and, where the
// block spilled, its overflow entry), its pre-images in the list, and the
// tickoff byte of each pre-image. A node waiting on them in turn would wait
// four times; instead, while node i is expanded, the index entry of node
// i + kIndexAhead is asked for, the spilled entry of i + kSpillAhead, the
// group of i + kGroupAhead looked up (its entry arrived by then) and its
// pre-images asked for, and the tickoff bytes of the pre-images of
// i + kTickAhead asked for (its pre-images arrived by then). The groups
// looked up wait in a ring until their node comes. A pre-image ticked off
// is left out by moving the list's end past it or not: every pre-image is
// written, marked and then counted only when its bit was clear, which is
// what the plain acceptance's test and mark give, with no jump that the
// processor could guess wrong.
#include "engine/backward/table_walk.h"

namespace {

// Groups looked up ahead: more than kGroupAhead, a power of two.
constexpr uint32_t kRing = 32;
static_assert(kRing > kGroupAhead && (kRing & (kRing - 1)) == 0, "the ring holds the groups ahead");
static_assert(kIndexAhead > kSpillAhead && kSpillAhead > kGroupAhead && kGroupAhead > kTickAhead,
              "each read is asked for before the one that needs it");

// The group of t, Offsets telling the index's form (so that each form's
// loop holds only its own lookup).
template <bool Offsets>
inline pre_image_span
group_of(const successor_index &index, uint32_t t)
{
    if (Offsets)
        return {index.first[t], index.first[t + 1] - index.first[t]};
    return successor_group(index, t);
}

// The index entry of t asked for.
template <bool Offsets>
inline void
ask_index_entry(const successor_index &index, uint32_t t)
{
    if (Offsets)
        __builtin_prefetch(index.first + t);
    else
        __builtin_prefetch(index.blocks + (t >> 6));
}

// The overflow entry of t asked for, where its block (asked for a while
// ago) spilled. Always inlined: the compiler finds a function whose only
// effect is a prefetch free of effects, and drops the call of it.
__attribute__((always_inline)) inline void
ask_spilled_entry(const successor_index &index, uint32_t t)
{
    uint64_t spill = block_spill(index.blocks[t >> 6]);
    if (!spill)
        return;
    uint64_t at = 65 * ((spill - 1) >> 1) + (t & 63);
    __builtin_prefetch(spill & 1 ? static_cast<const void *>(index.narrow + at)
                                 : static_cast<const void *>(index.wide + at));
}

// The state number of the node at place p of the walk: in the level being
// expanded (nodes[0 .. last]) or, past its end, in the list being filled
// (list[1 .. at]), the last one there where there are fewer; where that
// list is empty still, the level's last node. Only asked for, never
// expanded.
inline uint32_t
node_ahead(const uint32_t *nodes, uint32_t last, const uint32_t *list, uint32_t at, uint64_t p)
{
    if (p <= last)
        return nodes[p];
    uint64_t q = p - last;
    if (q > at)
        q = at;
    return q ? list[q] : nodes[last];
}

template <bool Offsets>
void
walk(table_walk &w, const successor_index &index, uint8_t *ticks, bool places)
{
    const uint32_t *nodes = w.nodes;
    const uint32_t *pre = index.list;
    uint32_t *list = w.list;
    const uint64_t room = w.room;
    const uint32_t last_node = w.last;
    // The counts of accepted and expanded states, and at before the last
    // fan, follow from where the walk ends: fewer values held in the loop.
    const uint32_t first_node = w.i, first_at = w.at;
    uint32_t i = w.i, at = w.at, polls_due = w.polls_due, kept = 0;
    uint32_t gardens = 0, largest = w.largest;
    if (i >= last_node)
        return;
    pre_image_span ring[kRing];
    for (uint32_t k = 0; k < kGroupAhead; k++) {
        pre_image_span group = group_of<Offsets>(index, node_ahead(nodes, last_node, list, at, uint64_t(i) + k));
        ring[(i + k) % kRing] = group;
        __builtin_prefetch(pre + group.first);
    }
    for (; i < last_node; i++) {
        const pre_image_span mine = ring[i % kRing];
        if (uint64_t(at) + mine.count >= room || polls_due == 1)
            break;
        uint32_t far, middle, near;
        if (uint64_t(i) + kIndexAhead <= last_node) {
            far = nodes[i + kIndexAhead];
            middle = nodes[i + kSpillAhead];
            near = nodes[i + kGroupAhead];
        } else {
            far = node_ahead(nodes, last_node, list, at, uint64_t(i) + kIndexAhead);
            middle = node_ahead(nodes, last_node, list, at, uint64_t(i) + kSpillAhead);
            near = node_ahead(nodes, last_node, list, at, uint64_t(i) + kGroupAhead);
        }
        ask_index_entry<Offsets>(index, far);
        if (!Offsets)
            ask_spilled_entry(index, middle);
        pre_image_span group = group_of<Offsets>(index, near);
        ring[(i + kGroupAhead) % kRing] = group;
        __builtin_prefetch(pre + group.first);
        const pre_image_span ticked = ring[(i + kTickAhead) % kRing];
        for (uint32_t k = 0; k < ticked.count; k++)
            __builtin_prefetch(ticks + (pre[ticked.first + k] >> 3));
        // The node's fan: each pre-image written past the end, marked, and
        // kept (the end moved past it) when its bit was clear.
        const uint32_t *fan = pre + mine.first;
        uint32_t last = at;
        for (uint32_t k = 0; k < mine.count; k++) {
            uint32_t s = fan[k];
            uint8_t &byte = ticks[s >> 3];
            uint8_t bit = static_cast<uint8_t>(1u << (s & 7));
            uint8_t was = byte;
            byte = static_cast<uint8_t>(was | bit);
            list[last + 1] = s;
            last += (was & bit) == 0;
        }
        kept = last - at;
        at = last;
        gardens += kept == 0;
        largest = kept > largest ? kept : largest;
        polls_due -= kept != 0;
    }
    uint32_t expanded = i - first_node;
    if (expanded)
        w.before = at - kept;
    w.i = i;
    w.at = at;
    w.polls_due = polls_due;
    w.accepted += at - first_at;
    w.expanded += expanded;
    w.gardens += gardens;
    w.placed += places ? expanded : 0;
    w.largest = largest;
}

} // namespace

// Kept out of its caller, the tree builder's long loop, so that the walk's
// values stay in registers.
__attribute__((noinline)) void
table_walk_level(table_walk &w, const successor_index &index, uint8_t *ticks, bool places)
{
    if (index.first)
        walk<true>(w, index, ticks, places);
    else
        walk<false>(w, index, ticks, places);
}
