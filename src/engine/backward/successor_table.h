// The successor table exh_pairs: the successor of every state, found by
// running every state one step forward (any update mode) or drawn as a
// random map (optionally at a fixed Hamming distance), with an inverse
// index (states sorted by successor) through which pre_exhaustive lists the
// pre-images of a state in ascending state number. Also the pre-images of
// the neutral-order mode, which need no table.
#pragma once
#include <cstdint>

#include "engine/backward/successor_index.h"

// Computes exh_pairs for exhaustive_table (every state run one step in the
// update mode seq_update) or exhaustive_random_map (a random map; hamming in 0..n fixes the
// distance of every successor from its state, any other value gives a free
// map). print_pairs writes "\n %lu" and " %lu" for every pair to standard
// error. Allocates tickoff too for a single basin or subtree run. Returns 1
// when the table is ready; 0 when it was refused (too large for memory,
// with a message) or stopped by the user, the prompts leaving 'q' as the
// answer.
int fill_successor_table(int hamming, int print_pairs);
// Makes records (v^n records of bytesL bytes, as a *.exh file holds them)
// the successor table, with tickoff as fill_successor_table allocates it and
// the inverse index. Returns 1; 0 (nothing kept) when a record is not a
// state of this network or v^n states cannot be numbered.
int adopt_successor_table(const uint8_t *records);
// Builds the inverse index of exh_pairs (after a table was loaded); 0 when a
// record is not a state of this network.
int build_successor_index();
// The form of the index tables are made with from now on (automatic: by
// size, successor_index.h); tests ask for each.
void set_table_index_form(index_form form);
// Frees exh_pairs, its index, and tickoff when the table allocated it.
void free_successor_table();
// v^n, the states of a table, when every state number and the index's
// offsets fit 32 bits (n at most 32, v^n below 2^32); else 0.
uint64_t state_count();
// Bytes a table with its index needs for v^n states, or 0 when v^n states
// cannot be numbered in 32 bits.
uint64_t successor_table_bytes();

// Pre-images of A from the table: every state number whose successor is A
// and whose tickoff bit is clear, in ascending order, handed over as
// numbers.
void pre_exhaustive();
// The same for the state of number t (the tree builder's node when its
// level lists hold numbers); A is not read.
void pre_exhaustive_of(uint32_t t);
// The pre-images of state number t as the table stores them: every state
// whose successor is t, ticked off or not, in ascending order; count 0 (and
// null) when t is not a state or there is no index. Valid until the table
// is freed.
const uint32_t *table_pre_images(uint32_t t, uint32_t *count);
// The index table_pre_images looks the pre-images up in; null while the
// table has none.
const successor_index *table_fan_index();
// Asks the memory for the table's entries of three nodes (state numbers)
// the tree builder expands soon, one step of each lookup: the index block
// of far; the overflow entry of middle, where its block (fetched a while
// ago) spilled; the pre-image list of near (its group looked up and kept
// for its fan). A number past the states asks nothing. Changes no result;
// lets pre_exhaustive find them at hand.
void warm_pre_images(uint32_t near, uint32_t middle, uint32_t far);
// Pre-images of the update order of rank dec_equiv(A): the orders one
// neutral swap of adjacent positions away, not yet ticked off.
void pre_neutral();
