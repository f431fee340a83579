// The general method's midpoints for a whole basin field (used only by the
// files of the general method): a field asks for the pre-images of every
// state, so the depth-first walk (general_walk.h) down to a deep position
// split is made once for every key (the target values of the cells above
// split) before the first target, and a target only finishes the few
// positions from split down to 0 from its key's midpoints.
//
// The keys are made together, position by position and in key order: the
// partials of every key that begins with the same values share the walk of
// those values, so the shared part of the walk is made once for all of them.
// Every partial a key's own walk would keep at split is kept, in that walk's
// order, with the cells at split or below whose tries for 0 and for 1 are
// gone; a partial the key's walk would drop early because a cell above split
// has no try left for its value is dropped here at that cell's turn, so the
// partials kept are the same. A target drops the midpoints where a cell's try
// for its value is gone and finishes the others by trying, position by
// position, each try of the cell for its value that agrees with the cells
// assigned: the tries the walk's sets leave are exactly those, so the final
// partials come in the walk's order.
//
// The finish of a midpoint reads and assigns only the cells the tries at
// split or below read, so it depends only on the midpoint's values and
// assigned cells among those (its class) and on the target's values at
// split or below. Where the classes are few, the field finishes every
// class once for every such values, in the same order of tries, and a
// target or's each midpoint with its class's finished partials: the same
// final partials in the same order, without a try.
//
// The split leaves each target as few positions as the memory allowed the
// midpoints permits: one 32-bit word a state of the field (16 MB at least);
// the finish table takes at most half of what the midpoints leave of it.
// Where the midpoints would pass it with 8 positions left, or memory runs
// out, none are kept and the targets take the kept midpoints of
// general_midpoints.h.
#pragma once
#include <cstdint>

#include "engine/backward/general_walk.h"

// Whether the midpoints of every key are made and serve the walk now.
bool field_points_ready();
// Whether the targets finish them from the finish table.
bool field_finish_table_ready();
// Makes them for the walk's tables (at most once per preparation); false
// when they are not kept.
bool make_field_points();
void release_field_points();
// Asks the memory for what targets read soon will read: the place of the
// far target's key and the midpoints of the middle target's (UINT32_MAX:
// none); a target is asked as far, then as middle. Nothing when the
// midpoints are not ready, or small enough to stay near the core. The
// finish table's first places, which a target reads for each of its
// midpoints, stay near the core (at most 2^16 of them): asking for them
// ahead, midpoint by midpoint, cost more than it spared (measured).
void warm_field_points(uint32_t middle, uint32_t far);
// The final partials of w's target from its key's midpoints, in stack 0;
// false when memory ran out for them.
bool walk_from_field_points(word_walk &w);

// Final partials, a value and its assigned cells each (cell i at bit i),
// in two lists that grow through the checked allocator's try_ variant.
struct field_final_list {
    uint32_t *value = nullptr;
    uint32_t *mask = nullptr;
    size_t room = 0;
    uint32_t count = 0;
};
// The final partials of target from its key's midpoints, as
// walk_from_field_points makes them, into list (its count replaced); false
// when memory ran out for them (nothing noted: the caller decides).
bool field_finals(uint32_t target, field_final_list &list);
// Room for twice as many (256 at first); false when memory ran out, the
// lists then as they were.
bool grow_field_finals(field_final_list &list);
void release_field_finals(field_final_list &list);
