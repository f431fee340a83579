// The packed parallel step of a v = 2 ring under one rule, and the checks
// that tell forward_step a network is such a ring. Reads nhoodm and the
// wiring table (model/globals.h) for the checks; the step itself reads and
// writes only its arguments and its file-local buffers. Start at
// step_packed_ring.
//
// Layout: the state is first laid out as the extended ring: bit p of `ring`
// holds cell (p - k/2) mod n, for p = 0 .. n+k-2, so the k inputs of cell c
// are bits c .. c+k-1, input 0 lowest, and the neighbourhood index of cell c
// is the k-bit field at bit c. Example, n = 5, k = 3, cells 0..4 = 1 0 1 1 0:
// ring bits 0..6 = 0 1 0 1 1 0 1 (cell 4, cells 0..4, cell 0); cell 0's
// index is bits 0..2 = 0 + 1*2 + 0*4 = 2, cell 4's is bits 4..6 = 1 + 0 + 4 = 5.
// Input j of the 64 cells of word w is then the 64-bit field at bit 64w + j.
//
// The rule is evaluated word by word, bit-sliced, up to k = 6; the indexes,
// where the caller wants them, are written beside each word's entries from
// the same layout, one cell's index in each 16-bit lane of a vector, 16
// cells to a vector on machines with AVX2 and 8 elsewhere: a 16-bit store
// a cell is then most of the work. Above k = 6 each cell's entry is looked
// up by its index.
#include "engine/forward/packed_ring.h"

#include <cstring>

#include "engine/model/globals.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "a state line is read as 64-bit words, cell c at bit c % 64 of word c / 64");

// Full unrolling of the fixed-count loops of the bit-sliced rule; an
// unoptimised build cannot unroll and would only warn.
#if defined(__OPTIMIZE__)
#define UNROLL_PRAGMA(text) _Pragma(#text)
#define UNROLL_LOOP(n) UNROLL_PRAGMA(GCC unroll n)
#else
#define UNROLL_LOOP(n)
#endif

