// The general method's midpoints for a whole field (see
// general_field_points.h): made from the walk's tables (general_walk.h) for
// every key at once, read by the targets of the field. Start at
// make_field_points.
#include "engine/backward/general_field_points.h"

#include <algorithm>

#include "engine/backward/globals.h"
#include "engine/backward/recoverable_list.h"
#include "engine/model/checked_alloc.h"

namespace {

// Positions left to each target below the keys. Each position fewer
// doubles the keys and about doubles the midpoints, which the field makes
// first and a target reads at a place of its own; each position more
// doubles the finish table and makes the finish of a target without the
// table longer. Where the midpoints fall in few classes (rings: 12 to 20)
// the table stays small with the most positions, most_below, and those
// serve best (measured, 2^16 to 2^24 states); elsewhere (random wiring:
// hundreds of classes and more) from fewest_below(n) on, one more as long
// as the midpoints would pass the memory allowed: measured, four positions
// serve fields up to 2^20 states best, and larger fields one more for
// every doubling.
constexpr uint32_t most_below = 8;
uint32_t
fewest_below(uint32_t cells)
{
    return cells <= 20 ? 4 : cells - 16 < most_below ? cells - 16 : most_below;
}
// The most a field's midpoints and finish table take for their reads not
// to be asked ahead (see make_with_split).
constexpr uint64_t near_core_bytes = uint64_t(512) << 10;
// The most entries of the finish table (see make_with_split).
constexpr uint64_t most_table_entries = uint64_t(1) << 16;
// The part of the keys made before the midpoints of all are foreseen.
constexpr uint32_t foresight_keys = 16;

// The memory the midpoints of a small field may take, whatever its size.
constexpr uint64_t small_field_budget = uint64_t(16) << 20;

// A kept midpoint: the partial, and in finish the cells at split or below
// whose tries are gone, the cell at position p at bit 2p for value 0 and
// 2p + 1 for 1 (16 bits for at most 8 positions), and from bit 16 on its
// class in the finish table, when there is one.
struct field_point {
    uint32_t value, mask;
    uint32_t finish;
};
constexpr uint32_t class_shift = 16;
constexpr uint32_t gone_bits = (uint32_t(1) << class_shift) - 1;
static_assert(2 * 8 <= class_shift, "the gone bits of most_below positions fit below the class");
// Where a target's gone bits and finish bits lie in its parts (parts_of).
constexpr uint32_t drop_shift = 32, low_shift = 48;

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

// The finish table: a target finishes a midpoint from split down to 0 by
// the tries of the cells there, which read and assign only the cells of
// relevant; so the finish depends only on the midpoint's values and assigned
// cells among those (its class) and on the target's values at split or
// below (its finish bits). For every class and finish bits the table holds
// the finished partials of the class's own cells, in the order of the
// tries; a midpoint's final partials are each of them or'ed with it.
struct finish_table {
    bool ready = false;
    uint32_t relevant = 0;
    uint32_t classes = 0;
    uint32_t *first = nullptr;            // per class and finish bits its first partial, then the end
    word_try *partials = nullptr;
    size_t count = 0, capacity = 0;
};

struct field_points {
    bool tried = false, ready = false, out_of_memory = false;
    bool warmed = false; // the targets' reads are asked for ahead (warm_field_points)
    uint32_t split = 0, above = 0;           // positions L .. split+1 give the key
    // Of each byte of a target: its key bits (bits 0-31), the gone bits its
    // values drop (32-47) and its finish bits (48-55), one read for all
    // three (see parts_of).
    uint64_t parts_of_byte[4][256] = {};
    uint32_t *first = nullptr;               // per key its first midpoint, then the end
    field_point *points = nullptr;
    size_t count = 0, capacity = 0, most = 0; // midpoints kept, room, and at most
    finish_position positions[most_below] = {};
    const word_try *tries = nullptr;
    finish_table table;
    // Where the midpoints serve only with the finish table, the classes
    // met so far (an open hash of their keys, 0 free: a class key has an
    // assigned cell) and the most the table can take: the walk gives up
    // as soon as they pass it, not after making every midpoint.
    uint64_t *classes_met = nullptr;
    uint32_t classes_slots = 0, classes_count = 0, classes_most = 0;
};
field_points field;

// The partials of the shared walk after j positions, for the keys that
// begin with the values taken so far (j at most 31: at most 32 cells).
// Memory running out for them gives up the midpoints, as for the midpoints
// themselves.
recoverable_list<shared_partial> shared[32];

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

// The class key of a midpoint (see finish_table): its values and assigned
// cells among the relevant ones.
inline uint64_t
class_key(uint32_t value, uint32_t mask, uint32_t relevant)
{
    return (static_cast<uint64_t>(mask & relevant) << 32) | (value & relevant);
}

// The class of a midpoint met, where they are counted; false when the
// classes then pass the most the finish table takes.
bool
meet_class(uint64_t key)
{
    field_points &f = field;
    const uint32_t slots = f.classes_slots;
    uint32_t slot = static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots - 1);
    while (f.classes_met[slot] && f.classes_met[slot] != key)
        slot = (slot + 1) & (slots - 1);
    if (f.classes_met[slot])
        return true;
    f.classes_met[slot] = key;
    return ++f.classes_count <= f.classes_most;
}

