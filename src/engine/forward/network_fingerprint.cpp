// Fingerprints of the network a forward run steps and of the state it
// stands on (network_fingerprint.h). Reads the network model (sizes, k-mix,
// wiring, rules and codes, seq_order), the lattice shape and wrap flags and
// the forward-only overrides (forward/globals.h). The rows hashed are the
// rows forward_step takes: one per cell of a mix, one per value of the cell
// with outer-totalistic codes, else row 0, each as long as the rows are made
// for the largest k. Start at network_fingerprint.
#include "engine/forward/network_fingerprint.h"

#include <cstring>

#include "engine/forward/globals.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/wiring/globals.h"

namespace {

// One 64-bit word mixed into the hash h.
uint64_t
mix(uint64_t h, uint64_t word)
{
    h = (h ^ word) * 0xFF51AFD7ED558CCDull;
    return h ^ (h >> 32);
}

// The bytes of block mixed into h, eight at a time.
uint64_t
mix_bytes(uint64_t h, const void *block, size_t bytes)
{
    const uint8_t *p = static_cast<const uint8_t *>(block);
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        uint64_t word;
        memcpy(&word, p + i, 8);
        h = mix(h, word);
    }
    uint64_t rest = 0;
    memcpy(&rest, p + i, bytes - i);
    return mix(h, rest ^ (static_cast<uint64_t>(bytes) << 56));
}

template <typename T>
uint64_t
mix_value(uint64_t h, const T &value)
{
    return mix_bytes(h, &value, sizeof value);
}

// Bytes of one row of the rules the step reads.
size_t
rule_row_bytes()
{
    if (!tot_only)
        return rule_bytes(nhood);
    return totalistic == rule_kind_tcodes ? tcode_bytes(nhood) : kcode_bytes(nhood);
}

} // namespace

uint64_t
line_hash(const uint8_t *line, size_t bytes)
{
    uint64_t h = mix_bytes(0x9E3779B97F4A7C15ull ^ bytes, line, bytes);
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 29);
}

uint64_t
network_fingerprint(uint8_t **rules, const step_mode &mode)
{
    uint64_t h = 0x243F6A8885A308D3ull;
    const int8_t shape[] = {value_range, nhood, totalistic};
    h = mix_bytes(h, shape, sizeof shape);
    const uint8_t flags[] = {tot_only, outer_tot, rulemix, nonlocal, wiring_madelocal,
                             loc_twod_fonly, twod, threed, hex2d, ib, jb, hb,
                             reverse_value_order, exhaustive_testing};
    h = mix_bytes(h, flags, sizeof flags);
    const int16_t dims[] = {i2d, j2d, i3d, j3d, h3d};
    h = mix_bytes(h, dims, sizeof dims);
    h = mix_value(h, lineL);
    if (nhoodm)
        h = mix_bytes(h, nhoodm, lineL);
    if (wiring && nhoodm)
        for (uint32_t c = 0; c < lineL; c++)
            if (wiring[c])
                h = mix_bytes(h, wiring[c], static_cast<size_t>(nhoodm[c]) * sizeof(uint16_t));
    if (rules) {
        const bool outer = tot_only && outer_tot;
        const uint32_t rows = outer ? static_cast<uint32_t>(value_range)
                              : rulemix && !mode.one_rule ? lineL
                                                          : 1;
        const size_t bytes = rule_row_bytes();
        for (uint32_t r = 0; r < rows; r++)
            if (rules[r])
                h = mix_bytes(h, rules[r], bytes);
    }
    const uint8_t steps[] = {mode.seq_update, mode.p_order, mode.one_rule, mode.fwd_only};
    h = mix_bytes(h, steps, sizeof steps);
    // A random order is drawn anew at each step: only a fixed order is the
    // network's.
    if (seq_order && mode.seq_update > update_parallel && mode.seq_update != update_random_order)
        h = mix_bytes(h, seq_order, static_cast<size_t>(lineL) * sizeof(uint16_t));
    if (mode.fwd_only) {
        h = mix_value(h, update_prob);
        h = mix_value(h, out_prob);
        h = mix_value(h, border);
        h = mix_value(h, b_value);
        h = mix_value(h, porder_min);
        h = mix_value(h, porder_max);
    }
    return h;
}

run_fingerprint
fingerprint_run(uint8_t **rules, const step_mode &mode, uint32_t t)
{
    run_fingerprint f;
    f.network = network_fingerprint(rules, mode);
    f.state = A ? line_hash(A, bytesL) : 0;
    f.time = t;
    f.bytes = bytesL;
    return f;
}
