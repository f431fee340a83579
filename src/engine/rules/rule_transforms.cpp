// Rule transformations (see rule_transforms.h). Start at the five fixed
// transformations, then raise_rule_k and reduce_to_effective_k, which also
// rewrite k, the wiring and, with one rule, the network's rule arrays.
// Reads and writes the model globals (carule, nhoodm, nhood, wiring, the
// codes) and calls the wiring layer to wire lattices again.
//
// Example, v = 2, k = 3, rule 150 (T = bits of 0x96, entry 0 lowest):
// invert gives T'[i] = T[7-i] = 0x69, complement 0x69, reflection 0x96
// (the rule is symmetric), solid sets entries 2, 3, 6, 7 (middle digit 1)
// to 1: 0xDE.
#include "engine/rules/rule_transforms.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/network_arrays.h"
#include "engine/model/rule_parameters.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_wireup.h"
#include "engine/wiring/out_degrees.h"
#include "engine/wiring/wire_up.h"

namespace {

uint32_t
entries_of(int k)
{
    return static_cast<uint32_t>(int_power(value_range, k));
}

// dst[i] = src[index(i)] over v^k entries, built aside and copied back.
template <typename F>
void
permute_table(int k, uint8_t *table, F index)
{
    uint32_t N = entries_of(k);
    std::vector<uint8_t> copy(table, table + rule_bytes(k));
    for (uint32_t i = 0; i < N; i++)
        set_value(table, i, get_value(copy.data(), index(i)));
}

// Index i with its base-v digit j removed (digits above j move down).
uint32_t
drop_digit(uint32_t i, int j)
{
    uint32_t low_span = entries_of(j);
    return i % low_span + (i / (low_span * value_range)) * low_span;
}

bool
regular_wiring()
{
    return !nonlocal || regular2d || regular2d_tgrid || regular3d;
}

// Every wiring row re-sized to slots (new slots Maxu).
void
resize_wiring_rows(int old_slots, int slots)
{
    char label[32];
    for (uint32_t c = 0; c < lineL; c++) {
        snprintf(label, sizeof label, "wiring[%u]", c);
        wiring[c] = static_cast<uint16_t *>(
            checked_realloc(wiring[c], static_cast<size_t>(slots) * sizeof(uint16_t), label));
        for (int j = old_slots; j < slots; j++)
            wiring[c][j] = Maxu;
    }
}

// The new input of cell c going from k to k+1 inputs, as the table
// widening adds it: the top slot for even k, slot 0 (the others moving up)
// for odd k. The row must hold k+1 slots.
void
add_wiring_input(uint32_t c, int k)
{
    long n = lineL, half = (k + 1) / 2;
    if (k % 2 == 0) {
        wiring[c][k] = static_cast<uint16_t>(((long(c) - half + k) % n + n) % n);
    } else {
        memmove(wiring[c] + 1, wiring[c], static_cast<size_t>(k) * sizeof(uint16_t));
        wiring[c][0] = static_cast<uint16_t>(((long(c) - half) % n + n) % n);
    }
}

// Slot j of a row of k used slots removed; the freed last slot reads Maxu.
void
drop_wiring_slot(uint16_t *row, int k, int j)
{
    memmove(row + j, row + j + 1, static_cast<size_t>(k - 1 - j) * sizeof(uint16_t));
    row[k - 1] = Maxu;
}

void
recount_k_bounds()
{
    int lb = Maxnhood, ub = 1;
    for (uint32_t c = 0; c < lineL; c++) {
        if (nhoodm[c] < lb)
            lb = nhoodm[c];
        if (nhoodm[c] > ub)
            ub = nhoodm[c];
    }
    nhood_lb = static_cast<uint8_t>(lb);
    nhood_ub = static_cast<uint8_t>(ub);
}

void
wire_lattice_again()
{
    if (loc_twod_fonly || !wiring)
        return;
    if (threed == 3)
        wireup_3d_nhood(static_cast<int16_t>(i3d - 1), static_cast<int16_t>(j3d - 1),
                        static_cast<int16_t>(h3d - 1), 0, 0, 0);
    else if (twod == 2)
        wireup_2d_nhood(static_cast<int16_t>(i2d - 1), static_cast<int16_t>(j2d - 1), 0, 0);
}

// One step k -> k+1 of the one-rule network.
void
raise_network_one_input(int k)
{
    int k1 = k + 1;
    std::vector<uint8_t> old(carule[0], carule[0] + rule_bytes(k));
    free_mem_rule0_extra();
    free_mem_all_0s_all_1s_rules();
    nhood = static_cast<int8_t>(k1);
    for (uint32_t c = 0; c < lineL; c++)
        nhoodm[c] = static_cast<int8_t>(k1);
    allocate_mem_rule0_extra(k1);
    allocate_mem_all_0s_all_1s_rules(k1);
    carule[0] = static_cast<uint8_t *>(checked_realloc(carule[0], rule_bytes(k1), "carule[0]"));
    widen_rule_table(k, old.data(), carule[0]);
    nhood_ub = static_cast<uint8_t>(k1);
    if (loc_twod_fonly || !wiring)
        return;
    resize_wiring_rows(k, k1);
    if (regular_wiring() && oned && !twod && !threed) {
        for (uint32_t c = lineL; c-- > 0;)
            oneD_local_wire_cell(static_cast<uint16_t>(c), L);
    } else if (regular_wiring() && (twod == 2 || threed == 3)) {
        wire_lattice_again();
    } else {
        for (uint32_t c = 0; c < lineL; c++)
            add_wiring_input(c, k);
    }
}

} // namespace

