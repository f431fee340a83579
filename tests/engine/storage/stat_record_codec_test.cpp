// The rule-sample statistics record: its mean and sd bytes, records
// appended one after another, and the file read back as whole records with
// the spare bytes reported; files with no whole record or a value of v or
// more refused with the caller's records unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/storage/stat_record_codec.h"

namespace {

using bytes = std::vector<uint8_t>;

class StatRecord : public ::testing::Test {
protected:
    void SetUp() override { use_v(2); }
    void TearDown() override { use_v(2); }
    static void use_v(int v)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
        tot_only = 0;
        totalistic = rule_kind_tables;
    }
};

TEST_F(StatRecord, MeanAndSdBytes)
{
    EXPECT_EQ(stat_mean_byte(0.5f), 127);
    EXPECT_EQ(stat_mean_byte(1.0f), 255);
    EXPECT_EQ(stat_mean_byte(0.0f), 0);
    EXPECT_EQ(stat_sd_byte(0.2f), 255);
    EXPECT_EQ(stat_sd_byte(0.18f), 255);
    EXPECT_EQ(stat_sd_byte(0.09f), 127);
    EXPECT_EQ(stat_sd_byte(0.0f), 0);
}

TEST_F(StatRecord, ThreeRulesAppendedGiveThreeWholeRecords)
{
    // v = 2, k = 5: R = 4.
    ASSERT_EQ(stat_record_bytes(5), 6u);
    bytes file;
    uint8_t rules[3][4] = {{1, 2, 3, 4}, {0xff, 0, 0x10, 0x80}, {9, 9, 9, 9}};
    float means[3] = {0.5f, 0.25f, 0.99f}, sds[3] = {0.2f, 0.09f, 0.0f};
    for (int r = 0; r < 3; r++)
        encode_stat_record(rules[r], 4, means[r], sds[r], file);
    ASSERT_EQ(file.size(), 3u * (4 + 2));
    bytes records;
    size_t spare = 99;
    ASSERT_TRUE(decode_stat_sample(file.data(), file.size(), 5, records, &spare));
    EXPECT_EQ(records, file);
    EXPECT_EQ(spare, 0u);
    EXPECT_EQ(file[4], 127);
    EXPECT_EQ(file[5], 255);
    EXPECT_EQ(file[6 + 5], 127);
}

TEST_F(StatRecord, SpareBytesOfAnotherNetworkAreReported)
{
    bytes file(3 * 6 + 5, 0x11);
    bytes records;
    size_t spare = 0;
    ASSERT_TRUE(decode_stat_sample(file.data(), file.size(), 5, records, &spare));
    EXPECT_EQ(records.size(), 18u);
    EXPECT_EQ(spare, 5u);
}

// v = 2, k = 2: four entries in the low half of the rule byte. The high
// half (noise, or a rule of k = 3) is no part of the rule and comes back
// clear; the mean and sd bytes stay.
TEST_F(StatRecord, BitsPastARulesLastEntryAreCleared)
{
    bytes file = {0xF5, 0x10, 0x20, 0x96, 0x30, 0x40};
    bytes records;
    size_t spare = 0;
    ASSERT_TRUE(decode_stat_sample(file.data(), file.size(), 2, records, &spare));
    EXPECT_EQ(records, (bytes{0x05, 0x10, 0x20, 0x06, 0x30, 0x40}));
}

TEST_F(StatRecord, NoWholeRecordOrAValueOfVOrMoreIsRefused)
{
    bytes kept = {7, 7, 7};
    size_t spare = 42;
    bytes short_file(5, 0);
    EXPECT_FALSE(decode_stat_sample(short_file.data(), short_file.size(), 5, kept, &spare));
    EXPECT_FALSE(decode_stat_sample(nullptr, 0, 5, kept, &spare));
    // v = 3, k = 2: 9 entries of 2 bits, R = 3; an entry of 3 is no value.
    use_v(3);
    ASSERT_EQ(stat_record_bytes(2), 5u);
    bytes bad = {0x00, 0x00, 0x00, 0x80, 0x40, 0x03, 0x00, 0x00, 0x10, 0x20};
    EXPECT_FALSE(decode_stat_sample(bad.data(), bad.size(), 2, kept, &spare));
    EXPECT_EQ(kept, (bytes{7, 7, 7}));
    EXPECT_EQ(spare, 42u);
    bad[5] = 0x02;
    EXPECT_TRUE(decode_stat_sample(bad.data(), bad.size(), 2, kept, &spare));
    EXPECT_EQ(kept.size(), 10u);
}

TEST_F(StatRecord, CodesOfTheTotalisticModeSizeTheRecord)
{
    use_v(3);
    tot_only = 1;
    totalistic = rule_kind_tcodes;
    // k = 4: 4 * 2 + 1 = 9 entries of 2 bits.
    EXPECT_EQ(stat_record_bytes(4), 3u + 2);
    EXPECT_GT(largest_stat_sample(4), (uint64_t(1) << 20) * 5);
}

} // namespace