// The midpoints of the key whose partials at split are list; false when
// they, or the midpoints of all keys foreseen from the first ones, pass the
// most allowed, or their classes pass the most counted.
bool
keep_points(uint32_t key, const recoverable_list<shared_partial> &list)
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
        if (f.classes_most && p.mask & f.table.relevant && !meet_class(class_key(p.value, p.mask, f.table.relevant)))
            return false;
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
    const recoverable_list<shared_partial> &from = shared[j];
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
        recoverable_list<shared_partial> &to = shared[j + 1];
        to.clear();
        const word_try *tries = tries_of_cells.words.data() + at.first_try[t];
        const try_sets *keep = tables_of_walk.keep.data() + at.first_try[t];
        for (const shared_partial &p : from) {
            for (uint32_t fits = (p.sets.lane[at.cell] >> (8 * t)) & 0xff; fits; fits &= fits - 1) {
                uint32_t i = static_cast<uint32_t>(__builtin_ctz(fits));
                // Narrowed in its place in the list, not copied there.
                shared_partial *next = to.push();
                if (!next) {
                    f.out_of_memory = true;
                    return false;
                }
                *next = shared_partial(); // the lanes past the words narrowed stay clear
                if (!narrow_sets<words>(next->sets, p.sets, keep[i], ones)) {
                    to.pop();
                    continue;
                }
                next->value = p.value | tries[i].value;
                next->mask = p.mask | tries[i].mask;
            }
        }
        if (!walk_shared<words>(j + 1, (prefix << 1) | t))
            return false;
    }
    return true;
}

// Finishes a partial from position pos down to 0 by the tries of each cell
// for its value in target that agree with the cells assigned; each final
// partial goes to put(value, mask), which is false when there is no memory
// for it.
template <typename Put>
bool
finish(uint32_t target, uint32_t pos, uint32_t value, uint32_t mask, Put &put)
{
    const finish_position &at = field.positions[pos];
    const uint32_t t = (target >> at.cell) & 1;
    const word_try *end = field.tries + at.first[t + 1];
    for (const word_try *tr = field.tries + at.first[t]; tr < end; tr++) {
        if ((value ^ tr->value) & mask & tr->mask)
            continue;
        if (pos == 0) {
            if (!put(value | tr->value, mask | tr->mask))
                return false;
        } else if (!finish(target, pos - 1, value | tr->value, mask | tr->mask, put)) {
            return false;
        }
    }
    return true;
}

// A final partial into stack 0 of w; false when memory ran out.
inline bool
put_final(word_walk &w, uint32_t value, uint32_t mask)
{
    if (!reserve_partial(0, w.count))
        return false;
    stack_words(0)[w.count++] = (static_cast<uint64_t>(mask) << 32) | value;
    return true;
}

void
release_finish_table()
{
    finish_table &table = field.table;
    checked_free(table.first);
    checked_free(table.partials);
    table.first = nullptr;
    table.partials = nullptr;
    table.count = table.capacity = 0;
    table.classes = 0;
    table.ready = false;
}

// The finished partials of class c for every finish bits, into the table
// in the order of the finish bits: the partials after the positions from
// split down to pos + 1 for the finish bits taken so far (high, the bit of
// position split first), in at[pos + 1], are extended once for all finish
// bits that begin with them, by the tries of the cell at pos for each value
// that agree with them, in the order finish tries them; so each finish
// bits' entry gets finish's partials in finish's order, while each shared
// part is made once. False when put finds no memory.
template <typename Put>
bool
finish_class(uint32_t c, int pos, uint32_t high, recoverable_list<word_try> *at, Put &put)
{
    finish_table &table = field.table;
    if (pos < 0) {
        table.first[(size_t(c) << (field.split + 1)) + high] = static_cast<uint32_t>(table.count);
        for (const word_try &p : at[0])
            if (!put(p.value, p.mask))
                return false;
        return true;
    }
    const finish_position &position = field.positions[pos];
    for (uint32_t t = 0; t < 2; t++) {
        recoverable_list<word_try> &to = at[static_cast<size_t>(pos)];
        to.clear();
        const word_try *end = field.tries + position.first[t + 1];
        for (const word_try &p : at[static_cast<size_t>(pos) + 1])
            for (const word_try *tr = field.tries + position.first[t]; tr < end; tr++) {
                if ((p.value ^ tr->value) & p.mask & tr->mask)
                    continue;
                word_try *extended = to.push();
                if (!extended)
                    return false;
                *extended = {p.mask | tr->mask, p.value | tr->value};
            }
        if (!finish_class(c, pos - 1, (high << 1) | t, at, put))
            return false;
    }
    return true;
}

