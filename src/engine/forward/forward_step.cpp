// The forward step: one time-step of any network in any update mode, with the
// forward-only overrides (border, update and output probabilities, partial
// order) and the random-map mode. Reads the network model (state lines,
// k-mix, wiring table, rule kind, value-count trie), the lattice templates of
// forward-only lattices (wiring/lattice_templates.h), the successor table
// exh_pairs and direction (forward/globals.h). Start at forward_step; the
// sweep is the template sweep(); the parallel step of a v = 2 ring under one
// rule goes to the packed step of packed_ring.h instead, and the other
// parallel steps without overrides or codes of a wired network to the
// unpacked step of unpacked_sweep.h.
//
// Neighbourhood index: input position j weighs v^j, input 0 least
// significant. For v = 2 the index of a cell whose inputs hold 1, 0, 1 (input
// 0 first) is 1 + 0*2 + 1*4 = 5, and the next value is bit 5 of the rule
// (bit 5 % 8 of byte 5 / 8). For v = 3, inputs 2, 0, 1 give 2 + 0*3 + 1*9 = 11.
#include "engine/forward/forward_step.h"

#include <cstdlib>
#include <cstring>

#include "engine/forward/globals.h"
#include "engine/forward/packed_ring.h"
#include "engine/forward/unpacked_sweep.h"
#include "engine/forward/update_order.h"
#include "engine/model/checked_alloc.h"
#include "engine/model/globals.h"
#include "engine/model/network_arithmetic.h"
#include "engine/model/value_count_trie.h"
#include "engine/model/value_line.h"
#include "engine/rules/globals.h"
#include "engine/wiring/globals.h"
#include "engine/wiring/lattice_templates.h"

