// The texts of files refused for what they hold: a statistics file's and a
// glider list's first value of v or more, the faults of samples, ASCII
// tables, update orders and successor tables, and, over
// many random files, a text exactly where the decoder refuses (so no
// refusal goes unsaid and no sound file is called damaged).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/model_test_support.h"
#include "engine/storage/content_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/storage/stat_record_codec.h"

namespace {

using bytes = std::vector<uint8_t>;

// Rule tables of v = 3 (2 bits a value, so a value of 3 can be stored);
// v = 2 again after each test.
class ContentFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_value_range(3);
        tot_only = 0;
        totalistic = rule_kind_tables;
    }
    void TearDown() override { use_value_range(2); }
    // A random file of size bytes, mostly small values so that many are
    // sound, v in the first byte when v_first.
    static bytes random_file(size_t size, bool v_first)
    {
        bytes file(size);
        for (auto &b : file)
            b = static_cast<uint8_t>(random() % 3 == 0 ? random() % 256 : random() % 0x2B);
        if (v_first && size > 0 && random() % 8 != 0)
            file[0] = 3;
        return file;
    }
};

TEST_F(ContentFaults, ValueTextsNameWhereTheValueIs)
{
    bytes line = pack({0, 2, 1, 3, 3});
    EXPECT_EQ(value_fault("", "cell", line.data(), 5), "cell 3 is 3, values run 0-2");
    EXPECT_EQ(value_fault("rule 7 ", "entry", line.data(), 3), "");
    EXPECT_EQ(k_fault(9, 7), "k=9 past the most 7");
    EXPECT_EQ(k_fault(0, 7), "k=0 below the least 1");
    EXPECT_EQ(k_fault(7, 7), "");
    EXPECT_EQ(cells_fault(40, 38), "header says 40 cells, file holds 38");
}

TEST_F(ContentFaults, StatisticsFileNamesItsFirstRuleOfAValueOfV)
{
    // k = 1: a rule of 3 entries in one byte, a record of 3 bytes; rule 2
    // has 3 as its entry 1.
    bytes file = {0x21, 10, 20, 0x06, 30, 40, 0x0D, 50, 60, 0x30, 70, 80};
    std::vector<uint8_t> records;
    size_t spare = 0;
    EXPECT_FALSE(decode_stat_sample(file.data(), file.size(), 1, records, &spare));
    EXPECT_EQ(stat_sample_fault(file.data(), file.size(), 1), "rule 2 entry 1 is 3, values run 0-2");
    EXPECT_EQ(stat_sample_fault(file.data(), 2, 1), "2 bytes, a v3k1 record is 3");
    // The bytes past the whole records are spare, not rules.
    EXPECT_EQ(stat_sample_fault(file.data(), 5, 1), "");
}

TEST_F(ContentFaults, GliderListNamesItsVOrItsFirstRuleOfAValueOfV)
{
    bytes list = {3, 0, 0, 0, 0, 0, 0x21, 0x21, 0x30};
    uint16_t last = 0;
    EXPECT_EQ(decode_glider_list(list.data(), list.size(), 1, 3, &last), glider_list_check::damaged);
    EXPECT_EQ(glider_list_fault(list.data(), list.size(), 1, 3), "rule 2 entry 2 is 3, values run 0-2");
    list[0] = 5;
    EXPECT_EQ(glider_list_fault(list.data(), list.size(), 1, 3), "file v=5, network v=3");
}

TEST_F(ContentFaults, SideFilesNameTheirFault)
{
    // Complex-rule samples of k = 1: v, k and one byte of 3 entries.
    EXPECT_EQ(rule_sample_fault(bytes{3, 1}.data(), 2, 1, false), "2 bytes, a v3k1 sample is 3");
    EXPECT_EQ(rule_sample_fault(bytes{3, 2, 0}.data(), 3, 1, false), "file v3k2, network v3k1");
    EXPECT_EQ(rule_sample_fault(bytes{3, 1, 0x0C}.data(), 3, 1, false),
              "entry 1 is 3, values run 0-2");
    EXPECT_EQ(rule_sample_fault(bytes{3, 1, 0x61}.data(), 3, 1, false), "bits set past entry 2");
    uint8_t rule = 0;
    EXPECT_FALSE(decode_rule_sample(bytes{3, 1, 0x61}.data(), 3, 1, false, &rule));

    EXPECT_EQ(ascii_table_digit_fault(bytes{'3', '0', '2', 'x'}.data(), 2),
              "entry 2 is 'x', digits run 0-2");
    EXPECT_EQ(ascii_table_digit_fault(bytes{'3', '3', '0', '0'}.data(), 2),
              "entry 0 is '3', digits run 0-2");
    EXPECT_EQ(ascii_table_digit_fault(bytes{'3', '0', 7, '0'}.data(), 2),
              "entry 1 is byte 7, digits run 0-2");

    // Orders of 4 cells, most significant byte first.
    EXPECT_EQ(update_order_fault(bytes{0, 3, 1, 0, 0, 1, 0, 2}.data(), 4),
              "entry 1 is 256, cells run 0-3");
    EXPECT_EQ(update_order_fault(bytes{0, 1, 0, 2, 0, 0, 0, 2}.data(), 4),
              "cell 2 twice, entries 1 and 3");
    EXPECT_EQ(update_order_fault(bytes{0, 1, 0, 2, 0, 0, 0, 3}.data(), 4), "");

    // A successor table of 2 cells: 9 states of one byte; state 4 has 3 in
    // cell 1.
    use_size(2);
    bytes table(9, 0x01);
    table[4] = 0x0C;
    EXPECT_EQ(successor_table_fault(table.data(), table.size()), "state 4 cell 1 is 3, values run 0-2");
}

TEST_F(ContentFaults, RandomFilesAreRefusedExactlyWhereAFaultIsSaid)
{
    srandom(55);
    int refused = 0, taken = 0;
    for (int trial = 0; trial < 4000; trial++) {
        int k = 1 + static_cast<int>(random() % 2);
        bytes stat = random_file(static_cast<size_t>(random() % 20), false);
        std::vector<uint8_t> records;
        size_t spare = 0;
        bool sound = decode_stat_sample(stat.data(), stat.size(), k, records, &spare);
        EXPECT_EQ(sound, stat_sample_fault(stat.data(), stat.size(), k).empty()) << trial;
        refused += !sound;
        taken += sound;

        bytes list = random_file(static_cast<size_t>(6 + random() % 12), true);
        uint16_t last = 0;
        glider_list_check check = decode_glider_list(list.data(), list.size(), 3, 9, &last);
        if (check != glider_list_check::too_short) {
            EXPECT_EQ(check == glider_list_check::damaged,
                      !glider_list_fault(list.data(), list.size(), 3, 9).empty())
                << trial;
        }
    }
    EXPECT_GT(refused, 300);
    EXPECT_GT(taken, 300);
}

} // namespace
