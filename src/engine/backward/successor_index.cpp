// The compact inverse index of a successor table (successor_index.h): its
// arrays. The sort that fills them is sort_by_successor (parallel_table.h).
#include "engine/backward/successor_index.h"

#include <sys/mman.h>

#include "engine/model/checked_alloc.h"

namespace {

// Asks for large pages under the whole 2 MB stretches of a fresh block: the
// tree walk reads the index at random, and with small pages nearly every
// read would miss the address cache too. Only a hint; nothing changes if
// the system gives none.
void
advise_large_pages(void *block, size_t bytes)
{
    constexpr uintptr_t kLarge = uintptr_t(1) << 21;
    uintptr_t from = (reinterpret_cast<uintptr_t>(block) + kLarge - 1) & ~(kLarge - 1);
    uintptr_t to = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kLarge - 1);
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
}

} // namespace

void
allocate_successor_index(successor_index &index, uint64_t states)
{
    free_successor_index(index);
    if (!states)
        return;
    index.states = states;
    // One word more than the 2 x states bits: a lookup may read the word
    // after the last zero's.
    uint64_t words = (2 * states + 63) / 64 + 1;
    index.list = static_cast<uint32_t *>(checked_calloc(states, sizeof(uint32_t), "exh_pairs index"));
    index.runs = static_cast<uint64_t *>(checked_calloc(words, sizeof(uint64_t), "exh_pairs index"));
    index.block_run = static_cast<uint64_t *>(checked_calloc(states / 64 + 1, sizeof(uint64_t), "exh_pairs index"));
    advise_large_pages(index.list, states * sizeof(uint32_t));
    advise_large_pages(index.runs, words * sizeof(uint64_t));
}

void
free_successor_index(successor_index &index)
{
    checked_free(index.list);
    checked_free(index.runs);
    checked_free(index.block_run);
    index = successor_index{};
}
