// The general pre-image method. Reads the target A, the wiring table, the
// k-mix, the rule tables (row 0, or row c with rulemix), value_range and
// lineL; writes the stack figures pp_hist, pp_hist_total (model globals) and
// the pp_ globals; hands pre-images to acceptance.h, as state numbers where
// the level lists hold numbers (tree_levels.h). Also says when the tree
// builder takes this method (general_method_chosen). Start at
// pre_images_rand.
//
// A partial pre-image is a value line followed by a flag line (bit i set
// when cell i is assigned), 2 x bytesL bytes, held in one of two contiguous
// stacks that alternate from cell to cell and grow geometrically.
//
// Entries to try: for each cell and each output value t, the rule-table
// entries e with output t in descending order, each with its block level m:
// for v = 2 the entries e-2^m+1 .. e form an aligned block of one output, so
// e stands for all of them and only input positions m .. k-1 are assigned
// (positions below m stay as they are). Entries inside a block are not
// listed (the skip table). For v > 2 every entry is listed with level 0.
//
// For v = 2 with at most 32 cells a partial pre-image is one 64-bit word
// instead: the cell values in the low 32 bits, the assigned flags in the
// high 32 (cell i at bit i of each). Each try of each cell is then a pair
// of words too, the wires it assigns and the values it gives them, so a
// try fits a partial when the two agree on the cells both assign, and the
// extended partial is the or of the two. A try that gives one cell wired
// twice two values never fits and is not listed; where such tries end a
// list, the stack's room is still checked once more after the list, as the
// line form checks it before every try, fitting or not, so that both forms
// give up at the same point. The order of the partials, and so of the
// pre-images, is that of the line form.
//
// Most partials die several cells later. With the stack view off, 2^lineL
// below partial_preimage_limit and at most 8 tries for a cell and a target
// value (so every k up to 4) the word form walks depth first instead: the
// same cells in the same order with the same tries in the same order, so
// the final partials come in the breadth-first order, and they are expanded
// and handed over as before. The walk keeps for every cell the set of its
// tries (for its target value) that fit the partial, narrowed whenever a
// try assigns one of the cell's inputs; a partial is dropped as soon as a
// cell's set is empty (it would die at that cell), and the cell's own turn
// takes the tries left in its set. Every partial of one step is a disjoint
// cube of assignments (two tries of one cell differ on a cell both assign),
// so a breadth-first stack holds at most 2^lineL entries and never passes
// the limit: the walk gives up nowhere the breadth-first form would, and
// only the stack figures differ, which only the view shows (the walk keeps
// no stacks: pp_hist_max stays 0). The walk's first three fifths of the
// positions depend only on the target values of their cells, bar the
// dropping of partials for cells further on, so they are walked once for
// each combination of those values and kept (walk_midpoint); a target walks
// on from the partials kept for its combination.
#include "engine/backward/preimages_general.h"

#include <cstring>
#include <new>
#include <vector>

#include "engine/backward/acceptance.h"
#include "engine/backward/globals.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/backward/successor_table.h"
#include "engine/backward/tree_levels.h"
#include "engine/backward/tree_memory.h"
#include "engine/backward/wild_cells.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

struct entry_try {
    uint32_t e;
    uint8_t m;
};

// The try lists: list l, output t covers tries[first[l*v+t] .. first[l*v+t+1]).
std::vector<entry_try> tries;
std::vector<uint32_t> first;
std::vector<uint32_t> list_of_cell; // list used by each cell
bool prepared = false;

// The word form's tries: cell c, output t covers
// word_tries[word_first[c*2+t] .. word_first[c*2+t+1]).
struct word_try {
    uint32_t mask, value;
};
std::vector<word_try> word_tries;
std::vector<uint32_t> word_first;
std::vector<uint8_t> word_ends_unfit; // per c*2+t: the line form's list ends in tries never fitting
bool word_form = false;