namespace {

constexpr uint32_t kMaxCells = UINT16_MAX;
// The extended ring, one word to read past its end when shifting the inputs
// and one for the 8-byte windows of the indexes.
constexpr size_t kRingWords = (kMaxCells + packed_ring_max_k - 1 + 63) / 64 + 2;
constexpr size_t kCellWords = (kMaxCells + 63) / 64;

uint64_t ring[kRingWords];
uint64_t next[kCellWords];
// The indexes the lookup reads when the caller wants none.
uint16_t own_index[kMaxCells];

// Up to this k the rule is evaluated bit-sliced, 64 cells at once, as a tree
// of 2^k - 1 multiplexers (3 word operations each, about 3 per cell at
// k = 6); above it each cell's index, which nhd needs anyway, looks its
// entry up (about 5 operations per cell whatever k).
constexpr int kSlicedMaxK = 6;

// Index lanes: one cell's index in each 16-bit lane, 8 cells to a 16-byte
// vector everywhere (GCC/Clang vector extension: SSE2 on x86-64, NEON on
// ARM, plain code elsewhere) and 16 to a 32-byte vector where the machine
// has AVX2.
typedef uint16_t lanes8 __attribute__((vector_size(16)));
typedef uint16_t lanes16 __attribute__((vector_size(32)));

template <typename Lanes>
constexpr uint32_t lane_count = sizeof(Lanes) / sizeof(uint16_t);

// The code shared by the kernels of both widths (evaluate_8, evaluate_16):
// inlined into each, it is compiled with that kernel's instruction set.
#define ALWAYS_INLINE inline __attribute__((always_inline))

inline int
bit_of(const uint8_t *line, uint32_t i)
{
    return (line[i >> 3] >> (i & 7)) & 1;
}

// Bit p of ring |= cell (p - h) mod n of a.
void
set_ring_bit(const uint8_t *a, uint32_t n, int h, int64_t p)
{
    const int64_t cell = ((p - h) % static_cast<int64_t>(n) + n) % n;
    ring[p / 64] |= static_cast<uint64_t>(bit_of(a, static_cast<uint32_t>(cell))) << (p % 64);
}

// x << s, 0 for a shift of 64 or more.
inline uint64_t
shifted_up(uint64_t x, uint32_t s)
{
    return s < 64 ? x << s : 0;
}

// ring := the extended ring of the n cells of a (see the layout above),
// zero past bit n+k-2 up to the end of the words the step reads.
void
extend_ring(const uint8_t *a, uint32_t n, int k)
{
    const int h = k / 2;
    if (k >= 1 && n + k - 1 <= 64 && static_cast<uint32_t>(k - 1) <= n) {
        // One word: the cells moved up h, the last h wrapped below them and
        // the first k-1-h above them (a network stepped state by state).
        uint64_t cells = 0;
        for (uint32_t i = 0; i < (n + 7) / 8; i++)
            cells |= static_cast<uint64_t>(a[i]) << (8 * i);
        cells &= n < 64 ? (uint64_t(1) << n) - 1 : ~uint64_t(0);
        const uint32_t bits = n + k - 1;
        uint64_t word = shifted_up(cells, h) | (h ? cells >> (n - h) : 0) | shifted_up(cells, n + h);
        ring[0] = bits < 64 ? word & ((uint64_t(1) << bits) - 1) : word;
        ring[1] = ring[2] = 0;
        return;
    }
    const size_t used = (static_cast<size_t>(n) + k - 1 + 63) / 64 + 2;
    memset(ring, 0, used * sizeof(uint64_t));
    memcpy(ring, a, (n + 7) / 8);
    if (n % 64)
        ring[n / 64] &= (uint64_t(1) << (n % 64)) - 1;
    if (h > 0)
        for (size_t w = (static_cast<size_t>(n) + h + 63) / 64; w-- > 0;)
            ring[w] = (ring[w] << h) | (w ? ring[w - 1] >> (64 - h) : 0);
    // The wrapped cells before cell 0 and after cell n-1; a k above n wraps
    // more than once.
    for (int p = 0; p < h; p++)
        set_ring_bit(a, n, h, p);
    for (int64_t p = static_cast<int64_t>(n) + h; p < static_cast<int64_t>(n) + k - 1; p++)
        set_ring_bit(a, n, h, p);
}

// Input j of the 64 cells of word w.
ALWAYS_INLINE uint64_t
input_word(size_t w, int j)
{
    return j ? (ring[w] >> j) | (ring[w + 1] << (64 - j)) : ring[w];
}

// Bits c.. of ring, c a multiple of 8: one unaligned load.
ALWAYS_INLINE uint64_t
bits_from(uint32_t c)
{
    uint64_t bits;
    memcpy(&bits, reinterpret_cast<const unsigned char *>(ring) + (c >> 3), sizeof bits);
    return bits;
}

// pairs lane i := the 16 bits of ring from cell c + 8(i/8) (FROM 0) or 8
// cells later (FROM 1), c a multiple of 8 and window ring's 32 bits from
// cell c on. (An out parameter: a returned vector would change the ABI
// between the widths.)
template <typename Lanes, int FROM>
ALWAYS_INLINE void
byte_pairs(uint32_t window, Lanes &pairs)
{
    if constexpr (lane_count<Lanes> == 8) {
        pairs = Lanes{} + static_cast<uint16_t>(window >> (8 * FROM));
    } else {
        // The window in every 32 bits, then bytes FROM, FROM+1 in each lane
        // of the low half and FROM+1, FROM+2 in the high (one shuffle
        // within each half).
        typedef uint32_t words8 __attribute__((vector_size(32)));
        typedef uint8_t bytes32 __attribute__((vector_size(32)));
        const bytes32 bytes = reinterpret_cast<bytes32>(words8{} + window);
        constexpr int x = FROM, y = FROM + 1, z = FROM + 2;
        pairs = reinterpret_cast<Lanes>(__builtin_shufflevector(
            bytes, bytes, x, y, x, y, x, y, x, y, x, y, x, y, x, y, x, y,
            16 + y, 16 + z, 16 + y, 16 + z, 16 + y, 16 + z, 16 + y, 16 + z,
            16 + y, 16 + z, 16 + y, 16 + z, 16 + y, 16 + z, 16 + y, 16 + z));
    }
}

// index[c + i] := the k-bit field at bit c + i of ring, for the lanes of
// one vector, c a multiple of 8. Lane i takes bits i%8 .. i%8+7 of its 16
// bits as (bits * 2^(8 - i%8)) mod 2^16 >> 8; WIDE (k > 8) adds the next
// eight the same way from the 16 bits a byte later.
template <typename Lanes, bool WIDE>
ALWAYS_INLINE void
indexes_at(uint32_t c, uint16_t mask, uint16_t *index)
{
    uint32_t window;
    memcpy(&window, reinterpret_cast<const unsigned char *>(ring) + (c >> 3), sizeof window);
    Lanes up;
    if constexpr (lane_count<Lanes> == 8)
        up = Lanes{256, 128, 64, 32, 16, 8, 4, 2};
    else
        up = Lanes{256, 128, 64, 32, 16, 8, 4, 2, 256, 128, 64, 32, 16, 8, 4, 2};
    Lanes pairs;
    byte_pairs<Lanes, 0>(window, pairs);
    Lanes x = (pairs * up) >> 8;
    if (WIDE) {
        byte_pairs<Lanes, 1>(window, pairs);
        x |= ((pairs * up) >> 8) << 8;
    }
    x &= Lanes{} + mask;
    memcpy(index + c, &x, sizeof x);
}

// index[c] := the k-bit field at bit c of ring, for from <= c < to, from a
// multiple of 8: whole vectors, then a half vector, then the cells left.
template <typename Lanes, bool WIDE>
ALWAYS_INLINE void
write_index_range(uint32_t from, uint32_t to, int k, uint16_t *index)
{
    const uint16_t mask = static_cast<uint16_t>((1u << k) - 1);
    uint32_t c = from;
    for (; c + lane_count<Lanes> <= to; c += lane_count<Lanes>)
        indexes_at<Lanes, WIDE>(c, mask, index);
    if (lane_count<Lanes> > 8 && c + 8 <= to) {
        indexes_at<lanes8, WIDE>(c, mask, index);
        c += 8;
    }
    // Fewer than 8 cells left, from a multiple of 8.
    const uint64_t bits = c < to ? bits_from(c) : 0;
    for (uint32_t i = 0; c + i < to; i++)
        index[c + i] = static_cast<uint16_t>((bits >> i) & mask);
}

template <typename Lanes>
ALWAYS_INLINE void
write_indexes(uint32_t n, int k, uint16_t *index)
{
    if (k > 8)
        write_index_range<Lanes, true>(0, n, k, index);
    else
        write_index_range<Lanes, false>(0, n, k, index);
}

// The rule's entry for the 64 cells of word w, bit-sliced: entry[i] is all
// ones where rule entry i is 1, and level j of a tree of multiplexers
// chooses between entries that differ in index bit j only.
template <int K>
ALWAYS_INLINE uint64_t
sliced_word(const uint64_t *entry, size_t w)
{
    uint64_t t[1 << K];
UNROLL_LOOP(64)
    for (int i = 0; i < (1 << K); i++)
        t[i] = entry[i];
UNROLL_LOOP(8)
    for (int j = 0; j < K; j++) {
        const uint64_t x = input_word(w, j);
UNROLL_LOOP(32)
        for (int i = 0; i < (1 << (K - 1 - j)); i++)
            t[i] = t[2 * i] ^ ((t[2 * i] ^ t[2 * i + 1]) & x);
    }
    return t[0];
}

// next := the rule's entries for every cell, bit-sliced; with INDEXES,
// index[c] := every cell's index, each word's 64 written beside its entries
// (the vector stores then overlap the word operations of the rule).
template <int K, bool INDEXES, typename Lanes>
ALWAYS_INLINE void
evaluate_sliced(const uint8_t *rule, uint32_t n, uint16_t *index)
{
    uint64_t entry[1 << K];
    for (int i = 0; i < (1 << K); i++)
        entry[i] = bit_of(rule, static_cast<uint32_t>(i)) ? ~uint64_t(0) : 0;
    const size_t words = (n + 63) / 64;
    size_t w = 0;
    if (INDEXES) {
        const uint16_t mask = static_cast<uint16_t>((1u << K) - 1);
        for (; w < n / 64; w++) {
            next[w] = sliced_word<K>(entry, w);
UNROLL_LOOP(8)
            for (uint32_t i = 0; i < 64; i += lane_count<Lanes>)
                indexes_at<Lanes, false>(static_cast<uint32_t>(64 * w) + i, mask, index);
        }
        write_index_range<Lanes, false>(static_cast<uint32_t>(64 * w), n, K, index);
    }
    for (; w < words; w++)
        next[w] = sliced_word<K>(entry, w);
}

// The rule of the lookup, one byte per entry, made again whenever the rule
// differs from the copy it was made from (a byte comparison per step: the
// rule may change between steps).
int lookup_k = -1;
uint8_t lookup_rule[(1 << packed_ring_max_k) / 8];
uint8_t lookup_entry[1 << packed_ring_max_k];

void
follow_rule(const uint8_t *rule, int k)
{
    const size_t bytes = ((size_t(1) << k) + 7) / 8;
    if (k == lookup_k && memcmp(rule, lookup_rule, bytes) == 0)
        return;
    memcpy(lookup_rule, rule, bytes);
    for (uint32_t x = 0; x < (uint32_t(1) << k); x++)
        lookup_entry[x] = static_cast<uint8_t>(bit_of(rule, x));
    lookup_k = k;
}

// next := the rule's entries for every cell, each looked up by its index.
void
evaluate_by_lookup(const uint8_t *rule, int k, uint32_t n, const uint16_t *index)
{
    follow_rule(rule, k);
    uint8_t *out = reinterpret_cast<uint8_t *>(next);
    uint32_t c = 0;
    for (; c + 8 <= n; c += 8) {
        unsigned byte = 0;
UNROLL_LOOP(8)
        for (int i = 0; i < 8; i++)
            byte |= static_cast<unsigned>(lookup_entry[index[c + i]]) << i;
        out[c >> 3] = static_cast<uint8_t>(byte);
    }
    if (c < n) {
        unsigned byte = 0;
        for (int i = 0; c + i < n; i++)
            byte |= static_cast<unsigned>(lookup_entry[index[c + i]]) << i;
        out[c >> 3] = static_cast<uint8_t>(byte);
    }
}

// evaluate_sliced, with the indexes when index is not null.
template <int K, typename Lanes>
ALWAYS_INLINE void
sliced_with_or_without(const uint8_t *rule, uint32_t n, uint16_t *index)
{
    if (index)
        evaluate_sliced<K, true, Lanes>(rule, n, index);
    else
        evaluate_sliced<K, false, Lanes>(rule, n, index);
}

// next (and index, unless null) for the ring laid out in ring. k > kSlicedMaxK
// needs index.
template <typename Lanes>
ALWAYS_INLINE void
evaluate(const uint8_t *rule, int k, uint32_t n, uint16_t *index)
{
    static_assert(kSlicedMaxK == 6, "the switch below instantiates k = 0..kSlicedMaxK");
    switch (k) {
    case 0:
        return sliced_with_or_without<0, Lanes>(rule, n, index);
    case 1:
        return sliced_with_or_without<1, Lanes>(rule, n, index);
    case 2:
        return sliced_with_or_without<2, Lanes>(rule, n, index);
    case 3:
        return sliced_with_or_without<3, Lanes>(rule, n, index);
    case 4:
        return sliced_with_or_without<4, Lanes>(rule, n, index);
    case 5:
        return sliced_with_or_without<5, Lanes>(rule, n, index);
    case 6:
        return sliced_with_or_without<6, Lanes>(rule, n, index);
    default:
        write_indexes<Lanes>(n, k, index);
        evaluate_by_lookup(rule, k, n, index);
        return;
    }
}

// The kernels of the step, one per vector width: 8 index lanes anywhere,
// 16 on x86-64 machines with AVX2 (chosen at the first step).
void
evaluate_8(const uint8_t *rule, int k, uint32_t n, uint16_t *index)
{
    evaluate<lanes8>(rule, k, n, index);
}

void
write_indexes_8(uint32_t n, int k, uint16_t *index)
{
    write_indexes<lanes8>(n, k, index);
}

#if defined(__x86_64__) && defined(__GNUC__)
#define HAVE_LANES_16 1
__attribute__((target("avx2"))) void
evaluate_16(const uint8_t *rule, int k, uint32_t n, uint16_t *index)
{
    evaluate<lanes16>(rule, k, n, index);
}

__attribute__((target("avx2"))) void
write_indexes_16(uint32_t n, int k, uint16_t *index)
{
    write_indexes<lanes16>(n, k, index);
}

int
widest_lanes()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? 16 : 8;
}
#else
int
widest_lanes()
{
    return 8;
}
#endif

