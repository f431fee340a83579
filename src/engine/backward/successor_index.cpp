// The compact inverse index of a successor table (successor_index.h): its
// arrays. The sort that fills them is sort_by_successor (parallel_table.h).
#include "engine/backward/successor_index.h"

#include <sys/mman.h>

#include <cstring>

#include "engine/model/checked_alloc.h"

namespace {

constexpr byte_select_table
make_select_table()
{
    byte_select_table table{};
    for (unsigned x = 0; x < 256; x++) {
        unsigned k = 0;
        for (unsigned bit = 0; bit < 8; bit++)
            if ((x >> bit) & 1)
                table.at[x][k++] = static_cast<uint8_t>(bit);
        for (; k < 8; k++)
            table.at[x][k] = 8;
    }
    return table;
}

} // namespace

constexpr byte_select_table select_in_byte = make_select_table();

void
advise_large_pages(void *block, size_t bytes)
{
    constexpr uintptr_t kLarge = uintptr_t(1) << 21;
    uintptr_t from = (reinterpret_cast<uintptr_t>(block) + kLarge - 1) & ~(kLarge - 1);
    uintptr_t to = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kLarge - 1);
    if (to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_HUGEPAGE);
}

void
allocate_successor_index(successor_index &index, uint64_t states, index_form form)
{
    free_successor_index(index);
    if (!states)
        return;
    index.states = states;
    index.list = static_cast<uint32_t *>(checked_calloc(states, sizeof(uint32_t), "exh_pairs index"));
    advise_large_pages(index.list, states * sizeof(uint32_t));
    if (form == index_form::automatic)
        form = states < (uint64_t(1) << 24) ? index_form::offsets : index_form::blocks;
    if (form == index_form::offsets) {
        index.first = static_cast<uint32_t *>(checked_calloc(states + 1, sizeof(uint32_t), "exh_pairs index"));
        advise_large_pages(index.first, (states + 1) * sizeof(uint32_t));
        return;
    }
    // One block more than needed, so that they can start on a 32-byte
    // boundary: a block then never straddles two cache lines.
    uint64_t blocks = states / 64 + 2;
    index.block_memory = checked_calloc(blocks, sizeof(successor_block), "exh_pairs index");
    uintptr_t at = (reinterpret_cast<uintptr_t>(index.block_memory) + 31) & ~uintptr_t(31);
    index.blocks = reinterpret_cast<successor_block *>(at);
    advise_large_pages(index.blocks, (blocks - 1) * sizeof(successor_block));
}

void
free_successor_index(successor_index &index)
{
    checked_free(index.list);
    checked_free(index.first);
    checked_free(index.block_memory);
    checked_free(index.narrow);
    checked_free(index.wide);
    index = successor_index{};
}

uint32_t
spill_successor_block(successor_index &index, const uint32_t starts[65])
{
    // Each array doubles as it fills (room for a power of two of blocks).
    if (starts[64] - starts[0] < 65536) {
        uint64_t n = index.narrow_blocks++;
        if ((n & (n - 1)) == 0)
            index.narrow = static_cast<uint16_t *>(
                checked_realloc(index.narrow, 65 * sizeof(uint16_t) * (n ? 2 * n : 1), "exh_pairs index"));
        for (int i = 0; i < 65; i++)
            index.narrow[65 * n + i] = static_cast<uint16_t>(starts[i] - starts[0]);
        return static_cast<uint32_t>(2 * n + 1);
    }
    uint64_t n = index.wide_blocks++;
    if ((n & (n - 1)) == 0)
        index.wide = static_cast<uint32_t *>(
            checked_realloc(index.wide, 65 * sizeof(uint32_t) * (n ? 2 * n : 1), "exh_pairs index"));
    memcpy(index.wide + 65 * n, starts, 65 * sizeof(uint32_t));
    return static_cast<uint32_t>(2 * n + 2);
}
