// Network doubling (network_duplication.h). Reads and resizes the network
// model (model/globals.h, model/network_arrays.h) and recounts the
// out-degrees (wiring/out_degrees.h). Start at double_network: it copies
// what the doubled network keeps, frees and reallocates the arrays sized
// by the cell count, then writes every old cell into both of its copies.
#include "engine/forward/network_duplication.h"

#include <cassert>
#include <cstring>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arrays.h"
#include "engine/model/value_line.h"
#include "engine/wiring/out_degrees.h"

namespace {

using rows = std::vector<std::vector<uint8_t>>;

// Rows 0..count-1 of a rule or code family, bytes each; none when the
// family is not allocated.
rows
copy_rows(uint8_t *const *family, long count, size_t bytes)
{
    rows copy;
    if (!family)
        return copy;
    for (long c = 0; c < count; c++)
        copy.emplace_back(family[c], family[c] + bytes);
    return copy;
}

// Both copies of every old cell receive its row.
void
put_rows_doubled(uint8_t **family, const rows &old, uint32_t n, uint32_t width)
{
    if (!family)
        return;
    for (uint32_t c = 0; c < old.size(); c++)
        for (int half = 0; half < 2; half++)
            memcpy(family[doubled_cell(c, n, width, half)], old[c].data(), old[c].size());
}

} // namespace

bool
duplication_offered(uint32_t n, bool forward_only_lattice)
{
    return n <= kDuplicateMaxCells && !forward_only_lattice;
}

uint32_t
doubled_cell(uint32_t c, uint32_t n, uint32_t width, int right_half)
{
    if (width == 0)
        return c + (right_half ? n : 0);
    uint32_t i = c % width, j = c / width;
    return i + (right_half ? width : 0) + j * 2 * width;
}

void
double_network()
{
    // A 3d block has no side by side; the options never offer it.
    assert(!threed);
    const uint32_t n = lineL;
    const uint32_t width = twod ? static_cast<uint32_t>(i2d) : 0;
    const int k = nhood;

    // 1. What the doubled network keeps.
    std::vector<int8_t> kmix(nhoodm, nhoodm + n);
    const long mix_rows = rulemix ? static_cast<long>(n) : 0;
    rows rules = tot_only ? rows() : copy_rows(carule, mix_rows, rule_bytes(k));
    rows tcodes = copy_rows(cacode, mix_rows, tcode_bytes(k));
    rows kcodes = copy_rows(v_code, mix_rows, kcode_bytes(k));
    std::vector<std::vector<uint16_t>> inputs(n);
    for (uint32_t c = 0; wiring && c < n; c++)
        inputs[c].assign(wiring[c], wiring[c] + (kmix[c] > 0 ? kmix[c] : 0));
    std::vector<int> seed(n);
    for (uint32_t c = 0; c < n; c++)
        seed[c] = get_value(bitseed, c);

    // 2. Free what the cell count sized, while lineL is still the old n.
    checked_free(nhoodm);
    nhoodm = nullptr;
    if (rulemix) {
        if (!tot_only)
            free_mem_rulemix();
        free_mem_tcodemix();
    }
    free_mem_wiring();
    free_mem_CA_states();

    // 3. The doubled size and its arrays.
    lineL = static_cast<uint16_t>(2 * n);
    L = static_cast<uint16_t>(2 * n - 1);
    if (twod)
        i2d = static_cast<int16_t>(2 * width);
    bytesL = static_cast<uint16_t>(value_line_bytes(2 * n, value_bits));
    nhoodm = static_cast<int8_t *>(checked_calloc(2 * n, 1, "nhoodm"));
    if (rulemix) {
        if (!tot_only)
            allocate_mem_rulemix(k);
        allocate_mem_tcodemix(k);
    }
    allocate_mem_wiring();
    allocate_mem_CA_states();

    // 4-6. K-mix and wiring: each half wired to itself; empty slots stay Maxu.
    for (uint32_t c = 0; c < n; c++) {
        for (int half = 0; half < 2; half++) {
            uint32_t to = doubled_cell(c, n, width, half);
            nhoodm[to] = nhood_mixed ? kmix[c] : static_cast<int8_t>(k);
            for (size_t s = 0; s < inputs[c].size(); s++) {
                uint16_t x = inputs[c][s];
                wiring[to][s] = x == Maxu ? Maxu : static_cast<uint16_t>(doubled_cell(x, n, width, half));
            }
        }
    }
    nonlocal = 1;
    cell_out_freq();

    // 8. Rule and code rows: without a rule mix row 0 was never freed.
    if (rulemix) {
        put_rows_doubled(tot_only ? nullptr : carule, rules, n, width);
        put_rows_doubled(cacode, tcodes, n, width);
        put_rows_doubled(v_code, kcodes, n, width);
    }

    // 10. The old seed in both halves.
    for (uint32_t c = 0; c < n; c++)
        for (int half = 0; half < 2; half++)
            set_value(bitseed, doubled_cell(c, n, width, half), seed[c]);
}
