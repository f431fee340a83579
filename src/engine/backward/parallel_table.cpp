// The parallel step of a wired network for every state at once, the work
// of a successor table (parallel_table.h). Reads the network model (lineL,
// value_range, nhoodm, wiring, carule, rulemix) and writes the records of
// exh_pairs (forward/globals.h). Start at parallel_table.
//
// Two ways, both giving what forward_step gives in update mode 0 (the tests
// compare them with it):
// - Bit slices, for v = 2 when no cell has more than 6 inputs: 64 states at
//   a time, cell c of the 64 states s0 .. s0+63 held in one word (bit j for
//   state s0+j). Cells 0..5 of such a block run through the patterns
//   0xAAAA.., 0xCCCC.., 0xF0F0.., 0xFF00.., cells 6 and up are all 0 or all
//   1 (bits of s0). A cell's rule table is folded input by input: entries
//   2i and 2i+1 differ in input 0, so one pass picks between them with the
//   word of input 0, the next pass with input 1, and so on. The next words
//   of the at most 32 cells are transposed into the 64 successor numbers:
//   bits 0..31 and 32..63 of the words in two 32 x 32 transposes at once.
//   Example, rule 110 (entries 0,1,1,1,0,1,1,0) on inputs x0 x1 x2: the
//   first pass gives x0, 1, x0, ~x0; the second x0 | x1, x0 ^ x1; the third
//   x2 ? x0 ^ x1 : x0 | x1.
// - Byte cells otherwise: the values and unpacked rule tables one per byte,
//   the number summed without a branch on the cell's value.
// The state range is cut into parts of whole 64-state blocks, handed out to
// the threads as they come for them (the calling thread asks for the stop
// after each of its parts); each state's result is written by one thread
// only, so the table is the same whatever the number of threads. Each part
// also counts its successors into the buckets of the index's sort (below),
// in a row of its own, so that the counts do not depend on the threads. The
// threads are started once a table, as many as the work is worth and as
// cores are free (threads_for): on a busy machine a thread that waits for a
// core holds up the table more than it helps.
//
// The inverse index (sort_by_successor) is a counting sort in two rounds, so
// that no round scatters over the whole range: the states are first dealt
// into buckets of 4096 successive successor numbers (the states cut into a
// few stretches a thread, each counted and dealt in order into its own slots
// of each bucket by the thread that takes it; a table's fill has counted
// its parts already, which then are the stretches),
// then each bucket is sorted by successor in a counter array of its own
// that stays in cache, and where its groups start written in the index's
// form (successor_index.h). Where a stretch's states and the successors'
// bits below the bucket fit a word together, the deal packs each state
// with them, so that the buckets' sort reads no record again at random. Stretches and buckets keep the states' order, so
// every group ends in ascending state numbers whatever the threads. Where
// v = 2 the successor numbers are read from the records themselves.
#include "engine/backward/parallel_table.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/backward/successor_index.h"
#include "engine/backward/tree_levels.h"
#include "engine/forward/globals.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_line.h"

