// The successor table of the parallel step against the stepped successors:
// the records of exh_pairs state by state, for random wiring by bit slices
// (v = 2, up to 6 inputs, mixed k and rule mixes) and by byte cells (v = 3,
// and v = 2 with 7 inputs); the same table for any number of threads; and
// the 64 x 64 bit transpose against the definition.
#include "backward_test_support.h"

#include "engine/backward/parallel_table.h"

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

TEST(ParallelTable, TransposeMovesBitCOfRowRToBitROfRowC)
{
    srandom(3);
    uint64_t rows[64], before[64];
    for (int r = 0; r < 64; r++)
        rows[r] = before[r] = (static_cast<uint64_t>(random()) << 33) ^ (static_cast<uint64_t>(random()) << 2) ^
                              static_cast<uint64_t>(random());
    transpose_bits_64(rows);
    for (int r = 0; r < 64; r++)
        for (int c = 0; c < 64; c++)
            ASSERT_EQ((rows[c] >> r) & 1, (before[r] >> c) & 1) << r << " " << c;
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

} // namespace