void
solid_rule(int k, uint8_t *table)
{
    int top = value_range - 1;
    uint32_t N = entries_of(k);
    for (uint32_t i = 0; i < N; i++)
        if (get_value(nm[k / 2], i) == top)
            set_value(table, i, top);
}

void
invert_rule(int k, uint8_t *table)
{
    uint32_t R = entries_of(k) - 1;
    permute_table(k, table, [R](uint32_t i) { return R - i; });
}

void
complement_rule(int k, uint8_t *table)
{
    int top = value_range - 1;
    uint32_t N = entries_of(k);
    for (uint32_t i = 0; i < N; i++)
        set_value(table, i, top - get_value(table, i));
}

void
negate_rule(int k, uint8_t *table)
{
    invert_rule(k, table);
    complement_rule(k, table);
}

void
reflect_rule(int k, uint8_t *table)
{
    std::vector<uint8_t> copy(table, table + rule_bytes(k));
    reflect_m_ruletable(k, copy.data(), table);
}

void
complement_tcode(int k, uint8_t *tcode)
{
    int top = value_range - 1;
    for (uint32_t s = 0; s < tcode_entries(k); s++)
        set_value(tcode, s, top - get_value(tcode, s));
}

void
invert_tcode(int k, uint8_t *tcode)
{
    uint32_t last = tcode_entries(k) - 1;
    std::vector<uint8_t> copy(tcode, tcode + tcode_bytes(k));
    for (uint32_t s = 0; s <= last; s++)
        set_value(tcode, s, get_value(copy.data(), last - s));
}

void
widen_rule_table(int k, const uint8_t *src, uint8_t *dst)
{
    int v = value_range;
    uint32_t N = entries_of(k);
    for (uint32_t i = 0; i < N; i++) {
        int out = get_value(src, i);
        for (int u = 0; u < v; u++) {
            uint32_t to = (k + 1) % 2 ? i + N * static_cast<uint32_t>(u)
                                      : static_cast<uint32_t>(v) * i + static_cast<uint32_t>(u);
            set_value(dst, to, out);
        }
    }
}

int
raise_ceiling()
{
    return nhood_mixed ? nhood : Maxnhood;
}

bool
raise_rule_k(int cell, int k_new)
{
    // A rule mix of one k would have only row 0 sized for the new k.
    if ((rulemix && !nhood_mixed) || k_new <= nhoodm[cell] || k_new > raise_ceiling())
        return false;
    if (nhood_mixed) {
        for (int k = nhoodm[cell]; k < k_new; k++) {
            std::vector<uint8_t> old(carule[cell], carule[cell] + rule_bytes(k));
            nhoodm[cell] = static_cast<int8_t>(k + 1);
            widen_rule_table(k, old.data(), carule[cell]);
            if (wiring)
                add_wiring_input(static_cast<uint32_t>(cell), k);
        }
    } else {
        free_v_code_arrays();
        free_mem_tcode0();
        for (int k = nhoodm[0]; k < k_new; k++)
            raise_network_one_input(k);
        allocate_mem_tcode0(nhood);
        set_up_v_code();
    }
    recount_k_bounds();
    if (wiring)
        cell_out_freq();
    return true;
}