// The walk's try sets, 32 lanes of 16 bits: lane c holds the tries of cell
// c that still fit, bits 0-7 for target value 0 and 8-15 for 1 (bit i: try
// i of the cell for that value); lanes from lineL on hold all ones. After
// try g of the cell at position p the sets are anded with walk_keep[g]: in
// the lane of each cell at a position below p, its tries that agree with
// try g on the cells both assign, all ones elsewhere. A try agrees with
// itself on the cells an earlier try assigned already, so one table per try
// serves every partial it fits.
typedef uint16_t set_lanes __attribute__((vector_size(16)));
struct try_sets {
    set_lanes v[4];
};
constexpr uint32_t most_walk_tries = 8; // bits of one half of a lane
std::vector<try_sets> walk_keep;
try_sets walk_start;                    // every try of every cell
struct walk_position {
    uint32_t cell;
    uint32_t first_try[2]; // the cell's tries for target value 0 and 1
};
std::vector<walk_position> walk_positions; // per position, in the order of cell_at
bool walk_ready = false;                // every cell has at most most_walk_tries tries a target value
const uint16_t *walk_order = nullptr;   // cell_order as walk_keep was made (nullptr: position order)
// The two stacks of partial pre-images.
uint8_t *stack_mem[2] = {nullptr, nullptr};
size_t stack_cap[2] = {0, 0}; // entries
uint32_t stack_count[2] = {0, 0};
// The word form's pre-images of one target as state numbers, in stack order.
std::vector<uint32_t> fan_numbers;

inline int
cell_k(uint32_t c)
{
    return nhood_mixed ? nhoodm[c] : nhood;
}

// Appends the tries of one rule table for k inputs.
void
build_list(const uint8_t *rule, int k)
{
    int v = value_range;
    uint64_t R = int_power(v, k);
    std::vector<uint8_t> level(R, 0), skip(R, 0);
    if (v == 2) {
        for (uint64_t e1 = R; e1-- > 0;) {
            if (skip[e1] || !(e1 & 1))
                continue;
            int b = get_value(rule, static_cast<uint32_t>(e1));
            int m = 0;
            for (int t = 1; t <= 8 && (uint64_t(1) << t) <= R; t++) {
                uint64_t size = uint64_t(1) << t;
                if ((e1 + 1) % size)
                    break;
                bool same = true;
                for (uint64_t x = e1 + 1 - size; x < e1 + 1 - size / 2 && same; x++)
                    same = get_value(rule, static_cast<uint32_t>(x)) == b;
                if (!same)
                    break;
                m = t;
            }
            level[e1] = static_cast<uint8_t>(m);
            for (uint64_t x = e1 + 1 - (uint64_t(1) << m); x < e1; x++)
                skip[x] = 1;
        }
    }
    for (int t = 0; t < v; t++) {
        first.push_back(static_cast<uint32_t>(tries.size()));
        for (uint64_t e = R; e-- > 0;)
            if (!skip[e] && get_value(rule, static_cast<uint32_t>(e)) == t)
                tries.push_back({static_cast<uint32_t>(e), level[e]});
    }
}

void
free_stacks()
{
    for (int s = 0; s < 2; s++) {
        checked_free(stack_mem[s]);
        stack_mem[s] = nullptr;
        stack_cap[s] = 0;
        stack_count[s] = 0;
    }
}

inline size_t
entry_bytes()
{
    return word_form ? sizeof(uint64_t) : 2 * static_cast<size_t>(bytesL);
}

inline uint8_t *
stack_entry(int s, uint32_t i)
{
    return stack_mem[s] + static_cast<size_t>(i) * entry_bytes();
}