// The finished partials of every class (its values and assigned cells in
// class_keys, the cells in the high word) and finish bits; false when they
// would pass the memory allowed them or memory runs out.
bool
fill_finish_table(const uint64_t *class_keys, size_t most_partials)
{
    field_points &f = field;
    finish_table &table = f.table;
    const uint32_t below = f.split + 1;
    const size_t entries = size_t(table.classes) << below;
    table.first = static_cast<uint32_t *>(try_checked_calloc(entries + 1, sizeof(uint32_t)));
    if (!table.first)
        return false;
    auto put = [&table, most_partials](uint32_t value, uint32_t mask) {
        if (table.count == table.capacity) {
            if (table.count == most_partials)
                return false;
            size_t capacity = table.capacity ? std::min(2 * table.capacity, most_partials) : 256;
            void *grown = try_checked_realloc(table.partials, capacity * sizeof(word_try));
            if (!grown)
                return false;
            table.partials = static_cast<word_try *>(grown);
            table.capacity = capacity;
        }
        table.partials[table.count++] = {mask, value};
        return true;
    };
    recoverable_list<word_try> at[most_below + 1];
    for (uint32_t c = 0; c < table.classes; c++) {
        at[below].clear();
        word_try *whole = at[below].push();
        if (!whole)
            return false;
        *whole = {static_cast<uint32_t>(class_keys[c] >> 32), static_cast<uint32_t>(class_keys[c])};
        if (!finish_class(c, static_cast<int>(f.split), 0, at, put))
            return false;
    }
    table.first[entries] = static_cast<uint32_t>(table.count);
    return true;
}

// The classes of the midpoints, found by an open hash of their values and
// assigned cells among the relevant ones, and the finish table of them: the
// class of each midpoint is written over its gone bits. False, the
// midpoints left as they are, when there would be more than most classes,
// or more than most_partials in the table, or memory runs out.
bool
make_finish_table(uint32_t most, size_t most_partials)
{
    field_points &f = field;
    finish_table &table = f.table;
    uint32_t slots = 1024;
    while (slots < 2 * most)
        slots *= 2;
    // Per slot its class + 1 (0: free) and the class's values and cells.
    uint64_t *slot_keys = static_cast<uint64_t *>(try_checked_calloc(slots, sizeof(uint64_t)));
    uint32_t *class_plus_1 = static_cast<uint32_t *>(try_checked_calloc(slots, sizeof(uint32_t)));
    uint64_t *class_keys = static_cast<uint64_t *>(try_checked_calloc(most ? most : 1, sizeof(uint64_t)));
    uint32_t *class_of = static_cast<uint32_t *>(try_checked_calloc(f.count ? f.count : 1, sizeof(uint32_t)));
    bool made = slot_keys && class_plus_1 && class_keys && class_of;
    for (size_t i = 0; made && i < f.count; i++) {
        const field_point &p = f.points[i];
        uint64_t key = class_key(p.value, p.mask, table.relevant);
        uint32_t slot = static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots - 1);
        while (class_plus_1[slot] && slot_keys[slot] != key)
            slot = (slot + 1) & (slots - 1);
        if (!class_plus_1[slot]) {
            if (table.classes == most) {
                made = false;
                break;
            }
            slot_keys[slot] = key;
            class_keys[table.classes] = key;
            class_plus_1[slot] = ++table.classes;
        }
        class_of[i] = class_plus_1[slot] - 1;
    }
    checked_free(slot_keys);
    checked_free(class_plus_1);
    made = made && fill_finish_table(class_keys, most_partials);
    if (made)
        for (size_t i = 0; i < f.count; i++)
            f.points[i].finish |= class_of[i] << class_shift;
    checked_free(class_keys);
    checked_free(class_of);
    return made;
}