namespace {

// Largest k of any cell: 25 on a forward-only 2d lattice, 13 elsewhere.
constexpr int kMaxInputs = 32;

uint8_t *seq_tickoff = nullptr; // rerandomised-order set of the run, ceil(n/8) bytes

// Whether the network is a ring the packed step can take, found by
// recheck_forward_network for the k-mix and wiring table it names; a step on
// other arrays or another size takes the sweep.
struct ring_check {
    const int8_t *k_of = nullptr;
    uint16_t *const *wires = nullptr;
    uint32_t n = 0;
    int k = -1;         // every cell's k, or -1 (the cells differ, k too large, v > 2)
    bool wired = false; // the wiring table is read and holds the ring of k
};
ring_check network_ring;

// The indexes the last step left out (settle_step_indexes): the nhd and the
// ring it stepped, or target null.
struct left_indexes {
    uint16_t *target = nullptr;
    uint32_t n = 0;
    int k = 0;
};
left_indexes unsettled;

// Where a cell's inputs come from in this step.
enum class Inputs { table, ring, lattice2d, lattice3d };

Inputs
input_source()
{
    // A network with no dimension flag (hypercube wiring) counts as 1d.
    if (!twod && !threed)
        return wiring_madelocal ? Inputs::ring : Inputs::table;
    if (!loc_twod_fonly && !wiring_madelocal)
        return Inputs::table;
    return twod ? Inputs::lattice2d : Inputs::lattice3d;
}

// The per-step constants of the sweep, read once so the cell loop reads
// locals only.
struct sweep_data {
    uint8_t **rules;
    const step_mode *mode;
    uint32_t n;
    int v, w;
    bool mix;            // rulemix and not one_rule
    bool codes;          // tot_only: rules are tcodes or kcodes
    bool outer;          // outer_tot: the cell's own value chooses the code
    const int8_t *k_of;  // nhoodm
    uint16_t *const *wires; // wiring
    const uint16_t *order;  // seq_order
    uint16_t *index;     // nhd
    const uint32_t *vpow; // v^j, j = 0..kMaxInputs (powers_of_v)
};

inline int
cell_value(const uint8_t *line, uint32_t i, int w)
{
    return get_value_flex(line, i, w);
}

inline int
bit_of(const uint8_t *line, uint32_t i)
{
    return (line[i >> 3] >> (i & 7)) & 1;
}

// Inputs of cell c with k inputs: a pointer to k cell indexes in input
// order, either the cell's wiring row or pnhood filled here.
template <Inputs src>
inline const uint16_t *
inputs_of(uint16_t *const *wires, uint32_t c, [[maybe_unused]] int k,
          [[maybe_unused]] uint32_t n)
{
    // A wiring table names the inputs itself: k and n serve the other forms.
    if constexpr (src == Inputs::table) {
        return wires[c];
    } else if constexpr (src == Inputs::ring) {
        // input j = (c - k/2 + j) mod n, input 0 the leftmost neighbour
        int64_t first = (static_cast<int64_t>(c) - k / 2) % static_cast<int64_t>(n);
        uint32_t cell = static_cast<uint32_t>(first < 0 ? first + n : first);
        for (int j = 0; j < k; j++) {
            pnhood[j] = static_cast<uint16_t>(cell);
            if (++cell == n)
                cell = 0;
        }
        return pnhood;
    } else if constexpr (src == Inputs::lattice2d) {
        wire_2d_local(static_cast<uint16_t>(c), pnhood);
        return pnhood;
    } else {
        wire_3d_local(static_cast<uint16_t>(c), pnhood);
        return pnhood;
    }
}

// A random cell value: for v = 2, 0 when random() % 100 < 50, else 1.
int
random_value(int v)
{
    if (v == 2)
        return random() % 100 < 50 ? 0 : 1;
    return static_cast<int>(random() % v);
}

// A fresh r = (random() % 100001) / 100000 for one probability test.
float
draw_fraction()
{
    return static_cast<float>(random() % 100001) / 100000.0f;
}

// 1 when cell c lies within border cells of an edge of the lattice.
bool
is_border_cell(uint32_t c, uint32_t n)
{
    uint32_t b = static_cast<uint32_t>(border);
    if (twod) {
        uint32_t w = static_cast<uint32_t>(i2d), h = static_cast<uint32_t>(j2d);
        uint32_t i = c % w, j = c / w;
        return i < b || i + b >= w || j < b || j + b >= h;
    }
    if (threed) {
        uint32_t w = static_cast<uint32_t>(i3d), d = static_cast<uint32_t>(j3d),
                 h = static_cast<uint32_t>(h3d);
        uint32_t i = c % w, j = (c / w) % d, l = c / (w * d);
        return i < b || i + b >= w || j < b || j + b >= d || l < b || l + b >= h;
    }
    return c < b || c + b >= n;
}

// The forward-only overrides of one cell, in their order: the border, then the
// probabilities or the partial order. out is the rule's value, cur the cell's
// current value.
int
override_cell(uint32_t c, int out, int cur, const sweep_data &s)
{
    if (border > 0) {
        int value = b_value;
        if (value < 0 || value >= s.v)
            b_value = 0;
        if (is_border_cell(c, s.n))
            out = b_value;
    }
    if ((update_prob >= 100.0f && out_prob >= 100.0f) || update_prob > 100.0f) {
        if (s.mode->p_order && !get_bitlong(porder_cells, c))
            out = cur;
    } else if (update_prob < 100.0f) {
        if (draw_fraction() > update_prob)
            out = cur;
        else if (out_prob < 100.0f && draw_fraction() > out_prob)
            out = random_value(s.v);
    } else if (draw_fraction() > out_prob) {
        out = random_value(s.v);
    }
    return out;
}

// The code index of a cell under tot_only: the sum of the input values
// (tcodes) or the kcode entry of their value-count tuple.
uint32_t
code_index(const uint8_t *a, const uint16_t *in, int k, const sweep_data &s)
{
    if (totalistic == rule_kind_tcodes) {
        uint32_t x = 0;
        for (int j = 0; j < k; j++)
            x += static_cast<uint32_t>(cell_value(a, in[j], s.w));
        return x;
    }
    if (totalistic != rule_kind_kcodes || k == 0)
        return 0;
    uint8_t tuple[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    for (int j = 0; j < k; j++) {
        int u = cell_value(a, in[j], s.w);
        tuple[reverse_value_order ? u : s.v - 1 - u]++;
    }
    return search_tree(tuple, s.v, v_tree[k], 0);
}

// The sweep: cells L down to 0 (c = i, or seq_order[i] in sequential modes).
// V2 reads and writes bits directly; OVR applies the forward-only overrides;
// SEQ writes each new value into A at once; EXH only records the indexes.
template <bool V2, Inputs src, bool OVR, bool SEQ, bool EXH>
void
sweep(const sweep_data &s)
{
    // Globals are read into locals once: the byte writes below could alias
    // them as far as the compiler knows.
    uint8_t *a = A, *f = F;
    uint8_t **rules = s.rules;
    const int w = s.w;
    const bool codes = s.codes, outer = s.outer, mix = s.mix;
    const int8_t *k_of = s.k_of;
    uint16_t *const *wires = s.wires;
    const uint16_t *order = s.order;
    uint16_t *index = s.index;
    for (int64_t i = s.n - 1; i >= 0; i--) {
        uint32_t c = SEQ ? order[i] : static_cast<uint32_t>(i);
        int k = k_of[c];
        const uint16_t *in = inputs_of<src>(wires, c, k, s.n);
        uint32_t x = 0;
        if (codes) {
            x = code_index(a, in, k, s);
        } else if (V2) {
            for (int j = 0; j < k; j++)
                x |= static_cast<uint32_t>(bit_of(a, in[j])) << j;
        } else {
            for (int j = 0; j < k; j++)
                x += static_cast<uint32_t>(cell_value(a, in[j], w)) * s.vpow[j];
        }
        if (!EXH) {
            const uint8_t *rule = outer ? rules[V2 ? bit_of(a, c) : cell_value(a, c, w)]
                                  : mix ? rules[c]
                                        : rules[0];
            int out = V2 ? bit_of(rule, x) : cell_value(rule, x, w);
            if (OVR)
                out = override_cell(c, out, V2 ? bit_of(a, c) : cell_value(a, c, w), s);
            if (V2) {
                uint8_t bit = static_cast<uint8_t>(1u << (c & 7));
                f[c >> 3] = static_cast<uint8_t>(out ? f[c >> 3] | bit : f[c >> 3] & ~bit);
            } else {
                set_value_flex(f, c, out, w);
            }
        }
        index[c] = static_cast<uint16_t>(x);
        if (SEQ) {
            if (V2) {
                uint8_t bit = static_cast<uint8_t>(1u << (c & 7));
                a[c >> 3] = static_cast<uint8_t>((a[c >> 3] & ~bit) | (f[c >> 3] & bit));
            } else {
                set_value_flex(a, c, cell_value(f, c, w), w);
            }
        }
    }
}

// Chooses the instance of sweep for this step, one switch per flag.
template <bool V2, Inputs src>
void
sweep_by_flags(const sweep_data &s, bool ovr, bool seq, bool exh)
{
    if (exh)
        sweep<V2, src, false, false, true>(s);
    else if (ovr)
        seq ? sweep<V2, src, true, true, false>(s) : sweep<V2, src, true, false, false>(s);
    else
        seq ? sweep<V2, src, false, true, false>(s) : sweep<V2, src, false, false, false>(s);
}

template <bool V2>
void
sweep_by_source(const sweep_data &s, Inputs src, bool ovr, bool seq, bool exh)
{
    switch (src) {
    case Inputs::table:
        sweep_by_flags<V2, Inputs::table>(s, ovr, seq, exh);
        break;
    case Inputs::ring:
        sweep_by_flags<V2, Inputs::ring>(s, ovr, seq, exh);
        break;
    case Inputs::lattice2d:
        sweep_by_flags<V2, Inputs::lattice2d>(s, ovr, seq, exh);
        break;
    case Inputs::lattice3d:
        sweep_by_flags<V2, Inputs::lattice3d>(s, ovr, seq, exh);
        break;
    }
}

// Step preparation of a partial order: clear the cell set, draw the number of
// cells m, then m distinct cells by rejection.
void
draw_partial_order(uint32_t n)
{
    clamp_porder_limits();
    memset(porder_cells, 0, (n + 7) / 8);
    uint32_t m = porder_min + static_cast<uint32_t>(random() % (porder_max - porder_min + 1));
    for (uint32_t drawn = 0; drawn < m; drawn++) {
        uint32_t r;
        do
            r = static_cast<uint32_t>(random() % n);
        while (get_bitlong(porder_cells, r));
        set_bitlong(porder_cells, r, 1);
    }
}

// v^j for j = 0..kMaxInputs, as int_power gives them, made again only when
// v differs from the last step's (a small network steps millions of times).
const uint32_t *
powers_of_v(int v)
{
    static uint32_t powers[kMaxInputs + 1];
    static int powers_of = -1;
    if (v != powers_of) {
        for (int j = 0; j <= kMaxInputs; j++)
            powers[j] = static_cast<uint32_t>(int_power(v, j));
        powers_of = v;
    }
    return powers;
}

// The sweep of this step, its constants read once. A parallel step
// without overrides or codes of a network wired by its table takes the
// unpacked step.
void
sweep_cells(uint8_t **rules, const step_mode &mode, Inputs src, bool ovr, bool seq, bool exh)
{
    sweep_data s;
    s.rules = rules;
    s.mode = &mode;
    s.n = lineL;
    s.v = value_range;
    s.w = value_bits;
    s.mix = rulemix && !mode.one_rule;
    s.codes = tot_only != 0;
    s.outer = outer_tot != 0;
    s.k_of = nhoodm;
    s.wires = wiring;
    s.order = seq_order;
    s.index = nhd;
    s.vpow = powers_of_v(value_range);
    if (src == Inputs::table && !ovr && !seq && !exh && !s.codes && !s.outer && s.w >= 1 && s.w <= 5) {
        const unpacked_network net{rules, s.mix, s.w, s.k_of, s.wires, s.vpow};
        step_unpacked(net, s.n, A, F, s.index);
        return;
    }
    if (value_range == 2)
        sweep_by_source<true>(s, src, ovr, seq, exh);
    else
        sweep_by_source<false>(s, src, ovr, seq, exh);
}

// The k of the packed step when this step may take it: a parallel,
// override-free step of a v = 2 ring with one rule table; else -1.
int
packed_ring_inputs(const step_mode &mode, Inputs src, bool ovr, bool seq, bool exh)
{
    const ring_check &ring = network_ring;
    if (value_range != 2 || exh || seq || ovr || tot_only || outer_tot ||
        (rulemix && !mode.one_rule) || ring.k < 0)
        return -1;
    if (ring.k_of != nhoodm || ring.wires != wiring || ring.n != lineL)
        return -1;
    if (src == Inputs::ring || (src == Inputs::table && ring.wired))
        return ring.k;
    return -1;
}

} // namespace

int
forward_only_run()
{
    return direction == direction_forward && limitcheck == 0;
}

step_mode
forward_run_mode(int fwd_only)
{
    step_mode mode;
    mode.seq_update = seq_update;
    mode.p_order = p_order == 1;
    mode.fwd_only = fwd_only != 0;
    return mode;
}

void
clamp_porder_limits()
{
    uint16_t n = lineL ? lineL : 1;
    if (porder_max > n)
        porder_max = n;
    if (porder_max < 1)
        porder_max = 1;
    if (porder_min < 1)
        porder_min = 1;
    if (porder_min > porder_max)
        porder_min = porder_max;
}

void
forward_run_begin(const step_mode &mode)
{
    forward_run_end();
    recheck_forward_network();
    pnhood = static_cast<uint16_t *>(checked_calloc(kMaxInputs, sizeof(uint16_t), "pnhood"));
    if (!mode.fwd_only)
        return;
    clamp_porder_limits();
    porder_cells = static_cast<uint8_t *>(checked_calloc(bytesL, 1, "bitseed"));
    if (mode.seq_update == update_random_order)
        seq_tickoff = static_cast<uint8_t *>(checked_calloc((lineL + 7u) / 8u, 1, "seq_tickoff"));
}

void
recheck_forward_network()
{
    ring_check check;
    if (nhoodm && lineL > 0 && value_range == 2) {
        check.k_of = nhoodm;
        check.wires = wiring;
        check.n = lineL;
        check.k = uniform_inputs(lineL);
        // The table is read only where the step reads it: a lattice run
        // forward only may keep a table of other sizes.
        check.wired = check.k >= 0 && wiring && input_source() == Inputs::table &&
                      wired_as_ring(lineL, check.k);
    }
    network_ring = check;
    // The unpacked step reads the table's inputs from one copy.
    if (nhoodm && wiring && lineL > 0 && input_source() == Inputs::table)
        follow_wiring(wiring, nhoodm, lineL);
    else
        forget_wiring();
}

void
forward_run_end()
{
    checked_free(pnhood);
    checked_free(porder_cells);
    checked_free(seq_tickoff);
    pnhood = nullptr;
    porder_cells = nullptr;
    seq_tickoff = nullptr;
    network_ring = ring_check();
    forget_wiring();
}

void
settle_step_indexes()
{
    if (unsettled.target && unsettled.target == nhd && unsettled.n == lineL)
        write_ring_indexes(unsettled.n, unsettled.k, nhd);
    unsettled = left_indexes();
}

void
forward_step(uint8_t **rules, const step_mode &mode)
{
    const uint32_t n = lineL;
    const bool exh = exhaustive_testing == exhaustive_random_map;
    // The random map is a parallel map: its successor replaces the whole state.
    const bool seq = !exh && mode.seq_update > update_parallel;

    if (mode.fwd_only) {
        if (mode.p_order)
            draw_partial_order(n);
        if (seq && mode.seq_update == update_random_order) {
            memset(seq_tickoff, 0, (n + 7) / 8);
            draw_random_order(seq_order, static_cast<int>(n), seq_tickoff);
        }
    }

    const bool ovr = mode.fwd_only &&
                     (border > 0 || mode.p_order || update_prob < 100.0f || out_prob < 100.0f);
    const Inputs src = input_source();
    const int ring_k = packed_ring_inputs(mode, src, ovr, seq, exh);
    unsettled = left_indexes();
    if (ring_k >= 0 && !mode.indexes && !mode.lookup_row) {
        step_packed_ring(rules[0], ring_k, n, A, F, nullptr);
        unsettled = left_indexes{nhd, n, ring_k};
    } else if (ring_k >= 0) {
        step_packed_ring(rules[0], ring_k, n, A, F, nhd);
    } else {
        sweep_cells(rules, mode, src, ovr, seq, exh);
    }

    if (mode.lookup_row) {
        if (mode.lookup_cell >= 0)
            mode.lookup_row[nhd[mode.lookup_cell]]++;
        else
            for (uint32_t c = 0; c < n; c++)
                mode.lookup_row[nhd[c]]++;
    }
    if (mode.fwd_only && mode.lastA && frozen_gens > 0) {
        // The oldest line is reused as the newest: lastA[m] = lastA[m-1].
        uint8_t *oldest = mode.lastA[frozen_gens - 1];
        for (int m = frozen_gens - 1; m > 0; m--)
            mode.lastA[m] = mode.lastA[m - 1];
        mode.lastA[0] = oldest;
        memcpy(oldest, A, bytesL);
    }
    if (exh)
        memcpy(F, exh_pairs + static_cast<size_t>(dec_equiv(A, L)) * bytesL, bytesL);
    if (!seq) {
        uint8_t *t = A;
        A = F;
        F = t;
    }
    seed_was_set = 0;
}