namespace {

constexpr int kMaxSlicedInputs = 6;
// States a thread takes at a time at least (whole 64-state blocks), and
// the most parts (each has a row of bucket counts); the calling thread asks
// for the stop after each of its parts.
constexpr uint64_t kPart = uint64_t(1) << 16;
constexpr uint64_t kMaxParts = 32;
// States filled between two looks at the stop, a multiple of 64: a part can
// take minutes on a slow machine or under the sanitizers, and 'q' must be
// answered long before it ends. Under the sanitizers on a busy machine a
// state takes several microseconds: a part of 2^17 states (a table of 2^22)
// took a second, 2^14 of them take a tenth.
constexpr uint64_t kPollStates = uint64_t(1) << 14;
// The fewest states worth a thread of their own: below this, starting and
// joining it costs more than it saves.
constexpr uint64_t kStatesPerThread = uint64_t(1) << 17;
// Value of cell c (c < 6) in state j of a 64-state block.
constexpr uint64_t kLowCells[6] = {0xAAAAAAAAAAAAAAAAull, 0xCCCCCCCCCCCCCCCCull, 0xF0F0F0F0F0F0F0F0ull,
                                   0xFF00FF00FF00FF00ull, 0xFFFF0000FFFF0000ull, 0xFFFFFFFF00000000ull};

unsigned thread_override = 0;

// Successor numbers a bucket of the inverse index covers at least (a bucket's
// counters fit the cache), the most buckets, and the fewest states a thread
// of the index takes.
constexpr int kBucketBits = 12;
constexpr uint64_t kMaxBuckets = 4096;
constexpr uint64_t kIndexPart = uint64_t(1) << 13;
// Stretches of the states a thread of the index counts and deals, at most.
constexpr unsigned kStretchesPerThread = 4;
// States the index's sort passes between two looks at its stop: some
// milliseconds under the sanitizers, where one pass over 2^22 states takes
// seconds; a few dozen looks a pass in the Release build.
constexpr uint64_t kSortStatesPerAsk = uint64_t(1) << 16;

// What every part of the range reads: the network unpacked for one way.
struct table_plan {
    int v = 2, n = 0;
    bool sliced = false;
    uint64_t R = 0;                   // entries of a rule table (byte cells)
    uint8_t *rules = nullptr;         // byte cells: rows x R entries
    uint64_t *entry_words = nullptr;  // bit slices: entry i of cell c at c * 64 + i, 0 or ~0
    uint32_t power[33] = {};
};

bool
sliced_fits()
{
    if (value_range != 2 || lineL < 6 || lineL > 32)
        return false;
    for (uint32_t c = 0; c < lineL; c++)
        if (nhoodm[c] > kMaxSlicedInputs)
            return false;
    return true;
}

// The 64 records of Bytes bytes (v = 2: little-endian numbers) from
// numbers[0 .. 63] at records: made in a buffer a whole word a record, each
// word's spare bytes overwritten by the next, then copied at once.
template <unsigned Bytes>
inline void
write_records(const uint32_t numbers[64], uint8_t *records)
{
    uint8_t lines[64 * Bytes + 4];
    for (int j = 0; j < 64; j++)
        memcpy(lines + j * Bytes, &numbers[j], 4);
    memcpy(records, lines, 64 * Bytes);
}

// The next words of a cell of K inputs (words in[w[0]] .. in[w[K - 1]])
// under its rule's entry words e: the table folded input by input. K is
// fixed for each instance, so that the folds unroll into plain operations
// on registers.
template <int K>
inline uint64_t
fold_cell(const uint64_t *e, const uint64_t *in, const uint16_t *w)
{
    uint64_t fold[1 << K];
    for (int i = 0; i < (1 << K); i++)
        fold[i] = e[i];
    for (int j = 0; j < K; j++) {
        uint64_t x = in[w[j]];
        for (int i = 0; i < (1 << (K - 1 - j)); i++)
            fold[i] = fold[2 * i] ^ ((fold[2 * i] ^ fold[2 * i + 1]) & x);
    }
    return fold[0];
}

// States s0 .. s0+63 (s0 a multiple of 64) by bit slices; their successors
// counted into row (bucket: number >> shift) unless row is null.
void
fill_block_sliced(const table_plan &p, uint64_t s0, uint32_t *succ, uint32_t *row, int shift)
{
    uint64_t in[32];
    uint64_t rows[32] = {};
    for (int c = 0; c < p.n; c++)
        in[c] = c < 6 ? kLowCells[c] : ((s0 >> c) & 1) ? ~uint64_t(0) : 0;
    for (int c = 0; c < p.n; c++) {
        const uint64_t *e = p.entry_words + static_cast<size_t>(c) * 64;
        const uint16_t *w = wiring[c];
        switch (nhoodm[c]) {
        case 0:
            rows[c] = e[0];
            break;
        case 1:
            rows[c] = fold_cell<1>(e, in, w);
            break;
        case 2:
            rows[c] = fold_cell<2>(e, in, w);
            break;
        case 3:
            rows[c] = fold_cell<3>(e, in, w);
            break;
        case 4:
            rows[c] = fold_cell<4>(e, in, w);
            break;
        case 5:
            rows[c] = fold_cell<5>(e, in, w);
            break;
        default:
            rows[c] = fold_cell<6>(e, in, w);
            break;
        }
    }
    transpose_bit_halves_32(rows);
    uint32_t numbers[64];
    for (int j = 0; j < 32; j++) {
        numbers[j] = static_cast<uint32_t>(rows[j]);
        numbers[32 + j] = static_cast<uint32_t>(rows[j] >> 32);
    }
    if (succ)
        memcpy(succ + s0, numbers, sizeof numbers);
    if (row)
        for (int j = 0; j < 64; j++)
            row[numbers[j] >> shift]++;
    switch (bytesL) {
    case 1:
        write_records<1>(numbers, exh_pairs + s0);
        break;
    case 2:
        write_records<2>(numbers, exh_pairs + s0 * 2);
        break;
    case 3:
        write_records<3>(numbers, exh_pairs + s0 * 3);
        break;
    default:
        write_records<4>(numbers, exh_pairs + s0 * 4);
        break;
    }
}

// States first .. last-1 by byte cells, counted as fill_block_sliced does.
void
fill_part_bytes(const table_plan &p, uint64_t first, uint64_t last, uint32_t *succ, uint32_t *row, int shift)
{
    uint8_t vals[32];
    uint64_t rest = first;
    for (int c = 0; c < p.n; c++) {
        vals[c] = static_cast<uint8_t>(rest % static_cast<uint64_t>(p.v));
        rest /= static_cast<uint64_t>(p.v);
    }
    for (uint64_t s = first; s < last; s++) {
        uint8_t *record = exh_pairs + s * bytesL;
        uint32_t number = 0;
        for (int c = 0; c < p.n; c++) {
            const uint16_t *w = wiring[c];
            uint32_t idx = 0;
            for (int j = nhoodm[c] - 1; j >= 0; j--)
                idx = idx * static_cast<uint32_t>(p.v) + vals[w[j]];
            uint32_t x = p.rules[(rulemix ? static_cast<uint64_t>(c) * p.R : 0) + idx];
            number += x * p.power[c];
            if (p.v != 2)
                set_value(record, static_cast<uint32_t>(c), static_cast<int>(x));
        }
        if (succ)
            succ[s] = number;
        if (row)
            row[number >> shift]++;
        if (p.v == 2)
            write_state_line(record, number);
        for (int c = 0; c < p.n; c++) {
            if (++vals[c] < p.v)
                break;
            vals[c] = 0;
        }
    }
}

void
fill_part(const table_plan &p, uint64_t first, uint64_t last, uint32_t *succ, uint32_t *row, int shift)
{
    if (!p.sliced) {
        fill_part_bytes(p, first, last, succ, row, shift);
        return;
    }
    for (uint64_t s0 = first; s0 < last; s0 += 64)
        fill_block_sliced(p, s0, succ, row, shift);
}

// States a part of the fill of states takes: kPart, or more so that there
// are at most kMaxParts, a multiple of 64.
uint64_t
part_states(uint64_t states)
{
    uint64_t part = (states + kMaxParts - 1) / kMaxParts;
    part = (part + 63) & ~uint64_t(63);
    return part > kPart ? part : kPart;
}

// The buckets of the index's sort of states: successors whose numbers
// agree above the shift share one; at most kMaxBuckets of them.
int
bucket_shift(uint64_t states)
{
    int shift = kBucketBits;
    while (states && ((states - 1) >> shift) >= kMaxBuckets)
        shift++;
    return shift;
}

// Counts sized for the parts of a fill of states, all zero.
void
start_bucket_counts(bucket_counts &counts, uint64_t states, uint64_t part)
{
    counts.shift = bucket_shift(states);
    counts.buckets = states ? ((states - 1) >> counts.shift) + 1 : 0;
    uint64_t parts = (states + part - 1) / part;
    counts.start.resize(parts + 1);
    for (uint64_t i = 0; i <= parts; i++)
        counts.start[i] = i * part < states ? i * part : states;
    counts.count.assign(parts * counts.buckets, 0);
}

// One step of a bit transpose: the columns of row k + j under m (those
// whose bit j is clear) swapped with the columns j higher of row k.
inline void
swap_block_halves(uint64_t *rows, int k, int j, uint64_t m)
{
    uint64_t t = ((rows[k] >> j) ^ rows[k | j]) & m;
    rows[k | j] ^= t;
    rows[k] ^= t << j;
}

// One round of transpose_bit_halves_32: the blocks of side 2J.
template <int J>
inline void
swap_round(uint64_t *rows, uint64_t m)
{
    for (int k = 0; k < 32; k = ((k | J) + 1) & ~J)
        swap_block_halves(rows, k, J, m);
}

// How often the calling thread, its own work done, looks at the stop
// while the other threads end theirs.
constexpr auto kWaitingLook = std::chrono::milliseconds(10);

// Runs work(0) .. work(threads-1), work(threads-1) on the calling thread;
// then, until the others have ended, the calling thread calls waiting()
// every kWaitingLook: a thread kept from a core on a busy machine may
// take a second over its last part, and the stop is asked on the calling
// thread only.
template <typename Work, typename Waiting>
void
run_threads(unsigned threads, const Work &work, const Waiting &waiting)
{
    std::vector<std::thread> workers;
    workers.reserve(threads - 1);
    std::atomic<unsigned> ended{0};
    for (unsigned t = 0; t + 1 < threads; t++)
        workers.emplace_back([&work, &ended, t] {
            work(t);
            ended++;
        });
    work(threads - 1);
    while (ended.load() + 1 < threads) {
        std::this_thread::sleep_for(kWaitingLook);
        waiting();
    }
    for (std::thread &w : workers)
        w.join();
}

void
free_plan(table_plan &p)
{
    checked_free(p.rules);
    checked_free(p.entry_words);
    p.rules = nullptr;
    p.entry_words = nullptr;
}

// The unpacked rule tables; false when they would be too large.
bool
make_plan(table_plan &p)
{
    p.v = value_range;
    p.n = lineL;
    p.sliced = sliced_fits();
    uint32_t rows = rulemix ? lineL : 1;
    if (p.sliced) {
        p.entry_words = static_cast<uint64_t *>(checked_calloc(static_cast<size_t>(p.n) * 64, sizeof(uint64_t), "exh_pairs"));
        for (int c = 0; c < p.n; c++) {
            const uint8_t *rule = carule[rows > 1 ? c : 0];
            for (uint32_t i = 0; i < (1u << nhoodm[c]); i++)
                p.entry_words[static_cast<size_t>(c) * 64 + i] = get_value(rule, i) ? ~uint64_t(0) : 0;
        }
        return true;
    }
    p.R = int_power(p.v, nhood);
    if (p.R * rows > (uint64_t(1) << 26))
        return false;
    p.rules = static_cast<uint8_t *>(checked_calloc(p.R * rows, 1, "exh_pairs"));
    for (uint32_t r = 0; r < rows; r++)
        for (uint64_t i = 0; i < p.R; i++)
            p.rules[r * p.R + i] = static_cast<uint8_t>(get_value(carule[r], static_cast<uint32_t>(i)));
    p.power[0] = 1;
    for (int c = 1; c <= 32; c++)
        p.power[c] = p.power[c - 1] * static_cast<uint32_t>(p.v);
    return true;
}

// The successor numbers a sort reads: from an array, or from v = 2 records
// of Bytes bytes (a little-endian number each, under a mask of its cells).
struct array_successors {
    const uint32_t *succ;
    uint32_t
    operator()(uint64_t s) const
    {
        return succ[s];
    }
    void
    warm(uint64_t s) const
    {
        __builtin_prefetch(succ + s);
    }
};

template <unsigned Bytes>
struct record_successors {
    const uint8_t *records;
    uint32_t mask;      // the bits of the state number: one for each cell
    uint64_t end;       // bytes of the table
    uint32_t
    operator()(uint64_t s) const
    {
        const uint8_t *record = records + s * Bytes;
        uint32_t number = 0;
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
        // A word read at once where the table holds it: the next records'
        // bytes in it fall outside the mask.
        if (s * Bytes + 4 <= end) {
            memcpy(&number, record, 4);
            return number & mask;
        }
#endif
        for (unsigned b = 0; b < Bytes; b++)
            number |= static_cast<uint32_t>(record[b]) << (8 * b);
        return number & mask;
    }
    // Asks the memory for the record of s, read soon (a record may cross
    // into the next line; its first byte is the one asked).
    void
    warm(uint64_t s) const
    {
        __builtin_prefetch(records + s * Bytes);
    }
};

// Ones in bits from .. from + count - 1 of a block's string.
void
set_block_bits(successor_block &block, unsigned from, unsigned count)
{
    while (count) {
        unsigned bit = from & 63;
        unsigned take = count < 64 - bit ? count : 64 - bit;
        block.bits[from >> 6] |= (take == 64 ? ~uint64_t(0) : (uint64_t(1) << take) - 1) << bit;
        from += take;
        count -= take;
    }
}

// The block of the successors low .. low + count - 1 (count at most 64,
// low a multiple of 64) whose groups start at list[at], counts[i] the
// pre-images of low + i. A block with more pre-images than its bits hold
// is spilled, under the lock.
void
make_block(successor_index &index, uint32_t low, const uint32_t *counts, uint32_t count, uint64_t at,
           std::mutex &spilling)
{
    successor_block &block = index.blocks[low >> 6];
    block.first = static_cast<uint32_t>(at);
    uint64_t total = 0;
    for (uint32_t i = 0; i < count; i++)
        total += counts[i];
    if (total <= successor_block::kRoom) {
        unsigned bit = 0;
        for (uint32_t i = 0; i < count; i++) {
            set_block_bits(block, bit, counts[i]);
            bit += counts[i] + 1;
        }
        // The zeros before each word, for the lookups (past the string's
        // end the word's clear bits count too: no lookup reaches them).
        for (unsigned w = 1; w < 3; w++)
            block.zeros_before[w] = static_cast<uint8_t>(
                block.zeros_before[w - 1] + 64 - count_set_bits(block.bits[w - 1]));
        return;
    }
    uint32_t starts[65];
    for (uint32_t i = 0; i < 65; i++) {
        starts[i] = static_cast<uint32_t>(at);
        at += i < count ? counts[i] : 0;
    }
    std::lock_guard<std::mutex> hold(spilling);
    block.spilled = 1;
    block.bits[0] = spill_successor_block(index, starts);
}

// A bucket's states as the deal left them in the list, with their
// successors less the bucket's low number (targets) and their count a
// target (counts, zero on entry); states and targets sized for the largest
// bucket.
struct bucket_scratch {
    std::vector<uint32_t> states, targets, counts;
};

// The gather and the placing of a bucket tell ask(count) of each
// kSortStatesPerAsk states they passed (a bucket can hold every state: all
// lead to one under rule 0); it returns true to stop them, and they return
// false then.
//
// Bucket of the successors low .. low + count - 1 whose states the deal
// left in list[from .. to) as state numbers: each state's successor read
// from its record.
template <typename Successors, typename Ask>
bool
gather_by_records(const Successors &succ, const uint32_t *list, uint32_t low, uint64_t from, uint64_t to,
                  bucket_scratch &bucket, const Ask &ask)
{
    size_t size = static_cast<size_t>(to - from);
    std::copy(list + from, list + to, bucket.states.begin());
    // The bucket's states lie scattered over the whole table: each record is
    // asked for some states ahead, so that the reads overlap.
    constexpr size_t kAhead = 24;
    const uint32_t *states = bucket.states.data();
    for (size_t i = 0; i < size && i < kAhead; i++)
        succ.warm(states[i]);
    for (size_t part = 0; part < size; part += kSortStatesPerAsk) {
        size_t end = size - part > kSortStatesPerAsk ? part + kSortStatesPerAsk : size;
        for (size_t i = part; i < end; i++) {
            if (i + kAhead < size)
                succ.warm(states[i + kAhead]);
            uint32_t t = succ(states[i]) - low;
            bucket.targets[i] = t;
            bucket.counts[t]++;
        }
        if (ask(end - part))
            return false;
    }
    return true;
}

// Where the deal packs a state with its successor's low bits (pack.bits
// 0): a state in stretch i as its distance from the stretch's first state
// in the low bits, the successor's bits below the bucket's shift above
// them, when both fit a word. The list then holds all the bucket sort
// needs, and no record is read again at random.
struct deal_packing {
    int bits = 0;        // bits of a state's distance; 0: states dealt as they are
    uint32_t low = 0;    // the successor bits kept: those below the shift
};

// Bucket b (successors from b << shift) of a packed deal: stretch i's
// states lie in list from where stretch i - 1's end (the bucket's start
// for the first) to slot_end[i * buckets + b].
template <typename Ask>
bool
gather_packed(const uint32_t *list, const bucket_counts &stretches, const uint32_t *slot_end, uint64_t b,
              uint64_t bucket_first, deal_packing pack, bucket_scratch &bucket, const Ask &ask)
{
    uint32_t *states = bucket.states.data();
    uint32_t *targets = bucket.targets.data();
    uint32_t *counts = bucket.counts.data();
    uint64_t from = bucket_first;
    size_t j = 0;
    const uint32_t distance = (uint32_t(1) << pack.bits) - 1;
    const int bits = pack.bits;
    for (size_t i = 0; i + 1 < stretches.start.size(); i++) {
        uint64_t to = slot_end[i * stretches.buckets + b];
        uint32_t first = static_cast<uint32_t>(stretches.start[i]);
        for (uint64_t part = from; part < to; part += kSortStatesPerAsk) {
            uint64_t end = to - part > kSortStatesPerAsk ? part + kSortStatesPerAsk : to;
            for (uint64_t k = part; k < end; k++, j++) {
                uint32_t dealt = list[k];
                uint32_t t = dealt >> bits;
                states[j] = first + (dealt & distance);
                targets[j] = t;
                counts[t]++;
            }
            if (ask(end - part))
                return false;
        }
        from = to;
    }
    return true;
}

// The gathered bucket of the successors low .. low + count - 1, its states
// in list[from .. to), sorted into the list by successor, the blocks of
// these successors made.
template <typename Ask>
bool
place_bucket(uint32_t low, uint32_t count, uint64_t from, uint64_t to, successor_index &index, std::mutex &spilling,
             bucket_scratch &bucket, const Ask &ask)
{
    uint32_t *list = index.list;
    std::vector<uint32_t> &counts = bucket.counts;
    // Block by block: its groups' starts, then each count becomes the place
    // of its group's next state.
    uint64_t at = from;
    for (uint32_t b = 0; b < count; b += 64) {
        uint32_t end = count - b < 64 ? count : b + 64;
        if (!index.first)
            make_block(index, low + b, counts.data() + b, end - b, at, spilling);
        for (uint32_t t = b; t < end; t++) {
            uint32_t group = static_cast<uint32_t>(at);
            if (index.first)
                index.first[low + t] = group;
            at += counts[t];
            counts[t] = group;
        }
    }
    const size_t size = static_cast<size_t>(to - from);
    for (size_t part = 0; part < size; part += kSortStatesPerAsk) {
        size_t end = size - part > kSortStatesPerAsk ? part + kSortStatesPerAsk : size;
        for (size_t i = part; i < end; i++)
            list[counts[bucket.targets[i]]++] = bucket.states[i];
        if (ask(end - part))
            return false;
    }
    return true;
}

// The stop of the index's sort: the thread on the caller asks stopped (as
// the fill's stop, with every state done) after each kSortStatesPerAsk
// states it passed; once it said stop, every thread leaves its pass at its
// next look, and the sort ends with the index unfinished.
struct sort_stop {
    int (*stopped)(uint64_t done, uint64_t states) = nullptr;
    uint64_t states = 0;
    std::atomic<bool> said{false};