// The most classes the finish table of a split with below positions left
// may have, whatever the memory: it is made by finishing each class for
// every finish bits, which should cost less than the targets' own
// finishes it spares: at most a class for every four keys (or 2^14
// finishes in all in a small field), the table at most most_table_entries
// entries; and as many classes as the midpoints' finish bits can name.
uint64_t
most_classes_of_split(uint32_t below, uint64_t memory_entries)
{
    const uint64_t most_finishes = std::min<uint64_t>(
        std::max<uint64_t>(uint64_t(1) << lineL >> 2, uint64_t(1) << 14), most_table_entries);
    return std::min<uint64_t>(std::min<uint64_t>(most_finishes, memory_entries) >> below,
                              uint64_t(1) << (32 - class_shift));
}

// The midpoints with below positions left to each target; false when they
// pass the most allowed or memory runs out (*no_memory), or, where
// table_needed, when their classes pass the most the finish table takes.
bool
make_with_split(uint32_t below, bool table_needed, bool *no_memory)
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
            uint64_t &parts = f.parts_of_byte[c / 8][b];
            if (pos > f.split)
                parts |= uint64_t(value) << (f.above - 1 - (L - pos));
            else
                parts |= uint64_t(1) << (drop_shift + 2 * pos + value) | uint64_t(value) << (low_shift + pos);
        }
        if (pos <= f.split) {
            const general_tries &g = tries_of_cells;
            f.positions[pos] = {c, {g.word_first[c * 2], g.word_first[c * 2 + 1], g.word_first[c * 2 + 2]}};
            for (uint32_t i = g.word_first[c * 2]; i < g.word_first[c * 2 + 2]; i++)
                f.table.relevant |= g.words[i].mask;
        }
    }
    f.tries = tries_of_cells.words.data();
    if (table_needed) {
        f.classes_most = static_cast<uint32_t>(most_classes_of_split(below, UINT64_MAX));
        uint32_t slots = 1024;
        while (slots < 2 * f.classes_most)
            slots *= 2;
        f.classes_met = static_cast<uint64_t *>(try_checked_calloc(slots, sizeof(uint64_t)));
        f.classes_slots = slots;
        f.out_of_memory = !f.classes_met;
    }

    try_sets ones;
    for (uint16_t &lane : ones.lane)
        lane = 0xffff;
    shared_partial *root = f.out_of_memory ? nullptr : shared[0].push();
    f.out_of_memory = !root;
    if (root) {
        root->value = root->mask = 0;
        if (!narrow_sets<4>(root->sets, tables_of_walk.start, tables_of_walk.start, ones))
            shared[0].pop();
    }
    bool made = !f.out_of_memory &&
                by_lane_count([&](auto lanes) { return walk_shared<decltype(lanes)::value>(0, 0); });
    for (recoverable_list<shared_partial> &list : shared)
        list.release();
    checked_free(f.classes_met);
    f.classes_met = nullptr;
    f.classes_slots = f.classes_most = 0;
    if (!made) {
        *no_memory = f.out_of_memory;
        return false;
    }
    f.first[keys] = static_cast<uint32_t>(f.count);
    // The finish table in what the midpoints leave of the memory allowed,
    // with at most 2^16 entries, whose first places (256 kB) stay near the
    // core: a target reads one entry of it for each of its midpoints, and
    // a larger table (random wiring of 2^24 states has over 2^20 entries)
    // makes each read one from memory, which costs more than the tries it
    // spares (most_classes_of_split).
    const uint64_t used = (keys + 1) * sizeof(uint32_t) + f.count * sizeof(field_point);
    const uint64_t left = budget > used ? budget - used : 0;
    const uint64_t most_classes = most_classes_of_split(below, left / 2 / sizeof(uint32_t));
    f.table.ready = make_finish_table(static_cast<uint32_t>(most_classes), static_cast<size_t>(left / 2 / sizeof(word_try)));
    if (!f.table.ready)
        release_finish_table();
    // What a field reads fits the cache near the core (1 MB or more on
    // current machines) up to about half of it: there, asking for it ahead
    // only adds the work of the asking.
    const uint64_t read = used + f.table.count * sizeof(word_try) +
                          (f.table.ready ? (uint64_t(f.table.classes) << below) * sizeof(uint32_t) : 0);
    f.warmed = read > near_core_bytes;
    return true;
}

