// The general method's midpoints for a whole field (see
// general_field_points.h): made from the walk's tables (general_walk.h) for
// every key at once, read by the targets of the field. Start at
// make_field_points.
#include "engine/backward/general_field_points.h"

#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"

namespace {

// Positions left to each target below the keys: from fewest_below(n) on,
// one more as long as the midpoints would pass the memory allowed. Fewer
// positions leave a target a shorter finish, but each position fewer
// doubles the keys and about doubles the midpoints, which a target reads
// at a place of its own: past about 2^18 states the reads from memory cost
// more than the longer finish, so larger fields leave more positions.
constexpr uint32_t most_below = 8;
uint32_t
fewest_below(uint32_t cells)
{
    return cells <= 18 ? 2 : cells - 16 < most_below ? cells - 16 : most_below;
}
// The part of the keys made before the midpoints of all are foreseen.
constexpr uint32_t foresight_keys = 16;

// The memory the midpoints of a small field may take, whatever its size.
constexpr uint64_t small_field_budget = uint64_t(16) << 20;

// A kept midpoint: the partial, and the cells at split or below whose tries
// are gone, the cell at position p at bit 2p for value 0 and 2p + 1 for 1.
struct field_point {
    uint32_t value, mask;
    uint32_t gone;
};

// A partial of the shared walk, with its try sets.
struct shared_partial {
    try_sets sets;
    uint32_t value, mask;
};

// The tries of the cell at a position at split or below.
struct finish_position {
    uint32_t cell;
    uint32_t first[3]; // tries for 0 from first[0], for 1 from first[1], up to first[2]
};

struct field_points {
    bool tried = false, ready = false, out_of_memory = false;
    uint32_t split = 0, above = 0;           // positions L .. split+1 give the key
    uint32_t key_of_byte[4][256] = {};       // the key bits of each byte of a target
    uint32_t drop_of_byte[4][256] = {};      // the gone bits a target's values drop
    uint32_t *first = nullptr;               // per key its first midpoint, then the end
    field_point *points = nullptr;
    size_t count = 0, capacity = 0, most = 0; // midpoints kept, room, and at most
    finish_position positions[most_below] = {};
    const word_try *tries = nullptr;
};
field_points field;

// The partials of the shared walk after j positions, for the keys that
// begin with the values taken so far.
std::vector<std::vector<shared_partial>> shared;

// Room for one more midpoint; false when the most allowed or memory is reached.
bool
room_for_point()
{
    field_points &f = field;
    if (f.count < f.capacity)
        return true;
    if (f.count >= f.most)
        return false;
    size_t capacity = f.capacity ? 2 * f.capacity : 1024;
    if (capacity > f.most)
        capacity = f.most;
    void *points = try_checked_realloc(f.points, capacity * sizeof(field_point));
    if (!points) {
        f.out_of_memory = true;
        return false;
    }
    f.points = static_cast<field_point *>(points);
    f.capacity = capacity;
    return true;
}

// The midpoints of the key whose partials at split are list; false when
// they, or the midpoints of all keys foreseen from the first ones, pass the
// most allowed.
bool
keep_points(uint32_t key, const std::vector<shared_partial> &list)
{
    field_points &f = field;
    const uint64_t keys = uint64_t(1) << f.above;
    if (key == keys / foresight_keys && key && f.count * foresight_keys > f.most)
        return false;
    f.first[key] = static_cast<uint32_t>(f.count);
    for (const shared_partial &p : list) {
        if (!room_for_point())
            return false;
        uint32_t gone = 0;
        for (uint32_t pos = 0; pos <= f.split; pos++) {
            uint16_t lane = p.sets.lane[cell_at(pos)];
            if (!(lane & 0xff))
                gone |= uint32_t(1) << (2 * pos);
            if (!(lane >> 8))
                gone |= uint32_t(1) << (2 * pos + 1);
        }
        f.points[f.count++] = {p.value, p.mask, gone};
    }
    return true;
}

// The shared walk of the keys that begin with prefix (j values, the first
// at the highest key bit): on from the partials after j positions. A cell
// whose lane is empty drops the partial; a cell above split whose tries for
// one value are gone drops it at its own turn, for the keys with that value.
template <int words>
bool
walk_shared(uint32_t j, uint32_t prefix)
{
    field_points &f = field;
    const std::vector<shared_partial> &from = shared[j];
    if (j == f.above)
        return keep_points(prefix, from);
    if (from.empty()) {
        // No partial: every key below the prefix has no midpoint.
        uint32_t keys = uint32_t(1) << (f.above - j);
        for (uint32_t k = 0; k < keys; k++)
            f.first[(prefix << (f.above - j)) + k] = static_cast<uint32_t>(f.count);
        return true;
    }
    const walk_position &at = tables_of_walk.positions[L - j];
    try_sets ones;
    for (uint16_t &lane : ones.lane)
        lane = 0xffff;
    for (uint32_t t = 0; t < 2; t++) {
        std::vector<shared_partial> &to = shared[j + 1];
        to.clear();
        const word_try *tries = tries_of_cells.words.data() + at.first_try[t];
        const try_sets *keep = tables_of_walk.keep.data() + at.first_try[t];
        for (const shared_partial &p : from) {
            for (uint32_t fits = (p.sets.lane[at.cell] >> (8 * t)) & 0xff; fits; fits &= fits - 1) {
                uint32_t i = static_cast<uint32_t>(__builtin_ctz(fits));
                shared_partial next;
                if (!narrow_sets<words>(next.sets, p.sets, keep[i], ones))
                    continue;
                next.value = p.value | tries[i].value;
                next.mask = p.mask | tries[i].mask;
                to.push_back(next);
            }
        }
        if (!walk_shared<words>(j + 1, (prefix << 1) | t))
            return false;
    }
    return true;
}

// Finishes a partial from position pos down to 0 by the tries of each cell
// for its target value that agree with the cells assigned.
bool
finish(word_walk &w, uint32_t pos, uint32_t value, uint32_t mask)
{
    const finish_position &at = field.positions[pos];
    const uint32_t t = (w.target >> at.cell) & 1;
    const word_try *end = field.tries + at.first[t + 1];
    for (const word_try *tr = field.tries + at.first[t]; tr < end; tr++) {
        if ((value ^ tr->value) & mask & tr->mask)
            continue;
        if (pos == 0) {
            if (!reserve_partial(0, w.count))
                return false;
            stack_words(0)[w.count++] = (static_cast<uint64_t>(mask | tr->mask) << 32) | (value | tr->value);
        } else if (!finish(w, pos - 1, value | tr->value, mask | tr->mask)) {
            return false;
        }
    }
    return true;
}

// The midpoints with below positions left to each target; false when they
// pass the most allowed or memory runs out (*no_memory).
bool
make_with_split(uint32_t below, bool *no_memory)
{
    field_points &f = field;
    f.split = below - 1;
    f.above = L - f.split;
    const uint64_t keys = uint64_t(1) << f.above;
    uint64_t budget = (uint64_t(1) << lineL) * sizeof(uint32_t);
    if (budget < small_field_budget)
        budget = small_field_budget;
    if ((keys + 1) * sizeof(uint32_t) >= budget / 2)
        return false;
    f.most = static_cast<size_t>((budget - (keys + 1) * sizeof(uint32_t)) / sizeof(field_point));
    f.first = static_cast<uint32_t *>(try_checked_calloc(keys + 1, sizeof(uint32_t)));
    if (!f.first) {
        *no_memory = true;
        return false;
    }
    for (uint32_t pos = 0; pos <= L; pos++) {
        uint32_t c = cell_at(pos);
        for (uint32_t b = 0; b < 256; b++) {
            uint32_t value = b >> (c % 8) & 1;
            if (pos > f.split)
                f.key_of_byte[c / 8][b] |= value << (f.above - 1 - (L - pos));
            else
                f.drop_of_byte[c / 8][b] |= uint32_t(1) << (2 * pos + value);
        }
        if (pos <= f.split) {
            const general_tries &g = tries_of_cells;
            f.positions[pos] = {c, {g.word_first[c * 2], g.word_first[c * 2 + 1], g.word_first[c * 2 + 2]}};
        }
    }
    f.tries = tries_of_cells.words.data();

    shared.assign(f.above + 1, std::vector<shared_partial>());
    shared_partial root;
    try_sets ones;
    for (uint16_t &lane : ones.lane)
        lane = 0xffff;
    root.value = root.mask = 0;
    if (narrow_sets<4>(root.sets, tables_of_walk.start, tables_of_walk.start, ones))
        shared[0].push_back(root);
    bool made = by_lane_count([&](auto lanes) { return walk_shared<decltype(lanes)::value>(0, 0); });
    std::vector<std::vector<shared_partial>>().swap(shared);
    if (!made) {
        *no_memory = f.out_of_memory;
        return false;
    }
    f.first[keys] = static_cast<uint32_t>(f.count);
    return true;
}

// The key of target t: its values at the positions above split.
inline uint32_t
key_of(uint32_t t)
{
    const field_points &f = field;
    uint32_t key = 0;
    for (uint32_t b = 0; b < 4; b++)
        key |= f.key_of_byte[b][(t >> (8 * b)) & 0xff];
    return key;
}

} // namespace

