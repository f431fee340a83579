// The unpacked parallel step (unpacked_sweep.h): the state line is spread to
// one byte per cell, every cell reads its inputs' bytes through its wiring
// row and takes its rule's entry into a byte, and the bytes are packed into
// f again. Spreading and packing cost a few operations a cell; reading a
// byte per input instead of a field of a packed line, and no
// read-modify-write of f per cell, save more on every cell of k inputs.
// Start at step_unpacked.
#include "engine/forward/unpacked_sweep.h"

#include <cstring>
#include <vector>

#include "engine/model/value_line.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "eight cell bytes are packed as one 64-bit word, cell 8i+j at byte j");

namespace {

constexpr uint32_t kMaxCells = UINT16_MAX;
// Rounded up to whole words of eight cells for the v = 2 packing.
uint8_t cells[kMaxCells + 8];
uint8_t outs[kMaxCells + 8];

// spread.of[b]: byte b's eight bits as eight bytes 0/1, bit j at byte j;
// spread.pairs[b]: its four 2-bit values as four bytes, value j at byte j.
struct spread_table {
    uint64_t of[256];
    uint32_t pairs[256];
    spread_table()
    {
        for (unsigned b = 0; b < 256; b++) {
            of[b] = 0;
            pairs[b] = 0;
            for (unsigned j = 0; j < 8; j++)
                of[b] |= static_cast<uint64_t>((b >> j) & 1) << (8 * j);
            for (unsigned j = 0; j < 4; j++)
                pairs[b] |= ((b >> (2 * j)) & 3u) << (8 * j);
        }
    }
};
const spread_table spread;

// Eight bytes 0/1 packed into one, byte j to bit j: the product gathers
// byte j's bit at bit 56 + j.
inline uint8_t
pack_eight(uint64_t bytes)
{
    return static_cast<uint8_t>((bytes * 0x0102040810204080ull) >> 56);
}

// Four bytes 0..3 packed into one, byte j to bits 2j..2j+1: the product
// gathers byte j at bit 24 + 2j, the other partial products fall below bit
// 24 without carrying or above bit 31.
inline uint8_t
pack_four(uint32_t bytes)
{
    return static_cast<uint8_t>((static_cast<uint64_t>(bytes) * 0x01041040ull) >> 24);
}

// A line of w-bit values with 8 bytes to spare, so that every value is
// read by one unaligned 64-bit load.
uint8_t padded[(kMaxCells * 5 + 7) / 8 + 8];

void
spread_cells(const uint8_t *a, uint32_t n, int w)
{
    if (w == 1) {
        const uint32_t bytes = (n + 7) / 8;
        for (uint32_t i = 0; i < bytes; i++)
            memcpy(cells + 8 * i, &spread.of[a[i]], 8);
        return;
    }
    const size_t bytes = (static_cast<size_t>(n) * w + 7) / 8;
    if (w == 2) {
        for (size_t i = 0; i < bytes; i++)
            memcpy(cells + 4 * i, &spread.pairs[a[i]], 4);
        return;
    }
    memcpy(padded, a, bytes);
    memset(padded + bytes, 0, 8);
    const uint64_t mask = (uint64_t(1) << w) - 1;
    for (uint32_t c = 0; c < n; c++) {
        const size_t b = static_cast<size_t>(c) * w;
        uint64_t bits;
        memcpy(&bits, padded + (b >> 3), 8);
        cells[c] = static_cast<uint8_t>((bits >> (b & 7)) & mask);
    }
}

// f := the n w-bit values of values, 32 bits at a time; the bits of the
// last byte past the last value keep their values.
void
pack_values(uint8_t *f, const uint8_t *values, uint32_t n, int w)
{
    uint64_t acc = 0;
    int held = 0;
    uint8_t *to = f;
    for (uint32_t c = 0; c < n; c++) {
        acc |= static_cast<uint64_t>(values[c]) << held;
        held += w;
        if (held >= 32) {
            const uint32_t word = static_cast<uint32_t>(acc);
            memcpy(to, &word, 4);
            to += 4;
            acc >>= 32;
            held -= 32;
        }
    }
    for (; held >= 8; held -= 8, acc >>= 8)
        *to++ = static_cast<uint8_t>(acc);
    if (held > 0) {
        const uint8_t low = static_cast<uint8_t>((1u << held) - 1);
        *to = static_cast<uint8_t>((*to & ~low) | (acc & low));
    }
}

void
pack_cells(uint8_t *f, uint32_t n, int w)
{
    if (w == 2) { // whole bytes of four cells, then the rest as any w
        const uint32_t whole = n / 4;
        for (uint32_t i = 0; i < whole; i++) {
            uint32_t four;
            memcpy(&four, outs + 4 * i, 4);
            f[i] = pack_four(four);
        }
        pack_values(f + whole, outs + 4 * whole, n % 4, w);
        return;
    }
    if (w != 1) {
        pack_values(f, outs, n, w);
        return;
    }
    const uint32_t whole = n / 8;
    for (uint32_t i = 0; i < whole; i++) {
        uint64_t eight;
        memcpy(&eight, outs + 8 * i, 8);
        f[i] = pack_eight(eight);
    }
    if (n % 8) { // the last byte keeps its bits past cell n-1
        uint8_t byte = f[whole];
        for (uint32_t c = 8 * whole; c < n; c++) {
            const uint8_t bit = static_cast<uint8_t>(1u << (c & 7));
            byte = static_cast<uint8_t>(outs[c] ? byte | bit : byte & ~bit);
        }
        f[whole] = byte;
    }
}

// The wiring copied by follow_wiring: cell c's inputs at c * stride.
struct wiring_copy {
    uint16_t *const *wires = nullptr;
    const int8_t *k_of = nullptr;
    uint32_t n = 0;
    size_t stride = 0; // the largest k
    int least_k = 0;
    std::vector<uint16_t> inputs;
};
wiring_copy held_wiring;

// Rule 0 one byte per entry for v > 2, made again whenever the rule differs
// from the copy it was made from (a byte comparison per step: the rule may
// change between steps). Tables of up to kMostEntries entries.
constexpr uint32_t kMostEntries = uint32_t(1) << 16;
uint8_t entry_of[kMostEntries];
uint8_t entries_from[kMostEntries * 5 / 8];
uint32_t entries_held = 0;
int entries_w = 0;

// True when entry_of holds rule's first entries entries of w bits.
bool
follow_rule(const uint8_t *rule, uint64_t entries, int w)
{
    if (entries > kMostEntries)
        return false;
    const size_t bytes = (static_cast<size_t>(entries) * w + 7) / 8;
    if (static_cast<uint32_t>(entries) == entries_held && w == entries_w && memcmp(rule, entries_from, bytes) == 0)
        return true;
    memcpy(entries_from, rule, bytes);
    for (uint32_t x = 0; x < static_cast<uint32_t>(entries); x++)
        entry_of[x] = static_cast<uint8_t>(get_value_flex(rule, x, w));
    entries_held = static_cast<uint32_t>(entries);
    entries_w = w;
    return true;
}

// How a cell's entry is read: a bit of its rule (v = 2), a byte of entry_of
// (one rule, v > 2), two bits of its rule (v = 3, 4), or a field of w bits
// of its rule.
enum class Entry { bit, byte, pair, field };

// What one step's sweep reads, found once.
struct sweep_args {
    const unpacked_network *net;
    uint32_t n;
    uint16_t *index;
    uint32_t entries;    // entry_of holds entries 0 .. entries-1 (Entry::byte)
    const uint16_t *flat; // the wiring copy, or null: the rows
    size_t stride;
};

// The cells' new values into outs, their indexes into index.
// K > 0: every cell has K inputs, read from the wiring copy (then of stride
// K), the loop over them unrolled; K = 0: each cell's own k.
template <int K, Entry E, bool MIX>
void
sweep_bytes(const sweep_args &s)
{
    uint8_t *const *rules = s.net->rules;
    const int8_t *k_of = s.net->k_of;
    uint16_t *const *wires = s.net->wires;
    const uint32_t *vpow = s.net->vpow;
    const int w = s.net->w;
    const uint8_t *rule = rules[0];
    const uint16_t *flat = s.flat;
    const size_t stride = K ? K : s.stride;
    uint16_t *index = s.index;
    const uint32_t n = s.n, entries = s.entries;
    for (uint32_t c = 0; c < n; c++) {
        const uint16_t *in = flat ? flat + c * stride : wires[c];
        const int k = K ? K : k_of[c];
        uint32_t x = 0;
        if (E == Entry::bit) {
            for (int j = 0; j < k; j++)
                x |= static_cast<uint32_t>(cells[in[j]]) << j;
        } else {
            for (int j = 0; j < k; j++)
                x += static_cast<uint32_t>(cells[in[j]]) * vpow[j];
        }
        if (MIX)
            rule = rules[c];
        if (E == Entry::bit)
            outs[c] = static_cast<uint8_t>((rule[x >> 3] >> (x & 7)) & 1);
        else if (E == Entry::byte && x < entries)
            outs[c] = entry_of[x];
        else if (E == Entry::pair)
            outs[c] = static_cast<uint8_t>((rule[x >> 2] >> ((x & 3) << 1)) & 3);
        else // a state holding values of v or more reads past the table
            outs[c] = static_cast<uint8_t>(get_value_flex(rule, x, w));
        index[c] = static_cast<uint16_t>(x);
    }
}

template <int K>
void
sweep_by_entry(const sweep_args &s, Entry e)
{
    const bool mix = s.net->mix;
    if (e == Entry::bit)
        mix ? sweep_bytes<K, Entry::bit, true>(s) : sweep_bytes<K, Entry::bit, false>(s);
    else if (e == Entry::byte)
        sweep_bytes<K, Entry::byte, false>(s);
    else if (e == Entry::pair)
        mix ? sweep_bytes<K, Entry::pair, true>(s) : sweep_bytes<K, Entry::pair, false>(s);
    else
        mix ? sweep_bytes<K, Entry::field, true>(s) : sweep_bytes<K, Entry::field, false>(s);
}

// The largest k with a sweep of its own, for networks of one k: the
// largest of a 1d network.
constexpr int kUnrolledMaxK = 13;

// The sweep of K = uniform_k if it has one (1 <= K <= kUnrolledMaxK), else K = 0.
template <int K = kUnrolledMaxK>
void
sweep_by_k(const sweep_args &s, Entry e, int uniform_k)
{
    if constexpr (K == 0)
        sweep_by_entry<0>(s, e);
    else if (uniform_k == K)
        sweep_by_entry<K>(s, e);
    else
        sweep_by_k<K - 1>(s, e, uniform_k);
}

} // namespace

