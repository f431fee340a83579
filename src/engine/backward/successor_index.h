// The inverse index of a successor table: the states sorted by successor
// (list), and where the group of each successor starts in it. Two forms:
// - offsets: first[t], 4 bytes a successor; one read finds a group. For
//   tables below 2^24 states, where memory is plenty.
// - blocks: about half a byte a successor, so that a table of 2^24 to 2^28
//   states with its index keeps within 8 bytes a state (list 4, record 3
//   or 4). A block of 32 bytes holds 64 successors t = 64b .. 64b + 63:
//   first, where the group of 64b starts in list, and a bit string with,
//   for each t in turn, as many ones as t has pre-images, then a zero.
//   Counting t - 64b zeros from the start finds the run of t: the ones
//   before it are the pre-images of the block before t, the ones of the run
//   are t's own. Example, successors 0..3 of a block with 1, 0, 3 and 0
//   pre-images: bits 1 0 0 1 1 1 0 0; the run of 2 starts at bit 3 after 1
//   one, so its group is list[first + 1 .. first + 4). A block has room for
//   128 pre-images (twice the average); a block with more (a state with a
//   large fan, or successors crowded into part of the states) keeps where
//   each of its 64 groups starts, and where the last ends, in an overflow
//   array instead, its spill value in bits[0]: 65 distances from first of 2
//   bytes each where the block has fewer than 65,536 pre-images (spill =
//   2k + 1: narrow[65k ..]), else 65 list offsets of 4 bytes (spill =
//   2k + 2: wide[65k ..]). A lookup reads one block, within one cache line,
//   and where it spilled the overflow.
#pragma once
#include <cstddef>
#include <cstdint>

struct successor_block {
    static constexpr unsigned kRoom = 128; // pre-images the bits can hold
    uint32_t first = 0;   // the group of the block's first successor starts at list[first]
    // Zeros of the string in the words before bits[w] (0 for w = 0), so that
    // a lookup needs not count them.
    uint8_t zeros_before[3] = {};
    uint8_t spilled = 0;  // 1: bits[0] holds where the groups are kept in an overflow array
    uint64_t bits[3] = {}; // bit i of bits[w] is bit 64w + i of the string
};

// The form of an index: automatic chooses offsets below 2^24 states.
enum class index_form { automatic, offsets, blocks };

struct successor_index {
    uint64_t states = 0;
    uint32_t *list = nullptr;           // states entries: the states by successor, ascending in a group
    uint32_t *first = nullptr;          // offsets form: states + 1 entries; null in the blocks form
    successor_block *blocks = nullptr;  // states / 64 + 1 entries, 32-byte aligned
    void *block_memory = nullptr;       // the allocation blocks lies in
    uint16_t *narrow = nullptr;         // 65 distances from first for each narrow spilled block
    uint32_t *wide = nullptr;           // 65 list offsets for each wide spilled block
    uint64_t narrow_blocks = 0, wide_blocks = 0;
};

// The pre-images of a successor: list[first .. first + count).
struct pre_image_span {
    uint32_t first;
    uint32_t count;
};

// An index of states states in the form asked, every entry 0; nothing
// held when states is 0.
void allocate_successor_index(successor_index &index, uint64_t states, index_form form);
void free_successor_index(successor_index &index);
// Asks for large pages under the whole 2 MB stretches of a fresh block of
// bytes bytes: the tree walk and the index's sort read the table and the
// index at random, and with small pages nearly every read would miss the
// address cache too. Only a hint; nothing changes if the system gives none.
void advise_large_pages(void *block, size_t bytes);
// Keeps the 65 group starts of a block (64 successors and the end, list
// offsets) in an overflow array; returns the block's spill value. One
// thread at a time.
uint32_t spill_successor_block(successor_index &index, const uint32_t starts[65]);

// Set bits of a word, counted in the word's own bytes (the compiler's
// builtin calls a library function unless the build targets a processor
// with a count instruction).
inline unsigned
count_set_bits(uint64_t word)
{
    uint64_t x = word - ((word >> 1) & 0x5555555555555555ull);
    x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
    x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<unsigned>((x * 0x0101010101010101ull) >> 56);
}

// The position of set bit k (k < 8, counted from the lowest) of byte x,
// for every x and k: select_in_byte.at[x][k] (8 where x has no such bit).
struct byte_select_table {
    uint8_t at[256][8];
};
extern const byte_select_table select_in_byte;

// Bit j (0 .. count_set_bits(word) - 1) among the set bits of word, counted
// from the lowest: its position. No branch, so no mispredicted jump.
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
    unsigned byte = static_cast<unsigned>(((at_most & 0x8080808080808080ull) >> 7) * 0x0101010101010101ull >> 56);
    // The running sum before j's byte: byte - 1 of sums shifted one byte up.
    unsigned before = static_cast<unsigned>(((sums << 8) >> (8 * byte)) & 0xFF);
    return 8 * byte + select_in_byte.at[(word >> (8 * byte)) & 0xFF][j - before];
}

// Where block's groups are kept in an overflow array (spill value, see
// above), 0 where they are not.
inline uint64_t
block_spill(const successor_block &block)
{
    return block.spilled ? block.bits[0] : 0;
}

// The group of successor t (t < index.states).
inline pre_image_span
successor_group(const successor_index &index, uint32_t t)
{
    if (index.first)
        return {index.first[t], index.first[t + 1] - index.first[t]};
    const successor_block &block = index.blocks[t >> 6];
    unsigned j = t & 63;
    if (block.spilled) {
        uint64_t spill = block.bits[0];
        uint64_t at = 65 * ((spill - 1) >> 1) + j;
        if (spill & 1)
            return {block.first + index.narrow[at], static_cast<uint32_t>(index.narrow[at + 1] - index.narrow[at])};
        return {index.wide[at], index.wide[at + 1] - index.wide[at]};
    }
    // The run of t starts after the j zeros that end the runs before it:
    // the word the j-th ends in is the last whose zeros before it are
    // fewer than j.
    unsigned start = 0, w = 0;
    uint64_t zeros = ~block.bits[0];
    if (j) {
        w = (j > block.zeros_before[1]) + (j > block.zeros_before[2]);
        zeros = ~block.bits[w];
        start = 64 * w + nth_set_bit(zeros, j - 1 - block.zeros_before[w]) + 1;
        if ((start & 63) == 0)
            zeros = ~block.bits[++w];
        else
            zeros &= ~uint64_t(0) << (start & 63);
    }
    // Its ones end at the next zero.
    while (!zeros)
        zeros = ~block.bits[++w];
    unsigned end = 64 * w + static_cast<unsigned>(__builtin_ctzll(zeros));
    return {block.first + (start - j), end - start};
}
