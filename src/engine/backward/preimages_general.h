// Pre-images of a state for any wiring (random, lattices, hypercube, loaded,
// mixed k, rule mixes): partial pre-images are built cell by cell, keeping
// every assignment that gives the target value at every cell done so far;
// cells no processed cell reads stay wild and are expanded to every value at
// the end. For v = 2 an aligned block of up to 256 rule-table entries with
// one output is tried as a single entry. Two forms list the same pre-images
// in the same order: breadth first, with stacks of partials the stack view
// shows (general_stacks.h), and, for v = 2 with at most 32 cells, a
// depth-first walk that drops a partial as soon as a later cell has no try
// left (general_walk.h), going on from partials kept for earlier targets
// (general_midpoints.h) or, in a basin field, made for every target at once
// (general_field_points.h). The try lists both read are in general_tries.h.
#pragma once
#include <cstdint>

// Builds the try lists of every cell (with their block levels for v = 2),
// with reorderRBN the cell order, and the walk's tables. Call before a run,
// again after any change of rule, wiring or k.
void prepair_pre_rand();
// Frees what prepair_pre_rand built.
void free_pre_rand();
// 1 when prepair_pre_rand's tables are built.
int general_tables_built();
// cell_order: each next cell shares an input with the one before it where
// possible; position L holds cell L.
void rearrange_cell_order();

// Every pre-image of A handed to the acceptance step after the search, in
// stack order: by number where the level lists hold numbers, else as lines.
// A target whose partial pre-images would pass partial_preimage_limit, or
// exhaust memory, is abandoned with abort_subtree_too_many_partial and
// nothing handed over. The tables are built first when they are not.
// The breadth-first form:
void pre_images_breadth_first();
// The walk where it serves (general_walk_serves), else breadth first:
void pre_images_rand();
// In a basin field, asks the memory for what the walk's fans of the nodes
// some places on will read (state numbers; UINT32_MAX for none), as the
// tree builder's warm hook of the method (preimage_method.h); the near
// node's reads stay near the core (warm_field_points).
void warm_walk(uint32_t near, uint32_t middle, uint32_t far);
// 1 when the walk serves the network as the tables were built and the
// settings are now: v = 2, at most 32 cells, at most 8 tries a cell and
// target value, the stack view off and 2^n below partial_preimage_limit;
// 0 while the tables are not built.
int general_walk_serves();

// The stack histogram's scale shrunk by a quarter (to 10 at least) when the
// last computation's largest stack stayed below a sixth of it; the peak
// cleared for the next one.
void shrink_stack_scale();
