// Update orders: the identity and reverse orders, the random order drawn by
// start-and-direction probing (used by the random-order builder and by the
// forward step's rerandomised mode), and the ranking and unranking of orders
// among all permutations. Reads lineL, seq_order and seq_update (model and
// forward globals) and fact (model/network_arithmetic.h). Start at
// draw_random_order.
#include "engine/forward/update_order.h"

#include <cstring>
#include <cstdlib>
#include <vector>

#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

// The first clear bit of set at r or above (wrapping from n to 0), walking
// cell by cell but passing whole ticked bytes and 64-bit words at once. At
// least one of the n bits is clear.
int
next_clear_up(const uint8_t *set, int r, int n)
{
    for (;;) {
        if (r >= n)
            r = 0;
        if ((r & 63) == 0 && r + 64 <= n) {
            uint64_t word;
            memcpy(&word, set + (r >> 3), sizeof word);
            if (word == ~uint64_t(0)) {
                r += 64;
                continue;
            }
        }
        if ((r & 7) == 0 && r + 8 <= n && set[r >> 3] == 0xFF) {
            r += 8;
            continue;
        }
        if (!get_bitlong(set, static_cast<uint32_t>(r)))
            return r;
        r++;
    }
}

// The same walking downward, wrapping from -1 to n-1.
int
next_clear_down(const uint8_t *set, int r, int n)
{
    for (;;) {
        if (r < 0)
            r = n - 1;
        if ((r & 63) == 63) {
            uint64_t word;
            memcpy(&word, set + ((r - 63) >> 3), sizeof word);
            if (word == ~uint64_t(0)) {
                r -= 64;
                continue;
            }
        }
        if ((r & 7) == 7 && set[r >> 3] == 0xFF) {
            r -= 8;
            continue;
        }
        if (!get_bitlong(set, static_cast<uint32_t>(r)))
            return r;
        r--;
    }
}

} // namespace

void
identity_order(uint16_t *order, int n)
{
    for (int i = 0; i < n; i++)
        order[i] = static_cast<uint16_t>(i);
}

void
reverse_order(uint16_t *order, int n)
{
    for (int i = 0; i < n; i++)
        order[i] = static_cast<uint16_t>(n - 1 - i);
}

void
draw_random_order(uint16_t *order, int n, uint8_t *tickoff)
{
    for (int i = 0; i < n; i++) {
        int r = static_cast<int>(random() % n);
        bool up = (random() % 2) != 0;
        // A word or byte ending at r (walking down) or starting at r (up) lies
        // wholly inside the n cells, so the skips read only the set's bytes.
        r = up ? next_clear_up(tickoff, r, n) : next_clear_down(tickoff, r, n);
        order[i] = static_cast<uint16_t>(r);
        set_bitlong(tickoff, static_cast<uint32_t>(r), 1);
    }
}

void
setup_random_sequence()
{
    seq_update = update_seq_order;
    uint8_t *tickoff = static_cast<uint8_t *>(
        checked_calloc((lineL + 7u) / 8u, 1, "seq_tickoff"));
    draw_random_order(seq_order, lineL, tickoff);
    checked_free(tickoff);
}

uint32_t
order_to_index(const uint16_t *order, int count)
{
    if (count < 2)
        return 0;
    // used marks the values already placed, a bit each; the place of a
    // value among those left is the value less the used values below it.
    // The sum of place_i * (count-1-i)! is taken as
    // (...(place_0 * (count-1) + place_1) * (count-2) + ...) + place_{count-2},
    // the same modulo 2^32. The marks of up to 1024 values stay on the stack:
    // the neutral-order field ranks every order it swaps to.
    constexpr int kStackValues = 1024;
    uint64_t stack_used[kStackValues / 64] = {};
    const size_t words = (static_cast<size_t>(count) + 63) / 64;
    uint64_t *used = count <= kStackValues
                         ? stack_used
                         : static_cast<uint64_t *>(checked_calloc(words, sizeof(uint64_t), "posorder"));
    uint32_t index = 0;
    for (int i = 0; i < count - 1; i++) {
        int value = order[i];
        if (value >= count)
            value = count - 1;
        uint32_t below = 0;
        for (int w = 0; w < value / 64; w++)
            below += static_cast<uint32_t>(__builtin_popcountll(used[w]));
        below += static_cast<uint32_t>(
            __builtin_popcountll(used[value / 64] & ((uint64_t{1} << (value % 64)) - 1)));
        used[value / 64] |= uint64_t{1} << (value % 64);
        index = index * static_cast<uint32_t>(count - i) + (static_cast<uint32_t>(value) - below);
    }
    if (used != stack_used)
        checked_free(used);
    return index;
}

void
index_to_order(uint32_t index, uint16_t *order, int count)
{
    if (count < 1)
        return;
    uint16_t *list = static_cast<uint16_t *>(checked_calloc(count, sizeof(uint16_t), "order"));
    identity_order(list, count);
    uint32_t rest = index;
    int left = count;
    for (int i = 0; i < count - 1; i++) {
        uint32_t f = fact(count - 1 - i);
        // Above 12 cells the factorials wrap (and vanish modulo 2^32 from
        // 34!); the digit is then kept within the values left.
        uint32_t d = f ? rest / f : 0;
        rest = f ? rest % f : rest;
        if (d >= static_cast<uint32_t>(left))
            d %= static_cast<uint32_t>(left);
        order[i] = list[d];
        memmove(list + d, list + d + 1, (left - 1 - d) * sizeof(uint16_t));
        left--;
    }
    order[count - 1] = list[0];
    checked_free(list);
}

int
is_permutation(const uint16_t *order, int count)
{
    if (count < 1)
        return 1;
    uint8_t *seen = static_cast<uint8_t *>(checked_calloc((count + 7u) / 8u, 1, "order"));
    int ok = 1;
    for (int i = 0; i < count && ok; i++) {
        if (order[i] >= count || get_bitlong(seen, order[i]))
            ok = 0;
        else
            set_bitlong(seen, order[i], 1);
    }
    checked_free(seen);
    return ok;
}

void
complete_order(uint16_t *order, int placed, const uint16_t *previous, int count)
{
    std::vector<bool> taken(static_cast<size_t>(count), false);
    for (int i = 0; i < placed; i++)
        taken[order[i]] = true;
    for (int i = 0; i < count; i++)
        if (!taken[previous[i]])
            order[placed++] = previous[i];
}