// Room for entry i (0-based) of stack s; 0 when the limit or memory is
// reached.
int
reserve(int s, uint64_t i)
{
    if (i < stack_cap[s])
        return 1;
    if (i >= partial_preimage_limit)
        return 0;
    uint64_t cap = stack_cap[s] ? stack_cap[s] * 2 : 64;
    if (cap > partial_preimage_limit)
        cap = partial_preimage_limit;
    uint8_t *p =
        static_cast<uint8_t *>(try_checked_realloc(stack_mem[s], cap * entry_bytes()));
    if (!p) {
        note_tree_memory_failure("pp stack", cap * entry_bytes());
        return 0;
    }
    stack_mem[s] = p;
    stack_cap[s] = cap;
    return 1;
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

inline uint32_t
cell_at(uint32_t position)
{
    return reorderRBN && cell_order ? cell_order[position] : position;
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

// Every wild cell of every final entry expanded to every value; entries
// appended are expanded too. 0 when the limit or memory is reached.
int
expand_wild(int s)
{
    int v = value_range;
    uint32_t before = stack_count[s];
    for (uint32_t i = 0; i < stack_count[s]; i++) {
        for (uint32_t pos = L + 1; pos-- > 0;) {
            uint32_t cell = cell_at(pos);
            if (assigned(stack_entry(s, i) + bytesL, cell))
                continue;
            check_wild_cell(stack_entry(s, i), cell);
            mark_assigned(stack_entry(s, i) + bytesL, cell);
            for (int val = v - 1; val >= 1; val--) {
                if (!reserve(s, stack_count[s]))
                    return 0;
                uint8_t *copy = stack_entry(s, stack_count[s]++);
                memcpy(copy, stack_entry(s, i), entry_bytes());
                set_value(copy, cell, val);
            }
        }
    }
    pp_wild = stack_count[s] - before;
    pp_wild_tot += pp_wild;
    return 1;
}

// The tries of every cell as words, from the line-form lists.
void
build_word_tries()
{
    word_first.clear();
    word_ends_unfit.clear();
    for (uint32_t c = 0; c < lineL; c++) {
        const uint16_t *wires = wiring[c];
        for (int t = 0; t < 2; t++) {
            word_first.push_back(static_cast<uint32_t>(word_tries.size()));
            uint32_t l = list_of_cell[c];
            bool ends_unfit = false;
            for (uint32_t i = first[l * 2 + t]; i < first[l * 2 + t + 1]; i++) {
                word_try w{0, 0};
                bool fits = true;
                for (int j = cell_k(c) - 1; j >= tries[i].m && fits; j--) {
                    uint32_t bit = uint32_t(1) << wires[j];
                    uint32_t d = (tries[i].e >> j) & 1 ? bit : 0;
                    fits = !(w.mask & bit) || (w.value & bit) == d;
                    w.mask |= bit;
                    w.value |= d;
                }
                if (fits)
                    word_tries.push_back(w);
                ends_unfit = !fits;
            }
            word_ends_unfit.push_back(ends_unfit ? 1 : 0);
        }
    }
    word_first.push_back(static_cast<uint32_t>(word_tries.size()));
}

// The walk's tables, from the word tries, for the cell order of cell_at.
void
build_walk_keep()
{
    walk_ready = true;
    for (uint32_t i = 0; i < 2 * lineL; i++)
        walk_ready = walk_ready && word_first[i + 1] - word_first[i] <= most_walk_tries;
    walk_order = reorderRBN ? cell_order : nullptr;
    if (!walk_ready)
        return;
    // The set of r's tries (both halves) that agree with try.
    auto agreeing = [](uint32_t r, const word_try &with) {
        uint32_t lane = 0;
        for (uint32_t t = 0; t < 2; t++)
            for (uint32_t i = word_first[r * 2 + t]; i < word_first[r * 2 + t + 1]; i++) {
                const word_try &tr = word_tries[i];
                if (((tr.value ^ with.value) & tr.mask & with.mask) == 0)
                    lane |= 1u << (8 * t + i - word_first[r * 2 + t]);
            }
        return static_cast<uint16_t>(lane);
    };
    std::vector<uint16_t> lanes(32, 0xffff);
    for (uint32_t c = 0; c < lineL; c++)
        lanes[c] = agreeing(c, word_try{0, 0});
    memcpy(&walk_start, lanes.data(), sizeof walk_start);
    walk_keep.resize(word_tries.size());
    walk_positions.resize(lineL);
    for (uint32_t pos = 0; pos < lineL; pos++) {
        uint32_t c = cell_at(pos);
        walk_positions[pos] = {c, {word_first[c * 2], word_first[c * 2 + 1]}};
        for (uint32_t g = word_first[c * 2]; g < word_first[c * 2 + 2]; g++) {
            lanes.assign(32, 0xffff);
            for (uint32_t below = 0; below < pos; below++)
                lanes[cell_at(below)] = agreeing(cell_at(below), word_tries[g]);
            memcpy(&walk_keep[g], lanes.data(), sizeof walk_keep[g]);
        }
    }
}

inline uint64_t *
stack_words(int s)
{
    return reinterpret_cast<uint64_t *>(stack_mem[s]);
}

// The word form of expand_wild.
int
expand_wild_words(int s)
{
    uint32_t before = stack_count[s];
    const uint64_t all = ((uint64_t(1) << lineL) - 1) << 32;
    for (uint32_t i = 0; i < stack_count[s]; i++) {
        if ((stack_words(s)[i] & all) == all)
            continue; // no wild cell
        for (uint32_t pos = L + 1; pos-- > 0;) {
            uint64_t flag = uint64_t(1) << (32 + cell_at(pos));
            if (stack_words(s)[i] & flag)
                continue;
            check_wild_cell_word(&stack_words(s)[i], cell_at(pos));
            stack_words(s)[i] |= flag;
            if (!reserve(s, stack_count[s]))
                return 0;
            uint64_t *words = stack_words(s);
            words[stack_count[s]++] = words[i] | (flag >> 32);
        }
    }
    pp_wild = stack_count[s] - before;
    pp_wild_tot += pp_wild;
    return 1;
}

// The word form of the cell by cell extension, from the stack with the
// single empty partial; the stack of the final partials, or -1 when the
// limit or memory was reached, or -2 when A has no pre-image.
int
extend_words()
{
    int old = 0;
    stack_words(0)[0] = 0;
    stack_count[0] = 1;
    stack_count[1] = 0;
    for (uint32_t pos = L + 1; pos-- > 0;) {
        uint32_t c = cell_at(pos);
        uint32_t t = static_cast<uint32_t>(get_value(A, c));
        const word_try *from = word_tries.data() + word_first[c * 2 + t];
        const word_try *to = word_tries.data() + word_first[c * 2 + t + 1];
        int next = 1 - old;
        uint32_t count = 0;
        const uint64_t *partials = stack_words(old);
        const bool ends_unfit = word_ends_unfit[c * 2 + t] != 0;
        const uint64_t tries_here = static_cast<uint64_t>(to - from) + (ends_unfit ? 1 : 0);
        const uint32_t partial_count = stack_count[old];
        // Held in locals: the stores into the stack could alias the globals.
        uint64_t *out = stack_words(next);
        uint64_t room = stack_cap[next];
        for (uint32_t i = 0; i < partial_count; i++) {
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
                if (!reserve(next, count))
                    return -1;
                if ((value ^ tr->value) & mask & tr->mask)
                    continue;
                stack_words(next)[count++] = (static_cast<uint64_t>(mask | tr->mask) << 32) | (value | tr->value);
            }
            if (ends_unfit && !reserve(next, count))
                return -1;
            out = stack_words(next);
            room = stack_cap[next];
        }
        stack_count[next] = count;
        old = next;
        if (count == 0)
            return -2;
        record_step(pos, count);
    }
    return old;
}

// The depth-first walk of the word form (see the top of the file).
struct word_walk {
    uint32_t target;   // the target's values, cell i at bit i
    uint32_t count;    // final partials so far, in stack 0
    uint32_t stop;     // the position where a partial is kept as a midpoint (no_stop: none)
    try_sets relevant; // per lane the half of the cell's target value, all ones from lineL on
    // The tables, held here across the calls.
    const walk_position *positions;
    const word_try *tries;
    const try_sets *keep;
};

// next = sets narrowed by keep in the first words lane vectors (those that
// hold cells); false when a cell has no try left.
template <int words>
inline bool
narrow_sets(try_sets &next, const try_sets &sets, const try_sets &keep, const try_sets &relevant)
{
    set_lanes empty = {0, 0, 0, 0, 0, 0, 0, 0};
    for (int j = 0; j < words; j++) {
        next.v[j] = sets.v[j] & keep.v[j];
        empty |= (next.v[j] & relevant.v[j]) == 0;
    }
    typedef uint64_t two_words __attribute__((vector_size(16)));
    two_words any = reinterpret_cast<two_words>(empty);
    return (any[0] | any[1]) == 0;
}

// The tries of the cell at position pos that fit after sets, bit i for try
// i for its target value.
inline uint32_t
fitting_tries(const word_walk &w, uint32_t pos, const try_sets &sets)
{
    uint32_t c = w.positions[pos].cell;
    return (reinterpret_cast<const uint16_t *>(&sets)[c] >> (8 * ((w.target >> c) & 1))) & 0xff;
}

// The first part of the walk, shared by the targets that agree on the
// cells it covers. Down to the position split the walk is the same for two
// targets that agree on the cells above split, but for where it drops a
// partial because a cell at split or below has no try left for its target
// value: such a cell never gets a try back, so the partial may be dropped
// later without changing the partials kept or their order. So for each key
// (the target values of the cells above split, the cell at position L - j
// at bit j of the key) the walk down to split is made once, dropping a
// partial only where a cell above split has no try left for its value or
// any cell has none for either value; the partials it reaches at split are
// kept in walk order with the cells at split or below whose tries for 0 and
// for 1 are gone. A target then takes its key's midpoints, drops those
// where a cell's value is gone, and walks on from each. A key's midpoints
// are made at its walks_before_midpoints-th target; where the midpoints
// kept pass most_midpoints they are all forgotten and made again as asked.
// A key whose own midpoints would pass most_midpoints, or whose making runs
// out of memory, is walked from position L for good (too_many_midpoints).
constexpr uint32_t no_stop = ~uint32_t(0);
constexpr uint32_t too_many_midpoints = no_stop - 1;
constexpr uint32_t most_split = 16;         // positions above split at most (2^16 keys)
constexpr size_t most_midpoints = 1u << 19; // midpoints kept at most (40 MB)
// Targets of a key walked from position L before its midpoints are made: a
// key's midpoints cost about a dozen walks, so a key met a few times only
// (a small subtree of a large network) is not worth them.
constexpr uint32_t walks_before_midpoints = 8;
// A midpoint in two parts: what a target reads to drop it, several to a
// cache line, and its try sets, one cache line, read only when it is kept.
struct walk_midpoint {
    uint64_t gone; // the cells at split or below gone for 0, and for 1 shifted by 32
    uint32_t value, mask;
};
struct alignas(64) midpoint_sets {
    try_sets sets;
};
uint32_t split = no_stop;                   // no_stop: every walk from position L
uint32_t split_count = 0;                   // positions above split
std::vector<walk_midpoint> midpoints;       // every key's midpoints, by key as made
std::vector<midpoint_sets> midpoints_sets;  // the try sets of each
std::vector<uint32_t> midpoints_first;      // per key: its first midpoint, no_stop until made,
                                            // too_many_midpoints when it has none for good
std::vector<uint32_t> midpoints_count;      // per key: its number of midpoints; until made, the targets met
uint32_t key_of_byte[4][256];               // the key bits of each byte of a target
uint32_t below_split = 0;                   // the cells at split and below, cell i at bit i

// The partial the walk for a key reached at split, with its gone cells;
// true, as walk_words goes on.
bool
keep_midpoint(uint32_t value, uint32_t mask, const try_sets &sets)
{
    uint64_t gone = 0;
    const uint16_t *lanes = reinterpret_cast<const uint16_t *>(&sets);
    for (uint32_t c = 0; c < lineL; c++) {
        if (!(below_split >> c & 1))
            continue;
        if (!(lanes[c] & 0xff))
            gone |= uint64_t(1) << c;
        if (!(lanes[c] >> 8))
            gone |= uint64_t(1) << (32 + c);
    }
    if (midpoints.size() >= most_midpoints)
        return false; // the key's own midpoints are too many to keep
    midpoints.push_back({gone, value, mask});
    midpoints_sets.push_back({sets});
    return true;
}

// Forgets every key's midpoints.
void
forget_midpoints()
{
    midpoints.clear();
    midpoints_sets.clear();
    midpoints_first.assign(midpoints_first.size(), no_stop);
    midpoints_count.assign(midpoints_count.size(), 0);
}

// The split for the walk's tables just made (about three fifths of the
// positions above it, at most most_split) and the key of each byte; no
// midpoints made yet.
void
start_midpoints()
{
    std::vector<walk_midpoint>().swap(midpoints);
    std::vector<midpoint_sets>().swap(midpoints_sets);
    split = no_stop;
    split_count = 0;
    uint32_t above = lineL * 3 / 5;
    if (above > most_split)
        above = most_split;
    if (!walk_ready || above == 0)
        return;
    split_count = above;
    split = L - above;
    memset(key_of_byte, 0, sizeof key_of_byte);
    below_split = 0;
    for (uint32_t pos = 0; pos <= L; pos++) {
        uint32_t c = cell_at(pos);
        if (pos <= split) {
            below_split |= uint32_t(1) << c;
            continue;
        }
        for (uint32_t b = 0; b < 256; b++)
            if (b >> (c % 8) & 1)
                key_of_byte[c / 8][b] |= uint32_t(1) << (L - pos);
    }
    midpoints_first.assign(size_t(1) << above, no_stop);
    midpoints_count.assign(size_t(1) << above, 0);
}

// Extends the partial from position pos down to 0 by the tries of fits.
// False when memory ran out. A step's fitting tries are read from the lanes
// of its parent's sets and of the try's keep table, which are in memory
// long before, not from the narrowed sets just written. The last try of a
// step that still has tries to follow goes on in the same call.
template <int words>
bool
walk_words(word_walk &w, uint32_t pos, uint32_t value, uint32_t mask, const try_sets *sets, uint32_t fits)
{
    try_sets own[2];
    for (;;) {
        if (pos == w.stop)
            return keep_midpoint(value, mask, *sets);
        const walk_position &at = w.positions[pos];
        const uint32_t first_try = at.first_try[(w.target >> at.cell) & 1];
        const word_try *tries_c = w.tries + first_try;
        if (pos == 0) {
            for (; fits; fits &= fits - 1) {
                if (!reserve(0, w.count))
                    return false;
                const word_try &tr = tries_c[__builtin_ctz(fits)];
                stack_words(0)[w.count++] = (static_cast<uint64_t>(mask | tr.mask) << 32) | (value | tr.value);
            }
            return true;
        }
        const try_sets *keep = w.keep + first_try;
        try_sets *next = sets == &own[0] ? &own[1] : &own[0];
        uint32_t i = 0, next_fits = 0;
        for (;;) {
            if (!fits)
                return true;
            i = static_cast<uint32_t>(__builtin_ctz(fits));
            fits &= fits - 1;
            next_fits = fitting_tries(w, pos - 1, *sets) & fitting_tries(w, pos - 1, keep[i]);
            if (!narrow_sets<words>(*next, *sets, keep[i], w.relevant))
                continue;
            if (!fits)
                break; // the last try: on in this call
            if (!walk_words<words>(w, pos - 1, value | tries_c[i].value, mask | tries_c[i].mask, next, next_fits))
                return false;
        }
        value |= tries_c[i].value;
        mask |= tries_c[i].mask;
        sets = next;
        fits = next_fits;
        pos--;
    }
}

// Whether this computation may take the depth-first walk.
inline bool
walk_allowed()
{
    return walk_ready && walk_order == (reorderRBN ? cell_order : nullptr) && !see_ppstack &&
           (uint64_t(1) << lineL) < partial_preimage_limit;
}

// For each byte, the lanes of its bits set all ones, the others zero.
struct byte_lanes {
    set_lanes of[256];
    byte_lanes()
    {
        const set_lanes bit_of_lane = {1, 2, 4, 8, 16, 32, 64, 128};
        for (uint16_t b = 0; b < 256; b++)
            of[b] = reinterpret_cast<set_lanes>((bit_of_lane & b) != 0);
    }
};
const byte_lanes lanes_of_byte;

// A walk for the target's values that drops a partial where a cell of cells
// (cell i at bit i) has no try left for its value, or any other cell none
// for either value.
word_walk
start_walk(uint32_t target, uint32_t cells)
{
    word_walk w;
    w.target = target;
    w.count = 0;
    w.stop = no_stop;
    for (uint32_t j = 0; j < 4; j++) {
        set_lanes ones = lanes_of_byte.of[(target >> (8 * j)) & 0xff]; // where the target value is 1
        set_lanes others = lanes_of_byte.of[~(cells >> (8 * j)) & 0xff];
        w.relevant.v[j] = (ones ^ 0x00ff) | others;
    }
    w.positions = walk_positions.data();
    w.tries = word_tries.data();
    w.keep = walk_keep.data();
    return w;
}

// The walk from position L, over as many lane vectors as lineL needs.
bool
walk_from_top(word_walk &w)
{
    try_sets sets;
    if (!narrow_sets<4>(sets, walk_start, walk_start, w.relevant))
        return true; // a cell with no entry for its value
    uint32_t fits = fitting_tries(w, L, sets);
    return lineL <= 8    ? walk_words<1>(w, L, 0, 0, &sets, fits)
           : lineL <= 16 ? walk_words<2>(w, L, 0, 0, &sets, fits)
           : lineL <= 24 ? walk_words<3>(w, L, 0, 0, &sets, fits)
                         : walk_words<4>(w, L, 0, 0, &sets, fits);
}

// The key of a target (see walk_midpoint).
inline uint32_t
key_of(uint32_t target)
{
    return key_of_byte[0][target & 0xff] | key_of_byte[1][(target >> 8) & 0xff] |
           key_of_byte[2][(target >> 16) & 0xff] | key_of_byte[3][target >> 24];
}

// The midpoints of key, made at its walks_before_midpoints-th target.
void
make_midpoints(uint32_t key)
{
    uint32_t target = 0, above = 0;
    for (uint32_t j = 0; j < split_count; j++) {
        uint32_t c = cell_at(L - j);
        above |= uint32_t(1) << c;
        target |= (key >> j & 1) << c;
    }
    // Made again once after the other keys' midpoints are forgotten, when
    // they left too little room.
    for (;;) {
        word_walk w = start_walk(target, above);
        w.stop = split;
        const size_t first = midpoints.size();
        bool made;
        try {
            made = walk_from_top(w);
        } catch (const std::bad_alloc &) {
            made = false;
        }
        if (made) {
            midpoints_first[key] = static_cast<uint32_t>(first);
            midpoints_count[key] = static_cast<uint32_t>(midpoints.size() - first);
            return;
        }
        midpoints.resize(first);
        midpoints_sets.resize(first);
        if (first == 0) {
            midpoints_first[key] = too_many_midpoints;
            return;
        }
        forget_midpoints();
    }
}

// The walk on from each midpoint of the target's key where no cell's value
// is gone.
template <int words>
bool
walk_from_midpoints(word_walk &w)
{
    uint32_t key = key_of(w.target);
    if (midpoints_first[key] == no_stop) {
        if (++midpoints_count[key] < walks_before_midpoints)
            return walk_from_top(w);
        make_midpoints(key);
    }
    if (midpoints_first[key] == too_many_midpoints)
        return walk_from_top(w);
    const uint32_t first = midpoints_first[key], end = first + midpoints_count[key];
    const uint64_t dropped = (static_cast<uint64_t>(w.target) << 32) | static_cast<uint32_t>(~w.target);
    for (uint32_t i = first; i < end; i++) {
        const walk_midpoint &m = midpoints[i];
        if (m.gone & dropped)
            continue;
        const try_sets &sets = midpoints_sets[i].sets;
        uint32_t fits = fitting_tries(w, split, sets);
        if (!walk_words<words>(w, split, m.value, m.mask, &sets, fits))
            return false;
    }
    return true;
}

// The walk from the empty partial, with extend_words' answer.
int
extend_words_depth_first()
{
    uint32_t target = 0;
    for (uint32_t b = 0; b < bytesL; b++)
        target |= static_cast<uint32_t>(A[b]) << (8 * b);
    word_walk w = start_walk(target, lineL == 32 ? ~uint32_t(0) : (uint32_t(1) << lineL) - 1);
    bool done = split == no_stop ? walk_from_top(w)
                : lineL <= 8     ? walk_from_midpoints<1>(w)
                : lineL <= 16    ? walk_from_midpoints<2>(w)
                : lineL <= 24    ? walk_from_midpoints<3>(w)
                                 : walk_from_midpoints<4>(w);
    stack_count[0] = w.count;
    if (!done)
        return -1;
    return w.count ? 0 : -2;
}

// The word form of pre_images_rand once its stacks are started: the
// partials extended cell by cell, the wild cells expanded, and the
// pre-images handed over, as one fan of numbers where the level lists hold
// numbers, else each as a line.
void
hand_over_words()
{
    int old = walk_allowed() ? extend_words_depth_first() : extend_words();
    if (old == -2)
        return; // a garden-of-Eden target
    if (old < 0 || !expand_wild_words(old)) {
        abort_subtree = abort_subtree_too_many_partial;
        return;
    }
    if (see_ppstack && pp_wild > 0)
        show_stack_wild(pp_wild);
    if (level_lists_hold_numbers()) {
        fan_numbers.resize(stack_count[old]);
        for (uint32_t i = 0; i < stack_count[old]; i++)
            fan_numbers[i] = static_cast<uint32_t>(stack_words(old)[i]);
        hand_over_fan_numbers(fan_numbers.data(), stack_count[old]);
        return;
    }
    uint8_t line[4];
    for (uint32_t i = 0; i < stack_count[old]; i++) {
        write_state_line(line, static_cast<uint32_t>(stack_words(old)[i]));
        hand_over_pre_image(line);
        if (abort_subtree)
            return;
    }
}

} // namespace

