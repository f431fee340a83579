// The successor table of the parallel step of a wired network with rule
// tables (update mode 0, no overrides): every state's successor number and
// record at once, split over the machine's cores. Used by
// fill_successor_table in successor_table.h.
#pragma once
#include <cstdint>
#include <vector>

#include "engine/backward/successor_index.h"

// How many successors of each stretch of the states fall in each bucket of
// the inverse index's sort (successors whose numbers agree above shift),
// counted while the table is filled, so that the sort need not read every
// record once more for them. Stretch i is the states start[i] ..
// start[i + 1] - 1; count[i * buckets + b] its successors in bucket b.
struct bucket_counts {
    int shift = 0;
    uint64_t buckets = 0;
    std::vector<uint64_t> start;
    std::vector<uint32_t> count;
};

// Fills the records of exh_pairs with their value lines, and succ[0 ..
// states-1] with the successor numbers unless succ is null. stopped(done,
// states) is asked on the calling thread every few thousand states it
// fills, and every few milliseconds while it waits for the other threads
// to end their parts; a non-zero answer stops the fill. Returns 1 when
// done, -1 when stopped, 0 when the network's rule tables are too large to
// unpack (the caller then steps every state). Where counts is not null and
// 1 is returned, it holds the successors' bucket counts for the sort. The
// result does not depend on the number of threads.
int parallel_table(uint64_t states, uint32_t *succ, int (*stopped)(uint64_t done, uint64_t states),
                   bucket_counts *counts = nullptr);

// The inverse index of a table (successor_index.h), allocated here: the
// states 0 .. states-1 in the order of their successors succ[s] (each below
// states), ascending within a group, in the form asked. Split over the
// table's threads; the result does not depend on them. stopped, when given,
// is asked on the calling thread as the fill's stop with every state done
// (stopped(states - 1, states)) every so many states of each pass; a
// non-zero answer ends the sort, false, the index unfinished (the caller
// frees it).
bool sort_by_successor(const uint32_t *succ, uint64_t states, successor_index &index,
                       index_form form = index_form::automatic,
                       int (*stopped)(uint64_t done, uint64_t states) = nullptr);
// The same with the successors read from v = 2 records of bytes bytes (1 to
// 4, little-endian numbers, as exh_pairs holds them), so that no array of
// successor numbers is needed beside them: the successor of record s is its
// low cells bits, each number below states. The bits past them belong to no
// cell and are left out whatever they hold (a loaded file may set them). 1
// when sorted, 0 (nothing done) for another record length or more cells
// than 32, -1 when stopped as sort_by_successor is. counted, where not
// null, holds the records' bucket counts as parallel_table made them (the
// sort then does not count; it uses them up); counts of another number of
// states are not used.
int sort_records_by_successor(const uint8_t *records, unsigned bytes, unsigned cells, uint64_t states,
                              successor_index &index, index_form form = index_form::automatic,
                              bucket_counts *counted = nullptr,
                              int (*stopped)(uint64_t done, uint64_t states) = nullptr);

// Threads at most for the table: the machine's cores, at least 1, at most
// 16. A test may set a count; 0 gives back the machine's.
unsigned table_threads();
void set_table_threads(unsigned count);
// Threads for a table of states states: the count a test set, else as many
// as the work is worth (a thread for every 2^17 states) and as cores are
// free now, at most table_threads(), at least 1.
unsigned threads_for(uint64_t states);

// The 32 x 32 transposes of the low and of the high halves of 32 rows at
// once: bit c of the low half of rows[r] becomes bit r of the low half of
// rows[c], and likewise for the high halves (bit 32 + c to bit 32 + r).
void transpose_bit_halves_32(uint64_t rows[32]);
