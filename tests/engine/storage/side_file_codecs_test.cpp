// The side file layouts on plain arrays: the last rule, ASCII tables,
// k-mixes, successor tables, glider lists and histograms encoded and
// decoded, and damaged files refused with the caller's array unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/storage/side_file_codecs.h"

namespace {

using bytes = std::vector<uint8_t>;

class SideFileCodecs : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_v(2);
        Maxnhood = 13;
        totalistic = rule_kind_tables;
        tot_only = 0;
    }
    static void use_v(int v)
    {
        value_range = static_cast<int8_t>(v);
        value_bits = static_cast<int8_t>(check_value_bits(v));
    }
    static void use_n(int n)
    {
        lineL = static_cast<uint16_t>(n);
        bytesL = static_cast<uint16_t>((n * value_bits + 7) / 8);
    }
};

TEST_F(SideFileCodecs, LastRuleRoundTripsAndRefusalsKeepTheRule)
{
    uint8_t rule[4] = {1, 2, 3, 4};
    bytes file;
    encode_last_rule(rule, 5, file);
    EXPECT_EQ(file, (bytes{2, 5, 1, 2, 3, 4}));
    uint8_t back[4] = {0, 0, 0, 0};
    EXPECT_EQ(decode_last_rule(file.data(), file.size(), 5, back), last_rule_check::sound);
    EXPECT_EQ(bytes(back, back + 4), bytes(rule, rule + 4));

    uint8_t kept[4] = {9, 9, 9, 9};
    EXPECT_EQ(decode_last_rule(file.data(), 5, 5, kept), last_rule_check::too_short);
    EXPECT_EQ(decode_last_rule(file.data(), file.size(), 4, kept), last_rule_check::other_v_k);
    use_v(3);
    bytes bad = {3, 1, 0x30};  // v = 3, k = 1: entry 2 holds 3
    EXPECT_EQ(decode_last_rule(bad.data(), bad.size(), 1, kept), last_rule_check::bad_value);
    EXPECT_EQ(bytes(kept, kept + 4), (bytes{9, 9, 9, 9}));
}

TEST_F(SideFileCodecs, AsciiTableOfRule150AndItsRefusals)
{
    uint8_t rule = 150;
    bytes file;
    encode_ascii_table(&rule, 7, file);
    EXPECT_EQ(std::string(file.begin(), file.end()), "201101001");
    EXPECT_EQ(ascii_table_v(file.data(), file.size()), 2);
    EXPECT_EQ(ascii_table_v(nullptr, 0), -'0');
    uint8_t back = 0;
    EXPECT_EQ(decode_ascii_table(file.data(), file.size(), 7, &back), ascii_table_check::sound);
    EXPECT_EQ(back, 150);

    uint8_t kept = 0x5A;
    bytes two = {'2', '0', '1', '2', '0', '0', '0', '0', '0'};
    EXPECT_EQ(decode_ascii_table(two.data(), two.size(), 7, &kept), ascii_table_check::bad_digit);
    EXPECT_EQ(decode_ascii_table(two.data(), 3, 7, &kept), ascii_table_check::too_short);
    bytes v3 = {'3', '0'};
    EXPECT_EQ(decode_ascii_table(v3.data(), v3.size(), 0, &kept), ascii_table_check::other_v);
    EXPECT_EQ(kept, 0x5A);
}

TEST_F(SideFileCodecs, KmixCopiesWhatFitsAndRefusesKOutsideTheRange)
{
    int8_t ks[4] = {7, 7, 7, 7};
    bytes file = {1, 2, 3};
    size_t bad = 0;
    EXPECT_TRUE(decode_kmix(file.data(), file.size(), ks, 4, &bad));
    EXPECT_EQ(ks[2], 3);
    EXPECT_EQ(ks[3], 7);
    bytes wrong = {2, 2, 0xFF};
    EXPECT_FALSE(decode_kmix(wrong.data(), wrong.size(), ks, 4, &bad));
    EXPECT_EQ(bad, 2u);  // a k of -1
    EXPECT_EQ(ks[0], 1);
    bytes big = {14};
    EXPECT_FALSE(decode_kmix(big.data(), big.size(), ks, 4, &bad));
    EXPECT_EQ(bad, 0u);  // a k of 14
}

TEST_F(SideFileCodecs, SuccessorTableSizeAndRecordsThatAreNoState)
{
    use_v(2);
    use_n(10);
    EXPECT_EQ(successor_file_bytes(), 2048u);
    EXPECT_EQ(successor_file_n(2048), 10);
    EXPECT_EQ(successor_file_n(4095), 10);

    use_v(3);
    use_n(2);  // 9 records of one byte
    bytes table(9, 0);
    bytes file(9, 0x01);
    EXPECT_TRUE(decode_successor_table(file.data(), file.size(), table.data()));
    EXPECT_EQ(table, file);
    bytes bad = file;
    bad[4] = 0x0C;  // cell 1 holds 3
    bytes kept(9, 0x05);
    EXPECT_FALSE(decode_successor_table(bad.data(), bad.size(), kept.data()));
    EXPECT_FALSE(decode_successor_table(file.data(), 8, kept.data()));
    EXPECT_EQ(kept, bytes(9, 0x05));
}

