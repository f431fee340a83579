// A successor table taken from records (as a loaded *.exh file gives them):
// its pre-images are those of the map it holds, a subtree's run gets its
// tickoff with it, the smallest tables of both index forms give every
// state's pre-images, and records that are no state of the network are
// refused with nothing kept.
#include "backward_test_support.h"

namespace {

TEST(AdoptedTable, PreImagesAreThoseOfTheRecords)
{
    TestNetwork net(3, 5, 3);
    reset_backward_settings();
    exhaustive_testing = exhaustive_random_map;
    uint64_t states = states_of_network();
    std::vector<uint8_t> records(states * bytesL);
    std::vector<uint32_t> next(states);
    for (uint32_t s = 0; s < states; s++) {
        next[s] = static_cast<uint32_t>((s * s + 7) % states);
        dec_to_value_line(records.data() + s * bytesL, next[s], lineL);
    }
    ASSERT_EQ(adopt_successor_table(records.data()), 1);
    ASSERT_NE(tickoff, nullptr);
    EXPECT_EQ(tickspace, states - 1);
    for (uint32_t t = 0; t < states; t++)
        EXPECT_EQ(sorted(method_pre_images(t, table_method)), brute_pre_images(next, t))
            << "target " << t;
    free_successor_table();
    EXPECT_EQ(tickoff, nullptr);
}

// The smallest tables, v^n states for every n from 1 to the first past the
// index's first bucket of 4096 successors, both forms of the index: each state's
// pre-images, ascending, are the brute-force ones of the records. Successors
// at random with now and then one shared by many states; where v = 2 the
// bits of the records past the last cell are set at random (a loaded file
// may hold them; they are no part of the state).
TEST(AdoptedTable, SmallestTablesEqualBruteForce)
{
    srandom(17);
    for (int v : {2, 3})
        for (int n = 1; int_power(v, n - 1) <= 4096; n++)
            for (index_form form : {index_form::offsets, index_form::blocks}) {
                TestNetwork net(v, n, 1);
                reset_backward_settings();
                exhaustive_testing = exhaustive_random_map;
                set_table_index_form(form);
                uint64_t states = states_of_network();
                std::vector<uint8_t> records(states * bytesL);
                std::vector<uint32_t> next(states);
                for (uint32_t s = 0; s < states; s++) {
                    next[s] = static_cast<uint32_t>(random() % 4 == 0 ? states / 2 : random() % states);
                    uint8_t *record = records.data() + s * bytesL;
                    if (v == 2)
                        for (uint32_t b = 0; b < bytesL; b++)
                            record[b] = static_cast<uint8_t>(random());
                    for (uint32_t c = 0; c < lineL; c++)
                        set_value(record, c, static_cast<int>((next[s] / int_power(v, c)) % v));
                }
                ASSERT_EQ(adopt_successor_table(records.data()), 1) << "v " << v << " n " << n;
                for (uint32_t t = 0; t < states; t++)
                    ASSERT_EQ(method_pre_images(t, table_method), brute_pre_images(next, t))
                        << "v " << v << " n " << n << " target " << t
                        << (form == index_form::blocks ? " blocks" : " offsets");
                free_successor_table();
                set_table_index_form(index_form::automatic);
            }
}

TEST(AdoptedTable, RecordsThatAreNoStateAreRefused)
{
    TestNetwork net(3, 4, 3);
    reset_backward_settings();
    exhaustive_testing = exhaustive_random_map;
    std::vector<uint8_t> records(81 * bytesL, 0);
    records[40 * bytesL] = 0x03; // cell 0 holds 3, no value of v = 3
    EXPECT_EQ(adopt_successor_table(records.data()), 0);
    EXPECT_EQ(exh_pairs, nullptr);
    EXPECT_EQ(tickoff, nullptr);
}

} // namespace
