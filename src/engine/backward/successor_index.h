// The inverse index of a successor table in little more than 4 bytes a
// state: the states sorted by successor (list), and where the group of each
// successor starts in it, kept as a bit string instead of a 4-byte offset
// per state.
//
// The bit string holds each successor t in turn, t = 0, 1, 2, ...: as many
// ones as t has pre-images, then a zero. The run of t starts at bit
// first(t) + t, first(t) being where t's group starts in list (t zeros and
// first(t) ones come before it). block_run[b] keeps the start of the run of
// t = 64b, so a lookup counts zeros from there: at most 63 of them, a word
// or two of bits apart. Example, 4 states with successors 2, 0, 2, 2: list
// 1 0 2 3, runs "1 0" (t = 0: state 1), "0" (t = 1), "1 1 1 0" (t = 2:
// states 0 2 3), "0" (t = 3): bits 1 0 0 1 1 1 0 0, first(2) = 5 - 2 = 3.
// Memory: list 4 bytes, runs 2 bits and block_run 1/8 byte a state.
#pragma once
#include <cstdint>

struct successor_index {
    uint64_t states = 0;
    uint32_t *list = nullptr;      // states entries: the states by successor, ascending in a group
    uint64_t *runs = nullptr;      // 2 x states bits, 64 a word, bit i of word w is bit 64w + i
    uint64_t *block_run = nullptr; // states / 64 + 1 entries
};

// The pre-images of a successor: list[first .. first + count).
struct pre_image_span {
    uint32_t first;
    uint32_t count;
};

// An index of states states, every bit clear; null arrays when states is 0.
void allocate_successor_index(successor_index &index, uint64_t states);
void free_successor_index(successor_index &index);

// Bit j (0 .. popcount(word) - 1) among the set bits of word, counted
// from the lowest: its position.
inline unsigned
nth_set_bit(uint64_t word, unsigned j)
{
    // Set bits a byte, then their running sums, byte i holding bytes 0..i.
    uint64_t x = word - ((word >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    uint64_t sums = x * 0x0101010101010101ull;
    // The bytes whose running sum is at most j come before j's byte.
    uint64_t at_most = ((j * 0x0101010101010101ull) | 0x8080808080808080ull) - sums;
    unsigned byte = static_cast<unsigned>(__builtin_popcountll(at_most & 0x8080808080808080ull));
    unsigned before = byte ? static_cast<unsigned>((sums >> (8 * byte - 8)) & 0xFF) : 0;
    uint64_t rest = word >> (8 * byte);
    for (unsigned skip = j - before; skip; skip--)
        rest &= rest - 1;
    return 8 * byte + static_cast<unsigned>(__builtin_ctzll(rest));
}

// The group of successor t (t < index.states).
inline pre_image_span
successor_group(const successor_index &index, uint32_t t)
{
    uint64_t start = index.block_run[t >> 6];
    unsigned j = t & 63;
    const uint64_t *runs = index.runs;
    if (j) {
        // Past the zeros that end the runs of t - j .. t - 1.
        uint64_t w = start >> 6;
        uint64_t zeros = ~runs[w] & (~uint64_t(0) << (start & 63));
        for (unsigned c; j > (c = static_cast<unsigned>(__builtin_popcountll(zeros)));) {
            j -= c;
            zeros = ~runs[++w];
        }
        start = 64 * w + nth_set_bit(zeros, j - 1) + 1;
    }
    // The run of t: ones up to the next zero.
    uint64_t w = start >> 6;
    uint64_t zeros = ~runs[w] & (~uint64_t(0) << (start & 63));
    while (!zeros)
        zeros = ~runs[++w];
    uint64_t end = 64 * w + static_cast<unsigned>(__builtin_ctzll(zeros));
    return {static_cast<uint32_t>(start - t), static_cast<uint32_t>(end - start)};
}
