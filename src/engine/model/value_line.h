// Value lines: the one packing shared by states, seeds, rule tables, tcodes,
// kcodes, k-matrix rows and value-count tuples, and the conversions between
// value lines and 32-bit numbers (state numbers, rule numbers).
//
// Bit layout. A value line is one stream of bits: stream bit b is bit
// (b mod 8) of byte (b div 8), bit 0 being the least significant bit of the
// byte. Entry i of a line of width w occupies stream bits i*w .. i*w + w-1,
// its own least significant bit first. The width is value_bits (1 for v = 2,
// 2 for v = 3 or 4, 3 for v = 5..8); value-count tuples use widths up to 5.
// Files store these lines byte for byte, so the layout is binding.
//
//   w = 1: entry i is bit i%8 of byte i/8.
//   w = 2: entry i is bits 2*(i%4), 2*(i%4)+1 of byte i/4; no straddling.
//   w = 3: every 8 entries fill 3 bytes; entries 2 and 5 straddle bytes.
//
// Worked example, v = 3 (w = 2), entries 2, 1, 0, 2, 1:
//   stream bits (entry: low bit, high bit): e0 = 2 -> 0,1   e1 = 1 -> 1,0
//                                           e2 = 0 -> 0,0   e3 = 2 -> 0,1
//                                           e4 = 1 -> 1,0
//   byte 0 = bits 7..0 = e3 e2 e1 e0 = 10 00 01 10 = 0x86
//   byte 1 = e4 in bits 1..0          = 00 00 00 01 = 0x01
// and its state number (dec_equiv) is 2 + 1*3 + 0*9 + 2*27 + 1*81 = 140.
// Likewise v = 8 (w = 3) entries 3,1,4,0,2,7,5,6 are 0x0B 0xA1 0xD7, and
// v = 2 entries 1,0,1,1,0,0,0,0,1,1 are 0x0D 0x03.
#pragma once
#include <cstddef>
#include <cstdint>

#include "engine/model/globals.h"

// Entry i of a value line of width w (1..5); any other width reads 0.
// Independent of value_range.
inline int
get_value_flex(const uint8_t *line, uint32_t i, int w)
{
    if (w < 1 || w > 5)
        return 0;
    size_t b = static_cast<size_t>(i) * static_cast<size_t>(w);
    size_t byte = b >> 3;
    unsigned shift = static_cast<unsigned>(b & 7);
    unsigned bits = line[byte];
    if (shift + static_cast<unsigned>(w) > 8)
        bits |= static_cast<unsigned>(line[byte + 1]) << 8;
    return static_cast<int>((bits >> shift) & ((1u << w) - 1));
}

// Writes the low w bits of value into entry i of a width-w line; w of 0 or
// less writes nothing, w above 5 writes only the low 5 bits of the entry.
// No other bit of the line changes.
inline void
set_value_flex(uint8_t *line, uint32_t i, int value, int w)
{
    if (w < 1)
        return;
    size_t b = static_cast<size_t>(i) * static_cast<size_t>(w);
    int n = w < 5 ? w : 5;
    size_t byte = b >> 3;
    unsigned shift = static_cast<unsigned>(b & 7);
    unsigned mask = ((1u << n) - 1) << shift;
    unsigned bits = (static_cast<unsigned>(value) << shift) & mask;
    line[byte] = static_cast<uint8_t>((line[byte] & ~mask) | bits);
    if (shift + static_cast<unsigned>(n) > 8)
        line[byte + 1] = static_cast<uint8_t>((line[byte + 1] & ~(mask >> 8)) |
                                              (bits >> 8));
}

// Entry i of a value line of width value_bits; for v = 2, bit i.
inline int
get_value(const uint8_t *line, uint32_t i)
{
    if (value_range == 2)
        return (line[i >> 3] >> (i & 7)) & 1;
    return get_value_flex(line, i, value_bits);
}

// Writes entry i of a width-value_bits line; for v = 2 any non-zero value
// sets bit i and 0 clears it; for v > 2 the value's bits from value_bits
// upward are ignored (5 written into a 2-bit line stores 1).
inline void
set_value(uint8_t *line, uint32_t i, int value)
{
    if (value_range == 2) {
        uint8_t bit = static_cast<uint8_t>(1u << (i & 7));
        if (value)
            line[i >> 3] |= bit;
        else
            line[i >> 3] &= static_cast<uint8_t>(~bit);
        return;
    }
    set_value_flex(line, i, value, value_bits);
}

// Bit sets: one bit per item, item i at bit i%8 of byte i/8, whatever v is.
inline void
set_bitlong(uint8_t *set, uint32_t i, int bit)
{
    uint8_t mask = static_cast<uint8_t>(1u << (i & 7));
    if (bit)
        set[i >> 3] |= mask;
    else
        set[i >> 3] &= static_cast<uint8_t>(~mask);
}

inline int
get_bitlong(const uint8_t *set, uint32_t i)
{
    return (set[i >> 3] >> (i & 7)) & 1;
}

// The first item from i on whose bit is clear, end where none is before
// end (set holds at least end bits): a word of 64 set bits is passed at
// once, for the scans of sets where nearly every bit is set.
uint64_t next_clear_bitlong(const uint8_t *set, uint64_t i, uint64_t end);

// Bytes of a value line of count entries of width w: ceil(count*w/8).
size_t value_line_bytes(uint64_t count, int w);

// dec_equiv with an explicit base v and width w.
uint32_t dec_equiv_flex(const uint8_t *line, int last, int v, int w);
// State number of entries 0..last (last is an index, not a count): the sum of
// value(i) * v^i, cell 0 least significant, modulo 2^32 (a power of 2^32 or
// more counts as 4294967295). last below 0 gives 0. Callers keep last within
// maxL_lu - 1 (states) or max_dec_rule (rules), where no wrap occurs.
inline uint32_t
dec_equiv(const uint8_t *line, int last)
{
    if (value_range == 2 && last >= 0 && last < 32) {
        // The bytes themselves, cell 0 the lowest bit (the hot case).
        uint32_t sum = 0;
        for (int b = last / 8; b >= 0; b--)
            sum = (sum << 8) | line[b];
        return last < 31 ? sum & ((uint32_t(2) << last) - 1) : sum;
    }
    return dec_equiv_flex(line, last, value_range, value_bits);
}

// Writes number into entries 0..count-1 (count is a number of entries) as
// base-v digits, entry 0 least significant; count below 1 writes nothing. A
// number of v^count or more is not reduced: the top entry takes v-1 and the
// excess passes down, each entry taking at most v-1.
void dec_to_value_line(uint8_t *line, uint32_t number, int count);
// The same with an explicit base v and width w.
void dec_to_value_line_flex(uint8_t *line, uint32_t number, int count, int v, int w);
// The same for a line of 1-bit entries, whatever value_range is.
void dec_to_bit_line(uint8_t *line, uint32_t number, int count);
