// The general method's breadth-first form (see general_stacks.h): reads the
// target A, the wiring, the try lists (general_tries.h) and
// partial_preimage_limit; writes the stack figures pp_hist, pp_hist_total
// (model globals), pp_hist_max and pp_wild, and shows them through the
// registered stack view (preimage_prompts.h). Start at extend_lines.
#include "engine/backward/general_stacks.h"

#include <algorithm>
#include <cstring>

#include "engine/backward/acceptance.h"
#include "engine/backward/general_tries.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/backward/tree_memory.h"
#include "engine/backward/wild_cells.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"

partial_stacks stacks_of_partials;

namespace {

inline size_t
entry_bytes()
{
    return tries_of_cells.word_form ? sizeof(uint64_t) : 2 * static_cast<size_t>(bytesL);
}

inline uint8_t *
stack_entry(int s, uint32_t i)
{
    return stacks_of_partials.mem[s] + static_cast<size_t>(i) * entry_bytes();
}

inline int
assigned(const uint8_t *flags, uint32_t cell)
{
    return (flags[cell >> 3] >> (cell & 7)) & 1;
}

inline void
mark_assigned(uint8_t *flags, uint32_t cell)
{
    flags[cell >> 3] |= static_cast<uint8_t>(1u << (cell & 7));
}

// Step figures of the stack view.
void
record_step(uint32_t position, uint32_t size)
{
    if (size > pp_hist_max)
        pp_hist_max = size;
    if (!see_ppstack || !pp_hist || !pp_hist_total)
        return;
    pp_hist_total[position] += size;
    pp_hist[position] = static_cast<uint16_t>(size > Maxu ? Maxu : size);
    show_stack_step(position, size);
}

} // namespace

void
release_partial_stacks()
{
    for (int s = 0; s < 2; s++)
        checked_free(stacks_of_partials.mem[s]);
    stacks_of_partials = partial_stacks();
}

bool
grow_partial_stack(int s, uint64_t i)
{
    // Both stacks within half the machine's memory: the entries of a
    // network of many cells are long, and the count limit alone would let
    // the stacks outgrow the memory there is.
    const uint64_t most =
        std::min<uint64_t>(partial_preimage_limit, physical_memory_bytes() / 2 / (2 * entry_bytes()));
    if (i >= most)
        return false;
    uint64_t cap = stacks_of_partials.capacity[s] ? stacks_of_partials.capacity[s] * 2 : 64;
    if (cap > most)
        cap = most;
    uint8_t *p = static_cast<uint8_t *>(try_checked_realloc(stacks_of_partials.mem[s], cap * entry_bytes()));
    if (!p) {
        note_tree_memory_failure("pp stack", cap * entry_bytes());
        return false;
    }
    stacks_of_partials.mem[s] = p;
    stacks_of_partials.capacity[s] = cap;
    return true;
}

partials_end
extend_lines(int *last)
{
    const general_tries &g = tries_of_cells;
    const int v = value_range;
    const size_t eb = entry_bytes();
    int old = 0;
    memset(stack_entry(0, 0), 0, eb);
    stacks_of_partials.count[0] = 1;
    stacks_of_partials.count[1] = 0;
    uint32_t vpow[32];
    vpow[0] = 1;
    for (int j = 1; j < 32; j++)
        vpow[j] = vpow[j - 1] * static_cast<uint32_t>(v);

    for (uint32_t pos = L + 1; pos-- > 0;) {
        uint32_t c = cell_at(pos);
        int k = cell_k(c);
        int t = get_value(A, c);
        uint32_t l = g.list_of_cell[c];
        const entry_try *from = g.entries.data() + g.first[l * v + t];
        const entry_try *to = g.entries.data() + g.first[l * v + t + 1];
        const uint16_t *wires = wiring[c];
        int next = 1 - old;
        stacks_of_partials.count[next] = 0;
        for (uint32_t i = 0; i < stacks_of_partials.count[old]; i++) {
            if (fan_search_stopped())
                return partials_end::stopped;
            const uint8_t *P = stack_entry(old, i);
            for (const entry_try *tr = from; tr < to; tr++) {
                if (!reserve_partial(next, stacks_of_partials.count[next]))
                    return partials_end::too_many;
                uint8_t *Q = stack_entry(next, stacks_of_partials.count[next]);
                memcpy(Q, P, eb);
                uint8_t *flags = Q + bytesL;
                bool fits = true;
                for (int j = k - 1; j >= tr->m; j--) {
                    uint32_t w = wires[j];
                    int d = v == 2 ? static_cast<int>((tr->e >> j) & 1)
                                   : static_cast<int>((tr->e / vpow[j]) % static_cast<uint32_t>(v));
                    if (assigned(flags, w)) {
                        if (get_value(Q, w) != d) {
                            fits = false;
                            break;
                        }
                    } else {
                        set_value(Q, w, d);
                        mark_assigned(flags, w);
                    }
                }
                if (fits)
                    stacks_of_partials.count[next]++;
            }
        }
        old = next;
        if (stacks_of_partials.count[old] == 0)
            return partials_end::none;
        record_step(pos, stacks_of_partials.count[old]);
    }
    *last = old;
    return partials_end::found;
}