    // Asks the stop now (on the calling thread only).
    void
    ask()
    {
        if (stopped && !said.load(std::memory_order_relaxed) && stopped(states - 1, states))
            said = true;
    }

    // After count more states passed by thread t of threads (this thread's
    // count since its last look in since): true when the sort is to end.
    bool
    after(uint64_t count, uint64_t &since, unsigned t, unsigned threads)
    {
        since += count;
        if (since < kSortStatesPerAsk)
            return false;
        since = 0;
        if (t + 1 == threads)
            ask();
        return said.load(std::memory_order_relaxed);
    }
};

// step(s) for the states first .. last - 1, looking at the stop every
// kSortStatesPerAsk states; false when it said stop.
template <typename Step>
bool
pass_states(uint64_t first, uint64_t last, sort_stop &stop, unsigned t, unsigned threads, const Step &step)
{
    uint64_t since = 0;
    for (uint64_t from = first; from < last; from += kSortStatesPerAsk) {
        uint64_t to = last - from > kSortStatesPerAsk ? from + kSortStatesPerAsk : last;
        for (uint64_t s = from; s < to; s++)
            step(s);
        if (stop.after(to - from, since, t, threads))
            return false;
    }
    return true;
}

// The bucket counts of states in a few stretches a thread, taken as the
// threads come for them, so that a thread kept waiting for a core on a busy
// machine holds up only its own stretch.
template <typename Successors>
void
count_buckets(const Successors &succ, uint64_t states, unsigned threads, bucket_counts &counts, sort_stop &stop)
{
    uint64_t parts = (states + kIndexPart - 1) / kIndexPart;
    uint64_t stretches = threads == 1 ? 1 : std::min<uint64_t>(parts, uint64_t(kStretchesPerThread) * threads);
    counts.shift = bucket_shift(states);
    counts.buckets = ((states - 1) >> counts.shift) + 1;
    counts.start.resize(stretches + 1);
    for (uint64_t i = 0; i <= stretches; i++)
        counts.start[i] = states * i / stretches;
    counts.count.assign(stretches * counts.buckets, 0);
    std::atomic<uint64_t> next_stretch{0};
    run_threads(threads, [&](unsigned t) {
        for (uint64_t i; (i = next_stretch.fetch_add(1)) < stretches;) {
            uint32_t *mine = counts.count.data() + i * counts.buckets;
            const int shift = counts.shift;
            if (!pass_states(counts.start[i], counts.start[i + 1], stop, t, threads,
                             [&](uint64_t s) { mine[succ(s) >> shift]++; }))
                return;
        }
    }, [&] { stop.ask(); });
}

// The inverse index, in two rounds: the states dealt into buckets of
// successive successor numbers, then each bucket sorted in cache. counted:
// the bucket counts made already, or null. False when stopped (the index
// unfinished).
template <typename Successors>
bool
sort_into_index(const Successors &succ, uint64_t states, successor_index &index, index_form form,
                bucket_counts *counted, int (*stopped)(uint64_t done, uint64_t states))
{
    allocate_successor_index(index, states, form);
    if (!states)
        return true;
    sort_stop stop;
    stop.stopped = stopped;
    stop.states = states;
    if (index.first)
        index.first[states] = static_cast<uint32_t>(states);
    uint64_t parts = (states + kIndexPart - 1) / kIndexPart;
    unsigned threads = threads_for(states);
    if (threads > parts)
        threads = static_cast<unsigned>(parts);
    bucket_counts own;
    if (!counted || counted->shift != bucket_shift(states) || counted->start.size() < 2 ||
        counted->start.back() != states) {
        count_buckets(succ, states, threads, own, stop);
        counted = &own;
        if (stop.said)
            return false;
    }
    const int shift = counted->shift;
    const uint64_t buckets = counted->buckets;
    const uint64_t stretches = counted->start.size() - 1;
    const std::vector<uint64_t> &start = counted->start;
    // slot[i * buckets + b]: the next place in the list of stretch i's states
    // with successors in bucket b (the counts made places; offsets fit 32
    // bits, as the states do).
    std::vector<uint32_t> &slot = counted->count;
    std::vector<uint64_t> bucket_start(buckets + 1);
    uint64_t at = 0;
    for (uint64_t b = 0; b < buckets; b++) {
        bucket_start[b] = at;
        for (uint64_t i = 0; i < stretches; i++) {
            uint64_t n = slot[i * buckets + b];
            slot[i * buckets + b] = static_cast<uint32_t>(at);
            at += n;
        }
    }
    bucket_start[buckets] = at;
    // Packed where a stretch's distances and the successors' low bits fit
    // a word together.
    deal_packing pack;
    uint64_t longest = 0;
    for (uint64_t i = 0; i < stretches; i++)
        longest = std::max(longest, start[i + 1] - start[i]);
    int bits = 1;
    while ((uint64_t(1) << bits) < longest)
        bits++;
    if (bits + shift <= 32)
        pack = {bits, (uint32_t(1) << shift) - 1};
    uint32_t *list = index.list;
    std::atomic<uint64_t> next_stretch{0};
    run_threads(threads, [&](unsigned t) {
        for (uint64_t i; (i = next_stretch.fetch_add(1)) < stretches;) {
            uint32_t *mine = slot.data() + i * buckets;
            bool on;
            if (pack.bits) {
                uint32_t first = static_cast<uint32_t>(start[i]);
                on = pass_states(start[i], start[i + 1], stop, t, threads, [&](uint64_t s) {
                    uint32_t to = succ(s);
                    list[mine[to >> shift]++] = (static_cast<uint32_t>(s) - first) | ((to & pack.low) << pack.bits);
                });
            } else {
                on = pass_states(start[i], start[i + 1], stop, t, threads,
                                 [&](uint64_t s) { list[mine[succ(s) >> shift]++] = static_cast<uint32_t>(s); });
            }
            if (!on)
                return;
        }
    }, [&] { stop.ask(); });
    if (stop.said)
        return false;
    // Where the deal ended each stretch's part of each bucket (the packed
    // buckets are read by them); the counts are used up otherwise, and freed
    // before the buckets' scratch is taken.
    if (!pack.bits)
        std::vector<uint32_t>().swap(slot);
    uint64_t largest = 0;
    for (uint64_t b = 0; b < buckets; b++)
        largest = std::max(largest, bucket_start[b + 1] - bucket_start[b]);
    std::atomic<uint64_t> next_bucket{0};
    std::mutex spilling;
    run_threads(threads, [&](unsigned t) {
        bucket_scratch bucket;
        bucket.states.resize(largest);
        bucket.targets.resize(largest);
        uint64_t since = 0;
        auto ask = [&](uint64_t count) { return stop.after(count, since, t, threads); };
        for (uint64_t b; (b = next_bucket.fetch_add(1)) < buckets;) {
            uint64_t low = b << shift;
            uint64_t high = low + (uint64_t(1) << shift) < states ? low + (uint64_t(1) << shift) : states;
            bucket.counts.assign(high - low, 0);
            bool gathered = pack.bits ? gather_packed(list, *counted, slot.data(), b, bucket_start[b], pack, bucket, ask)
                                      : gather_by_records(succ, list, static_cast<uint32_t>(low), bucket_start[b],
                                                          bucket_start[b + 1], bucket, ask);
            if (!gathered || !place_bucket(static_cast<uint32_t>(low), static_cast<uint32_t>(high - low),
                                           bucket_start[b], bucket_start[b + 1], index, spilling, bucket, ask))
                return;
        }
    }, [&] { stop.ask(); });
    return !stop.said;
}

// Cores not running anything now, the caller's counted free: from the
// running tasks of /proc/loadavg ("0.50 0.40 0.30 3/250 1234"); all of
// them when it cannot be read.
unsigned
free_cores(unsigned cores)
{
    FILE *file = fopen("/proc/loadavg", "r");
    if (!file)
        return cores;
    double a, b, c;
    unsigned running = 0, tasks;
    int read = fscanf(file, "%lf %lf %lf %u/%u", &a, &b, &c, &running, &tasks);
    fclose(file);
    if (read != 5 || running == 0)
        return cores;
    unsigned others = running - 1;
    return others >= cores ? 1 : cores - others;
}

} // namespace

