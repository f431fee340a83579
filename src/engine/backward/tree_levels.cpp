// The level lists of the tree builder: pointer arrays, coordinate arrays and
// a pool of state lines per list, or in table mode arrays of state numbers.
// Owned by run_backward (run_backward.cpp) and filled by the acceptance step
// (acceptance.cpp). Reads bytesL, and whether the pre-image method the
// settings choose hands numbers (preimage_method.h). Start at
// start_level_lists.
#include "engine/backward/tree_levels.h"

#include <cstring>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/backward/preimage_method.h"
#include "engine/backward/tree_memory.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/value_line.h"

namespace {

constexpr size_t kChunkBytes = 1 << 16;

// A bump allocator of state lines: chunks are kept when a level is released
// and reused by the next level of the same list.
struct line_pool {
    std::vector<uint8_t *> chunks;
    size_t chunk = 0; // chunk being filled
    size_t used = 0;  // bytes used in it
    size_t chunk_bytes = kChunkBytes;
};

line_pool pools[2];
bool held = false; // hold_level_lists

uint8_t **&
list_of(int which)
{
    return which == 0 ? preim0 : preim1;
}

int16_t *&
x_of(int which)
{
    return which == 0 ? xx0 : xx1;
}

int16_t *&
y_of(int which)
{
    return which == 0 ? yy0 : yy1;
}

template <typename T>
int
grow(T *&array, size_t count, const char *what)
{
    T *p = static_cast<T *>(try_checked_realloc(array, count * sizeof(T)));
    if (!p) {
        note_tree_memory_failure(what, count * sizeof(T));
        return 0;
    }
    array = p;
    return 1;
}

// Makes room for entries 0..index of a list and its coordinates, numbers or
// lines as the list holds.
int
reserve(int which, uint32_t index, bool numbered)
{
    if (index < preim_capacity[which])
        return 1;
    uint32_t had = preim_capacity[which];
    uint64_t cap = had ? had : 16;
    while (cap <= index)
        cap *= 2;
    if (cap > Maxlu)
        cap = Maxlu;
    bool entries = numbered ? grow(preim_numbers[which], cap, "level numbers")
                            : grow(list_of(which), cap, "level list");
    if (!entries || !grow(x_of(which), cap, "level x") ||
        !grow(y_of(which), cap, "level y"))
        return 0;
    for (uint64_t i = had; i < cap; i++) {
        if (numbered)
            preim_numbers[which][i] = 0;
        else
            list_of(which)[i] = nullptr;
        x_of(which)[i] = y_of(which)[i] = 0;
    }
    preim_capacity[which] = static_cast<uint32_t>(cap);
    return 1;
}

uint8_t *
pool_line(line_pool &pool)
{
    size_t size = bytesL ? bytesL : 1;
    if (pool.chunk_bytes < size)
        pool.chunk_bytes = size;
    if (pool.chunk < pool.chunks.size() && pool.used + size > pool.chunk_bytes) {
        pool.chunk++;
        pool.used = 0;
    }
    if (pool.chunk == pool.chunks.size()) {
        uint8_t *c = static_cast<uint8_t *>(try_checked_calloc(pool.chunk_bytes, 1));
        if (!c) {
            note_tree_memory_failure("pre-image lines", pool.chunk_bytes);
            return nullptr;
        }
        pool.chunks.push_back(c);
        pool.used = 0;
    }
    uint8_t *line = pool.chunks[pool.chunk] + pool.used;
    pool.used += size;
    return line;
}

// Whether both lists are there from a tree before, whole (every growth of
// them done) and of the kind asked: numbers or lines.
bool
kept_lists_fit(bool numbered)
{
    for (int w = 0; w < 2; w++) {
        bool entries = numbered ? preim_numbers[w] && !list_of(w) : list_of(w) && !preim_numbers[w];
        if (!entries || !x_of(w) || !y_of(w) || preim_capacity[w] == 0)
            return false;
    }
    return true;
}

} // namespace

int
start_level_lists()
{
    clear_tree_memory_failure();
    bool numbered = choose_preimage_method().hands_numbers();
    if (held && kept_lists_fit(numbered)) {
        release_level(0);
        release_level(1);
        return 1;
    }
    free_level_lists();
    return reserve(0, 0, numbered) && reserve(1, 0, numbered);
}

void
end_level_lists()
{
    if (!held)
        free_level_lists();
}

void
hold_level_lists(bool hold)
{
    held = hold;
    if (!hold)
        free_level_lists();
}

void
free_level_lists()
{
    for (int w = 0; w < 2; w++) {
        for (uint8_t *c : pools[w].chunks)
            checked_free(c);
        pools[w] = line_pool();
        checked_free(list_of(w));
        checked_free(preim_numbers[w]);
        checked_free(x_of(w));
        checked_free(y_of(w));
        list_of(w) = nullptr;
        preim_numbers[w] = nullptr;
        x_of(w) = y_of(w) = nullptr;
        preim_capacity[w] = 0;
    }
}

void
release_level(int which)
{
    pools[which].chunk = 0;
    pools[which].used = 0;
}

uint8_t *
next_level_entry(uint32_t index)
{
    int which = pretog ? 0 : 1;
    if (!reserve(which, index, false))
        return nullptr;
    uint8_t *line = pool_line(pools[which]);
    list_of(which)[index] = line;
    return line;
}

int
grow_next_level_numbers(uint32_t index)
{
    return reserve(pretog ? 0 : 1, index, true);
}

uint32_t
next_level_number(uint32_t index)
{
    int which = pretog ? 0 : 1;
    return level_lists_hold_numbers() ? preim_numbers[which][index] : dec_equiv(list_of(which)[index], L);
}

uint8_t **
current_level()
{
    return pretog ? preim1 : preim0;
}

int16_t *
next_level_x()
{
    return pretog ? xx0 : xx1;
}

int16_t *
next_level_y()
{
    return pretog ? yy0 : yy1;
}

void
write_state_line_digits(uint8_t *line, uint32_t number)
{
    memset(line, 0, bytesL);
    dec_to_value_line(line, number, lineL);
}
