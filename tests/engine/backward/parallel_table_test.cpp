// The successor table of the parallel step against the stepped successors:
// the records of exh_pairs state by state, for random wiring by bit slices
// (v = 2, up to 6 inputs, mixed k and rule mixes) and by byte cells (v = 3,
// and v = 2 with 7 inputs); the same table for any number of threads; the
// inverse index against a stable sort by successor for any number of
// threads and both forms, for every small number of states, and read from
// records (whatever their bits past the cells) as from numbers; the bucket
// counts the fill makes for the sort, and the index a filled table gets from
// them, against the stepped successors; the select in a word; the 64 x
// 64 bit transpose against the definition; and the stop of the sort, in
// each of its passes and through the making of a table.
#include "backward_test_support.h"

#include "engine/backward/parallel_table.h"
#include "engine/backward/preimage_prompts.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/key_poll.h"

#include <algorithm>
#include <numeric>
#include <string>

namespace {

// The successor number of every state as the records of exh_pairs say.
std::vector<uint32_t>
table_successors()
{
    std::vector<uint32_t> next(states_of_network());
    for (uint32_t s = 0; s < next.size(); s++)
        next[s] = dec_equiv(exh_pairs + static_cast<size_t>(s) * bytesL, L);
    return next;
}

std::vector<uint8_t>
table_bytes()
{
    return std::vector<uint8_t>(exh_pairs, exh_pairs + states_of_network() * bytesL);
}

TEST(ParallelTable, HalvesTransposeMovesBitCOfRowRToBitROfRowC)
{
    srandom(3);
    uint64_t rows[32], before[32];
    for (int r = 0; r < 32; r++)
        rows[r] = before[r] = (static_cast<uint64_t>(random()) << 33) ^ (static_cast<uint64_t>(random()) << 2) ^
                              static_cast<uint64_t>(random());
    transpose_bit_halves_32(rows);
    for (int half = 0; half < 64; half += 32)
        for (int r = 0; r < 32; r++)
            for (int c = 0; c < 32; c++)
                ASSERT_EQ((rows[c] >> (half + r)) & 1, (before[r] >> (half + c)) & 1) << half << " " << r << " " << c;
}

TEST(ParallelTable, RecordsEqualTheSteppedSuccessors)
{
    srandom(21);
    // v, n, largest k: bit slices up to k = 6, byte cells beyond and for v = 3.
    const int shapes[][3] = {{2, 12, 6}, {2, 7, 6}, {2, 13, 7}, {2, 5, 3}, {3, 7, 4}};
    for (const auto &shape : shapes)
        for (int k = 1; k <= shape[2]; k++)
            for (int variant = 0; variant < 4; variant++) {
                TestNetwork net(shape[0], shape[1], k);
                reset_backward_settings();
                wire_at_random(variant & 1);
                random_rules(variant & 2);
                std::vector<uint32_t> next = successors();
                exhaustive_testing = exhaustive_table;
                ASSERT_EQ(fill_successor_table(-1, 0), 1);
                EXPECT_EQ(table_successors(), next) << "v=" << shape[0] << " n=" << shape[1] << " k=" << k
                                                    << " variant " << variant;
                free_successor_table();
                undo_rule_mix();
            }
}

// Records of three bytes (17 cells, bit slices): each is the stepped
// successor's little-endian number byte for byte, the bits past the cells
// clear, and the records of one block of 64 states never run into the next
// block's.
TEST(ParallelTable, ThreeByteRecordsHoldTheSteppedSuccessorsByteForByte)
{
    srandom(33);
    for (int variant = 0; variant < 2; variant++) {
        TestNetwork net(2, 17, 3);
        reset_backward_settings();
        wire_at_random(variant & 1);
        random_rules(0);
        std::vector<uint32_t> next = successors();
        exhaustive_testing = exhaustive_table;
        ASSERT_EQ(bytesL, 3);
        ASSERT_EQ(fill_successor_table(-1, 0), 1);
        std::vector<uint8_t> bytes = table_bytes();
        for (uint32_t s = 0; s < next.size(); s++)
            for (unsigned b = 0; b < 3; b++)
                ASSERT_EQ(bytes[3 * s + b], static_cast<uint8_t>(next[s] >> (8 * b)))
                    << "state " << s << " byte " << b << " variant " << variant;
        free_successor_table();
    }
}

TEST(ParallelTable, SameTableForAnyNumberOfThreads)
{
    srandom(5);
    for (int v : {2, 3}) {
        TestNetwork net(v, v == 2 ? 14 : 9, 3);
        reset_backward_settings();
        wire_at_random(true);
        random_rules(true);
        exhaustive_testing = exhaustive_table;
        std::vector<std::vector<uint8_t>> tables;
        for (unsigned threads : {1u, 3u, 8u, 1000u}) {
            set_table_threads(threads);
            ASSERT_EQ(fill_successor_table(-1, 0), 1);
            tables.push_back(table_bytes());
            free_successor_table();
        }
        set_table_threads(0);
        for (size_t i = 1; i < tables.size(); i++)
            EXPECT_EQ(tables[i], tables[0]) << "v=" << v << " run " << i;
        undo_rule_mix();
    }
}

// Where each successor's group starts, as the index's lookups give it, and
// the end of the last: the groups must tile the list in successor order.
std::vector<uint32_t>
index_firsts(const successor_index &index)
{
    std::vector<uint32_t> first(index.states + 1, 0);
    for (uint64_t t = 0; t < index.states; t++) {
        pre_image_span group = successor_group(index, static_cast<uint32_t>(t));
        first[t] = group.first;
        first[t + 1] = group.first + group.count;
    }
    return first;
}

TEST(ParallelTable, NthSetBitCountsFromTheLowest)
{
    srandom(4);
    for (int trial = 0; trial < 2000; trial++) {
        uint64_t word = (static_cast<uint64_t>(random()) << 33) ^ (static_cast<uint64_t>(random()) << 2) ^
                        static_cast<uint64_t>(random());
        word &= trial % 3 == 0 ? (static_cast<uint64_t>(random()) << 31) ^ static_cast<uint64_t>(random()) : ~0ull;
        if (trial == 0)
            word = ~0ull;
        unsigned j = 0;
        for (unsigned bit = 0; bit < 64; bit++) {
            if ((word >> bit) & 1) {
                ASSERT_EQ(nth_set_bit(word, j), bit) << std::hex << word << " " << std::dec << j;
                j++;
            }
        }
    }
}

TEST(ParallelTable, RecordIndexEqualsTheIndexOfTheNumbers)
{
    srandom(12);
    for (unsigned bytes = 1; bytes <= 4; bytes++) {
        uint64_t states = bytes == 1 ? 256 : bytes == 2 ? 65536 : 70000;
        std::vector<uint32_t> succ(states);
        std::vector<uint8_t> records(states * bytes);
        for (uint64_t s = 0; s < states; s++) {
            // Now and then a successor shared by many states, to make long runs.
            succ[s] = static_cast<uint32_t>(random() % 5 == 0 ? 3 : random() % states);
            for (unsigned b = 0; b < bytes; b++)
                records[s * bytes + b] = static_cast<uint8_t>(succ[s] >> (8 * b));
        }
        // The bits past the cells are set at random: they are no part of the number.
        unsigned cells = 1;
        while ((uint64_t(1) << cells) < states)
            cells++;
        for (uint64_t s = 0; s < states; s++)
            for (unsigned b = 0; b < bytes; b++)
                if (8 * b + 8 > cells)
                    records[s * bytes + b] |= static_cast<uint8_t>(random() & ~0u << (cells > 8 * b ? cells - 8 * b : 0));
        successor_index from_numbers, from_records;
        sort_by_successor(succ.data(), states, from_numbers, index_form::offsets);
        ASSERT_EQ(sort_records_by_successor(records.data(), bytes, cells, states, from_records, index_form::blocks), 1);
        EXPECT_EQ(index_firsts(from_records), index_firsts(from_numbers)) << bytes;
        EXPECT_EQ(std::vector<uint32_t>(from_records.list, from_records.list + states),
                  std::vector<uint32_t>(from_numbers.list, from_numbers.list + states))
            << bytes;
        free_successor_index(from_numbers);
        free_successor_index(from_records);
    }
}

// The stable sort by successor, brute force: where each successor's group
// starts, and the states in group order.
void
brute_index(const std::vector<uint32_t> &succ, std::vector<uint32_t> &first, std::vector<uint32_t> &list)
{
    std::vector<std::vector<uint32_t>> group(succ.size());
    for (uint32_t s = 0; s < succ.size(); s++)
        group[succ[s]].push_back(s);
    first.assign(succ.size() + 1, 0);
    list.clear();
    for (uint32_t t = 0; t < succ.size(); t++) {
        first[t] = static_cast<uint32_t>(list.size());
        list.insert(list.end(), group[t].begin(), group[t].end());
    }
    first[succ.size()] = static_cast<uint32_t>(list.size());
}

// Every number of states from 1 past the first bucket of 4096 successors,
// read from numbers and from records of 2 bytes whose bits past the cells
// are set at random, in both forms: the index of the small tables, where
// the last bucket and the last block are cut short.
TEST(ParallelTable, IndexOfEverySmallSizeEqualsBruteForce)
{
    srandom(21);
    for (uint64_t states = 1; states <= 4096 + 130; states++) {
        std::vector<uint32_t> succ(states);
        std::vector<uint8_t> records(2 * states);
        unsigned cells = 0;
        while ((uint64_t(1) << cells) < states)
            cells++;
        for (uint64_t s = 0; s < states; s++) {
            succ[s] = static_cast<uint32_t>(random() % 3 == 0 ? states - 1 : random() % states);
            uint32_t junk = static_cast<uint32_t>(random()) << cells;
            records[2 * s] = static_cast<uint8_t>(succ[s] | junk);
            records[2 * s + 1] = static_cast<uint8_t>((succ[s] | junk) >> 8);
        }
        std::vector<uint32_t> first, list;
        brute_index(succ, first, list);
        for (index_form form : {index_form::offsets, index_form::blocks}) {
            successor_index from_numbers, from_records;
            sort_by_successor(succ.data(), states, from_numbers, form);
            ASSERT_EQ(sort_records_by_successor(records.data(), 2, cells, states, from_records, form), 1);
            for (const successor_index *index : {&from_numbers, &from_records}) {
                std::string trace = std::to_string(states) + (index == &from_numbers ? " numbers" : " records") +
                                    (form == index_form::blocks ? ", blocks" : ", offsets");
                ASSERT_EQ(index_firsts(*index), first) << trace;
                ASSERT_EQ(std::vector<uint32_t>(index->list, index->list + states), list) << trace;
            }
            free_successor_index(from_numbers);
            free_successor_index(from_records);
        }
    }
}

TEST(ParallelTable, IndexIsTheStableSortBySuccessorForAnyNumberOfThreads)
{
    srandom(9);
    // Sizes below a bucket, across buckets and threads, and not a power of 2;
    // successors at random, all on one state, and each state its own.
    for (uint64_t states : {1ull, 7ull, 4097ull, 40000ull, 3ull << 15})
        for (int shape = 0; shape < 3; shape++) {
            std::vector<uint32_t> succ(states);
            for (uint64_t s = 0; s < states; s++)
                succ[s] = shape == 0 ? static_cast<uint32_t>(random() % states)
                          : shape == 1 ? static_cast<uint32_t>(states - 1)
                                       : static_cast<uint32_t>(states - 1 - s);
            std::vector<uint32_t> first(states + 1, 0), list(states);
            for (uint64_t s = 0; s < states; s++)
                first[succ[s] + 1]++;
            for (uint64_t t = 0; t < states; t++)
                first[t + 1] += first[t];
            std::iota(list.begin(), list.end(), 0u);
            std::stable_sort(list.begin(), list.end(), [&succ](uint32_t a, uint32_t b) { return succ[a] < succ[b]; });
            for (index_form form : {index_form::offsets, index_form::blocks})
                for (unsigned threads : {1u, 3u, 8u, 1000u}) {
                    set_table_threads(threads);
                    successor_index index;
                    sort_by_successor(succ.data(), states, index, form);
                    std::string trace = std::to_string(states) + " states, shape " + std::to_string(shape) + ", " +
                                        std::to_string(threads) + (index.first ? " threads, offsets" : " threads, blocks");
                    EXPECT_EQ(index_firsts(index), first) << trace;
                    EXPECT_EQ(std::vector<uint32_t>(index.list, index.list + states), list) << trace;
                    free_successor_index(index);
                }
            set_table_threads(0);
        }
}

int
never_stopped(uint64_t, uint64_t)
{
    return 0;
}

// A filled table of many parts (bit slices, and byte cells with 7 inputs):
// its index, sorted with the counts its fill made, against the stable sort
// of the stepped successors, for one and for several threads, both forms.
TEST(ParallelTable, IndexOfAFilledTableEqualsBruteForceForAnyNumberOfThreads)
{
    srandom(17);
    for (int k : {3, 7}) {
        TestNetwork net(2, 18, k);
        reset_backward_settings();
        wire_at_random(false);
        random_rules(false);
        std::vector<uint32_t> first, list;
        brute_index(successors(), first, list);
        exhaustive_testing = exhaustive_table;
        for (index_form form : {index_form::offsets, index_form::blocks})
            for (unsigned threads : {1u, 3u}) {
                set_table_threads(threads);
                set_table_index_form(form);
                ASSERT_EQ(fill_successor_table(-1, 0), 1);
                const successor_index *index = table_fan_index();
                ASSERT_NE(index, nullptr);
                std::string trace = "k=" + std::to_string(k) + ", " + std::to_string(threads) +
                                    (form == index_form::blocks ? " threads, blocks" : " threads, offsets");
                EXPECT_EQ(index_firsts(*index), first) << trace;
                EXPECT_EQ(std::vector<uint32_t>(index->list, index->list + list.size()), list) << trace;
                free_successor_table();
            }
        set_table_threads(0);
        set_table_index_form(index_form::automatic);
        undo_rule_mix();
    }
}

// The fill's counts: the stretches tile the states, each stretch's count of
// a bucket is its states whose stepped successors lie in that bucket's
// numbers, and the counts are the same for any number of threads.
TEST(ParallelTable, FillCountsEachStretchsSuccessorsByBucket)
{
    srandom(19);
    for (int k : {3, 7}) {
        TestNetwork net(2, 19, k);
        reset_backward_settings();
        wire_at_random(true);
        random_rules(true);
        std::vector<uint32_t> next = successors();
        uint64_t states = next.size();
        exh_pairs = static_cast<uint8_t *>(checked_calloc(states, bytesL, "exh_pairs"));
        std::vector<bucket_counts> runs(2);
        for (unsigned threads : {1u, 3u}) {
            set_table_threads(threads);
            bucket_counts &counts = runs[threads == 1 ? 0 : 1];
            std::vector<uint32_t> succ(states);
            ASSERT_EQ(parallel_table(states, succ.data(), never_stopped, &counts), 1);
            ASSERT_EQ(succ, next);
        }
        set_table_threads(0);
        checked_free(exh_pairs);
        exh_pairs = nullptr;
        const bucket_counts &counts = runs[0];
        EXPECT_EQ(runs[1].start, counts.start) << k;
        EXPECT_EQ(runs[1].count, counts.count) << k;
        ASSERT_GT(counts.start.size(), 2u) << "several stretches";
        ASSERT_EQ(counts.start.front(), 0u);
        ASSERT_EQ(counts.start.back(), states);
        ASSERT_EQ(counts.count.size(), (counts.start.size() - 1) * counts.buckets);
        ASSERT_EQ(counts.buckets << counts.shift, states) << "the buckets cover the successors";
        for (size_t i = 0; i + 1 < counts.start.size(); i++) {
            std::vector<uint32_t> mine(counts.buckets, 0);
            for (uint64_t s = counts.start[i]; s < counts.start[i + 1]; s++)
                mine[next[s] >> counts.shift]++;
            ASSERT_EQ(std::vector<uint32_t>(counts.count.begin() + i * counts.buckets,
                                            counts.count.begin() + (i + 1) * counts.buckets),
                      mine)
                << "k=" << k << " stretch " << i;
        }
        undo_rule_mix();
    }
}

// Counts made for another number of states are not used: the sort counts
// for itself and gives the stable sort all the same.
TEST(ParallelTable, CountsOfAnotherSizeAreNotUsed)
{
    srandom(23);
    bucket_counts other;
    other.shift = 12;
    other.buckets = 4;
    other.start = {0, 1 << 14};
    other.count.assign(4, 1u << 12);
    const uint64_t states = 1 << 15;
    std::vector<uint32_t> succ(states);
    std::vector<uint8_t> records(2 * states);
    for (uint64_t s = 0; s < states; s++) {
        succ[s] = static_cast<uint32_t>(random() % 4 == 0 ? 5 : random() % states);
        records[2 * s] = static_cast<uint8_t>(succ[s]);
        records[2 * s + 1] = static_cast<uint8_t>(succ[s] >> 8);
    }
    std::vector<uint32_t> first, list;
    brute_index(succ, first, list);
    successor_index index;
    ASSERT_EQ(sort_records_by_successor(records.data(), 2, 15, states, index, index_form::offsets, &other), 1);
    EXPECT_EQ(index_firsts(index), first);
    EXPECT_EQ(std::vector<uint32_t>(index.list, index.list + states), list);
    free_successor_index(index);
}

// A table past 2^20 states on one thread (one stretch of states too long
// to share a word with a successor's low bits: each bucket's successors
// read from the records again) and on several (the states packed with
// their successors' low bits by the deal): both the stable sort, in both
// forms.
TEST(ParallelTable, IndexWithAndWithoutPackedDealsEqualsBruteForce)
{
    srandom(29);
    const uint64_t states = (uint64_t(1) << 20) + 3;
    const unsigned cells = 21;
    std::vector<uint32_t> succ(states);
    std::vector<uint8_t> records(3 * states);
    for (uint64_t s = 0; s < states; s++) {
        // Runs of neighbours on one successor, and now and then a large fan.
        succ[s] = static_cast<uint32_t>(random() % 7 == 0 ? 12345 : (s / 3 * 2654435761u + random() % 2) % states);
        for (unsigned b = 0; b < 3; b++)
            records[3 * s + b] = static_cast<uint8_t>(succ[s] >> (8 * b));
    }
    std::vector<uint32_t> first(states + 1, 0), list(states);
    for (uint64_t s = 0; s < states; s++)
        first[succ[s] + 1]++;
    for (uint64_t t = 0; t < states; t++)
        first[t + 1] += first[t];
    std::vector<uint32_t> place(first.begin(), first.end() - 1);
    for (uint64_t s = 0; s < states; s++)
        list[place[succ[s]]++] = static_cast<uint32_t>(s);
    for (index_form form : {index_form::offsets, index_form::blocks})
        for (unsigned threads : {1u, 4u}) {
            set_table_threads(threads);
            successor_index index;
            ASSERT_EQ(sort_records_by_successor(records.data(), 3, cells, states, index, form), 1);
            std::string trace = std::to_string(threads) + (form == index_form::blocks ? " threads, blocks" : " threads, offsets");
            EXPECT_EQ(index_firsts(index), first) << trace;
            EXPECT_EQ(std::vector<uint32_t>(index.list, index.list + states), list) << trace;
            free_successor_index(index);
        }
    set_table_threads(0);
}

// The stop of the index's sort, counting its asks: it says stop at the
// sort_stop_at-th (never for 0).
int sort_asks = 0, sort_stop_at = 0;

int
stop_sort_at_ask(uint64_t done, uint64_t states)
{
    EXPECT_EQ(done + 1, states) << "the sort is asked as a fill with every state done";
    return ++sort_asks == sort_stop_at;
}

// A sort on one thread asks its stop once for each 2^16 states of the
// count and of the deal, and among the buckets, from records and from
// numbers; never stopped it gives the stable sort, and stopped at any of
// its asks it ends unfinished.
TEST(ParallelTable, SortAsksItsStopInEachPassAndEndsWhereItSaysStop)
{
    srandom(31);
    const uint64_t states = uint64_t(1) << 18;
    std::vector<uint32_t> succ(states);
    std::vector<uint8_t> records(3 * states);
    for (uint64_t s = 0; s < states; s++) {
        succ[s] = static_cast<uint32_t>(random() % states);
        for (unsigned b = 0; b < 3; b++)
            records[3 * s + b] = static_cast<uint8_t>(succ[s] >> (8 * b));
    }
    std::vector<uint32_t> first, list;
    brute_index(succ, first, list);
    set_table_threads(1);
    for (bool from_records : {true, false}) {
        SCOPED_TRACE(from_records ? "records" : "numbers");
        auto sort = [&](successor_index &index) {
            sort_asks = 0;
            return from_records ? sort_records_by_successor(records.data(), 3, 18, states, index,
                                                            index_form::automatic, nullptr, stop_sort_at_ask)
                                : sort_by_successor(succ.data(), states, index, index_form::automatic,
                                                    stop_sort_at_ask) ? 1 : -1;
        };
        sort_stop_at = 0;
        successor_index whole;
        ASSERT_EQ(sort(whole), 1);
        EXPECT_EQ(index_firsts(whole), first);
        EXPECT_EQ(std::vector<uint32_t>(whole.list, whole.list + states), list);
        free_successor_index(whole);
        const int asks = sort_asks;
        EXPECT_GE(asks, 4 + 4 + 1);
        for (sort_stop_at = 1; sort_stop_at <= asks; sort_stop_at++) {
            successor_index index;
            EXPECT_EQ(sort(index), -1) << "stop at ask " << sort_stop_at;
            EXPECT_EQ(sort_asks, sort_stop_at) << "asked on after it said stop";
            free_successor_index(index);
        }
    }
    set_table_threads(0);
}

// A key poll that answers 'q' at its table_q_at-th call (never for 0),
// counting its calls and those made with the whole table filled (the
// sort's, and the fill's last), and a stop prompt that stops.
int table_polls = 0, table_q_at = 0, polls_when_filled = 0;
uint64_t last_done = 0, last_states = 0;

int
counting_table_poll()
{
    if (last_done == last_states)
        polls_when_filled++;
    return ++table_polls == table_q_at ? 'q' : 0;
}

void
note_table_progress(uint64_t done, uint64_t states)
{
    last_done = done;
    last_states = states;
}

int
stop_the_table(unsigned)
{
    return 1;
}

// The index's sort is part of the table's making: the user's 'q' answered
// at any poll, in the fill or in the sort, leaves no table and no index.
TEST(ParallelTable, ATableStoppedInItsFillOrItsSortIsFreedWhole)
{
    srandom(37);
    TestNetwork net(2, 18, 3);
    reset_backward_settings();
    random_rules(false);
    exhaustive_testing = exhaustive_table;
    set_table_threads(1);
    preimage_prompts prompts = {};
    prompts.ask_table_stop = stop_the_table;
    prompts.show_table_progress = note_table_progress;
    set_preimage_prompts(prompts);
    set_key_poll(counting_table_poll);
    table_polls = table_q_at = polls_when_filled = 0;
    ASSERT_EQ(fill_successor_table(-1, 0), 1);
    free_successor_table();
    const int polls = table_polls;
    EXPECT_GE(polls_when_filled, 3) << "the sort polls";
    for (table_q_at = 1; table_q_at <= polls; table_q_at++) {
        table_polls = 0;
        EXPECT_EQ(fill_successor_table(-1, 0), 0) << "'q' at poll " << table_q_at;
        EXPECT_EQ(exh_pairs, nullptr);
        EXPECT_EQ(table_fan_index(), nullptr);
    }
    set_key_poll(nullptr);
    set_preimage_prompts(preimage_prompts{});
    set_table_threads(0);
    undo_rule_mix();
}

} // namespace