bool
field_points_ready()
{
    return field.ready;
}

bool
make_field_points()
{
    if (field.tried)
        return field.ready;
    release_field_points();
    field.tried = true;
    if (!tables_of_walk.ready)
        return false;
    for (uint32_t below = fewest_below(lineL); below <= most_below && below < lineL; below++) {
        bool no_memory = false;
        if (make_with_split(below, &no_memory)) {
            field.ready = true;
            return true;
        }
        release_field_points();
        field.tried = true;
        if (no_memory)
            return false;
    }
    return false;
}

void
release_field_points()
{
    checked_free(field.first);
    checked_free(field.points);
    field = field_points();
}

void
warm_field_points(uint32_t middle, uint32_t far)
{
    const field_points &f = field;
    if (!f.ready)
        return;
    if (far != UINT32_MAX)
        __builtin_prefetch(f.first + key_of(far));
    if (middle != UINT32_MAX) {
        uint32_t key = key_of(middle);
        uint32_t first = f.first[key], end = f.first[key + 1];
        if (first < end) {
            __builtin_prefetch(f.points + first);
            __builtin_prefetch(f.points + end - 1);
        }
    }
}

bool
walk_from_field_points(word_walk &w)
{
    const field_points &f = field;
    const uint32_t t = w.target;
    const uint32_t key = key_of(t);
    uint32_t drop = 0;
    for (uint32_t b = 0; b < 4; b++)
        drop |= f.drop_of_byte[b][(t >> (8 * b)) & 0xff];
    for (uint32_t i = f.first[key]; i < f.first[key + 1]; i++) {
        const field_point &p = f.points[i];
        if (p.gone & drop)
            continue;
        if (!finish(w, f.split, p.value, p.mask))
            return false;
    }
    return true;
}
