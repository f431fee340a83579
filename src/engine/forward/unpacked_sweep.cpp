// The unpacked parallel step (unpacked_sweep.h): the state line is spread to
// one byte per cell, every cell reads its inputs' bytes through its wiring
// row and takes its rule's entry into a byte, and the bytes are packed into
// f again. Spreading and packing cost a few operations a cell; reading a
// byte per input instead of a field of a packed line, and no
// read-modify-write of f per cell, save more on every cell of k inputs.
// Start at step_unpacked.
#include "engine/forward/unpacked_sweep.h"

#include <cstring>

#include "engine/model/value_line.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "eight cell bytes are packed as one 64-bit word, cell 8i+j at byte j");

namespace {

constexpr uint32_t kMaxCells = UINT16_MAX;
// Rounded up to whole words of eight cells for the v = 2 packing.
uint8_t cells[kMaxCells + 8];
uint8_t outs[kMaxCells + 8];

// spread[b]: byte b's eight bits as eight bytes 0/1, bit j at byte j.
struct spread_table {
    uint64_t of[256];
    spread_table()
    {
        for (unsigned b = 0; b < 256; b++) {
            of[b] = 0;
            for (unsigned j = 0; j < 8; j++)
                of[b] |= static_cast<uint64_t>((b >> j) & 1) << (8 * j);
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

void
spread_cells(const uint8_t *a, uint32_t n, int w)
{
    if (w == 1) {
        const uint32_t bytes = (n + 7) / 8;
        for (uint32_t i = 0; i < bytes; i++)
            memcpy(cells + 8 * i, &spread.of[a[i]], 8);
        return;
    }
    for (uint32_t c = 0; c < n; c++)
        cells[c] = static_cast<uint8_t>(get_value_flex(a, c, w));
}

void
pack_cells(uint8_t *f, uint32_t n, int w)
{
    if (w != 1) {
        for (uint32_t c = 0; c < n; c++)
            set_value_flex(f, c, outs[c], w);
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

// The cells' new values into outs, their indexes into index (INDEXES).
template <bool V2, bool MIX, bool INDEXES>
void
sweep_bytes(const unpacked_network &net, uint32_t n, uint16_t *index)
{
    uint8_t *const *rules = net.rules;
    const int8_t *k_of = net.k_of;
    uint16_t *const *wires = net.wires;
    const uint32_t *vpow = net.vpow;
    const int w = net.w;
    const uint8_t *rule = rules[0];
    for (uint32_t c = 0; c < n; c++) {
        const uint16_t *in = wires[c];
        const int k = k_of[c];
        uint32_t x = 0;
        if (V2) {
            for (int j = 0; j < k; j++)
                x |= static_cast<uint32_t>(cells[in[j]]) << j;
        } else {
            for (int j = 0; j < k; j++)
                x += static_cast<uint32_t>(cells[in[j]]) * vpow[j];
        }
        if (MIX)
            rule = rules[c];
        outs[c] = static_cast<uint8_t>(V2 ? (rule[x >> 3] >> (x & 7)) & 1 : get_value_flex(rule, x, w));
        if (INDEXES)
            index[c] = static_cast<uint16_t>(x);
    }
}

template <bool V2>
void
sweep_by_mix(const unpacked_network &net, uint32_t n, uint16_t *index)
{
    if (net.mix)
        index ? sweep_bytes<V2, true, true>(net, n, index) : sweep_bytes<V2, true, false>(net, n, index);
    else
        index ? sweep_bytes<V2, false, true>(net, n, index) : sweep_bytes<V2, false, false>(net, n, index);
}

} // namespace

void
step_unpacked(const unpacked_network &net, uint32_t n, const uint8_t *a, uint8_t *f, uint16_t *index)
{
    spread_cells(a, n, net.w);
    if (net.w == 1)
        sweep_by_mix<true>(net, n, index);
    else
        sweep_by_mix<false>(net, n, index);
    pack_cells(f, n, net.w);
}