void
prepair_pre_rand()
{
    free_pre_rand();
    list_of_cell.assign(lineL, 0);
    if (rulemix) {
        for (uint32_t c = 0; c < lineL; c++) {
            list_of_cell[c] = c;
            build_list(carule[c], cell_k(c));
        }
    } else {
        // One list per k in use, from row 0.
        std::vector<int32_t> list_of_k(nhood + 1, -1);
        uint32_t lists = 0;
        for (uint32_t c = 0; c < lineL; c++) {
            int k = cell_k(c);
            if (list_of_k[k] < 0) {
                list_of_k[k] = static_cast<int32_t>(lists++);
                build_list(carule[0], k);
            }
            list_of_cell[c] = static_cast<uint32_t>(list_of_k[k]);
        }
    }
    first.push_back(static_cast<uint32_t>(tries.size()));
    word_form = value_range == 2 && lineL <= 32;
    if (word_form)
        build_word_tries();
    if (see_ppstack == see_ppstack_on)
        show_stack_start();
    if (reorderRBN)
        rearrange_cell_order();
    if (word_form) {
        build_walk_keep(); // in the order just made
        start_midpoints();
    }
    prepared = true;
}

void
free_pre_rand()
{
    std::vector<entry_try>().swap(tries);
    std::vector<uint32_t>().swap(first);
    std::vector<uint32_t>().swap(list_of_cell);
    std::vector<word_try>().swap(word_tries);
    std::vector<uint32_t>().swap(word_first);
    std::vector<uint8_t>().swap(word_ends_unfit);
    std::vector<try_sets>().swap(walk_keep);
    std::vector<walk_position>().swap(walk_positions);
    std::vector<uint32_t>().swap(fan_numbers);
    std::vector<walk_midpoint>().swap(midpoints);
    std::vector<midpoint_sets>().swap(midpoints_sets);
    std::vector<uint32_t>().swap(midpoints_first);
    std::vector<uint32_t>().swap(midpoints_count);
    split = no_stop;
    split_count = 0;
    walk_ready = false;
    walk_order = nullptr;
    free_stacks();
    word_form = false;
    checked_free(cell_order);
    cell_order = nullptr;
    prepared = false;
}