// The width in use, 0 until the first step or packed_ring_lanes.
int lanes_in_use = 0;

void
choose_lanes()
{
    if (!lanes_in_use)
        lanes_in_use = widest_lanes();
}

void
evaluate_in_lanes(const uint8_t *rule, int k, uint32_t n, uint16_t *index)
{
    choose_lanes();
#ifdef HAVE_LANES_16
    if (lanes_in_use == 16)
        return evaluate_16(rule, k, n, index);
#endif
    evaluate_8(rule, k, n, index);
}

} // namespace

int
uniform_inputs(uint32_t n)
{
    const int k = n ? nhoodm[0] : 0;
    if (k < 0 || k > packed_ring_max_k)
        return -1;
    for (uint32_t c = 1; c < n; c++)
        if (nhoodm[c] != k)
            return -1;
    return k;
}

int
wired_as_ring(uint32_t n, int k)
{
    for (uint32_t c = 0; c < n; c++) {
        const uint16_t *row = wiring[c];
        uint32_t cell = static_cast<uint32_t>(((static_cast<int64_t>(c) - k / 2) % n + n) % n);
        for (int j = 0; j < k; j++) {
            if (row[j] != cell)
                return 0;
            if (++cell == n)
                cell = 0;
        }
    }
    return 1;
}

