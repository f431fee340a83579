// The neutral-order field's components from the wiring (neutral_shape.h):
// their smallest orders found in ascending order by a search that builds
// only those, and each one's depth from the sets of cells its orders can
// have placed first. Reads the wiring (engine/model/globals.h).
#include "engine/backward/neutral_shape.h"

#include <algorithm>
#include <vector>

#include "engine/model/globals.h"

namespace {

constexpr int kMostSets = 1 << kMaxNeutralCells;

uint16_t
bit(int cell)
{
    return static_cast<uint16_t>(1u << cell);
}

// The search for smallest orders. An order is the smallest of its
// component when each of its cells is the smallest cell that could come
// next: every smaller cell not yet placed has a cell wired to it placed
// before it from there on (a cell it must follow). Placing cell c therefore
// leaves each smaller cell not wired to c owing such a cell, and a cell
// wired to c pays what it owed; a branch ends when the cell placed still
// owes one, when every cell left owes one, or when a cell owes one and no
// cell wired to it is left.
struct root_search {
    const neutral_links &links;
    const std::function<bool(const uint16_t *)> &visit;
    uint16_t order[kMaxNeutralCells];
    bool stopped = false;

    void place(int at, uint16_t left, uint16_t owing)
    {
        if (!left) {
            stopped = !visit(order);
            return;
        }
        for (int c = 0; c < links.n && !stopped; c++) {
            if (!(left & bit(c)) || (owing & bit(c)))
                continue;
            uint16_t rest = left & ~bit(c);
            uint16_t owes = (owing | (rest & (bit(c) - 1))) & ~links.linked[c];
            if (rest && !(rest & ~owes))
                continue;
            bool payable = true;
            for (int x = 0; x < links.n && payable; x++)
                payable = !(owes & bit(x)) || (links.linked[x] & rest);
            if (!payable)
                continue;
            order[at] = static_cast<uint16_t>(c);
            place(at + 1, rest, owes);
        }
    }
};

} // namespace

bool
neutral_links_of_network(int n, neutral_links *links)
{
    if (n < 1 || n > kMaxNeutralCells || !wiring || !nhoodm)
        return false;
    *links = neutral_links{};
    links->n = n;
    for (int x = 0; x < n; x++)
        for (int j = 0; j < nhoodm[x]; j++) {
            int y = wiring[x][j];
            if (y < n && y != x) {
                links->linked[x] |= bit(y);
                links->linked[y] |= bit(x);
            }
        }
    return true;
}

uint32_t
neutral_component_depth(const neutral_links &links, const uint16_t *root)
{
    // An order of the component places each cell after the cells wired to
    // it that root puts before it. Walking the sets of cells an order can
    // have placed first, one cell more at a time, each set keeps the most
    // pairs turned round so far: a cell added turns round the pairs it
    // makes with the placed cells root puts after it.
    const int n = links.n;
    uint16_t before[kMaxNeutralCells], after[kMaxNeutralCells];
    uint16_t placed = 0;
    for (int i = 0; i < n; i++) {
        before[root[i]] = placed & links.linked[root[i]];
        placed |= bit(root[i]);
    }
    const uint16_t all = placed;
    placed = 0;
    for (int i = 0; i < n; i++) {
        placed |= bit(root[i]);
        after[root[i]] = all & ~placed;
    }
    // The sets of one size at a time; a set's entry is valid while its
    // stamp is this walk's.
    static uint32_t most[kMostSets], stamp[kMostSets], walk = 0;
    if (++walk == 0) {
        std::fill(stamp, stamp + kMostSets, 0u);
        walk = 1;
    }
    std::vector<uint16_t> sets{0}, next;
    most[0] = 0;
    stamp[0] = walk;
    for (int size = 0; size < n; size++) {
        next.clear();
        for (uint16_t s : sets)
            for (int c = 0; c < n; c++) {
                if ((s & bit(c)) || (before[c] & ~s))
                    continue;
                uint16_t t = s | bit(c);
                uint32_t turned = most[s] + static_cast<uint32_t>(__builtin_popcount(s & after[c]));
                if (stamp[t] != walk) {
                    stamp[t] = walk;
                    most[t] = turned;
                    next.push_back(t);
                } else {
                    most[t] = std::max(most[t], turned);
                }
            }
        sets.swap(next);
    }
    return sets.empty() ? 0 : most[sets[0]];
}

void
for_each_neutral_root(const neutral_links &links,
                      const std::function<bool(const uint16_t *root)> &visit)
{
    if (links.n < 1 || links.n > kMaxNeutralCells)
        return;
    root_search search{links, visit, {}};
    search.place(0, static_cast<uint16_t>((1u << links.n) - 1), 0);
}