int
general_method_chosen()
{
    return !exhaustive_testing && neutral_order != 1 && (nonlocal || nhood_mixed);
}

int
general_method_hands_numbers()
{
    return general_method_chosen() && value_range == 2 && state_count() != 0;
}

void
rearrange_cell_order()
{
    checked_free(cell_order);
    cell_order = static_cast<uint16_t *>(checked_calloc(lineL ? lineL : 1, sizeof(uint16_t), "cell_order"));
    uint8_t *placed = static_cast<uint8_t *>(checked_calloc(lineL / 8 + 1, 1, "cell_filled"));
    uint32_t current = L;
    cell_order[L] = static_cast<uint16_t>(L);
    set_bitlong(placed, L, 1);
    for (uint32_t p = L; p-- > 0;) {
        int32_t chosen = -1;
        int kc = cell_k(current);
        for (uint32_t c = L + 1; c-- > 0 && chosen < 0;) {
            if (get_bitlong(placed, c) || c == current || c > p)
                continue;
            for (int a = 0; a < kc && chosen < 0; a++)
                for (int b = cell_k(c) - 1; b >= 0; b--)
                    if (wiring[current][a] == wiring[c][b]) {
                        chosen = static_cast<int32_t>(c);
                        break;
                    }
        }
        if (chosen < 0)
            for (uint32_t c = L + 1; c-- > 0;)
                if (!get_bitlong(placed, c)) {
                    chosen = static_cast<int32_t>(c);
                    break;
                }
        cell_order[p] = static_cast<uint16_t>(chosen);
        set_bitlong(placed, static_cast<uint32_t>(chosen), 1);
        current = static_cast<uint32_t>(chosen);
    }
    checked_free(placed);
    show_cell_order();
}

