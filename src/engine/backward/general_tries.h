// The general pre-image method's try lists, shared by all its forms (used
// only by the files of the general method): for each cell and each output
// value t, the rule-table entries to try when the cell's target value is t,
// in the order every form tries them, as entries (the line form) and, for
// v = 2 with at most 32 cells, as words (the word form, the walk and the
// kept midpoints).
//
// Entries: for each list and t, the entries e with output t in descending
// order, each with its block level m: for v = 2 the entries e-2^m+1 .. e form
// an aligned block of one output, so e stands for all of them and only input
// positions m .. k-1 are assigned (positions below m stay as they are).
// Entries inside a block are not listed. For v > 2 every entry is listed with
// level 0. One list per cell with rulemix, else one per k in use (row 0).
//
// Words: a partial pre-image of at most 32 cells is one 64-bit word, the cell
// values in the low 32 bits and the assigned flags in the high 32 (cell i at
// bit i of each). A try of a cell is then a pair of words too, the wires it
// assigns and the values it gives them, so a try fits a partial when the two
// agree on the cells both assign, and the extended partial is the or of the
// two. A try that gives one cell wired twice two values never fits and is not
// listed; where such tries end a list (ends_unfit), the breadth-first stack's
// room is still checked once more after the list, as the line form checks it
// before every try, fitting or not, so that both forms give up at the same
// point.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/backward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"

// The general method's tables grow through the checked allocator: memory
// running out for them gives the out-of-memory box with this label.
inline constexpr char general_tables_label[] = "general method tables";
template <class T>
using general_table = std::vector<T, checked_allocator<T, general_tables_label>>;

struct entry_try {
    uint32_t e; // the rule-table entry (its digits: input positions 0 .. k-1)
    uint8_t m;  // its block level: positions below m stay as they are
};

struct word_try {
    uint32_t mask, value; // the cells the try assigns, and their values
};

// The lists, built by build_general_tries, freed by release_general_tries.
struct general_tries {
    // List l, output t covers entries[first[l*v+t] .. first[l*v+t+1]).
    general_table<entry_try> entries;
    general_table<uint32_t> first;
    general_table<uint32_t> list_of_cell; // the list each cell uses
    // Word form only: cell c, output t covers
    // words[word_first[c*2+t] .. word_first[c*2+t+1]).
    bool word_form = false;             // v = 2 and at most 32 cells
    general_table<word_try> words;
    general_table<uint32_t> word_first;
    general_table<uint8_t> ends_unfit;  // per c*2+t: the entry list ends in tries never fitting
};
extern general_tries tries_of_cells;

// The lists for the network and rules as they are.
void build_general_tries();
void release_general_tries();

// The k of cell c.
inline int
cell_k(uint32_t c)
{
    return nhood_mixed ? nhoodm[c] : nhood;
}

// The cell processed at position (position L first): cell_order with
// reorderRBN, else the position itself.
inline uint32_t
cell_at(uint32_t position)
{
    return reorderRBN && cell_order ? cell_order[position] : position;
}
