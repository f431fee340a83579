// The general method's depth-first walk of the word form (used only by the
// files of the general method).
//
// Most partials die several cells later. With the stack view off, 2^lineL
// below partial_preimage_limit and at most 8 tries for a cell and a target
// value (so every k up to 4) the word form walks depth first instead of
// breadth first: the same cells in the same order with the same tries in the
// same order, so the final partials come in the breadth-first order, and
// they are expanded and handed over as before. The walk keeps for every cell
// the set of its tries (for its target value) that fit the partial, narrowed
// whenever a try assigns one of the cell's inputs; a partial is dropped as
// soon as a cell's set is empty (it would die at that cell), and the cell's
// own turn takes the tries left in its set. Every partial of one step is a
// disjoint cube of assignments (two tries of one cell differ on a cell both
// assign), so a breadth-first stack holds at most 2^lineL entries and never
// passes the limit: the walk gives up nowhere the breadth-first form would,
// and only the stack figures differ, which only the view shows (the walk
// keeps no stacks: pp_hist_max stays 0). The final partials go to stack 0 of
// the breadth-first form (general_stacks.h).
#pragma once
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <vector>

#include "engine/backward/acceptance.h"
#include "engine/backward/general_stacks.h"
#include "engine/backward/general_tries.h"

// The try sets, 32 lanes of 16 bits: lane c holds the tries of cell c that
// still fit, bits 0-7 for target value 0 and 8-15 for 1 (bit i: try i of the
// cell for that value); lanes from lineL on hold all ones. After try g of
// the cell at position p the sets are anded with the try's keep table
// (walk_tables): in the lane of each cell at a position below p, its tries
// that agree with try g on the cells both assign, all ones elsewhere. A try agrees with itself on the
// cells an earlier try assigned already, so one table per try serves every
// partial it fits. The sets are anded eight lanes at a time as GCC vectors
// and read a lane at a time: one union holds both views (GCC defines reading
// one member of a union after writing the other).
typedef uint16_t set_lanes __attribute__((vector_size(16)));
union try_sets {
    set_lanes v[4];
    uint16_t lane[32];
};
constexpr uint32_t most_walk_tries = 8; // bits of one half of a lane

struct walk_position {
    uint32_t cell;
    uint32_t first_try[2]; // the cell's word tries for target value 0 and 1
};

// The walk's tables, built by build_walk_tables, freed by
// release_walk_tables.
struct walk_tables {
    bool ready = false;                  // every cell has at most most_walk_tries tries a target value
    const uint16_t *order = nullptr;     // cell_order as the tables were made (nullptr: position order)
    try_sets start;                      // every try of every cell
    general_table<try_sets> keep;        // per word try
    general_table<walk_position> positions; // per position, in the order of cell_at
};
extern walk_tables tables_of_walk;

// The tables from the word tries, for the cell order of cell_at.
void build_walk_tables();
void release_walk_tables();
// Whether a target may take the walk now (see the top of the file).
bool walk_allowed();

// No position: a walk that keeps no midpoint.
constexpr uint32_t no_stop = ~uint32_t(0);

// One walk of one target.
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

// A walk for the target's values that drops a partial where a cell of cells
// (cell i at bit i) has no try left for its value, or any other cell none
// for either value.
word_walk start_walk(uint32_t target, uint32_t cells);
// The walk from position L; false when memory ran out.
bool walk_from_top(word_walk &w);

// f(lanes) with lanes the number of lane vectors that lineL cells fill, as
// a std::integral_constant: the walk's loops are made for each count.
template <typename F>
inline bool
by_lane_count(F f)
{
    return lineL <= 8    ? f(std::integral_constant<int, 1>{})
           : lineL <= 16 ? f(std::integral_constant<int, 2>{})
           : lineL <= 24 ? f(std::integral_constant<int, 3>{})
                         : f(std::integral_constant<int, 4>{});
}

// The partial the walk reached at w.stop, kept as a midpoint
// (general_midpoints.cpp); false when no more can be kept.
bool keep_midpoint(uint32_t value, uint32_t mask, const try_sets &sets);

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
    uint64_t any[2];
    static_assert(sizeof any == sizeof empty, "two words hold a lane vector");
    memcpy(any, &empty, sizeof any);
    return (any[0] | any[1]) == 0;
}

// The tries of the cell at position pos that fit after sets, bit i for try
// i for its target value.
inline uint32_t
fitting_tries(const word_walk &w, uint32_t pos, const try_sets &sets)
{
    uint32_t c = w.positions[pos].cell;
    return (sets.lane[c] >> (8 * ((w.target >> c) & 1))) & 0xff;
}

// Extends the partial from position pos down to 0 by the tries of fits.
// False when memory ran out or the user stopped the fan (fan_stopped). A step's fitting tries are read from the lanes
// of its parent's sets and of the try's keep table, which are in memory
// long before, not from the narrowed sets just written. The last try of a
// step that still has tries to follow goes on in the same call.
template <int words>
bool
walk_words(word_walk &w, uint32_t pos, uint32_t value, uint32_t mask, const try_sets *sets, uint32_t fits)
{
    // A poll a call, not a step: a call is a branch of the walk, and a path
    // without branches is at most lineL steps.
    if (fan_search_stopped())
        return false;
    try_sets own[2];
    for (;;) {
        if (pos == w.stop)
            return keep_midpoint(value, mask, *sets);
        const walk_position &at = w.positions[pos];
        const uint32_t first_try = at.first_try[(w.target >> at.cell) & 1];
        const word_try *tries_c = w.tries + first_try;
        if (pos == 0) {
            for (; fits; fits &= fits - 1) {
                if (!reserve_partial(0, w.count))
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