void
shrink_stack_scale()
{
    if (ppL == lineL && pp_hist_max < pp_ymax / 6) {
        pp_ymax = static_cast<uint32_t>(0.75 * pp_ymax);
        if (pp_ymax < 10)
            pp_ymax = 10;
        ppL = 0;
    }
    pp_hist_max = 0;
}

void
pre_images_rand()
{
    if (!prepared)
        prepair_pre_rand();
    begin_fan();
    pp_wild = 0;
    if (see_ppstack) {
        pp_histcount++;
        shrink_stack_scale();
        show_stack_frame();
    }
    pp_hist_max = 0;
    const int v = value_range;
    const size_t eb = entry_bytes();
    int old = 0;
    if (!reserve(0, 0)) {
        abort_subtree = abort_subtree_too_many_partial;
        return;
    }
    if (word_form) {
        hand_over_words();
        return;
    }
    memset(stack_entry(0, 0), 0, eb);
    stack_count[0] = 1;
    stack_count[1] = 0;
    uint32_t vpow[32];
    vpow[0] = 1;
    for (int j = 1; j < 32; j++)
        vpow[j] = vpow[j - 1] * static_cast<uint32_t>(v);

    for (uint32_t pos = L + 1; pos-- > 0;) {
        uint32_t c = cell_at(pos);
        int k = cell_k(c);
        int t = get_value(A, c);
        uint32_t l = list_of_cell[c];
        const entry_try *from = tries.data() + first[l * v + t];
        const entry_try *to = tries.data() + first[l * v + t + 1];
        const uint16_t *wires = wiring[c];
        int next = 1 - old;
        stack_count[next] = 0;
        for (uint32_t i = 0; i < stack_count[old]; i++) {
            const uint8_t *P = stack_entry(old, i);
            for (const entry_try *tr = from; tr < to; tr++) {
                if (!reserve(next, stack_count[next])) {
                    abort_subtree = abort_subtree_too_many_partial;
                    return;
                }
                uint8_t *Q = stack_entry(next, stack_count[next]);
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
                    stack_count[next]++;
            }
        }
        old = next;
        if (stack_count[old] == 0)
            return; // a garden-of-Eden target
        record_step(pos, stack_count[old]);
    }
    if (!expand_wild(old)) {
        abort_subtree = abort_subtree_too_many_partial;
        return;
    }
    if (see_ppstack && pp_wild > 0)
        show_stack_wild(pp_wild);
    for (uint32_t i = 0; i < stack_count[old]; i++) {
        hand_over_pre_image(stack_entry(old, i));
        if (abort_subtree)
            return;
    }
}