partials_end
extend_words(int *last)
{
    const general_tries &g = tries_of_cells;
    int old = 0;
    stack_words(0)[0] = 0;
    stacks_of_partials.count[0] = 1;
    stacks_of_partials.count[1] = 0;
    for (uint32_t pos = L + 1; pos-- > 0;) {
        uint32_t c = cell_at(pos);
        uint32_t t = static_cast<uint32_t>(get_value(A, c));
        const word_try *from = g.words.data() + g.word_first[c * 2 + t];
        const word_try *to = g.words.data() + g.word_first[c * 2 + t + 1];
        int next = 1 - old;
        uint32_t count = 0;
        const uint64_t *partials = stack_words(old);
        const bool ends_unfit = g.ends_unfit[c * 2 + t] != 0;
        const uint64_t tries_here = static_cast<uint64_t>(to - from) + (ends_unfit ? 1 : 0);
        const uint32_t partial_count = stacks_of_partials.count[old];
        // Held in locals: the stores into the stack could alias the globals.
        uint64_t *out = stack_words(next);
        uint64_t room = stacks_of_partials.capacity[next];
        for (uint32_t i = 0; i < partial_count; i++) {
            // A unit of the poll's count is 64 partials here: a word
            // partial's tries cost a few stores.
            if ((i & 63) == 63 && fan_search_stopped())
                return partials_end::stopped;
            uint64_t P = partials[i];
            uint32_t value = static_cast<uint32_t>(P), mask = static_cast<uint32_t>(P >> 32);
            if (count + tries_here <= room) {
                // Room for every try: no growth and no limit to check.
                for (const word_try *tr = from; tr < to; tr++) {
                    out[count] = (static_cast<uint64_t>(mask | tr->mask) << 32) | (value | tr->value);
                    count += ((value ^ tr->value) & mask & tr->mask) == 0;
                }
                continue;
            }
            for (const word_try *tr = from; tr < to; tr++) {
                if (!reserve_partial(next, count))
                    return partials_end::too_many;
                if ((value ^ tr->value) & mask & tr->mask)
                    continue;
                stack_words(next)[count++] = (static_cast<uint64_t>(mask | tr->mask) << 32) | (value | tr->value);
            }
            if (ends_unfit && !reserve_partial(next, count))
                return partials_end::too_many;
            out = stack_words(next);
            room = stacks_of_partials.capacity[next];
        }
        stacks_of_partials.count[next] = count;
        old = next;
        if (count == 0)
            return partials_end::none;
        record_step(pos, count);
    }
    *last = old;
    return partials_end::found;
}

bool
expand_wild_lines(int s)
{
    int v = value_range;
    uint32_t before = stacks_of_partials.count[s];
    for (uint32_t i = 0; i < stacks_of_partials.count[s]; i++) {
        for (uint32_t pos = L + 1; pos-- > 0;) {
            uint32_t cell = cell_at(pos);
            if (assigned(stack_entry(s, i) + bytesL, cell))
                continue;
            check_wild_cell(stack_entry(s, i), cell);
            mark_assigned(stack_entry(s, i) + bytesL, cell);
            for (int val = v - 1; val >= 1; val--) {
                if (!reserve_partial(s, stacks_of_partials.count[s]))
                    return false;
                uint8_t *copy = stack_entry(s, stacks_of_partials.count[s]++);
                memcpy(copy, stack_entry(s, i), entry_bytes());
                set_value(copy, cell, val);
            }
        }
    }
    pp_wild = stacks_of_partials.count[s] - before;
    pp_wild_tot += pp_wild;
    return true;
}

bool
expand_wild_words(int s)
{
    uint32_t before = stacks_of_partials.count[s];
    const uint64_t all = ((uint64_t(1) << lineL) - 1) << 32;
    for (uint32_t i = 0; i < stacks_of_partials.count[s]; i++) {
        if ((stack_words(s)[i] & all) == all)
            continue; // no wild cell
        for (uint32_t pos = L + 1; pos-- > 0;) {
            uint64_t flag = uint64_t(1) << (32 + cell_at(pos));
            if (stack_words(s)[i] & flag)
                continue;
            check_wild_cell_word(&stack_words(s)[i], cell_at(pos));
            stack_words(s)[i] |= flag;
            if (!reserve_partial(s, stacks_of_partials.count[s]))
                return false;
            uint64_t *words = stack_words(s);
            words[stacks_of_partials.count[s]++] = words[i] | (flag >> 32);
        }
    }
    pp_wild = stacks_of_partials.count[s] - before;
    pp_wild_tot += pp_wild;
    return true;
}
