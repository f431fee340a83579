// In-degree histogram files on plain arrays: counts most significant byte
// first, 804 bytes for a last index of 200 and read back, the length of a
// file giving its last index, and every length that is no multiple of 4 or
// lies outside 204..20004 bytes refused with the caller's counts untouched.
#include <gtest/gtest.h>

#include <vector>

#include "engine/storage/in_degree_codec.h"

namespace {

TEST(InDegreeCodec, CountsAreBigEndian)
{
    std::vector<uint32_t> counts(51, 0);
    counts[0] = 4;
    counts[2] = 3;
    counts[50] = 0x01020304;
    std::vector<uint8_t> out;
    encode_in_degree_counts(counts.data(), 50, out);
    ASSERT_EQ(out.size(), 204u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 12),
              (std::vector<uint8_t>{0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 3}));
    EXPECT_EQ(std::vector<uint8_t>(out.end() - 4, out.end()), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(InDegreeCodec, LastIndex200Is804BytesAndReadsBack)
{
    std::vector<uint32_t> counts(201);
    for (uint32_t i = 0; i <= 200; i++)
        counts[i] = i * 2654435761u;
    std::vector<uint8_t> out;
    encode_in_degree_counts(counts.data(), 200, out);
    EXPECT_EQ(out.size(), 804u);
    std::vector<uint32_t> back;
    ASSERT_TRUE(decode_in_degree_counts(out.data(), out.size(), back));
    EXPECT_EQ(back, counts);
}

TEST(InDegreeCodec, A400ByteFileHasLastIndex99)
{
    std::vector<uint8_t> file(400, 0);
    std::vector<uint32_t> back;
    ASSERT_TRUE(decode_in_degree_counts(file.data(), file.size(), back));
    EXPECT_EQ(back.size() - 1, 99u);
}

TEST(InDegreeCodec, LengthsOutsideTheRangeOrNotWholeCountsAreRefused)
{
    std::vector<uint8_t> file(30000, 7);
    const std::vector<uint32_t> before{1, 2, 3};
    for (size_t length : {0, 3, 4, 8, 200, 203, 205, 206, 207, 805, 20003, 20005, 20008, 30000}) {
        std::vector<uint32_t> counts = before;
        EXPECT_FALSE(in_degree_file_length_sound(length)) << length;
        EXPECT_FALSE(decode_in_degree_counts(file.data(), length, counts)) << length;
        EXPECT_EQ(counts, before) << length;
    }
    for (size_t length : {204, 208, 804, 20000, 20004}) {
        std::vector<uint32_t> counts;
        EXPECT_TRUE(decode_in_degree_counts(file.data(), length, counts)) << length;
        EXPECT_EQ(counts.size(), length / 4);
        EXPECT_EQ(counts.front(), 0x07070707u);
    }
    // A length past 32 bits must not wrap into the range.
    EXPECT_FALSE(in_degree_file_length_sound((uint64_t(1) << 32) + 804));
}

} // namespace