bool
sort_by_successor(const uint32_t *succ, uint64_t states, successor_index &index, index_form form,
                  int (*stopped)(uint64_t done, uint64_t states))
{
    return sort_into_index(array_successors{succ}, states, index, form, nullptr, stopped);
}

int
sort_records_by_successor(const uint8_t *records, unsigned bytes, unsigned cells, uint64_t states,
                          successor_index &index, index_form form, bucket_counts *counted,
                          int (*stopped)(uint64_t done, uint64_t states))
{
    if (cells > 32)
        return 0;
    uint32_t mask = cells == 32 ? ~uint32_t(0) : (uint32_t(1) << cells) - 1;
    // No bit past the record's own bytes.
    if (bytes < 4)
        mask &= (uint32_t(1) << (8 * bytes)) - 1;
    switch (bytes) {
    case 1:
        return sort_into_index(record_successors<1>{records, mask, states * 1}, states, index, form, counted, stopped)
                   ? 1
                   : -1;
    case 2:
        return sort_into_index(record_successors<2>{records, mask, states * 2}, states, index, form, counted, stopped)
                   ? 1
                   : -1;
    case 3:
        return sort_into_index(record_successors<3>{records, mask, states * 3}, states, index, form, counted, stopped)
                   ? 1
                   : -1;
    case 4:
        return sort_into_index(record_successors<4>{records, mask, states * 4}, states, index, form, counted, stopped)
                   ? 1
                   : -1;
    }
    return 0;
}