// What target t reads of the midpoints: its key, its values at the
// positions above split; the gone bits of the midpoints its values drop;
// its finish bits, its values at split and below.
struct target_parts {
    uint32_t key, drop, low;
};
inline target_parts
parts_of(uint32_t t)
{
    const field_points &f = field;
    uint64_t parts = 0;
    for (uint32_t b = 0; b < 4; b++)
        parts |= f.parts_of_byte[b][(t >> (8 * b)) & 0xff];
    return {static_cast<uint32_t>(parts), static_cast<uint32_t>(parts >> drop_shift) & gone_bits,
            static_cast<uint32_t>(parts >> low_shift)};
}

// Each final partial of target t from its key's midpoints to put(value,
// mask), in the walk's order; false when put finds no memory for one.
template <typename Put>
bool
for_each_field_final(uint32_t t, Put &put)
{
    const field_points &f = field;
    const auto [key, drop, low] = parts_of(t);
    const uint32_t below = f.split + 1;
    // The midpoints the target keeps are found 32 at a time as bits, with
    // no branch a midpoint: whether one is dropped follows no pattern a
    // branch could learn.
    for (uint32_t from = f.first[key], end = f.first[key + 1]; from < end; from += 32) {
        const uint32_t n = std::min<uint32_t>(32, end - from);
        uint32_t kept = 0;
        for (uint32_t j = 0; j < n; j++)
            kept |= uint32_t((f.points[from + j].finish & drop) == 0) << j;
        for (; kept; kept &= kept - 1) {
            const field_point &p = f.points[from + static_cast<uint32_t>(__builtin_ctz(kept))];
            if (!f.table.ready) {
                if (!finish(t, f.split, p.value, p.mask, put))
                    return false;
                continue;
            }
            const uint32_t *span = f.table.first + ((size_t(p.finish >> class_shift) << below) | low);
            for (uint32_t j = span[0]; j < span[1]; j++) {
                const word_try &ext = f.table.partials[j];
                if (!put(p.value | ext.value, p.mask | ext.mask))
                    return false;
            }
        }
    }
    return true;
}

} // namespace

bool
field_points_ready()
{
    return field.ready;
}

bool
field_finish_table_ready()
{
    return field.ready && field.table.ready;
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
    // First the most positions below, kept only where the finish table
    // serves them; then from fewest_below on.
    const uint32_t fewest = fewest_below(lineL);
    if (fewest < most_below && most_below < lineL) {
        bool no_memory = false;
        if (make_with_split(most_below, true, &no_memory) && field.table.ready) {
            field.ready = true;
            return true;
        }
        release_field_points();
        field.tried = true;
        if (no_memory)
            return false;
    }
    for (uint32_t below = fewest; below <= most_below && below < lineL; below++) {
        bool no_memory = false;
        if (make_with_split(below, false, &no_memory)) {
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
    release_finish_table();
    checked_free(field.first);
    checked_free(field.points);
    field = field_points();
}

void
warm_field_points(uint32_t middle, uint32_t far)
{
    const field_points &f = field;
    if (!f.ready || !f.warmed)
        return;
    if (far != UINT32_MAX)
        __builtin_prefetch(f.first + parts_of(far).key);
    if (middle != UINT32_MAX) {
        uint32_t key = parts_of(middle).key;
        uint32_t first = f.first[key], end = f.first[key + 1];
        const char *from = reinterpret_cast<const char *>(f.points + first);
        const char *to = reinterpret_cast<const char *>(f.points + end);
        for (const char *line = from; line < to; line += 64)
            __builtin_prefetch(line);
        if (first < end)
            __builtin_prefetch(to - 1);
    }
}

bool
walk_from_field_points(word_walk &w)
{
    auto put = [&w](uint32_t value, uint32_t mask) { return put_final(w, value, mask); };
    return for_each_field_final(w.target, put);
}

bool
field_finals(uint32_t target, field_final_list &list)
{
    list.count = 0;
    auto put = [&list](uint32_t value, uint32_t mask) {
        if (list.count == list.room && !grow_field_finals(list))
            return false;
        list.value[list.count] = value;
        list.mask[list.count++] = mask;
        return true;
    };
    return for_each_field_final(target, put);
}

bool
grow_field_finals(field_final_list &list)
{
    const size_t room = list.room ? 2 * list.room : 256;
    void *value = try_checked_realloc(list.value, room * sizeof(uint32_t));
    if (!value)
        return false;
    list.value = static_cast<uint32_t *>(value);
    void *mask = try_checked_realloc(list.mask, room * sizeof(uint32_t));
    if (!mask)
        return false;
    list.mask = static_cast<uint32_t *>(mask);
    list.room = room;
    return true;
}

void
release_field_finals(field_final_list &list)
{
    checked_free(list.value);
    checked_free(list.mask);
    list = field_final_list();
}