TEST_F(SideFileCodecs, GliderListsGiveTheirLastWholeRule)
{
    bytes list = {2, 5, 10, 0, 0, 0};
    for (int r = 0; r < 10; r++)
        list.insert(list.end(), 4, static_cast<uint8_t>(r));
    uint16_t last = 0;
    EXPECT_EQ(decode_glider_list(list.data(), list.size(), 4, 32, &last),
              glider_list_check::sound);
    EXPECT_EQ(last, 9);
    EXPECT_EQ(decode_glider_list(list.data(), 9, 4, 32, &last), glider_list_check::too_short);
    list[0] = 3;
    EXPECT_EQ(decode_glider_list(list.data(), list.size(), 4, 32, &last),
              glider_list_check::damaged);
}

TEST_F(SideFileCodecs, HistogramCountsAreHighByteFirst)
{
    uint32_t counts[4] = {3, 256, 65535, 70000};
    bytes file;
    encode_histogram(counts, 3, file);
    // A count past 16 bits is saturated, not wrapped (70000 would wrap to 4464).
    EXPECT_EQ(file, (bytes{0, 3, 1, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    std::vector<uint16_t> back;
    EXPECT_TRUE(decode_histogram(file.data(), file.size(), back));
    EXPECT_EQ(back, (std::vector<uint16_t>{3, 256, 65535, 65535}));
    EXPECT_FALSE(decode_histogram(file.data(), 3, back));
    EXPECT_FALSE(decode_histogram(file.data(), 0, back));
}

TEST_F(SideFileCodecs, HistogramFilesPastTheLargestAreRefused)
{
    bytes largest(kLargestHistogramFile, 0);
    std::vector<uint16_t> back;
    EXPECT_TRUE(decode_histogram(largest.data(), largest.size(), back));
    EXPECT_EQ(back.size(), 65536u);
    largest.resize(kLargestHistogramFile + 2);
    EXPECT_FALSE(decode_histogram(largest.data(), largest.size(), back));
}

} // namespace

namespace {

TEST_F(SideFileCodecs, RuleSampleOfV3K1IsItsTableBehindVAndK)
{
    use_v(3);
    // Entries 0, 1, 2 of width 2: 00 01 10 from the low bits, 0x24.
    bytes file = {3, 1, 0x24};
    ASSERT_EQ(rule_sample_file_bytes(1, false), file.size());
    uint8_t rule[1] = {0xFF};
    EXPECT_TRUE(decode_rule_sample(file.data(), file.size(), 1, false, rule));
    EXPECT_EQ(rule[0], 0x24);
}

TEST_F(SideFileCodecs, RuleSampleRefusalsKeepTheRule)
{
    use_v(3);
    const uint8_t kept[3] = {0x11, 0x22, 0x33};
    auto refused = [&kept](const bytes &file, int k, bool kcodes) {
        uint8_t rule[3] = {kept[0], kept[1], kept[2]};
        bool loaded = decode_rule_sample(file.data(), file.size(), k, kcodes, rule);
        EXPECT_EQ(bytes(rule, rule + 3), bytes(kept, kept + 3));
        return !loaded;
    };
    EXPECT_TRUE(refused({3, 1, 0x34}, 1, false));        // entry 2 holds 3
    EXPECT_TRUE(refused({3, 1, 0x64}, 1, false));        // padding bit 6 set
    EXPECT_TRUE(refused({3, 1, 0x24, 0}, 1, false));     // one byte too many
    EXPECT_TRUE(refused({3, 1}, 1, false));              // no table
    EXPECT_TRUE(refused({2, 1, 0x24}, 1, false));        // another v
    EXPECT_TRUE(refused({3, 2, 0x24}, 1, false));        // another k
    EXPECT_TRUE(refused({}, 1, false));
    // The regression input: v 3, k 3, kcodes (10 entries, 3 bytes); entry 0
    // of 0x53 is 3.
    EXPECT_TRUE(refused({3, 3, 0x53, 0x61, 0x04}, 3, true));
    // The same kcode with entry 0 made 2 loads; its top four bits are
    // padding and must stay clear.
    uint8_t rule[3] = {0, 0, 0};
    EXPECT_TRUE(decode_rule_sample(bytes{3, 3, 0x52, 0x61, 0x04}.data(), 5, 3, true, rule));
    EXPECT_EQ(bytes(rule, rule + 3), (bytes{0x52, 0x61, 0x04}));
    EXPECT_TRUE(refused({3, 3, 0x52, 0x61, 0x14}, 3, true));
}

TEST_F(SideFileCodecs, EveryPatternIsAValueForV2ButPaddingStillCounts)
{
    // v = 2, k = 2: four entries of one bit in one byte, bits 4..7 padding.
    uint8_t rule[1] = {0};
    EXPECT_TRUE(decode_rule_sample(bytes{2, 2, 0x0F}.data(), 3, 2, false, rule));
    EXPECT_EQ(rule[0], 0x0F);
    EXPECT_FALSE(decode_rule_sample(bytes{2, 2, 0x1F}.data(), 3, 2, false, rule));
    EXPECT_EQ(rule[0], 0x0F);
}

} // namespace
