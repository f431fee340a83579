// The general method's kept midpoints: the first part of the depth-first
// walk (general_walk.h), shared by the targets that agree on the cells it
// covers (used only by the files of the general method).
//
// Down to the position split (about three fifths of the positions above it)
// the walk is the same for two targets that agree on the cells above split,
// but for where it drops a partial because a cell at split or below has no
// try left for its target value: such a cell never gets a try back, so the
// partial may be dropped later without changing the partials kept or their
// order. So for each key (the target values of the cells above split, the
// cell at position L - j at bit j of the key) the walk down to split is made
// once, dropping a partial only where a cell above split has no try left for
// its value or any cell has none for either value; the partials it reaches at
// split are kept in walk order with the cells at split or below whose tries
// for 0 and for 1 are gone. A target then takes its key's midpoints, drops
// those where a cell's value is gone, and walks on from each. A key's
// midpoints are made at its walks_before_midpoints-th target; where the
// midpoints kept pass most_midpoints, or memory runs out, they are all
// forgotten and made again as asked. A key whose own midpoints would pass
// most_midpoints, or whose making runs out of memory on its own, is walked
// from position L for good.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/backward/general_walk.h"

// A midpoint in two parts: what a target reads to drop it, several to a
// cache line, and its try sets, one cache line, read only when it is kept.
struct walk_midpoint {
    uint64_t gone; // the cells at split or below gone for 0, and for 1 shifted by 32
    uint32_t value, mask;
};
struct alignas(64) midpoint_sets {
    try_sets sets;
};

// Every key's midpoints, made by start_midpoints and the walks, freed by
// release_midpoints. The two arrays grow through the checked allocator's
// try_ variants, so running out of memory is a path of its own, counted in
// the allocator's ledger and reachable by its fault hook.
struct midpoint_cache {
    uint32_t split = no_stop;          // no_stop: every walk from position L
    uint32_t split_count = 0;          // positions above split
    uint32_t below_split = 0;          // the cells at split and below, cell i at bit i
    uint32_t key_of_byte[4][256] = {}; // the key bits of each byte of a target
    walk_midpoint *points = nullptr;   // every key's midpoints, by key as made
    midpoint_sets *sets = nullptr;     // the try sets of each, on a cache line
    void *sets_block = nullptr;        // the allocation sets lies in
    size_t count = 0, capacity = 0;
    // Per key: its first midpoint, no_stop until made, too_many_midpoints
    // when it has none for good; and its number of midpoints, until made
    // the targets met.
    general_table<uint32_t> first_of_key;
    general_table<uint32_t> count_of_key;
};
extern midpoint_cache kept_midpoints;

// The split for the walk's tables just made and the key of each byte; no
// midpoints made yet. Nothing when the walk cannot serve.
void start_midpoints();
void release_midpoints();
// The walk of w's target on from its key's midpoints (made first when
// due), or from position L where the key has none; false when memory ran
// out for the final partials.
template <int words>
bool walk_from_midpoints(word_walk &w);