int
packed_ring_lanes(int lanes)
{
    choose_lanes();
    if (lanes == 8 || (lanes == 16 && widest_lanes() == 16))
        lanes_in_use = lanes;
    return lanes_in_use;
}

void
step_packed_ring(const uint8_t *rule, int k, uint32_t n, const uint8_t *a, uint8_t *f,
                 uint16_t *index)
{
    extend_ring(a, n, k);
    // The sliced rule needs no indexes; the lookup reads them.
    if (!index && k > kSlicedMaxK)
        index = own_index;
    evaluate_in_lanes(rule, k, n, index);
    // Word by word (a ring of a few cells, stepped state by state, would
    // spend more on a call of memcpy than on the rest); the last byte keeps
    // its bits past cell n-1.
    const size_t bytes = (n + 7) / 8;
    const uint8_t *out = reinterpret_cast<const uint8_t *>(next);
    size_t i = 0;
    for (; i + 8 < bytes; i += 8)
        memcpy(f + i, out + i, 8);
    for (; i + 1 < bytes; i++)
        f[i] = out[i];
    const uint8_t valid = static_cast<uint8_t>(n % 8 ? (1u << (n % 8)) - 1 : 0xFF);
    f[i] = static_cast<uint8_t>((f[i] & ~valid) | (out[i] & valid));
}

void
write_ring_indexes(uint32_t n, int k, uint16_t *index)
{
    choose_lanes();
#ifdef HAVE_LANES_16
    if (lanes_in_use == 16)
        return write_indexes_16(n, k, index);
#endif
    write_indexes_8(n, k, index);
}