void
transpose_bit_halves_32(uint64_t rows[32])
{
    // Swap the off-diagonal halves of every 2j x 2j block of each half,
    // j = 16 .. 1: the high columns of row k with the low columns of row
    // k + j; the mask selects the columns whose bit j is clear. Each round
    // has its j fixed, so that its loop unrolls into plain shifts.
    swap_round<16>(rows, 0x0000FFFF0000FFFFull);
    swap_round<8>(rows, 0x00FF00FF00FF00FFull);
    swap_round<4>(rows, 0x0F0F0F0F0F0F0F0Full);
    swap_round<2>(rows, 0x3333333333333333ull);
    swap_round<1>(rows, 0x5555555555555555ull);
}

unsigned
table_threads()
{
    if (thread_override)
        return thread_override;
    unsigned cores = std::thread::hardware_concurrency();
    return cores < 1 ? 1 : cores > 16 ? 16 : cores;
}

void
set_table_threads(unsigned count)
{
    thread_override = count;
}

unsigned
threads_for(uint64_t states)
{
    if (thread_override)
        return thread_override;
    uint64_t worth = states / kStatesPerThread;
    unsigned threads = free_cores(table_threads());
    if (worth < threads)
        threads = static_cast<unsigned>(worth);
    return threads < 1 ? 1 : threads;
}

