// Value lines: the bit layout for every width, the accessors' treatment of
// widths and values, and the conversions to and from 32-bit numbers.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model_test_support.h"

namespace {

class ValueLine : public ::testing::Test {
protected:
    void TearDown() override { use_value_range(2); }
};

TEST_F(ValueLine, ThreeValuesPackTwoBitsPerEntry)
{
    use_value_range(3);
    std::vector<uint8_t> line = pack({2, 1, 0, 2, 1});
    EXPECT_EQ(line[0], 0x86);
    EXPECT_EQ(line[1], 0x01);
    EXPECT_EQ(unpack(line.data(), 5), (std::vector<int>{2, 1, 0, 2, 1}));
    EXPECT_EQ(dec_equiv(line.data(), 4), 2u + 1 * 3 + 0 * 9 + 2 * 27 + 1 * 81);
}

TEST_F(ValueLine, EightValuesStraddleBytes)
{
    use_value_range(8);
    std::vector<uint8_t> line = pack({3, 1, 4, 0, 2, 7, 5, 6});
    EXPECT_EQ(line[0], 0x0B);
    EXPECT_EQ(line[1], 0xA1);
    EXPECT_EQ(line[2], 0xD7);
    EXPECT_EQ(line[3], 0x00);
    EXPECT_EQ(unpack(line.data(), 8), (std::vector<int>{3, 1, 4, 0, 2, 7, 5, 6}));
}

TEST_F(ValueLine, TwoValuesAreOneBitEach)
{
    use_value_range(2);
    std::vector<uint8_t> line = pack({1, 0, 1, 1, 0, 0, 0, 0, 1, 1});
    EXPECT_EQ(line[0], 0x0D);
    EXPECT_EQ(line[1], 0x03);
    // Rule 30 as a k = 3 table: entry i is bit i of 30.
    std::vector<uint8_t> rule = pack({0, 1, 1, 1, 1, 0, 0, 0});
    EXPECT_EQ(rule[0], 0x1E);
}

TEST_F(ValueLine, WritingOneEntryLeavesItsNeighbours)
{
    // Every width 1..5 and every position in a 3-byte window: setting one
    // entry to all ones or zero must change exactly that entry's bits.
    for (int w = 1; w <= 5; w++) {
        for (uint32_t i = 0; i < 24 / static_cast<uint32_t>(w); i++) {
            uint8_t line[4] = {0xA5, 0x5A, 0xC3, 0x3C};
            uint8_t before[4];
            std::copy(line, line + 4, before);
            int all = (1 << w) - 1;
            set_value_flex(line, i, all, w);
            EXPECT_EQ(get_value_flex(line, i, w), all);
            set_value_flex(line, i, 0, w);
            EXPECT_EQ(get_value_flex(line, i, w), 0);
            for (uint32_t b = 0; b < 32; b++) {
                bool inside = b >= i * w && b < (i + 1) * w;
                if (!inside) {
                    EXPECT_EQ(get_bitlong(line, b), get_bitlong(before, b))
                        << "w=" << w << " i=" << i << " bit " << b;
                }
            }
        }
    }
}

TEST_F(ValueLine, ValuesWiderThanTheEntryKeepTheirLowBits)
{
    use_value_range(3);
    // Three bytes hold ten entries of width 2 (v = 3), the wider of the two
    // uses of the line below.
    uint8_t line[3] = {0, 0, 0};
    set_value(line, 1, 5);
    EXPECT_EQ(get_value(line, 1), 1);
    EXPECT_EQ(get_value(line, 0), 0);
    use_value_range(2);
    set_value(line, 9, 5);
    EXPECT_EQ(get_value(line, 9), 1);
}

TEST_F(ValueLine, FlexWidthsOutsideOneToFive)
{
    uint8_t line[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(get_value_flex(line, 1, 0), 0);
    EXPECT_EQ(get_value_flex(line, 1, 6), 0);
    set_value_flex(line, 1, 0, 0);
    set_value_flex(line, 1, 0, -3);
    for (uint8_t byte : line)
        EXPECT_EQ(byte, 0xFF);
    // Width 6 writes only the low 5 bits of entry 1 (stream bits 6..10).
    set_value_flex(line, 1, 0, 6);
    EXPECT_EQ(line[0], 0x3F);
    EXPECT_EQ(line[1], 0xF8);
}

TEST_F(ValueLine, FlexIgnoresTheValueRange)
{
    use_value_range(2);
    uint8_t line[2] = {0, 0};
    set_value_flex(line, 1, 5, 3);
    EXPECT_EQ(get_value_flex(line, 1, 3), 5);
    EXPECT_EQ(line[0], 5 << 3);
}

TEST_F(ValueLine, BitSets)
{
    uint8_t set[3] = {0, 0, 0};
    set_bitlong(set, 0, 7);
    set_bitlong(set, 13, 1);
    set_bitlong(set, 23, 1);
    EXPECT_EQ(set[0], 0x01);
    EXPECT_EQ(set[1], 0x20);
    EXPECT_EQ(set[2], 0x80);
    EXPECT_EQ(get_bitlong(set, 13), 1);
    EXPECT_EQ(get_bitlong(set, 12), 0);
    set_bitlong(set, 13, 0);
    EXPECT_EQ(set[1], 0x00);
}

TEST_F(ValueLine, StateNumberOfNothingIsZero)
{
    uint8_t line[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(dec_equiv(line, -1), 0u);
    use_value_range(5);
    EXPECT_EQ(dec_equiv(line, -1), 0u);
}

TEST_F(ValueLine, StateNumberMatchesTheDigitSum)
{
    // Every value range at its largest admitted length: a pseudo-random
    // line's number against the sum computed here in 64 bits.
    const int max_len[] = {31, 20, 15, 13, 12, 11, 10};
    for (int v = 2; v <= 8; v++) {
        use_value_range(v);
        int n = max_len[v - 2];
        std::vector<uint8_t> line(16, 0);
        uint64_t expect = 0, p = 1;
        for (int i = 0; i < n; i++) {
            int x = (i * 7 + v) % v;
            set_value(line.data(), static_cast<uint32_t>(i), x);
            expect += static_cast<uint64_t>(x) * p;
            p *= static_cast<uint64_t>(v);
        }
        ASSERT_LT(expect, uint64_t(1) << 32);
        EXPECT_EQ(dec_equiv(line.data(), n - 1), static_cast<uint32_t>(expect)) << "v=" << v;
        // Shorter prefixes too, including the fast two-valued path.
        EXPECT_EQ(dec_equiv(line.data(), 0), static_cast<uint32_t>(get_value(line.data(), 0)));
    }
}

TEST_F(ValueLine, AllOnesOf32CellsIsTheLargestNumber)
{
    uint8_t line[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(dec_equiv(line, 31), 4294967295u);
    EXPECT_EQ(dec_equiv(line, 7), 255u);
    EXPECT_EQ(dec_equiv(line, 10), 2047u);
}

TEST_F(ValueLine, NumberToValueLineRoundTrips)
{
    for (int v = 2; v <= 8; v++) {
        use_value_range(v);
        std::vector<uint8_t> line(8, 0);
        for (uint32_t number : {0u, 1u, 140u, 4000u, 65535u}) {
            dec_to_value_line(line.data(), number, 10);
            // A number too large for ten digits caps every digit at v - 1.
            uint64_t top = int_power(v, 10) - 1;
            EXPECT_EQ(dec_equiv(line.data(), 9), number < top ? number : top) << "v=" << v;
        }
    }
    use_value_range(2);
    std::vector<uint8_t> line(4, 0);
    dec_to_value_line(line.data(), 4294967295u, 32);
    EXPECT_EQ(dec_equiv(line.data(), 31), 4294967295u);
}

TEST_F(ValueLine, NumberTooLargeForTheCountIsCapped)
{
    use_value_range(3);
    uint8_t line[2] = {0, 0};
    dec_to_value_line(line, 10, 2);
    EXPECT_EQ(get_value(line, 1), 2);
    EXPECT_EQ(get_value(line, 0), 2);
}

TEST_F(ValueLine, CountZeroWritesNothing)
{
    use_value_range(3);
    uint8_t line[2] = {0xFF, 0xFF};
    dec_to_value_line(line, 5, 0);
    dec_to_bit_line(line, 5, 0);
    EXPECT_EQ(line[0], 0xFF);
    EXPECT_EQ(line[1], 0xFF);
}

TEST_F(ValueLine, DigitsBeyondThirtyTwoBitsAreZero)
{
    // A rule number written into a table longer than any 32-bit number
    // needs: the high entries must be 0, the low ones its digits.
    use_value_range(3);
    std::vector<uint8_t> line(20, 0xFF);
    dec_to_value_line(line.data(), 3486784400u, 60);   // 3^20 - 1
    for (int i = 0; i < 20; i++)
        EXPECT_EQ(get_value(line.data(), static_cast<uint32_t>(i)), 2) << i;
    for (int i = 20; i < 60; i++)
        EXPECT_EQ(get_value(line.data(), static_cast<uint32_t>(i)), 0) << i;
}

TEST_F(ValueLine, NumberToBitLine)
{
    use_value_range(4);   // ignored by dec_to_bit_line
    uint8_t line[1] = {0xF0};
    dec_to_bit_line(line, 5, 4);
    EXPECT_EQ(get_bitlong(line, 0), 1);
    EXPECT_EQ(get_bitlong(line, 1), 0);
    EXPECT_EQ(get_bitlong(line, 2), 1);
    EXPECT_EQ(get_bitlong(line, 3), 0);
    EXPECT_EQ(line[0], 0xF5);
}

// The next clear bit from every place, in sets whose words are all set,
// all set but their first or last bit, or at random, against a bit-by-bit
// scan; end returned past the last clear bit, and where end cuts the set
// short.
TEST(BitSets, NextClearBitIsTheFirstClearFromThereOn)
{
    srandom(31);
    for (int trial = 0; trial < 40; trial++) {
        const uint64_t bits = 64 * (1 + random() % 6) + random() % 64;
        std::vector<uint8_t> set(bits / 8 + 9, 0);
        for (uint64_t word = 0; 64 * word < bits; word++) {
            long kind = random() % 4;
            for (uint64_t place = 0; place < 64 && 64 * word + place < bits; place++) {
                bool on = kind == 0 || (kind == 1 && place != 0) || (kind == 2 && place != 63) ||
                          (kind == 3 && random() % 3 != 0);
                set_bitlong(set.data(), static_cast<uint32_t>(64 * word + place), on);
            }
        }
        for (uint64_t end : {bits, bits - bits % 64, bits / 2})
            for (uint64_t i = 0; i <= end; i++) {
                uint64_t want = i;
                while (want < end && get_bitlong(set.data(), static_cast<uint32_t>(want)))
                    want++;
                ASSERT_EQ(next_clear_bitlong(set.data(), i, end), want) << "trial " << trial << " from " << i
                                                                       << " end " << end;
            }
    }
}

} // namespace

TEST_F(ValueLine, TwoValuedLinesAsTheBitLineWithBitsPastTheEndKept)
{
    // v = 2 writes bytes at once; the bit-by-bit writer is the reference,
    // saturation included, and the bits after the last entry stay.
    use_value_range(2);
    for (int count = 1; count <= 40; count++)
        for (uint32_t number : {0u, 1u, 0x5Au, 0x2F0Fu, 0x12345u, 0xFFFFFu, 0x80000001u, 4294967295u}) {
            std::vector<uint8_t> got(6, 0xA5), want(6, 0xA5);
            dec_to_value_line(got.data(), number, count);
            dec_to_bit_line(want.data(), number, count);
            EXPECT_EQ(got, want) << "count=" << count << " number=" << number;
        }
}
