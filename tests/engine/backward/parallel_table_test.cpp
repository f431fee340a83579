// The successor table of the parallel step against the stepped successors:
// the records of exh_pairs state by state, for random wiring by bit slices
// (v = 2, up to 6 inputs, mixed k and rule mixes) and by byte cells (v = 3,
// and v = 2 with 7 inputs); the same table for any number of threads; the
// inverse index against a stable sort by successor for any number of
// threads; and the 64 x 64 bit transpose against the definition.
#include "backward_test_support.h"

#include "engine/backward/parallel_table.h"

#include <algorithm>
#include <numeric>

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
            for (unsigned threads : {1u, 3u, 8u, 1000u}) {
                set_table_threads(threads);
                std::vector<uint32_t> got_first(states + 1, 7), got_list(states, 7);
                sort_by_successor(succ.data(), states, got_first.data(), got_list.data());
                EXPECT_EQ(got_first, first) << states << " states, shape " << shape << ", " << threads;
                EXPECT_EQ(got_list, list) << states << " states, shape " << shape << ", " << threads;
            }
            set_table_threads(0);
        }
}

} // namespace