int
parallel_table(uint64_t states, uint32_t *succ, int (*stopped)(uint64_t done, uint64_t states), bucket_counts *counts)
{
    table_plan plan;
    if (!make_plan(plan))
        return 0;
    uint64_t part = part_states(states);
    uint64_t parts = (states + part - 1) / part;
    if (counts)
        start_bucket_counts(*counts, states, part);
    unsigned threads = threads_for(states);
    if (threads > parts)
        threads = static_cast<unsigned>(parts);
    // Parts are handed out in order as threads come for them; a part is
    // written by its thread only, so the table does not depend on them.
    std::atomic<uint64_t> next_part{0};
    std::atomic<bool> stop{false};
    run_threads(threads, [&](unsigned t) {
        bool asks = t + 1 == threads;
        while (!stop.load(std::memory_order_relaxed)) {
            uint64_t i = next_part.fetch_add(1);
            if (i >= parts)
                break;
            uint64_t first = i * part;
            uint64_t last = states - first > part ? first + part : states;
            uint32_t *row = counts ? counts->count.data() + i * counts->buckets : nullptr;
            for (uint64_t from = first; from < last && !stop.load(std::memory_order_relaxed);
                 from += kPollStates) {
                uint64_t to = last - from > kPollStates ? from + kPollStates : last;
                fill_part(plan, from, to, succ, row, counts ? counts->shift : 0);
                if (asks && stopped(to - 1, states))
                    stop = true;
            }
        }
    }, [&] {
        // The parts handed out so far, as done.
        uint64_t handed = std::min<uint64_t>(next_part.load(), parts) * part;
        if (!stop && stopped(std::min(handed, states) - 1, states))
            stop = true;
    });
    free_plan(plan);
    return stop ? -1 : 1;
}