uint32_t
active_inputs(int k, const uint8_t *table)
{
    int v = value_range;
    uint32_t N = entries_of(k), active = 0;
    for (int j = k - 1; j >= 0; j--) {
        uint32_t step = entries_of(j);
        for (uint32_t i = N; i-- > 0 && !(active >> j & 1u);) {
            uint32_t base = i - get_value(nm[j], i) * step;
            for (int u = 0; u < v; u++)
                if (get_value(table, base + static_cast<uint32_t>(u) * step) != get_value(table, i)) {
                    active |= 1u << j;
                    break;
                }
        }
    }
    return active;
}

int
reduce_to_effective_k(int cell)
{
    int k = nhoodm[cell];
    uint32_t active = active_inputs(k, carule[cell]);
    uint32_t all = (k >= 32) ? ~0u : (1u << k) - 1;
    if ((active & all) == all)
        return k;
    fprintf(stderr, "\nci=%d, inactive wires=", cell);
    for (int j = k - 1; j >= 0; j--)
        if (!(active >> j & 1u))
            fprintf(stderr, "%d,", j);
    fprintf(stderr, "\n");

    std::vector<int> dropped;
    std::vector<uint8_t> work(rule_bytes(k));
    for (int j = k - 1; j >= 0 && k > 1; j--) {
        if (active >> j & 1u)
            continue;
        std::fill(work.begin(), work.end(), 0);
        for (uint32_t i = entries_of(k); i-- > 0;)
            set_value(work.data(), drop_digit(i, j), get_value(carule[cell], i));
        if (wiring)
            drop_wiring_slot(wiring[cell], k, j);
        k--;
        memcpy(carule[cell], work.data(), rule_bytes(k));
        dropped.push_back(j);
    }
    nhoodm[cell] = static_cast<int8_t>(k);

    if (!rulemix) {
        // One rule: every cell follows cell 0 and the arrays follow k.
        for (uint32_t c = 1; c < lineL; c++) {
            int kc = nhoodm[c];
            for (int j : dropped)
                if (kc > 1 && j < kc) {
                    if (wiring)
                        drop_wiring_slot(wiring[c], kc, j);
                    kc--;
                }
            nhoodm[c] = static_cast<int8_t>(kc);
        }
        free_v_code_arrays();
        free_mem_all_0s_all_1s_rules();
        int old_nhood = nhood;
        nhood = static_cast<int8_t>(k);
        carule[0] = static_cast<uint8_t *>(checked_realloc(carule[0], rule_bytes(k), "carule[0]"));
        if (cacode)
            cacode[0] = static_cast<uint8_t *>(checked_realloc(cacode[0], tcode_bytes(k), "cacode[0]"));
        if (v_code)
            v_code[0] = static_cast<uint8_t *>(checked_realloc(v_code[0], kcode_bytes(k), "v_code[0]"));
        if (wiring)
            resize_wiring_rows(old_nhood, k);
        set_up_v_code();
        allocate_mem_all_0s_all_1s_rules(k);
        if (regular_wiring() && (twod == 2 || threed == 3))
            wire_lattice_again();
    }
    recount_k_bounds();
    if (wiring)
        cell_out_freq();
    return k;
}

void
apply_exhaustive_map(const uint8_t *table)
{
    int n = lineL;
    uint32_t states = entries_of(n);
    for (int c = 0; c < n; c++) {
        nhoodm[c] = static_cast<int8_t>(n);
        for (int j = 0; j < n; j++)
            wiring[c][j] = static_cast<uint16_t>(j);
        for (uint32_t s = 0; s < states; s++)
            set_value(carule[c], s, get_value(table + size_t(s) * bytesL, static_cast<uint32_t>(c)));
    }
    recount_k_bounds();
    cell_out_freq();
}

void
remap_kcode_after_raise(const uint8_t *saved, int saved_entries, uint8_t *kcode, int last)
{
    int E = saved_entries, h = E / 2;
    for (int j = 0; j < h; j++)
        set_value(kcode, static_cast<uint32_t>(last - j), get_value(saved, static_cast<uint32_t>(E - 1 - j)));
    for (int i = 0; i <= E - h; i++)
        set_value(kcode, static_cast<uint32_t>(i), get_value(saved, static_cast<uint32_t>(i)));
}
