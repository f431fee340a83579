// The general method's kept midpoints (see general_midpoints.h): made by the
// walk of general_walk.h stopped at the split, kept per key of the target
// values above it. Start at walk_from_midpoints.
#include "engine/backward/general_midpoints.h"

#include <cstring>

#include "engine/model/checked_alloc.h"

midpoint_cache kept_midpoints;

namespace {

constexpr uint32_t too_many_midpoints = no_stop - 1;
constexpr uint32_t most_split = 16;         // positions above split at most (2^16 keys)
constexpr size_t most_midpoints = 1u << 19; // midpoints kept at most (40 MB)
// Targets of a key walked from position L before its midpoints are made: a
// key's midpoints cost about a dozen walks, so a key met a few times only
// (a small subtree of a large network) is not worth them.
constexpr uint32_t walks_before_midpoints = 8;

// Room for capacity midpoints; false, with nothing changed, when memory
// runs out. The sets start on a cache line: the block has one line more.
bool
grow_midpoints(size_t capacity)
{
    midpoint_cache &m = kept_midpoints;
    void *points = try_checked_realloc(m.points, capacity * sizeof(walk_midpoint));
    if (!points)
        return false;
    m.points = static_cast<walk_midpoint *>(points);
    void *block = try_checked_calloc(capacity * sizeof(midpoint_sets) + alignof(midpoint_sets), 1);
    if (!block)
        return false;
    uintptr_t at = reinterpret_cast<uintptr_t>(block);
    at = (at + alignof(midpoint_sets) - 1) & ~(uintptr_t(alignof(midpoint_sets)) - 1);
    midpoint_sets *sets = reinterpret_cast<midpoint_sets *>(at);
    if (m.count)
        memcpy(static_cast<void *>(sets), m.sets, m.count * sizeof(midpoint_sets));
    checked_free(m.sets_block);
    m.sets_block = block;
    m.sets = sets;
    m.capacity = capacity;
    return true;
}

// Forgets every key's midpoints.
void
forget_midpoints()
{
    midpoint_cache &m = kept_midpoints;
    m.count = 0;
    m.first_of_key.assign(m.first_of_key.size(), no_stop);
    m.count_of_key.assign(m.count_of_key.size(), 0);
}

// The key of a target.
inline uint32_t
key_of(uint32_t target)
{
    const auto &k = kept_midpoints.key_of_byte;
    return k[0][target & 0xff] | k[1][(target >> 8) & 0xff] | k[2][(target >> 16) & 0xff] | k[3][target >> 24];
}

// The midpoints of key, made at its walks_before_midpoints-th target.
void
make_midpoints(uint32_t key)
{
    midpoint_cache &m = kept_midpoints;
    uint32_t target = 0, above = 0;
    for (uint32_t j = 0; j < m.split_count; j++) {
        uint32_t c = cell_at(L - j);
        above |= uint32_t(1) << c;
        target |= (key >> j & 1) << c;
    }
    // Made again once after the other keys' midpoints are forgotten, when
    // they left too little room.
    for (;;) {
        word_walk w = start_walk(target, above);
        w.stop = m.split;
        const size_t first = m.count;
        if (walk_from_top(w)) {
            m.first_of_key[key] = static_cast<uint32_t>(first);
            m.count_of_key[key] = static_cast<uint32_t>(m.count - first);
            return;
        }
        m.count = first;
        if (fan_stopped())
            return; // the key's midpoints are made at its next target
        if (first == 0) {
            m.first_of_key[key] = too_many_midpoints;
            return;
        }
        forget_midpoints();
    }
}

} // namespace

bool
keep_midpoint(uint32_t value, uint32_t mask, const try_sets &sets)
{
    midpoint_cache &m = kept_midpoints;
    uint64_t gone = 0;
    for (uint32_t c = 0; c < lineL; c++) {
        if (!(m.below_split >> c & 1))
            continue;
        uint16_t lane = sets.lane[c];
        if (!(lane & 0xff))
            gone |= uint64_t(1) << c;
        if (!(lane >> 8))
            gone |= uint64_t(1) << (32 + c);
    }
    if (m.count >= most_midpoints)
        return false; // the key's own midpoints are too many to keep
    if (m.count == m.capacity && !grow_midpoints(m.capacity ? 2 * m.capacity : 64))
        return false;
    m.points[m.count] = {gone, value, mask};
    m.sets[m.count].sets = sets;
    m.count++;
    return true;
}

void
start_midpoints()
{
    release_midpoints();
    midpoint_cache &m = kept_midpoints;
    uint32_t above = lineL * 3 / 5;
    if (above > most_split)
        above = most_split;
    if (!tables_of_walk.ready || above == 0)
        return;
    m.split_count = above;
    m.split = L - above;
    for (uint32_t pos = 0; pos <= L; pos++) {
        uint32_t c = cell_at(pos);
        if (pos <= m.split) {
            m.below_split |= uint32_t(1) << c;
            continue;
        }
        for (uint32_t b = 0; b < 256; b++)
            if (b >> (c % 8) & 1)
                m.key_of_byte[c / 8][b] |= uint32_t(1) << (L - pos);
    }
    m.first_of_key.assign(size_t(1) << above, no_stop);
    m.count_of_key.assign(size_t(1) << above, 0);
}

void
release_midpoints()
{
    checked_free(kept_midpoints.points);
    checked_free(kept_midpoints.sets_block);
    kept_midpoints = midpoint_cache();
}

template <int words>
bool
walk_from_midpoints(word_walk &w)
{
    midpoint_cache &m = kept_midpoints;
    uint32_t key = key_of(w.target);
    if (m.first_of_key[key] == no_stop) {
        if (++m.count_of_key[key] < walks_before_midpoints)
            return walk_from_top(w);
        make_midpoints(key);
        if (fan_stopped())
            return false;
    }
    if (m.first_of_key[key] == too_many_midpoints)
        return walk_from_top(w);
    const uint32_t first = m.first_of_key[key], end = first + m.count_of_key[key];
    const uint64_t dropped = (static_cast<uint64_t>(w.target) << 32) | static_cast<uint32_t>(~w.target);
    for (uint32_t i = first; i < end; i++) {
        const walk_midpoint &p = m.points[i];
        if (p.gone & dropped)
            continue;
        const try_sets &sets = m.sets[i].sets;
        uint32_t fits = fitting_tries(w, m.split, sets);
        if (!walk_words<words>(w, m.split, p.value, p.mask, &sets, fits))
            return false;
    }
    return true;
}

template bool walk_from_midpoints<1>(word_walk &w);
template bool walk_from_midpoints<2>(word_walk &w);
template bool walk_from_midpoints<3>(word_walk &w);
template bool walk_from_midpoints<4>(word_walk &w);