void
follow_wiring(uint16_t *const *wires, const int8_t *k_of, uint32_t n)
{
    wiring_copy &copy = held_wiring;
    int most_k = 0, least_k = n ? k_of[0] : 0;
    for (uint32_t c = 0; c < n; c++) {
        most_k = k_of[c] > most_k ? k_of[c] : most_k;
        least_k = k_of[c] < least_k ? k_of[c] : least_k;
    }
    copy.stride = static_cast<size_t>(most_k);
    copy.least_k = least_k;
    copy.inputs.assign(copy.stride * n + 1, 0);
    for (uint32_t c = 0; c < n; c++)
        for (int j = 0; j < k_of[c]; j++)
            copy.inputs[c * copy.stride + static_cast<size_t>(j)] = wires[c][j];
    copy.wires = wires;
    copy.k_of = k_of;
    copy.n = n;
}

void
forget_wiring()
{
    held_wiring.wires = nullptr;
    held_wiring.k_of = nullptr;
    held_wiring.n = 0;
}

void
step_unpacked(const unpacked_network &net, uint32_t n, const uint8_t *a, uint8_t *f, uint16_t *index)
{
    spread_cells(a, n, net.w);
    const wiring_copy &copy = held_wiring;
    const bool copied = copy.wires == net.wires && copy.k_of == net.k_of && copy.n == n;
    // The range of k, from the copy when there is one.
    int most_k = copied ? static_cast<int>(copy.stride) : 0, least_k = copied ? copy.least_k : 0;
    if (!copied && n > 0) {
        least_k = net.k_of[0];
        for (uint32_t c = 0; c < n; c++) {
            most_k = net.k_of[c] > most_k ? net.k_of[c] : most_k;
            least_k = net.k_of[c] < least_k ? net.k_of[c] : least_k;
        }
    }
    // The entries of rule 0 the cells' indexes reach, v^(largest k), up to
    // one past the most entry_of holds.
    uint64_t entries = 1;
    for (int j = 0; j < most_k && entries <= kMostEntries; j++)
        entries *= net.vpow[1];
    sweep_args s{&net, n, index, 0, copied ? copy.inputs.data() : nullptr, copy.stride};
    Entry e = Entry::field;
    if (net.w == 1) {
        e = Entry::bit;
    } else if (!net.mix && follow_rule(net.rules[0], entries, net.w)) {
        e = Entry::byte;
        s.entries = static_cast<uint32_t>(entries);
    } else if (net.w == 2) {
        e = Entry::pair;
    }
    // One k for every cell, read from the copy (of stride k), is unrolled.
    const bool uniform = least_k == most_k && copied;
    sweep_by_k(s, e, uniform ? most_k : 0);
    pack_cells(f, n, net.w);
}
