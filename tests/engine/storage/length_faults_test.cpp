// The wrong-length texts of the fixed-layout files: each kind's text for a
// file of the wrong length, and, over a run of lengths around the right
// ones, a text exactly where the kind's decoder refuses a file of that
// length whose values are sound (so no refusal for a length goes unsaid
// and no sound length is called wrong).
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/model/globals.h"
#include "engine/model/model_test_support.h"
#include "engine/storage/graph_layout_codec.h"
#include "engine/storage/in_degree_codec.h"
#include "engine/storage/length_faults.h"
#include "engine/storage/side_file_codecs.h"
#include "engine/storage/stat_record_codec.h"

namespace {

using bytes = std::vector<uint8_t>;

// Rule tables of v = 2 before and after each test.
class LengthFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_value_range(2);
        tot_only = 0;
        totalistic = rule_kind_tables;
    }
    void TearDown() override { use_value_range(2); }
    // For every length from..to: a file of that length from make is
    // refused by decode exactly when fault gives a text.
    static void agree(size_t from, size_t to, const std::function<bytes(size_t)> &make,
                      const std::function<bool(const bytes &)> &decode,
                      const std::function<std::string(size_t)> &fault)
    {
        for (size_t size = from; size <= to; size++) {
            bytes file = make(size);
            ASSERT_EQ(file.size(), size);
            EXPECT_EQ(decode(file), fault(size).empty()) << size << " bytes: " << fault(size);
        }
    }
    static bytes zeros(size_t size) { return bytes(size, 0); }
};

TEST_F(LengthFaults, TheTextsSayTheLengthAndWhatTheLayoutAsks)
{
    EXPECT_EQ(graph_layout_length_fault(55, 13), "55 bytes, a layout of 13 nodes is 56");
    EXPECT_EQ(graph_layout_length_fault(57, 13), "57 bytes, a layout of 13 nodes is 56");
    EXPECT_EQ(stat_sample_length_fault(1, 3), "1 byte, a v2k3 record is 3");
    EXPECT_EQ(stat_sample_length_fault(5, 5), "5 bytes, a v2k5 record is 6");
    EXPECT_EQ(histogram_length_fault(0), "0 bytes, counts are 2 bytes each");
    EXPECT_EQ(histogram_length_fault(7), "7 bytes, counts are 2 bytes each");
    EXPECT_EQ(in_degree_length_fault(203), "203 bytes, 51-5001 counts of 4 bytes");
    EXPECT_EQ(rule_sample_length_fault(2, 3, false), "2 bytes, a v2k3 sample is 3");
    EXPECT_EQ(last_rule_length_fault(2, 5), "2 bytes, a v2k5 rule file is 6");
    EXPECT_EQ(ascii_table_length_fault(5, 7), "5 bytes, a table of 8 entries is 9");
    use_value_range(3);
    EXPECT_EQ(rule_sample_length_fault(4, 2, false), "4 bytes, a v3k2 sample is 5");
    EXPECT_EQ(stat_sample_length_fault(0, 2), "0 bytes, a v3k2 record is 5");
}

TEST_F(LengthFaults, AGraphLayoutIsRefusedForItsLengthExactlyWhenSaid)
{
    std::vector<int16_t *> positions(14);
    std::vector<std::vector<int16_t>> pairs(14, std::vector<int16_t>(2));
    for (size_t m = 0; m < 14; m++)
        positions[m] = pairs[m].data();
    agree(0, 80, zeros,
          [&](const bytes &f) { return decode_graph_layout(f.data(), f.size(), positions.data(), 13); },
          [](size_t s) { return graph_layout_length_fault(s, 13); });
}

TEST_F(LengthFaults, StatisticsFilesHistogramsAndInDegreesAgreeWithTheirDecoders)
{
    for (int v : {2, 3}) {
        use_value_range(v);
        for (int k : {1, 3, 5}) {
            agree(0, 3 * stat_record_bytes(k), zeros,
                  [k](const bytes &f) {
                      std::vector<uint8_t> records;
                      size_t spare = 0;
                      return decode_stat_sample(f.data(), f.size(), k, records, &spare);
                  },
                  [k](size_t s) { return stat_sample_length_fault(s, k); });
        }
    }
    agree(0, 40, zeros,
          [](const bytes &f) {
              std::vector<uint16_t> counts;
              return decode_histogram(f.data(), f.size(), counts);
          },
          histogram_length_fault);
    auto in_degrees = [](const bytes &f) {
        std::vector<uint32_t> counts;
        return decode_in_degree_counts(f.data(), f.size(), counts);
    };
    agree(190, 220, zeros, in_degrees, in_degree_length_fault);
    agree(19990, 20010, zeros, in_degrees, in_degree_length_fault);
}

TEST_F(LengthFaults, SideFilesOfTheRightHeaderAgreeWithTheirDecoders)
{
    for (int v : {2, 3, 4}) {
        use_value_range(v);
        for (int k : {1, 2, 3}) {
            // v and k first, every value 0 after them.
            auto headed = [v, k](size_t s) {
                bytes f(s, 0);
                if (s > 0)
                    f[0] = static_cast<uint8_t>(v);
                if (s > 1)
                    f[1] = static_cast<uint8_t>(k);
                return f;
            };
            size_t sample = rule_sample_file_bytes(k, false);
            bytes rule(64, 0);
            agree(2, sample + 4, headed,
                  [&](const bytes &f) { return decode_rule_sample(f.data(), f.size(), k, false, rule.data()); },
                  [k](size_t s) { return rule_sample_length_fault(s, k, false); });
            agree(2, sample + 4, headed,
                  [&](const bytes &f) {
                      return decode_last_rule(f.data(), f.size(), k, rule.data()) == last_rule_check::sound;
                  },
                  [k](size_t s) { return last_rule_length_fault(s, k); });
        }
        // The v digit, then '0' for each entry.
        auto table = [v](size_t s) {
            bytes f(s, '0');
            if (s > 0)
                f[0] = static_cast<uint8_t>('0' + v);
            return f;
        };
        bytes entries(64, 0);
        agree(1, 12, table,
              [&](const bytes &f) {
                  return decode_ascii_table(f.data(), f.size(), 7, entries.data()) == ascii_table_check::sound;
              },
              [](size_t s) { return ascii_table_length_fault(s, 7); });
    }
}

}  // namespace
