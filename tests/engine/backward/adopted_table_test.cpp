// A successor table taken from records (as a loaded *.exh file gives them):
// its pre-images are those of the map it holds, a subtree's run gets its
// tickoff with it, and records that are no state of the network are refused
// with nothing kept.
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
